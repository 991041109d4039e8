// Input scripts: commands, quoting, errors with their line, key names.
#include <gtest/gtest.h>

#include "platform/controls/messages.h"
#include "platform/core/exceptions.h"
#include "platform/host/script.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

TEST(Script, ParsesCommandsQuotesAndComments) {
  auto steps = ParseScript(
      "# a comment\n"
      "type \"a \\\"b\\\"\\n\"\n"
      "\n"
      "click bbOk   # trailing comment\n"
      "drag lbFields 5 3 to lbFields 5 40\n"
      "choose cbCompare \"Initial comparison\"\n"
      "click at 10 20\n"
      "snapshot \"build/demo/step 1.png\"\n");
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].Command, "type");
  EXPECT_EQ(steps[0].Args, (std::vector<std::string>{"a \"b\"\n"}));
  EXPECT_EQ(steps[0].Line, 2);
  EXPECT_EQ(steps[1].Line, 4);
  EXPECT_EQ(steps[2].Args.size(), 7u);
  EXPECT_EQ(steps[3].Args[1], "Initial comparison");
  EXPECT_EQ(steps[5].Args, (std::vector<std::string>{"build/demo/step 1.png"}));
  EXPECT_EQ(MentionedControls(steps), (std::vector<std::string>{"bbOk", "lbFields", "cbCompare"}));
}

TEST(Script, RejectsBadLinesWithTheirNumber) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"type \"x\"\nfly away", "Script line 2: unknown command 'fly'"},
      {"type", "Script line 1: wrong arguments for 'type'"},
      {"type \"open", "Script line 1: unterminated string"},
      {"click a b c", "Script line 1: wrong arguments for 'click'"},
      {"drag a b", "Script line 1: wrong arguments for 'drag'"},
      {"close now", "Script line 1: wrong arguments for 'close'"},
      {"snapshot", "Script line 1: wrong arguments for 'snapshot'"},
      {"snapshot a.png b.png", "Script line 1: wrong arguments for 'snapshot'"},
      {"\"type\"", "Script line 1: a line must start with a command"},
      {"# keys\nkey Hyper+X", "Script line 2: Unknown key 'Hyper+X'"},
  };
  for (const Case& c : cases) ExpectThrow<EParserError>([&] { ParseScript(c.text); }, c.message);
}

TEST(Script, KeyNamesGiveKeyShiftAndCharacter) {
  struct Case {
    const char* keyText;
    uint16_t key;
    TShiftState shift;
    char32_t ch;
  };
  const Case cases[] = {
      {"Enter", VK_RETURN, {}, '\r'},
      {"Escape", VK_ESCAPE, {}, 27},
      {"Shift+Tab", VK_TAB, {ssShift}, '\t'},
      {"Alt+Down", VK_DOWN, {ssAlt}, 0},
      {"Backspace", VK_BACK, {}, 8},
      {"Delete", VK_DELETE, {}, 0},
      {"ctrl+c", 'C', {ssCtrl}, 3},
      {"Shift+a", 'A', {ssShift}, 'A'},
      {"7", '7', {}, '7'},
      {"Shift+End", VK_END, {ssShift}, 0},
      {"F4", VK_F4, {}, 0},
      {"Space", VK_SPACE, {}, ' '},
  };
  for (const Case& c : cases) {
    TKeySpec k = ParseKey(c.keyText);
    EXPECT_EQ(k.Key, c.key) << c.keyText;
    EXPECT_EQ(k.Shift, c.shift) << c.keyText;
    EXPECT_EQ(k.Char, c.ch) << c.keyText;
  }
  EXPECT_EQ(KeyForChar(U'é').Key, 0xE5);
  EXPECT_EQ(KeyForChar('Q').Shift, TShiftState{ssShift});
}

}  // namespace
}  // namespace tabulon
