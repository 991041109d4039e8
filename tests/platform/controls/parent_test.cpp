// Fonts, colours and the 3-D look following the parent, and the flags that
// say so.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_builder.h"

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "tests/platform/controls/place.h"

namespace tabulon {
namespace {

using testing::Add;

// Records the parent-changed messages a control receives.
class TRecordingLabel : public TLabel {
  TBN_CLASS(TRecordingLabel, TLabel)
 public:
  using TLabel::TLabel;
  std::vector<std::string> log;

 protected:
  void CMParentFontChanged(TMessage& m) override {
    log.push_back("font");
    TLabel::CMParentFontChanged(m);
  }
  void CMParentColorChanged(TMessage& m) override {
    log.push_back("color");
    TLabel::CMParentColorChanged(m);
  }
  void CMParentCtl3DChanged(TMessage& m) override {
    log.push_back("ctl3d");
    TLabel::CMParentCtl3DChanged(m);
  }
};
TBN_REGISTER(TRecordingLabel) {}

TEST(ParentFollowing, FontColourAndCtl3DReachEveryFollowingDescendant) {
  auto outer = std::make_unique<TPanel>(nullptr);
  auto* inner = Add<TPanel>(outer.get());
  auto* follower = Add<TRecordingLabel>(inner, outer.get());
  auto* own = Add<TRecordingLabel>(inner, outer.get());
  own->GetFont()->SetName("Courier New");  // assigning clears ParentFont
  EXPECT_FALSE(own->GetParentFont());
  own->SetColor(clRed);
  EXPECT_FALSE(own->GetParentColor());
  own->SetCtl3D(false);
  EXPECT_FALSE(own->GetParentCtl3D());
  follower->log.clear();
  own->log.clear();

  outer->GetFont()->SetSize(12);
  outer->SetColor(clYellow);
  outer->SetCtl3D(false);
  // The message reaches every child; only followers copy the value.
  EXPECT_EQ(follower->log, (std::vector<std::string>{"font", "color", "ctl3d"}));
  EXPECT_EQ(own->log, follower->log);
  EXPECT_EQ(inner->GetFont()->GetSize(), 12);
  EXPECT_EQ(follower->GetFont()->GetSize(), 12);
  EXPECT_EQ(follower->GetFont()->GetHeight(), -16);
  EXPECT_TRUE(follower->GetParentFont());
  EXPECT_EQ(own->GetFont()->GetSize(), 8);
  EXPECT_EQ(own->GetFont()->GetName(), "Courier New");
  EXPECT_EQ(follower->GetColor(), clYellow);
  EXPECT_TRUE(follower->GetParentColor());
  EXPECT_EQ(own->GetColor(), clRed);
  EXPECT_FALSE(follower->GetCtl3D());
  EXPECT_TRUE(own->GetCtl3D() == false && !own->GetParentCtl3D());

  // Turning the flag back on takes the parent's value at once.
  own->SetParentFont(true);
  own->SetParentColor(true);
  EXPECT_EQ(own->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_EQ(own->GetFont()->GetSize(), 12);
  EXPECT_EQ(own->GetColor(), clYellow);
  EXPECT_TRUE(own->GetParentFont() && own->GetParentColor());

  // Setting the value a follower already has changes nothing, flag included.
  follower->SetColor(clYellow);
  EXPECT_TRUE(follower->GetParentColor());
  follower->SetColor(clLime);
  EXPECT_FALSE(follower->GetParentColor());
}

TEST(ParentFollowing, MessageCarriesItsOwnValueWhenTheFlagParameterIsSet) {
  auto panel = std::make_unique<TPanel>(nullptr);
  auto* label = Add<TLabel>(panel.get());
  TFont big;
  big.SetHeight(-20);
  label->Perform(CM_PARENTFONTCHANGED, 1, reinterpret_cast<LPARAM>(&big));
  EXPECT_EQ(label->GetFont()->GetHeight(), -20);
  EXPECT_TRUE(label->GetParentFont());
  label->Perform(CM_PARENTCOLORCHANGED, 1, clNavy);
  EXPECT_EQ(label->GetColor(), clNavy);
  EXPECT_TRUE(label->GetParentColor());
  // Without the flag the parent's own values return.
  label->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  EXPECT_EQ(label->GetColor(), panel->GetColor());
}

TEST(ParentFollowing, InsertionCopiesTheNewParentsValues) {
  auto a = std::make_unique<TPanel>(nullptr);
  auto b = std::make_unique<TPanel>(nullptr);
  a->SetColor(clAqua);
  b->SetColor(clFuchsia);
  b->GetFont()->SetStyle({fsBold});
  auto* label = new TLabel(nullptr);
  label->SetParent(a.get());
  EXPECT_EQ(label->GetColor(), clAqua);
  label->SetParent(b.get());
  EXPECT_EQ(label->GetColor(), clFuchsia);
  EXPECT_TRUE(label->GetFont()->GetStyle().Contains(fsBold));
  EXPECT_EQ(a->GetControlCount(), 0);
  EXPECT_EQ(b->GetControls(0), label);  // freed with its parent window
}

}  // namespace
}  // namespace tabulon
