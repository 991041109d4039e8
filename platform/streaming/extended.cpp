// Portable conversion between long double and the 10-byte extended format.
#include "platform/streaming/extended.h"

#include <cmath>

namespace tabulon {

namespace {
constexpr int kBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
}  // namespace

void ExtendedToBytes(long double value, uint8_t out[kExtendedSize]) {
  bool negative = std::signbit(value);
  uint64_t mantissa = 0;
  int exponent = 0;
  if (std::isnan(value)) {
    exponent = 0x7FFF;
    mantissa = kIntegerBit | (kIntegerBit >> 1);  // quiet NaN
  } else if (std::isinf(value)) {
    exponent = 0x7FFF;
    mantissa = kIntegerBit;
  } else if (value != 0) {
    long double a = std::fabs(value);
    int e = 0;
    long double m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    exponent = e - 1 + kBias;
    if (exponent >= 0x7FFF) {  // beyond the format (hosts with a wider long double)
      exponent = 0x7FFF;
      mantissa = kIntegerBit;
    } else if (exponent <= 0) {  // denormal: value = mantissa * 2^(1 - bias - 63)
      long double scaled = std::nearbyint(std::ldexp(a, kBias - 1 + 63));
      mantissa = static_cast<uint64_t>(scaled);
      exponent = mantissa & kIntegerBit ? 1 : 0;
    } else {
      long double scaled = std::nearbyint(std::ldexp(m, 64));
      if (scaled >= std::ldexp(1.0L, 64)) {  // rounding carried into a new bit
        mantissa = kIntegerBit;
        ++exponent;
      } else {
        mantissa = static_cast<uint64_t>(scaled);
      }
      if (exponent >= 0x7FFF) mantissa = kIntegerBit;
    }
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  uint16_t se = static_cast<uint16_t>(exponent | (negative ? 0x8000 : 0));
  out[8] = static_cast<uint8_t>(se & 0xFF);
  out[9] = static_cast<uint8_t>(se >> 8);
}

long double BytesToExtended(const uint8_t in[kExtendedSize]) {
  uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= static_cast<uint64_t>(in[i]) << (8 * i);
  uint16_t se = static_cast<uint16_t>(in[8] | (in[9] << 8));
  bool negative = (se & 0x8000) != 0;
  int exponent = se & 0x7FFF;
  long double value;
  if (exponent == 0x7FFF) {
    value = (mantissa << 1) == 0 ? HUGE_VALL : NAN;
  } else if (mantissa == 0) {
    value = 0;
  } else {
    // Exponent field 0 (denormal) scales like field 1 without the integer bit.
    value =
        std::ldexp(static_cast<long double>(mantissa), (exponent == 0 ? 1 : exponent) - kBias - 63);
  }
  return negative ? -value : value;
}

}  // namespace tabulon
