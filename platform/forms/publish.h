// Registration helpers: the properties every control of this layer
// publishes. Included only by the .cpp files that hold TBN_REGISTER.
#pragma once

#include "platform/controls/publish.h"

namespace tabulon::forms_detail {

using tabulon::PublishControl;
using tabulon::PublishWinControl;

}  // namespace tabulon::forms_detail
