// The locale and text layer in one include: locale settings, the clock,
// number and date conversions, text routines and locale collation.
#pragma once

#include "platform/core/format.h"
#include "platform/core/format_settings.h"
#include "platform/sysutils/clock.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/locale_settings.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"
