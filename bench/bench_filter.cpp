// The filter panel's hot path over 1,000,000 records (an integer, a
// 20-character string, a date, a float), three ways in one run with the same
// criteria (a case-insensitive string prefix, an integer range, an exact
// date): a hand-written loop over a vector of the values, the filter panel
// filtering a client dataset (Filtered on, then a full First..Eof walk), and
// SQLite's WHERE scan over the same rows in an in-memory database without an
// index. A fourth run with integer, float and date criteria counts the heap
// allocations per record of the filtered walk.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset.h"

// ---- Allocation counting ----

static std::atomic<long long> g_allocations{0};

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

using namespace tabulon;

namespace {

constexpr int kRecords = 1000000;
const char* const kNames[] = {"Smith",  "Jones",   "Miller", "smythe", "Brown",  "Smallwood",
                              "Davis",  "Garcia",  "Wilson", "Moore",  "Taylor", "Anderson",
                              "Thomas", "Jackson", "White",  "Harris", "Martin", "SMITH"};
constexpr int kLow = 20, kHigh = 60;

struct Row {
  int32_t Age;
  char Name[21];
  double Born;
  double Score;
};

struct Data {
  std::vector<Row> rows;
  double base = EncodeDate(1990, 1, 1);
  double date = base + 3;
  TComponent* owner = new TComponent(nullptr);  // lives for the process
  TClientDataSet* ds = nullptr;
  TDataSource* source = nullptr;
  sqlite3* db = nullptr;

  Data() {
    rows.resize(kRecords);
    ds = new TClientDataSet(owner);
    ds->GetFieldDefs()->Add("AGE", ftInteger);
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetFieldDefs()->Add("BORN", ftDate);
    ds->GetFieldDefs()->Add("SCORE", ftFloat);
    ds->CreateDataSet();
    ds->Reserve(kRecords);
    ds->DisableControls();
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, "CREATE TABLE T (AGE INTEGER, NAME TEXT, BORN REAL, SCORE REAL); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO T VALUES (?, ?, ?, ?)", -1, &insert, nullptr);
    for (int i = 0; i < kRecords; ++i) {
      Row& r = rows[static_cast<size_t>(i)];
      r.Age = i % 97;
      // Exactly 20 characters: a surname padded with a number.
      std::string name = kNames[i % 18] + std::to_string(1000000000000000000LL + i);
      std::memcpy(r.Name, name.data(), 20);
      r.Name[20] = 0;
      r.Born = base + (i * 7) % 11;
      r.Score = (i % 13) / 2.0;
      ds->AppendRecord({Variant(r.Age), Variant(std::string(r.Name)), Variant::FromDate(r.Born),
                        Variant(r.Score)});
      sqlite3_bind_int(insert, 1, r.Age);
      sqlite3_bind_text(insert, 2, r.Name, 20, SQLITE_STATIC);
      sqlite3_bind_double(insert, 3, r.Born);
      sqlite3_bind_double(insert, 4, r.Score);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    ds->EnableControls();
    source = new TDataSource(owner);
    source->SetDataSet(ds);
  }
};

Data& D() {
  static Data* d = new Data();
  return *d;
}

// The same criteria as the panel's records, in the same order.
bool Matches(const Row& r, double date) {
  if (CompareLocale(LOCALE_USER_DEFAULT, Utf8Left(r.Name, 2), "Sm", true) != 0) return false;
  if (r.Age < kLow || r.Age > kHigh) return false;
  return r.Born == date;
}

void BM_HandWrittenLoop(benchmark::State& state) {
  Data& d = D();
  long long hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (const Row& r : d.rows) hits += Matches(r, d.date);
    benchmark::DoNotOptimize(hits);
  }
  state.counters["matches"] = static_cast<double>(hits);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_HandWrittenLoop)->Unit(benchmark::kMillisecond);

// A filter panel over the dataset: a string prefix, an integer range and an
// exact date, or (withoutText) the integer range, the exact date and a float.
TDBFilterPanel* MakePanel(bool withText) {
  Data& d = D();
  auto* panel = new TDBFilterPanel(nullptr);
  panel->SetDataSource(d.source);
  panel->BeginUpdate();
  if (withText) {
    TFieldRecord* name = panel->FindField("NAME");
    name->SetCompare(ctInitial);
    name->SetAsString(0, "Sm");
  }
  TFieldRecord* age = panel->FindField("AGE");
  age->SetCount(coTwo);
  age->SetAsInteger(0, kLow);
  age->SetAsInteger(1, kHigh);
  TFieldRecord* born = panel->FindField("BORN");
  born->SetCount(coOne);
  born->SetAsDateTime(0, d.date);
  if (!withText) {
    TFieldRecord* score = panel->FindField("SCORE");
    score->SetCount(coTwo);
    score->SetAsFloat(0, 1.0);
  }
  panel->SetFiltered(true);
  panel->EndUpdate();
  return panel;
}

void WalkFiltered(benchmark::State& state, bool withText) {
  Data& d = D();
  TDBFilterPanel* panel = MakePanel(withText);
  long long hits = 0, allocations = 0;
  for (auto _ : state) {
    hits = 0;
    const long long before = g_allocations.load(std::memory_order_relaxed);
    for (d.ds->First(); !d.ds->GetEof(); d.ds->Next()) ++hits;
    allocations = g_allocations.load(std::memory_order_relaxed) - before;
    benchmark::DoNotOptimize(hits);
  }
  state.counters["matches"] = static_cast<double>(hits);
  state.counters["allocs_per_record"] = static_cast<double>(allocations) / kRecords;
  state.SetItemsProcessed(state.iterations() * kRecords);
  TObject::Free(panel);
}

void BM_FilterPanel(benchmark::State& state) { WalkFiltered(state, true); }
BENCHMARK(BM_FilterPanel)->Unit(benchmark::kMillisecond);

void BM_FilterPanelNonText(benchmark::State& state) { WalkFiltered(state, false); }
BENCHMARK(BM_FilterPanelNonText)->Unit(benchmark::kMillisecond);

void BM_SQLiteWhereScan(benchmark::State& state) {
  Data& d = D();
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(d.db,
                     "SELECT AGE, NAME, BORN, SCORE FROM T "
                     "WHERE NAME LIKE 'Sm%' AND AGE BETWEEN ?1 AND ?2 AND BORN = ?3",
                     -1, &select, nullptr);
  long long hits = 0;
  for (auto _ : state) {
    hits = 0;
    sqlite3_bind_int(select, 1, kLow);
    sqlite3_bind_int(select, 2, kHigh);
    sqlite3_bind_double(select, 3, d.date);
    while (sqlite3_step(select) == SQLITE_ROW) ++hits;
    sqlite3_reset(select);
    benchmark::DoNotOptimize(hits);
  }
  sqlite3_finalize(select);
  state.counters["matches"] = static_cast<double>(hits);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SQLiteWhereScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
