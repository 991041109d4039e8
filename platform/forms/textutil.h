// Code point helpers for the text controls: encoding one character and
// cutting UTF-8 text at code point positions.
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
