// The scripted host driving forms: typing, ticking, choosing, nested
// message boxes, callbacks inside the next modal form, pictures taken
// along the way, and failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/forms/button.h"
#include "platform/forms/checkbox.h"
#include "platform/forms/combobox.h"
#include "platform/forms/edit.h"
#include "platform/graphics/bitmap.h"
#include "platform/host/host.h"
#include "tests/platform/expect_throw.h"
#include "tests/platform/forms/dialog_form.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

struct Dialog : test::DialogForm {
  Dialog() : DialogForm("fmFind", 320, 200) {
    ed = Add<TEdit>("edName", 10, 10);
    cb = Add<TCheckBox>("cbFiltered", 10, 40);
    combo = Add<TComboBox>("cbCompare", 10, 70);
    combo->SetStyle(csDropDownList);
    combo->GetItems()->SetCommaText("Exact,Initial,Partial");
    ok = Add<TButton>("bbOk", 10, 120);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    clear = Add<TButton>("bbClear", 100, 120);
  }
  TEdit* ed;
  TCheckBox* cb;
  TComboBox* combo;
  TButton* ok;
  TButton* clear;
};

TEST(Host, ScriptTypesTicksChoosesAndPressesOk) {
  Dialog d;
  THost host;
  int changes = 0;
  d.ed->OnChange = [&](TObject*) { ++changes; };
  host.Run(
      "type \"Smith & Co\"\n"
      "key Backspace\n"
      "key Shift+Home\n"
      "type \"x\"\n"
      "click cbFiltered\n"
      "choose cbCompare \"Partial\"\n"
      "key Enter\n");
  EXPECT_EQ(d.form->ShowModal(), mrOk);
  EXPECT_EQ(d.ed->GetText(), "x");
  // Ten characters (the first overwrites the auto-selected text), Backspace, the overwrite.
  EXPECT_EQ(changes, 10 + 1 + 1);
  EXPECT_TRUE(d.cb->GetChecked());
  EXPECT_EQ(d.combo->GetItemIndex(), 2);
  EXPECT_EQ(host.PendingSteps(), 0);
}

TEST(Host, NestedMessageBoxIsAnsweredAndRecorded) {
  Dialog d;
  int answer = 0;
  d.clear->OnClick = [&](TObject*) {
    answer = MessageDlg("Delete all fields?", mtConfirmation, {mbYes, mbNo}, 0);
  };
  THost host;
  host.Run(
      "answer No\n"
      "click bbClear\n"
      "click bbClear\n"
      "click Yes\n"
      "key Escape\n"  // no cancel button on the form: nothing happens
      "click bbOk\n");
  EXPECT_EQ(d.form->ShowModal(), mrOk);
  EXPECT_EQ(answer, mrYes);  // the second box was answered by the script's click
  ASSERT_EQ(host.Messages().size(), 2u);
  EXPECT_EQ(host.Messages()[0].Caption, "Confirm");
  EXPECT_EQ(host.Messages()[0].Text, "Delete all fields?");
  EXPECT_EQ(host.Messages()[1].Type, mtConfirmation);
}

TEST(Host, CallbackActsInsideTheNextModalForm) {
  Dialog d;
  Dialog inner;
  inner.form->SetName("fmSetup");
  d.clear->OnClick = [&](TObject*) { inner.form->ShowModal(); };
  THost host;
  std::string seen;
  host.OnNextModal("click bbClear\nclick bbOk\n");  // the outer form
  host.OnNextModal([&](TCustomForm& f) {            // the form it opens
    seen = f.GetName();
    host.Click(inner.cb);
    host.PressKey("Enter");
  });
  EXPECT_EQ(d.form->ShowModal(), mrOk);
  EXPECT_EQ(seen, "fmSetup");
  EXPECT_TRUE(inner.cb->GetChecked());
  EXPECT_FALSE(d.cb->GetChecked());
}

// A picture per snapshot, of the form as the script left it at that step:
// the one taken after typing differs from the one before, and the last one
// equals the picture of the form as it closes (nothing changed in between).
TEST(Host, SnapshotWritesThePictureOfTheActiveFormAtThatStep) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tabulon_host_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string before = (dir / "before.png").string(), after = (dir / "after.png").string(),
                    closing = (dir / "closing.png").string();
  Dialog d;
  THost host;
  host.OnModalClosing = [&](TCustomForm& f) { SaveFormPicture(f, closing); };
  host.Run("snapshot \"" + before + "\"\ntype \"Smith\"\nsnapshot " + after + "\nclose\n");
  d.form->ShowModal();
  TBitmap a, b, c;
  a.LoadFromPNGFile(before);
  b.LoadFromPNGFile(after);
  c.LoadFromPNGFile(closing);
  EXPECT_EQ(a.GetWidth(), 320);
  EXPECT_EQ(a.GetHeight(), 200);
  EXPECT_NE(a.Pixels(), b.Pixels());
  EXPECT_EQ(b.Pixels(), c.Pixels());
  // A picture that cannot be written stops the script at its line.
  host.Run("snapshot \"" + (dir / "missing" / "x.png").string() + "\"\nclose\n");
  EXPECT_THROW(d.form->ShowModal(), EFCreateError);
  EXPECT_EQ(host.CurrentLine(), 1);
  std::filesystem::remove_all(dir);
}

TEST(Host, FailuresNameTheLineAndTheForm) {
  Dialog d;
  auto show = [&] { d.form->ShowModal(); };
  {
    THost host;
    host.Run("type \"abc\"\n");
    ExpectThrow<EInvalidOperation>(show, "Script ended while a modal form was open (fmFind)");
  }
  THost host;
  host.Run("type \"abc\"\nclick bbMissing\n");
  ExpectThrow<EComponentError>(show,
                               "Script line 2: no control named 'bbMissing' on form 'fmFind'");
  host.Run("choose cbCompare \"Fuzzy\"\n");
  ExpectThrow<EComponentError>(show, "Script line 1: 'cbCompare' has no item 'Fuzzy'");
  // Names the application resolves itself come after the form's own, and
  // a name it does not know either still fails with the line.
  std::vector<std::string> asked;
  host.OnFindControl = [&](TCustomForm& form, const std::string& name) -> TControl* {
    asked.push_back(form.GetName() + ":" + name);
    return name == "Panel.NAME" ? d.ed : nullptr;
  };
  d.ed->SetText("");
  host.Run("click Panel.NAME\ntype \"abc\"\nclick bbOk\n");
  EXPECT_EQ(d.form->ShowModal(), mrOk);
  EXPECT_EQ(d.ed->GetText(), "abc");
  host.Run("click Panel.CITY\n");
  ExpectThrow<EComponentError>(show,
                               "Script line 1: no control named 'Panel.CITY' on form 'fmFind'");
  EXPECT_EQ(asked, (std::vector<std::string>{"fmFind:Panel.NAME", "fmFind:Panel.CITY"}));
  EXPECT_EQ(ModalLevel(), 0);
  EXPECT_FALSE(d.form->GetVisible());
}

}  // namespace
}  // namespace tabulon
