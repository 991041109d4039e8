// Colours (system palette, identifiers, text forms) and fonts (size and
// height, change notification, assignment).
#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/core/props.h"
#include "platform/graphics/color.h"
#include "platform/graphics/graphobj.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

TEST(Colors, SystemColoursResolveThroughThePaletteAndStreamAsIdentifiers) {
  EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(static_cast<uint32_t>(clWindow), 0x80000005u);
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  TColor old = SetSysColor(COLOR_BTNFACE, clTeal);
  EXPECT_EQ(ColorToRGB(clBtnFace), clTeal);
  SetSysColor(COLOR_BTNFACE, old);

  const TTypeInfo* ti = TypeInfoOf<TColor>();
  EXPECT_EQ(ti->Kind, tkInteger);
  EXPECT_EQ(ti->Name, "TColor");
  for (auto [c, name] :
       std::vector<std::pair<TColor, std::string>>{{clBtnFace, "clBtnFace"},
                                                   {clWindow, "clWindow"},
                                                   {clSilver, "clSilver"},
                                                   {clNone, "clNone"},
                                                   {cl3DDkShadow, "cl3DDkShadow"}}) {
    EXPECT_EQ(ColorToString(c), name);
    EXPECT_EQ(StringToColor(name), c);
  }
  EXPECT_EQ(StringToColor("clLtGray"), clSilver);  // alias reads, first name writes
  EXPECT_EQ(ColorToString(RGB(1, 2, 3)), "$00030201");
  EXPECT_EQ(StringToColor("$00030201"), RGB(1, 2, 3));
  EXPECT_EQ(StringToColor("$8000000F"), clBtnFace);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("-16777201"), static_cast<TColor>(-16777201));
  for (const char* bad : {"", "clNoSuchColour", "$", "12x", "$1FFFFFFFF", "4294967295"})
    ExpectThrow<EConvertError>([&] { StringToColor(bad); },
                               "'" + std::string(bad) + "' is not a valid integer value");
}

TEST(Fonts, SizeAndHeightAreOneValueAtNinetySixPixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.GetName(), "MS Sans Serif");
  EXPECT_EQ(f.GetHeight(), -11);
  EXPECT_EQ(f.GetSize(), 8);
  EXPECT_EQ(f.GetColor(), clWindowText);
  // Height = -round(size * 96 / 72), size = -round(height * 72 / 96).
  for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 24, 36, 72}) {
    f.SetSize(size);
    EXPECT_EQ(f.GetHeight(), -static_cast<int>(std::lround(size * 96.0 / 72.0))) << size;
    EXPECT_EQ(f.GetSize(), size);
  }
  f.SetHeight(20);  // a positive height is a cell height: size from it directly
  EXPECT_EQ(f.GetSize(), -15);
  EXPECT_EQ(MulDiv(-11, 72, 96), -8);
  EXPECT_EQ(MulDiv(5, 3, 2), 8);  // 7.5 rounds away from zero
  EXPECT_EQ(MulDiv(-5, 3, 2), -8);
}

TEST(Fonts, ChangesNotifyOnceEachAndAssignCopiesEverything) {
  TFont a, b;
  int changes = 0;
  a.OnChange = TNotifyEvent([&](TObject* s) {
    EXPECT_EQ(s, &a);
    ++changes;
  });
  a.SetName("Arial");
  a.SetName("Arial");  // unchanged
  a.SetStyle({fsBold, fsItalic});
  a.SetColor(clRed);
  a.SetPitch(fpFixed);
  a.SetCharset(ANSI_CHARSET);
  a.SetSize(8);  // unchanged height
  EXPECT_EQ(changes, 5);
  b.SetName("Times New Roman");
  b.SetHeight(-20);
  a.Assign(&b);
  EXPECT_EQ(changes, 6);
  EXPECT_TRUE(a.SameAs(b));
  EXPECT_FALSE(a.GetStyle().Contains(fsBold));
  TPen pen;
  ExpectThrow<EConvertError>([&] { a.Assign(&pen); }, "Cannot assign a TPen to a TFont");
  // Published properties reach the font by name; Size is not stored.
  EXPECT_EQ(GetStrProp(&a, "Name"), "Times New Roman");
  EXPECT_FALSE(IsStoredProp(&a, GetPropInfo(&a, "Size")));
  EXPECT_EQ(GetPropInfo(&a, "Color")->PropType->IdentOf(GetOrdProp(&a, "Color")), "clWindowText");
}

}  // namespace
}  // namespace tabulon
