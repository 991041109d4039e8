// TDataSet: orders by index definitions or field lists, and keyed search
// (SetKey, GotoKey, GotoNearest) by bisection over the index order.
#include <algorithm>
#include <cctype>

#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;

// Splits "NAME DESC" into the name and its direction.
void StripDirection(std::string& item, bool& descending) {
  descending = false;
  std::string upper = UpperCase(item);
  for (const char* word : {" DESCENDING", " DESC", " ASCENDING", " ASC"}) {
    size_t len = std::char_traits<char>::length(word);
    if (upper.size() > len && upper.compare(upper.size() - len, len, word) == 0) {
      descending = word[2] == 'E';
      item = TrimRight(item.substr(0, item.size() - len));
      return;
    }
  }
}
}  // namespace

void TDataSet::SetIndexDefs(TIndexDefs* value) {
  if (value && value != indexDefs_.get()) indexDefs_->Assign(value);
}

void TDataSet::ResolveSortKeys() {
  sortKeys_.clear();
  sortFields_.clear();
  std::vector<std::string> names;
  std::vector<bool> desc, ci;
  if (!indexName_.empty()) {
    TIndexDef* def = indexDefs_->Find(indexName_);
    TIndexOptions o = def->GetOptions();
    for (const std::string& n : SplitFieldNames(def->GetFields())) {
      names.push_back(n);
      desc.push_back(FieldInList(n, def->GetDescFields()) ||
                     (def->GetDescFields().empty() && o.Contains(ixDescending)));
      ci.push_back(FieldInList(n, def->GetCaseInsFields()) ||
                   (def->GetCaseInsFields().empty() && o.Contains(ixCaseInsensitive)));
    }
  } else {
    for (std::string n : SplitFieldNames(indexFieldNames_)) {
      bool d;
      StripDirection(n, d);
      names.push_back(n);
      desc.push_back(d);
      ci.push_back(false);
    }
  }
  for (size_t i = 0; i < names.size(); ++i) {
    int col = ColumnOfDef(names[i]);
    if (col < 0) DatabaseErrorFmt(DbMsg("SFieldNotFound"), {names[i]}, this);
    detail::TSortKey k;
    k.Column = col;
    k.Type = GetFieldDefs()->Items(col)->GetDataType();
    k.Descending = desc[i];
    k.CaseInsensitive = ci[i] && IsTextFieldType(k.Type);
    sortKeys_.push_back(k);
    TField* f = nullptr;
    for (TField* x : fields_->list_)
      if (x->column_ == col) f = x;
    sortFields_.push_back(f);
  }
}

int TDataSet::CompareSlotsOn(uint32_t a, uint32_t b, int keyCount, bool) const {
  for (int i = 0; i < keyCount; ++i) {
    const detail::TSortKey& k = sortKeys_[static_cast<size_t>(i)];
    bool na = store_.IsNull(a, k.Column), nb = store_.IsNull(b, k.Column);
    int r = 0;
    if (na || nb) {
      r = na == nb ? 0 : (na ? -1 : 1);
    } else {
      switch (StorageKindOf(k.Type)) {
        case detail::TStorageKind::Double: {
          double x = store_.GetDouble(a, k.Column), y = store_.GetDouble(b, k.Column);
          r = x < y ? -1 : x > y ? 1 : 0;
          break;
        }
        case detail::TStorageKind::Text:
        case detail::TStorageKind::Blob: {
          std::string_view x = store_.GetText(a, k.Column), y = store_.GetText(b, k.Column);
          r = k.CaseInsensitive ? AnsiCompareText(x, y) : AnsiCompareStr(x, y);
          break;
        }
        default: {
          int64_t x = store_.GetInt(a, k.Column), y = store_.GetInt(b, k.Column);
          r = x < y ? -1 : x > y ? 1 : 0;
        }
      }
    }
    if (r != 0) return k.Descending ? -r : r;
  }
  return 0;
}

int TDataSet::CompareSlots(uint32_t a, uint32_t b) const {
  return CompareSlotsOn(a, b, static_cast<int>(sortKeys_.size()), false);
}

void TDataSet::RebuildOrder() {
  firstKeys_.clear();
  firstKeys_.shrink_to_fit();
  indexed_ = !sortKeys_.empty();
  order_.clear();
  if (indexed_) {
    order_ = natural_;
    std::stable_sort(order_.begin(), order_.end(),
                     [this](uint32_t a, uint32_t b) { return CompareSlots(a, b) < 0; });
  } else {
    order_.shrink_to_fit();
  }
  InvalidatePositions();
}

size_t TDataSet::InsertPosition(uint32_t slot) const {
  const auto& v = order_;
  return static_cast<size_t>(
      std::upper_bound(v.begin(), v.end(), slot,
                       [this](uint32_t a, uint32_t b) { return CompareSlots(a, b) < 0; }) -
      v.begin());
}

void TDataSet::SetIndexName(const std::string& value) {
  if (value == indexName_ && indexFieldNames_.empty()) return;
  std::string oldName = indexName_, oldFields = indexFieldNames_;
  indexName_ = value;
  indexFieldNames_.clear();
  if (!GetActive()) return;
  IndexDefsChanged();
  (void)oldName;
  (void)oldFields;
}

void TDataSet::SetIndexFieldNames(const std::string& value) {
  if (value == indexFieldNames_ && indexName_.empty()) return;
  indexFieldNames_ = value;
  indexName_.clear();
  if (!GetActive()) return;
  IndexDefsChanged();
}

void TDataSet::IndexDefsChanged() {
  if (!GetActive() || opening_) return;
  CheckBrowseMode();
  uint32_t keep = pos_ >= 0 ? View()[static_cast<size_t>(pos_)] : kNone;
  try {
    ResolveSortKeys();
  } catch (...) {
    // The order stays as it was; the names that failed are dropped.
    indexName_.clear();
    indexFieldNames_.clear();
    ResolveSortKeys();
    RebuildOrder();
    AfterReorder(keep);
    DataEvent(deDataSetChange, 0);
    throw;
  }
  RebuildOrder();
  AfterReorder(keep);
  DataEvent(deDataSetChange, 0);
}

TField* TDataSet::IndexFields(int index) const {
  if (index < 0 || index >= IndexFieldCount()) DatabaseError(DbMsg("SFieldIndexError"), this);
  return sortFields_[static_cast<size_t>(index)];
}

void TDataSet::SetKey() {
  CheckBrowseMode();
  if (keySlot_ == kNone) keySlot_ = store_.Allocate();
  for (int c = 0; c < store_.ColumnCount(); ++c) store_.SetNull(keySlot_, c);
  state_ = dsSetKey;
  activeSlot_ = keySlot_;
  DataEvent(deUpdateState, 0);
}

void TDataSet::EditKey() {
  CheckBrowseMode();
  if (keySlot_ == kNone) keySlot_ = store_.Allocate();
  state_ = dsSetKey;
  activeSlot_ = keySlot_;
  DataEvent(deUpdateState, 0);
}

bool TDataSet::FirstKeyCacheable() const {
  if (sortKeys_.empty()) return false;
  detail::TStorageKind k = StorageKindOf(sortKeys_[0].Type);
  return k == detail::TStorageKind::Int16 || k == detail::TStorageKind::Int32 ||
         k == detail::TStorageKind::Bool;
}

// Maps the first key to an integer whose order is the index order: nulls
// first (last when descending), descending values negated.
int64_t TDataSet::FirstKeyOf(uint32_t slot) const {
  const detail::TSortKey& k = sortKeys_[0];
  if (store_.IsNull(slot, k.Column)) return k.Descending ? INT64_MAX : INT64_MIN;
  int64_t v = store_.GetInt(slot, k.Column);
  return k.Descending ? -v : v;
}

void TDataSet::EnsureFirstKeys() {
  if (firstKeysValid_) return;
  const auto& v = View();
  firstKeys_.resize(v.size());
  for (size_t i = 0; i < v.size(); ++i) firstKeys_[i] = FirstKeyOf(v[i]);
  firstKeysValid_ = true;
}

bool TDataSet::FirstKeyAt(int pos, const TField* field, int64_t& value, bool& isNull) {
  if (!FirstKeyCacheable() || field->GetFieldKind() != fkData) return false;
  const detail::TSortKey& k = sortKeys_[0];
  if (field->Column() != k.Column || field->GetDataType() != k.Type) return false;
  EnsureFirstKeys();
  const int64_t stored = firstKeys_[static_cast<size_t>(pos)];
  isNull = stored == (k.Descending ? INT64_MAX : INT64_MIN);
  value = k.Descending ? -stored : stored;
  return true;
}

bool TDataSet::KeyedSeek(bool exact) {
  if (state_ != dsSetKey) DatabaseError(DbMsg("SNotInSetKey"), this);
  state_ = dsBrowse;
  SetCursor(pos_);
  DataEvent(deUpdateState, 0);
  if (sortKeys_.empty()) DatabaseError(DbMsg("SNoFieldIndexes"), this);
  // Trailing key fields left empty take no part in the search.
  int k = static_cast<int>(sortKeys_.size());
  while (k > 0 && store_.IsNull(keySlot_, sortKeys_[static_cast<size_t>(k - 1)].Column)) --k;
  const auto& v = View();
  uint32_t key = keySlot_;
  auto first = v.begin(), last = v.end();
  if (k > 0 && FirstKeyCacheable() && !store_.IsNull(key, sortKeys_[0].Column)) {
    EnsureFirstKeys();
    int64_t want = FirstKeyOf(key);
    auto range = std::equal_range(firstKeys_.begin(), firstKeys_.end(), want);
    first = v.begin() + (range.first - firstKeys_.begin());
    last = v.begin() + (range.second - firstKeys_.begin());
  }
  auto it = std::lower_bound(first, last, key, [this, k](uint32_t rec, uint32_t key) {
    return CompareSlotsOn(rec, key, k, false) < 0;
  });
  int p = static_cast<int>(it - v.begin());
  int n = static_cast<int>(v.size());
  if (exact) {
    while (p < n && CompareSlotsOn(v[static_cast<size_t>(p)], key, k, false) == 0 && !Accepts(p))
      ++p;
    if (p >= n || CompareSlotsOn(v[static_cast<size_t>(p)], key, k, false) != 0) return false;
  } else {
    if (p >= n) p = n - 1;
    if (p >= 0 && !Accepts(p)) {
      int q = NextVisible(p, 1);
      p = q >= 0 ? q : NextVisible(p, -1);
    }
    if (p < 0) return false;
  }
  bof_ = eof_ = false;
  if (p != pos_) MoveTo(p, true);
  return true;
}

bool TDataSet::GotoKey() { return KeyedSeek(true); }

void TDataSet::GotoNearest() { KeyedSeek(false); }

bool TDataSet::FindKey(const std::vector<Variant>& values) {
  SetKey();
  for (size_t i = 0; i < values.size() && i < sortFields_.size(); ++i)
    if (sortFields_[i]) sortFields_[i]->SetValue(values[i]);
  return GotoKey();
}

void TDataSet::FindNearest(const std::vector<Variant>& values) {
  SetKey();
  for (size_t i = 0; i < values.size() && i < sortFields_.size(); ++i)
    if (sortFields_[i]) sortFields_[i]->SetValue(values[i]);
  GotoNearest();
}

}  // namespace tabulon
