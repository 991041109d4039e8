// Text measuring and glyph rendering behind one interface. Two providers
// exist: FreeType over the DejaVu font files (real measuring and drawing) and
// a fixed-metrics provider whose numbers are exact and documented, for tests
// that need to know every width and height in advance. One provider is
// current for the whole process; a scope object swaps it for a test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/graphobj.h"

namespace tabulon {

/// The metrics of a font as the window system reports them.
struct TTextMetric {
  int tmHeight = 0;           // character cell height: ascent + descent
  int tmAscent = 0;           // baseline to the top of the cell
  int tmDescent = 0;          // baseline to the bottom of the cell
  int tmInternalLeading = 0;  // part of the cell above the em square (accents)
  int tmExternalLeading = 0;  // recommended gap between lines
  int tmAveCharWidth = 0;     // width of an average character ("x")
  int tmMaxCharWidth = 0;     // width of the widest character
};

/// Receives a covered pixel of rendered text: position relative to the top
/// left of the text cell, coverage 1..255.
using TGlyphPlot = std::function<void(int x, int y, uint8_t coverage)>;

/// Measures and renders text in a font.
class TTextMetricsProvider {
 public:
  virtual ~TTextMetricsProvider() = default;
  /// A short description ("FreeType: /usr/share/fonts/...", "fixed 6x13").
  virtual std::string Description() const = 0;
  /// The metrics of `font`.
  virtual TTextMetric GetMetrics(const TFont& font) = 0;
  /// The advance width of UTF-8 `text` in `font` (invalid bytes count as one character each).
  virtual int TextWidth(const TFont& font, std::string_view text) = 0;
  /// Renders `text` with its cell's top left at (0, 0), underline and strike-out included.
  virtual void RenderText(const TFont& font, std::string_view text, const TGlyphPlot& plot) = 0;
};

/// Exact metrics for tests. At the default font height (-11: an em of 11
/// pixels) every character is `charWidth` pixels wide and the cell is
/// `cellHeight` high with `internalLeading` pixels of it as leading; other
/// heights scale the width and the cell body (cell minus leading) in
/// proportion to the em (rounded), keeping the leading; a positive height is
/// the cell height itself; bold adds one pixel per character. A character renders as a
/// solid block one pixel narrower than its advance, from the top of the em
/// down to the baseline; spaces render nothing.
class TFixedTextMetrics : public TTextMetricsProvider {
 public:
  explicit TFixedTextMetrics(int charWidth = 6, int cellHeight = 13, int internalLeading = 2);
  std::string Description() const override;
  TTextMetric GetMetrics(const TFont& font) override;
  int TextWidth(const TFont& font, std::string_view text) override;
  void RenderText(const TFont& font, std::string_view text, const TGlyphPlot& plot) override;
  /// Advance of one character in `font`.
  int CharWidth(const TFont& font) const;

 private:
  static constexpr int kRefEm = 11;
  int Em(const TFont& font) const;
  int charWidth_, cellHeight_, leading_;
};

/// Real text through FreeType. Face names map onto DejaVu families: names
/// containing "Courier", "Mono", "Fixedsys", "Console" or "Terminal" use
/// DejaVu Sans Mono, names containing "Times", "Serif" (but not "Sans
/// Serif"), "Roman" or "Georgia" use DejaVu Serif, everything else ("MS Sans
/// Serif", "Arial", "Tahoma", "Segoe UI", ...) uses DejaVu Sans; bold and
/// italic pick the Bold and Oblique/Italic files. A fixed-pitch font
/// (Pitch = fpFixed) uses the mono family whatever its name.
class TFreeTypeTextMetrics : public TTextMetricsProvider {
 public:
  /// Opens the fonts in `fontDir`; EOutOfResources when DejaVuSans.ttf is not there.
  explicit TFreeTypeTextMetrics(const std::string& fontDir);
  ~TFreeTypeTextMetrics() override;
  std::string Description() const override;
  TTextMetric GetMetrics(const TFont& font) override;
  int TextWidth(const TFont& font, std::string_view text) override;
  void RenderText(const TFont& font, std::string_view text, const TGlyphPlot& plot) override;
  /// The font file `font` maps to (full path).
  std::string FileFor(const TFont& font) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

/// The folder holding the DejaVu font files: $TABULON_FONT_DIR when set and
/// it contains DejaVuSans.ttf, else the first of /usr/share/fonts/truetype/dejavu,
/// /usr/share/fonts/dejavu, /usr/share/fonts/TTF, /usr/local/share/fonts/dejavu
/// that contains it; "" when none does.
std::string FindFontDirectory();

/// The current provider. On first use it is FreeType over FindFontDirectory();
/// when no font file exists it is TFixedTextMetrics and
/// TextMetricsFallbackReason() tells why.
TTextMetricsProvider& TextMetrics();
/// Why the default provider is the fixed-metrics one ("" when FreeType is in use).
std::string TextMetricsFallbackReason();
/// Makes `provider` current and returns the previous one (null if none was made yet).
std::unique_ptr<TTextMetricsProvider> SetTextMetrics(
    std::unique_ptr<TTextMetricsProvider> provider);

/// Makes a provider current for the lifetime of the scope (tests).
class TTextMetricsScope {
 public:
  explicit TTextMetricsScope(std::unique_ptr<TTextMetricsProvider> provider)
      : old_(SetTextMetrics(std::move(provider))) {}
  ~TTextMetricsScope() { SetTextMetrics(std::move(old_)); }
  TTextMetricsScope(const TTextMetricsScope&) = delete;
  TTextMetricsScope& operator=(const TTextMetricsScope&) = delete;

 private:
  std::unique_ptr<TTextMetricsProvider> old_;
};

/// Decodes the next code point of UTF-8 text at `i` (advancing it); an
/// invalid byte decodes as itself.
char32_t NextCodePoint(std::string_view text, size_t& i);

}  // namespace tabulon
