// TFieldsList: the collection of a panel's field records. It binds records
// to the dataset's fields (or rebuilds them from the fields in
// default-fields mode), keeps the field map (the records that take part in
// matching, in matching order) and turns the change flags its records and
// options raise into at most one re-layout and one map rebuild per update.
#pragma once

#include <vector>

#include "platform/core/collection.h"
#include "run/tbnset/record.h"

namespace tabulon {

class TFieldsList;

/// Design-time observer of a field list; the fields editor derives from it.
class TFieldsListDesigner {
 public:
  /// Attaches itself as `list`'s designer (replacing and freeing a previous one).
  explicit TFieldsListDesigner(TFieldsList* list);
  /// Detaches itself from its list.
  virtual ~TFieldsListDesigner();
  TFieldsListDesigner(const TFieldsListDesigner&) = delete;
  TFieldsListDesigner& operator=(const TFieldsListDesigner&) = delete;
  /// Told after a record's field name was stored; does nothing here.
  virtual void DataEvent() {}
  TFieldsList* GetFieldsList() const { return list_; }

 private:
  friend class TFieldsList;
  TFieldsList* list_;
};

/// The field records of a fields panel.
class TFieldsList : public TCollection {
  TBN_CLASS(TFieldsList, TCollection)
 public:
  /// A list of `itemClass` records (TFieldRecord or a descendant) for `panel`.
  TFieldsList(TFieldsSetModel* panel, const TClass* itemClass);
  /// Frees the map, an attached designer, then the records.
  ~TFieldsList() override;

  /// Appends a record of the item class.
  TFieldRecord* Add() { return static_cast<TFieldRecord*>(TCollection::Add()); }
  /// Record `index`; EListError when out of range.
  TFieldRecord* GetItem(int index) const {
    return static_cast<TFieldRecord*>(TCollection::GetItem(index));
  }
  /// Assigns `value` into record `index`.
  void SetItem(int index, TFieldRecord* value) { TCollection::SetItem(index, value); }

  bool GetDefaultFields() const { return defaultFields_; }
  /// Stores a changed flag; switching it on rebuilds from the dataset.
  void SetDefaultFields(bool value);
  /// Rebuilds the field map (copying edit values first under lcApply).
  void SetFieldMap();
  /// Binds the records to the dataset's fields; in default-fields mode
  /// recreates them from the fields (asking the panel to validate each).
  void SetFields();
  /// Reports a change of the whole list (runs Update unless inside BeginUpdate).
  void NotifyChanged() { Changed(); }

  TFieldsSetModel* GetPanel() const { return panel_; }
  /// The panel's component.
  TPersistent* GetOwner() const override;
  /// Record indexes taking part in matching, in matching order.
  const std::vector<int>& GetFieldMap() const { return fieldMap_; }
  TFieldsListDesigner* GetDesigner() const { return designer_; }

  /// Pending change flags.
  TFieldsListChanges Changes;
  /// Changes with every change of a record, an option or the map, so that
  /// what matching resolved from them is known to be current.
  uint64_t Generation() const { return generation_; }
  /// Records that records, options or bindings changed.
  void Touch() { ++generation_; }

 protected:
  /// Performs the pending re-layout and map rebuild (nothing while loading).
  void Update(TCollectionItem* item) override;

 private:
  friend class TFieldsListDesigner;
  friend class TFieldRecord;
  /// Keeps the map on the same records after the record at `from` moved to
  /// `to`, in matching order.
  void MoveInFieldMap(int from, int to);

  TFieldsSetModel* panel_;
  bool defaultFields_ = true;
  std::vector<int> fieldMap_;
  uint64_t generation_ = 0;
  TFieldsListDesigner* designer_ = nullptr;
};

}  // namespace tabulon
