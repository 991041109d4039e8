// The current text-metrics provider and the fixed-metrics provider.
#include "platform/graphics/textmetrics.h"

#include <cstdlib>
#include <filesystem>

#include "platform/core/exceptions.h"

namespace tabulon {

char32_t NextCodePoint(std::string_view s, size_t& i) {
  auto b0 = static_cast<unsigned char>(s[i]);
  int len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
  if (len <= 1 || i + static_cast<size_t>(len) > s.size()) {
    ++i;
    return b0;
  }
  char32_t cp = b0 & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += static_cast<size_t>(len);
  return cp;
}

TFixedTextMetrics::TFixedTextMetrics(int charWidth, int cellHeight, int internalLeading)
    : charWidth_(charWidth), cellHeight_(cellHeight), leading_(internalLeading) {}

std::string TFixedTextMetrics::Description() const {
  return "fixed " + std::to_string(charWidth_) + "x" + std::to_string(cellHeight_);
}

// The em of `font` in pixels: the negative height, or the part of a
// positive (cell) height above the leading scaled back to the reference.
int TFixedTextMetrics::Em(const TFont& font) const {
  int h = font.GetHeight();
  if (h < 0) return -h;
  if (h == 0) return kRefEm;
  return std::max(1, MulDiv(h - leading_, kRefEm, std::max(1, cellHeight_ - leading_)));
}

int TFixedTextMetrics::CharWidth(const TFont& font) const {
  int w = MulDiv(charWidth_, Em(font), kRefEm);
  if (font.GetStyle().Contains(fsBold)) ++w;
  return std::max(1, w);
}

TTextMetric TFixedTextMetrics::GetMetrics(const TFont& font) {
  TTextMetric m;
  int h = font.GetHeight();
  int body = h > 0 ? std::max(1, h - leading_) : MulDiv(cellHeight_ - leading_, Em(font), kRefEm);
  m.tmInternalLeading = leading_;
  m.tmHeight = body + leading_;
  m.tmDescent = std::max(1, (body + 2) / 5);
  m.tmAscent = m.tmHeight - m.tmDescent;
  m.tmAveCharWidth = CharWidth(font);
  m.tmMaxCharWidth = m.tmAveCharWidth;
  return m;
}

int TFixedTextMetrics::TextWidth(const TFont& font, std::string_view text) {
  int n = 0;
  for (size_t i = 0; i < text.size();) {
    NextCodePoint(text, i);
    ++n;
  }
  return n * CharWidth(font);
}

void TFixedTextMetrics::RenderText(const TFont& font, std::string_view text,
                                   const TGlyphPlot& plot) {
  TTextMetric m = GetMetrics(font);
  int w = CharWidth(font);
  int x = 0;
  for (size_t i = 0; i < text.size();) {
    char32_t cp = NextCodePoint(text, i);
    if (cp != U' ')
      for (int y = m.tmInternalLeading; y < m.tmAscent; ++y)
        for (int dx = 0; dx < w - 1; ++dx) plot(x + dx, y, 255);
    x += w;
  }
  if (font.GetStyle().Contains(fsUnderline))
    for (int dx = 0; dx < x; ++dx) plot(dx, m.tmAscent + 1, 255);
  if (font.GetStyle().Contains(fsStrikeOut))
    for (int dx = 0; dx < x; ++dx) plot(dx, (m.tmInternalLeading + m.tmAscent) / 2, 255);
}

std::string FindFontDirectory() {
  namespace fs = std::filesystem;
  auto has = [](const std::string& dir) {
    std::error_code ec;
    return !dir.empty() && fs::exists(fs::path(dir) / "DejaVuSans.ttf", ec);
  };
  if (const char* env = std::getenv("TABULON_FONT_DIR"); env && has(env)) return env;
  for (const char* d : {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu",
                        "/usr/share/fonts/TTF", "/usr/local/share/fonts/dejavu"})
    if (has(d)) return d;
  return {};
}

namespace {
struct ProviderState {
  std::unique_ptr<TTextMetricsProvider> current;
  std::string fallbackReason;
};
ProviderState& State() {
  static ProviderState s;
  return s;
}
}  // namespace

TTextMetricsProvider& TextMetrics() {
  ProviderState& s = State();
  if (!s.current) {
    std::string dir = FindFontDirectory();
    if (dir.empty()) {
      s.fallbackReason =
          "no DejaVuSans.ttf found in $TABULON_FONT_DIR, /usr/share/fonts/truetype/dejavu, "
          "/usr/share/fonts/dejavu, /usr/share/fonts/TTF or /usr/local/share/fonts/dejavu; "
          "text uses fixed metrics";
      s.current = std::make_unique<TFixedTextMetrics>();
    } else {
      s.current = std::make_unique<TFreeTypeTextMetrics>(dir);
    }
  }
  return *s.current;
}

std::string TextMetricsFallbackReason() {
  TextMetrics();
  return State().fallbackReason;
}

std::unique_ptr<TTextMetricsProvider> SetTextMetrics(
    std::unique_ptr<TTextMetricsProvider> provider) {
  auto old = std::move(State().current);
  State().current = std::move(provider);
  return old;
}

}  // namespace tabulon
