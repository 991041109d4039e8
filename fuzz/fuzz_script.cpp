// Fuzz target of the host's script parser, which reads the scripts given to
// `tabulon run`: any text either parses or raises the parser's error, and
// every step it gives is well formed (a known command, one quoted flag per
// argument, lines rising) and names a key the key parser accepts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/core/exceptions.h"
#include "platform/host/script.h"

using namespace tabulon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<TScriptStep> steps;
  try {
    steps = ParseScript(text);
  } catch (const EParserError&) {
    return 0;
  }
  int line = 0;
  for (const TScriptStep& s : steps) {
    if (s.Args.size() != s.Quoted.size() || s.Line < line || s.Line < 1) __builtin_trap();
    line = s.Line;
    if (s.Command == "key") (void)ParseKey(s.Args.at(0));  // checked while parsing: never raises
  }
  (void)MentionedControls(steps);
  return 0;
}
