// Internal layout of shared variant payloads (texts and arrays) and the
// helpers the variant sources share. Not part of the public interface.
#pragma once

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "platform/variants/variant.h"

namespace tabulon {

/// A shared, immutable text.
struct TVarStringData {
  std::atomic<int> Refs{1};
  std::string Text;
  explicit TVarStringData(std::string_view t) : Text(t) {}
};

/// A shared array; copied before a change while shared.
struct TVarArrayData {
  std::atomic<int> Refs{1};
  TVarType ElementType = varVariant;
  std::vector<std::pair<int, int>> Bounds;  // (low bound, element count) per dimension
  std::vector<Variant> Items;               // row-major, last dimension fastest
};

/// Access to the private representation for the variant sources.
struct VariantAccess {
  static TVarStringData* Str(const Variant& v) { return v.str_; }
  static TVarArrayData* Arr(const Variant& v) { return v.arr_; }
  static int64_t I64(const Variant& v) { return v.i64_; }
  static int32_t I32(const Variant& v) { return v.i32_; }
  static int16_t I16(const Variant& v) { return v.i16_; }
  static uint8_t U8(const Variant& v) { return v.u8_; }
  static float F32(const Variant& v) { return v.f32_; }
  static double F64(const Variant& v) { return v.f64_; }
  static bool B(const Variant& v) { return v.b_; }
  /// An array variant that takes ownership of `data`.
  static Variant MakeArray(TVarArrayData* data) {
    Variant v;
    v.type_ = static_cast<TVarType>(varArray | data->ElementType);
    v.arr_ = data;
    return v;
  }
  /// Makes the array payload of `v` unshared and returns it.
  static TVarArrayData* MutableArr(Variant& v);
};

[[noreturn]] void VarCastError();
[[noreturn]] void VarOverflowError();
[[noreturn]] void VarInvalidOpError();
[[noreturn]] void VarArrayBoundsError();
[[noreturn]] void VarNotArrayError();

}  // namespace tabulon
