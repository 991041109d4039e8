// Variant values: inline storage and sharing, type codes, opaque codes, the
// cast table (successes with exact results, failures with exact messages)
// and the variant-to-text conversion.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "platform/variants/variant.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

const char* const kCast = "Invalid variant type conversion";
const char* const kOverflow = "Overflow while converting variant";

TEST(VariantValue, TypeCodesStorageAndSharing) {
  EXPECT_EQ(sizeof(Variant), 16u) << "numbers, dates and Null live inline";
  const std::pair<Variant, TVarType> codes[] = {{Variant(), varEmpty},
                                                {Null, varNull},
                                                {int16_t{1}, varSmallint},
                                                {1, varInteger},
                                                {uint8_t{1}, varByte},
                                                {int64_t{1}, varInt64},
                                                {uint16_t{65535}, varInteger},
                                                {uint32_t{4000000000u}, varInt64},
                                                {1.0f, varSingle},
                                                {1.0, varDouble},
                                                {1.0L, varDouble},
                                                {Currency{}, varCurrency},
                                                {VarFromDateTime(1.5), varDate},
                                                {true, varBoolean},
                                                {"x", varString},
                                                {VarArrayOf({1}), varArray | varVariant}};
  for (const auto& [value, code] : codes) EXPECT_EQ(VarType(value), code) << value;
  EXPECT_TRUE(VarIsNull(Null) && !VarIsEmpty(Null) && VarIsClear(Null) && VarIsClear(Unassigned));
  EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).StrView(), "");

  Variant a(std::string(100, 'x'));
  Variant b = a;
  EXPECT_EQ(a.StrView().data(), b.StrView().data()) << "copies share the text";
  Variant c = std::move(b);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(c.StrView().size(), 100u);
  Variant& alias = c;
  c = alias;  // self-assignment keeps the value
  EXPECT_EQ(c.StrView().size(), 100u);
  a = 5;
  EXPECT_EQ(c.StrView().size(), 100u) << "the text outlives the variant it came from";
  EXPECT_TRUE(VarIsOrdinal(a) && VarIsNumeric(a) && !VarIsFloat(a) && !VarIsStr(a));
  EXPECT_TRUE(VarIsFloat(Variant(Currency{})) && VarIsStr(c));
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), "Array of Variant");
  EXPECT_EQ(VarTypeAsText(0x600F), "Ref to Array of $000F");
}

TEST(VariantValue, OpaqueTypeCodeIsCarriedAndRefused) {
  Variant v = Variant::Opaque(0x600F);
  EXPECT_EQ(VarType(v), 0x600F);
  EXPECT_TRUE(v.IsOpaque());
  EXPECT_FALSE(VarIsArray(v)) << "it holds no array to index";
  EXPECT_FALSE(VarIsNull(v) || VarIsEmpty(v) || VarIsNumeric(v));
  Variant copy = v;
  EXPECT_EQ(VarType(copy), 0x600F);
  ExpectThrow<EVariantError>([&] { VarAsType(v, varInteger); }, kCast);
  ExpectThrow<EVariantError>([&] { VarAsType(v, varString); }, kCast);
  ExpectThrow<EVariantError>([&] { VarToStr(v); }, kCast);
  ExpectThrow<EVariantError>([&] { (void)(v == Null); }, "Invalid variant operation");
  ExpectThrow<EVariantError>([&] { VarArrayLowBound(v); }, "Variant is not an array");
}

struct CastCase {
  Variant from;
  TVarType to;
  std::optional<Variant> result;  // none: the cast fails with `message`
  const char* message;
};

// Runs a cast table: each success must give exactly the type and value
// expected, each failure EVariantError with the exact text.
void RunCasts(const std::vector<CastCase>& cases) {
  int row = 0;
  for (const CastCase& c : cases) {
    SCOPED_TRACE("row " + std::to_string(row++));
    if (c.result) {
      Variant r = VarAsType(c.from, c.to);
      EXPECT_EQ(VarType(r), VarType(*c.result));
      EXPECT_TRUE(r == *c.result) << VarToStr(r) << " vs " << VarToStr(*c.result);
      Variant dest;
      VarCast(dest, c.from, c.to);
      EXPECT_EQ(VarType(dest), VarType(*c.result));
    } else {
      ExpectThrow<EVariantError>([&] { VarAsType(c.from, c.to); }, c.message);
    }
  }
}

TEST(VariantCast, NumbersBooleansAndEmpty) {
  RunCasts({
      {Variant(2.5), varInteger, Variant(2), nullptr},  // halves to even
      {Variant(3.5), varInteger, Variant(4), nullptr},
      {Variant(Currency::FromRaw(25000)), varInteger, Variant(2), nullptr},
      {Variant(Currency::FromRaw(-35001)), varInteger, Variant(-4), nullptr},
      {Variant(true), varInteger, Variant(-1), nullptr},
      {Variant(false), varDouble, Variant(0.0), nullptr},
      {Variant(7), varBoolean, Variant(true), nullptr},
      {Variant(1), varCurrency, Variant(Currency::FromRaw(10000)), nullptr},
      {Variant(0.125), varCurrency, Variant(Currency::FromRaw(1250)), nullptr},
      // the double nearest 0.12345 lies above the half
      {Variant(0.12345), varCurrency, Variant(Currency::FromRaw(1235)), nullptr},
      {VarFromDateTime(45000.75), varDouble, Variant(45000.75), nullptr},
      {Variant(70000), varSmallint, std::nullopt, kOverflow},
      {Variant(256), varByte, std::nullopt, kOverflow},
      {Variant(int64_t{1} << 40), varInteger, std::nullopt, kOverflow},
      {Variant(1e10), varInteger, std::nullopt, kOverflow},
      {Variant(NAN), varInteger, std::nullopt, kOverflow},
      {Variant(1e300), varSingle, std::nullopt, kOverflow},
      {Variant(int64_t{INT64_MAX}), varCurrency, std::nullopt, kOverflow},
      {Variant(1e9), varDate, std::nullopt, kOverflow},
      {Variant(), varInteger, Variant(0), nullptr},
      {Variant(), varString, Variant(""), nullptr},
      {Variant(), varNull, Null, nullptr},
      {Null, varInteger, std::nullopt, kCast},
      {Null, varEmpty, Variant(), nullptr},
      {Null, varVariant, Null, nullptr},
      {Variant(1), varOleStr, std::nullopt, kCast},
      {Variant(1), 0x600F, std::nullopt, kCast},
  });
}

TEST(VariantCast, FromTextThroughTheLocale) {
  TFixedClockScope clock(2026, 6, 15);
  RunCasts({
      {Variant("12"), varSmallint, Variant(int16_t{12}), nullptr},
      {Variant("$10"), varInteger, Variant(16), nullptr},
      {Variant("12.5"), varInteger, Variant(12), nullptr},
      {Variant("1e3"), varInteger, Variant(1000), nullptr},
      {Variant("abc"), varInteger, std::nullopt, kCast},
      {Variant("40000"), varSmallint, std::nullopt, kOverflow},
      {Variant("1.5"), varDouble, Variant(1.5), nullptr},
      {Variant("1e400"), varDouble, std::nullopt, kOverflow},
      {Variant("1,5"), varDouble, std::nullopt, kCast},
      {Variant("0.1"), varSingle, Variant(0.1f), nullptr},
      {Variant("1.23455"), varCurrency, Variant(Currency::FromRaw(12346)), nullptr},
      {Variant("922337203685477.5808"), varCurrency, std::nullopt, kOverflow},
      {Variant("true"), varBoolean, Variant(true), nullptr},
      {Variant("2"), varBoolean, Variant(true), nullptr},
      {Variant("yes"), varBoolean, std::nullopt, kCast},
      {Variant("12/31/99"), varDate, VarFromDateTime(EncodeDate(2099, 12, 31)), nullptr},
      {Variant("12/31/2025 6:00 PM"), varDate, VarFromDateTime(EncodeDate(2025, 12, 31) + 0.75),
       nullptr},
      {Variant("31/12/2025"), varDate, std::nullopt, kCast},
      {Variant("6:00 PM"), varDate, VarFromDateTime(0.75), nullptr},
      {Variant("45000"), varDate, std::nullopt, kCast},
  });
  TFormatSettingsScope scope;
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().ShortDateFormat = "dd.mm.yyyy";
  FormatSettings().DateSeparator = '.';
  RunCasts({
      {Variant("1,5"), varDouble, Variant(1.5), nullptr},
      {Variant("1.5"), varDouble, std::nullopt, kCast},
      {Variant("2,5"), varInteger, Variant(2), nullptr},
      {Variant("31.12.2025"), varDate, VarFromDateTime(EncodeDate(2025, 12, 31)), nullptr},
  });
  EXPECT_EQ(VarToStr(Variant(1.5)), "1,5");
  EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2025, 12, 31))), "31.12.2025");
}

// The typed accessors are VarAsType with a fast path for their own kind.
TEST(VariantCast, TypedAccessorsRaiseLikeTheCasts) {
  EXPECT_EQ(Variant(uint32_t{4000000000u}).AsInt64(), 4000000000);
  ExpectThrow<EVariantError>([] { (void)Null.AsString(); }, kCast);
  ExpectThrow<EVariantError>([] { (void)Variant("x").AsDouble(); }, kCast);
  ExpectThrow<EVariantError>([] { (void)Variant(1).StrView(); }, kCast);
}

TEST(VariantText, VarToStrOfEveryKind) {
  const double when = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  struct {
    Variant value;
    const char* text;
  } cases[] = {
      {Null, ""},
      {Variant(), ""},
      {Variant(int16_t{-5}), "-5"},
      {Variant(2147483647), "2147483647"},
      {Variant(uint8_t{255}), "255"},
      {Variant(int64_t{-9000000000}), "-9000000000"},
      {Variant(0.1f), "0.1"},
      {Variant(0.1), "0.1"},
      {Variant(1e20), "1E20"},
      {Variant(1.0 / 3), "0.333333333333333"},
      {Variant(Currency::FromRaw(12500)), "1.25"},
      {Variant(Currency::FromRaw(-5)), "-0.0005"},
      {VarFromDateTime(when), "3/5/2024 2:07:09 PM"},
      {VarFromDateTime(EncodeDate(2024, 3, 5)), "3/5/2024"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant("abc  "), "abc  "},
  };
  for (const auto& c : cases) EXPECT_EQ(VarToStr(c.value), c.text);
  ExpectThrow<EVariantError>([] { VarToStr(VarArrayOf({1})); }, kCast);
  EXPECT_EQ(VarAsType(VarFromDateTime(when), varString).StrView(), "3/5/2024 2:07:09 PM");
}

}  // namespace
}  // namespace tabulon
