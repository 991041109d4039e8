// TRadioButton: group exclusion, mouse and keys, painting.
#include "platform/forms/radiobutton.h"

#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"

namespace tabulon {

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse});
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  SetTabStop(v);
  Invalidate();
  if (!v) return;
  if (TWinControl* p = GetParent())
    for (int i = 0; i < p->GetControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(p->GetControls(i)); r && r != this)
        r->SetChecked(false);
  if (!ComponentState().Contains(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TRadioButton::KeyUp(uint16_t& key, TShiftState shift) {
  inherited::KeyUp(key, shift);
  if (key == VK_SPACE) SetChecked(true);
}

void TRadioButton::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  inherited::WMLButtonDown(msg);
}

void TRadioButton::WMLButtonUp(TMessage& msg) {
  bool inside = GetClientRect().Contains({GetXLParam(msg.LParam), GetYLParam(msg.LParam)});
  inherited::WMLButtonUp(msg);
  if (inside) SetChecked(true);
}

void TRadioButton::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TRadioButton::PaintSelf(TCanvas& canvas) {
  TRect r = GetClientRect();
  const int d = 12;
  int top = (r.Height() - d) / 2;
  int left = alignment_ == taRightJustify ? 0 : r.Width() - d;
  // A round box drawn as a filled disc with a shadowed rim.
  for (int y = 0; y < d; ++y)
    for (int x = 0; x < d; ++x) {
      double dx = x - (d - 1) / 2.0, dy = y - (d - 1) / 2.0, dist = dx * dx + dy * dy;
      double rad = d / 2.0;
      if (dist > rad * rad) continue;
      TColor c = GetEnabled() ? clWindow : clBtnFace;
      if (dist > (rad - 1.5) * (rad - 1.5)) c = (dx + dy < 0) ? clBtnShadow : clBtnHighlight;
      if (checked_ && dist <= 2.2 * 2.2) c = GetEnabled() ? clWindowText : clBtnShadow;
      canvas.SetPixel(left + x, top + y, c);
    }
  canvas.SetFont(GetFont());
  TRect text = alignment_ == taRightJustify ? Rect(d + 4, 0, r.Right, r.Bottom)
                                            : Rect(0, 0, r.Right - d - 4, r.Bottom);
  forms_detail::DrawCaption(canvas, text, GetCaption(), taLeftJustify, GetEnabled());
}

TBN_REGISTER(TRadioButton) {
  forms_detail::PublishWinControl(b, false);
  b.Property("Alignment", &TRadioButton::GetAlignment, &TRadioButton::SetAlignment)
      .Default(taRightJustify);
  b.Property("Caption", &TRadioButton::GetCaption, &TRadioButton::SetCaption);
  b.Property("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked).Default(false);
}

}  // namespace tabulon
