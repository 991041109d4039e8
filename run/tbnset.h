// Unit Tbnset: the field model (field records, the field list, values,
// comparison options, record matching) and the fields panel built on it.
#pragma once

#include "run/tbnset/captions.h"
#include "run/tbnset/editors.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/events.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/filter_panel.h"
#include "run/tbnset/find_panel.h"
#include "run/tbnset/list.h"
#include "run/tbnset/options.h"
#include "run/tbnset/panel.h"
#include "run/tbnset/record.h"
#include "run/tbnset/style.h"
#include "run/tbnset/types.h"
