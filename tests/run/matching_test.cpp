// Record matching beyond what the filter panel's differential test draws at
// random: bounds outside the map, empty search texts, string ranges under
// the locale's collation, an internal part meeting a range across the two
// levels, booleans, the last day of a date range and vanished fields.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/db/field_defs.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

using Names = std::vector<std::string>;

class Matching_ : public ::testing::Test {
 protected:
  void SetUp() override {
    const Variant T(true), F(false);
    data.Add("Smith", int32_t(10), Variant::FromDate(D(1990, 1, 1)), T, 1.5);
    data.Add("smith", int32_t(15), Variant::FromDate(D(1990, 12, 31)), F, 2.5);
    data.Add("Asmith", int32_t(20), Variant::FromDate(D(1991, 1, 1)), T, 3.5);
    data.Add("SMITH", int32_t(9), Null, Null, Null);
    data.Add("Bob", int32_t(21), Variant::FromDate(D(1989, 6, 1)), F, 1.5);
    data.Add("D", int32_t(12), Null, T, Null);
    data.Add("Dave", int32_t(123), Null, F, Null);
    data.Add("CZ", int32_t(312), Null, F, Null);
    data.Add("Zed", Null, Null, T, Null);
    data.Add("Two", int32_t(2), Null, T, Null);
    panel = MakePanel(data.Source);
  }
  TFieldRecord* R(const char* field) { return panel->FindField(field); }
  Names Run() { return Matching(*panel, data.DataSet); }

  PeopleData data;
  PanelPtr panel;
};

TEST_F(Matching_, NoValuesMatchEveryRecord) {
  EXPECT_TRUE(panel->GetFields()->GetFieldMap().empty());
  EXPECT_EQ(Run().size(), 10u);
  EXPECT_TRUE(panel->CheckRecord(3, 2));
}

TEST_F(Matching_, BoundsOutsideTheMapRaiseTheListIndexError) {
  R("NAME")->SetAsString(0, "Bob");
  R("AGE")->SetAsInteger(0, 21);
  ASSERT_EQ(panel->GetFields()->GetFieldMap().size(), 2u);
  data.DataSet->Last();
  EXPECT_FALSE(panel->CheckRecord(0, 1));
  for (auto [first, last, bad] : {std::tuple{0, 2, 2}, {-1, 1, -1}, {5, 7, 5}}) {
    const int from = first, to = last;  // a lambda may not capture a structured binding
    EXPECT_EQ(MessageOf<EListError>([&] { panel->CheckRecord(from, to); }),
              "List index out of bounds (" + std::to_string(bad) + ")");
  }
}

TEST_F(Matching_, EmptySearchTextFailsInternalAndMatchesInitial) {
  TFieldRecord* name = R("NAME");
  name->SetCompare(ctInternal);
  name->SetAsVariant(0, Variant(""));
  ASSERT_EQ(panel->GetFields()->GetFieldMap().size(), 1u);
  EXPECT_EQ(Run(), Names{});
  name->SetCompare(ctInitial);
  EXPECT_EQ(Run().size(), 10u);
}

TEST_F(Matching_, StringRangesExactAndInitial) {
  TFieldRecord* name = R("NAME");
  name->SetCompare(ctExact);
  name->SetCount(coTwo);
  name->SetAsString(0, "B");
  name->SetAsString(1, "D");
  EXPECT_EQ(Run(), (Names{"Bob", "D", "CZ"}));
  name->SetCompare(ctInitial);
  EXPECT_EQ(Run(), (Names{"Bob", "D", "Dave", "CZ"}));
}

TEST_F(Matching_, InternalPartMeetingRangeCountsAsInitial) {
  TFieldRecord* name = R("NAME");
  name->SetCount(coTwo);  // own range, then the class's internal part
  panel->GetCompareOptions()->SetCompare(5, ctInternal);
  ASSERT_EQ(panel->CompareState(name), ctInternal);
  name->SetAsString(0, "b");
  name->SetAsString(1, "d");
  EXPECT_EQ(Run(), (Names{"Bob", "D", "Dave", "CZ"}));
}

TEST_F(Matching_, BooleanSingleValue) {
  R("ACTIVE")->SetAsBoolean(0, true);
  EXPECT_EQ(Run(), (Names{"Smith", "Asmith", "D", "Zed", "Two"}));
}

TEST(MatchingDates, DateRangeExcludesLaterTimesOfTheLastDay) {
  PeopleData data;
  data.DataSet->Close();
  data.DataSet->GetFieldDefs()->Clear();
  data.DataSet->GetFieldDefs()->Add("NAME", ftString, 10);
  data.DataSet->GetFieldDefs()->Add("STAMP", ftDateTime);
  data.DataSet->CreateDataSet();
  data.DataSet->AppendRecord({Variant("midnight"), Variant::FromDate(D(2020, 12, 31))});
  data.DataSet->AppendRecord({Variant("morning"), Variant::FromDate(D(2020, 12, 31) + 0.3)});
  data.DataSet->AppendRecord({Variant("before"), Variant::FromDate(D(2020, 12, 30) + 0.9)});
  PanelPtr panel = MakePanel(data.Source);
  panel->FindField("STAMP")->SetAsDateTime(1, D(2020, 12, 31));
  EXPECT_EQ(Matching(*panel, data.DataSet), (Names{"midnight", "before"}));
}

TEST_F(Matching_, VanishedFieldIsSkipped) {
  panel->GetFields()->SetDefaultFields(false);
  R("AGE")->SetAsInteger(0, 500);
  EXPECT_EQ(Run(), Names{});
  // Another dataset without AGE: the record is unbound and matches nothing away.
  TClientDataSet* other = NewDataSet(data.Owner.get(), {{"NAME", ftString, 10}}, {{"x"}, {"y"}});
  data.Source->SetDataSet(other);
  EXPECT_EQ(panel->FindField("AGE")->GetFieldIndex(), -1);
  EXPECT_EQ(Matching(*panel, other), (Names{"x", "y"}));
}

}  // namespace
}  // namespace tabulon::test
