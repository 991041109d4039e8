// Keyboard navigation shared by list boxes and combo boxes: which item an
// arrow, Home, End, Page Up or Page Down key selects.
#pragma once

#include <cstdint>

#include "platform/controls/messages.h"

namespace tabulon::forms_detail {

/// The item that `key` moves the selection to from `cur` (-1: none), with
/// `page` items per page and `count` items; false when `key` does not navigate.
/// The result may lie outside the list; the caller clamps it.
inline bool ListKeyTarget(uint16_t key, int cur, int count, int page, int& target) {
  switch (key) {
    case VK_UP:
    case VK_LEFT:
      target = cur < 0 ? 0 : cur - 1;
      return true;
    case VK_DOWN:
    case VK_RIGHT:
      target = cur + 1;
      return true;
    case VK_HOME:
      target = 0;
      return true;
    case VK_END:
      target = count - 1;
      return true;
    case VK_PRIOR:
      target = cur - page;
      return true;
    case VK_NEXT:
      target = cur + page;
      return true;
    default:
      return false;
  }
}

}  // namespace tabulon::forms_detail
