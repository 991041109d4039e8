// TCustomMaskEdit: the masked edit path, its keys, validation on leaving
// and the published properties of TMaskEdit.
#include "platform/forms/maskedit.h"

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/core/resstrings.h"
#include "platform/forms/publish.h"
#include "platform/forms/textutil.h"
#include "platform/graphics/sysmetrics.h"

namespace tabulon {

using forms_detail::DecodeUtf8;
using forms_detail::EncodeUtf8;

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

std::u32string TCustomMaskEdit::Shaped(const std::string& text) const {
  // Text set around the mask (through the base class) is brought to its shape too.
  std::u32string t = DecodeUtf8(text);
  t.resize(static_cast<size_t>(mask_.Size()), mask_.Blank);
  for (size_t i = 0; i < t.size(); ++i)
    if (mask_.Positions[i].IsLiteral()) t[i] = mask_.Positions[i].Literal;
  return t;
}

std::u32string TCustomMaskEdit::Shown() const { return Shaped(TControl::GetText()); }

void TCustomMaskEdit::SetEditMask(const std::string& v) {
  if (v == editMask_) return;
  std::u32string value = IsMasked() ? mask_.RemoveFormat(Shown()) : DecodeUtf8(TControl::GetText());
  editMask_ = v;
  mask_ = ParseEditMask(v);
  SetMaxLength(maxLength_);
  // A value that already shows the new mask's literals keeps them in place.
  TControl::SetText(EncodeUtf8(IsMasked() ? mask_.EditTextOf(value) : value));
  Invalidate();
}

void TCustomMaskEdit::SetEditText(const std::string& v) {
  if (!IsMasked()) {
    TControl::SetText(v);
    return;
  }
  TControl::SetText(EncodeUtf8(Shaped(v)));
}

std::string TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TControl::GetText();
  return EncodeUtf8(mask_.TextOf(Shown()));
}

void TCustomMaskEdit::SetText(const std::string& v) {
  if (!IsMasked()) {
    TControl::SetText(v);
    return;
  }
  TControl::SetText(EncodeUtf8(mask_.EditTextOf(DecodeUtf8(v))));
}

int TCustomMaskEdit::GetMaxLength() const { return IsMasked() ? mask_.Size() : maxLength_; }

void TCustomMaskEdit::SetMaxLength(int v) {
  maxLength_ = std::max(0, v);
  // Typing into a mask overwrites its positions: the text never grows.
  TCustomEdit::SetMaxLength(IsMasked() ? 0 : maxLength_);
}

bool TCustomMaskEdit::ReplaceText(int start, int count, const std::string& insert) {
  if (!IsMasked()) return inherited::ReplaceText(start, count, insert);
  std::u32string text = Shown();
  const int n = mask_.Size();
  start = std::clamp(start, 0, n);
  count = std::clamp(count, 0, n - start);
  std::u32string in = DecodeUtf8(insert);
  auto skipLiterals = [&](int p) {
    while (p < n && !mask_.IsEditable(p)) ++p;
    return p;
  };
  for (int i = start; i < start + count; ++i)
    if (mask_.IsEditable(i)) text[static_cast<size_t>(i)] = mask_.Blank;
  int pos = start;
  bool placed = in.empty();
  for (char32_t c : in) {
    // Typing the literal under the caret steps over it.
    if (pos < n && !mask_.IsEditable(pos) &&
        mask_.Positions[static_cast<size_t>(pos)].Literal == c) {
      pos = skipLiterals(pos);
      placed = true;
      continue;
    }
    int p = mask_.NextEditable(pos);
    if (p < 0) break;
    char32_t stored = mask_.Accept(p, c);
    if (stored == 0) continue;
    text[static_cast<size_t>(p)] = stored;
    pos = skipLiterals(p + 1);
    placed = true;
  }
  if (!placed) {
    MessageBeep(MB_OK);
    return false;
  }
  return SetEditedText(EncodeUtf8(text), pos);
}

void TCustomMaskEdit::BlankAt(int pos) {
  if (!EditCanModify()) return;
  if (GetSelLength() > 0) {
    ClearSelection();
  } else if (pos >= 0) {
    ReplaceText(pos, 1, "");
  }
}

void TCustomMaskEdit::KeyDown(uint16_t& key, TShiftState shift) {
  bool masked = IsMasked() && !shift.Contains(ssShift) && !shift.Contains(ssCtrl);
  if (!masked || (key != VK_DELETE && key != VK_ESCAPE)) {
    inherited::KeyDown(key, shift);
    return;
  }
  TWinControl::KeyDown(key, shift);  // OnKeyDown first
  if (key == VK_DELETE) {
    BlankAt(mask_.NextEditable(GetCaretPos()));
    key = 0;
  } else if (key == VK_ESCAPE && GetModified()) {
    Reset();
    key = 0;
  }
}

void TCustomMaskEdit::WMChar(TMessage& msg) {
  if (!IsMasked() || msg.WParam != 8) {
    inherited::WMChar(msg);
    return;
  }
  if (DoKeyPress(msg)) return;
  if (msg.WParam == 8) BlankAt(mask_.PrevEditable(GetCaretPos()));
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked()) return;
  TControl::SetText(oldValue_);  // as set by the program: unmodified
  SetModified(false);
}

void TCustomMaskEdit::CMEnter(TMessage& msg) {
  if (reEnter_) {
    // The focus came back from a failed validation: the value held on entry stays.
    reEnter_ = false;
    Invalidate();
    return;
  }
  oldValue_ = TControl::GetText();
  inherited::CMEnter(msg);
}

namespace {
TControl* TopOf(TControl* c) {
  while (c->GetParent()) c = c->GetParent();
  return c;
}
}  // namespace

void TCustomMaskEdit::CMExit(TMessage& msg) {
  // Validation runs when the focus moves to another control of the same
  // form; a form that is deactivated or hidden leaves the text as it is.
  TWinControl* next = Screen()->GetActiveControl();
  bool within = next && next != this && TopOf(next) == TopOf(this);
  if (IsMasked() && within && !ComponentState().Contains(csDesigning)) ValidateEdit();
  inherited::CMExit(msg);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !GetModified()) return;
  int pos = mask_.FirstInvalid(Shown());
  if (pos < 0) return;
  if (!ComponentState().Contains(csDesigning) && CanFocus() && !Focused()) {
    reEnter_ = true;
    SetFocus();
    reEnter_ = false;
  }
  SetSelStart(pos);
  ValidateError();
}

void TCustomMaskEdit::ValidateError() {
  MessageBeep(MB_OK);
  throw EDBEditError(ResStr("SMaskEditErr"));
}

TBN_REGISTER(TCustomMaskEdit) {}

TBN_REGISTER(TMaskEdit) {
  forms_detail::PublishWinControl(b, true);
  b.Property("AutoSelect", &TMaskEdit::GetAutoSelect, &TMaskEdit::SetAutoSelect).Default(true);
  b.Property("BorderStyle", &TMaskEdit::GetBorderStyle, &TMaskEdit::SetBorderStyle)
      .Default(bsSingle);
  b.Property("CharCase", &TMaskEdit::GetCharCase, &TMaskEdit::SetCharCase).Default(ecNormal);
  b.Property("EditMask", &TMaskEdit::GetEditMask, &TMaskEdit::SetEditMask);
  b.Property("MaxLength", &TMaskEdit::GetMaxLength, &TMaskEdit::SetMaxLength)
      .Default(0)
      .Stored([](const TMaskEdit* e) { return !e->IsMasked(); }, "IsMaxLengthStored");
  b.Property("PasswordChar", &TMaskEdit::GetPasswordChar, &TMaskEdit::SetPasswordChar).Default(0);
  b.Property("ReadOnly", &TMaskEdit::GetReadOnly, &TMaskEdit::SetReadOnly).Default(false);
  b.Property("Text", &TMaskEdit::GetText, &TMaskEdit::SetText);
  b.Property("OnChange", &TMaskEdit::OnChange);
}

}  // namespace tabulon
