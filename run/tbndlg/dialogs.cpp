// The find and filter dialogs: one modal showing of their form inside the
// panel's update bracket, then (find) the search the user asked for, and the
// setup form shown from the Setup button.
#include <memory>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "run/tbndlg.h"

namespace tabulon {

namespace {

struct TFreeObject {
  void operator()(TObject* o) const { TObject::Free(o); }
};

// A form of the registered class `className`, owned by `owner` and built
// from its form resource. EClassNotFound while no such class is registered.
TCustomForm* CreateRegisteredForm(const char* className, TComponent* owner) {
  std::unique_ptr<TComponent, TFreeObject> made(FindClass(className)->CreateComponent(owner));
  auto* form = dynamic_cast<TCustomForm*>(made.get());
  if (!form) throw EInvalidCast(className);
  form->InitializeForm();
  made.release();
  return form;
}

// Shows a setup form inside the dialog's update bracket; whether it was
// confirmed. The form is freed in every case.
bool RunSetupForm(TFieldsSet* dialog, TCustomForm* (*create)(TFieldsSet*)) {
  dialog->BeginUpdate();
  bool confirmed = false;
  try {
    std::unique_ptr<TCustomForm, TFreeObject> form(create(dialog));
    confirmed = form->ShowModal() == mrOk;
  } catch (...) {
    dialog->EndUpdate();
    throw;
  }
  dialog->EndUpdate();
  return confirmed;
}

// Opens the panel's update bracket, creates the dialog's form of class F and
// shows it; the form is freed in every case. Returns whether the user
// confirmed, with the bracket still open for the caller to close; an
// exception closes it before it passes.
template <class F>
bool ShowDialogForm(TFieldsSet* dialog, TFieldsSetModel* panel) {
  panel->BeginUpdate();
  try {
    TfmFieldsSet* form = dialog->GetForm();
    if (!form) form = CreateForm<F>(dialog);
    std::unique_ptr<TfmFieldsSet, TFreeObject> owned(form);
    const bool result = form->Execute();
    owned.reset();
    // Pending messages are handled before the dataset is touched (not in a designer).
    if (result && !dialog->ComponentState().Contains(csDesigning)) Application()->ProcessMessages();
    return result;
  } catch (...) {
    panel->EndUpdate();
    throw;
  }
}

}  // namespace

// ---- TDBFindDialog ----

TPanelFieldsSet* TDBFindDialog::CreatePanelFieldsSet() { return new TDBFindComponent(this); }

bool TDBFindDialog::Execute() {
  TDBFindComponent* panel = GetFindPanel();
  const bool result = ShowDialogForm<TfmFind>(this, panel);
  panel->EndUpdate();
  // OK searches from the start (or the key), Next after the current record.
  if (result && panel->GetUpdateState() != usAuto) panel->Locate();
  return result;
}

bool TDBFindDialog::ShowSetupForm() {
  return RunSetupForm(
      this, [](TFieldsSet* d) { return static_cast<TDBFindDialog*>(d)->CreateSetupForm(); });
}

TCustomForm* TDBFindDialog::CreateSetupForm() {
  return CreateRegisteredForm("TfmSetupFindDialog", this);
}

TPanelFieldsSet* TQXClientFindDialog::CreatePanelFieldsSet() {
  return new TQXClientFindComponent(this);
}

TPanelFieldsSet* TQXBdeFindDialog::CreatePanelFieldsSet() { return new TBDEFindComponent(this); }

// ---- TDBFilterDialog ----

TPanelFieldsSet* TDBFilterDialog::CreatePanelFieldsSet() { return new TDBFilterComponent(this); }

bool TDBFilterDialog::Execute() {
  TDBFilterComponent* panel = GetFilterPanel();
  setupConfirmed_ = false;
  const bool result = ShowDialogForm<TfmFilter>(this, panel);
  // A cancelled showing has restored the values and left the check box
  // unread: filtering again would only move the dataset to its first
  // record. Settings confirmed in the setup form still apply.
  if (!result && !setupConfirmed_)
    panel->EndUpdateUnchanged();
  else
    panel->EndUpdate();
  return result;
}

bool TDBFilterDialog::ShowSetupForm() {
  const bool confirmed = RunSetupForm(
      this, [](TFieldsSet* d) { return static_cast<TDBFilterDialog*>(d)->CreateSetupForm(); });
  if (confirmed) setupConfirmed_ = true;
  return confirmed;
}

TCustomForm* TDBFilterDialog::CreateSetupForm() {
  return CreateRegisteredForm("TfmSetupFilterDialog", this);
}

}  // namespace tabulon
