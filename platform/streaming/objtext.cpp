// Text form files to binary component streams and back.
#include "platform/streaming/objtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/parser.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"

namespace tabulon {

// --- text to binary -------------------------------------------------------------------

namespace {

class TTextToBinary {
 public:
  TTextToBinary(TStream* input, TStream* output, TTextLineMap* lines)
      : parser_(input), writer_(output, 4096), lines_(lines) {}

  void Run() {
    writer_.WriteSignature();
    ConvertObject(0);
    writer_.FlushBuffer();
  }

 private:
  void Mark() {
    if (lines_) lines_->emplace_back(writer_.Position(), parser_.SourceLine());
  }
  void Enter(int depth) {
    if (depth >= kMaxFilerDepth) parser_.Error(ResStr("SNestingTooDeep"));
  }
  std::string Identifier() {
    parser_.CheckToken(toSymbol);
    std::string s = parser_.TokenString();
    parser_.NextToken();
    return s;
  }
  // Dotted names: Font.Name, Form2.Button1.
  std::string DottedName() {
    std::string name = Identifier();
    while (parser_.Token() == '.') {
      parser_.NextToken();
      name += "." + Identifier();
    }
    if (name.size() > 255) parser_.Error(ResStr("SIdentTooLong"));
    return name;
  }
  bool AtObject() const {
    return parser_.TokenSymbolIs("object") || parser_.TokenSymbolIs("inherited") ||
           parser_.TokenSymbolIs("inline");
  }

  void ConvertObject(int depth) {
    Enter(depth);
    Mark();
    TFilerFlags flags;
    if (parser_.TokenSymbolIs("inherited"))
      flags.Include(ffInherited);
    else if (parser_.TokenSymbolIs("inline"))
      flags.Include(ffInline);
    else if (!parser_.TokenSymbolIs("object"))
      parser_.Error(ResStr("SObjectExpected"));
    parser_.NextToken();
    std::string name;
    std::string className = Identifier();
    if (parser_.Token() == ':') {
      parser_.NextToken();
      name = std::move(className);
      className = Identifier();
    }
    if (name.size() > 255 || className.size() > 255) parser_.Error(ResStr("SIdentTooLong"));
    int childPos = 0;
    if (parser_.Token() == '[') {
      parser_.NextToken();
      parser_.CheckToken(toInteger);
      int64_t pos = parser_.TokenInt();
      if (pos < INT32_MIN || pos > INT32_MAX) parser_.Error(ResStr("SInvalidNumber"));
      childPos = static_cast<int>(pos);
      flags.Include(ffChildPos);
      parser_.NextToken();
      parser_.CheckToken(']');
      parser_.NextToken();
    }
    writer_.WritePrefix(flags, childPos);
    writer_.WriteStr(className);
    writer_.WriteStr(name);
    while (!parser_.TokenSymbolIs("end") && !AtObject()) ConvertProperty(0);
    writer_.WriteListEnd();
    while (!parser_.TokenSymbolIs("end")) ConvertObject(depth + 1);
    writer_.WriteListEnd();
    parser_.NextToken();
  }

  // Values nest up to kMaxFilerDepth within each property, counted as the
  // binary converter counts them, so that every text it writes reads back.
  void ConvertProperty(int depth) {
    Mark();
    std::string name = DottedName();
    writer_.WriteStr(name);
    parser_.CheckToken('=');
    parser_.NextToken();
    ConvertValue(depth);
  }

  void ConvertValue(int depth) {
    Enter(depth);
    switch (parser_.Token()) {
      case toString: {
        std::string s = parser_.TokenString();
        parser_.NextToken();
        while (parser_.Token() == '+') {
          parser_.NextToken();
          parser_.CheckToken(toString);
          s += parser_.TokenString();
          parser_.NextToken();
        }
        writer_.WriteString(s);
        return;
      }
      case toInteger:
        writer_.WriteInteger(parser_.TokenInt());
        parser_.NextToken();
        return;
      case toFloat:
        switch (parser_.FloatType()) {
          case 's':
            writer_.WriteSingle(parser_.TokenSingle());
            break;
          case 'c':
            writer_.WriteCurrency(parser_.TokenCurrency());
            break;
          case 'd':
            writer_.WriteDate(parser_.TokenDate());
            break;
          default:
            writer_.WriteFloat(parser_.TokenFloat());
        }
        parser_.NextToken();
        return;
      case toSymbol:
        writer_.WriteIdent(DottedName());
        return;
      case '[':
        parser_.NextToken();
        writer_.WriteValue(vaSet);
        if (parser_.Token() != ']') {
          for (;;) {
            std::string member = Identifier();
            if (member.size() > 255) parser_.Error(ResStr("SIdentTooLong"));
            writer_.WriteStr(member);
            if (parser_.Token() == ']') break;
            parser_.CheckToken(',');
            parser_.NextToken();
          }
        }
        writer_.WriteStr("");
        parser_.NextToken();
        return;
      case '(':
        parser_.NextToken();
        writer_.WriteListBegin();
        while (parser_.Token() != ')') {
          if (parser_.Token() == toEOF) parser_.CheckToken(')');
          ConvertValue(depth + 1);
        }
        writer_.WriteListEnd();
        parser_.NextToken();
        return;
      case '{':
        writer_.WriteBinary(parser_.HexToBinary());
        parser_.NextToken();
        return;
      case '<':
        parser_.NextToken();
        writer_.WriteValue(vaCollection);
        while (parser_.Token() != '>') {
          parser_.CheckTokenSymbol("item");
          parser_.NextToken();
          if (parser_.Token() == '[') {  // the item's order: item [3]
            parser_.NextToken();
            parser_.CheckToken(toInteger);
            int64_t order = parser_.TokenInt();
            if (order < INT32_MIN || order > INT32_MAX) parser_.Error(ResStr("SInvalidNumber"));
            writer_.WriteInteger(order);
            parser_.NextToken();
            parser_.CheckToken(']');
            parser_.NextToken();
          }
          writer_.WriteListBegin();
          while (!parser_.TokenSymbolIs("end")) ConvertProperty(depth + 1);
          writer_.WriteListEnd();
          parser_.NextToken();
        }
        writer_.WriteListEnd();
        parser_.NextToken();
        return;
      default:
        parser_.Error(ResStr("SValueExpected"));
    }
  }

  TParser parser_;
  TWriter writer_;
  TTextLineMap* lines_;
};

}  // namespace

void ObjectTextToBinary(TStream* input, TStream* output, TTextLineMap* lines) {
  TTextToBinary(input, output, lines).Run();
}

// --- binary to text -------------------------------------------------------------------

namespace {

// One piece of a string in the text syntax: 'quoted' runs and #nnn codes
// for control characters. Strings read from a stream are well-formed UTF-8;
// a stray byte (only in a damaged name quoted in a message) shows as #nnn.
std::string QuotePiece(std::string_view s) {
  std::string out;
  bool open = false;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = Utf8SequenceLength(s, i);
    if (c < 32 || c == 127 || len == 0) {
      if (open) out += '\'';
      open = false;
      out += '#' + std::to_string(c);
      ++i;
    } else {
      if (!open) out += '\'';
      open = true;
      if (c == '\'') out += '\'';
      out.append(s, i, len);
      i += len;
    }
  }
  if (open) out += '\'';
  if (out.empty()) out = "''";
  return out;
}

// Whether `name` reads back as the text syntax's identifier, or as a
// dotted name (Font.Name) when `dotted`.
bool IsTextName(std::string_view name, bool dotted) {
  if (!dotted) return IsValidIdent(name);
  for (size_t start = 0;;) {
    size_t dot = name.find('.', start);
    if (!IsValidIdent(name.substr(start, dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

// Whether a (dotted) property name begins with a word that begins or ends
// an object where a property name may stand.
bool StartsWithObjectKeyword(std::string_view name) {
  std::string_view first = name.substr(0, name.find('.'));
  return SameText(first, "object") || SameText(first, "inherited") || SameText(first, "inline") ||
         SameText(first, "end");
}

class TBinaryToText {
 public:
  TBinaryToText(TStream* input, TStream* output) : reader_(input, 4096), output_(output) {}

  void Run() {
    reader_.ReadSignature();
    ConvertObject(0);
    output_->WriteBuffer(text_.data(), static_cast<int64_t>(text_.size()));
  }

  /// Where the object or property being converted began; -1 before the root.
  int64_t ItemStart() const { return itemStart_; }

 private:
  void Indent(int level) { text_.append(static_cast<size_t>(level) * 2, ' '); }

  // Names go into the text as they are, so only names that read back as
  // the same name are written; anything else is damaged data.
  static const std::string& CheckName(const std::string& name, const char* kind, bool dotted) {
    if (!IsTextName(name, dotted) ||
        (std::strcmp(kind, "property") == 0 && StartsWithObjectKeyword(name)))
      throw EReadError(Format(ResStr("SInvalidStreamName"), {kind, QuotePiece(name)}));
    return name;
  }

  void ConvertObject(int level) {
    if (level >= kMaxFilerDepth) throw EReadError(ResStr("SNestingTooDeep"));
    int64_t outer = itemStart_;
    itemStart_ = reader_.Position();
    TFilerFlags flags;
    int childPos;
    reader_.ReadPrefix(flags, childPos);
    std::string className = CheckName(reader_.ReadStr(), "class", false);
    std::string name = reader_.ReadStr();
    if (!name.empty()) CheckName(name, "component", false);
    Indent(level);
    text_ += flags.Contains(ffInherited) ? "inherited "
             : flags.Contains(ffInline)  ? "inline "
                                         : "object ";
    if (!name.empty()) text_ += name + ": ";
    text_ += className;
    if (flags.Contains(ffChildPos)) text_ += " [" + std::to_string(childPos) + "]";
    text_ += '\n';
    while (!reader_.EndOfList()) ConvertProperty(level + 1);
    reader_.ReadListEnd();
    while (!reader_.EndOfList()) ConvertObject(level + 1);
    reader_.ReadListEnd();
    Indent(level);
    text_ += "end\n";
    itemStart_ = outer;
  }

  // One property (of an object or a collection item) at `level`.
  void ConvertProperty(int level, int depth = 0) {
    int64_t outer = itemStart_;
    itemStart_ = reader_.Position();
    Indent(level);
    text_ += CheckName(reader_.ReadStr(), "property", true);
    text_ += " =";
    ConvertValue(level, depth);
    text_ += '\n';
    itemStart_ = outer;
  }

  void WriteString(const std::string& s, int level) {
    // Long strings go on lines of their own, 64 characters a piece.
    std::vector<std::string> pieces;
    size_t i = 0;
    while (i < s.size()) {
      size_t start = i;
      for (int n = 0; n < 64 && i < s.size(); ++n) {
        size_t len = Utf8SequenceLength(s, i);
        i += len ? len : 1;
      }
      pieces.push_back(QuotePiece(std::string_view(s).substr(start, i - start)));
    }
    if (pieces.size() <= 1) {
      text_ += ' ';
      text_ += pieces.empty() ? "''" : pieces[0];
      return;
    }
    for (size_t k = 0; k < pieces.size(); ++k) {
      text_ += '\n';
      Indent(level + 1);
      text_ += pieces[k];
      if (k + 1 < pieces.size()) text_ += " +";
    }
  }

  template <class F>
  static std::string Shortest(F value) {
    if (!std::isfinite(value)) throw EReadError(ResStr("SFloatNotRepresentable"));
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".eE") == std::string::npos) s += ".0";
    return s;
  }

  static std::string CurrencyText(Currency c) {
    uint64_t v = c.Value < 0 ? 0 - static_cast<uint64_t>(c.Value) : static_cast<uint64_t>(c.Value);
    std::string s = (c.Value < 0 ? "-" : "") + std::to_string(v / 10000);
    uint64_t frac = v % 10000;
    if (frac) {
      std::string f = std::to_string(frac + 10000).substr(1);
      while (!f.empty() && f.back() == '0') f.pop_back();
      s += "." + f;
    }
    return s;
  }

  void ConvertValue(int level, int depth) {
    if (depth >= kMaxFilerDepth) throw EReadError(ResStr("SNestingTooDeep"));
    switch (reader_.NextValue()) {
      case vaList:
        reader_.ReadValue();
        text_ += " (";
        while (!reader_.EndOfList()) {
          text_ += '\n';
          Indent(level + 1);
          size_t mark = text_.size();
          ConvertValue(level + 1, depth + 1);
          // Items stand on their own lines; drop the blank that a value begins with.
          if (mark < text_.size() && text_[mark] == ' ') text_.erase(mark, 1);
        }
        reader_.ReadListEnd();
        text_ += ')';
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        text_ += ' ' + std::to_string(reader_.ReadInt64());
        break;
      case vaExtended:
        text_ += ' ' + Shortest(reader_.ReadFloat());
        break;
      case vaSingle:
        text_ += ' ' + Shortest(reader_.ReadSingle()) + 's';
        break;
      case vaCurrency:
        text_ += ' ' + CurrencyText(reader_.ReadCurrency()) + 'c';
        break;
      case vaDate:
        text_ += ' ' + Shortest(reader_.ReadDate()) + 'd';
        break;
      case vaString:
      case vaLString:
      case vaWString:
      case vaUTF8String:
        WriteString(reader_.ReadString(), level);
        break;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        text_ += ' ' + CheckName(reader_.ReadIdent(), "identifier", true);
        break;
      case vaBinary: {
        std::string bytes = reader_.ReadBinary();
        static const char kHex[] = "0123456789ABCDEF";
        text_ += " {";
        for (size_t i = 0; i < bytes.size(); ++i) {
          if (i % 32 == 0) {
            text_ += '\n';
            Indent(level + 1);
          }
          unsigned char b = static_cast<unsigned char>(bytes[i]);
          text_ += kHex[b >> 4];
          text_ += kHex[b & 15];
        }
        text_ += '}';
        break;
      }
      case vaSet: {
        std::vector<std::string> names = reader_.ReadSetNames();
        text_ += " [";
        for (size_t i = 0; i < names.size(); ++i)
          text_ += (i ? ", " : "") + CheckName(names[i], "set member", false);
        text_ += ']';
        break;
      }
      case vaCollection:
        reader_.ReadValue();
        text_ += " <";
        while (!reader_.EndOfList()) {
          TValueType t = reader_.NextValue();
          text_ += '\n';
          Indent(level + 1);
          text_ += "item";
          if (t == vaInt8 || t == vaInt16 || t == vaInt32)
            text_ += " [" + std::to_string(reader_.ReadInteger()) + "]";
          text_ += '\n';
          reader_.ReadListBegin();
          while (!reader_.EndOfList()) {
            if (depth + 1 >= kMaxFilerDepth) throw EReadError(ResStr("SNestingTooDeep"));
            ConvertProperty(level + 2, depth + 1);
          }
          reader_.ReadListEnd();
          Indent(level + 1);
          text_ += "end";
        }
        reader_.ReadListEnd();
        text_ += '>';
        break;
      default:
        throw EReadError(ResStr("SInvalidPropertyValue"));
    }
  }

  TReader reader_;
  TStream* output_;
  std::string text_;
  int64_t itemStart_ = -1;
};

}  // namespace

void ObjectBinaryToText(TStream* input, TStream* output, int64_t* errorPosition) {
  TBinaryToText converter(input, output);
  try {
    converter.Run();
  } catch (...) {
    if (errorPosition) *errorPosition = converter.ItemStart();
    throw;
  }
}

TStreamOriginalFormat TestStreamFormat(TStream* stream) {
  int64_t pos = stream->GetPosition();
  char head[64] = {};
  int64_t n = stream->Read(head, sizeof head);
  stream->SetPosition(pos);
  std::string_view s(head, static_cast<size_t>(n > 0 ? n : 0));
  if (s.size() >= 4 && std::memcmp(s.data(), kFilerSignature, 4) == 0) return sofBinary;
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  while (!s.empty() && (s[0] == ' ' || s[0] == '\t' || s[0] == '\r' || s[0] == '\n'))
    s.remove_prefix(1);
  for (std::string_view word : {"object", "inherited", "inline"}) {
    if (s.size() > word.size() && SameText(s.substr(0, word.size()), word) &&
        (s[word.size()] == ' ' || s[word.size()] == '\t'))
      return sofText;
  }
  return sofUnknown;
}

int LineOfPosition(const TTextLineMap& lines, int64_t position) {
  int line = 0;
  for (const auto& [pos, l] : lines) {
    if (pos > position) break;
    line = l;
  }
  return line;
}

}  // namespace tabulon
