#include "platform/core/list.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TList) {}

void TList::Check(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(ResStr("SListIndexError"), {index}));
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) throw EListError(Format(ResStr("SListIndexError"), {index}));
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  int i = IndexOf(item);
  if (i >= 0) Delete(i);
  return i;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Move(int from, int to) {
  if (from == to) return;
  Check(from);
  Check(to);
  void* item = items_[from];
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, item);
}

void TList::Exchange(int a, int b) {
  Check(a);
  Check(b);
  std::swap(items_[a], items_[b]);
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TList::Sort(const std::function<int(void*, void*)>& compare) {
  std::stable_sort(items_.begin(), items_.end(),
                   [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::SetCount(int count) {
  if (count < 0) throw EListError(Format(ResStr("SListCountError"), {count}));
  items_.resize(static_cast<size_t>(count), nullptr);
}

void* TList::Get(int index) const {
  Check(index);
  return items_[index];
}

void TList::Put(int index, void* item) {
  Check(index);
  items_[index] = item;
}

}  // namespace tabulon
