// The caret and selection half of the naive editing models that the edit
// tests check the controls against, the editing keys that a random test
// presses on a form and gives to its model alike, and the form the edits
// are tested on.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/forms/form.h"

namespace tabulon::test {

/// Code points, the selection's anchor and the caret.
struct CaretModel {
  std::u32string text;
  int anchor = 0, caret = 0;
  int n() const { return static_cast<int>(text.size()); }
  int SelStart() const { return std::min(anchor, caret); }
  int SelLength() const { return std::abs(anchor - caret); }
  void Move(int to, bool ext) {
    caret = std::clamp(to, 0, n());
    if (!ext) anchor = caret;
  }
  void Left(bool ext) {
    if (!ext && SelLength() > 0) return Move(SelStart(), false);
    Move(caret - 1, ext);
  }
  void Right(bool ext) {
    if (!ext && SelLength() > 0) return Move(SelStart() + SelLength(), false);
    Move(caret + 1, ext);
  }
};

/// Presses editing key `k` on `form` and gives it to `model`: 0 Backspace,
/// 1 Delete, 2 Left, 3 Right, 4 Home, 5 End; with `ext`, Shift extends the
/// selection of the moves.
template <class M>
void PressEditingKey(TCustomForm& form, M& model, int k, bool ext) {
  TShiftState shift = ext ? TShiftState{ssShift} : TShiftState{};
  switch (k) {
    case 0:
      form.PressKey(VK_BACK, {}, 8);
      model.Back();
      break;
    case 1:
      form.PressKey(VK_DELETE, {}, 0);
      model.Del();
      break;
    case 2:
      form.PressKey(VK_LEFT, shift, 0);
      model.Left(ext);
      break;
    case 3:
      form.PressKey(VK_RIGHT, shift, 0);
      model.Right(ext);
      break;
    case 4:
      form.PressKey(VK_HOME, shift, 0);
      model.Move(0, ext);
      break;
    default:
      form.PressKey(VK_END, shift, 0);
      model.Move(model.n(), ext);
      break;
  }
}

/// An edit control of class E on a form that is not yet shown; the form
/// takes keys and typed characters.
template <class E>
struct EditOnForm : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 100);
    edit = new E(form.get());
    edit->SetParent(form.get());
  }
  void TearDown() override { form->Hide(); }
  void Key(uint16_t k, TShiftState s = {}, char32_t c = 0) { form->PressKey(k, s, c); }
  void Type(const std::u32string& s) {
    for (char32_t c : s) Key(0xE5, {}, c);
  }
  std::unique_ptr<TForm> form;
  E* edit = nullptr;
};

}  // namespace tabulon::test
