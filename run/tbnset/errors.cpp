// Raising the package's exception from its string table.
#include "run/tbnset/errors.h"

#include "platform/core/resstrings.h"

namespace tabulon {

void TabulonError(int ident, TFormatArgs args) {
  throw ETabulonError(Format(LoadStr(ident), args));
}

void ListIndexError(int index) { throw EListError(Format(ResStr("SListIndexError"), {index})); }

}  // namespace tabulon
