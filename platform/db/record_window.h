// TRecordWindow: a few consecutive visible records of a dataset around its
// current record, read without moving the cursor. Controls that show many
// records at once (grids) fill a window as tall as they are and read each
// row's fields in turn. Filling walks outward from the current record, never
// from the first, so its cost is the window's size (plus the rejected records
// a filter skips) wherever the cursor is. Selecting a row makes the dataset's
// fields read that record: no scroll events, no notifications and no change
// of state; the dataset's own record comes back on Restore or destruction.
// Any record can also be selected by its record number, without a window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/db/db_types.h"
#include "platform/variants/variant.h"

namespace tabulon {

class TDataSet;
class TField;

/// A window of visible records around a dataset's current record.
class TRecordWindow {
 public:
  /// A window onto `dataSet` (not owned; it must outlive the window's use).
  explicit TRecordWindow(TDataSet* dataSet = nullptr) : dataSet_(dataSet) {}
  /// Restores the dataset's own record when a row is still selected.
  ~TRecordWindow();
  TRecordWindow(const TRecordWindow&) = delete;
  TRecordWindow& operator=(const TRecordWindow&) = delete;

  TDataSet* GetDataSet() const { return dataSet_; }
  /// Looks at another dataset (emptying the window).
  void SetDataSet(TDataSet* dataSet) {
    Clear();
    dataSet_ = dataSet;
  }

  /// Fills the window with up to `before` visible records before the
  /// current one, the current one and up to `after` after it; a side with
  /// fewer records gives its rows to the other, so the window holds
  /// min(before + 1 + after, visible records) rows. While the dataset
  /// inserts, the new record is a row of its own just before the current
  /// one. Returns the current record's row; -1 (and an empty window) when the
  /// dataset is closed or shows no record.
  int Fill(int before, int after);
  /// Empties the window (restoring first).
  void Clear();
  int GetCount() const { return static_cast<int>(rows_.size()); }
  /// The row of the dataset's current record, -1 when empty.
  int GetActiveRow() const { return active_; }
  /// Record positions the last Fill examined besides the current one:
  /// the rows it took plus the records a filter rejected on the way.
  int GetVisited() const { return visited_; }
  /// The bookmark of row `row`'s record (null for a record being inserted).
  TBookmark GetBookmark(int row) const;
  /// The row holding the bookmarked record, or -1.
  int RowOf(const TBookmark& bookmark) const;
  /// Makes the dataset's fields read row `row` (the current row reads the
  /// record as the dataset has it, its edit buffer while editing).
  void SelectRow(int row);
  /// Makes the dataset's fields read the record at number `recNo` (numbered
  /// as the dataset's RecNo: the current order with the filter off, hidden
  /// records included) without moving the cursor and without filling the
  /// window: searches probe records this way and move the cursor once, onto
  /// the record they land on. The current record reads as the dataset has it
  /// (its edit buffer while editing). False, selecting nothing, when the
  /// dataset is closed or has no such record.
  bool SelectRecNo(int recNo);
  /// The value of `field` (a field of the dataset) in the record at number
  /// `recNo`, numbered as for SelectRecNo, read without moving the cursor.
  /// The first key field of an integer order is read from the dataset's
  /// compact cache of first keys, without touching the record; any other
  /// field is read by selecting the record (which stays selected). Null
  /// when there is no such record.
  Variant ValueAt(int recNo, TField* field);
  /// A hint that ValueAt(recNo, field) may follow soon: when that value
  /// comes from the cache of first keys, its memory starts loading now, so
  /// a bisection can fetch the next steps' keys while it compares this one.
  void Prefetch(int recNo, const TField* field) const;
  /// Makes the fields read the dataset's current record again.
  void Restore();

  /// The current record's position in the dataset's order with the filter
  /// off (0-based, -1 without one) and the number of records in that order:
  /// O(1) figures for scroll bars.
  static int OrderPosition(const TDataSet* dataSet);
  static int OrderCount(const TDataSet* dataSet);

 private:
  struct Row {
    uint32_t Slot;    // the store slot the row's fields read
    uint32_t Record;  // the record's slot in the order, kNone while inserting
  };
  /// Points the dataset's fields at `slot`, saving what they read first.
  void Point(uint32_t slot);

  TDataSet* dataSet_;
  std::vector<Row> rows_;
  int active_ = -1;
  int visited_ = 0;
  // What the fields read before the first SelectRow.
  bool selected_ = false;
  uint32_t savedSlot_ = 0, savedCalcSlot_ = 0;
  std::vector<Variant> savedCalcValues_;
};

}  // namespace tabulon
