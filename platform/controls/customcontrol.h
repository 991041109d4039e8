// Controls that paint themselves: TCustomControl (windowed) and
// TGraphicControl (drawn on its parent), each with a TControlCanvas whose
// Paint override draws the control. The control canvas draws on whatever
// the control is being painted into; outside a paint pass it has no target.
#pragma once

#include <memory>

#include "platform/controls/wincontrol.h"

namespace tabulon {

/// A canvas bound to a control: during a paint pass it draws into the
/// control's client area of the picture being painted.
class TControlCanvas : public TCanvas {
  TBN_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  TControl* GetControl() const { return control_; }
  /// Binds the canvas to `control` (not owned); the target follows the control's paint pass.
  void SetControl(TControl* control);
  /// Takes the control's current paint target (none outside painting).
  void UpdateTarget();
  /// Drops the target.
  void FreeTarget() { SetTarget({}); }

 private:
  TControl* control_ = nullptr;
};

/// A windowed control that paints itself in Paint.
class TCustomControl : public TWinControl {
  TBN_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  /// The canvas Paint draws on.
  TControlCanvas* GetCanvas() const { return canvas_.get(); }

 protected:
  /// Draws the control's client area on Canvas.
  virtual void Paint();
  void PaintSelf(TCanvas& canvas) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

/// A control without a window, painted by its parent, that paints itself in Paint.
class TGraphicControl : public TControl {
  TBN_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TControlCanvas* GetCanvas() const { return canvas_.get(); }

 protected:
  virtual void Paint();
  void PaintSelf(TCanvas& canvas) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace tabulon
