// TCanvas: drawing with a font, a brush and a pen onto a bitmap. The canvas
// works in logical coordinates that an origin shifts onto the bitmap, and it
// never draws outside its clipping rectangle; controls use both to paint
// themselves and their children into one picture. A canvas without a bitmap
// measures text but draws nothing, like a hidden window.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/persistent.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphobj.h"
#include "platform/graphics/textmetrics.h"
#include "platform/graphics/types.h"

namespace tabulon {

/// Raster operations of PatBlt.
inline constexpr uint32_t BLACKNESS = 0x00000042;
inline constexpr uint32_t WHITENESS = 0x00FF0062;
inline constexpr uint32_t PATCOPY = 0x00F00021;
inline constexpr uint32_t PATINVERT = 0x005A0049;
inline constexpr uint32_t DSTINVERT = 0x00550009;

/// Where and how a canvas draws: the bitmap, the origin of logical (0, 0) on
/// it and the clipping rectangle in bitmap pixels.
struct TCanvasTarget {
  TBitmap* Bitmap = nullptr;
  TPoint Origin;
  TRect Clip;
};

/// A drawing surface with font, brush and pen.
class TCanvas : public TPersistent {
  TBN_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  /// A canvas drawing on `bitmap` (not owned), clipped to the bitmap.
  explicit TCanvas(TBitmap* bitmap);
  ~TCanvas() override;

  TFont* GetFont() const { return font_.get(); }
  /// Copies the attributes of `font`.
  void SetFont(TFont* font) { font_->Assign(font); }
  TBrush* GetBrush() const { return brush_.get(); }
  void SetBrush(TBrush* b) { brush_->Assign(b); }
  TPen* GetPen() const { return pen_.get(); }
  void SetPen(TPen* p) { pen_->Assign(p); }
  TPoint GetPenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { penPos_ = p; }

  /// The current target (bitmap, origin, clip).
  const TCanvasTarget& GetTarget() const { return target_; }
  /// Replaces the target; returns the previous one so that it can be restored.
  TCanvasTarget SetTarget(const TCanvasTarget& target);
  /// Whether the canvas has a bitmap to draw on.
  bool HasTarget() const { return target_.Bitmap != nullptr; }
  /// The clipping rectangle in logical coordinates.
  TRect GetClipRect() const;
  /// Narrows the clipping rectangle to `r` (logical coordinates).
  void IntersectClipRect(const TRect& r);
  /// Moves the logical origin by (dx, dy) pixels.
  void OffsetOrigin(int dx, int dy);

  /// The colour of the pixel at (x, y); clNone outside the target or clip.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  /// Fills `r` with the brush (a clear brush fills nothing).
  void FillRect(const TRect& r);
  /// Draws a one-pixel border of `r` in the brush colour.
  void FrameRect(const TRect& r);
  /// Outlines (x1, y1)-(x2, y2) with the pen and fills the inside with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  /// Draws a line with the pen from the pen position up to, not including, (x, y).
  void LineTo(int x, int y);
  /// Draws text with its cell's top left at (x, y); an opaque brush fills the
  /// cell first. The pen position moves to the end of the text.
  void TextOut(int x, int y, std::string_view text);
  /// Draws text at (x, y) clipped to `r`; an opaque brush fills all of `r` first.
  void TextRect(const TRect& r, int x, int y, std::string_view text);
  int TextWidth(std::string_view text) const;
  /// The cell height of the font (tmHeight), whatever the text.
  int TextHeight(std::string_view text) const;
  TSize TextExtent(std::string_view text) const;
  /// The metrics of the current font.
  TTextMetric GetTextMetrics() const;
  /// Draws a picture with its top left at (x, y).
  void Draw(int x, int y, const TGraphic* graphic);
  /// Fills (x, y, w, h) by raster operation: BLACKNESS, WHITENESS, PATCOPY
  /// (the brush), PATINVERT (brush xor destination) or DSTINVERT; any other
  /// code raises EInvalidOperation "Unsupported raster operation $%x".
  void PatBlt(int x, int y, int w, int h, uint32_t rop);
  /// Inverts a dotted one-pixel frame of `r`; drawing it twice removes it.
  void DrawFocusRect(const TRect& r);
  /// Copies `source` (rectangle `src` of it) onto `dest` of this canvas, same size.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& src);

  /// Plots one pixel in logical coordinates honouring origin and clip.
  void Plot(int x, int y, uint32_t rgb);

 private:
  void FillLogical(const TRect& r, uint32_t rgb);
  void DrawText(int x, int y, std::string_view text, const TRect* clip);
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
  TPoint penPos_;
  TCanvasTarget target_;
};

/// Draws a 3-D frame inside `r`, `width` pixels thick: top and left in
/// `topColor`, bottom and right in `bottomColor`; `r` shrinks by `width`.
void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width);

/// Saves a canvas's target, font, brush and pen and restores them on leaving.
class TCanvasStateScope {
 public:
  explicit TCanvasStateScope(TCanvas& c);
  ~TCanvasStateScope();
  TCanvasStateScope(const TCanvasStateScope&) = delete;
  TCanvasStateScope& operator=(const TCanvasStateScope&) = delete;

 private:
  TCanvas& c_;
  TCanvasTarget target_;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  TPoint penPos_;
};

}  // namespace tabulon
