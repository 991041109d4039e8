// Published properties of the field record classes, in streaming order:
// FieldName is read before DataType and Name, so that a calculated record
// and a derived name are restored from a form file.
#include "platform/core/class_builder.h"
#include "platform/db/datasource.h"
#include "run/tbnset/record.h"

namespace tabulon {

TBN_REGISTER(TFieldRecord) {
  using R = TFieldRecord;
  b.Property("DisplayLabel", &R::GetDisplayLabel, &R::SetDisplayLabel)
      .Stored(&R::IsDisplayLabelStored, "IsDisplayLabelStored");
  b.Property("DisplayWidth", &R::GetDisplayWidth, &R::SetDisplayWidth)
      .Stored(&R::IsDisplayWidthStored, "IsDisplayWidthStored");
  b.Property("EditMask", &R::GetEditMask, &R::SetEditMask)
      .Stored(&R::IsEditMaskStored, "IsEditMaskStored");
  b.Property("FieldName", &R::GetFieldName, &R::SetFieldName);
  b.Property("DataType", &R::GetDataType, &R::SetDataType)
      .Stored(&R::IsDataTypeStored, "IsDataTypeStored");
  b.Property("Visible", &R::GetVisible, &R::SetVisible)
      .Stored(&R::IsVisibleStored, "IsVisibleStored");
  b.Property("RecordKind", &R::GetRecordKind, &R::SetRecordKind).Stored(false);
  b.Property("ButtonStyle", &R::GetButtonStyle, &R::SetButtonStyle).Default(rbsAuto);
  b.Property("CommentVisible", &R::GetCommentVisible, &R::SetCommentVisible).Default(false);
  b.Property("CommentWidth", &R::GetCommentWidth, &R::SetCommentWidth)
      .Stored(&R::IsCommentWidthStored, "IsCommentWidthStored");
  b.Property("Compare", &R::GetCompare, &R::SetCompare)
      .Stored(&R::IsCompareStored, "IsCompareStored");
  b.Property("Count", &R::GetCount, &R::SetCount).Stored(&R::IsCountStored, "IsCountStored");
  b.Property("CaseInsensitive", &R::GetCaseInsensitive, &R::SetCaseInsensitive)
      .Stored(&R::IsCaseInsensitiveStored, "IsCaseInsensitiveStored");
  b.Property("Alignment", &R::GetAlignment, &R::SetAlignment)
      .Stored(&R::IsAlignmentStored, "IsAlignmentStored");
  b.Property("DirectInput", &R::GetDirectInput, &R::SetDirectInput).Default(true);
  b.Property("KeyField", &R::GetKeyField, &R::SetKeyField);
  b.Property("ListField", &R::GetListField, &R::SetListField);
  b.Property("ListFieldIndex", &R::GetListFieldIndex, &R::SetListFieldIndex).Default(0);
  b.Property("ListSource", &R::GetListSource, &R::SetListSource);
  b.Property("Locate", &R::GetLocate, &R::SetLocate).Default(loAuto);
  b.Property("DropDownRows", &R::GetDropDownRows, &R::SetDropDownRows).Default(7);
  b.Property("Captions", &R::GetCaptions, &R::SetCaptions);
  b.Property("Name", &R::GetName, &R::SetName).Stored(&R::IsNameStored, "IsNameStored");
  b.Property("PickList", &R::GetPickList, &R::SetPickList);
}

TBN_REGISTER(TFilterRecord) {}

}  // namespace tabulon
