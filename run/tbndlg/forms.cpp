// The forms of the find and filter dialogs: which buttons they show, the
// find form's OK and Next, the filter form's "Filtered" check box.
#include "run/tbndlg.h"

namespace tabulon {

// ---- TfmFind ----

void TfmFind::SetOptions() {
  TfmFieldsSet::SetOptions();
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !paTop || !paNext || !paOk) return;
  const TStateOptions options = fs->GetOptions();
  paTop->SetVisible(options.Contains(soClear) || options.Contains(soSetup));
  paNext->SetVisible(options.Contains(soNext));
  // Next follows OK.
  OrderBottomButtons();
}

void TfmFind::bbOkClick(TObject*) {
  if (auto* dialog = dynamic_cast<TDBFindDialog*>(GetOwner())) dialog->SetRestart(true);
}

void TfmFind::bbNextClick(TObject*) {
  if (auto* dialog = dynamic_cast<TDBFindDialog*>(GetOwner())) dialog->SetRestart(false);
}

// ---- TfmFilter ----

void TfmFilter::SetOptions() {
  TfmFieldsSet::SetOptions();
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !paTop || !paFiltered) return;
  const TStateOptions options = fs->GetOptions();
  paTop->SetVisible(options.Contains(soClear) || options.Contains(soSetup) ||
                    options.Contains(soFilter));
  paFiltered->SetVisible(options.Contains(soFilter));
}

void TfmFilter::FormActivate(TObject* sender) {
  const bool first = !GetShowing();
  TfmFieldsSet::FormActivate(sender);
  // Only when the showing begins: coming back from the setup form keeps
  // what the user has checked.
  auto* dialog = dynamic_cast<TDBFilterDialog*>(GetOwner());
  if (first && GetShowing() && dialog && cbFiltered) cbFiltered->SetChecked(dialog->GetFiltered());
}

void TfmFilter::FormCloseQuery(TObject* sender, bool& canClose) {
  TfmFieldsSet::FormCloseQuery(sender, canClose);
  auto* dialog = dynamic_cast<TDBFilterDialog*>(GetOwner());
  if (!canClose || !dialog || !cbFiltered || GetModalResult() != mrOk) return;
  TDataSource* source = dialog->GetDataSource();
  if (source && source->GetDataSet()) dialog->SetFiltered(cbFiltered->GetChecked());
}

}  // namespace tabulon
