// The fields panel's layout around the pass: the limits it is given from the
// panel's size and alignment, the panel's automatic size and scroll bars
// afterwards, and when a pass runs. A pass is expensive (it measures and
// places every row), so the entry points are guarded: a resize or an
// invalidation starts one only at LayoutLevel 0, the invalidations a bounds
// change makes start none (the resize that follows does), and a pass repeats
// itself at most once, when a scroll bar appeared or vanished.
#include <climits>

#include "run/tbnset/panel.h"

namespace tabulon {

namespace {
// Sets a flag for a scope and restores its previous value, also when an
// exception passes.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = saved_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};
}  // namespace

void TPanelFieldsSet::PaintPanel() {
  if (!ScrollingFieldsSet || !Fields) return;
  TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  // The window border counts with the bevels: it, too, lies between the
  // panel's bounds and its scroll box.
  FrameSize = 2 * (FrameWidth() + WindowBorderWidth(GetBorderStyle(), GetCtl3D()));
  const TAlign align = GetAlign();
  // An auto-sized panel grows freely in the directions its alignment leaves open.
  MaxWidth = AutoSize && (align == alNone || align == alLeft || align == alRight)
                 ? INT_MAX
                 : GetWidth() - FrameSize;
  MaxHeight = AutoSize && (align == alNone || align == alTop || align == alBottom)
                  ? INT_MAX
                  : GetHeight() - FrameSize;
  ScrollingFieldsSet->SetCursor(GetCursor());
  TFlagScope inserting(InternalInsert);
  PaintFields();
}

void TPanelFieldsSet::PaintFields() {
  TScrollingFieldsSet* box = ScrollingFieldsSet;
  if (!box) return;
  TControlScrollBar* vert = box->GetVertScrollBar();
  TControlScrollBar* horz = box->GetHorzScrollBar();
  const bool vertShown = vert->IsScrollBarVisible();
  const bool horzShown = horz->IsScrollBarVisible();
  ++LayoutLevel;
  try {
    const TSize need = PaintPanelComponents(true);
    const int w = need.cx, h = need.cy;
    int nonClientHeight = box->GetHeight() - box->GetClientHeight();
    int nonClientWidth = box->GetWidth() - box->GetClientWidth();
    if (AutoSize && h >= 1)
      SetHeight(nonClientHeight + h - 2 < MaxHeight ? nonClientHeight + h : MaxHeight);
    if (AutoSize && w >= 1) SetWidth(nonClientWidth + w < MaxWidth ? nonClientWidth + w : MaxWidth);
    vert->SetRange(h);
    horz->SetRange(w);
    // The box's borders and bars as they are after the resizing.
    nonClientHeight = box->GetHeight() - box->GetClientHeight();
    nonClientWidth = box->GetWidth() - box->GetClientWidth();
    vert->SetVisible(static_cast<long long>(nonClientHeight) + h > MaxHeight);
    horz->SetVisible(static_cast<long long>(nonClientWidth) + w > MaxWidth);
  } catch (...) {
    --LayoutLevel;
    throw;
  }
  --LayoutLevel;
  // A bar that appeared or vanished changed the room the pass had: once more.
  if (!RelayoutGuard &&
      (vert->IsScrollBarVisible() != vertShown || horz->IsScrollBarVisible() != horzShown)) {
    TFlagScope guard(RelayoutGuard);
    PaintFields();
  }
}

TSize TPanelFieldsSet::GetRequiredLengths() { return PaintPanelComponents(false); }

void TPanelFieldsSet::SetHeight(int value) {
  const TAlign align = GetAlign();
  if (align == alLeft || align == alRight || align == alClient) return;
  TCustomPanel::SetHeight(value + FrameSize);
}

void TPanelFieldsSet::SetWidth(int value) {
  const TAlign align = GetAlign();
  if (align == alTop || align == alBottom || align == alClient) return;
  TCustomPanel::SetWidth(value + FrameSize);
}

void TPanelFieldsSet::SetAlign(TAlign value) {
  const TAlign old = GetAlign();
  TCustomPanel::SetAlign(value);
  if (value == old) return;
  if (AutoSize && (old == alClient || value == alNone)) WndChanged();
  if (ScrollingFieldsSet) ScrollingFieldsSet->Realign();
}

void TPanelFieldsSet::Invalidate() {
  if (LayoutLevel < 2) TCustomPanel::Invalidate();
  if (!GetComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying) &&
      !Resizing && LayoutLevel == 0)
    WndChanged();
}

void TPanelFieldsSet::SetBounds(int left, int top, int width, int height) {
  // Headless, the framework marks the panel invalid before and after the
  // change; a window system would repaint without asking the panel, so
  // these marks start no pass. The resize that follows a change of size does.
  TFlagScope resizing(Resizing);
  TCustomPanel::SetBounds(left, top, width, height);
}

void TPanelFieldsSet::WMWindowPosChanged(TMessage& msg) {
  TFlagScope resizing(Resizing);
  TCustomPanel::WMWindowPosChanged(msg);
}

void TPanelFieldsSet::Resize() {
  if (LayoutLevel == 0) WndChanged();
  TCustomPanel::Resize();
}

}  // namespace tabulon
