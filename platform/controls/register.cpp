// Published properties of the control classes and the cursor identifiers.
#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/controls/publish.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/class_builder.h"

namespace tabulon {

const TTypeInfo* CursorTypeInfo() {
  static const TTypeInfo info = [] {
    TTypeInfo i;
    i.Kind = tkInteger;
    i.Name = "TCursor";
    i.MinValue = INT16_MIN;
    i.MaxValue = INT16_MAX;
    i.Idents = {{"crDefault", crDefault},
                {"crNone", crNone},
                {"crArrow", crArrow},
                {"crCross", crCross},
                {"crIBeam", crIBeam},
                {"crSizeNESW", crSizeNESW},
                {"crSizeNS", crSizeNS},
                {"crSizeNWSE", crSizeNWSE},
                {"crSizeWE", crSizeWE},
                {"crUpArrow", crUpArrow},
                {"crHourGlass", crHourGlass},
                {"crDrag", crDrag},
                {"crNoDrop", crNoDrop},
                {"crHSplit", crHSplit},
                {"crVSplit", crVSplit},
                {"crMultiDrag", crMultiDrag},
                {"crSQLWait", crSQLWait},
                {"crNo", crNo},
                {"crAppStart", crAppStart},
                {"crHelp", crHelp},
                {"crHandPoint", crHandPoint},
                {"crSizeAll", crSizeAll},
                {"crSize", crSize}};
    return i;
  }();
  return &info;
}

TBN_REGISTER(TControl) {
  b.Property("Left", &TControl::GetLeft, &TControl::SetLeft).NoDefault();
  b.Property("Top", &TControl::GetTop, &TControl::SetTop).NoDefault();
  b.Property("Width", &TControl::GetWidth, &TControl::SetWidth).NoDefault();
  b.Property("Height", &TControl::GetHeight, &TControl::SetHeight).NoDefault();
}

TBN_REGISTER(TWinControl) {}

TBN_REGISTER(TCustomPanel) {}

TBN_REGISTER(TPanel) {
  PublishWinControl(b);
  b.Property("OnResize", &ThisClass::OnResize);
  b.Property("Alignment", &TPanel::GetAlignment, &TPanel::SetAlignment).Default(taCenter);
  b.Property("BevelInner", &TPanel::GetBevelInner, &TPanel::SetBevelInner).Default(bvNone);
  b.Property("BevelOuter", &TPanel::GetBevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  b.Property("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth).Default(1);
  b.Property("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth).Default(0);
  b.Property("BorderStyle", &TPanel::GetBorderStyle, &TPanel::SetBorderStyle).Default(bsNone);
  b.Property("Caption", &TPanel::GetCaption, &TPanel::SetCaption);
  b.Property("FullRepaint", &TPanel::GetFullRepaint, &TPanel::SetFullRepaint).Default(true);
  b.Property("Locked", &TPanel::GetLocked, &TPanel::SetLocked).Default(false);
}

TBN_REGISTER(TControlScrollBar) {
  b.Property("Increment", &TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement)
      .Default(8);
  b.Property("Position", &TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition)
      .Default(0);
  b.Property("Range", &TControlScrollBar::GetRange, &TControlScrollBar::SetRange)
      .Default(0)
      .Stored(&TControlScrollBar::IsRangeStored, "IsRangeStored");
  b.Property("Tracking", &TControlScrollBar::GetTracking, &TControlScrollBar::SetTracking)
      .Default(false);
  b.Property("Visible", &TControlScrollBar::GetVisible, &TControlScrollBar::SetVisible)
      .Default(true);
}

TBN_REGISTER(TScrollingWinControl) {}

TBN_REGISTER(TScrollBox) {
  PublishWinControl(b);
  b.Property("OnResize", &ThisClass::OnResize);
  b.Property("AutoScroll", &TScrollBox::GetAutoScroll, &TScrollBox::SetAutoScroll).Default(true);
  b.Property("BorderStyle", &TScrollBox::GetBorderStyle, &TScrollBox::SetBorderStyle)
      .Default(bsSingle);
  b.Property("HorzScrollBar", &TScrollBox::GetHorzScrollBar, &TScrollBox::SetHorzScrollBar);
  b.Property("VertScrollBar", &TScrollBox::GetVertScrollBar, &TScrollBox::SetVertScrollBar);
}

TBN_REGISTER(TCustomLabel) {}

TBN_REGISTER(TLabel) {
  PublishControl(b);
  b.Property("Alignment", &TLabel::GetAlignment, &TLabel::SetAlignment).Default(taLeftJustify);
  b.Property("AutoSize", &TLabel::GetAutoSize, &TLabel::SetAutoSize).Default(true);
  b.Property("Caption", &TLabel::GetCaption, &TLabel::SetCaption);
  b.Property("FocusControl", &TLabel::GetFocusControl, &TLabel::SetFocusControl);
  b.Property("Layout", &TLabel::GetLayout, &TLabel::SetLayout).Default(tlTop);
  b.Property("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  b.Property("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent).Default(false);
  b.Property("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap).Default(false);
}

TBN_REGISTER(TBevel) {
  b.Property("Align", &TBevel::GetAlign, &TBevel::SetAlign).Default(alNone);
  b.Property("ParentShowHint", &TBevel::GetParentShowHint, &TBevel::SetParentShowHint)
      .Default(true);
  b.Property("Shape", &TBevel::GetShape, &TBevel::SetShape).Default(bsBox);
  b.Property("ShowHint", &TBevel::GetShowHint, &TBevel::SetShowHint)
      .Stored(&TBevel::IsShowHintStored, "IsShowHintStored");
  b.Property("Style", &TBevel::GetStyle, &TBevel::SetStyle).Default(bsLowered);
  b.Property("Visible", &TBevel::GetVisible, &TBevel::SetVisible).Default(true);
}

}  // namespace tabulon
