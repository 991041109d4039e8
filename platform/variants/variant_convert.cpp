// Variant casts and text. Every cast first reads the source as one of a few
// plain C++ values (64-bit integer, extended float, currency, date, boolean)
// and then checks the target's range, so a failing cast is always reported
// as EVariantError and never as a silent zero.
#include <cfloat>
#include <cmath>
#include <ostream>

#include "platform/core/format.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"
#include "platform/variants/variant.h"
#include "platform/variants/variant_data.h"

namespace tabulon {

namespace {

using VA = VariantAccess;

enum TCastResult { crOk, crInvalid, crOverflow };

// Date-time numbers of 0001-01-01 and of the day after 9999-12-31.
constexpr double kMinDate = -693593.0;
constexpr double kMaxDate = 2958466.0;

void Check(TCastResult r) {
  if (r == crInvalid) VarCastError();
  if (r == crOverflow) VarOverflowError();
}

TCastResult RoundToInt64(long double d, int64_t& out) {
  if (!std::isfinite(d)) return crOverflow;
  long double r = std::nearbyint(d);  // halves to even, as the framework's casts round
  if (r < -9223372036854775808.0L || r >= 9223372036854775808.0L) return crOverflow;
  out = static_cast<int64_t>(r);
  return crOk;
}

// The number of a variant that is not a text (ordinal, float, currency,
// date, boolean, empty); false for other kinds.
bool PlainNumber(const Variant& v, long double& out) {
  switch (v.Type()) {
    case varEmpty:
      out = 0;
      return true;
    case varSmallint:
      out = VA::I16(v);
      return true;
    case varInteger:
      out = VA::I32(v);
      return true;
    case varByte:
      out = VA::U8(v);
      return true;
    case varInt64:
      out = static_cast<long double>(VA::I64(v));
      return true;
    case varSingle:
      out = VA::F32(v);
      return true;
    case varDouble:
    case varDate:
      out = VA::F64(v);
      return true;
    case varCurrency:
      out = static_cast<long double>(VA::I64(v)) / 10000.0L;
      return true;
    case varBoolean:
      out = VA::B(v) ? -1 : 0;
      return true;
    default:
      return false;
  }
}

TCastResult ToInt64(const Variant& v, int64_t& out) {
  switch (v.Type()) {
    case varSmallint:
      out = VA::I16(v);
      return crOk;
    case varInteger:
      out = VA::I32(v);
      return crOk;
    case varByte:
      out = VA::U8(v);
      return crOk;
    case varInt64:
      out = VA::I64(v);
      return crOk;
    case varCurrency: {
      // Divide by 10,000 rounding halves to even, exactly.
      int64_t raw = VA::I64(v), q = raw / 10000, rem = raw % 10000;
      if (rem > 5000 || (rem == 5000 && (q & 1))) ++q;
      if (rem < -5000 || (rem == -5000 && (q & 1))) --q;
      out = q;
      return crOk;
    }
    case varString: {
      std::string_view s = v.StrView();
      if (TryStrToInt64(s, out)) return crOk;
      long double d = 0;
      if (!TextToFloat(s, d)) return crInvalid;
      return RoundToInt64(d, out);
    }
    default: {
      long double d = 0;
      if (!PlainNumber(v, d)) return crInvalid;
      return RoundToInt64(d, out);
    }
  }
}

TCastResult ToFloat(const Variant& v, long double& out) {
  if (v.Type() == varString) return TextToFloat(v.StrView(), out) ? crOk : crInvalid;
  return PlainNumber(v, out) ? crOk : crInvalid;
}

TCastResult ToCurrency(const Variant& v, Currency& out) {
  switch (v.Type()) {
    case varCurrency:
      out = Currency::FromRaw(VA::I64(v));
      return crOk;
    case varString: {
      if (TextToFloat(v.StrView(), out)) return crOk;
      long double d = 0;
      return TextToFloat(v.StrView(), d) ? crOverflow : crInvalid;
    }
    case varSmallint:
    case varInteger:
    case varByte:
    case varInt64: {
      int64_t i = 0;
      ToInt64(v, i);
      if (i > INT64_MAX / 10000 || i < INT64_MIN / 10000) return crOverflow;
      out = Currency::FromRaw(i * 10000);
      return crOk;
    }
    default: {
      long double d = 0;
      if (!PlainNumber(v, d)) return crInvalid;
      return FloatToCurr(d, out) ? crOk : crOverflow;
    }
  }
}

TCastResult ToDate(const Variant& v, double& out) {
  if (v.Type() == varString)
    return TryStrToDateTime(v.StrView(), out) || TryStrToTime(v.StrView(), out) ? crOk : crInvalid;
  long double d = 0;
  if (!PlainNumber(v, d)) return crInvalid;
  if (!(d >= kMinDate && d < kMaxDate)) return crOverflow;
  out = static_cast<double>(d);
  return crOk;
}

TCastResult ToBoolean(const Variant& v, bool& out) {
  if (v.Type() == varBoolean) {
    out = VA::B(v);
    return crOk;
  }
  if (v.Type() == varString) {
    std::string_view s = v.StrView();
    if (SameText(s, "True")) {
      out = true;
      return crOk;
    }
    if (SameText(s, "False")) {
      out = false;
      return crOk;
    }
    long double d = 0;
    if (!TextToFloat(s, d)) return crInvalid;
    out = d != 0;
    return crOk;
  }
  long double d = 0;
  if (!PlainNumber(v, d)) return crInvalid;
  out = d != 0;
  return crOk;
}

template <class T>
Variant IntegerOf(const Variant& src, int64_t min, int64_t max) {
  int64_t i = 0;
  Check(ToInt64(src, i));
  if (i < min || i > max) VarOverflowError();
  return Variant(static_cast<T>(i));
}

}  // namespace

Variant VarAsType(const Variant& src, TVarType t) {
  if (src.IsOpaque()) VarCastError();
  if (t & varArray) {
    if (src.IsArray() && src.Type() == t) return src;
    VarCastError();
  }
  if (t == varVariant || t == src.Type()) return src;
  if (src.IsArray()) VarCastError();
  if (t == varEmpty) return Variant();
  if (t == varNull) return Null;
  if (src.IsNull()) VarCastError();
  switch (t) {
    case varSmallint:
      return IntegerOf<int16_t>(src, INT16_MIN, INT16_MAX);
    case varInteger:
      return IntegerOf<int32_t>(src, INT32_MIN, INT32_MAX);
    case varByte:
      return IntegerOf<uint8_t>(src, 0, UINT8_MAX);
    case varInt64:
      return IntegerOf<int64_t>(src, INT64_MIN, INT64_MAX);
    case varSingle: {
      long double d = 0;
      Check(ToFloat(src, d));
      if (std::isfinite(d) && std::fabs(d) > FLT_MAX) VarOverflowError();
      return Variant(static_cast<float>(d));
    }
    case varDouble: {
      long double d = 0;
      Check(ToFloat(src, d));
      if (std::isfinite(d) && std::fabs(d) > DBL_MAX) VarOverflowError();
      return Variant(static_cast<double>(d));
    }
    case varCurrency: {
      Currency c;
      Check(ToCurrency(src, c));
      return Variant(c);
    }
    case varDate: {
      double d = 0;
      Check(ToDate(src, d));
      return Variant::FromDate(d);
    }
    case varBoolean: {
      bool b = false;
      Check(ToBoolean(src, b));
      return Variant(b);
    }
    case varString:
      return Variant(VarToStr(src));
    default:
      VarCastError();
  }
}

void VarCast(Variant& dest, const Variant& source, TVarType varType) {
  dest = VarAsType(source, varType);
}

int16_t Variant::AsSmallint() const {
  if (type_ == varSmallint) return i16_;
  return VA::I16(VarAsType(*this, varSmallint));
}

int32_t Variant::AsInteger() const {
  if (type_ == varInteger) return i32_;
  return VA::I32(VarAsType(*this, varInteger));
}

int64_t Variant::AsInt64() const {
  if (type_ == varInt64) return i64_;
  return VA::I64(VarAsType(*this, varInt64));
}

uint8_t Variant::AsByte() const {
  if (type_ == varByte) return u8_;
  return VA::U8(VarAsType(*this, varByte));
}

float Variant::AsSingle() const {
  if (type_ == varSingle) return f32_;
  return VA::F32(VarAsType(*this, varSingle));
}

double Variant::AsDouble() const {
  if (type_ == varDouble) return f64_;
  return VA::F64(VarAsType(*this, varDouble));
}

Currency Variant::AsCurrency() const {
  if (type_ == varCurrency) return Currency::FromRaw(i64_);
  return Currency::FromRaw(VA::I64(VarAsType(*this, varCurrency)));
}

double Variant::AsDate() const {
  if (type_ == varDate) return f64_;
  return VA::F64(VarAsType(*this, varDate));
}

bool Variant::AsBoolean() const {
  if (type_ == varBoolean) return b_;
  return VA::B(VarAsType(*this, varBoolean));
}

std::string Variant::AsString() const {
  if (opaque_ || type_ == varNull) VarCastError();
  return VarToStr(*this);
}

std::string VarToStr(const Variant& v) {
  if (v.IsOpaque() || v.IsArray()) VarCastError();
  switch (v.Type()) {
    case varEmpty:
    case varNull:
      return {};
    case varSmallint:
      return IntToStr(VA::I16(v));
    case varInteger:
      return IntToStr(VA::I32(v));
    case varByte:
      return IntToStr(VA::U8(v));
    case varInt64:
      return IntToStr(VA::I64(v));
    case varSingle:
      return FloatToStrF(VA::F32(v), ffGeneral, 7, 0);
    case varDouble:
      return FloatToStr(VA::F64(v));
    case varCurrency:
      return CurrToStr(Currency::FromRaw(VA::I64(v)));
    case varDate:
      return DateTimeToStr(VA::F64(v));
    case varBoolean:
      return VA::B(v) ? "True" : "False";
    case varString:
      return std::string(v.StrView());
    default:
      VarCastError();
  }
}

std::string VarTypeAsText(TVarType t) {
  static const char* const kNames[] = {"Empty",  "Null",     "Smallint", "Integer", "Single",
                                       "Double", "Currency", "Date",     "OleStr",  "Dispatch",
                                       "Error",  "Boolean",  "Variant",  "Unknown"};
  TVarType base = t & varTypeMask;
  std::string name;
  if (base < sizeof kNames / sizeof kNames[0])
    name = kNames[base];
  else if (base == varByte)
    name = "Byte";
  else if (base == varInt64)
    name = "Int64";
  else if (base == varString)
    name = "String";
  else
    name = "$" + IntToHex(base, 4);
  if (t & varArray) name = "Array of " + name;
  if (t & varByRef) name = "Ref to " + name;
  return name;
}

std::ostream& operator<<(std::ostream& out, const Variant& v) {
  if (v.IsOpaque()) return out << "$" << IntToHex(v.Type(), 4);
  if (v.IsNull() || v.IsEmpty()) return out << VarTypeAsText(v.Type());
  if (v.IsArray()) {
    out << VarTypeAsText(v.Type()) << " [";
    const TVarArrayData& d = *VA::Arr(v);
    for (size_t i = 0; i < d.Items.size(); ++i) out << (i ? ", " : "") << d.Items[i];
    return out << "]";
  }
  out << VarTypeAsText(v.Type()) << ' ';
  if (v.Type() == varString) return out << '"' << v.StrView() << '"';
  return out << VarToStr(v);
}

}  // namespace tabulon
