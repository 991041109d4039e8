// TDataSet: the dataset contract of the layer. A dataset holds records in a
// compact store, shows them through an order (natural, or an index), moves a
// cursor over them, filters them through OnFilterRecord, keeps fields that
// read and write the current record, and notifies its data sources. Derived
// datasets decide where records come from: memory (TClientDataSet) or SQLite
// (TTable, TQuery).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/method.h"
#include "platform/db/db_types.h"
#include "platform/db/record_store.h"
#include "platform/variants/variant.h"

namespace tabulon {

class TDataSet;
class TDataSource;
class TField;
class TFieldDefs;
class TFields;
class TIndexDefs;
class TStrings;

/// An event of a dataset (BeforeOpen, AfterScroll, OnCalcFields, ...).
using TDataSetNotifyEvent = TEvent<TDataSet*>;
/// The record filter: set `accept` to false to hide the current record.
using TFilterRecordEvent = TEvent<TDataSet*, bool&>;

namespace detail {
/// One key column of an order: how two records compare on it.
struct TSortKey {
  int Column = -1;  // store column
  TFieldType Type = ftUnknown;
  bool Descending = false;
  bool CaseInsensitive = false;
};
}  // namespace detail

/// The abstract dataset.
class TDataSet : public TComponent {
  TBN_CLASS(TDataSet, TComponent)
 public:
  explicit TDataSet(TComponent* owner);
  /// Closes the dataset, tells its links it is going and frees its fields.
  ~TDataSet() override;

  // ---- Opening and state ----
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  bool GetActive() const { return state_ != dsInactive; }
  /// Opens or closes; while the dataset is being read from a form file the
  /// request waits for Loaded.
  void SetActive(bool value);
  TDataSetState GetState() const { return state_; }
  /// Whether records may be changed.
  virtual bool GetCanModify() const { return !readOnly_; }
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }

  // ---- Navigation ----
  void First();
  void Last();
  /// Moves to the next visible record (Eof when there is none).
  void Next() {
    // The common case of a plain scan stays inline: browsing, unfiltered,
    // nobody to notify.
    if (state_ == dsBrowse && !filtered_ && dataSources_.empty() && !BeforeScroll && !AfterScroll &&
        pos_ >= 0 && !eof_) {
      const std::vector<uint32_t>& v = indexed_ ? order_ : natural_;
      if (static_cast<size_t>(pos_) + 1 < v.size()) {
        activeSlot_ = v[static_cast<size_t>(++pos_)];
        bof_ = false;
        return;
      }
    }
    MoveBy(1);
  }
  void Prior() { MoveBy(-1); }
  /// Moves by `distance` visible records; returns how far it moved. A move
  /// clears the Bof or Eof flag of the side it leaves and sets the one it
  /// runs into; standing on that edge already, it does nothing.
  int MoveBy(int distance);
  bool GetBof() const { return bof_; }
  bool GetEof() const { return eof_; }
  bool IsEmpty() const;
  /// Position (1-based) of the current record in the current order with
  /// the filter off; -1 without a current record.
  int GetRecNo() const;
  /// Moves to record number `value` in O(1); out-of-range numbers are clamped.
  void SetRecNo(int value);
  /// Records in the current order (accepted records only while filtered).
  int GetRecordCount() const;

  // ---- Bookmarks ----
  /// A token for the current record (null without one, and while inserting).
  TBookmark GetBookmark() const;
  /// Makes the bookmarked record current; EDatabaseError "Record not found"
  /// when it no longer exists.
  void GotoBookmark(const TBookmark& bookmark);
  /// Releases a bookmark (sets it to null).
  void FreeBookmark(TBookmark& bookmark) const { bookmark = TBookmark(); }
  /// Whether the bookmarked record still exists.
  bool BookmarkValid(const TBookmark& bookmark) const;
  /// Compares two bookmarks by their records' positions (-1, 0, 1); a null
  /// bookmark orders after every other.
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;

  // ---- Notifications ----
  /// Holds back notifications to links until the matching EnableControls.
  void DisableControls();
  /// At the outermost call, sends one LayoutChanged or DataSetChanged when
  /// held-back events changed anything or the current record moved.
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }
  /// Re-reads the records. Records still there keep their bookmarks and the
  /// current record stays current; when it is gone, the nearest record that
  /// followed it (else preceded it) becomes current.
  void Refresh();
  /// Sends `event` to every data source (held back while controls are disabled).
  void DataEvent(TDataEvent event, intptr_t info);

  // ---- Fields ----
  TFieldDefs* GetFieldDefs() const { return fieldDefs_.get(); }
  TFields* GetFields() const { return fields_.get(); }
  /// Field number `index`; EDatabaseError "Field index out of range".
  TField* Fields(int index) const;
  int GetFieldCount() const;
  /// The field named `name` (case-insensitive), or null.
  TField* FindField(const std::string& name) const;
  /// The field named `name`; EDatabaseError "<dataset>: Field '<name>' not found".
  TField* FieldByName(const std::string& name) const;
  /// The names of all fields, in field order.
  void GetFieldNames(TStrings* list) const;
  /// The fields named in `names` (";"-separated), in that order; raises the
  /// field-not-found error for an unknown name.
  void GetFieldList(std::vector<TField*>& list, const std::string& names) const;
  /// The value of one field, or a variant array of the values of several.
  Variant GetFieldValues(const std::string& names) const;
  /// Writes one value, or the elements of a variant array into several fields.
  void SetFieldValues(const std::string& names, const Variant& values);
  /// True while the dataset has no persistent fields (its fields are made
  /// from the field definitions on open and freed on close).
  bool GetDefaultFields() const { return defaultFields_; }
  /// Re-reads the field definitions from the dataset's source.
  void UpdateFieldDefs();
  /// Changes whenever a field joins or leaves the dataset, so that callers
  /// holding field pointers can tell that they must look them up again.
  uint32_t GetFieldsGeneration() const { return fieldsGeneration_; }

  // ---- Editing ----
  void Append();
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  /// Appends a record with `values` in field order (Null for the rest) and posts it.
  void AppendRecord(const std::vector<Variant>& values);
  /// Ends a pending edit or insert, as before a move: posts it when a data
  /// field was changed, cancels it otherwise.
  void CheckBrowseMode();
  /// Whether a data field was changed since Edit, Insert or Append (values
  /// that OnNewRecord writes do not count).
  bool GetModified() const { return modified_; }

  // ---- Searching ----
  /// Makes the first visible record whose `keyFields` match `keyValues`
  /// current; loCaseInsensitive and loPartialKey apply to text fields.
  /// Returns false (and stays) when none matches.
  bool Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options);
  /// The `resultFields` values of the first visible record whose
  /// `keyFields` equal `keyValues`, without moving; Null when none.
  Variant Lookup(const std::string& keyFields, const Variant& keyValues,
                 const std::string& resultFields);

  // ---- Filtering ----
  bool GetFiltered() const { return filtered_; }
  /// Switches the filter; the dataset re-reads from its first record.
  void SetFiltered(bool value);
  const TFilterRecordEvent& GetOnFilterRecord() const { return onFilterRecord_; }
  /// Replaces the filter handler; it takes effect when records are next read.
  void SetOnFilterRecord(const TFilterRecordEvent& value);

  // ---- Index and keyed search (client dataset and table) ----
  TIndexDefs* GetIndexDefs() const { return indexDefs_.get(); }
  void SetIndexDefs(TIndexDefs* value);
  const std::string& GetIndexName() const { return indexName_; }
  /// Orders the records by the named index ("" for the natural order).
  void SetIndexName(const std::string& value);
  const std::string& GetIndexFieldNames() const { return indexFieldNames_; }
  /// Orders the records by fields "A;B" (an item may end in DESC or ASC).
  void SetIndexFieldNames(const std::string& value);
  /// Number of key fields of the current order.
  int IndexFieldCount() const { return static_cast<int>(sortKeys_.size()); }
  /// Key field `index` of the current order.
  TField* IndexFields(int index) const;
  /// Enters key-entry mode: field values written now form the search key.
  void SetKey();
  /// Like SetKey, keeping the previous key values.
  void EditKey();
  /// Moves to the first record equal to the key; false (and stays) when none.
  bool GotoKey();
  /// Moves to the first record at or after the key.
  void GotoNearest();
  /// Key-entry then GotoKey with `values` for the leading key fields.
  bool FindKey(const std::vector<Variant>& values);
  void FindNearest(const std::vector<Variant>& values);
  /// Called by the index definitions when they change.
  void IndexDefsChanged();
  /// Re-reads the index definitions from the dataset's source.
  virtual void UpdateIndexDefs() {}

  // ---- Calculated fields ----
  /// Whether calculated fields are recalculated while a field is edited;
  /// every record read is calculated either way.
  bool GetAutoCalcFields() const { return autoCalcFields_; }
  void SetAutoCalcFields(bool v) { autoCalcFields_ = v; }

  /// Bytes the records, the orders and the filter cache occupy.
  size_t MemoryBytes() const;

  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;

  // ---- For fields (not for applications) ----
  /// The store slot fields read and write now, or kNone.
  uint32_t ActiveSlot() const { return activeSlot_; }
  detail::TRecordStore& Store() { return store_; }
  const detail::TRecordStore& Store() const { return store_; }
  /// The value of calculated or lookup field `field` for the active record.
  Variant CalcValue(const TField* field);
  void SetCalcValue(const TField* field, const Variant& value);
  /// Called by a field when its value changed.
  void FieldChanged(TField* field);
  /// Called by fields joining or leaving the dataset.
  void AddField(TField* field);
  void RemoveField(TField* field);
  /// Called by TDataSource.
  void AttachDataSource(TDataSource* source);
  void DetachDataSource(TDataSource* source);
  const std::vector<TDataSource*>& DataSources() const { return dataSources_; }
  /// Throws SDataSetClosed when the dataset is not open.
  void CheckActive() const;
  void CheckInactive() const;
  void Notification(TComponent* component, TOperation operation) override;
  /// Opens the dataset when Active was read as true from a form file.
  void Loaded() override;

 protected:
  /// Persistent fields are written inside their dataset in form files.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;

  /// Fills the field definitions from the source (before fields are made).
  virtual void InternalInitFieldDefs() = 0;
  /// Loads records into the store after it was laid out (SQLite datasets);
  /// `keepRecords` tells whether the store still holds records from before.
  virtual void InternalOpen(bool& keepRecords) = 0;
  /// Releases the source after close.
  virtual void InternalClose() {}
  /// Whether the records stay in memory while the dataset is closed.
  virtual bool KeepsRecordsWhenClosed() const { return false; }
  /// Writes a posted record through to the source (a no-op in memory).
  virtual void InternalPost(uint32_t /*slot*/, bool /*inserted*/) {}
  virtual void InternalDelete(uint32_t /*slot*/) {}
  /// Re-reads the records for Refresh into new slots of the store, appended
  /// to `fresh` in natural order as soon as they are allocated (the records
  /// of before stay until Refresh matched them); false when nothing was
  /// re-read (memory).
  virtual bool InternalRefresh(std::vector<uint32_t>& fresh) {
    (void)fresh;
    return false;
  }

  /// Lays the store out from the field definitions (dropping its records).
  void LayoutStore();
  /// Appends a loaded record to the natural order (while opening).
  void AppendLoadedSlot(uint32_t slot) { natural_.push_back(slot); }
  /// Makes `slots` the natural order (while opening).
  void SetLoadedSlots(std::vector<uint32_t> slots) { natural_ = std::move(slots); }
  /// Drops every record and the current position.
  void ClearRecords();
  /// After the records were replaced while open: re-sorts, goes to the
  /// first record and tells the links.
  void RecordsReplaced();
  /// Number of records in natural order.
  size_t NaturalCount() const { return natural_.size(); }
  /// Slots in natural (insertion) order.
  const std::vector<uint32_t>& NaturalOrder() const { return natural_; }
  /// Column of the definition named `name`, or -1.
  int ColumnOfDef(const std::string& name) const;

  bool readOnly_ = false;

 private:
  friend class TField;
  friend class TFields;
  friend class TRecordWindow;
  struct TDisabledState;

  /// Starts inserting a new record at the end (Append) or before the current one (Insert).
  void BeginInsert(bool atEnd);
  void DoOpen();
  void DoClose();
  void CreateFields();
  void BindFields();
  void DestroyDefaultFields();
  void SetState(TDataSetState s);
  void StateChanged();

  // Order and cursor.
  const std::vector<uint32_t>& View() const { return indexed_ ? order_ : natural_; }
  std::vector<uint32_t>& MutableView() { return indexed_ ? order_ : natural_; }
  void RebuildOrder();
  void ResolveSortKeys();
  int CompareSlots(uint32_t a, uint32_t b) const;
  int CompareSlotsOn(uint32_t a, uint32_t b, int keyCount, bool partialLast) const;
  size_t InsertPosition(uint32_t slot) const;
  void PositionOf(uint32_t slot, int& pos) const;
  void InvalidatePositions() {
    positionsValid_ = false;
    firstKeysValid_ = false;
  }
  bool FirstKeyCacheable() const;
  int64_t FirstKeyOf(uint32_t slot) const;
  /// Builds the first-key cache of the current order when it is stale.
  void EnsureFirstKeys();
  /// The value of `field` at view position `pos` from the first-key cache
  /// (built on first use), when `field` is the order's first key and the
  /// cache can hold it; false otherwise.
  bool FirstKeyAt(int pos, const TField* field, int64_t& value, bool& isNull);
  bool Accepts(int pos);
  int NextVisible(int pos, int step);
  void SetCursor(int pos);
  void MoveTo(int pos, bool notify);
  void ResetFilterCache();
  void AfterReorder(uint32_t keep);
  /// Store columns that identify a record across a Refresh: the primary
  /// index, else a unique one, else all columns.
  std::vector<int> IdentityColumns() const;
  /// Replaces the records by `fresh`, keeping the slot of each record that
  /// is matched by its identity (its bookmarks stay valid).
  void MergeRefreshed(std::vector<uint32_t>& fresh);
  void RunCalcFields();

  // Search helpers.
  int FindMatch(const std::vector<TField*>& fields, const std::vector<Variant>& values,
                TLocateOptions options);
  bool KeyedSeek(bool exact);

  TDataSetState state_ = dsInactive;
  TDataSetState savedState_ = dsInactive;  // state before a temporary state
  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::unique_ptr<TFields> fields_;
  std::unique_ptr<TIndexDefs> indexDefs_;
  std::vector<TDataSource*> dataSources_;  // not owned
  bool defaultFields_ = true;
  uint32_t fieldsGeneration_ = 0;  // see GetFieldsGeneration
  bool streamedActive_ = false;
  bool autoCalcFields_ = true;
  bool hasCalcFields_ = false;
  bool opening_ = false;

  detail::TRecordStore store_;
  std::vector<uint32_t> natural_;  // slots in natural (insertion) order
  std::vector<uint32_t> order_;    // slots in index order (when indexed_)
  bool indexed_ = false;
  std::vector<detail::TSortKey> sortKeys_;
  // The first key of each record in index order, for integer-like first
  // keys: keyed search bisects this array instead of the records.
  std::vector<int64_t> firstKeys_;
  bool firstKeysValid_ = false;
  std::vector<TField*> sortFields_;
  std::string indexName_, indexFieldNames_;
  mutable std::vector<uint32_t> positions_;  // slot -> view position
  mutable bool positionsValid_ = false;

  int pos_ = -1;  // current view position, -1 when none
  bool bof_ = true, eof_ = true;
  uint32_t activeSlot_ = detail::TRecordStore::kNone;
  uint32_t editSlot_ = detail::TRecordStore::kNone;  // edit or insert buffer
  uint32_t keySlot_ = detail::TRecordStore::kNone;   // key buffer of SetKey
  int insertPos_ = -1;                               // where Insert puts the record
  bool appending_ = false;                           // the insert is an Append
  bool modified_ = false;                            // the edit or insert changed a data field

  bool filtered_ = false;
  TFilterRecordEvent onFilterRecord_;
  std::vector<uint8_t> accept_;  // per view position: 0 unknown, 1 accepted, 2 rejected

  // Calculated and lookup values of the active record.
  std::vector<Variant> calcValues_;
  uint32_t calcSlot_ = detail::TRecordStore::kNone;
  bool calculating_ = false;

  int disableCount_ = 0;
  bool pendingChange_ = false;
  bool pendingLayout_ = false;
  uint32_t disabledSlot_ = detail::TRecordStore::kNone;
};

}  // namespace tabulon
