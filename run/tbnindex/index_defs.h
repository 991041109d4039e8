// TQXIndexDefs: the key fields of a dataset's sort order (field, case rule,
// direction) and the keyed search over them. Where the description comes
// from is left to the descendants (dataset_index.h); this class rebuilds the
// key field list from it, compares the current record with a key, and
// positions the dataset on the first, last, nearest, next or previous record
// for a key by bisection over record numbers.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/persistent.h"
#include "platform/db/db_types.h"
#include "platform/variants/variant.h"
#include "run/tbnset/types.h"

namespace tabulon {

class TDataSet;
class TField;
class TIndexDefs;
class TRecordWindow;
class TStrings;

/// One key field of an index.
struct TIndexFieldDef {
  Variant Value;  // the key value for this field during a search
  TField* Field = nullptr;
  bool CaseInsensitive = false;
  bool Descending = false;
};

/// A description of an index: ";"-separated field lists and index options
/// (of which the descending and case-insensitive options are read).
struct TIndexRecord {
  std::string FieldNames;
  std::string CaseInsFields;
  std::string DescFields;
  TIndexOptions Options;
};

/// Whether values of `type` are compared as text (string, memo, formatted memo).
bool CaseSensitiveDependent(TFieldType type) noexcept;
/// Whether `name` is one of the ";"-separated items of `list` (items as
/// written, compared without regard to case); `defaultValue` for a blank list.
bool FindFieldName(std::string_view name, std::string_view list, bool defaultValue);

/// The key fields of a dataset's order and the keyed search over them.
class TQXIndexDefs : public TPersistent {
  TBN_CLASS(TQXIndexDefs, TPersistent)
 public:
  /// Compares two texts (optionally ignoring case): below, at or above zero.
  using TCompareFunction = int (TQXIndexDefs::*)(std::string_view, std::string_view, bool) const;

  TQXIndexDefs();
  ~TQXIndexDefs() override;

  /// Takes the dataset GetDataSet gives when it differs from the one held.
  void UpdateDataSet();
  /// Rebuilds the key field list from the index description.
  void UpdateIndex();
  /// Positions the dataset for `keyValues` (one value or a variant array,
  /// element i for key field i) as `seekOption` asks; when nothing fits,
  /// goes where `gotoOption` says and returns false.
  bool Seek(const Variant& keyValues, TQXSeekOption seekOption, TQXGotoOption gotoOption);
  /// How a field value `v1` stands against a key value `v2` of `def`'s field.
  TFieldCompareOption CheckIndexField(const Variant& v1, const Variant& v2,
                                      const TIndexFieldDef& def) const;
  /// A copy of key field `index`.
  TIndexFieldDef GetItem(int index) const { return *FIndexFields.at(static_cast<size_t>(index)); }
  int GetCount() const { return static_cast<int>(FIndexFields.size()); }
  /// The dataset taken at the last UpdateDataSet (never dereferenced once
  /// GetDataSet no longer gives it).
  TDataSet* DataSet() const { return FDataSet; }

  int GetLocaleID() const { return FLocaleID; }
  /// Stores the locale; -1 selects QXCompare, every other value QXAnsiCompare.
  void SetLocaleID(int value);
  /// Locale-aware comparison by FLocaleID, -1, 0 or 1.
  int QXAnsiCompare(std::string_view s1, std::string_view s2, bool caseInsensitive) const;
  /// Ordinal comparison.
  int QXCompare(std::string_view s1, std::string_view s2, bool caseInsensitive) const;

  // ---- Overridable steps, in slot order ----
  /// The dataset described.
  virtual TDataSet* GetDataSet() = 0;

 protected:
  virtual void DoAfterDataSetChanged() {}
  virtual void DoAfterIndexChanged() {}
  /// The description of the index the key fields are built from.
  virtual TIndexRecord GetIndexRecord() = 0;

 public:
  /// Whether the key field list must be rebuilt before a search.
  virtual bool IsUpdateIndex() { return false; }
  /// Whether the dataset must be taken again before a search.
  virtual bool IsUpdateDataSet() { return false; }

 protected:
  /// Compares the current record with the key over key fields 0..FKeyHigh;
  /// on equality remembers the record number in FFoundRecNo.
  TFieldCompareOption CheckIndexFields();
  /// How a record stands against the key, without remembering its number:
  /// the record at number `recNo` read through `at`, or, with `at` null, the
  /// record the key fields read now.
  TFieldCompareOption KeyStanding(TRecordWindow* at, int recNo) const;
  /// The bisection search of Seek; the key is already in place.
  bool IndexFind(TQXGotoOption gotoOption);
  /// Whether the key field list no longer fits the dataset: another dataset
  /// was taken, the dataset opened or closed, or its fields were made anew.
  bool IsIndexStale() const;

  TDataSet* FDataSet = nullptr;
  std::vector<std::unique_ptr<TIndexFieldDef>> FIndexFields;
  TQXSeekOption FSeekOption = dsoFirstEQ;
  int FFoundRecNo = -1;
  int FKeyHigh = -1;
  int FLocaleID = 1024;
  TCompareFunction FCompareFunction = &TQXIndexDefs::QXAnsiCompare;

 private:
  std::vector<std::string> keyNames_;  // field name of each key field
  bool builtActive_ = false;           // the dataset was open at the last rebuild
  bool dataSetTaken_ = false;          // another dataset was taken since the last rebuild
};

}  // namespace tabulon
