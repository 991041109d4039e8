// Object model costs: creating and destroying owned components, and reading a
// published property by name against a direct getter call.
#include <benchmark/benchmark.h>

#include "platform/core/component.h"
#include "platform/core/props.h"

namespace {

using namespace tabulon;

// Baseline: the same number of plain heap objects in a vector.
void BM_PlainObjects100k(benchmark::State& state) {
  struct Plain {
    std::string name;
    int tag = 0;
  };
  for (auto _ : state) {
    std::vector<std::unique_ptr<Plain>> v;
    v.reserve(100000);
    for (int i = 0; i < 100000; ++i) v.push_back(std::make_unique<Plain>());
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_PlainObjects100k)->Unit(benchmark::kMillisecond);

void BM_CreateDestroyOwned100k(benchmark::State& state) {
  for (auto _ : state) {
    auto* root = new TComponent(nullptr);
    for (int i = 0; i < 100000; ++i) new TComponent(root);
    TObject::Free(root);
  }
}
BENCHMARK(BM_CreateDestroyOwned100k)->Unit(benchmark::kMillisecond);

void BM_TagDirect(benchmark::State& state) {
  TComponent c(nullptr);
  c.SetTag(7);
  for (auto _ : state) benchmark::DoNotOptimize(c.GetTag());
}
BENCHMARK(BM_TagDirect);

void BM_TagByName(benchmark::State& state) {
  TComponent c(nullptr);
  c.SetTag(7);
  for (auto _ : state) benchmark::DoNotOptimize(GetOrdProp(&c, "Tag"));
}
BENCHMARK(BM_TagByName);

void BM_TagByDescriptor(benchmark::State& state) {
  TComponent c(nullptr);
  c.SetTag(7);
  const TPropInfo* p = GetPropInfo(&c, "Tag");
  for (auto _ : state) benchmark::DoNotOptimize(GetOrdProp(&c, p));
}
BENCHMARK(BM_TagByDescriptor);

}  // namespace

BENCHMARK_MAIN();
