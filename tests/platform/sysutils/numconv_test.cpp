// Number parsing: StrToInt's Val grammar and TextToFloat for extended and
// currency values, checked against tables and against a regular-expression
// oracle over random texts.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

// The random oracle below covers the grammar; these are the boundaries.
TEST(StrToInt, BoundariesAndMessages) {
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("$0000000001"), 1) << "leading zeros do not count towards 8 digits";
  int32_t v = 99;
  EXPECT_FALSE(TryStrToInt("2147483648", v) || TryStrToInt("$1FFFFFFFF", v) ||
               TryStrToInt("42 ", v));
  EXPECT_EQ(v, 99) << "a refused text leaves the value alone";
  EXPECT_EQ(StrToIntDef("0x10", -5), -5);
  int32_t nul = 0;
  EXPECT_FALSE(TryStrToInt(std::string_view("12\0", 3), nul)) << "an embedded NUL is not the end";
  ExpectThrow<EConvertError>([] { StrToInt("4.2"); }, "'4.2' is not a valid integer value");
  ExpectThrow<EConvertError>([] { StrToInt(""); }, "'' is not a valid integer value");
  int64_t big = 0;
  EXPECT_TRUE(TryStrToInt64("-9223372036854775808", big));
  EXPECT_EQ(big, INT64_MIN);
  EXPECT_TRUE(TryStrToInt64("$FFFFFFFFFFFFFFFF", big));
  EXPECT_EQ(big, -1);
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", big));
}

// Independent oracle: the grammar as a regular expression, the value by the C library.
bool OracleStrToInt(const std::string& s, int32_t& value) {
  static const std::regex grammar(R"(^ *([+-]?)(\d+|\$[0-9A-Fa-f]+)$)");
  std::smatch m;
  if (!std::regex_match(s, m, grammar)) return false;
  bool neg = m[1] == "-";
  std::string body = m[2];
  if (body[0] == '$') {
    std::string hex = body.substr(1);
    hex.erase(0, std::min(hex.find_first_not_of('0'), hex.size()));
    if (hex.size() > 8) return false;
    uint32_t u = hex.empty() ? 0 : static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
    if (neg) u = 0u - u;
    value = static_cast<int32_t>(u);
    return true;
  }
  body.erase(0, std::min(body.find_first_not_of('0'), body.size() - 1));
  if (body.size() > 12) return false;
  long long v = std::stoll(body) * (neg ? -1 : 1);
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int32_t>(v);
  return true;
}

TEST(StrToInt, AgreesWithOracleOnRandomTexts) {
  std::mt19937 rng(7);
  const std::string alphabet = "0123456789 +-$AfFx.9";
  for (int i = 0; i < 20000; ++i) {
    std::string s;
    int len = static_cast<int>(rng() % 12);
    for (int k = 0; k < len; ++k) s += alphabet[rng() % alphabet.size()];
    int32_t expected = 0, actual = 0;
    bool ok = OracleStrToInt(s, expected);
    ASSERT_EQ(TryStrToInt(s, actual), ok) << "'" << s << "'";
    if (ok) {
      ASSERT_EQ(actual, expected) << s;
    }
  }
}

bool OracleTextToFloat(const std::string& s, char sep, long double& value) {
  auto grammar = [](char separator) {
    const std::string S = std::string("[") + separator + "]";
    return std::regex(R"(^ *[+-]?(\d+)" + S + R"(?\d*|)" + S + R"(\d+)([eE][+-]?\d+)? *$)");
  };
  static const std::regex dot = grammar('.'), comma = grammar(',');
  if (!std::regex_match(s, sep == '.' ? dot : comma)) return false;
  std::string c = s;
  for (char& ch : c)
    if (ch == sep) ch = '.';
  value = std::strtold(c.c_str(), nullptr);
  return !std::isinf(value);
}

TEST(TextToFloat, AgreesWithOracleForBothSeparators) {
  std::mt19937 rng(11);
  for (char sep : {'.', ','}) {
    TFormatSettingsScope scope;
    FormatSettings().DecimalSeparator = sep;
    const std::string alphabet = std::string("0123456789 eE+-") + sep + ".9";
    for (int i = 0; i < 20000; ++i) {
      std::string s;
      int len = static_cast<int>(rng() % 10);
      for (int k = 0; k < len; ++k) s += alphabet[rng() % alphabet.size()];
      long double expected = 0, actual = 0;
      bool ok = OracleTextToFloat(s, sep, expected);
      ASSERT_EQ(TextToFloat(s, actual), ok) << "'" << s << "' sep " << sep;
      if (ok) {
        ASSERT_EQ(actual, expected) << s;
      }
    }
  }
}

TEST(TextToFloat, DecimalSeparatorExtremesAndMessages) {
  long double v = 0;
  EXPECT_TRUE(TextToFloat("1e4000", v)) << "inside the extended range";
  EXPECT_FALSE(TextToFloat("1e5000", v));
  EXPECT_TRUE(TextToFloat("1e-99999", v));
  EXPECT_EQ(v, 0.0L);
  EXPECT_FALSE(TextToFloat("1e99999999999999999999", v));
  EXPECT_TRUE(TextToFloat(std::string(5000, '1') + "e-4999", v));
  EXPECT_NEAR(static_cast<double>(v), 1.1111111111, 1e-9);
  for (const char* bad : {"inf", "nan", "0x10", "1..2", ".", "e3", "1e", "1e+", "1 2"})
    EXPECT_FALSE(TextToFloat(bad, v)) << bad;
  EXPECT_EQ(StrToFloat(" -1.5 "), -1.5L);
  ExpectThrow<EConvertError>([] { StrToFloat("1,5"); },
                             "'1,5' is not a valid floating point value");
  TFormatSettingsScope scope;
  FormatSettings().DecimalSeparator = ',';
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  ExpectThrow<EConvertError>([] { StrToFloat("1.5"); },
                             "'1.5' is not a valid floating point value");
  EXPECT_EQ(StrToCurr("-2,25").Value, -22500);
}

TEST(TextToFloat, CurrencyRoundsHalvesToEvenAndChecksRange) {
  struct {
    const char* text;
    int64_t raw;
  } ok[] = {{"1.23455", 12346},
            {"1.23465", 12346},
            {"0.00005", 0},
            {"0.00015", 2},
            {"-1.23455", -12346},
            {"0.000050001", 1},
            {"1e-10", 0},
            {"12.5e2", 12500000},
            {"922337203685477.5807", INT64_MAX},
            {"-922337203685477.5808", INT64_MIN},
            {"0.00004999999999999999999999999999999999999999999999", 0},
            {"0.00005000000000000000000000000000000000000000000001", 1}};
  for (const auto& c : ok) {
    Currency cur;
    ASSERT_TRUE(TextToFloat(c.text, cur)) << c.text;
    EXPECT_EQ(cur.Value, c.raw) << c.text;
  }
  Currency cur;
  for (const char* bad : {"922337203685477.5808", "-922337203685477.5809", "1e19", "abc", ""})
    EXPECT_FALSE(TextToFloat(bad, cur)) << bad;
  ExpectThrow<EConvertError>([] { StrToCurr("1e19"); },
                             "'1e19' is not a valid floating point value");
  EXPECT_TRUE(FloatToCurr(2.5L / 10000, cur));
  EXPECT_EQ(cur.Value, 2);
  EXPECT_FALSE(FloatToCurr(1e300L, cur));
}

}  // namespace
}  // namespace tabulon
