// Canvas drawing: the ellipsis glyph built with PatBlt, rectangles, lines,
// clipping and origins, text clipped by TextRect, pictures, system bitmaps.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/exceptions.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/sysmetrics.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

std::vector<std::string> Picture(const TBitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.GetHeight(); ++y) {
    std::string r;
    for (int x = 0; x < b.GetWidth(); ++x) r += b.GetPixel(x, y) == clBlack ? '#' : '.';
    rows.push_back(r);
  }
  return rows;
}

// The three-dot glyph of an ellipsis button of `buttonWidth` pixels: a
// monochrome bitmap 4 high, dots 2x2 painted black with PatBlt, spread
// evenly with gaps of 1 to 3 pixels.
std::unique_ptr<TBitmap> EllipsisGlyph(int buttonWidth) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetMonochrome(true);
  bmp->SetSize(buttonWidth > 7 ? buttonWidth - 6 : 1, 4);
  const int d = 2;
  int w = bmp->GetWidth();
  int gap = std::clamp((w - 3 * d) / 2, 1, 3);
  int indent = (w - 3 * d - 2 * gap) / 2;
  for (int i = 0; i < 3; ++i) bmp->Canvas().PatBlt(indent + i * (gap + d), 1, d, d, BLACKNESS);
  return bmp;
}

TEST(Canvas, EllipsisGlyphIsThreeDotsPaintedWithBlackness) {
  auto g = EllipsisGlyph(GetSystemMetrics(SM_CXVSCROLL));  // 16: a 10x4 glyph
  EXPECT_TRUE(g->GetMonochrome());
  EXPECT_EQ(Picture(*g),
            (std::vector<std::string>{"..........", "##..##..##", "##..##..##", ".........."}));
  // Wider buttons spread the dots with the largest gap, centred.
  EXPECT_EQ(Picture(*EllipsisGlyph(24))[1], "...##...##...##...");
  // Narrow buttons keep a gap of one; the dots may run off a tiny bitmap.
  EXPECT_EQ(Picture(*EllipsisGlyph(14))[1], "##.##.##");
  EXPECT_EQ(Picture(*EllipsisGlyph(7))[1], "#");
  // WHITENESS clears again; unknown raster codes are refused.
  g->Canvas().PatBlt(0, 0, 10, 4, WHITENESS);
  EXPECT_EQ(Picture(*g)[1], "..........");
  ExpectThrow<EInvalidOperation>([&] { g->Canvas().PatBlt(0, 0, 1, 1, 0x00CC0020); },
                                 "Unsupported raster operation $CC0020");
}

TEST(Canvas, MonochromeBitmapsQuantiseByBrightness) {
  TBitmap b(3, 1, true);
  b.SetPixel(0, 0, clYellow);   // bright
  b.SetPixel(1, 0, clNavy);     // dark
  b.SetPixel(2, 0, clBtnFace);  // silver: bright
  EXPECT_EQ(b.GetPixel(0, 0), clWhite);
  EXPECT_EQ(b.GetPixel(1, 0), clBlack);
  EXPECT_EQ(b.GetPixel(2, 0), clWhite);
  TBitmap c(2, 1);
  c.SetPixel(0, 0, clGray);
  c.SetPixel(1, 0, clMaroon);
  c.SetMonochrome(true);
  EXPECT_EQ(c.GetPixel(0, 0), clWhite);  // 128 is at least half
  EXPECT_EQ(c.GetPixel(1, 0), clBlack);
}

TEST(Canvas, ShapesHonourOriginAndClip) {
  TBitmap b(8, 6);
  TCanvas& c = b.Canvas();
  c.GetBrush()->SetColor(clBlack);
  c.FrameRect(Rect(0, 0, 8, 6));
  c.GetPen()->SetColor(clBlack);
  c.MoveTo(2, 2);
  c.LineTo(6, 2);  // up to, not including, the end
  EXPECT_EQ(Picture(b), (std::vector<std::string>{"########", "#......#", "#.####.#", "#......#",
                                                  "#......#", "########"}));
  // Shift the origin and clip to a 2x2 window: a big fill touches only it.
  TCanvasTarget saved = c.GetTarget();
  c.OffsetOrigin(3, 3);
  c.IntersectClipRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 2, 2));
  c.GetBrush()->SetColor(clRed);
  c.FillRect(Rect(-100, -100, 100, 100));
  c.SetTarget(saved);
  int red = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) red += b.GetPixel(x, y) == clRed;
  EXPECT_EQ(red, 4);
  EXPECT_EQ(b.GetPixel(3, 3), clRed);
  EXPECT_EQ(b.GetPixel(4, 4), clRed);
  // A clear brush fills nothing; Rectangle outlines with the pen and fills inside.
  c.GetBrush()->SetStyle(bsClear);
  c.FillRect(Rect(0, 0, 8, 6));
  EXPECT_EQ(b.GetPixel(1, 1), clWhite);
  c.GetBrush()->SetColor(clBlue);  // a colour makes the brush solid again
  c.GetPen()->SetColor(clLime);
  c.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(b.GetPixel(0, 3), clLime);
  EXPECT_EQ(b.GetPixel(1, 1), clBlue);
  EXPECT_EQ(b.GetPixel(4, 4), clRed);
  // Frame3D: light top-left, dark bottom-right, and the rectangle shrinks.
  TRect r = Rect(0, 0, 8, 6);
  Frame3D(c, r, clWhite, clBlack, 1);
  EXPECT_EQ(r, Rect(1, 1, 7, 5));
  EXPECT_EQ(b.GetPixel(0, 5), clWhite);
  EXPECT_EQ(b.GetPixel(7, 0), clBlack);
}

TEST(Canvas, TextRectClipsTextAndFillsItsRectangle) {
  TTextMetricsScope scope(std::make_unique<TFixedTextMetrics>());
  TBitmap b(30, 13);
  TCanvas& c = b.Canvas();
  c.GetFont()->SetColor(clBlack);
  c.GetBrush()->SetColor(clYellow);
  c.TextRect(Rect(2, 0, 10, 13), 0, 0, "WWW");
  // Columns 0-1 and 10+ untouched; 2-4 glyph, 5 gap, 6-9 second glyph cut at 10.
  std::string row;
  for (int x = 0; x < 14; ++x) {
    TColor p = b.GetPixel(x, 6);
    row += p == clBlack ? '#' : p == clYellow ? 'y' : '.';
  }
  EXPECT_EQ(row, "..###y####....");
  EXPECT_EQ(b.GetPixel(3, 0), clYellow);  // the leading row is background
  // TextOut fills the text cell and moves the pen to its end.
  c.TextOut(12, 0, "ab");
  EXPECT_EQ(c.GetPenPos(), (TPoint{24, 0}));
  EXPECT_EQ(b.GetPixel(17, 6), clYellow);
  EXPECT_EQ(b.GetPixel(24, 6), clWhite);
}

TEST(Canvas, DrawCopiesPicturesWithTransparencyAndSystemBitmaps) {
  auto arrow = LoadSystemBitmap(OBM_COMBO);
  EXPECT_EQ(Picture(*arrow),
            (std::vector<std::string>{"#######", ".#####.", "..###..", "...#..."}));
  EXPECT_THROW(LoadSystemBitmap(1), EInvalidOperation);
  TBitmap target(9, 6);
  target.Canvas().GetBrush()->SetColor(clRed);
  target.Canvas().FillRect(Rect(0, 0, 9, 6));
  arrow->SetTransparent(true);  // the bottom-left pixel (white) is see-through
  target.Canvas().Draw(1, 1, arrow.get());
  EXPECT_EQ(target.GetPixel(1, 1), clBlack);
  EXPECT_EQ(target.GetPixel(1, 2), clRed);
  arrow->SetTransparent(false);
  target.Canvas().Draw(1, 1, arrow.get());
  EXPECT_EQ(target.GetPixel(1, 2), clWhite);
  TIcon icon;
  EXPECT_FALSE(icon.HasImage());
  icon.SetImage(arrow.get());
  EXPECT_TRUE(icon.HasImage());
  EXPECT_EQ(icon.GetWidth(), 7);
  MessageBeep(MB_ICONEXCLAMATION);
  int n = MessageBeepCount();
  MessageBeep(MB_OK);
  EXPECT_EQ(MessageBeepCount(), n + 1);
  EXPECT_EQ(LastMessageBeep(), MB_OK);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CYVSCROLL), 16);
  int old = SetSystemMetrics(SM_CXSCREEN, 640);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  SetSystemMetrics(SM_CXSCREEN, old);
  EXPECT_EQ(GetSystemMetrics(-1), 0);
}

}  // namespace
}  // namespace tabulon
