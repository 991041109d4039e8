// TDBLookupControl: the list link, field resolution and the key value.
#include "platform/dbctrls/dblookup.h"

#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"

namespace tabulon {

TField* GetFieldProperty(TDataSet* dataSet, const TComponent* control,
                         const std::string& fieldName) {
  TField* f = dataSet->FindField(fieldName);
  if (!f) DatabaseErrorFmt(DbMsg("SFieldNotFound"), {fieldName}, control);
  return f;
}

bool SameKeyValue(const Variant& a, const Variant& b) {
  try {
    return VarEquals(a, b);
  } catch (const Exception&) {
    return false;  // values that cannot be compared differ
  }
}

void TLookupListLink::ActiveChanged() { control_->ListLinkActiveChanged(); }
void TLookupListLink::LayoutChanged() { control_->ListLinkActiveChanged(); }
void TLookupListLink::DataSetChanged() { control_->ListLinkDataChanged(); }
void TLookupListLink::DataSetScrolled(int distance) { control_->ListLinkScrolled(distance); }

TDBLookupControl::TDBLookupControl(TComponent* owner) : TCustomControl(owner), listLink_(this) {}

TDBLookupControl::~TDBLookupControl() {
  Destroying();
  listLink_.SetDataSource(nullptr);
}

TDataSet* TDBLookupControl::ListDataSet() const {
  return listLink_.GetActive() ? listLink_.GetDataSet() : nullptr;
}

void TDBLookupControl::SetListSource(TDataSource* v) {
  if (v == GetListSource()) return;
  listLink_.SetDataSource(v);
  if (v) v->FreeNotification(this);
  ListLinkActiveChanged();
}

void TDBLookupControl::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == GetListSource()) SetListSource(nullptr);
}

void TDBLookupControl::SetKeyFieldName(const std::string& v) {
  if (v == keyFieldName_) return;
  keyFieldName_ = v;
  ListLinkActiveChanged();
}

void TDBLookupControl::SetListFieldName(const std::string& v) {
  if (v == listFieldName_) return;
  listFieldName_ = v;
  ListLinkActiveChanged();
}

void TDBLookupControl::SetListFieldIndex(int v) {
  if (v == listFieldIndex_) return;
  listFieldIndex_ = v;
  ListLinkActiveChanged();
}

void TDBLookupControl::ListLinkActiveChanged() { UpdateListFields(); }

void TDBLookupControl::UpdateListFields() {
  listActive_ = false;
  keyField_ = nullptr;
  listField_ = nullptr;
  listFields_.clear();
  TDataSet* ds = ListDataSet();
  if (!ds || keyFieldName_.empty()) return;
  keyField_ = GetFieldProperty(ds, this, keyFieldName_);
  std::vector<TField*> fields;
  ds->GetFieldList(fields, listFieldName_);
  listFields_ = std::move(fields);
  if (listFields_.empty()) listFields_.push_back(keyField_);
  const auto n = static_cast<int>(listFields_.size());
  listField_ =
      listFields_[listFieldIndex_ >= 0 && listFieldIndex_ < n ? static_cast<size_t>(listFieldIndex_)
                                                              : 0];
  listActive_ = true;
}

void TDBLookupControl::SetKeyValue(const Variant& v) {
  if (SameKeyValue(v, keyValue_)) return;
  keyValue_ = v;
  KeyValueChanged();
}

void TDBLookupControl::SelectKeyValue(const Variant& v) {
  SetKeyValue(v);
  Invalidate();
  Click();
}

bool TDBLookupControl::LocateKey() {
  TDataSet* ds = ListDataSet();
  if (!ds || keyValue_.IsNull()) return false;
  try {
    return ds->Locate(keyFieldName_, keyValue_, {});
  } catch (const Exception&) {
    return false;  // a key that cannot be located is not found
  }
}

}  // namespace tabulon
