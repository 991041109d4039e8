// Record matching over a large client dataset: CheckRecord with three
// mapped records (string prefix, integer range, exact date) against a
// hand-written predicate over the same field values, plus the allocation
// count per record for the non-text record tests.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/alloc_counter.h"
#include "platform/core/class_builder.h"
#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset.h"

namespace tabulon {

// A fields panel without controls, enough to own a field list.
class TBenchFieldsSet : public TComponent, public TFieldsSetModel {
  TBN_CLASS(TBenchFieldsSet, TComponent)
 public:
  explicit TBenchFieldsSet(TComponent* owner) : TComponent(owner) {
    Fields = new TFieldsList(this, TFilterRecord::StaticClass());
  }
  ~TBenchFieldsSet() override { DestroyFieldsSet(); }
  TComponent* GetComponent() const override { return const_cast<TBenchFieldsSet*>(this); }
};
TBN_REGISTER(TBenchFieldsSet) {}

namespace {

constexpr int kRecords = 1000000;
const char* const kNames[] = {"Smith",  "Jones",   "Miller", "smythe", "Brown",  "Smallwood",
                              "Davis",  "Garcia",  "Wilson", "Moore",  "Taylor", "Anderson",
                              "Thomas", "Jackson", "White",  "Harris", "Martin", "SMITH"};

struct Fixture {
  Fixture() {
    owner = new TComponent(nullptr);
    ds = new TClientDataSet(owner);
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetFieldDefs()->Add("AGE", ftInteger);
    ds->GetFieldDefs()->Add("BORN", ftDate);
    ds->GetFieldDefs()->Add("SCORE", ftFloat);
    ds->GetFieldDefs()->Add("ACTIVE", ftBoolean);
    ds->CreateDataSet();
    ds->Reserve(kRecords);
    ds->DisableControls();
    base = EncodeDate(1990, 1, 1);
    for (int i = 0; i < kRecords; ++i) {
      ds->AppendRecord({Variant(kNames[i % 18]), Variant(int32_t(i % 97)),
                        Variant::FromDate(base + (i * 7) % 11), Variant(double(i % 13) / 2),
                        Variant(i % 3 == 0)});
    }
    ds->EnableControls();
    source = new TDataSource(owner);
    source->SetDataSet(ds);
    name = ds->FieldByName("NAME");
    age = ds->FieldByName("AGE");
    born = ds->FieldByName("BORN");
    score = ds->FieldByName("SCORE");
    active = ds->FieldByName("ACTIVE");
  }
  TComponent* owner;
  TClientDataSet* ds;
  TDataSource* source;
  TField *name, *age, *born, *score, *active;
  double base;
};

Fixture& Data() {
  static Fixture* f = new Fixture();  // lives for the process
  return *f;
}

// A panel over the dataset with values in the given records.
TBenchFieldsSet* MakePanel(bool withString) {
  Fixture& f = Data();
  auto* panel = new TBenchFieldsSet(nullptr);
  panel->SetDataSource(f.source);
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  list->BeginUpdate();
  if (withString) list->Add()->SetFieldName("NAME");
  list->Add()->SetFieldName("AGE");
  list->Add()->SetFieldName("BORN");
  if (!withString) {
    list->Add()->SetFieldName("SCORE");
    list->Add()->SetFieldName("ACTIVE");
  }
  list->EndUpdate();
  list->SetFields();
  if (withString) panel->FindField("NAME")->SetAsString(0, "Sm");  // initial part
  panel->FindField("AGE")->SetAsInteger(0, 20);                    // exact range 20..60
  panel->FindField("AGE")->SetAsInteger(1, 60);
  TFieldRecord* born = panel->FindField("BORN");
  born->SetCount(coOne);  // exact date
  born->SetAsDateTime(0, f.base + 3);
  if (!withString) {
    panel->FindField("SCORE")->SetAsFloat(0, 0.0);
    panel->FindField("ACTIVE")->SetAsBoolean(0, true);
  }
  return panel;
}

bool HandWritten(const Fixture& f, double date) {
  Variant n = f.name->GetValue();
  if (n.IsNull()) return false;
  std::string_view s = n.StrView();
  if (CompareLocale(LOCALE_USER_DEFAULT, Utf8Left(s, 2), "Sm", true) != 0) return false;
  Variant a = f.age->GetValue();
  if (a.IsNull()) return false;
  int32_t age = a.AsInteger();
  if (age < 20 || age > 60) return false;
  Variant b = f.born->GetValue();
  return !b.IsNull() && b.AsDate() == date;
}

void BM_HandWrittenPredicate(benchmark::State& state) {
  Fixture& f = Data();
  long long hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (f.ds->First(); !f.ds->GetEof(); f.ds->Next()) hits += HandWritten(f, f.base + 3);
  }
  state.counters["matches"] = static_cast<double>(hits);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_HandWrittenPredicate)->Unit(benchmark::kMillisecond);

void BM_CheckRecord(benchmark::State& state) {
  Fixture& f = Data();
  TBenchFieldsSet* panel = MakePanel(true);
  const int last = static_cast<int>(panel->GetFields()->GetFieldMap().size()) - 1;
  long long hits = 0;
  for (auto _ : state) {
    hits = 0;
    for (f.ds->First(); !f.ds->GetEof(); f.ds->Next()) hits += panel->CheckRecord(0, last);
  }
  state.counters["matches"] = static_cast<double>(hits);
  state.SetItemsProcessed(state.iterations() * kRecords);
  TObject::Free(panel);
}
BENCHMARK(BM_CheckRecord)->Unit(benchmark::kMillisecond);

// Navigation alone, to read the two above net of moving through the dataset.
void BM_NavigationOnly(benchmark::State& state) {
  Fixture& f = Data();
  long long allocations = 0;
  for (auto _ : state) {
    long long n = 0;
    f.ds->First();
    long long before = g_allocations.load();
    for (; !f.ds->GetEof(); f.ds->Next()) ++n;
    allocations = g_allocations.load() - before;
    benchmark::DoNotOptimize(n);
  }
  state.counters["allocs_per_record"] = static_cast<double>(allocations) / kRecords;
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_NavigationOnly)->Unit(benchmark::kMillisecond);

// Integer range, exact date, float and boolean records: heap allocations
// per record inside CheckRecord must be zero.
void BM_CheckRecordNonText(benchmark::State& state) {
  Fixture& f = Data();
  TBenchFieldsSet* panel = MakePanel(false);
  const int last = static_cast<int>(panel->GetFields()->GetFieldMap().size()) - 1;
  long long hits = 0, allocations = 0;
  for (auto _ : state) {
    hits = 0;
    allocations = 0;
    // Only the allocations inside CheckRecord count; moving to the next
    // record is the dataset's business (see BM_NavigationOnly).
    for (f.ds->First(); !f.ds->GetEof(); f.ds->Next()) {
      long long before = g_allocations.load(std::memory_order_relaxed);
      hits += panel->CheckRecord(0, last);
      allocations += g_allocations.load(std::memory_order_relaxed) - before;
    }
  }
  state.counters["matches"] = static_cast<double>(hits);
  state.counters["allocs_per_record"] = static_cast<double>(allocations) / kRecords;
  state.SetItemsProcessed(state.iterations() * kRecords);
  TObject::Free(panel);
}
BENCHMARK(BM_CheckRecordNonText)->Unit(benchmark::kMillisecond);

// The same count for the three-record map with the string prefix.
void BM_CheckRecordAllocations(benchmark::State& state) {
  Fixture& f = Data();
  TBenchFieldsSet* panel = MakePanel(true);
  const int last = static_cast<int>(panel->GetFields()->GetFieldMap().size()) - 1;
  long long allocations = 0;
  for (auto _ : state) {
    allocations = 0;
    for (f.ds->First(); !f.ds->GetEof(); f.ds->Next()) {
      long long before = g_allocations.load(std::memory_order_relaxed);
      benchmark::DoNotOptimize(panel->CheckRecord(0, last));
      allocations += g_allocations.load(std::memory_order_relaxed) - before;
    }
  }
  state.counters["allocs_per_record"] = static_cast<double>(allocations) / kRecords;
  TObject::Free(panel);
}
BENCHMARK(BM_CheckRecordAllocations)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
