// The text form syntax: exact round trips through the binary form, the
// tokenizer's values, and the errors of malformed text and binary data.
#include <gtest/gtest.h>

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
  EXPECT_EQ(p.TokenString(),
            "it's"
            "A\xC3\xA4");
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
  for (const auto& c : cases) ExpectError<EParserError>([&] { TextToBinary(c.first); }, c.second);
}

TEST(TextForms, MalformedBinaryRaisesReadErrors) {
  std::string good = TextToBinary("object X: T\n  A = 0.5\n  B = 'text'\nend\n");
  // Every truncation of a good stream fails cleanly.
  for (size_t n = 0; n < good.size(); ++n) {
    EXPECT_THROW(BinaryToText(good.substr(0, n)), EReadError) << n;
  }
  std::string badTag = good;
  badTag[badTag.find('A') + 1] = 0x42;
  ExpectError<EReadError>([&] { BinaryToText(badTag); }, "Invalid property value");
  std::string nan = TextToBinary("object X: T\n  A = 0.5\nend\n");
  size_t at = nan.find('A') + 2;  // the extended value's bytes
  for (int i = 0; i < 10; ++i) nan[at + static_cast<size_t>(i)] = '\xFF';
  ExpectError<EReadError>([&] { BinaryToText(nan); },
                          "Floating point value cannot be written as text");
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
