// Text measuring and rendering with FreeType over the DejaVu font files.
// Faces are opened once per file; rendered glyphs are cached per file, pixel
// size and code point, so that laying out many labels measures cheaply.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
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

// One face at one pixel size, with its metrics and rendered glyphs.
struct SizedFace {
  FT_Face face = nullptr;
  int em = 0;
  bool haveMetrics = false;
  TTextMetric metrics;
  std::vector<std::unique_ptr<Glyph>> latin;  // code points below 256
  std::unordered_map<char32_t, std::unique_ptr<Glyph>> others;
};

struct TFreeTypeTextMetrics::Impl {
  std::string dir;
  FT_Library lib = nullptr;
  std::map<std::string, FT_Face> faces;  // by file name
  std::map<std::pair<std::string, int>, std::unique_ptr<SizedFace>> sized;
  // The font resolved last: most measuring repeats one font many times.
  std::string lastName;
  uint64_t lastStyle = ~0ull;
  int lastPitch = -1, lastHeight = 0;
  SizedFace* last = nullptr;

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

  SizedFace& Resolve(const TFreeTypeTextMetrics& self, const TFont& font) {
    if (last && font.GetHeight() == lastHeight && font.GetStyle().ToInt() == lastStyle &&
        font.GetPitch() == lastPitch && font.GetName() == lastName)
      return *last;
    std::string file = self.FileFor(font);
    FT_Face face = Face(file);
    int em = EmPixels(face, font);
    auto& slot = sized[{file, em}];
    if (!slot) {
      slot = std::make_unique<SizedFace>();
      slot->face = face;
      slot->em = em;
      slot->latin.resize(256);
    }
    last = slot.get();
    lastName = font.GetName();
    lastStyle = font.GetStyle().ToInt();
    lastPitch = font.GetPitch();
    lastHeight = font.GetHeight();
    return *last;
  }

  const Glyph& GetGlyph(SizedFace& sf, char32_t cp) {
    std::unique_ptr<Glyph>& slot = cp < 256 ? sf.latin[cp] : sf.others[cp];
    if (slot) return *slot;
    FT_Set_Pixel_Sizes(sf.face, 0, static_cast<FT_UInt>(sf.em));
    auto g = std::make_unique<Glyph>();
    FT_UInt index = FT_Get_Char_Index(sf.face, cp);
    if (FT_Load_Glyph(sf.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0) {
      FT_GlyphSlot gs = sf.face->glyph;
      g->advance = static_cast<int>((gs->advance.x + 32) >> 6);
      g->left = gs->bitmap_left;
      g->top = gs->bitmap_top;
      g->width = static_cast<int>(gs->bitmap.width);
      g->rows = static_cast<int>(gs->bitmap.rows);
      g->coverage.resize(static_cast<size_t>(g->width) * static_cast<size_t>(g->rows));
      for (int y = 0; y < g->rows; ++y)
        for (int x = 0; x < g->width; ++x) {
          const unsigned char* row = gs->bitmap.buffer + y * gs->bitmap.pitch;
          uint8_t c = gs->bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                          ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                          : row[x];
          g->coverage[static_cast<size_t>(y * g->width + x)] = c;
        }
    }
    slot = std::move(g);
    return *slot;
  }

  const TTextMetric& Metrics(SizedFace& sf) {
    if (sf.haveMetrics) return sf.metrics;
    FT_Set_Pixel_Sizes(sf.face, 0, static_cast<FT_UInt>(sf.em));
    TTextMetric& m = sf.metrics;
    const FT_Size_Metrics& sm = sf.face->size->metrics;
    m.tmAscent = static_cast<int>((sm.ascender + 63) >> 6);
    m.tmDescent = static_cast<int>((-sm.descender + 63) >> 6);
    m.tmHeight = m.tmAscent + m.tmDescent;
    m.tmInternalLeading = std::max(0, m.tmHeight - sf.em);
    m.tmExternalLeading = std::max(0, static_cast<int>((sm.height + 32) >> 6) - m.tmHeight);
    m.tmMaxCharWidth = static_cast<int>((sm.max_advance + 32) >> 6);
    m.tmAveCharWidth = GetGlyph(sf, U'x').advance;
    sf.haveMetrics = true;
    return m;
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
  return impl_->Metrics(impl_->Resolve(*this, font));
}

int TFreeTypeTextMetrics::TextWidth(const TFont& font, std::string_view text) {
  SizedFace& sf = impl_->Resolve(*this, font);
  int w = 0;
  for (size_t i = 0; i < text.size();) w += impl_->GetGlyph(sf, NextCodePoint(text, i)).advance;
  return w;
}

void TFreeTypeTextMetrics::RenderText(const TFont& font, std::string_view text,
                                      const TGlyphPlot& plot) {
  SizedFace& sf = impl_->Resolve(*this, font);
  const TTextMetric m = impl_->Metrics(sf);
  int pen = 0;
  for (size_t i = 0; i < text.size();) {
    const Glyph& g = impl_->GetGlyph(sf, NextCodePoint(text, i));
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        uint8_t c = g.coverage[static_cast<size_t>(y * g.width + x)];
        if (c) plot(pen + g.left + x, m.tmAscent - g.top + y, c);
      }
    pen += g.advance;
  }
  int em = sf.em;
  int thick = std::max(1, em / 12);
  if (font.GetStyle().Contains(fsUnderline))
    for (int t = 0; t < thick; ++t)
      for (int x = 0; x < pen; ++x) plot(x, m.tmAscent + 1 + t, 255);
  if (font.GetStyle().Contains(fsStrikeOut))
    for (int t = 0; t < thick; ++t)
      for (int x = 0; x < pen; ++x) plot(x, m.tmAscent - em * 3 / 10 + t, 255);
}

}  // namespace tabulon
