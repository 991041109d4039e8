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

// The values of `f` in the rows of `w`, each followed by a space.
std::string WindowRows(TRecordWindow& w, TField* f) {
  std::string s;
  for (int r = 0; r < w.GetCount(); ++r) {
    w.SelectRow(r);
    s += f->GetAsString() + " ";
  }
  w.Restore();
  return s;
}

class RecordWindow : public ::testing::TestWithParam<Kind> {
 protected:
  TempDatabase db;
  TComponent owner{nullptr};
  TDataSet* d = MakePeople(GetParam(), &owner, db);
  TDataSource src{nullptr};
  TRecordingLink link;
  int scrolls = 0;
  TField* id() { return d->FieldByName("ID"); }

  // Opens the dataset and counts what its links and scroll events hear.
  void OpenWatched() {
    d->Open();
    src.SetDataSet(d);
    link.SetDataSource(&src);
    d->AfterScroll = [this](TDataSet*) { ++scrolls; };
  }

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

  std::string Rows(TRecordWindow& w) { return WindowRows(w, id()); }
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
        SCOPED_TRACE(::testing::Message() << "filtered " << filtered << " cur " << cur << " window "
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
  OpenWatched();
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

// Values read by record number against a walk of the whole order with the
// filter off: every field of every record, in the natural order, by integer
// and boolean first keys (read from the dataset's first-key cache, ascending
// and descending) and by a text key; hidden records read as well, numbers
// out of range read Null, and nothing moves or tells a link.
TEST_P(RecordWindow, ValuesByRecordNumberAreThoseOfTheWholeOrder) {
  OpenWatched();
  d->SetOnFilterRecord([this](TDataSet*, bool& accept) { accept = id()->GetAsInteger() % 3 != 0; });
  auto show = [](const Variant& v) { return std::to_string(VarType(v)) + ":" + VarToStr(v); };
  const int fields = d->GetFieldCount();
  for (const char* order : {"", "ID", "ID DESC", "ACTIVE;ID", "ACTIVE DESC;NAME", "NAME"}) {
    d->SetFiltered(false);
    d->SetIndexFieldNames(order);
    std::vector<std::string> walk;
    for (d->First(); !d->GetEof(); d->Next())
      for (int f = 0; f < fields; ++f) walk.push_back(show(d->Fields(f)->GetValue()));
    d->SetFiltered(true);
    d->SetRecNo(2);
    link.Take();
    scrolls = 0;
    const int at = d->GetRecNo();
    const int n = TRecordWindow::OrderCount(d);
    ASSERT_EQ(walk.size(), static_cast<size_t>(n * fields));
    TRecordWindow w(d);
    for (int r = 0; r <= n + 1; ++r)
      for (int f = 0; f < fields; ++f)
        EXPECT_EQ(show(w.ValueAt(r, d->Fields(f))),
                  r >= 1 && r <= n ? walk[static_cast<size_t>((r - 1) * fields + f)] : show(Null))
            << "order " << order << " record " << r << " field " << f;
    w.Restore();
    EXPECT_EQ(d->GetRecNo(), at);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(link.Take(), "");
  }
}

// Only the client dataset can be edited.
TEST(RecordWindowBuffers, EditAndInsertBuffersTakeTheCurrentRow) {
  TComponent owner(nullptr);
  TDataSet* d = MakeClientPeople(&owner);
  d->SetRecNo(3);
  d->Edit();
  d->FieldByName("NAME")->SetAsString("edited");
  TRecordWindow w(d);
  ASSERT_EQ(w.Fill(1, 1), 1);
  EXPECT_EQ(WindowRows(w, d->FieldByName("NAME")), "Alpha edited Bravo ");
  d->Cancel();
  d->Insert();
  ASSERT_EQ(w.Fill(1, 1), 1);
  EXPECT_EQ(WindowRows(w, d->FieldByName("ID")),
            "2  3 ");  // the new record, still empty, before record 3
  EXPECT_TRUE(w.GetBookmark(1).IsNull());
  d->Cancel();
  // Closed or empty: no rows.
  d->Close();
  EXPECT_EQ(w.Fill(2, 2), -1);
  EXPECT_EQ(w.GetCount(), 0);
}

// By record number, the record being edited reads its edit buffer (also for
// the key the first-key cache holds), a posted change of key is read in its
// new place, and Null keys read Null at either end of the order.
TEST(RecordWindowBuffers, ValuesByRecordNumberFollowEditsAndNulls) {
  TComponent owner(nullptr);
  TDataSet* d = MakeClientPeople(&owner);
  TField* id = d->FieldByName("ID");
  TField* active = d->FieldByName("ACTIVE");
  d->SetIndexFieldNames("ID");
  TRecordWindow w(d);
  EXPECT_EQ(VarToStr(w.ValueAt(3, id)), "3");
  d->SetRecNo(3);
  d->Edit();
  id->SetAsInteger(30);
  EXPECT_EQ(VarToStr(w.ValueAt(3, id)), "30");
  EXPECT_EQ(VarToStr(w.ValueAt(4, id)), "4");
  w.Restore();
  d->Post();
  EXPECT_EQ(VarToStr(w.ValueAt(3, id)), "4");
  EXPECT_EQ(VarToStr(w.ValueAt(8, id)), "30");
  d->AppendRecord({Variant(9), Variant("golf"), Null, Null, Null});
  for (const char* order : {"ACTIVE;ID", "ACTIVE DESC;ID"}) {
    d->SetIndexFieldNames(order);
    std::string byNumber, walked;
    for (int r = 1; r <= 9; ++r)
      byNumber += VarToStr(w.ValueAt(r, id)) + "=" + VarToStr(w.ValueAt(r, active)) + ",";
    w.Restore();
    for (d->First(); !d->GetEof(); d->Next())
      walked += id->GetAsString() + "=" + VarToStr(active->GetValue()) + ",";
    EXPECT_EQ(byNumber, walked) << order;
    const bool descending = std::string(order).find("DESC") != std::string::npos;
    EXPECT_TRUE(VarIsNull(w.ValueAt(descending ? 9 : 1, active))) << order;
  }
}

INSTANTIATE_TEST_SUITE_P(AllKinds, RecordWindow,
                         ::testing::Values(Kind::Client, Kind::Table, Kind::Query),
                         [](const auto& info) { return KindName(info.param); });

}  // namespace
}  // namespace tabulon::test
