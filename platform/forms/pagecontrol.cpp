// TPageControl / TTabSheet: pages, the active page, tabs and painting.
#include "platform/forms/pagecontrol.h"

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/forms/paintutil.h"
#include "platform/forms/publish.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {

// --- TTabSheet -------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  Destroying();
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) {
  if (v == pageControl_) return;
  SetParent(v);  // the page control's control-change handler files the page
}

void TTabSheet::SetParentComponent(TComponent* value) {
  if (auto* pc = dynamic_cast<TPageControl*>(value))
    SetPageControl(pc);
  else
    inherited::SetParentComponent(value);
}

int TTabSheet::GetPageIndex() const {
  if (!pageControl_) return -1;
  auto& p = pageControl_->pages_;
  return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int v) {
  if (!pageControl_) return;
  auto& p = pageControl_->pages_;
  std::erase(p, this);
  v = std::clamp(v, 0, static_cast<int>(p.size()));
  p.insert(p.begin() + v, this);
  pageControl_->Invalidate();
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == tabVisible_) return;
  tabVisible_ = v;
  if (pageControl_) pageControl_->Realign();
}

// --- TPageControl ------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  Destroying();
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
  pages_.clear();
  active_ = nullptr;
}

TTabSheet* TPageControl::GetPages(int index) const {
  if (index < 0 || index >= GetPageCount())
    throw EListError(Format(ResStr("SListIndexError"), {index}));
  return pages_[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  page->pageControl_ = this;
  // The first page becomes the active one; the others stay hidden.
  if (!active_ && !ComponentState().Contains(csLoading))
    SetActivePage(page);
  else
    page->SetVisible(page == active_);
  Realign();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int index = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  page->pageControl_ = nullptr;
  if (active_ == page) {
    active_ = nullptr;
    if (!pages_.empty() && !ComponentState().Contains(csDestroying))
      SetActivePage(pages_[static_cast<size_t>(std::min(index, GetPageCount() - 1))]);
  }
  if (!ComponentState().Contains(csDestroying)) Invalidate();
}

void TPageControl::Dispatch(TMessage& msg) {
  if (msg.Msg == CM_CONTROLCHANGE) {
    // Children that are sheets are the pages.
    auto* sheet = dynamic_cast<TTabSheet*>(reinterpret_cast<TControl*>(msg.WParam));
    if (sheet) {
      if (msg.LParam)
        InsertPage(sheet);
      else
        RemovePage(sheet);
    }
  }
  inherited::Dispatch(msg);
}

void TPageControl::Loaded() {
  inherited::Loaded();
  if (!active_ && !pages_.empty()) SetActivePage(pages_.front());
  for (TTabSheet* p : pages_) p->SetVisible(p == active_);
}

int TPageControl::GetActivePageIndex() const { return active_ ? active_->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int v) {
  if (v < -1 || v >= GetPageCount())
    throw EListError(Format(ResStr("SPageIndexError"), {v, GetPageCount() - 1}));
  SetActivePage(v < 0 ? nullptr : pages_[static_cast<size_t>(v)]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  if (page == active_) return;
  TTabSheet* old = active_;
  TWinControl* focused = Screen()->GetActiveControl();
  bool focusOnOld = old && focused && old->ContainsControl(focused);
  active_ = page;
  if (page) {
    page->SetVisible(true);
    page->BringToFront();
  }
  if (old) {
    // The focus leaves a page that disappears: to the new page, or to the page control.
    if (focusOnOld) {
      TWinControl* next = page ? page->FindNextControl(nullptr, true, true, false) : nullptr;
      if (next)
        next->SetFocus();
      else if (CanFocus())
        SetFocus();
    }
    old->SetVisible(false);
  }
  Realign();
  Invalidate();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward,
                                      bool checkTabVisible) const {
  int n = GetPageCount();
  if (n == 0) return nullptr;
  int start = current ? current->GetPageIndex() : (goForward ? n - 1 : 0);
  if (start < 0) start = goForward ? n - 1 : 0;
  int i = start;
  for (int k = 0; k < n; ++k) {
    i = goForward ? (i + 1) % n : (i + n - 1) % n;
    TTabSheet* p = pages_[static_cast<size_t>(i)];
    if (!checkTabVisible || p->GetTabVisible()) return p;
  }
  return nullptr;
}

bool TPageControl::UserSelectPage(TTabSheet* page) {
  if (!page || page == active_) return false;
  bool allow = true;
  OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(page);
  OnChange(this);
  return true;
}

void TPageControl::SelectNextPage(bool goForward) {
  UserSelectPage(FindNextPage(active_, goForward, true));
}

bool TPageControl::TabsShown() const {
  return std::any_of(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->GetTabVisible(); });
}

int TPageControl::TabHeight() const {
  return TabsShown() ? TextMetrics().GetMetrics(*GetFont()).tmHeight + 8 : 0;
}

TRect TPageControl::TabRect(int index) const {
  if (index < 0 || index >= GetPageCount() || !TabsShown()) return {};
  if (!pages_[static_cast<size_t>(index)]->GetTabVisible()) return {};
  int x = 2;
  for (int i = 0; i < index; ++i) {
    TTabSheet* p = pages_[static_cast<size_t>(i)];
    if (p->GetTabVisible())
      x += TextMetrics().TextWidth(*GetFont(), forms_detail::StripAccel(p->GetCaption())) + 12;
  }
  int w =
      TextMetrics().TextWidth(
          *GetFont(), forms_detail::StripAccel(pages_[static_cast<size_t>(index)]->GetCaption())) +
      12;
  return Rect(x, 2, x + w, TabHeight());
}

void TPageControl::AdjustClientRect(TRect& rect) {
  inherited::AdjustClientRect(rect);
  // Inside the page frame, below the tabs.
  rect = Rect(rect.Left + 4, rect.Top + TabHeight() + 4, rect.Right - 4, rect.Bottom - 4);
}

void TPageControl::AlignControls(TControl* control, TRect& rect) {
  // Every page fills the page area.
  for (TTabSheet* p : pages_) p->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  inherited::AlignControls(control, rect);
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  // Pages are written in page order.
  for (TTabSheet* p : pages_)
    if (p->GetOwner() == root) proc(p);
}

void TPageControl::WMLButtonDown(TMessage& msg) {
  inherited::WMLButtonDown(msg);
  TPoint p{GetXLParam(msg.LParam), GetYLParam(msg.LParam)};
  for (int i = 0; i < GetPageCount(); ++i)
    if (TabRect(i).Contains(p)) {
      if (CanFocus()) SetFocus();
      UserSelectPage(pages_[static_cast<size_t>(i)]);
      return;
    }
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (key == VK_TAB && shift.Contains(ssCtrl)) {
    SelectNextPage(!shift.Contains(ssShift));
    key = 0;
  } else if (TabsShown() && (key == VK_LEFT || key == VK_RIGHT) && Focused()) {
    SelectNextPage(key == VK_RIGHT);
    key = 0;
  }
}

void TPageControl::PaintSelf(TCanvas& canvas) {
  int th = TabHeight();
  TRect r = Rect(0, th, GetWidth(), GetHeight());
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(Rect(0, 0, GetWidth(), GetHeight()));
  TRect frame = r;
  Frame3D(canvas, frame, clBtnHighlight, clWindowFrame, 1);
  Frame3D(canvas, frame, clBtnFace, clBtnShadow, 1);
  canvas.SetFont(GetFont());
  for (int i = 0; i < GetPageCount(); ++i) {
    TRect t = TabRect(i);
    if (t.IsEmpty()) continue;
    bool active = pages_[static_cast<size_t>(i)] == active_;
    if (active) t = Rect(t.Left - 2, t.Top - 2, t.Right + 2, t.Bottom + 1);
    canvas.GetBrush()->SetColor(clBtnFace);
    canvas.FillRect(t);
    canvas.GetPen()->SetColor(clBtnHighlight);
    canvas.MoveTo(t.Left, t.Bottom - 1);
    canvas.LineTo(t.Left, t.Top);
    canvas.LineTo(t.Right - 1, t.Top);
    canvas.GetPen()->SetColor(clWindowFrame);
    canvas.LineTo(t.Right - 1, t.Bottom);
    forms_detail::DrawCaption(canvas, t, pages_[static_cast<size_t>(i)]->GetCaption(), taCenter,
                              GetEnabled());
    if (active && Focused())
      canvas.DrawFocusRect(Rect(t.Left + 3, t.Top + 3, t.Right - 3, t.Bottom - 3));
  }
}

TBN_REGISTER(TTabSheet) {
  forms_detail::PublishControl(b);
  b.Property("Caption", &TTabSheet::GetCaption, &TTabSheet::SetCaption);
  b.Property("PageIndex", &TTabSheet::GetPageIndex, &TTabSheet::SetPageIndex).Stored(false);
  b.Property("TabVisible", &TTabSheet::GetTabVisible, &TTabSheet::SetTabVisible).Default(true);
}

TBN_REGISTER(TPageControl) {
  forms_detail::PublishWinControl(b, true);
  b.Property("ActivePage", &TPageControl::GetActivePage, &TPageControl::SetActivePage);
  b.Property("OnChange", &TPageControl::OnChange);
  b.Property("OnChanging", &TPageControl::OnChanging);
}

}  // namespace tabulon
