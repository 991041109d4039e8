// Counting heap allocations in a benchmark executable: every form of
// operator new goes through the replacement below and bumps g_allocations.
// Include it from exactly one source file of an executable.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long long> g_allocations{0};

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
