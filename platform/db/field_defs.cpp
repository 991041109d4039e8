// Field definitions of a dataset.
#include "platform/db/field_defs.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"

namespace tabulon {

TBN_REGISTER(TFieldDef) {
  b.Property("Name", &TFieldDef::GetName, &TFieldDef::SetName);
  b.Property("DataType", &TFieldDef::GetDataType, &TFieldDef::SetDataType).Default(ftUnknown);
  b.Property("Size", &TFieldDef::GetSize, &TFieldDef::SetSize).Default(0);
  b.Property("Required", &TFieldDef::GetRequired, &TFieldDef::SetRequired).Default(false);
}

TBN_REGISTER(TFieldDefs) {}

void CheckFieldSize(TFieldType type, int32_t size) {
  bool ok = true;
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
      ok = size >= 1 && size <= 8192;
      break;
    case ftBytes:
    case ftVarBytes:
      ok = size >= 1 && size <= 65535;
      break;
    case ftBCD:
      ok = size >= 0 && size <= 4;
      break;
    default:
      ok = size >= 0;
  }
  if (!ok) DatabaseError(DbMsg("SInvalidFieldSize"));
}

void TFieldDef::SetName(const std::string& v) {
  if (v == name_) return;
  if (auto* defs = dynamic_cast<TFieldDefs*>(GetCollection())) {
    int other = defs->IndexOf(v);
    if (other >= 0 && other != GetIndex()) DatabaseErrorFmt(DbMsg("SDuplicateFieldName"), {v});
  }
  name_ = v;
  Changed(false);
}

void TFieldDef::SetDataType(TFieldType v) {
  if (v == dataType_) return;
  dataType_ = v;
  Changed(false);
}

void TFieldDef::SetSize(int32_t v) {
  if (v == size_) return;
  size_ = v;
  Changed(false);
}

void TFieldDef::SetRequired(bool v) {
  if (v == required_) return;
  required_ = v;
  Changed(false);
}

void TFieldDef::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TFieldDef*>(source)) {
    name_ = s->name_;
    dataType_ = s->dataType_;
    size_ = s->size_;
    required_ = s->required_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

TFieldDefs::TFieldDefs(TDataSet* dataSet)
    : TOwnedCollection(dataSet, TFieldDef::StaticClass()), dataSet_(dataSet) {}

TFieldDef* TFieldDefs::Add(const std::string& name, TFieldType type, int32_t size, bool required) {
  if (name.empty()) DatabaseError(DbMsg("SFieldNameMissing"));
  if (IndexOf(name) >= 0) DatabaseErrorFmt(DbMsg("SDuplicateFieldName"), {name});
  CheckFieldSize(type, size);
  BeginUpdate();
  auto* d = static_cast<TFieldDef*>(TCollection::Add());
  d->SetName(name);
  d->SetDataType(type);
  d->SetSize(size);
  d->SetRequired(required);
  EndUpdate();
  return d;
}

int TFieldDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->GetName(), name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::Find(const std::string& name) const {
  int i = IndexOf(name);
  if (i < 0) DatabaseErrorFmt(DbMsg("SFieldDefNotFound"), {name}, dataSet_);
  return Items(i);
}

}  // namespace tabulon
