// TButton: clicks, keys, the dialog keys and painting.
#include "platform/forms/button.h"

#include "platform/controls/application.h"
#include "platform/forms/form.h"
#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"

namespace tabulon {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents});
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool v) {
  default_ = v;
  Invalidate();
}

bool TButton::IsActive() const {
  if (Focused()) return true;
  if (!default_) return false;
  return dynamic_cast<TButton*>(Screen()->GetActiveControl()) == nullptr;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && modalResult_ != mrNone)
    form->SetModalResult(modalResult_);
  inherited::Click();
}

void TButton::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (key == VK_SPACE) {
    pressed_ = true;
    Invalidate();
  }
}

void TButton::KeyUp(uint16_t& key, TShiftState shift) {
  inherited::KeyUp(key, shift);
  if (key == VK_SPACE && pressed_) {
    pressed_ = false;
    Invalidate();
    Click();
  }
}

void TButton::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  pressed_ = true;
  Invalidate();
  inherited::WMLButtonDown(msg);
}

void TButton::WMLButtonUp(TMessage& msg) {
  pressed_ = false;
  Invalidate();
  inherited::WMLButtonUp(msg);
}

void TButton::WMGetDlgCode(TMessage& msg) { msg.Result = 0; }

void TButton::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TButton::CMExit(TMessage& msg) {
  pressed_ = false;
  inherited::CMExit(msg);
  Invalidate();
}

void TButton::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_DIALOGKEY) {
    auto key = static_cast<uint16_t>(msg.WParam);
    if (((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && cancel_)) &&
        !KeyboardShiftState().Contains(ssAlt) && !KeyboardShiftState().Contains(ssCtrl) &&
        CanFocus()) {
      Click();
      msg.Result = 1;
    }
    return;
  }
  inherited::Dispatch(msg);
}

void TButton::PaintSelf(TCanvas& canvas) {
  TRect r = GetClientRect();
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(r);
  bool thick = IsActive();
  if (thick) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  if (pressed_) {
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
  } else {
    Frame3D(canvas, r, clBtnHighlight, clWindowFrame, 1);
    Frame3D(canvas, r, clBtnFace, clBtnShadow, 1);
  }
  canvas.SetFont(GetFont());
  TRect text = r;
  if (pressed_) text = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  forms_detail::DrawCaption(canvas, text, GetCaption(), taCenter, GetEnabled());
  if (Focused()) {
    TRect f = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    canvas.DrawFocusRect(f);
  }
}

TBN_REGISTER(TButton) {
  forms_detail::PublishWinControl(b, true);
  b.Property("Cancel", &TButton::GetCancel, &TButton::SetCancel).Default(false);
  b.Property("Caption", &TButton::GetCaption, &TButton::SetCaption);
  b.Property("Default", &TButton::GetDefault, &TButton::SetDefault).Default(false);
  b.Property("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult).Default(0);
}

}  // namespace tabulon
