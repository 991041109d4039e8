// The panel around the pass: automatic sizing under each alignment, the
// scroll bars with their one repeated pass, and the guards that keep a
// resize, an invalidation or a handler called inside a pass from starting
// passes without bound.
#include <gtest/gtest.h>

#include "tests/run/layout_fixture.h"

namespace tabulon::test {
namespace {

TEST(PanelLayoutSizing, AutoSizeFollowsTheContentWhereTheAlignmentAllows) {
  // Content 211 x 67, frame 6; the form's client area is (1, 1, 399, 299).
  struct Case {
    TAlign align;
    TRect bounds;
  } cases[] = {
      {alNone, Bounds(0, 0, 217, 73)},     {alTop, Bounds(1, 1, 398, 73)},
      {alBottom, Bounds(1, 226, 398, 73)}, {alLeft, Bounds(1, 1, 217, 298)},
      {alRight, Bounds(182, 1, 217, 298)}, {alClient, Bounds(1, 1, 398, 298)},
  };
  for (const Case& c : cases) {
    LayoutOnForm f;
    f.Panel->SetAlign(c.align);
    EXPECT_EQ(f.Panel->GetBoundsRect(), c.bounds) << c.align;
    // The box is never scrolled when everything fits.
    TScrollingFieldsSet* box = f.Panel->GetScrollingFieldsSet();
    EXPECT_FALSE(box->GetVertScrollBar()->IsScrollBarVisible()) << c.align;
    EXPECT_FALSE(box->GetHorzScrollBar()->IsScrollBarVisible()) << c.align;
  }

  // Leaving client alignment lays out again: unaligned, the panel wraps
  // its content once more.
  LayoutOnForm f;
  f.Panel->SetAlign(alClient);
  f.Panel->SetAlign(alNone);
  EXPECT_EQ(f.Panel->GetBoundsRect(), Bounds(1, 1, 217, 73));
  // Turning automatic sizing on lays out at once.
  f.Panel->SetAutoSize(false);
  f.Panel->SetBounds(1, 1, 300, 200);
  f.Panel->SetAutoSize(true);
  EXPECT_EQ(f.Panel->GetBoundsRect(), Bounds(1, 1, 217, 73));
}

TEST(PanelLayoutSizing, AHorizontalBarMakesAnAutoSizedPanelTaller) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  f.Form->SetBounds(0, 0, 150, 300);
  p->SetAlign(alTop);
  // 142 px are enough once the editors shrink (City 56, Age 16 each).
  EXPECT_EQ(Layout(p),
            "Name: c1,4 e85,0,56 | Age: c1,27 w55,27 e85,23,16 o107,27 f125,23,16"
            " | City of birth: c1,50 e85,46,56");
  EXPECT_EQ(p->GetHeight(), 73);
  // Natural widths do not fit: the bar shows and the panel grows by it.
  p->Binds = 0;
  p->SetAutoEditWidth(false);
  TScrollingFieldsSet* box = p->GetScrollingFieldsSet();
  EXPECT_TRUE(box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(p->GetHeight(), 67 + 16 + 6);
  EXPECT_EQ(p->Binds, 2 * 4);
  // Scrolled, the rows start left of the box; the next pass keeps them there.
  box->GetHorzScrollBar()->SetPosition(50);
  EXPECT_EQ(Layout(p).substr(0, 22), "Name: c-49,4 e35,0,66 ");
  p->WndChanged();
  EXPECT_EQ(p->GetLayoutMetrics().Origin, -49);
  EXPECT_EQ(Layout(p).substr(0, 22), "Name: c-49,4 e35,0,66 ");
  // Back to shrinking editors: the bar goes and the panel shrinks again.
  p->SetAutoEditWidth(true);
  EXPECT_FALSE(box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(p->GetHeight(), 73);
}

TEST(PanelLayoutSizing, ResizesAndInvalidationsStartOnePassEach) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  p->SetAutoSize(false);
  p->TakeTrace();
  p->SetBounds(0, 0, 300, 200);  // resized: one pass
  EXPECT_EQ(p->TakeTrace(), "paint");
  p->SetBounds(10, 10, 300, 200);  // moved only: none
  EXPECT_EQ(p->TakeTrace(), "");
  p->Invalidate();
  EXPECT_EQ(p->TakeTrace(), "paint");
  p->GetFont()->SetSize(10);  // the panel's own font invalidates it
  EXPECT_EQ(p->TakeTrace(), "paint");

  // A handler that invalidates the panel while a pass resizes it starts
  // nothing more; the resize itself is reported.
  p->SetAutoSize(true);
  p->TakeTrace();
  int resized = 0;
  p->OnResize = TNotifyEvent([&](TObject*) {
    ++resized;
    EXPECT_EQ(p->GetLayoutLevel(), 1);
    p->Invalidate();
  });
  p->Binds = 0;
  f.Record(0)->SetDisplayWidth(30);
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(p->Binds, 4);
  EXPECT_EQ(p->TakeTrace(), "paint");
  EXPECT_EQ(p->GetLayoutLevel(), 0);
  EXPECT_FALSE(p->GetResizing());
  EXPECT_FALSE(p->GetRelayoutGuard());

  // A pass asked for from inside a pass (a dialog's own PaintFields) nests
  // once; the framework is no longer told to repaint at that depth.
  p->OnResize = TNotifyEvent([&](TObject*) {
    if (p->GetLayoutLevel() == 1) p->PaintFields();
  });
  p->Binds = 0;
  f.Record(0)->SetDisplayWidth(40);
  EXPECT_EQ(p->Binds, 2 * 4);
  p->OnResize = TNotifyEvent();
}

TEST(PanelLayoutSizing, APanelBeingLoadedOrWithoutListIsNotLaidOut) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  TPanel form(nullptr);
  auto* p = new TLayoutPanel(&form);
  p->SetParent(&form);
  p->Trace.clear();
  p->IncludeState(csLoading);
  p->SetBounds(0, 0, 250, 90);
  p->Invalidate();
  p->WndChanged();
  EXPECT_EQ(p->TakeTrace(), "paint");  // asked for, but nothing placed
  EXPECT_EQ(p->GetBoundsRect(), Bounds(0, 0, 250, 90));
  p->ExcludeState(csLoading);
  p->WndChanged();
  // No rows: an auto-sized panel keeps its size and shows no bar.
  EXPECT_EQ(p->GetRequiredHeight(), 0);
  EXPECT_EQ(p->GetBoundsRect(), Bounds(0, 0, 250, 90));
}

TEST(PanelLayoutSizing, MinWidthAndLimitsOfACallerArePassedThrough) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  // A dialog lays the panel out with limits of its own.
  p->SetMaxWidth(500);
  p->SetMaxHeight(400);
  p->SetMinWidth(320);
  p->PaintFields();
  p->SetMinWidth(0);
  EXPECT_EQ(p->GetRequiredWidth(), 320);
  EXPECT_EQ(p->GetWidth(), 326);
  EXPECT_EQ(p->GetHeight(), 73);
  // Narrower than the content, the limit wins and the bar shows.
  p->SetAutoEditWidth(false);  // a pass of its own, with the panel's limits
  p->SetMaxWidth(100);
  p->PaintFields();
  EXPECT_EQ(p->GetWidth(), 106);
  EXPECT_TRUE(p->GetScrollingFieldsSet()->GetHorzScrollBar()->IsScrollBarVisible());
}

}  // namespace
}  // namespace tabulon::test
