// Unit Tbnstpfn: the setup form of the find dialogs. Besides what the
// record form offers it has a memo-field row in both option groups and the
// way of searching, and its working copy is bound to the dialog's dataset,
// so that its records know their fields.
#pragma once

#include <vector>

#include "run/tbndlg.h"
#include "run/tbnsetup.h"

namespace tabulon {

/// The setup form of a find dialog (its owner).
class TfmSetupFindDialog : public TfmSetupRecord {
  TBN_CLASS(TfmSetupFindDialog, TfmSetupRecord)
 public:
  explicit TfmSetupFindDialog(TComponent* owner) : TfmSetupRecord(owner) {}

  /// The owner as a find dialog, or null.
  TDBFindDialog* GetFindDialog() const;
  /// The working copy as a find dialog, or null.
  TDBFindDialog* GetFindCopy() const;

  /// The base's page, the memo row and the way of searching.
  void UpdateFieldsSet() override;
  /// The working copy takes the owner's data source.
  void SetDataSource() override;
  /// The base's data, then the way of searching.
  void ReadData() override;
  /// The base's data, then the way of searching.
  void SaveData() override;
  /// The owner's records, assigned as they are (they bind to the dataset).
  void ReadFields() override;

  void cbFindOptionsChange(TObject* sender);

  TComboBox* cbcMemo = nullptr;
  TComboBox* cbvMemo = nullptr;
  TComboBox* cbFindOptions = nullptr;

 protected:
  std::vector<TComboBox*> CompareBoxes() const override;
  std::vector<TComboBox*> CountBoxes() const override;
};

}  // namespace tabulon
