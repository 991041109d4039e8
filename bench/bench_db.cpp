// Dataset layer benchmarks. Each dataset operation runs next to a baseline
// over the same data in the same run: a std::vector of structs for the
// client dataset (the physical limit), a raw sqlite3_step loop for the
// SQLite table and query. Heap allocations made while walking are counted
// and reported per record as "allocs_per_record".
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"

using namespace tabulon;

// ---- Allocation counting ----

static std::atomic<long long> g_allocations{0};

// The replacement pairs malloc with free for every form of new and delete.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t n) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kRecords = 1000000;

// Reports the allocations made in its lifetime per processed record.
class AllocationsPerRecord {
 public:
  explicit AllocationsPerRecord(benchmark::State& state) : state_(state), start_(g_allocations) {}
  ~AllocationsPerRecord() {
    double records = static_cast<double>(state_.iterations()) * kRecords;
    state_.counters["allocs_per_record"] =
        static_cast<double>(g_allocations.load() - start_) / records;
  }

 private:
  benchmark::State& state_;
  long long start_;
};

struct Rec {
  int32_t Id;
  char Name[21];
  double Born;
  double Score;
  bool Active;
};

std::string NameOf(int i) {
  static const char* const first[] = {"Anna", "Bert", "Carla", "Dirk", "Elif", "Fritz", "Gina"};
  return std::string(first[i % 7]) + " " + std::to_string(i * 7919 % 1000003);
}

struct Data {
  std::vector<Rec> vec;
  std::vector<int32_t> sortedIds;
  std::unique_ptr<TClientDataSet> cds;
  std::string dbPath;
  std::unique_ptr<TSQLiteConnection> conn;

  Data() {
    std::mt19937 rng(42);
    std::vector<int32_t> ids(kRecords);
    for (int i = 0; i < kRecords; ++i) ids[static_cast<size_t>(i)] = i;
    std::shuffle(ids.begin(), ids.end(), rng);
    vec.resize(kRecords);
    cds = std::make_unique<TClientDataSet>(nullptr);
    cds->GetFieldDefs()->Add("ID", ftInteger);
    cds->GetFieldDefs()->Add("NAME", ftString, 20);
    cds->GetFieldDefs()->Add("BORN", ftDate);
    cds->GetFieldDefs()->Add("SCORE", ftFloat);
    cds->GetFieldDefs()->Add("ACTIVE", ftBoolean);
    cds->GetIndexDefs()->Add("BY_ID", "ID", {ixUnique});
    cds->CreateDataSet();
    cds->Reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
      Rec& r = vec[static_cast<size_t>(i)];
      r.Id = ids[static_cast<size_t>(i)];
      std::string n = NameOf(i);
      std::snprintf(r.Name, sizeof r.Name, "%s", n.c_str());
      r.Born = 20000.0 + i % 20000;
      r.Score = (i % 1000) / 10.0;
      r.Active = i % 3 != 0;
      cds->AppendRecord({Variant(r.Id), Variant(n), Variant::FromDate(r.Born), Variant(r.Score),
                         Variant(r.Active)});
    }
    sortedIds = ids;
    std::sort(sortedIds.begin(), sortedIds.end());
    cds->First();
  }

  // The same rows in a SQLite file, created on first use.
  TSQLiteConnection* Sqlite() {
    if (conn) return conn.get();
    dbPath = "/tmp/tabulon_bench_db_" + std::to_string(::getpid()) + ".db";
    std::remove(dbPath.c_str());
    conn = std::make_unique<TSQLiteConnection>(nullptr);
    conn->SetFileName(dbPath);
    conn->SetCreateIfMissing(true);
    conn->ExecSQL(
        "CREATE TABLE PEOPLE (ID INTEGER, NAME VARCHAR(20), BORN DATE, SCORE REAL, ACTIVE "
        "BOOLEAN)");
    sqlite3* db = conn->Handle();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO PEOPLE VALUES (?,?,?,?,?)", -1, &ins, nullptr);
    for (const Rec& r : vec) {
      sqlite3_bind_int(ins, 1, r.Id);
      sqlite3_bind_text(ins, 2, r.Name, -1, SQLITE_STATIC);
      sqlite3_bind_double(ins, 3, r.Born + 2415018.5);  // Julian day
      sqlite3_bind_double(ins, 4, r.Score);
      sqlite3_bind_int(ins, 5, r.Active);
      sqlite3_step(ins);
      sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return conn.get();
  }
  ~Data() {
    conn.reset();
    if (!dbPath.empty()) std::remove(dbPath.c_str());
  }
};

Data& D() {
  static Data d;
  return d;
}

// ---- Plain scan ----

void BM_Baseline_Scan(benchmark::State& state) {
  auto& v = D().vec;
  for (auto _ : state) {
    for (const Rec& r : v) benchmark::DoNotOptimize(&r);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Baseline_Scan)->Unit(benchmark::kMillisecond);

// Visiting each record as a dataset does when it makes it current.
void BM_Baseline_ScanTouch(benchmark::State& state) {
  auto& v = D().vec;
  for (auto _ : state) {
    for (const Rec& r : v) benchmark::DoNotOptimize(r.Id);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Baseline_ScanTouch)->Unit(benchmark::kMillisecond);

void BM_Client_Scan(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  AllocationsPerRecord count(state);
  for (auto _ : state) {
    for (d->First(); !d->GetEof(); d->Next()) benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Client_Scan)->Unit(benchmark::kMillisecond);

// A data-aware control's view of the dataset: every move is told to it.
class TCountingLink : public TDataLink {
 public:
  long long Scrolls = 0;

 protected:
  void DataSetScrolled(int) override { ++Scrolls; }
};

// The same walk with a data source and a link attached, as under a grid or
// a fields panel: each Next notifies the source and the link.
void BM_Client_ScanLinked(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  TDataSource source(nullptr);
  source.SetDataSet(d);
  TCountingLink link;
  link.SetDataSource(&source);
  AllocationsPerRecord count(state);
  for (auto _ : state) {
    for (d->First(); !d->GetEof(); d->Next()) benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(link.Scrolls);
  state.SetItemsProcessed(state.iterations() * kRecords);
  link.SetDataSource(nullptr);
}
BENCHMARK(BM_Client_ScanLinked)->Unit(benchmark::kMillisecond);

// ---- Scan reading one field ----

void BM_Baseline_ScanReadField(benchmark::State& state) {
  auto& v = D().vec;
  for (auto _ : state) {
    double sum = 0;
    for (const Rec& r : v) sum += r.Score;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Baseline_ScanReadField)->Unit(benchmark::kMillisecond);

void BM_Client_ScanReadValue(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  TField* f = d->FieldByName("SCORE");
  for (auto _ : state) {
    double sum = 0;
    for (d->First(); !d->GetEof(); d->Next()) sum += f->GetValue().AsDouble();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Client_ScanReadValue)->Unit(benchmark::kMillisecond);

void BM_Client_ScanReadAsFloat(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  TField* f = d->FieldByName("SCORE");
  for (auto _ : state) {
    double sum = 0;
    for (d->First(); !d->GetEof(); d->Next()) sum += f->GetAsFloat();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Client_ScanReadAsFloat)->Unit(benchmark::kMillisecond);

// ---- Filtered scan ----

void BM_Baseline_FilteredScan(benchmark::State& state) {
  auto& v = D().vec;
  for (auto _ : state) {
    int n = 0;
    for (const Rec& r : v)
      if (r.Id % 2 == 0) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Baseline_FilteredScan)->Unit(benchmark::kMillisecond);

// Argument 1: with a data source and a link attached.
void BM_Client_FilteredScan(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  TDataSource source(nullptr);
  TCountingLink link;
  if (state.range(0)) {
    source.SetDataSet(d);
    link.SetDataSource(&source);
  }
  TField* f = d->FieldByName("ID");
  d->SetOnFilterRecord(
      TFilterRecordEvent([f](TDataSet*, bool& accept) { accept = f->GetAsInteger() % 2 == 0; }));
  d->SetFiltered(true);
  AllocationsPerRecord count(state);
  for (auto _ : state) {
    int n = 0;
    for (d->First(); !d->GetEof(); d->Next()) ++n;
    benchmark::DoNotOptimize(n);
  }
  d->SetFiltered(false);
  d->SetOnFilterRecord(TFilterRecordEvent());
  state.SetItemsProcessed(state.iterations() * kRecords);
  link.SetDataSource(nullptr);
}
BENCHMARK(BM_Client_FilteredScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ---- Locate on an unindexed field (a value near the end) ----

void BM_Baseline_Locate(benchmark::State& state) {
  auto& v = D().vec;
  std::string want = NameOf(kRecords - 10);
  for (auto _ : state) {
    auto it = std::find_if(v.begin(), v.end(), [&](const Rec& r) { return want == r.Name; });
    benchmark::DoNotOptimize(it);
  }
}
BENCHMARK(BM_Baseline_Locate)->Unit(benchmark::kMillisecond);

void BM_Client_Locate(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  Variant want(NameOf(kRecords - 10));
  for (auto _ : state) {
    d->First();
    benchmark::DoNotOptimize(d->Locate("NAME", want, {}));
  }
}
BENCHMARK(BM_Client_Locate)->Unit(benchmark::kMillisecond);

// ---- Keyed search on an index ----

void BM_Baseline_KeySearch(benchmark::State& state) {
  auto& ids = D().sortedIds;
  std::mt19937 rng(1);
  for (auto _ : state) {
    int32_t key = static_cast<int32_t>(rng() % kRecords);
    benchmark::DoNotOptimize(std::lower_bound(ids.begin(), ids.end(), key));
  }
}
BENCHMARK(BM_Baseline_KeySearch);

void BM_Client_GotoKey(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  d->SetIndexName("BY_ID");
  TField* id = d->FieldByName("ID");
  std::mt19937 rng(1);
  for (auto _ : state) {
    d->SetKey();
    id->SetAsInteger(static_cast<int32_t>(rng() % kRecords));
    benchmark::DoNotOptimize(d->GotoKey());
  }
  d->SetIndexName("");
}
BENCHMARK(BM_Client_GotoKey);

// ---- Moving by record number ----

void BM_Baseline_RecNo(benchmark::State& state) {
  auto& v = D().vec;
  std::mt19937 rng(2);
  for (auto _ : state) benchmark::DoNotOptimize(&v[rng() % kRecords]);
}
BENCHMARK(BM_Baseline_RecNo);

void BM_Client_RecNo(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  std::mt19937 rng(2);
  for (auto _ : state) {
    d->SetRecNo(static_cast<int>(rng() % kRecords) + 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Client_RecNo);

// ---- Memory ----

void BM_Client_BytesPerRecord(benchmark::State& state) {
  TClientDataSet* d = D().cds.get();
  for (auto _ : state) benchmark::DoNotOptimize(d->MemoryBytes());
  state.counters["bytes_per_record"] = static_cast<double>(d->MemoryBytes()) / kRecords;
  state.counters["baseline_bytes_per_record"] = sizeof(Rec);
}
BENCHMARK(BM_Client_BytesPerRecord)->Iterations(1);

// ---- SQLite: open and scan ----

void BM_Baseline_SqliteStepLoop(benchmark::State& state) {
  sqlite3* db = D().Sqlite()->Handle();
  for (auto _ : state) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM PEOPLE", -1, &s, nullptr);
    double sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
      sum += sqlite3_column_int(s, 0);
      benchmark::DoNotOptimize(sqlite3_column_text(s, 1));
      sum += sqlite3_column_double(s, 2) + sqlite3_column_double(s, 3) + sqlite3_column_int(s, 4);
    }
    sqlite3_finalize(s);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Baseline_SqliteStepLoop)->Unit(benchmark::kMillisecond);

template <class T>
void OpenScan(benchmark::State& state, T* d) {
  for (auto _ : state) {
    d->Open();
    for (d->First(); !d->GetEof(); d->Next()) benchmark::ClobberMemory();
    d->Close();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Table_OpenScan(benchmark::State& state) {
  TTable t(nullptr);
  t.SetConnection(D().Sqlite());
  t.SetTableName("PEOPLE");
  OpenScan(state, &t);
}
BENCHMARK(BM_Table_OpenScan)->Unit(benchmark::kMillisecond);

void BM_Query_OpenScan(benchmark::State& state) {
  TQuery q(nullptr);
  q.SetConnection(D().Sqlite());
  q.GetSQL()->SetText("SELECT * FROM PEOPLE");
  OpenScan(state, &q);
}
BENCHMARK(BM_Query_OpenScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
