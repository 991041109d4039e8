// Moving through a dataset must not touch the heap: a walk over many
// records, with data sources and links attached and with a record filter,
// makes no allocation per record. Every operator new of this test binary
// is counted.
#include <gtest/gtest.h>

#include "bench/alloc_counter.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

// A control's view of the dataset that only counts what it is told.
class TCountingLink : public TDataLink {
 public:
  int Scrolls = 0;

 protected:
  void DataSetScrolled(int) override { ++Scrolls; }
};

// Allocations made by Next over the dataset from its first record to Eof.
long long AllocationsOfWalk(TDataSet* d, int& visited) {
  d->First();
  visited = 0;
  long long before = g_allocations.load();
  for (; !d->GetEof(); d->Next()) ++visited;
  return g_allocations.load() - before;
}

class Walk : public ::testing::TestWithParam<Kind> {
 protected:
  TempDatabase db{Many()};
  TComponent owner{nullptr};
  TDataSet* d = MakePeople(GetParam(), &owner, db);
  static std::vector<Person> Many() {
    std::vector<Person> out;
    for (int i = 0; i < 4000; ++i) out.push_back(kPeople[static_cast<size_t>(i) % 8]);
    for (int i = 0; i < 4000; ++i) out[static_cast<size_t>(i)].Id = i + 1;
    return out;
  }
};

TEST_P(Walk, NextAllocatesNothingPerRecord) {
  d->Open();
  int visited = 0;
  EXPECT_EQ(AllocationsOfWalk(d, visited), 0);  // nobody listening
  EXPECT_EQ(visited, 4000);
  TDataSource source(nullptr), second(nullptr);
  source.SetDataSet(d);
  second.SetDataSet(d);
  TCountingLink a, b, c;
  a.SetDataSource(&source);
  b.SetDataSource(&source);
  c.SetDataSource(&second);
  EXPECT_EQ(AllocationsOfWalk(d, visited), 0);
  EXPECT_EQ(a.Scrolls, 4000);  // every Next, the last one reaching Eof included
  EXPECT_EQ(b.Scrolls, 4000);
  EXPECT_EQ(c.Scrolls, 4000);
  TField* id = d->FieldByName("ID");
  d->SetOnFilterRecord(
      TFilterRecordEvent([id](TDataSet*, bool& accept) { accept = id->GetAsInteger() % 3 == 0; }));
  d->SetFiltered(true);
  EXPECT_EQ(AllocationsOfWalk(d, visited), 0);
  EXPECT_EQ(visited, 1333);
  d->SetIndexFieldNames("SCORE;ID");
  EXPECT_EQ(AllocationsOfWalk(d, visited), 0);
  EXPECT_EQ(visited, 1333);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, Walk, ::testing::Values(Kind::Client, Kind::Table, Kind::Query),
                         [](const auto& info) { return KindName(info.param); });

}  // namespace
}  // namespace tabulon::test
