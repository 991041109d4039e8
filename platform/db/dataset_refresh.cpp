// TDataSet: Refresh. A dataset whose records come from outside (SQLite)
// reads them again into new slots; each fresh record is then matched to
// the record it was before, by key (the primary index, else a unique one)
// or, without one, by all its values. A matched record keeps its slot and
// serial, so bookmarks and the current record follow it; records that are
// gone free their slots, so their bookmarks become invalid.
#include <unordered_map>

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"

namespace tabulon {

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;
}

std::vector<int> TDataSet::IdentityColumns() const {
  const TIndexDef* key = nullptr;
  for (int i = 0; i < indexDefs_->Count() && !key; ++i)
    if (indexDefs_->Items(i)->GetOptions().Contains(ixPrimary)) key = indexDefs_->Items(i);
  for (int i = 0; i < indexDefs_->Count() && !key; ++i) {
    TIndexOptions o = indexDefs_->Items(i)->GetOptions();
    if (o.Contains(ixUnique) && !o.Contains(ixExpression)) key = indexDefs_->Items(i);
  }
  std::vector<int> cols;
  if (key) {
    for (const std::string& name : SplitFieldNames(key->GetFields())) {
      int c = ColumnOfDef(name);
      if (c < 0) {
        cols.clear();
        break;
      }
      cols.push_back(c);
    }
  }
  if (cols.empty())
    for (int c = 0; c < store_.ColumnCount(); ++c) cols.push_back(c);
  return cols;
}

void TDataSet::MergeRefreshed(std::vector<uint32_t>& fresh) {
  // The records of before, by key, in natural order (equal keys pair up in order).
  struct TCandidates {
    std::vector<uint32_t> Slots;
    size_t Next = 0;
  };
  std::vector<int> cols = IdentityColumns();
  std::unordered_map<std::string, TCandidates> before;
  before.reserve(natural_.size());
  std::string key;
  for (uint32_t slot : natural_) {
    key.clear();
    store_.AppendKey(slot, cols, key);
    before[key].Slots.push_back(slot);
  }
  std::vector<uint8_t> kept(store_.SlotCount(), 0);
  for (uint32_t& slot : fresh) {
    key.clear();
    store_.AppendKey(slot, cols, key);
    auto it = before.find(key);
    if (it == before.end() || it->second.Next == it->second.Slots.size()) continue;
    uint32_t old = it->second.Slots[it->second.Next++];
    store_.CopyRecord(slot, old);
    store_.Release(slot);
    slot = old;
    kept[old] = 1;
  }
  for (uint32_t slot : natural_)
    if (!kept[slot]) store_.Release(slot);
  natural_.swap(fresh);
  RebuildOrder();
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  const std::vector<uint32_t>& view = View();
  uint32_t keep = pos_ >= 0 ? view[static_cast<size_t>(pos_)] : kNone;
  std::vector<uint32_t> fresh;
  bool reread;
  try {
    reread = InternalRefresh(fresh);
  } catch (...) {
    // The records of before stay as they were.
    for (uint32_t slot : fresh) store_.Release(slot);
    throw;
  }
  if (reread) {
    // The records that follow the current one, nearest first, then those
    // before it: the first of them still there replaces a current record
    // that is gone.
    std::vector<std::pair<uint32_t, uint32_t>> near;  // slot and serial
    if (keep != kNone) {
      int n = static_cast<int>(view.size());
      for (int p = pos_; p < n; ++p) near.emplace_back(view[static_cast<size_t>(p)], 0);
      for (int p = pos_ - 1; p >= 0; --p) near.emplace_back(view[static_cast<size_t>(p)], 0);
      for (auto& e : near) e.second = store_.Serial(e.first);
    }
    MergeRefreshed(fresh);
    keep = kNone;
    for (const auto& [slot, serial] : near)
      if (store_.Alive(slot) && store_.Serial(slot) == serial) {
        keep = slot;
        break;
      }
  }
  calcSlot_ = kNone;
  for (TField* f : fields_->list_)
    if (f->fieldKind_ == fkLookup && f->lookupCache_) f->RefreshLookupList();
  AfterReorder(keep);
  DataEvent(deDataSetChange, 0);
}

}  // namespace tabulon
