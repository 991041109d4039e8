// The system palette and the colour identifiers.
#include "platform/graphics/color.h"

#include <array>
#include <cstdio>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {
namespace {

// The classic grey 3-D palette: button faces silver, windows white, text
// black, selection navy.
std::array<TColor, COLOR_ENDCOLORS>& Palette() {
  static std::array<TColor, COLOR_ENDCOLORS> p = {
      RGB(0xC0, 0xC0, 0xC0),  // scroll bar
      RGB(0x00, 0x80, 0x80),  // desktop
      RGB(0x00, 0x00, 0x80),  // active caption
      RGB(0x80, 0x80, 0x80),  // inactive caption
      RGB(0xC0, 0xC0, 0xC0),  // menu
      RGB(0xFF, 0xFF, 0xFF),  // window
      RGB(0x00, 0x00, 0x00),  // window frame
      RGB(0x00, 0x00, 0x00),  // menu text
      RGB(0x00, 0x00, 0x00),  // window text
      RGB(0xFF, 0xFF, 0xFF),  // caption text
      RGB(0xC0, 0xC0, 0xC0),  // active border
      RGB(0xC0, 0xC0, 0xC0),  // inactive border
      RGB(0x80, 0x80, 0x80),  // application work space
      RGB(0x00, 0x00, 0x80),  // highlight
      RGB(0xFF, 0xFF, 0xFF),  // highlight text
      RGB(0xC0, 0xC0, 0xC0),  // button face
      RGB(0x80, 0x80, 0x80),  // button shadow
      RGB(0x80, 0x80, 0x80),  // grey text
      RGB(0x00, 0x00, 0x00),  // button text
      RGB(0xC0, 0xC0, 0xC0),  // inactive caption text
      RGB(0xFF, 0xFF, 0xFF),  // button highlight
      RGB(0x00, 0x00, 0x00),  // 3-D dark shadow
      RGB(0xDF, 0xDF, 0xDF),  // 3-D light
      RGB(0x00, 0x00, 0x00),  // tooltip text
      RGB(0xFF, 0xFF, 0xE1),  // tooltip background
  };
  return p;
}

const std::vector<std::pair<std::string, int64_t>>& ColorIdents() {
  static const std::vector<std::pair<std::string, int64_t>> idents = {
      {"clBlack", clBlack},
      {"clMaroon", clMaroon},
      {"clGreen", clGreen},
      {"clOlive", clOlive},
      {"clNavy", clNavy},
      {"clPurple", clPurple},
      {"clTeal", clTeal},
      {"clGray", clGray},
      {"clSilver", clSilver},
      {"clRed", clRed},
      {"clLime", clLime},
      {"clYellow", clYellow},
      {"clBlue", clBlue},
      {"clFuchsia", clFuchsia},
      {"clAqua", clAqua},
      {"clWhite", clWhite},
      {"clScrollBar", clScrollBar},
      {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText},
      {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
      {"clNone", clNone},
      {"clDefault", clDefault},
      // Aliases last, so that a value writes under its first name.
      {"clLtGray", clLtGray},
      {"clDkGray", clDkGray},
  };
  return idents;
}

}  // namespace

TColor GetSysColor(int index) {
  if (index < 0 || index >= COLOR_ENDCOLORS) return clBlack;
  return Palette()[static_cast<size_t>(index)];
}

TColor SetSysColor(int index, TColor rgb) {
  if (index < 0 || index >= COLOR_ENDCOLORS) return clBlack;
  TColor old = Palette()[static_cast<size_t>(index)];
  Palette()[static_cast<size_t>(index)] = ColorToRGB(rgb);
  return old;
}

TColor ColorToRGB(TColor c) {
  if (IsSysColor(c)) return GetSysColor(static_cast<int>(static_cast<uint32_t>(c) & 0xFF));
  if (c == clNone) return clWhite;
  if (c == clDefault) return clBlack;
  return static_cast<TColor>(static_cast<uint32_t>(c) & 0x00FFFFFFu);
}

std::string ColorToString(TColor c) {
  std::string id = ColorTypeInfo()->IdentOf(c);
  if (!id.empty()) return id;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(static_cast<uint32_t>(c)));
  return buf;
}

TColor StringToColor(const std::string& s) {
  int64_t v = 0;
  if (ColorTypeInfo()->ValueOfIdent(s, v)) return static_cast<TColor>(static_cast<int32_t>(v));
  const char* p = s.c_str();
  int base = 10;
  bool neg = false;
  if (*p == '-') {
    neg = true;
    ++p;
  }
  if (*p == '$') {
    base = 16;
    ++p;
  } else if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  if (*p == 0) throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
  uint64_t value = 0;
  for (; *p; ++p) {
    int d;
    if (*p >= '0' && *p <= '9')
      d = *p - '0';
    else if (base == 16 && *p >= 'a' && *p <= 'f')
      d = *p - 'a' + 10;
    else if (base == 16 && *p >= 'A' && *p <= 'F')
      d = *p - 'A' + 10;
    else
      throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
  }
  if ((base == 10 && !neg && value > 0x7FFFFFFFull) || (neg && value > 0x80000000ull))
    throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
  uint32_t bits = static_cast<uint32_t>(value);
  if (neg) bits = static_cast<uint32_t>(-static_cast<int64_t>(value));
  return static_cast<TColor>(static_cast<int32_t>(bits));
}

const TTypeInfo* ColorTypeInfo() {
  static const TTypeInfo info = [] {
    TTypeInfo i;
    i.Kind = tkInteger;
    i.Name = "TColor";
    i.MinValue = INT32_MIN;
    i.MaxValue = INT32_MAX;
    i.Idents = ColorIdents();
    return i;
  }();
  return &info;
}

}  // namespace tabulon
