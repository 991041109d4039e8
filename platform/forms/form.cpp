// TCustomForm: showing, activation, closing and the modal loop.
#include "platform/forms/form.h"

#include <algorithm>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/forms/toplevel.h"
#include "platform/streaming/formres.h"

namespace tabulon {
namespace {

std::vector<TCustomForm*>& ModalStack() {
  static std::vector<TCustomForm*> stack;
  return stack;
}

TInputSource*& CurrentSource() {
  static TInputSource* source = nullptr;
  return source;
}

}  // namespace

const char* ModalResultName(TModalResult r) {
  static const char* const names[] = {"mrNone",   "mrOk",  "mrCancel", "mrAbort", "mrRetry",
                                      "mrIgnore", "mrYes", "mrNo",     "mrAll"};
  if (r >= 0 && r <= mrAll) return names[r];
  return nullptr;
}

TInputSource* GetInputSource() { return CurrentSource(); }

TInputSource* SetInputSource(TInputSource* source) {
  TInputSource* old = CurrentSource();
  CurrentSource() = source;
  return old;
}

TCustomForm* GetParentForm(const TControl* control) {
  for (const TControl* c = control; c; c = c->GetParent())
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
  return nullptr;
}

TCustomForm* ActiveForm() {
  if (!ModalStack().empty()) return ModalStack().back();
  return dynamic_cast<TCustomForm*>(Screen()->GetActiveForm());
}

int ModalLevel() { return static_cast<int>(ModalStack().size()); }

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), icon_(std::make_unique<TIcon>()) {
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentColor(false);
  SetParentFont(false);
  SetParentCtl3D(false);
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() {
  Destroying();
  OnDestroy(this);
  std::erase(ModalStack(), this);
  RemoveTopLevel(this);
  if (Screen()->GetActiveForm() == this) Screen()->SetActiveForm(nullptr);
  if (previousActive_) previousActive_->RemoveFreeNotification(this);
}

bool TCustomForm::InitializeForm() {
  formState_.Include(fsCreating);
  bool found = false;
  try {
    if (ClassType() != TForm::StaticClass() && ClassType() != TCustomForm::StaticClass())
      found = InitInheritedComponent(this, TForm::StaticClass());
  } catch (...) {
    formState_.Exclude(fsCreating);
    throw;
  }
  formState_.Exclude(fsCreating);
  DoCreate();
  return found;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  int cw = GetClientWidth(), ch = GetClientHeight();
  borderStyle_ = v;
  // The client area keeps its size; the frame grows or shrinks around it.
  SetClientSize(cw, ch);
  Invalidate();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  borderIcons_ = v;
  Invalidate();
}

void TCustomForm::SetIcon(TIcon* icon) {
  if (icon)
    icon_->Assign(icon);
  else
    icon_->SetImage(nullptr);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == active_) return;
  if (control && (control == this || GetParentForm(control) != this ||
                  (formState_.Contains(fsVisible) && !control->CanFocus() &&
                   !ComponentState().Contains(csLoading))))
    throw EInvalidOperation(ResStr("SCannotFocusForm"));
  if (active_) active_->RemoveFreeNotification(this);
  active_ = control;
  if (active_) active_->FreeNotification(this);
  if (active_ && formState_.Contains(fsActivated) && Screen()->GetActiveForm() == this)
    active_->SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  inherited::SetFocusedControl(control);
  // Focus that leaves the form keeps ActiveControl for the next activation.
  if (control && control != this && control != active_ && ContainsControl(control)) {
    if (active_) active_->RemoveFreeNotification(this);
    active_ = control;
    active_->FreeNotification(this);
  }
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == active_) active_ = nullptr;
  if (component == previousActive_) previousActive_ = nullptr;
}

bool TCustomForm::CanFocus() const { return GetVisible() && GetEnabled(); }

void TCustomForm::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(ResStr("SCannotFocusForm"));
  Activate();
}

TWinControl* TCustomForm::KeyTarget() const {
  TWinControl* focused = Screen()->GetActiveControl();
  if (focused && focused != this && ContainsControl(focused)) return focused;
  return const_cast<TCustomForm*>(this);
}

// --- showing -------------------------------------------------------------

void TCustomForm::PlaceOnScreen() {
  if (position_ == poScreenCenter)
    SetBounds((Screen()->GetWidth() - GetWidth()) / 2, (Screen()->GetHeight() - GetHeight()) / 2,
              GetWidth(), GetHeight());
}

void TCustomForm::ShowForm(bool modal) {
  (void)modal;
  bool wasShown = formState_.Contains(fsVisible);
  if (!wasShown) PlaceOnScreen();
  HandleNeeded();
  SetVisible(true);
  formState_.Include(fsVisible);
  BringTopLevelToFront(this);
  if (!wasShown) DoShow();
  Activate();
}

void TCustomForm::Show() { ShowForm(false); }

void TCustomForm::HideForm() {
  if (!formState_.Contains(fsVisible)) return;
  bool wasActive = Screen()->GetActiveForm() == this;
  if (wasActive) Deactivate();
  SetVisible(false);
  formState_.Exclude(fsVisible);
  RemoveTopLevel(this);
  DoHide();
  if (wasActive) {
    // The form that was active before this one takes the focus back.
    TCustomForm* back = previousActive_;
    if (back) back->RemoveFreeNotification(this);
    previousActive_ = nullptr;
    if (back && back->formState_.Contains(fsVisible))
      back->Activate();
    else
      Screen()->SetActiveForm(nullptr);
  }
}

void TCustomForm::Hide() { HideForm(); }

void TCustomForm::Activate() {
  auto* current = dynamic_cast<TCustomForm*>(Screen()->GetActiveForm());
  if (current != this) {
    if (current) current->Deactivate();
    if (previousActive_) previousActive_->RemoveFreeNotification(this);
    previousActive_ = current;
    if (previousActive_) previousActive_->FreeNotification(this);
    Screen()->SetActiveForm(this);
  }
  formState_.Include(fsActivated);
  // Focus: the active control, else the first control in tab order.
  TWinControl* target = active_ && active_->CanFocus() ? active_ : nullptr;
  if (!target) target = FindNextControl(nullptr, true, true, false);
  if (target)
    target->SetFocus();
  else if (Screen()->GetActiveControl() && !ContainsControl(Screen()->GetActiveControl()))
    Screen()->SetFocusedWindow(nullptr);
  OnActivate(this);
}

void TCustomForm::Deactivate() {
  formState_.Exclude(fsActivated);
  TWinControl* focused = Screen()->GetActiveControl();
  if (focused && ContainsControl(focused)) {
    focused->Perform(WM_KILLFOCUS, 0, 0);
    Screen()->SetFocusedWindow(nullptr);
  }
  OnDeactivate(this);
}

void TCustomForm::DoCreate() { OnCreate(this); }
void TCustomForm::DoShow() { OnShow(this); }
void TCustomForm::DoHide() { OnHide(this); }
void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (IsModal()) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caHide || action == caMinimize)
    Hide();
  else if (action == caFree)
    Release();
}

void TCustomForm::Release() { Application()->PostMessage(this, CM_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessage&) { TObject::Free(this); }

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone)
      modalResult_ = mrNone;
    else if (action == caFree)
      Release();
  } catch (...) {
    modalResult_ = mrNone;
    throw;
  }
}

TModalResult TCustomForm::ShowModal() {
  if (formState_.Contains(fsVisible) || IsModal() || !GetEnabled())
    throw EInvalidOperation(ResStr("SCannotShowModal"));
  TInputSource* source = GetInputSource();
  modalResult_ = mrNone;
  formState_.Include(fsModal);
  ModalStack().push_back(this);
  auto finish = [&] {
    if (source) source->ModalClosing(this);
    HideForm();
    std::erase(ModalStack(), this);
    formState_.Exclude(fsModal);
    if (source) source->ModalEnded(this);
  };
  try {
    ShowForm(true);
    if (source) source->ModalStarted(this);
    for (;;) {
      Application()->ProcessMessages();
      if (modalResult_ != mrNone) {
        CloseModal();
        if (modalResult_ != mrNone) break;
      }
      if (!source) throw EInvalidOperation(Format(ResStr("SNoInputSource"), {GetName()}));
      if (!source->DeliverInput(this)) {
        Application()->ProcessMessages();
        if (modalResult_ != mrNone) continue;
        throw EInvalidOperation(Format(ResStr("SScriptEnded"), {GetName()}));
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return modalResult_;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style &= ~(WS_CHILD | WS_VISIBLE);
  params.Style |= WS_POPUP | WS_CLIPCHILDREN;
  if (borderStyle_ != bsNone) params.Style |= WS_CAPTION;
  params.WndParent = nullptr;
}

void TCustomForm::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case CM_DIALOGKEY:
      CMDialogKey(msg);
      break;
    case CM_RELEASE:
      CMRelease(msg);
      break;
    case WM_CLOSE:
      Close();
      break;
    default:
      inherited::Dispatch(msg);
      break;
  }
}

}  // namespace tabulon
