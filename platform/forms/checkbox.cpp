// TCustomCheckBox: state changes, mouse and keys, painting.
#include "platform/forms/checkbox.h"

#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"

namespace tabulon {

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents});
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
  if (v == state_) return;
  state_ = v;
  Invalidate();
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
}

void TCustomCheckBox::KeyUp(uint16_t& key, TShiftState shift) {
  inherited::KeyUp(key, shift);
  if (key == VK_SPACE) Toggle();
}

void TCustomCheckBox::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  // The click toggles; the inherited click logic would fire OnClick twice.
  TControlStyle s = GetControlStyle();
  s.Exclude(csClickEvents);
  SetControlStyle(s);
  inherited::WMLButtonDown(msg);
  s.Include(csClickEvents);
  SetControlStyle(s);
}

void TCustomCheckBox::WMLButtonUp(TMessage& msg) {
  bool inside = GetClientRect().Contains({GetXLParam(msg.LParam), GetYLParam(msg.LParam)});
  TControlState st = GetControlState();
  st.Exclude(csClicked);
  SetControlState(st);
  inherited::WMLButtonUp(msg);
  if (inside) Toggle();
}

void TCustomCheckBox::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TCustomCheckBox::CMExit(TMessage& msg) {
  inherited::CMExit(msg);
  Invalidate();
}

void TCustomCheckBox::PaintSelf(TCanvas& canvas) {
  TRect r = GetClientRect();
  const int box = 13;
  int top = (r.Height() - box) / 2;
  int left = alignment_ == taRightJustify ? 0 : r.Width() - box;
  TRect b = Rect(left, top, left + box, top + box);
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(state_ == cbGrayed || !GetEnabled() ? clBtnFace : clWindow);
  canvas.FillRect(b);
  TRect e = b;
  forms_detail::DrawSunkenFrame(canvas, e, GetCtl3D());
  if (state_ != cbUnchecked) {
    // The tick: two strokes, three pixels thick.
    canvas.GetPen()->SetColor(state_ == cbGrayed || !GetEnabled() ? clBtnShadow : clWindowText);
    canvas.GetPen()->SetWidth(1);
    for (int d = 0; d < 3; ++d) {
      canvas.MoveTo(e.Left + 1, e.Top + 3 + d);
      canvas.LineTo(e.Left + 3, e.Top + 5 + d);
      canvas.LineTo(e.Left + 8, e.Top + d);
    }
  }
  canvas.SetFont(GetFont());
  TRect text = alignment_ == taRightJustify ? Rect(box + 4, 0, r.Right, r.Bottom)
                                            : Rect(0, 0, r.Right - box - 4, r.Bottom);
  forms_detail::DrawCaption(canvas, text, GetCaption(), taLeftJustify, GetEnabled());
  if (Focused() && !GetCaption().empty()) {
    int w = canvas.TextWidth(forms_detail::StripAccel(GetCaption()));
    int h = canvas.TextHeight("Ag");
    int y = (r.Height() - h) / 2;
    canvas.DrawFocusRect(Rect(text.Left - 1, y - 1, text.Left + w + 1, y + h + 1));
  }
}

TBN_REGISTER(TCustomCheckBox) {}

TBN_REGISTER(TCheckBox) {
  forms_detail::PublishWinControl(b, true);
  b.Property("Alignment", &TCheckBox::GetAlignment, &TCheckBox::SetAlignment)
      .Default(taRightJustify);
  b.Property("AllowGrayed", &TCheckBox::GetAllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  b.Property("Caption", &TCheckBox::GetCaption, &TCheckBox::SetCaption);
  b.Property("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked)
      .Stored(false)
      .Default(false);
  b.Property("State", &TCheckBox::GetState, &TCheckBox::SetState).Default(cbUnchecked);
}

}  // namespace tabulon
