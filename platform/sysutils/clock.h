// The local clock: the current date and time as the operating system's
// local time, behind a replaceable source so that "today" and "the current
// year" (two-digit years, dates without a year) are deterministic in tests.
#pragma once

#include <cstdint>
#include <functional>

namespace tabulon {

/// A broken-down local time, as the operating system reports it.
struct TSystemTime {
  uint16_t wYear = 0;
  uint16_t wMonth = 0;      // 1..12
  uint16_t wDayOfWeek = 0;  // 0 = Sunday
  uint16_t wDay = 0;        // 1..31
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;
};

/// A source of the local time.
using TLocalTimeSource = std::function<TSystemTime()>;

/// The current local time from the installed source (the system clock by default).
void GetLocalTime(TSystemTime& time);
/// Installs `source` as the clock; an empty function restores the system clock.
void SetLocalTimeSource(TLocalTimeSource source);

/// The year of the local clock.
int CurrentYear();
/// The current date and time as a date-time number.
double Now();
/// The current date (time part zero).
double Date();
/// The current time of day (date part zero).
double Time();

/// Fixes the clock at a given time for its lifetime, then restores the
/// previous source.
class TFixedClockScope {
 public:
  explicit TFixedClockScope(const TSystemTime& time);
  /// Convenience: a fixed clock at midnight of the given date.
  TFixedClockScope(int year, int month, int day);
  ~TFixedClockScope();
  TFixedClockScope(const TFixedClockScope&) = delete;
  TFixedClockScope& operator=(const TFixedClockScope&) = delete;

 private:
  TLocalTimeSource saved_;
};

}  // namespace tabulon
