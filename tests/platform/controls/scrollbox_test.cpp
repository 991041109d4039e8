// Scroll boxes: client size as bars appear and vanish, automatic and manual
// ranges, positions that scroll the children, scroll messages.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_builder.h"

#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/exceptions.h"
#include "platform/graphics/sysmetrics.h"
#include "tests/platform/controls/place.h"

namespace tabulon {
namespace {

using testing::Place;

class Sized : public TScrollBox {
  TBN_CLASS(Sized, TScrollBox)
 public:
  using TScrollBox::TScrollBox;
  int resizes = 0;
  void Resize() override {
    ++resizes;
    TScrollBox::Resize();
  }
};
TBN_REGISTER(Sized) {}

TEST(ScrollBox, ClientSizeShrinksByEachVisibleBar) {
  auto box = std::make_unique<Sized>(nullptr);
  box->SetBounds(0, 0, 100, 80);  // border 2 on each side: 96 x 76 inside
  auto* content = Place<TPanel>(box.get(), 0, 0, 50, 50);
  auto client = [&] { return std::make_pair(box->GetClientWidth(), box->GetClientHeight()); };
  auto bars = [&] {
    return std::make_pair(box->GetHorzScrollBar()->IsScrollBarVisible(),
                          box->GetVertScrollBar()->IsScrollBarVisible());
  };
  EXPECT_EQ(client(), std::make_pair(96, 76));
  EXPECT_EQ(bars(), std::make_pair(false, false));
  int before = box->resizes;
  content->SetWidth(120);  // wider than 96: the horizontal bar takes 16 rows
  EXPECT_EQ(bars(), std::make_pair(true, false));
  EXPECT_EQ(client(), std::make_pair(96, 60));
  EXPECT_GT(box->resizes, before);  // the client area changed: Resize ran
  content->SetHeight(65);           // fits 76 but not the 60 left under the bar: both bars
  EXPECT_EQ(bars(), std::make_pair(true, true));
  EXPECT_EQ(client(), std::make_pair(80, 60));
  EXPECT_EQ(box->GetWidth() - box->GetClientWidth(), 2 * 2 + GetSystemMetrics(SM_CXVSCROLL));
  content->SetBounds(0, 0, 90, 70);  // fits once the bars are gone
  EXPECT_EQ(bars(), std::make_pair(false, false));
  EXPECT_EQ(client(), std::make_pair(96, 76));
  // An invisible bar never shows, whatever the range.
  box->GetVertScrollBar()->SetVisible(false);
  content->SetHeight(500);
  EXPECT_EQ(bars(), std::make_pair(false, false));
  // Without a border the whole box is client area.
  box->SetBorderStyle(bsNone);
  EXPECT_EQ(client(), std::make_pair(100, 80));
}

TEST(ScrollBox, ManualRangesPositionsAndScrollMessages) {
  auto box = std::make_unique<TScrollBox>(nullptr);
  box->SetBounds(0, 0, 100, 80);
  auto* content = Place<TPanel>(box.get(), 0, 0, 50, 50);
  box->GetVertScrollBar()->SetRange(100);  // a range set by hand ends automatic scrolling
  EXPECT_FALSE(box->GetAutoScroll());
  EXPECT_EQ(box->GetClientWidth(), 80);
  box->GetHorzScrollBar()->SetRange(85);
  EXPECT_EQ(box->GetClientHeight(), 60);
  EXPECT_EQ(box->GetVertScrollBar()->GetMaxPosition(), 40);
  box->GetVertScrollBar()->SetPosition(100);  // clamped
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 40);
  EXPECT_EQ(content->GetTop(), -40);
  box->Perform(WM_VSCROLL, 0 /* line up */, 0);
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 32);
  EXPECT_EQ(content->GetTop(), -32);
  box->Perform(WM_HSCROLL, 7 /* to the end */, 0);
  EXPECT_EQ(content->GetLeft(), -5);
  box->Perform(WM_VSCROLL, 6 /* to the top */, 0);
  EXPECT_EQ(content->GetBoundsRect(), Rect(-5, 0, 45, 50));
  // Shrinking the range below the position pulls the position (and content) back.
  box->GetHorzScrollBar()->SetRange(10);
  EXPECT_EQ(box->GetHorzScrollBar()->GetPosition(), 0);
  EXPECT_EQ(content->GetLeft(), 0);
  EXPECT_THROW(box->GetVertScrollBar()->SetIncrement(0), EPropertyError);
}

TEST(ScrollBox, ScrollInViewBringsAChildIntoTheClientArea) {
  auto box = std::make_unique<TScrollBox>(nullptr);
  box->SetBounds(0, 0, 104, 84);  // 100 x 80 inside the border
  auto* far = Place<TPanel>(box.get(), 10, 150, 30, 20);
  ASSERT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  box->ScrollInView(far);
  // Bottom edge now at the bottom of the client area.
  EXPECT_EQ(far->GetTop() + far->GetHeight(), box->GetClientHeight());
  EXPECT_EQ(box->GetVertScrollBar()->GetPosition(), 170 - box->GetClientHeight());
}

}  // namespace
}  // namespace tabulon
