// TQXKey: one value of a finder's key list. It accepts exactly the kinds a
// key may be given as: integers, booleans, characters, floating-point
// numbers, texts, currency, variants, a field (whose value is taken when the
// search runs), an object or pointer that is null. Wide characters, wide
// texts and class references do not compile; a pointer that is not null and
// an object that is not a field are refused when the key is converted.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/core/currency.h"
#include "platform/variants/variant.h"

namespace tabulon {

class TClass;
class TObject;

namespace detail {
template <class T>
inline constexpr bool kIsCharacter =
    std::is_same_v<T, char> || std::is_same_v<T, signed char> || std::is_same_v<T, unsigned char> ||
    std::is_same_v<T, wchar_t> || std::is_same_v<T, char8_t> || std::is_same_v<T, char16_t> ||
    std::is_same_v<T, char32_t>;
}  // namespace detail

/// A key value of a finder search, converted to a variant when the search runs.
class TQXKey {
 public:
  /// What the value was given as.
  enum TKind {
    kkInteger,
    kkBoolean,
    kkCharacter,
    kkFloat,
    kkString,
    kkCurrency,
    kkVariant,
    kkPointer,     // an untyped pointer: null leaves the element unassigned
    kkObject,      // an object: null gives Null, a field its value
    kkOutOfRange,  // an unsigned integer beyond what a variant holds: refused
  };

  template <std::integral T>
  requires(!std::is_same_v<T, bool> && !detail::kIsCharacter<T>) TQXKey(T v) : kind_(kkInteger) {
    if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(int64_t)) {
      if (v > static_cast<T>(INT64_MAX)) {
        kind_ = kkOutOfRange;
        return;
      }
    }
    const auto wide = static_cast<int64_t>(v);
    if (wide >= INT32_MIN && wide <= INT32_MAX)
      value_ = static_cast<int32_t>(wide);
    else
      value_ = wide;
  }
  TQXKey(bool v) : kind_(kkBoolean), value_(v) {}
  TQXKey(char v) : kind_(kkCharacter), value_(std::string_view(&v, 1)) {}
  template <std::floating_point T>
  TQXKey(T v) : kind_(kkFloat), value_(static_cast<double>(v)) {}
  TQXKey(const char* v) : kind_(kkString), value_(v) {}
  TQXKey(const char8_t* v)
      : kind_(kkString), value_(v ? reinterpret_cast<const char*>(v) : nullptr) {}
  TQXKey(std::string_view v) : kind_(kkString), value_(v) {}
  TQXKey(const std::string& v) : kind_(kkString), value_(v) {}
  TQXKey(Currency v) : kind_(kkCurrency), value_(v) {}
  TQXKey(const Variant& v) : kind_(kkVariant), value_(v) {}
  /// A null object: the element is Null.
  TQXKey(std::nullptr_t) : kind_(kkObject) {}
  /// An object: a field gives its value when the search runs, null gives
  /// Null, any other object is refused.
  template <class T>
  requires std::derived_from<T, TObject> TQXKey(T* object) : kind_(kkObject), object_(object) {}
  /// An untyped pointer: null leaves the element unassigned, any other is refused.
  TQXKey(const void* pointer) : kind_(kkPointer), pointer_(pointer) {}

  // Kinds a key cannot be given as.
  TQXKey(wchar_t) = delete;
  TQXKey(char8_t) = delete;
  TQXKey(char16_t) = delete;
  TQXKey(char32_t) = delete;
  TQXKey(signed char) = delete;
  TQXKey(unsigned char) = delete;
  TQXKey(const wchar_t*) = delete;
  TQXKey(const char16_t*) = delete;
  TQXKey(const char32_t*) = delete;
  TQXKey(const TClass*) = delete;

  TKind Kind() const { return kind_; }
  /// The variant the key stands for; EDatabaseError (SFieldValueError) for
  /// a pointer that is not null or an object that is not a field.
  Variant ToVariant() const;

 private:
  TKind kind_;
  Variant value_;
  const TObject* object_ = nullptr;
  const void* pointer_ = nullptr;
};

/// The search key of a key list: Null for an empty list, otherwise a
/// variant array (bounds 0 to count - 1) of the converted keys. Every key is
/// converted before any search starts, so a refused key moves nothing.
Variant QXKeysToVariant(std::initializer_list<TQXKey> keys);

}  // namespace tabulon
