// TList: the framework's list of untyped pointers, with its index errors.
#pragma once

#include <functional>
#include <vector>

#include "platform/core/object.h"

namespace tabulon {

/// A list of pointers; out-of-range indexes raise EListError "List index out of bounds (%d)".
class TList : public TObject {
  TBN_CLASS(TList, TObject)
 public:
  TList() = default;
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  /// Removes the first occurrence of `item`; returns its former index or -1.
  int Remove(void* item);
  int IndexOf(const void* item) const;
  void Clear() { items_.clear(); }
  void Move(int from, int to);
  void Exchange(int a, int b);
  /// Removes every null entry.
  void Pack();
  void Sort(const std::function<int(void*, void*)>& compare);
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  int Count() const { return static_cast<int>(items_.size()); }
  void SetCount(int count);
  void* Get(int index) const;
  void Put(int index, void* item);
  const std::vector<void*>& List() const { return items_; }

 private:
  void Check(int index) const;
  std::vector<void*> items_;
};

}  // namespace tabulon
