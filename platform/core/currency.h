// Currency: a fixed-point amount held as a 64-bit integer scaled by 10,000,
// so that four decimal places are exact.
#pragma once

#include <compare>
#include <cstdint>

namespace tabulon {

/// A currency amount; `Value` is the amount times 10,000.
struct Currency {
  static constexpr int64_t kScale = 10000;
  int64_t Value = 0;  // amount * 10,000

  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t raw) {
    Currency c;
    c.Value = raw;
    return c;
  }
  /// The amount as a double (exact for amounts below about 9e11).
  constexpr double ToDouble() const { return static_cast<double>(Value) / kScale; }
  constexpr auto operator<=>(const Currency&) const = default;
};

}  // namespace tabulon
