// TDataSet: editing. Edit and insert work on a buffer slot of the store;
// Post copies it into the record (or makes it the new record) and keeps
// the index order, Cancel drops it.
#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"

namespace tabulon {

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (state_ == dsEdit || state_ == dsInsert) {
    // Controls write their pending edits first.
    DataEvent(deCheckBrowseMode, 0);
    if (modified_)
      Post();
    else
      Cancel();
  } else if (state_ == dsSetKey) {
    state_ = dsBrowse;
    SetCursor(pos_);
    DataEvent(deUpdateState, 0);
  }
}

void TDataSet::Edit() {
  if (state_ == dsEdit || state_ == dsInsert) return;
  CheckBrowseMode();
  if (pos_ < 0) {
    Insert();
    return;
  }
  if (!GetCanModify()) DatabaseError(DbMsg("SDataSetReadOnly"), this);
  BeforeEdit(this);
  uint32_t current = View()[static_cast<size_t>(pos_)];
  editSlot_ = store_.Allocate();
  store_.CopyRecord(current, editSlot_);
  state_ = dsEdit;
  modified_ = false;
  activeSlot_ = editSlot_;
  calcSlot_ = kNone;
  // Without AutoCalcFields the values are fixed now, before any field changes.
  if (!autoCalcFields_ && hasCalcFields_) RunCalcFields();
  DataEvent(deUpdateState, 0);
  AfterEdit(this);
}

void TDataSet::Insert() { BeginInsert(false); }

void TDataSet::Append() { BeginInsert(true); }

void TDataSet::BeginInsert(bool atEnd) {
  CheckBrowseMode();
  if (!GetCanModify()) DatabaseError(DbMsg("SDataSetReadOnly"), this);
  BeforeInsert(this);
  // A new record goes at the end, or in natural order before the current one.
  insertPos_ = static_cast<int>(natural_.size());
  if (!atEnd && !indexed_ && pos_ >= 0) insertPos_ = pos_;
  editSlot_ = store_.Allocate();
  state_ = dsInsert;
  appending_ = atEnd;
  // The new record stands past the last one.
  if (atEnd) {
    bof_ = false;
    eof_ = true;
  }
  activeSlot_ = editSlot_;
  calcSlot_ = kNone;
  if (!autoCalcFields_) {
    // A new record starts without calculated values; they come with Post.
    std::fill(calcValues_.begin(), calcValues_.end(), Null);
    calcSlot_ = editSlot_;
  }
  OnNewRecord(this);
  modified_ = false;
  DataEvent(deUpdateState, 0);
  DataEvent(deDataSetChange, 0);
  AfterInsert(this);
}

void TDataSet::Post() {
  if (state_ == dsSetKey) {
    state_ = dsBrowse;
    SetCursor(pos_);
    DataEvent(deUpdateState, 0);
    return;
  }
  if (state_ != dsEdit && state_ != dsInsert) DatabaseError(DbMsg("SNotEditing"), this);
  DataEvent(deUpdateRecord, 0);
  BeforePost(this);
  for (TField* f : fields_->list_)
    if (f->fieldKind_ == fkData && f->required_ && f->column_ >= 0 &&
        store_.IsNull(editSlot_, f->column_))
      DatabaseErrorFmt(DbMsg("SFieldRequired"), {f->fieldName_}, this);
  bool inserted = state_ == dsInsert;
  InternalPost(editSlot_, inserted);
  uint32_t slot;
  int p;
  if (inserted) {
    slot = editSlot_;
    size_t at = std::min<size_t>(static_cast<size_t>(insertPos_), natural_.size());
    natural_.insert(natural_.begin() + static_cast<long>(at), slot);
    if (indexed_) {
      at = InsertPosition(slot);
      order_.insert(order_.begin() + static_cast<long>(at), slot);
    }
    p = static_cast<int>(at);
  } else {
    slot = View()[static_cast<size_t>(pos_)];
    p = pos_;
    bool keyChanged = indexed_ && CompareSlots(slot, editSlot_) != 0;
    store_.CopyRecord(editSlot_, slot);
    store_.Release(editSlot_);
    if (keyChanged) {
      order_.erase(order_.begin() + pos_);
      size_t at = InsertPosition(slot);
      order_.insert(order_.begin() + static_cast<long>(at), slot);
      p = static_cast<int>(at);
    }
  }
  editSlot_ = kNone;
  state_ = dsBrowse;
  modified_ = false;
  InvalidatePositions();
  // The posted record stays visible until the records are re-read.
  if (filtered_ && onFilterRecord_) {
    accept_.assign(View().size(), 0);
    accept_[static_cast<size_t>(p)] = 1;
  }
  SetCursor(p);
  bof_ = eof_ = false;
  calcSlot_ = kNone;
  DataEvent(deUpdateState, 0);
  DataEvent(deDataSetChange, 0);
  AfterPost(this);
}

void TDataSet::Cancel() {
  if (state_ == dsSetKey) {
    state_ = dsBrowse;
    SetCursor(pos_);
    DataEvent(deUpdateState, 0);
    return;
  }
  if (state_ != dsEdit && state_ != dsInsert) return;
  BeforeCancel(this);
  store_.Release(editSlot_);
  editSlot_ = kNone;
  bool appended = state_ == dsInsert && appending_;
  state_ = dsBrowse;
  modified_ = false;
  if (appended) {
    // Append went past the last record; cancelling it leaves the cursor there.
    int last = NextVisible(static_cast<int>(View().size()), -1);
    SetCursor(last);
    bof_ = last < 0;
    eof_ = true;
  } else {
    SetCursor(pos_);
  }
  calcSlot_ = kNone;
  DataEvent(deUpdateState, 0);
  DataEvent(deDataSetChange, 0);
  AfterCancel(this);
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) {
    Cancel();
    return;
  }
  CheckBrowseMode();
  if (pos_ < 0) DatabaseError(DbMsg("SDataSetEmpty"), this);
  if (!GetCanModify()) DatabaseError(DbMsg("SDataSetReadOnly"), this);
  BeforeDelete(this);
  uint32_t slot = View()[static_cast<size_t>(pos_)];
  InternalDelete(slot);
  int p = pos_;
  natural_.erase(std::find(natural_.begin(), natural_.end(), slot));
  if (indexed_) order_.erase(order_.begin() + p);
  if (!accept_.empty()) accept_.erase(accept_.begin() + p);
  store_.Release(slot);
  InvalidatePositions();
  int n = static_cast<int>(View().size());
  bool wasLast = p >= n;
  if (p >= n) p = n - 1;
  if (p >= 0 && !Accepts(p)) {
    int q = NextVisible(p, 1);
    wasLast = wasLast || q < 0;
    p = q >= 0 ? q : NextVisible(p, -1);
  }
  SetCursor(p);
  bof_ = p < 0;
  eof_ = p < 0 || wasLast;
  calcSlot_ = kNone;
  DataEvent(deDataSetChange, 0);
  AfterDelete(this);
}

void TDataSet::AppendRecord(const std::vector<Variant>& values) {
  Append();
  try {
    for (size_t i = 0; i < values.size() && i < fields_->list_.size(); ++i)
      fields_->list_[i]->SetValue(values[i]);
    Post();
  } catch (...) {
    Cancel();
    throw;
  }
}

}  // namespace tabulon
