// The test panel and the people dataset.
#include "tests/run/fieldsset_fixture.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/db/field_defs.h"
#include "platform/sysutils/datetime.h"

namespace tabulon::test {

TTestFieldsSet::TTestFieldsSet(TComponent* owner, const TClass* recordClass)
    : TComponent(owner), TFieldsSetModel() {
  Fields = new TFieldsList(this, recordClass ? recordClass : TFieldRecord::StaticClass());
}

TTestFieldsSet::~TTestFieldsSet() { DestroyFieldsSet(); }

void TTestFieldsSet::BeforeDestruction() {
  TComponent::BeforeDestruction();
  DestroyFieldsSet();
}

void TTestFieldsSet::SetOldDataSet(TDataSet* dataSet) {
  Trace.push_back("old:" + dataSet->GetName());
}
void TTestFieldsSet::UpdateDataSet() { Trace.push_back("update"); }
void TTestFieldsSet::PaintComponent() { Trace.push_back("paint"); }

bool TTestFieldsSet::ValidateFieldRecord(TFieldRecord* record) {
  return Refused.count(record->GetDataType()) == 0;
}

void TTestFieldsSet::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) DataSourceRemoved(component);
}

void TTestFieldsSet::Loaded() {
  TComponent::Loaded();
  SetLoadProperties();
}

std::string TTestFieldsSet::TakeTrace() { return Join(std::exchange(Trace, {})); }

int TTestFieldsSet::Count(const std::string& entry) const {
  return static_cast<int>(std::count(Trace.begin(), Trace.end(), entry));
}

// Published by name as the panels publish it (the type-info helpers look it up).
TBN_REGISTER(TTestFieldsSet) {
  b.Property("CountOptions", &TTestFieldsSet::GetCountOptions, &TTestFieldsSet::SetCountOptions);
}

PeopleData::PeopleData() : Owner(std::make_unique<TComponent>(nullptr)) {
  DataSet = new TClientDataSet(Owner.get());
  DataSet->SetName("People");
  TFieldDefs* defs = DataSet->GetFieldDefs();
  defs->Add("NAME", ftString, 20);
  defs->Add("AGE", ftInteger);
  defs->Add("BORN", ftDate);
  defs->Add("ACTIVE", ftBoolean);
  defs->Add("SCORE", ftFloat);
  defs->Add("NOTE", ftMemo);
  DataSet->CreateDataSet();
  Source = new TDataSource(Owner.get());
  Source->SetName("PeopleSource");
  Source->SetDataSet(DataSet);
}

PeopleData::~PeopleData() = default;

void PeopleData::Add(const Variant& name, const Variant& age, const Variant& born,
                     const Variant& active, const Variant& score) {
  DataSet->AppendRecord({name, age, born, active, score, Null});
}

double D(int y, int m, int d) { return EncodeDate(y, m, d); }

std::vector<std::string> Matching(TFieldsSetModel& panel, TDataSet* ds) {
  std::vector<std::string> names;
  int last = static_cast<int>(panel.GetFields()->GetFieldMap().size()) - 1;
  for (ds->First(); !ds->GetEof(); ds->Next())
    if (panel.CheckRecord(0, last)) names.push_back(ds->FieldByName("NAME")->GetAsString());
  return names;
}

}  // namespace tabulon::test
