// Commands of the tabulon tool. Each command lives in its own cmd_*.cpp and
// registers itself with TBN_COMMAND.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tabulon::app {

/// What a command receives: its arguments (after the command name) and streams.
struct CommandContext {
  std::vector<std::string> Args;
  std::ostream& Out;
  std::ostream& Err;
};

struct Command {
  std::string Name;                         // as typed after "tabulon"
  std::string Usage;                        // argument synopsis
  std::string Summary;                      // one line for --help
  std::function<int(CommandContext&)> Run;  // exit status
};

void RegisterCommand(Command command);
const std::vector<Command>& Commands();

struct CommandRegistrar {
  explicit CommandRegistrar(Command c) { RegisterCommand(std::move(c)); }
};

}  // namespace tabulon::app

#define TBN_COMMAND_CAT2(a, b) a##b
#define TBN_COMMAND_CAT(a, b) TBN_COMMAND_CAT2(a, b)
/// Registers a command: TBN_COMMAND("classes", "[NAME]", "lists ...", RunClasses);
#define TBN_COMMAND(name, usage, summary, fn)                                          \
  static const ::tabulon::app::CommandRegistrar TBN_COMMAND_CAT(kCommand_, __LINE__) { \
    { name, usage, summary, fn }                                                       \
  }
