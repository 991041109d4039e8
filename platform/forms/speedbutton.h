// TSpeedButton: a push button without a window of its own, painted on its
// parent, that shows a glyph and an optional caption. The glyph bitmap holds
// up to four images side by side (NumGlyphs): up, disabled, down, and
// exclusive (held down in a group); a missing disabled image is drawn
// embossed from the up image, other missing images use the up image. The
// bitmap's bottom-left pixel colour is transparent. Pressing the left
// button draws the button down while the mouse stays over it; releasing it
// there clicks. Its mouse events are ordinary events, so an owner may route
// them to itself.
#pragma once

#include <memory>

#include "platform/controls/customcontrol.h"

namespace tabulon {

/// Where the glyph sits relative to the caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
/// The number of images in a glyph bitmap, 1 to 4.
using TNumGlyphs = int;
/// How a speed button is drawn.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

/// A glyph-carrying push button drawn on its parent.
class TSpeedButton : public TGraphicControl {
  TBN_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  /// The glyph bitmap (owned; assigning copies).
  TBitmap* GetGlyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* v);
  TNumGlyphs GetNumGlyphs() const { return numGlyphs_; }
  /// Clamped to 1..4.
  void SetNumGlyphs(TNumGlyphs v);
  TButtonLayout GetLayout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  /// Pixels between the edge and the glyph; -1 centres glyph and caption.
  int GetMargin() const { return margin_; }
  void SetMargin(int v);
  /// Pixels between glyph and caption.
  int GetSpacing() const { return spacing_; }
  void SetSpacing(int v);
  /// Buttons with the same non-zero group index act as radio buttons.
  int GetGroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  /// Whether the down button of a group may be clicked up again.
  bool GetAllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  /// Held down (only with a group index).
  bool GetDown() const { return down_; }
  void SetDown(bool v);
  /// How the button is drawn now.
  TButtonState GetState() const { return state_; }

 protected:
  /// Draws the frame, the glyph image of the current state and the caption.
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMEnabledChanged(TMessage& msg) override;

 private:
  void GlyphChanged(TObject* sender);
  void DrawGlyph(TCanvas& canvas, int x, int y, TButtonState state) const;

  std::unique_ptr<TBitmap> glyph_;
  TNumGlyphs numGlyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  bool dragging_ = false;  // the left button went down on the button
  TButtonState state_ = bsUp;
};

}  // namespace tabulon

TBN_ENUM(tabulon::TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom");
TBN_ENUM(tabulon::TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive");
