// The answer a keyed search must give, by a linear scan: given where each
// shown record, in index order, stands against the key (below zero: before
// it, zero: equal, above zero: after it), the position each seek option
// names, or -1 when it names none.
#pragma once

#include <vector>

#include "run/tbnset/types.h"

namespace tabulon::test {

inline int OracleLanding(const std::vector<int>& standings, TQXSeekOption option) {
  int firstEq = -1, lastEq = -1, firstMore = -1, firstNotLess = -1, lastLess = -1;
  for (int i = 0; i < static_cast<int>(standings.size()); ++i) {
    const int c = standings[static_cast<size_t>(i)];
    if (c == 0 && firstEq < 0) firstEq = i;
    if (c == 0) lastEq = i;
    if (c > 0 && firstMore < 0) firstMore = i;
    if (c >= 0 && firstNotLess < 0) firstNotLess = i;
    if (c < 0) lastLess = i;
  }
  switch (option) {
    case dsoFirstEQ:
      return firstEq;
    case dsoLastEQ:
      return lastEq;
    case dsoAfterEQ:
      return firstNotLess;
    case dsoAfter:
      return firstMore;
    case dsoBeforeEQ:
      return firstEq >= 0 ? firstEq : lastLess;
    case dsoBefore:
      return lastLess;
  }
  return -1;
}

}  // namespace tabulon::test
