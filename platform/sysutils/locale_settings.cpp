// The system locale facts next to the core's format settings.
#include "platform/sysutils/locale_settings.h"

namespace tabulon {

TSysLocale& SysLocale() {
  static TSysLocale locale;
  return locale;
}

}  // namespace tabulon
