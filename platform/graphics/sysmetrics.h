// The system services that controls ask the window system for: metrics
// (scroll-bar sizes, screen size), predefined bitmaps and the message beep.
// Headless, the metrics are a table with the classic values that callers may
// change (the screen size, for rendering at a chosen size), and beeps are
// counted so that tests can see them.
#pragma once

#include <memory>

#include "platform/graphics/bitmap.h"

namespace tabulon {

inline constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3,
                     SM_CYCAPTION = 4, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7,
                     SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9, SM_CXHTHUMB = 10, SM_CXICON = 11,
                     SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14, SM_CYMENU = 15,
                     SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_MOUSEPRESENT = 19,
                     SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37,
                     SM_CXEDGE = 45, SM_CYEDGE = 46, SM_CMETRICS = 76;

/// The value of system metric `index` (SM_CXVSCROLL = 16, SM_CXSCREEN = 1024, ...); 0 for
/// an unknown index.
int GetSystemMetrics(int index);
/// Changes a system metric (screen size for rendering, bar sizes for tests);
/// returns the previous value. Unknown indexes are ignored and return 0.
int SetSystemMetrics(int index, int value);

/// Whether controls draw in the new (3-D) style of the system's later
/// versions; true unless a caller switches it off (tests of the old style).
bool NewStyleControls();
/// Switches the style; returns the previous value.
bool SetNewStyleControls(bool v);

inline constexpr int OBM_COMBO = 32738;
/// A new bitmap holding the predefined system bitmap `id` (OBM_COMBO: the
/// 7x4 monochrome drop-down arrow); EInvalidOperation "Unknown system bitmap %d"
/// for other ids. The caller owns the result.
std::unique_ptr<TBitmap> LoadSystemBitmap(int id);

inline constexpr unsigned MB_OK = 0x0, MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20,
                          MB_ICONEXCLAMATION = 0x30, MB_ICONASTERISK = 0x40;
/// Sounds the system beep of `type`: headless, it is counted.
void MessageBeep(unsigned type);
/// Number of beeps since the start or the last reset.
int MessageBeepCount();
/// The type of the last beep (0 when none).
unsigned LastMessageBeep();
void ResetMessageBeeps();

}  // namespace tabulon
