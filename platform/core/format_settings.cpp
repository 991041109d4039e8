#include "platform/core/format_settings.h"

namespace tabulon {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace tabulon
