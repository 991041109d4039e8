// The find panel: a fields panel that moves the dataset of its data source
// to the first or the next record matching the entered values. When the
// entered records, in field-map order, cover a leading part of the dataset's
// sort order (described by its index object, a TQXFindIndex), it seeks that
// key and scans only while records still carry it; otherwise it scans record
// by record. Every candidate is confirmed by CheckRecord. When nothing is
// found the dataset returns to where it started and, on request, a message
// box says so.
#pragma once

#include <memory>
#include <string>

#include "platform/core/persistent.h"
#include "run/tbnindex/find_index.h"
#include "run/tbnset/panel.h"

namespace tabulon {

class TDBCustomFindPanel;

/// The texts of the "not found" message boxes; empty stands for the
/// package's own texts (25109, 25110).
class TFindMessages : public TPersistent {
  TBN_CLASS(TFindMessages, TPersistent)
 public:
  TFindMessages() = default;
  void Assign(TPersistent* source) override;
  const std::string& GetRecordNotFound() const { return FRecordNotFound; }
  void SetRecordNotFound(const std::string& value) { FRecordNotFound = value; }
  const std::string& GetNextRecordNotFound() const { return FNextRecordNotFound; }
  void SetNextRecordNotFound(const std::string& value) { FNextRecordNotFound = value; }

 private:
  std::string FRecordNotFound;
  std::string FNextRecordNotFound;
};

/// A field record of a find panel. While the panel searches through an
/// index (foIndexExact, foIndexNearest), a record of an index field is
/// "index-bound": it compares exactly, takes one value and follows the
/// index's case rule, whatever was assigned; assigning anything else to it
/// leaves index search (the panel switches to foFast).
class TFindRecord : public TFieldRecord {
  TBN_CLASS(TFindRecord, TFieldRecord)
 public:
  using TFieldRecord::TFieldRecord;

  void SetCompare(TCompareType value) override;
  TCompareType GetCompare() const override;
  void SetCount(TCountType value) override;
  TCountType GetCount() const override;
  void SetCaseInsensitive(bool value) override;
  bool GetCaseInsensitive() const override;
  TCompareType DefaultCompare() const override;
  TCountType DefaultCount() const override;
  bool DefaultCaseInsensitive() const override;

  /// The find panel owning the record, or null.
  TDBCustomFindPanel* GetFindPanel() const;
  /// Whether the record is bound to the index the panel searches through.
  bool IndexBound() const;

 private:
  /// The case rule of the record's index field.
  bool IndexCaseInsensitive() const;
};

/// The find panel with its behaviour; TDBFindPanel publishes it.
class TDBCustomFindPanel : public TPanelFieldsSet {
  TBN_CLASS(TDBCustomFindPanel, TPanelFieldsSet)
 public:
  /// The panel with a TFindRecord list; `styleFactory` as for the base.
  explicit TDBCustomFindPanel(TComponent* owner, TStyleOptionsFactory styleFactory = nullptr);
  ~TDBCustomFindPanel() override;

  // ---- Overrides of the fields panel ----
  void UpdateDataSet() override;
  void DataSetChanged() override;
  void LayoutChanged() override;
  void ActiveChanged() override;
  int GetIndexFieldNo(TFieldRecord* record) override;
  void SetLocaleID(int value) override;
  void ValuesChanged() override;
  TCountType CountState(TFieldRecord* record) override;

  /// The index object of the panel. Made on first use by CreateFindIndex,
  /// so that the override of the most derived class makes it (a call from
  /// a constructor would reach only the class being constructed).
  TQXFindIndex* GetFindIndex();
  /// The index object as the published sub-object.
  TDataSetIndex* GetDataSetIndex() { return GetFindIndex(); }
  void SetDataSetIndex(TDataSetIndex* value) { GetFindIndex()->Assign(value); }

  // ---- Searching ----
  /// Runs one search; whether a record was found.
  bool Locate();
  /// Seeks `keyValues` through the index: exactly (the result of the seek)
  /// or to the nearest record (always true).
  bool FindKey(const Variant& keyValues, bool exact);
  /// Seeks the key made of field-map entries 0..pos.
  void GotoKey(int pos);
  /// Where the current record stands against the entered key over map
  /// entries 0..pos.
  TFieldCompareOption IndexCompare(int pos);
  /// How much of the index the entered values can use: entries 0..a are
  /// decided by the index; entry b (when above a) is positioned by it but
  /// decided by CheckRecord.
  void IndexFieldCheck(int& a, int& b);
  /// The starting move of a search for a key over entries 0..pos.
  void GotoPosition(int pos);
  /// Renews every record's IndexFieldNo and with it the field map.
  void UpdateFieldsIndexNo();

  // ---- Settings ----
  TFindOptions GetFindOptions() const { return FFindOptions; }
  /// Stores a changed option; crossing between the index options and
  /// foFast/foNormal lays the rows out again.
  void SetFindOptions(TFindOptions value);
  bool GetRestart() const { return FRestart; }
  void SetRestart(bool value) { FRestart = value; }
  bool GetShowBox() const { return FShowBox; }
  void SetShowBox(bool value) { FShowBox = value; }
  TFindMessages* GetMessages() const { return FMessages.get(); }
  void SetMessages(TFindMessages* value) { FMessages->Assign(value); }
  /// Whether records of index fields are index-bound (an index option).
  bool IndexSearch() const {
    return FFindOptions == foIndexExact || FFindOptions == foIndexNearest;
  }

 protected:
  /// Makes the panel's index object; descendants return their own classes.
  virtual TQXFindIndex* CreateFindIndex();

  TFindOptions FFindOptions = foFast;
  bool FRestart = true;
  std::unique_ptr<TQXFindIndex> FDataSetIndex;
  bool FShowBox = false;
  std::unique_ptr<TFindMessages> FMessages;

 private:
  /// Told by the index object after it rebuilt its key fields.
  void IndexChanged(TObject* sender);
  /// Refreshes the index object inside update and paint brackets.
  void RefreshIndex();
  void FollowDataSet(bool layout);
  /// The starting move; false when it left no record to test (the end of
  /// the dataset was reached moving on to the next record).
  bool StartAt(int pos);
  /// Steps 5 to 9 of a search, with the dataset's controls disabled.
  bool Search(TDataSet* ds);
  /// The not-found message box.
  void ShowNotFound();
  /// Compares a field value with an entered value of key field `def`,
  /// whole or as a prefix.
  TFieldCompareOption CompareKey(const Variant& fieldValue, const Variant& entered,
                                 const TIndexFieldDef& def, bool prefix);

  /// Whether prefixes of the key field compare without case (a
  /// case-sensitive text field in a collation order).
  bool LooseningPrefix(const TIndexFieldDef& def);

  bool searching_ = false;  // a search runs (index rebuilds do not search again)
};

/// The find panel with its published properties.
class TDBFindPanel : public TDBCustomFindPanel {
  TBN_CLASS(TDBFindPanel, TDBCustomFindPanel)
 public:
  using TDBCustomFindPanel::TDBCustomFindPanel;
};

}  // namespace tabulon
