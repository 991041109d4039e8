// Find panel benchmarks over 1,000,000 records sorted by ID, all in one run:
// a search that can seek (foFast with a value for the index's field), the
// same search as a plain scan (foNormal), and SQLite's indexed lookup of the
// same keys (SELECT ... WHERE ID = ? LIMIT 1 on an index). The keys lie near
// the end of the order, where a scan has the most to walk. The records each
// search visits are counted.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/twin_tables.h"
#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "run/tbnclientset.h"

using namespace tabulon;

namespace {

constexpr int kRecords = 1000000;
constexpr int kKeys = 256;

struct Data {
  TComponent owner{nullptr};
  TClientDataSet* ds;
  TDataSource* source;
  TQXClientFindPanel* panel;
  std::vector<int32_t> keys;  // ids near the end of the order
  sqlite3* db = nullptr;
  int64_t visited = 0;

  Data() {
    std::mt19937 rng(11);
    std::vector<int32_t> ids(kRecords);
    for (int i = 0; i < kRecords; ++i) ids[static_cast<size_t>(i)] = i;
    std::shuffle(ids.begin(), ids.end(), rng);
    ds = new TClientDataSet(&owner);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetIndexDefs()->Add("BY_ID", "ID", {ixUnique});
    ds->CreateDataSet();
    db = LoadTwinTables(
        ds, kRecords,
        [&](int i) {
          const int32_t id = ids[static_cast<size_t>(i)];
          return std::pair{id, "Name " + std::to_string(id * 7919 % 1000003)};
        },
        "CREATE INDEX IX_ID ON T (ID)");
    ds->SetIndexName("BY_ID");
    std::uniform_int_distribution<int32_t> nearEnd(kRecords - 1000, kRecords - 1);
    for (int i = 0; i < kKeys; ++i) keys.push_back(nearEnd(rng));
    source = new TDataSource(&owner);
    source->SetDataSet(ds);
    panel = new TQXClientFindPanel(&owner);
    panel->SetUpdateState(usNone);
    panel->SetDataSource(source);
    ds->AfterScroll = TDataSetNotifyEvent([this](TDataSet*) { ++visited; });
  }
  ~Data() { sqlite3_close(db); }
};

Data& D() {
  static Data d;
  return d;
}

// One search per iteration for the next key, from the first record.
void RunFind(benchmark::State& state, TFindOptions option) {
  Data& d = D();
  d.panel->SetFindOptions(option);
  TFieldRecord* id = d.panel->FieldByName("ID");
  id->SetCount(coOne);
  size_t i = 0;
  int64_t visited = 0;
  for (auto _ : state) {
    state.PauseTiming();
    d.ds->First();
    const int32_t key = d.keys[i++ % kKeys];
    id->SetAsVariant(0, key);
    d.visited = 0;
    state.ResumeTiming();
    if (!d.panel->Locate()) state.SkipWithError("not found");
    visited += d.visited;
    if (d.ds->FieldByName("ID")->GetAsInteger() != key) state.SkipWithError("wrong record");
  }
  state.counters["visited"] =
      benchmark::Counter(static_cast<double>(visited), benchmark::Counter::kAvgIterations);
}

void BM_FindPanel_Seek(benchmark::State& state) { RunFind(state, foFast); }
BENCHMARK(BM_FindPanel_Seek);

void BM_FindPanel_Scan(benchmark::State& state) { RunFind(state, foNormal); }
BENCHMARK(BM_FindPanel_Scan)->Unit(benchmark::kMillisecond);

// SQLite's own indexed lookup of the same keys.
void BM_SQLite_IndexedLookup(benchmark::State& state) {
  Data& d = D();
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(d.db, "SELECT ID, NAME FROM T WHERE ID = ? LIMIT 1", -1, &s, nullptr);
  size_t i = 0;
  for (auto _ : state) {
    sqlite3_bind_int(s, 1, d.keys[i++ % kKeys]);
    if (sqlite3_step(s) != SQLITE_ROW) state.SkipWithError("not found");
    benchmark::DoNotOptimize(sqlite3_column_int(s, 0));
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
}
BENCHMARK(BM_SQLite_IndexedLookup);

}  // namespace

BENCHMARK_MAIN();
