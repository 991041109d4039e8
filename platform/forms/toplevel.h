// The top-level windows of the process and where they stand: shown forms
// and visible popup windows, in z-order. Popup windows (a drop-down list, a
// tool window) have no parent; SetWindowPos places them at screen
// coordinates and shows or hides them without activating them. Clicks at
// screen coordinates find their control through this list.
#pragma once

#include <vector>

#include "platform/controls/wincontrol.h"

namespace tabulon {

inline constexpr uint32_t SWP_NOZORDER = 0x0004, SWP_NOACTIVATE = 0x0010, SWP_SHOWWINDOW = 0x0040,
                          SWP_HIDEWINDOW = 0x0080;
/// Insert-after values of SetWindowPos.
inline constexpr HWND HWND_TOP = 0, HWND_BOTTOM = 1, HWND_TOPMOST = -1, HWND_NOTOPMOST = -2;

/// Puts `window` on top of the top-level windows (topmost ones stay above the others).
void BringTopLevelToFront(TWinControl* window, bool topmost = false);
/// Takes `window` out of the top-level list (hidden or destroyed).
void RemoveTopLevel(TWinControl* window);
/// The visible top-level windows, bottom first.
std::vector<TWinControl*> TopLevelWindows();
/// Makes `window` a parentless, top-level popup window (hidden until shown).
void MakePopupWindow(TWinControl* window);
/// Moves, sizes, shows or hides a top-level window (screen coordinates),
/// following the SWP_* flags. Never activates a window; returns true.
bool SetWindowPos(TWinControl* window, HWND insertAfter, int x, int y, int cx, int cy,
                  uint32_t flags);
/// The control under screen point `p` in the topmost window containing it;
/// `local` receives the point in that control's client coordinates.
TControl* FindControlAtScreen(TPoint p, TPoint* local = nullptr);
/// The top-level window that `control` sits in.
TWinControl* TopLevelOf(const TControl* control);

}  // namespace tabulon
