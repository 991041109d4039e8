// Variant ordering: Null and empty, numbers across all numeric kinds against
// an exact oracle, booleans, dates, texts by collation, texts against
// numbers, and the pairs that cannot be compared.
#include <gtest/gtest.h>

#include <random>

#include "platform/core/exceptions.h"
#include "platform/sysutils/sysutils.h"
#include "platform/variants/variant.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

const char* const kOp = "Invalid variant operation";

TEST(VariantOrder, NullBeforeEverythingAndEqualOnlyToNull) {
  const Variant others[] = {Variant(),           Variant(-1e300),    Variant(int16_t{0}),
                            Variant(""),         Variant(false),     VarFromDateTime(-600000),
                            Variant(Currency{}), VarArrayOf({Null}), Variant(uint8_t{0})};
  EXPECT_EQ(VarCompare(Null, Null), 0);
  EXPECT_TRUE(Null == Null);
  for (const Variant& v : others) {
    EXPECT_EQ(VarCompare(Null, v), -1) << VarTypeAsText(VarType(v));
    EXPECT_EQ(VarCompare(v, Null), 1);
    EXPECT_FALSE(v == Null);
    EXPECT_TRUE(Null < v && v > Null && Null <= v && v >= Null && Null != v);
    EXPECT_EQ(VarCompareValue(Null, v), vrLessThan);
  }
  // Empty sits after Null and before every value.
  EXPECT_EQ(VarCompare(Variant(), Variant()), 0);
  EXPECT_EQ(VarCompare(Variant(), Variant(-5)), -1);
  EXPECT_EQ(VarCompare(Variant(""), Variant()), 1);
}

// A value of each numeric kind holding the same number; the oracle knows
// the exact number. Numbers are multiples of 0.5 in -3..3, exact in every kind.
Variant AsKind(double x, int kind) {
  switch (kind) {
    case 0:
      return Variant(static_cast<int16_t>(x));
    case 1:
      return Variant(static_cast<int32_t>(x));
    case 2:
      return Variant(static_cast<int64_t>(x));
    case 3:
      return Variant(static_cast<float>(x));
    case 4:
      return Variant(x);
    case 5:
      return Variant(Currency::FromRaw(static_cast<int64_t>(x * 10000)));
    case 6:
      return VarFromDateTime(x);
    case 7:
      return Variant(FloatToStr(x));  // a text holding the number
    default:
      return Variant(x != 0);  // false and true as 0 and 1
  }
}

TEST(VariantOrder, NumbersAcrossKindsAgreeWithExactOracle) {
  std::mt19937 rng(17);
  auto integral = [](int kind) { return kind <= 2; };
  for (int i = 0; i < 30000; ++i) {
    int ka = static_cast<int>(rng() % 9), kb = static_cast<int>(rng() % 9);
    if (ka == 7 && kb == 7) continue;                            // two texts compare as texts
    if ((ka == 7 && kb >= 6) || (kb == 7 && ka >= 6)) continue;  // texts read as dates/booleans
    double xa = (static_cast<int>(rng() % 13) - 6) * 0.5;
    double xb = (static_cast<int>(rng() % 13) - 6) * 0.5;
    if (integral(ka)) xa = std::trunc(xa);
    if (integral(kb)) xb = std::trunc(xb);
    if ((ka == 8) != (kb == 8)) continue;  // booleans compare with booleans only
    if (ka == 8) xa = rng() % 2;
    if (kb == 8) xb = rng() % 2;
    int expected = xa < xb ? -1 : xa > xb ? 1 : 0;
    ASSERT_EQ(VarCompare(AsKind(xa, ka), AsKind(xb, kb)), expected)
        << xa << " kind " << ka << " vs " << xb << " kind " << kb;
  }
}

TEST(VariantOrder, ExactAndLargeValues) {
  EXPECT_TRUE(Variant(Currency::FromRaw(1000)) == Variant(0.1)) << "currency 0.1 is the double 0.1";
  EXPECT_TRUE(Variant(0.1f) != Variant(0.1));
  EXPECT_EQ(VarCompare(Variant(INT64_MAX), Variant(INT64_MAX - 1)), 1)
      << "no rounding through double";
  EXPECT_EQ(VarCompare(Variant(INT64_MAX), Variant(9223372036854775807.0)), -1);
  EXPECT_EQ(VarCompare(Variant(Currency::FromRaw(INT64_MAX)), Variant(int64_t{922337203685477})),
            1);
  EXPECT_EQ(VarCompare(Variant(int64_t{INT64_MIN}), Variant(Currency::FromRaw(INT64_MIN))), -1);
  EXPECT_EQ(VarCompare(Variant(NAN), Variant(-1e308)), -1) << "NaN orders first among numbers";
  EXPECT_EQ(VarCompare(Variant(NAN), Variant(NAN)), 0);
  EXPECT_TRUE(VarFromDateTime(45000) == Variant(45000));
}

TEST(VariantOrder, BooleansDatesAndTexts) {
  TFixedClockScope clock(2026, 6, 15);
  EXPECT_EQ(VarCompare(Variant(false), Variant(true)), -1);
  EXPECT_TRUE(Variant(true) == Variant("True"));
  EXPECT_TRUE(Variant("false") == Variant(false));
  EXPECT_EQ(VarCompare(VarFromDateTime(EncodeDate(2024, 1, 1) + 0.5),
                       VarFromDateTime(EncodeDate(2024, 1, 1))),
            1);
  EXPECT_TRUE(Variant("3/5/2024") == VarFromDateTime(EncodeDate(2024, 3, 5)));
  EXPECT_TRUE(Variant("12") == Variant(12));
  EXPECT_TRUE(Variant(" 12.50 ") == Variant(12.5));
  EXPECT_EQ(VarCompare(Variant("9"), Variant(10)), -1)
      << "a text against a number compares numbers";
  EXPECT_EQ(VarCompare(Variant("9"), Variant("10")), 1) << "two texts compare as texts";
  EXPECT_EQ(VarCompare(Variant("a"), Variant("B")), -1) << "collation, not byte order";
  EXPECT_EQ(VarCompare(Variant("a"), Variant("A")), -1);
  EXPECT_EQ(VarCompare(Variant("Bob"), Variant("Dave")), -1);
  EXPECT_EQ(VarCompare(Variant(""), Variant("a")), -1);
}

TEST(VariantOrder, IncomparablePairsRaise) {
  ExpectThrow<EVariantError>([] { VarCompare(Variant("abc"), Variant(5)); }, kOp);
  ExpectThrow<EVariantError>([] { (void)(Variant(5) == Variant("abc")); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant("x"), VarFromDateTime(1)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant("maybe"), Variant(true)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant(true), Variant(-1)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant(0.0), Variant(false)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant("1"), Variant(true)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(VarArrayOf({1}), Variant(1)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Variant(1), Variant::Opaque(0x600F)); }, kOp);
  ExpectThrow<EVariantError>([] { VarCompare(Null, Variant::Opaque(0x600F)); }, kOp);
}

}  // namespace
}  // namespace tabulon
