// Drawing tools: TFont, TPen and TBrush. Each is a persistent object that
// announces every change through OnChange, so that a control can follow its
// font (re-measure, re-layout) and a canvas its tools.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/method.h"
#include "platform/core/persistent.h"
#include "platform/core/set.h"
#include "platform/graphics/color.h"

namespace tabulon {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
/// A character set number (0 ANSI, 1 default, 2 symbol, ...); the named
/// ones stream by name (Font.Charset = DEFAULT_CHARSET).
enum TFontCharset : uint8_t {};
inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0), DEFAULT_CHARSET = TFontCharset(1),
                              SYMBOL_CHARSET = TFontCharset(2), MAC_CHARSET = TFontCharset(77),
                              SHIFTJIS_CHARSET = TFontCharset(128),
                              HANGEUL_CHARSET = TFontCharset(129),
                              JOHAB_CHARSET = TFontCharset(130), GB2312_CHARSET = TFontCharset(134),
                              CHINESEBIG5_CHARSET = TFontCharset(136),
                              GREEK_CHARSET = TFontCharset(161),
                              TURKISH_CHARSET = TFontCharset(162),
                              VIETNAMESE_CHARSET = TFontCharset(163),
                              HEBREW_CHARSET = TFontCharset(177),
                              ARABIC_CHARSET = TFontCharset(178),
                              BALTIC_CHARSET = TFontCharset(186),
                              RUSSIAN_CHARSET = TFontCharset(204), THAI_CHARSET = TFontCharset(222),
                              EASTEUROPE_CHARSET = TFontCharset(238),
                              OEM_CHARSET = TFontCharset(255);
/// The type information of TFontCharset: a byte with the charset identifiers.
const TTypeInfo* CharsetTypeInfo();

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor };
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

/// Common base of the drawing tools: the change event.
class TGraphicsObject : public TPersistent {
  TBN_CLASS(TGraphicsObject, TPersistent)
 public:
  /// Fired after every change of an attribute.
  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange unless an Assign is in progress.
  void Changed();
  int updating_ = 0;  // >0 while Assign copies several attributes
};

/// A font: face name, size, style, colour, pitch and character set. Size
/// (points) and Height (pixels; negative = character height without internal
/// leading) are two views of one value at the screen's pixels per inch.
class TFont : public TGraphicsObject {
  TBN_CLASS(TFont, TGraphicsObject)
 public:
  TFont();
  /// Copies every attribute of another font and fires OnChange once.
  void Assign(TPersistent* source) override;

  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  /// Size in points, derived from Height.
  int GetSize() const;
  void SetSize(int points);
  int GetHeight() const { return height_; }
  void SetHeight(int pixels);
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  TFontPitch GetPitch() const { return pitch_; }
  void SetPitch(TFontPitch v);
  TFontCharset GetCharset() const { return charset_; }
  void SetCharset(TFontCharset v);
  /// Whether every attribute equals the other font's.
  bool SameAs(const TFont& o) const;

 private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontPitch pitch_ = fpDefault;
  TFontCharset charset_ = DEFAULT_CHARSET;
};

/// A pen: line colour, width, style and mode.
class TPen : public TGraphicsObject {
  TBN_CLASS(TPen, TGraphicsObject)
 public:
  TPen() = default;
  void Assign(TPersistent* source) override;
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  int GetWidth() const { return width_; }
  /// Widths below 1 are taken as 1.
  void SetWidth(int v);
  TPenStyle GetStyle() const { return style_; }
  void SetStyle(TPenStyle v);
  TPenMode GetMode() const { return mode_; }
  void SetMode(TPenMode v);

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

/// A brush: fill colour and style.
class TBrush : public TGraphicsObject {
  TBN_CLASS(TBrush, TGraphicsObject)
 public:
  TBrush() = default;
  void Assign(TPersistent* source) override;
  TColor GetColor() const { return color_; }
  /// Setting a colour on a clear brush makes it solid.
  void SetColor(TColor v);
  TBrushStyle GetStyle() const { return style_; }
  void SetStyle(TBrushStyle v);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

/// Pixels per inch of the screen, used to convert font sizes.
int ScreenPixelsPerInch();
/// a * b / c rounded half away from zero, as the window system's MulDiv.
int MulDiv(int a, int b, int c);

}  // namespace tabulon

template <>
struct tabulon::TypeInfoTraits<tabulon::TFontCharset> {
  static const ::tabulon::TTypeInfo* Get() { return ::tabulon::CharsetTypeInfo(); }
};
TBN_ENUM(tabulon::TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
TBN_ENUM(tabulon::TFontPitch, "fpDefault", "fpVariable", "fpFixed");
TBN_ENUM(tabulon::TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
         "psInsideFrame");
TBN_ENUM(tabulon::TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmXor");
TBN_ENUM(tabulon::TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
         "bsBDiagonal", "bsCross", "bsDiagCross");
