// TSpeedButton: the image drawn for each state, mouse tracking with its
// click, and groups that keep one button down.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/speedbutton.h"

namespace tabulon {
namespace {

struct SpeedFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    button = new TSpeedButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 23, 22);
    button->OnClick = [this](TObject*) { trace += "click;"; };
  }
  // The colour at the centre of the glyph (a 4-image bitmap of 5x5 squares).
  TColor CentreColour() {
    TBitmap bmp(23, 22);
    button->PaintTo(bmp.Canvas(), 0, 0);
    return bmp.GetPixel(11 + (button->GetState() >= bsDown ? 1 : 0),
                        10 + (button->GetState() >= bsDown ? 1 : 0));
  }
  void Mouse(uint32_t msg, int x, int y) {
    button->Perform(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MakeLParam(x, y));
  }
  std::unique_ptr<TForm> form;
  TSpeedButton* button = nullptr;
  std::string trace;
};

TEST_F(SpeedFixture, EachStateDrawsItsImage) {
  // Four 7x7 images: white frame (transparent), a centre of red, grey, blue, green.
  TBitmap glyph(28, 7);
  const TColor centres[] = {clRed, clGray, clBlue, clLime};
  for (int i = 0; i < 4; ++i)
    for (int y = 1; y < 6; ++y)
      for (int x = 1; x < 6; ++x) glyph.SetPixel(i * 7 + x, y, centres[i]);
  button->SetGlyph(&glyph);
  button->SetNumGlyphs(9);
  EXPECT_EQ(button->GetNumGlyphs(), 4);
  EXPECT_EQ(CentreColour(), clRed);
  Mouse(WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(button->GetState(), bsDown);
  EXPECT_EQ(CentreColour(), clBlue);
  button->SetEnabled(false);
  EXPECT_EQ(CentreColour(), clGray);
  button->SetEnabled(true);
  button->SetGroupIndex(1);
  button->SetDown(true);
  EXPECT_EQ(button->GetState(), bsExclusive);
  EXPECT_EQ(CentreColour(), clLime);
  // One image only: the disabled button is drawn embossed in the shadow colour.
  TBitmap one(7, 7);
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 6; ++x) one.SetPixel(x, y, clRed);
  button->SetGlyph(&one);
  button->SetNumGlyphs(1);
  button->SetGroupIndex(0);
  button->SetEnabled(false);
  EXPECT_EQ(CentreColour(), ColorToRGB(clBtnShadow));
}

TEST_F(SpeedFixture, PressTracksTheMouseAndClicksOnReleaseInside) {
  button->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int) {
    trace += "down" + std::to_string(x) + ";";
  };
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_MOUSEMOVE, 40, 5);
  EXPECT_EQ(button->GetState(), bsUp);  // drawn up while the mouse is away
  Mouse(WM_MOUSEMOVE, 6, 6);
  EXPECT_EQ(button->GetState(), bsDown);
  Mouse(WM_LBUTTONUP, 6, 6);
  EXPECT_EQ(button->GetState(), bsUp);
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_LBUTTONUP, 50, 5);  // released away: no click
  EXPECT_EQ(trace, "down5;click;down5;");
}

TEST_F(SpeedFixture, AGroupKeepsOneButtonDown) {
  auto* second = new TSpeedButton(form.get());
  second->SetParent(form.get());
  button->SetGroupIndex(3);
  second->SetGroupIndex(3);
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_LBUTTONUP, 5, 5);
  EXPECT_TRUE(button->GetDown());
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_LBUTTONUP, 5, 5);
  EXPECT_TRUE(button->GetDown());  // without AllowAllUp it stays down
  second->SetDown(true);
  EXPECT_FALSE(button->GetDown());
  EXPECT_EQ(button->GetState(), bsUp);
  second->SetAllowAllUp(true);
  second->SetDown(false);
  EXPECT_FALSE(second->GetDown());
  EXPECT_EQ(trace, "click;click;");
}

}  // namespace
}  // namespace tabulon
