// Pictures: TGraphic (the common base), TBitmap (a pixel buffer, 32-bit
// colour or monochrome, with its own canvas, readable and writable as PNG)
// and TIcon (an image that may be empty).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/method.h"
#include "platform/core/persistent.h"
#include "platform/graphics/color.h"
#include "platform/graphics/types.h"

namespace tabulon {

class TCanvas;

/// A picture that can draw itself on a canvas.
class TGraphic : public TPersistent {
  TBN_CLASS(TGraphic, TPersistent)
 public:
  /// Whether the picture holds no image.
  virtual bool GetEmpty() const = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  /// Draws the picture with its top left at (x, y) of `canvas`.
  virtual void Draw(TCanvas& canvas, int x, int y) const = 0;
  /// Fired after the image changed.
  TNotifyEvent OnChange;

 protected:
  void Changed() { OnChange(this); }
};

/// A rectangular pixel buffer. A 32-bit bitmap holds any plain colour; a
/// monochrome bitmap holds black (0) and white (1) only: what is written
/// into it becomes white when its brightness is at least half, else black.
/// New pixels are white.
class TBitmap : public TGraphic {
  TBN_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  TBitmap(int width, int height, bool monochrome = false);
  ~TBitmap() override;
  /// Copies size, kind, pixels and transparency of another bitmap.
  void Assign(TPersistent* source) override;

  bool GetEmpty() const override { return width_ == 0 || height_ == 0; }
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  void Draw(TCanvas& canvas, int x, int y) const override;
  /// Resizes, keeping the pixels that still fit; new pixels are white.
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  bool GetMonochrome() const { return mono_; }
  /// Switching to monochrome turns every pixel black or white.
  void SetMonochrome(bool v);
  /// Drawing this bitmap skips pixels of the transparent colour.
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }
  /// The colour skipped when transparent: the bottom-left pixel, or an explicit colour.
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor c) { transparentColor_ = c; }

  /// The pixel at (x, y) as a plain colour; clNone outside the bitmap.
  TColor GetPixel(int x, int y) const;
  /// Sets a pixel (quantised when monochrome); outside the bitmap nothing happens.
  void SetPixel(int x, int y, TColor c);
  /// Row-major pixels, 0x00BBGGRR each.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  /// The canvas that draws on this bitmap (created on first use, owned).
  TCanvas& Canvas();

  /// Writes the bitmap as PNG (8-bit RGB, or 1-bit greyscale when monochrome);
  /// EFCreateError "Cannot create file %s" when the file cannot be written.
  void SaveToPNGFile(const std::string& path) const;
  /// The PNG image as bytes.
  std::vector<uint8_t> SaveToPNG() const;
  /// Reads a PNG file into a 32-bit bitmap; EFOpenError "Cannot open file %s"
  /// for a missing file, EReadError "Invalid PNG image: %s" for a bad one.
  void LoadFromPNGFile(const std::string& path);
  /// Reads a PNG image from bytes; EReadError "Invalid PNG image: %s" when malformed.
  void LoadFromPNG(const std::vector<uint8_t>& bytes);

  /// Stores a pixel already reduced to the bitmap's kind (used by the canvas).
  void PutRaw(int x, int y, uint32_t rgb) {
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] =
        mono_ ? Quantise(rgb) : rgb;
  }
  uint32_t GetRaw(int x, int y) const {
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  }
  /// Tells listeners that the pixels changed.
  void Modified() { Changed(); }

 private:
  static uint32_t Quantise(uint32_t rgb);
  int width_ = 0, height_ = 0;
  bool mono_ = false;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
  std::vector<uint32_t> pixels_;
  std::unique_ptr<TCanvas> canvas_;
};

/// An icon: an optional image drawn like a bitmap.
class TIcon : public TGraphic {
  TBN_CLASS(TIcon, TGraphic)
 public:
  TIcon() = default;
  void Assign(TPersistent* source) override;
  bool GetEmpty() const override { return !image_ || image_->GetEmpty(); }
  /// Whether the icon holds an image.
  bool HasImage() const { return !GetEmpty(); }
  int GetWidth() const override { return image_ ? image_->GetWidth() : 0; }
  int GetHeight() const override { return image_ ? image_->GetHeight() : 0; }
  void Draw(TCanvas& canvas, int x, int y) const override;
  /// The icon's image (copied in); null clears the icon.
  void SetImage(const TBitmap* image);
  const TBitmap* GetImage() const { return image_.get(); }

 private:
  std::unique_ptr<TBitmap> image_;
};

}  // namespace tabulon
