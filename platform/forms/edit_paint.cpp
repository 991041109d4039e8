// TCustomEdit: the border and the text with its selection and caret.
#include <algorithm>

#include "platform/forms/edit.h"
#include "platform/forms/paintutil.h"
#include "platform/forms/textutil.h"

namespace tabulon {

void TCustomEdit::CreateCaret(int width, int height) {
  caretWidth_ = std::max(1, width);
  caretHeight_ = std::max(0, height);
  if (Focused()) Invalidate();
}

TRect TCustomEdit::GetNonClientMargins() const {
  if (borderStyle_ != bsSingle) return {};
  int b = GetCtl3D() ? 2 : 1;
  return TRect{b, b, b, b};
}

void TCustomEdit::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ != bsSingle) return;
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  forms_detail::DrawSunkenFrame(canvas, r, GetCtl3D());
}

void TCustomEdit::PaintSelf(TCanvas& canvas) {
  TRect client = GetClientRect();
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetEnabled() ? GetColor() : clBtnFace);
  canvas.FillRect(client);
  canvas.SetFont(GetFont());
  if (!GetEnabled()) canvas.GetFont()->SetColor(clGrayText);
  TRect fr = GetFormatRect();
  std::string shown = DisplayText();
  std::string visible =
      forms_detail::SubstrCP(shown, static_cast<size_t>(scroll_), std::string::npos);
  int th = canvas.TextHeight("Ag");
  int y = fr.Top + std::max(0, (fr.Height() - th) / 2);
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.TextRect(fr, fr.Left, y, visible);
  bool focused = Focused();
  // The selection: highlighted while focused, or always without HideSelection.
  if (GetSelLength() > 0 && (focused || !hideSelection_)) {
    int x1 = std::max(fr.Left, XFromPos(GetSelStart()));
    int x2 = std::min(fr.Right, XFromPos(GetSelStart() + GetSelLength()));
    if (x2 > x1) {
      TRect sel = Rect(x1, y, x2, y + th);
      canvas.GetBrush()->SetStyle(bsSolid);
      canvas.GetBrush()->SetColor(clHighlight);
      canvas.FillRect(sel);
      canvas.GetFont()->SetColor(clHighlightText);
      canvas.GetBrush()->SetStyle(bsClear);
      canvas.TextRect(sel, XFromPos(GetSelStart()), y,
                      forms_detail::SubstrCP(shown, static_cast<size_t>(GetSelStart()),
                                             static_cast<size_t>(GetSelLength())));
    }
  }
  if (focused) {
    int x = XFromPos(caret_);
    if (x >= fr.Left && x < fr.Right) {
      int h = caretHeight_ > 0 ? caretHeight_ : th;
      canvas.GetBrush()->SetStyle(bsSolid);
      canvas.GetBrush()->SetColor(clWindowText);
      canvas.FillRect(Rect(x, y, std::min(x + caretWidth_, fr.Right), y + h));
    }
  }
}

}  // namespace tabulon
