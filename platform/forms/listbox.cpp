// TCustomListBox: items, selection, scrolling, keys, mouse, drag and drop,
// painting.
#include "platform/forms/listbox.h"

#include "platform/forms/listnav.h"

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {

void TListBoxStrings::Changed() {
  inherited::Changed();
  if (changed_) changed_();
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TCustomControl(owner), items_(std::make_unique<TListBoxStrings>([this] { ItemsChanged(); })) {
  SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomListBox::~TCustomListBox() {
  if (DragSourceControl() == this) CancelDrag();
}

void TCustomListBox::SetItems(TStrings* v) { items_->Assign(v); }

void TCustomListBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  SetTopIndex(topIndex_);
  Invalidate();
}

void TCustomListBox::SetItemIndex(int v) {
  if (v < 0 || v >= items_->Count()) v = -1;
  if (v == itemIndex_) return;
  itemIndex_ = v;
  if (v >= 0) ScrollIntoView(v);
  Invalidate();
}

int TCustomListBox::GetItemHeight() const {
  if (style_ != lbStandard) return itemHeight_;
  return std::max(1, TextMetrics().GetMetrics(*GetFont()).tmHeight);
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0 || v == itemHeight_) return;
  itemHeight_ = v;
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
  style_ = v;
  Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle v) {
  borderStyle_ = v;
  Invalidate();
}

int TCustomListBox::VisibleRows() const { return std::max(1, GetClientHeight() / GetItemHeight()); }

void TCustomListBox::SetTopIndex(int v) {
  int maxTop = std::max(0, items_->Count() - VisibleRows());
  v = std::clamp(v, 0, maxTop);
  if (v == topIndex_) return;
  topIndex_ = v;
  Invalidate();
}

void TCustomListBox::ScrollIntoView(int index) {
  if (index < topIndex_)
    SetTopIndex(index);
  else if (index >= topIndex_ + VisibleRows())
    SetTopIndex(index - VisibleRows() + 1);
}

int TCustomListBox::ItemAtPos(TPoint p, bool existing) const {
  TRect c = GetClientRect();
  if (p.X < c.Left || p.X >= c.Right || p.Y < c.Top) return -1;
  if (p.Y >= c.Bottom) return existing ? -1 : items_->Count();
  int i = topIndex_ + p.Y / GetItemHeight();
  if (i < items_->Count()) return i;
  return existing ? -1 : items_->Count();
}

TRect TCustomListBox::ItemRect(int index) const {
  int h = GetItemHeight(), y = (index - topIndex_) * h;
  return Rect(0, y, GetClientWidth(), y + h);
}

void TCustomListBox::SelectionChanged() { Click(); }

void TCustomListBox::UserSelect(int index) {
  if (items_->Count() == 0) return;
  index = std::clamp(index, 0, items_->Count() - 1);
  if (index == itemIndex_) return;
  SetItemIndex(index);
  SelectionChanged();
}

void TCustomListBox::WMGetDlgCode(TMessage& msg) { msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomListBox::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  int page = std::max(1, VisibleRows() - 1), target;
  if (!forms_detail::ListKeyTarget(key, itemIndex_, items_->Count(), page, target)) return;
  UserSelect(target);
  key = 0;
}

void TCustomListBox::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key < 32 || key > 126 || items_->Count() == 0) return;
  // A typed letter selects the next item that starts with it.
  auto upper = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
  int n = items_->Count();
  for (int k = 1; k <= n; ++k) {
    int i = (itemIndex_ + k) % n;
    const std::string s = items_->Get(i);
    if (!s.empty() && upper(static_cast<unsigned char>(s[0])) == upper(key)) {
      UserSelect(i);
      break;
    }
  }
}

void TCustomListBox::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  TPoint p{GetXLParam(msg.LParam), GetYLParam(msg.LParam)};
  int i = ItemAtPos(p, true);
  // The selection moves first, so that a drag carries the pressed item.
  TControlStyle s = GetControlStyle();
  bool clicks = s.Contains(csClickEvents);
  s.Exclude(csClickEvents);
  SetControlStyle(s);
  inherited::WMLButtonDown(msg);
  if (clicks) s.Include(csClickEvents);
  SetControlStyle(s);
  if (i >= 0) UserSelect(i);
  if (dragMode_ == dmAutomatic && i >= 0) BeginDrag(false);
}

void TCustomListBox::WMLButtonDblClk(TMessage& msg) { inherited::WMLButtonDblClk(msg); }

void TCustomListBox::WMMouseMove(TMessage& msg) {
  inherited::WMMouseMove(msg);
  // Without a drag, moving with the button held moves the selection.
  if (GetControlState().Contains(csLButtonDown) && Screen()->GetCaptureControl() == this) {
    int i = ItemAtPos({GetXLParam(msg.LParam), GetYLParam(msg.LParam)}, true);
    if (i >= 0) UserSelect(i);
  }
}

void TCustomListBox::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TCustomListBox::CMExit(TMessage& msg) {
  inherited::CMExit(msg);
  Invalidate();
}

void TCustomListBox::BeginDrag(bool immediate, int threshold) {
  tabulon::BeginDrag(this, immediate, threshold);
}

bool TCustomListBox::Dragging() const { return DragSourceControl() == this && tabulon::Dragging(); }

bool TCustomListBox::DoDragOver(TObject* source, int x, int y, TDragState state) {
  // Without a handler nothing is accepted.
  bool accept = false;
  if (OnDragOver.Assigned()) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
  return accept;
}

void TCustomListBox::DoDragDrop(TObject* source, int x, int y) { OnDragDrop(this, source, x, y); }

void TCustomListBox::DoEndDrag(TObject* target, int x, int y) { OnEndDrag(this, target, x, y); }

TRect TCustomListBox::GetNonClientMargins() const {
  if (borderStyle_ != bsSingle) return {};
  int b = GetCtl3D() ? 2 : 1;
  return TRect{b, b, b, b};
}

void TCustomListBox::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ != bsSingle) return;
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  forms_detail::DrawSunkenFrame(canvas, r, GetCtl3D());
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  TCanvas& canvas = *GetCanvas();
  if (style_ != lbStandard && OnDrawItem.Assigned()) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(state.Contains(odSelected) ? clHighlight : GetColor());
  canvas.FillRect(rect);
  canvas.GetFont()->SetColor(state.Contains(odSelected) ? clHighlightText : GetFont()->GetColor());
  canvas.GetBrush()->SetStyle(bsClear);
  canvas.TextRect(rect, rect.Left + 2, rect.Top, items_->Get(index));
}

void TCustomListBox::Paint() {
  TCanvas& canvas = *GetCanvas();
  int rows = VisibleRows() + 1;
  for (int i = topIndex_; i < items_->Count() && i < topIndex_ + rows; ++i) {
    TOwnerDrawState state;
    if (i == itemIndex_) state.Include(odSelected);
    if (i == itemIndex_ && Focused()) state.Include(odFocused);
    if (!GetEnabled()) state.Include(odDisabled);
    canvas.SetFont(GetFont());
    TRect r = ItemRect(i);
    DrawItem(i, r, state);
    if (state.Contains(odFocused)) canvas.DrawFocusRect(r);
  }
}

TBN_REGISTER(TListBoxStrings) {}
TBN_REGISTER(TCustomListBox) {}

TBN_REGISTER(TListBox) {
  forms_detail::PublishWinControl(b, true);
  b.Property("BorderStyle", &TListBox::GetBorderStyle, &TListBox::SetBorderStyle).Default(bsSingle);
  b.Property("DragMode", &TListBox::GetDragMode, &TListBox::SetDragMode).Default(dmManual);
  b.Property("ItemHeight", &TListBox::GetItemHeight, &TListBox::SetItemHeight).NoDefault();
  b.Property("Items", &TListBox::GetItems, &TListBox::SetItems);
  b.Property("Sorted", &TListBox::GetSorted, &TListBox::SetSorted).Default(false);
  b.Property("Style", &TListBox::GetStyle, &TListBox::SetStyle).Default(lbStandard);
  b.Property("OnDragDrop", &TListBox::OnDragDrop);
  b.Property("OnDragOver", &TListBox::OnDragOver);
  b.Property("OnDrawItem", &TListBox::OnDrawItem);
  b.Property("OnEndDrag", &TListBox::OnEndDrag);
}

}  // namespace tabulon
