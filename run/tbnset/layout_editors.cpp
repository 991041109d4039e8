// The editors of a fields panel's rows as the layout pass sees them: which
// class a slot's editor has, how a created or re-used editor takes the
// record's and the panel's settings, how a value is shown in it, and how an
// editor that is no longer needed goes (parked instead of freed while it
// has the focus). The package's editors go through their accessor; a
// descendant panel that chooses another edit class gets the plain steps.
#include "platform/forms/edit.h"
#include "run/tbnset/editors.h"
#include "run/tbnset/panel.h"

namespace tabulon {

const TClass* TPanelFieldsSet::EditorClass(TFieldRecord* record, int) {
  if (record->GetButtonStyle() == rbsLookup || record->GetLookupMode())
    return TFieldRecordLookup::StaticClass();
  if (record->GetButtonStyle() == rbsPickList) return TFieldRecordComboBox::StaticClass();
  return TFieldRecordEdit::StaticClass();
}

bool TPanelFieldsSet::BindEditor(TControl* editor, TFieldRecord* record, int) {
  // The package's editors keep the record; other mask edits take the plain steps.
  if (TQXEdit* accessor = EditAccessor(editor)) {
    accessor->SetFieldRecord(record);
    if (accessor->GetFieldRecord() == record) {
      accessor->ApplySettings();
      return true;
    }
  }
  auto* edit = dynamic_cast<TCustomEdit*>(editor);
  if (!edit) return false;
  // The style options decide the look, not the scroll box.
  edit->SetParentFont(false);
  edit->SetParentCtl3D(false);
  edit->SetVisible(record->GetVisible());
  TFont* font = StyleOptions->GetFont(2);
  if (!edit->GetFont()->SameAs(*font)) edit->SetFont(font);
  edit->SetColor(StyleOptions->GetColor(1));
  edit->SetCtl3D(StyleOptions->GetCtl3D());
  edit->SetCursor(EditCursor);
  return true;
}

void TPanelFieldsSet::ShowEditorValue(TControl* editor, TFieldRecord* record, int,
                                      const Variant& value) {
  if (TQXEdit* accessor = EditAccessor(editor)) {
    accessor->SetValue(value);
  } else if (auto* edit = dynamic_cast<TCustomEdit*>(editor)) {
    edit->SetText(record->VariantToText(value));
  }
}

void TPanelFieldsSet::ShowEditValue(TFieldRecord* record, int slot) {
  auto* editor = dynamic_cast<TControl*>(record->Editors[slot]);
  if (!editor) return;
  ShowEditorValue(editor, record, slot, record->GetAsVariant(slot));
  if (auto* edit = dynamic_cast<TCustomEdit*>(editor)) edit->SetModified(false);
}

void TPanelFieldsSet::DestroyEditor(TFieldRecord* record, int slot) {
  TComponent* editor = std::exchange(record->Editors[slot], nullptr);
  if (!editor) return;
  auto* win = dynamic_cast<TWinControl*>(editor);
  if (!win || !win->Focused()) {
    TObject::Free(editor);
    return;
  }
  // Freed inside its own message handling the control would pull the
  // ground from under the handler: it waits, detached, disabled and hidden.
  if (TQXEdit* accessor = EditAccessor(win); accessor && accessor->GetFieldRecord()) {
    accessor->SetFieldRecord(nullptr);
    accessor->ApplySettings();
  } else {
    win->OnExit = TNotifyEvent();
    win->SetEnabled(false);
    win->SetVisible(false);
  }
  if (ParkedEdit == win) return;
  if (TControl* old = std::exchange(ParkedEdit, win)) {
    old->RemoveFreeNotification(this);
    TObject::Free(old);
  }
  win->FreeNotification(this);
}

}  // namespace tabulon
