// Number parsing. Integers follow the framework's Val grammar; floats are
// read into an exact decimal form (significant digits and a power of ten)
// first, which is then rounded once: to extended by the C library's
// correctly rounded conversion, to currency by integer arithmetic.
#include "platform/sysutils/numconv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/resstrings.h"

namespace tabulon {

namespace {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Val over 64 bits: `maxHexDigits` bounds the hexadecimal form, `min`/`max`
// the decimal form. A hexadecimal value fills the unsigned range of its
// width and is then read as two's complement.
bool ParseInteger(std::string_view s, int maxHexDigits, int64_t min, int64_t max, int64_t& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  if (i >= s.size()) return false;
  if (s[i] == '$') {
    ++i;
    if (i >= s.size()) return false;
    uint64_t u = 0;
    int digits = 0;
    for (; i < s.size(); ++i) {
      int h = HexValue(s[i]);
      if (h < 0) return false;
      if (u == 0 && h == 0) continue;  // leading zeros do not count
      if (++digits > maxHexDigits) return false;
      u = u * 16 + static_cast<uint64_t>(h);
    }
    if (neg) u = 0 - u;  // wraps like the two's complement negation
    value = maxHexDigits == 8 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(u)))
                              : static_cast<int64_t>(u);
    return true;
  }
  uint64_t limit = neg ? static_cast<uint64_t>(-(min + 1)) + 1 : static_cast<uint64_t>(max);
  uint64_t u = 0;
  size_t start = i;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    unsigned d = static_cast<unsigned>(s[i] - '0');
    if (u > (limit - d) / 10) return false;
    u = u * 10 + d;
  }
  if (i == start) return false;
  value = neg ? static_cast<int64_t>(0 - u) : static_cast<int64_t>(u);
  return true;
}

// A decimal number: value = 0.Digits * 10^Exponent (Digits without leading
// zeros; empty for zero). At most kMaxDigits significant digits are kept;
// `Sticky` tells that nonzero digits were dropped after them.
struct TDecimal {
  static constexpr size_t kMaxDigits = 40;
  bool Negative = false;
  char Digits[kMaxDigits];
  size_t Count = 0;
  bool Sticky = false;
  int64_t Exponent = 0;
};

bool ParseDecimal(std::string_view s, TDecimal& d) {
  const char sep = FormatSettings().DecimalSeparator;
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.Negative = s[i++] == '-';
  bool anyDigit = false, seenSep = false;
  int64_t intDigits = 0;  // digits before the separator, after leading zeros
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (d.Count == 0 && c == '0') {
        if (seenSep) --d.Exponent;  // 0.00ddd
        continue;
      }
      if (d.Count < TDecimal::kMaxDigits)
        d.Digits[d.Count++] = c;
      else if (c != '0')
        d.Sticky = true;
      if (!seenSep) ++intDigits;
    } else if (c == sep && !seenSep) {
      seenSep = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return false;
  d.Exponent += intDigits;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    bool eneg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) eneg = s[i++] == '-';
    size_t start = i;
    int64_t e = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i)
      if (e < 100000000) e = e * 10 + (s[i] - '0');
    if (i == start) return false;
    d.Exponent += eneg ? -e : e;
  }
  while (i < s.size() && s[i] == ' ') ++i;
  if (i != s.size()) return false;
  if (d.Count == 0) d.Exponent = 0;
  return true;
}

bool DecimalToExtended(const TDecimal& d, long double& value) {
  if (d.Count == 0) {
    value = d.Negative ? -0.0L : 0.0L;
    return true;
  }
  // Far outside the extended range: decide without the C library.
  if (d.Exponent > 5000) return false;
  if (d.Exponent < -5000) {
    value = d.Negative ? -0.0L : 0.0L;
    return true;
  }
  // "ddd" with the exponent lowered by the digit count: no decimal point,
  // so the C library's numeric locale does not matter.
  char text[TDecimal::kMaxDigits + 32];
  size_t n = 0;
  if (d.Negative) text[n++] = '-';
  for (size_t k = 0; k < d.Count; ++k) text[n++] = d.Digits[k];
  long long exp = static_cast<long long>(d.Exponent) - static_cast<long long>(d.Count);
  if (d.Sticky) {
    text[n++] = '1';
    --exp;
  }
  std::snprintf(text + n, sizeof text - n, "e%lld", exp);
  long double v = std::strtold(text, nullptr);
  if (std::isinf(v)) return false;
  value = v;
  return true;
}

bool DecimalToCurrency(const TDecimal& d, Currency& value) {
  if (d.Count == 0) {
    value = Currency{};
    return true;
  }
  // The scaled value is 0.Digits * 10^(Exponent + 4): the first `whole`
  // digits are the integer part.
  int64_t whole = d.Exponent + 4;
  if (whole > 19) return false;
  unsigned __int128 u = 0;
  int64_t k = 0;
  for (; k < whole; ++k) u = u * 10 + (k < static_cast<int64_t>(d.Count) ? d.Digits[k] - '0' : 0);
  // Rounding: the first dropped digit and whether anything follows it.
  int first = 0;
  bool rest = d.Sticky;
  if (whole >= 0) {
    if (whole < static_cast<int64_t>(d.Count)) {
      first = d.Digits[whole] - '0';
      for (size_t j = static_cast<size_t>(whole) + 1; j < d.Count; ++j)
        if (d.Digits[j] != '0') rest = true;
    }
  } else {
    // All digits are below the rounding position; 0.5 is never reached
    // unless the first digit sits right after it.
    first = 0;
    rest = true;
  }
  if (first > 5 || (first == 5 && (rest || (u & 1) != 0))) ++u;
  unsigned __int128 limit = d.Negative ? static_cast<unsigned __int128>(INT64_MAX) + 1
                                       : static_cast<unsigned __int128>(INT64_MAX);
  if (u > limit) return false;
  value = Currency::FromRaw(d.Negative ? static_cast<int64_t>(0 - static_cast<uint64_t>(u))
                                       : static_cast<int64_t>(u));
  return true;
}

[[noreturn]] void InvalidFloat(std::string_view s) {
  throw EConvertError(Format(ResStr("SInvalidFloat"), {s}));
}

}  // namespace

bool TryStrToInt(std::string_view s, int32_t& value) noexcept {
  int64_t v = 0;
  if (!ParseInteger(s, 8, INT32_MIN, INT32_MAX, v)) return false;
  value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToInt(std::string_view s) {
  int32_t v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
  return v;
}

int32_t StrToIntDef(std::string_view s, int32_t defaultValue) noexcept {
  int32_t v = 0;
  return TryStrToInt(s, v) ? v : defaultValue;
}

bool TryStrToInt64(std::string_view s, int64_t& value) noexcept {
  return ParseInteger(s, 16, INT64_MIN, INT64_MAX, value);
}

int64_t StrToInt64(std::string_view s) {
  int64_t v = 0;
  if (!TryStrToInt64(s, v)) throw EConvertError(Format(ResStr("SInvalidInteger"), {s}));
  return v;
}

bool TextToFloat(std::string_view s, long double& value) noexcept {
  TDecimal d;
  return ParseDecimal(s, d) && DecimalToExtended(d, value);
}

bool TextToFloat(std::string_view s, Currency& value) noexcept {
  TDecimal d;
  return ParseDecimal(s, d) && DecimalToCurrency(d, value);
}

long double StrToFloat(std::string_view s) {
  long double v = 0;
  if (!TextToFloat(s, v)) InvalidFloat(s);
  return v;
}

bool TryStrToFloat(std::string_view s, long double& value) noexcept {
  return TextToFloat(s, value);
}

bool TryStrToFloat(std::string_view s, double& value) noexcept {
  long double v = 0;
  if (!TextToFloat(s, v)) return false;
  if (std::isinf(static_cast<double>(v))) return false;
  value = static_cast<double>(v);
  return true;
}

long double StrToFloatDef(std::string_view s, long double defaultValue) noexcept {
  long double v = 0;
  return TextToFloat(s, v) ? v : defaultValue;
}

Currency StrToCurr(std::string_view s) {
  Currency c;
  if (!TextToFloat(s, c)) InvalidFloat(s);
  return c;
}

bool TryStrToCurr(std::string_view s, Currency& value) noexcept { return TextToFloat(s, value); }

bool FloatToCurr(long double value, Currency& result) noexcept {
  if (!std::isfinite(value)) return false;
  long double scaled = std::nearbyint(value * 10000.0L);
  if (scaled < -9223372036854775808.0L || scaled >= 9223372036854775808.0L) return false;
  result = Currency::FromRaw(static_cast<int64_t>(scaled));
  return true;
}

}  // namespace tabulon
