// Format and float-to-text edge cases.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/format_settings.h"

namespace tabulon {
namespace {

struct Case {
  const char* fmt;
  std::vector<TVarRec> args;
  const char* expected;
};

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

TEST(Format, MalformedFormatsRaiseInsteadOfCrashing) {
  const std::vector<std::pair<std::string, std::vector<TVarRec>>> bad = {
      {"%d", {"text"}}, {"%s", {1}}, {"%f", {1}},         {"%", {}},   {"%5", {1}},
      {"%q", {1}},      {"%.", {1}}, {"%99999999d", {1}}, {"%p", {1}},
  };
  for (const auto& [fmt, args] : bad) {
    EXPECT_THROW(Format(fmt, args.data(), args.size()), EConvertError) << fmt;
  }
  try {
    Format("%d", {"x"});
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '%d' invalid or incompatible with argument");
  }
  try {
    Format("%s %s", {"only one"});
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "No argument for format '%s %s'");
  }
}

}  // namespace
}  // namespace tabulon
