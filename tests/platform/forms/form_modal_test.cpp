// Forms: modal results from clicks and dialog keys, the close query, nested
// modal message boxes, tab order, key preview and the active control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/forms/button.h"
#include "platform/forms/checkbox.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/mouse.h"
#include "platform/forms/msgdlg.h"
#include "tests/platform/expect_throw.h"
#include "tests/platform/forms/dialog_form.h"
#include "tests/platform/forms/input_source.h"

namespace tabulon {
namespace {

using test::StepSource;
using testing::ExpectThrow;
using Trace = std::vector<std::string>;

void ClickOn(TControl* c) {
  TPoint p = c->ClientToScreen({c->GetClientWidth() / 2, c->GetClientHeight() / 2});
  SendMouseDown(p, mbLeft, {});
  SendMouseUp(p, mbLeft, {});
}

// A dialog with an edit, a check box, OK (default) and Cancel (cancel)
// whose events write into its trace.
struct Dialog : test::DialogForm {
  Dialog() : DialogForm("fmTest", 300, 200) {
    ed = Add<TEdit>("edName", 10, 10);
    cb = Add<TCheckBox>("cbFlag", 10, 40);
    ok = Add<TButton>("bbOk", 10, 100);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = Add<TButton>("bbCancel", 100, 100);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    form->OnShow = [this](TObject*) { trace.push_back("show"); };
    form->OnActivate = [this](TObject*) { trace.push_back("activate"); };
    form->OnCloseQuery = [this](TObject*, bool& can) {
      trace.push_back("closequery");
      can = allowClose;
    };
    form->OnClose = [this](TObject*, TCloseAction&) { trace.push_back("close"); };
    ok->OnClick = [this](TObject*) { trace.push_back("click ok"); };
    cancel->OnClick = [this](TObject*) { trace.push_back("click cancel"); };
  }
  ~Dialog() { form.reset(); }  // before the trace its events write into
  Trace trace;
  bool allowClose = true;
  TEdit* ed;
  TCheckBox* cb;
  TButton* ok;
  TButton* cancel;
};

TEST(FormModal, ClosesWithTheModalResultOfClickEnterEscapeAndClose) {
  struct Case {
    const char* name;
    std::function<void(Dialog&)> input;
    TModalResult result;
    Trace trace;
  };
  const Trace opened = {"show", "activate"};
  auto with = [&](Trace tail) {
    Trace t = opened;
    t.insert(t.end(), tail.begin(), tail.end());
    return t;
  };
  std::vector<Case> cases = {
      {"click OK", [](Dialog& d) { ClickOn(d.ok); }, mrOk,
       with({"click ok", "closequery", "close"})},
      {"click Cancel", [](Dialog& d) { ClickOn(d.cancel); }, mrCancel,
       with({"click cancel", "closequery", "close"})},
      {"Enter in the edit", [](Dialog& d) { d.form->PressKey(VK_RETURN, {}, '\r'); }, mrOk,
       with({"click ok", "closequery", "close"})},
      {"Escape", [](Dialog& d) { d.form->PressKey(VK_ESCAPE, {}, 27); }, mrCancel,
       with({"click cancel", "closequery", "close"})},
      {"Enter on the focused Cancel button",
       [](Dialog& d) {
         d.cancel->SetFocus();
         d.form->PressKey(VK_RETURN, {}, '\r');
       },
       mrCancel, with({"click cancel", "closequery", "close"})},
      {"Close", [](Dialog& d) { d.form->Close(); }, mrCancel, with({"closequery", "close"})},
  };
  for (const Case& c : cases) {
    Dialog d;
    StepSource input;
    input.Then([&](TCustomForm&) { c.input(d); });
    EXPECT_EQ(d.form->ShowModal(), c.result) << c.name;
    EXPECT_EQ(d.trace, c.trace) << c.name;
    EXPECT_FALSE(d.form->GetVisible()) << c.name;
    EXPECT_EQ(ModalLevel(), 0) << c.name;
  }
}

TEST(FormModal, CloseQueryRefusingKeepsTheFormOpenUntilItAgrees) {
  Dialog d;
  d.allowClose = false;
  StepSource input;
  input.Then([&](TCustomForm& f) {
    ClickOn(d.ok);
    EXPECT_EQ(&f, d.form.get());
  });
  input.Then([&](TCustomForm& f) {
    // Still open and modal, with the result cleared by the refusal.
    EXPECT_TRUE(f.GetVisible());
    EXPECT_EQ(f.GetModalResult(), mrNone);
    d.allowClose = true;
    f.PressKey(VK_ESCAPE, {}, 27);
  });
  EXPECT_EQ(d.form->ShowModal(), mrCancel);
  EXPECT_EQ(d.trace, (Trace{"show", "activate", "click ok", "closequery", "click cancel",
                            "closequery", "close"}));
}

TEST(FormModal, CloseActionNoneKeepsItOpenAndFreeReleasesTheForm) {
  auto* d = new Dialog;
  int closes = 0;
  d->form->OnClose = [&](TObject*, TCloseAction& a) { a = ++closes == 1 ? caNone : caFree; };
  bool destroyed = false;
  d->form->OnDestroy = [&](TObject*) { destroyed = true; };
  StepSource input;
  input.Then([&](TCustomForm&) { ClickOn(d->ok); });
  input.Then([&](TCustomForm&) { ClickOn(d->ok); });
  TForm* form = d->form.release();
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(destroyed);  // released once the queued messages are processed
  Application()->ProcessMessages();
  EXPECT_TRUE(destroyed);
  delete d;
}

TEST(FormModal, NestedMessageBoxIsAnsweredAndFocusReturns) {
  Dialog d;
  int answer = -1;
  d.cb->OnClick = [&](TObject*) {
    answer = MessageDlg("Delete all fields?", mtConfirmation, {mbYes, mbNo}, 0);
    d.trace.push_back("answered");
  };
  StepSource input;
  input.Then([&](TCustomForm&) { ClickOn(d.cb); });
  input.Then([&](TCustomForm& box) {
    auto& m = dynamic_cast<TMessageForm&>(box);
    EXPECT_EQ(m.GetMessage(), "Delete all fields?");
    EXPECT_EQ(m.GetCaption(), "Confirm");
    EXPECT_EQ(ModalLevel(), 2);
    box.PressKey(VK_ESCAPE, {}, 27);  // No is the cancel button without Cancel
  });
  input.Then([&](TCustomForm& f) {
    EXPECT_EQ(&f, d.form.get());
    EXPECT_EQ(Screen()->GetActiveControl(), d.cb);
    f.PressKey(VK_RETURN, {}, '\r');
  });
  EXPECT_EQ(d.form->ShowModal(), mrOk);
  EXPECT_EQ(answer, mrNo);
  EXPECT_EQ(input.Trace, (Trace{"start fmTest", "start ", "end ", "end fmTest"}));
  EXPECT_EQ(d.trace,
            (Trace{"show", "activate", "activate", "answered", "click ok", "closequery", "close"}));
}

TEST(FormModal, EndOfInputFailsInsteadOfHanging) {
  Dialog d;
  auto showModal = [&] { d.form->ShowModal(); };
  {
    StepSource input;
    ExpectThrow<EInvalidOperation>(showModal, "Script ended while a modal form was open (fmTest)");
  }
  EXPECT_FALSE(d.form->GetVisible());
  EXPECT_EQ(ModalLevel(), 0);
  // A visible form cannot become modal.
  d.form->Show();
  StepSource input;
  ExpectThrow<EInvalidOperation>(showModal, "Cannot make a visible window modal");
  d.form->Hide();
}

TEST(FormFocus, TabAndShiftTabFollowTheTabOrder) {
  Dialog d;
  d.cancel->SetTabOrder(0);  // order: cancel, edit, check, ok
  auto* hidden = d.Add<TEdit>("edHidden", 10, 70);
  hidden->SetVisible(false);
  auto* noStop = d.Add<TEdit>("edNoStop", 10, 70);
  noStop->SetTabStop(false);
  d.form->Show();
  EXPECT_EQ(Screen()->GetActiveControl(), d.cancel);  // the first in tab order
  auto name = [] { return Screen()->GetActiveControl()->GetName(); };
  Trace forward, backward;
  for (int i = 0; i < 5; ++i) {
    d.form->PressKey(VK_TAB, {}, '\t');
    forward.push_back(name());
  }
  for (int i = 0; i < 5; ++i) {
    d.form->PressKey(VK_TAB, {ssShift}, '\t');
    backward.push_back(name());
  }
  EXPECT_EQ(forward, (Trace{"edName", "cbFlag", "bbOk", "bbCancel", "edName"}));
  EXPECT_EQ(backward, (Trace{"bbCancel", "bbOk", "cbFlag", "edName", "bbCancel"}));
  EXPECT_EQ(d.ed->GetText(), "edName");  // Tab types nothing (the text follows the name)
  d.form->Hide();
}

TEST(FormFocus, KeyPreviewSeesKeysFirstAndMaySwallowThem) {
  Dialog d;
  d.form->SetKeyPreview(true);
  d.form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    d.trace.push_back("form key " + std::to_string(key));
    if (key == 'X') key = 0;
  };
  d.ed->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    d.trace.push_back("edit key " + std::to_string(key));
  };
  d.form->Show();
  d.ed->SetFocus();
  d.trace.clear();
  d.form->PressKey('A', {}, 'a');
  d.form->PressKey('X', {}, 'x');
  EXPECT_EQ(d.trace, (Trace{"form key 65", "edit key 65", "form key 88"}));
  EXPECT_EQ(d.ed->GetText(), "a");  // a swallowed key types no character
  d.form->Hide();
}

TEST(FormFocus, ActiveControlIsOnTheFormAndNeverDangles) {
  Dialog d;
  TForm other(nullptr);
  TEdit stray(&other);
  stray.SetParent(&other);
  ExpectThrow<EInvalidOperation>([&] { d.form->SetActiveControl(&stray); },
                                 "Cannot focus a disabled or invisible window");
  d.form->SetActiveControl(d.ok);  // chosen before the form is shown
  d.form->Show();
  EXPECT_EQ(Screen()->GetActiveControl(), d.ok);
  d.ed->SetFocus();
  EXPECT_EQ(d.form->GetActiveControl(), d.ed);
  delete d.ed;
  EXPECT_EQ(d.form->GetActiveControl(), nullptr);
  EXPECT_EQ(Screen()->GetActiveControl(), nullptr);
  d.form->PressKey(VK_TAB, {}, '\t');  // the focus moves on from nothing
  EXPECT_EQ(Screen()->GetActiveControl(), d.cb);
  d.form->Hide();
  // A control not owned by the form, chosen before the form is shown.
  auto* loose = new TEdit(nullptr);
  loose->SetParent(d.form.get());
  d.form->SetActiveControl(loose);
  delete loose;
  EXPECT_EQ(d.form->GetActiveControl(), nullptr);
  d.form->Show();
  EXPECT_EQ(Screen()->GetActiveControl(), d.cb);
  d.form->Hide();
}

}  // namespace
}  // namespace tabulon
