// The published properties of the lookup edit.
#include "platform/core/class_builder.h"
#include "run/tbnlookup.h"

namespace tabulon {

TBN_REGISTER(TListSourceLink) {}
TBN_REGISTER(TQXPopupDataList) {}
TBN_REGISTER(TCustomQXLookupEdit) {}

TBN_REGISTER(TQXLookupEdit) {
  using E = TQXLookupEdit;
  b.Property("KeyField", &E::GetKeyFieldName, &E::SetKeyFieldName);
  b.Property("ListField", &E::GetListFieldName, &E::SetListFieldName);
  b.Property("ListFieldIndex", &E::GetListFieldIndex, &E::SetListFieldIndex).Default(0);
  b.Property("ListSource", &E::GetListSource, &E::SetListSource);
  b.Property("Locate", &E::GetLocate, &E::SetLocate).Default(loAuto);
  b.Property("DropDownRows", &E::GetDropDownRows, &E::SetDropDownRows).Default(7);
  b.Property("DropDownAlign", &E::GetDropDownAlign, &E::SetDropDownAlign).Default(daLeft);
  b.Property("DirectInput", &E::GetDirectInput, &E::SetDirectInput).Default(true);
  b.Property("ReadOnly", &E::GetReadOnly, &E::SetReadOnly).Default(false);
  b.Property("Alignment", &E::GetAlignment, &E::SetAlignment).Default(taLeftJustify);
  b.Property("OnButtonClick", &E::OnButtonClick);
  b.Property("OnCloseUp", &E::OnCloseUp);
  b.Property("OnDropDown", &E::OnDropDown);
}

}  // namespace tabulon
