// List boxes (drag and drop reordering), combo boxes (keyboard and mouse
// choice), page controls and message box layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/forms/combobox.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/listbox.h"
#include "platform/forms/mouse.h"
#include "platform/forms/msgdlg.h"
#include "platform/forms/pagecontrol.h"
#include "platform/forms/toplevel.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;
using Trace = std::vector<std::string>;

struct Shown {
  Shown() {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(50, 50, 400, 300);
  }
  ~Shown() { form->Hide(); }
  std::unique_ptr<TForm> form;
};

std::string Items(TStrings* s) { return s->GetCommaText(); }

TEST(ListBoxDrag, DropOnItselfReordersThroughOnDragDrop) {
  Shown s;
  auto* lb = new TListBox(s.form.get());
  lb->SetParent(s.form.get());
  lb->SetBounds(10, 10, 150, 200);
  lb->GetItems()->SetCommaText("A,B,C,D,E");
  lb->SetDragMode(dmAutomatic);
  Trace trace;
  lb->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState st, bool& accept) {
    trace.push_back(st == dsDragEnter ? "enter" : st == dsDragMove ? "move" : "leave");
    accept = source == lb;
  };
  lb->OnDragDrop = [&](TObject*, TObject*, int x, int y) {
    int to = lb->ItemAtPos({x, y}, true);
    if (to < 0) to = lb->GetItems()->Count() - 1;
    trace.push_back("drop " + std::to_string(lb->GetItemIndex()) + "->" + std::to_string(to));
    lb->GetItems()->Move(lb->GetItemIndex(), to);
    lb->SetItemIndex(to);
  };
  lb->OnEndDrag = [&](TObject*, TObject* target, int, int) {
    trace.push_back(target ? "end on target" : "end nowhere");
  };
  lb->OnClick = [&](TObject*) { trace.push_back("click"); };
  s.form->Show();
  auto at = [&](int item) {
    TRect r = lb->ItemRect(item);
    return lb->ClientToScreen({r.Left + 5, r.Top + r.Height() / 2});
  };
  // Press on B, move past the threshold, release on D.
  SendMouseDown(at(1), mbLeft, {});
  SendMouseMove(at(2), {ssLeft});
  SendMouseMove(at(3), {ssLeft});
  SendMouseUp(at(3), mbLeft, {});
  EXPECT_EQ(Items(lb->GetItems()), "A,C,D,B,E");
  EXPECT_EQ(trace, (Trace{"click", "enter", "move", "move", "drop 1->3", "end on target"}));
  // Below the last item the drop goes to the end.
  trace.clear();
  SendMouseDown(at(0), mbLeft, {});
  TPoint below = lb->ClientToScreen({5, lb->GetClientHeight() - 2});
  SendMouseMove(below, {ssLeft});
  SendMouseUp(below, mbLeft, {});
  EXPECT_EQ(Items(lb->GetItems()), "C,D,B,E,A");
  // Released outside any target: no drop; a press without moving only selects.
  trace.clear();
  SendMouseDown(at(0), mbLeft, {});
  TPoint outside = s.form->ClientToScreen({300, 250});
  SendMouseMove(outside, {ssLeft});
  SendMouseUp(outside, mbLeft, {});
  EXPECT_EQ(Items(lb->GetItems()), "C,D,B,E,A");
  EXPECT_EQ(trace, (Trace{"click", "end nowhere"}));  // the first move left the list
  trace.clear();
  SendMouseDown(at(2), mbLeft, {});
  SendMouseUp(at(2), mbLeft, {});
  EXPECT_EQ(trace, (Trace{"click"}));
  EXPECT_FALSE(Dragging());
  EXPECT_EQ(lb->GetItemIndex(), 2);
}

TEST(ListBox, ItemAtPosTopIndexAndKeys) {
  Shown s;
  auto* lb = new TListBox(s.form.get());
  lb->SetParent(s.form.get());
  lb->SetStyle(lbOwnerDrawFixed);
  lb->SetItemHeight(10);
  lb->SetBounds(0, 0, 100, 54);  // 50 pixels of client area: five rows
  for (int i = 0; i < 20; ++i) lb->GetItems()->Add("item" + std::to_string(i));
  EXPECT_EQ(lb->VisibleRows(), 5);
  EXPECT_EQ(lb->ItemAtPos({5, 25}, true), 2);
  lb->SetTopIndex(100);
  EXPECT_EQ(lb->GetTopIndex(), 15);  // the last page
  EXPECT_EQ(lb->ItemAtPos({5, 49}, true), 19);
  lb->SetTopIndex(0);
  lb->GetItems()->Clear();
  lb->GetItems()->SetCommaText("x,y");
  EXPECT_EQ(lb->ItemAtPos({5, 25}, true), -1);
  EXPECT_EQ(lb->ItemAtPos({5, 25}, false), 2);
  s.form->Show();
  lb->SetFocus();
  int clicks = 0;
  lb->OnClick = [&](TObject*) { ++clicks; };
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_DOWN, {}, 0);  // already at the end
  EXPECT_EQ(lb->GetItemIndex(), 1);
  EXPECT_EQ(clicks, 2);
  lb->SetItemIndex(7);  // out of range selects nothing
  EXPECT_EQ(lb->GetItemIndex(), -1);
}

struct ComboFixture : ::testing::Test {
  void SetUp() override {
    combo = new TComboBox(s.form.get());
    combo->SetParent(s.form.get());
    combo->SetBounds(10, 10, 120, 21);
    combo->SetStyle(csDropDownList);
    combo->GetItems()->SetCommaText("Exact,Initial,Partial");
    combo->OnClick = [this](TObject*) { trace.push_back("click " + combo->GetText()); };
    combo->OnChange = [this](TObject*) { trace.push_back("change " + combo->GetText()); };
    s.form->Show();
    combo->SetFocus();
  }
  Shown s;
  TComboBox* combo = nullptr;
  Trace trace;
};

TEST_F(ComboFixture, KeyboardChoiceFiresClickThenChange) {
  combo->SetItemIndex(0);  // by the program: no events
  EXPECT_EQ(combo->GetText(), "Exact");
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_END, {}, 0);
  s.form->PressKey(VK_DOWN, {}, 0);  // nothing after the last item
  s.form->PressKey('E', {}, 'e');    // the next item starting with E
  EXPECT_EQ(trace, (Trace{"click Initial", "change Initial", "click Partial", "change Partial",
                          "click Exact", "change Exact"}));
  EXPECT_EQ(combo->GetItemIndex(), 0);
  // Alt+Down opens the list; arrows move its highlight only; Escape leaves it.
  trace.clear();
  s.form->PressKey(VK_DOWN, {ssAlt}, 0);
  ASSERT_TRUE(combo->GetDroppedDown());
  auto windows = TopLevelWindows();
  EXPECT_EQ(windows.back(), combo->GetListBox());  // the popup is on top
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_ESCAPE, {}, 27);
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_TRUE(s.form->GetVisible());  // Escape went to the list, not the form
  EXPECT_EQ(combo->GetItemIndex(), 0);
  // F4, two downs and Enter choose.
  s.form->PressKey(VK_F4, {}, 0);
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_DOWN, {}, 0);
  s.form->PressKey(VK_RETURN, {}, '\r');
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(trace, (Trace{"click Partial", "change Partial"}));
  // Picking the item already shown from the open list is still a choice;
  // arrows on the closed box past the end are not.
  trace.clear();
  s.form->PressKey(VK_F4, {}, 0);
  s.form->PressKey(VK_RETURN, {}, '\r');
  s.form->PressKey(VK_DOWN, {}, 0);
  EXPECT_EQ(trace, (Trace{"click Partial", "change Partial"}));
}

TEST_F(ComboFixture, MouseChoiceThroughThePopupList) {
  TPoint box = combo->ClientToScreen({5, 5});
  SendMouseDown(box, mbLeft, {});
  SendMouseUp(box, mbLeft, {});
  ASSERT_TRUE(combo->GetDroppedDown());
  TComboListBox* list = combo->GetListBox();
  EXPECT_EQ(list->GetTop(), combo->ClientToScreen({0, 0}).Y - 2 + combo->GetHeight());
  TRect r = list->ItemRect(1);
  TPoint item = list->ClientToScreen({r.Left + 3, r.Top + 2});
  EXPECT_EQ(FindControlAtScreen(item), list);
  SendMouseDown(item, mbLeft, {});
  SendMouseUp(item, mbLeft, {});
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_FALSE(list->GetVisible());
  EXPECT_EQ(trace, (Trace{"click Initial", "change Initial"}));
  // Leaving the combo box closes an open list without a choice.
  SendMouseDown(box, mbLeft, {});
  SendMouseUp(box, mbLeft, {});
  auto* other = new TEdit(s.form.get());
  other->SetParent(s.form.get());
  other->SetTop(100);
  other->SetFocus();
  EXPECT_FALSE(combo->GetDroppedDown());
  EXPECT_EQ(combo->GetItemIndex(), 1);
}

TEST(PageControl, HiddenTabsPagesAndFocus) {
  Shown s;
  auto* pc = new TPageControl(s.form.get());
  pc->SetParent(s.form.get());
  pc->SetBounds(0, 0, 300, 200);
  auto* a = new TTabSheet(s.form.get());
  a->SetName("tsDefault");
  a->SetPageControl(pc);
  auto* b = new TTabSheet(s.form.get());
  b->SetName("tsField");
  b->SetPageControl(pc);
  auto* ea = new TEdit(s.form.get());
  ea->SetParent(a);
  auto* eb = new TEdit(s.form.get());
  eb->SetParent(b);
  EXPECT_EQ(pc->GetPageCount(), 2);
  EXPECT_EQ(pc->GetActivePage(), a);
  EXPECT_TRUE(pc->TabsShown());
  a->SetTabVisible(false);
  b->SetTabVisible(false);
  EXPECT_FALSE(pc->TabsShown());
  EXPECT_EQ(a->GetBoundsRect(), Rect(4, 4, 296, 196));  // no tab row: the page fills the frame
  s.form->Show();
  ea->SetFocus();
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  pc->SetActivePage(b);
  EXPECT_FALSE(a->GetVisible());
  EXPECT_TRUE(b->GetVisible());
  EXPECT_EQ(Screen()->GetActiveControl(), eb);  // the focus followed onto the new page
  EXPECT_EQ(changes, 0);                        // set by the program
  EXPECT_EQ(b->GetPageIndex(), 1);
  ExpectThrow<EListError>([&] { pc->SetActivePageIndex(2); },
                          "2 is an invalid PageIndex value.  PageIndex must be between 0 and 1");
  delete b;
  EXPECT_EQ(pc->GetPageCount(), 1);
  EXPECT_EQ(pc->GetActivePage(), a);
}

TEST(MessageBox, ButtonsCaptionsDefaultAndCancel) {
  struct Case {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    const char* caption;
    Trace names, defs, cancels;
  };
  Application()->SetTitle("Tabulon");
  std::vector<Case> cases = {
      {mtConfirmation, mbYesNoCancel, "Confirm", {"Yes", "No", "Cancel"}, {"Yes"}, {"Cancel"}},
      {mtConfirmation, {mbYes, mbNo}, "Confirm", {"Yes", "No"}, {"Yes"}, {"No"}},
      {mtWarning, mbOKCancel, "Warning", {"OK", "Cancel"}, {"OK"}, {"Cancel"}},
      {mtError, {mbOK}, "Error", {"OK"}, {"OK"}, {"OK"}},
      // Neither Cancel, No nor OK: no button answers Escape.
      {mtInformation,
       mbAbortRetryIgnore,
       "Information",
       {"Abort", "Retry", "Ignore"},
       {"Retry"},
       {}},
      {mtCustom, {mbOK}, "Tabulon", {"OK"}, {"OK"}, {"OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    std::unique_ptr<TMessageForm> box(CreateMessageDialog("Line one\nLine two", c.type, c.buttons));
    EXPECT_EQ(box->GetCaption(), c.caption);
    Trace names, defs, cancels;
    int lastRight = 0;
    for (int i = 0; i < box->ComponentCount(); ++i) {
      auto* b = dynamic_cast<TButton*>(box->Components(i));
      if (!b) continue;
      names.push_back(b->GetName());
      EXPECT_GT(b->GetLeft(), lastRight);  // left to right, not overlapping
      lastRight = b->GetLeft() + b->GetWidth();
      if (b->GetDefault()) defs.push_back(b->GetName());
      if (b->GetCancel()) cancels.push_back(b->GetName());
      EXPECT_LE(lastRight, box->GetClientWidth());
    }
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(defs, c.defs);
    EXPECT_EQ(cancels, c.cancels);
  }
}

}  // namespace
}  // namespace tabulon
