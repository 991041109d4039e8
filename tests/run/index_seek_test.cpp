// Keyed search against a linear scan of the index order. Random data with
// duplicates and Nulls, sorted ascending, descending, in mixed directions and
// with case-insensitive text keys, filtered and not, on a client dataset and
// on a SQLite table: every seek option with every goto option must land on
// the record that scanning the shown records in index order names, and
// report the same result. The datasets' own keyed search (FindKey and
// FindNearest of the client and table find indexes) is held to the same
// answer, and the search to moving the cursor once (a few times while a
// filter decides the landing).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnbdeset.h"
#include "run/tbnclientset.h"
#include "run/tbnindex.h"
#include "tests/run/index_oracle.h"
#include "tests/run/test_util.h"

namespace tabulon {
namespace {

// The key columns K1 (integer), K2 (text), K3 (float).
enum { kK1, kK2, kK3 };
const char* const kKeyNames[] = {"K1", "K2", "K3"};

struct TOracleKey {
  int Column;
  bool Descending;
  bool CaseInsensitive;
};

// One order: how the client dataset and the SQLite table are told to sort,
// and the key fields a reader of that order sees.
struct TOrderSpec {
  const char* Name;
  const char* IndexFieldNames;  // order by field list when set
  const char* DefFields;        // else by an index definition
  const char* DefDesc;
  const char* DefCaseIns;
  TIndexOptions DefOptions;
  const char* SqlIndex;  // the same order as a SQLite index
  std::vector<TOracleKey> Keys;
};

// clang-format off
const TOrderSpec kOrders[] = {
    {"K1", "K1", "", "", "", {}, "(K1)", {{kK1, false, false}}},
    {"K1 DESC", "K1 DESC", "", "", "", {}, "(K1 DESC)", {{kK1, true, false}}},
    {"K1;K2 DESC", "K1;K2 DESC", "", "", "", {}, "(K1, K2 DESC)",
     {{kK1, false, false}, {kK2, true, false}}},
    {"K2 nocase;K1", "", "K2;K1", "", "K2", {}, "(K2 COLLATE NOCASE, K1)",
     {{kK2, false, true}, {kK1, false, false}}},
    {"K2 nocase desc;K3 desc", "", "K2;K3", "", "", {ixDescending, ixCaseInsensitive},
     "(K2 COLLATE NOCASE DESC, K3 COLLATE NOCASE DESC)", {{kK2, true, true}, {kK3, true, false}}},
    {"K2;K3", "", "K2;K3", "", "", {}, "(K2, K3)", {{kK2, false, false}, {kK3, false, false}}},
    {"K3 desc;K2;K1", "", "K3;K2;K1", "K3", "", {}, "(K3 DESC, K2, K1)",
     {{kK3, true, false}, {kK2, false, false}, {kK1, false, false}}},
};
// clang-format on

const TQXSeekOption kSeekOptions[] = {dsoFirstEQ, dsoLastEQ,   dsoAfterEQ,
                                      dsoAfter,   dsoBeforeEQ, dsoBefore};
const TQXGotoOption kGotoOptions[] = {dgoFirst, dgoLast, dgoNone};

struct TRow {
  int Id;
  Variant Keys[3];
};

// A reader of a fixed dataset's order.
template <class Base>
class TFixedIndex : public Base {
 public:
  explicit TFixedIndex(TDataSet* ds) : Base(nullptr), ds_(ds) {}
  TDataSet* GetDataSet() override { return ds_; }

 private:
  TDataSet* ds_;
};
class TPlainIndex : public TDataSetIndex {
 public:
  explicit TPlainIndex(TDataSet* ds) : ds_(ds) {}
  TDataSet* GetDataSet() override { return ds_; }

 private:
  TDataSet* ds_;
};

Variant RandomKey(std::mt19937& rng, int column) {
  static const Variant k1[] = {Null, -1, 0, 1, 2, 3, 4, 5, 6};
  static const Variant k2[] = {Null, "", "a", "A", "ab", "AB", "aB", "b", "B", "ba", "c"};
  static const Variant k3[] = {Null, 0.0, 1.5, 1.75, 2.0, 2.5, 3.0};
  auto pick = [&](const auto& pool) {
    return pool[std::uniform_int_distribution<size_t>(0, std::size(pool) - 1)(rng)];
  };
  switch (column) {
    case kK1:
      return pick(k1);
    case kK2:
      return pick(k2);
    default:
      return pick(k3);
  }
}

// Where a record stands against the key over the key's fields: <0 before it,
// 0 equal, >0 after it in index order.
int OracleCompare(const TRow& row, const std::vector<TOracleKey>& keys,
                  const std::vector<Variant>& key) {
  for (size_t i = 0; i < key.size() && i < keys.size(); ++i) {
    const TOracleKey& k = keys[i];
    const Variant& v = row.Keys[k.Column];
    int r;
    if (k.Column == kK2)
      r = k.CaseInsensitive ? AnsiCompareText(VarToStr(v), VarToStr(key[i]))
                            : AnsiCompareStr(VarToStr(v), VarToStr(key[i]));
    else
      r = VarCompare(v, key[i]);
    if (k.Descending) r = -r;
    if (r != 0) return r;
  }
  return 0;
}

// The record a search over the shown records lands on (-1: none).
int OracleSeek(const std::vector<TRow>& shown, const std::vector<TOracleKey>& keys,
               const std::vector<Variant>& key, TQXSeekOption option) {
  std::vector<int> standings;
  for (const TRow& row : shown) standings.push_back(OracleCompare(row, keys, key));
  return test::OracleLanding(standings, option);
}

class IndexSeek : public ::testing::Test {
 protected:
  std::mt19937 rng{20240611};
  TComponent owner{nullptr};
  std::vector<bool> hidden;  // by record id
  int moves = 0;

  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  std::vector<TRow> RandomRows() {
    int n = Rand(0, 3) == 0 ? Rand(0, 3) : Rand(4, 70);
    std::vector<TRow> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
      rows[static_cast<size_t>(i)].Id = i + 1;
      for (int c = 0; c < 3; ++c) {
        Variant v = RandomKey(rng, c);
        // Keys a little less often Null than the pools offer.
        if (v.IsNull() && Rand(0, 1)) v = RandomKey(rng, c);
        if (c == kK2 && VarToStr(v).empty() && !v.IsNull()) v = "a";
        rows[static_cast<size_t>(i)].Keys[c] = v;
      }
    }
    hidden.assign(static_cast<size_t>(n) + 1, false);
    return rows;
  }

  // Switches the filter on for about half the rounds, hiding about a third.
  void MaybeFilter(TDataSet* ds, size_t count) {
    ds->SetOnFilterRecord(TFilterRecordEvent([this](TDataSet* d, bool& accept) {
      accept = !hidden[static_cast<size_t>(d->FieldByName("ID")->GetAsInteger())];
    }));
    bool filter = Rand(0, 1) == 1;
    for (size_t id = 1; id <= count; ++id) hidden[id] = filter && Rand(0, 2) == 0;
    ds->SetFiltered(filter);
    ds->AfterScroll = TDataSetNotifyEvent([this](TDataSet*) { ++moves; });
  }

  // The shown records in index order, by a plain scan.
  static std::vector<TRow> Scan(TDataSet* ds) {
    std::vector<TRow> out;
    for (ds->First(); !ds->GetEof(); ds->Next()) {
      TRow r;
      r.Id = ds->FieldByName("ID")->GetAsInteger();
      for (int c = 0; c < 3; ++c) r.Keys[c] = ds->FieldByName(kKeyNames[c])->GetValue();
      out.push_back(r);
    }
    return out;
  }

  static int CurrentId(TDataSet* ds) {
    return ds->IsEmpty() ? -1 : ds->FieldByName("ID")->GetAsInteger();
  }

  // A random key: values of a shown record or from the pools, of random length.
  Variant RandomSeekKey(const std::vector<TRow>& shown, const TOrderSpec& order,
                        std::vector<Variant>& used, bool allowNull) {
    used.clear();
    int form = Rand(0, 9);
    if (form == 0) return Unassigned;  // no key: every record is equal
    const TRow* from =
        shown.empty() || Rand(0, 2) == 0
            ? nullptr
            : &shown[static_cast<size_t>(Rand(0, static_cast<int>(shown.size()) - 1))];
    int length = form == 1 ? 1 : Rand(1, static_cast<int>(order.Keys.size()) + 1);
    std::vector<Variant> values;
    for (int i = 0; i < length; ++i) {
      int column =
          order.Keys[static_cast<size_t>(std::min<int>(i, static_cast<int>(order.Keys.size()) - 1))]
              .Column;
      Variant v = from ? from->Keys[column] : RandomKey(rng, column);
      while (!allowNull && VarToStr(v).empty()) v = RandomKey(rng, column);
      values.push_back(v);
    }
    used.assign(values.begin(), values.begin() + std::min(values.size(), order.Keys.size()));
    if (form == 1) return values[0];  // a single value, not an array
    return VarArrayOf(values);
  }

  // Every seek and goto option for several keys from several starting records.
  void CheckSeeks(TDataSet* ds, const TOrderSpec& order, TQXFindIndex& find) {
    const std::vector<TRow> shown = Scan(ds);
    TPlainIndex index(ds);
    const int total = ds->GetFiltered() ? -1 : static_cast<int>(shown.size());
    for (int round = 0; round < 6; ++round) {
      std::vector<Variant> used;
      const Variant key = RandomSeekKey(shown, order, used, true);
      ds->First();
      ds->MoveBy(Rand(0, static_cast<int>(shown.size())));
      const TBookmark start = ds->GetBookmark();
      const int startId = CurrentId(ds);
      for (TQXSeekOption so : kSeekOptions)
        for (TQXGotoOption go : kGotoOptions) {
          if (!start.IsNull()) ds->GotoBookmark(start);
          moves = 0;
          const bool result = index.Seek(key, so, go);
          const int at = OracleSeek(shown, order.Keys, used, so);
          int expectId;
          if (at >= 0)
            expectId = shown[static_cast<size_t>(at)].Id;
          else if (shown.empty())
            expectId = -1;
          else
            expectId = go == dgoFirst  ? shown.front().Id
                       : go == dgoLast ? shown.back().Id
                                       : startId;
          SCOPED_TRACE(testing::Message()
                       << order.Name << " key " << key << " option " << so << "/" << go
                       << " filtered " << ds->GetFiltered() << " start " << startId);
          ASSERT_EQ(result, at >= 0);
          ASSERT_EQ(CurrentId(ds), expectId);
          ASSERT_EQ(ds->GetFiltered(), total < 0);
          // The bisection reads records where they stand: unfiltered, the
          // cursor moves at most once, onto the landing or the goto place.
          ASSERT_LE(moves, total < 0 ? 6 : 1);
        }
      // The dataset's own keyed search answers FindKey and FindNearest alike
      // (for keys without Nulls or empty texts, which it reads as "no value").
      const Variant plainKey = RandomSeekKey(shown, order, used, false);
      if (!start.IsNull()) ds->GotoBookmark(start);
      const int exact = OracleSeek(shown, order.Keys, used, dsoFirstEQ);
      SCOPED_TRACE(testing::Message() << order.Name << " FindKey " << plainKey);
      ASSERT_EQ(find.FindKey(plainKey), exact >= 0);
      ASSERT_EQ(CurrentId(ds), exact >= 0 ? shown[static_cast<size_t>(exact)].Id : startId);
      const int nearest = OracleSeek(shown, order.Keys, used, dsoAfterEQ);
      ASSERT_TRUE(find.FindNearest(plainKey) || shown.empty());
      ASSERT_EQ(CurrentId(ds), nearest >= 0    ? shown[static_cast<size_t>(nearest)].Id
                               : shown.empty() ? -1
                                               : shown.back().Id);
    }
  }
};

TEST_F(IndexSeek, ClientDataSetAgainstLinearScan) {
  for (const TOrderSpec& order : kOrders) {
    for (int round = 0; round < 30; ++round) {
      std::vector<TRow> rows = RandomRows();
      auto* ds = new TClientDataSet(&owner);
      ds->GetFieldDefs()->Add("ID", ftInteger);
      ds->GetFieldDefs()->Add("K1", ftInteger);
      ds->GetFieldDefs()->Add("K2", ftString, 10);
      ds->GetFieldDefs()->Add("K3", ftFloat);
      if (!*order.IndexFieldNames) {
        TIndexDef* def = ds->GetIndexDefs()->Add("IX", order.DefFields, order.DefOptions);
        def->SetDescFields(order.DefDesc);
        def->SetCaseInsFields(order.DefCaseIns);
      }
      ds->CreateDataSet();
      for (const TRow& r : rows) ds->AppendRecord({r.Id, r.Keys[0], r.Keys[1], r.Keys[2]});
      if (*order.IndexFieldNames)
        ds->SetIndexFieldNames(order.IndexFieldNames);
      else
        ds->SetIndexName("IX");
      MaybeFilter(ds, rows.size());
      TFixedIndex<TQXClientFindIndex> find(ds);
      CheckSeeks(ds, order, find);
      if (HasFatalFailure()) return;
      TObject::Free(ds);
    }
  }
}

// A search from a record being edited posts it first and searches the order
// the posted record stands in: here the edited record leaves the half the
// search would otherwise have taken from its old place.
TEST_F(IndexSeek, PendingEditIsPostedBeforeTheSearch) {
  auto* ds = test::NewDataSet(&owner, {{"ID", ftInteger}},
                              {{1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {10}});
  ds->SetIndexFieldNames("ID");
  ds->SetRecNo(5);
  ds->Edit();
  ds->FieldByName("ID")->SetAsInteger(50);
  TPlainIndex index(ds);
  EXPECT_TRUE(index.Seek(7, dsoFirstEQ, dgoNone));
  EXPECT_EQ(ds->GetState(), dsBrowse);
  EXPECT_EQ(CurrentId(ds), 7);
  EXPECT_TRUE(index.Seek(50, dsoFirstEQ, dgoNone));
  EXPECT_EQ(ds->GetRecNo(), 10);
}

TEST_F(IndexSeek, SQLiteTableAgainstLinearScan) {
  TSQLiteConnection* db = test::NewMemoryDb(&owner);
  for (const TOrderSpec& order : kOrders) {
    for (int round = 0; round < 12; ++round) {
      std::vector<TRow> rows = RandomRows();
      db->ExecSQL("DROP TABLE IF EXISTS T");
      db->ExecSQL("CREATE TABLE T (ID INTEGER PRIMARY KEY, K1 INTEGER, K2 VARCHAR(10), K3 REAL)");
      db->ExecSQL(std::string("CREATE INDEX IX ON T ") + order.SqlIndex);
      db->ExecSQL("BEGIN");
      for (const TRow& r : rows)
        db->ExecSQL("INSERT INTO T VALUES (?, ?, ?, ?)", {r.Id, r.Keys[0], r.Keys[1], r.Keys[2]});
      db->ExecSQL("COMMIT");
      auto* t = new TTable(&owner);
      t->SetConnection(db);
      t->SetTableName("T");
      // Orders by field list come by name as well as through the index.
      if (*order.IndexFieldNames && round % 2 == 0)
        t->SetIndexFieldNames(order.IndexFieldNames);
      else
        t->SetIndexName("IX");
      t->Open();
      MaybeFilter(t, rows.size());
      TFixedIndex<TQXBdeFindIndex> find(t);
      CheckSeeks(t, order, find);
      if (HasFatalFailure()) return;
      TObject::Free(t);
    }
  }
}

}  // namespace
}  // namespace tabulon
