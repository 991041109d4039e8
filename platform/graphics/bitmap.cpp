// Bitmaps and icons.
#include "platform/graphics/bitmap.h"

#include "platform/core/class_builder.h"
#include "platform/graphics/canvas.h"

namespace tabulon {

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height, bool monochrome) : mono_(monochrome) {
  SetSize(width, height);
}
TBitmap::~TBitmap() = default;

uint32_t TBitmap::Quantise(uint32_t rgb) {
  uint32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  // Integer luma (0.299, 0.587, 0.114).
  return (r * 299 + g * 587 + b * 114) >= 128000 ? 0xFFFFFF : 0x000000;
}

void TBitmap::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    if (b == this) return;
    width_ = b->width_;
    height_ = b->height_;
    mono_ = b->mono_;
    transparent_ = b->transparent_;
    transparentColor_ = b->transparentColor_;
    pixels_ = b->pixels_;
    if (canvas_) canvas_->SetTarget({this, {0, 0}, Rect(0, 0, width_, height_)});
    Changed();
    return;
  }
  if (source == nullptr) {
    SetSize(0, 0);
    return;
  }
  inherited::Assign(source);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == width_ && height == height_) return;
  std::vector<uint32_t> p(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFFFFFF);
  for (int y = 0; y < std::min(height, height_); ++y)
    for (int x = 0; x < std::min(width, width_); ++x)
      p[static_cast<size_t>(y * width + x)] = GetRaw(x, y);
  pixels_ = std::move(p);
  width_ = width;
  height_ = height;
  if (canvas_) canvas_->SetTarget({this, {0, 0}, Rect(0, 0, width_, height_)});
  Changed();
}

void TBitmap::SetMonochrome(bool v) {
  if (v == mono_) return;
  mono_ = v;
  if (mono_)
    for (auto& p : pixels_) p = Quantise(p);
  Changed();
}

TColor TBitmap::GetTransparentColor() const {
  if (transparentColor_ != clDefault) return ColorToRGB(transparentColor_);
  if (GetEmpty()) return clNone;
  return static_cast<TColor>(GetRaw(0, height_ - 1));
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
  return static_cast<TColor>(GetRaw(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  PutRaw(x, y, static_cast<uint32_t>(ColorToRGB(c)));
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(this);
  return *canvas_;
}

void TBitmap::Draw(TCanvas& canvas, int x, int y) const {
  bool skip = transparent_;
  uint32_t key = skip ? static_cast<uint32_t>(GetTransparentColor()) : 0;
  for (int py = 0; py < height_; ++py)
    for (int px = 0; px < width_; ++px) {
      uint32_t c = GetRaw(px, py);
      if (skip && c == key) continue;
      canvas.Plot(x + px, y + py, c);
    }
}

void TIcon::Assign(TPersistent* source) {
  if (auto* i = dynamic_cast<TIcon*>(source)) {
    SetImage(i->image_.get());
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(source)) {
    SetImage(b);
    return;
  }
  inherited::Assign(source);
}

void TIcon::SetImage(const TBitmap* image) {
  if (!image) {
    image_.reset();
  } else {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(const_cast<TBitmap*>(image));
    image_ = std::move(copy);
  }
  Changed();
}

void TIcon::Draw(TCanvas& canvas, int x, int y) const {
  if (image_) image_->Draw(canvas, x, y);
}

TBN_REGISTER(TGraphic) {}
TBN_REGISTER(TBitmap) {}
TBN_REGISTER(TIcon) {}

}  // namespace tabulon
