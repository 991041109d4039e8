// Text to number conversions of the framework, reading the locale's
// DecimalSeparator: StrToInt with its Val grammar, TextToFloat as extended
// and as currency, and the raising and non-raising forms built on them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/currency.h"
#include "platform/core/format.h"

namespace tabulon {

/// Parses a whole text as a 32-bit integer: optional leading spaces, an
/// optional sign, decimal digits or '$' and hexadecimal digits (up to
/// $FFFFFFFF, which wraps to -1), nothing after. False when the text does
/// not convert or is out of range.
bool TryStrToInt(std::string_view s, int32_t& value) noexcept;
/// TryStrToInt or EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view s);
/// TryStrToInt, or `defaultValue` when it fails.
int32_t StrToIntDef(std::string_view s, int32_t defaultValue) noexcept;
/// The same grammar over the 64-bit range ('$' up to 16 hexadecimal digits).
bool TryStrToInt64(std::string_view s, int64_t& value) noexcept;
int64_t StrToInt64(std::string_view s);

/// Parses a whole text as a float with the locale's DecimalSeparator:
/// optional blanks, an optional sign, digits with at most one separator (at
/// least one digit), an optional exponent (E or e, optional sign, digits),
/// optional blanks. False when the text does not convert or the value is
/// out of the extended range.
bool TextToFloat(std::string_view s, long double& value) noexcept;
/// The same grammar for a currency value, rounded to four decimals (halves
/// to even); false when the value is outside the currency range.
bool TextToFloat(std::string_view s, Currency& value) noexcept;
/// TextToFloat or EConvertError "'%s' is not a valid floating point value".
long double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, long double& value) noexcept;
bool TryStrToFloat(std::string_view s, double& value) noexcept;
long double StrToFloatDef(std::string_view s, long double defaultValue) noexcept;
/// TextToFloat as currency or EConvertError "'%s' is not a valid floating point value".
Currency StrToCurr(std::string_view s);
bool TryStrToCurr(std::string_view s, Currency& value) noexcept;

/// Currency from a float, rounded to four decimals (halves to even); false
/// when the value is not finite or outside the currency range.
bool FloatToCurr(long double value, Currency& result) noexcept;

}  // namespace tabulon
