// The drawing tools and their published properties.
#include "platform/graphics/graphobj.h"

#include <cmath>
#include <cstdlib>

#include "platform/core/class_builder.h"

namespace tabulon {

int ScreenPixelsPerInch() { return 96; }

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t p = static_cast<int64_t>(a) * b;
  int64_t q = p / c, r = p % c;
  if (std::llabs(r) * 2 >= std::llabs(static_cast<int64_t>(c))) q += ((p < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int>(q);
}

void TGraphicsObject::Changed() {
  if (updating_ == 0) OnChange(this);
}

TFont::TFont() = default;

void TFont::Assign(TPersistent* source) {
  if (auto* f = dynamic_cast<TFont*>(source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    pitch_ = f->pitch_;
    charset_ = f->charset_;
    Changed();
    return;
  }
  inherited::Assign(source);
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
         pitch_ == o.pitch_ && charset_ == o.charset_;
}

void TFont::SetName(const std::string& v) {
  if (v.empty() || v == name_) return;
  name_ = v;
  Changed();
}
int TFont::GetSize() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }
void TFont::SetHeight(int pixels) {
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}
void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}
void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}
void TFont::SetPitch(TFontPitch v) {
  if (v == pitch_) return;
  pitch_ = v;
  Changed();
}
void TFont::SetCharset(TFontCharset v) {
  if (v == charset_) return;
  charset_ = v;
  Changed();
}

void TPen::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TPen*>(source)) {
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  inherited::Assign(source);
}
void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}
void TPen::SetWidth(int v) {
  if (v < 1) v = 1;
  if (v == width_) return;
  width_ = v;
  Changed();
}
void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}
void TPen::SetMode(TPenMode v) {
  if (v == mode_) return;
  mode_ = v;
  Changed();
}

void TBrush::Assign(TPersistent* source) {
  if (auto* b = dynamic_cast<TBrush*>(source)) {
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  inherited::Assign(source);
}
void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ != bsClear) return;
  color_ = v;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}
void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

const TTypeInfo* CharsetTypeInfo() {
  static const TTypeInfo info = [] {
    TTypeInfo i;
    i.Kind = tkInteger;
    i.Name = "TFontCharset";
    i.MinValue = 0;
    i.MaxValue = 255;
    i.Idents = {{"ANSI_CHARSET", ANSI_CHARSET},
                {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                {"MAC_CHARSET", MAC_CHARSET},
                {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
                {"HANGEUL_CHARSET", HANGEUL_CHARSET},
                {"JOHAB_CHARSET", JOHAB_CHARSET},
                {"GB2312_CHARSET", GB2312_CHARSET},
                {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
                {"GREEK_CHARSET", GREEK_CHARSET},
                {"TURKISH_CHARSET", TURKISH_CHARSET},
                {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
                {"HEBREW_CHARSET", HEBREW_CHARSET},
                {"ARABIC_CHARSET", ARABIC_CHARSET},
                {"BALTIC_CHARSET", BALTIC_CHARSET},
                {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                {"THAI_CHARSET", THAI_CHARSET},
                {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                {"OEM_CHARSET", OEM_CHARSET}};
    return i;
  }();
  return &info;
}

TBN_REGISTER(TGraphicsObject) {}

TBN_REGISTER(TFont) {
  b.Property("Charset", &TFont::GetCharset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
  b.Property("Color", &TFont::GetColor, &TFont::SetColor).NoDefault();
  b.Property("Height", &TFont::GetHeight, &TFont::SetHeight).NoDefault();
  b.Property("Name", &TFont::GetName, &TFont::SetName);
  b.Property("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault);
  b.Property("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
  b.Property("Style", &TFont::GetStyle, &TFont::SetStyle).Default(TFontStyles{});
}

TBN_REGISTER(TPen) {
  b.Property("Color", &TPen::GetColor, &TPen::SetColor).Default(clBlack);
  b.Property("Mode", &TPen::GetMode, &TPen::SetMode).Default(pmCopy);
  b.Property("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
  b.Property("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
}

TBN_REGISTER(TBrush) {
  b.Property("Color", &TBrush::GetColor, &TBrush::SetColor).Default(clWhite);
  b.Property("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
}

}  // namespace tabulon
