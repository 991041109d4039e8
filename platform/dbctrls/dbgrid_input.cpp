// TCustomDBGrid input: keys and clicks that move the dataset, scroll-bar
// messages and the mouse wheel, focus.
#include <algorithm>

#include "platform/db/dataset.h"
#include "platform/dbctrls/dbgrid.h"

namespace tabulon {

namespace {
// Scroll-bar request codes (the low word of WM_VSCROLL and WM_HSCROLL).
constexpr int SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
              SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7;

// A thumb position carries 16 bits: up to 65535 records it is the record's
// place in the order, beyond that the same fraction of the order.
int64_t ThumbToRecord(int pos, int count) {
  if (count <= 0xFFFF) return pos;
  return static_cast<int64_t>(pos) * (count - 1) / 0xFFFF;
}
}  // namespace

void TCustomDBGrid::MovePage(int distance) {
  TDataSet* ds = ActiveDataSet();
  if (!ds) return;
  // The page scrolls under the current record: it keeps its row.
  pendingRow_ = std::max(0, GetActiveRow());
  struct Reset {
    int& row;
    ~Reset() { row = -1; }
  } reset{pendingRow_};
  ds->MoveBy(distance);
}

void TCustomDBGrid::WMGetDlgCode(TMessage& msg) { msg.Result = DLGC_WANTARROWS; }

void TCustomDBGrid::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (!ActiveDataSet() || key == 0) return;
  // Keys do what the scroll bars do. Rows are selected whole, so Home and
  // End go to the first and the last record, with Ctrl or without.
  switch (key) {
    case VK_UP:
      VScroll(SB_LINEUP, 0);
      break;
    case VK_DOWN:
      VScroll(SB_LINEDOWN, 0);
      break;
    case VK_PRIOR:
      VScroll(SB_PAGEUP, 0);
      break;
    case VK_NEXT:
      VScroll(SB_PAGEDOWN, 0);
      break;
    case VK_HOME:
      VScroll(SB_TOP, 0);
      break;
    case VK_END:
      VScroll(SB_BOTTOM, 0);
      break;
    case VK_LEFT:
      HScroll(SB_LINEUP, 0);
      break;
    case VK_RIGHT:
      HScroll(SB_LINEDOWN, 0);
      break;
    default:
      return;
  }
  key = 0;
}

void TCustomDBGrid::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  inherited::WMLButtonDown(msg);
  TDataSet* ds = ActiveDataSet();
  int row = RowAtPos({GetXLParam(msg.LParam), GetYLParam(msg.LParam)});
  if (ds && row >= 0 && GetActiveRow() >= 0 && row != GetActiveRow())
    ds->MoveBy(row - GetActiveRow());
}

void TCustomDBGrid::VScroll(int code, int pos) {
  TDataSet* ds = ActiveDataSet();
  if (!ds) return;
  switch (code) {
    case SB_LINEUP:
      ds->Prior();
      break;
    case SB_LINEDOWN:
      ds->Next();
      break;
    case SB_PAGEUP:
      MovePage(-VisibleRowCount());
      break;
    case SB_PAGEDOWN:
      MovePage(VisibleRowCount());
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      ds->SetRecNo(static_cast<int>(ThumbToRecord(pos, TRecordWindow::OrderCount(ds))) + 1);
      break;
    case SB_TOP:
      ds->First();
      break;
    case SB_BOTTOM:
      ds->Last();
      break;
    default:
      break;
  }
}

void TCustomDBGrid::HScroll(int code, int pos) {
  int visible = 0, room = DataWidth();
  for (int c = leftCol_; c < GetColumnCount() && room >= GetColumnWidth(c); ++c, ++visible)
    room -= GetColumnWidth(c);
  switch (code) {
    case SB_LINEUP:
      SetLeftCol(leftCol_ - 1);
      break;
    case SB_LINEDOWN:
      SetLeftCol(leftCol_ + 1);
      break;
    case SB_PAGEUP:
      SetLeftCol(leftCol_ - std::max(1, visible));
      break;
    case SB_PAGEDOWN:
      SetLeftCol(leftCol_ + std::max(1, visible));
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      SetLeftCol(pos);
      break;
    case SB_TOP:
      SetLeftCol(0);
      break;
    case SB_BOTTOM:
      SetLeftCol(MaxLeftCol());
      break;
    default:
      break;
  }
}

void TCustomDBGrid::DefaultHandler(TMessage& msg) {
  int code = static_cast<int>(msg.WParam & 0xFFFF);
  int pos = static_cast<int>((msg.WParam >> 16) & 0xFFFF);
  if (msg.Msg == WM_VSCROLL) {
    VScroll(code, pos);
  } else if (msg.Msg == WM_HSCROLL) {
    HScroll(code, pos);
  } else if (msg.Msg == WM_MOUSEWHEEL) {
    // The high word is the wheel distance, 120 per notch, positive away from the user.
    int delta = static_cast<int16_t>((msg.WParam >> 16) & 0xFFFF);
    if (TDataSet* ds = ActiveDataSet(); ds && delta != 0) ds->MoveBy(-delta / 40);
  } else {
    inherited::DefaultHandler(msg);
  }
}

void TCustomDBGrid::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TCustomDBGrid::CMExit(TMessage& msg) {
  inherited::CMExit(msg);
  Invalidate();
}

}  // namespace tabulon
