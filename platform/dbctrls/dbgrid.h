// TCustomDBGrid / TDBGrid: a read-only grid over the records a data source's
// dataset shows. Columns are the dataset's visible fields (title from
// DisplayLabel, width from DisplayWidth characters of the font's average
// width, alignment from the field); rows are the visible records around the
// current one, which is marked and kept in view as the dataset moves. The
// arrows, Page Up/Down, Home/End (with or without Ctrl), a click on a row and
// the vertical scroll bar move the dataset; Left/Right and the horizontal
// scroll bar scroll the columns.
//
// The grid never walks the dataset from its first record: it keeps a record
// window (platform/db/record_window.h) as tall as its visible rows, refilled
// outward from the current record after every data event, and a paint reads
// the fields of exactly the rows of that window.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/customcontrol.h"
#include "platform/core/set.h"
#include "platform/db/datasource.h"
#include "platform/db/record_window.h"

namespace tabulon {

class TCustomDBGrid;
class TField;

/// What the grid shows besides the cells.
enum TDBGridOption {
  dgTitles,     // a title row with the fields' display labels
  dgIndicator,  // a column at the left that marks the current record
  dgColLines,   // lines between columns
  dgRowLines,   // lines between rows
};
using TDBGridOptions = TSet<TDBGridOption>;

/// The grid's view of its data source: passes every data event to the grid.
class TGridDataLink : public TDataLink {
  TBN_CLASS(TGridDataLink, TDataLink)
 public:
  explicit TGridDataLink(TCustomDBGrid* grid) : grid_(grid) {}

 protected:
  void ActiveChanged() override;
  void LayoutChanged() override;
  void DataSetChanged() override;
  void DataSetScrolled(int distance) override;
  void RecordChanged(TField* field) override;
  void EditingChanged() override;

 private:
  TCustomDBGrid* grid_;
};

/// The data grid.
class TCustomDBGrid : public TCustomControl {
  TBN_CLASS(TCustomDBGrid, TCustomControl)
 public:
  explicit TCustomDBGrid(TComponent* owner);
  ~TCustomDBGrid() override;

  TDataSource* GetDataSource() const { return link_.GetDataSource(); }
  void SetDataSource(TDataSource* value);
  TGridDataLink* GetDataLink() { return &link_; }
  /// The dataset shown, or null while the link is inactive.
  TDataSet* ActiveDataSet() const;
  TDBGridOptions GetOptions() const { return options_; }
  void SetOptions(TDBGridOptions value);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  /// bsNone or bsSingle; other kinds raise EPropertyError "Invalid property value".
  void SetBorderStyle(TBorderStyle value);

  // ---- Layout ----
  /// The columns: the dataset's visible fields in field order.
  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  TField* GetColumnField(int col) const { return columns_[static_cast<size_t>(col)].Field; }
  /// Column width in pixels: DisplayWidth times the font's average character
  /// width plus the cell margins, widened to the title when titles show.
  int GetColumnWidth(int col) const { return columns_[static_cast<size_t>(col)].Width; }
  /// Height of a row (data or title): the font's cell height plus 3.
  int GetRowHeight() const;
  int GetTitleHeight() const { return options_.Contains(dgTitles) ? GetRowHeight() : 0; }
  int GetIndicatorWidth() const { return options_.Contains(dgIndicator) ? kIndicatorWidth : 0; }
  /// Data rows that fit entirely in the client area (at least 1).
  int VisibleRowCount() const;
  /// The first column shown after horizontal scrolling.
  int GetLeftCol() const { return leftCol_; }
  /// Scrolls the columns; clamped so that no room is wasted at the right.
  void SetLeftCol(int value);
  /// The largest LeftCol: the last columns then just fit.
  int MaxLeftCol() const;

  // ---- Rows ----
  /// Rows holding records now (up to VisibleRowCount).
  int GetRowCount() const { return window_.GetCount(); }
  /// The row of the current record, -1 without one.
  int GetActiveRow() const { return window_.GetActiveRow(); }
  /// The bookmark of the record in `row`.
  TBookmark GetRowBookmark(int row) const { return window_.GetBookmark(row); }
  /// The text the grid shows in cell (row, col): the field's DisplayText.
  std::string GetCellText(int row, int col);
  /// The data row at client point `p`, -1 outside the rows.
  int RowAtPos(TPoint p) const;
  /// The rectangle of data row `row` across the client width (client coordinates).
  TRect RowRect(int row) const;
  /// The rectangle of cell (row, col); row -1 is the title row. Empty for a
  /// column scrolled out at the left.
  TRect CellRect(int row, int col) const;
  /// Makes the dataset's record number `index` (0-based among the records
  /// it shows) current, scrolling the grid as needed, and returns the row
  /// that shows it; -1 when there is no such record.
  int ScrollToRecord(int index);

  /// The vertical scroll bar's thumb in the bar's own coordinates (empty
  /// when the bar is hidden): it follows the current record's place in the
  /// dataset's order, and fills the bar when every record the dataset shows
  /// is in view (a filter that lets few records through).
  TRect VertThumb() const;

  // ---- Figures for tests and benchmarks ----
  /// Records whose fields the last paint read.
  int GetPaintReads() const { return paintReads_; }
  /// Record positions the last window fill examined (rejected ones included).
  int GetWindowVisited() const { return window_.GetVisited(); }
  /// Window fills since the grid was created.
  int GetWindowFills() const { return fills_; }

  static constexpr int kIndicatorWidth = 11;

  /// Scroll-bar messages (WM_VSCROLL moves the dataset, WM_HSCROLL the
  /// columns) and the mouse wheel.
  void DefaultHandler(TMessage& msg) override;

 protected:
  friend class TGridDataLink;
  // Data events from the link.
  virtual void LinkActive();
  virtual void LayoutChanged();
  virtual void DataChanged();
  virtual void Scrolled(int distance);

  void Paint() override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMSize(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;
  /// Draws cell (row, col) of the record the dataset's fields read now.
  virtual void DrawCell(TCanvas& canvas, const TRect& rect, TField* field, bool current);

 private:
  struct Column {
    TField* Field;  // not owned; the dataset's field
    int Width;      // pixels
  };
  void BuildColumns();
  /// Refills the window around the current record with the current record
  /// at `activeRow` where the records allow.
  void FillWindow(int activeRow);
  /// Recomputes which scroll bars show; invalidates when that changed.
  void UpdateScrollBars();
  /// Moves the dataset by `distance` records keeping the current record's row.
  void MovePage(int distance);
  void VScroll(int code, int pos);
  void HScroll(int code, int pos);
  void PaintTitles(TCanvas& canvas, int dataLeft);
  void PaintIndicator(TCanvas& canvas, int row);
  int DataWidth() const;
  int ColumnsWidthBefore(int col) const;

  TGridDataLink link_;
  TRecordWindow window_;
  std::vector<Column> columns_;
  TDBGridOptions options_{dgTitles, dgIndicator, dgColLines, dgRowLines};
  TBorderStyle borderStyle_ = bsSingle;
  int wantedRow_ = 0;    // the row the current record should take at the next fill
  int pendingRow_ = -1;  // row kept by a page move, for the scroll it causes
  int leftCol_ = 0;
  bool vertShown_ = false, horzShown_ = false;
  int paintReads_ = 0;
  int fills_ = 0;
};

/// The published grid.
class TDBGrid : public TCustomDBGrid {
  TBN_CLASS(TDBGrid, TCustomDBGrid)
 public:
  explicit TDBGrid(TComponent* owner) : TCustomDBGrid(owner) {}
};

}  // namespace tabulon

TBN_ENUM(tabulon::TDBGridOption, "dgTitles", "dgIndicator", "dgColLines", "dgRowLines");
