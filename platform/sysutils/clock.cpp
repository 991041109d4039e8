// The local clock: the system's local time unless a test installs its own source.
#include "platform/sysutils/clock.h"

#include <ctime>

#include "platform/sysutils/datetime.h"

namespace tabulon {

namespace {

TSystemTime SystemLocalTime() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm parts{};
  localtime_r(&ts.tv_sec, &parts);
  TSystemTime t;
  t.wYear = static_cast<uint16_t>(parts.tm_year + 1900);
  t.wMonth = static_cast<uint16_t>(parts.tm_mon + 1);
  t.wDayOfWeek = static_cast<uint16_t>(parts.tm_wday);
  t.wDay = static_cast<uint16_t>(parts.tm_mday);
  t.wHour = static_cast<uint16_t>(parts.tm_hour);
  t.wMinute = static_cast<uint16_t>(parts.tm_min);
  t.wSecond = static_cast<uint16_t>(parts.tm_sec > 59 ? 59 : parts.tm_sec);
  t.wMilliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
  return t;
}

TLocalTimeSource& Source() {
  static TLocalTimeSource source;
  return source;
}

}  // namespace

void GetLocalTime(TSystemTime& time) {
  const TLocalTimeSource& s = Source();
  time = s ? s() : SystemLocalTime();
}

void SetLocalTimeSource(TLocalTimeSource source) { Source() = std::move(source); }

int CurrentYear() {
  TSystemTime t;
  GetLocalTime(t);
  return t.wYear;
}

double Date() {
  TSystemTime t;
  GetLocalTime(t);
  double d = 0;
  TryEncodeDate(t.wYear, t.wMonth, t.wDay, d);
  return d;
}

double Time() {
  TSystemTime t;
  GetLocalTime(t);
  double v = 0;
  TryEncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, v);
  return v;
}

double Now() {
  TSystemTime t;
  GetLocalTime(t);
  double d = 0, v = 0;
  TryEncodeDate(t.wYear, t.wMonth, t.wDay, d);
  TryEncodeTime(t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, v);
  return d + v;
}

TFixedClockScope::TFixedClockScope(const TSystemTime& time) : saved_(Source()) {
  Source() = [time] { return time; };
}

TFixedClockScope::TFixedClockScope(int year, int month, int day) : saved_(Source()) {
  TSystemTime t;
  t.wYear = static_cast<uint16_t>(year);
  t.wMonth = static_cast<uint16_t>(month);
  t.wDay = static_cast<uint16_t>(day);
  double d = 0;
  if (TryEncodeDate(year, month, day, d)) t.wDayOfWeek = static_cast<uint16_t>(DayOfWeek(d) - 1);
  Source() = [t] { return t; };
}

TFixedClockScope::~TFixedClockScope() { Source() = std::move(saved_); }

}  // namespace tabulon
