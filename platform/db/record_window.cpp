// TRecordWindow: filling a window outward from the current record and
// pointing the dataset's fields at one of its rows.
#include "platform/db/record_window.h"

#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace tabulon {

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;
}

TRecordWindow::~TRecordWindow() { Restore(); }

void TRecordWindow::Clear() {
  Restore();
  rows_.clear();
  active_ = -1;
  visited_ = 0;
}

int TRecordWindow::Fill(int before, int after) {
  Clear();
  TDataSet* d = dataSet_;
  if (!d || !d->GetActive()) return -1;
  bool inserting = d->state_ == dsInsert;
  if (d->pos_ < 0 && !inserting) return -1;
  before = std::max(0, before);
  after = std::max(0, after);
  const int n = static_cast<int>(d->View().size());
  const int want = before + 1 + after;

  // Records before the current one (nearest first) and after it. While
  // inserting, the current record itself is the first one after the new row.
  std::vector<uint32_t> back, fwd;
  int pb = d->pos_, pf = inserting ? std::max(d->pos_, 0) - 1 : d->pos_;
  bool backDone = pb < 0, fwdDone = false;
  auto takeBack = [&] {
    int q = d->NextVisible(pb, -1);
    visited_ += q >= 0 ? pb - q : pb;
    if (q < 0) {
      backDone = true;
      return;
    }
    back.push_back(d->View()[static_cast<size_t>(q)]);
    pb = q;
  };
  auto takeFwd = [&] {
    int q = d->NextVisible(pf, 1);
    visited_ += q >= 0 ? q - pf : n - 1 - pf;
    if (q < 0) {
      fwdDone = true;
      return;
    }
    fwd.push_back(d->View()[static_cast<size_t>(q)]);
    pf = q;
  };
  auto taken = [&] { return static_cast<int>(back.size() + fwd.size()) + 1; };
  while (!backDone && static_cast<int>(back.size()) < before) takeBack();
  while (!fwdDone && static_cast<int>(fwd.size()) < after) takeFwd();
  while (!fwdDone && taken() < want) takeFwd();
  while (!backDone && taken() < want) takeBack();

  rows_.reserve(static_cast<size_t>(taken()));
  for (auto it = back.rbegin(); it != back.rend(); ++it) rows_.push_back({*it, *it});
  active_ = static_cast<int>(rows_.size());
  if (inserting) {
    rows_.push_back({d->editSlot_, kNone});
  } else {
    uint32_t record = d->View()[static_cast<size_t>(d->pos_)];
    rows_.push_back({d->state_ == dsEdit ? d->editSlot_ : record, record});
  }
  for (uint32_t s : fwd) rows_.push_back({s, s});
  return active_;
}

TBookmark TRecordWindow::GetBookmark(int row) const {
  TBookmark b;
  if (row < 0 || row >= GetCount()) return b;
  uint32_t record = rows_[static_cast<size_t>(row)].Record;
  if (record == kNone) return b;
  b.Id = record;
  b.Serial = dataSet_->Store().Serial(record);
  return b;
}

int TRecordWindow::RowOf(const TBookmark& bookmark) const {
  if (bookmark.IsNull()) return -1;
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].Record == bookmark.Id &&
        dataSet_->Store().Serial(rows_[i].Record) == bookmark.Serial)
      return static_cast<int>(i);
  return -1;
}

void TRecordWindow::SelectRow(int row) {
  if (row < 0 || row >= GetCount()) return;
  Point(rows_[static_cast<size_t>(row)].Slot);
}

bool TRecordWindow::SelectRecNo(int recNo) {
  TDataSet* d = dataSet_;
  if (!d || !d->GetActive()) return false;
  const auto& v = d->View();
  if (recNo < 1 || static_cast<size_t>(recNo) > v.size()) return false;
  const int pos = recNo - 1;
  Point(pos == d->pos_ && d->state_ == dsEdit ? d->editSlot_ : v[static_cast<size_t>(pos)]);
  return true;
}

Variant TRecordWindow::ValueAt(int recNo, TField* field) {
  TDataSet* d = dataSet_;
  if (d && d->GetActive() && recNo >= 1 && static_cast<size_t>(recNo) <= d->View().size()) {
    const int pos = recNo - 1;
    const TFieldType t = field->GetDataType();
    const bool boolean = t == ftBoolean,
               integer = t == ftSmallint || t == ftInteger || t == ftWord || t == ftAutoInc;
    int64_t value;
    bool isNull;
    // The record being edited reads its edit buffer, which the cache does not know.
    if ((boolean || integer) && !(pos == d->pos_ && d->state_ == dsEdit) &&
        d->FirstKeyAt(pos, field, value, isNull)) {
      if (isNull) return Null;
      if (boolean) return Variant(value != 0);
      return Variant(static_cast<int32_t>(value));
    }
  }
  if (!SelectRecNo(recNo)) return Null;
  return field->GetValue();
}

void TRecordWindow::Prefetch(int recNo, const TField* field) const {
  const TDataSet* d = dataSet_;
  if (!d || !d->firstKeysValid_ || d->sortKeys_.empty() || recNo < 1 ||
      static_cast<size_t>(recNo) > d->firstKeys_.size())
    return;
  if (field->Column() != d->sortKeys_[0].Column) return;
  __builtin_prefetch(&d->firstKeys_[static_cast<size_t>(recNo - 1)]);
}

void TRecordWindow::Point(uint32_t slot) {
  TDataSet* d = dataSet_;
  if (!selected_) {
    savedSlot_ = d->activeSlot_;
    savedCalcSlot_ = d->calcSlot_;
    savedCalcValues_ = d->calcValues_;
    selected_ = true;
  }
  // Calculated values follow: the dataset recomputes them when the slot
  // its cache belongs to is not the one the fields now read.
  d->activeSlot_ = slot;
}

void TRecordWindow::Restore() {
  if (!selected_) return;
  selected_ = false;
  dataSet_->activeSlot_ = savedSlot_;
  dataSet_->calcSlot_ = savedCalcSlot_;
  dataSet_->calcValues_ = std::move(savedCalcValues_);
  savedCalcValues_.clear();
}

int TRecordWindow::OrderPosition(const TDataSet* dataSet) {
  if (!dataSet || !dataSet->GetActive()) return -1;
  return dataSet->pos_;
}

int TRecordWindow::OrderCount(const TDataSet* dataSet) {
  if (!dataSet || !dataSet->GetActive()) return 0;
  return static_cast<int>(dataSet->View().size());
}

}  // namespace tabulon
