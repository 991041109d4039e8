#include "apps/tabulon/command.h"

#include <algorithm>

namespace tabulon::app {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

void RegisterCommand(Command command) {
  auto& r = Registry();
  r.push_back(std::move(command));
  std::sort(r.begin(), r.end(), [](const Command& a, const Command& b) { return a.Name < b.Name; });
}

const std::vector<Command>& Commands() { return Registry(); }

}  // namespace tabulon::app
