// The edit-mask language: parsing, accepting characters and the text forms
// of a masked edit.
#include "platform/forms/mask.h"

#include <algorithm>

#include "platform/core/format_settings.h"
#include "platform/forms/textutil.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {
namespace {

// `c` in upper or lower case when it maps to exactly one code point.
char32_t ConvertCase(char32_t c, TMaskCase cs) {
  if (cs == mcaNone) return c;
  if (c < 0x80) {
    if (cs == mcaUpper && c >= 'a' && c <= 'z') return c - 32;
    if (cs == mcaLower && c >= 'A' && c <= 'Z') return c + 32;
    return c;
  }
  std::string one = forms_detail::EncodeUtf8(c);
  std::u32string mapped =
      forms_detail::DecodeUtf8(cs == mcaUpper ? AnsiUpperCase(one) : AnsiLowerCase(one));
  return mapped.size() == 1 ? mapped[0] : c;
}

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

}  // namespace

TMaskInfo ParseEditMask(std::string_view mask) {
  std::u32string m = forms_detail::DecodeUtf8(mask);
  const TFormatSettings& fs = FormatSettings();
  TMaskInfo info;
  TMaskCase cs = mcaNone;
  auto literal = [&](char32_t c) { info.Positions.push_back(TMaskPos{c, 0, mcaNone}); };
  size_t i = 0, n = m.size();
  for (; i < n && m[i] != ';'; ++i) {
    char32_t c = m[i];
    switch (c) {
      case '\\':
        if (i + 1 < n) literal(m[++i]);  // a '\' that ends the mask is ignored
        break;
      case '>':
        cs = mcaUpper;
        break;
      case '<':
        if (i + 1 < n && m[i + 1] == '>') {
          cs = mcaNone;
          ++i;
        } else {
          cs = mcaLower;
        }
        break;
      case '!':
        info.Reverse = true;
        break;
      case 'L':
      case 'l':
      case 'A':
      case 'a':
      case 'C':
      case 'c':
      case '0':
      case '9':
      case '#':
        info.Positions.push_back(TMaskPos{0, static_cast<char>(c), cs});
        break;
      case ':':
        literal(static_cast<unsigned char>(fs.TimeSeparator));
        break;
      case '/':
        literal(static_cast<unsigned char>(fs.DateSeparator));
        break;
      default:
        literal(c);
        break;
    }
  }
  if (i < n) {
    // The save section runs to the next ';'; the blank section follows it.
    size_t s = ++i;
    while (i < n && m[i] != ';') ++i;
    if (i > s && m[s] == '0') info.SaveLiterals = false;
    if (i + 1 < n) info.Blank = m[i + 1];
  }
  return info;
}

bool MaskGetMaskSave(std::string_view mask) { return ParseEditMask(mask).SaveLiterals; }
char32_t MaskGetMaskBlank(std::string_view mask) { return ParseEditMask(mask).Blank; }

int TMaskInfo::NextEditable(int pos) const {
  for (int i = std::max(pos, 0); i < Size(); ++i)
    if (IsEditable(i)) return i;
  return -1;
}

int TMaskInfo::PrevEditable(int pos) const {
  for (int i = std::min(pos, Size()) - 1; i >= 0; --i)
    if (IsEditable(i)) return i;
  return -1;
}

char32_t TMaskInfo::Accept(int pos, char32_t c) const {
  if (!IsEditable(pos) || c < 32 || c == 127) return 0;
  const TMaskPos& p = Positions[static_cast<size_t>(pos)];
  bool ok = false;
  switch (p.Kind) {
    case 'L':
    case 'l':
      ok = IsCharAlpha(c);
      break;
    case 'A':
    case 'a':
      ok = IsCharAlphaNumeric(c);
      break;
    case 'C':
    case 'c':
      return ConvertCase(c, p.Case);  // any character, a space too
    case '0':
    case '9':
      ok = IsDigit(c);
      break;
    case '#':
      ok = IsDigit(c) || c == '+' || c == '-';
      break;
    default:
      break;
  }
  if (!ok && c == ' ' && !p.IsRequired()) return Blank;  // an optional position may stay empty
  return ok ? ConvertCase(c, p.Case) : 0;
}

namespace {
// Meets the value's characters with the positions, left to right or right
// to left with '!'. With `withLiterals`, a value character equal to the
// literal of a literal position is that literal; otherwise the value has
// no literals. Spaces and missing characters become `blank`.
std::u32string Place(const TMaskInfo& m, std::u32string_view value, char32_t blank,
                     bool withLiterals) {
  const size_t n = m.Positions.size();
  std::u32string out(n, blank);
  size_t used = 0;
  for (size_t k = 0; k < n; ++k) {
    size_t i = m.Reverse ? n - 1 - k : k;
    bool more = used < value.size();
    char32_t c = more ? value[m.Reverse ? value.size() - 1 - used : used] : 0;
    const TMaskPos& p = m.Positions[i];
    if (p.IsLiteral()) {
      out[i] = p.Literal;
      if (!withLiterals || !more || c != p.Literal) continue;  // no literal in the value here
    } else if (more) {
      out[i] = c == ' ' ? blank : c;
    }
    if (more) ++used;
  }
  return out;
}
}  // namespace

std::u32string TMaskInfo::Format(std::u32string_view value, char32_t blank) const {
  return Place(*this, value, blank, false);
}

std::u32string TMaskInfo::PadLiterals(std::u32string_view value, char32_t blank) const {
  return Place(*this, value, blank, true);
}

std::u32string TMaskInfo::RemoveFormat(std::u32string_view editText) const {
  std::u32string out;
  for (size_t i = 0; i < Positions.size() && i < editText.size(); ++i)
    if (!Positions[i].IsLiteral()) out += editText[i];
  if (Reverse) {
    size_t k = 0;
    while (k < out.size() && out[k] == Blank) ++k;
    out.erase(0, k);
  } else {
    while (!out.empty() && out.back() == Blank) out.pop_back();
  }
  for (char32_t& c : out)
    if (c == Blank) c = ' ';
  return out;
}

std::u32string TMaskInfo::TextOf(std::u32string_view editText) const {
  std::u32string value = RemoveFormat(editText);
  return SaveLiterals ? Format(value, ' ') : value;
}

std::u32string TMaskInfo::EditTextOf(std::u32string_view text) const {
  return SaveLiterals ? PadLiterals(text, Blank) : Format(text, Blank);
}

int TMaskInfo::FirstInvalid(std::u32string_view editText) const {
  for (size_t i = 0; i < Positions.size(); ++i) {
    const TMaskPos& p = Positions[i];
    if (!p.IsRequired()) continue;
    char32_t c = i < editText.size() ? editText[i] : Blank;
    if (c == Blank || (c == ' ' && p.Kind != 'C')) return static_cast<int>(i);
  }
  return -1;
}

std::string FormatMaskText(std::string_view mask, std::string_view value) {
  TMaskInfo info = ParseEditMask(mask);
  if (info.Empty()) return std::string(value);
  std::u32string v = forms_detail::DecodeUtf8(value);
  return forms_detail::EncodeUtf8(info.SaveLiterals ? info.PadLiterals(v, ' ')
                                                    : info.Format(v, ' '));
}

}  // namespace tabulon
