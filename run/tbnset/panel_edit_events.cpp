// TPanelFieldsSet: the routing of editor events to the panel's OnEdit...
// events (record and slot instead of a sender), the reading of typed text
// into the records, and the update states that decide when edited values
// are applied: at every change (usAuto, and every state but usNone at
// design time, in the record's value write), when an editor is left
// (usEditExit, usEditExitChange), when the panel is left (usExit,
// usExitChange), or only on ValuesChanged (usNone).
#include "platform/core/exceptions.h"
#include "platform/forms/mask.h"
#include "run/tbnset/editors.h"
#include "run/tbnset/panel.h"

namespace tabulon {

namespace {

// The editor `sender`, its record and slot; false when it is not a panel
// editor with a record. The slot may be -1 (not one of the record's editors).
struct TEditTarget {
  TQXEdit* Accessor = nullptr;
  TFieldRecord* Record = nullptr;
  int Slot = -1;
};

bool FindTarget(TObject* sender, TEditTarget& t) {
  t.Accessor = EditAccessor(sender);
  t.Record = t.Accessor ? t.Accessor->GetFieldRecord() : nullptr;
  if (!t.Record) return false;
  t.Slot = t.Record->GetEditIndex(t.Accessor->Control);
  return true;
}

// Sets a record's UpdatingEdit flag of a slot for a scope.
class TUpdatingEdit {
 public:
  TUpdatingEdit(TFieldRecord* record, int slot) : flag_(record->UpdatingEdit[slot]) {
    flag_ = true;
  }
  ~TUpdatingEdit() { flag_ = false; }
  TUpdatingEdit(const TUpdatingEdit&) = delete;
  TUpdatingEdit& operator=(const TUpdatingEdit&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TPanelFieldsSet::EditChange(TObject* sender) {
  TEditTarget t;
  if (!FindTarget(sender, t) || t.Slot < 0) return;
  if (!t.Record->UpdatingEdit[t.Slot]) {
    TUpdatingEdit updating(t.Record, t.Slot);
    // Typing never raises: a text that does not convert keeps the previous
    // value, and what the value write sets off stays quiet too.
    try {
      t.Record->SetAsVariant(t.Slot, t.Accessor->GetValue(false));
    } catch (const Exception&) {
    }
  }
  if (OnEditChange) OnEditChange(t.Record, t.Slot);
}

void TPanelFieldsSet::EditExit(TObject* sender) {
  TEditTarget t;
  if (!FindTarget(sender, t) || t.Slot < 0) return;
  TCustomQXMaskEdit* edit = t.Accessor->Control;
  try {
    if (!t.Record->UpdatingEdit[t.Slot] && edit->GetModified() &&
        edit->GetText() != FormatMaskText(edit->GetEditMask(), "")) {
      TUpdatingEdit updating(t.Record, t.Slot);
      const Variant value = t.Accessor->GetValue(true);
      EditAccessor(edit)->SetValue(value);
      edit->SetModified(false);
    }
    if (OnEditExit) OnEditExit(t.Record, t.Slot);
    // A range left half-filled becomes a single-value range.
    if (t.Slot == 0 && t.Record->GetCount() == coTwo && t.Record->IsNull(1))
      t.Record->SetAsVariant(1, t.Record->GetAsVariant(0));
    if (UpdateState == usEditExit ||
        (UpdateState == usEditExitChange && Fields->Changes.Contains(lcPending)))
      ValuesChanged();
  } catch (...) {
    if (edit->CanFocus()) edit->SetFocus();
    throw;
  }
}

void TPanelFieldsSet::DoExit() {
  TCustomPanel::DoExit();
  if (UpdateState == usExit || (UpdateState == usExitChange && Fields->Changes.Contains(lcPending)))
    ValuesChanged();
}

void TPanelFieldsSet::EditClick(TObject* sender) {
  TEditTarget t;
  if (OnEditClick && FindTarget(sender, t)) OnEditClick(t.Record, t.Slot);
}

void TPanelFieldsSet::EditDblClick(TObject* sender) {
  TEditTarget t;
  if (OnEditDblClick && FindTarget(sender, t)) OnEditDblClick(t.Record, t.Slot);
}

void TPanelFieldsSet::EditEnter(TObject* sender) {
  TEditTarget t;
  if (OnEditEnter && FindTarget(sender, t)) OnEditEnter(t.Record, t.Slot);
}

void TPanelFieldsSet::EditButtonClick(TObject* sender) {
  TEditTarget t;
  if (OnEditButtonClick && FindTarget(sender, t)) OnEditButtonClick(t.Record, t.Slot);
}

void TPanelFieldsSet::EditKeyDown(TObject* sender, uint16_t& key, TShiftState shift) {
  TEditTarget t;
  if (OnEditKeyDown && FindTarget(sender, t)) OnEditKeyDown(t.Record, key, shift, t.Slot);
}

void TPanelFieldsSet::EditKeyPress(TObject* sender, char32_t& key) {
  TEditTarget t;
  if (OnEditKeyPress && FindTarget(sender, t)) OnEditKeyPress(t.Record, key, t.Slot);
}

void TPanelFieldsSet::EditKeyUp(TObject* sender, uint16_t& key, TShiftState shift) {
  TEditTarget t;
  if (OnEditKeyUp && FindTarget(sender, t)) OnEditKeyUp(t.Record, key, shift, t.Slot);
}

void TPanelFieldsSet::EditMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                    int y) {
  TEditTarget t;
  if (OnEditMouseDown && FindTarget(sender, t))
    OnEditMouseDown(t.Record, button, shift, x, y, t.Slot);
}

void TPanelFieldsSet::EditMouseMove(TObject* sender, TShiftState shift, int x, int y) {
  TEditTarget t;
  if (OnEditMouseMove && FindTarget(sender, t)) OnEditMouseMove(t.Record, shift, x, y, t.Slot);
}

void TPanelFieldsSet::EditMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x,
                                  int y) {
  TEditTarget t;
  if (OnEditMouseUp && FindTarget(sender, t)) OnEditMouseUp(t.Record, button, shift, x, y, t.Slot);
}

void TPanelFieldsSet::SetFocus() {
  if (!Fields || !ScrollingFieldsSet) return;
  for (int i = 0; i < Fields->Count(); ++i) {
    TFieldRecord* record = Fields->GetItem(i);
    if (!record->GetVisible() || !record->Editors[0]) continue;
    ScrollingFieldsSet->GetHorzScrollBar()->SetPosition(0);
    ScrollingFieldsSet->GetVertScrollBar()->SetPosition(0);
    auto* editor = dynamic_cast<TWinControl*>(record->Editors[0]);
    if (editor && editor->CanFocus() && !editor->Focused()) editor->SetFocus();
    return;
  }
}

}  // namespace tabulon
