// Format and the float-to-text routines. Float digits come from the C
// library's correctly rounded conversion to 18 significant digits and are
// then rounded and laid out by the framework's rules for each float format.
#include "platform/core/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/core/exceptions.h"
#include "platform/core/format_settings.h"
#include "platform/core/resstrings.h"

namespace tabulon {

size_t Utf8Length(std::string_view text) noexcept {
  size_t n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

size_t Utf8Offset(std::string_view text, size_t n) noexcept {
  size_t i = 0;
  while (i < text.size() && n > 0) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    --n;
  }
  return i;
}

size_t Utf8SequenceLength(std::string_view text, size_t i) noexcept {
  if (i >= text.size()) return 0;
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t n;
  unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;  // overlong below U+0800
    if (c == 0xED) hi = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;  // overlong below U+10000
    if (c == 0xF4) hi = 0x8F;  // past U+10FFFF
  } else {
    return 0;  // continuation byte, overlong lead C0/C1, or F5 and up
  }
  if (text.size() - i < n) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (size_t k = 2; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  return n;
}

bool IsValidUtf8(std::string_view text) noexcept {
  for (size_t i = 0; i < text.size();) {
    size_t n = Utf8SequenceLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

constexpr int kMaxPrecision = 18;
constexpr int kCurrencyPrecision = 19;  // significant digits a currency can hold

// A decimal rendering of a float: value = 0.Digits * 10^Exponent.
struct TFloatRec {
  bool Negative = false;
  bool Special = false;  // NaN or infinite; Digits holds the text
  std::string Digits;    // significant digits without trailing zeros; empty for zero
  int Exponent = 0;      // position of the decimal point relative to Digits
};

void ParseScientific(const char* buf, TFloatRec& r) {
  // buf is "[-]d.ddde[+-]xx" as printed by %Le
  const char* p = buf;
  if (*p == '-') ++p;
  std::string digits;
  while (*p && *p != 'e') {
    if (*p >= '0' && *p <= '9') digits += *p;
    ++p;
  }
  int e = (*p == 'e') ? std::atoi(p + 1) : 0;
  size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    r.Digits.clear();
    r.Exponent = 0;
    return;
  }
  r.Exponent = e + 1 - static_cast<int>(first);
  digits.erase(0, first);
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  r.Digits = digits;
}

// Rounds `value` to `precision` significant digits and, when decimals >= 0,
// to at most `decimals` digits after the decimal point. As in the
// framework's float conversion the value is first taken to 18 significant
// digits (correctly rounded; a value held exactly by a double is taken as
// its shortest round-trip decimal) and that decimal is then rounded with
// halves away from zero, so a value typed as a half (0.145, 999.995) rounds
// up although its binary form lies a little below the half.
TFloatRec FloatToDecimal(long double value, int precision, int decimals) {
  TFloatRec r;
  r.Negative = std::signbit(value);
  if (std::isnan(value)) {
    r.Special = true;
    r.Digits = "NAN";
    r.Negative = false;
    return r;
  }
  if (std::isinf(value)) {
    r.Special = true;
    r.Digits = "INF";
    return r;
  }
  if (precision < 1) precision = 1;
  if (precision > kMaxPrecision) precision = kMaxPrecision;
  char buf[128];
  const double asDouble = static_cast<double>(value);
  if (static_cast<long double>(asDouble) == value) {
    // A value that a double holds exactly came from a double, and its
    // shortest round-trip form (at most 17 digits) is the text that was
    // typed: 0.145 given as a double lies below the half in binary but
    // still rounds up, as it does when typed into an extended.
    auto res = std::to_chars(buf, buf + sizeof buf - 1, asDouble, std::chars_format::scientific);
    *res.ptr = '\0';
  } else {
    std::snprintf(buf, sizeof buf, "%.*Le", kMaxPrecision - 1, value);  // 18 significant digits
  }
  ParseScientific(buf, r);
  if (r.Digits.empty()) return r;
  int keep = precision;
  if (decimals >= 0) keep = std::min(keep, r.Exponent + decimals);
  if (keep >= static_cast<int>(r.Digits.size())) return r;
  if (keep < 0) {
    r.Digits.clear();
    r.Exponent = 0;
    return r;
  }
  bool roundUp = r.Digits[static_cast<size_t>(keep)] >= '5';
  r.Digits.resize(static_cast<size_t>(keep));
  if (roundUp) {
    int i = keep - 1;
    while (i >= 0 && r.Digits[static_cast<size_t>(i)] == '9')
      r.Digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {
      r.Digits.insert(r.Digits.begin(), '1');
      ++r.Exponent;
    } else {
      ++r.Digits[static_cast<size_t>(i)];
    }
  }
  while (!r.Digits.empty() && r.Digits.back() == '0') r.Digits.pop_back();
  if (r.Digits.empty()) r.Exponent = 0;
  return r;
}

std::string ExponentText(int exp, int minDigits, bool plusSign) {
  std::string s;
  if (exp < 0)
    s = "-";
  else if (plusSign)
    s = "+";
  std::string d = std::to_string(exp < 0 ? -exp : exp);
  if (static_cast<int>(d.size()) < minDigits) d.insert(0, minDigits - d.size(), '0');
  return s + d;
}

// "d.dddE+xx" with exactly `digitsShown` mantissa digits (or the significant ones when 0).
std::string FormatExponent(const TFloatRec& r, int mantissaDigits, int expDigits, bool plusSign) {
  std::string m = r.Digits.empty() ? "0" : r.Digits;
  if (mantissaDigits > 0 && static_cast<int>(m.size()) < mantissaDigits)
    m.append(mantissaDigits - m.size(), '0');
  std::string s(1, m[0]);
  if (m.size() > 1) {
    s += FormatSettings().DecimalSeparator;
    s.append(m, 1, std::string::npos);
  }
  int exp = r.Digits.empty() ? 0 : r.Exponent - 1;
  return s + "E" + ExponentText(exp, expDigits, plusSign);
}

std::string GroupThousands(const std::string& intPart) {
  char sep = FormatSettings().ThousandSeparator;
  if (sep == 0) return intPart;
  std::string out;
  int n = static_cast<int>(intPart.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += sep;
    out += intPart[i];
  }
  return out;
}

std::string FormatFixed(const TFloatRec& r, int decimals, bool thousands) {
  std::string intPart;
  if (r.Exponent <= 0 || r.Digits.empty()) {
    intPart = "0";
  } else {
    intPart = r.Digits.substr(0, std::min<size_t>(r.Exponent, r.Digits.size()));
    if (static_cast<int>(intPart.size()) < r.Exponent)
      intPart.append(r.Exponent - intPart.size(), '0');
  }
  if (thousands) intPart = GroupThousands(intPart);
  if (decimals <= 0) return intPart;
  std::string frac;
  for (int i = 0; i < decimals; ++i) {
    int pos = r.Exponent + i;  // index into Digits
    frac += (pos >= 0 && pos < static_cast<int>(r.Digits.size())) ? r.Digits[pos] : '0';
  }
  return intPart + FormatSettings().DecimalSeparator + frac;
}

std::string ApplyCurrency(const std::string& amount, bool negative) {
  const TFormatSettings& fs = FormatSettings();
  const std::string& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1:
        return amount + c;
      case 2:
        return c + " " + amount;
      case 3:
        return amount + " " + c;
      default:
        return c + amount;
    }
  }
  const std::string& a = amount;
  switch (fs.NegCurrFormat) {
    case 1:
      return "-" + c + a;
    case 2:
      return c + "-" + a;
    case 3:
      return c + a + "-";
    case 4:
      return "(" + a + c + ")";
    case 5:
      return "-" + a + c;
    case 6:
      return a + "-" + c;
    case 7:
      return a + c + "-";
    case 8:
      return "-" + a + " " + c;
    case 9:
      return "-" + c + " " + a;
    case 10:
      return a + " " + c + "-";
    case 11:
      return c + " " + a + "-";
    case 12:
      return c + " -" + a;
    case 13:
      return a + "- " + c;
    case 14:
      return "(" + c + " " + a + ")";
    case 15:
      return "(" + a + " " + c + ")";
    default:
      return "(" + c + a + ")";
  }
}

}  // namespace

std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits) {
  if (precision > kMaxPrecision) precision = kMaxPrecision;
  if (precision < 1) precision = 1;
  switch (format) {
    case ffGeneral: {
      TFloatRec r = FloatToDecimal(value, precision, -1);
      if (r.Special) return (r.Negative ? "-" : "") + r.Digits;
      std::string sign = (r.Negative && !r.Digits.empty()) ? "-" : "";
      if (r.Digits.empty()) return "0";
      if (r.Exponent > precision || r.Exponent < -3) {
        if (digits > 4) digits = 4;
        return sign + FormatExponent(r, 0, digits, false);
      }
      int decimals = static_cast<int>(r.Digits.size()) - r.Exponent;
      return sign + FormatFixed(r, decimals > 0 ? decimals : 0, false);
    }
    case ffExponent: {
      TFloatRec r = FloatToDecimal(value, precision, -1);
      if (r.Special) return (r.Negative ? "-" : "") + r.Digits;
      std::string sign = (r.Negative && !r.Digits.empty()) ? "-" : "";
      if (digits > 4) digits = 4;
      return sign + FormatExponent(r, precision, digits, true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      if (digits < 0) digits = 0;
      if (digits > kMaxPrecision) digits = kMaxPrecision;
      TFloatRec r = FloatToDecimal(value, precision, digits);
      if (r.Special) return (r.Negative ? "-" : "") + r.Digits;
      bool negative = r.Negative && !r.Digits.empty();
      if (r.Exponent > precision) {
        // Too large for fixed notation within the precision: general format.
        std::string s = FormatExponent(r, 0, 0, false);
        return (negative ? "-" : "") + s;
      }
      std::string body = FormatFixed(r, digits, format != ffFixed);
      if (format == ffCurrency) return ApplyCurrency(body, negative);
      return (negative ? "-" : "") + body;
    }
  }
  return {};
}

std::string FloatToStr(long double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

namespace {

// The decimal record of a currency magnitude (amount * 10,000).
TFloatRec CurrencyRec(uint64_t mag, bool negative) {
  TFloatRec r;
  std::string intText = std::to_string(mag / 10000);
  std::string frac = std::to_string(mag % 10000);
  frac.insert(0, 4 - frac.size(), '0');
  std::string all = intText + frac;
  size_t first = all.find_first_not_of('0');
  if (first != std::string::npos) {
    r.Negative = negative;
    r.Digits = all.substr(first);
    r.Exponent = static_cast<int>(intText.size()) - static_cast<int>(first);
    while (!r.Digits.empty() && r.Digits.back() == '0') r.Digits.pop_back();
  }
  return r;
}

}  // namespace

std::string CurrToStrF(Currency value, TFloatFormat format, int digits) {
  // Currency is exact to four decimals, so it is printed from the integer.
  int64_t raw = value.Value;
  bool negative = raw < 0;
  uint64_t mag = negative ? (~static_cast<uint64_t>(raw) + 1) : static_cast<uint64_t>(raw);
  if (format == ffGeneral) {
    TFloatRec r = CurrencyRec(mag, negative);
    if (r.Digits.empty()) return "0";
    int decimals = static_cast<int>(r.Digits.size()) - r.Exponent;
    return (r.Negative ? "-" : "") + FormatFixed(r, decimals > 0 ? decimals : 0, false);
  }
  if (format == ffExponent) {
    // All of a currency's significant digits, like a float in ffExponent
    // with the currency's full precision.
    TFloatRec r = CurrencyRec(mag, negative);
    return (r.Negative ? "-" : "") +
           FormatExponent(r, kCurrencyPrecision, std::min(digits, 4), true);
  }
  // Decimals past the fourth are zeros, padded as the float formats pad them.
  if (digits < 0) digits = 0;
  if (digits > kMaxPrecision) digits = kMaxPrecision;
  uint64_t unit = 1;
  for (int i = digits; i < 4; ++i) unit *= 10;
  mag = (mag / unit + (mag % unit >= unit / 2 && unit > 1 ? 1 : 0)) * unit;  // half away from zero
  TFloatRec r = CurrencyRec(mag, negative);
  std::string body = FormatFixed(r, digits, format != ffFixed);
  if (format == ffCurrency) return ApplyCurrency(body, r.Negative);
  return (r.Negative ? "-" : "") + body;
}

std::string CurrToStr(Currency value) { return CurrToStrF(value, ffGeneral, 0); }

namespace {

[[noreturn]] void FormatError(std::string_view fmt) {
  throw EConvertError(Format(ResStr("SInvalidFormat"), {std::string(fmt)}));
}

std::string PadTo(std::string s, int width, bool left) {
  size_t len = Utf8Length(s);
  if (width > 0 && len < static_cast<size_t>(width)) {
    std::string pad(width - len, ' ');
    s = left ? s + pad : pad + s;
  }
  return s;
}

bool IsIntegerArg(const TVarRec& a) {
  return a.VType == TVarRec::vtInteger || a.VType == TVarRec::vtInt64;
}

}  // namespace

std::string Format(std::string_view fmt, TFormatArgs args) {
  return Format(fmt, args.begin(), args.size());
}

std::string Format(std::string_view fmt, const TVarRec* args, size_t count) {
  std::string out;
  out.reserve(fmt.size() + 16);
  size_t argIndex = 0;
  size_t i = 0;
  const size_t n = fmt.size();
  auto nextArg = [&]() -> const TVarRec& {
    if (argIndex >= count)
      throw EConvertError(Format(ResStr("SArgumentMissing"), {std::string(fmt)}));
    return args[argIndex++];
  };
  // Reads digits or '*'; returns -1 when neither is present.
  auto readNumber = [&]() -> int64_t {
    if (i < n && fmt[i] == '*') {
      ++i;
      const TVarRec& a = nextArg();
      if (!IsIntegerArg(a)) FormatError(fmt);
      return a.Int < 0 ? 0 : a.Int;
    }
    if (i >= n || fmt[i] < '0' || fmt[i] > '9') return -1;
    int64_t v = 0;
    while (i < n && fmt[i] >= '0' && fmt[i] <= '9') {
      v = v * 10 + (fmt[i] - '0');
      if (v > 1000000) FormatError(fmt);  // absurd width or index
      ++i;
    }
    return v;
  };
  while (i < n) {
    char c = fmt[i];
    if (c != '%') {
      size_t j = fmt.find('%', i);
      if (j == std::string_view::npos) j = n;
      out.append(fmt.substr(i, j - i));
      i = j;
      continue;
    }
    ++i;
    if (i >= n) FormatError(fmt);
    if (fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    bool left = false;
    int64_t width = -1, prec = -1;
    int64_t num = readNumber();
    if (num >= 0 && i < n && fmt[i] == ':') {
      argIndex = static_cast<size_t>(num);
      ++i;
      num = -1;
    }
    if (num < 0) {
      if (i < n && fmt[i] == '-') {
        left = true;
        ++i;
      }
      width = readNumber();
    } else {
      width = num;
    }
    if (i < n && fmt[i] == '.') {
      ++i;
      prec = readNumber();
      if (prec < 0) prec = 0;
    }
    if (i >= n) FormatError(fmt);
    char type = fmt[i] | 0x20;  // lower case
    ++i;
    std::string piece;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        const TVarRec& a = nextArg();
        if (!IsIntegerArg(a)) FormatError(fmt);
        bool negative = false;
        uint64_t mag;
        if (type == 'd') {
          negative = a.Int < 0;
          mag = negative ? (~static_cast<uint64_t>(a.Int) + 1) : static_cast<uint64_t>(a.Int);
        } else if (a.VType == TVarRec::vtInteger) {
          mag = static_cast<uint32_t>(a.Int);
        } else {
          mag = static_cast<uint64_t>(a.Int);
        }
        char buf[32];
        std::snprintf(buf, sizeof buf, type == 'x' ? "%llX" : "%llu",
                      static_cast<unsigned long long>(mag));
        piece = buf;
        if (prec > 0 && static_cast<int64_t>(piece.size()) < prec)
          piece.insert(0, prec - piece.size(), '0');
        if (negative) piece.insert(0, "-");
        break;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        const TVarRec& a = nextArg();
        if (a.VType != TVarRec::vtExtended && a.VType != TVarRec::vtCurrency) FormatError(fmt);
        int p = static_cast<int>(prec);
        if (a.VType == TVarRec::vtCurrency && type != 'e' && type != 'g') {
          int d = p >= 0 ? p : (type == 'm' ? FormatSettings().CurrencyDecimals : 2);
          piece = CurrToStrF(Currency::FromRaw(a.Int),
                             type == 'f'   ? ffFixed
                             : type == 'n' ? ffNumber
                                           : ffCurrency,
                             d);
          break;
        }
        long double v =
            a.VType == TVarRec::vtCurrency ? static_cast<long double>(a.Int) / 10000 : a.Float;
        switch (type) {
          case 'e':
            piece = FloatToStrF(v, ffExponent, p >= 0 ? p : 15, 3);
            break;
          case 'f':
            piece = FloatToStrF(v, ffFixed, 18, p >= 0 ? p : 2);
            break;
          case 'g':
            piece = FloatToStrF(v, ffGeneral, p >= 0 ? p : 15, 3);
            break;
          case 'n':
            piece = FloatToStrF(v, ffNumber, 18, p >= 0 ? p : 2);
            break;
          default:
            piece = FloatToStrF(v, ffCurrency, 18, p >= 0 ? p : FormatSettings().CurrencyDecimals);
            break;
        }
        break;
      }
      case 's': {
        const TVarRec& a = nextArg();
        if (a.VType != TVarRec::vtString && a.VType != TVarRec::vtChar) FormatError(fmt);
        std::string_view t = a.Text;
        if (prec >= 0) t = t.substr(0, Utf8Offset(t, static_cast<size_t>(prec)));
        piece.assign(t);
        break;
      }
      case 'p': {
        const TVarRec& a = nextArg();
        if (a.VType != TVarRec::vtPointer) FormatError(fmt);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%016llX",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(a.Ptr)));
        piece = buf;
        break;
      }
      default:
        FormatError(fmt);
    }
    out += PadTo(std::move(piece), static_cast<int>(width), left);
  }
  return out;
}

}  // namespace tabulon
