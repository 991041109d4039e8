// Types shared by every control: alignment, cursors, control style and
// state flags, shift state, mouse buttons and the event signatures.
#pragma once

#include <cstdint>

#include "platform/core/alignment.h"
#include "platform/core/method.h"
#include "platform/core/set.h"
#include "platform/core/typeinfo.h"

namespace tabulon {

/// Where a control sits in its parent: free, or stuck to an edge or the whole client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
/// Border of windowed controls; the last four kinds serve top-level windows.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
/// How a bevel is cut.
enum TBevelCut { bvNone, bvLowered, bvRaised };

/// A mouse cursor: a small signed number, predefined ones negative.
enum TCursor : int16_t {};
inline constexpr TCursor crDefault = TCursor(0), crNone = TCursor(-1), crArrow = TCursor(-2),
                         crCross = TCursor(-3), crIBeam = TCursor(-4), crSizeNESW = TCursor(-6),
                         crSizeNS = TCursor(-7), crSizeNWSE = TCursor(-8), crSizeWE = TCursor(-9),
                         crUpArrow = TCursor(-10), crHourGlass = TCursor(-11),
                         crDrag = TCursor(-12), crNoDrop = TCursor(-13), crHSplit = TCursor(-14),
                         crVSplit = TCursor(-15), crMultiDrag = TCursor(-16),
                         crSQLWait = TCursor(-17), crNo = TCursor(-18), crAppStart = TCursor(-19),
                         crHelp = TCursor(-20), crHandPoint = TCursor(-21),
                         crSizeAll = TCursor(-22), crSize = TCursor(-22);
/// The type information of TCursor: an integer with cursor identifiers.
const TTypeInfo* CursorTypeInfo();

/// What a control is and accepts.
enum TControlStyleItem {
  csAcceptsControls,    // may be the parent of other controls at design time
  csCaptureMouse,       // captures the mouse while a button is down
  csDesignInteractive,  // gets mouse clicks at design time
  csClickEvents,        // a press and release make a click
  csFramed,             // has a 3-D frame
  csSetCaption,         // the caption follows the component name while they are equal
  csOpaque,             // paints its whole client area
  csDoubleClicks,       // gets double clicks
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,  // invisible at design time
  csReplicatable,     // may be painted as a copy of itself (paint-copy)
  csNoStdEvents,      // mouse and key events are not fired
  csDisplayDragImage,
  csReflector,
};
using TControlStyle = TSet<TControlStyleItem>;

/// Transient conditions of a control.
enum TControlStateItem {
  csLButtonDown,  // the left button went down on the control
  csClicked,      // a click is in progress
  csPalette,
  csReadingState,
  csAlignmentNeeded,  // alignment was postponed while disabled
  csFocusing,         // the control is taking the focus
  csCreating,         // its window is being created
  csPaintCopy,        // it is being painted as a copy of itself
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
};
using TControlState = TSet<TControlStateItem>;

/// Keys and buttons held during a key or mouse event.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
/// A key event: the key code may be changed (0 = handled).
using TKeyEvent = TEvent<TObject*, uint16_t&, TShiftState>;
/// A character event: the character (a code point) may be changed (0 = swallowed).
using TKeyPressEvent = TEvent<TObject*, char32_t&>;

}  // namespace tabulon

TBN_ENUM(tabulon::TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient");
TBN_ENUM(tabulon::TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
         "bsSizeToolWin");
TBN_ENUM(tabulon::TBevelCut, "bvNone", "bvLowered", "bvRaised");
TBN_ENUM(tabulon::TControlStyleItem, "csAcceptsControls", "csCaptureMouse", "csDesignInteractive",
         "csClickEvents", "csFramed", "csSetCaption", "csOpaque", "csDoubleClicks", "csFixedWidth",
         "csFixedHeight", "csNoDesignVisible", "csReplicatable", "csNoStdEvents",
         "csDisplayDragImage", "csReflector");
TBN_ENUM(tabulon::TControlStateItem, "csLButtonDown", "csClicked", "csPalette", "csReadingState",
         "csAlignmentNeeded", "csFocusing", "csCreating", "csPaintCopy", "csCustomPaint",
         "csDestroyingHandle", "csDocking");
TBN_ENUM(tabulon::TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle",
         "ssDouble");
TBN_ENUM(tabulon::TMouseButton, "mbLeft", "mbRight", "mbMiddle");
TBN_EVENT_NAME(tabulon::TMouseEvent);
TBN_EVENT_NAME(tabulon::TMouseMoveEvent);
TBN_EVENT_NAME(tabulon::TKeyEvent);
TBN_EVENT_NAME(tabulon::TKeyPressEvent);

template <>
struct tabulon::TypeInfoTraits<tabulon::TCursor> {
  static const ::tabulon::TTypeInfo* Get() { return ::tabulon::CursorTypeInfo(); }
};
