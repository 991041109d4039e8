// TWinControl: input focus with its enter/exit chain, key messages and the
// windowed control's message dispatch.
#include "platform/controls/application.h"
#include "platform/controls/wincontrol.h"
#include "platform/core/exceptions.h"

namespace tabulon {

void TWinControl::Dispatch(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SIZE:
      WMSize(msg);
      break;
    case WM_MOVE:
      WMMove(msg);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(msg);
      break;
    case WM_SETFOCUS:
      WMSetFocus(msg);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(msg);
      break;
    case WM_KEYDOWN:
      WMKeyDown(msg);
      break;
    case WM_KEYUP:
      WMKeyUp(msg);
      break;
    case WM_CHAR:
      WMChar(msg);
      break;
    case WM_GETDLGCODE:
      WMGetDlgCode(msg);
      break;
    case WM_CUT:
      WMCut(msg);
      break;
    case WM_COPY:
      WMCopy(msg);
      break;
    case WM_PASTE:
      WMPaste(msg);
      break;
    case WM_CREATE:
      WMCreate(msg);
      break;
    case CM_ENTER:
      CMEnter(msg);
      break;
    case CM_EXIT:
      CMExit(msg);
      break;
    default:
      TControl::Dispatch(msg);
      break;
  }
}

TWinControl* TWinControl::TopLevel() {
  TWinControl* t = this;
  while (t->GetParent()) t = t->GetParent();
  return t;
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return Screen()->GetActiveControl() == this; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  TWinControl* old = Screen()->GetActiveControl();
  if (old == this) return;
  HandleNeeded();
  if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(this), 0);
  Screen()->SetFocusedWindow(this);
  Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

void TWinControl::WMSetFocus(TMessage&) {
  TControlState s = GetControlState();
  s.Include(csFocusing);
  SetControlState(s);
  try {
    TopLevel()->SetFocusedControl(this);
  } catch (...) {
    s.Exclude(csFocusing);
    SetControlState(s);
    throw;
  }
  s = GetControlState();
  s.Exclude(csFocusing);
  SetControlState(s);
}

void TWinControl::WMKillFocus(TMessage& msg) {
  // Focus leaving for another top-level control: leave this one's chain.
  auto* to = reinterpret_cast<TWinControl*>(msg.WParam);
  TWinControl* top = TopLevel();
  if (!to || to->TopLevel() != top) top->SetFocusedControl(nullptr);
}

void TWinControl::SetFocusedControl(TWinControl* control) {
  // Only the top-level control keeps the chain.
  if (GetParent()) {
    TopLevel()->SetFocusedControl(control);
    return;
  }
  activeControl_ = control;
  // Leave: from the old focused control up to the first one that contains the new one.
  while (focusedControl_ && focusedControl_ != this &&
         !(control && focusedControl_->ContainsControl(control))) {
    TWinControl* leaving = focusedControl_;
    focusedControl_ = leaving->GetParent();
    leaving->Perform(CM_EXIT, 0, 0);
  }
  if (!control) {
    focusedControl_ = nullptr;
    return;
  }
  if (!focusedControl_) focusedControl_ = this;
  // Enter: from below the common ancestor down to the new control.
  while (focusedControl_ != control) {
    TWinControl* next = control;
    while (next->GetParent() != focusedControl_) next = next->GetParent();
    focusedControl_ = next;
    next->Perform(CM_ENTER, 0, 0);
  }
}

void TWinControl::RemoveFocus(bool) {
  TWinControl* active = Screen()->GetActiveControl();
  if (active && ContainsControl(active)) Screen()->SetFocusedWindow(nullptr);
  TWinControl* top = TopLevel();
  if (top == this) return;
  if (top->focusedControl_ && ContainsControl(top->focusedControl_))
    top->focusedControl_ = GetParent() == top ? nullptr : GetParent();
  if (top->activeControl_ && ContainsControl(top->activeControl_)) top->activeControl_ = nullptr;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
  // Flatten the descendants in tab order, depth first.
  std::vector<TWinControl*> all;
  std::function<void(const TWinControl*)> collect = [&](const TWinControl* w) {
    for (TWinControl* c : w->tabList_) {
      all.push_back(c);
      collect(c);
    }
  };
  collect(this);
  if (all.empty()) return nullptr;
  int n = static_cast<int>(all.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (all[static_cast<size_t>(i)] == current) start = i;
  if (start < 0) start = goForward ? n - 1 : 0;
  int i = start;
  for (int k = 0; k < n; ++k) {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = all[static_cast<size_t>(i)];
    if (c == current) break;
    if ((!checkTabStop || c->GetTabStop()) && (!checkParent || c->GetParent() == this) &&
        c->CanFocus())
      return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, goForward, checkTabStop, false)) c->SetFocus();
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char32_t& key) { OnKeyPress(this, key); }

namespace {
TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s = KeyboardShiftState();
  if (keyData & 0x20000000) s.Include(ssAlt);
  return s;
}
}  // namespace

bool TWinControl::DoKeyDown(TMessage& msg) {
  if (GetControlStyle().Contains(csNoStdEvents)) return false;
  auto key = static_cast<uint16_t>(msg.WParam);
  KeyDown(key, KeyDataToShiftState(msg.LParam));
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& msg) {
  if (GetControlStyle().Contains(csNoStdEvents)) return false;
  auto key = static_cast<uint16_t>(msg.WParam);
  KeyUp(key, KeyDataToShiftState(msg.LParam));
  msg.WParam = key;
  return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& msg) {
  if (GetControlStyle().Contains(csNoStdEvents)) return false;
  auto key = static_cast<char32_t>(msg.WParam);
  KeyPress(key);
  msg.WParam = static_cast<WPARAM>(key);
  return key == 0;
}

void TWinControl::WMKeyDown(TMessage& msg) {
  if (!DoKeyDown(msg)) DefaultHandler(msg);
}
void TWinControl::WMKeyUp(TMessage& msg) {
  if (!DoKeyUp(msg)) DefaultHandler(msg);
}
void TWinControl::WMChar(TMessage& msg) {
  if (!DoKeyPress(msg)) DefaultHandler(msg);
}
void TWinControl::WMGetDlgCode(TMessage& msg) { msg.Result = 0; }
void TWinControl::WMCut(TMessage& msg) { DefaultHandler(msg); }
void TWinControl::WMCopy(TMessage& msg) { DefaultHandler(msg); }
void TWinControl::WMPaste(TMessage& msg) { DefaultHandler(msg); }

void TWinControl::CMFontChanged(TMessage& msg) {
  TControl::CMFontChanged(msg);
  NotifyControls(CM_PARENTFONTCHANGED);
}
void TWinControl::CMColorChanged(TMessage& msg) {
  TControl::CMColorChanged(msg);
  NotifyControls(CM_PARENTCOLORCHANGED);
}
void TWinControl::CMCtl3DChanged(TMessage& msg) {
  TControl::CMCtl3DChanged(msg);
  NotifyControls(CM_PARENTCTL3DCHANGED);
}
void TWinControl::CMShowHintChanged(TMessage& msg) {
  TControl::CMShowHintChanged(msg);
  NotifyControls(CM_PARENTSHOWHINTCHANGED);
}
void TWinControl::CMSysFontChanged(TMessage& msg) {
  TControl::CMSysFontChanged(msg);
  NotifyControls(CM_SYSFONTCHANGED);
}
void TWinControl::CMEnabledChanged(TMessage& msg) {
  if (!GetEnabled() && GetParent()) RemoveFocus(false);
  TControl::CMEnabledChanged(msg);
}
void TWinControl::CMVisibleChanged(TMessage& msg) {
  if (!GetVisible() && GetParent()) RemoveFocus(false);
  TControl::CMVisibleChanged(msg);
}

// --- painting ------------------------------------------------------------

void TWinControl::WMEraseBkgnd(TMessage& msg) {
  if (!msg.WParam) return;
  auto* canvas = reinterpret_cast<TCanvas*>(msg.WParam);
  canvas->GetBrush()->SetColor(GetColor());
  canvas->GetBrush()->SetStyle(bsSolid);
  canvas->FillRect(GetClientRect());
  msg.Result = 1;
}

void TWinControl::PaintNonClient(TCanvas&) {}
void TWinControl::PaintSelf(TCanvas&) {}

void TWinControl::PaintTo(TCanvas& canvas, int x, int y) {
  TCanvasStateScope keep(canvas);
  canvas.OffsetOrigin(x, y);
  canvas.IntersectClipRect(Rect(0, 0, GetWidth(), GetHeight()));
  PaintNonClient(canvas);
  TRect m = GetNonClientMargins();
  canvas.OffsetOrigin(m.Left, m.Top);
  canvas.IntersectClipRect(GetClientRect());
  paintTarget_ = canvas.GetTarget();
  try {
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas), 0);
  } catch (...) {
    paintTarget_ = {};
    throw;
  }
  paintTarget_ = {};
  // Graphic children lie under windowed ones; each group paints in z-order.
  for (TControl* c : std::vector<TControl*>(controls_))
    if (c->GetVisible() || c->ComponentState().Contains(csDesigning))
      c->PaintTo(canvas, c->GetLeft(), c->GetTop());
  for (TWinControl* w : std::vector<TWinControl*>(winControls_))
    if (w->GetVisible() || w->ComponentState().Contains(csDesigning))
      w->PaintTo(canvas, w->GetLeft(), w->GetTop());
  TControl::Update();
}

}  // namespace tabulon
