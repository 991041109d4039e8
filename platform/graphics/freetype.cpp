// Text measuring and rendering with FreeType over the DejaVu font files.
// Faces are opened once per file; rendered glyphs are cached per file, pixel
// size and code point, so that laying out many labels measures cheaply.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {
namespace {

bool ContainsNoCase(const std::string& hay, std::string_view needle) {
  auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
  if (needle.size() > hay.size()) return false;
  for (size_t i = 0; i + needle.size() <= hay.size(); ++i) {
    size_t k = 0;
    while (k < needle.size() && lower(hay[i + k]) == lower(needle[k])) ++k;
    if (k == needle.size()) return true;
  }
  return false;
}

struct Glyph {
  int advance = 0, left = 0, top = 0, width = 0, rows = 0;
  std::vector<uint8_t> coverage;
};

}  // namespace

struct TFreeTypeTextMetrics::Impl {
  std::string dir;
  FT_Library lib = nullptr;
  std::map<std::string, FT_Face> faces;  // by file name
  // (file, pixel em, code point) -> glyph
  std::map<std::tuple<std::string, int, char32_t>, Glyph> glyphs;
  std::map<std::pair<std::string, int>, TTextMetric> metrics;

  FT_Face Face(const std::string& file) {
    auto it = faces.find(file);
    if (it != faces.end()) return it->second;
    FT_Face face = nullptr;
    std::string path = dir + "/" + file;
    if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) {
      // Fall back to the regular face when a style variant is missing.
      if (file == "DejaVuSans.ttf" ||
          FT_New_Face(lib, (dir + "/DejaVuSans.ttf").c_str(), 0, &face) != 0)
        throw EOutOfResources("Cannot open font file " + path);
    }
    faces[file] = face;
    return face;
  }

  static int EmPixels(FT_Face face, const TFont& font) {
    int h = font.GetHeight();
    if (h < 0) return -h;
    if (h == 0) return 11;
    // A positive height is the whole cell: scale the em to fit it.
    double cell = static_cast<double>(face->ascender - face->descender);
    return std::max(1, static_cast<int>(std::lround(h * face->units_per_EM / cell)));
  }

  const Glyph& GetGlyph(const std::string& file, FT_Face face, int em, char32_t cp) {
    auto key = std::make_tuple(file, em, cp);
    auto it = glyphs.find(key);
    if (it != glyphs.end()) return it->second;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0) {
      FT_GlyphSlot slot = face->glyph;
      g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
      g.left = slot->bitmap_left;
      g.top = slot->bitmap_top;
      g.width = static_cast<int>(slot->bitmap.width);
      g.rows = static_cast<int>(slot->bitmap.rows);
      g.coverage.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.rows));
      for (int y = 0; y < g.rows; ++y)
        for (int x = 0; x < g.width; ++x) {
          const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
          uint8_t c = slot->bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                          ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                          : row[x];
          g.coverage[static_cast<size_t>(y * g.width + x)] = c;
        }
    }
    return glyphs.emplace(key, std::move(g)).first->second;
  }
};

TFreeTypeTextMetrics::TFreeTypeTextMetrics(const std::string& fontDir)
    : impl_(std::make_unique<Impl>()) {
  impl_->dir = fontDir;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::path(fontDir) / "DejaVuSans.ttf", ec))
    throw EOutOfResources("No font file DejaVuSans.ttf in " + fontDir);
  if (FT_Init_FreeType(&impl_->lib) != 0) throw EOutOfResources("Cannot initialise FreeType");
}

TFreeTypeTextMetrics::~TFreeTypeTextMetrics() {
  for (auto& [file, face] : impl_->faces) FT_Done_Face(face);
  if (impl_->lib) FT_Done_FreeType(impl_->lib);
}

std::string TFreeTypeTextMetrics::Description() const { return "FreeType: " + impl_->dir; }

std::string TFreeTypeTextMetrics::FileFor(const TFont& font) const {
  const std::string& n = font.GetName();
  std::string family = "DejaVuSans";
  bool mono = font.GetPitch() == fpFixed;
  for (const char* m : {"Courier", "Mono", "Fixedsys", "Console", "Terminal"})
    if (ContainsNoCase(n, m)) mono = true;
  bool serif = false;
  if (!mono && !ContainsNoCase(n, "Sans Serif"))
    for (const char* s : {"Times", "Serif", "Roman", "Georgia"})
      if (ContainsNoCase(n, s)) serif = true;
  if (mono) family = "DejaVuSansMono";
  if (serif) family = "DejaVuSerif";
  bool bold = font.GetStyle().Contains(fsBold), italic = font.GetStyle().Contains(fsItalic);
  std::string suffix;
  if (bold && italic)
    suffix = serif ? "-BoldItalic" : "-BoldOblique";
  else if (bold)
    suffix = "-Bold";
  else if (italic)
    suffix = serif ? "-Italic" : "-Oblique";
  return family + suffix + ".ttf";
}

TTextMetric TFreeTypeTextMetrics::GetMetrics(const TFont& font) {
  std::string file = FileFor(font);
  FT_Face face = impl_->Face(file);
  int em = Impl::EmPixels(face, font);
  auto key = std::make_pair(file, em);
  auto it = impl_->metrics.find(key);
  if (it != impl_->metrics.end()) return it->second;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
  TTextMetric m;
  m.tmAscent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  m.tmDescent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
  m.tmHeight = m.tmAscent + m.tmDescent;
  m.tmInternalLeading = std::max(0, m.tmHeight - em);
  m.tmExternalLeading =
      std::max(0, static_cast<int>((face->size->metrics.height + 32) >> 6) - m.tmHeight);
  m.tmAveCharWidth = impl_->GetGlyph(file, face, em, U'x').advance;
  m.tmMaxCharWidth = static_cast<int>((face->size->metrics.max_advance + 32) >> 6);
  impl_->metrics.emplace(key, m);
  return m;
}

int TFreeTypeTextMetrics::TextWidth(const TFont& font, std::string_view text) {
  std::string file = FileFor(font);
  FT_Face face = impl_->Face(file);
  int em = Impl::EmPixels(face, font);
  int w = 0;
  for (size_t i = 0; i < text.size();)
    w += impl_->GetGlyph(file, face, em, NextCodePoint(text, i)).advance;
  return w;
}

void TFreeTypeTextMetrics::RenderText(const TFont& font, std::string_view text,
                                      const TGlyphPlot& plot) {
  std::string file = FileFor(font);
  FT_Face face = impl_->Face(file);
  int em = Impl::EmPixels(face, font);
  TTextMetric m = GetMetrics(font);
  int pen = 0;
  for (size_t i = 0; i < text.size();) {
    const Glyph& g = impl_->GetGlyph(file, face, em, NextCodePoint(text, i));
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        uint8_t c = g.coverage[static_cast<size_t>(y * g.width + x)];
        if (c) plot(pen + g.left + x, m.tmAscent - g.top + y, c);
      }
    pen += g.advance;
  }
  int thick = std::max(1, em / 12);
  if (font.GetStyle().Contains(fsUnderline))
    for (int t = 0; t < thick; ++t)
      for (int x = 0; x < pen; ++x) plot(x, m.tmAscent + 1 + t, 255);
  if (font.GetStyle().Contains(fsStrikeOut))
    for (int t = 0; t < thick; ++t)
      for (int x = 0; x < pen; ++x) plot(x, m.tmAscent - em * 3 / 10 + t, 255);
}

}  // namespace tabulon
