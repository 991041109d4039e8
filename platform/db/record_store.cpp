// Fixed-width record slots with inline short texts and a side pool.
#include "platform/db/record_store.h"

#include <algorithm>
#include <cassert>

namespace tabulon::detail {

namespace {
uint32_t WidthOf(TStorageKind k, uint32_t cap) {
  switch (k) {
    case TStorageKind::Int16:
      return 2;
    case TStorageKind::Int32:
      return 4;
    case TStorageKind::Bool:
      return 1;
    case TStorageKind::Text:
      return 1 + cap;
    case TStorageKind::Blob:
      return 4;
    default:
      return 8;
  }
}
}  // namespace

void TRecordStore::Define(const std::vector<TStorageKind>& kinds,
                          const std::vector<uint32_t>& textCaps) {
  Clear();
  cols_.clear();
  uint32_t offset = kHeader + static_cast<uint32_t>((kinds.size() + 7) / 8);
  for (size_t i = 0; i < kinds.size(); ++i) {
    TColumnLayout c;
    c.Kind = kinds[i];
    c.Offset = offset;
    if (c.Kind == TStorageKind::Text)
      c.InlineCap = std::clamp<uint32_t>(i < textCaps.size() ? textCaps[i] : 20, 4, 64);
    offset += WidthOf(c.Kind, c.InlineCap);
    cols_.push_back(c);
  }
  slotSize_ = offset;
}

void TRecordStore::Clear() {
  data_.clear();
  free_.clear();
  pool_.clear();
  freePool_.clear();
  slots_ = 0;
}

void TRecordStore::Reserve(size_t count) {
  // A few slots more for the edit and key buffers of the dataset.
  data_.reserve((count + 4) * slotSize_);
}

uint32_t TRecordStore::Allocate() {
  uint32_t id;
  if (!free_.empty()) {
    id = free_.back();
    free_.pop_back();
    uint8_t* s = Slot(id);
    uint16_t gen;
    std::memcpy(&gen, s + 1, 2);
    std::memset(s, 0, slotSize_);
    std::memcpy(s + 1, &gen, 2);
  } else {
    id = slots_++;
    data_.resize(data_.size() + slotSize_, 0);
  }
  Slot(id)[0] = 1;
  return id;
}

void TRecordStore::Release(uint32_t id) {
  assert(Alive(id));
  for (int c = 0; c < ColumnCount(); ++c) ReleaseOverflow(id, c);
  uint8_t* s = Slot(id);
  s[0] = 0;
  uint16_t gen;
  std::memcpy(&gen, s + 1, 2);
  ++gen;
  std::memcpy(s + 1, &gen, 2);
  free_.push_back(id);
}

void TRecordStore::ReleaseOverflow(uint32_t id, int col) {
  const TColumnLayout& c = cols_[static_cast<size_t>(col)];
  if (IsNull(id, col)) return;
  const uint8_t* d = Data(id, col);
  uint32_t index = kNone;
  if (c.Kind == TStorageKind::Blob) {
    std::memcpy(&index, d, 4);
  } else if (c.Kind == TStorageKind::Text && d[0] == kOverflow) {
    std::memcpy(&index, d + 1, 4);
  }
  if (index != kNone) {
    pool_[index].clear();
    pool_[index].shrink_to_fit();
    freePool_.push_back(index);
  }
}

uint32_t TRecordStore::NewOverflow(std::string_view v) {
  if (!freePool_.empty()) {
    uint32_t i = freePool_.back();
    freePool_.pop_back();
    pool_[i].assign(v);
    return i;
  }
  pool_.emplace_back(v);
  return static_cast<uint32_t>(pool_.size() - 1);
}

void TRecordStore::SetNull(uint32_t id, int col) {
  ReleaseOverflow(id, col);
  std::memset(
      Data(id, col), 0,
      WidthOf(cols_[static_cast<size_t>(col)].Kind, cols_[static_cast<size_t>(col)].InlineCap));
  Slot(id)[kHeader + col / 8] &= static_cast<uint8_t>(~(1u << (col % 8)));
}

int64_t TRecordStore::GetInt(uint32_t id, int col) const {
  const uint8_t* d = Data(id, col);
  switch (cols_[static_cast<size_t>(col)].Kind) {
    case TStorageKind::Int16: {
      int16_t v;
      std::memcpy(&v, d, 2);
      return v;
    }
    case TStorageKind::Int32: {
      int32_t v;
      std::memcpy(&v, d, 4);
      return v;
    }
    case TStorageKind::Bool:
      return *d;
    default: {
      int64_t v;
      std::memcpy(&v, d, 8);
      return v;
    }
  }
}

std::string_view TRecordStore::GetText(uint32_t id, int col) const {
  if (IsNull(id, col)) return {};
  const uint8_t* d = Data(id, col);
  uint32_t index;
  if (cols_[static_cast<size_t>(col)].Kind == TStorageKind::Blob) {
    std::memcpy(&index, d, 4);
    return pool_[index];
  }
  if (d[0] != kOverflow) return {reinterpret_cast<const char*>(d + 1), d[0]};
  std::memcpy(&index, d + 1, 4);
  return pool_[index];
}

void TRecordStore::SetInt(uint32_t id, int col, int64_t v) {
  uint8_t* d = Data(id, col);
  switch (cols_[static_cast<size_t>(col)].Kind) {
    case TStorageKind::Int16: {
      auto x = static_cast<int16_t>(v);
      std::memcpy(d, &x, 2);
      break;
    }
    case TStorageKind::Int32: {
      auto x = static_cast<int32_t>(v);
      std::memcpy(d, &x, 4);
      break;
    }
    case TStorageKind::Bool:
      *d = v != 0;
      break;
    default:
      std::memcpy(d, &v, 8);
  }
  MarkNotNull(id, col);
}

void TRecordStore::SetDouble(uint32_t id, int col, double v) {
  std::memcpy(Data(id, col), &v, 8);
  MarkNotNull(id, col);
}

void TRecordStore::SetBool(uint32_t id, int col, bool v) {
  *Data(id, col) = v ? 1 : 0;
  MarkNotNull(id, col);
}

void TRecordStore::SetText(uint32_t id, int col, std::string_view v) {
  const TColumnLayout& c = cols_[static_cast<size_t>(col)];
  // An empty blob is no blob: it is stored as null.
  if (c.Kind == TStorageKind::Blob && v.empty()) {
    SetNull(id, col);
    return;
  }
  // `v` may point into this store (a copy of another column or record), so
  // it is saved before anything it might point to is released or moved.
  if (c.Kind == TStorageKind::Blob || v.size() > c.InlineCap) {
    std::string owned(v);
    ReleaseOverflow(id, col);
    uint32_t index = NewOverflow(owned);
    uint8_t* d = Data(id, col);
    if (c.Kind == TStorageKind::Blob) {
      std::memcpy(d, &index, 4);
    } else {
      d[0] = kOverflow;
      std::memcpy(d + 1, &index, 4);
    }
  } else {
    char buf[64];
    std::memcpy(buf, v.data(), v.size());
    ReleaseOverflow(id, col);
    uint8_t* d = Data(id, col);
    d[0] = static_cast<uint8_t>(v.size());
    std::memcpy(d + 1, buf, v.size());
  }
  MarkNotNull(id, col);
}

void TRecordStore::CopyRecord(uint32_t src, uint32_t dst) {
  if (src == dst) return;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (IsNull(src, c)) {
      SetNull(dst, c);
      continue;
    }
    switch (cols_[static_cast<size_t>(c)].Kind) {
      case TStorageKind::Text:
      case TStorageKind::Blob:
        SetText(dst, c, GetText(src, c));
        break;
      case TStorageKind::Double:
        SetDouble(dst, c, GetDouble(src, c));
        break;
      default:
        SetInt(dst, c, GetInt(src, c));
    }
  }
}

size_t TRecordStore::MemoryBytes() const {
  size_t n = data_.capacity() + free_.capacity() * 4 + freePool_.capacity() * 4 +
             pool_.capacity() * sizeof(std::string);
  for (const std::string& s : pool_)
    if (s.capacity() > 15) n += s.capacity();
  return n;
}

}  // namespace tabulon::detail
