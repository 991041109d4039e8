// Where the description of a dataset's order comes from:
//   TBaseDataSetIndex  the application's own description (published
//                      DefaultIndex, Options, CaseInsFields, DescFields,
//                      FieldNames), copied from the dataset's on first edit;
//   TQueryIndex        the ORDER BY list of the dataset's "SQL" text;
//   TDataSetIndex      the active index of the dataset ("IndexName",
//                      "IndexFieldNames", "IndexDefs").
// Dataset properties are reached by name, so any dataset class that
// publishes them is served. Descendants supply GetDataSet.
#pragma once

#include <string>

#include "run/tbnindex/index_defs.h"

namespace tabulon {

class TIndexDef;
struct TPropInfo;

/// A dataset index description with the application's override.
class TBaseDataSetIndex : public TQXIndexDefs {
  TBN_CLASS(TBaseDataSetIndex, TQXIndexDefs)
 public:
  TBaseDataSetIndex();

  bool GetDefaultIndex() const { return FDefaultIndex; }
  /// Switching to false starts from the dataset's description; every change
  /// rebuilds the key fields.
  void SetDefaultIndex(bool value);
  /// While DefaultIndex is true the values come from the dataset, otherwise
  /// from the application's description. A setter given another value
  /// switches DefaultIndex off first (copying the dataset's description).
  TIndexOptions GetOptions();
  void SetOptions(TIndexOptions value);
  std::string GetCaseInsFields();
  void SetCaseInsFields(const std::string& value);
  std::string GetDescFields();
  void SetDescFields(const std::string& value);
  std::string GetFieldNames();
  void SetFieldNames(const std::string& value);
  void Assign(TPersistent* source) override;

  bool IsOptionsStored() const { return !FDefaultIndex && !FIndexRecord.Options.Empty(); }
  bool IsCaseInsFieldsStored() const {
    return !FDefaultIndex && !FIndexRecord.CaseInsFields.empty();
  }
  bool IsDescFieldsStored() const { return !FDefaultIndex && !FIndexRecord.DescFields.empty(); }
  bool IsFieldNamesStored() const { return !FDefaultIndex && !FIndexRecord.FieldNames.empty(); }

 protected:
  TIndexRecord GetIndexRecord() override;
  virtual TIndexOptions InternalGetOptions() { return {}; }
  virtual std::string InternalGetCaseInsFields() { return {}; }
  virtual std::string InternalGetDescFields() { return {}; }
  virtual std::string InternalGetFieldNames() { return {}; }
  /// The description the four operations give.
  TIndexRecord DerivedRecord();
  /// Copies the dataset's description into the application's (FIndexRecord).
  void UpdateIndexDef();
  /// Takes the dataset when it must be taken before reading its description.
  void CheckDataSet();

  bool FDefaultIndex = true;
  TIndexRecord FIndexRecord;

 private:
  /// Makes the application's description the one in use before a change.
  void BeginOwnDescription();
};

/// The order of a query's SQL text.
class TQueryIndex : public TBaseDataSetIndex {
  TBN_CLASS(TQueryIndex, TBaseDataSetIndex)
 public:
  TQueryIndex();
  bool IsUpdateIndex() override;
  /// The dataset's published "SQL" string list, or null.
  virtual TStrings* GetSQLStrings();
  /// Analyses the SQL text into FSQLFieldNames and FSQLDescFields.
  void SetSQLProperty();

 protected:
  void DoAfterDataSetChanged() override;
  void DoAfterIndexChanged() override;
  TIndexRecord GetIndexRecord() override;
  std::string InternalGetDescFields() override;
  std::string InternalGetFieldNames() override;

  std::string FSQLFieldNames;
  std::string FSQLDescFields;
  bool FParsingSQL = false;
  TStrings* FSQLStrings = nullptr;

 private:
  std::string indexSQL_;  // the SQL text the key fields were last built from
};

/// The order of a dataset: its active index, its SQL text or the application's description.
class TDataSetIndex : public TQueryIndex {
  TBN_CLASS(TDataSetIndex, TQueryIndex)
 public:
  TDataSetIndex();
  bool IsUpdateIndex() override;
  bool IsUpdateDataSet() override;
  /// The dataset's "IndexFieldNames" and "IndexName"; empty without them.
  virtual std::string GetIndexFieldNames();
  virtual std::string GetIndexName();
  /// The dataset's published "IndexDefs", or null.
  virtual TIndexDefs* GetIndexDefs();
  /// Whether the dataset is ordered by an index name or index field names.
  bool IsTableIndex();
  /// The index definition of the dataset's order, or null.
  TIndexDef* GetIndexDef();

 protected:
  void DoAfterDataSetChanged() override;
  void DoAfterIndexChanged() override;
  TIndexRecord GetIndexRecord() override;
  TIndexOptions InternalGetOptions() override;
  std::string InternalGetCaseInsFields() override;
  std::string InternalGetDescFields() override;
  std::string InternalGetFieldNames() override;

  TIndexDef* FIndexDef = nullptr;
  bool FUseIndexDef = false;
  TIndexDefs* FIndexDefs = nullptr;
  const TPropInfo* FIndexNameProp = nullptr;
  const TPropInfo* FIndexFieldNamesProp = nullptr;
  std::string FLastIndexName;
  std::string FLastIndexFieldNames;

 private:
  /// The definition the description reads: FIndexDef while a description
  /// is being derived, otherwise the one in use now.
  TIndexDef* CurrentIndexDef();
  /// Whether the order is by index name (not by a field list).
  bool OrderedByName();
};

}  // namespace tabulon
