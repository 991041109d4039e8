// Record windows against every dataset kind: the rows of a window equal a
// slice of the visible records computed by a plain walk, wherever the
// cursor is and whether a filter hides records; reading rows moves nothing
// and tells no link; edit and insert buffers appear in their place.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/db/record_window.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

class RecordWindow : public ::testing::TestWithParam<Kind> {
 protected:
  TempDatabase db;
  TComponent owner{nullptr};
  TDataSet* d = MakePeople(GetParam(), &owner, db);
  TField* id() { return d->FieldByName("ID"); }

  // The ids a window of (before, after) must hold around visible record
  // `cur` of `visible`, and the current record's row.
  static std::string Oracle(const std::vector<int>& visible, int cur, int before, int after,
                            int& activeRow) {
    int n = static_cast<int>(visible.size());
    int lo = cur - std::min(before, cur), hi = cur + std::min(after, n - 1 - cur);
    int want = before + 1 + after;
    while (hi - lo + 1 < want && hi < n - 1) ++hi;
    while (hi - lo + 1 < want && lo > 0) --lo;
    activeRow = cur - lo;
    std::string s;
    for (int i = lo; i <= hi; ++i) s += std::to_string(visible[static_cast<size_t>(i)]) + " ";
    return s;
  }

  std::string Rows(TRecordWindow& w) {
    std::string s;
    for (int r = 0; r < w.GetCount(); ++r) {
      w.SelectRow(r);
      s += id()->GetAsString() + " ";
    }
    w.Restore();
    return s;
  }
};

TEST_P(RecordWindow, RowsAreTheVisibleSliceAroundTheCursor) {
  d->Open();
  for (bool filtered : {false, true}) {
    // Even ids only, the filter rejecting every other record.
    d->SetOnFilterRecord(
        [this](TDataSet*, bool& accept) { accept = id()->GetAsInteger() % 2 == 0; });
    d->SetFiltered(filtered);
    std::vector<int> visible;
    for (d->First(); !d->GetEof(); d->Next()) visible.push_back(id()->GetAsInteger());
    ASSERT_EQ(visible.size(), filtered ? 4u : 8u);
    for (int cur = 0; cur < static_cast<int>(visible.size()); ++cur) {
      d->Locate("ID", Variant(visible[static_cast<size_t>(cur)]), {});
      for (auto [before, after] :
           std::vector<std::pair<int, int>>{{2, 2}, {0, 3}, {3, 0}, {0, 0}, {10, 10}, {1, 5}}) {
        TRecordWindow w(d);
        int active = -1;
        std::string want = Oracle(visible, cur, before, after, active);
        SCOPED_TRACE(testing::Message() << "filtered " << filtered << " cur " << cur << " window "
                                        << before << "," << after);
        EXPECT_EQ(w.Fill(before, after), active);
        EXPECT_EQ(Rows(w), want);
        EXPECT_EQ(id()->GetAsInteger(), visible[static_cast<size_t>(cur)]);
        // Unfiltered, the fill examines exactly the other rows it took.
        if (!filtered) {
          EXPECT_EQ(w.GetVisited(), w.GetCount() - 1);
        }
        EXPECT_EQ(w.RowOf(d->GetBookmark()), active);
      }
    }
  }
}

TEST_P(RecordWindow, ReadingRowsMovesNothingAndTellsNoOne) {
  d->Open();
  TDataSource src(nullptr);
  src.SetDataSet(d);
  TRecordingLink link;
  link.SetDataSource(&src);
  int scrolls = 0;
  d->AfterScroll = [&](TDataSet*) { ++scrolls; };
  d->SetRecNo(4);
  link.Take();
  scrolls = 0;
  TRecordWindow w(d);
  ASSERT_EQ(w.Fill(1, 1), 1);
  EXPECT_EQ(Rows(w), "3 4 5 ");
  EXPECT_EQ(link.Take(), "");
  EXPECT_EQ(scrolls, 0);
  EXPECT_EQ(d->GetRecNo(), 4);
  EXPECT_EQ(d->GetState(), dsBrowse);
  // A window destroyed with a row selected gives the record back.
  {
    TRecordWindow w2(d);
    w2.Fill(0, 2);
    w2.SelectRow(2);
    EXPECT_EQ(id()->GetAsInteger(), 6);
  }
  EXPECT_EQ(id()->GetAsInteger(), 4);
}

// Only the client dataset can be edited.
TEST(RecordWindowBuffers, EditAndInsertBuffersTakeTheCurrentRow) {
  TComponent owner(nullptr);
  TDataSet* d = MakeClientPeople(&owner);
  auto Rows = [&](TRecordWindow& w) {
    std::string s;
    for (int r = 0; r < w.GetCount(); ++r) {
      w.SelectRow(r);
      s += d->FieldByName("ID")->GetAsString() + " ";
    }
    w.Restore();
    return s;
  };
  d->SetRecNo(3);
  d->Edit();
  d->FieldByName("NAME")->SetAsString("edited");
  TRecordWindow w(d);
  ASSERT_EQ(w.Fill(1, 1), 1);
  std::string names;
  for (int r = 0; r < w.GetCount(); ++r) {
    w.SelectRow(r);
    names += d->FieldByName("NAME")->GetAsString() + ",";
  }
  w.Restore();
  EXPECT_EQ(names, "Alpha,edited,Bravo,");
  d->Cancel();
  d->Insert();
  ASSERT_EQ(w.Fill(1, 1), 1);
  EXPECT_EQ(Rows(w), "2  3 ");  // the new record, still empty, before record 3
  EXPECT_TRUE(w.GetBookmark(1).IsNull());
  d->Cancel();
  // Closed or empty: no rows.
  d->Close();
  EXPECT_EQ(w.Fill(2, 2), -1);
  EXPECT_EQ(w.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, RecordWindow,
                         ::testing::Values(Kind::Client, Kind::Table, Kind::Query),
                         [](const auto& info) { return KindName(info.param); });

}  // namespace
}  // namespace tabulon::test
