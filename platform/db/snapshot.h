// A copy of a short list of pointers, taken before calling out to each of
// them so that the callees may attach or detach while the list is walked.
// Datasets notify their data sources (and sources their links) on every
// move; the usual handful of entries is held inline, so that moving through
// a dataset does not touch the heap. Longer lists fall back to a vector.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace tabulon::detail {

template <class T, size_t N = 8>
class TPointerSnapshot {
 public:
  explicit TPointerSnapshot(const std::vector<T*>& list) : size_(list.size()) {
    if (size_ <= N)
      std::copy(list.begin(), list.end(), inline_.begin());
    else
      heap_.assign(list.begin(), list.end());
  }
  T* const* begin() const { return size_ <= N ? inline_.data() : heap_.data(); }
  T* const* end() const { return begin() + size_; }

 private:
  size_t size_;               // entries copied
  std::array<T*, N> inline_;  // the entries when there are at most N
  std::vector<T*> heap_;      // the entries otherwise
};

/// Whether `item` is still in `list` (it may have left during a callback).
template <class T>
bool StillListed(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace tabulon::detail
