// Drag and drop between controls. A drag starts with BeginDrag (or, for a
// control whose DragMode is dmAutomatic, with a left press on it) and
// becomes real once the mouse moves past a threshold; the control under
// the mouse that is a drag target is asked whether it accepts the source
// (OnDragOver) and, when the button is released over an accepting target,
// takes the drop (OnDragDrop). The source then hears how it ended.
#pragma once

#include "platform/controls/control.h"

namespace tabulon {

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

/// Sender, Source, X, Y, State, Accept (in/out).
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
/// Sender, Source, X, Y.
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
/// Sender, Target (null: dropped nowhere), X, Y.
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;

/// A control that can take drops. Coordinates are the control's client coordinates.
class TDragTarget {
 public:
  virtual ~TDragTarget() = default;
  /// Whether the control accepts `source` at (x, y).
  virtual bool DoDragOver(TObject* source, int x, int y, TDragState state) = 0;
  virtual void DoDragDrop(TObject* source, int x, int y) = 0;
};

/// A control that can be dragged.
class TDragSource {
 public:
  virtual ~TDragSource() = default;
  /// The drag of this control ended over `target` (null when nothing took it).
  virtual void DoEndDrag(TObject* target, int x, int y) = 0;
};

/// Starts dragging `source` from the current mouse position; with
/// `immediate` false it starts once the mouse moves `threshold` pixels.
void BeginDrag(TControl* source, bool immediate, int threshold = 5);
/// Whether a drag is pending or running.
bool DragPending();
/// Whether the drag is running (the threshold was passed).
bool Dragging();
/// The control being dragged, or null.
TControl* DragSourceControl();
/// The mouse moved to screen point `p` while a drag is pending or running.
void DragMoveTo(TPoint p);
/// The button went up at `p`: drops on an accepting target and ends the drag.
/// Returns whether the drag had started (false: it was an ordinary click).
bool DragDropAt(TPoint p);
/// Ends the drag without a drop.
void CancelDrag();

}  // namespace tabulon

TBN_ENUM(tabulon::TDragMode, "dmManual", "dmAutomatic");
TBN_ENUM(tabulon::TDragState, "dsDragEnter", "dsDragLeave", "dsDragMove");
TBN_EVENT_NAME(tabulon::TDragOverEvent);
TBN_EVENT_NAME(tabulon::TDragDropEvent);
