// TCustomDBGrid: the data link, the columns, the record window and where the
// current record sits in it, the scroll bars' state, and registration.
#include "platform/dbctrls/dbgrid.h"

#include <algorithm>

#include "platform/controls/panel.h"
#include "platform/controls/publish.h"
#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/graphics/sysmetrics.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {

// ---- The link ----

void TGridDataLink::ActiveChanged() { grid_->LinkActive(); }
void TGridDataLink::LayoutChanged() { grid_->LayoutChanged(); }
void TGridDataLink::DataSetChanged() { grid_->DataChanged(); }
void TGridDataLink::DataSetScrolled(int distance) { grid_->Scrolled(distance); }
void TGridDataLink::RecordChanged(TField*) { grid_->Invalidate(); }
void TGridDataLink::EditingChanged() { grid_->Invalidate(); }

// ---- The grid ----

TCustomDBGrid::TCustomDBGrid(TComponent* owner) : TCustomControl(owner), link_(this) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomDBGrid::~TCustomDBGrid() {
  Destroying();
  window_.SetDataSet(nullptr);
  link_.SetDataSource(nullptr);
}

void TCustomDBGrid::SetDataSource(TDataSource* value) { link_.SetDataSource(value); }

TDataSet* TCustomDBGrid::ActiveDataSet() const {
  return link_.GetActive() ? link_.GetDataSet() : nullptr;
}

void TCustomDBGrid::SetOptions(TDBGridOptions value) {
  if (value == options_) return;
  options_ = value;
  BuildColumns();
  UpdateScrollBars();
  FillWindow(wantedRow_);
  Invalidate();
}

void TCustomDBGrid::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone && value != bsSingle) throw EPropertyError(ResStr("SInvalidPropertyValue"));
  if (value == borderStyle_) return;
  borderStyle_ = value;
  UpdateScrollBars();
  FillWindow(wantedRow_);
  Invalidate();
}

int TCustomDBGrid::GetRowHeight() const {
  return std::max(1, TextMetrics().GetMetrics(*GetFont()).tmHeight) + 3;
}

int TCustomDBGrid::VisibleRowCount() const {
  return std::max(1, (GetClientHeight() - GetTitleHeight()) / GetRowHeight());
}

void TCustomDBGrid::BuildColumns() {
  columns_.clear();
  TDataSet* ds = ActiveDataSet();
  if (!ds) {
    leftCol_ = 0;
    return;
  }
  TFont* font = GetFont();
  int ave = std::max(1, TextMetrics().GetMetrics(*font).tmAveCharWidth);
  for (int i = 0; i < ds->GetFieldCount(); ++i) {
    TField* f = ds->Fields(i);
    if (!f->GetVisible()) continue;
    int w = std::max(1, f->GetDisplayWidth()) * ave + 4;
    if (options_.Contains(dgTitles))
      w = std::max(w, TextMetrics().TextWidth(*font, f->GetDisplayLabel()) + 4);
    columns_.push_back({f, w});
  }
  leftCol_ = std::clamp(leftCol_, 0, MaxLeftCol());
}

int TCustomDBGrid::DataWidth() const { return std::max(0, GetClientWidth() - GetIndicatorWidth()); }

int TCustomDBGrid::ColumnsWidthBefore(int col) const {
  int w = 0;
  for (int i = 0; i < col && i < GetColumnCount(); ++i) w += columns_[static_cast<size_t>(i)].Width;
  return w;
}

int TCustomDBGrid::MaxLeftCol() const {
  int room = DataWidth(), col = GetColumnCount();
  while (col > 0 && columns_[static_cast<size_t>(col - 1)].Width <= room)
    room -= columns_[static_cast<size_t>(--col)].Width;
  // When even the last column does not fit it may still be scrolled to.
  return std::min(col, std::max(0, GetColumnCount() - 1));
}

void TCustomDBGrid::SetLeftCol(int value) {
  value = std::clamp(value, 0, MaxLeftCol());
  if (value == leftCol_) return;
  leftCol_ = value;
  Invalidate();
}

void TCustomDBGrid::FillWindow(int activeRow) {
  int rows = VisibleRowCount();
  activeRow = std::clamp(activeRow, 0, rows - 1);
  ++fills_;
  int got = window_.Fill(activeRow, rows - 1 - activeRow);
  wantedRow_ = got >= 0 ? got : 0;
}

void TCustomDBGrid::LinkActive() {
  window_.SetDataSet(ActiveDataSet());
  BuildColumns();
  wantedRow_ = 0;
  UpdateScrollBars();
  FillWindow(0);
  Invalidate();
}

void TCustomDBGrid::LayoutChanged() {
  // Fields shown, hidden, relabelled or resized: new columns, same rows.
  BuildColumns();
  UpdateScrollBars();
  FillWindow(wantedRow_);
  Invalidate();
}

void TCustomDBGrid::DataChanged() {
  // Refresh, filter, edits, First and Last: the current record keeps its row
  // where the records around it allow.
  UpdateScrollBars();
  FillWindow(wantedRow_);
  Invalidate();
}

void TCustomDBGrid::Scrolled(int distance) {
  TDataSet* ds = ActiveDataSet();
  int row = pendingRow_;
  if (row < 0 && ds) row = window_.RowOf(ds->GetBookmark());
  // A record that was not shown comes in at the edge it came from.
  if (row < 0) row = distance > 0 ? VisibleRowCount() - 1 : 0;
  FillWindow(row);
  Invalidate();
}

void TCustomDBGrid::UpdateScrollBars() {
  if (ComponentState().Contains(csDestroying)) return;
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  int w = GetWidth() - 2 * b, h = GetHeight() - 2 * b;
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  int rowH = GetRowHeight(), titleH = GetTitleHeight();
  int records = TRecordWindow::OrderCount(ActiveDataSet());
  int columnsW = ColumnsWidthBefore(GetColumnCount()) + GetIndicatorWidth();
  auto rowsIn = [&](int height) { return std::max(1, (height - titleH) / rowH); };
  bool v = records > rowsIn(h);
  bool hz = columnsW > w - (v ? cx : 0);
  if (hz && !v) v = records > rowsIn(h - cy);
  if (v == vertShown_ && hz == horzShown_) return;
  vertShown_ = v;
  horzShown_ = hz;
  leftCol_ = std::clamp(leftCol_, 0, MaxLeftCol());
  Invalidate();
}

void TCustomDBGrid::WMSize(TMessage& msg) {
  inherited::WMSize(msg);
  UpdateScrollBars();
  leftCol_ = std::clamp(leftCol_, 0, MaxLeftCol());
  FillWindow(wantedRow_);
}

void TCustomDBGrid::CMFontChanged(TMessage& msg) {
  inherited::CMFontChanged(msg);
  BuildColumns();
  UpdateScrollBars();
  FillWindow(wantedRow_);
}

TRect TCustomDBGrid::GetNonClientMargins() const {
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  return {b, b, b + (vertShown_ ? GetSystemMetrics(SM_CXVSCROLL) : 0),
          b + (horzShown_ ? GetSystemMetrics(SM_CYHSCROLL) : 0)};
}

std::string TCustomDBGrid::GetCellText(int row, int col) {
  if (row < 0 || row >= GetRowCount() || col < 0 || col >= GetColumnCount()) return {};
  window_.SelectRow(row);
  struct Restore {
    TRecordWindow& w;
    ~Restore() { w.Restore(); }
  } restore{window_};
  return GetColumnField(col)->GetDisplayText();
}

int TCustomDBGrid::RowAtPos(TPoint p) const {
  TRect c = GetClientRect();
  int top = GetTitleHeight();
  if (p.X < c.Left || p.X >= c.Right || p.Y < top || p.Y >= c.Bottom) return -1;
  int row = (p.Y - top) / GetRowHeight();
  return row < GetRowCount() ? row : -1;
}

TRect TCustomDBGrid::RowRect(int row) const {
  int h = GetRowHeight(), y = GetTitleHeight() + row * h;
  return Rect(0, y, GetClientWidth(), y + h);
}

TRect TCustomDBGrid::CellRect(int row, int col) const {
  if (col < leftCol_ || col >= GetColumnCount()) return {};
  int x = GetIndicatorWidth() + ColumnsWidthBefore(col) - ColumnsWidthBefore(leftCol_);
  int h = GetRowHeight(), y = row < 0 ? 0 : GetTitleHeight() + row * h;
  return Rect(x, y, x + GetColumnWidth(col), y + h);
}

int TCustomDBGrid::ScrollToRecord(int index) {
  TDataSet* ds = ActiveDataSet();
  if (!ds || index < 0) return -1;
  ds->First();
  if (ds->MoveBy(index) != index || ds->IsEmpty()) return -1;
  return GetActiveRow();
}

TBN_REGISTER(TGridDataLink) {}
TBN_REGISTER(TCustomDBGrid) {}

TBN_REGISTER(TDBGrid) {
  PublishWinControl(b, true);
  b.Property("BorderStyle", &TDBGrid::GetBorderStyle, &TDBGrid::SetBorderStyle).Default(bsSingle);
  b.Property("DataSource", &TDBGrid::GetDataSource, &TDBGrid::SetDataSource);
  b.Property("Options", &TDBGrid::GetOptions, &TDBGrid::SetOptions)
      .Default(TDBGridOptions{dgTitles, dgIndicator, dgColLines, dgRowLines});
}

}  // namespace tabulon
