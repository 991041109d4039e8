// Unit Tbnsetup: the setup form of the find and filter dialogs. The end
// user changes there, at run time, how a dialog compares and shows its
// fields: per data-type class the comparison kind, the number of edit boxes
// and case sensitivity; the same three settings per field record (a record
// that follows the class default shows "Default value"); automatic field
// width, automatic saving of values and the two margins. Every change lands
// in a working copy of the dialog (a dialog component of the owner's own
// class) and reaches the owner only when the user confirms with OK.
// TfmSetupRecord holds the form and all of its logic; TfmSetupFilterDialog
// is the filter dialog's form; the find dialog's is in run/tbnstpfn.h.
#pragma once

#include <vector>

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/forms/button.h"
#include "platform/forms/checkbox.h"
#include "platform/forms/combobox.h"
#include "platform/forms/form.h"
#include "platform/forms/groupbox.h"
#include "platform/forms/maskedit.h"
#include "platform/forms/pagecontrol.h"
#include "run/tbnfset.h"

namespace tabulon {

/// The setup form of a dialog component (its owner).
class TfmSetupRecord : public TForm {
  TBN_CLASS(TfmSetupRecord, TForm)
 public:
  /// Makes the working copy, of the class the owner reports through
  /// GetFieldsSetClass, owned by the application and never updating its
  /// dataset after opening. Without a dialog component as owner the form
  /// has no working copy and does nothing of its own.
  explicit TfmSetupRecord(TComponent* owner);
  ~TfmSetupRecord() override;

  /// The owner as a dialog component, or null.
  TFieldsSet* GetFieldsSet() const;
  /// The settings being edited (null without a dialog component as owner).
  TFieldsSet* GetWorkingCopy() const { return FFieldsSet; }
  /// The field record the selected cbFields entry carries; null on
  /// "Default options".
  TFieldRecord* SelectedRecord() const;

  /// Shows the form modally; true when it was closed with OK.
  bool Execute();
  /// Shows the selected record on the field page, else the default page.
  void UpdateForm();
  /// Lists every visible record the dialog can use, then selects
  /// "Default options".
  void AddcbFields();
  void BeginFieldUpdate() { ++FUpdateCount; }
  void EndFieldUpdate() { --FUpdateCount; }
  int GetFieldUpdateCount() const { return FUpdateCount; }

  // ---- Overridable steps ----
  /// Fills the default page from the working copy.
  virtual void UpdateFieldsSet();
  /// Fills the field page from the selected record of the working copy.
  virtual void UpdateField();
  /// Binds the working copy (here: it stays unbound).
  virtual void SetDataSource();
  /// Owner -> form and working copy: the check boxes, the margins, the
  /// comparison and count options.
  virtual void ReadData();
  /// Working copy and form -> owner. The margins are read first: a margin
  /// that is not a decimal integer raises EConvertError before anything of
  /// the owner changes.
  virtual void SaveData();
  /// Owner's field records -> working copy, as unbound records that keep
  /// the data type, caption and visibility of the originals.
  virtual void ReadFields();

  // ---- Handlers bound by the form resource ----
  void FormCreate(TObject* sender);
  /// Commits when the form is closed with OK; a margin that is not a
  /// decimal integer is shown in a message box and keeps the form open.
  void FormCloseQuery(TObject* sender, bool& canClose);
  void cbFieldsClick(TObject* sender);
  /// A comparison box of the default page; its Tag is the data-type class.
  void cbcBooleanChange(TObject* sender);
  /// A count box of the default page; its Tag is the data-type class.
  void cbvBooleanChange(TObject* sender);
  void cbCaseSensitiveClick(TObject* sender);
  void cbCompareChange(TObject* sender);
  void cbCountChange(TObject* sender);
  void cbFieldCaseSensitiveClick(TObject* sender);

  // ---- Components of the form resource ----
  TComboBox* cbFields = nullptr;
  TPageControl* pcOptions = nullptr;
  TTabSheet* tsDefault = nullptr;
  TTabSheet* tsField = nullptr;
  TGroupBox* gbCompareOptions = nullptr;
  TComboBox* cbcBoolean = nullptr;
  TComboBox* cbcDateTime = nullptr;
  TComboBox* cbcFloat = nullptr;
  TComboBox* cbcInteger = nullptr;
  TComboBox* cbcString = nullptr;
  TCheckBox* cbCaseSensitive = nullptr;
  TGroupBox* gbCountOptions = nullptr;
  TComboBox* cbvBoolean = nullptr;
  TComboBox* cbvDateTime = nullptr;
  TComboBox* cbvFloat = nullptr;
  TComboBox* cbvInteger = nullptr;
  TComboBox* cbvString = nullptr;
  TGroupBox* gbFieldName = nullptr;
  TComboBox* cbCompare = nullptr;
  TLabel* laCompare = nullptr;
  TComboBox* cbCount = nullptr;
  TLabel* laCount = nullptr;
  TCheckBox* cbFieldCaseSensitive = nullptr;
  TLabel* laCaseSensitive = nullptr;
  TPanel* paBottom = nullptr;
  TCheckBox* cbAutoEditWidth = nullptr;
  TCheckBox* cbAutoSaveValues = nullptr;
  TMaskEdit* mdHorzMargin = nullptr;
  TMaskEdit* mdVertMargin = nullptr;
  TButton* bbOk = nullptr;
  TButton* bbCancel = nullptr;

 protected:
  /// The comparison and count boxes of the default page.
  virtual std::vector<TComboBox*> CompareBoxes() const;
  virtual std::vector<TComboBox*> CountBoxes() const;
  /// Whether record `index` of the working copy is offered in cbFields.
  virtual bool ListsRecord(int index) const;
  /// Replaces the working copy's records with copies of the owner's (inside
  /// one list update); `unbound` makes them calculated records keeping the
  /// originals' data type, caption and visibility.
  void CopyFieldRecords(bool unbound);
  /// The two margins as integers; EConvertError for a text that is not one.
  void ReadMargins(int& horz, int& vert) const;

  int FUpdateCount = 0;              // > 0 while the field page is filled
  TFieldsSet* FFieldsSet = nullptr;  // the working copy, owned
};

/// The setup form of the filter dialog: the record form unchanged (no memo
/// row, no way of searching).
class TfmSetupFilterDialog : public TfmSetupRecord {
  TBN_CLASS(TfmSetupFilterDialog, TfmSetupRecord)
 public:
  explicit TfmSetupFilterDialog(TComponent* owner) : TfmSetupRecord(owner) {}
};

}  // namespace tabulon
