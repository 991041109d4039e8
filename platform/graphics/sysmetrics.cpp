// The system metric table, system bitmaps and the beep counter.
#include "platform/graphics/sysmetrics.h"

#include <array>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"

namespace tabulon {
namespace {

std::array<int, SM_CMETRICS>& Metrics() {
  static std::array<int, SM_CMETRICS> m = [] {
    std::array<int, SM_CMETRICS> a{};
    a[SM_CXSCREEN] = 1024;
    a[SM_CYSCREEN] = 768;
    a[SM_CXVSCROLL] = 16;
    a[SM_CYHSCROLL] = 16;
    a[SM_CYCAPTION] = 19;
    a[SM_CXBORDER] = 1;
    a[SM_CYBORDER] = 1;
    a[SM_CXDLGFRAME] = 3;
    a[SM_CYDLGFRAME] = 3;
    a[SM_CYVTHUMB] = 16;
    a[SM_CXHTHUMB] = 16;
    a[SM_CXICON] = 32;
    a[SM_CYICON] = 32;
    a[SM_CXCURSOR] = 32;
    a[SM_CYCURSOR] = 32;
    a[SM_CYMENU] = 19;
    a[SM_CXFULLSCREEN] = 1024;
    a[SM_CYFULLSCREEN] = 768 - 19;
    a[SM_MOUSEPRESENT] = 1;
    a[SM_CYVSCROLL] = 16;
    a[SM_CXHSCROLL] = 16;
    a[SM_CXDOUBLECLK] = 4;
    a[SM_CYDOUBLECLK] = 4;
    a[SM_CXEDGE] = 2;
    a[SM_CYEDGE] = 2;
    return a;
  }();
  return m;
}

struct Beeps {
  int count = 0;
  unsigned last = 0;
};
Beeps& BeepState() {
  static Beeps b;
  return b;
}

}  // namespace

int GetSystemMetrics(int index) {
  if (index < 0 || index >= SM_CMETRICS) return 0;
  return Metrics()[static_cast<size_t>(index)];
}

int SetSystemMetrics(int index, int value) {
  if (index < 0 || index >= SM_CMETRICS) return 0;
  int old = Metrics()[static_cast<size_t>(index)];
  Metrics()[static_cast<size_t>(index)] = value;
  return old;
}

namespace {
bool& NewStyle() {
  static bool v = true;
  return v;
}
}  // namespace

bool NewStyleControls() { return NewStyle(); }

bool SetNewStyleControls(bool v) {
  bool old = NewStyle();
  NewStyle() = v;
  return old;
}

std::unique_ptr<TBitmap> LoadSystemBitmap(int id) {
  if (id != OBM_COMBO) throw EInvalidOperation(Format("Unknown system bitmap %d", {id}));
  auto bmp = std::make_unique<TBitmap>(7, 4, true);
  // A downward triangle: 7, 5, 3 and 1 black pixels, centred.
  for (int y = 0; y < 4; ++y)
    for (int x = y; x < 7 - y; ++x) bmp->SetPixel(x, y, clBlack);
  return bmp;
}

void MessageBeep(unsigned type) {
  ++BeepState().count;
  BeepState().last = type;
}
int MessageBeepCount() { return BeepState().count; }
unsigned LastMessageBeep() { return BeepState().last; }
void ResetMessageBeeps() { BeepState() = Beeps{}; }

}  // namespace tabulon
