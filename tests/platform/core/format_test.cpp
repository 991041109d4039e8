// Format and float-to-text edge cases.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/format_settings.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

TEST(Format, IntegersWidthsAndPrecision) {
  EXPECT_EQ(Format("%5.5d", {1024}), "01024");
  EXPECT_EQ(Format("%5.5d", {-1}), "-00001");
  EXPECT_EQ(Format("%d|%5d|%-5d|", {42, 42, 42}), "42|   42|42   |");
  EXPECT_EQ(Format("%x %.4x", {255, 10}), "FF 000A");
  EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%*d", {4, 7}), "   7");
  EXPECT_EQ(Format("%d", {int64_t{-9223372036854775807LL - 1}}), "-9223372036854775808");
}

TEST(Format, StringsIndexesAndPercent) {
  EXPECT_EQ(Format("%s: Field '%s' not found", {"Panel1", "CITY"}),
            "Panel1: Field 'CITY' not found");
  EXPECT_EQ(Format("Value '%0:s' is not correct for %1:s property; %1:s again", {"X", "Y"}),
            "Value 'X' is not correct for Y property; Y again");
  EXPECT_EQ(Format("%1:s %s %0:s", {"a", "b", "c"}),
            "b c a");  // numbering continues after an index
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("%.2s|%6s|%-4s|", {"abcdef", "äö", "x"}), "ab|    äö|x   |");
  EXPECT_EQ(Format("%.1s", {"äbc"}), "ä");  // precision counts characters, not bytes
  EXPECT_EQ(Format("%s", {'c'}), "c");
}

TEST(Format, Floats) {
  EXPECT_EQ(Format("%f", {3.14159}), "3.14");
  EXPECT_EQ(Format("%.3f", {-0.0005}), "-0.001");
  EXPECT_EQ(Format("%.0f", {2.5}), "3");
  EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(Format("%g", {0.5}), "0.5");
  EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
  EXPECT_EQ(Format("%m", {-1234.5}), "($1,234.50)");
  EXPECT_EQ(Format("%m", {Currency::FromRaw(12345678)}), "$1,234.57");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToStr(0.0001), "0.0001");
  EXPECT_EQ(FloatToStr(-0.0), "0");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(-12500)), "-1.25");
  TFormatSettingsScope scope;
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ThousandSeparator = '.';
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  EXPECT_EQ(FloatToStr(2.75), "2,75");
}

// Values typed as a decimal half lie a little above or below it in binary;
// going through 18 significant digits first makes every one of them round
// up (away from zero), whichever side its binary form fell on.
TEST(Format, TypedHalvesRoundAwayFromZero) {
  EXPECT_EQ(FloatToStrF(0.145L, ffFixed, 15, 2), "0.15");
  EXPECT_EQ(Format("%f", {999.995L}), "1000.00");
  EXPECT_EQ(Format("%.2n", {-1234.565L}), "-1,234.57");
  EXPECT_EQ(FloatToStrF(2.675L, ffGeneral, 3, 0), "2.68");
  EXPECT_EQ(FloatToStrF(1.0049999999999999L, ffFixed, 18, 2), "1.00") << "below the half stays";
  // A double holds 0.145 as 0.14499999999999999; its shortest form is the
  // text that was typed, so it rounds as the typed half does.
  EXPECT_EQ(FloatToStrF(0.145, ffFixed, 15, 2), "0.15");
  EXPECT_EQ(Format("%f", {999.995}), "1000.00");
  EXPECT_EQ(FloatToStrF(0.30000000000000004, ffFixed, 17, 17), "0.30000000000000004");
  EXPECT_EQ(FloatToStrF(0.1449999, ffFixed, 15, 2), "0.14") << "below the half stays";
  // Oracle: every k + 1/2 in thousandths, typed exactly, rounds to k + 1.
  for (int k = 0; k < 20000; ++k) {
    long double v = static_cast<long double>(2 * k + 1) / 2000.0L;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%d.%03d", (k + 1) / 1000, (k + 1) % 1000);
    ASSERT_EQ(FloatToStrF(v, ffFixed, 15, 3), expected) << k;
    ASSERT_EQ(FloatToStrF(-v, ffFixed, 15, 3), std::string("-") + expected) << k;
  }
}

TEST(Format, CurrencyFormatsLikeFloats) {
  const Currency c = Currency::FromRaw(12345678);  // 1234.5678
  EXPECT_EQ(CurrToStrF(c, ffExponent, 2), "1.234567800000000000E+03");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345678), ffExponent, 0), "-1.234567800000000000E+3");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(1), ffExponent, 9), "1.000000000000000000E-0004");
  EXPECT_EQ(CurrToStrF(Currency{}, ffExponent, 1), "0.000000000000000000E+0");
  EXPECT_EQ(CurrToStrF(c, ffFixed, 6), "1234.567800") << "decimals past four are padded";
  EXPECT_EQ(CurrToStrF(c, ffNumber, 30), "1,234.567800000000000000") << "at most 18";
  EXPECT_EQ(CurrToStrF(c, ffFixed, 2), "1234.57");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(-5), ffFixed, 3), "-0.001") << "half away from zero";
  EXPECT_EQ(Format("%.6m", {c}), "$1,234.567800");
  // The same digits as the float path wherever the value is exact in both.
  for (int digits = 0; digits <= 18; ++digits)
    for (TFloatFormat f : {ffFixed, ffNumber, ffCurrency})
      EXPECT_EQ(CurrToStrF(c, f, digits), FloatToStrF(1234.5678L, f, 18, digits)) << digits;
}

TEST(Format, MalformedFormatsRaiseInsteadOfCrashing) {
  const std::vector<std::pair<std::string, std::vector<TVarRec>>> bad = {
      {"%d", {"text"}}, {"%s", {1}}, {"%f", {1}},         {"%", {}},   {"%5", {1}},
      {"%q", {1}},      {"%.", {1}}, {"%99999999d", {1}}, {"%p", {1}},
  };
  for (const auto& [fmt, args] : bad) {
    EXPECT_THROW(Format(fmt, args.data(), args.size()), EConvertError) << fmt;
  }
  ExpectThrow<EConvertError>([] { Format("%d", {"x"}); },
                             "Format '%d' invalid or incompatible with argument");
  ExpectThrow<EConvertError>([] { Format("%s %s", {"only one"}); },
                             "No argument for format '%s %s'");
}

}  // namespace
}  // namespace tabulon
