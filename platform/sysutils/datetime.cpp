// Date-time numbers and the framework's grammar for reading dates and times.
// The scanners follow the framework's rules step by step: blanks (spaces)
// are skipped before every number, separator and word; a number is read
// while its value is below 1000; words compare ignoring case. A year typed
// with at most two digits is moved into the current century.
#include "platform/sysutils/datetime.h"

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/format_settings.h"
#include "platform/core/resstrings.h"
#include "platform/sysutils/clock.h"
#include "platform/sysutils/datetime_split.h"
#include "platform/sysutils/locale_settings.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

namespace {

constexpr int kDateDelta = 693594;  // days from 0001-01-01 to 1899-12-30
constexpr int64_t kMSecsPerDay = 86400000;
constexpr int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void ScanBlanks(std::string_view s, size_t& pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
}

// Reads a number; `digits` tells how many digits were typed (leading zeros
// included), which is what decides whether a year is a two-digit year.
bool ScanNumber(std::string_view s, size_t& pos, int& number, size_t& digits) {
  ScanBlanks(s, pos);
  size_t i = pos;
  int n = 0;
  while (i < s.size() && IsDigit(s[i]) && n < 1000) {
    n = n * 10 + (s[i] - '0');
    ++i;
  }
  if (i == pos) return false;
  digits = i - pos;
  pos = i;
  number = n;
  return true;
}

bool ScanNumber(std::string_view s, size_t& pos, int& number) {
  size_t digits = 0;
  return ScanNumber(s, pos, number, digits);
}

bool ScanChar(std::string_view s, size_t& pos, char c) {
  ScanBlanks(s, pos);
  if (pos < s.size() && s[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

// A word at `pos` (after blanks), compared ignoring case.
bool ScanString(std::string_view s, size_t& pos, std::string_view word) {
  if (word.empty()) return false;
  ScanBlanks(s, pos);
  if (s.size() - pos < word.size()) return false;
  if (AnsiCompareText(word, s.substr(pos, word.size())) != 0) return false;
  pos += word.size();
  return true;
}

void ScanToNumber(std::string_view s, size_t& pos) {
  while (pos < s.size() && !IsDigit(s[pos])) ++pos;
}

bool StartsWithText(std::string_view s, size_t pos, std::string_view word) {
  return !word.empty() && s.size() - pos >= word.size() &&
         AnsiCompareText(word, s.substr(pos, word.size())) == 0;
}

}  // namespace

bool IsLeapYear(int year) noexcept { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) noexcept {
  if (month < 1 || month > 12) return 0;
  return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool TryEncodeDate(int year, int month, int day, double& date) noexcept {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  const int* table = kMonthDays[IsLeapYear(year) ? 1 : 0];
  if (day < 1 || day > table[month - 1]) return false;
  for (int m = 0; m < month - 1; ++m) day += table[m];
  int y = year - 1;
  date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day - kDateDelta);
  return true;
}

double EncodeDate(int year, int month, int day) {
  double d = 0;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError(ResStr("SDateEncodeError"));
  return d;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, double& time) noexcept {
  if (hour < 0 || hour >= 24 || min < 0 || min >= 60 || sec < 0 || sec >= 60 || msec < 0 ||
      msec >= 1000)
    return false;
  time = static_cast<double>(((hour * 60 + min) * 60 + sec) * 1000 + msec) /
         static_cast<double>(kMSecsPerDay);
  return true;
}

double EncodeTime(int hour, int min, int sec, int msec) {
  double t = 0;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError(ResStr("STimeEncodeError"));
  return t;
}

namespace detail {

bool SplitDateTime(double value, int64_t& days, int64_t& msecs) noexcept {
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return false;
  double whole = std::trunc(value);
  days = static_cast<int64_t>(whole);
  msecs = static_cast<int64_t>(std::llround(std::fabs(value - whole) * kMSecsPerDay));
  if (msecs >= kMSecsPerDay) {
    msecs -= kMSecsPerDay;
    days += value < 0 ? -1 : 1;
  }
  return true;
}

}  // namespace detail

void DecodeDate(double date, int& year, int& month, int& day) noexcept {
  year = month = day = 0;
  int64_t days = 0, msecs = 0;
  if (!detail::SplitDateTime(date, days, msecs)) return;
  int64_t t = days + kDateDelta;
  if (t <= 0 || t > 3652059) return;
  --t;
  int y = 1;
  constexpr int64_t d1 = 365, d4 = 1461, d100 = 36524, d400 = 146097;
  y += static_cast<int>(t / d400) * 400;
  t %= d400;
  int64_t i = t / d100, d = t % d100;
  if (i == 4) {
    --i;
    d += d100;
  }
  y += static_cast<int>(i) * 100;
  y += static_cast<int>(d / d4) * 4;
  d %= d4;
  i = d / d1;
  d %= d1;
  if (i == 4) {
    --i;
    d += d1;
  }
  y += static_cast<int>(i);
  const int* table = kMonthDays[IsLeapYear(y) ? 1 : 0];
  int m = 0;
  while (d >= table[m]) d -= table[m++];
  year = y;
  month = m + 1;
  day = static_cast<int>(d) + 1;
}

void DecodeTime(double time, int& hour, int& min, int& sec, int& msec) noexcept {
  int64_t days = 0, ms = 0;
  if (!detail::SplitDateTime(time, days, ms)) ms = 0;
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

int DayOfWeek(double date) noexcept {
  int64_t days = 0, ms = 0;
  if (!detail::SplitDateTime(date, days, ms)) return 1;
  // 1899-12-30 was a Saturday (7).
  int64_t r = (days + kDateDelta) % 7;
  if (r < 0) r += 7;
  return static_cast<int>(r) + 1;
}

TDateOrder GetDateOrder(std::string_view fmt) noexcept {
  for (char c : fmt) {
    switch (c & 0xDF) {
      case 'E':
      case 'Y':
        return doYMD;
      case 'M':
        return doMDY;
      case 'D':
        return doDMY;
      default:
        break;
    }
  }
  return doMDY;
}

bool ScanDate(std::string_view s, size_t& pos, double& date) {
  const TFormatSettings& fs = FormatSettings();
  TDateOrder order = GetDateOrder(fs.ShortDateFormat);
  if (!fs.ShortDateFormat.empty() && fs.ShortDateFormat[0] == 'g') ScanToNumber(s, pos);
  int n1 = 0, n2 = 0, n3 = 0, y = 0, m = 0, d = 0;
  size_t digits1 = 0, digits3 = 0, yearDigits = 0;
  if (!(ScanNumber(s, pos, n1, digits1) && ScanChar(s, pos, fs.DateSeparator) &&
        ScanNumber(s, pos, n2)))
    return false;
  if (ScanChar(s, pos, fs.DateSeparator)) {
    if (!ScanNumber(s, pos, n3, digits3)) return false;
    switch (order) {
      case doMDY:
        y = n3, m = n1, d = n2, yearDigits = digits3;
        break;
      case doDMY:
        y = n3, m = n2, d = n1, yearDigits = digits3;
        break;
      case doYMD:
        y = n1, m = n2, d = n3, yearDigits = digits1;
        break;
    }
    if (yearDigits <= 2) {
      // Two-digit years go into the century of the clock's year, or with a
      // century window into the hundred years ending that many years ago.
      int base = CurrentYear() - fs.TwoDigitYearCenturyWindow;
      y += base / 100 * 100;
      if (fs.TwoDigitYearCenturyWindow > 0 && y < base) y += 100;
    }
  } else {
    y = CurrentYear();
    if (order == doDMY)
      d = n1, m = n2;
    else
      m = n1, d = n2;
  }
  ScanChar(s, pos, fs.DateSeparator);
  ScanBlanks(s, pos);
  if (SysLocale().FarEast && fs.ShortDateFormat.find("ddd") != std::string::npos) {
    // Day and era words may follow the date: skip them up to the time.
    if (!fs.ShortTimeFormat.empty() && IsDigit(fs.ShortTimeFormat[0])) {
      ScanToNumber(s, pos);
    } else {
      do {
        while (pos < s.size() && s[pos] != ' ') ++pos;
        ScanBlanks(s, pos);
      } while (pos < s.size() && !StartsWithText(s, pos, fs.TimeAMString) &&
               !StartsWithText(s, pos, fs.TimePMString));
    }
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(std::string_view s, size_t& pos, double& time) {
  const TFormatSettings& fs = FormatSettings();
  int baseHour = -1;
  if (ScanString(s, pos, fs.TimeAMString) || ScanString(s, pos, "AM"))
    baseHour = 0;
  else if (ScanString(s, pos, fs.TimePMString) || ScanString(s, pos, "PM"))
    baseHour = 12;
  if (baseHour >= 0) ScanBlanks(s, pos);
  int hour = 0, min = 0, sec = 0, msec = 0;
  if (!ScanNumber(s, pos, hour)) return false;
  if (ScanChar(s, pos, fs.TimeSeparator)) {
    if (!ScanNumber(s, pos, min)) return false;
    if (ScanChar(s, pos, fs.TimeSeparator)) {
      if (!ScanNumber(s, pos, sec)) return false;
      if (ScanChar(s, pos, fs.DecimalSeparator))
        if (!ScanNumber(s, pos, msec)) return false;
    }
  }
  if (baseHour < 0) {
    if (ScanString(s, pos, fs.TimeAMString) || ScanString(s, pos, "AM"))
      baseHour = 0;
    else if (ScanString(s, pos, fs.TimePMString) || ScanString(s, pos, "PM"))
      baseHour = 12;
  }
  if (baseHour >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    hour += baseHour;
  }
  ScanBlanks(s, pos);
  return TryEncodeTime(hour, min, sec, msec, time);
}

bool TryStrToDate(std::string_view s, double& date) {
  size_t pos = 0;
  double d = 0;
  if (!ScanDate(s, pos, d) || pos < s.size()) return false;
  date = d;
  return true;
}

bool TryStrToTime(std::string_view s, double& time) {
  size_t pos = 0;
  double t = 0;
  if (!ScanTime(s, pos, t) || pos < s.size()) return false;
  time = t;
  return true;
}

bool TryStrToDateTime(std::string_view s, double& dateTime) {
  size_t pos = 0;
  double d = 0, t = 0;
  if (!ScanDate(s, pos, d)) return false;
  if (pos < s.size() && !ScanTime(s, pos, t)) return false;
  dateTime = d >= 0 ? d + t : d - t;
  return true;
}

double StrToDate(std::string_view s) {
  double d = 0;
  if (!TryStrToDate(s, d)) throw EConvertError(Format(ResStr("SInvalidDate"), {s}));
  return d;
}

double StrToTime(std::string_view s) {
  double t = 0;
  if (!TryStrToTime(s, t)) throw EConvertError(Format(ResStr("SInvalidTime"), {s}));
  return t;
}

double StrToDateTime(std::string_view s) {
  double v = 0;
  if (!TryStrToDateTime(s, v)) throw EConvertError(Format(ResStr("SInvalidDateTime"), {s}));
  return v;
}

}  // namespace tabulon
