// Unit TbnCtrls: the drop-down edits built on the mask edit with a button.
//
// TCustomPopupEdit drops a popup control (supplied by the derived class)
// below the edit, or above it near the bottom of the screen, and owns the
// keyboard and mouse rules for opening, accepting and cancelling it.
// TCustomLookupEdit adds incremental search while typing: it decides when a
// search runs and whether it is exact, and selects the completed tail of the
// text; the derived class searches. TCustomQXComboBoxEdit searches a string
// list shown in a TCustomPopupWindow, a top-level list box that never takes
// the focus; TQXComboBoxEdit publishes it.
//
// The popup is made by the most derived class's CreatePopup the first time
// it is needed (GetPopup), so an override is always in effect.
#pragma once

#include "platform/core/set.h"
#include "platform/forms/listbox.h"
#include "platform/forms/popupchoice.h"
#include "run/tbnmask.h"

namespace tabulon {

enum TDropDownAlign { daLeft, daRight, daCenter };

/// What a lookup edit is doing while its text changes.
enum TPopupEditStateItem {
  peTextChanging,   // a search is running; nested change notifications are swallowed
  peValueChanging,  // the program sets the text; no search runs
  peIgnoreChange,   // the last key was Backspace or Delete, or replaced a selection
  peKeyPressing,    // a typed character is on its way into the text
  pePopupClosing,   // kept for the set's layout; not used
};
using TPopupEditState = TSet<TPopupEditStateItem>;

/// Windowed control whose protected colour, font and mouse-up event the
/// popup edits set on their popups.
class TWinControlCrack : public TWinControl {
  TBN_CLASS(TWinControlCrack, TWinControl)
 public:
  explicit TWinControlCrack(TComponent* owner) : TWinControl(owner) {}
  static void Style(TWinControl* popup, TColor color, TFont* font) {
    popup->SetColor(color);
    popup->SetFont(font);
  }
};

/// An edit whose button drops a popup control.
class TCustomPopupEdit : public TCustomQXMaskEdit, public TPopupChooser {
  TBN_CLASS(TCustomPopupEdit, TCustomQXMaskEdit)
 public:
  explicit TCustomPopupEdit(TComponent* owner);
  ~TCustomPopupEdit() override;

  /// Shows the popup when it is hidden and the list is active.
  void DropDown();
  /// Hides a shown popup; `accept` tells whether its choice is taken.
  void CloseUp(bool accept);
  /// The popup control, created on first use by CreatePopup.
  TWinControl* GetPopup();
  /// Whether the popup is shown.
  bool GetListVisible() const { return listVisible_; }
  /// Whether the popup may be shown at all.
  bool GetListActive() const { return listActive_; }
  /// Whether a left press on the button is still being tracked.
  bool GetTracking() const { return tracking_; }
  /// The height of the popup window in pixels.
  int GetDropDownHeight() const { return dropDownHeight_; }
  void SetDropDownHeight(int v) { dropDownHeight_ = v; }
  /// Whether the user may change the value: list active and not ReadOnly.
  virtual bool CanModify() const;

  void Notification(TComponent* component, TOperation operation) override;

  TControl* DropButtonControl() override { return GetButton(); }
  TControl* ChoiceList() override { return listVisible_ ? popup_ : nullptr; }

  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  TDropDownAlign GetDropDownAlign() const { return dropDownAlign_; }
  void SetDropDownAlign(TDropDownAlign v) { dropDownAlign_ = v; }
  /// Width of the popup; 0 takes the edit's width.
  int GetDropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int v) { dropDownWidth_ = v; }
  void SetListActive(bool v) { listActive_ = v; }

  virtual void DoBeforeCloseUp(bool& accept);
  /// Raises OnCloseUp.
  virtual void DoAfterCloseUp(bool accept);
  /// Raises OnDropDown.
  virtual void DoBeforeShow();
  virtual void DoAfterShow();
  /// Whether left and right alignment are swapped; false.
  virtual bool DropDownUseRightToLeftAlignment() const;
  /// Stores a new popup control, owned by the edit, in `popup`.
  virtual void CreatePopup(TWinControl*& popup) = 0;

  void HidePopupControl();
  /// Places the popup below (or above) the edit and shows it without activating it.
  void ShowPopupControl();
  void StopTracking() { tracking_ = false; }
  /// A left release over the popup accepts, beside it cancels.
  void ListMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  void ButtonMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                       int y) override;
  void ButtonMouseMove(TObject* sender, TShiftState shift, int x, int y) override;
  void ButtonMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x,
                     int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMKillFocus(TMessage& msg) override;
  void WMCancelMode(TMessage& msg) override;
  void CMCancelMode(TMessage& msg) override;

 private:
  bool tracking_ = false;
  TDropDownAlign dropDownAlign_ = daLeft;
  int dropDownHeight_ = 100;
  int dropDownWidth_ = 0;
  bool listVisible_ = false;
  bool listActive_ = false;
  TWinControl* popup_ = nullptr;  // owned by the edit as a component
};

/// A popup edit that searches its list while the user types.
class TCustomLookupEdit : public TCustomPopupEdit {
  TBN_CLASS(TCustomLookupEdit, TCustomPopupEdit)
 public:
  explicit TCustomLookupEdit(TComponent* owner) : TCustomPopupEdit(owner) {}

  TPopupEditState GetPopupEditState() const { return state_; }
  /// Sets the text without a search, only while the value may be modified.
  void SetText(const std::string& v);
  using TCustomMaskEdit::GetText;

  void WndProc(TMessage& msg) override;

 protected:
  /// How typing searches; ssNone here.
  virtual TSearchState GetSearchState() const;
  /// Searches the list for the text; selects and completes a match.
  virtual bool DoSearch(bool exact) = 0;

  void Change() override;
  bool ReplaceText(int start, int count, const std::string& insert) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void DoAfterCloseUp(bool accept) override;

 private:
  TPopupEditState state_;
};

/// The list a combo box edit drops: a top-level list box that never takes the focus.
class TCustomPopupWindow : public TCustomListBox {
  TBN_CLASS(TCustomPopupWindow, TCustomListBox)
 public:
  explicit TCustomPopupWindow(TComponent* owner);
  bool CanFocus() const override { return false; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

/// A combo box over a string list.
class TCustomQXComboBoxEdit : public TCustomLookupEdit {
  TBN_CLASS(TCustomQXComboBoxEdit, TCustomLookupEdit)
 public:
  explicit TCustomQXComboBoxEdit(TComponent* owner);

  /// The popup list.
  TCustomPopupWindow* GetList();
  virtual TStrings* GetItems();
  /// Copies the strings of `v`.
  virtual void SetItems(TStrings* v);
  virtual int GetItemIndex();
  virtual void SetItemIndex(int v);

 protected:
  int GetDropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int v) { dropDownRows_ = v; }
  TSearchState GetComboSearchState() const { return searchState_; }
  void SetSearchState(TSearchState v) { searchState_ = v; }
  bool GetSorted() { return GetList()->GetSorted(); }
  void SetSorted(bool v) { GetList()->SetSorted(v); }
  TDrawItemEvent GetOnDrawItem() { return GetList()->OnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent v) { GetList()->OnDrawItem = v; }

  void CreatePopup(TWinControl*& popup) override;
  void DoBeforeCloseUp(bool& accept) override;
  void DoBeforeShow() override;
  TSearchState GetSearchState() const override { return searchState_; }
  bool DoSearch(bool exact) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

 private:
  int dropDownRows_ = 7;
  TSearchState searchState_ = ssNearest;
};

/// The combo box edit as a component.
class TQXComboBoxEdit : public TCustomQXComboBoxEdit {
  TBN_CLASS(TQXComboBoxEdit, TCustomQXComboBoxEdit)
 public:
  explicit TQXComboBoxEdit(TComponent* owner) : TCustomQXComboBoxEdit(owner) {}
  using TCustomPopupEdit::GetDropDownAlign;
  using TCustomPopupEdit::GetDropDownWidth;
  using TCustomPopupEdit::SetDropDownAlign;
  using TCustomPopupEdit::SetDropDownWidth;
  using TCustomQXComboBoxEdit::GetComboSearchState;
  using TCustomQXComboBoxEdit::GetDropDownRows;
  using TCustomQXComboBoxEdit::GetOnDrawItem;
  using TCustomQXComboBoxEdit::GetSorted;
  using TCustomQXComboBoxEdit::SetDropDownRows;
  using TCustomQXComboBoxEdit::SetOnDrawItem;
  using TCustomQXComboBoxEdit::SetSearchState;
  using TCustomQXComboBoxEdit::SetSorted;
  using TCustomQXMaskEdit::GetAlignment;
  using TCustomQXMaskEdit::GetDirectInput;
  using TCustomQXMaskEdit::GetReadOnly;
  using TCustomQXMaskEdit::SetAlignment;
  using TCustomQXMaskEdit::SetDirectInput;
  using TCustomQXMaskEdit::SetReadOnly;
};

}  // namespace tabulon

TBN_ENUM(tabulon::TDropDownAlign, "daLeft", "daRight", "daCenter");
TBN_ENUM(tabulon::TPopupEditStateItem, "peTextChanging", "peValueChanging", "peIgnoreChange",
         "peKeyPressing", "pePopupClosing");
