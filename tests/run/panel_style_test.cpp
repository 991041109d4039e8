// Colours and fonts of the fields panel following its parent: the panel's
// own, the text and the edit styles, one re-layout per parent change, the
// parent flags, and the dialog-embedded variant following the owner's
// owner.
#include <gtest/gtest.h>

#include "platform/controls/messages.h"
#include "tests/run/panel_fixture.h"

namespace tabulon::test {
namespace {

int Size(TFont* f) { return f->GetSize(); }

TEST(FieldsPanelStyle, FontsFollowTheParentUntilSetThemselves) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  f.Form->GetFont()->SetSize(11);
  // One re-layout for the panel's own font and both styles.
  EXPECT_EQ(p->TakeTrace(), "paint");
  EXPECT_EQ(Size(p->GetFont()), 11);
  EXPECT_EQ(Size(so->GetFont(1)), 11);
  EXPECT_EQ(Size(so->GetFont(2)), 11);
  EXPECT_TRUE(so->GetParentFont(0) && so->GetParentFont(1) && so->GetParentFont(2));

  TFont own;
  own.SetSize(20);
  so->SetFont(1, &own);
  EXPECT_EQ(p->TakeTrace(), "paint");
  EXPECT_FALSE(so->GetParentFont(1));
  EXPECT_TRUE(so->IsFontStored(1));
  f.Form->GetFont()->SetSize(9);
  EXPECT_EQ(Size(so->GetFont(1)), 20);
  EXPECT_EQ(Size(so->GetFont(2)), 9);
  EXPECT_EQ(Size(p->GetFont()), 9);
  EXPECT_EQ(p->TakeTrace(), "paint");

  // Following again copies the parent's font at once and stays on.
  so->SetParentFont(1, true);
  EXPECT_EQ(Size(so->GetFont(1)), 9);
  EXPECT_TRUE(so->GetParentFont(1));
  EXPECT_EQ(so->ParentFontIndex, -1);
  EXPECT_EQ(p->TakeTrace(), "paint");

  // Nothing follows: a parent change does no re-layout.
  so->SetParentFont(0, false);
  so->SetParentFont(1, false);
  so->SetParentFont(2, false);
  p->TakeTrace();
  f.Form->GetFont()->SetSize(30);
  EXPECT_EQ(p->TakeTrace(), "");
  EXPECT_EQ(Size(so->GetFont(2)), 9);
}

TEST(FieldsPanelStyle, AFlagSwitchedWithoutAParentDoesNotNarrowTheNextChange) {
  PeopleData data;
  auto* p = new TTestPanel(data.Owner.get());
  TStyleOptions* so = p->GetStyleOptions();
  so->SetParentFont(2, false);
  so->SetParentFont(2, true);
  so->SetParentColor(1, true);
  EXPECT_EQ(so->ParentFontIndex, -1);
  EXPECT_EQ(so->ParentColorIndex, -1);
  TPanel form(nullptr);
  form.GetFont()->SetSize(13);
  form.SetColor(clWindow);
  p->SetParent(&form);
  form.GetFont()->SetSize(15);
  form.SetColor(clBtnFace);
  EXPECT_EQ(Size(so->GetFont(1)), 15);
  EXPECT_EQ(Size(so->GetFont(2)), 15);
  EXPECT_EQ(so->GetColor(1), clBtnFace);
  p->SetParent(nullptr);
}

TEST(FieldsPanelStyle, ColoursFollowTheParentAndEditColourStartsOwn) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  EXPECT_EQ(so->GetColor(1), clWindow);
  EXPECT_FALSE(so->GetParentColor(1));
  EXPECT_TRUE(so->GetParentColor(0));
  f.Form->SetColor(TColor(0x00336699));
  EXPECT_EQ(p->GetColor(), TColor(0x00336699));
  EXPECT_EQ(so->GetColor(1), clWindow);  // not following
  EXPECT_EQ(p->TakeTrace(), "paint");

  so->SetParentColor(1, true);
  EXPECT_EQ(so->GetColor(1), TColor(0x00336699));
  EXPECT_TRUE(so->GetParentColor(1));
  EXPECT_EQ(p->TakeTrace(), "paint");
  f.Form->SetColor(TColor(0x00112233));
  EXPECT_EQ(so->GetColor(1), TColor(0x00112233));
  EXPECT_EQ(p->TakeTrace(), "paint");

  so->SetColor(1, TColor(0x00112233));  // unchanged
  EXPECT_TRUE(so->GetParentColor(1));
  EXPECT_EQ(p->TakeTrace(), "");
  so->SetColor(1, clBtnFace);
  EXPECT_FALSE(so->GetParentColor(1));
  EXPECT_EQ(p->TakeTrace(), "paint");
  // A colour carried by the message itself wins over the parent's.
  so->SetParentColor(1, true);
  p->TakeTrace();
  p->Perform(CM_PARENTCOLORCHANGED, 1, static_cast<int32_t>(clWindow));
  EXPECT_EQ(so->GetColor(1), clWindow);
  EXPECT_EQ(p->GetColor(), clWindow);
  EXPECT_EQ(p->TakeTrace(), "paint");
}

TEST(FieldsPanelStyle, LoadingEndsWithFollowingStylesTakingTheParentsValues) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  f.Form->SetColor(TColor(0x00336699));
  f.Form->GetFont()->SetSize(13);
  TFont own;
  own.SetSize(8);
  so->SetFont(2, &own);
  // The panel's own colour and font do not follow, so the framework hands
  // nothing over when loading ends.
  p->SetColor(clWindow);
  p->SetFont(&own);
  // Read from a form file: the style flags come back without the values.
  p->IncludeState(csLoading);
  p->IncludeState(csReading);
  so->SetParentColor(1, true);
  so->SetParentFont(2, true);
  p->ExcludeState(csReading);
  EXPECT_EQ(so->GetColor(1), clWindow);
  EXPECT_EQ(Size(so->GetFont(2)), 8);
  p->TakeTrace();
  p->Loaded();
  EXPECT_EQ(so->GetColor(1), TColor(0x00336699));
  EXPECT_EQ(Size(so->GetFont(2)), 13);
  EXPECT_TRUE(so->GetParentColor(1) && so->GetParentFont(2));
  EXPECT_EQ(p->GetColor(), clWindow);
  EXPECT_EQ(Size(p->GetFont()), 8);
  EXPECT_EQ(p->TakeTrace(), "paint paint");
}

TEST(FieldsPanelStyle, EmbeddedOptionsFollowTheOwnersOwner) {
  // Without an owner the options keep their own values whatever the flags.
  TTestDialogPanel loose(nullptr);
  TStyleOptions* lo = loose.GetStyleOptions();
  ASSERT_NE(dynamic_cast<TFSStyleOptions*>(lo), nullptr);
  EXPECT_EQ(lo->GetColor(0), clBtnFace);
  EXPECT_TRUE(lo->GetParentColor(0));
  lo->SetParentColor(1, true);
  EXPECT_EQ(lo->GetColor(1), clWindow);

  // Form -> dialog component -> panel: the form is the style parent.
  PanelOnForm f;
  f.Form->SetColor(TColor(0x00445566));
  f.Form->GetFont()->SetSize(17);
  f.Form->SetCtl3D(false);
  auto* dialog = new TComponent(f.Form);
  auto* p = new TTestDialogPanel(dialog);
  TStyleOptions* so = p->GetStyleOptions();
  EXPECT_EQ(so->GetColor(0), TColor(0x00445566));
  EXPECT_EQ(so->GetColor(1), clWindow);  // the edit colour does not follow
  EXPECT_FALSE(so->GetCtl3D());
  // Reading a followed font takes the form's over without a re-layout.
  EXPECT_EQ(Size(so->GetFont(0)), 17);
  EXPECT_EQ(Size(so->GetFont(2)), 17);
  EXPECT_TRUE(so->GetParentFont(2));
  EXPECT_EQ(p->TakeTrace(), "");

  TFont own;
  own.SetSize(8);
  so->SetFont(2, &own);
  EXPECT_FALSE(so->GetParentFont(2));
  EXPECT_EQ(Size(so->GetFont(2)), 8);
  EXPECT_EQ(p->TakeTrace(), "paint");

  so->SetColor(0, clWindow);
  EXPECT_FALSE(so->GetParentColor(0));
  EXPECT_EQ(p->TakeTrace(), "paint");
  f.Form->SetColor(TColor(0x00000001));
  EXPECT_EQ(so->GetColor(0), clWindow);
  // Following again re-lays out only when the visible colour changes.
  so->SetParentColor(0, true);
  EXPECT_EQ(so->GetColor(0), TColor(0x00000001));
  EXPECT_EQ(p->TakeTrace(), "paint");
  so->SetParentColor(0, false);
  EXPECT_EQ(so->GetColor(0), TColor(0x00000001));
  EXPECT_EQ(p->TakeTrace(), "");
  so->SetCtl3D(true);
  EXPECT_FALSE(so->GetParentCtl3D());
  EXPECT_EQ(p->TakeTrace(), "paint");
}

}  // namespace
}  // namespace tabulon::test
