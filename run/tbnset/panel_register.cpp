// Published properties of the fields panel and its scroll box: the
// panel's own settings, then the panel-control properties it shows.
#include "platform/core/class_builder.h"
#include "run/tbnset/panel.h"

namespace tabulon {

TBN_REGISTER(TScrollingFieldsSet) {}

TBN_REGISTER(TPanelFieldsSet) {
  using T = TPanelFieldsSet;
  b.Property("DataSource", &T::GetDataSource, &T::SetDataSource);
  b.Property("StepHeight", &T::GetStepHeight, &T::SetStepHeight).Default(2);
  b.Property("CountOptions", &T::GetCountOptions, &T::SetCountOptions);
  b.Property("Fields", &T::GetFields, nullptr).Stored(&T::IsFieldsStored, "IsFieldsStored");
  b.Property("AutoEditWidth", &T::GetAutoEditWidth, &T::SetAutoEditWidth).Default(true);
  b.Property("CompareOptions", &T::GetCompareOptions, &T::SetCompareOptions);
  b.Property("StyleOptions", &T::GetStyleOptions, &T::SetStyleOptions);
  b.Property("Captions", &T::GetCaptions, &T::SetCaptions);
  b.Property("Align", &T::GetAlign, &T::SetAlign).Default(alNone);
  b.Property("EditCursor", &T::GetEditCursor, &T::SetEditCursor).Default(crDefault);
  b.Property("AutoSize", &T::GetAutoSize, &T::SetAutoSize).Default(true);
  b.Property("ChangeCursor", &T::GetChangeCursor, &T::SetChangeCursor).Default(false);
  b.Property("UpdateState", &T::GetUpdateState, &T::SetUpdateState).Default(usAuto);
  b.Property("PosState", &T::GetPosState, &T::SetPosState).Default(psOneLineFmt);
  b.Property("UpdateAfterOpen", &T::GetUpdateAfterOpen, &T::SetUpdateAfterOpen).Default(true);
  b.Property("LocaleID", &T::GetLocaleID, &T::SetLocaleID).Default(1024);
  b.Property("OnEditChange", &T::OnEditChange);
  b.Property("OnEditClick", &T::OnEditClick);
  b.Property("OnEditDblClick", &T::OnEditDblClick);
  b.Property("OnEditEnter", &T::OnEditEnter);
  b.Property("OnEditExit", &T::OnEditExit);
  b.Property("OnEditButtonClick", &T::OnEditButtonClick);
  b.Property("OnEditKeyDown", &T::OnEditKeyDown);
  b.Property("OnEditKeyUp", &T::OnEditKeyUp);
  b.Property("OnEditKeyPress", &T::OnEditKeyPress);
  b.Property("OnEditMouseDown", &T::OnEditMouseDown);
  b.Property("OnEditMouseUp", &T::OnEditMouseUp);
  b.Property("OnEditMouseMove", &T::OnEditMouseMove);
  b.Property("BevelInner", &T::GetBevelInner, &T::SetBevelInner).Default(bvNone);
  b.Property("BevelOuter", &T::GetBevelOuter, &T::SetBevelOuter).Default(bvRaised);
  b.Property("BevelWidth", &T::GetBevelWidth, &T::SetBevelWidth).Default(1);
  b.Property("BorderWidth", &T::GetBorderWidth, &T::SetBorderWidth).Default(2);
  b.Property("BorderStyle", &T::GetBorderStyle, &T::SetBorderStyle).Default(bsNone);
  b.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  b.Property("Locked", &T::GetLocked, &T::SetLocked).Default(false);
  b.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  b.Property("ShowHint", &T::GetShowHint, &T::SetShowHint)
      .Stored(&T::IsShowHintStored, "IsShowHintStored");
  b.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  b.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(false);
  b.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  b.Property("OnClick", &T::OnClick);
  b.Property("OnDblClick", &T::OnDblClick);
  b.Property("OnEnter", &T::OnEnter);
  b.Property("OnExit", &T::OnExit);
  b.Property("OnMouseDown", &T::OnMouseDown);
  b.Property("OnMouseMove", &T::OnMouseMove);
  b.Property("OnMouseUp", &T::OnMouseUp);
  b.Property("OnResize", &T::OnResize);
}

}  // namespace tabulon
