// Graphic controls that show text and frames: TCustomLabel/TLabel (a
// caption measured and drawn in its font, sized to its text when AutoSize
// is on) and TBevel (a lowered or raised box, frame or line).
#pragma once

#include "platform/controls/customcontrol.h"

namespace tabulon {

enum TTextLayout { tlTop, tlCenter, tlBottom };

/// A text label.
class TCustomLabel : public TGraphicControl {
  TBN_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* owner);
  ~TCustomLabel() override;

  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  /// The label takes the size of its text (keeping its right edge when right-justified).
  bool GetAutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool v);
  /// A transparent label leaves its parent's picture behind the text.
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v);
  /// Long text breaks at blanks into lines no wider than the label.
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TTextLayout GetLayout() const { return layout_; }
  void SetLayout(TTextLayout v);
  /// '&' marks the next character as accelerator ("&&" is a literal '&').
  bool GetShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  /// The control that the accelerator focuses (a reference).
  TWinControl* GetFocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* v);
  /// The caption as shown (accelerator marks removed).
  std::string DisplayText() const;
  /// The lines the caption is drawn in for width `width` (word wrap applied).
  std::vector<std::string> Lines(int width) const;
  /// Resizes to the text when AutoSize is on.
  void AdjustBounds();
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void Paint() override;
  void Loaded() override;
  void CMTextChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
  TTextLayout layout_ = tlTop;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

/// The label component.
class TLabel : public TCustomLabel {
  TBN_CLASS(TLabel, TCustomLabel)
 public:
  explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum TBevelStyle { bsLowered, bsRaised };

/// A bevelled box, frame or line.
class TBevel : public TGraphicControl {
  TBN_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* owner);
  TBevelShape GetShape() const { return shape_; }
  void SetShape(TBevelShape v);
  TBevelStyle GetStyle() const { return style_; }
  void SetStyle(TBevelStyle v);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

}  // namespace tabulon

TBN_ENUM(tabulon::TTextLayout, "tlTop", "tlCenter", "tlBottom");
TBN_ENUM(tabulon::TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
         "bsRightLine");
TBN_ENUM(tabulon::TBevelStyle, "bsLowered", "bsRaised");
