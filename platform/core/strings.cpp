// String lists: the framework's TStrings contract over a vector of entries.
#include "platform/core/strings.h"

#include <algorithm>
#include <cctype>

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TStrings) {}
TBN_REGISTER(TStringList) {
  b.Property("Sorted", &TStringList::GetSorted, &TStringList::SetSorted).Default(false);
  b.Property("Duplicates", &TStringList::GetDuplicates, &TStringList::SetDuplicates)
      .Default(dupIgnore);
  b.Property("CaseSensitive", &TStringList::GetCaseSensitive, &TStringList::SetCaseSensitive)
      .Default(false);
  b.Property("OnChange", &TStringList::OnChange);
  b.Property("OnChanging", &TStringList::OnChanging);
}

namespace {

int DefaultCompare(const std::string& a, const std::string& b, bool caseSensitive) {
  if (caseSensitive) return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

TStringCompare& CompareHook() {
  static TStringCompare hook = &DefaultCompare;
  return hook;
}

}  // namespace

void SetStringListCompare(TStringCompare compare) {
  CompareHook() = compare ? compare : &DefaultCompare;
}

// --- TStrings -----------------------------------------------------------------

void TStrings::Error(const std::string& key, int index) const {
  throw EStringListError(Format(ResStr(key), {index}));
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
  return CompareHook()(a, b, false);
}

void TStrings::Put(int index, const std::string& s) {
  TObject* obj = GetObject(index);
  Delete(index);
  InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const std::string& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

int TStrings::Add(const std::string& s) {
  int i = Count();
  Insert(i, s);
  return i;
}

int TStrings::AddObject(const std::string& s, TObject* obj) {
  int i = Add(s);
  PutObject(i, obj);
  return i;
}

void TStrings::AddStrings(const TStrings* strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < strings->Count(); ++i) AddObject(strings->Get(i), strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  BeginUpdate();
  try {
    std::string sa = Get(a);
    TObject* oa = GetObject(a);
    Put(a, Get(b));
    PutObject(a, GetObject(b));
    Put(b, sa);
    PutObject(b, oa);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  BeginUpdate();
  try {
    std::string s = Get(from);
    TObject* obj = GetObject(from);
    Delete(from);
    InsertObject(to, s, obj);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    size_t eq = s.find('=');
    if (eq != std::string::npos && CompareStrings(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

bool TStrings::Equals(const TStrings* other) const {
  if (Count() != other->Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other->Get(i)) return false;
  return true;
}

std::string TStrings::GetNames(int index) const {
  std::string s = Get(index);
  size_t eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::GetValues(const std::string& name) const {
  int i = IndexOfName(name);
  if (i < 0) return {};
  std::string s = Get(i);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (!value.empty()) {
    if (i < 0) i = Add("");
    Put(i, name + "=" + value);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::GetText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += '\n';
  }
  return out;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    while (p < text.size()) {
      size_t start = p;
      while (p < text.size() && text[p] != '\n' && text[p] != '\r') ++p;
      Add(text.substr(start, p - start));
      if (p < text.size() && text[p] == '\r') ++p;
      if (p < text.size() && text[p] == '\n') ++p;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::GetCommaText() const {
  int n = Count();
  if (n == 1 && Get(0).empty()) return "\"\"";
  std::string out;
  for (int i = 0; i < n; ++i) {
    std::string s = Get(i);
    bool quote = std::any_of(s.begin(), s.end(), [](char c) {
      auto u = static_cast<unsigned char>(c);
      return u <= ' ' || c == '"' || c == ',';
    });
    if (quote) {
      std::string q = "\"";
      for (char c : s) {
        if (c == '"') q += '"';
        q += c;
      }
      s = q + "\"";
    }
    if (i > 0) out += ',';
    out += s;
  }
  return out;
}

void TStrings::SetCommaText(const std::string& text) {
  BeginUpdate();
  try {
    Clear();
    size_t p = 0, n = text.size();
    auto blank = [&](size_t i) {
      return i < n && static_cast<unsigned char>(text[i]) >= 1 &&
             static_cast<unsigned char>(text[i]) <= ' ';
    };
    while (blank(p)) ++p;
    while (p < n) {
      std::string s;
      if (text[p] == '"') {
        ++p;
        while (p < n) {
          if (text[p] == '"') {
            if (p + 1 < n && text[p + 1] == '"') {
              s += '"';
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s += text[p++];
        }
      } else {
        size_t start = p;
        while (p<n&& static_cast<unsigned char>(text[p])> ' ' && text[p] != ',') ++p;
        s = text.substr(start, p - start);
      }
      Add(s);
      while (blank(p)) ++p;
      if (p < n && text[p] == ',') {
        do ++p;
        while (blank(p));
      }
      if (p < n && text[p] == '\0') break;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStrings*>(source)) {
    BeginUpdate();
    try {
      Clear();
      AddStrings(other);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

// --- TStringList --------------------------------------------------------------

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error("SListIndexError", index);
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
  return CompareHook()(a, b, caseSensitive_);
}

void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    OnChanging(this);
  else
    OnChange(this);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].Text;
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError(ResStr("SSortedListError"));
  CheckIndex(index);
  Changing();
  items_[index].Text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[index].Object;
}

void TStringList::PutObject(int index, TObject* obj) {
  CheckIndex(index);
  Changing();
  items_[index].Object = obj;
  Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* obj) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, obj});
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* obj) {
  if (sorted_) throw EStringListError(ResStr("SSortedListError"));
  if (index < 0 || index > Count()) Error("SListIndexError", index);
  InsertItem(index, s, obj);
}

int TStringList::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const std::string& s, TObject* obj) {
  int index;
  if (!sorted_) {
    index = Count();
  } else if (Find(s, index)) {
    switch (duplicates_) {
      case dupIgnore:
        return index;
      case dupError:
        throw EStringListError(ResStr("SDuplicateString"));
      case dupAccept:
        break;
    }
  }
  InsertItem(index, s, obj);
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  Changing();
  std::swap(items_[a], items_[b]);
  Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
  if (!sorted_) {
    index = IndexOf(s);
    return index >= 0;
  }
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = CompareStrings(items_[mid].Text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->items_[a].Text, list->items_[b].Text);
  });
}

void TStringList::CustomSort(const std::function<int(TStringList*, int, int)>& compare) {
  if (items_.size() < 2) return;
  Changing();
  // Sort a permutation, so that the comparison sees the entries by index.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[i]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (caseSensitive_ == value) return;
  caseSensitive_ = value;
  if (sorted_) Sort();
}

}  // namespace tabulon
