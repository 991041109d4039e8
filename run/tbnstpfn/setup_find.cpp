// TfmSetupFindDialog: the record form plus the memo row and the way of
// searching; its working copy is bound to the find dialog's dataset.
#include "run/tbnstpfn.h"

namespace tabulon {

TDBFindDialog* TfmSetupFindDialog::GetFindDialog() const {
  return dynamic_cast<TDBFindDialog*>(GetOwner());
}

TDBFindDialog* TfmSetupFindDialog::GetFindCopy() const {
  return dynamic_cast<TDBFindDialog*>(FFieldsSet);
}

std::vector<TComboBox*> TfmSetupFindDialog::CompareBoxes() const {
  std::vector<TComboBox*> boxes = TfmSetupRecord::CompareBoxes();
  boxes.push_back(cbcMemo);
  return boxes;
}

std::vector<TComboBox*> TfmSetupFindDialog::CountBoxes() const {
  std::vector<TComboBox*> boxes = TfmSetupRecord::CountBoxes();
  boxes.push_back(cbvMemo);
  return boxes;
}

void TfmSetupFindDialog::UpdateFieldsSet() {
  TfmSetupRecord::UpdateFieldsSet();
  if (TDBFindDialog* copy = GetFindCopy(); copy && cbFindOptions) {
    cbFindOptions->SetItemIndex(copy->GetFindOptions());
    cbFindOptions->SetColor(GetFieldsSet()->GetStyleOptions()->GetColor(1));
  }
}

void TfmSetupFindDialog::SetDataSource() {
  if (TFieldsSet* fs = GetFieldsSet(); fs && FFieldsSet)
    FFieldsSet->SetDataSource(fs->GetDataSource());
}

void TfmSetupFindDialog::ReadData() {
  TfmSetupRecord::ReadData();
  TDBFindDialog* dialog = GetFindDialog();
  TDBFindDialog* copy = GetFindCopy();
  if (dialog && copy) copy->SetFindOptions(dialog->GetFindOptions());
}

void TfmSetupFindDialog::SaveData() {
  TfmSetupRecord::SaveData();
  TDBFindDialog* dialog = GetFindDialog();
  TDBFindDialog* copy = GetFindCopy();
  if (dialog && copy) dialog->SetFindOptions(copy->GetFindOptions());
}

void TfmSetupFindDialog::ReadFields() { CopyFieldRecords(false); }

void TfmSetupFindDialog::cbFindOptionsChange(TObject*) {
  TDBFindDialog* copy = GetFindCopy();
  if (!copy || cbFindOptions->GetItemIndex() < 0) return;
  copy->SetFindOptions(static_cast<TFindOptions>(cbFindOptions->GetItemIndex()));
  UpdateForm();
}

}  // namespace tabulon
