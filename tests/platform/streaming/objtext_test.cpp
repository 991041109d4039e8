// The text form syntax: exact round trips through the binary form, the
// tokenizer's values, and the errors of malformed text and binary data.
#include <gtest/gtest.h>

#include <limits>

#include "platform/streaming/parser.h"
#include "tests/platform/streaming/stream_helpers.h"

namespace tabulon::test {
namespace {

// Every construct of the syntax, as ObjectBinaryToText writes it.
const char* const kAllConstructs = R"(inherited Main: TMainForm
  Name = 'x'
  Negative = -129
  Wide = 2147483648
  Tiny = -1.5e-300
  Float = 0.1
  Whole = 3.0
  Single = 0.3s
  Money = -12.3456c
  Cents = 7c
  When = 45000.25d
  Flags = []
  Set = [a, b]
  Empty = ''
  Quote = ''''
  Controls = #0#9'tab'#127
  Text = 'Grüße €'
  Long =
    '0123456789012345678901234567890123456789012345678901234567890123' +
    '456789'
  Truth = True
  Lie = False
  Nothing = nil
  NoValue = Null
  Ref = Other.Button1
  List = ()
  Nested = (
    1
    (
      'a'
      [x])
    <>)
  Coll = <>
  Items = <
    item
      Sub = <
        item
          Deep = 1
        end>
    end
    item
    end>
  Bytes = {}
  Blob = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    FF}
  object Child: TChild [2]
    inline Frame: TFrame1
    end
  end
  object TAnonymous
  end
end
)";

TEST(TextForms, TextToBinaryToTextIsExact) {
  std::string binary = TextToBinary(kAllConstructs);
  EXPECT_EQ(BinaryToText(binary), kAllConstructs);
  // And binary to text to binary gives the same bytes for what the writer produces.
  EXPECT_EQ(TextToBinary(BinaryToText(binary)), binary);
}

TEST(TextForms, HandWrittenTextIsNormalised) {
  std::string text =
      "\xEF\xBB\xBF  OBJECT A : T\r\n  Hex = $FF\n  Neg = -$10\n  S = 'a' + 'b'#65\n"
      "  C = 1.23456c\n  E = 1e3\n  P = [ x ,y ]\n  B = { 0a 0B\n 0c }\n END";
  EXPECT_EQ(BinaryToText(TextToBinary(text)),
            "object A: T\n  Hex = 255\n  Neg = -16\n  S = 'abA'\n  C = 1.2346c\n"
            "  E = 1000.0\n  P = [x, y]\n  B = {\n    0A0B0C}\nend\n");
}

TEST(TextForms, TokenizerValues) {
  TParser p(
      std::string("Ident_1 'it''s'#$41#228 $7fffffffffffffff -9223372036854775808 "
                  "2.5e1 0.1s 3d 12.5c := #128512"));
  EXPECT_EQ(p.Token(), toSymbol);
  EXPECT_EQ(p.TokenString(), "Ident_1");
  EXPECT_EQ(p.NextToken(), toString);
  EXPECT_EQ(p.TokenString(), "it'sAä");
  EXPECT_EQ(p.NextToken(), toInteger);
  EXPECT_EQ(p.TokenInt(), INT64_MAX);
  p.NextToken();
  EXPECT_EQ(p.TokenInt(), INT64_MIN);
  EXPECT_EQ(p.NextToken(), toFloat);
  EXPECT_EQ(p.TokenFloat(), 25.0L);
  EXPECT_EQ(p.FloatType(), 0);
  p.NextToken();
  EXPECT_EQ(p.FloatType(), 's');
  EXPECT_EQ(p.TokenSingle(), 0.1f);
  p.NextToken();
  EXPECT_EQ(p.FloatType(), 'd');
  EXPECT_EQ(p.TokenDate(), 3.0);
  p.NextToken();
  EXPECT_EQ(p.TokenCurrency().Value, 125000);
  EXPECT_EQ(p.NextToken(), ':');
  EXPECT_EQ(p.NextToken(), '=');
  EXPECT_EQ(p.NextToken(), toString);
  EXPECT_EQ(p.TokenString(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(p.NextToken(), toEOF);
  EXPECT_EQ(p.NextToken(), toEOF);
}

TEST(TextForms, MalformedTextReportsTheLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"objekt X: T\nend", "object, inherited or inline expected on line 1"},
      {"object X: T\n  Caption = 'abc\nend", "Unterminated string on line 2"},
      {"object X: T\n  A = 1x\nend", "Invalid numeric value on line 2"},
      {"object X: T\n  A 1\nend", "'=' expected on line 2"},
      {"object X: T\n  A = {0G}\nend", "Invalid binary value on line 2"},
      {"object X: T\n  A = {\n00\n0}\nend", "Invalid binary value on line 4"},
      {"object X: T\n  A = {00", "'}' expected on line 2"},
      {"object X: T\n  A = ;\nend", "Property value expected on line 2"},
      {"object X: T\n  A = 1\n", "Identifier expected on line 3"},
      {"object X: T\n  A = 99999999999999999999\nend", "Invalid numeric value on line 2"},
      {"object X: T\n  A = $10000000000000000\nend", "Invalid numeric value on line 2"},
      {"object X: T\n  A = 1e99999c\nend", "Invalid numeric value on line 2"},
      {"object X: T\n  A = #55296\nend", "Invalid string constant on line 2"},
      {"object X: T\n  A = #\nend", "Invalid string constant on line 2"},
      {"object X: T\n  A = [a b]\nend", "',' expected on line 2"},
      {"object X: T\n  A = 'x' +\nend", "String expected on line 3"},
      {"object X: T\n  A = (1\n", "')' expected on line 3"},
      {"object X: T\n  A = <\n  thing\n  end>\nend", "'item' expected on line 3"},
      {"object X: T\n  A = \x01\nend", "Invalid character in input on line 2"},
      {"object X: T [x]\nend", "Number expected on line 1"},
      {"object X: T\n  A." + std::string(300, 'n') + " = 1\nend", "Identifier too long on line 2"},
      {"", "object, inherited or inline expected on line 1"},
  };
  for (const auto& c : cases) ExpectThrow<EParserError>([&] { TextToBinary(c.first); }, c.second);
}

TEST(TextForms, MalformedBinaryRaisesReadErrors) {
  std::string good = TextToBinary("object X: T\n  A = 0.5\n  B = 'text'\nend\n");
  // Every truncation of a good stream fails cleanly.
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_THROW(BinaryToText(good.substr(0, n)), EReadError) << n;
  }
  std::string badTag = good;
  badTag[badTag.find('A') + 1] = 0x42;
  ExpectThrow<EReadError>([&] { BinaryToText(badTag); }, "Invalid property value");
  std::string nan = TextToBinary("object X: T\n  A = 0.5\nend\n");
  size_t at = nan.find('A') + 2;  // the extended value's bytes
  for (int i = 0; i < 10; ++i) nan[at + static_cast<size_t>(i)] = '\xFF';
  ExpectThrow<EReadError>([&] { BinaryToText(nan); },
                          "Floating point value cannot be written as text");
}

// A binary object `X: T` with one property written by `value`, as another
// tool or a damaged file may hold it.
template <class F>
std::string OneProperty(const std::string& name, F&& value, const std::string& className = "T",
                        const std::string& componentName = "X") {
  TStringStream s;
  {
    TWriter w(&s);
    w.WriteSignature();
    w.WriteStr(className);
    w.WriteStr(componentName);
    w.WriteStr(name);
    value(w);
    w.WriteListEnd();
    w.WriteListEnd();
    w.FlushBuffer();
  }
  return s.DataString();
}

// Whatever binary the converter turns into text, that text reads back to a
// binary that gives the same text, and to the very same bytes when the
// binary was in the writer's own encoding.
TEST(TextForms, TextTheConverterWritesReadsBack) {
  auto roundTrip = [](const std::string& binary) {
    std::string text = BinaryToText(binary);
    std::string again = TextToBinary(text);
    EXPECT_EQ(BinaryToText(again), text);
    return std::make_pair(text, again);
  };
  using L = std::numeric_limits<long double>;
  for (long double v :
       {L::denorm_min(), -L::denorm_min() * 12345, L::min() / 3, L::max(), L::lowest(), -0.0L}) {
    std::string binary = OneProperty("A", [&](TWriter& w) { w.WriteFloat(v); });
    EXPECT_EQ(roundTrip(binary).second, binary) << roundTrip(binary).first;
  }
  EXPECT_EQ(roundTrip(OneProperty("A", [](TWriter& w) { w.WriteFloat(L::denorm_min()); })).first,
            "object X: T\n  A = 4e-4951\nend\n");
  std::string single =
      OneProperty("A", [](TWriter& w) { w.WriteSingle(std::numeric_limits<float>::denorm_min()); });
  EXPECT_EQ(roundTrip(single).second, single);
  std::string date =
      OneProperty("A", [](TWriter& w) { w.WriteDate(std::numeric_limits<double>::denorm_min()); });
  EXPECT_EQ(roundTrip(date).second, date);
  // Collection items keep their order numbers.
  std::string ordered = OneProperty("Items", [](TWriter& w) {
    w.WriteValue(vaCollection);
    w.WriteInteger(300);
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
  });
  EXPECT_EQ(roundTrip(ordered),
            std::make_pair(std::string("object X: T\n  Items = <\n    item [300]\n    end\n"
                                       "    item\n    end>\nend\n"),
                           ordered));
  // Single-byte strings of the classic encoding that are not UTF-8 are
  // Windows-1252; malformed UTF-8 items keep what is readable.
  auto stringItem = [](TValueType type, std::string bytes) {
    return OneProperty("S", [&](TWriter& w) {
      w.WriteValue(type);
      if (type == vaString)
        w.WriteStr(bytes);
      else {
        uint32_t n = static_cast<uint32_t>(bytes.size());
        w.Write(&n, 4);
        w.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
      }
    });
  };
  EXPECT_EQ(roundTrip(stringItem(vaString,
                                 "Gr\xFC\xDF"
                                 "e \x80\x9F"))
                .first,
            "object X: T\n  S = 'Grüße €Ÿ'\nend\n");
  EXPECT_EQ(roundTrip(stringItem(vaLString, "caf\xE9")).first, "object X: T\n  S = 'café'\nend\n");
  EXPECT_EQ(roundTrip(stringItem(vaString, "Grüße")).first, "object X: T\n  S = 'Grüße'\nend\n")
      << "UTF-8 in a short string stays";
  EXPECT_EQ(roundTrip(stringItem(vaUTF8String, "a\xFF\xC3")).first,
            "object X: T\n  S = 'a\xEF\xBF\xBD\xEF\xBF\xBD'\nend\n");
}

// Names are written as they are, so a name the text cannot hold is damaged
// data, refused with the name shown in the text syntax.
TEST(TextForms, NamesTheTextCannotHoldAreRefused) {
  auto integer = [](TWriter& w) { w.WriteInteger(1); };
  const std::pair<std::string, std::string> cases[] = {
      {OneProperty("A", integer, "T",
                   "A\x01"
                   "B"),
       "Invalid component name 'A'#1'B'"},
      {OneProperty("A", integer, "T", "1X"), "Invalid component name '1X'"},
      {OneProperty("A", integer, ""), "Invalid class name ''"},
      {OneProperty("A", integer, "T\xC3\xA4"), "Invalid class name 'T\xC3\xA4'"},
      {OneProperty("end", integer), "Invalid property name 'end'"},
      {OneProperty("Object", integer), "Invalid property name 'Object'"},
      {OneProperty("END.Name", integer), "Invalid property name 'END.Name'"},
      {OneProperty("Font..Name", integer), "Invalid property name 'Font..Name'"},
      {OneProperty("A\xFF", integer), "Invalid property name 'A'#255"},
      {OneProperty("A", [](TWriter& w) { w.WriteIdent("1x"); }), "Invalid identifier name '1x'"},
      {OneProperty("A",
                   [](TWriter& w) {
                     w.WriteValue(vaSet);
                     w.WriteStr("a b");
                     w.WriteStr("");
                   }),
       "Invalid set member name 'a b'"},
  };
  for (const auto& c : cases) ExpectThrow<EReadError>([&] { BinaryToText(c.first); }, c.second);
  // Dotted names and words that only matter elsewhere are fine.
  std::string fine = OneProperty(
      "Font.Name", [](TWriter& w) { w.WriteIdent("Form2.end"); }, "T", "end");
  EXPECT_EQ(BinaryToText(fine), "object end: T\n  Font.Name = Form2.end\nend\n");
  EXPECT_EQ(TextToBinary(BinaryToText(fine)), fine);
}

TEST(TextForms, InvalidUtf8IsRefusedWithLineAndColumn) {
  const std::pair<std::string, std::string> cases[] = {
      {"object X: T\n  A = 'ab\xFF\xFE'\nend", "Invalid UTF-8 in column 10 on line 2"},
      {"object X: T\n  A = '\xC3\xA4\xE2\x82\xAC\xC0\xAF'\nend",
       "Invalid UTF-8 in column 10 on line 2"},
      {"object X: T\n  A = '\xED\xA0\x80'\nend", "Invalid UTF-8 in column 8 on line 2"},
      {"object X: T\n  A = '\xF4\x90\x80\x80'\nend", "Invalid UTF-8 in column 8 on line 2"},
      {"object X: T\n  A = 1\nend\xE2\x82", "Invalid UTF-8 in column 4 on line 3"},
      {"\xEF\xBB\xBF\xFF", "Invalid UTF-8 in column 1 on line 1"},
  };
  for (const auto& c : cases) ExpectThrow<EParserError>([&] { TextToBinary(c.first); }, c.second);
  // A character beyond the basic plane written as its two UTF-16 halves.
  EXPECT_EQ(BinaryToText(TextToBinary("object X: T\n  A = #55357#56832'!'#$D83D#$DE00\nend")),
            "object X: T\n  A = '\xF0\x9F\x98\x80!\xF0\x9F\x98\x80'\nend\n");
  for (const char* lone : {"#55357", "#55357'x'", "#55357#65", "#56832", "#56832#55357"})
    ExpectThrow<EParserError>(
        [&] { TextToBinary(std::string("object X: T\n  A = ") + lone + "\nend"); },
        "Invalid string constant on line 2");
}

TEST(TextForms, FormatIsDetectedFromTheContent) {
  auto format = [](const std::string& data) {
    TStringStream s(data);
    s.SetPosition(0);
    TStreamOriginalFormat f = TestStreamFormat(&s);
    EXPECT_EQ(s.GetPosition(), 0);
    return f;
  };
  EXPECT_EQ(format("TPF0\x05X"), sofBinary);
  EXPECT_EQ(format("\xEF\xBB\xBF\r\n  object A: T\nend"), sofText);
  EXPECT_EQ(format("Inherited A: T"), sofText);
  EXPECT_EQ(format("objects"), sofUnknown);
  EXPECT_EQ(format(""), sofUnknown);
}

}  // namespace
}  // namespace tabulon::test
