// Trimming, ordinal comparison and code-point helpers; Unicode case mapping
// through ICU's UTF-8 case mapper (one shared instance, root rules).
#include "platform/sysutils/strutils.h"

#include <unicode/ucasemap.h>
#include <unicode/uchar.h>

#include <cstdio>
#include <memory>

#include "platform/core/exceptions.h"
#include "platform/sysutils/locale_compare.h"

namespace tabulon {

namespace {

inline bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

inline unsigned char AsciiUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
inline unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// ICU's case mapper for the root locale; created once, never freed, so that
// calls during process shutdown stay valid.
UCaseMap* CaseMap() {
  static UCaseMap* map = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCaseMap* m = ucasemap_open("", 0, &status);
    return U_SUCCESS(status) ? m : nullptr;
  }();
  return map;
}

using CaseFn = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

std::string MapCase(std::string_view s, CaseFn fn) {
  if (s.empty()) return {};
  UCaseMap* map = CaseMap();
  if (!map) throw EConvertError("Unicode case mapping is not available");
  if (s.size() > static_cast<size_t>(INT32_MAX / 3)) throw EConvertError("Text too long");
  std::string out(s.size() + s.size() / 2 + 8, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = fn(map, out.data(), static_cast<int32_t>(out.size()), s.data(),
                   static_cast<int32_t>(s.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.assign(static_cast<size_t>(n), '\0');
      continue;
    }
    if (U_FAILURE(status)) throw EConvertError("Unicode case mapping failed");
    out.resize(static_cast<size_t>(n));
    return out;
  }
  throw EConvertError("Unicode case mapping failed");
}

}  // namespace

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlankOrControl(s[b])) ++b;
  while (e > b && IsBlankOrControl(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsBlankOrControl(s[b])) ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && IsBlankOrControl(s[e - 1])) --e;
  return std::string(s.substr(0, e));
}

int CompareStr(std::string_view a, std::string_view b) noexcept {
  int c = a.compare(b);  // char_traits<char>::compare orders as unsigned bytes
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareText(std::string_view a, std::string_view b) noexcept {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char ca = AsciiUpper(static_cast<unsigned char>(a[i]));
    unsigned char cb = AsciiUpper(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool SameText(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(AsciiUpper(static_cast<unsigned char>(c)));
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
  return r;
}

bool IsCharAlpha(char32_t c) noexcept {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  return u_isalpha(static_cast<UChar32>(c)) != 0;
}

bool IsCharAlphaNumeric(char32_t c) noexcept { return (c >= '0' && c <= '9') || IsCharAlpha(c); }

std::string AnsiUpperCase(std::string_view s) { return MapCase(s, &ucasemap_utf8ToUpper); }

std::string AnsiLowerCase(std::string_view s) { return MapCase(s, &ucasemap_utf8ToLower); }

int AnsiCompareStr(std::string_view a, std::string_view b) {
  int r = CompareLocale(LOCALE_USER_DEFAULT, a, b, false);
  return r == -2 ? CompareStr(a, b) : r;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  int r = CompareLocale(LOCALE_USER_DEFAULT, a, b, true);
  return r == -2 ? CompareText(a, b) : r;
}

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

bool AnsiSameStr(std::string_view a, std::string_view b) { return AnsiCompareStr(a, b) == 0; }

std::string_view Utf8Left(std::string_view s, size_t count) noexcept {
  return s.substr(0, Utf8Offset(s, count));
}

std::string_view Utf8Copy(std::string_view s, size_t index, size_t count) noexcept {
  size_t b = Utf8Offset(s, index);
  std::string_view rest = s.substr(b);
  return rest.substr(0, Utf8Offset(rest, count));
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(value));
  std::string r(buf);
  if (digits > 0 && r.size() < static_cast<size_t>(digits) && digits <= 32)
    r.insert(0, static_cast<size_t>(digits) - r.size(), '0');
  return r;
}

std::string QuotedStr(std::string_view s) {
  std::string r;
  r.reserve(s.size() + 2);
  r += '\'';
  for (char c : s) {
    r += c;
    if (c == '\'') r += '\'';
  }
  r += '\'';
  return r;
}

}  // namespace tabulon
