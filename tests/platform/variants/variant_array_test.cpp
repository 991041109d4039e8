// Variant arrays: creation and bounds, typed elements, several dimensions,
// copy-on-write sharing, re-dimensioning, nesting and element-wise ordering.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/core/exceptions.h"
#include "platform/variants/variant.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

const char* const kBounds = "Variant array index out of bounds";
const char* const kCreate = "Error creating variant array";
const char* const kNotArray = "Variant is not an array";

TEST(VariantArray, TypedElementsAndBounds) {
  Variant a = VarArrayCreate({1, 3}, varInteger);
  EXPECT_EQ(VarType(a), varArray | varInteger);
  EXPECT_TRUE(VarIsArray(a));
  EXPECT_EQ(VarArrayDimCount(a), 1);
  EXPECT_EQ(VarArrayLowBound(a, 1), 1);
  EXPECT_EQ(VarArrayHighBound(a, 1), 3);
  EXPECT_EQ(VarType(a.GetElement(1)), varInteger);
  EXPECT_EQ(a.GetElement(3).AsInteger(), 0);
  a.SetElement(2, Variant("7"));
  EXPECT_EQ(VarType(a.GetElement(2)), varInteger) << "elements are cast to the element type";
  EXPECT_EQ(a.GetElement(2).AsInteger(), 7);
  ExpectThrow<EVariantError>([&] { a.SetElement(2, Variant("x")); },
                             "Invalid variant type conversion");
  EXPECT_EQ(a.GetElement(2).AsInteger(), 7) << "a failed store changes nothing";
  ExpectThrow<EVariantError>([&] { a.GetElement(0); }, kBounds);
  ExpectThrow<EVariantError>([&] { a.SetElement(4, 1); }, kBounds);
  ExpectThrow<EVariantError>([&] { VarArrayHighBound(a, 2); }, kBounds);
  ExpectThrow<EVariantError>([&] { VarArrayLowBound(a, 0); }, kBounds);
  ExpectThrow<EVariantError>([&] { VarArrayGet(a, {1, 1}); }, kBounds);
  ExpectThrow<EVariantError>([] { VarArrayDimCount(Variant(5)); }, kNotArray);
  ExpectThrow<EVariantError>([] { Variant(5).GetElement(0); }, kNotArray);
  EXPECT_EQ(VarType(VarArrayCreate({0, 0}, varString).GetElement(0)), varString);
  EXPECT_TRUE(VarIsEmpty(VarArrayCreate({0, 0}, varVariant).GetElement(0)));
  EXPECT_EQ(VarArrayHighBound(VarArrayCreate({5, 4}, varVariant)), 4) << "an empty array";
}

TEST(VariantArray, CreationFailures) {
  ExpectThrow<EVariantError>([] { VarArrayCreate({1, -5}, varInteger); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({1}, varInteger); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({}, varInteger); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({0, 1}, varNull); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({0, 1}, varOleStr); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({0, 1 << 30}, varInteger); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({0, 1 << 14, 0, 1 << 14}, varInteger); }, kCreate);
  ExpectThrow<EVariantError>([] { VarArrayCreate({INT32_MIN, INT32_MAX}, varInteger); }, kCreate);
}

TEST(VariantArray, SeveralDimensionsAndRedim) {
  Variant m = VarArrayCreate({0, 1, 5, 7}, varVariant);
  EXPECT_EQ(VarArrayDimCount(m), 2);
  EXPECT_EQ(VarArrayLowBound(m, 2), 5);
  EXPECT_EQ(VarArrayHighBound(m, 2), 7);
  for (int r = 0; r <= 1; ++r)
    for (int c = 5; c <= 7; ++c) VarArrayPut(m, Variant(r * 10 + c), {r, c});
  EXPECT_EQ(VarArrayGet(m, {1, 6}).AsInteger(), 16);
  VarArrayRedim(m, 8);
  EXPECT_EQ(VarArrayHighBound(m, 2), 8);
  EXPECT_EQ(VarArrayGet(m, {1, 7}).AsInteger(), 17) << "rows keep their elements";
  EXPECT_TRUE(VarIsEmpty(VarArrayGet(m, {0, 8})));
  VarArrayRedim(m, 5);
  EXPECT_EQ(VarArrayGet(m, {1, 5}).AsInteger(), 15);
  ExpectThrow<EVariantError>([&] { VarArrayGet(m, {1, 6}); }, kBounds);
}

TEST(VariantArray, CopiesAreIndependent) {
  Variant a = VarArrayOf({1, "two", Null});
  Variant b = a;
  b.SetElement(1, 2);
  EXPECT_EQ(VarToStr(a.GetElement(1)), "two");
  EXPECT_EQ(b.GetElement(1).AsInteger(), 2);
  Variant c = b;
  VarArrayPut(c, Variant(3.5), {2});
  EXPECT_TRUE(VarIsNull(b.GetElement(2)));
  VarArrayRedim(c, 5);
  EXPECT_EQ(VarArrayHighBound(b), 2);
  EXPECT_EQ(VarArrayHighBound(c), 5);
}

TEST(VariantArray, NestingAndElementWiseOrder) {
  Variant nested = VarArrayOf({1, VarArrayOf({2, 3})});
  EXPECT_EQ(nested.GetElement(1).GetElement(1).AsInteger(), 3);
  EXPECT_EQ(VarCompare(VarArrayOf({1, 2}), VarArrayOf({1, 3})), -1);
  EXPECT_EQ(VarCompare(VarArrayOf({1, 2}), VarArrayOf({1, 2, 0})), -1);
  EXPECT_EQ(VarCompare(VarArrayOf({Null}), VarArrayOf({0})), -1);
  EXPECT_TRUE(VarArrayOf({1, "a", Null}) == VarArrayOf({1.0, "a", Null}));
  EXPECT_TRUE(nested == VarArrayOf({1, VarArrayOf({2, 3})}));
  std::ostringstream printed;
  printed << nested << " | " << VarArrayOf({Null, "x", Variant()}) << " | "
          << Variant::Opaque(0x600F);
  EXPECT_EQ(printed.str(),
            "Array of Variant [Integer 1, Array of Variant [Integer 2, Integer 3]] | "
            "Array of Variant [Null, String \"x\", Empty] | $600F");
  std::vector<Variant> values{Variant(1), Variant(2)};
  EXPECT_EQ(VarArrayHighBound(VarArrayOf(values)), 1);
}

}  // namespace
}  // namespace tabulon
