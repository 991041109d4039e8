// The fields panel's editors: thin descendants of the package's edit
// controls that know their field record. They take their look and
// behaviour from the record and the panel (ApplySettings), refuse typed
// characters the record's type cannot hold, and route every user event to
// the panel, which turns it into its OnEdit... events. TQXEdit reaches the
// record and the value of any of the three classes in one way; the panel
// and the record talk to editors only through it (EditAccessor) and
// through WithFieldRecordEditor.
#pragma once

#include <cstdint>

#include "platform/variants/variant.h"
#include "run/tbnctrls.h"
#include "run/tbnlookup.h"
#include "run/tbnmask.h"

namespace tabulon {

class TField;
class TFieldRecord;

/// The editor of plain records: a mask edit with an optional ellipsis button.
class TFieldRecordEdit : public TQXMaskEdit {
  TBN_CLASS(TFieldRecordEdit, TQXMaskEdit)
 public:
  /// The mask edit with parent font and 3-D look off (the style options decide).
  explicit TFieldRecordEdit(TComponent* owner);
  /// Clears its form's active control first when it is this editor.
  ~TFieldRecordEdit() override;

  TFieldRecord* FieldRecord = nullptr;  // not owned

 protected:
  /// Drops (with a beep) printable characters the record refuses.
  void KeyPress(char32_t& key) override;
};

/// The editor of lookup records: a lookup edit over the record's list source.
class TFieldRecordLookup : public TQXLookupEdit {
  TBN_CLASS(TFieldRecordLookup, TQXLookupEdit)
 public:
  explicit TFieldRecordLookup(TComponent* owner);
  ~TFieldRecordLookup() override;

  /// Whether the editor works with key values rather than text: its record
  /// is not in lookup mode, it has a list field, and the list field it
  /// shows is not the record's own dataset field.
  bool KeyMode() const;
  /// The list field it shows: the one at ListFieldIndex when that is in
  /// range, else the first; null without list fields.
  TField* ShownListField() const;

  TFieldRecord* FieldRecord = nullptr;  // not owned

 protected:
  /// Drops (with a beep) printable characters the record (text mode) or the
  /// shown list field (key mode, lookup mode) refuses.
  void KeyPress(char32_t& key) override;
};

/// The editor of pick-list records: a combo box over the record's pick list.
class TFieldRecordComboBox : public TCustomQXComboBoxEdit {
  TBN_CLASS(TFieldRecordComboBox, TCustomQXComboBoxEdit)
 public:
  explicit TFieldRecordComboBox(TComponent* owner);
  ~TFieldRecordComboBox() override;

  /// The open list's strings, otherwise the record's pick list.
  TStrings* GetItems() override;
  /// Into the open list, otherwise into the record's pick list.
  void SetItems(TStrings* v) override;
  /// The open list's item index, otherwise ClosedItemIndex.
  int GetItemIndex() override;
  /// ClosedItemIndex, and the list's item index while it is open.
  void SetItemIndex(int v) override;

  using TCustomQXComboBoxEdit::SetDropDownRows;
  using TCustomQXMaskEdit::GetAlignment;
  using TCustomQXMaskEdit::GetDirectInput;
  using TCustomQXMaskEdit::SetAlignment;
  using TCustomQXMaskEdit::SetDirectInput;

  TFieldRecord* FieldRecord = nullptr;  // not owned
  int32_t ClosedItemIndex = -1;         // the item chosen while the list is closed

 protected:
  /// Exact while the list is closed under a Locate other than loAuto;
  /// otherwise nearest for text types, exact for the others.
  TSearchState GetSearchState() const override;
  void KeyPress(char32_t& key) override;
  /// Fills the list from the record's pick list and selects ClosedItemIndex
  /// (nothing under loDropDown).
  void DoBeforeShow() override;
  /// Keeps the list's item index as ClosedItemIndex.
  void DoAfterCloseUp(bool accept) override;
};

/// Calls `f` with `control` as the panel editor class it is; false (and no
/// call) for any other control.
template <class F>
bool WithFieldRecordEditor(TObject* control, F&& f) {
  if (auto* e = dynamic_cast<TFieldRecordEdit*>(control)) {
    f(e);
    return true;
  }
  if (auto* e = dynamic_cast<TFieldRecordLookup*>(control)) {
    f(e);
    return true;
  }
  if (auto* e = dynamic_cast<TFieldRecordComboBox*>(control)) {
    f(e);
    return true;
  }
  return false;
}

/// The uniform way to a panel editor's record and value. One shared
/// instance stands for the control it was last asked about (EditAccessor);
/// callers never keep it across another call.
class TQXEdit : public TObject {
  TBN_CLASS(TQXEdit, TObject)
 public:
  TCustomQXMaskEdit* Control = nullptr;  // the editor it stands for; not owned

  /// The editor's FieldRecord; null for other classes.
  TFieldRecord* GetFieldRecord() const;
  /// Sets the editor's FieldRecord; nothing for other classes.
  void SetFieldRecord(TFieldRecord* record) const;
  /// The value the editor holds: the key of a lookup editor in key mode;
  /// Null without a record or for an empty text (or only the empty mask);
  /// else the text converted to the record's type. Not `strict`, a text
  /// that does not convert gives the record's current value of the
  /// editor's slot; `strict`, it raises the conversion error.
  Variant GetValue(bool strict) const;
  /// Shows `value`: the key of a lookup editor in key mode (Null empties
  /// the text), else the record's text of it. Nothing without a record.
  void SetValue(const Variant& value) const;
  /// Gives the editor its record's and panel's settings and binds its
  /// events to the panel; an editor without a record in a panel's list is
  /// detached, disabled and hidden.
  void ApplySettings() const;
};

/// The shared accessor standing for `control` when it is a
/// TCustomQXMaskEdit (or a descendant); null otherwise.
TQXEdit* EditAccessor(TObject* control);

}  // namespace tabulon
