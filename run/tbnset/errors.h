// The package's exception and the routine that raises it with a message of
// the package's string table.
#pragma once

#include "platform/core/exceptions.h"
#include "platform/core/format.h"

namespace tabulon {

/// The package's own exception; carries a message of its string table.
TBN_DECLARE_EXCEPTION(ETabulonError, Exception);

/// Raises ETabulonError with the string-table text of `ident` formatted
/// with `args` by Format's rules. Never returns.
[[noreturn]] void TabulonError(int ident, TFormatArgs args = {});

/// Raises the framework's EListError "List index out of bounds (%d)" for
/// `index`. Never returns.
[[noreturn]] void ListIndexError(int index);

}  // namespace tabulon
