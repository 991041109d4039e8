// TEdit: typing and editing keys against a naive model, OnChange counting,
// clipboard messages, the limits and styles, the edit-control messages.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "platform/controls/application.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/textutil.h"
#include "tests/platform/forms/edit_model.h"

namespace tabulon {
namespace {

// A naive single-line editor: code points, anchor and caret.
struct Model : test::CaretModel {
  int maxLength = 0, changes = 0;
  void Replace(std::u32string s) {
    std::u32string next = text.substr(0, SelStart()) + s + text.substr(SelStart() + SelLength());
    caret = anchor = SelStart() + static_cast<int>(s.size());
    if (next != text) ++changes;
    text = next;
  }
  void Type(char32_t c) {
    int room = maxLength > 0 ? maxLength - (static_cast<int>(text.size()) - SelLength()) : 1;
    if (room > 0) Replace(std::u32string(1, c));
  }
  void Back() {
    if (SelLength() == 0 && caret > 0) anchor = caret - 1;
    Replace(U"");
  }
  void Del() {
    if (SelLength() == 0 && caret < static_cast<int>(text.size())) anchor = caret + 1;
    Replace(U"");
  }
};

struct EditFixture : test::EditOnForm<TEdit> {
  void SetUp() override {
    EditOnForm::SetUp();
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    edit->SetSelStart(0);
  }
  int changes = 0;
};

TEST_F(EditFixture, RandomEditingMatchesTheModel) {
  for (int maxLength : {0, 7}) {
    edit->SetText("");
    edit->SetMaxLength(maxLength);
    changes = 0;
    Model m;
    m.maxLength = maxLength;
    std::mt19937 rng(1234 + maxLength);
    const std::u32string alphabet = U"ab é€😀";
    for (int step = 0; step < 1500; ++step) {
      int op = static_cast<int>(rng() % 9);
      bool ext = rng() % 2 == 0;
      if (op < 2) {
        char32_t c = alphabet[rng() % alphabet.size()];
        Key(0xE5, {}, c);
        m.Type(c);
      } else if (op < 8) {
        test::PressEditingKey(*form, m, op - 2, ext);
      } else {
        Key(VK_UP);  // the edit claims the arrows and ignores Up: nothing changes
      }
      ASSERT_EQ(edit->GetText(), forms_detail::EncodeUtf8(m.text)) << "step " << step;
      ASSERT_EQ(edit->GetSelStart(), m.SelStart()) << "step " << step;
      ASSERT_EQ(edit->GetSelLength(), m.SelLength()) << "step " << step;
    }
    EXPECT_EQ(changes, m.changes);
    EXPECT_TRUE(edit->GetModified() || m.changes == 0);
  }
}

TEST_F(EditFixture, ClipboardMessagesAndOneChangePerEdit) {
  edit->SetText("hello world");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(edit->GetModified());  // text set by the program
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->GetSelText(), "world");
  edit->Perform(WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard()->GetAsText(), "world");
  EXPECT_EQ(changes, 1);
  Key('X', {ssCtrl}, 24);  // Ctrl+X cuts
  EXPECT_EQ(edit->GetText(), "hello ");
  EXPECT_EQ(changes, 2);
  Key(VK_HOME);
  Key(VK_INSERT, {ssShift});  // Shift+Insert pastes
  EXPECT_EQ(edit->GetText(), "worldhello ");
  EXPECT_EQ(edit->GetCaretPos(), 5);
  EXPECT_EQ(changes, 3);
  Clipboard()->SetAsText("line one\r\nline two");
  edit->SelectAll();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->GetText(), "line one");  // a single-line edit takes the first line
  EXPECT_EQ(changes, 4);
  edit->SetSelLength(0);
  edit->Perform(WM_PASTE, 0, 0);
  EXPECT_TRUE(edit->GetModified());
}

TEST_F(EditFixture, ReadOnlyMaxLengthCharCaseAndPassword) {
  edit->SetText("abc");
  edit->SetReadOnly(true);
  edit->SelectAll();
  Type(U"x");
  Key(VK_BACK, {}, 8);
  Key(VK_DELETE);
  edit->Perform(WM_CUT, 0, 0);
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_EQ(Clipboard()->GetAsText(), "abc");  // copying still works
  edit->SetReadOnly(false);
  edit->SetSelStart(3);
  edit->SetMaxLength(5);
  Type(U"défg");
  EXPECT_EQ(edit->GetText(), "abcdé");  // code points count, the rest is dropped
  Clipboard()->SetAsText("XYZ");
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->GetText(), "aXcdé");  // the paste is cut to the room left
  edit->SetMaxLength(0);
  edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit->GetText(), "AXCDÉ");
  edit->SetSelStart(5);
  Type(U"ß!");
  edit->SetCharCase(ecLowerCase);
  EXPECT_EQ(edit->GetText().substr(0, 6), "axcdé");
  edit->SetText("secret");
  edit->SetPasswordChar(U'*');
  EXPECT_EQ(edit->DisplayText(), "******");
  EXPECT_EQ(edit->Perform(EM_GETPASSWORDCHAR, 0, 0), '*');
  Clipboard()->SetAsText("before");
  edit->SelectAll();
  edit->CopyToClipboard();
  edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->GetAsText(), "before");  // a password never leaves the control
  EXPECT_EQ(edit->GetText(), "secret");
}

TEST_F(EditFixture, EditMessagesKeepSelectionRectangleAndMargins) {
  edit->SetText("0123456789");
  int s = -1, e = -1;
  edit->Perform(EM_SETSEL, 2, 5);
  edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  EXPECT_EQ(s, 2);
  EXPECT_EQ(e, 5);
  edit->Perform(EM_SETSEL, 0, -1);
  EXPECT_EQ(edit->GetSelLength(), 10);
  const char* repl = "ab";
  edit->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(repl));
  EXPECT_EQ(edit->GetText(), "ab");
  EXPECT_EQ(edit->Perform(EM_GETMODIFY, 0, 0), 1);
  edit->Perform(EM_SETMODIFY, 0, 0);
  EXPECT_FALSE(edit->GetModified());
  // Margins narrow the default formatting rectangle; an explicit one wins
  // until the control is resized.
  TRect client = edit->GetClientRect();
  edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MakeLParam(3, 20));
  EXPECT_EQ(edit->Perform(EM_GETMARGINS, 0, 0), MakeLParam(3, 20));
  TRect r;
  edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, Rect(3, 0, client.Right - 20, client.Bottom));
  TRect np = Rect(1, 1, 40, 10);
  edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&np));
  edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, np);
  edit->SetWidth(edit->GetWidth() + 10);
  edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, Rect(3, 0, client.Right + 10 - 20, client.Bottom));
}

TEST_F(EditFixture, AutoSelectOnEnteringByKeyboardNotByClick) {
  auto* other = new TEdit(form.get());
  other->SetParent(form.get());
  other->SetTop(40);
  edit->SetText("whole");
  other->SetFocus();
  form->PressKey(VK_TAB, {}, '\t');
  EXPECT_EQ(Screen()->GetActiveControl(), edit);
  EXPECT_EQ(edit->GetSelLength(), 5);
  other->SetFocus();
  edit->SetAutoSelect(false);
  edit->SetSelStart(2);
  form->PressKey(VK_TAB, {}, '\t');
  EXPECT_EQ(edit->GetSelStart(), 2);  // the caret stays where it was
  EXPECT_EQ(edit->GetSelLength(), 0);
}

}  // namespace
}  // namespace tabulon
