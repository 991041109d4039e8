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

namespace alloc_counter_detail {
inline void* Allocate(std::size_t n) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n ? n : 1);
}
}  // namespace alloc_counter_detail

// Every plain, array and nothrow form is replaced, so that no allocation of
// the runtime's own new (for instance a sanitizer's) is freed by the free()
// below.
void* operator new(std::size_t n) {
  if (void* p = alloc_counter_detail::Allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
  if (void* p = alloc_counter_detail::Allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  return alloc_counter_detail::Allocate(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
  return alloc_counter_detail::Allocate(n);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
