// The filer's items: exact byte encodings, what each read accepts, and
// malformed input.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/core/exceptions.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

std::string Hex(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

template <class F>
std::string Written(F&& f) {
  TStringStream s;
  {
    TWriter w(&s, 16);  // a tiny buffer exercises the flushing
    f(w);
    w.FlushBuffer();
  }
  return s.DataString();
}

TEST(Filer, ItemsHaveTheClassicEncoding) {
  struct Case {
    std::function<void(TWriter&)> write;
    std::string hex;
  };
  const Case cases[] = {
      {[](TWriter& w) { w.WriteInteger(0); }, "02 00"},
      {[](TWriter& w) { w.WriteInteger(127); }, "02 7F"},
      {[](TWriter& w) { w.WriteInteger(-128); }, "02 80"},
      {[](TWriter& w) { w.WriteInteger(128); }, "03 80 00"},
      {[](TWriter& w) { w.WriteInteger(-129); }, "03 7F FF"},
      {[](TWriter& w) { w.WriteInteger(32768); }, "04 00 80 00 00"},
      {[](TWriter& w) { w.WriteInteger(-2147483648LL); }, "04 00 00 00 80"},
      {[](TWriter& w) { w.WriteInteger(2147483648LL); }, "13 00 00 00 80 00 00 00 00"},
      {[](TWriter& w) { w.WriteFloat(1.0L); }, "05 00 00 00 00 00 00 00 80 FF 3F"},
      {[](TWriter& w) { w.WriteSingle(1.0f); }, "0F 00 00 80 3F"},
      {[](TWriter& w) { w.WriteCurrency(Currency::FromRaw(12345)); }, "10 39 30 00 00 00 00 00 00"},
      {[](TWriter& w) { w.WriteDate(2.0); }, "11 00 00 00 00 00 00 00 40"},
      {[](TWriter& w) { w.WriteString("ab"); }, "06 02 61 62"},
      {[](TWriter& w) { w.WriteString(std::string(256, 'x').substr(0, 0)); }, "06 00"},
      {[](TWriter& w) { w.WriteString("\xC3\xA4"); }, "14 02 00 00 00 C3 A4"},
      {[](TWriter& w) { w.WriteBoolean(true); }, "09"},
      {[](TWriter& w) { w.WriteBoolean(false); }, "08"},
      {[](TWriter& w) { w.WriteIdent("alTop"); }, "07 05 61 6C 54 6F 70"},
      {[](TWriter& w) { w.WriteIdent("nil"); }, "0D"},
      {[](TWriter& w) { w.WriteIdent("NULL"); }, "00"},
      {[](TWriter& w) { w.WriteBinary("\x01\x02"); }, "0A 02 00 00 00 01 02"},
      {[](TWriter& w) {
         w.WriteListBegin();
         w.WriteListEnd();
       },
       "01 00"},
      {[](TWriter& w) {
         w.WritePrefix({ffInherited, ffChildPos}, 3);
       },
       "F3 02 03"},
      {[](TWriter& w) { w.WriteSignature(); }, "54 50 46 30"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(Written(c.write)), c.hex);
  // Long strings take a four-byte length.
  std::string longText = Written([](TWriter& w) { w.WriteString(std::string(300, 'x')); });
  EXPECT_EQ(Hex(longText.substr(0, 5)), "0C 2C 01 00 00");
  EXPECT_EQ(longText.size(), 305u);
}

TEST(Filer, ReadsAcceptEveryEncodingOfTheirKindAndPeekWithoutConsuming) {
  std::string data = Written([](TWriter& w) {
    w.WriteListBegin();
    for (int64_t v : {5LL, -300LL, 70000LL, -5000000000LL}) w.WriteInteger(v);
    w.WriteFloat(0.1L);
    w.WriteInteger(7);    // read as a float
    w.WriteSingle(2.5f);  // read as a float
    w.WriteCurrency(Currency::FromRaw(25000));
    w.WriteString(std::string(300, 'y'));
    w.WriteUTF8Str("\xE2\x82\xAC");
    w.WriteIdent("True");
    w.WriteIdent("clRed");
    w.WriteChar('Q');
    w.WriteListEnd();
  });
  TStringStream s(data);
  TReader r(&s, 16);
  r.ReadListBegin();
  EXPECT_EQ(r.NextValue(), vaInt8);
  EXPECT_EQ(r.NextValue(), vaInt8);  // peeking twice consumes nothing
  EXPECT_EQ(r.ReadInteger(), 5);
  EXPECT_EQ(r.ReadInteger(), -300);
  EXPECT_EQ(r.ReadInteger(), 70000);
  EXPECT_EQ(r.NextValue(), vaInt64);
  EXPECT_EQ(r.ReadInt64(), -5000000000LL);
  EXPECT_EQ(r.NextValue(), vaExtended);
  EXPECT_EQ(r.ReadFloat(), 0.1L);
  EXPECT_EQ(r.ReadFloat(), 7.0L);
  EXPECT_EQ(r.ReadFloat(), 2.5L);
  EXPECT_EQ(r.ReadCurrency().Value, 25000);
  EXPECT_EQ(r.ReadString(), std::string(300, 'y'));
  EXPECT_EQ(r.ReadString(), "\xE2\x82\xAC");
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadIdent(), "clRed");
  EXPECT_EQ(r.ReadChar(), 'Q');
  EXPECT_TRUE(r.EndOfList());
  r.ReadListEnd();
  EXPECT_EQ(r.Position(), static_cast<int64_t>(data.size()));
}

TEST(Filer, UTF16StringsReadAsUTF8) {
  // "Aä€😀" as UTF-16LE with a surrogate pair, and a lone surrogate.
  std::string data(
      "\x12\x06\x00\x00\x00"
      "A\x00\xE4\x00\xAC\x20\x3D\xD8\x00\xDE\x00\xD8",
      17);
  TStringStream s(data);
  TReader r(&s);
  EXPECT_EQ(r.ReadString(), "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

// Strings always read as well-formed UTF-8; a character keeps its byte
// whether it comes as the classic one-byte string or as the text of it.
TEST(Filer, SingleByteStringsReadAsWindows1252) {
  auto read = [](const std::string& bytes, auto&& f) {
    TStringStream s(bytes);
    TReader r(&s);
    return f(r);
  };
  auto readString = [&](const std::string& bytes) {
    return read(bytes, [](TReader& r) { return r.ReadString(); });
  };
  auto readChar = [&](const std::string& bytes) {
    return read(bytes, [](TReader& r) { return r.ReadChar(); });
  };
  EXPECT_EQ(readString(std::string("\x06\x05Gr\xFC\xDF\x80", 7)), "Grüß€");
  EXPECT_EQ(readString(std::string("\x0C\x02\x00\x00\x00\xC3\xA4", 7)), "ä")
      << "a long string that is UTF-8 stays";
  EXPECT_EQ(readString(std::string("\x14\x04\x00\x00\x00"
                                   "a\xE2\x82z",
                                   9)),
            "a\xEF\xBF\xBD\xEF\xBF\xBDz")
      << "each malformed byte becomes U+FFFD";
  for (int b : {0x41, 0x80, 0x9F, 0xA0, 0xE9, 0xFF}) {
    std::string one = Written([&](TWriter& w) { w.WriteChar(static_cast<char>(b)); });
    EXPECT_EQ(static_cast<unsigned char>(readChar(one)), b);
    // The same character as a UTF-8 string, as text form files give it back.
    std::string text = readString(one);
    std::string utf8 = Written([&](TWriter& w) { w.WriteUTF8Str(text); });
    EXPECT_EQ(static_cast<unsigned char>(readChar(utf8)), b) << text;
  }
  EXPECT_THROW(readChar(Written([](TWriter& w) { w.WriteUTF8Str("\xE2\x82\xAC\xE2\x82\xAC"); })),
               EReadError);
}

TEST(Filer, SkipValueLandsWhereReadingWould) {
  std::string data = Written([](TWriter& w) {
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteString("nested");
    w.WriteListBegin();
    w.WriteFloat(2);
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteValue(vaSet);
    w.WriteStr("a");
    w.WriteStr("");
    w.WriteValue(vaCollection);
    w.WriteListBegin();
    w.WriteStr("Caption");
    w.WriteString("x");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteBinary(std::string(40, 'b'));
    w.WriteInteger(99);
  });
  TStringStream s(data);
  TReader r(&s, 16);
  for (int i = 0; i < 4; ++i) r.SkipValue();
  EXPECT_EQ(r.ReadInteger(), 99);
}

// The "Values" block of a fields panel: list begin, an extended version
// marker, entries, list end; the reader tells the marker from the first
// entry of the older layout by its tag.
TEST(Filer, ValuesBlockVersionMarkerIsToldApartByNextValue) {
  auto block = [](bool versioned) {
    return Written([versioned](TWriter& w) {
      w.WriteListBegin();
      if (versioned) w.WriteFloat(0.1L);
      w.WriteString("CITY");
      w.WriteInteger(1);  // data type ordinal
      w.WriteListBegin();
      w.WriteInteger(1);  // slot
      w.WriteFloat(45000.5L);
      w.WriteListEnd();
      w.WriteListEnd();
    });
  };
  EXPECT_EQ(Hex(block(true)).substr(0, 35), "01 05 CD CC CC CC CC CC CC CC FB 3F");
  for (bool versioned : {true, false}) {
    std::string data = block(versioned);
    TStringStream s(data);
    TReader r(&s);
    r.ReadListBegin();
    bool marker = r.NextValue() == vaExtended;
    EXPECT_EQ(marker, versioned);
    if (marker) {
      EXPECT_EQ(r.ReadFloat(), 0.1L);
    }
    EXPECT_EQ(r.ReadString(), "CITY");
    EXPECT_EQ(r.ReadInteger(), 1);
    r.ReadListBegin();
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.NextValue(), vaExtended);
    EXPECT_EQ(r.ReadFloat(), 45000.5L);
    r.ReadListEnd();
    r.ReadListEnd();
  }
}

TEST(Filer, MalformedItemsRaiseReadErrors) {
  struct Case {
    std::string data;
    std::function<void(TReader&)> read;
    std::string message;
  };
  const Case cases[] = {
      {"\x06\x05"
       "ab",
       [](TReader& r) { r.ReadString(); }, "Stream read error"},  // truncated
      {std::string("\x0C\xFF\xFF\xFF\x7F", 5), [](TReader& r) { r.ReadString(); },
       "Stream read error"},  // absurd length, refused before allocating
      {std::string("\x12\xFF\xFF\xFF\x7F", 5), [](TReader& r) { r.ReadString(); },
       "Stream read error"},
      {std::string("\x0A\x10\x00\x00\x00", 5), [](TReader& r) { r.ReadBinary(); },
       "Stream read error"},
      {"\x06\x01x", [](TReader& r) { r.ReadInteger(); }, "Invalid property value"},
      {"\x02\x01", [](TReader& r) { r.ReadString(); }, "Invalid property value"},
      {"\x15", [](TReader& r) { r.NextValue(); }, "Invalid property value"},  // unknown tag
      {"\xFF", [](TReader& r) { r.SkipValue(); }, "Invalid property value"},
      {std::string("\x13\x00\x00\x00\x00\x01\x00\x00\x00", 9), [](TReader& r) { r.ReadInteger(); },
       "Invalid property value"},  // does not fit 32 bits
      {"", [](TReader& r) { r.NextValue(); }, "Stream read error"},
      {"\x04\x01", [](TReader& r) { r.ReadInteger(); }, "Stream read error"},
      {"\x0D", [](TReader& r) { r.ReadBoolean(); }, "Invalid property value"},
      {"TPF1", [](TReader& r) { r.ReadSignature(); }, "Invalid stream format"},
      {"TP", [](TReader& r) { r.ReadSignature(); }, "Invalid stream format"},
      {std::string(300, '\x01'), [](TReader& r) { r.SkipValue(); }, "Form data nested too deeply"},
  };
  for (const Case& c : cases) {
    TStringStream s(c.data);
    TReader r(&s);
    ExpectThrow<EReadError>([&] { c.read(r); }, c.message);
  }
  // ReadIdent gives True back as a name, though ReadBoolean would not take an identifier.
  TStringStream s(std::string("\x07\x04True", 6));
  TReader r(&s);
  ExpectThrow<EReadError>([&] { r.ReadBoolean(); }, "Invalid property value");
}

TEST(Filer, ReaderGivesBackWhatItReadAhead) {
  TStringStream s(Written([](TWriter& w) {
    w.WriteInteger(1);
    w.WriteInteger(2);
  }));
  {
    TReader r(&s, 4096);
    EXPECT_EQ(r.ReadInteger(), 1);
  }
  EXPECT_EQ(s.GetPosition(), 2);  // the stream continues after the first item
  TReader r(&s);
  EXPECT_EQ(r.ReadInteger(), 2);
}

TEST(Filer, WriterRefusesWhatTheEncodingCannotHold) {
  TStringStream s;
  TWriter w(&s);
  ExpectThrow<EWriteError>([&] { w.WriteStr(std::string(256, 'n')); }, "Stream write error");
  ExpectThrow<EWriteError>([&] { w.WriteIdent(std::string(256, 'n')); }, "Stream write error");
}

}  // namespace
}  // namespace tabulon
