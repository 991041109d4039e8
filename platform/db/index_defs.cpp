// Index definitions of a dataset.
#include "platform/db/index_defs.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"

namespace tabulon {

TBN_REGISTER(TIndexDef) {
  b.Property("Name", &TIndexDef::GetName, &TIndexDef::SetName);
  b.Property("Fields", &TIndexDef::GetFields, &TIndexDef::SetFields);
  b.Property("Options", &TIndexDef::GetOptions, &TIndexDef::SetOptions).Default(TIndexOptions{});
  b.Property("DescFields", &TIndexDef::GetDescFields, &TIndexDef::SetDescFields);
  b.Property("CaseInsFields", &TIndexDef::GetCaseInsFields, &TIndexDef::SetCaseInsFields);
  b.Property("Expression", &TIndexDef::GetExpression, &TIndexDef::SetExpression);
}

TBN_REGISTER(TIndexDefs) {}

namespace {
std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}
}  // namespace

std::vector<std::string> SplitFieldNames(const std::string& names) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string::npos) end = names.size();
    std::string item = Trim(names.substr(start, end - start));
    if (!item.empty()) out.push_back(item);
    start = end + 1;
  }
  return out;
}

bool FieldInList(const std::string& name, const std::string& list) {
  for (const std::string& item : SplitFieldNames(list))
    if (SameText(item, name)) return true;
  return false;
}

void TIndexDef::SetName(const std::string& v) {
  if (v == name_) return;
  if (auto* defs = dynamic_cast<TIndexDefs*>(GetCollection())) {
    int other = defs->IndexOf(v);
    if (other >= 0 && other != GetIndex()) DatabaseErrorFmt(DbMsg("SDuplicateIndexName"), {v});
  }
  name_ = v;
  Changed(false);
}

#define TBN_INDEXDEF_SETTER(Name, member)           \
  void TIndexDef::Set##Name(const std::string& v) { \
    if (v == member) return;                        \
    member = v;                                     \
    Changed(false);                                 \
  }
TBN_INDEXDEF_SETTER(Fields, fields_)
TBN_INDEXDEF_SETTER(DescFields, descFields_)
TBN_INDEXDEF_SETTER(CaseInsFields, caseInsFields_)
TBN_INDEXDEF_SETTER(Expression, expression_)
#undef TBN_INDEXDEF_SETTER

void TIndexDef::SetOptions(TIndexOptions v) {
  if (v == options_) return;
  options_ = v;
  Changed(false);
}

void TIndexDef::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TIndexDef*>(source)) {
    name_ = s->name_;
    fields_ = s->fields_;
    descFields_ = s->descFields_;
    caseInsFields_ = s->caseInsFields_;
    expression_ = s->expression_;
    options_ = s->options_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

TIndexDefs::TIndexDefs(TDataSet* dataSet)
    : TOwnedCollection(dataSet, TIndexDef::StaticClass()), dataSet_(dataSet) {}

TIndexDef* TIndexDefs::Add(const std::string& name, const std::string& fields,
                           TIndexOptions options) {
  if (IndexOf(name) >= 0) DatabaseErrorFmt(DbMsg("SDuplicateIndexName"), {name});
  BeginUpdate();
  auto* d = static_cast<TIndexDef*>(TCollection::Add());
  d->SetName(name);
  d->SetFields(fields);
  d->SetOptions(options);
  EndUpdate();
  return d;
}

int TIndexDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->GetName(), name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::Find(const std::string& name) const {
  int i = IndexOf(name);
  if (i < 0) DatabaseErrorFmt(DbMsg("SIndexNotFound"), {name}, dataSet_);
  return Items(i);
}

TIndexDef* TIndexDefs::GetIndexForFields(const std::string& fields, bool caseInsensitive) const {
  std::vector<std::string> wanted = SplitFieldNames(fields);
  if (wanted.empty()) return nullptr;
  auto usable = [&](const TIndexDef* d) {
    TIndexOptions o = d->GetOptions();
    return !o.Contains(ixDescending) && !o.Contains(ixExpression) &&
           (!caseInsensitive || o.Contains(ixCaseInsensitive));
  };
  auto covers = [&](const TIndexDef* d, bool exact) {
    std::vector<std::string> have = SplitFieldNames(d->GetFields());
    if (have.size() < wanted.size() || (exact && have.size() != wanted.size())) return false;
    for (size_t i = 0; i < wanted.size(); ++i)
      if (!SameText(have[i], wanted[i])) return false;
    return true;
  };
  for (bool exact : {true, false})
    for (int i = 0; i < Count(); ++i)
      if (usable(Items(i)) && covers(Items(i), exact)) return Items(i);
  return nullptr;
}

TIndexDef* TIndexDefs::FindIndexForFields(const std::string& fields) const {
  TIndexDef* d = GetIndexForFields(fields, false);
  if (!d) DatabaseErrorFmt(DbMsg("SNoIndexForFields"), {fields}, dataSet_);
  return d;
}

void TIndexDefs::Update() {
  if (dataSet_) dataSet_->UpdateIndexDefs();
}

void TIndexDefs::Update(TCollectionItem*) {
  if (dataSet_) dataSet_->IndexDefsChanged();
}

}  // namespace tabulon
