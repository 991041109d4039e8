// Shared fixtures of the field-model tests: a concrete test panel that
// creates its list with a chosen record class and records every hook the
// model calls, and a small people dataset.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "run/tbnset.h"
#include "tests/run/test_util.h"

namespace tabulon::test {

/// A fields panel without controls: hooks append to Trace.
class TTestFieldsSet : public TComponent, public TFieldsSetModel {
  TBN_CLASS(TTestFieldsSet, TComponent)
 public:
  explicit TTestFieldsSet(TComponent* owner, const TClass* recordClass = nullptr);
  ~TTestFieldsSet() override;
  void BeforeDestruction() override;

  TComponent* GetComponent() const override { return const_cast<TTestFieldsSet*>(this); }
  void SetOldDataSet(TDataSet* dataSet) override;
  void UpdateDataSet() override;
  void PaintComponent() override;
  bool ValidateFieldRecord(TFieldRecord* record) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  /// Field types this panel refuses (as a filter panel refuses memos).
  std::set<TFieldType> Refused;
  /// "paint", "update", "old:<dataset name>" in call order.
  std::vector<std::string> Trace;
  /// Returns the trace joined by blanks and clears it.
  std::string TakeTrace();
  int Count(const std::string& entry) const;
};

/// Owner, a client dataset PEOPLE (NAME string, AGE integer, BORN date,
/// ACTIVE boolean, SCORE float, NOTE memo) and a data source on it.
struct PeopleData {
  PeopleData();
  ~PeopleData();
  /// Appends a row; Null where a value is missing.
  void Add(const Variant& name, const Variant& age, const Variant& born, const Variant& active,
           const Variant& score);
  std::unique_ptr<TComponent> Owner;
  TClientDataSet* DataSet;
  TDataSource* Source;
};

/// Date of a year, month and day.
double D(int y, int m, int d);

/// The NAME values of the records that CheckRecord accepts over the whole map.
std::vector<std::string> Matching(TFieldsSetModel& panel, TDataSet* ds);

}  // namespace tabulon::test

namespace tabulon::test {
using PanelPtr = std::unique_ptr<TTestFieldsSet, FreeDeleter>;
/// A test panel linked to `source` (null: unlinked).
inline PanelPtr MakePanel(TDataSource* source, const TClass* recordClass = nullptr) {
  PanelPtr p(new TTestFieldsSet(nullptr, recordClass));
  p->SetName("Panel1");
  if (source) p->SetDataSource(source);
  return p;
}
}  // namespace tabulon::test
