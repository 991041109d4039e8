// The top-level window list: z-order, popup placement and hit testing.
#include "platform/forms/toplevel.h"

#include <algorithm>

#include "platform/core/class_builder.h"

namespace tabulon {
namespace {

struct Entry {
  TWinControl* Window;
  bool Topmost;
};

// Watches the listed windows so that a destroyed one leaves the list.
class TTopLevelWatcher : public TComponent {
  TBN_CLASS(TTopLevelWatcher, TComponent)
 public:
  TTopLevelWatcher() : TComponent(nullptr) {}
  std::vector<Entry> Entries;  // bottom first

  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation == opRemove)
      std::erase_if(Entries, [component](const Entry& e) { return e.Window == component; });
  }
};

TTopLevelWatcher& Watcher() {
  static TTopLevelWatcher w;
  return w;
}

}  // namespace

void BringTopLevelToFront(TWinControl* window, bool topmost) {
  if (!window) return;
  auto& list = Watcher().Entries;
  auto it =
      std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.Window == window; });
  if (it != list.end()) {
    topmost = topmost || it->Topmost;
    list.erase(it);
  } else {
    window->FreeNotification(&Watcher());
  }
  // Ordinary windows go below the topmost ones.
  auto pos = list.end();
  if (!topmost)
    pos = std::find_if(list.begin(), list.end(), [](const Entry& e) { return e.Topmost; });
  list.insert(pos, Entry{window, topmost});
}

void RemoveTopLevel(TWinControl* window) {
  auto& list = Watcher().Entries;
  auto it =
      std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.Window == window; });
  if (it == list.end()) return;
  list.erase(it);
  window->RemoveFreeNotification(&Watcher());
}

std::vector<TWinControl*> TopLevelWindows() {
  std::vector<TWinControl*> out;
  for (const Entry& e : Watcher().Entries)
    if (e.Window->GetVisible()) out.push_back(e.Window);
  return out;
}

void MakePopupWindow(TWinControl* window) {
  if (!window) return;
  window->SetVisible(false);
  if (window->GetParent()) window->SetParent(nullptr);
}

bool SetWindowPos(TWinControl* window, HWND insertAfter, int x, int y, int cx, int cy,
                  uint32_t flags) {
  if (!window) return false;
  int l = window->GetLeft(), t = window->GetTop(), w = window->GetWidth(), h = window->GetHeight();
  if (!(flags & SWP_NOMOVE)) l = x, t = y;
  if (!(flags & SWP_NOSIZE)) w = cx, h = cy;
  window->SetBounds(l, t, w, h);
  if (flags & SWP_HIDEWINDOW) {
    window->SetVisible(false);
    RemoveTopLevel(window);
    return true;
  }
  if (flags & SWP_SHOWWINDOW) window->SetVisible(true);
  if (window->GetVisible() && !window->GetParent() && !(flags & SWP_NOZORDER))
    BringTopLevelToFront(window, insertAfter == HWND_TOPMOST);
  else if (window->GetVisible() && !window->GetParent() && (flags & SWP_SHOWWINDOW)) {
    // Shown without a z-order change: keep its place, or go on top when new.
    auto list = TopLevelWindows();
    if (std::find(list.begin(), list.end(), window) == list.end())
      BringTopLevelToFront(window, insertAfter == HWND_TOPMOST);
  }
  return true;
}

TControl* FindControlAtScreen(TPoint p, TPoint* local) {
  auto list = TopLevelWindows();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    TWinControl* top = *it;
    if (!top->GetBoundsRect().Contains(p)) continue;
    TControl* hit = top;
    TPoint q = top->ScreenToClient(p);
    while (auto* w = dynamic_cast<TWinControl*>(hit)) {
      TControl* child = w->ControlAtPos(q, false);
      if (!child) break;
      q = {q.X - child->GetLeft(), q.Y - child->GetTop()};
      if (auto* cw = dynamic_cast<TWinControl*>(child)) {
        // Child coordinates count from the child's client area.
        TPoint origin = cw->ClientToScreen({0, 0});
        q = {p.X - origin.X, p.Y - origin.Y};
      }
      hit = child;
    }
    if (local) *local = q;
    return hit;
  }
  return nullptr;
}

TWinControl* TopLevelOf(const TControl* control) {
  if (!control) return nullptr;
  const TControl* c = control;
  while (c->GetParent()) c = c->GetParent();
  return dynamic_cast<TWinControl*>(const_cast<TControl*>(c));
}

TBN_REGISTER(TTopLevelWatcher) { b.Internal(); }

}  // namespace tabulon
