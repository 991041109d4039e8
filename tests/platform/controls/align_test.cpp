// Alignment of children: order by position, shrinking rectangle, frames.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

TControl* Child(TWinControl* parent, TAlign a, int l, int t, int w, int h) {
  auto* c = new TPanel(parent);
  c->SetBounds(l, t, w, h);
  c->SetAlign(a);
  c->SetParent(parent);
  return c;
}

// A straightforward model of the alignment rules: each group in the order
// top, bottom, left, right, client, sorted by position, carves its room off
// the remaining rectangle.
struct Box {
  TAlign align;
  int l, t, w, h;
};
std::vector<TRect> Oracle(std::vector<Box> boxes, TRect r) {
  std::vector<TRect> out(boxes.size());
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<size_t> idx;
    for (size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].align == a) idx.push_back(i);
    std::stable_sort(idx.begin(), idx.end(), [&](size_t x, size_t y) {
      const Box &p = boxes[x], &q = boxes[y];
      switch (a) {
        case alTop:
          return p.t < q.t;
        case alBottom:
          return p.t + p.h > q.t + q.h;
        case alLeft:
          return p.l < q.l;
        case alRight:
          return p.l + p.w > q.l + q.w;
        default:
          return false;
      }
    });
    for (size_t i : idx) {
      Box& b = boxes[i];
      int w = r.Width(), h = r.Height();
      if (a == alTop) {
        out[i] = Rect(r.Left, r.Top, r.Right, r.Top + b.h);
        r.Top += b.h;
      }
      if (a == alBottom) {
        r.Bottom -= b.h;
        out[i] = Rect(r.Left, r.Bottom, r.Right, r.Bottom + b.h);
      }
      if (a == alLeft) {
        out[i] = Rect(r.Left, r.Top, r.Left + b.w, r.Bottom);
        r.Left += b.w;
      }
      if (a == alRight) {
        r.Right -= b.w;
        out[i] = Rect(r.Right, r.Top, r.Right + b.w, r.Bottom);
      }
      if (a == alClient) out[i] = Rect(r.Left, r.Top, r.Left + w, r.Top + h);
    }
  }
  return out;
}

TEST(Alignment, TopBottomAndClientChildrenShareTheClientAreaLikeTheOracle) {
  auto host = std::make_unique<TPanel>(nullptr);
  host->SetBevelOuter(bvNone);
  host->SetBounds(0, 0, 300, 200);
  // Created out of positional order: the order of alignment follows position.
  std::vector<Box> boxes = {{alTop, 0, 50, 10, 20},     {alTop, 0, 5, 10, 30},
                            {alBottom, 0, 100, 10, 15}, {alBottom, 0, 180, 10, 12},
                            {alClient, 0, 0, 10, 10},   {alLeft, 0, 0, 40, 10},
                            {alRight, 250, 0, 25, 10}};
  std::vector<TControl*> kids;
  // Inserted with alignment off, then aligned in one pass from their positions.
  host->DisableAlign();
  for (const Box& b : boxes) kids.push_back(Child(host.get(), b.align, b.l, b.t, b.w, b.h));
  host->EnableAlign();
  std::vector<TRect> want = Oracle(boxes, Rect(0, 0, 300, 200));
  for (size_t i = 0; i < kids.size(); ++i) EXPECT_EQ(kids[i]->GetBoundsRect(), want[i]) << i;
  // Exactly: tops stack downwards, bottoms upwards, the client takes the rest.
  EXPECT_EQ(kids[1]->GetBoundsRect(), Rect(0, 0, 300, 30));
  EXPECT_EQ(kids[0]->GetBoundsRect(), Rect(0, 30, 300, 50));
  EXPECT_EQ(kids[3]->GetBoundsRect(), Rect(0, 188, 300, 200));
  EXPECT_EQ(kids[2]->GetBoundsRect(), Rect(0, 173, 300, 188));
  EXPECT_EQ(kids[5]->GetBoundsRect(), Rect(0, 50, 40, 173));
  EXPECT_EQ(kids[6]->GetBoundsRect(), Rect(275, 50, 300, 173));
  EXPECT_EQ(kids[4]->GetBoundsRect(), Rect(40, 50, 275, 173));

  // Resizing the parent re-runs the layout; hiding a child gives its room back.
  host->SetBounds(0, 0, 200, 100);
  EXPECT_EQ(kids[4]->GetBoundsRect(), Rect(40, 50, 175, 73));
  kids[0]->SetVisible(false);
  EXPECT_EQ(kids[5]->GetBoundsRect(), Rect(0, 30, 40, 73));
  EXPECT_EQ(kids[4]->GetBoundsRect(), Rect(40, 30, 175, 73));
}

TEST(Alignment, PanelFrameAndDisabledAlignment) {
  auto host = std::make_unique<TPanel>(nullptr);
  host->SetBounds(0, 0, 100, 80);
  host->SetBorderWidth(2);
  host->SetBevelInner(bvLowered);
  host->SetBevelWidth(3);  // frame: 2 + 3 outer + 3 inner = 8 each side
  EXPECT_EQ(host->FrameWidth(), 8);
  TControl* top = Child(host.get(), alTop, 0, 0, 10, 10);
  TControl* client = Child(host.get(), alClient, 0, 0, 10, 10);
  EXPECT_EQ(top->GetBoundsRect(), Rect(8, 8, 92, 18));
  EXPECT_EQ(client->GetBoundsRect(), Rect(8, 18, 92, 72));
  // A window border takes room outside the client area.
  host->SetBorderStyle(bsSingle);
  EXPECT_EQ(host->GetClientRect(), Rect(0, 0, 96, 76));
  EXPECT_EQ(client->GetBoundsRect(), Rect(8, 18, 88, 68));
  // While alignment is disabled nothing moves; enabling catches up once.
  host->DisableAlign();
  host->SetBounds(0, 0, 60, 60);
  EXPECT_EQ(client->GetBoundsRect(), Rect(8, 18, 88, 68));
  host->EnableAlign();
  EXPECT_EQ(client->GetBoundsRect(), Rect(8, 18, 48, 48));
  EXPECT_THROW(host->SetBorderStyle(bsDialog), EPropertyError);
  ExpectThrow<EInvalidOperation>([&] { host->SetBevelWidth(0); }, "Bevel width must be at least 1");
}

}  // namespace
}  // namespace tabulon
