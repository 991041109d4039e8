// Dates and times as date-time numbers (days since 1899-12-30, the time of
// day as the fraction): encoding, decoding, the framework's text grammar for
// dates and times read with the locale settings, and FormatDateTime.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulon {

/// Gregorian leap year rule.
bool IsLeapYear(int year) noexcept;
/// Days of `month` (1..12) in `year`; 0 for a month out of range.
int DaysInMonth(int year, int month) noexcept;

/// The date-time number of a date; false for year outside 1..9999, month
/// outside 1..12 or day outside the month.
bool TryEncodeDate(int year, int month, int day, double& date) noexcept;
/// TryEncodeDate or EConvertError "Invalid argument to date encode".
double EncodeDate(int year, int month, int day);
/// The time fraction of hour < 24, min < 60, sec < 60, msec < 1000; false otherwise.
bool TryEncodeTime(int hour, int min, int sec, int msec, double& time) noexcept;
/// TryEncodeTime or EConvertError "Invalid argument to time encode".
double EncodeTime(int hour, int min, int sec, int msec);
/// Year, month and day of the date part (year 0 and month 0 outside 1..9999).
void DecodeDate(double date, int& year, int& month, int& day) noexcept;
/// Hour, minute, second and millisecond of the time part (rounded to the millisecond).
void DecodeTime(double time, int& hour, int& min, int& sec, int& msec) noexcept;
/// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(double date) noexcept;

/// Date order decided by a short date format: the first of D, E, M, Y (any case).
enum TDateOrder { doMDY, doDMY, doYMD };
TDateOrder GetDateOrder(std::string_view shortDateFormat) noexcept;

/// Reads a date at byte `pos` of `s` by the framework's grammar (blanks,
/// numbers read while below 1000, order from ShortDateFormat, two or three
/// numbers, two-digit years into the current century, trailing separator
/// and blanks, the far-east rule) and advances `pos` past what it read.
/// False, with `pos` unspecified, when no valid date is there.
bool ScanDate(std::string_view s, size_t& pos, double& date);
/// Reads a time at `pos` (AM/PM word before or after, hour, optional
/// minutes, seconds and milliseconds, trailing blanks).
bool ScanTime(std::string_view s, size_t& pos, double& time);

/// A whole text as a date; false when it does not convert.
bool TryStrToDate(std::string_view s, double& date);
/// A whole text as a time.
bool TryStrToTime(std::string_view s, double& time);
/// A date, optionally followed by a time (text after a valid time is not examined).
bool TryStrToDateTime(std::string_view s, double& dateTime);
/// TryStrToDate or EConvertError "'%s' is not a valid date".
double StrToDate(std::string_view s);
/// TryStrToTime or EConvertError "'%s' is not a valid time".
double StrToTime(std::string_view s);
/// TryStrToDateTime or EConvertError "'%s' is not a valid date and time".
double StrToDateTime(std::string_view s);

/// Formats a date-time number with the framework's format letters: c d dd
/// ddd dddd ddddd dddddd m mm mmm mmmm (minutes after h) yy yyyy h hh n nn
/// s ss z zzz t tt am/pm a/p ampm / : and quoted literals.
std::string FormatDateTime(std::string_view format, double dateTime);
/// The date by ShortDateFormat.
std::string DateToStr(double date);
/// The time by LongTimeFormat.
std::string TimeToStr(double time);
/// The date by ShortDateFormat, followed by the time by LongTimeFormat
/// unless the time is midnight.
std::string DateTimeToStr(double dateTime);

}  // namespace tabulon
