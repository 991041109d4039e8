// Painting controls into a bitmap: bevels, text, clipping to the parent,
// z-order, scroll bars, and the control canvas inside and outside painting.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_builder.h"

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/exceptions.h"
#include "tests/platform/controls/place.h"

namespace tabulon {
namespace {

using testing::Add;
using testing::Place;

TColor Sys(TColor c) { return ColorToRGB(c); }

class PaintTest : public ::testing::Test {
 protected:
  TTextMetricsScope metrics{std::make_unique<TFixedTextMetrics>()};
  // A panel without bevels: its whole face is its colour.
  static TPanel* Flat(TPanel* panel, int l, int t, int w, int h, TColor color = clBtnFace) {
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(l, t, w, h);
    panel->SetColor(color);
    return panel;
  }
};

TEST_F(PaintTest, PanelBevelsFrameTheFaceColour) {
  auto p = std::make_unique<TPanel>(nullptr);
  p->SetBounds(0, 0, 20, 14);
  p->SetBevelInner(bvLowered);
  p->SetBevelWidth(2);
  p->SetBorderWidth(1);
  TBitmap bmp(24, 18);
  p->PaintTo(bmp.Canvas(), 2, 2);
  // Outside the panel: untouched white.
  EXPECT_EQ(bmp.GetPixel(1, 1), clWhite);
  EXPECT_EQ(bmp.GetPixel(22, 16), clWhite);
  // Raised outer bevel, 2 pixels: light top-left, shadow bottom-right.
  EXPECT_EQ(bmp.GetPixel(2, 2), Sys(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixel(3, 3), Sys(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixel(21, 15), Sys(clBtnShadow));
  EXPECT_EQ(bmp.GetPixel(20, 14), Sys(clBtnShadow));
  // Border in the panel's colour, then the lowered inner bevel (shadow on top).
  EXPECT_EQ(bmp.GetPixel(4, 6), Sys(clBtnFace));
  EXPECT_EQ(bmp.GetPixel(5, 5), Sys(clBtnShadow));
  EXPECT_EQ(bmp.GetPixel(18, 12), Sys(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixel(12, 9), Sys(clBtnFace));
  EXPECT_FALSE(p->GetInvalidated());
}

TEST_F(PaintTest, ChildrenPaintInZOrderClippedToTheirParent) {
  std::unique_ptr<TPanel> p(Flat(new TPanel(nullptr), 0, 0, 40, 20, clBlue));
  Flat(Add<TPanel>(p.get()), 5, 5, 10, 10, clRed);
  auto* over = Flat(Add<TPanel>(p.get()), 10, 10, 50, 50, clLime);  // runs past the parent
  TBitmap bmp(60, 40);
  p->PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(bmp.GetPixel(0, 0), clBlue);
  EXPECT_EQ(bmp.GetPixel(6, 6), clRed);
  EXPECT_EQ(bmp.GetPixel(12, 12), clLime);  // the later sibling lies on top
  EXPECT_EQ(bmp.GetPixel(39, 19), clLime);
  EXPECT_EQ(bmp.GetPixel(40, 19), clWhite);  // clipped at the parent's edge
  EXPECT_EQ(bmp.GetPixel(12, 20), clWhite);
  over->SendToBack();
  p->PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(bmp.GetPixel(12, 12), clRed);
}

TEST_F(PaintTest, LabelTextIsDrawnInItsFontAndHiddenControlsAreSkipped) {
  std::unique_ptr<TPanel> p(Flat(new TPanel(nullptr), 0, 0, 40, 20));
  auto* l = Add<TLabel>(p.get());
  l->SetLeft(3);
  l->SetTop(2);
  l->SetCaption("I I");
  l->GetFont()->SetColor(clMaroon);
  TBitmap bmp(40, 20);
  p->PaintTo(bmp.Canvas(), 0, 0);
  // Fixed metrics: a character is a block 5 wide from row 2 to row 10 of its cell.
  std::string row;
  for (int x = 0; x < 22; ++x) row += bmp.GetPixel(x, 2 + 5) == clMaroon ? '#' : '.';
  EXPECT_EQ(row, "...#####.......#####..");
  EXPECT_EQ(bmp.GetPixel(3, 2 + 1), Sys(clBtnFace));  // leading row: background
  EXPECT_EQ(bmp.GetPixel(3, 2 + 2), clMaroon);
  EXPECT_EQ(bmp.GetPixel(3, 2 + 10), clMaroon);        // the baseline row
  EXPECT_EQ(bmp.GetPixel(3, 2 + 11), Sys(clBtnFace));  // below the baseline
  l->SetVisible(false);
  TBitmap again(40, 20);
  p->PaintTo(again.Canvas(), 0, 0);
  EXPECT_EQ(again.GetPixel(5, 7), Sys(clBtnFace));
}

TEST_F(PaintTest, ScrollBoxPaintsItsBarsInTheNonClientArea) {
  auto box = std::make_unique<TScrollBox>(nullptr);
  box->SetBounds(0, 0, 60, 50);
  box->SetColor(clWhite);
  Place<TPanel>(box.get(), 0, 0, 30, 200);
  ASSERT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  TBitmap bmp(60, 50);
  bmp.Canvas().GetBrush()->SetColor(clBlack);
  bmp.Canvas().FillRect(Rect(0, 0, 60, 50));
  box->PaintTo(bmp.Canvas(), 0, 0);
  // Sunken border: shadow then dark shadow on top.
  EXPECT_EQ(bmp.GetPixel(10, 0), Sys(clBtnShadow));
  EXPECT_EQ(bmp.GetPixel(10, 1), Sys(cl3DDkShadow));
  // The bar occupies x 42..57; its top arrow button is face-coloured with a light edge.
  EXPECT_EQ(bmp.GetPixel(42, 2), Sys(cl3DLight));
  EXPECT_EQ(bmp.GetPixel(45, 5), Sys(clBtnFace));
  // The client area ends where the bar begins: content never paints under it.
  EXPECT_EQ(box->GetClientWidth(), 40);
}

class TCross : public TGraphicControl {
  TBN_CLASS(TCross, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    GetCanvas()->GetPen()->SetColor(clRed);
    GetCanvas()->MoveTo(0, 0);
    GetCanvas()->LineTo(GetWidth(), GetHeight());
  }
};
TBN_REGISTER(TCross) {}

TEST_F(PaintTest, ControlCanvasDrawsOnlyDuringPainting) {
  std::unique_ptr<TPanel> p(Flat(new TPanel(nullptr), 0, 0, 20, 20));
  auto* c = Place<TCross>(p.get(), 4, 4, 5, 5);
  EXPECT_FALSE(c->GetCanvas()->HasTarget());
  TBitmap bmp(20, 20);
  p->PaintTo(bmp.Canvas(), 0, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bmp.GetPixel(4 + i, 4 + i), clRed) << i;
  EXPECT_EQ(bmp.GetPixel(9, 9), Sys(clBtnFace));  // LineTo leaves the end point
  EXPECT_FALSE(c->GetCanvas()->HasTarget());
}

}  // namespace
}  // namespace tabulon
