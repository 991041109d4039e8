// Index access benchmarks over 1,000,000 records: the bisection of IndexFind
// (with its record moves counted) next to the dataset's own GotoKey on the
// same keys in the same run, and SQLite's own indexed lookup of the same keys
// (SELECT ... WHERE key >= ? ORDER BY key LIMIT 1 on an index).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/fixed_index.h"
#include "bench/twin_tables.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "run/tbnclientset.h"
#include "run/tbnindex.h"

using namespace tabulon;

namespace {

constexpr int kRecords = 1000000;
constexpr int kKeys = 4096;

std::string NameOf(int i) {
  static const char* const first[] = {"Anna", "Bert", "Carla", "Dirk", "Elif", "Fritz", "Gina"};
  return std::string(first[i % 7]) + " " + std::to_string(i * 7919 % 1000003);
}

struct Data {
  std::unique_ptr<TClientDataSet> ds;
  std::vector<int32_t> keys;       // ids to look up (every other id exists)
  std::vector<std::string> names;  // names to look up
  sqlite3* db = nullptr;
  int64_t moves = 0;

  Data() {
    std::mt19937 rng(7);
    std::vector<int32_t> ids(kRecords);
    for (int i = 0; i < kRecords; ++i) ids[static_cast<size_t>(i)] = 2 * i;
    std::shuffle(ids.begin(), ids.end(), rng);
    ds = std::make_unique<TClientDataSet>(nullptr);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetIndexDefs()->Add("BY_ID", "ID", {ixUnique});
    ds->GetIndexDefs()->Add("BY_NAME", "NAME", {});
    ds->CreateDataSet();
    db = LoadTwinTables(
        ds.get(), kRecords,
        [&](int i) {
          return std::pair{ids[static_cast<size_t>(i)], NameOf(i)};
        },
        "CREATE INDEX IX_ID ON T (ID); CREATE INDEX IX_NAME ON T (NAME)");
    std::uniform_int_distribution<int32_t> pick(-5, 2 * kRecords + 5);
    for (int i = 0; i < kKeys; ++i) {
      keys.push_back(pick(rng));
      names.push_back(NameOf(std::uniform_int_distribution<int>(0, kRecords - 1)(rng)));
    }
    ds->AfterScroll = TDataSetNotifyEvent([this](TDataSet*) { ++moves; });
  }
  ~Data() { sqlite3_close(db); }
};

Data& D() {
  static Data d;
  return d;
}

// Moves per search, and the most moves any search needed.
void ReportMoves(benchmark::State& state, int64_t moves, int64_t worst) {
  state.counters["moves"] =
      benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kAvgIterations);
  state.counters["worst_moves"] = static_cast<double>(worst);
  state.counters["bound"] = std::ceil(std::log2(static_cast<double>(kRecords))) + 2;
}

// IndexFind for the keys `key(i)` in the order `indexName`, counting moves.
template <class Key>
void RunIndexFind(benchmark::State& state, const char* indexName, TQXSeekOption option,
                  TQXGotoOption gotoOption, Key key) {
  Data& d = D();
  d.ds->SetIndexName(indexName);
  TFixedIndex index(d.ds.get());
  size_t i = 0;
  int64_t moves = 0, worst = 0;
  for (auto _ : state) {
    d.moves = 0;
    benchmark::DoNotOptimize(index.Seek(key(i++ % kKeys), option, gotoOption));
    moves += d.moves;
    worst = std::max(worst, d.moves);
  }
  ReportMoves(state, moves, worst);
}

void BM_IndexFind_Integer(benchmark::State& state) {
  RunIndexFind(state, "BY_ID", dsoAfterEQ, dgoLast, [](size_t i) { return Variant(D().keys[i]); });
}
BENCHMARK(BM_IndexFind_Integer);

// Baseline: the dataset's own keyed search on the same keys.
void BM_GotoKey_Integer(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexName("BY_ID");
  TField* id = d.ds->FieldByName("ID");
  size_t i = 0;
  for (auto _ : state) {
    d.ds->SetKey();
    id->SetValue(Variant(d.keys[i++ % kKeys]));
    d.ds->GotoNearest();
  }
}
BENCHMARK(BM_GotoKey_Integer);

// The client find index, which hands the search to GotoKey.
void BM_ClientFindNearest_Integer(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexName("BY_ID");
  class TIndex : public TQXClientFindIndex {
   public:
    explicit TIndex(TDataSet* ds) : TQXClientFindIndex(nullptr), ds_(ds) {}
    TDataSet* GetDataSet() override { return ds_; }
    TDataSet* ds_;
  } index(d.ds.get());
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(index.FindNearest(VarArrayOf({Variant(d.keys[i++ % kKeys])})));
}
BENCHMARK(BM_ClientFindNearest_Integer);

// SQLite's own indexed lookup of the same keys.
void BM_SQLiteLookup_Integer(benchmark::State& state) {
  Data& d = D();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(d.db, "SELECT ID, NAME FROM T WHERE ID >= ? ORDER BY ID LIMIT 1", -1, &s,
                     nullptr);
  size_t i = 0;
  for (auto _ : state) {
    sqlite3_bind_int(s, 1, d.keys[i++ % kKeys]);
    benchmark::DoNotOptimize(sqlite3_step(s));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}
BENCHMARK(BM_SQLiteLookup_Integer);

void BM_IndexFind_Text(benchmark::State& state) {
  RunIndexFind(state, "BY_NAME", dsoFirstEQ, dgoNone,
               [](size_t i) { return Variant(D().names[i]); });
}
BENCHMARK(BM_IndexFind_Text);

void BM_GotoKey_Text(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexName("BY_NAME");
  TField* name = d.ds->FieldByName("NAME");
  size_t i = 0;
  for (auto _ : state) {
    d.ds->SetKey();
    name->SetValue(Variant(d.names[i++ % kKeys]));
    benchmark::DoNotOptimize(d.ds->GotoKey());
  }
}
BENCHMARK(BM_GotoKey_Text);

void BM_SQLiteLookup_Text(benchmark::State& state) {
  Data& d = D();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(d.db, "SELECT ID, NAME FROM T WHERE NAME >= ? ORDER BY NAME LIMIT 1", -1, &s,
                     nullptr);
  size_t i = 0;
  for (auto _ : state) {
    const std::string& n = d.names[i++ % kKeys];
    sqlite3_bind_text(s, 1, n.c_str(), -1, SQLITE_STATIC);
    benchmark::DoNotOptimize(sqlite3_step(s));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}
BENCHMARK(BM_SQLiteLookup_Text);

}  // namespace

BENCHMARK_MAIN();
