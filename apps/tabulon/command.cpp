#include "apps/tabulon/command.h"

#include <algorithm>
#include <ostream>

#include "platform/core/exceptions.h"
#include "platform/streaming/streams.h"

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

std::string ReadInputFile(const std::string& path) {
  TMemoryStream data;
  data.LoadFromFile(path);
  return std::string(data.Memory(), static_cast<size_t>(data.GetSize()));
}

int RunCommand(const Command& command, CommandContext& ctx) {
  const std::string usage =
      "tabulon " + command.Name + (command.Usage.empty() ? "" : " ") + command.Usage;
  for (const std::string& a : ctx.Args) {
    if (a == "--help" || a == "-h") {
      ctx.Out << "usage: " << usage << "\n" << command.Summary << "\n";
      return 0;
    }
  }
  const std::string prefix = "tabulon " + command.Name + ": ";
  try {
    return command.Run(ctx);
  } catch (const EUsageError& e) {
    ctx.Err << prefix << e.what() << "\nusage: " << usage << "\n";
    return 2;
  } catch (const Exception& e) {
    ctx.Err << prefix << e.Message() << "\n";
    return 1;
  } catch (const std::exception& e) {
    ctx.Err << prefix << e.what() << "\n";
    return 1;
  }
}

}  // namespace tabulon::app
