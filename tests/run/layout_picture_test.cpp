// The four row arrangements as pictures: a panel with a commented record, a
// range record, a record with an ellipsis button that is too wide for the
// panel, painted under exact metrics and compared pixel by pixel with the
// committed pictures. With TABULON_LAYOUT_PICTURES set to the source tree
// the test writes the pictures instead: the references under exact metrics
// and, under FreeType, the pictures shown in docs/.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/resources.h"
#include "platform/graphics/bitmap.h"
#include "tests/run/layout_fixture.h"

namespace tabulon::test {
namespace {

const char* kStates[] = {"psOneLineFmt", "psOneLine", "psTwoLineFmt", "psTwoLine"};

// The demonstration panel in arrangement `pos`, painted.
std::unique_ptr<TBitmap> Paint(TPosState pos) {
  LayoutOnForm f(false);
  TLayoutPanel* p = f.Panel;
  p->BeginPaint();
  p->SetAutoSize(false);
  p->SetBounds(0, 0, 300, 100);
  p->SetPosState(pos);
  TFieldRecord* name = f.Record(0);
  name->SetCommentVisible(true);
  name->SetCommentWidth(8);
  name->SetCommentText(0, "surname");
  name->SetAsString(0, "Smith");
  f.Record(1)->SetAsInteger(0, 18);
  f.Record(1)->SetAsInteger(1, 65);
  TFieldRecord* city = f.Record(2);
  city->SetButtonStyle(rbsEllipsis);
  city->SetDisplayWidth(60);
  city->SetAsString(0, "Berlin");
  p->EndPaint();
  auto picture = std::make_unique<TBitmap>(p->GetWidth(), p->GetHeight());
  p->PaintTo(picture->Canvas(), 0, 0);
  return picture;
}

std::string Reference(int i) { return std::string("pictures/layout-") + kStates[i] + ".png"; }

TEST(PanelLayoutPictures, EachArrangementPaintsAsItsReference) {
  if (const char* root = std::getenv("TABULON_LAYOUT_PICTURES")) {
    for (int i = 0; i < 4; ++i) {
      {
        TTextMetricsScope exact(std::make_unique<TFixedTextMetrics>());
        Paint(static_cast<TPosState>(i))
            ->SaveToPNGFile(std::string(root) + "/tests/run/" + Reference(i));
      }
      TTextMetricsScope real(std::make_unique<TFreeTypeTextMetrics>(FindFontDirectory()));
      Paint(static_cast<TPosState>(i))
          ->SaveToPNGFile(std::string(root) + "/docs/panel-" + kStates[i] + ".png");
    }
    GTEST_SKIP() << "pictures written under " << root;
  }
  TTextMetricsScope exact(std::make_unique<TFixedTextMetrics>());
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(kStates[i]);
    bool found = false;
    std::string_view bytes = FindResource(Reference(i), &found);
    ASSERT_TRUE(found);
    TBitmap expected;
    expected.LoadFromPNG(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::unique_ptr<TBitmap> actual = Paint(static_cast<TPosState>(i));
    ASSERT_EQ(actual->GetWidth(), expected.GetWidth());
    ASSERT_EQ(actual->GetHeight(), expected.GetHeight());
    int differing = 0;
    std::string first;
    for (int y = 0; y < expected.GetHeight(); ++y)
      for (int x = 0; x < expected.GetWidth(); ++x)
        if (ColorToRGB(actual->GetPixel(x, y)) != ColorToRGB(expected.GetPixel(x, y)) &&
            differing++ == 0)
          first = std::to_string(x) + "," + std::to_string(y);
    EXPECT_EQ(differing, 0) << "first at " << first;
  }
}

}  // namespace
}  // namespace tabulon::test
