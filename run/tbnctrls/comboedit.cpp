// TCustomQXComboBoxEdit: the search over the strings, the list's height and
// the arrow keys that step through the items.
#include "platform/core/format.h"
#include "platform/forms/textutil.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnctrls.h"

namespace tabulon {

namespace {
constexpr uint16_t kVkUp = 0x26, kVkDown = 0x28;
}  // namespace

TCustomQXComboBoxEdit::TCustomQXComboBoxEdit(TComponent* owner) : TCustomLookupEdit(owner) {
  SetListActive(true);
}

void TCustomQXComboBoxEdit::CreatePopup(TWinControl*& popup) {
  popup = new TCustomPopupWindow(this);
}

TCustomPopupWindow* TCustomQXComboBoxEdit::GetList() {
  return static_cast<TCustomPopupWindow*>(GetPopup());
}

TStrings* TCustomQXComboBoxEdit::GetItems() { return GetList()->GetItems(); }
void TCustomQXComboBoxEdit::SetItems(TStrings* v) { GetList()->SetItems(v); }
int TCustomQXComboBoxEdit::GetItemIndex() { return GetList()->GetItemIndex(); }
void TCustomQXComboBoxEdit::SetItemIndex(int v) { GetList()->SetItemIndex(v); }

void TCustomQXComboBoxEdit::DoBeforeCloseUp(bool& accept) {
  if (accept && GetItemIndex() >= 0) SetText(GetItems()->Get(GetItemIndex()));
}

void TCustomQXComboBoxEdit::DoBeforeShow() {
  TCustomPopupWindow* list = GetList();
  TWinControlCrack::Style(list, GetColor(), GetFont());
  const int n = GetItems()->Count();
  int rows = dropDownRows_ > 0 ? std::min(n, dropDownRows_) : 1;
  if (rows == 0) rows = 1;
  SetDropDownHeight(rows * list->GetItemHeight() + 2);
  inherited::DoBeforeShow();
}

bool TCustomQXComboBoxEdit::DoSearch(bool exact) {
  bool found = false;
  const std::string text = GetText();
  const std::string upper = AnsiUpperCase(text);
  const size_t len = Utf8Length(upper);
  TStrings* items = GetItems();
  if (!text.empty()) {
    for (int i = 0; i < items->Count() && !found; ++i) {
      const std::string item = items->Get(i);
      found = exact ? upper == AnsiUpperCase(item)
                    : upper == AnsiUpperCase(forms_detail::LeftCP(item, len));
      if (found) {
        SetItemIndex(i);
        // The item's own capitalisation replaces what was typed.
        TCustomMaskEdit::SetText(item);
      }
    }
  }
  if (!found) SetItemIndex(-1);
  return found;
}

void TCustomQXComboBoxEdit::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (!CanModify() || (key != kVkUp && key != kVkDown)) return;
  const int step = key == kVkUp ? -1 : 1;
  const int n = GetItems()->Count();
  auto move = [&] {
    const int i = GetItemIndex() + step;
    if (i >= 0 && i < n) SetItemIndex(i);
  };
  if (GetListVisible()) {
    move();
  } else {
    const int cur = GetItemIndex();
    if (cur >= 0 && AnsiCompareText(GetItems()->Get(cur), GetText()) == 0)
      move();
    else
      SetItemIndex(0);
    if (GetItemIndex() >= 0) SetText(GetItems()->Get(GetItemIndex()));
  }
  key = 0;
}

}  // namespace tabulon
