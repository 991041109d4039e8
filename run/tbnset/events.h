// The fields panel's editor events: method pointers that name the field
// record whose editor fired and, last, the editor slot (0 the first value,
// 1 the second value of a range). They carry no sender.
#pragma once

#include <cstdint>

#include "platform/controls/controltypes.h"
#include "platform/core/method.h"

namespace tabulon {

class TFieldRecord;

/// Change, click, double click, enter, exit and button click of an editor.
using TEditEvent = TEvent<TFieldRecord*, int>;
/// Key down and key up: the key code may be changed or zeroed.
using TEditKeyEvent = TEvent<TFieldRecord*, uint16_t&, TShiftState, int>;
/// Key press: the character may be changed or zeroed.
using TEditKeyPressEvent = TEvent<TFieldRecord*, char32_t&, int>;
/// Mouse button down and up, in editor coordinates.
using TEditMouseEvent = TEvent<TFieldRecord*, TMouseButton, TShiftState, int, int, int>;
/// Mouse move, in editor coordinates.
using TEditMouseMoveEvent = TEvent<TFieldRecord*, TShiftState, int, int, int>;

}  // namespace tabulon

TBN_EVENT_NAME(tabulon::TEditEvent);
TBN_EVENT_NAME(tabulon::TEditKeyEvent);
TBN_EVENT_NAME(tabulon::TEditKeyPressEvent);
TBN_EVENT_NAME(tabulon::TEditMouseEvent);
TBN_EVENT_NAME(tabulon::TEditMouseMoveEvent);
