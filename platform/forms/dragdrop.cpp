// The drag in progress: threshold, target tracking, drop and end.
#include "platform/forms/dragdrop.h"

#include <cstdlib>

#include "platform/controls/application.h"
#include "platform/core/class_builder.h"
#include "platform/forms/mouse.h"
#include "platform/forms/toplevel.h"

namespace tabulon {
namespace {

// The state of the one drag there can be; forgets controls that die.
class TDragTracker : public TComponent {
  TBN_CLASS(TDragTracker, TComponent)
 public:
  TDragTracker() : TComponent(nullptr) {}
  TControl* Source = nullptr;
  TControl* Target = nullptr;  // the target control under the mouse, if any
  bool Started = false;
  bool Accepted = false;
  TPoint Start;
  int Threshold = 5;

  void Watch(TControl* c) {
    if (c) c->FreeNotification(this);
  }
  void Notification(TComponent* component, TOperation operation) override {
    inherited::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == Target) Target = nullptr, Accepted = false;
    if (component == Source) {
      Source = nullptr;
      Target = nullptr;
      Started = false;
    }
  }
};

TDragTracker& State() {
  static TDragTracker s;
  return s;
}

// The drag target at screen point `p`, searching up from the control under it.
TControl* TargetAt(TPoint p) {
  for (TControl* c = FindControlAtScreen(p); c; c = c->GetParent())
    if (dynamic_cast<TDragTarget*>(c)) return c;
  return nullptr;
}

TPoint Local(TControl* c, TPoint p) { return c->ScreenToClient(p); }

}  // namespace

void BeginDrag(TControl* source, bool immediate, int threshold) {
  TDragTracker& s = State();
  if (s.Source) CancelDrag();
  s.Source = source;
  s.Watch(source);
  s.Target = nullptr;
  s.Started = false;
  s.Accepted = false;
  s.Start = GetCursorPos();
  s.Threshold = threshold < 0 ? 5 : threshold;
  if (immediate) {
    s.Started = true;
    DragMoveTo(s.Start);
  }
}

bool DragPending() { return State().Source != nullptr; }
bool Dragging() { return State().Source != nullptr && State().Started; }
TControl* DragSourceControl() { return State().Source; }

void DragMoveTo(TPoint p) {
  TDragTracker& s = State();
  if (!s.Source) return;
  if (!s.Started) {
    if (std::abs(p.X - s.Start.X) < s.Threshold && std::abs(p.Y - s.Start.Y) < s.Threshold) return;
    s.Started = true;
  }
  TControl* target = TargetAt(p);
  if (target != s.Target) {
    if (TControl* old = s.Target) {
      TPoint q = Local(old, p);
      dynamic_cast<TDragTarget*>(old)->DoDragOver(s.Source, q.X, q.Y, dsDragLeave);
    }
    s.Target = target;
    s.Accepted = false;
    s.Watch(target);
    if (target && s.Source) {
      TPoint q = Local(target, p);
      s.Accepted = dynamic_cast<TDragTarget*>(target)->DoDragOver(s.Source, q.X, q.Y, dsDragEnter);
    }
  } else if (target && s.Source) {
    TPoint q = Local(target, p);
    s.Accepted = dynamic_cast<TDragTarget*>(target)->DoDragOver(s.Source, q.X, q.Y, dsDragMove);
  }
}

bool DragDropAt(TPoint p) {
  TDragTracker& s = State();
  if (!s.Source) return false;
  if (!s.Started) {
    CancelDrag();
    return false;
  }
  DragMoveTo(p);
  TControl* source = s.Source;
  TControl* target = s.Accepted ? s.Target : nullptr;
  s.Source = nullptr;
  s.Target = nullptr;
  s.Started = false;
  Screen()->SetCaptureControl(nullptr);
  if (source) source->Perform(WM_CANCELMODE, 0, 0);
  if (!source) return true;
  // The source may not survive the drop (a drop handler may free it).
  source->FreeNotification(&s);
  s.Source = source;
  if (target) {
    TPoint q = Local(target, p);
    dynamic_cast<TDragTarget*>(target)->DoDragDrop(source, q.X, q.Y);
  }
  source = s.Source;
  s.Source = nullptr;
  if (source) {
    TPoint q = Local(source, p);
    if (auto* ds = dynamic_cast<TDragSource*>(source)) ds->DoEndDrag(target, q.X, q.Y);
  }
  return true;
}

void CancelDrag() {
  TDragTracker& s = State();
  TControl* source = s.Source;
  bool started = s.Started;
  if (s.Target && started) {
    TPoint q = Local(s.Target, GetCursorPos());
    dynamic_cast<TDragTarget*>(s.Target)->DoDragOver(source, q.X, q.Y, dsDragLeave);
  }
  s.Source = nullptr;
  s.Target = nullptr;
  s.Started = false;
  s.Accepted = false;
  if (source && started) {
    TPoint q = Local(source, GetCursorPos());
    if (auto* ds = dynamic_cast<TDragSource*>(source)) ds->DoEndDrag(nullptr, q.X, q.Y);
  }
}

TBN_REGISTER(TDragTracker) { b.Internal(); }

}  // namespace tabulon
