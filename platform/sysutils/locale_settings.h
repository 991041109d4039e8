// The locale settings as the conversions read them: the process-wide format
// settings of the core and the few facts about the system locale that are
// not format settings.
#pragma once

#include "platform/core/format_settings.h"

namespace tabulon {

/// Facts about the system locale.
struct TSysLocale {
  /// A far-east locale: dates may be followed by era or day words that the
  /// date grammar skips when ShortDateFormat contains "ddd".
  bool FarEast = false;
  /// A right-to-left locale.
  bool MiddleEast = false;
};

/// The process-wide system locale facts (tests may change and restore them).
TSysLocale& SysLocale();

}  // namespace tabulon
