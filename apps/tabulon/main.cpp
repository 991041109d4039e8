// tabulon: the command-line window into the Tabulon framework and package.
#include <iostream>

#include "apps/tabulon/command.h"

namespace {

constexpr const char* kVersion = "0.1.0";

void PrintHelp(std::ostream& out) {
  out << "Usage: tabulon COMMAND [ARGS]\n"
         "       tabulon --help | --version\n\nCommands:\n";
  for (const auto& c : tabulon::app::Commands())
    out << "  " << c.Name << (c.Usage.empty() ? "" : " " + c.Usage) << "\n      " << c.Summary
        << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return args.empty() ? 2 : 0;
  }
  if (args[0] == "--version") {
    std::cout << "tabulon " << kVersion << "\n";
    return 0;
  }
  for (const auto& c : tabulon::app::Commands()) {
    if (c.Name != args[0]) continue;
    tabulon::app::CommandContext ctx{{args.begin() + 1, args.end()}, std::cout, std::cerr};
    return tabulon::app::RunCommand(c, ctx);
  }
  std::cerr << "tabulon: unknown command '" << args[0] << "' (see tabulon --help)\n";
  return 2;
}
