// Variant ordering. Same-kind numbers are compared directly (the hot path of
// record matching: no conversion, no allocation); mixed kinds are brought to
// a common kind first: integers and currency exactly as scaled integers,
// currency and floats as doubles, other numbers and dates as extended
// floats, a text to the other side's kind.
#include <cmath>

#include "platform/sysutils/datetime.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"
#include "platform/variants/variant.h"
#include "platform/variants/variant_data.h"

namespace tabulon {

namespace {

using VA = VariantAccess;

enum TKind { kEmpty, kNull, kOrdinal, kCurrency, kFloat, kBoolean, kString, kArray, kOther };

TKind KindOf(const Variant& v) {
  if (v.IsOpaque()) return kOther;
  if (v.IsArray()) return kArray;
  switch (v.Type()) {
    case varEmpty:
      return kEmpty;
    case varNull:
      return kNull;
    case varSmallint:
    case varInteger:
    case varByte:
    case varInt64:
      return kOrdinal;
    case varCurrency:
      return kCurrency;
    case varSingle:
    case varDouble:
    case varDate:
      return kFloat;
    case varBoolean:
      return kBoolean;
    case varString:
      return kString;
    default:
      return kOther;
  }
}

int64_t OrdinalOf(const Variant& v) {
  switch (v.Type()) {
    case varSmallint:
      return VA::I16(v);
    case varInteger:
      return VA::I32(v);
    case varByte:
      return VA::U8(v);
    default:
      return VA::I64(v);
  }
}

template <class T>
int Sign(T a, T b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

// Floats order NaN before every number and equal to itself, so that the
// ordering stays total.
int CompareFloat(long double a, long double b) {
  bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na && nb ? 0 : na ? -1 : 1;
  return Sign(a, b);
}

long double FloatOf(const Variant& v, TKind k) {
  switch (k) {
    case kOrdinal:
      return static_cast<long double>(OrdinalOf(v));
    case kCurrency:
      return static_cast<long double>(VA::I64(v)) / 10000.0L;
    default:
      return v.Type() == varSingle ? VA::F32(v) : VA::F64(v);
  }
}

// Scaled by 10,000 as a 128-bit integer (ordinals and currency).
__int128 ScaledOf(const Variant& v, TKind k) {
  if (k == kCurrency) return VA::I64(v);
  return static_cast<__int128>(OrdinalOf(v)) * 10000;
}

bool IsNumberKind(TKind k) {
  return k == kOrdinal || k == kCurrency || k == kFloat || k == kBoolean;
}

// A text brought to the kind of `other` for comparison; EVariantError
// "Invalid variant operation" when it does not convert.
Variant TextAs(const Variant& text, const Variant& other) {
  std::string_view s = text.StrView();
  if (other.Type() == varDate) {
    double d = 0;
    if (!TryStrToDateTime(s, d) && !TryStrToTime(s, d)) VarInvalidOpError();
    return Variant::FromDate(d);
  }
  if (other.Type() == varBoolean) {
    if (SameText(s, "True")) return Variant(true);
    if (SameText(s, "False")) return Variant(false);
  }
  if (other.Type() == varCurrency) {
    Currency c;
    if (TextToFloat(s, c)) return Variant(c);
  }
  int64_t i = 0;
  if (TryStrToInt64(s, i)) return Variant(i);
  long double d = 0;
  if (!TextToFloat(s, d)) VarInvalidOpError();
  return Variant(d);
}

int CompareArrays(const Variant& a, const Variant& b) {
  const TVarArrayData& x = *VA::Arr(a);
  const TVarArrayData& y = *VA::Arr(b);
  size_t n = x.Items.size() < y.Items.size() ? x.Items.size() : y.Items.size();
  for (size_t i = 0; i < n; ++i) {
    int c = VarCompare(x.Items[i], y.Items[i]);
    if (c != 0) return c;
  }
  return Sign(x.Items.size(), y.Items.size());
}

}  // namespace

int VarCompare(const Variant& a, const Variant& b) {
  TVarType ta = a.Type(), tb = b.Type();
  // Fast paths for the kinds record matching meets most.
  if (ta == tb && !a.IsOpaque() && !b.IsOpaque()) {
    switch (ta) {
      case varInteger:
        return Sign(VA::I32(a), VA::I32(b));
      case varDouble:
      case varDate:
        return CompareFloat(VA::F64(a), VA::F64(b));
      case varNull:
      case varEmpty:
        return 0;
      default:
        break;
    }
  } else if (!a.IsOpaque() && !b.IsOpaque()) {
    // A 32-bit integer is exact as a double.
    if (ta == varInteger && (tb == varDouble || tb == varDate))
      return CompareFloat(static_cast<double>(VA::I32(a)), VA::F64(b));
    if (tb == varInteger && (ta == varDouble || ta == varDate))
      return CompareFloat(VA::F64(a), static_cast<double>(VA::I32(b)));
    if (ta == varNull) return -1;
    if (tb == varNull) return 1;
  }
  TKind ka = KindOf(a), kb = KindOf(b);
  if (ka == kOther || kb == kOther) VarInvalidOpError();
  if (ka == kNull || kb == kNull) return ka == kb ? 0 : ka == kNull ? -1 : 1;
  if (ka == kEmpty || kb == kEmpty) return ka == kb ? 0 : ka == kEmpty ? -1 : 1;
  if (ka == kArray || kb == kArray) {
    if (ka != kb) VarInvalidOpError();
    return CompareArrays(a, b);
  }
  if (ka == kString && kb == kString) return AnsiCompareStr(a.StrView(), b.StrView());
  if (ka == kString) return VarCompare(TextAs(a, b), b);
  if (kb == kString) return VarCompare(a, TextAs(b, a));
  // Booleans order false before true among themselves; against numbers
  // they have no order (their numeric value -1 would contradict it).
  if (ka == kBoolean || kb == kBoolean) {
    if (ka != kb) VarInvalidOpError();
    return Sign(VA::B(a), VA::B(b));
  }
  if (!IsNumberKind(ka) || !IsNumberKind(kb)) VarInvalidOpError();
  if (ka == kOrdinal && kb == kOrdinal) return Sign(OrdinalOf(a), OrdinalOf(b));
  if (ka != kFloat && kb != kFloat) return Sign(ScaledOf(a, ka), ScaledOf(b, kb));
  // Currency against a float in double precision, so that a currency amount
  // equals the double nearest to it (currency 0.1 equals the double 0.1).
  if (ka == kCurrency || kb == kCurrency)
    return CompareFloat(static_cast<double>(FloatOf(a, ka)), static_cast<double>(FloatOf(b, kb)));
  return CompareFloat(FloatOf(a, ka), FloatOf(b, kb));
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
  int c = VarCompare(a, b);
  return c < 0 ? vrLessThan : c > 0 ? vrGreaterThan : vrEqual;
}

}  // namespace tabulon
