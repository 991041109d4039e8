// Commands of the tabulon tool. Each command lives in its own cmd_*.cpp and
// registers itself with TBN_COMMAND. Every command fails in one shape:
// "tabulon COMMAND: message" on standard error, exit status 1 for bad input
// (a framework exception or EInputError) and 2 for bad usage (EUsageError,
// followed by the command's usage line). `tabulon COMMAND --help` prints
// the command's usage and summary.
#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulon::app {

/// Input the command cannot work with: exit status 1.
struct EInputError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
/// Arguments the command does not take: exit status 2.
struct EUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// The whole content of a file; EFOpenError "Cannot open file "F". reason".
std::string ReadInputFile(const std::string& path);

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
/// Runs `command` with the arguments after its name: --help, the run itself
/// and the error shape; returns the exit status.
int RunCommand(const Command& command, CommandContext& ctx);

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
