// TAlignment: horizontal alignment of a text within its box, shared by
// dataset fields and by the controls that show them.
#pragma once

#include "platform/core/typeinfo.h"

namespace tabulon {

/// Horizontal text alignment.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace tabulon

TBN_ENUM(tabulon::TAlignment, "taLeftJustify", "taRightJustify", "taCenter");
