// Raising the layer's database exception with the framework's messages.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"

namespace tabulon {

class TComponent;

/// Raises EDatabaseError with `message`; with a component that has a name,
/// the message is prefixed by "Name: ".
[[noreturn]] void DatabaseError(const std::string& message, const TComponent* component = nullptr);
/// Raises EDatabaseError with `format` formatted by Format and the arguments.
[[noreturn]] void DatabaseErrorFmt(std::string_view format, TFormatArgs args,
                                   const TComponent* component = nullptr);
/// The message of the layer's string table with that key (ResStr).
const std::string& DbMsg(std::string_view key);

}  // namespace tabulon
