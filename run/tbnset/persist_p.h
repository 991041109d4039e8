// Internal helper of the value persistence files.
#pragma once

#include "run/tbnset/list.h"

namespace tabulon::detail {

/// Runs `body` inside the list's update bracket, which ends (and does what
/// the raised flags ask) also when the body fails.
template <typename Body>
void InListUpdate(TFieldsList* list, Body&& body) {
  list->BeginUpdate();
  try {
    body();
  } catch (...) {
    list->EndUpdate();
    throw;
  }
  list->EndUpdate();
}

}  // namespace tabulon::detail
