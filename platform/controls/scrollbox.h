// Scrolling containers: TControlScrollBar (one bar's range, position and
// visibility), TScrollingWinControl (children scroll by moving them; the
// client area shrinks by the width of every visible bar) and TScrollBox.
#pragma once

#include "platform/controls/customcontrol.h"

namespace tabulon {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

/// One scroll bar of a scrolling control. The bar shows when it is Visible
/// and its Range exceeds the client size in its direction.
class TControlScrollBar : public TPersistent {
  TBN_CLASS(TControlScrollBar, TPersistent)
 public:
  TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);
  void Assign(TPersistent* source) override;
  TScrollBarKind GetKind() const { return kind_; }
  /// Pixels moved by one arrow click; 1..32767, default 8.
  int GetIncrement() const { return increment_; }
  void SetIncrement(int v);
  /// Scroll position, clamped to 0..Range - client size.
  int GetPosition() const { return position_; }
  void SetPosition(int v);
  /// The extent of the scrolled content; negative values are taken as 0.
  int GetRange() const { return range_; }
  void SetRange(int v);
  /// Written to form files only without automatic scrolling (else it is computed).
  bool IsRangeStored() const;
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  bool GetTracking() const { return tracking_; }
  void SetTracking(bool v) { tracking_ = v; }
  /// Whether the bar is on screen.
  bool IsScrollBarVisible() const { return shown_; }
  /// The largest position: Range minus the client size, at least 0.
  int GetMaxPosition() const;
  /// Moves by `lines` increments (negative: back).
  void ScrollLines(int lines) { SetPosition(position_ + lines * increment_); }
  /// The part of the bar the thumb occupies, in bar pixels (for painting).
  TRect ThumbRect(int barLength, int barThickness) const;
  TPersistent* GetOwner() const override;

 private:
  friend class TScrollingWinControl;
  void DoSetRange(int v);
  TScrollingWinControl* control_;
  TScrollBarKind kind_;
  int increment_ = 8;
  int position_ = 0;
  int range_ = 0;
  bool visible_ = true;
  bool tracking_ = false;
  bool shown_ = false;
};

/// The thumb of a scroll bar `barLength` long and `barThickness` thick that
/// shows `page` of `range` units scrolled to `position` (0..range - page), in
/// bar pixels; empty when the bar has no track or nothing to show.
TRect ScrollBarThumb(TScrollBarKind kind, int barLength, int barThickness, int64_t page,
                     int64_t range, int64_t position);
/// Paints a scroll bar into `r`: arrow buttons, the track and `thumb` (bar pixels).
void PaintScrollBar(TCanvas& canvas, const TRect& r, TScrollBarKind kind, const TRect& thumb);

/// A windowed control whose children scroll.
class TScrollingWinControl : public TWinControl {
  TBN_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* owner);
  ~TScrollingWinControl() override;
  TControlScrollBar* GetHorzScrollBar() const { return horz_.get(); }
  void SetHorzScrollBar(TControlScrollBar* v) { horz_->Assign(v); }
  TControlScrollBar* GetVertScrollBar() const { return vert_.get(); }
  void SetVertScrollBar(TControlScrollBar* v) { vert_->Assign(v); }
  /// With automatic scrolling the ranges follow the children's extent.
  bool GetAutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v);
  /// Scrolls so that `control` is fully visible.
  void ScrollInView(TControl* control);
  /// Moves every child by (dx, dy).
  void ScrollBy(int dx, int dy);
  /// Recomputes ranges (when automatic) and which bars show.
  void UpdateScrollBars();

 protected:
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void WMSize(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  /// The window border on each side (none here; TScrollBox has one).
  virtual int BorderThickness() const { return 0; }
  void CreateParams(TCreateParams& params) override;

 private:
  friend class TControlScrollBar;
  void CalcAutoRange();
  void ScrollTo(TScrollBarKind kind, int oldPos, int newPos);
  std::unique_ptr<TControlScrollBar> horz_, vert_;
  bool autoScroll_ = true;
  bool updating_ = false;
};

/// The scroll box component: a scrolling control with a border.
class TScrollBox : public TScrollingWinControl {
  TBN_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* owner);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  /// bsNone or bsSingle; other kinds raise EPropertyError "Invalid property value".
  void SetBorderStyle(TBorderStyle v);

 protected:
  int BorderThickness() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void CreateParams(TCreateParams& params) override;
  void CMCtl3DChanged(TMessage& msg) override;

 private:
  TBorderStyle borderStyle_ = bsSingle;
};

}  // namespace tabulon

TBN_ENUM(tabulon::TScrollBarKind, "sbHorizontal", "sbVertical");
