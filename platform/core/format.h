// Message formatting with the framework's rules (Format) and the number to
// text conversions it is built on (FloatToStrF, FloatToStr, CurrToStrF).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/core/currency.h"

namespace tabulon {

class TObject;

/// One argument of Format: an integer, a float, a currency, a text, a
/// character or a pointer, remembering which it is.
struct TVarRec {
  enum Kind { vtInteger, vtInt64, vtExtended, vtCurrency, vtString, vtChar, vtPointer, vtBoolean };
  Kind VType;
  int64_t Int = 0;
  long double Float = 0;
  std::string_view Text;  // vtString and vtChar (points into the caller's storage)
  char Ch = 0;
  const void* Ptr = nullptr;

  TVarRec(int v) : VType(vtInteger), Int(v) {}
  TVarRec(long v) : VType(vtInt64), Int(v) {}
  TVarRec(long long v) : VType(vtInt64), Int(v) {}
  TVarRec(unsigned v) : VType(vtInt64), Int(v) {}
  TVarRec(unsigned long v) : VType(vtInt64), Int(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : VType(vtInt64), Int(static_cast<int64_t>(v)) {}
  TVarRec(short v) : VType(vtInteger), Int(v) {}
  TVarRec(unsigned short v) : VType(vtInteger), Int(v) {}
  TVarRec(bool v) : VType(vtBoolean), Int(v) {}
  TVarRec(double v) : VType(vtExtended), Float(v) {}
  TVarRec(long double v) : VType(vtExtended), Float(v) {}
  TVarRec(Currency v) : VType(vtCurrency), Int(v.Value) {}
  TVarRec(const std::string& v) : VType(vtString), Text(v) {}
  TVarRec(std::string_view v) : VType(vtString), Text(v) {}
  TVarRec(const char* v) : VType(vtString), Text(v ? v : "") {}
  TVarRec(char v) : VType(vtChar), Ch(v) { Text = std::string_view(&Ch, 1); }
  TVarRec(const void* v) : VType(vtPointer), Ptr(v) {}
  TVarRec(const TVarRec& o)
      : VType(o.VType), Int(o.Int), Float(o.Float), Text(o.Text), Ch(o.Ch), Ptr(o.Ptr) {
    if (VType == vtChar) Text = std::string_view(&Ch, 1);
  }
};

using TFormatArgs = std::initializer_list<TVarRec>;

/// Formats `fmt` with the framework's rules: %[index:][-][width][.prec]type,
/// types d u x e f g n m p s, `*` for width or precision from the arguments,
/// %% for a percent sign. A malformed format or a mismatched argument raises
/// EConvertError "Format '%s' invalid or incompatible with argument"; a
/// missing argument raises EConvertError "No argument for format '%s'".
std::string Format(std::string_view fmt, TFormatArgs args = {});
std::string Format(std::string_view fmt, const TVarRec* args, size_t count);

/// Float formats of FloatToStrF.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

/// The framework's FloatToStrF: `precision` significant digits (at most 18),
/// `digits` as the format defines it (exponent digits or decimals).
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits);
/// The framework's FloatToStr: general format with 15 significant digits.
std::string FloatToStr(long double value);
/// Currency to text: general format with at most four decimals.
std::string CurrToStr(Currency value);
/// Currency to text in one of the float formats: `digits` decimals for
/// fixed, number and currency (rounded half away from zero below four, padded
/// with zeros above, at most 18); for ffExponent the minimum exponent digits
/// (at most 4) after a mantissa of the currency's 19 significant digits.
std::string CurrToStrF(Currency value, TFloatFormat format, int digits);

/// Number of code points in a UTF-8 text (bytes that are not continuation bytes).
size_t Utf8Length(std::string_view text) noexcept;
/// Byte offset of code point `n` in `text` (text.size() when past the end).
size_t Utf8Offset(std::string_view text, size_t n) noexcept;
/// Length of the well-formed UTF-8 sequence at `text[i]` (1 to 4), or 0 when
/// the bytes there are not one: a stray continuation byte, a truncated
/// sequence, an overlong form, an encoded surrogate or a value past U+10FFFF.
size_t Utf8SequenceLength(std::string_view text, size_t i) noexcept;
/// Whether the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text) noexcept;
/// Appends code point `cp` as UTF-8; surrogates and values past U+10FFFF
/// become U+FFFD.
void AppendUtf8(std::string& out, uint32_t cp);

}  // namespace tabulon
