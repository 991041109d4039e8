// Costs of the value layer on the record-matching path: variant comparison
// of same and mixed kinds, the text of a date variant, and ordinal against
// ICU comparison of short texts, each next to a plain C++ baseline. Heap
// allocations are counted process-wide (malloc is wrapped, which also sees
// ICU's allocations) and reported per operation as "allocs".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sysutils/sysutils.h"
#include "platform/variants/variant.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);

namespace {
size_t g_allocations = 0;
}

extern "C" void* malloc(size_t n) {
  ++g_allocations;
  return __libc_malloc(n);
}
extern "C" void* calloc(size_t n, size_t m) {
  ++g_allocations;
  return __libc_calloc(n, m);
}
extern "C" void* realloc(void* p, size_t n) {
  ++g_allocations;
  return __libc_realloc(p, n);
}

namespace {

using namespace tabulon;

// Counts the allocations made inside the timed loop.
class AllocationCounter {
 public:
  explicit AllocationCounter(benchmark::State& state) : state_(state), start_(g_allocations) {}
  ~AllocationCounter() {
    state_.counters["allocs"] = benchmark::Counter(static_cast<double>(g_allocations - start_) /
                                                   static_cast<double>(state_.iterations()));
  }

 private:
  benchmark::State& state_;
  size_t start_;
};

// ---- int vs int ----
void BM_Baseline_IntCompare(benchmark::State& state) {
  int a = 17, b = 42;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    benchmark::DoNotOptimize(a < b ? -1 : a > b ? 1 : 0);
  }
}
BENCHMARK(BM_Baseline_IntCompare);

void BM_VarCompare_IntInt(benchmark::State& state) {
  Variant a(17), b(42);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(VarCompare(a, b));
  }
}
BENCHMARK(BM_VarCompare_IntInt);

// ---- int vs double ----
void BM_Baseline_IntDoubleCompare(benchmark::State& state) {
  int a = 17;
  double b = 42.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    long double x = a;
    benchmark::DoNotOptimize(x < b ? -1 : x > b ? 1 : 0);
  }
}
BENCHMARK(BM_Baseline_IntDoubleCompare);

void BM_VarCompare_IntDouble(benchmark::State& state) {
  Variant a(17), b(42.5);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(VarCompare(a, b));
  }
}
BENCHMARK(BM_VarCompare_IntDouble);

void BM_VarEquals_NullInt(benchmark::State& state) {
  Variant a = Null, b(42);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(a == b);
  }
}
BENCHMARK(BM_VarEquals_NullInt);

// ---- copies ----
void BM_Baseline_CopyInt(benchmark::State& state) {
  int a = 17;
  for (auto _ : state) {
    int b = a;
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_Baseline_CopyInt);

void BM_VarCopy_Int(benchmark::State& state) {
  Variant a(17);
  AllocationCounter count(state);
  for (auto _ : state) {
    Variant b = a;
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_VarCopy_Int);

void BM_VarCopy_String(benchmark::State& state) {
  Variant a("Smithsonian Institution");
  AllocationCounter count(state);
  for (auto _ : state) {
    Variant b = a;
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_VarCopy_String);

// ---- string vs string ----
const char* const kLeft = "Smith";
const char* const kRight = "smithy";

void BM_Baseline_StdStringCompare(benchmark::State& state) {
  std::string a(kLeft), b(kRight);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(a.compare(b));
  }
}
BENCHMARK(BM_Baseline_StdStringCompare);

void BM_CompareStr_Ordinal(benchmark::State& state) {
  std::string a(kLeft), b(kRight);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CompareStr(a, b));
  }
}
BENCHMARK(BM_CompareStr_Ordinal);

void BM_CompareText_Ordinal(benchmark::State& state) {
  std::string a(kLeft), b(kRight);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(CompareText(a, b));
  }
}
BENCHMARK(BM_CompareText_Ordinal);

void BM_AnsiCompareStr_Icu(benchmark::State& state) {
  std::string a(kLeft), b(kRight);
  AnsiCompareStr(a, b);  // opens the collator once
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(AnsiCompareStr(a, b));
  }
}
BENCHMARK(BM_AnsiCompareStr_Icu);

void BM_AnsiCompareText_Icu(benchmark::State& state) {
  std::string a(kLeft), b(kRight);
  AnsiCompareText(a, b);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(AnsiCompareText(a, b));
  }
}
BENCHMARK(BM_AnsiCompareText_Icu);

// Alternating locales defeats the per-thread last-collator cache: the cost
// of the registry lookup.
void BM_CompareStringA_TwoLocales(benchmark::State& state) {
  CompareStringA(1031, 0, "a", -1, "b", -1);
  CompareStringA(1033, NORM_IGNORECASE, "a", -1, "b", -1);
  AllocationCounter count(state);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(flip ? CompareStringA(1031, 0, kLeft, -1, kRight, -1)
                                  : CompareStringA(1033, NORM_IGNORECASE, kLeft, -1, kRight, -1));
  }
}
BENCHMARK(BM_CompareStringA_TwoLocales);

void BM_VarCompare_StrStr(benchmark::State& state) {
  Variant a(kLeft), b(kRight);
  VarCompare(a, b);
  AllocationCounter count(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(VarCompare(a, b));
  }
}
BENCHMARK(BM_VarCompare_StrStr);

// ---- text of a date ----
void BM_Baseline_SnprintfDate(benchmark::State& state) {
  for (auto _ : state) {
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d %s", 3, 5, 2024, 2, 7, 9, "PM");
    std::string s(buf, static_cast<size_t>(n));
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_Baseline_SnprintfDate);

void BM_VarToStr_Date(benchmark::State& state) {
  Variant d = VarFromDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0));
  AllocationCounter count(state);
  for (auto _ : state) benchmark::DoNotOptimize(VarToStr(d));
}
BENCHMARK(BM_VarToStr_Date);

void BM_StrToDateTime(benchmark::State& state) {
  AllocationCounter count(state);
  for (auto _ : state) benchmark::DoNotOptimize(StrToDateTime("3/5/2024 2:07:09 PM"));
}
BENCHMARK(BM_StrToDateTime);

}  // namespace

BENCHMARK_MAIN();
