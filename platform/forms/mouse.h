// Mouse input as a person gives it, at screen coordinates: the press goes
// to the control under the mouse (or the one holding the capture), moves
// and the release follow the capture, and a pending drag takes the moves
// and the release instead.
#pragma once

#include "platform/controls/control.h"

namespace tabulon {

/// Where the mouse is (screen coordinates).
TPoint GetCursorPos();
void SetCursorPos(TPoint p);
/// Presses `button` at `p`; `dbl` makes it the second press of a double click.
void SendMouseDown(TPoint p, TMouseButton button, TShiftState shift, bool dbl = false);
/// Moves the mouse to `p` with the buttons in `shift` held.
void SendMouseMove(TPoint p, TShiftState shift);
/// Releases `button` at `p`.
void SendMouseUp(TPoint p, TMouseButton button, TShiftState shift);

}  // namespace tabulon
