// Text routines: trimming, ordinal comparison against a naive oracle, ICU
// case mapping and collation, collation by locale id and the string list
// comparison installed at load.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/core/strings.h"
#include "platform/sysutils/sysutils.h"

namespace tabulon {
namespace {

TEST(Trim, RemovesControlCharactersAndSpacesOnly) {
  EXPECT_EQ(Trim("\t  a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("\x01 a "), "a ");
  EXPECT_EQ(TrimRight(" a \x1f"), " a");
  EXPECT_EQ(Trim(" \xC3\xA4 "), "\xC3\xA4") << "UTF-8 bytes are not blanks";
  EXPECT_EQ(Trim("\x7f"), "\x7f");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimRight(std::string_view("a\0\0", 3)), "a");
}

TEST(OrdinalCompare, AgreesWithNaiveOracle) {
  std::mt19937 rng(1);
  const std::string alphabet = "aAbBzZ[`{\xC3\xA4\xFF";
  auto gen = [&] {
    std::string s;
    int n = static_cast<int>(rng() % 4);
    for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  auto upper = [](std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
  };
  auto bytes = [](const std::string& s) { return std::vector<unsigned char>(s.begin(), s.end()); };
  for (int i = 0; i < 20000; ++i) {
    std::string a = gen(), b = gen();
    int str = bytes(a) < bytes(b) ? -1 : bytes(b) < bytes(a) ? 1 : 0;
    int text = bytes(upper(a)) < bytes(upper(b)) ? -1 : bytes(upper(b)) < bytes(upper(a)) ? 1 : 0;
    ASSERT_EQ(CompareStr(a, b), str) << a << " / " << b;
    ASSERT_EQ(CompareText(a, b), text) << a << " / " << b;
    ASSERT_EQ(SameText(a, b), text == 0);
  }
  EXPECT_EQ(CompareStr("a", "B"), 1) << "every uppercase letter before every lowercase one";
  EXPECT_EQ(CompareText("a", "B"), -1);
  EXPECT_EQ(CompareText("[", "a"), 1) << "letters fold to upper case, so '[' sorts after them";
  EXPECT_EQ(CompareText("\xC3\xA4", "\xC3\x84"), 1) << "only a to z are folded";
}

TEST(LocaleCompare, CollationDiffersFromByteOrder) {
  EXPECT_EQ(AnsiCompareStr("a", "B"), -1);
  EXPECT_EQ(AnsiCompareStr("a", "A"), -1) << "lower case first at tertiary strength";
  EXPECT_EQ(AnsiCompareText("a", "A"), 0);
  EXPECT_EQ(AnsiCompareText("a", "\xC3\xA1"), -1) << "accents still count when ignoring case";
  EXPECT_EQ(AnsiCompareStr("\xC3\xA9", "z"), -1) << "e-acute sorts with e, not after z";
  EXPECT_EQ(CompareStr("\xC3\xA9", "z"), 1);
  EXPECT_EQ(AnsiCompareStr("abc", "abc"), 0);
  EXPECT_EQ(AnsiCompareStr(std::string_view("a\xFF", 2), "a"), 1) << "ill-formed bytes compare";
}

TEST(LocaleCompare, CompareStringAByLocaleId) {
  EXPECT_EQ(CompareStringA(1033, 0, "a", -1, "B", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringA(1033, 0, "b", -1, "B", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringA(1033, NORM_IGNORECASE, "abc", -1, "ABC", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringA(1033, 0, "abc", -1, "ABC", -1), CSTR_LESS_THAN);
  // a-umlaut: with a in German, after z in Swedish.
  EXPECT_EQ(CompareStringA(1031, 0, "\xC3\xA4", -1, "b", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringA(1053, 0, "\xC3\xA4", -1, "z", -1), CSTR_GREATER_THAN);
  // Cyrillic order in Russian.
  EXPECT_EQ(CompareStringA(1049, 0, "\xD0\xB0", -1, "\xD0\xB1", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringA(2057, NORM_IGNORECASE, "Smith", -1, "SMITH", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringA(1024, 0, "a", -1, "B", -1), CSTR_LESS_THAN);
  // Explicit lengths: text after a NUL counts.
  EXPECT_EQ(CompareStringA(1033, 0, "ab\0c", 4, "ab", 2), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringA(1033, 0, "abX", 2, "ab", -1), CSTR_EQUAL);
  // Failures.
  EXPECT_EQ(CompareStringA(12345, 0, "a", -1, "b", -1), 0) << "unknown locale id";
  EXPECT_EQ(CompareStringA(1033, 0x100, "a", -1, "b", -1), 0) << "unsupported flag";
  EXPECT_EQ(CompareStringA(1033, 0, "a", -2, "b", -1), 0);
  EXPECT_EQ(CompareStringA(1033, 0, nullptr, -1, "b", -1), 0);
  EXPECT_EQ(CompareLocale(12345, "a", "b", false), -2);
  EXPECT_EQ(CompareLocale(1033, "b", "a", true), 1);
  EXPECT_TRUE(IsKnownLocaleId(1031));
  EXPECT_EQ(LocaleNameOfId(2057), "en_GB");
  EXPECT_EQ(LocaleNameOfId(1024), "") << "C.UTF-8 selects the root collation";
}

TEST(CaseMapping, UnicodeAndAsciiRoutines) {
  EXPECT_EQ(AnsiUpperCase("straße"), "STRASSE");
  EXPECT_EQ(AnsiLowerCase("\xC3\x84\xC3\x96\xC3\x9C"), "\xC3\xA4\xC3\xB6\xC3\xBC");
  EXPECT_EQ(AnsiUpperCase("\xD0\xB0\xD0\xB1"), "\xD0\x90\xD0\x91");
  EXPECT_EQ(AnsiUpperCase(""), "");
  EXPECT_EQ(UpperCase("a\xC3\xA4z"), "A\xC3\xA4Z");
  EXPECT_EQ(LowerCase("A\xC3\x84Z"), "a\xC3\x84z");
  std::string big(100000, 'x');
  EXPECT_EQ(AnsiUpperCase(big), std::string(100000, 'X'));
  std::string bad = AnsiUpperCase(std::string("a\xFF") + "b");
  EXPECT_EQ(bad.front(), 'A');
  EXPECT_EQ(bad.back(), 'B');
}

TEST(CodePoints, LeftCopyAndHelpers) {
  const std::string s = "äbc€";
  EXPECT_EQ(Utf8Left(s, 2), "äb");
  EXPECT_EQ(Utf8Left(s, 0), "");
  EXPECT_EQ(Utf8Left(s, 99), s);
  EXPECT_EQ(Utf8Copy(s, 3, 1), "€");
  EXPECT_EQ(Utf8Copy(s, 9, 1), "");
  EXPECT_EQ(Utf8Length(s), 4u);
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}

TEST(StringListCompare, SortingAndSearchingUseTheCollation) {
  TStringList list;
  for (const char* s : {"b", "Z", "\xC3\xA4", "a", "B"}) list.Add(s);
  list.SetSorted(true);
  std::vector<std::string> order;
  for (int i = 0; i < list.Count(); ++i) order.push_back(list.Get(i));
  ASSERT_EQ(order.size(), 5u);
  EXPECT_EQ(order[0], "a");
  EXPECT_EQ(order[1], "\xC3\xA4");
  EXPECT_EQ(order[4], "Z");
  EXPECT_EQ(list.IndexOf("\xC3\x84"), 1) << "case-insensitive search finds the lower-case entry";
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("\xC3\x84"), -1);
}

}  // namespace
}  // namespace tabulon
