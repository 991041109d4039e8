// Unit Tbndlg: the find and filter dialogs. TDBFindDialog shows a find panel
// in the modal form TfmFind and, when the user confirms with OK or Next,
// moves the dataset to the first or next matching record; TDBFilterDialog
// shows a filter panel in TfmFilter, with a "Filtered" check box, and
// applies or removes the filter when the user confirms. Their panels
// (TDBFindComponent, TDBFilterComponent) size the form around themselves
// instead of sizing themselves. The client-dataset and table variants
// differ only in the index class their panel makes.
#pragma once

#include <string>

#include "platform/forms/checkbox.h"
#include "run/tbnbdeset.h"
#include "run/tbnclientset.h"
#include "run/tbnfset.h"

namespace tabulon {

/// The find panel of a find dialog.
class TDBFindComponent : public TDBCustomFindPanel {
  TBN_CLASS(TDBFindComponent, TDBCustomFindPanel)
 public:
  /// Keeps the owner when it is a dialog component, fills the parent's
  /// client area and does not search by itself (UpdateState usNone; the
  /// dialog searches after its form closed). A dialog's panel shows the
  /// not-found message box (ShowBox).
  explicit TDBFindComponent(TComponent* owner);
  ~TDBFindComponent() override;

  TFieldsSet* GetOwnerSet() const { return FOwnerSet; }
  /// Refits the open form (the owner's form's Changed); the panel's own
  /// pass while it handles its own window-position change.
  void PaintComponent() override;
  /// The owner's component state; loading without an owner, so that an
  /// unowned embedded panel never lays itself out.
  TComponentState GetComponentState() const override;

 protected:
  /// Resize the owner's open form around content of the given size.
  void SetHeight(int value) override;
  void SetWidth(int value) override;
  // The parent's font, colour, 3-D look and cursor do not reach the panel.
  void CMParentFontChanged(TMessage&) override {}
  void CMParentColorChanged(TMessage&) override {}
  void CMCtl3DChanged(TMessage&) override {}
  void CMCursorChanged(TMessage&) override {}

  TFieldsSet* FOwnerSet = nullptr;
};

/// The find panel of a client-dataset find dialog.
class TQXClientFindComponent : public TDBFindComponent {
  TBN_CLASS(TQXClientFindComponent, TDBFindComponent)
 public:
  using TDBFindComponent::TDBFindComponent;

 protected:
  TQXFindIndex* CreateFindIndex() override;
};

/// The find panel of a table find dialog.
class TBDEFindComponent : public TDBFindComponent {
  TBN_CLASS(TBDEFindComponent, TDBFindComponent)
 public:
  using TDBFindComponent::TDBFindComponent;

 protected:
  TQXFindIndex* CreateFindIndex() override;
};

/// The filter panel of a filter dialog.
class TDBFilterComponent : public TDBCustomFilterPanel {
  TBN_CLASS(TDBFilterComponent, TDBCustomFilterPanel)
 public:
  /// Keeps the owner when it is a dialog component and fills the parent's
  /// client area.
  explicit TDBFilterComponent(TComponent* owner);
  ~TDBFilterComponent() override;

  TFieldsSet* GetOwnerSet() const { return FOwnerSet; }
  void PaintComponent() override;
  TComponentState GetComponentState() const override;
  /// Ends an update bracket without applying the values: for a showing
  /// that was cancelled and changed nothing.
  void EndUpdateUnchanged() { --UpdateCount; }

 protected:
  void SetHeight(int value) override;
  void SetWidth(int value) override;
  void CMParentFontChanged(TMessage&) override {}
  void CMParentColorChanged(TMessage&) override {}
  void CMCtl3DChanged(TMessage&) override {}
  void CMCursorChanged(TMessage&) override {}

  TFieldsSet* FOwnerSet = nullptr;
};

/// The find dialog.
class TDBFindDialog : public TFieldsSet {
  TBN_CLASS(TDBFindDialog, TFieldsSet)
 public:
  /// The dialog; its panel (made on first use) has ShowBox on, so that a
  /// search that finds nothing says so.
  explicit TDBFindDialog(TComponent* owner) : TFieldsSet(owner) {}

  /// Shows the form; after OK searches from the start (or the key), after
  /// Next from the record after the current one. Whether the user confirmed.
  bool Execute() override;
  /// Shows the setup form (CreateSetupForm) inside an update bracket.
  bool ShowSetupForm() override;
  const TClass* GetFieldsSetClass() const override { return TDBFindDialog::StaticClass(); }

  TDBFindComponent* GetFindPanel() const { return static_cast<TDBFindComponent*>(GetPanel()); }
  TFindOptions GetFindOptions() const { return GetFindPanel()->GetFindOptions(); }
  void SetFindOptions(TFindOptions value) { GetFindPanel()->SetFindOptions(value); }
  TDataSetIndex* GetDataSetIndex() const { return GetFindPanel()->GetDataSetIndex(); }
  /// Copies the settings of `value` (the dialog keeps its own object).
  void SetDataSetIndex(TDataSetIndex* value) { GetFindPanel()->SetDataSetIndex(value); }
  bool GetShowBox() const { return GetFindPanel()->GetShowBox(); }
  void SetShowBox(bool value) { GetFindPanel()->SetShowBox(value); }
  TFindMessages* GetMessages() const { return GetFindPanel()->GetMessages(); }
  /// Copies the texts of `value` (the dialog keeps its own object).
  void SetMessages(TFindMessages* value) { GetFindPanel()->SetMessages(value); }
  bool GetRestart() const { return GetFindPanel()->GetRestart(); }
  void SetRestart(bool value) { GetFindPanel()->SetRestart(value); }
  /// Runs one search with the applied values.
  bool Locate() { return GetFindPanel()->Locate(); }

 protected:
  TPanelFieldsSet* CreatePanelFieldsSet() override;
  /// The setup form, owned by the dialog: the registered TfmSetupFindDialog.
  virtual TCustomForm* CreateSetupForm();
};

/// The find dialog over a client dataset.
class TQXClientFindDialog : public TDBFindDialog {
  TBN_CLASS(TQXClientFindDialog, TDBFindDialog)
 public:
  using TDBFindDialog::TDBFindDialog;
  const TClass* GetFieldsSetClass() const override { return TQXClientFindDialog::StaticClass(); }

 protected:
  TPanelFieldsSet* CreatePanelFieldsSet() override;
};

/// The find dialog over a table.
class TQXBdeFindDialog : public TDBFindDialog {
  TBN_CLASS(TQXBdeFindDialog, TDBFindDialog)
 public:
  using TDBFindDialog::TDBFindDialog;
  const TClass* GetFieldsSetClass() const override { return TQXBdeFindDialog::StaticClass(); }

 protected:
  TPanelFieldsSet* CreatePanelFieldsSet() override;
};

/// The filter dialog.
class TDBFilterDialog : public TFieldsSet {
  TBN_CLASS(TDBFilterDialog, TFieldsSet)
 public:
  explicit TDBFilterDialog(TComponent* owner) : TFieldsSet(owner) {}

  /// Shows the form; OK has written the check box into Filtered and the
  /// closing bracket applies the values. Whether the user confirmed.
  bool Execute() override;
  /// Shows the setup form (CreateSetupForm) inside an update bracket.
  bool ShowSetupForm() override;
  const TClass* GetFieldsSetClass() const override { return TDBFilterDialog::StaticClass(); }

  TDBFilterComponent* GetFilterPanel() const {
    return static_cast<TDBFilterComponent*>(GetPanel());
  }
  bool GetFiltered() const { return GetFilterPanel()->GetFiltered(); }
  void SetFiltered(bool value) { GetFilterPanel()->SetFiltered(value); }
  TFilterRecordEvent GetOnFilterRecord() const { return GetFilterPanel()->OnFilterRecord; }
  void SetOnFilterRecord(TFilterRecordEvent value) { GetFilterPanel()->OnFilterRecord = value; }

 protected:
  TPanelFieldsSet* CreatePanelFieldsSet() override;
  /// The setup form, owned by the dialog: the registered TfmSetupFilterDialog.
  virtual TCustomForm* CreateSetupForm();

 private:
  bool setupConfirmed_ = false;  // a setup form was confirmed during this showing
};

/// The form of the find dialog.
class TfmFind : public TfmFieldsSet {
  TBN_CLASS(TfmFind, TfmFieldsSet)
 public:
  explicit TfmFind(TComponent* owner) : TfmFieldsSet(owner) {}
  /// The base's buttons; then the top bar only with Clear or Setup, and
  /// Next (right after OK) only with soNext.
  void SetOptions() override;
  /// OK: the search starts again.
  void bbOkClick(TObject* sender);
  /// Next: the search goes on after the current record.
  void bbNextClick(TObject* sender);
};

/// The form of the filter dialog.
class TfmFilter : public TfmFieldsSet {
  TBN_CLASS(TfmFilter, TfmFieldsSet)
 public:
  explicit TfmFilter(TComponent* owner) : TfmFieldsSet(owner) {}
  /// The base's buttons; then the check box only with soFilter and the top
  /// bar only with Clear, Setup or the check box.
  void SetOptions() override;
  /// The base's activation; then the check box shows the dialog's Filtered.
  void FormActivate(TObject* sender) override;
  /// The base's close; then, closed with OK over a dataset, Filtered := the check box.
  void FormCloseQuery(TObject* sender, bool& canClose) override;

  TPanel* paFiltered = nullptr;
  TCheckBox* cbFiltered = nullptr;
};

}  // namespace tabulon
