// TCustomEdit: text, caret and selection state, the edit path, the
// clipboard, the edit-control messages and the published properties.
#include "platform/forms/edit.h"

#include <algorithm>

#include "platform/forms/clipboard.h"
#include "platform/forms/publish.h"
#include "platform/forms/textutil.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

using forms_detail::LeftCP;
using forms_detail::SubstrCP;

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFramed});
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

int TCustomEdit::Length() const { return static_cast<int>(Utf8Length(GetText())); }

void TCustomEdit::SetSelection(int anchor, int caret) {
  int n = Length();
  anchor_ = std::clamp(anchor, 0, n);
  caret_ = std::clamp(caret, 0, n);
  ScrollToCaret();
  Invalidate();
}

int TCustomEdit::GetSelStart() const { return std::min(anchor_, caret_); }
int TCustomEdit::GetSelLength() const { return std::abs(caret_ - anchor_); }

void TCustomEdit::SetSelStart(int v) { SetSelection(v, v); }

void TCustomEdit::SetSelLength(int v) {
  int start = GetSelStart();
  SetSelection(start, start + std::max(0, v));
}

std::string TCustomEdit::GetSelText() const {
  return SubstrCP(GetText(), static_cast<size_t>(GetSelStart()),
                  static_cast<size_t>(GetSelLength()));
}

void TCustomEdit::SetSelText(const std::string& v) {
  ReplaceText(GetSelStart(), GetSelLength(), v);
}

void TCustomEdit::SelectAll() { SetSelection(0, Length()); }

void TCustomEdit::ClearSelection() {
  if (GetSelLength() > 0) ReplaceText(GetSelStart(), GetSelLength(), "");
}

void TCustomEdit::MoveCaret(int pos, bool extend) { SetSelection(extend ? anchor_ : pos, pos); }

void TCustomEdit::Change() { OnChange(this); }

bool TCustomEdit::ReplaceText(int start, int count, const std::string& insert) {
  const std::string& old = GetText();
  int n = Length();
  start = std::clamp(start, 0, n);
  count = std::clamp(count, 0, n - start);
  std::string text = LeftCP(old, static_cast<size_t>(start)) + insert +
                     SubstrCP(old, static_cast<size_t>(start + count), std::string::npos);
  return SetEditedText(text, start + static_cast<int>(Utf8Length(insert)));
}

bool TCustomEdit::SetEditedText(const std::string& text, int caret) {
  bool changed = text != GetText();
  if (changed) {
    settingText_ = true;
    try {
      SetText(text);
    } catch (...) {
      settingText_ = false;
      throw;
    }
    settingText_ = false;
    modified_ = true;
  }
  SetSelection(caret, caret);
  if (changed) Change();
  return changed;
}

std::string TCustomEdit::ApplyCharCase(const std::string& s) const {
  switch (charCase_) {
    case ecUpperCase:
      return AnsiUpperCase(s);
    case ecLowerCase:
      return AnsiLowerCase(s);
    default:
      return s;
  }
}

void TCustomEdit::InsertTyped(const std::string& s) {
  if (!EditCanModify()) return;
  std::string insert = ApplyCharCase(s);
  if (maxLength_ > 0) {
    int room = maxLength_ - (Length() - GetSelLength());
    if (room <= 0) return;
    if (static_cast<int>(Utf8Length(insert)) > room)
      insert = LeftCP(insert, static_cast<size_t>(room));
  }
  ReplaceText(GetSelStart(), GetSelLength(), insert);
}

void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

void TCustomEdit::WMCopy(TMessage&) {
  // A password is never copied out of the control.
  if (GetSelLength() > 0 && passwordChar_ == 0) Clipboard()->SetAsText(GetSelText());
}

void TCustomEdit::WMCut(TMessage& msg) {
  if (passwordChar_ != 0 || GetSelLength() == 0) return;
  WMCopy(msg);
  if (EditCanModify()) ClearSelection();
}

void TCustomEdit::WMPaste(TMessage&) {
  if (!Clipboard()->HasText()) return;
  // A single-line edit takes the clipboard text up to its first line break.
  std::string text = Clipboard()->GetAsText();
  size_t eol = text.find_first_of("\r\n");
  if (eol != std::string::npos) text.resize(eol);
  InsertTyped(text);
}

void TCustomEdit::CMTextChanged(TMessage& msg) {
  inherited::CMTextChanged(msg);
  if (settingText_) return;
  // Text set by the program: the caret goes home, the text counts as unmodified.
  anchor_ = caret_ = scroll_ = 0;
  modified_ = false;
  Change();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (v == charCase_) return;
  charCase_ = v;
  std::string converted = ApplyCharCase(GetText());
  if (converted != GetText()) {
    int a = anchor_, c = caret_;
    SetText(converted);
    SetSelection(a, c);
  }
}

void TCustomEdit::SetPasswordChar(char32_t v) {
  if (v == passwordChar_) return;
  passwordChar_ = v;
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  if (!fmtRectSet_) fmtRect_ = {};
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool v) {
  hideSelection_ = v;
  Invalidate();
}

std::string TCustomEdit::DisplayText() const {
  if (passwordChar_ == 0) return GetText();
  std::string one = forms_detail::EncodeUtf8(passwordChar_), out;
  for (int i = Length(); i > 0; --i) out += one;
  return out;
}

TRect TCustomEdit::GetFormatRect() const {
  if (fmtRectSet_) return fmtRect_;
  TRect c = GetClientRect();
  return Rect(c.Left + leftMargin_, c.Top, c.Right - rightMargin_, c.Bottom);
}

void TCustomEdit::WMSize(TMessage& msg) {
  inherited::WMSize(msg);
  // A new size brings the default formatting rectangle back.
  fmtRectSet_ = false;
  ScrollToCaret();
}

void TCustomEdit::CMFontChanged(TMessage& msg) {
  inherited::CMFontChanged(msg);
  ScrollToCaret();
}

void TCustomEdit::CMEnter(TMessage& msg) {
  // Entering by keyboard selects everything; a click places the caret itself.
  if (autoSelect_ && !GetControlState().Contains(csLButtonDown)) SelectAll();
  inherited::CMEnter(msg);
  Invalidate();
}

void TCustomEdit::CMExit(TMessage& msg) {
  inherited::CMExit(msg);
  Invalidate();
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style |= ES_AUTOHSCROLL;
  if (borderStyle_ == bsSingle) {
    if (GetCtl3D())
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
  if (readOnly_) params.Style |= ES_READONLY;
  if (charCase_ == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) params.Style |= ES_LOWERCASE;
  if (passwordChar_ != 0) params.Style |= ES_PASSWORD;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
}

void TCustomEdit::Dispatch(TMessage& msg) {
  if ((msg.Msg >= EM_GETSEL && msg.Msg <= EM_GETMARGINS) || msg.Msg == WM_CLEAR) {
    EditMessage(msg);
    return;
  }
  inherited::Dispatch(msg);
}

void TCustomEdit::EditMessage(TMessage& msg) {
  switch (msg.Msg) {
    case EM_GETSEL: {
      int s = GetSelStart(), e = s + GetSelLength();
      if (msg.WParam) *reinterpret_cast<int*>(msg.WParam) = s;
      if (msg.LParam) *reinterpret_cast<int*>(msg.LParam) = e;
      msg.Result = MakeLParam(s, e);
      break;
    }
    case EM_SETSEL: {
      // (0, -1) selects everything; a start of -1 removes the selection.
      auto s = static_cast<int>(msg.WParam), e = static_cast<int>(msg.LParam);
      if (s < 0) {
        SetSelection(caret_, caret_);
      } else {
        if (e < 0) e = Length();
        SetSelection(s, e);
      }
      break;
    }
    case EM_REPLACESEL:
      if (msg.LParam) SetSelText(reinterpret_cast<const char*>(msg.LParam));
      break;
    case WM_CLEAR:
      if (EditCanModify()) ClearSelection();
      break;
    case EM_GETMODIFY:
      msg.Result = modified_ ? 1 : 0;
      break;
    case EM_SETMODIFY:
      modified_ = msg.WParam != 0;
      break;
    case EM_LIMITTEXT:
      SetMaxLength(static_cast<int>(msg.WParam));
      break;
    case EM_SETREADONLY:
      readOnly_ = msg.WParam != 0;
      msg.Result = 1;
      break;
    case EM_SETPASSWORDCHAR:
      SetPasswordChar(static_cast<char32_t>(msg.WParam));
      break;
    case EM_GETPASSWORDCHAR:
      msg.Result = static_cast<LRESULT>(passwordChar_);
      break;
    case EM_GETRECT:
      if (msg.LParam) *reinterpret_cast<TRect*>(msg.LParam) = GetFormatRect();
      break;
    case EM_SETRECT:
    case EM_SETRECTNP:
      if (msg.LParam) {
        fmtRect_ = *reinterpret_cast<const TRect*>(msg.LParam);
        fmtRectSet_ = true;
      } else {
        fmtRectSet_ = false;
      }
      ScrollToCaret();
      if (msg.Msg == EM_SETRECT) Invalidate();
      break;
    case EM_SETMARGINS:
      if (msg.WParam & EC_LEFTMARGIN) leftMargin_ = GetXLParam(msg.LParam);
      if (msg.WParam & EC_RIGHTMARGIN) rightMargin_ = GetYLParam(msg.LParam);
      ScrollToCaret();
      Invalidate();
      break;
    case EM_GETMARGINS:
      msg.Result = MakeLParam(leftMargin_, rightMargin_);
      break;
    case EM_SCROLLCARET:
      ScrollToCaret();
      break;
    case EM_CANUNDO:
      msg.Result = 0;
      break;
    default:
      inherited::Dispatch(msg);
      break;
  }
}

TBN_REGISTER(TCustomEdit) {}

TBN_REGISTER(TEdit) {
  forms_detail::PublishWinControl(b, true);
  b.Property("AutoSelect", &TEdit::GetAutoSelect, &TEdit::SetAutoSelect).Default(true);
  b.Property("BorderStyle", &TEdit::GetBorderStyle, &TEdit::SetBorderStyle).Default(bsSingle);
  b.Property("CharCase", &TEdit::GetCharCase, &TEdit::SetCharCase).Default(ecNormal);
  b.Property("HideSelection", &TEdit::GetHideSelection, &TEdit::SetHideSelection).Default(true);
  b.Property("MaxLength", &TEdit::GetMaxLength, &TEdit::SetMaxLength).Default(0);
  b.Property("PasswordChar", &TEdit::GetPasswordChar, &TEdit::SetPasswordChar).Default(0);
  b.Property("ReadOnly", &TEdit::GetReadOnly, &TEdit::SetReadOnly).Default(false);
  b.Property("Text", &TEdit::GetText, &TEdit::SetText);
  b.Property("OnChange", &TEdit::OnChange);
}

}  // namespace tabulon
