// TControl's message procedure: dispatch to the handlers, the mouse and
// click logic, and the parent-following handlers.
#include "platform/controls/application.h"
#include "platform/controls/control.h"
#include "platform/controls/wincontrol.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"

namespace tabulon {

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& msg) {
  if (msg.Msg >= WM_MOUSEFIRST && msg.Msg <= WM_MOUSELAST) {
    // Without double clicks, a second press is an ordinary press.
    if (!style_.Contains(csDoubleClicks) &&
        (msg.Msg == WM_LBUTTONDBLCLK || msg.Msg == WM_RBUTTONDBLCLK || msg.Msg == WM_MBUTTONDBLCLK))
      msg.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK)
      state_.Include(csLButtonDown);
    else if (msg.Msg == WM_LBUTTONUP)
      state_.Exclude(csLButtonDown);
  }
  Dispatch(msg);
}

void TControl::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_MOUSEMOVE:
      WMMouseMove(msg);
      break;
    case WM_LBUTTONDOWN:
      WMLButtonDown(msg);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(msg);
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(msg);
      break;
    case WM_RBUTTONDOWN:
      WMRButtonDown(msg);
      break;
    case WM_RBUTTONUP:
      WMRButtonUp(msg);
      break;
    case WM_RBUTTONDBLCLK:
      WMRButtonDblClk(msg);
      break;
    case WM_MBUTTONDOWN:
      WMMButtonDown(msg);
      break;
    case WM_MBUTTONUP:
      WMMButtonUp(msg);
      break;
    case WM_MBUTTONDBLCLK:
      WMMButtonDblClk(msg);
      break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(msg);
      break;
    case WM_PAINT:
      WMPaint(msg);
      break;
    case WM_CANCELMODE:
      WMCancelMode(msg);
      break;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(msg);
      break;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(msg);
      break;
    case CM_PARENTCTL3DCHANGED:
      CMParentCtl3DChanged(msg);
      break;
    case CM_PARENTSHOWHINTCHANGED:
      CMParentShowHintChanged(msg);
      break;
    case CM_SHOWHINTCHANGED:
      CMShowHintChanged(msg);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(msg);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(msg);
      break;
    case CM_CTL3DCHANGED:
      CMCtl3DChanged(msg);
      break;
    case CM_CURSORCHANGED:
      CMCursorChanged(msg);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(msg);
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(msg);
      break;
    case CM_TEXTCHANGED:
      CMTextChanged(msg);
      break;
    case CM_CANCELMODE:
      CMCancelMode(msg);
      break;
    case CM_SYSFONTCHANGED:
      CMSysFontChanged(msg);
      break;
    case CM_HITTEST:
      CMHitTest(msg);
      break;
    case CM_MOUSEENTER:
      CMMouseEnter(msg);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(msg);
      break;
    default:
      DefaultHandler(msg);
      break;
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::DoMouseDown(TMessage& msg, TMouseButton button, TShiftState extra) {
  if (style_.Contains(csNoStdEvents)) return;
  MouseDown(button, KeysToShiftState(msg.WParam) + extra, GetXLParam(msg.LParam),
            GetYLParam(msg.LParam));
}

void TControl::DoMouseUp(TMessage& msg, TMouseButton button) {
  if (style_.Contains(csNoStdEvents)) return;
  MouseUp(button, KeysToShiftState(msg.WParam), GetXLParam(msg.LParam), GetYLParam(msg.LParam));
}

void TControl::WMMouseMove(TMessage& msg) {
  if (style_.Contains(csNoStdEvents)) return;
  MouseMove(KeysToShiftState(msg.WParam), GetXLParam(msg.LParam), GetYLParam(msg.LParam));
}

void TControl::WMLButtonDown(TMessage& msg) {
  if (style_.Contains(csCaptureMouse)) Screen()->SetCaptureControl(this);
  if (style_.Contains(csClickEvents)) state_.Include(csClicked);
  DoMouseDown(msg, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& msg) {
  if (style_.Contains(csCaptureMouse)) Screen()->SetCaptureControl(this);
  if (style_.Contains(csClickEvents)) DblClick();
  DoMouseDown(msg, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& msg) {
  if (style_.Contains(csCaptureMouse) && Screen()->GetCaptureControl() == this)
    Screen()->SetCaptureControl(nullptr);
  if (state_.Contains(csClicked)) {
    state_.Exclude(csClicked);
    if (GetClientRect().Contains({GetXLParam(msg.LParam), GetYLParam(msg.LParam)})) Click();
  }
  DoMouseUp(msg, mbLeft);
}

void TControl::WMRButtonDown(TMessage& msg) { DoMouseDown(msg, mbRight, {}); }
void TControl::WMRButtonUp(TMessage& msg) { DoMouseUp(msg, mbRight); }
void TControl::WMRButtonDblClk(TMessage& msg) { DoMouseDown(msg, mbRight, {ssDouble}); }
void TControl::WMMButtonDown(TMessage& msg) { DoMouseDown(msg, mbMiddle, {}); }
void TControl::WMMButtonUp(TMessage& msg) { DoMouseUp(msg, mbMiddle); }
void TControl::WMMButtonDblClk(TMessage& msg) { DoMouseDown(msg, mbMiddle, {ssDouble}); }

void TControl::WMWindowPosChanged(TMessage&) {}

void TControl::WMPaint(TMessage& msg) {
  if (msg.WParam) PaintSelf(*reinterpret_cast<TCanvas*>(msg.WParam));
}

void TControl::PaintSelf(TCanvas&) {}

void TControl::WMCancelMode(TMessage&) {
  if (Screen()->GetCaptureControl() == this) Screen()->SetCaptureControl(nullptr);
  state_.Exclude(csClicked);
}

void TControl::CMCancelMode(TMessage& msg) {
  if (reinterpret_cast<TControl*>(msg.LParam) != this) Perform(WM_CANCELMODE, 0, 0);
}

void TControl::CMParentFontChanged(TMessage& msg) {
  if (!parentFont_) return;
  if (msg.WParam != 0)
    SetFont(reinterpret_cast<TFont*>(msg.LParam));
  else if (parent_)
    SetFont(parent_->GetFont());
  parentFont_ = true;
}

void TControl::CMParentColorChanged(TMessage& msg) {
  if (!parentColor_) return;
  if (msg.WParam != 0)
    SetColor(static_cast<TColor>(static_cast<int32_t>(msg.LParam)));
  else if (parent_)
    SetColor(parent_->GetColor());
  parentColor_ = true;
}

void TControl::CMParentCtl3DChanged(TMessage& msg) {
  if (!parentCtl3D_) return;
  if (msg.WParam != 0)
    SetCtl3D(msg.LParam != 0);
  else if (parent_)
    SetCtl3D(parent_->GetCtl3D());
  parentCtl3D_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parentShowHint_ || !parent_) return;
  SetShowHint(parent_->GetShowHint());
  parentShowHint_ = true;
}

void TControl::CMShowHintChanged(TMessage&) {}
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMCtl3DChanged(TMessage&) { Invalidate(); }
void TControl::CMCursorChanged(TMessage&) {}
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) {}
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMSysFontChanged(TMessage&) {}
void TControl::CMHitTest(TMessage& msg) { msg.Result = 1; }
void TControl::CMMouseEnter(TMessage&) {}
void TControl::CMMouseLeave(TMessage&) {}

void TControl::PaintTo(TCanvas& canvas, int x, int y) {
  TCanvasStateScope keep(canvas);
  canvas.OffsetOrigin(x, y);
  canvas.IntersectClipRect(Rect(0, 0, width_, height_));
  paintTarget_ = canvas.GetTarget();
  try {
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
  } catch (...) {
    paintTarget_ = {};
    throw;
  }
  paintTarget_ = {};
  invalidated_ = false;
}

void TControl::PaintCopyTo(TCanvas& canvas, int x, int y) {
  if (!style_.Contains(csReplicatable))
    throw EInvalidOperation(Format("Control %s cannot be painted as a copy", {ClassName()}));
  bool had = state_.Contains(csPaintCopy);
  state_.Include(csPaintCopy);
  try {
    PaintTo(canvas, x, y);
  } catch (...) {
    if (!had) state_.Exclude(csPaintCopy);
    throw;
  }
  if (!had) state_.Exclude(csPaintCopy);
}

}  // namespace tabulon
