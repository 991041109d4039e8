// Text metrics: the exact fixed-metrics provider, and the FreeType provider
// checked for the properties any real font must have.
#include <gtest/gtest.h>

#include <map>

#include "platform/core/exceptions.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {
namespace {

TEST(FixedMetrics, WidthsHeightsAndLeadingAreExact) {
  TFixedTextMetrics fm;
  TFont f;  // height -11
  TTextMetric m = fm.GetMetrics(f);
  EXPECT_EQ(m.tmHeight, 13);
  EXPECT_EQ(m.tmInternalLeading, 2);
  EXPECT_EQ(m.tmAscent + m.tmDescent, 13);
  EXPECT_EQ(fm.TextWidth(f, "A"), 6);
  EXPECT_EQ(fm.TextWidth(f, ""), 0);
  EXPECT_EQ(fm.TextWidth(f, "ä€"), 12);                       // two code points
  EXPECT_EQ(fm.TextWidth(f, std::string("\xFF") + "A"), 12);  // an invalid byte is one character
  f.SetStyle({fsBold});
  EXPECT_EQ(fm.TextWidth(f, "AB"), 14);
  f.SetStyle({});
  f.SetHeight(-22);  // twice the em: twice the width, leading kept
  EXPECT_EQ(fm.TextWidth(f, "A"), 12);
  EXPECT_EQ(fm.GetMetrics(f).tmHeight, 24);
  f.SetHeight(15);  // a positive height is the whole cell
  EXPECT_EQ(fm.GetMetrics(f).tmHeight, 15);
  TFixedTextMetrics wide(8, 16, 3);
  TFont g;
  EXPECT_EQ(wide.TextWidth(g, "AA"), 16);
  EXPECT_EQ(wide.GetMetrics(g).tmHeight, 16);
  g.SetHeight(-22);  // body 13 doubles, leading stays
  EXPECT_EQ(wide.GetMetrics(g).tmHeight, 29);
  EXPECT_EQ(wide.TextWidth(g, "A"), 16);

  // The canvas measures through the current provider.
  TTextMetricsScope scope(std::make_unique<TFixedTextMetrics>());
  TCanvas c;
  EXPECT_EQ(c.TextWidth("Name"), 24);
  EXPECT_EQ(c.TextHeight("anything"), 13);
  EXPECT_EQ(c.TextExtent("Hi"), (TSize{12, 13}));
}

TEST(FixedMetrics, RenderingCoversBlocksBetweenLeadingAndBaseline) {
  TFixedTextMetrics fm;
  TFont f;
  f.SetStyle({fsUnderline});
  std::map<std::pair<int, int>, int> plotted;
  fm.RenderText(f, "A A", [&](int x, int y, uint8_t c) { plotted[{x, y}] = c; });
  TTextMetric m = fm.GetMetrics(f);
  int expected = 2 * 5 * (m.tmAscent - m.tmInternalLeading) + 18;  // two blocks and the underline
  EXPECT_EQ(static_cast<int>(plotted.size()), expected);
  EXPECT_TRUE(plotted.count({0, 2}) && plotted.count({4, 10}) && plotted.count({12, 2}));
  EXPECT_FALSE(plotted.count({5, 5}) || plotted.count({6, 5}) || plotted.count({0, 1}));
  EXPECT_TRUE(plotted.count({17, m.tmAscent + 1}));  // underline under the whole text
}

class FreeTypeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = FindFontDirectory();
    if (dir.empty()) GTEST_SKIP() << "no DejaVu fonts installed";
  }
  std::string dir;
};

TEST_F(FreeTypeTest, MeasuresConsistentlyAndMapsFaceNames) {
  TFreeTypeTextMetrics ft(dir);
  TFont f;
  TTextMetric m = ft.GetMetrics(f);
  EXPECT_GE(m.tmHeight, 12);
  EXPECT_LE(m.tmHeight, 15);
  EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
  EXPECT_EQ(m.tmInternalLeading, m.tmHeight - 11);
  int a = ft.TextWidth(f, "A");
  EXPECT_GT(a, 4);
  EXPECT_EQ(ft.TextWidth(f, "AAAA"), 4 * a);
  EXPECT_LT(ft.TextWidth(f, "iiii"), ft.TextWidth(f, "WWWW"));
  TFont big;
  big.SetSize(16);
  EXPECT_GT(ft.TextWidth(big, "A"), a);
  EXPECT_GT(ft.GetMetrics(big).tmHeight, m.tmHeight);

  EXPECT_EQ(ft.FileFor(f), "DejaVuSans.ttf");
  f.SetStyle({fsBold});
  EXPECT_EQ(ft.FileFor(f), "DejaVuSans-Bold.ttf");
  f.SetName("Courier New");
  f.SetStyle({fsItalic});
  EXPECT_EQ(ft.FileFor(f), "DejaVuSansMono-Oblique.ttf");
  f.SetName("Times New Roman");
  f.SetStyle({fsBold, fsItalic});
  EXPECT_EQ(ft.FileFor(f), "DejaVuSerif-BoldItalic.ttf");
  f.SetName("Arial");
  f.SetStyle({});
  f.SetPitch(fpFixed);
  EXPECT_EQ(ft.FileFor(f), "DejaVuSansMono.ttf");
  f.SetPitch(fpDefault);
  // A mono font: every character has the same advance.
  f.SetName("Courier New");
  EXPECT_EQ(ft.TextWidth(f, "iiii"), ft.TextWidth(f, "WWWW"));

  // Rendering stays inside the cell and the advance.
  TFont g;
  int minY = 1000, maxY = -1, maxX = -1;
  ft.RenderText(g, "Ag", [&](int x, int y, uint8_t) {
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    maxX = std::max(maxX, x);
  });
  EXPECT_GE(minY, 0);
  EXPECT_LT(maxY, ft.GetMetrics(g).tmHeight);
  EXPECT_LE(maxX, ft.TextWidth(g, "Ag"));
  EXPECT_THROW(TFreeTypeTextMetrics("/nonexistent-font-dir"), EOutOfResources);
}

}  // namespace
}  // namespace tabulon
