// TBaseDataSetIndex, TQueryIndex and TDataSetIndex: deriving the index
// description from the application, a query's SQL text or a dataset's index.
#include "run/tbnindex/dataset_index.h"

#include "platform/core/class_builder.h"
#include "platform/core/strings.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/index_defs.h"
#include "run/tbnindex/sql_order.h"
#include "run/tbntypeinfo.h"

namespace tabulon {

TBN_REGISTER(TBaseDataSetIndex) {
  b.Property("DefaultIndex", &TBaseDataSetIndex::GetDefaultIndex,
             &TBaseDataSetIndex::SetDefaultIndex)
      .Default(true);
  b.Property("Options", &TBaseDataSetIndex::GetOptions, &TBaseDataSetIndex::SetOptions)
      .Stored(&TBaseDataSetIndex::IsOptionsStored, "IsOptionsStored");
  b.Property("CaseInsFields", &TBaseDataSetIndex::GetCaseInsFields,
             &TBaseDataSetIndex::SetCaseInsFields)
      .Stored(&TBaseDataSetIndex::IsCaseInsFieldsStored, "IsCaseInsFieldsStored");
  b.Property("DescFields", &TBaseDataSetIndex::GetDescFields, &TBaseDataSetIndex::SetDescFields)
      .Stored(&TBaseDataSetIndex::IsDescFieldsStored, "IsDescFieldsStored");
  b.Property("FieldNames", &TBaseDataSetIndex::GetFieldNames, &TBaseDataSetIndex::SetFieldNames)
      .Stored(&TBaseDataSetIndex::IsFieldNamesStored, "IsFieldNamesStored");
}
TBN_REGISTER(TQueryIndex) {}
TBN_REGISTER(TDataSetIndex) {}

namespace {
// Sets a flag for the life of a scope.
struct TFlagScope {
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;
  bool& flag_;
};
}  // namespace

// ---- TBaseDataSetIndex ----

TBaseDataSetIndex::TBaseDataSetIndex() = default;

void TBaseDataSetIndex::CheckDataSet() {
  if (IsUpdateDataSet()) UpdateDataSet();
}

TIndexRecord TBaseDataSetIndex::DerivedRecord() {
  TIndexRecord rec;
  rec.FieldNames = InternalGetFieldNames();
  rec.CaseInsFields = InternalGetCaseInsFields();
  rec.DescFields = InternalGetDescFields();
  rec.Options = InternalGetOptions();
  return rec;
}

TIndexRecord TBaseDataSetIndex::GetIndexRecord() {
  return FDefaultIndex ? DerivedRecord() : FIndexRecord;
}

void TBaseDataSetIndex::UpdateIndexDef() {
  CheckDataSet();
  FIndexRecord = GetIndexRecord();
}

void TBaseDataSetIndex::BeginOwnDescription() {
  if (!FDefaultIndex) return;
  UpdateIndexDef();
  FDefaultIndex = false;
}

void TBaseDataSetIndex::SetDefaultIndex(bool value) {
  if (value == FDefaultIndex) return;
  if (!value) UpdateIndexDef();
  FDefaultIndex = value;
  UpdateIndex();
}

TIndexOptions TBaseDataSetIndex::GetOptions() {
  if (!FDefaultIndex) return FIndexRecord.Options;
  CheckDataSet();
  return InternalGetOptions();
}

void TBaseDataSetIndex::SetOptions(TIndexOptions value) {
  if (value == GetOptions()) return;
  BeginOwnDescription();
  FIndexRecord.Options = value;
  UpdateIndex();
}

std::string TBaseDataSetIndex::GetCaseInsFields() {
  if (!FDefaultIndex) return FIndexRecord.CaseInsFields;
  CheckDataSet();
  return InternalGetCaseInsFields();
}

void TBaseDataSetIndex::SetCaseInsFields(const std::string& value) {
  if (value == GetCaseInsFields()) return;
  BeginOwnDescription();
  FIndexRecord.CaseInsFields = value;
  UpdateIndex();
}

std::string TBaseDataSetIndex::GetDescFields() {
  if (!FDefaultIndex) return FIndexRecord.DescFields;
  CheckDataSet();
  return InternalGetDescFields();
}

void TBaseDataSetIndex::SetDescFields(const std::string& value) {
  if (value == GetDescFields()) return;
  BeginOwnDescription();
  FIndexRecord.DescFields = value;
  UpdateIndex();
}

std::string TBaseDataSetIndex::GetFieldNames() {
  if (!FDefaultIndex) return FIndexRecord.FieldNames;
  CheckDataSet();
  return InternalGetFieldNames();
}

void TBaseDataSetIndex::SetFieldNames(const std::string& value) {
  if (value == GetFieldNames()) return;
  BeginOwnDescription();
  FIndexRecord.FieldNames = value;
  UpdateIndex();
}

void TBaseDataSetIndex::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TBaseDataSetIndex*>(source);
  if (!other) {
    TQXIndexDefs::Assign(source);
    return;
  }
  FDefaultIndex = other->FDefaultIndex;
  FIndexRecord = other->FIndexRecord;
  SetLocaleID(other->GetLocaleID());
  UpdateIndex();
}

// ---- TQueryIndex ----

TQueryIndex::TQueryIndex() = default;

TStrings* TQueryIndex::GetSQLStrings() {
  if (!FDataSet) return nullptr;
  return dynamic_cast<TStrings*>(tbntypeinfo::GetPropertyClass(FDataSet, "SQL"));
}

void TQueryIndex::SetSQLProperty() {
  TSqlOrder order = SqlOrderFields(FSQLStrings ? FSQLStrings->GetText() : std::string());
  FSQLFieldNames = std::move(order.FieldNames);
  FSQLDescFields = std::move(order.DescFields);
}

void TQueryIndex::DoAfterDataSetChanged() {
  TBaseDataSetIndex::DoAfterDataSetChanged();
  FSQLStrings = GetSQLStrings();
}

void TQueryIndex::DoAfterIndexChanged() {
  TBaseDataSetIndex::DoAfterIndexChanged();
  indexSQL_ = FSQLStrings ? FSQLStrings->GetText() : std::string();
}

TIndexRecord TQueryIndex::GetIndexRecord() {
  if (!FDefaultIndex || !FSQLStrings) return TBaseDataSetIndex::GetIndexRecord();
  TFlagScope parsing(FParsingSQL);
  SetSQLProperty();
  return DerivedRecord();
}

std::string TQueryIndex::InternalGetFieldNames() {
  if (!FDefaultIndex || !FSQLStrings) return TBaseDataSetIndex::InternalGetFieldNames();
  if (!FParsingSQL) SetSQLProperty();
  return FSQLFieldNames;
}

std::string TQueryIndex::InternalGetDescFields() {
  if (!FDefaultIndex || !FSQLStrings) return TBaseDataSetIndex::InternalGetDescFields();
  if (!FParsingSQL) SetSQLProperty();
  return FSQLDescFields;
}

bool TQueryIndex::IsUpdateIndex() {
  if (IsIndexStale()) return true;
  if (FDefaultIndex && FSQLStrings) {
    if (!FDataSet || !FDataSet->GetActive()) return true;
    // A query whose text changed while it was closed and open again.
    if (FSQLStrings->GetText() != indexSQL_) return true;
  }
  return TBaseDataSetIndex::IsUpdateIndex();
}

// ---- TDataSetIndex ----

TDataSetIndex::TDataSetIndex() = default;

TIndexDefs* TDataSetIndex::GetIndexDefs() {
  if (!FDataSet) return nullptr;
  return dynamic_cast<TIndexDefs*>(tbntypeinfo::GetPropertyClass(FDataSet, "IndexDefs"));
}

std::string TDataSetIndex::GetIndexName() {
  return FDataSet ? tbntypeinfo::GetStringByPropInfo(FDataSet, FIndexNameProp) : std::string();
}

std::string TDataSetIndex::GetIndexFieldNames() {
  return FDataSet ? tbntypeinfo::GetStringByPropInfo(FDataSet, FIndexFieldNamesProp)
                  : std::string();
}

bool TDataSetIndex::IsUpdateDataSet() {
  TDataSet* ds = GetDataSet();
  return ds != FDataSet || !ds || !ds->GetActive();
}

bool TDataSetIndex::IsUpdateIndex() {
  if (FDefaultIndex &&
      (GetIndexName() != FLastIndexName || GetIndexFieldNames() != FLastIndexFieldNames))
    return true;
  return TQueryIndex::IsUpdateIndex();
}

void TDataSetIndex::DoAfterDataSetChanged() {
  FIndexDef = nullptr;
  FIndexNameProp = nullptr;
  FIndexFieldNamesProp = nullptr;
  FIndexDefs = GetIndexDefs();
  if (FDataSet) {
    if (FIndexDefs)
      FIndexNameProp = tbntypeinfo::GetPropInfo(FDataSet, "IndexName", TTypeKinds{tkString});
    FIndexFieldNamesProp =
        tbntypeinfo::GetPropInfo(FDataSet, "IndexFieldNames", TTypeKinds{tkString});
  }
  FLastIndexName.clear();
  FLastIndexFieldNames.clear();
  TQueryIndex::DoAfterDataSetChanged();
}

void TDataSetIndex::DoAfterIndexChanged() {
  TQueryIndex::DoAfterIndexChanged();
  FLastIndexName = GetIndexName();
  FLastIndexFieldNames = GetIndexFieldNames();
}

bool TDataSetIndex::IsTableIndex() {
  return FUseIndexDef || !GetIndexName().empty() || !GetIndexFieldNames().empty();
}

TIndexDef* TDataSetIndex::GetIndexDef() {
  if (!FIndexDefs || !FDataSet || FDataSet->ComponentState().Contains(csDestroying)) return nullptr;
  const std::string name = GetIndexName();
  if (!name.empty()) {
    int i = FIndexDefs->IndexOf(name);
    return i >= 0 ? FIndexDefs->Items(i) : nullptr;
  }
  const std::string fields = GetIndexFieldNames();
  if (fields.empty()) return nullptr;
  try {
    return FIndexDefs->FindIndexForFields(fields);
  } catch (const EDatabaseError&) {
    return nullptr;  // no index fits the fields: the order is the field list alone
  }
}

TIndexDef* TDataSetIndex::CurrentIndexDef() { return FUseIndexDef ? FIndexDef : GetIndexDef(); }

bool TDataSetIndex::OrderedByName() { return FIndexDefs && !GetIndexName().empty(); }

TIndexRecord TDataSetIndex::GetIndexRecord() {
  if (!FDefaultIndex || !IsTableIndex()) return TQueryIndex::GetIndexRecord();
  TFlagScope use(FUseIndexDef);
  FIndexDef = GetIndexDef();
  return DerivedRecord();
}

std::string TDataSetIndex::InternalGetFieldNames() {
  if (!IsTableIndex()) return TQueryIndex::InternalGetFieldNames();
  if (!OrderedByName()) return GetIndexFieldNames();
  TIndexDef* def = CurrentIndexDef();
  return def ? def->GetFields() : std::string();
}

// An index definition orders by its own per-field lists; a field list
// ("A;B DESC") carries its directions in the names and ignores case in none.
std::string TDataSetIndex::InternalGetCaseInsFields() {
  if (!IsTableIndex()) return TQueryIndex::InternalGetCaseInsFields();
  TIndexDef* def = OrderedByName() ? CurrentIndexDef() : nullptr;
  return def ? def->GetCaseInsFields() : std::string();
}

std::string TDataSetIndex::InternalGetDescFields() {
  if (!IsTableIndex()) return TQueryIndex::InternalGetDescFields();
  TIndexDef* def = OrderedByName() ? CurrentIndexDef() : nullptr;
  return def ? def->GetDescFields() : std::string();
}

TIndexOptions TDataSetIndex::InternalGetOptions() {
  if (!IsTableIndex()) return TQueryIndex::InternalGetOptions();
  TIndexDef* def = CurrentIndexDef();
  if (!def) return {};
  TIndexOptions options = def->GetOptions();
  if (!OrderedByName()) {
    options.Exclude(ixDescending);
    options.Exclude(ixCaseInsensitive);
  }
  return options;
}

}  // namespace tabulon
