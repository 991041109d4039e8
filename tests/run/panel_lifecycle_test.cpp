// The fields panel as a control: what construction builds and in which
// state, following the data source through open, close and relink, the
// teardown order, batching of re-layouts by the panel's own settings, the
// guard against foreign child controls, and the scroll box handing mouse
// messages to the panel.
#include <gtest/gtest.h>

#include "platform/controls/messages.h"
#include "tests/run/panel_fixture.h"

namespace tabulon::test {
namespace {

TEST(FieldsPanelControl, ConstructionLeavesTheListToTheDescendant) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  // The base built everything but the list.
  EXPECT_EQ(p->Constructed, "no-list box style link");
  EXPECT_FALSE(p->GetInternalInsert());
  // The panel never shows its name as text.
  EXPECT_EQ(p->GetCaption(), "");
  EXPECT_FALSE(p->GetControlStyle().Contains(csSetCaption));
  TScrollingFieldsSet* box = p->GetScrollingFieldsSet();
  EXPECT_EQ(box->GetParent(), p);
  EXPECT_EQ(box->GetOwner(), nullptr);
  EXPECT_EQ(box->GetAlign(), alClient);
  EXPECT_FALSE(box->GetAutoScroll());
  EXPECT_EQ(box->GetControlStyle(),
            TControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks}));
  EXPECT_EQ(p->GetMeasureLabel()->GetParent(), nullptr);
  EXPECT_EQ(p->GetControlCount(), 1);
}

TEST(FieldsPanelControl, FollowsOpenCloseAndRelinkOfItsDataSource) {
  PeopleData data;
  PanelOnForm f(data.Source);
  TTestPanel* p = f.Panel;
  ASSERT_EQ(p->GetFields()->Count(), 6);

  auto* other = NewDataSet(data.Owner.get(), {{"CODE", ftInteger}});
  other->SetName("Other");
  p->TakeTrace();
  data.Source->SetDataSet(other);
  EXPECT_EQ(p->TakeTrace(), "old:People paint update");
  EXPECT_EQ(p->GetFields()->Count(), 1);
  data.Source->SetDataSet(other);  // the same dataset again: nothing is handed over
  EXPECT_EQ(p->TakeTrace(), "");

  // Records kept outside default-fields mode are rebound on open and, when
  // the panel does not apply values itself, applied once more.
  p->GetFields()->SetDefaultFields(false);
  other->Close();
  p->TakeTrace();
  other->Open();
  EXPECT_EQ(p->TakeTrace(), "paint update");
  p->SetUpdateState(usExit);
  other->Close();
  p->TakeTrace();
  other->Open();
  EXPECT_EQ(p->TakeTrace(), "paint update update");

  // The data source goes: the panel leaves its dataset and forgets it.
  p->TakeTrace();
  TObject::Free(data.Source);
  EXPECT_EQ(p->GetDataSource(), nullptr);
  EXPECT_EQ(p->TakeTrace(), "old:Other paint update");
  EXPECT_EQ(p->GetFields()->Count(), 1);
  EXPECT_EQ(p->GetFields()->GetItem(0)->GetField(), nullptr);
}

TEST(FieldsPanelControl, TeardownHandsTheDatasetOverWhileTheLinkLives) {
  PeopleData data;
  std::vector<std::string> out;
  {
    PanelOnForm f(data.Source);
    f.Panel->Teardown = &out;
    EXPECT_EQ(data.Source->LinkCount(), 1);
    // The owner form frees the panel.
  }
  // The list, the scroll box and the style, count and compare options are
  // gone; the link, the measuring label and the captions remain.
  EXPECT_EQ(out, (std::vector<std::string>{"old:People link label captions"}));
  EXPECT_EQ(data.Source->LinkCount(), 0);

  // A destroyed dataset is never handed over: not when it goes, not when
  // the panel goes later.
  out.clear();
  auto* p = new TTestPanel(nullptr);
  p->Teardown = &out;
  p->SetDataSource(data.Source);
  TObject::Free(data.DataSet);
  EXPECT_EQ(p->GetFields()->Count(), 0);
  TObject::Free(p);
  EXPECT_EQ(out, std::vector<std::string>{});
  EXPECT_EQ(data.Source->LinkCount(), 0);
}

// A panel that, like a filter panel, changes the dataset it leaves: the
// dataset then notifies its links while the panel is being torn down.
class TUnhookingPanel : public TTestPanel {
 public:
  using TTestPanel::TTestPanel;
  void SetOldDataSet(TDataSet* dataSet) override {
    TTestPanel::SetOldDataSet(dataSet);
    dataSet->SetFiltered(!dataSet->GetFiltered());
    dataSet->FieldByName("AGE")->SetDisplayWidth(dataSet->FieldByName("AGE")->GetDisplayWidth() +
                                                 1);
    dataSet->Close();
  }
  void DataSetChanged() override {
    Note("changed");
    TTestPanel::DataSetChanged();
  }
  void LayoutChanged() override {
    Note("layout");
    TTestPanel::LayoutChanged();
  }
  void ActiveChanged() override {
    Note("active");
    TTestPanel::ActiveChanged();
  }

 private:
  void Note(const char* what) {
    if (Teardown) Teardown->push_back(what);
  }
};

TEST(FieldsPanelControl, TeardownIsSafeWhenLeavingTheDatasetChangesIt) {
  PeopleData data;
  data.Add("Ann", 30, Null, true, 1.0);
  std::vector<std::string> out;
  {
    PanelOnForm f;
    auto* p = new TUnhookingPanel(f.Form);
    p->SetParent(f.Form);
    p->SetDataSource(data.Source);
    p->Teardown = &out;
  }
  // The dataset was changed and closed; no handler of the dying panel ran.
  EXPECT_EQ(out, (std::vector<std::string>{"old:People link label captions"}));
  EXPECT_FALSE(data.DataSet->GetActive());
  EXPECT_EQ(data.Source->LinkCount(), 0);
}

TEST(FieldsPanelControl, SettingsRelayoutOncePerChangeOrOncePerPaintBracket) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  TFont font;
  font.SetSize(14);
  auto changeAll = [&](int step, TPosState pos, bool autoWidth, TCursor cursor, TColor edit) {
    p->SetStepHeight(step);
    p->SetPosState(pos);
    p->SetAutoEditWidth(autoWidth);
    p->SetEditCursor(cursor);
    so->SetColor(1, edit);
    so->SetFont(2, &font);
  };
  changeAll(4, psTwoLine, false, crHandPoint, clBtnFace);
  EXPECT_EQ(p->TakeTrace(), "paint paint paint paint paint paint");
  changeAll(4, psTwoLine, false, crHandPoint, clBtnFace);  // same values
  EXPECT_EQ(p->TakeTrace(), "paint");                      // only the font assignment
  p->BeginPaint();
  p->BeginPaint();
  changeAll(6, psOneLine, true, crIBeam, clWindow);
  p->SetCtl3D(false);
  p->GetCaptions()->SetCaption(1, "to");
  p->EndPaint();
  EXPECT_EQ(p->TakeTrace(), "");
  p->EndPaint();
  EXPECT_EQ(p->TakeTrace(), "paint");
  EXPECT_EQ(p->GetPaintCount(), 0);
  // AutoSize re-lays out only when it becomes true.
  p->SetAutoSize(false);
  EXPECT_EQ(p->TakeTrace(), "");
  p->SetAutoSize(true);
  EXPECT_EQ(p->TakeTrace(), "paint");
  // The editors' cursor travels through the panel's cursor message.
  p->SetEditCursor(crIBeam);
  EXPECT_EQ(p->TakeTrace(), "");
  p->Perform(CM_CURSORCHANGED, 0, 0);
  EXPECT_EQ(p->TakeTrace(), "paint");
}

TEST(FieldsPanelControl, ForeignControlsAreRefusedOnlyWhileDesigning) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  auto* label = new TLabel(f.Form);
  label->SetParent(p);  // at run time anything may be put on the panel
  EXPECT_EQ(label->GetParent(), p);
  label->SetParent(f.Form);

  f.Form->SetDesigning(true);
  EXPECT_EQ(MessageOf<ETabulonError>([&] { label->SetParent(p); }),
            "Control cannot be used in a 'TTestPanel'");
  EXPECT_NE(label->GetParent(), p);
  EXPECT_EQ(p->GetControlCount(), 1);
  // The panel's own insertions pass.
  p->SetInternalInsert(true);
  label->SetParent(p);
  p->SetInternalInsert(false);
  EXPECT_EQ(label->GetParent(), p);
}

TEST(FieldsPanelControl, MouseOnTheScrollBoxReachesThePanelInPanelCoordinates) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  TScrollingFieldsSet* box = p->GetScrollingFieldsSet();
  // Border 2 and one raised bevel put the box at (3, 3).
  ASSERT_EQ(box->GetLeft(), 3);
  ASSERT_EQ(box->GetTop(), 3);
  std::vector<std::string> seen;
  p->OnMouseDown = TMouseEvent([&](TObject* sender, TMouseButton b, TShiftState, int x, int y) {
    seen.push_back((sender == p ? "panel " : "other ") + std::to_string(b) + " " +
                   std::to_string(x) + "," + std::to_string(y));
  });
  box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 20));
  box->Perform(WM_LBUTTONUP, 0, MakeLParam(10, 20));
  box->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(-5, 0));
  box->Perform(WM_RBUTTONUP, 0, MakeLParam(-5, 0));
  EXPECT_EQ(seen, (std::vector<std::string>{"panel 0 13,23", "panel 1 -2,3"}));

  // Under another parent the box keeps its messages.
  seen.clear();
  TScrollingFieldsSet loose(nullptr);
  loose.SetParent(f.Form);
  loose.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 1));
  loose.Perform(WM_LBUTTONUP, 0, MakeLParam(1, 1));
  EXPECT_TRUE(seen.empty());
  loose.SetParent(nullptr);
}

}  // namespace
}  // namespace tabulon::test
