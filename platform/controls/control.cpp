// TControl: geometry, parent-following attributes, text, streaming hooks.
#include "platform/controls/control.h"

#include "platform/controls/application.h"
#include "platform/controls/wincontrol.h"
#include "platform/core/exceptions.h"

namespace tabulon {
namespace {
TShiftState& KeyboardState() {
  static TShiftState s;
  return s;
}
}  // namespace

TShiftState KeyboardShiftState() { return KeyboardState(); }
void SetKeyboardShiftState(TShiftState s) { KeyboardState() = s; }

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s = KeyboardState();
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
  Screen()->ControlDestroyed(this);
  Application()->ControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool sized = width != width_ || height != height_;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  TWindowPos pos{left, top, width, height, sized ? 0u : SWP_NOSIZE};
  Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  RequestAlign();
  // Windowed controls resize from their WM_SIZE handler.
  if (sized && !ComponentState().Contains(csLoading) && !dynamic_cast<TWinControl*>(this)) Resize();
}

void TControl::SetClientSize(int w, int h) {
  TRect c = GetClientRect();
  SetBounds(left_, top_, width_ - c.Width() + w, height_ - c.Height() + h);
}

TPoint TControl::GetClientOrigin() const {
  if (!parent_) return {left_, top_};
  TPoint p = parent_->GetClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = GetClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = GetClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

bool TControl::IsShowing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  RequestAlign();
  if (v) Invalidate();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetAlign(TAlign v) {
  if (v == align_) return;
  align_ = v;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (parent_ && !parent_->ComponentState().Contains(csDestroying)) parent_->AlignControl(this);
}

void TControl::Resize() { OnResize(this); }

void TControl::FontChanged(TObject*) {
  parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool v) {
  if (v == parentFont_) return;
  parentFont_ = v;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  if (v == parentColor_) return;
  parentColor_ = v;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetCtl3D(bool v) {
  if (v == ctl3D_) return;
  ctl3D_ = v;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TControl::SetParentCtl3D(bool v) {
  if (v == parentCtl3D_) return;
  parentCtl3D_ = v;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool v) {
  if (v == showHint_) return;
  showHint_ = v;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool v) {
  if (v == parentShowHint_) return;
  parentShowHint_ = v;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
  inherited::Notification(component, operation);
}

void TControl::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& name) {
  bool follow =
      style_.Contains(csSetCaption) && !ComponentState().Contains(csLoading) && GetName() == text_;
  inherited::SetName(name);
  if (follow) SetText(name);
}

void TControl::Invalidate() {
  invalidated_ = true;
  Screen()->NoteInvalidate(this);
}

void TControl::Update() { invalidated_ = false; }

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (parent_) parent_->SetChildOrder(this, parent_->GetControlCount());
}

void TControl::SendToBack() {
  if (parent_) parent_->SetChildOrder(this, 0);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* value) {
  if (!value) {
    SetParent(nullptr);
    return;
  }
  auto* p = dynamic_cast<TWinControl*>(value);
  if (!p)
    throw EInvalidOperation("A " + value->ClassName() + " cannot be the parent of " + GetName());
  SetParent(p);
}

void TControl::ValidateContainer(TComponent* container) { inherited::ValidateContainer(container); }

void TControl::Loaded() {
  inherited::Loaded();
  // Attributes that follow the parent take its values now that both are read.
  if (parent_) {
    if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (parentCtl3D_) Perform(CM_PARENTCTL3DCHANGED, 0, 0);
    if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  RequestAlign();
}

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}

}  // namespace tabulon
