// The text form tokenizer.
#include "platform/streaming/parser.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/streams.h"

namespace tabulon {

TBN_REGISTER(TParser) {}

namespace {
bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
std::string ReadAll(TStream* stream) {
  int64_t size = stream->GetSize() - stream->GetPosition();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) stream->ReadBuffer(text.data(), size);
  return text;
}
}  // namespace

TParser::TParser(TStream* stream) : TParser(ReadAll(stream)) {}

TParser::TParser(std::string text) : text_(std::move(text)) {
  if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;  // byte order mark
  CheckUtf8();
  NextToken();
}

void TParser::CheckUtf8() {
  // Columns count characters, as an editor shows them.
  int line = 1;
  int64_t column = 1;
  for (size_t i = pos_; i < text_.size(); ++column) {
    size_t len = Utf8SequenceLength(text_, i);
    if (len == 0) {
      tokenLine_ = line;
      Error(Format(ResStr("SInvalidUtf8"), {column}));
    }
    if (text_[i] == '\n') {
      ++line;
      column = 0;
    }
    i += len;
  }
}

void TParser::Error(const std::string& message) const {
  throw EParserError(Format(ResStr("SParseError"), {message, tokenLine_}));
}

void TParser::SkipBlanks() {
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\f') {
      break;
    }
    ++pos_;
  }
}

char TParser::NextToken() {
  SkipBlanks();
  tokenLine_ = line_;
  tokenText_.clear();
  floatType_ = 0;
  if (pos_ >= text_.size()) return token_ = toEOF;
  char c = text_[pos_];
  if (IsAlpha(c)) {
    size_t start = pos_;
    while (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
    tokenText_ = text_.substr(start, pos_ - start);
    return token_ = toSymbol;
  }
  if (c == '\'' || c == '#') {
    ReadStringToken();
    return token_ = toString;
  }
  if (IsDigit(c) || c == '$' ||
      (c == '-' && pos_ + 1 < text_.size() &&
       (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$'))) {
    ReadNumberToken();
    return token_;
  }
  if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127)
    Error(ResStr("SInvalidCharacter"));
  ++pos_;
  tokenText_ = std::string(1, c);
  return token_ = c;
}

// One #nnn or #$hh escape (at the '#'), as a code point.
uint32_t TParser::ReadCharCode() {
  ++pos_;
  uint32_t cp = 0;
  size_t digits = 0;
  bool hex = pos_ < text_.size() && text_[pos_] == '$';
  if (hex) ++pos_;
  while (pos_ < text_.size()) {
    int d = hex ? HexValue(text_[pos_]) : (IsDigit(text_[pos_]) ? text_[pos_] - '0' : -1);
    if (d < 0) break;
    cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);
    if (cp > 0x10FFFF) Error(ResStr("SInvalidString"));
    ++pos_;
    ++digits;
  }
  if (digits == 0) Error(ResStr("SInvalidString"));
  return cp;
}

void TParser::ReadStringToken() {
  std::string value;
  for (;;) {
    if (pos_ >= text_.size()) break;
    char c = text_[pos_];
    if (c == '\'') {
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
          Error(ResStr("SUnterminatedString"));
        char d = text_[pos_++];
        if (d == '\'') {
          if (pos_ < text_.size() && text_[pos_] == '\'') {
            value += '\'';
            ++pos_;
            continue;
          }
          break;
        }
        value += d;
      }
    } else if (c == '#') {
      uint32_t cp = ReadCharCode();
      if (cp >= 0xD800 && cp < 0xDC00) {
        // A high surrogate must be followed by the escape of its low half.
        uint32_t low = pos_ < text_.size() && text_[pos_] == '#' ? ReadCharCode() : 0;
        if (low < 0xDC00 || low >= 0xE000) Error(ResStr("SInvalidString"));
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      } else if (cp >= 0xDC00 && cp < 0xE000) {
        Error(ResStr("SInvalidString"));
      }
      AppendUtf8(value, cp);
    } else {
      break;
    }
  }
  tokenText_ = std::move(value);
}

void TParser::ReadNumberToken() {
  size_t start = pos_;
  if (text_[pos_] == '-') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '$') {
    ++pos_;
    while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) ++pos_;
    tokenText_ = text_.substr(start, pos_ - start);
    token_ = toInteger;
    return;
  }
  bool isFloat = false;
  while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
  if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
    isFloat = true;
    ++pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
  }
  if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
    size_t p = pos_ + 1;
    if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
    if (p < text_.size() && IsDigit(text_[p])) {
      isFloat = true;
      pos_ = p;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
  }
  tokenText_ = text_.substr(start, pos_ - start);
  if (pos_ < text_.size()) {
    char s = static_cast<char>(text_[pos_] | 0x20);
    if ((s == 's' || s == 'c' || s == 'd') &&
        !(pos_ + 1 < text_.size() && (IsAlpha(text_[pos_ + 1]) || IsDigit(text_[pos_ + 1])))) {
      floatType_ = s;
      isFloat = true;
      ++pos_;
    }
  }
  if (pos_ < text_.size() && (IsAlpha(text_[pos_]) || IsDigit(text_[pos_])))
    Error(ResStr("SInvalidNumber"));
  token_ = isFloat ? toFloat : toInteger;
}

int64_t TParser::TokenInt() const {
  std::string_view t = tokenText_;
  bool negative = !t.empty() && t[0] == '-';
  if (negative) t.remove_prefix(1);
  uint64_t v = 0;
  std::from_chars_result r{};
  if (!t.empty() && t[0] == '$') {
    t.remove_prefix(1);
    if (t.empty() || t.size() > 16) Error(ResStr("SInvalidNumber"));
    r = std::from_chars(t.data(), t.data() + t.size(), v, 16);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size()) Error(ResStr("SInvalidNumber"));
    return negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
  }
  r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) Error(ResStr("SInvalidNumber"));
  if (negative) {
    if (v > uint64_t{1} << 63) Error(ResStr("SInvalidNumber"));
    return static_cast<int64_t>(0 - v);
  }
  if (v > static_cast<uint64_t>(INT64_MAX)) Error(ResStr("SInvalidNumber"));
  return static_cast<int64_t>(v);
}

long double TParser::TokenFloat() const {
  if (token_ == toInteger) return static_cast<long double>(TokenInt());
  long double v = 0;
  const char* end = tokenText_.data() + tokenText_.size();
  auto r = std::from_chars(tokenText_.data(), end, v);
  if (r.ec == std::errc::result_out_of_range && r.ptr == end) {
    // The extended range goes down into denormals, which from_chars reports
    // as out of range: read those with the C library in the "C" locale and
    // refuse only what overflows or underflows to zero.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    char* stop = nullptr;
    v = strtold_l(tokenText_.c_str(), &stop, cLocale);
    if (stop == end && std::isfinite(v) && v != 0) return v;
  }
  if (r.ec != std::errc() || r.ptr != end) Error(ResStr("SInvalidNumber"));
  return v;
}

float TParser::TokenSingle() const {
  float v = 0;
  auto r = std::from_chars(tokenText_.data(), tokenText_.data() + tokenText_.size(), v);
  if (r.ec != std::errc() || r.ptr != tokenText_.data() + tokenText_.size())
    Error(ResStr("SInvalidNumber"));
  return v;
}

double TParser::TokenDate() const {
  double v = 0;
  auto r = std::from_chars(tokenText_.data(), tokenText_.data() + tokenText_.size(), v);
  if (r.ec != std::errc() || r.ptr != tokenText_.data() + tokenText_.size())
    Error(ResStr("SInvalidNumber"));
  return v;
}

Currency TParser::TokenCurrency() const {
  std::string_view t = tokenText_;
  bool negative = !t.empty() && t[0] == '-';
  if (negative) t.remove_prefix(1);
  size_t dot = t.find('.');
  std::string_view whole = t.substr(0, dot);
  std::string_view frac = dot == std::string_view::npos ? std::string_view() : t.substr(dot + 1);
  Currency c;
  if (t.find_first_of("eE") == std::string_view::npos && frac.size() <= 4) {
    uint64_t w = 0;
    auto r = std::from_chars(whole.data(), whole.data() + whole.size(), w);
    if (r.ec != std::errc() || r.ptr != whole.data() + whole.size() ||
        w > static_cast<uint64_t>(INT64_MAX / 10000))
      Error(ResStr("SInvalidNumber"));
    uint64_t f = 0;
    for (size_t i = 0; i < 4; ++i)
      f = f * 10 + (i < frac.size() ? static_cast<uint64_t>(frac[i] - '0') : 0);
    uint64_t u = w * 10000 + f;
    if (u > (negative ? uint64_t{1} << 63 : static_cast<uint64_t>(INT64_MAX)))
      Error(ResStr("SInvalidNumber"));
    c.Value = negative ? static_cast<int64_t>(0 - u) : static_cast<int64_t>(u);
    return c;
  }
  long double v = std::nearbyint(TokenFloat() * 10000);
  if (!(v >= -9.2233720368547758e18L && v <= 9.2233720368547758e18L))
    Error(ResStr("SInvalidNumber"));
  c.Value = static_cast<int64_t>(v);
  return c;
}

void TParser::CheckToken(char token) const {
  if (token_ == token) return;
  switch (token) {
    case toSymbol:
      Error(ResStr("SIdentifierExpected"));
    case toString:
      Error(ResStr("SStringExpected"));
    case toInteger:
    case toFloat:
      Error(ResStr("SNumberExpected"));
    default:
      Error(Format(ResStr("SCharExpected"), {std::string(1, token)}));
  }
}

void TParser::CheckTokenSymbol(const std::string& symbol) const {
  if (!TokenSymbolIs(symbol)) Error(Format(ResStr("SCharExpected"), {symbol}));
}

bool TParser::TokenSymbolIs(const std::string& symbol) const {
  return token_ == toSymbol && SameText(tokenText_, symbol);
}

std::string TParser::HexToBinary() {
  std::string bytes;
  for (;;) {
    SkipBlanks();
    if (pos_ >= text_.size()) Error(Format(ResStr("SCharExpected"), {std::string("}")}));
    if (text_[pos_] == '}') break;
    int hi = HexValue(text_[pos_]);
    int lo = pos_ + 1 < text_.size() ? HexValue(text_[pos_ + 1]) : -1;
    if (hi < 0 || lo < 0) {
      tokenLine_ = line_;
      Error(ResStr("SInvalidBinary"));
    }
    bytes += static_cast<char>(hi * 16 + lo);
    pos_ += 2;
  }
  tokenLine_ = line_;
  ++pos_;
  token_ = '}';
  tokenText_.assign(1, '}');
  return bytes;
}

}  // namespace tabulon
