// TQXEdit: one shared accessor that reaches the record, the value and the
// settings of any panel editor, dispatching on the editor's class. Other
// descendants of the mask edit with a button (the stand-alone controls) get
// the fallbacks: no record, a Null value, nothing shown, nothing applied.
#include <memory>

#include "platform/core/class_builder.h"
#include "run/tbnset/editors.h"
#include "run/tbnset/panel.h"
#include "run/tbnset/record.h"

namespace tabulon {

TQXEdit* EditAccessor(TObject* control) {
  auto* edit = dynamic_cast<TCustomQXMaskEdit*>(control);
  if (!edit) return nullptr;
  static const std::unique_ptr<TQXEdit> shared = std::make_unique<TQXEdit>();
  shared->Control = edit;
  return shared.get();
}

TFieldRecord* TQXEdit::GetFieldRecord() const {
  TFieldRecord* record = nullptr;
  WithFieldRecordEditor(Control, [&](auto* e) { record = e->FieldRecord; });
  return record;
}

void TQXEdit::SetFieldRecord(TFieldRecord* record) const {
  WithFieldRecordEditor(Control, [&](auto* e) { e->FieldRecord = record; });
}

namespace {

// Shows `text`: a drop-down editor takes it without searching its list; one
// that cannot be modified (no list, read-only) still shows it.
void ShowText(TCustomQXMaskEdit* edit, const std::string& text) {
  auto* popup = dynamic_cast<TCustomLookupEdit*>(edit);
  if (popup && popup->CanModify())
    popup->SetText(text);
  else
    edit->TCustomMaskEdit::SetText(text);
}

}  // namespace

Variant TQXEdit::GetValue(bool strict) const {
  auto* lookup = dynamic_cast<TFieldRecordLookup*>(Control);
  if (lookup && lookup->KeyMode()) return lookup->GetKeyValue();
  TFieldRecord* record = GetFieldRecord();
  if (!record || Control->TextIsNull()) return Null;
  const std::string text = Control->GetText();
  if (!strict && !record->IsConvertText(text)) {
    const int slot = record->GetEditIndex(Control);
    return slot < 0 ? Variant(Null) : record->GetAsVariant(slot);
  }
  return record->TextToVariant(text);
}

void TQXEdit::SetValue(const Variant& value) const {
  TFieldRecord* record = GetFieldRecord();
  if (!record) return;
  auto* lookup = dynamic_cast<TFieldRecordLookup*>(Control);
  if (lookup && lookup->KeyMode()) {
    lookup->SetKeyValue(VarIsClear(value) ? Variant(Null) : value);
    if (VarIsClear(value)) ShowText(lookup, std::string());
    return;
  }
  ShowText(Control, record->VariantToText(value));
}

namespace {

// Binds (or, without a panel, detaches) every event the panel routes.
template <class E>
void BindEvents(E* e, TPanelFieldsSet* p) {
  using P = TPanelFieldsSet;
  if (!p) {
    e->OnChange = e->OnExit = e->OnClick = e->OnDblClick = e->OnEnter = e->OnButtonClick =
        TNotifyEvent();
    e->OnKeyDown = e->OnKeyUp = TKeyEvent();
    e->OnKeyPress = TKeyPressEvent();
    e->OnMouseDown = e->OnMouseUp = TMouseEvent();
    e->OnMouseMove = TMouseMoveEvent();
    return;
  }
  e->OnChange = TNotifyEvent(p, &P::EditChange);
  e->OnExit = TNotifyEvent(p, &P::EditExit);
  e->OnClick = TNotifyEvent(p, &P::EditClick);
  e->OnDblClick = TNotifyEvent(p, &P::EditDblClick);
  e->OnEnter = TNotifyEvent(p, &P::EditEnter);
  e->OnKeyDown = TKeyEvent(p, &P::EditKeyDown);
  e->OnKeyPress = TKeyPressEvent(p, &P::EditKeyPress);
  e->OnKeyUp = TKeyEvent(p, &P::EditKeyUp);
  e->OnMouseDown = TMouseEvent(p, &P::EditMouseDown);
  e->OnMouseMove = TMouseMoveEvent(p, &P::EditMouseMove);
  e->OnMouseUp = TMouseEvent(p, &P::EditMouseUp);
  e->OnButtonClick = TNotifyEvent(p, &P::EditButtonClick);
}

}  // namespace

void TQXEdit::ApplySettings() const {
  WithFieldRecordEditor(Control, [](auto* e) {
    TFieldRecord* record = e->FieldRecord;
    TPanelFieldsSet* panel = record && record->GetFieldsList()
                                 ? dynamic_cast<TPanelFieldsSet*>(record->GetPanel())
                                 : nullptr;
    if (!panel) {
      BindEvents(e, nullptr);
      e->SetEnabled(false);
      e->SetVisible(false);
      return;
    }
    using E = std::remove_pointer_t<decltype(e)>;
    if constexpr (std::is_same_v<E, TFieldRecordLookup>) {
      e->SetKeyFieldName(record->InternalKeyField());
      e->SetListFieldName(record->InternalListField());
      e->SetListFieldIndex(record->InternalListFieldIndex());
      e->SetDropDownRows(record->GetDropDownRows());
      e->SetLocate(record->GetLocate());
      if (e->GetListSource() != record->InternalListSource())
        e->SetListSource(record->InternalListSource());
    }
    BindEvents(e, panel);
    TStyleOptions* style = panel->GetStyleOptions();
    e->SetDirectInput(record->GetDirectInput());
    e->SetVisible(record->GetVisible());
    TFont* font = style->GetFont(2);
    if (!e->GetFont()->SameAs(*font)) e->SetFont(font);
    e->SetEditMask(record->GetEditMask());
    e->SetColor(style->GetColor(1));
    e->SetAlignment(record->GetAlignment());
    if constexpr (std::is_same_v<E, TFieldRecordEdit>)
      e->SetButtonVisible(record->GetButtonStyle() == rbsEllipsis);
    e->SetCtl3D(style->GetCtl3D());
    e->SetCursor(panel->GetEditCursor());
  });
}

TBN_REGISTER(TQXEdit) {}

}  // namespace tabulon
