// Date-time numbers, FormatDateTime and the clock: encoding checked against
// a day-by-day calendar walk, formatting against exact texts, and text
// round trips through the date grammar.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

TEST(DateEncoding, AgreesWithACalendarWalkOverTheWholeRange) {
  // Walk every day from 0001-01-01 to 9999-12-31 with a naive calendar.
  auto naiveLeap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
  const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int y = 1, m = 1, d = 1;
  double serial = -693593;  // 0001-01-01
  for (;;) {
    double enc = 0;
    ASSERT_TRUE(TryEncodeDate(y, m, d, enc));
    ASSERT_EQ(enc, serial) << y << "-" << m << "-" << d;
    int dy, dm, dd;
    DecodeDate(serial < 0 ? serial - 0.75 : serial + 0.75, dy, dm, dd);
    ASSERT_TRUE(dy == y && dm == m && dd == d) << y << "-" << m << "-" << d;
    if (y == 9999 && m == 12 && d == 31) break;
    int days = len[m - 1] + (m == 2 && naiveLeap(y) ? 1 : 0);
    if (++d > days) d = 1, ++m;
    if (m > 12) m = 1, ++y;
    serial += 1;
  }
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5)), 3);  // a Tuesday
}

TEST(DateEncoding, InvalidArgumentsAndLeapYears) {
  double d = 0;
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, d));
  EXPECT_FALSE(TryEncodeDate(2024, 4, 31, d));
  ExpectThrow<EConvertError>([] { EncodeDate(2001, 2, 29); }, "Invalid argument to date encode");
  ExpectThrow<EConvertError>([] { EncodeTime(24, 0, 0, 0); }, "Invalid argument to time encode");
  int y, m, dd;
  DecodeDate(-693594, y, m, dd);  // the day before 0001-01-01
  EXPECT_EQ(y * 10000 + m * 100 + dd, 0);
  DecodeDate(NAN, y, m, dd);
  EXPECT_EQ(y, 0);
}

TEST(TimeEncoding, RoundTripsAndCarriesAFullDay) {
  std::mt19937 rng(3);
  for (int i = 0; i < 20000; ++i) {
    int h = static_cast<int>(rng() % 24), n = static_cast<int>(rng() % 60),
        s = static_cast<int>(rng() % 60), z = static_cast<int>(rng() % 1000);
    double t = EncodeTime(h, n, s, z);
    int h2, n2, s2, z2;
    DecodeTime(t + 1000, h2, n2, s2, z2);
    ASSERT_EQ(std::make_tuple(h, n, s, z), std::make_tuple(h2, n2, s2, z2));
  }
  // A fraction a hair below one day rounds to midnight of the next day.
  double almost = EncodeDate(2024, 2, 28) + 0.9999999999;
  int y, m, d, h, n, s, z;
  DecodeDate(almost, y, m, d);
  DecodeTime(almost, h, n, s, z);
  EXPECT_EQ(std::make_tuple(y, m, d, h, n, s, z), std::make_tuple(2024, 2, 29, 0, 0, 0, 0));
  // Negative dates: the integer part is the day, the fraction the time.
  DecodeDate(-1.25, y, m, d);
  DecodeTime(-1.25, h, n, s, z);
  EXPECT_EQ(std::make_tuple(y, m, d, h), std::make_tuple(1899, 12, 29, 6));
}

TEST(FormatDateTime, EveryFormatLetter) {
  const double v = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct {
    const char* format;
    const char* text;
  } cases[] = {
      {"d dd ddd dddd", "5 05 Tue Tuesday"},
      {"m mm mmm mmmm", "3 03 Mar March"},
      {"yy yyyy", "24 2024"},
      {"h hh n nn s ss z zzz", "14 14 7 07 9 09 45 045"},
      {"h:mm", "14:07"},
      {"hh:mm am/pm", "02:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"h ampm", "2 PM"},
      {"c", "3/5/2024 2:07:09 PM"},
      {"", "3/5/2024 2:07:09 PM"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"ddddd", "3/5/2024"},
      {"dddddd", "Tuesday, March 05, 2024"},
      {"'d is' d \"mm\" mm", "d is 5 mm 03"},
      {"yyyy/mm/dd hh:nn", "2024/03/05 14:07"},
      {"'unterminated", "unterminated"},
      {"hh 'h' mm", "14 h 07"},  // m after an hour, even past a literal, is minutes
      {"mm hh", "03 14"},
      {"aaa aaaa", "Tue Tuesday"},
      {"x!#", "x!#"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, v), c.text) << c.format;
  EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(0, 5, 0, 0)), "12:05 AM");
  EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(12, 5, 0, 0)), "12:05 PM");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "3/5/2024") << "midnight shows no time";
  EXPECT_EQ(DateToStr(v), "3/5/2024");
  EXPECT_EQ(TimeToStr(v), "2:07:09 PM");
  TFormatSettingsScope scope;
  FormatSettings().DateSeparator = '.';
  FormatSettings().TimeSeparator = 'h';
  FormatSettings().ShortDateFormat = "dd/mm/yyyy";
  FormatSettings().LongTimeFormat = "hh:nn:ss";
  EXPECT_EQ(DateTimeToStr(v), "05.03.2024 14h07h09");
}

TEST(FormatDateTime, TextRoundTripsThroughTheGrammar) {
  std::mt19937 rng(5);
  TFormatSettingsScope scope;
  FormatSettings().ShortDateFormat = "yyyy-mm-dd";
  FormatSettings().DateSeparator = '-';
  FormatSettings().LongTimeFormat = "hh:nn:ss.zzz";
  for (int i = 0; i < 5000; ++i) {
    // Years below 100 do not round-trip: they read as two-digit years.
    double date = EncodeDate(100 + static_cast<int>(rng() % 9900), 1 + static_cast<int>(rng() % 12),
                             1 + static_cast<int>(rng() % 28));
    double time = EncodeTime(static_cast<int>(rng() % 24), static_cast<int>(rng() % 60),
                             1 + static_cast<int>(rng() % 59), static_cast<int>(rng() % 1000));
    // (at least a second: "c" leaves out a time of only milliseconds)
    double v = date >= 0 ? date + time : date - time;  // the fraction is the time either way
    std::string text = DateTimeToStr(v);
    ASSERT_NEAR(StrToDateTime(text), v, 1e-9) << text;
    ASSERT_EQ(StrToDate(DateToStr(v)), date) << text;
    ASSERT_NEAR(StrToTime(TimeToStr(v)), time, 1e-11) << text;
  }
}

TEST(Clock, FixedClockDrivesTodayAndIsRestored) {
  {
    TFixedClockScope clock(2026, 6, 15);
    TSystemTime t;
    GetLocalTime(t);
    EXPECT_EQ(t.wDayOfWeek, 1);  // a Monday
    t.wHour = 12;
    {
      TFixedClockScope inner(t);
      EXPECT_EQ(Now(), EncodeDate(2026, 6, 15) + 0.5);
      EXPECT_EQ(Time(), 0.5);
    }
    EXPECT_EQ(Now(), EncodeDate(2026, 6, 15));
    EXPECT_EQ(Date(), EncodeDate(2026, 6, 15));
  }
  EXPECT_GE(CurrentYear(), 2024) << "the system clock is back";
}

}  // namespace
}  // namespace tabulon
