// TDataSet: the cursor over the current order, the record filter and
// bookmarks. Positions are indexes into the view (the natural order or the
// index order); the filter is applied lazily and remembered per position
// until the records are re-read (First, Refresh, a change of filter).
#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"

namespace tabulon {

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;
}

bool TDataSet::IsEmpty() const {
  if (!GetActive()) return true;
  return pos_ < 0 && state_ != dsInsert;
}

void TDataSet::ResetFilterCache() {
  if (filtered_ && onFilterRecord_)
    accept_.assign(View().size(), 0);
  else
    accept_.clear();
}

bool TDataSet::Accepts(int pos) {
  if (!filtered_ || !onFilterRecord_) return true;
  if (accept_.size() != View().size()) accept_.assign(View().size(), 0);
  uint8_t& a = accept_[static_cast<size_t>(pos)];
  if (a == 0) {
    TDataSetState saved = state_;
    uint32_t savedSlot = activeSlot_;
    state_ = dsFilter;
    activeSlot_ = View()[static_cast<size_t>(pos)];
    struct Restore {
      TDataSet* d;
      TDataSetState s;
      uint32_t slot;
      ~Restore() {
        d->state_ = s;
        d->activeSlot_ = slot;
      }
    } restore{this, saved, savedSlot};
    bool accept = true;
    onFilterRecord_(this, accept);
    // The handler may have switched the filter off or re-read the records.
    if (accept_.size() > static_cast<size_t>(pos))
      accept_[static_cast<size_t>(pos)] = accept ? 1 : 2;
    return accept;
  }
  return a == 1;
}

int TDataSet::NextVisible(int pos, int step) {
  int n = static_cast<int>(View().size());
  for (int q = pos + step; q >= 0 && q < n; q += step)
    if (Accepts(q)) return q;
  return -1;
}

void TDataSet::SetCursor(int pos) {
  pos_ = pos;
  if (state_ == dsBrowse || state_ == dsInactive)
    activeSlot_ = pos >= 0 ? View()[static_cast<size_t>(pos)] : kNone;
}

void TDataSet::MoveTo(int pos, bool notify) {
  int distance = pos - pos_;
  BeforeScroll(this);
  SetCursor(pos);
  if (notify) DataEvent(deDataSetScroll, distance);
  AfterScroll(this);
}

void TDataSet::First() {
  CheckBrowseMode();
  BeforeScroll(this);
  ResetFilterCache();
  int p = NextVisible(-1, 1);
  SetCursor(p);
  bof_ = true;
  eof_ = p < 0;
  // Inside DisableControls only the final position matters.
  if (disableCount_ == 0) DataEvent(deDataSetChange, 0);
  AfterScroll(this);
}

void TDataSet::Last() {
  CheckBrowseMode();
  BeforeScroll(this);
  int p = NextVisible(static_cast<int>(View().size()), -1);
  SetCursor(p);
  eof_ = true;
  bof_ = p < 0;
  if (disableCount_ == 0) DataEvent(deDataSetChange, 0);
  AfterScroll(this);
}

int TDataSet::MoveBy(int distance) {
  CheckBrowseMode();
  // Nothing moves towards an edge the cursor already stands on.
  if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_)) return 0;
  if (pos_ < 0) {
    bof_ = eof_ = true;
    return 0;
  }
  int n = static_cast<int>(View().size());
  int p = pos_, moved = 0;
  int step = distance > 0 ? 1 : -1;
  int want = distance > 0 ? distance : -distance;
  if (!filtered_ || !onFilterRecord_) {
    int target = std::clamp(pos_ + distance, 0, n - 1);
    moved = target > pos_ ? target - pos_ : pos_ - target;
    p = target;
  } else {
    while (moved < want) {
      int q = NextVisible(p, step);
      if (q < 0) break;
      p = q;
      ++moved;
    }
  }
  BeforeScroll(this);
  // A move leaves the edge behind it; falling short reaches the edge ahead,
  // which is a scroll of its own (the links learn that the flag changed).
  bof_ = eof_ = false;
  if (moved < want) (step > 0 ? eof_ : bof_) = true;
  SetCursor(p);
  DataEvent(deDataSetScroll, step * moved);
  AfterScroll(this);
  return step * moved;
}

int TDataSet::GetRecNo() const {
  if (!GetActive() || pos_ < 0 || state_ == dsInsert) return -1;
  return pos_ + 1;
}

void TDataSet::SetRecNo(int value) {
  CheckBrowseMode();
  int n = static_cast<int>(View().size());
  if (n == 0) return;
  int p = std::clamp(value - 1, 0, n - 1);
  if (!Accepts(p)) {
    int q = NextVisible(p, 1);
    if (q < 0) q = NextVisible(p, -1);
    if (q < 0) return;
    p = q;
  }
  bof_ = eof_ = false;
  if (p != pos_) MoveTo(p, true);
}

int TDataSet::GetRecordCount() const {
  if (!GetActive()) return 0;
  if (!filtered_ || !onFilterRecord_) return static_cast<int>(View().size());
  auto* self = const_cast<TDataSet*>(this);
  int count = 0;
  for (int p = 0; p < static_cast<int>(View().size()); ++p)
    if (self->Accepts(p)) ++count;
  return count;
}

void TDataSet::SetFiltered(bool value) {
  if (value == filtered_) return;
  if (!GetActive()) {
    filtered_ = value;
    return;
  }
  CheckBrowseMode();
  filtered_ = value;
  ResetFilterCache();
  int p = pos_;
  if (p >= 0 && !Accepts(p)) {
    int q = NextVisible(p, 1);
    p = q >= 0 ? q : NextVisible(p, -1);
  }
  if (p < 0) p = NextVisible(-1, 1);
  SetCursor(p);
  bof_ = p < 0;
  eof_ = p < 0;
  DataEvent(deDataSetChange, 0);
}

void TDataSet::SetOnFilterRecord(const TFilterRecordEvent& value) {
  onFilterRecord_ = value;
  if (GetActive()) ResetFilterCache();
}

// ---- Bookmarks ----

void TDataSet::PositionOf(uint32_t slot, int& pos) const {
  const auto& v = View();
  if (!positionsValid_) {
    positions_.assign(store_.SlotCount(), UINT32_MAX);
    for (size_t i = 0; i < v.size(); ++i) positions_[v[i]] = static_cast<uint32_t>(i);
    positionsValid_ = true;
  }
  pos = slot < positions_.size() && positions_[slot] != UINT32_MAX
            ? static_cast<int>(positions_[slot])
            : -1;
}

TBookmark TDataSet::GetBookmark() const {
  TBookmark b;
  // A record being inserted has no place yet.
  if (!GetActive() || pos_ < 0 || state_ == dsInsert) return b;
  b.Id = View()[static_cast<size_t>(pos_)];
  b.Generation = store_.Generation(b.Id);
  return b;
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const {
  if (!GetActive() || bookmark.IsNull() || !store_.Alive(bookmark.Id) ||
      store_.Generation(bookmark.Id) != bookmark.Generation)
    return false;
  int pos;
  PositionOf(bookmark.Id, pos);
  return pos >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  CheckBrowseMode();
  if (!BookmarkValid(bookmark)) DatabaseError(DbMsg("SRecordNotFound"), this);
  int pos;
  PositionOf(bookmark.Id, pos);
  if (!Accepts(pos)) DatabaseError(DbMsg("SRecordNotFound"), this);
  bof_ = eof_ = false;
  if (pos != pos_) MoveTo(pos, true);
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
  // A real bookmark orders before a null one.
  if (a.IsNull() || b.IsNull()) return a.IsNull() == b.IsNull() ? 0 : (a.IsNull() ? 1 : -1);
  int pa = -1, pb = -1;
  if (BookmarkValid(a)) PositionOf(a.Id, pa);
  if (BookmarkValid(b)) PositionOf(b.Id, pb);
  return pa < pb ? -1 : pa > pb ? 1 : 0;
}

void TDataSet::AfterReorder(uint32_t keep) {
  InvalidatePositions();
  ResetFilterCache();
  int p = -1;
  if (keep != kNone) PositionOf(keep, p);
  if (p >= 0 && !Accepts(p)) {
    int q = NextVisible(p, 1);
    p = q >= 0 ? q : NextVisible(p, -1);
  }
  if (p < 0) p = NextVisible(-1, 1);
  SetCursor(p);
  bof_ = p < 0 || p == NextVisible(-1, 1);
  eof_ = p < 0;
}

}  // namespace tabulon
