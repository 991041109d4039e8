// TWinControl: children, alignment, tab order, window creation, painting.
#include "platform/controls/wincontrol.h"

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {
namespace {
HWND NextHandle() {
  static HWND next = 0x10000;
  return next += 4;
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go with their parent window, whoever owns them.
  Destroying();
  while (GetControlCount() > 0) {
    TControl* c = GetControls(GetControlCount() - 1);
    RemoveControl(c);
    TObject::Free(c);
  }
  if (handle_) DestroyHandle();
  // Leave the parent while still a windowed control, so that its lists drop this one.
  if (GetParent()) GetParent()->RemoveControl(this);
}

TControl* TWinControl::GetControls(int index) const {
  int n = static_cast<int>(controls_.size());
  if (index < 0 || index >= GetControlCount())
    throw EListError(Format(ResStr("SListIndexError"), {index}));
  if (index < n) return controls_[static_cast<size_t>(index)];
  return winControls_[static_cast<size_t>(index - n)];
}

void TWinControl::ValidateInsert(TComponent* component) { inherited::ValidateInsert(component); }

void TWinControl::InsertControl(TControl* control) {
  if (!control) return;
  if (auto* w = dynamic_cast<TWinControl*>(control); w && w->ContainsControl(this))
    throw EInvalidOperation("A control cannot be the parent of its own parent");
  control->ValidateContainer(this);
  if (control->parent_) control->parent_->RemoveControl(control);
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    winControls_.push_back(w);
    tabList_.push_back(w);
  } else {
    controls_.push_back(control);
  }
  control->parent_ = this;
  if (!control->ComponentState().Contains(csReading)) {
    control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    control->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  }
  if (auto* w = dynamic_cast<TWinControl*>(control); w && handle_ && !w->handle_) w->HandleNeeded();
  control->Invalidate();
  AlignControl(control);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  if (!control || control->parent_ != this) return;
  // Found by address: a dying control may no longer know its own class.
  auto wit = std::find(winControls_.begin(), winControls_.end(), control);
  if (wit != winControls_.end()) {
    TWinControl* w = *wit;
    w->RemoveFocus(true);
    if (w->handle_) w->DestroyHandle();
    winControls_.erase(wit);
    std::erase(tabList_, w);
  } else {
    std::erase(controls_, control);
  }
  if (Screen()->GetCaptureControl() == control) Screen()->SetCaptureControl(nullptr);
  control->parent_ = nullptr;
  if (!ComponentState().Contains(csDestroying)) {
    Invalidate();
    if (control->GetAlign() != alNone && control->GetVisible()) Realign();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), 0);
  }
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->GetParent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
  auto hit = [&](TControl* c) {
    return c->GetVisible() && (allowDisabled || c->GetEnabled()) &&
           c->GetBoundsRect().Contains(p) &&
           c->Perform(CM_HITTEST, 0, MakeLParam(p.X - c->GetLeft(), p.Y - c->GetTop())) != 0;
  };
  for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
    if (hit(*it)) return *it;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& msg) {
  for (int i = 0; i < GetControlCount(); ++i) {
    GetControls(i)->WndProc(msg);
    if (msg.Result != 0) return;
  }
}

void TWinControl::NotifyControls(uint32_t msg) {
  TMessage m{msg, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::SetChildOrder(TComponent* child, int order) {
  auto* c = dynamic_cast<TControl*>(child);
  if (!c || c->parent_ != this) return;
  auto move = [order](auto& list, auto* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return;
    list.erase(it);
    size_t pos = static_cast<size_t>(std::clamp(order, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), item);
  };
  if (auto* w = dynamic_cast<TWinControl*>(c))
    move(winControls_, w);
  else
    move(controls_, c);
  Invalidate();
  if (c->GetAlign() != alNone) Realign();
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  // As the root, first the owned components that have no parent (non-visual ones).
  if (root == this) TComponent::GetChildren(proc, root);
  // Children owned by the root are written inside their parent.
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (c->GetOwner() == root) proc(c);
  }
}

// --- alignment ---------------------------------------------------------

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (alignLevel_ > 0 && --alignLevel_ == 0) {
    TControlState s = GetControlState();
    if (s.Contains(csAlignmentNeeded)) {
      s.Exclude(csAlignmentNeeded);
      SetControlState(s);
      Realign();
    }
  }
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
  if (ComponentState().Contains(csDestroying)) return;
  if (alignLevel_ > 0 || ComponentState().Contains(csLoading)) {
    TControlState s = GetControlState();
    s.Include(csAlignmentNeeded);
    SetControlState(s);
    return;
  }
  TRect r = GetClientRect();
  AdjustClientRect(r);
  DisableAlign();
  try {
    AlignControls(control, r);
  } catch (...) {
    --alignLevel_;
    throw;
  }
  --alignLevel_;
  TControlState s = GetControlState();
  if (s.Contains(csAlignmentNeeded)) {
    s.Exclude(csAlignmentNeeded);
    SetControlState(s);
  }
}

void TWinControl::AdjustClientRect(TRect&) {}

namespace {
// Whether `a` goes before `b` among children of the same alignment.
bool InsertBefore(const TControl* a, const TControl* b, TAlign align) {
  switch (align) {
    case alTop:
      return a->GetTop() < b->GetTop();
    case alBottom:
      return a->GetTop() + a->GetHeight() > b->GetTop() + b->GetHeight();
    case alLeft:
      return a->GetLeft() < b->GetLeft();
    case alRight:
      return a->GetLeft() + a->GetWidth() > b->GetLeft() + b->GetWidth();
    default:
      return false;
  }
}
}  // namespace

void TWinControl::DoAlign(TControl* control, TAlign align, TRect& rect) {
  // The control that asked goes first; the others follow in order of position.
  std::vector<TControl*> list;
  auto eligible = [&](TControl* c) {
    return c->GetAlign() == align && (c->GetVisible() || c->ComponentState().Contains(csDesigning));
  };
  if (control && eligible(control) && control->parent_ == this) list.push_back(control);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (c == control || !eligible(c)) continue;
    size_t j = 0;
    while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
  }
  for (TControl* c : list) {
    int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (w < 0 || align == alLeft || align == alRight) w = c->GetWidth();
    if (h < 0 || align == alTop || align == alBottom) h = c->GetHeight();
    int l = rect.Left, t = rect.Top;
    switch (align) {
      case alTop:
        rect.Top += h;
        break;
      case alBottom:
        rect.Bottom -= h;
        t = rect.Bottom;
        break;
      case alLeft:
        rect.Left += w;
        break;
      case alRight:
        rect.Right -= w;
        l = rect.Right;
        break;
      default:
        break;
    }
    c->SetBounds(l, t, w, h);
    // A control that kept another size gives the difference back.
    if (c->GetWidth() != w || c->GetHeight() != h) {
      switch (align) {
        case alTop:
          rect.Top -= h - c->GetHeight();
          break;
        case alBottom:
          rect.Bottom += h - c->GetHeight();
          break;
        case alLeft:
          rect.Left -= w - c->GetWidth();
          break;
        case alRight:
          rect.Right += w - c->GetWidth();
          break;
        default:
          break;
      }
    }
  }
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  bool any = false;
  for (int i = 0; i < GetControlCount() && !any; ++i) any = GetControls(i)->GetAlign() != alNone;
  if (!any) return;
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) DoAlign(control, a, rect);
}

// --- tab order ---------------------------------------------------------

int TWinControl::GetTabOrder() const {
  TWinControl* p = GetParent();
  if (!p) return ComponentState().Contains(csLoading) ? pendingTabOrder_ : -1;
  auto it = std::find(p->tabList_.begin(), p->tabList_.end(), this);
  return it == p->tabList_.end() ? -1 : static_cast<int>(it - p->tabList_.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (ComponentState().Contains(csLoading)) {
    pendingTabOrder_ = v;
    return;
  }
  TWinControl* p = GetParent();
  if (!p) return;
  auto& list = p->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (v < 0 || v >= static_cast<int>(list.size()))
    list.push_back(this);
  else
    list.insert(list.begin() + v, this);
}

void TWinControl::SetTabStop(bool v) {
  if (v == tabStop_) return;
  tabStop_ = v;
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const { return tabList_; }

void TWinControl::Loaded() {
  inherited::Loaded();
  if (pendingTabOrder_ >= 0) {
    int v = pendingTabOrder_;
    pendingTabOrder_ = -1;
    SetTabOrder(v);
  }
  TControlState s = GetControlState();
  if (s.Contains(csAlignmentNeeded)) Realign();
}

// --- window ------------------------------------------------------------

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams{};
  params.Caption = GetText();
  params.Style = GetParent() ? (WS_CHILD | WS_CLIPSIBLINGS) : WS_POPUP;
  if (GetControlStyle().Contains(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
  if (!ComponentState().Contains(csDesigning) && !GetEnabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  if (GetVisible()) params.Style |= WS_VISIBLE;
  params.X = GetLeft();
  params.Y = GetTop();
  params.Width = GetWidth();
  params.Height = GetHeight();
  params.WndParent = GetParent();
  params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", {GetName()}));
  createdParams_ = params;
  handle_ = NextHandle();
  Perform(WM_CREATE, 0, 0);
}

void TWinControl::WMCreate(TMessage&) {}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (GetParent()) GetParent()->HandleNeeded();
  TControlState s = GetControlState();
  s.Include(csCreating);
  SetControlState(s);
  try {
    CreateWnd();
  } catch (...) {
    s.Exclude(csCreating);
    SetControlState(s);
    throw;
  }
  s = GetControlState();
  s.Exclude(csCreating);
  SetControlState(s);
  for (TWinControl* w : std::vector<TWinControl*>(winControls_)) w->HandleNeeded();
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::DestroyWnd() { handle_ = 0; }

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* w : winControls_) w->DestroyHandle();
  TControlState s = GetControlState();
  s.Include(csDestroyingHandle);
  SetControlState(s);
  DestroyWnd();
  s.Exclude(csDestroyingHandle);
  SetControlState(s);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

// --- geometry ----------------------------------------------------------

TRect TWinControl::GetClientRect() const {
  TRect m = GetNonClientMargins();
  int w = GetWidth() - m.Left - m.Right, h = GetHeight() - m.Top - m.Bottom;
  return Rect(0, 0, std::max(0, w), std::max(0, h));
}

TPoint TWinControl::GetClientOrigin() const {
  TRect m = GetNonClientMargins();
  TPoint p = GetParent() ? GetParent()->GetClientOrigin() : TPoint{0, 0};
  return {p.X + GetLeft() + m.Left, p.Y + GetTop() + m.Top};
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
}

void TWinControl::WMWindowPosChanged(TMessage& msg) {
  auto* pos = reinterpret_cast<TWindowPos*>(msg.LParam);
  uint32_t flags = pos ? pos->flags : 0;
  if (!(flags & SWP_NOSIZE)) Perform(WM_SIZE, 0, MakeLParam(GetClientWidth(), GetClientHeight()));
  if (!(flags & SWP_NOMOVE)) Perform(WM_MOVE, 0, MakeLParam(GetLeft(), GetTop()));
}

void TWinControl::WMSize(TMessage&) {
  Realign();
  if (!ComponentState().Contains(csLoading)) Resize();
}
void TWinControl::WMMove(TMessage&) {}

void TWinControl::Invalidate() { TControl::Invalidate(); }

}  // namespace tabulon
