// Variant: the framework's self-describing value. A variant holds nothing
// (empty), Null, a number of one of several kinds, a currency amount, a date,
// a boolean, a text or an array of variants, and converts between them with
// the framework's casts. Values of every kind except texts and arrays live
// inline (no heap allocation); texts and arrays are shared, reference-counted
// and immutable once shared, so copying a variant never copies its payload.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/currency.h"

namespace tabulon {

/// A variant type code.
using TVarType = uint16_t;

inline constexpr TVarType varEmpty = 0x0000;     ///< unassigned
inline constexpr TVarType varNull = 0x0001;      ///< Null: no value
inline constexpr TVarType varSmallint = 0x0002;  ///< 16-bit signed integer
inline constexpr TVarType varInteger = 0x0003;   ///< 32-bit signed integer
inline constexpr TVarType varSingle = 0x0004;    ///< 32-bit float
inline constexpr TVarType varDouble = 0x0005;    ///< 64-bit float
inline constexpr TVarType varCurrency = 0x0006;  ///< Currency (integer scaled by 10,000)
inline constexpr TVarType varDate = 0x0007;      ///< days since 1899-12-30 as a double
inline constexpr TVarType varOleStr = 0x0008;    ///< code only; never produced
inline constexpr TVarType varDispatch = 0x0009;  ///< code only; never produced
inline constexpr TVarType varError = 0x000A;     ///< code only; never produced
inline constexpr TVarType varBoolean = 0x000B;   ///< boolean
inline constexpr TVarType varVariant = 0x000C;   ///< element type of arrays of variants
inline constexpr TVarType varUnknown = 0x000D;   ///< code only; never produced
inline constexpr TVarType varByte = 0x0011;      ///< 8-bit unsigned integer
inline constexpr TVarType varInt64 = 0x0014;     ///< 64-bit signed integer
inline constexpr TVarType varString = 0x0100;    ///< UTF-8 text
inline constexpr TVarType varTypeMask = 0x0FFF;  ///< the element type bits of a code
inline constexpr TVarType varArray = 0x2000;     ///< flag: an array of the masked type
inline constexpr TVarType varByRef = 0x4000;     ///< flag: code only; never produced

/// The result of a framework-style comparison.
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

struct TVarArrayData;
struct TVarStringData;

/// A framework variant value.
class Variant {
 public:
  struct TNullTag {};

  /// An empty (unassigned) variant.
  constexpr Variant() noexcept : type_(varEmpty), opaque_(false), i64_(0) {}
  /// A Null variant (see also the constant `Null`).
  constexpr explicit Variant(TNullTag) noexcept : type_(varNull), opaque_(false), i64_(0) {}
  Variant(int16_t v) noexcept : type_(varSmallint), opaque_(false), i64_(0) { i16_ = v; }
  Variant(int32_t v) noexcept : type_(varInteger), opaque_(false), i64_(0) { i32_ = v; }
  Variant(uint8_t v) noexcept : type_(varByte), opaque_(false), i64_(0) { u8_ = v; }
  Variant(int64_t v) noexcept : type_(varInt64), opaque_(false), i64_(v) {}
  /// A 16-bit unsigned (word) value is held as a 32-bit integer.
  Variant(uint16_t v) noexcept : type_(varInteger), opaque_(false), i64_(0) { i32_ = v; }
  /// A 32-bit unsigned value is held as a 64-bit integer.
  Variant(uint32_t v) noexcept : type_(varInt64), opaque_(false), i64_(v) {}
  Variant(float v) noexcept : type_(varSingle), opaque_(false), i64_(0) { f32_ = v; }
  Variant(double v) noexcept : type_(varDouble), opaque_(false), f64_(v) {}
  /// Extended values are held as doubles.
  Variant(long double v) noexcept
      : type_(varDouble), opaque_(false), f64_(static_cast<double>(v)) {}
  Variant(Currency v) noexcept : type_(varCurrency), opaque_(false), i64_(v.Value) {}
  Variant(bool v) noexcept : type_(varBoolean), opaque_(false), i64_(0) { b_ = v; }
  Variant(std::string_view v);
  Variant(const std::string& v) : Variant(std::string_view(v)) {}
  /// A null pointer gives an empty text.
  Variant(const char* v) : Variant(std::string_view(v ? v : "")) {}
  Variant(char) = delete;  // a character is not a number; pass a text

  /// A date variant for a date-time number (days since 1899-12-30).
  static Variant FromDate(double dateTime) noexcept;
  /// A variant that carries only the type code `code` (for codes this
  /// implementation does not hold, such as 0x600F); every cast of it and
  /// every comparison with it raises EVariantError.
  static Variant Opaque(TVarType code) noexcept;

  // Copies share a text or array payload; numbers are copied inline.
  Variant(const Variant& o) noexcept : type_(o.type_), opaque_(o.opaque_), i64_(o.i64_) {
    if (IsShared()) AddRef();
  }
  Variant(Variant&& o) noexcept : type_(o.type_), opaque_(o.opaque_), i64_(o.i64_) { o.Reset(); }
  Variant& operator=(const Variant& o) noexcept {
    if (this != &o) {
      Variant copy(o);
      *this = std::move(copy);
    }
    return *this;
  }
  Variant& operator=(Variant&& o) noexcept {
    if (this != &o) {
      if (IsShared()) Release();
      type_ = o.type_;
      opaque_ = o.opaque_;
      i64_ = o.i64_;
      o.Reset();
    }
    return *this;
  }
  ~Variant() {
    if (IsShared()) Release();
  }

  /// The type code (varArray | element type for arrays).
  TVarType Type() const noexcept { return type_; }
  bool IsNull() const noexcept { return type_ == varNull; }
  bool IsEmpty() const noexcept { return type_ == varEmpty; }
  /// Whether the variant is an array this implementation holds.
  bool IsArray() const noexcept { return (type_ & varArray) != 0 && !opaque_; }
  /// Whether the variant carries only a type code (see Opaque).
  bool IsOpaque() const noexcept { return opaque_; }

  /// Conversions with the framework's casts; EVariantError when the value
  /// does not convert (Null converts to nothing but itself).
  int16_t AsSmallint() const;
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  uint8_t AsByte() const;
  float AsSingle() const;
  double AsDouble() const;
  Currency AsCurrency() const;
  /// The date-time number of the value cast to a date.
  double AsDate() const;
  bool AsBoolean() const;
  /// The value cast to a text; Null raises (use VarToStr for lenient text).
  std::string AsString() const;

  /// The text of a string variant without copying; EVariantError for other kinds.
  std::string_view StrView() const;

  /// Element `index` of a one-dimensional array; EVariantError when the
  /// variant is not an array or the index is outside its bounds.
  Variant GetElement(int index) const;
  /// Stores `value` (cast to the array's element type) at `index`.
  void SetElement(int index, const Variant& value);

 private:
  friend struct VariantAccess;
  bool IsShared() const noexcept {
    return !opaque_ && (type_ == varString ? str_ != nullptr : (type_ & varArray) != 0);
  }
  void Reset() noexcept {
    type_ = varEmpty;
    opaque_ = false;
    i64_ = 0;
  }
  void AddRef() const noexcept;
  void Release() noexcept;

  TVarType type_;
  bool opaque_;
  union {
    int16_t i16_;
    int32_t i32_;
    uint8_t u8_;
    int64_t i64_;
    float f32_;
    double f64_;
    bool b_;
    TVarStringData* str_;
    TVarArrayData* arr_;
  };
};

/// The Null variant.
inline const Variant Null{Variant::TNullTag{}};
/// The empty (unassigned) variant.
inline const Variant Unassigned{};

// ---- Type tests ----

/// The type code of `v`.
inline TVarType VarType(const Variant& v) noexcept { return v.Type(); }
inline bool VarIsNull(const Variant& v) noexcept { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) noexcept { return v.IsEmpty(); }
inline bool VarIsArray(const Variant& v) noexcept { return v.IsArray(); }
/// Null or empty: the variant holds no value.
inline bool VarIsClear(const Variant& v) noexcept { return v.IsNull() || v.IsEmpty(); }
/// Integer kinds (smallint, integer, byte, int64).
bool VarIsOrdinal(const Variant& v) noexcept;
/// Single, double and currency.
bool VarIsFloat(const Variant& v) noexcept;
/// Integer and float kinds (not dates or booleans).
bool VarIsNumeric(const Variant& v) noexcept;
bool VarIsStr(const Variant& v) noexcept;

// ---- Casts ----

/// The value of `source` converted to the kind `varType` (one of the codes
/// above, not an array); EVariantError "Invalid variant type conversion"
/// when the value does not convert and "Overflow while converting variant"
/// when it is out of the target's range. Texts convert through the locale
/// settings (decimal separator, date formats); a text converts to a date as
/// a date with an optional time, or as a time alone.
Variant VarAsType(const Variant& source, TVarType varType);
/// Framework form of VarAsType: `dest` := `source` cast to `varType`.
void VarCast(Variant& dest, const Variant& source, TVarType varType);
/// A date variant of `dateTime`.
inline Variant VarFromDateTime(double dateTime) noexcept { return Variant::FromDate(dateTime); }
/// The value cast to a date, as its date-time number.
inline double VarToDateTime(const Variant& v) { return v.AsDate(); }

/// The framework's variant-to-text conversion: Null and empty give "",
/// floats as FloatToStr prints them, currency as CurrToStr, dates through
/// DateTimeToStr, booleans "True"/"False". Arrays and opaque codes raise
/// EVariantError.
std::string VarToStr(const Variant& v);
/// The name of a type code for messages ("Integer", "String", "Array of Variant", ...).
std::string VarTypeAsText(TVarType varType);

// ---- Comparison ----

/// Three-way comparison (-1, 0, 1) by the framework's rules: Null before
/// every other value and equal only to Null; empty after Null and before
/// every value; numbers (integer, float and currency kinds) and dates by
/// value; booleans false before true; texts by the locale's collation
/// (AnsiCompareStr); a text against a number, date or boolean is first cast
/// to that kind; arrays element by element. Equality is by value across
/// kinds: the text "12" equals the integer 12 (compare VarType as well where
/// the kind matters). Incomparable kinds (a boolean and a number, an array
/// and a scalar, an opaque code, a text that does not convert) raise
/// EVariantError "Invalid variant operation".
int VarCompare(const Variant& a, const Variant& b);
/// VarCompare as a relationship (never vrNotEqual: incomparable kinds raise).
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
/// Variant equality: VarCompare is 0 (Null equals Null, never a value).
inline bool VarEquals(const Variant& a, const Variant& b) { return VarCompare(a, b) == 0; }

inline bool operator==(const Variant& a, const Variant& b) { return VarCompare(a, b) == 0; }
inline bool operator!=(const Variant& a, const Variant& b) { return VarCompare(a, b) != 0; }
inline bool operator<(const Variant& a, const Variant& b) { return VarCompare(a, b) < 0; }
inline bool operator<=(const Variant& a, const Variant& b) { return VarCompare(a, b) <= 0; }
inline bool operator>(const Variant& a, const Variant& b) { return VarCompare(a, b) > 0; }
inline bool operator>=(const Variant& a, const Variant& b) { return VarCompare(a, b) >= 0; }

/// Writes a readable form for diagnostics and test output: "Null",
/// "Integer 5", "String \"abc\"", "Array of Variant [1, 2]", "$600F".
std::ostream& operator<<(std::ostream& out, const Variant& v);

// ---- Arrays ----

/// A new array: `bounds` holds (low, high) pairs, one per dimension;
/// elements of `elementType` (varVariant for any kind) start empty, zero,
/// false or "". EVariantError "Error creating variant array" for an odd or
/// empty bounds list, a high bound below its low bound less one, or an
/// element type that cannot be held.
Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType);
Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elementType);
/// A one-dimensional array of variants with bounds 0..n-1 holding `values`.
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(const std::vector<Variant>& values);
/// Number of dimensions; EVariantError "Variant is not an array" for other kinds.
int VarArrayDimCount(const Variant& a);
/// Low bound of dimension `dim` (1-based); EVariantError
/// "Variant array index out of bounds" for a dimension that does not exist.
int VarArrayLowBound(const Variant& a, int dim = 1);
/// High bound of dimension `dim` (1-based).
int VarArrayHighBound(const Variant& a, int dim = 1);
/// The element at `indices` (one per dimension).
Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices);
/// Stores `value`, cast to the element type, at `indices`.
void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices);
/// Changes the high bound of the last dimension, keeping the elements that remain.
void VarArrayRedim(Variant& a, int highBound);

}  // namespace tabulon
