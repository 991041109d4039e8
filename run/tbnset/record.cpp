// TFieldRecord: construction, binding to the dataset field, defaults,
// presentation and lookup settings, copying.
#include "run/tbnset/record.h"

#include "platform/controls/label.h"
#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "run/tbnset/editors.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/list.h"

namespace tabulon {

TFieldRecord::TFieldRecord(TCollection* collection)
    : TCollectionItem(collection), captions_(std::make_unique<TFieldRecordCaptions>(this)) {
  if (auto* list = dynamic_cast<TFieldsList*>(collection)) {
    list->Changes += {lcLayout, lcSettings};
    list->Touch();
  }
}

TFieldRecord::~TFieldRecord() {
  DestroyComponents();
  captions_.reset();
  lookupSource_.reset();
  pickList_.reset();
  AddChanges({lcLayout, lcSettings});
}

TFieldsList* TFieldRecord::GetFieldsList() const {
  return static_cast<TFieldsList*>(GetCollection());
}

TFieldsSetModel* TFieldRecord::GetPanel() const {
  TFieldsList* list = GetFieldsList();
  return list ? list->GetPanel() : nullptr;
}

TPersistent* TFieldRecord::GetOwner() const {
  TFieldsSetModel* panel = GetPanel();
  return panel ? panel->GetComponent() : nullptr;
}

void TFieldRecord::AddChanges(TFieldsListChanges changes) const {
  if (TFieldsList* list = GetFieldsList()) {
    list->Changes += changes;
    list->Touch();
  }
}

bool TFieldRecord::PanelLoading() const {
  TFieldsSetModel* panel = GetPanel();
  return panel && panel->GetComponentState().Contains(csLoading);
}

std::string TFieldRecord::GetDisplayName() const {
  return fieldName_.empty() ? std::string("TFieldRecord") : fieldName_;
}

void TFieldRecord::SetIndex(int value) {
  TFieldsList* list = GetFieldsList();
  if (!list) {
    TCollectionItem::SetIndex(value);
    return;
  }
  // The field map holds positions: it follows the move before the list's
  // update runs.
  const int from = GetIndex();
  list->BeginUpdate();
  try {
    TCollectionItem::SetIndex(value);
    const int to = GetIndex();
    if (to != from) {
      AddChanges({lcLayout});
      list->MoveInFieldMap(from, to);
    }
  } catch (...) {
    list->EndUpdate();
    throw;
  }
  list->EndUpdate();
}

void TFieldRecord::DestroyComponents() {
  for (TComponent*& c : Editors) TObject::Free(std::exchange(c, nullptr));
  for (TComponent*& c : CommentLabels) TObject::Free(std::exchange(c, nullptr));
  for (TComponent*& c : CaptionLabels) TObject::Free(std::exchange(c, nullptr));
}

int TFieldRecord::GetEditIndex(const TComponent* control) const {
  if (!control) return -1;
  if (Editors[0] == control) return 0;
  if (Editors[1] == control) return 1;
  return -1;
}

// ---- Binding ----

void TFieldRecord::Update() {
  Bind();
  AddChanges({lcLayout, lcSettings});
  Notify();
}

void TFieldRecord::Rebind() {
  if (!Bind()) return;
  AddChanges({lcLayout, lcSettings});
  Notify();
}

bool TFieldRecord::Bind() {
  const int oldFieldIndex = fieldIndex_;
  const int oldIndexFieldNo = indexFieldNo_;
  const TFieldType oldDataType = GetDataType();
  const bool oldLookupMode = lookupMode_;
  TFieldsSetModel* panel = GetPanel();
  fieldIndex_ = -1;
  if (recordKind_ == rkData && panel && panel->GetDataLink()->GetActive()) {
    if (TField* field = panel->GetDataLink()->GetDataSet()->FindField(fieldName_))
      fieldIndex_ = field->GetIndex();
  }
  indexFieldNo_ = panel ? panel->GetIndexFieldNo(this) : -1;
  UpdateValues();
  TField* field = GetField();
  SetLookupMode(field && field->GetFieldKind() == fkLookup && buttonStyle_ == rbsAuto);
  return fieldIndex_ != oldFieldIndex || indexFieldNo_ != oldIndexFieldNo ||
         GetDataType() != oldDataType || lookupMode_ != oldLookupMode;
}

TField* TFieldRecord::GetField() const {
  if (fieldIndex_ == -1) return nullptr;
  TFieldsSetModel* panel = GetPanel();
  if (!panel || !panel->GetDataLink()->GetActive()) return nullptr;
  TDataSet* ds = panel->GetDataLink()->GetDataSet();
  // The binding can be stale when fields were removed without a layout
  // notification; an out-of-range position binds nothing.
  if (fieldIndex_ >= ds->GetFieldCount()) return nullptr;
  return ds->Fields(fieldIndex_);
}

TField* TFieldRecord::InternalGetField() const {
  return GetPanel()->GetDataLink()->GetDataSet()->Fields(fieldIndex_);
}

TField* TFieldRecord::GetDefaultField() const {
  if (recordKind_ == rkCalculated) return nullptr;
  if (TField* f = GetField()) return f;
  TFieldsSetModel* panel = GetPanel();
  if (!panel) return nullptr;
  TPanelFieldsSetDataLink* link = panel->GetDataLink();
  TDataSet* ds = link->GetDataSet();
  if (!link->GetActive() && ds && !ds->GetDefaultFields()) return ds->FindField(fieldName_);
  return nullptr;
}

Variant TFieldRecord::GetFieldValue() const { return InternalGetField()->GetValue(); }

// ---- Defaults ----

std::string TFieldRecord::DefaultDisplayLabel() const {
  TField* f = GetDefaultField();
  return f ? f->GetDisplayLabel() : fieldName_;
}
int32_t TFieldRecord::DefaultDisplayWidth() const {
  TField* f = GetDefaultField();
  return f ? f->GetDisplayWidth() : 10;
}
std::string TFieldRecord::DefaultEditMask() const {
  TField* f = GetDefaultField();
  return f ? f->GetEditMask() : std::string();
}
bool TFieldRecord::DefaultVisible() const {
  TField* f = GetDefaultField();
  return f ? f->GetVisible() : true;
}
TAlignment TFieldRecord::DefaultAlignment() const {
  TField* f = GetDefaultField();
  return f ? f->GetAlignment() : taLeftJustify;
}

TFieldType TFieldRecord::GetDataType() const {
  if (recordKind_ == rkCalculated) return dataType_;
  TField* f = GetDefaultField();
  return f ? f->GetDataType() : ftUnknown;
}

// ---- Presentation settings ----

std::string TFieldRecord::GetDisplayLabel() const {
  return assigned_.Contains(frvDisplayLabel) ? displayLabel_ : DefaultDisplayLabel();
}
void TFieldRecord::SetDisplayLabel(const std::string& value) {
  if (assigned_.Contains(frvDisplayLabel) && displayLabel_ == value) return;
  displayLabel_ = value;
  AddAssigned(frvDisplayLabel);
  AddChanges({lcLayout});
  Notify();
}
bool TFieldRecord::IsDisplayLabelStored() const {
  return assigned_.Contains(frvDisplayLabel) && displayLabel_ != DefaultDisplayLabel();
}

int32_t TFieldRecord::GetDisplayWidth() const {
  return assigned_.Contains(frvDisplayWidth) ? displayWidth_ : DefaultDisplayWidth();
}
void TFieldRecord::SetDisplayWidth(int32_t value) {
  if (assigned_.Contains(frvDisplayWidth) && displayWidth_ == value) return;
  displayWidth_ = value;
  AddAssigned(frvDisplayWidth);
  AddChanges({lcLayout});
  Notify();
}
bool TFieldRecord::IsDisplayWidthStored() const {
  return assigned_.Contains(frvDisplayWidth) && displayWidth_ != DefaultDisplayWidth();
}

std::string TFieldRecord::GetEditMask() const {
  return assigned_.Contains(frvEditMask) ? editMask_ : DefaultEditMask();
}
void TFieldRecord::SetEditMask(const std::string& value) {
  if (assigned_.Contains(frvEditMask) && editMask_ == value) return;
  editMask_ = value;
  AddAssigned(frvEditMask);
  ForEachEditor([&](TComponent* e) {
    if (auto* edit = dynamic_cast<TCustomMaskEdit*>(e)) edit->SetEditMask(value);
  });
}
bool TFieldRecord::IsEditMaskStored() const {
  return assigned_.Contains(frvEditMask) && editMask_ != DefaultEditMask();
}

bool TFieldRecord::GetVisible() const {
  return assigned_.Contains(frvVisible) ? visible_ : DefaultVisible();
}
void TFieldRecord::SetVisible(bool value) {
  if (assigned_.Contains(frvVisible) && visible_ == value) return;
  visible_ = value;
  AddAssigned(frvVisible);
  AddChanges({lcLayout});
  Notify();
}
bool TFieldRecord::IsVisibleStored() const {
  return assigned_.Contains(frvVisible) && visible_ != DefaultVisible();
}

int32_t TFieldRecord::GetCommentWidth() const {
  return assigned_.Contains(frvCommentWidth) ? commentWidth_ : DefaultDisplayWidth();
}
void TFieldRecord::SetCommentWidth(int32_t value) {
  if (assigned_.Contains(frvCommentWidth) && commentWidth_ == value) return;
  commentWidth_ = value;
  AddAssigned(frvCommentWidth);
  AddChanges({lcLayout});
  Notify();
}
bool TFieldRecord::IsCommentWidthStored() const {
  return assigned_.Contains(frvCommentWidth) && commentWidth_ != DefaultDisplayWidth();
}

TAlignment TFieldRecord::GetAlignment() const {
  return assigned_.Contains(frvAlignment) ? alignment_ : DefaultAlignment();
}
void TFieldRecord::SetAlignment(TAlignment value) {
  if (assigned_.Contains(frvAlignment) && alignment_ == value) return;
  alignment_ = value;
  AddAssigned(frvAlignment);
  ForEachEditor([&](TComponent* e) {
    WithFieldRecordEditor(e, [&](auto* edit) { edit->SetAlignment(value); });
  });
}
bool TFieldRecord::IsAlignmentStored() const {
  return assigned_.Contains(frvAlignment) && alignment_ != DefaultAlignment();
}

void TFieldRecord::SetCommentVisible(bool value) {
  if (commentVisible_ == value) return;
  commentVisible_ = value;
  AddChanges({lcLayout});
  Notify();
}

void TFieldRecord::SetButtonStyle(TRecordButtonStyle value) {
  if (buttonStyle_ == value) return;
  buttonStyle_ = value;
  TField* field = GetField();
  SetLookupMode(field && field->GetFieldKind() == fkLookup && buttonStyle_ == rbsAuto);
  AddChanges({lcLayout});
  Notify();
}

void TFieldRecord::SetDirectInput(bool value) {
  if (directInput_ == value) return;
  directInput_ = value;
  ForEachEditor([&](TComponent* e) {
    WithFieldRecordEditor(e, [&](auto* edit) { edit->SetDirectInput(value); });
  });
}

std::string TFieldRecord::GetCommentText(int index) const {
  return index == 0 || index == 1 ? commentTexts_[index] : std::string();
}
void TFieldRecord::SetCommentText(int index, const std::string& value) {
  if (index != 0 && index != 1) return;
  commentTexts_[index] = value;
  // The label shows the text also when it did not change.
  if (auto* label = dynamic_cast<TLabel*>(CommentLabels[index]))
    label->SetCaption(value.empty() ? " " : value);
}

void TFieldRecord::SetCaptions(TFieldCaptions* value) { captions_->Assign(value); }

TStrings* TFieldRecord::GetPickList() const {
  if (!pickList_) pickList_ = std::make_unique<TStringList>();
  return pickList_.get();
}
void TFieldRecord::SetPickList(TStrings* value) { GetPickList()->Assign(value); }

// ---- Data type and kind ----

void TFieldRecord::SetDataType(TFieldType value) {
  if (value == dataType_) return;
  if (recordKind_ == rkData) {
    if (!PanelLoading()) TabulonError(25104, {ClassName()});
    recordKind_ = rkCalculated;
  }
  dataType_ = value;
  Update();
}
bool TFieldRecord::IsDataTypeStored() const {
  return recordKind_ == rkCalculated && dataType_ != ftUnknown;
}

void TFieldRecord::SetRecordKind(TRecordKind value) {
  if (recordKind_ == value) return;
  TField* field = GetField();
  recordKind_ = value;
  if (value == rkCalculated && field) dataType_ = field->GetDataType();
  Update();
}

// ---- Lookup settings ----

TFieldRecordLookup* TFieldRecord::LookupEditor(TComponent* editor) {
  return dynamic_cast<TFieldRecordLookup*>(editor);
}

void TFieldRecord::CheckNotLookup() const {
  if (lookupMode_) DatabaseError(DbMsg("SPropDefByLookup"));
}

void TFieldRecord::SetLookupMode(bool value) {
  if (lookupMode_ == value) return;
  if (value) {
    TField* field = GetField();
    lookupMode_ = true;
    listFieldIndex_ = 0;
    keyField_ = field ? field->GetLookupKeyFields() : std::string();
    listField_ = field ? field->GetLookupResultField() : std::string();
    if (!lookupSource_) lookupSource_ = std::make_unique<TDataSource>(nullptr);
    lookupSource_->SetDataSet(field ? field->GetLookupDataSet() : nullptr);
    listSource_ = lookupSource_.get();
  } else {
    listSource_ = nullptr;
    lookupMode_ = false;
    listFieldIndex_ = 0;
    keyField_.clear();
    listField_.clear();
    if (lookupSource_) lookupSource_->SetDataSet(nullptr);
  }
}

std::string TFieldRecord::GetKeyField() const { return lookupMode_ ? std::string() : keyField_; }
void TFieldRecord::SetKeyField(const std::string& value) {
  CheckNotLookup();
  if (keyField_ == value) return;
  keyField_ = value;
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetKeyFieldName(value); });
}
std::string TFieldRecord::GetListField() const { return lookupMode_ ? std::string() : listField_; }
void TFieldRecord::SetListField(const std::string& value) {
  CheckNotLookup();
  if (listField_ == value) return;
  listField_ = value;
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetListFieldName(value); });
}
int32_t TFieldRecord::GetListFieldIndex() const { return lookupMode_ ? 0 : listFieldIndex_; }
void TFieldRecord::SetListFieldIndex(int32_t value) {
  CheckNotLookup();
  if (listFieldIndex_ == value) return;
  listFieldIndex_ = value;
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetListFieldIndex(value); });
}
TDataSource* TFieldRecord::GetListSource() const { return lookupMode_ ? nullptr : listSource_; }
void TFieldRecord::SetListSource(TDataSource* value) {
  CheckNotLookup();
  if (listSource_ == value) return;
  listSource_ = value;
  TFieldsSetModel* panel = GetPanel();
  if (value && panel) panel->GetComponent()->FreeNotification(value);
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetListSource(value); });
}
void TFieldRecord::SetLocate(TLocateOption value) {
  if (locate_ == value) return;
  locate_ = value;
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetLocate(value); });
}
void TFieldRecord::SetDropDownRows(int32_t value) {
  if (dropDownRows_ == value) return;
  dropDownRows_ = value;
  ForEachLookupEditor([&](TFieldRecordLookup* e) { e->SetDropDownRows(value); });
}

// ---- Copying ----

void TFieldRecord::Assign(TPersistent* source) {
  auto* src = dynamic_cast<TFieldRecord*>(source);
  if (!src) {
    TCollectionItem::Assign(source);
    return;
  }
  TFieldsList* list = GetFieldsList();
  if (list) list->BeginUpdate();
  try {
    // Name is not copied: an explicit name stays explicit (and unique), a
    // derived one follows the copied field name.
    assigned_ = assigned_.Contains(frvName) ? TFieldRecordValues{frvName} : TFieldRecordValues();
    SetFieldName(src->GetFieldName());
    TFieldRecordValues from = src->assigned_;
    if (from.Contains(frvDisplayLabel)) SetDisplayLabel(src->GetDisplayLabel());
    if (from.Contains(frvDisplayWidth)) SetDisplayWidth(src->GetDisplayWidth());
    if (from.Contains(frvEditMask)) SetEditMask(src->GetEditMask());
    if (from.Contains(frvVisible)) SetVisible(src->GetVisible());
    if (from.Contains(frvCompare)) SetCompare(src->GetCompare());
    if (from.Contains(frvCount)) SetCount(src->GetCount());
    if (from.Contains(frvCaseInsensitive)) SetCaseInsensitive(src->GetCaseInsensitive());
    if (from.Contains(frvAlignment)) SetAlignment(src->GetAlignment());
    SetButtonStyle(src->GetButtonStyle());
    SetRecordKind(src->GetRecordKind());
    if (recordKind_ == rkCalculated) SetDataType(src->GetDataType());
    SetAsVariant(0, src->GetAsVariant(0));
    SetAsVariant(1, src->GetAsVariant(1));
    AddChanges({lcLayout, lcSettings});
  } catch (...) {
    if (list) list->EndUpdate();
    throw;
  }
  if (list) list->EndUpdate();
}

// ---- TFilterRecord ----

Variant TFilterRecord::GetFieldValue() const {
  TField* field = InternalGetField();
  if (field->GetFieldKind() != fkLookup) return field->GetValue();
  TDataSet* ds = field->GetDataSet();
  Variant key = ds->GetFieldValues(field->GetKeyFields());
  if (field->GetLookupCache() && field->GetLookupList())
    return field->GetLookupList()->ValueOfKey(key);
  TDataSet* lookup = field->GetLookupDataSet();
  if (lookup && lookup->GetActive())
    return lookup->Lookup(field->GetLookupKeyFields(), key, field->GetLookupResultField());
  return Unassigned;
}

}  // namespace tabulon
