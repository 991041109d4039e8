// TCustomPanel / TPanel: a container with an outer and an inner bevel, a
// border of its own colour between them, an optional window border and a
// centred caption. Children are aligned inside the bevels and the border.
#pragma once

#include "platform/controls/customcontrol.h"

namespace tabulon {

/// A bevelled container control.
class TCustomPanel : public TCustomControl {
  TBN_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* owner);

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  int GetBevelWidth() const { return bevelWidth_; }
  /// Widths below 1 raise EInvalidOperation "Bevel width must be at least 1".
  void SetBevelWidth(int v);
  int GetBorderWidth() const { return borderWidth_; }
  /// Negative widths raise EInvalidOperation "Border width must not be negative".
  void SetBorderWidth(int v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  /// bsNone or bsSingle; other kinds raise EPropertyError "Invalid property value".
  void SetBorderStyle(TBorderStyle v);
  bool GetLocked() const { return locked_; }
  void SetLocked(bool v) { locked_ = v; }
  bool GetFullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool v) { fullRepaint_ = v; }
  /// Border plus bevels on one side, in pixels.
  int FrameWidth() const;

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& rect) override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void CreateParams(TCreateParams& params) override;
  void CMTextChanged(TMessage& msg) override;

 private:
  void FrameChanged();
  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool locked_ = false;
  bool fullRepaint_ = true;
};

/// The panel component with its published properties.
class TPanel : public TCustomPanel {
  TBN_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

/// Paints a window border of `style` inside (0, 0, width, height): sunken
/// two-pixel edges with the 3-D look, a one-pixel frame without.
void PaintWindowBorder(TCanvas& canvas, int width, int height, TBorderStyle style, bool ctl3D);
/// The thickness of such a border on each side.
int WindowBorderWidth(TBorderStyle style, bool ctl3D);

}  // namespace tabulon
