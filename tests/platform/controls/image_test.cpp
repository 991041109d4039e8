// Images (natural, centred, stretched, auto-sized) and painting as a copy.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/image.h"
#include "platform/controls/panel.h"
#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

std::string Row(const TBitmap& b, int y, int from, int to) {
  std::string r;
  for (int x = from; x < to; ++x) {
    TColor p = b.GetPixel(x, y);
    r += p == clRed ? 'r' : p == clBlue ? 'b' : p == clWhite ? '.' : '?';
  }
  return r;
}

TEST(Image, NaturalCentredAndStretchedPictures) {
  TBitmap pic(2, 2);
  pic.SetPixel(0, 0, clRed);
  pic.SetPixel(1, 0, clBlue);
  pic.SetPixel(0, 1, clBlue);
  pic.SetPixel(1, 1, clRed);
  auto image = std::make_unique<TImage>(nullptr);
  image->SetBounds(0, 0, 6, 4);
  image->SetPicture(&pic);
  TBitmap out(6, 4);
  image->PaintTo(out.Canvas(), 0, 0);
  EXPECT_EQ(Row(out, 0, 0, 6), "rb....");
  image->SetCenter(true);
  TBitmap centred(6, 4);
  image->PaintTo(centred.Canvas(), 0, 0);
  EXPECT_EQ(Row(centred, 1, 0, 6), "..rb..");
  EXPECT_EQ(Row(centred, 2, 0, 6), "..br..");
  image->SetStretch(true);
  TBitmap stretched(6, 4);
  image->PaintTo(stretched.Canvas(), 0, 0);
  EXPECT_EQ(Row(stretched, 0, 0, 6), "rrrbbb");
  EXPECT_EQ(Row(stretched, 3, 0, 6), "bbbrrr");
  // Auto size takes the picture's size, now and on every change.
  image->SetAutoSize(true);
  EXPECT_EQ(image->GetBoundsRect(), Rect(0, 0, 2, 2));
  pic.SetSize(5, 3);
  image->SetPicture(&pic);
  EXPECT_EQ(image->GetBoundsRect(), Rect(0, 0, 5, 3));
}

class TCopyProbe : public TImage {
  TBN_CLASS(TCopyProbe, TImage)
 public:
  using TImage::TImage;
  std::vector<bool> seen;

 protected:
  void Paint() override {
    seen.push_back(GetControlState().Contains(csPaintCopy));
    TImage::Paint();
  }
};
TBN_REGISTER(TCopyProbe) {}

TEST(Image, PaintingAsACopySetsThePaintCopyStateMeanwhile) {
  TCopyProbe probe(nullptr);
  TBitmap out(10, 10);
  probe.PaintTo(out.Canvas(), 0, 0);
  probe.PaintCopyTo(out.Canvas(), 0, 0);
  EXPECT_EQ(probe.seen, (std::vector<bool>{false, true}));
  EXPECT_FALSE(probe.GetControlState().Contains(csPaintCopy));
  auto panel = std::make_unique<TPanel>(nullptr);
  panel->SetControlStyle(panel->GetControlStyle() - TControlStyle{csReplicatable});
  ExpectThrow<EInvalidOperation>([&] { panel->PaintCopyTo(out.Canvas(), 0, 0); },
                                 "Control TPanel cannot be painted as a copy");
}

}  // namespace
}  // namespace tabulon
