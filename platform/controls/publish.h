// Registration helpers: the properties that visible and windowed controls
// publish. Included only by the .cpp files that hold TBN_REGISTER.
#pragma once

#include "platform/controls/wincontrol.h"
#include "platform/core/class_builder.h"

namespace tabulon {

/// Geometry-independent properties and mouse events of a visible control.
template <class T>
void PublishControl(ClassBuilder<T>& b) {
  b.Property("Align", &T::GetAlign, &T::SetAlign).Default(alNone);
  b.Property("Color", &T::GetColor, &T::SetColor).Stored(&T::IsColorStored, "IsColorStored");
  b.Property("Cursor", &T::GetCursor, &T::SetCursor).Default(crDefault);
  b.Property("Enabled", &T::GetEnabled, &T::SetEnabled).Default(true);
  b.Property("Font", &T::GetFont, &T::SetFont).Stored(&T::IsFontStored, "IsFontStored");
  b.Property("Hint", &T::GetHint, &T::SetHint);
  b.Property("ParentColor", &T::GetParentColor, &T::SetParentColor).Default(true);
  b.Property("ParentFont", &T::GetParentFont, &T::SetParentFont).Default(true);
  b.Property("ParentShowHint", &T::GetParentShowHint, &T::SetParentShowHint).Default(true);
  b.Property("PopupMenu", &T::GetPopupMenu, &T::SetPopupMenu);
  b.Property("ShowHint", &T::GetShowHint, &T::SetShowHint)
      .Stored(&T::IsShowHintStored, "IsShowHintStored");
  b.Property("Visible", &T::GetVisible, &T::SetVisible).Default(true);
  b.Property("OnClick", &T::OnClick);
  b.Property("OnDblClick", &T::OnDblClick);
  b.Property("OnMouseDown", &T::OnMouseDown);
  b.Property("OnMouseMove", &T::OnMouseMove);
  b.Property("OnMouseUp", &T::OnMouseUp);
}

/// Focus, tab order and key events of a windowed control.
template <class T>
void PublishWinControl(ClassBuilder<T>& b, bool tabStop = false) {
  PublishControl(b);
  b.Property("Ctl3D", &T::GetCtl3D, &T::SetCtl3D).Stored(&T::IsCtl3DStored, "IsCtl3DStored");
  b.Property("ParentCtl3D", &T::GetParentCtl3D, &T::SetParentCtl3D).Default(true);
  b.Property("TabOrder", &T::GetTabOrder, &T::SetTabOrder).Default(-1);
  b.Property("TabStop", &T::GetTabStop, &T::SetTabStop).Default(tabStop);
  b.Property("OnEnter", &T::OnEnter);
  b.Property("OnExit", &T::OnExit);
  b.Property("OnKeyDown", &T::OnKeyDown);
  b.Property("OnKeyPress", &T::OnKeyPress);
  b.Property("OnKeyUp", &T::OnKeyUp);
}

}  // namespace tabulon
