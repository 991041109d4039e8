// TCustomComboBox / TComboBox: a box showing one item of a list that drops
// down below it (a top-level popup list). In the drop-down-list style the
// text is always the selected item: arrows, Home, End and typed letters
// choose another item, Alt+Down or F4 drops the list, Enter takes the
// highlighted item and Escape leaves it. A choice made by the user fires
// OnClick and then OnChange (a pick from the open list even when it is the
// item already shown); a choice made by the program fires nothing.
#pragma once

#include <memory>

#include "platform/controls/wincontrol.h"
#include "platform/forms/listbox.h"

namespace tabulon {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox;

/// The drop-down list of a combo box: a top-level popup list box.
class TComboListBox : public TCustomListBox {
  TBN_CLASS(TComboListBox, TCustomListBox)
 public:
  explicit TComboListBox(TCustomComboBox* combo);
  /// The list never takes the focus: the combo box keeps it while the list is open.
  bool CanFocus() const override { return false; }

 protected:
  void WMLButtonUp(TMessage& msg) override;
  void CreateParams(TCreateParams& params) override;

 private:
  TCustomComboBox* combo_;
};

/// A combo box.
class TCustomComboBox : public TWinControl {
  TBN_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStrings* GetItems() const { return items_.get(); }
  void SetItems(TStrings* v) { items_->Assign(v); }
  /// The selected item (-1: none); setting it shows the item's text, without events.
  int GetItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  TComboBoxStyle GetStyle() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  int GetDropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v < 1 ? 1 : v; }
  bool GetSorted() const { return items_->GetSorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }
  /// Whether the list is dropped down; setting it drops or closes it.
  bool GetDroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool v);
  /// The popup list (exists while the combo box does).
  TComboListBox* GetListBox() const { return list_; }
  /// Closes the list; with `accept` its highlighted item becomes the choice.
  void CloseUp(bool accept);
  /// Makes item `index` the user's choice: OnClick and OnChange when it changed.
  void UserSelect(int index);
  /// Called by the items after every change.
  void ItemsChanged();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;

 protected:
  virtual void Change();
  virtual void DropDown();
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMLButtonDown(TMessage& msg) override;
  void CMExit(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMTextChanged(TMessage& msg) override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void PaintSelf(TCanvas& canvas) override;

 private:
  std::unique_ptr<TListBoxStrings> items_;
  TComboListBox* list_ = nullptr;  // owned by the combo box as a component
  int itemIndex_ = -1;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  int maxLength_ = 0;
  bool droppedDown_ = false;
  bool selecting_ = false;  // the text is following the selection
};

class TComboBox : public TCustomComboBox {
  TBN_CLASS(TComboBox, TCustomComboBox)
 public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

}  // namespace tabulon

TBN_ENUM(tabulon::TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
         "csOwnerDrawVariable");
