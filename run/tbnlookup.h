// Unit TbnLookup: the lookup edit. Its value is a key (KeyValue) taken from
// a list dataset reached through ListSource; its text shows the list field
// of the same record. Typing searches the list field (by the dataset's
// Locate, or record by record for calculated and lookup fields), the arrows
// step through the list dataset, and the button drops a data list
// (TQXPopupDataList) to pick a row from.
//
// The key is authoritative when the program sets it or a row is picked: the
// text becomes the list field's text of that record. The text is
// authoritative when the user types or the list fields are resolved again:
// it is searched and the key follows it (Null when nothing matches, the
// text staying as typed). Errors while locating or searching count as not
// found.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/datasource.h"
#include "platform/dbctrls/dblookup.h"
#include "run/tbnctrls.h"

namespace tabulon {

class TCustomQXLookupEdit;
class TField;

/// The lookup edit's link to its list source.
class TListSourceLink : public TDataLink {
  TBN_CLASS(TListSourceLink, TDataLink)
 public:
  explicit TListSourceLink(TCustomQXLookupEdit* edit) : edit_(edit) {}
  /// Forgets the edit (before it is destroyed).
  void Detach() { edit_ = nullptr; }

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void LayoutChanged() override;

 private:
  TCustomQXLookupEdit* edit_;  // not owned
};

/// The drop-down data list of the lookup edit.
class TQXPopupDataList : public TPopupDataList {
  TBN_CLASS(TQXPopupDataList, TPopupDataList)
 public:
  explicit TQXPopupDataList(TComponent* owner) : TPopupDataList(owner) {}
};

/// An edit whose value is a key of a list dataset.
class TCustomQXLookupEdit : public TCustomLookupEdit {
  TBN_CLASS(TCustomQXLookupEdit, TCustomLookupEdit)
 public:
  explicit TCustomQXLookupEdit(TComponent* owner);
  ~TCustomQXLookupEdit() override;

  const Variant& GetKeyValue() const { return keyValue_; }
  /// Stores a different key (incomparable values differ) and shows its record.
  void SetKeyValue(const Variant& v);
  /// The list dataset while the link is active, else null.
  TDataSet* ListDataSet() const;
  TField* GetKeyFieldObject() const { return keyField_; }
  TField* GetListFieldObject() const { return listField_; }
  const std::vector<TField*>& GetListFieldObjects() const { return listFields_; }

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  friend class TListSourceLink;
  const std::string& GetKeyFieldName() const { return keyFieldName_; }
  void SetKeyFieldName(const std::string& v);
  const std::string& GetListFieldName() const { return listFieldName_; }
  void SetListFieldName(const std::string& v);
  int GetListFieldIndex() const { return listFieldIndex_; }
  /// Takes effect at the next field resolution.
  void SetListFieldIndex(int v) { listFieldIndex_ = v; }
  TDataSource* GetListSource() const { return listLink_->GetDataSource(); }
  void SetListSource(TDataSource* v);

  virtual void KeyValueChanged() {}
  virtual void ListLinkDataChanged() {}
  /// Moves the list dataset to the record of KeyValue; false when there is none.
  virtual bool LocateKey();
  /// SetKeyValue, repaint, then OnClick (also when the key did not change).
  virtual void SelectKeyValue(const Variant& v);
  /// Resolves the key and list fields.
  virtual void UpdateListFields();

  void WMGetDlgCode(TMessage& msg) override;
  void WMSetFocus(TMessage& msg) override;
  void WMKillFocus(TMessage& msg) override;
  void CMEnabledChanged(TMessage& msg) override;

 private:
  std::unique_ptr<TListSourceLink> listLink_;
  std::string keyFieldName_;
  std::string listFieldName_;
  int listFieldIndex_ = 0;
  TField* keyField_ = nullptr;   // in the list dataset, not owned
  TField* listField_ = nullptr;  // the list field shown and searched, not owned
  std::vector<TField*> listFields_;
  Variant keyValue_ = Null;
};

/// The lookup edit as a component.
class TQXLookupEdit : public TCustomQXLookupEdit {
  TBN_CLASS(TQXLookupEdit, TCustomQXLookupEdit)
 public:
  explicit TQXLookupEdit(TComponent* owner);

  /// The drop-down data list.
  TQXPopupDataList* GetDataList() { return static_cast<TQXPopupDataList*>(GetPopup()); }
  /// Whether a row picked in the list is being applied.
  bool GetSelectingFromList() const { return selecting_; }

  using TCustomPopupEdit::GetDropDownAlign;
  using TCustomPopupEdit::SetDropDownAlign;
  using TCustomQXLookupEdit::GetKeyFieldName;
  using TCustomQXLookupEdit::GetListFieldIndex;
  using TCustomQXLookupEdit::GetListFieldName;
  using TCustomQXLookupEdit::GetListSource;
  using TCustomQXLookupEdit::SetKeyFieldName;
  using TCustomQXLookupEdit::SetListFieldIndex;
  using TCustomQXLookupEdit::SetListFieldName;
  using TCustomQXLookupEdit::SetListSource;
  using TCustomQXMaskEdit::GetAlignment;
  using TCustomQXMaskEdit::GetDirectInput;
  using TCustomQXMaskEdit::GetReadOnly;
  using TCustomQXMaskEdit::SetAlignment;
  using TCustomQXMaskEdit::SetDirectInput;
  using TCustomQXMaskEdit::SetReadOnly;
  TLocateOption GetLocate() const { return locate_; }
  void SetLocate(TLocateOption v) { locate_ = v; }
  int GetDropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int v) { dropDownRows_ = v; }

  /// Case-insensitive search for a list field text starting with `s`.
  bool PartialSearching(const std::string& s);
  /// Case-insensitive search for a list field text equal to `s`.
  bool ExactSearching(const std::string& s);

 protected:
  TSearchState GetSearchState() const override;
  bool DoSearch(bool exact) override;
  void KeyValueChanged() override;
  void UpdateListFields() override;
  /// Gives the popup the key of the list dataset's current record.
  void SelectListCurrent();
  void CreatePopup(TWinControl*& popup) override;
  void DoAfterCloseUp(bool accept) override;
  void DoBeforeShow() override;
  bool DropDownUseRightToLeftAlignment() const override { return false; }
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void CMCtl3DChanged(TMessage& msg) override;

 private:
  bool selecting_ = false;
  bool searchFound_ = false;  // a search left the list dataset on the new key's record
  int dropDownRows_ = 7;
  TLocateOption locate_ = loAuto;
};

namespace lookup_detail {
/// How a record-by-record scan matches.
enum class TScanMode { Exact, WholeText, Prefix };
/// Scans `dataSet` from its first record for a record whose `field` matches
/// `value`; leaves it current and returns true, or false at the end.
bool ScanDataSet(TDataSet* dataSet, TField* field, const Variant& value, TScanMode mode);
}  // namespace lookup_detail

}  // namespace tabulon
