// Field definitions: the physical columns of a dataset (name, type, size),
// from which default fields are created and records are laid out.
#pragma once

#include <string>

#include "platform/core/collection.h"
#include "platform/db/db_types.h"

namespace tabulon {

class TDataSet;

/// One column of a dataset.
class TFieldDef : public TCollectionItem {
  TBN_CLASS(TFieldDef, TCollectionItem)
 public:
  explicit TFieldDef(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  TFieldType GetDataType() const { return dataType_; }
  void SetDataType(TFieldType v);
  /// Characters for strings, bytes for fixed binaries, decimals for BCD; 0 otherwise.
  int32_t GetSize() const { return size_; }
  void SetSize(int32_t v);
  bool GetRequired() const { return required_; }
  void SetRequired(bool v);
  /// The position of the definition (its field number minus one).
  int GetFieldNo() const { return GetIndex() + 1; }
  std::string GetDisplayName() const override { return name_; }
  void Assign(TPersistent* source) override;

 private:
  std::string name_;
  TFieldType dataType_ = ftUnknown;
  int32_t size_ = 0;
  bool required_ = false;
};

/// The field definitions of a dataset.
class TFieldDefs : public TOwnedCollection {
  TBN_CLASS(TFieldDefs, TOwnedCollection)
 public:
  explicit TFieldDefs(TDataSet* dataSet);
  /// Appends a definition; EDatabaseError for a duplicate name, a missing
  /// name or a size that does not suit the type.
  TFieldDef* Add(const std::string& name, TFieldType type, int32_t size = 0, bool required = false);
  TFieldDef* Items(int index) const { return static_cast<TFieldDef*>(GetItem(index)); }
  /// Position of the definition named `name` (case-insensitive), or -1.
  int IndexOf(const std::string& name) const;
  /// The definition named `name`; EDatabaseError "Field definition '%s' not found".
  TFieldDef* Find(const std::string& name) const;
  TDataSet* DataSet() const { return dataSet_; }

 private:
  TDataSet* dataSet_;
};

/// Checks that `size` suits `type` (strings 1..8192, bytes 1..65535, BCD 0..4,
/// other types ignore it); EDatabaseError "Invalid field size" otherwise.
void CheckFieldSize(TFieldType type, int32_t size);

}  // namespace tabulon
