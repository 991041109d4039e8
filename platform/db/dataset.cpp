// TDataSet: opening and closing, fields, notifications and calculated values.
#include "platform/db/dataset.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/strings.h"
#include "platform/db/datasource.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/snapshot.h"

namespace tabulon {

TBN_REGISTER(TDataSet) {
  b.Property("Active", &TDataSet::GetActive, &TDataSet::SetActive).Default(false);
  b.Property("AutoCalcFields", &TDataSet::GetAutoCalcFields, &TDataSet::SetAutoCalcFields)
      .Default(true);
  b.Property("Filtered", &TDataSet::GetFiltered, &TDataSet::SetFiltered).Default(false);
  b.Property("OnFilterRecord", &TDataSet::GetOnFilterRecord, &TDataSet::SetOnFilterRecord);
  b.Property("BeforeOpen", &TDataSet::BeforeOpen);
  b.Property("AfterOpen", &TDataSet::AfterOpen);
  b.Property("BeforeClose", &TDataSet::BeforeClose);
  b.Property("AfterClose", &TDataSet::AfterClose);
  b.Property("BeforeInsert", &TDataSet::BeforeInsert);
  b.Property("AfterInsert", &TDataSet::AfterInsert);
  b.Property("BeforeEdit", &TDataSet::BeforeEdit);
  b.Property("AfterEdit", &TDataSet::AfterEdit);
  b.Property("BeforePost", &TDataSet::BeforePost);
  b.Property("AfterPost", &TDataSet::AfterPost);
  b.Property("BeforeCancel", &TDataSet::BeforeCancel);
  b.Property("AfterCancel", &TDataSet::AfterCancel);
  b.Property("BeforeDelete", &TDataSet::BeforeDelete);
  b.Property("AfterDelete", &TDataSet::AfterDelete);
  b.Property("BeforeScroll", &TDataSet::BeforeScroll);
  b.Property("AfterScroll", &TDataSet::AfterScroll);
  b.Property("OnNewRecord", &TDataSet::OnNewRecord);
  b.Property("OnCalcFields", &TDataSet::OnCalcFields);
}

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner),
      fieldDefs_(std::make_unique<TFieldDefs>(this)),
      fields_(std::make_unique<TFields>(this)),
      indexDefs_(std::make_unique<TIndexDefs>(this)) {}

TDataSet::~TDataSet() {
  Destroying();
  // Links see the dataset going while it is still attached (and marked as
  // destroying): through the close, or told directly when it was closed.
  if (GetActive()) {
    try {
      DoClose();
    } catch (...) {
      // A failing handler cannot stop the destruction; the state is closed.
    }
  } else {
    for (TDataSource* s : std::vector<TDataSource*>(dataSources_))
      for (TDataLink* l : std::vector<TDataLink*>(s->links_)) l->UpdateState(true);
  }
  while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
  // Every field goes with its dataset, persistent ones included.
  while (!fields_->list_.empty()) {
    TField* f = fields_->list_.back();
    fields_->list_.pop_back();
    f->dataSet_ = nullptr;
    TObject::Free(f);
  }
}

// ---- Opening and closing ----

void TDataSet::SetActive(bool value) {
  if (ComponentState().Contains(csLoading)) {
    streamedActive_ = value;
    return;
  }
  if (value == GetActive()) return;
  if (value)
    DoOpen();
  else
    DoClose();
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (streamedActive_) {
    streamedActive_ = false;
    SetActive(true);
  }
}

void TDataSet::DoOpen() {
  if (opening_) return;
  opening_ = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{opening_};
  BeforeOpen(this);
  try {
    InternalInitFieldDefs();
    CreateFields();
    BindFields();
    bool keep = false;
    InternalOpen(keep);
    if (!keep) {
      // Derived datasets lay the store out themselves when they load records.
    }
    ResolveSortKeys();
    RebuildOrder();
    state_ = dsBrowse;
    for (TField* f : fields_->list_)
      if (f->fieldKind_ == fkLookup && f->lookupCache_) f->RefreshLookupList();
    ResetFilterCache();
    int p = NextVisible(-1, 1);
    SetCursor(p);
    bof_ = true;
    eof_ = p < 0;
  } catch (...) {
    state_ = dsInactive;
    pos_ = -1;
    activeSlot_ = detail::TRecordStore::kNone;
    if (!KeepsRecordsWhenClosed()) ClearRecords();
    DestroyDefaultFields();
    for (TField* f : fields_->list_) f->column_ = -1;
    throw;
  }
  if (disableCount_ > 0) pendingChange_ = true;
  DataEvent(deUpdateState, 0);
  AfterOpen(this);
}

void TDataSet::DoClose() {
  if (!ComponentState().Contains(csDestroying)) BeforeClose(this);
  if (state_ == dsEdit || state_ == dsInsert || state_ == dsSetKey) {
    if (editSlot_ != detail::TRecordStore::kNone) store_.Release(editSlot_);
    editSlot_ = detail::TRecordStore::kNone;
  }
  if (keySlot_ != detail::TRecordStore::kNone) store_.Release(keySlot_);
  keySlot_ = detail::TRecordStore::kNone;
  state_ = dsInactive;
  modified_ = false;
  pos_ = -1;
  bof_ = eof_ = true;
  activeSlot_ = calcSlot_ = detail::TRecordStore::kNone;
  accept_.clear();
  positions_.clear();
  InvalidatePositions();
  InternalClose();
  if (!KeepsRecordsWhenClosed()) ClearRecords();
  if (disableCount_ > 0) pendingChange_ = true;
  DataEvent(deUpdateState, 0);
  DestroyDefaultFields();
  for (TField* f : fields_->list_) {
    f->column_ = -1;
    if (f->lookupList_) f->lookupList_->Clear();
  }
  if (!ComponentState().Contains(csDestroying)) AfterClose(this);
}

void TDataSet::CheckActive() const {
  if (!GetActive()) DatabaseError(DbMsg("SDataSetClosed"), this);
}

void TDataSet::CheckInactive() const {
  if (GetActive()) DatabaseError(DbMsg("SDataSetOpen"), this);
}

void TDataSet::UpdateFieldDefs() {
  if (!GetActive()) InternalInitFieldDefs();
}

void TDataSet::LayoutStore() {
  std::vector<detail::TStorageKind> kinds;
  std::vector<uint32_t> caps;
  for (int i = 0; i < fieldDefs_->Count(); ++i) {
    TFieldDef* d = fieldDefs_->Items(i);
    kinds.push_back(StorageKindOf(d->GetDataType()));
    caps.push_back(static_cast<uint32_t>(std::max(d->GetSize(), 1)));
  }
  store_.Define(kinds, caps);
  natural_.clear();
  order_.clear();
  positions_.clear();
  InvalidatePositions();
}

void TDataSet::ClearRecords() {
  store_.Clear();
  natural_.clear();
  natural_.shrink_to_fit();
  order_.clear();
  order_.shrink_to_fit();
  positions_.clear();
  positions_.shrink_to_fit();
  InvalidatePositions();
  accept_.clear();
  editSlot_ = keySlot_ = calcSlot_ = detail::TRecordStore::kNone;
  pos_ = -1;
  activeSlot_ = detail::TRecordStore::kNone;
  bof_ = eof_ = true;
}

void TDataSet::RecordsReplaced() {
  if (!GetActive()) return;
  calcSlot_ = detail::TRecordStore::kNone;
  RebuildOrder();
  AfterReorder(detail::TRecordStore::kNone);
  DataEvent(deDataSetChange, 0);
}

int TDataSet::ColumnOfDef(const std::string& name) const { return fieldDefs_->IndexOf(name); }

void TDataSet::CreateFields() {
  defaultFields_ = fields_->list_.empty();
  if (!defaultFields_) return;
  for (int i = 0; i < fieldDefs_->Count(); ++i) {
    TFieldDef* d = fieldDefs_->Items(i);
    const TClass* cls = FieldClassOf(d->GetDataType());
    if (!cls) continue;
    auto* f = static_cast<TField*>(cls->CreateComponent(this));
    f->isDefault_ = true;
    f->SetDataType(d->GetDataType());
    f->size_ = d->GetSize();
    f->fieldName_ = d->GetName();
    f->required_ = d->GetRequired();
    f->SetDataSet(this);
  }
}

void TDataSet::BindFields() {
  int calc = 0;
  hasCalcFields_ = false;
  for (TField* f : fields_->list_) {
    f->column_ = -1;
    f->calcIndex_ = -1;
    if (f->fieldKind_ == fkData) {
      int col = ColumnOfDef(f->fieldName_);
      if (col < 0) DatabaseErrorFmt(DbMsg("SFieldNotFound"), {f->fieldName_}, this);
      TFieldType defType = fieldDefs_->Items(col)->GetDataType();
      if (StorageKindOf(defType) != StorageKindOf(f->dataType_) ||
          IsTextFieldType(defType) != IsTextFieldType(f->dataType_))
        DatabaseErrorFmt(DbMsg("SFieldTypeMismatch"),
                         {f->fieldName_, FieldTypeName(f->dataType_), FieldTypeName(defType)},
                         this);
      f->column_ = col;
      if (f->size_ == 0) f->size_ = fieldDefs_->Items(col)->GetSize();
    } else {
      if (f->fieldKind_ == fkLookup) f->CheckLookupInfo();
      f->calcIndex_ = calc++;
      hasCalcFields_ = true;
    }
  }
  calcValues_.assign(static_cast<size_t>(calc), Null);
  calcSlot_ = detail::TRecordStore::kNone;
}

void TDataSet::DestroyDefaultFields() {
  if (!defaultFields_) return;
  std::vector<TField*> doomed;
  for (TField* f : fields_->list_)
    if (f->isDefault_) doomed.push_back(f);
  for (TField* f : doomed) TObject::Free(f);
}

// ---- Fields ----

TField* TDataSet::Fields(int index) const { return fields_->Get(index); }
int TDataSet::GetFieldCount() const { return fields_->Count(); }
TField* TDataSet::FindField(const std::string& name) const { return fields_->FindField(name); }
TField* TDataSet::FieldByName(const std::string& name) const { return fields_->FieldByName(name); }

void TDataSet::GetFieldNames(TStrings* list) const {
  list->BeginUpdate();
  list->Clear();
  for (TField* f : fields_->list_) list->Add(f->fieldName_);
  list->EndUpdate();
}

void TDataSet::GetFieldList(std::vector<TField*>& list, const std::string& names) const {
  for (const std::string& n : SplitFieldNames(names)) list.push_back(FieldByName(n));
}

Variant TDataSet::GetFieldValues(const std::string& names) const {
  std::vector<TField*> list;
  GetFieldList(list, names);
  if (list.size() == 1) return list[0]->GetValue();
  std::vector<Variant> values;
  for (TField* f : list) values.push_back(f->GetValue());
  return VarArrayOf(values);
}

void TDataSet::SetFieldValues(const std::string& names, const Variant& values) {
  std::vector<TField*> list;
  GetFieldList(list, names);
  if (list.size() == 1 && !values.IsArray()) {
    list[0]->SetValue(values);
    return;
  }
  if (!values.IsArray()) DatabaseErrorFmt(DbMsg("SFieldValueError"), {names}, this);
  int low = VarArrayLowBound(values);
  for (size_t i = 0; i < list.size(); ++i)
    list[i]->SetValue(values.GetElement(low + static_cast<int>(i)));
}

void TDataSet::AddField(TField* field) {
  fields_->list_.push_back(field);
  if (GetActive()) {
    if (field->fieldKind_ != fkData) {
      field->calcIndex_ = static_cast<int>(calcValues_.size());
      calcValues_.push_back(Null);
      hasCalcFields_ = true;
      calcSlot_ = detail::TRecordStore::kNone;
    } else {
      field->column_ = ColumnOfDef(field->fieldName_);
    }
    DataEvent(deLayoutChange, 0);
  }
}

void TDataSet::RemoveField(TField* field) {
  auto& l = fields_->list_;
  auto it = std::find(l.begin(), l.end(), field);
  if (it == l.end()) return;
  l.erase(it);
  for (TField*& f : sortFields_)
    if (f == field) f = nullptr;
  if (GetActive() && !ComponentState().Contains(csDestroying) && !field->isDefault_)
    DataEvent(deLayoutChange, 0);
}

void TDataSet::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TComponent::GetChildren(proc, root);
  for (TField* f : std::vector<TField*>(fields_->list_))
    if (!f->isDefault_ && f->GetOwner() == root) proc(f);
}

void TDataSet::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  for (TField* f : fields_->list_)
    if (f->lookupDataSet_ == component) f->lookupDataSet_ = nullptr;
}

// ---- Notifications ----

void TDataSet::AttachDataSource(TDataSource* source) {
  if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end())
    dataSources_.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource* source) {
  dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source),
                     dataSources_.end());
}

void TDataSet::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deFieldChange) {
    auto* f = reinterpret_cast<TField*>(info);
    if (f) f->OnChange(f);
  }
  if (disableCount_ > 0 && event != deUpdateState) {
    if (event == deLayoutChange) pendingLayout_ = true;
    if (event == deDataSetChange || event == deRecordChange || event == deFieldChange)
      pendingChange_ = true;
    return;
  }
  // A source may leave (or be freed) while an earlier one is told.
  for (TDataSource* s : detail::TPointerSnapshot<TDataSource>(dataSources_))
    if (detail::StillListed(dataSources_, s)) s->DataEvent(event, info);
}

void TDataSet::DisableControls() {
  if (disableCount_++ == 0) {
    pendingChange_ = pendingLayout_ = false;
    disabledSlot_ = pos_ >= 0 ? View()[static_cast<size_t>(pos_)] : detail::TRecordStore::kNone;
  }
}

void TDataSet::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ > 0) return;
  uint32_t now =
      GetActive() && pos_ >= 0 ? View()[static_cast<size_t>(pos_)] : detail::TRecordStore::kNone;
  bool layout = pendingLayout_, change = pendingChange_ || now != disabledSlot_;
  pendingChange_ = pendingLayout_ = false;
  if (!GetActive()) return;
  if (layout)
    DataEvent(deLayoutChange, 0);
  else if (change)
    DataEvent(deDataSetChange, 0);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  uint32_t keep = pos_ >= 0 ? View()[static_cast<size_t>(pos_)] : detail::TRecordStore::kNone;
  if (InternalRefresh()) RebuildOrder();
  if (!store_.Alive(keep)) keep = detail::TRecordStore::kNone;
  calcSlot_ = detail::TRecordStore::kNone;
  for (TField* f : fields_->list_)
    if (f->fieldKind_ == fkLookup && f->lookupCache_) f->RefreshLookupList();
  AfterReorder(keep);
  DataEvent(deDataSetChange, 0);
}

// ---- Calculated values ----

Variant TDataSet::CalcValue(const TField* field) {
  if (field->calcIndex_ < 0 || static_cast<size_t>(field->calcIndex_) >= calcValues_.size())
    return Null;
  if (state_ == dsCalcFields || calculating_) return calcValues_[field->calcIndex_];
  if (calcSlot_ != activeSlot_) RunCalcFields();
  return calcValues_[field->calcIndex_];
}

void TDataSet::SetCalcValue(const TField* field, const Variant& value) {
  if (state_ != dsCalcFields) DatabaseError(DbMsg("SNotEditing"), this);
  calcValues_[field->calcIndex_] = value;
}

void TDataSet::RunCalcFields() {
  std::fill(calcValues_.begin(), calcValues_.end(), Null);
  calcSlot_ = activeSlot_;
  if (activeSlot_ == detail::TRecordStore::kNone) return;
  TDataSetState saved = state_;
  calculating_ = true;
  state_ = dsCalcFields;
  struct Restore {
    TDataSet* d;
    TDataSetState s;
    ~Restore() {
      d->state_ = s;
      d->calculating_ = false;
    }
  } restore{this, saved};
  for (TField* f : fields_->list_) {
    if (f->fieldKind_ != fkLookup || f->calcIndex_ < 0) continue;
    Variant key = GetFieldValues(f->keyFields_);
    Variant result = Null;
    if (VarIsClear(key)) {
      // An empty key looks nothing up.
    } else if (f->lookupCache_ && f->lookupList_) {
      result = f->lookupList_->ValueOfKey(key);
    } else if (f->lookupDataSet_ && f->lookupDataSet_->GetActive()) {
      result = f->lookupDataSet_->Lookup(f->lookupKeyFields_, key, f->lookupResultField_);
    }
    calcValues_[f->calcIndex_] = result;
  }
  OnCalcFields(this);
}

void TDataSet::FieldChanged(TField* field) {
  if (field->fieldKind_ == fkData && (state_ == dsEdit || state_ == dsInsert)) modified_ = true;
  // Without AutoCalcFields, an edit keeps the values calculated when it began.
  bool editing = state_ == dsEdit || state_ == dsInsert;
  if (field->fieldKind_ == fkData && (autoCalcFields_ || !editing))
    calcSlot_ = detail::TRecordStore::kNone;
  if (state_ == dsCalcFields || state_ == dsSetKey || state_ == dsFilter) return;
  DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field));
}

size_t TDataSet::MemoryBytes() const {
  return store_.MemoryBytes() + natural_.capacity() * 4 + order_.capacity() * 4 +
         positions_.capacity() * 4 + accept_.capacity() + firstKeys_.capacity() * 8;
}

}  // namespace tabulon
