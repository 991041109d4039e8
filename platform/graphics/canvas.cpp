// Software drawing: rectangles, lines, text and pictures onto a bitmap.
#include "platform/graphics/canvas.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"

namespace tabulon {
namespace {

uint32_t Rgb(TColor c) { return static_cast<uint32_t>(ColorToRGB(c)); }

uint32_t Blend(uint32_t dst, uint32_t src, uint8_t a) {
  if (a == 255) return src;
  auto mix = [a](uint32_t d, uint32_t s) { return (s * a + d * (255u - a) + 127u) / 255u; };
  uint32_t r = mix(dst & 0xFF, src & 0xFF);
  uint32_t g = mix((dst >> 8) & 0xFF, (src >> 8) & 0xFF);
  uint32_t b = mix((dst >> 16) & 0xFF, (src >> 16) & 0xFF);
  return r | (g << 8) | (b << 16);
}

// Whether a hatch pattern covers the pixel (x, y) of the target.
bool Hatched(TBrushStyle s, int x, int y) {
  switch (s) {
    case bsHorizontal:
      return (y & 7) == 0;
    case bsVertical:
      return (x & 7) == 0;
    case bsFDiagonal:
      return ((x - y) & 7) == 0;
    case bsBDiagonal:
      return ((x + y) & 7) == 0;
    case bsCross:
      return (x & 7) == 0 || (y & 7) == 0;
    case bsDiagCross:
      return ((x - y) & 7) == 0 || ((x + y) & 7) == 0;
    default:
      return true;
  }
}

}  // namespace

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      brush_(std::make_unique<TBrush>()),
      pen_(std::make_unique<TPen>()) {}

TCanvas::TCanvas(TBitmap* bitmap) : TCanvas() {
  if (bitmap) target_ = {bitmap, {0, 0}, Rect(0, 0, bitmap->GetWidth(), bitmap->GetHeight())};
}

TCanvas::~TCanvas() = default;

TCanvasTarget TCanvas::SetTarget(const TCanvasTarget& target) {
  TCanvasTarget old = target_;
  target_ = target;
  if (target_.Bitmap)
    target_.Clip = IntersectRect(
        target_.Clip, Rect(0, 0, target_.Bitmap->GetWidth(), target_.Bitmap->GetHeight()));
  return old;
}

TRect TCanvas::GetClipRect() const {
  return OffsetRect(target_.Clip, -target_.Origin.X, -target_.Origin.Y);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  target_.Clip = IntersectRect(target_.Clip, OffsetRect(r, target_.Origin.X, target_.Origin.Y));
}

void TCanvas::OffsetOrigin(int dx, int dy) {
  target_.Origin.X += dx;
  target_.Origin.Y += dy;
}

void TCanvas::Plot(int x, int y, uint32_t rgb) {
  if (!target_.Bitmap) return;
  int px = x + target_.Origin.X, py = y + target_.Origin.Y;
  if (!target_.Clip.Contains({px, py})) return;
  target_.Bitmap->PutRaw(px, py, rgb);
}

TColor TCanvas::GetPixel(int x, int y) const {
  if (!target_.Bitmap) return clNone;
  int px = x + target_.Origin.X, py = y + target_.Origin.Y;
  if (!target_.Clip.Contains({px, py})) return clNone;
  return static_cast<TColor>(target_.Bitmap->GetRaw(px, py));
}

void TCanvas::SetPixel(int x, int y, TColor c) { Plot(x, y, Rgb(c)); }

void TCanvas::FillLogical(const TRect& r, uint32_t rgb) {
  if (!target_.Bitmap) return;
  TRect d = IntersectRect(OffsetRect(r, target_.Origin.X, target_.Origin.Y), target_.Clip);
  for (int y = d.Top; y < d.Bottom; ++y)
    for (int x = d.Left; x < d.Right; ++x) target_.Bitmap->PutRaw(x, y, rgb);
}

void TCanvas::FillRect(const TRect& r) {
  TBrushStyle s = brush_->GetStyle();
  if (s == bsClear || !target_.Bitmap) return;
  uint32_t rgb = Rgb(brush_->GetColor());
  if (s == bsSolid) {
    FillLogical(r, rgb);
    return;
  }
  TRect d = IntersectRect(OffsetRect(r, target_.Origin.X, target_.Origin.Y), target_.Clip);
  for (int y = d.Top; y < d.Bottom; ++y)
    for (int x = d.Left; x < d.Right; ++x)
      if (Hatched(s, x, y)) target_.Bitmap->PutRaw(x, y, rgb);
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.IsEmpty()) return;
  uint32_t rgb = Rgb(brush_->GetColor());
  FillLogical(Rect(r.Left, r.Top, r.Right, r.Top + 1), rgb);
  FillLogical(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), rgb);
  FillLogical(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), rgb);
  FillLogical(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), rgb);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  int w = pen_->GetStyle() == psClear ? 0 : pen_->GetWidth();
  FillRect(Rect(x1 + w, y1 + w, x2 - w, y2 - w));
  if (w == 0) return;
  uint32_t rgb = Rgb(pen_->GetColor());
  FillLogical(Rect(x1, y1, x2, y1 + w), rgb);
  FillLogical(Rect(x1, y2 - w, x2, y2), rgb);
  FillLogical(Rect(x1, y1, x1 + w, y2), rgb);
  FillLogical(Rect(x2 - w, y1, x2, y2), rgb);
}

void TCanvas::LineTo(int x, int y) {
  TPoint from = penPos_;
  penPos_ = {x, y};
  if (pen_->GetStyle() == psClear) return;
  uint32_t rgb = Rgb(pen_->GetColor());
  int w = pen_->GetWidth();
  int dx = std::abs(x - from.X), dy = -std::abs(y - from.Y);
  int sx = from.X < x ? 1 : -1, sy = from.Y < y ? 1 : -1;
  int err = dx + dy, cx = from.X, cy = from.Y, step = 0;
  while (cx != x || cy != y) {
    bool on = true;
    switch (pen_->GetStyle()) {
      case psDash:
        on = (step % 9) < 6;
        break;
      case psDot:
        on = (step % 2) == 0;
        break;
      case psDashDot:
        on = (step % 12) < 6 || (step % 12) == 8;
        break;
      case psDashDotDot:
        on = (step % 14) < 6 || (step % 14) == 8 || (step % 14) == 10;
        break;
      default:
        break;
    }
    if (on) {
      if (w == 1)
        Plot(cx, cy, rgb);
      else
        FillLogical(Rect(cx - w / 2, cy - w / 2, cx - w / 2 + w, cy - w / 2 + w), rgb);
    }
    ++step;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      cx += sx;
    }
    if (e2 <= dx) {
      err += dx;
      cy += sy;
    }
  }
}

TTextMetric TCanvas::GetTextMetrics() const { return TextMetrics().GetMetrics(*font_); }
int TCanvas::TextWidth(std::string_view text) const {
  return TextMetrics().TextWidth(*font_, text);
}
int TCanvas::TextHeight(std::string_view) const { return GetTextMetrics().tmHeight; }
TSize TCanvas::TextExtent(std::string_view text) const {
  return {TextWidth(text), TextHeight(text)};
}

void TCanvas::DrawText(int x, int y, std::string_view text, const TRect* clip) {
  if (!target_.Bitmap) return;
  TCanvasTarget saved = target_;
  if (clip) IntersectClipRect(*clip);
  uint32_t rgb = Rgb(font_->GetColor());
  TBitmap* bmp = target_.Bitmap;
  const TRect c = target_.Clip;
  const int ox = target_.Origin.X + x, oy = target_.Origin.Y + y;
  TextMetrics().RenderText(*font_, text, [&](int gx, int gy, uint8_t a) {
    int px = ox + gx, py = oy + gy;
    if (!c.Contains({px, py})) return;
    bmp->PutRaw(px, py, Blend(bmp->GetRaw(px, py), rgb, a));
  });
  target_ = saved;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  TSize ext = TextExtent(text);
  if (brush_->GetStyle() != bsClear)
    FillLogical(Bounds(x, y, ext.cx, ext.cy), Rgb(brush_->GetColor()));
  DrawText(x, y, text, nullptr);
  penPos_ = {x + ext.cx, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
  if (brush_->GetStyle() != bsClear) FillLogical(r, Rgb(brush_->GetColor()));
  DrawText(x, y, text, &r);
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
  if (graphic) graphic->Draw(*this, x, y);
}

void TCanvas::PatBlt(int x, int y, int w, int h, uint32_t rop) {
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  TRect r = Bounds(x, y, w, h);
  switch (rop) {
    case BLACKNESS:
      FillLogical(r, 0x000000);
      return;
    case WHITENESS:
      FillLogical(r, 0xFFFFFF);
      return;
    case PATCOPY:
      FillLogical(r, Rgb(brush_->GetColor()));
      return;
    case PATINVERT:
    case DSTINVERT: {
      if (!target_.Bitmap) return;
      uint32_t mask = rop == DSTINVERT ? 0xFFFFFF : Rgb(brush_->GetColor());
      TRect d = IntersectRect(OffsetRect(r, target_.Origin.X, target_.Origin.Y), target_.Clip);
      for (int py = d.Top; py < d.Bottom; ++py)
        for (int px = d.Left; px < d.Right; ++px)
          target_.Bitmap->PutRaw(px, py, (target_.Bitmap->GetRaw(px, py) ^ mask) & 0xFFFFFF);
      return;
    }
    default: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "Unsupported raster operation $%X", rop);
      throw EInvalidOperation(buf);
    }
  }
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (r.IsEmpty() || !target_.Bitmap) return;
  auto inv = [this](int x, int y) {
    int px = x + target_.Origin.X, py = y + target_.Origin.Y;
    if (!target_.Clip.Contains({px, py})) return;
    target_.Bitmap->PutRaw(px, py, (target_.Bitmap->GetRaw(px, py) ^ 0xFFFFFF) & 0xFFFFFF);
  };
  for (int x = r.Left; x < r.Right; x += 2) {
    inv(x, r.Top);
    if (r.Bottom - 1 != r.Top) inv(x, r.Bottom - 1);
  }
  for (int y = r.Top + 2; y < r.Bottom - 1; y += 2) {
    inv(r.Left, y);
    if (r.Right - 1 != r.Left) inv(r.Right - 1, y);
  }
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
  int w = std::min(dest.Width(), src.Width()), h = std::min(dest.Height(), src.Height());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TColor c = source.GetPixel(src.Left + x, src.Top + y);
      if (c != clNone) Plot(dest.Left + x, dest.Top + y, static_cast<uint32_t>(c));
    }
}

void Frame3D(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int width) {
  TPen* pen = canvas.GetPen();
  TColor oldColor = pen->GetColor();
  int oldWidth = pen->GetWidth();
  TPenStyle oldStyle = pen->GetStyle();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  --r.Bottom;
  --r.Right;
  for (int i = 0; i < width; ++i) {
    pen->SetColor(topColor);
    canvas.MoveTo(r.Left, r.Bottom);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Top);
    pen->SetColor(bottomColor);
    canvas.LineTo(r.Right, r.Bottom);
    canvas.LineTo(r.Left, r.Bottom);
    r = InflateRect(r, -1, -1);
  }
  ++r.Bottom;
  ++r.Right;
  pen->SetColor(oldColor);
  pen->SetWidth(oldWidth);
  pen->SetStyle(oldStyle);
}

TCanvasStateScope::TCanvasStateScope(TCanvas& c)
    : c_(c), target_(c.GetTarget()), penPos_(c.GetPenPos()) {
  font_.Assign(c.GetFont());
  brush_.Assign(c.GetBrush());
  pen_.Assign(c.GetPen());
}

TCanvasStateScope::~TCanvasStateScope() {
  c_.SetTarget(target_);
  c_.GetFont()->Assign(&font_);
  c_.GetBrush()->Assign(&brush_);
  c_.GetPen()->Assign(&pen_);
  c_.SetPenPos(penPos_);
}

TBN_REGISTER(TCanvas) {}

}  // namespace tabulon
