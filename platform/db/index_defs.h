// Index definitions: named orders of a dataset over one or more fields,
// with per-index options (primary, unique, descending, case-insensitive,
// expression) and per-field descending and case-insensitive lists.
#pragma once

#include <string>
#include <vector>

#include "platform/core/collection.h"
#include "platform/db/db_types.h"

namespace tabulon {

class TDataSet;

/// One index of a dataset.
class TIndexDef : public TCollectionItem {
  TBN_CLASS(TIndexDef, TCollectionItem)
 public:
  explicit TIndexDef(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  /// The key fields, separated by ";".
  const std::string& GetFields() const { return fields_; }
  void SetFields(const std::string& v);
  TIndexOptions GetOptions() const { return options_; }
  void SetOptions(TIndexOptions v);
  /// Fields (of Fields) sorted descending, separated by ";".
  const std::string& GetDescFields() const { return descFields_; }
  void SetDescFields(const std::string& v);
  /// Fields (of Fields) compared without regard to case, separated by ";".
  const std::string& GetCaseInsFields() const { return caseInsFields_; }
  void SetCaseInsFields(const std::string& v);
  /// The key expression of an ixExpression index (SQLite schema text).
  const std::string& GetExpression() const { return expression_; }
  void SetExpression(const std::string& v);
  std::string GetDisplayName() const override { return name_; }
  void Assign(TPersistent* source) override;

 private:
  std::string name_, fields_, descFields_, caseInsFields_, expression_;
  TIndexOptions options_;
};

/// The index definitions of a dataset.
class TIndexDefs : public TOwnedCollection {
  TBN_CLASS(TIndexDefs, TOwnedCollection)
 public:
  explicit TIndexDefs(TDataSet* dataSet);
  /// Appends a definition; EDatabaseError for a duplicate name.
  TIndexDef* Add(const std::string& name, const std::string& fields, TIndexOptions options = {});
  TIndexDef* Items(int index) const { return static_cast<TIndexDef*>(GetItem(index)); }
  /// Position of the index named `name` (case-insensitive), or -1.
  int IndexOf(const std::string& name) const;
  /// The index named `name`; EDatabaseError "Index '%s' not found".
  TIndexDef* Find(const std::string& name) const;
  /// The index whose fields are `fields` or begin with them (case-insensitive
  /// names), preferring an exact match; expression indexes never match, nor
  /// indexes whose case option differs from `caseInsensitive`. Null when none.
  TIndexDef* GetIndexForFields(const std::string& fields, bool caseInsensitive) const;
  /// GetIndexForFields(fields, false); EDatabaseError "No index for fields '%s'" when none.
  TIndexDef* FindIndexForFields(const std::string& fields) const;
  /// Re-reads the definitions from the dataset's source (schema of a table).
  void Update();
  TDataSet* DataSet() const { return dataSet_; }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TDataSet* dataSet_;
};

/// Splits a ";"-separated field list into trimmed, non-empty names.
std::vector<std::string> SplitFieldNames(const std::string& names);
/// Whether `name` is one of the ";"-separated items of `list` (case-insensitive).
bool FieldInList(const std::string& name, const std::string& list);

}  // namespace tabulon
