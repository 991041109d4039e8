// TCustomDBGrid painting: the title row, the indicator column, the cells of
// the window's rows (reading each row's record once), grid lines, the
// border and the scroll bars.
#include <algorithm>

#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/db/field.h"
#include "platform/dbctrls/dbgrid.h"
#include "platform/graphics/sysmetrics.h"

namespace tabulon {

namespace {

void Fill(TCanvas& c, const TRect& r, TColor color) {
  c.GetBrush()->SetStyle(bsSolid);
  c.GetBrush()->SetColor(color);
  c.FillRect(r);
}

// The text of a cell, placed by `align` inside the cell's margins and clipped to it.
void CellText(TCanvas& c, const TRect& r, const std::string& text, TAlignment align) {
  int w = c.TextWidth(text), x = r.Left + 2;
  if (align == taRightJustify)
    x = r.Right - 3 - w;
  else if (align == taCenter)
    x = r.Left + (r.Width() - w) / 2;
  c.GetBrush()->SetStyle(bsClear);
  c.TextRect(r, x, r.Top + 1, text);
}

}  // namespace

void TCustomDBGrid::DrawCell(TCanvas& canvas, const TRect& rect, TField* field, bool current) {
  Fill(canvas, rect, current ? clHighlight : GetColor());
  canvas.GetFont()->SetColor(current ? clHighlightText : GetFont()->GetColor());
  CellText(canvas, rect, field->GetDisplayText(), field->GetAlignment());
}

void TCustomDBGrid::PaintTitles(TCanvas& canvas, int dataLeft) {
  int h = GetTitleHeight();
  Fill(canvas, Rect(0, 0, GetClientWidth(), h), clBtnFace);
  canvas.GetFont()->SetColor(clBtnText);
  for (int col = leftCol_; col < GetColumnCount(); ++col) {
    TRect r = CellRect(-1, col);
    if (r.Left >= GetClientWidth()) break;
    CellText(canvas, r, GetColumnField(col)->GetDisplayLabel(), taLeftJustify);
  }
  // A raised look: light above, shadow below and between the titles.
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnShadow);
  canvas.FillRect(Rect(0, h - 1, GetClientWidth(), h));
  for (int col = leftCol_; col < GetColumnCount(); ++col) {
    TRect r = CellRect(-1, col);
    if (r.Left >= GetClientWidth()) break;
    canvas.FillRect(Rect(r.Right - 1, 0, r.Right, h));
  }
  if (dataLeft > 0) canvas.FillRect(Rect(dataLeft - 1, 0, dataLeft, h));
}

void TCustomDBGrid::PaintIndicator(TCanvas& canvas, int row) {
  TRect r = RowRect(row);
  r.Right = GetIndicatorWidth();
  Fill(canvas, r, clBtnFace);
  canvas.GetBrush()->SetColor(clBtnShadow);
  canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
  if (row != GetActiveRow()) return;
  // A small solid triangle pointing at the current record.
  int cx = r.Left + 3, cy = (r.Top + r.Bottom) / 2;
  for (int i = 0; i < 4; ++i)
    for (int j = -(3 - i); j <= 3 - i; ++j) canvas.SetPixel(cx + i, cy + j, clBtnText);
}

void TCustomDBGrid::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.SetFont(GetFont());
  TRect client = GetClientRect();
  int dataLeft = GetIndicatorWidth();
  paintReads_ = 0;
  if (GetTitleHeight() > 0) PaintTitles(canvas, dataLeft);
  int rows = GetRowCount(), active = GetActiveRow();
  struct Restore {
    TRecordWindow& w;
    ~Restore() { w.Restore(); }
  } restore{window_};
  for (int row = 0; row < rows; ++row) {
    if (dataLeft > 0) PaintIndicator(canvas, row);
    window_.SelectRow(row);
    ++paintReads_;
    bool current = row == active;
    int right = dataLeft;
    for (int col = leftCol_; col < GetColumnCount(); ++col) {
      TRect r = CellRect(row, col);
      if (r.Left >= client.Right) break;
      right = r.Right;
      TRect inner = r;
      if (options_.Contains(dgColLines)) inner.Right -= 1;
      if (options_.Contains(dgRowLines)) inner.Bottom -= 1;
      DrawCell(canvas, inner, GetColumnField(col), current);
      if (options_.Contains(dgColLines))
        Fill(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), clSilver);
      if (options_.Contains(dgRowLines))
        Fill(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), clSilver);
    }
    TRect rr = RowRect(row);
    if (right < client.Right)
      Fill(canvas, Rect(right, rr.Top, client.Right, rr.Bottom), GetColor());
    if (current && Focused() && right > dataLeft)
      canvas.DrawFocusRect(Rect(dataLeft, rr.Top, right, rr.Bottom));
  }
  int below = GetTitleHeight() + rows * GetRowHeight();
  if (below < client.Bottom) Fill(canvas, Rect(0, below, client.Right, client.Bottom), GetColor());
}

TRect TCustomDBGrid::VertThumb() const {
  if (!vertShown_) return {};
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  int length = GetHeight() - 2 * b - (horzShown_ ? cy : 0);
  TDataSet* ds = ActiveDataSet();
  int64_t range = TRecordWindow::OrderCount(ds), rows = VisibleRowCount();
  int64_t top = std::max(0, TRecordWindow::OrderPosition(ds) - std::max(0, GetActiveRow()));
  // A window with rows to spare holds every record the dataset shows: the
  // records of the order a filter hides are no place to scroll to.
  if (GetRowCount() < rows) {
    range = rows;
    top = 0;
  }
  return ScrollBarThumb(sbVertical, length, cx, rows, range, top);
}

void TCustomDBGrid::PaintNonClient(TCanvas& canvas) {
  PaintWindowBorder(canvas, GetWidth(), GetHeight(), borderStyle_, GetCtl3D());
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  int right = GetWidth() - b, bottom = GetHeight() - b;
  if (vertShown_) {
    TRect r = Rect(right - cx, b, right, bottom - (horzShown_ ? cy : 0));
    PaintScrollBar(canvas, r, sbVertical, VertThumb());
  }
  if (horzShown_) {
    TRect r = Rect(b, bottom - cy, right - (vertShown_ ? cx : 0), bottom);
    int total = ColumnsWidthBefore(GetColumnCount());
    PaintScrollBar(canvas, r, sbHorizontal,
                   ScrollBarThumb(sbHorizontal, r.Width(), cy, DataWidth(), total,
                                  ColumnsWidthBefore(leftCol_)));
  }
  if (vertShown_ && horzShown_)
    Fill(canvas, Rect(right - cx, bottom - cy, right, bottom), clBtnFace);
}

}  // namespace tabulon
