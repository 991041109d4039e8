// Text routines of the framework over UTF-8: trimming, ordinal and locale
// comparison, case mapping and counting in code points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/format.h"

namespace tabulon {

/// Removes leading and trailing characters up to and including the blank
/// (control characters and spaces).
std::string Trim(std::string_view s);
/// Removes leading control characters and spaces.
std::string TrimLeft(std::string_view s);
/// Removes trailing control characters and spaces.
std::string TrimRight(std::string_view s);

/// Ordinal comparison of the bytes: -1, 0 or 1.
int CompareStr(std::string_view a, std::string_view b) noexcept;
/// Ordinal comparison with only the letters a to z folded to upper case: -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b) noexcept;
/// CompareText is 0.
bool SameText(std::string_view a, std::string_view b) noexcept;
/// Upper case of the letters a to z only.
std::string UpperCase(std::string_view s);
/// Lower case of the letters A to Z only.
std::string LowerCase(std::string_view s);

/// Whether code point `c` is a letter (Unicode alphabetic).
bool IsCharAlpha(char32_t c) noexcept;
/// Whether `c` is a letter or one of the digits 0 to 9.
bool IsCharAlphaNumeric(char32_t c) noexcept;

/// Full Unicode upper case (locale-independent rules); ill-formed UTF-8
/// sequences become U+FFFD.
std::string AnsiUpperCase(std::string_view s);
/// Full Unicode lower case (locale-independent rules).
std::string AnsiLowerCase(std::string_view s);
/// Comparison by the user default locale's collation, case-sensitive: -1, 0 or 1.
int AnsiCompareStr(std::string_view a, std::string_view b);
/// Comparison by the user default locale's collation, ignoring case: -1, 0 or 1.
int AnsiCompareText(std::string_view a, std::string_view b);
/// AnsiCompareText is 0.
bool AnsiSameText(std::string_view a, std::string_view b);
/// AnsiCompareStr is 0.
bool AnsiSameStr(std::string_view a, std::string_view b);

/// The first `count` code points of `s` (all of it when shorter).
std::string_view Utf8Left(std::string_view s, size_t count) noexcept;
/// `count` code points of `s` starting at code point `index` (0-based).
std::string_view Utf8Copy(std::string_view s, size_t index, size_t count) noexcept;

/// Decimal text of an integer.
std::string IntToStr(int64_t value);
/// Upper-case hexadecimal text of `value`, at least `digits` digits.
std::string IntToHex(int64_t value, int digits);
/// `s` in single quotes, inner quotes doubled.
std::string QuotedStr(std::string_view s);

}  // namespace tabulon
