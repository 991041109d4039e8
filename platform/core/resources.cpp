#include "platform/core/resources.h"

#include <map>

namespace tabulon {

namespace detail {
// Bumped on every registration so that caches built from resources refresh.
int& ResourceGeneration() {
  static int generation = 0;
  return generation;
}
}  // namespace detail

namespace {
std::map<std::string, std::string_view, std::less<>>& Registry() {
  static std::map<std::string, std::string_view, std::less<>> registry;
  return registry;
}
}  // namespace

void RegisterResource(std::string_view name, std::string_view data) {
  Registry()[std::string(name)] = data;
  ++detail::ResourceGeneration();
}

std::string_view FindResource(std::string_view name, bool* found) {
  auto it = Registry().find(name);
  if (found) *found = it != Registry().end();
  return it == Registry().end() ? std::string_view() : it->second;
}

std::vector<std::string> ResourceNames(std::string_view prefix) {
  std::vector<std::string> names;
  for (const auto& [name, data] : Registry())
    if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
  return names;
}

}  // namespace tabulon
