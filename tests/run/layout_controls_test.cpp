// The controls of the rows: created only for an empty slot or an editor of
// the wrong class, re-used and moved otherwise, freed when a row no longer
// needs them, parked while they have the focus; the values shown by new
// editors; and the rows following the dataset as it closes and opens.
#include <gtest/gtest.h>

#include <set>

#include "tests/run/layout_fixture.h"

namespace tabulon::test {
namespace {

std::set<TControl*> Children(TPanelFieldsSet* p) {
  std::set<TControl*> out;
  TScrollingFieldsSet* box = p->GetScrollingFieldsSet();
  for (int i = 0; i < box->GetControlCount(); ++i) out.insert(box->GetControls(i));
  return out;
}

std::string Text(TComponent* editor) { return static_cast<TCustomEdit*>(editor)->GetText(); }

TEST(PanelLayoutControls, PassesReuseMoveAndFreeOnlyWhatChanged) {
  TCountingEdit::Created = TCountingEdit::Freed = 0;
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  // Three captions, a "with" and an "on" caption, four editors.
  EXPECT_EQ(BoxControls(p), 9);
  EXPECT_EQ(TCountingEdit::Created, 4);
  const std::set<TControl*> before = Children(p);

  // A pass that changes nothing creates and frees nothing.
  p->WndChanged();
  p->SetPosState(psTwoLine);  // everything moves
  EXPECT_EQ(Children(p), before);
  EXPECT_EQ(TCountingEdit::Created, 4);
  EXPECT_EQ(TCountingEdit::Freed, 0);
  // The editors keep their places in the tab order, row by row.
  auto tab = [&](int r, int slot) {
    return static_cast<TWinControl*>(f.Record(r)->Editors[slot])->GetTabOrder();
  };
  EXPECT_EQ(std::vector<int>({tab(0, 0), tab(1, 0), tab(1, 1), tab(2, 0)}),
            std::vector<int>({0, 1, 2, 3}));

  // One editor less: the second editor and both range captions go.
  TComponent* ageEditor = f.Record(1)->Editors[0];
  f.Record(1)->SetCount(coOne);
  EXPECT_EQ(BoxControls(p), 6);
  EXPECT_EQ(f.Record(1)->Editors[0], ageEditor);
  EXPECT_EQ(f.Record(1)->Editors[1], nullptr);
  EXPECT_EQ(TCountingEdit::Freed, 1);
  EXPECT_EQ(tab(2, 0), 2);

  // Another editor class replaces the editor; a descendant class would not.
  TComponent* nameEditor = f.Record(0)->Editors[0];
  p->EditorClasses[f.Record(0)] = TOtherEdit::StaticClass();
  p->WndChanged();
  // The replacement may reuse the freed editor's address: the counts and the
  // class tell that it is a new control.
  EXPECT_TRUE(f.Record(0)->Editors[0]->InheritsFrom(TOtherEdit::StaticClass()));
  EXPECT_EQ(TCountingEdit::Created, 5);
  EXPECT_EQ(TCountingEdit::Freed, 2);
  nameEditor = f.Record(0)->Editors[0];
  p->EditorClasses[f.Record(0)] = TCountingEdit::StaticClass();
  p->WndChanged();
  EXPECT_EQ(f.Record(0)->Editors[0], nameEditor);
  EXPECT_EQ(TCountingEdit::Created, 5);
  EXPECT_EQ(TCountingEdit::Freed, 2);

  // Comments come and go with CommentVisible; hidden records lose their row.
  f.Record(2)->SetCommentVisible(true);
  EXPECT_NE(f.Record(2)->CommentLabels[0], nullptr);
  EXPECT_EQ(BoxControls(p), 7);
  f.Record(2)->SetCommentVisible(false);
  EXPECT_EQ(f.Record(2)->CommentLabels[0], nullptr);
  f.Record(2)->SetVisible(false);
  EXPECT_EQ(f.Record(2)->CaptionLabels[0], nullptr);
  EXPECT_EQ(f.Record(2)->Editors[0], nullptr);
  EXPECT_EQ(BoxControls(p), 4);
  EXPECT_EQ(TCountingEdit::Created - TCountingEdit::Freed, 2);
}

TEST(PanelLayoutControls, AFocusedEditorIsParkedUntilTheNextOneOrTheEnd) {
  TCountingEdit::Created = TCountingEdit::Freed = 0;
  {
    LayoutOnForm f;
    TLayoutPanel* p = f.Panel;
    auto* name = static_cast<TWinControl*>(f.Record(0)->Editors[0]);
    int exits = 0;
    name->OnExit = TNotifyEvent([&](TObject*) { ++exits; });
    name->SetFocus();
    ASSERT_TRUE(name->Focused());
    f.Record(0)->SetVisible(false);
    // Not freed: detached, disabled, hidden and kept.
    EXPECT_EQ(f.Record(0)->Editors[0], nullptr);
    EXPECT_EQ(p->GetParkedEdit(), name);
    EXPECT_FALSE(name->GetEnabled());
    EXPECT_FALSE(name->GetVisible());
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(TCountingEdit::Freed, 0);
    // The row comes back with a new editor.
    f.Record(0)->SetVisible(true);
    EXPECT_NE(f.Record(0)->Editors[0], nullptr);
    EXPECT_NE(f.Record(0)->Editors[0], name);
    EXPECT_EQ(TCountingEdit::Created, 5);

    // The next parked editor frees the one before.
    auto* city = static_cast<TWinControl*>(f.Record(2)->Editors[0]);
    city->SetFocus();
    f.Record(2)->SetVisible(false);
    EXPECT_EQ(p->GetParkedEdit(), city);
    EXPECT_EQ(TCountingEdit::Freed, 1);
    // Freed by someone else, it is forgotten.
    TObject::Free(city);
    EXPECT_EQ(p->GetParkedEdit(), nullptr);
    auto* age = static_cast<TWinControl*>(f.Record(1)->Editors[1]);
    age->SetFocus();
    f.Record(1)->SetCount(coOne);
    EXPECT_EQ(p->GetParkedEdit(), age);
  }
  // The panel freed the parked editor with everything else.
  EXPECT_EQ(TCountingEdit::Created, TCountingEdit::Freed);
}

TEST(PanelLayoutControls, ClosingRemovesEveryRowAndOpeningShowsTheValues) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  p->GetFields()->SetDefaultFields(false);
  f.Record(0)->SetAsString(0, "Smith");
  f.Record(1)->SetAsInteger(0, 18);
  f.Record(1)->SetAsInteger(1, 65);
  // A value written to a record shows in its editor.
  EXPECT_EQ(Text(f.Record(0)->Editors[0]), "Smith");
  EXPECT_EQ(Text(f.Record(1)->Editors[1]), "65");

  f.DataSet->Close();
  EXPECT_EQ(Layout(p), "");
  EXPECT_EQ(BoxControls(p), 0);
  EXPECT_EQ(p->GetRequiredHeight(), 0);
  f.DataSet->Open();
  EXPECT_EQ(Text(f.Record(0)->Editors[0]), "Smith");
  EXPECT_EQ(Text(f.Record(1)->Editors[0]), "18");
  EXPECT_EQ(Text(f.Record(1)->Editors[1]), "65");
  EXPECT_EQ(Text(f.Record(2)->Editors[0]), "");

  // Without AutoSaveValues new editors start empty; surviving ones keep
  // what they show.
  p->SetAutoSaveValues(false);
  p->WndChanged();
  EXPECT_EQ(Text(f.Record(0)->Editors[0]), "Smith");
  f.DataSet->Close();
  f.DataSet->Open();
  EXPECT_EQ(Text(f.Record(0)->Editors[0]), "");
  EXPECT_EQ(Text(f.Record(1)->Editors[1]), "");
  EXPECT_EQ(f.Record(0)->GetAsString(0), "Smith");
}

TEST(PanelLayoutControls, EditorsAndLabelsTakeTheStyles) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  TFont edit;
  edit.SetName("Courier New");
  so->SetFont(2, &edit);
  TFont text;
  text.SetColor(clRed);
  so->SetFont(1, &text);
  so->SetColor(1, clYellow);
  p->SetEditCursor(crIBeam);
  auto* editor = static_cast<TCustomEdit*>(f.Record(1)->Editors[1]);
  EXPECT_EQ(editor->GetFont()->GetName(), "Courier New");
  EXPECT_FALSE(editor->GetParentFont());
  EXPECT_EQ(editor->GetColor(), clYellow);
  EXPECT_EQ(editor->GetCursor(), crIBeam);
  EXPECT_EQ(editor->GetHeight(), 21);  // the edit line less the gap
  auto* with = static_cast<TLabel*>(f.Record(1)->CaptionLabels[1]);
  EXPECT_EQ(with->GetFont()->GetColor(), clRed);
  EXPECT_EQ(with->GetCaption(), "with");
  p->SetCtl3D(false);
  EXPECT_FALSE(editor->GetCtl3D());
  EXPECT_EQ(editor->GetHeight(), 19);
  // The scroll box takes the panel's own cursor.
  p->SetCursor(crHandPoint);
  EXPECT_EQ(p->GetScrollingFieldsSet()->GetCursor(), crHandPoint);
}

}  // namespace
}  // namespace tabulon::test
