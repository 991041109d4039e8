// TCustomForm: keyboard input as a person types it, and the dialog keys.
#include <functional>

#include "platform/controls/application.h"
#include "platform/forms/form.h"

namespace tabulon {
namespace {

bool IsDialogKey(uint16_t key) {
  switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

// Whether `target` claims `key` through its dialog code.
bool WantsKey(TWinControl* target, uint16_t key) {
  LRESULT code = target->Perform(WM_GETDLGCODE, key, 0);
  if (code & DLGC_WANTALLKEYS) return true;
  if (key == VK_TAB) return (code & DLGC_WANTTAB) != 0;
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
    return (code & DLGC_WANTARROWS) != 0;
  return false;
}

}  // namespace

void TCustomForm::PressKey(uint16_t key, TShiftState shift, char32_t ch) {
  TShiftState keys = shift;
  keys.Exclude(ssLeft);
  keys.Exclude(ssRight);
  keys.Exclude(ssMiddle);
  keys.Exclude(ssDouble);
  SetKeyboardShiftState(keys);
  const LPARAM keyData = keys.Contains(ssAlt) ? 0x20000000 : 0;
  struct Restore {
    ~Restore() { SetKeyboardShiftState({}); }
  } restore;

  uint16_t k = key;
  // Key down: the form previews it, the focused control gets it, and a
  // dialog key the control does not want goes to the form.
  TWinControl* target = KeyTarget();
  if (keyPreview_ && target != this && k) KeyDown(k, keys);
  if (k) {
    TMessage m{WM_KEYDOWN, k, keyData, 0};
    if (target == this)
      WndProc(m);
    else
      target->WndProc(m);
    k = static_cast<uint16_t>(m.WParam);
  }
  if (k && IsDialogKey(k)) {
    target = KeyTarget();
    if (target == this || !WantsKey(target, k)) {
      if (Perform(CM_DIALOGKEY, k, keyData) != 0) k = 0;
    }
  }
  // The character the key types, unless the key was consumed.
  if (k && ch) {
    char32_t c = ch;
    target = KeyTarget();
    if (keyPreview_ && target != this) KeyPress(c);
    if (c) {
      TMessage m{WM_CHAR, static_cast<WPARAM>(c), keyData, 0};
      target->WndProc(m);
    }
  }
  // Key up goes to whoever has the focus now.
  uint16_t u = key;
  target = KeyTarget();
  if (keyPreview_ && target != this && u) KeyUp(u, keys);
  if (u) {
    TMessage m{WM_KEYUP, u, keyData, 0};
    target->WndProc(m);
  }
}

void TCustomForm::CMDialogKey(TMessage& msg) {
  auto key = static_cast<uint16_t>(msg.WParam);
  TShiftState shift = KeyboardShiftState();
  if (shift.Contains(ssAlt) || shift.Contains(ssCtrl)) return;
  TWinControl* focused = KeyTarget() == this ? nullptr : KeyTarget();
  switch (key) {
    case VK_TAB:
      SelectNext(focused, !shift.Contains(ssShift), true);
      msg.Result = 1;
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (focused && focused->GetParent()) {
        focused->GetParent()->SelectNext(focused, key == VK_RIGHT || key == VK_DOWN, false);
        msg.Result = 1;
      }
      return;
    default:
      break;
  }
  // Enter and Escape: the focused control first (a focused button takes
  // Enter), then every showing control of the form.
  if (focused && focused->Perform(CM_DIALOGKEY, msg.WParam, msg.LParam) != 0) {
    msg.Result = 1;
    return;
  }
  std::function<bool(TWinControl*)> visit = [&](TWinControl* parent) {
    for (int i = 0; i < parent->GetControlCount(); ++i) {
      TControl* c = parent->GetControls(i);
      if (!c->GetVisible() || !c->GetEnabled() || c == focused) continue;
      if (c->Perform(CM_DIALOGKEY, msg.WParam, msg.LParam) != 0) return true;
      if (auto* w = dynamic_cast<TWinControl*>(c); w && visit(w)) return true;
    }
    return false;
  };
  if (visit(this)) msg.Result = 1;
}

}  // namespace tabulon
