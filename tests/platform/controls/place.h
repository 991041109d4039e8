// Helper of the control tests: a control created, placed and shown in its
// parent in one call.
#pragma once

#include "platform/controls/wincontrol.h"

namespace tabulon::testing {

/// A new `T` owned by `owner` (by default the parent) inside `parent`.
template <class T>
T* Add(TWinControl* parent, TComponent* owner = nullptr) {
  auto* c = new T(owner ? owner : parent);
  c->SetParent(parent);
  return c;
}

/// The same with the given bounds, set before the control joins its parent.
template <class T>
T* Place(TWinControl* parent, int left, int top, int width, int height,
         TComponent* owner = nullptr) {
  auto* c = new T(owner ? owner : parent);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}

}  // namespace tabulon::testing
