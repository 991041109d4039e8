// String lists: sorting, duplicates, text forms and change events.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

std::vector<std::string> Items(const TStrings& s) {
  std::vector<std::string> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.Get(i));
  return v;
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList s;
  s.SetSorted(true);
  for (const char* t : {"pear", "Apple", "fig", "apple"}) s.Add(t);
  EXPECT_EQ(Items(s),
            (std::vector<std::string>{"Apple", "fig", "pear"}));  // dupIgnore, case-insensitive
  s.SetDuplicates(dupError);
  EXPECT_THROW(s.Add("FIG"), EStringListError);
  s.SetDuplicates(dupAccept);
  s.Add("FIG");
  EXPECT_EQ(s.Count(), 4);
  EXPECT_THROW(s.Insert(0, "x"), EStringListError);
  int index;
  EXPECT_FALSE(s.Find("grape", index));
  EXPECT_EQ(index, 3);
  s.SetCaseSensitive(true);
  EXPECT_EQ(s.IndexOf("apple"), -1);
  EXPECT_EQ(s.IndexOf("Apple"), 0);
}

TEST(StringList, TextAndCommaText) {
  TStringList s;
  s.SetText("one\r\ntwo\n\nthree");
  EXPECT_EQ(Items(s), (std::vector<std::string>{"one", "two", "", "three"}));
  EXPECT_EQ(s.GetText(), "one\ntwo\n\nthree\n");
  s.SetCommaText(R"(a, "b c",,"say ""hi""" ,d)");
  EXPECT_EQ(Items(s), (std::vector<std::string>{"a", "b c", "", "say \"hi\"", "d"}));
  EXPECT_EQ(s.GetCommaText(), R"(a,"b c",,"say ""hi""",d)");
  s.Clear();
  s.Add("");
  EXPECT_EQ(s.GetCommaText(), "\"\"");
  s.SetCommaText("");
  EXPECT_EQ(s.Count(), 0);
}

TEST(StringList, NamesValuesAndObjects) {
  TStringList s;
  s.SetValues("City", "Berlin");
  s.SetValues("Zip", "10115");
  EXPECT_EQ(s.GetValues("city"), "Berlin");
  EXPECT_EQ(s.GetNames(1), "Zip");
  s.SetValues("City", "");
  EXPECT_EQ(s.Count(), 1);
  TStringList tag;
  s.AddObject("obj", &tag);
  EXPECT_EQ(s.GetObjects(1), &tag);
  EXPECT_EQ(s.IndexOfObject(&tag), 1);
  ExpectThrow<EStringListError>([&] { s.Get(5); }, "List index out of bounds (5)");
}

TEST(StringList, ChangeEventsCollapseInsideAnUpdate) {
  TStringList s;
  int changes = 0, changings = 0;
  s.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  s.OnChanging = TNotifyEvent([&](TObject*) { ++changings; });
  s.Add("a");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changings, 1);
  s.BeginUpdate();
  s.Add("b");
  s.Add("c");
  s.Delete(0);
  s.EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changings, 2);
  TStringList copy;
  copy.Assign(&s);
  EXPECT_TRUE(copy.Equals(&s));
}

}  // namespace
}  // namespace tabulon
