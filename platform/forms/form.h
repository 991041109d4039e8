// TCustomForm / TForm: a top-level window with a caption bar, border icons
// and a client area holding controls. A form is shown modelessly (Show) or
// modally (ShowModal: a loop that takes input from the input source until a
// modal result is set and the close query agrees). The form keeps the
// control that has the focus in it (ActiveControl), answers dialog keys
// (Tab order, Enter for the default button, Escape for the cancel button)
// and may preview the keys of its controls.
#pragma once

#include <memory>
#include <string>

#include "platform/controls/wincontrol.h"
#include "platform/forms/modal.h"
#include "platform/graphics/bitmap.h"

namespace tabulon {

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
/// Where a form appears when shown.
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
/// What closing a form does with it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

/// A top-level window.
class TCustomForm : public TWinControl {
  TBN_CLASS(TCustomForm, TWinControl)
 public:
  /// An empty form; a form class with a form resource is built by CreateForm.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  /// Reads the form resources of the class (ancestors first) and fires OnCreate.
  /// Returns whether a resource was found.
  bool InitializeForm();

  TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons GetBorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition GetPosition() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TIcon* GetIcon() const { return icon_.get(); }
  /// Copies `icon` into the form's icon.
  void SetIcon(TIcon* icon);
  int GetHelpContext() const { return helpContext_; }
  void SetHelpContext(int v) { helpContext_ = v; }
  bool GetKeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TFormState GetFormState() const { return formState_; }

  /// The control that has (or gets on showing) the focus within the form; never dangling.
  TWinControl* GetActiveControl() const { return active_; }
  /// Focuses `control` (now when the form is shown, else on showing);
  /// EInvalidOperation when it cannot be focused or is not on the form.
  void SetActiveControl(TWinControl* control);
  /// The result the modal loop ends with; setting it while modal asks the form to close.
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }

  /// Shows the form modelessly and activates it.
  void Show();
  /// Hides the form.
  void Hide();
  /// Shows the form, runs the modal loop and returns the modal result.
  TModalResult ShowModal();
  /// Closes the form: a modal form gets mrCancel; a modeless one runs the
  /// close query and OnClose and then hides, frees (caFree) or stays.
  void Close();
  /// Runs OnCloseQuery; true when the form may close.
  virtual bool CloseQuery();
  /// Frees the form once the messages already queued are processed.
  void Release();
  /// Whether the form is in its modal loop.
  bool IsModal() const { return formState_.Contains(fsModal); }

  /// Feeds a key as a person presses it: key down (previewed by the form
  /// with KeyPreview), the dialog key if the focused control does not want
  /// it, the character it types (0: none), then key up.
  void PressKey(uint16_t key, TShiftState shift, char32_t ch);
  /// The control keys go to: the focused control on the form, else the form.
  TWinControl* KeyTarget() const;

  bool CanFocus() const override;
  void SetFocus() override;
  void Dispatch(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  /// Makes the form the active one: OnActivate, then focus on ActiveControl
  /// or the first control in tab order.
  virtual void Activate();
  virtual void Deactivate();
  void SetFocusedControl(TWinControl* control) override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void CreateParams(TCreateParams& params) override;
  /// Dialog keys: Tab and Shift+Tab move the focus, arrows move it among
  /// siblings, Enter and Escape go to the default and cancel buttons.
  virtual void CMDialogKey(TMessage& msg);
  virtual void CMRelease(TMessage& msg);

 private:
  void ShowForm(bool modal);
  void HideForm();
  void CloseModal();
  void PlaceOnScreen();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  std::unique_ptr<TIcon> icon_;
  int helpContext_ = 0;
  bool keyPreview_ = false;
  TFormState formState_;
  TWinControl* active_ = nullptr;
  TModalResult modalResult_ = mrNone;
  TCustomForm* previousActive_ = nullptr;
};

/// The form class components are dropped on.
class TForm : public TCustomForm {
  TBN_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

/// Creates a form of class F, reads its form resources and fires OnCreate.
template <class F>
F* CreateForm(TComponent* owner) {
  auto form = std::make_unique<F>(owner);
  form->InitializeForm();
  return form.release();
}

/// The form that `control` sits on, or null.
TCustomForm* GetParentForm(const TControl* control);
/// The active form: the innermost modal form, else the last activated one.
TCustomForm* ActiveForm();
/// How many modal loops are running.
int ModalLevel();

}  // namespace tabulon

TBN_ENUM(tabulon::TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp");
TBN_ENUM(tabulon::TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
         "poScreenCenter");
TBN_ENUM(tabulon::TCloseAction, "caNone", "caHide", "caFree", "caMinimize");
TBN_ENUM(tabulon::TFormStateItem, "fsCreating", "fsVisible", "fsShowing", "fsModal", "fsActivated");
TBN_EVENT_NAME(tabulon::TCloseEvent);
TBN_EVENT_NAME(tabulon::TCloseQueryEvent);
