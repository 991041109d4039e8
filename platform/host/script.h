// Input scripts: the text a test or the tabulon tool feeds to the scripted
// host. One command per line; words are separated by blanks, text in
// double quotes (with \" \\ \n \t escapes); '#' starts a comment.
//
//   type "hello"              types text into the focused control
//   key Shift+Tab             presses a key with shift states
//   click NAME [X Y]          clicks a control (its centre, or client X Y)
//   click at X Y              clicks at screen coordinates
//   dblclick NAME [X Y]       double-clicks
//   drag NAME [X Y] to NAME [X Y]
//   choose NAME "item"        picks an item of a list, combo box or page control
//   choose NAME 3             ... by index
//   focus NAME                moves the focus to a control
//   answer Yes                answers the next message box with that button
//   close                     closes the active form
//   snapshot FILE             writes a PNG picture of the active form
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/controltypes.h"

namespace tabulon {

/// One command of a script.
struct TScriptStep {
  std::string Command;            // type, key, click, ..., close, snapshot
  std::vector<std::string> Args;  // the words after the command, quotes removed
  std::vector<bool> Quoted;       // which arguments were quoted
  int Line = 0;                   // 1-based line in the script
};

/// Parses a script; EParserError "Script line N: ..." for an unknown
/// command, a wrong number of arguments or an unterminated string.
std::vector<TScriptStep> ParseScript(std::string_view text);

/// A key as a script names it: "Enter", "Shift+Tab", "Alt+Down", "Ctrl+C", "F4", "a".
struct TKeySpec {
  uint16_t Key = 0;
  TShiftState Shift;
  char32_t Char = 0;  // the character the key types (0: none)
};
/// Parses a key name; EConvertError "Unknown key 'X'" for a name it does not know.
TKeySpec ParseKey(std::string_view keyText);
/// The key that types code point `c` (letters and digits by their key; others VK_PROCESSKEY).
TKeySpec KeyForChar(char32_t c);

/// The control names a script mentions, in order of first mention.
std::vector<std::string> MentionedControls(const std::vector<TScriptStep>& steps);

}  // namespace tabulon
