// TCustomComboBox: selection, the drop-down list, keys, mouse, painting.
#include "platform/forms/combobox.h"

#include "platform/forms/listnav.h"

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"
#include "platform/forms/textutil.h"
#include "platform/forms/toplevel.h"

namespace tabulon {

// --- the drop-down list ----------------------------------------------------

TComboListBox::TComboListBox(TCustomComboBox* combo) : TCustomListBox(combo), combo_(combo) {
  SetTabStop(false);
  SetCtl3D(false);
  MakePopupWindow(this);
}

void TComboListBox::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.WndParent = nullptr;
}

void TComboListBox::WMLButtonUp(TMessage& msg) {
  inherited::WMLButtonUp(msg);
  // Releasing on an item takes it; elsewhere the list closes without a choice.
  TPoint p{GetXLParam(msg.LParam), GetYLParam(msg.LParam)};
  combo_->CloseUp(ItemAtPos(p, true) >= 0);
}

// --- the combo box -----------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>([this] { ItemsChanged(); })) {
  // OnClick reports a choice, not a press on the box.
  SetControlStyle({csSetCaption, csDoubleClicks, csCaptureMouse});
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  list_ = new TComboListBox(this);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  if (list_) RemoveTopLevel(list_);
}

void TCustomComboBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) SetItemIndex(-1);
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int v) {
  if (v < 0 || v >= items_->Count()) v = -1;
  itemIndex_ = v;
  selecting_ = true;
  try {
    SetText(v >= 0 ? items_->Get(v) : std::string());
  } catch (...) {
    selecting_ = false;
    throw;
  }
  selecting_ = false;
  Invalidate();
}

void TCustomComboBox::CMTextChanged(TMessage& msg) {
  inherited::CMTextChanged(msg);
  if (selecting_) return;
  // Text set by the program (or typed) selects the item that matches it.
  itemIndex_ = items_->IndexOf(GetText());
  if (style_ == csDropDownList && itemIndex_ < 0 && !GetText().empty()) {
    selecting_ = true;
    SetText("");
    selecting_ = false;
  }
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  style_ = v;
  if (v == csDropDownList && itemIndex_ < 0) SetItemIndex(-1);
  Invalidate();
}

void TCustomComboBox::Change() { OnChange(this); }

void TCustomComboBox::UserSelect(int index) {
  if (items_->Count() == 0) return;
  index = std::clamp(index, 0, items_->Count() - 1);
  if (index == itemIndex_ && GetText() == items_->Get(index)) return;
  SetItemIndex(index);
  Click();
  Change();
}

void TCustomComboBox::DropDown() { OnDropDown(this); }

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == droppedDown_) return;
  if (!v) {
    CloseUp(false);
    return;
  }
  DropDown();
  list_->GetItems()->Assign(items_.get());
  list_->SetFont(GetFont());
  list_->SetItemIndex(itemIndex_);
  list_->OnDrawItem = OnDrawItem;
  list_->SetStyle(style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable ? lbOwnerDrawFixed
                                                                              : lbStandard);
  int rows = std::clamp(items_->Count(), 1, dropDownCount_);
  int h = rows * list_->GetItemHeight() + 2;
  TPoint below = ClientToScreen({0, GetClientHeight()});
  TRect m = GetNonClientMargins();
  int x = below.X - m.Left, y = below.Y + m.Bottom;
  // Above the box when the screen has no room below it.
  if (y + h > Screen()->GetHeight()) y = ClientToScreen({0, 0}).Y - m.Top - h;
  droppedDown_ = true;
  SetWindowPos(list_, HWND_TOPMOST, x, y, GetWidth(), h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  list_->SetTopIndex(itemIndex_);
  Invalidate();
}

void TCustomComboBox::CloseUp(bool accept) {
  if (!droppedDown_) return;
  droppedDown_ = false;
  SetWindowPos(list_, HWND_TOP, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  if (Screen()->GetCaptureControl() == list_) Screen()->SetCaptureControl(nullptr);
  Invalidate();
  // A pick from the open list is the user's choice even when it is the
  // item already shown: the list reports every pick, as a selection
  // notification does, so a handler learns the user chose that value.
  if (const int picked = list_->GetItemIndex(); accept && picked >= 0) {
    if (picked == itemIndex_ && GetText() == items_->Get(picked)) {
      Click();
      Change();
    } else {
      UserSelect(picked);
    }
  }
  OnCloseUp(this);
}

void TCustomComboBox::WMGetDlgCode(TMessage& msg) {
  // While dropped, Enter and Escape belong to the list.
  msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (droppedDown_ ? DLGC_WANTALLKEYS : 0);
}

void TCustomComboBox::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (key == 0) return;
  bool alt = shift.Contains(ssAlt);
  if ((alt && (key == VK_DOWN || key == VK_UP)) || key == VK_F4) {
    SetDroppedDown(!droppedDown_);
    key = 0;
    return;
  }
  int page = std::max(1, dropDownCount_ - 1);
  if (droppedDown_) {
    // The keys move the highlight in the open list.
    int cur = list_->GetItemIndex(), n = items_->Count();
    switch (key) {
      case VK_RETURN:
        CloseUp(true);
        break;
      case VK_ESCAPE:
        CloseUp(false);
        break;
      case VK_UP:
      case VK_LEFT:
        list_->SetItemIndex(std::max(0, cur - 1));
        break;
      case VK_DOWN:
      case VK_RIGHT:
        list_->SetItemIndex(std::min(n - 1, cur + 1));
        break;
      case VK_HOME:
        list_->SetItemIndex(0);
        break;
      case VK_END:
        list_->SetItemIndex(n - 1);
        break;
      case VK_PRIOR:
        list_->SetItemIndex(std::max(0, cur - page));
        break;
      case VK_NEXT:
        list_->SetItemIndex(std::min(n - 1, cur + page));
        break;
      default:
        return;
    }
    key = 0;
    return;
  }
  // Only the drop-down list style takes the sideways arrows, Home and End.
  bool listOnly = key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END;
  if (listOnly && style_ != csDropDownList) return;
  int target;
  if (!forms_detail::ListKeyTarget(key, itemIndex_, items_->Count(), page, target)) return;
  UserSelect(target);
  key = 0;
}

void TCustomComboBox::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key == 0) return;
  if (style_ == csDropDownList || style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) {
    if (key < 32 || items_->Count() == 0) return;
    // A typed letter chooses the next item that starts with it.
    auto upper = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    int n = items_->Count(), from = droppedDown_ ? list_->GetItemIndex() : itemIndex_;
    for (int k = 1; k <= n; ++k) {
      int i = ((from < 0 ? -1 : from) + k) % n;
      const std::string s = items_->Get(i);
      if (!s.empty() && upper(static_cast<unsigned char>(s[0])) == upper(key)) {
        if (droppedDown_)
          list_->SetItemIndex(i);
        else
          UserSelect(i);
        break;
      }
    }
    return;
  }
  // The editable styles type into the text: Backspace removes the last
  // character, other characters are appended (up to MaxLength).
  std::string text = GetText();
  if (key == 8) {
    size_t n = Utf8Length(text);
    if (n == 0) return;
    text = forms_detail::LeftCP(text, n - 1);
  } else if (key >= 32) {
    if (maxLength_ > 0 && static_cast<int>(Utf8Length(text)) >= maxLength_) return;
    text += forms_detail::EncodeUtf8(key);
  } else {
    return;
  }
  SetText(text);
  Change();
}

void TCustomComboBox::WMLButtonDown(TMessage& msg) {
  if (CanFocus() && !Focused()) SetFocus();
  inherited::WMLButtonDown(msg);
  if (Screen()->GetCaptureControl() == this) Screen()->SetCaptureControl(nullptr);
  SetDroppedDown(!droppedDown_);
}

void TCustomComboBox::CMEnter(TMessage& msg) {
  inherited::CMEnter(msg);
  Invalidate();
}

void TCustomComboBox::CMExit(TMessage& msg) {
  CloseUp(false);
  inherited::CMExit(msg);
  Invalidate();
}

TRect TCustomComboBox::GetNonClientMargins() const {
  int b = GetCtl3D() ? 2 : 1;
  return TRect{b, b, b, b};
}

void TCustomComboBox::PaintNonClient(TCanvas& canvas) {
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  forms_detail::DrawSunkenFrame(canvas, r, GetCtl3D());
}

void TCustomComboBox::PaintSelf(TCanvas& canvas) {
  TRect c = GetClientRect();
  int bw = std::min(16, c.Width());
  TRect text = Rect(c.Left, c.Top, c.Right - bw, c.Bottom);
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(GetEnabled() ? GetColor() : clBtnFace);
  canvas.FillRect(text);
  canvas.SetFont(GetFont());
  bool highlight = Focused() && style_ == csDropDownList && !droppedDown_;
  if (highlight) {
    TRect h = Rect(text.Left + 1, text.Top + 1, text.Right - 1, text.Bottom - 1);
    canvas.GetBrush()->SetColor(clHighlight);
    canvas.FillRect(h);
    canvas.GetFont()->SetColor(clHighlightText);
  }
  if (!GetEnabled()) canvas.GetFont()->SetColor(clGrayText);
  canvas.GetBrush()->SetStyle(bsClear);
  int th = canvas.TextHeight("Ag");
  canvas.TextRect(text, text.Left + 2, text.Top + (text.Height() - th) / 2, GetText());
  if (highlight)
    canvas.DrawFocusRect(Rect(text.Left + 1, text.Top + 1, text.Right - 1, text.Bottom - 1));
  // The drop button with its arrow.
  TRect b = Rect(c.Right - bw, c.Top, c.Right, c.Bottom);
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(b);
  TRect e = b;
  if (droppedDown_)
    Frame3D(canvas, e, clBtnShadow, clBtnShadow, 1);
  else {
    Frame3D(canvas, e, clBtnFace, clWindowFrame, 1);
    Frame3D(canvas, e, clBtnHighlight, clBtnShadow, 1);
  }
  int cx = b.Left + b.Width() / 2, cy = b.Top + b.Height() / 2 - 1;
  canvas.GetPen()->SetColor(GetEnabled() ? clBtnText : clGrayText);
  canvas.GetPen()->SetWidth(1);
  for (int i = 0; i < 4; ++i) {
    canvas.MoveTo(cx - 3 + i, cy + i);
    canvas.LineTo(cx + 4 - i, cy + i);
  }
}

TBN_REGISTER(TComboListBox) {}
TBN_REGISTER(TCustomComboBox) {}

TBN_REGISTER(TComboBox) {
  forms_detail::PublishWinControl(b, true);
  b.Property("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount)
      .Default(8);
  b.Property("ItemIndex", &TComboBox::GetItemIndex, &TComboBox::SetItemIndex).Default(-1);
  b.Property("Items", &TComboBox::GetItems, &TComboBox::SetItems);
  b.Property("MaxLength", &TComboBox::GetMaxLength, &TComboBox::SetMaxLength).Default(0);
  b.Property("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted).Default(false);
  b.Property("Style", &TComboBox::GetStyle, &TComboBox::SetStyle).Default(csDropDown);
  b.Property("Text", &TComboBox::GetText, &TComboBox::SetText);
  b.Property("OnChange", &TComboBox::OnChange);
  b.Property("OnCloseUp", &TComboBox::OnCloseUp);
  b.Property("OnDrawItem", &TComboBox::OnDrawItem);
  b.Property("OnDropDown", &TComboBox::OnDropDown);
}

}  // namespace tabulon
