// The finder next to the index object it searches through, on the same
// 100,000 client-dataset records and the same keys in the same run: what the
// key list (converted to a variant array per search) and the finder add to a
// bisection search, for an integer key and for a two-field key with a text.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/fixed_index.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field_defs.h"
#include "run/tbnfinder.h"

using namespace tabulon;

namespace {

constexpr int kRecords = 100000;
constexpr int kKeys = 4096;

struct Data {
  TComponent owner{nullptr};
  TClientDataSet* ds = new TClientDataSet(&owner);
  std::vector<int32_t> ids;
  std::vector<std::string> cities;

  Data() {
    static const char* const kCities[] = {"Berlin", "Köln", "Lyon", "Milano", "Paris", "Wien"};
    std::mt19937 rng(11);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("CITY", ftString, 20);
    ds->CreateDataSet();
    ds->Reserve(kRecords);
    for (int i = 0; i < kRecords; ++i)
      ds->AppendRecord({Variant(2 * i), Variant(kCities[rng() % std::size(kCities)])});
    for (int i = 0; i < kKeys; ++i) {
      ids.push_back(std::uniform_int_distribution<int32_t>(0, 2 * kRecords)(rng));
      cities.push_back(kCities[rng() % std::size(kCities)]);
    }
  }
};

Data& D() {
  static Data d;
  return d;
}

void BM_IndexSeek_Integer(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexFieldNames("ID");
  TFixedIndex index(d.ds);
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        index.Seek(VarArrayOf({Variant(d.ids[i++ % kKeys])}), dsoAfterEQ, dgoLast));
}
BENCHMARK(BM_IndexSeek_Integer);

void BM_FinderFindNearest_Integer(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexFieldNames("ID");
  TQXFinder finder(&d.owner);
  finder.SetDataSet(d.ds);
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(finder.FindNearest({d.ids[i++ % kKeys]}));
}
BENCHMARK(BM_FinderFindNearest_Integer);

void BM_IndexSeek_TextAndInteger(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexFieldNames("CITY;ID");
  TFixedIndex index(d.ds);
  size_t i = 0;
  for (auto _ : state) {
    const size_t k = i++ % kKeys;
    benchmark::DoNotOptimize(
        index.Seek(VarArrayOf({Variant(d.cities[k]), Variant(d.ids[k])}), dsoAfterEQ, dgoLast));
  }
}
BENCHMARK(BM_IndexSeek_TextAndInteger);

void BM_FinderFindNearest_TextAndInteger(benchmark::State& state) {
  Data& d = D();
  d.ds->SetIndexFieldNames("CITY;ID");
  TQXFinder finder(&d.owner);
  finder.SetDataSet(d.ds);
  size_t i = 0;
  for (auto _ : state) {
    const size_t k = i++ % kKeys;
    benchmark::DoNotOptimize(finder.FindNearest({d.cities[k], d.ids[k]}));
  }
}
BENCHMARK(BM_FinderFindNearest_TextAndInteger);

}  // namespace

BENCHMARK_MAIN();
