// The three panel editor classes: construction, the destructor that leaves
// no dangling active control on the form, the filtering of typed
// characters, the lookup editor's key mode and the combo box editor's list
// handling over the record's pick list.
#include "run/tbnset/editors.h"

#include "platform/core/class_builder.h"
#include "platform/db/field.h"
#include "platform/forms/form.h"
#include "platform/graphics/sysmetrics.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/record.h"

namespace tabulon {

namespace {

// The style options decide font and 3-D look, not the scroll box.
void TakeStyleFromPanel(TWinControl* editor) {
  editor->SetParentFont(false);
  editor->SetParentCtl3D(false);
}

// A form whose active control is `editor` forgets it before the editor goes.
void LeaveActiveControl(TWinControl* editor) {
  TCustomForm* form = GetParentForm(editor);
  if (form && form->GetActiveControl() == editor) form->SetActiveControl(nullptr);
}

// Whether `accepted` lets the printable character through; a refused one
// beeps and becomes 0, so that it is not inserted.
void FilterKey(char32_t& key, bool accepted) {
  if (accepted) return;
  MessageBeep(MB_OK);
  key = 0;
}

}  // namespace

// ---- TFieldRecordEdit ----

TFieldRecordEdit::TFieldRecordEdit(TComponent* owner) : TQXMaskEdit(owner) {
  TakeStyleFromPanel(this);
}

TFieldRecordEdit::~TFieldRecordEdit() { LeaveActiveControl(this); }

void TFieldRecordEdit::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key >= 32 && FieldRecord) FilterKey(key, FieldRecord->IsValidChar(key));
}

// ---- TFieldRecordLookup ----

TFieldRecordLookup::TFieldRecordLookup(TComponent* owner) : TQXLookupEdit(owner) {
  TakeStyleFromPanel(this);
}

TFieldRecordLookup::~TFieldRecordLookup() { LeaveActiveControl(this); }

TField* TFieldRecordLookup::ShownListField() const {
  const std::vector<TField*>& fields = GetListFieldObjects();
  if (fields.empty()) return nullptr;
  const int i = GetListFieldIndex();
  return i >= 0 && i < static_cast<int>(fields.size()) ? fields[static_cast<size_t>(i)]
                                                       : fields.front();
}

bool TFieldRecordLookup::KeyMode() const {
  if (!FieldRecord || FieldRecord->GetLookupMode()) return false;
  TField* shown = ShownListField();
  return shown && shown != FieldRecord->GetField();
}

void TFieldRecordLookup::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key < 32 || !FieldRecord) return;
  if (!KeyMode() && !FieldRecord->GetLookupMode()) {
    FilterKey(key, FieldRecord->IsValidChar(key));
  } else if (TField* shown = ShownListField()) {
    FilterKey(key, shown->IsValidChar(key));
  }
}

// ---- TFieldRecordComboBox ----

TFieldRecordComboBox::TFieldRecordComboBox(TComponent* owner) : TCustomQXComboBoxEdit(owner) {
  TakeStyleFromPanel(this);
}

TFieldRecordComboBox::~TFieldRecordComboBox() { LeaveActiveControl(this); }

TStrings* TFieldRecordComboBox::GetItems() {
  if (GetListVisible() || !FieldRecord) return inherited::GetItems();
  return FieldRecord->GetPickList();
}

void TFieldRecordComboBox::SetItems(TStrings* v) {
  if (GetListVisible() || !FieldRecord)
    inherited::SetItems(v);
  else
    FieldRecord->SetPickList(v);
}

int TFieldRecordComboBox::GetItemIndex() {
  return GetListVisible() ? inherited::GetItemIndex() : ClosedItemIndex;
}

void TFieldRecordComboBox::SetItemIndex(int v) {
  ClosedItemIndex = v;
  if (GetListVisible()) inherited::SetItemIndex(v);
}

TSearchState TFieldRecordComboBox::GetSearchState() const {
  if (!FieldRecord) return inherited::GetSearchState();
  if (FieldRecord->GetLocate() != loAuto && !GetListVisible()) return ssExact;
  return TFieldsSetModel::CaseSensitiveDependent(FieldRecord->GetDataType()) ? ssNearest : ssExact;
}

void TFieldRecordComboBox::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key >= 32 && FieldRecord) FilterKey(key, FieldRecord->IsValidChar(key));
}

void TFieldRecordComboBox::DoBeforeShow() {
  if (FieldRecord) {
    TCustomPopupWindow* list = GetList();
    list->SetItems(FieldRecord->GetPickList());
    list->SetItemIndex(FieldRecord->GetLocate() == loDropDown ? -1 : ClosedItemIndex);
  }
  inherited::DoBeforeShow();
}

void TFieldRecordComboBox::DoAfterCloseUp(bool accept) {
  inherited::DoAfterCloseUp(accept);
  ClosedItemIndex = GetList()->GetItemIndex();
}

TBN_REGISTER(TFieldRecordEdit) {}
TBN_REGISTER(TFieldRecordLookup) {}
TBN_REGISTER(TFieldRecordComboBox) {}

}  // namespace tabulon
