// The published properties of the combo box edit.
#include "platform/core/class_builder.h"
#include "run/tbnctrls.h"

namespace tabulon {

TBN_REGISTER(TWinControlCrack) {}
TBN_REGISTER(TCustomPopupEdit) {}
TBN_REGISTER(TCustomLookupEdit) {}
TBN_REGISTER(TCustomPopupWindow) {}
TBN_REGISTER(TCustomQXComboBoxEdit) {}

TBN_REGISTER(TQXComboBoxEdit) {
  using E = TQXComboBoxEdit;
  b.Property("Alignment", &E::GetAlignment, &E::SetAlignment).Default(taLeftJustify);
  b.Property("Items", &E::GetItems, &E::SetItems);
  b.Property("DropDownAlign", &E::GetDropDownAlign, &E::SetDropDownAlign).Default(daLeft);
  b.Property("DropDownRows", &E::GetDropDownRows, &E::SetDropDownRows).Default(7);
  b.Property("DropDownWidth", &E::GetDropDownWidth, &E::SetDropDownWidth).Default(0);
  b.Property("DirectInput", &E::GetDirectInput, &E::SetDirectInput).Default(true);
  b.Property("PasswordChar", &E::GetPasswordChar).Stored(false);
  b.Property("ReadOnly", &E::GetReadOnly, &E::SetReadOnly).Default(false);
  b.Property("SearchState", &E::GetComboSearchState, &E::SetSearchState).Default(ssNearest);
  b.Property("Sorted", &E::GetSorted, &E::SetSorted).Default(false);
  b.Property("OnCloseUp", &E::OnCloseUp);
  b.Property("OnDrawItem", &E::GetOnDrawItem, &E::SetOnDrawItem);
  b.Property("OnDropDown", &E::OnDropDown);
}

}  // namespace tabulon
