// The 10-byte x87 extended-precision float of the filer's value encoding,
// converted to and from the host's long double by arithmetic on the sign,
// exponent and 64-bit mantissa, so it reads and writes the same on any host.
#pragma once

#include <cstdint>

namespace tabulon {

/// Size of an encoded extended float.
inline constexpr int kExtendedSize = 10;

/// Encodes `value`: bytes 0-7 the mantissa with its explicit integer bit,
/// bytes 8-9 the biased exponent (bias 16383) with the sign in the top bit,
/// both little-endian. Infinities and NaNs keep their classes.
void ExtendedToBytes(long double value, uint8_t out[kExtendedSize]);
/// Decodes 10 bytes of the format above (denormals, infinities and NaNs
/// included); on hosts with a narrower long double the value is rounded.
long double BytesToExtended(const uint8_t in[kExtendedSize]);

}  // namespace tabulon
