// TClientDataSet: a dataset whose records live only in memory. It is made
// from field definitions (CreateDataSet), filled by the application, ordered
// by index definitions or field lists, and saved to and loaded from files:
// the layer's own data format (see client_file.cpp) or CSV with a header.
#pragma once

#include <string>

#include "platform/db/dataset.h"

namespace tabulon {

/// An in-memory dataset.
class TClientDataSet : public TDataSet {
  TBN_CLASS(TClientDataSet, TDataSet)
 public:
  explicit TClientDataSet(TComponent* owner);
  /// Saves changed records to FileName, as Close does.
  ~TClientDataSet() override;

  /// Makes an empty dataset from FieldDefs (or from the persistent fields
  /// when there are no definitions) and opens it.
  void CreateDataSet();
  /// Removes every record.
  void EmptyDataSet();
  /// Replaces definitions and records with those of a data file (".csv":
  /// CSV with a header row; otherwise the layer's data format) and opens.
  void LoadFromFile(const std::string& fileName);
  /// Writes definitions and records (".csv": header and display values).
  void SaveToFile(const std::string& fileName);
  /// The layer's data format from and to a text.
  void LoadFromString(const std::string& text, const std::string& sourceName = "(text)");
  std::string SaveToString();
  /// Reserves memory for `count` records.
  void Reserve(size_t count) { Store().Reserve(count); }

  /// A data file read on open when the dataset holds no records yet, and
  /// written on close when the records changed since they were read or saved.
  const std::string& GetFileName() const { return fileName_; }
  /// Records held under a new name are saved to it on close.
  void SetFileName(const std::string& v);

 protected:
  void InternalInitFieldDefs() override;
  void InternalOpen(bool& keepRecords) override;
  bool KeepsRecordsWhenClosed() const override { return true; }
  /// Saves changed records to FileName.
  void InternalClose() override;
  /// Fills empty auto-increment fields of a new record; notes the change.
  void InternalPost(uint32_t slot, bool inserted) override;
  void InternalDelete(uint32_t slot) override;

 private:
  /// Definitions from the persistent data fields, when there are none.
  void DefsFromFields();
  void LoadCsv(const std::string& text, const std::string& name);
  std::string SaveCsv();
  void LoadNative(const std::string& text, const std::string& name);
  std::string SaveNative();
  /// Writes the records to `fileName` (".csv": CSV, else the data format).
  void WriteFile(const std::string& fileName);
  /// Reads the highest value of each auto-increment column, once.
  void FindHighestAutoInc();
  bool created_ = false;  // the store holds this dataset's records
  bool changed_ = false;  // records changed since FileName was read or written
  std::string fileName_;
  std::vector<int64_t> autoIncHigh_;  // per column: highest auto-increment value so far
  bool autoIncKnown_ = false;         // autoIncHigh_ holds the records' values
};

}  // namespace tabulon
