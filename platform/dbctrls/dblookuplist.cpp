// TDBLookupListBox and TPopupDataList: the rows of the list dataset around
// its current record, the row of KeyValue, keys, clicks and painting.
#include <algorithm>

#include "platform/controls/application.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/exceptions.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/dbctrls/dblookup.h"
#include "platform/forms/toplevel.h"
#include "platform/graphics/sysmetrics.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {

TDBLookupListBox::TDBLookupListBox(TComponent* owner) : TDBLookupControl(owner) {
  // OnClick reports a chosen record, not a press on the control.
  TControlStyle style = GetControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  SetWidth(121);
  SizeToRows();
}

int TDBLookupListBox::GetRowHeight() const {
  return std::max(1, TextMetrics().GetMetrics(*GetFont()).tmHeight) + 2;
}

TRect TDBLookupListBox::GetNonClientMargins() const {
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  return Rect(b, b, b + GetSystemMetrics(SM_CXVSCROLL), b);
}

void TDBLookupListBox::SizeToRows() {
  TRect m = GetNonClientMargins();
  SetHeight(rowCount_ * GetRowHeight() + m.Top + m.Bottom);
}

void TDBLookupListBox::SetRowCount(int v) {
  if (v < 1) v = 1;
  rowCount_ = v;
  SizeToRows();
  FillWindow(activeRow_);
  UpdateSelection();
  Invalidate();
}

void TDBLookupListBox::SetBorderStyle(TBorderStyle v) {
  borderStyle_ = v;
  SizeToRows();
  Invalidate();
}

void TDBLookupListBox::CMFontChanged(TMessage& msg) {
  inherited::CMFontChanged(msg);
  SizeToRows();
}

// --- the record window -------------------------------------------------------

void TDBLookupListBox::FillWindow(int activeRow) {
  activeRow = std::clamp(activeRow, 0, rowCount_ - 1);
  int got = window_.Fill(activeRow, rowCount_ - 1 - activeRow);
  activeRow_ = got >= 0 ? got : 0;
}

bool TDBLookupListBox::OnKeyRecord() const {
  return !GetKeyValue().IsNull() && SameKeyValue(GetKeyField()->GetValue(), GetKeyValue());
}

void TDBLookupListBox::UpdateSelection() {
  selectedRow_ = -1;
  TDataSet* ds = ListDataSet();
  if (!GetListActive() || !ds || window_.GetCount() == 0 || GetKeyValue().IsNull()) return;
  if (SameKeyValue(GetKeyField()->GetValue(), GetKeyValue())) selectedRow_ = activeRow_;
}

void TDBLookupListBox::UpdateListFields() {
  inherited::UpdateListFields();
  window_.SetDataSet(GetListActive() ? ListDataSet() : nullptr);
  activeRow_ = 0;
  if (GetListActive()) {
    if (!OnKeyRecord()) LocateKey();
    FillWindow(0);
  }
  UpdateSelection();
  Invalidate();
}

void TDBLookupListBox::ListLinkDataChanged() {
  if (!GetListActive()) return;
  FillWindow(activeRow_);
  UpdateSelection();
  Invalidate();
}

void TDBLookupListBox::ListLinkScrolled(int distance) {
  if (!GetListActive()) return;
  TDataSet* ds = ListDataSet();
  int row = window_.RowOf(ds->GetBookmark());
  // A record that was not shown comes in at the edge it came from.
  if (row < 0) row = distance > 0 ? rowCount_ - 1 : 0;
  FillWindow(row);
  UpdateSelection();
  Invalidate();
}

void TDBLookupListBox::KeyValueChanged() {
  // The list dataset often stands on the key's record already (the edit
  // that drives the list has just found it): then it is not located again.
  if (GetListActive() && !OnKeyRecord()) LocateKey();
  UpdateSelection();
  Invalidate();
}

// --- choosing ----------------------------------------------------------------

void TDBLookupListBox::SelectRow(int row) {
  if (GetReadOnly() || !GetListActive() || row < 0 || row >= window_.GetCount()) return;
  TDataSet* ds = ListDataSet();
  TBookmark b = window_.GetBookmark(row);
  ds->GotoBookmark(b);
  ds->FreeBookmark(b);
  SelectKeyValue(GetKeyField()->GetValue());
}

void TDBLookupListBox::Step(int distance) {
  TDataSet* ds = ListDataSet();
  if (!LocateKey())
    ds->First();
  else
    ds->MoveBy(distance);
  SelectKeyValue(GetKeyField()->GetValue());
}

void TDBLookupListBox::WMGetDlgCode(TMessage& msg) {
  msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TDBLookupListBox::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (GetReadOnly() || !GetListActive() || shift.Contains(ssAlt)) return;
  TDataSet* ds = ListDataSet();
  const int page = std::max(1, rowCount_ - 1);
  switch (key) {
    case VK_UP:
      Step(-1);
      break;
    case VK_DOWN:
      Step(1);
      break;
    case VK_PRIOR:
      Step(-page);
      break;
    case VK_NEXT:
      Step(page);
      break;
    case VK_HOME:
      ds->First();
      SelectKeyValue(GetKeyField()->GetValue());
      break;
    case VK_END:
      ds->Last();
      SelectKeyValue(GetKeyField()->GetValue());
      break;
    default:
      return;
  }
  key = 0;
}

int TDBLookupListBox::RowAtPos(TPoint p) const {
  if (p.X < 0 || p.X >= GetClientWidth() || p.Y < 0) return -1;
  int row = p.Y / GetRowHeight();
  return row < window_.GetCount() ? row : -1;
}

TRect TDBLookupListBox::RowRect(int row) const {
  int h = GetRowHeight();
  return Rect(0, row * h, GetClientWidth(), (row + 1) * h);
}

void TDBLookupListBox::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  inherited::WMLButtonDown(msg);
  SelectRow(RowAtPos({GetXLParam(msg.LParam), GetYLParam(msg.LParam)}));
}

void TDBLookupListBox::WMMouseMove(TMessage& msg) {
  inherited::WMMouseMove(msg);
  // Dragging with the left button held chooses the row under the pointer.
  if ((msg.WParam & MK_LBUTTON) == 0) return;
  int row = RowAtPos({GetXLParam(msg.LParam), GetYLParam(msg.LParam)});
  if (row >= 0 && row != selectedRow_) SelectRow(row);
}

// --- painting ----------------------------------------------------------------

std::vector<int> TDBLookupListBox::ColumnWidths() const {
  // Every list field but the last takes its display width; the last the rest.
  const auto& fields = GetListFields();
  std::vector<int> widths;
  const int avg = std::max(1, TextMetrics().GetMetrics(*GetFont()).tmAveCharWidth);
  int used = 0;
  for (size_t i = 0; i + 1 < fields.size(); ++i) {
    int w = fields[i]->GetDisplayWidth() * avg + 4;
    widths.push_back(w);
    used += w;
  }
  if (!fields.empty()) widths.push_back(std::max(0, GetClientWidth() - used));
  return widths;
}

std::string TDBLookupListBox::GetCellText(int row, int col) {
  const auto& fields = GetListFields();
  if (row < 0 || row >= window_.GetCount() || col < 0 || col >= static_cast<int>(fields.size()))
    return {};
  window_.SelectRow(row);
  std::string s = fields[static_cast<size_t>(col)]->GetDisplayText();
  window_.Restore();
  return s;
}

void TDBLookupListBox::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.SetFont(GetFont());
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetColor());
  canvas.FillRect(GetClientRect());
  paintReads_ = 0;
  const auto& fields = GetListFields();
  if (!GetListActive() || fields.empty()) return;
  const std::vector<int> widths = ColumnWidths();
  struct Restore {
    TRecordWindow& w;
    ~Restore() { w.Restore(); }
  } restore{window_};
  for (int row = 0; row < window_.GetCount(); ++row) {
    window_.SelectRow(row);
    ++paintReads_;
    const TRect rr = RowRect(row);
    const bool selected = row == selectedRow_;
    if (selected) {
      canvas.GetBrush()->SetColor(clHighlight);
      canvas.FillRect(rr);
    }
    canvas.GetFont()->SetColor(selected ? clHighlightText : GetFont()->GetColor());
    int x = 0;
    for (size_t col = 0; col < fields.size(); ++col) {
      TRect cell = Rect(x, rr.Top, x + widths[col], rr.Bottom);
      TField* f = fields[col];
      const std::string text = f->GetDisplayText();
      int w = canvas.TextWidth(text), tx = cell.Left + 2;
      if (f->GetAlignment() == taRightJustify)
        tx = cell.Right - 3 - w;
      else if (f->GetAlignment() == taCenter)
        tx = cell.Left + (cell.Width() - w) / 2;
      canvas.GetBrush()->SetStyle(bsClear);
      canvas.TextRect(cell, tx, cell.Top + 1, text);
      canvas.GetBrush()->SetStyle(bsSolid);
      x = cell.Right;
      // A line separates the columns.
      if (col + 1 < fields.size()) {
        canvas.GetBrush()->SetColor(clBtnFace);
        canvas.FillRect(Rect(x - 1, rr.Top, x, rr.Bottom));
      }
    }
    canvas.GetBrush()->SetColor(GetColor());
  }
}

void TDBLookupListBox::PaintNonClient(TCanvas& canvas) {
  PaintWindowBorder(canvas, GetWidth(), GetHeight(), borderStyle_, GetCtl3D());
  const int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  const int cx = GetSystemMetrics(SM_CXVSCROLL);
  const TRect r = Rect(GetWidth() - b - cx, b, GetWidth() - b, GetHeight() - b);
  // The thumb follows the first row's place in the dataset's order.
  TDataSet* ds = ListDataSet();
  const int64_t range = ds ? TRecordWindow::OrderCount(ds) : 0;
  const int64_t top = ds ? std::max(0, TRecordWindow::OrderPosition(ds) - activeRow_) : 0;
  PaintScrollBar(canvas, r, sbVertical,
                 ScrollBarThumb(sbVertical, r.Height(), cx, rowCount_, range, top));
}

// --- the popup ---------------------------------------------------------------

TPopupDataList::TPopupDataList(TComponent* owner) : TDBLookupListBox(owner) {
  SetTabStop(false);
  SetCtl3D(false);
  MakePopupWindow(this);
}

void TPopupDataList::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.WndParent = nullptr;
}

}  // namespace tabulon
