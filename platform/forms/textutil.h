// Code point helpers for the text controls: encoding and decoding
// characters and cutting UTF-8 text at code point positions.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/format.h"

namespace tabulon::forms_detail {

/// `c` as UTF-8 (an invalid code point becomes U+FFFD).
inline std::string EncodeUtf8(char32_t c) {
  std::string s;
  AppendUtf8(s, static_cast<uint32_t>(c));
  return s;
}

/// The code points of UTF-8 text `s` (a truncated sequence at the end
/// yields what its bytes hold).
inline std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
    for (int k = 1; k < n && i + static_cast<size_t>(k) < s.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
    out += c;
    i += static_cast<size_t>(n);
  }
  return out;
}

/// Code points as UTF-8.
inline std::string EncodeUtf8(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) AppendUtf8(out, static_cast<uint32_t>(c));
  return out;
}

/// Code points [start, start+count) of `s` (clamped).
inline std::string SubstrCP(std::string_view s, size_t start, size_t count) {
  size_t b = Utf8Offset(s, start);
  size_t e = Utf8Offset(s, start + count);
  if (b > s.size()) b = s.size();
  if (e > s.size()) e = s.size();
  return std::string(s.substr(b, e - b));
}

/// The first `n` code points of `s`.
inline std::string LeftCP(std::string_view s, size_t n) {
  size_t e = Utf8Offset(s, n);
  return std::string(s.substr(0, e > s.size() ? s.size() : e));
}

}  // namespace tabulon::forms_detail
