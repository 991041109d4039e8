// The data-aware lookup list: a control whose value is a key taken from a
// list dataset (reached through a data source, ListSource) while it shows
// other fields (the list fields) of the same records.
//
// TDBLookupControl holds the list link, resolves KeyFieldName and
// ListFieldName against the list dataset (the layer's field-not-found error,
// naming the control, when one is missing) and keeps KeyValue.
// TDBLookupListBox shows RowCount records of the list dataset around its
// current record, several list fields as columns separated by lines, marks
// the record whose key is KeyValue, and lets the keys, a click and the
// scroll bar choose another. Like the data grid it never walks the dataset:
// a paint reads exactly the rows of its record window (GetPaintReads).
// TPopupDataList is the same list in a top-level popup window that never
// takes the focus, for drop-down lookup edits.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/customcontrol.h"
#include "platform/db/datasource.h"
#include "platform/db/record_window.h"
#include "platform/variants/variant.h"

namespace tabulon {

class TDBLookupControl;
class TField;

/// The field of `dataSet` named `fieldName`; raises the layer's
/// field-not-found error, prefixed by the name of `control`, when it is missing.
TField* GetFieldProperty(TDataSet* dataSet, const TComponent* control,
                         const std::string& fieldName);

/// Whether two key values are equal; values that cannot be compared differ.
bool SameKeyValue(const Variant& a, const Variant& b);

/// A lookup control's view of its list source.
class TLookupListLink : public TDataLink {
  TBN_CLASS(TLookupListLink, TDataLink)
 public:
  explicit TLookupListLink(TDBLookupControl* control) : control_(control) {}

 protected:
  void ActiveChanged() override;
  void LayoutChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int distance) override;

 private:
  TDBLookupControl* control_;
};

/// A control whose value is a key of a list dataset.
class TDBLookupControl : public TCustomControl {
  TBN_CLASS(TDBLookupControl, TCustomControl)
 public:
  explicit TDBLookupControl(TComponent* owner);
  ~TDBLookupControl() override;

  TDataSource* GetListSource() const { return listLink_.GetDataSource(); }
  void SetListSource(TDataSource* v);
  const std::string& GetKeyFieldName() const { return keyFieldName_; }
  /// Re-resolves the fields.
  void SetKeyFieldName(const std::string& v);
  /// Names of the list fields, separated by semicolons.
  const std::string& GetListFieldName() const { return listFieldName_; }
  void SetListFieldName(const std::string& v);
  /// Which list field is the one searched and shown first (out of range: 0).
  int GetListFieldIndex() const { return listFieldIndex_; }
  void SetListFieldIndex(int v);
  const Variant& GetKeyValue() const { return keyValue_; }
  /// Stores a different key and shows its record.
  void SetKeyValue(const Variant& v);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }

  /// Whether the link is active and the key field resolved.
  bool GetListActive() const { return listActive_; }
  TField* GetKeyField() const { return keyField_; }
  TField* GetListField() const { return listField_; }
  const std::vector<TField*>& GetListFields() const { return listFields_; }
  /// The list dataset while the link is active, else null.
  TDataSet* ListDataSet() const;
  /// Moves the list dataset to the record whose key is KeyValue; false when
  /// there is none (or locating fails).
  bool LocateKey();

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  friend class TLookupListLink;
  /// Resolves the key and list fields (field-not-found errors propagate).
  virtual void UpdateListFields();
  virtual void ListLinkActiveChanged();
  virtual void ListLinkDataChanged() {}
  virtual void ListLinkScrolled(int distance) { (void)distance; }
  virtual void KeyValueChanged() {}
  /// SetKeyValue, then OnClick (also when the key did not change).
  void SelectKeyValue(const Variant& v);

 private:
  TLookupListLink listLink_;
  std::string keyFieldName_;
  std::string listFieldName_;
  int listFieldIndex_ = 0;
  Variant keyValue_ = Null;
  bool readOnly_ = false;
  bool listActive_ = false;
  TField* keyField_ = nullptr;   // in the list dataset, not owned
  TField* listField_ = nullptr;  // the list field shown first, not owned
  std::vector<TField*> listFields_;
};

/// A list of the records of a lookup control's list dataset.
class TDBLookupListBox : public TDBLookupControl {
  TBN_CLASS(TDBLookupListBox, TDBLookupControl)
 public:
  explicit TDBLookupListBox(TComponent* owner);

  /// How many records show; setting it sizes the control to them.
  int GetRowCount() const { return rowCount_; }
  void SetRowCount(int v);
  /// The height of a row: the font's line height plus 2.
  int GetRowHeight() const;
  /// Rows shown now (fewer than RowCount when the dataset has fewer records).
  int GetRowsShown() const { return window_.GetCount(); }
  /// The row of the record whose key is KeyValue, -1 when none shows.
  int GetSelectedRow() const { return selectedRow_; }
  /// The client rectangle of row `row`.
  TRect RowRect(int row) const;
  /// The row under client point `p`, -1 for none.
  int RowAtPos(TPoint p) const;
  /// The text row `row` shows in list field `col`.
  std::string GetCellText(int row, int col);
  /// Records read by the last paint.
  int GetPaintReads() const { return paintReads_; }
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  /// Makes the record of row `row` the chosen one, as a click does.
  void SelectRow(int row);

 protected:
  void UpdateListFields() override;
  void ListLinkDataChanged() override;
  void ListLinkScrolled(int distance) override;
  void KeyValueChanged() override;
  void Paint() override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMMouseMove(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;

 private:
  void FillWindow(int activeRow);
  /// Whether the list dataset stands on a record whose key is KeyValue
  /// (the edit driving the list often has just found it): no need to locate.
  bool OnKeyRecord() const;
  void UpdateSelection();
  void SizeToRows();
  /// Moves the list dataset by `distance` and chooses the record it lands on.
  void Step(int distance);
  std::vector<int> ColumnWidths() const;

  int rowCount_ = 7;
  int activeRow_ = 0;     // the row the current record takes
  int selectedRow_ = -1;  // the row whose key is KeyValue
  int paintReads_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  TRecordWindow window_;
};

/// The lookup list in a top-level popup window that never takes the focus.
class TPopupDataList : public TDBLookupListBox {
  TBN_CLASS(TPopupDataList, TDBLookupListBox)
 public:
  explicit TPopupDataList(TComponent* owner);
  bool CanFocus() const override { return false; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

}  // namespace tabulon
