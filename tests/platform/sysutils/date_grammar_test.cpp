// The date and time grammar: date orders, two- and three-number dates,
// two-digit years, blanks and separators, the era prefix, the far-east
// rule, AM/PM words, milliseconds and validity limits. A fixed clock makes
// "the current year" 2026.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

class DateGrammar : public ::testing::Test {
 protected:
  void UseDayMonthYear() {
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    FormatSettings().DateSeparator = '/';
  }
  // The date a text gives, as "yyyy-mm-dd", or "refused".
  static std::string Date(std::string_view text) {
    double d = 0;
    if (!TryStrToDate(text, d)) return "refused";
    return Ymd(d);
  }
  static std::string Ymd(double d) {
    int y, m, day;
    DecodeDate(d, y, m, day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, day);
    return buf;
  }
  static std::string Time(std::string_view text) {
    double t = 0;
    if (!TryStrToTime(text, t)) return "refused";
    return FormatDateTime("hh':'nn':'ss'.'zzz", t);
  }
  static std::string DateTime(std::string_view text) {
    double v = 0;
    if (!TryStrToDateTime(text, v)) return "refused";
    return Ymd(v) + " " + FormatDateTime("hh':'nn':'ss'.'zzz", v);
  }

  TFormatSettingsScope settings_;
  TFixedClockScope clock_{2026, 6, 15};
};

TEST_F(DateGrammar, DayMonthYearOrderWithSlash) {
  UseDayMonthYear();
  EXPECT_EQ(Date("31/12/99"), "2099-12-31") << "two-digit year in the clock's century";
  EXPECT_EQ(Date("31/12/1999"), "1999-12-31");
  EXPECT_EQ(Date("31/02/2000"), "refused");
  EXPECT_EQ(Date("29/02/2000"), "2000-02-29");
  EXPECT_EQ(Date("29/02/1900"), "refused") << "Gregorian leap years";
  EXPECT_EQ(Date("31/12/1999 today"), "refused") << "a valid date followed by a word";
  EXPECT_EQ(Date("5/6"), "2026-06-05") << "two numbers: day and month of the current year";
  EXPECT_EQ(Date("  5 / 6 / 2001  "), "2001-06-05") << "blanks before every part";
  EXPECT_EQ(Date("5/6/2001/"), "2001-06-05") << "a trailing separator";
  EXPECT_EQ(Date("5/6/2001/ /"), "refused");
  EXPECT_EQ(Date("1/1/0"), "2000-01-01");
  EXPECT_EQ(Date("1/1/85"), "2085-01-01");
  EXPECT_EQ(Date("1/1/085"), "0085-01-01") << "the digits typed decide, not the value";
  EXPECT_EQ(Date("25/12/0024"), "0024-12-25");
  EXPECT_EQ(Date("1/1/00"), "2000-01-01");
  EXPECT_EQ(Date("1/1/0000"), "refused") << "a year 0 typed in full";
  EXPECT_EQ(Date("1/1/100"), "0100-01-01") << "three-digit years stay";
  EXPECT_EQ(Date("1/1/10000"), "refused");
  EXPECT_EQ(Date("05/06/02001"), "2001-06-05") << "leading zeros do not stop a number";
  EXPECT_EQ(Date("1/1/12345"), "refused") << "digits after the value reached 1000 stay unread";
  EXPECT_EQ(DateTime("1/1/12345"), "1234-01-01 05:00:00.000") << "...and are read as the time";
  EXPECT_EQ(Date("0/1/2000"), "refused");
  EXPECT_EQ(Date("1/13/2000"), "refused");
  EXPECT_EQ(Date("1-1-2000"), "refused");
  EXPECT_EQ(Date("\t1/1/2000"), "refused") << "only spaces are blanks";
  EXPECT_EQ(Date(""), "refused");
  EXPECT_EQ(Date("/"), "refused");
  EXPECT_EQ(Date("12/"), "refused");
  EXPECT_EQ(Date(std::string_view("1/1/2000\0", 9)), "refused");
}

TEST_F(DateGrammar, OrderComesFromTheFirstOrderLetter) {
  EXPECT_EQ(Date("12/31/99"), "2099-12-31") << "default M/d/yyyy";
  EXPECT_EQ(Date("12/25/0024"), "0024-12-25");
  EXPECT_EQ(Date("2/3"), "2026-02-03");
  FormatSettings().ShortDateFormat = "yyyy-MM-dd";
  FormatSettings().DateSeparator = '-';
  EXPECT_EQ(Date("2024-02-29"), "2024-02-29");
  EXPECT_EQ(Date("2023-02-29"), "refused");
  EXPECT_EQ(Date("24-2-3"), "2024-02-03");
  EXPECT_EQ(Date("0024-2-3"), "0024-02-03") << "year first: its own digit count";
  EXPECT_EQ(Date("024-2-3"), "0024-02-03");
  EXPECT_EQ(Date("2-3"), "2026-02-03") << "two numbers: month and day outside day-first order";
  FormatSettings().ShortDateFormat = "ee/mm/dd";
  FormatSettings().DateSeparator = '/';
  EXPECT_EQ(Date("24/2/3"), "2024-02-03") << "E means year first";
  FormatSettings().ShortDateFormat = "x.x";
  EXPECT_EQ(Date("2/3/2024"), "2024-02-03") << "no order letter: month first";
  FormatSettings().TwoDigitYearCenturyWindow = 50;
  EXPECT_EQ(Date("2/3/99"), "1999-02-03") << "with a window: within 50 years before now";
  EXPECT_EQ(Date("2/3/10"), "2010-02-03");
}

TEST_F(DateGrammar, EraPrefixAndFarEastTrailingWords) {
  FormatSettings().ShortDateFormat = "gg yyyy/mm/dd";
  EXPECT_EQ(Date("AD 2024/01/02"), "2024-01-02") << "text up to the first digit is skipped";
  EXPECT_EQ(Date("2024/01/02"), "2024-01-02");
  FormatSettings().ShortDateFormat = "yyyy/mm/dd ddd";
  FormatSettings().ShortTimeFormat = "H:mm";
  EXPECT_EQ(Date("2024/01/02 Tue"), "refused") << "the rule is for far-east locales only";
  SysLocale().FarEast = true;
  EXPECT_EQ(Date("2024/01/02 Tue"), "2024-01-02") << "skipped word by word to the end";
  EXPECT_EQ(DateTime("2024/01/02 (Tue) 10:30"), "2024-01-02 00:00:00.000")
      << "without an AM/PM word the time is skipped as a word too";
  FormatSettings().ShortTimeFormat = "9:mm";
  EXPECT_EQ(Date("2024/01/02 Tue"), "2024-01-02") << "skipped up to the next digit";
  EXPECT_EQ(DateTime("2024/01/02 (Tue) 10:30"), "2024-01-02 10:30:00.000");
  FormatSettings().ShortTimeFormat = "AMPM h:mm";
  EXPECT_EQ(DateTime("2024/01/02 (Tue) x PM 3:30"), "2024-01-02 15:30:00.000")
      << "skipped word by word up to the PM word";
  EXPECT_EQ(Date("2024/01/02 (Tue) words"), "2024-01-02");
  SysLocale().FarEast = false;
}

TEST_F(DateGrammar, TimesWithAmPmMillisecondsAndLimits) {
  EXPECT_EQ(Time("10"), "10:00:00.000");
  EXPECT_EQ(Time("10:30"), "10:30:00.000");
  EXPECT_EQ(Time(" 10 : 30 : 15 . 250 "), "10:30:15.250");
  EXPECT_EQ(Time("10:30:15.5"), "10:30:15.005") << "milliseconds are a number, not a fraction";
  EXPECT_EQ(Time("12 AM"), "00:00:00.000");
  EXPECT_EQ(Time("12:15 pm"), "12:15:00.000");
  EXPECT_EQ(Time("PM 3:45"), "15:45:00.000") << "the word may come first";
  EXPECT_EQ(Time("am 3:45 pm"), "refused") << "only one word";
  EXPECT_EQ(Time("13 PM"), "refused");
  EXPECT_EQ(Time("0 AM"), "refused");
  EXPECT_EQ(Time("24:00"), "refused");
  EXPECT_EQ(Time("23:59:59.999"), "23:59:59.999");
  EXPECT_EQ(Time("10:60"), "refused");
  EXPECT_EQ(Time("10:00:60"), "refused");
  EXPECT_EQ(Time("10:00:00.1000"), "refused");
  EXPECT_EQ(Time("10:"), "refused");
  EXPECT_EQ(Time("10:30 later"), "refused");
  EXPECT_EQ(Time(":30"), "refused");
  FormatSettings().TimeAMString = "vorm.";
  FormatSettings().TimePMString = "nachm.";
  FormatSettings().TimeSeparator = '.';
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(Time("9.15 NACHM."), "21:15:00.000");
  EXPECT_EQ(Time("9.15.01,5 vorm."), "09:15:01.005");
  EXPECT_EQ(Time("9.15 PM"), "21:15:00.000") << "AM and PM are always understood";
}

TEST_F(DateGrammar, DateTimesAndMessages) {
  EXPECT_EQ(DateTime("12/31/2025 11:59:59 PM"), "2025-12-31 23:59:59.000");
  EXPECT_EQ(DateTime("12/31/2025"), "2025-12-31 00:00:00.000");
  EXPECT_EQ(DateTime("12/31/2025 noon"), "refused");
  EXPECT_EQ(DateTime("12/31/2025 10:00 and more"), "2025-12-31 10:00:00.000")
      << "text after a valid time is not examined";
  EXPECT_EQ(DateTime("10:00"), "refused") << "the date part is required";
  ExpectThrow<EConvertError>([] { StrToDate("31/12/99"); }, "'31/12/99' is not a valid date");
  ExpectThrow<EConvertError>([] { StrToTime("25:00"); }, "'25:00' is not a valid time");
  ExpectThrow<EConvertError>([] { StrToDateTime("x"); }, "'x' is not a valid date and time");
  UseDayMonthYear();
  EXPECT_EQ(StrToDate("31/12/99"), EncodeDate(2099, 12, 31));
}

}  // namespace
}  // namespace tabulon
