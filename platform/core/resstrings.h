// String tables: the messages of the framework and of the package, kept as
// data under forms/strings/ and embedded at build time. A table line is
// `KEY=TEXT`, where KEY is a symbolic name (SInvalidInteger) or a numeric id
// (25100); blank lines and lines starting with '#' are ignored.
#pragma once

#include <string>
#include <string_view>

namespace tabulon {

/// The text of the message with symbolic name `key`; EInvalidOperation if absent.
const std::string& ResStr(std::string_view key);
/// The text of the message with numeric id `id`; empty when there is none.
std::string LoadStr(int id);
/// Whether a message with that key exists.
bool HasResStr(std::string_view key);

}  // namespace tabulon
