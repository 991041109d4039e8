// TGroupBox: the frame, its caption and the room left for children.
#include "platform/forms/groupbox.h"

#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"

namespace tabulon {

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
  inherited::AdjustClientRect(rect);
  // The caption line on top, two pixels of frame on the other sides.
  int h = GetFont()->GetHeight() < 0 ? -GetFont()->GetHeight() : GetFont()->GetHeight();
  rect = Rect(rect.Left + 2, rect.Top + h + 4, rect.Right - 2, rect.Bottom - 2);
}

void TCustomGroupBox::CMTextChanged(TMessage& msg) {
  inherited::CMTextChanged(msg);
  Realign();
}

void TCustomGroupBox::PaintSelf(TCanvas& canvas) {
  canvas.SetFont(GetFont());
  int h = canvas.TextHeight("0");
  TRect r = Rect(0, h / 2 - 1, GetWidth(), GetHeight());
  if (GetCtl3D()) {
    TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom);
    Frame3D(canvas, inner, clBtnHighlight, clBtnHighlight, 1);
    TRect outer = Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
    Frame3D(canvas, outer, clBtnShadow, clBtnShadow, 1);
  } else {
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }
  std::string text = forms_detail::StripAccel(GetCaption());
  if (text.empty()) return;
  int w = canvas.TextWidth(text);
  TRect cap = Rect(8, 0, 8 + w + 4, h);
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(cap);
  forms_detail::DrawCaption(canvas, Rect(cap.Left + 2, 0, cap.Right, h), GetCaption(),
                            taLeftJustify, GetEnabled());
}

TBN_REGISTER(TCustomGroupBox) {}

TBN_REGISTER(TGroupBox) {
  forms_detail::PublishWinControl(b, false);
  b.Property("Caption", &TGroupBox::GetCaption, &TGroupBox::SetCaption);
}

}  // namespace tabulon
