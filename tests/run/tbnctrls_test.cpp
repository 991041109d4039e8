// The popup and combo box edits: incremental search while typing (nearest,
// exact, none; refining over a completed tail; Backspace), list height and
// placement, every trigger that opens, accepts or cancels the list with the
// exact event trace, arrow stepping, read-only, the keys an open list sees,
// and the form-file properties.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/controls/application.h"
#include "platform/forms/form.h"
#include "platform/forms/toplevel.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "run/tbnctrls.h"
#include "tests/run/test_util.h"

namespace tabulon {
namespace {

using test::Play;

struct ComboFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetName("fmCombo");
    form->SetBounds(0, 0, 400, 200);
    combo = new TQXComboBoxEdit(form.get());
    combo->SetName("cbName");
    combo->SetParent(form.get());
    combo->SetText("");
    combo->SetBounds(20, 10, 145, 21);
    combo->GetItems()->Add("Alpha");
    combo->GetItems()->Add("alpine");
    combo->GetItems()->Add("Beta");
    other = new TQXMaskEdit(form.get());
    other->SetName("edOther");
    other->SetParent(form.get());
    other->SetTop(100);
    combo->OnDropDown = [this](TObject*) { trace += "DropDown;"; };
    combo->OnCloseUp = [this](TObject*) { trace += "CloseUp(" + combo->GetText() + ");"; };
    combo->OnChange = [this](TObject*) { trace += "Change(" + combo->GetText() + ");"; };
    combo->OnClick = [this](TObject*) { trace += "Click;"; };
    form->Show();
    combo->SetFocus();
  }
  void TearDown() override { form->Hide(); }
  std::string Take() { return std::exchange(trace, std::string()); }
  std::string State() {
    return combo->GetText() + "|" + combo->GetSelText() + "|" +
           std::to_string(combo->GetItemIndex());
  }

  std::unique_ptr<TForm> form;
  TQXComboBoxEdit* combo = nullptr;
  TQXMaskEdit* other = nullptr;
  THost host;
  std::string trace;
};

TEST_F(ComboFixture, TypingSearchesNearestAndRefinesOverTheCompletedTail) {
  Play(host, "type a");
  EXPECT_EQ(State(), "Alpha|lpha|0");  // first in list order, not the lower-case one
  Play(host, "type l");
  EXPECT_EQ(State(), "Alpha|pha|0");  // the typed key searched again over the tail
  Play(host, "type p");
  EXPECT_EQ(State(), "Alpha|ha|0");
  Play(host, "type i");
  EXPECT_EQ(State(), "alpine|ne|1");  // "ALPI" leaves Alpha for alpine
  EXPECT_EQ(Take(), "Change(Alpha);Change(Alpha);Change(Alpha);Change(alpine);");
  // Backspace removes the tail and searches exactly: nothing is completed again.
  Play(host, "key Backspace");
  EXPECT_EQ(State(), "alpi||-1");
  Play(host, "key Backspace\nkey Backspace\nkey Backspace\nkey Backspace");
  EXPECT_EQ(State(), "||-1");
  Play(host, "type x");
  EXPECT_EQ(State(), "x||-1");  // no item starts with it: the text stays as typed
}

TEST_F(ComboFixture, ExactAndNoSearch) {
  combo->SetSearchState(ssExact);
  Play(host, "type a");
  EXPECT_EQ(State(), "a||-1");
  Play(host, "key Backspace\ntype beta");
  EXPECT_EQ(State(), "Beta||2");  // the item's capitalisation, no selected tail
  combo->SetSearchState(ssNone);
  combo->SetText("");
  Take();
  Play(host, "type a");
  EXPECT_EQ(State(), "a||2");  // the selection does not follow the text
  EXPECT_EQ(Take(), "Change(a);");
}

TEST_F(ComboFixture, ListHeightFollowsRowsAndItems) {
  auto* list = combo->GetList();
  const int h = list->GetItemHeight();
  struct Case {
    int rows, items, shownRows;
  };
  for (Case c : {Case{7, 3, 3}, Case{7, 0, 1}, Case{0, 3, 1}, Case{2, 3, 2}, Case{7, 9, 7}}) {
    combo->GetItems()->Clear();
    for (int i = 0; i < c.items; ++i) combo->GetItems()->Add("item" + std::to_string(i));
    combo->SetDropDownRows(c.rows);
    combo->DropDown();
    EXPECT_EQ(combo->GetDropDownHeight(), c.shownRows * h + 2) << c.rows << "/" << c.items;
    EXPECT_EQ(list->GetHeight(), c.shownRows * h + 2);
    combo->CloseUp(false);
  }
}

TEST_F(ComboFixture, PlacementBelowAboveAndAligned) {
  auto* list = combo->GetList();
  TPoint p = form->ClientToScreen({combo->GetLeft(), combo->GetTop()});
  combo->DropDown();
  EXPECT_EQ(list->GetBoundsRect(), Bounds(p.X, p.Y + combo->GetHeight(), 145, list->GetHeight()));
  combo->CloseUp(false);
  combo->SetDropDownWidth(200);
  const std::pair<TDropDownAlign, int> aligns[] = {{daLeft, 0}, {daRight, -55}, {daCenter, -27}};
  for (auto [align, dx] : aligns) {
    combo->SetDropDownAlign(align);
    combo->DropDown();
    EXPECT_EQ(list->GetLeft(), p.X + dx) << align;
    EXPECT_EQ(list->GetWidth(), 200);
    combo->CloseUp(false);
  }
  // Near the bottom of the screen the list opens above the edit.
  combo->SetTop(Screen()->GetHeight() - form->ClientToScreen({0, 0}).Y - 30);
  p = form->ClientToScreen({combo->GetLeft(), combo->GetTop()});
  combo->DropDown();
  EXPECT_EQ(list->GetTop(), p.Y - combo->GetDropDownHeight());
  combo->CloseUp(false);
}

TEST_F(ComboFixture, EveryTriggerOpensAcceptsOrCancelsWithItsTrace) {
  struct Case {
    const char* name;
    std::function<void()> open, close;
    std::string trace;
  };
  auto key = [this](const char* k) { return [this, k] { Play(host, std::string("key ") + k); }; };
  auto clickButton = [this] { host.Click(combo->GetButton()); };
  const Case cases[] = {
      {"Alt+Down twice", key("Alt+Down"), key("Alt+Down"), "DropDown;Change(Beta);CloseUp(Beta);"},
      {"Alt+Up accepts", key("Alt+Up"), key("Alt+Up"), "DropDown;Change(Beta);CloseUp(Beta);"},
      {"Enter accepts", key("Alt+Down"), key("Enter"), "DropDown;Change(Beta);CloseUp(Beta);"},
      {"Escape cancels", key("Alt+Down"), key("Escape"), "DropDown;CloseUp();"},
      {"button twice cancels", clickButton, clickButton, "DropDown;CloseUp();"},
      {"press in the text cancels", clickButton,
       [this] {
         host.Click(combo, {10, 5});
       },
       "DropDown;CloseUp();Click;"},
      {"focus elsewhere cancels", clickButton, [this] { other->SetFocus(); },
       "DropDown;CloseUp();"},
      {"cancel mode of another control", clickButton,
       [this] { combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(other)); },
       "DropDown;CloseUp();"},
      {"release beside the list cancels", clickButton,
       [this] { combo->GetList()->Perform(WM_LBUTTONUP, 0, MakeLParam(-5, -5)); },
       "DropDown;CloseUp();"},
  };
  for (const Case& c : cases) {
    combo->SetFocus();
    combo->SetText("");
    combo->SetItemIndex(2);
    Take();
    c.open();
    ASSERT_TRUE(combo->GetListVisible()) << c.name;
    c.close();
    EXPECT_FALSE(combo->GetListVisible()) << c.name;
    EXPECT_EQ(Take(), c.trace) << c.name;
  }
  // The own cancel mode of the edit, its button or its list leaves it open.
  combo->DropDown();
  combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(combo->GetList()));
  combo->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(combo));
  EXPECT_TRUE(combo->GetListVisible());
  combo->CloseUp(false);
  Take();
  // Choosing in the open list: a press on the item, the release accepts.
  Play(host, "choose cbName alpine");
  EXPECT_EQ(Take(), "DropDown;Change(alpine);CloseUp(alpine);");
  EXPECT_EQ(combo->GetSelText(), "alpine");  // accepted with auto-select on
  // Destruction closes an open list without accepting.
  combo->DropDown();
  Take();
  delete combo;
  EXPECT_EQ(trace, "CloseUp(alpine);");
}

TEST_F(ComboFixture, ButtonPressHandedToTheListWhileTracking) {
  TSpeedButton* button = combo->GetButton();
  auto* list = combo->GetList();
  button->Perform(WM_LBUTTONDOWN, 0, MakeLParam(5, 5));
  EXPECT_TRUE(combo->GetListVisible());
  EXPECT_TRUE(combo->GetTracking());
  // Moving within the button keeps tracking; onto the second row, the list takes the press.
  button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(5, 6));
  EXPECT_TRUE(combo->GetTracking());
  TRect row = list->ItemRect(1);
  TPoint over = button->ScreenToClient(list->ClientToScreen({row.Left + 3, row.Top + 2}));
  button->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(over.X, over.Y));
  EXPECT_FALSE(combo->GetTracking());
  EXPECT_EQ(list->GetItemIndex(), 1);
  Take();
  list->Perform(WM_LBUTTONUP, 0, MakeLParam(row.Left + 3, row.Top + 2));
  EXPECT_EQ(Take(), "Change(alpine);CloseUp(alpine);");
}

TEST_F(ComboFixture, ArrowsStepTheItems) {
  combo->SetText("zzz");
  Play(host, "key Up");
  EXPECT_EQ(State(), "Alpha||0");  // no item matches: item 0
  Play(host, "key Down\nkey Down\nkey Down");
  EXPECT_EQ(combo->GetText(), "Beta");  // stops at the end
  EXPECT_EQ(combo->GetItemIndex(), 2);
  combo->SetText("BETA");  // matches ignoring case: stepping goes on from it
  Play(host, "key Up");
  EXPECT_EQ(combo->GetText(), "alpine");
  // Open: the arrows move the list's selection once (the list sees a consumed key).
  Play(host, "key Alt+Down\nkey Down");
  EXPECT_EQ(combo->GetItemIndex(), 2);
  EXPECT_EQ(combo->GetText(), "alpine");
  Play(host, "key Down\nkey PageUp");
  EXPECT_EQ(combo->GetItemIndex(), 0);  // other keys reach the open list
  Play(host, "key Enter");
  EXPECT_EQ(combo->GetText(), "Alpha");
}

TEST_F(ComboFixture, ReadOnlyOpensByButtonButChangesNothing) {
  combo->SetReadOnly(true);
  combo->SetText("zzz");  // the program's SetText is refused as well
  EXPECT_EQ(combo->GetText(), "");
  Play(host, "key Alt+Down\nkey Down\nkey Up");
  EXPECT_FALSE(combo->GetListVisible());
  EXPECT_EQ(State(), "||-1");
  Take();
  Play(host, "choose cbName Beta");
  EXPECT_EQ(Take(), "DropDown;CloseUp();");
  EXPECT_EQ(combo->GetText(), "");
}

TEST(QXComboBoxEdit, FormFilesSetAndStoreThePublishedProperties) {
  const char* text = R"(object fmCombo: TForm
  object cbKind: TQXComboBoxEdit
    Items.Strings = (
      'one'
      'two')
    DropDownAlign = daRight
    DropDownRows = 3
    DropDownWidth = 200
    SearchState = ssExact
    Sorted = True
  end
end
)";
  TForm root(nullptr);
  ReadFormData(text, &root);
  auto* e = dynamic_cast<TQXComboBoxEdit*>(root.FindComponent("cbKind"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->GetItems()->Count(), 2);
  EXPECT_EQ(e->GetDropDownAlign(), daRight);
  EXPECT_EQ(e->GetComboSearchState(), ssExact);
  EXPECT_TRUE(e->GetSorted());
  EXPECT_EQ(e->GetButton()->GetWidth(), e->GetInternalButtonWidth());  // shown from the start
  EXPECT_GT(e->GetInternalButtonWidth(), 0);
  std::string out = ComponentToText(e);
  for (const char* line : {"DropDownAlign = daRight", "DropDownRows = 3", "DropDownWidth = 200",
                           "SearchState = ssExact", "Sorted = True", "'two'"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  for (const char* absent : {"PasswordChar", "DirectInput", "ReadOnly", "Alignment"})
    EXPECT_EQ(out.find(absent), std::string::npos) << absent << "\n" << out;
}

}  // namespace
}  // namespace tabulon
