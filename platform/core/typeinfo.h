// Type information of published property types: kinds, enumeration and set
// member names, classes of object properties and event signatures.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/core/method.h"
#include "platform/core/set.h"

namespace tabulon {

class TClass;
class Variant;

/// Kinds of published property types.
enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkVariant,
  tkInt64,
};
using TTypeKinds = TSet<TTypeKind>;

/// Kinds accepted by the ordinal accessors.
inline constexpr TTypeKinds tkOrdinal{tkInteger, tkChar, tkEnumeration, tkSet, tkInt64};
/// Every kind.
inline constexpr TTypeKinds tkAny{tkInteger, tkChar,  tkEnumeration, tkFloat,   tkString,
                                  tkSet,     tkClass, tkMethod,      tkVariant, tkInt64};

/// Description of one type used by published properties.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;                           // "Integer", "TAlign", "TNotifyEvent", ...
  std::vector<std::string> Names;             // enumeration members in order
  int64_t MinValue = 0, MaxValue = 0;         // ordinal range
  const TTypeInfo* CompType = nullptr;        // element type of a set
  const TClass* (*ClassType)() = nullptr;     // class of an object property
  const std::type_info* Signature = nullptr;  // signature of an event
  /// Integer types with named constants (colours, cursors): name/value pairs.
  std::vector<std::pair<std::string, int64_t>> Idents;

  /// The member name of an enumeration value ("" when out of range).
  std::string EnumName(int64_t value) const;
  /// The value of an enumeration member name, ignoring case; -1 when unknown.
  int64_t EnumValue(std::string_view name) const;
  /// The identifier of an integer value (colour names and the like), or "".
  std::string IdentOf(int64_t value) const;
  /// The value of an integer identifier; false when unknown.
  bool ValueOfIdent(std::string_view name, int64_t& value) const;
};

/// Builds the type information of an enumeration from its member names.
TTypeInfo MakeEnumInfo(std::string name, std::vector<std::string> names);

template <class T>
struct TypeInfoTraits;  // specialised for enumerations, sets, events and named integer types

namespace detail {
template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
  using Element = E;
};
template <class T>
struct IsEvent : std::false_type {};
template <class... A>
struct IsEvent<TEvent<A...>> : std::true_type {};
template <class T, class = void>
struct HasTraits : std::false_type {};
template <class T>
struct HasTraits<T, std::void_t<decltype(TypeInfoTraits<T>::Get())>> : std::true_type {};
const TTypeInfo* IntegerInfo(std::string_view name, int64_t min, int64_t max, TTypeKind kind);
const TTypeInfo* FloatInfo(std::string_view name);
const TTypeInfo* StringInfo();
const TTypeInfo* VariantInfo();
const TTypeInfo* BooleanInfo();
const TTypeInfo* SetInfo(const TTypeInfo* element);
const TTypeInfo* MethodInfo(const std::type_info& sig);
const TTypeInfo* ClassInfo(const TClass* (*cls)());
}  // namespace detail

/// The type information of a C++ type used by a published property.
template <class T>
const TTypeInfo* TypeInfoOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (detail::HasTraits<U>::value) {
    return TypeInfoTraits<U>::Get();
  } else if constexpr (std::is_same_v<U, bool>) {
    return detail::BooleanInfo();
  } else if constexpr (std::is_same_v<U, char>) {
    return detail::IntegerInfo("Char", 0, 255, tkChar);
  } else if constexpr (std::is_integral_v<U> && sizeof(U) == 8) {
    return detail::IntegerInfo("Int64", INT64_MIN, INT64_MAX, tkInt64);
  } else if constexpr (std::is_integral_v<U>) {
    return detail::IntegerInfo(std::is_signed_v<U> ? "Integer" : "Cardinal",
                               static_cast<int64_t>(std::numeric_limits<U>::min()),
                               static_cast<int64_t>(std::numeric_limits<U>::max()), tkInteger);
  } else if constexpr (std::is_floating_point_v<U>) {
    return detail::FloatInfo(sizeof(U) == 4 ? "Single" : sizeof(U) == 8 ? "Double" : "Extended");
  } else if constexpr (std::is_same_v<U, std::string>) {
    return detail::StringInfo();
  } else if constexpr (std::is_same_v<U, Variant>) {
    return detail::VariantInfo();
  } else if constexpr (detail::IsSet<U>::value) {
    return detail::SetInfo(TypeInfoOf<typename detail::IsSet<U>::Element>());
  } else if constexpr (detail::IsEvent<U>::value) {
    return detail::MethodInfo(U::Signature());
  } else if constexpr (std::is_pointer_v<U>) {
    return detail::ClassInfo(&std::remove_pointer_t<U>::StaticClass);
  } else {
    static_assert(sizeof(U) == 0, "declare the type with TBN_ENUM or TypeInfoTraits");
    return nullptr;
  }
}

}  // namespace tabulon

/// Declares the type information of an enumeration, with its member names in
/// order; use at global scope after the enumeration:
///   TBN_ENUM(tabulon::TAlign, "alNone", "alTop", ...)
#define TBN_ENUM(Type, ...)                                                                \
  template <>                                                                              \
  struct tabulon::TypeInfoTraits<Type> {                                                   \
    static const ::tabulon::TTypeInfo* Get() {                                             \
      static const ::tabulon::TTypeInfo info =                                             \
          ::tabulon::MakeEnumInfo(::tabulon::detail::ShortTypeName(#Type), {__VA_ARGS__}); \
      return &info;                                                                        \
    }                                                                                      \
  }

/// Names an event type for type information: TBN_EVENT_NAME(tabulon::TNotifyEvent).
#define TBN_EVENT_NAME(Type)                                                        \
  template <>                                                                       \
  struct tabulon::TypeInfoTraits<Type> {                                            \
    static const ::tabulon::TTypeInfo* Get() {                                      \
      static const ::tabulon::TTypeInfo info = [] {                                 \
        ::tabulon::TTypeInfo i = *::tabulon::detail::MethodInfo(Type::Signature()); \
        i.Name = ::tabulon::detail::ShortTypeName(#Type);                           \
        return i;                                                                   \
      }();                                                                          \
      return &info;                                                                 \
    }                                                                               \
  }

namespace tabulon::detail {
/// "tabulon::TAlign" -> "TAlign".
std::string ShortTypeName(std::string_view qualified);
}  // namespace tabulon::detail

TBN_EVENT_NAME(tabulon::TNotifyEvent);
