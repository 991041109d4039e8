// TColor: a colour as the framework stores it. Plain colours are 0x00BBGGRR;
// system colours have the top bit set and name an entry of the system
// palette (clBtnFace = 0x8000000F is palette entry 15). Colours stream as
// identifiers (clBtnFace) when they have one, otherwise as numbers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/typeinfo.h"

namespace tabulon {

/// A colour: 0x00BBGGRR, a system colour 0x80000000 | index, clNone or clDefault.
enum TColor : int32_t {};

constexpr TColor MakeSysColor(int index) {
  return static_cast<TColor>(static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)));
}
/// A plain colour from its red, green and blue parts.
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Indexes of the system palette.
inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2,
                     COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5,
                     COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
                     COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
                     COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14,
                     COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17,
                     COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
                     COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
                     COLOR_INFOBK = 24, COLOR_ENDCOLORS = 25;

inline constexpr TColor clScrollBar = MakeSysColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = MakeSysColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = MakeSysColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = MakeSysColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = MakeSysColor(COLOR_MENU);
inline constexpr TColor clWindow = MakeSysColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = MakeSysColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = MakeSysColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = MakeSysColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = MakeSysColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = MakeSysColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = MakeSysColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = MakeSysColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = MakeSysColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = MakeSysColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = MakeSysColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = MakeSysColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = MakeSysColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = MakeSysColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = MakeSysColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = MakeSysColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = MakeSysColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = MakeSysColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = MakeSysColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = MakeSysColor(COLOR_INFOBK);

inline constexpr TColor clBlack = RGB(0, 0, 0);
inline constexpr TColor clMaroon = RGB(0x80, 0, 0);
inline constexpr TColor clGreen = RGB(0, 0x80, 0);
inline constexpr TColor clOlive = RGB(0x80, 0x80, 0);
inline constexpr TColor clNavy = RGB(0, 0, 0x80);
inline constexpr TColor clPurple = RGB(0x80, 0, 0x80);
inline constexpr TColor clTeal = RGB(0, 0x80, 0x80);
inline constexpr TColor clGray = RGB(0x80, 0x80, 0x80);
inline constexpr TColor clSilver = RGB(0xC0, 0xC0, 0xC0);
inline constexpr TColor clRed = RGB(0xFF, 0, 0);
inline constexpr TColor clLime = RGB(0, 0xFF, 0);
inline constexpr TColor clYellow = RGB(0xFF, 0xFF, 0);
inline constexpr TColor clBlue = RGB(0, 0, 0xFF);
inline constexpr TColor clFuchsia = RGB(0xFF, 0, 0xFF);
inline constexpr TColor clAqua = RGB(0, 0xFF, 0xFF);
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;
inline constexpr TColor clWhite = RGB(0xFF, 0xFF, 0xFF);
inline constexpr TColor clNone = static_cast<TColor>(0x1FFFFFFF);
inline constexpr TColor clDefault = static_cast<TColor>(0x20000000);

/// Whether `c` names a system palette entry.
constexpr bool IsSysColor(TColor c) { return (static_cast<uint32_t>(c) & 0x80000000u) != 0; }
/// The plain 0x00BBGGRR value of a colour; system colours are looked up in
/// the system palette, clNone and clDefault resolve to white and black.
TColor ColorToRGB(TColor c);
/// The colour of system palette entry `index` (0..COLOR_ENDCOLORS-1).
TColor GetSysColor(int index);
/// Replaces a system palette entry (for tests and themed rendering); returns the old value.
TColor SetSysColor(int index, TColor rgb);
/// Red, green and blue of a plain colour.
constexpr int GetRValue(TColor c) { return static_cast<int>(c) & 0xFF; }
constexpr int GetGValue(TColor c) { return (static_cast<int>(c) >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (static_cast<int>(c) >> 16) & 0xFF; }
/// The identifier of a colour ("clBtnFace"), or its number in hexadecimal ("$00FF8000").
std::string ColorToString(TColor c);
/// A colour from an identifier or a number ("$FF", "255"); EConvertError otherwise.
TColor StringToColor(const std::string& s);

/// The type information of TColor: an integer with colour identifiers.
const TTypeInfo* ColorTypeInfo();

}  // namespace tabulon

template <>
struct tabulon::TypeInfoTraits<tabulon::TColor> {
  static const ::tabulon::TTypeInfo* Get() { return ::tabulon::ColorTypeInfo(); }
};
