// Mouse input at screen coordinates: hit testing, capture and drags.
#include "platform/forms/mouse.h"

#include "platform/controls/application.h"
#include "platform/forms/dragdrop.h"
#include "platform/forms/toplevel.h"

namespace tabulon {
namespace {

TPoint& CursorPos() {
  static TPoint p{0, 0};
  return p;
}

WPARAM Keys(TShiftState shift) {
  WPARAM k = 0;
  if (shift.Contains(ssLeft)) k |= MK_LBUTTON;
  if (shift.Contains(ssRight)) k |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) k |= MK_MBUTTON;
  if (shift.Contains(ssShift)) k |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) k |= MK_CONTROL;
  return k;
}

// The control the mouse talks to at `p`: the capture holder, else the one under it.
TControl* MouseTarget(TPoint p, TPoint& local) {
  if (TControl* c = Screen()->GetCaptureControl()) {
    local = c->ScreenToClient(p);
    return c;
  }
  return FindControlAtScreen(p, &local);
}

}  // namespace

TPoint GetCursorPos() { return CursorPos(); }
void SetCursorPos(TPoint p) { CursorPos() = p; }

void SendMouseDown(TPoint p, TMouseButton button, TShiftState shift, bool dbl) {
  SetCursorPos(p);
  TPoint local;
  TControl* c = MouseTarget(p, local);
  if (!c) return;
  uint32_t msg = button == mbLeft    ? WM_LBUTTONDOWN
                 : button == mbRight ? WM_RBUTTONDOWN
                                     : WM_MBUTTONDOWN;
  if (dbl) msg += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
  shift.Include(button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle);
  c->Perform(msg, Keys(shift), MakeLParam(local.X, local.Y));
}

void SendMouseMove(TPoint p, TShiftState shift) {
  SetCursorPos(p);
  if (DragPending()) {
    DragMoveTo(p);
    return;
  }
  TPoint local;
  if (TControl* c = MouseTarget(p, local))
    c->Perform(WM_MOUSEMOVE, Keys(shift), MakeLParam(local.X, local.Y));
}

void SendMouseUp(TPoint p, TMouseButton button, TShiftState shift) {
  SetCursorPos(p);
  if (button == mbLeft && DragPending() && DragDropAt(p)) return;
  TPoint local;
  TControl* c = MouseTarget(p, local);
  if (!c) return;
  uint32_t msg = button == mbLeft ? WM_LBUTTONUP : button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
  c->Perform(msg, Keys(shift), MakeLParam(local.X, local.Y));
}

}  // namespace tabulon
