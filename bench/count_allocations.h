// Counts heap allocations: replaces the global operator new of the
// executable that includes this header (include it in exactly one source
// file of that executable). Benchmarks and allocation tests read
// AllocationCount() before and after the code they watch.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace tabulon::heap {
inline std::atomic<long long> g_allocationCount{0};
/// Allocations made through operator new so far.
inline long long AllocationCount() { return g_allocationCount.load(std::memory_order_relaxed); }
}  // namespace tabulon::heap

// The replacement pairs malloc with free for every form of new and delete.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t n) {
  tabulon::heap::g_allocationCount.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
