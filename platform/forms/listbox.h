// TCustomListBox / TListBox: a scrolling list of strings with one selected
// item. Keys and clicks select; items may be drawn by the owner
// (OnDrawItem); with DragMode dmAutomatic a press starts dragging the list
// box, and OnDragOver/OnDragDrop make it a drop target (reordering items
// by drag and drop is a drop on itself).
#pragma once

#include <functional>
#include <memory>

#include "platform/controls/customcontrol.h"
#include "platform/core/strings.h"
#include "platform/forms/dragdrop.h"

namespace tabulon {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
/// Control, Index, Rect, State: draws item Index into Rect of the control's canvas.
using TDrawItemEvent = TEvent<TWinControl*, int, TRect, TOwnerDrawState>;

class TCustomListBox;

/// The items of a list or combo box: a string list that tells its control of changes.
class TListBoxStrings : public TStringList {
  TBN_CLASS(TListBoxStrings, TStringList)
 public:
  explicit TListBoxStrings(std::function<void()> changed) : changed_(std::move(changed)) {}

 protected:
  void Changed() override;

 private:
  std::function<void()> changed_;
};

/// A list box.
class TCustomListBox : public TCustomControl, public TDragTarget, public TDragSource {
  TBN_CLASS(TCustomListBox, TCustomControl)
 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* GetItems() const { return items_.get(); }
  /// Copies the strings of `v`.
  void SetItems(TStrings* v);
  /// The selected item, -1 for none; an index out of range selects nothing.
  int GetItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  /// The height of a row: the font's line height, or the stored value for owner-drawn styles.
  int GetItemHeight() const;
  void SetItemHeight(int v);
  bool GetSorted() const { return items_->GetSorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  TListBoxStyle GetStyle() const { return style_; }
  void SetStyle(TListBoxStyle v);
  /// The first visible item.
  int GetTopIndex() const { return topIndex_; }
  void SetTopIndex(int v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  /// How many rows fit in the client area.
  int VisibleRows() const;
  /// The item at client point `p`: -1 when none; with `existing` false a
  /// point below the last item gives Count.
  int ItemAtPos(TPoint p, bool existing) const;
  /// The rectangle of item `index` in client coordinates.
  TRect ItemRect(int index) const;
  void Clear() { items_->Clear(); }

  TDragMode GetDragMode() const { return dragMode_; }
  void SetDragMode(TDragMode v) { dragMode_ = v; }
  /// Starts dragging the list box (see the drag functions).
  void BeginDrag(bool immediate, int threshold = 5);
  bool Dragging() const;

  bool DoDragOver(TObject* source, int x, int y, TDragState state) override;
  void DoDragDrop(TObject* source, int x, int y) override;
  void DoEndDrag(TObject* target, int x, int y) override;
  /// Called by the items after every change.
  virtual void ItemsChanged();

  TDrawItemEvent OnDrawItem;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TDragDropEvent OnEndDrag;

 protected:
  /// Draws item `index`: OnDrawItem for owner-drawn styles, else the text.
  virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
  /// The selection changed through the keyboard or the mouse: fires OnClick.
  virtual void SelectionChanged();
  void Paint() override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMLButtonDblClk(TMessage& msg) override;
  void WMMouseMove(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;
  /// Selects `index` as the user did (clamped) and reports a change.
  void UserSelect(int index);

 private:
  void ScrollIntoView(int index);

  std::unique_ptr<TListBoxStrings> items_;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  int topIndex_ = 0;
  TListBoxStyle style_ = lbStandard;
  TBorderStyle borderStyle_ = bsSingle;
  TDragMode dragMode_ = dmManual;
};

class TListBox : public TCustomListBox {
  TBN_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

}  // namespace tabulon

TBN_ENUM(tabulon::TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable");
TBN_ENUM(tabulon::TOwnerDrawStateItem, "odSelected", "odGrayed", "odDisabled", "odChecked",
         "odFocused");
TBN_EVENT_NAME(tabulon::TDrawItemEvent);
