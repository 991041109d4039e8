// TCustomPopupEdit: dropping and closing the popup, its placement, and the
// mouse and keyboard rules that open, accept and cancel it; and the popup
// list window of the combo box edit.
#include "platform/controls/application.h"
#include "platform/forms/toplevel.h"
#include "run/tbnctrls.h"

namespace tabulon {

namespace {
constexpr uint16_t kVkUp = 0x26, kVkDown = 0x28;
constexpr uint32_t kWsExToolWindow = 0x00000080, kWsExTopmost = 0x00000008;
}  // namespace

TCustomPopupEdit::TCustomPopupEdit(TComponent* owner) : TCustomQXMaskEdit(owner) {
  SetGlyphKind(gkDropDown);
  SetButtonVisible(true);
  SetWidth(145);
}

TCustomPopupEdit::~TCustomPopupEdit() {
  CloseUp(false);
  if (TWinControl* p = popup_) {
    popup_ = nullptr;
    RemoveTopLevel(p);
    TObject::Free(p);
  }
}

void TCustomPopupEdit::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == popup_) popup_ = nullptr;
  inherited::Notification(component, operation);
}

TWinControl* TCustomPopupEdit::GetPopup() {
  if (!popup_) {
    // Created here rather than in the constructor so that the override of
    // the most derived class makes it.
    TWinControl* p = nullptr;
    CreatePopup(p);
    popup_ = p;
    popup_->SetVisible(false);
    popup_->OnMouseUp = TMouseEvent(this, &TCustomPopupEdit::ListMouseUp);
    MakePopupWindow(popup_);
  }
  return popup_;
}

bool TCustomPopupEdit::CanModify() const { return listActive_ && !GetReadOnly(); }

void TCustomPopupEdit::DoBeforeCloseUp(bool&) {}
void TCustomPopupEdit::DoAfterCloseUp(bool) { OnCloseUp(this); }
void TCustomPopupEdit::DoBeforeShow() { OnDropDown(this); }
void TCustomPopupEdit::DoAfterShow() {}
bool TCustomPopupEdit::DropDownUseRightToLeftAlignment() const { return false; }

void TCustomPopupEdit::DropDown() {
  if (listVisible_ || !listActive_) return;
  DoBeforeShow();
  ShowPopupControl();
  listVisible_ = true;
  DoAfterShow();
}

void TCustomPopupEdit::CloseUp(bool accept) {
  if (!listVisible_) return;
  DoBeforeCloseUp(accept);
  HidePopupControl();
  listVisible_ = false;
  Invalidate();
  DoAfterCloseUp(accept);
}

void TCustomPopupEdit::HidePopupControl() {
  TWinControl* p = GetPopup();
  SetWindowPos(p, HWND_TOP, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  if (Screen()->GetCaptureControl() == p) Screen()->SetCaptureControl(nullptr);
}

void TCustomPopupEdit::ShowPopupControl() {
  const int h = dropDownHeight_;
  const int w = dropDownWidth_ != 0 ? dropDownWidth_ : GetWidth();
  TPoint p = GetParent() ? GetParent()->ClientToScreen({GetLeft(), GetTop()})
                         : TPoint{GetLeft(), GetTop()};
  // Below the edit, or above it when the screen ends first.
  int y = p.Y + GetHeight();
  if (Screen()->GetHeight() < y + h) y = p.Y - h;
  TDropDownAlign a = dropDownAlign_;
  if (DropDownUseRightToLeftAlignment() && a != daCenter) a = a == daLeft ? daRight : daLeft;
  if (a == daRight)
    p.X -= w - GetWidth();
  else if (a == daCenter)
    p.X -= (w - GetWidth()) / 2;
  if (CanFocus() && !Focused()) SetFocus();
  SetWindowPos(GetPopup(), HWND_TOPMOST, p.X, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TCustomPopupEdit::ListMouseUp(TObject*, TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft) return;
  CloseUp(GetPopup()->GetClientRect().Contains({x, y}));
}

// --- mouse -------------------------------------------------------------------

void TCustomPopupEdit::ButtonMouseDown(TObject* sender, TMouseButton button, TShiftState shift,
                                       int x, int y) {
  if (button == mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    if (listVisible_) {
      CloseUp(false);
    } else if (listActive_) {
      tracking_ = true;
      DropDown();
    }
  }
  inherited::ButtonMouseDown(sender, button, shift, x, y);
}

void TCustomPopupEdit::ButtonMouseMove(TObject* sender, TShiftState shift, int x, int y) {
  if (tracking_ && listVisible_ && GetButton()) {
    // The press moves on to the popup once the pointer is over it.
    TWinControl* p = GetPopup();
    TPoint pt = p->ScreenToClient(GetButton()->ClientToScreen({x, y}));
    if (p->GetClientRect().Contains(pt)) {
      StopTracking();
      GetButton()->Perform(WM_LBUTTONUP, 0, 0);
      const auto packed = static_cast<LPARAM>((static_cast<uint32_t>(pt.Y & 0xFFFF) << 16) |
                                              static_cast<uint32_t>(pt.X & 0xFFFF));
      p->Perform(WM_LBUTTONDOWN, 0, packed);
      return;
    }
  }
  inherited::ButtonMouseMove(sender, shift, x, y);
}

void TCustomPopupEdit::ButtonMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                     int y) {
  StopTracking();
  inherited::ButtonMouseUp(sender, button, shift, x, y);
}

void TCustomPopupEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  CloseUp(false);
}

void TCustomPopupEdit::CMCancelMode(TMessage& msg) {
  auto* sender = reinterpret_cast<TControl*>(msg.LParam);
  if (sender != this && sender != popup_ && sender != GetButton()) CloseUp(false);
}

void TCustomPopupEdit::WMCancelMode(TMessage& msg) {
  StopTracking();
  inherited::WMCancelMode(msg);
}

void TCustomPopupEdit::WMKillFocus(TMessage& msg) {
  inherited::WMKillFocus(msg);
  auto* to = reinterpret_cast<TWinControl*>(msg.WParam);
  if (to != this && to != popup_) CloseUp(false);
}

// --- keyboard ----------------------------------------------------------------

void TCustomPopupEdit::WMGetDlgCode(TMessage& msg) {
  inherited::WMGetDlgCode(msg);
  // While the list is open, Enter and Escape close it rather than acting on
  // the form's default and cancel buttons.
  if (listVisible_) msg.Result |= DLGC_WANTALLKEYS;
}

void TCustomPopupEdit::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (CanModify() && (key == kVkUp || key == kVkDown) && shift.Contains(ssAlt)) {
    if (listVisible_)
      CloseUp(true);
    else
      DropDown();
    key = 0;
  }
}

void TCustomPopupEdit::KeyPress(char32_t& key) {
  if (listVisible_ && (key == 13 || key == 27)) CloseUp(key == 13);
  inherited::KeyPress(key);
}

// --- the popup list window ---------------------------------------------------

TCustomPopupWindow::TCustomPopupWindow(TComponent* owner) : TCustomListBox(owner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csNoDesignVisible});
  SetTabStop(false);
  SetCtl3D(false);
}

void TCustomPopupWindow::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style |= WS_BORDER;
  params.ExStyle = kWsExToolWindow | kWsExTopmost;
  params.WndParent = nullptr;
}

}  // namespace tabulon
