// Data embedded into the libraries at build time (string tables, form files,
// pictures), found by the path they had under forms/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulon {

/// Registers an embedded resource; called by generated code at library load.
void RegisterResource(std::string_view name, std::string_view data);
/// The bytes of an embedded resource, or an empty view with found = false.
std::string_view FindResource(std::string_view name, bool* found = nullptr);
/// Names of all registered resources that begin with `prefix`, sorted.
std::vector<std::string> ResourceNames(std::string_view prefix = {});

}  // namespace tabulon
