// The published properties of the lookup list box.
#include "platform/controls/publish.h"
#include "platform/core/class_builder.h"
#include "platform/dbctrls/dblookup.h"

namespace tabulon {

TBN_REGISTER(TLookupListLink) {}
TBN_REGISTER(TDBLookupControl) {
  using C = TDBLookupControl;
  b.Property("KeyField", &C::GetKeyFieldName, &C::SetKeyFieldName);
  b.Property("ListField", &C::GetListFieldName, &C::SetListFieldName);
  b.Property("ListFieldIndex", &C::GetListFieldIndex, &C::SetListFieldIndex).Default(0);
  b.Property("ListSource", &C::GetListSource, &C::SetListSource);
  b.Property("ReadOnly", &C::GetReadOnly, &C::SetReadOnly).Default(false);
}
TBN_REGISTER(TDBLookupListBox) {
  using C = TDBLookupListBox;
  b.Property("RowCount", &C::GetRowCount, &C::SetRowCount).Default(7);
}
TBN_REGISTER(TPopupDataList) {}

}  // namespace tabulon
