// The finder over the bundled sample database, written by the tool's
// sample-db command: the customers table ordered by its company-name index
// (case-insensitive) and a query ordered by City descending, then Name. For
// keys taken from records, keys between records and keys beyond either end,
// every seek option (through Seek, SeekEx with each goto option, FindKey and
// FindNearest) must land where a linear scan of the records says.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/db/field.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnfinder.h"
#include "tests/run/index_oracle.h"

namespace tabulon {
namespace {

const TQXSeekOption kSeekOptions[] = {dsoFirstEQ, dsoLastEQ,   dsoAfterEQ,
                                      dsoAfter,   dsoBeforeEQ, dsoBefore};

class FinderSample : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    path_ = ::testing::TempDir() + "finder_sample.db";
    const std::string command =
        std::string("\"") + TABULON_TOOL + "\" sample-db \"" + path_ + "\" > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() { std::remove(path_.c_str()); }

  void SetUp() override {
    db = new TSQLiteConnection(&owner);
    db->SetFileName(path_);
    db->Open();
  }

  // One record in scan order: its CUSTNO and its key values.
  struct TRow {
    int CustNo;
    std::vector<Variant> Keys;
  };
  static std::vector<TRow> Scan(TDataSet* ds, const std::vector<std::string>& keyFields) {
    std::vector<TRow> rows;
    for (ds->First(); !ds->GetEof(); ds->Next()) {
      TRow r{ds->FieldByName("CUSTNO")->GetAsInteger(), {}};
      for (const std::string& f : keyFields) r.Keys.push_back(ds->FieldByName(f)->GetValue());
      rows.push_back(std::move(r));
    }
    return rows;
  }

  // Keys of every length up to the key fields: from records, shifted
  // between records, and beyond both ends.
  std::vector<std::vector<Variant>> Keys(const std::vector<TRow>& rows) {
    std::vector<std::vector<Variant>> keys = {{}, {""}, {"zzzz"}, {"\xEF\xBF\xBF"}};
    for (int i = 0; i < 40; ++i) {
      const TRow& r = rows[std::uniform_int_distribution<size_t>(0, rows.size() - 1)(rng)];
      std::vector<Variant> key;
      for (const Variant& v : r.Keys) {
        key.push_back(v);
        keys.push_back(key);
        keys.push_back(key);
        keys.back().back() = VarToStr(v) + (i % 2 ? "!" : "a");  // between records
        keys.push_back(key);
        keys.back().back() = LowerCase(VarToStr(v));  // another case
      }
    }
    return keys;
  }

  // Every seek option for every key from several starting records.
  void CheckAgainstScan(TDataSet* ds, TQXFinder& finder, const std::vector<std::string>& keyFields,
                        const std::function<int(const Variant&, const Variant&, int)>& compare) {
    const std::vector<TRow> rows = Scan(ds, keyFields);
    ASSERT_EQ(rows.size(), 1000u);
    auto current = [&] { return ds->FieldByName("CUSTNO")->GetAsInteger(); };
    for (const std::vector<Variant>& key : Keys(rows)) {
      std::vector<int> standings;
      for (const TRow& r : rows) {
        int c = 0;
        for (size_t i = 0; i < key.size() && c == 0; ++i)
          c = compare(r.Keys[i], key[i], static_cast<int>(i));
        standings.push_back(c);
      }
      const Variant keyValue = key.empty() ? Variant(Unassigned) : VarArrayOf(key);
      ds->First();
      ds->MoveBy(std::uniform_int_distribution<int>(0, 999)(rng));
      const TBookmark start = ds->GetBookmark();
      const int startNo = current();
      for (TQXSeekOption so : kSeekOptions) {
        const int at = test::OracleLanding(standings, so);
        SCOPED_TRACE(testing::Message() << "key " << keyValue << " option " << so);
        const auto landing = [&](TQXGotoOption go) {
          return at >= 0          ? rows[static_cast<size_t>(at)].CustNo
                 : go == dgoFirst ? rows.front().CustNo
                 : go == dgoLast  ? rows.back().CustNo
                                  : startNo;
        };
        for (TQXGotoOption go : {dgoFirst, dgoLast, dgoNone}) {
          ds->GotoBookmark(start);
          ASSERT_EQ(finder.SeekEx(keyValue, so, go), at >= 0);
          ASSERT_EQ(current(), landing(go));
        }
        ds->GotoBookmark(start);
        ASSERT_EQ(finder.Seek(keyValue, so), at >= 0);
        ASSERT_EQ(current(), landing(so == dsoBeforeEQ || so == dsoBefore ? dgoFirst : dgoLast));
      }
      // The key-list calls, with the key given as texts.
      if (key.size() == 1 && VarIsStr(key[0])) {
        const std::string text = VarToStr(key[0]);
        ds->GotoBookmark(start);
        const int exact = test::OracleLanding(standings, dsoFirstEQ);
        ASSERT_EQ(finder.FindKey({text}), exact >= 0);
        ASSERT_EQ(current(), exact >= 0 ? rows[static_cast<size_t>(exact)].CustNo : startNo);
        const int nearest = test::OracleLanding(standings, dsoAfterEQ);
        ASSERT_EQ(finder.FindNearest({text.c_str()}), nearest >= 0);
        ASSERT_EQ(current(),
                  nearest >= 0 ? rows[static_cast<size_t>(nearest)].CustNo : rows.back().CustNo);
      }
    }
  }

  TComponent owner{nullptr};
  TSQLiteConnection* db = nullptr;
  std::mt19937 rng{4711};
  static std::string path_;
};
std::string FinderSample::path_;

TEST_F(FinderSample, CustomersByTheCompanyNameIndex) {
  auto* table = new TTable(&owner);
  table->SetConnection(db);
  table->SetTableName("CUSTOMERS");
  table->SetIndexName("IX_CUST_COMPANY");
  table->Open();
  TQXFinder finder(&owner);
  finder.SetDataSet(table);
  ASSERT_EQ(finder.GetDataSetIndex()->GetCount(), 1);
  EXPECT_TRUE(finder.GetDataSetIndex()->GetItem(0).CaseInsensitive);
  CheckAgainstScan(table, finder, {"COMPANY"}, [](const Variant& v, const Variant& k, int) {
    return AnsiCompareText(VarToStr(v), VarToStr(k));
  });
}

// SQLite orders the query's text by its bytes, so the finder compares
// ordinally (LocaleID -1) to follow that order.
TEST_F(FinderSample, QueryOrderedByCityDescendingThenName) {
  auto* query = new TQuery(&owner);
  query->SetConnection(db);
  query->GetSQL()->Add("SELECT CustNo, Company AS Name, City FROM CUSTOMERS");
  query->GetSQL()->Add("ORDER BY City DESC, Name");
  query->Open();
  auto* source = new TDataSource(&owner);
  source->SetDataSet(query);
  TQXFinder finder(&owner);
  finder.SetDataSource(source);
  finder.SetLocaleID(-1);
  TDataSetIndex* index = finder.GetDataSetIndex();
  ASSERT_EQ(index->GetCount(), 2);
  EXPECT_TRUE(index->GetItem(0).Descending);
  EXPECT_EQ(index->GetItem(1).Field, query->FieldByName("NAME"));
  CheckAgainstScan(query, finder, {"CITY", "NAME"}, [](const Variant& v, const Variant& k, int i) {
    const int c = CompareStr(VarToStr(v), VarToStr(k));
    return i == 0 ? -c : c;
  });
}

}  // namespace
}  // namespace tabulon
