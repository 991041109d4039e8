// The compact record store behind every dataset of this layer. Records are
// fixed-width slots in one contiguous byte array: a 3-byte header (alive
// flag and a 16-bit slot generation for bookmark validity), a null bitmap,
// then each column packed without padding (read and written with memcpy).
// Texts up to a column's inline capacity live in the slot; longer texts and
// blobs go to a side pool. Tuned for millions of small records that are
// scanned sequentially and addressed by slot number in O(1).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tabulon::detail {

/// How a column's value is laid out in a slot.
enum class TStorageKind : uint8_t { Int16, Int32, Int64, Double, Bool, Currency, Text, Blob };

/// One column of the layout.
struct TColumnLayout {
  TStorageKind Kind = TStorageKind::Int32;  // physical representation
  uint32_t Offset = 0;                      // byte offset within the slot
  uint32_t InlineCap = 0;                   // Text: bytes held inline (4..64)
};

/// Fixed-width records with a free list; slot ids are stable while alive.
class TRecordStore {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  /// Defines the columns; `kinds[i]` with `textCaps[i]` (bytes) for Text.
  /// Drops every record.
  void Define(const std::vector<TStorageKind>& kinds, const std::vector<uint32_t>& textCaps);
  int ColumnCount() const { return static_cast<int>(cols_.size()); }
  const TColumnLayout& Column(int col) const { return cols_[static_cast<size_t>(col)]; }
  uint32_t SlotSize() const { return slotSize_; }

  /// A new slot with every column null; reuses freed slots first.
  uint32_t Allocate();
  /// Frees a slot (its generation advances so old bookmarks see it gone).
  void Release(uint32_t id);
  /// Drops every record.
  void Clear();
  /// Reserves room for `count` slots.
  void Reserve(size_t count);
  bool Alive(uint32_t id) const { return id < slots_ && (Slot(id)[0] & 1) != 0; }
  uint16_t Generation(uint32_t id) const {
    uint16_t g;
    std::memcpy(&g, Slot(id) + 1, 2);
    return g;
  }
  uint32_t SlotCount() const { return slots_; }

  bool IsNull(uint32_t id, int col) const {
    return (Slot(id)[kHeader + col / 8] & (1u << (col % 8))) == 0;
  }
  void SetNull(uint32_t id, int col);

  int64_t GetInt(uint32_t id, int col) const;
  double GetDouble(uint32_t id, int col) const {
    double v;
    std::memcpy(&v, Data(id, col), 8);
    return v;
  }
  bool GetBool(uint32_t id, int col) const { return *Data(id, col) != 0; }
  /// The text (or blob bytes) of a column; empty for null.
  std::string_view GetText(uint32_t id, int col) const;

  void SetInt(uint32_t id, int col, int64_t v);
  void SetDouble(uint32_t id, int col, double v);
  void SetBool(uint32_t id, int col, bool v);
  /// Writes a text; an empty value of a Blob column makes it null.
  void SetText(uint32_t id, int col, std::string_view v);

  /// Copies every column of `src` into `dst` (texts deep-copied).
  void CopyRecord(uint32_t src, uint32_t dst);
  /// Bytes held: slots, free list and the side pool.
  size_t MemoryBytes() const;

 private:
  static constexpr uint32_t kHeader = 3;
  static constexpr uint8_t kOverflow = 0xFF;
  uint8_t* Slot(uint32_t id) { return data_.data() + size_t{id} * slotSize_; }
  const uint8_t* Slot(uint32_t id) const { return data_.data() + size_t{id} * slotSize_; }
  uint8_t* Data(uint32_t id, int col) { return Slot(id) + cols_[static_cast<size_t>(col)].Offset; }
  const uint8_t* Data(uint32_t id, int col) const {
    return Slot(id) + cols_[static_cast<size_t>(col)].Offset;
  }
  void MarkNotNull(uint32_t id, int col) {
    Slot(id)[kHeader + col / 8] |= uint8_t(1u << (col % 8));
  }
  void ReleaseOverflow(uint32_t id, int col);
  uint32_t NewOverflow(std::string_view v);

  std::vector<TColumnLayout> cols_;
  uint32_t slotSize_ = kHeader;
  uint32_t slots_ = 0;              // slots in use or freed
  std::vector<uint8_t> data_;       // slots_ * slotSize_ bytes
  std::vector<uint32_t> free_;      // freed slot ids
  std::vector<std::string> pool_;   // long texts and blobs
  std::vector<uint32_t> freePool_;  // freed pool entries
};

}  // namespace tabulon::detail
