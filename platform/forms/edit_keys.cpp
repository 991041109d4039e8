// TCustomEdit: keys, typed characters and the mouse.
#include <algorithm>

#include "platform/controls/application.h"
#include "platform/forms/edit.h"
#include "platform/forms/textutil.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {
namespace {

bool IsWordChar(char32_t c) {
  return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         c == '_';
}

// The start of the word left of `pos`, or the start of the next word right of it.
int WordLeft(const std::u32string& t, int pos) {
  int i = pos;
  while (i > 0 && !IsWordChar(t[static_cast<size_t>(i - 1)])) --i;
  while (i > 0 && IsWordChar(t[static_cast<size_t>(i - 1)])) --i;
  return i;
}
int WordRight(const std::u32string& t, int pos) {
  int n = static_cast<int>(t.size()), i = pos;
  while (i < n && IsWordChar(t[static_cast<size_t>(i)])) ++i;
  while (i < n && !IsWordChar(t[static_cast<size_t>(i)])) ++i;
  return i;
}

}  // namespace

void TCustomEdit::WMGetDlgCode(TMessage& msg) {
  msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

void TCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (key == 0) return;
  bool ext = shift.Contains(ssShift), ctrl = shift.Contains(ssCtrl);
  int n = static_cast<int>(Utf8Length(GetText()));
  switch (key) {
    case VK_LEFT:
      if (ctrl)
        MoveCaret(WordLeft(forms_detail::DecodeUtf8(GetText()), caret_), ext);
      else if (!ext && GetSelLength() > 0)
        MoveCaret(GetSelStart(), false);
      else
        MoveCaret(std::max(0, caret_ - 1), ext);
      break;
    case VK_RIGHT:
      if (ctrl)
        MoveCaret(WordRight(forms_detail::DecodeUtf8(GetText()), caret_), ext);
      else if (!ext && GetSelLength() > 0)
        MoveCaret(GetSelStart() + GetSelLength(), false);
      else
        MoveCaret(std::min(n, caret_ + 1), ext);
      break;
    case VK_HOME:
      MoveCaret(0, ext);
      break;
    case VK_END:
      MoveCaret(n, ext);
      break;
    case VK_DELETE:
      if (ext) {
        Perform(WM_CUT, 0, 0);
      } else if (EditCanModify()) {
        if (GetSelLength() > 0)
          ClearSelection();
        else if (caret_ < n)
          ReplaceText(caret_, 1, "");
      }
      break;
    case VK_INSERT:
      if (ctrl)
        Perform(WM_COPY, 0, 0);
      else if (ext)
        Perform(WM_PASTE, 0, 0);
      break;
    default:
      return;
  }
  key = 0;
}

void TCustomEdit::WMChar(TMessage& msg) {
  if (DoKeyPress(msg)) return;
  auto c = static_cast<char32_t>(msg.WParam);
  switch (c) {
    case 1:  // Ctrl+A
      SelectAll();
      return;
    case 3:  // Ctrl+C
      Perform(WM_COPY, 0, 0);
      return;
    case 22:  // Ctrl+V
      Perform(WM_PASTE, 0, 0);
      return;
    case 24:  // Ctrl+X
      Perform(WM_CUT, 0, 0);
      return;
    case 8:  // Backspace
      if (!EditCanModify()) return;
      if (GetSelLength() > 0)
        ClearSelection();
      else if (caret_ > 0)
        ReplaceText(caret_ - 1, 1, "");
      return;
    default:
      break;
  }
  if (c < 32 || c == 127) return;  // other control characters type nothing
  InsertTyped(forms_detail::EncodeUtf8(c));
}

int TCustomEdit::XFromPos(int pos) const {
  std::string shown = DisplayText();
  int w =
      TextMetrics().TextWidth(*GetFont(), forms_detail::LeftCP(shown, static_cast<size_t>(pos)));
  int s = TextMetrics().TextWidth(*GetFont(),
                                  forms_detail::LeftCP(shown, static_cast<size_t>(scroll_)));
  return GetFormatRect().Left + w - s;
}

int TCustomEdit::PosFromX(int x) const {
  int n = static_cast<int>(Utf8Length(GetText()));
  // The boundary nearest to x: halfway through a character rounds to its end.
  int best = 0, bestDist = INT32_MAX;
  for (int i = 0; i <= n; ++i) {
    int d = std::abs(XFromPos(i) - x);
    if (d < bestDist) best = i, bestDist = d;
  }
  return best;
}

void TCustomEdit::ScrollToCaret() {
  TRect fr = GetFormatRect();
  int n = static_cast<int>(Utf8Length(GetText()));
  scroll_ = std::clamp(scroll_, 0, n);
  if (caret_ < scroll_) scroll_ = caret_;
  // Scroll right until the caret fits inside the formatting rectangle.
  while (scroll_ < caret_ && XFromPos(caret_) > fr.Right - 1) ++scroll_;
}

void TCustomEdit::WMLButtonDown(TMessage& msg) {
  bool wasFocused = Focused();
  inherited::WMLButtonDown(msg);  // csLButtonDown keeps AutoSelect from selecting
  if (!wasFocused && CanFocus()) SetFocus();
  int pos = PosFromX(GetXLParam(msg.LParam));
  MoveCaret(pos, KeysToShiftState(msg.WParam).Contains(ssShift));
}

void TCustomEdit::WMLButtonDblClk(TMessage& msg) {
  inherited::WMLButtonDblClk(msg);
  std::u32string t = forms_detail::DecodeUtf8(GetText());
  int pos = PosFromX(GetXLParam(msg.LParam)), s = pos, e = pos;
  int n = static_cast<int>(t.size());
  while (s > 0 && IsWordChar(t[static_cast<size_t>(s - 1)])) --s;
  while (e < n && IsWordChar(t[static_cast<size_t>(e)])) ++e;
  SetSelection(s, e);
}

void TCustomEdit::WMMouseMove(TMessage& msg) {
  inherited::WMMouseMove(msg);
  // Dragging with the left button held extends the selection.
  if (GetControlState().Contains(csLButtonDown) && Screen()->GetCaptureControl() == this)
    MoveCaret(PosFromX(GetXLParam(msg.LParam)), true);
}

}  // namespace tabulon
