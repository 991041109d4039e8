// Input scripts: parsing commands and key names.
#include "platform/host/script.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/controls/messages.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"

namespace tabulon {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw EParserError(Format("Script line %d: %s", {line, what}));
}

// Splits a line into words; quoted words keep their blanks.
void Tokenize(std::string_view line, int lineNo, TScriptStep& step) {
  size_t i = 0;
  bool first = true;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#') break;
    std::string word;
    bool quoted = c == '"';
    if (quoted) {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\' && i < line.size()) {
          char e = line[i++];
          word += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
          word += d;
        }
      }
      if (!closed) Fail(lineNo, "unterminated string");
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        word += line[i++];
    }
    if (first && !quoted) {
      step.Command = word;
      first = false;
    } else if (first) {
      Fail(lineNo, "a line must start with a command");
    } else {
      step.Args.push_back(word);
      step.Quoted.push_back(quoted);
    }
  }
}

bool IsNumber(const std::string& s) {
  size_t i = s.size() > 1 && s[0] == '-' ? 1 : 0;
  return i < s.size() && std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.end(),
                                     [](char c) { return c >= '0' && c <= '9'; });
}

void Check(const TScriptStep& s) {
  size_t n = s.Args.size();
  auto bad = [&] { Fail(s.Line, Format("wrong arguments for '%s'", {s.Command})); };
  if (s.Command == "type" || s.Command == "key" || s.Command == "answer" || s.Command == "focus" ||
      s.Command == "snapshot") {
    if (n != 1) bad();
  } else if (s.Command == "click" || s.Command == "dblclick") {
    if (n == 3 && s.Args[0] == "at" && !s.Quoted[0]) {
      if (!IsNumber(s.Args[1]) || !IsNumber(s.Args[2])) bad();
    } else if (n == 3) {
      if (!IsNumber(s.Args[1]) || !IsNumber(s.Args[2])) bad();
    } else if (n != 1) {
      bad();
    }
  } else if (s.Command == "drag") {
    auto to = std::find(s.Args.begin(), s.Args.end(), "to");
    size_t a = static_cast<size_t>(to - s.Args.begin());
    if (to == s.Args.end() || (a != 1 && a != 3) || (n - a - 1 != 1 && n - a - 1 != 3)) bad();
    if (a == 3 && (!IsNumber(s.Args[1]) || !IsNumber(s.Args[2]))) bad();
    if (n - a - 1 == 3 && (!IsNumber(s.Args[a + 2]) || !IsNumber(s.Args[a + 3]))) bad();
  } else if (s.Command == "choose") {
    if (n != 2) bad();
  } else if (s.Command == "close") {
    if (n != 0) bad();
  } else {
    Fail(s.Line, Format("unknown command '%s'", {s.Command}));
  }
}

const std::map<std::string, uint16_t>& KeyNames() {
  static const std::map<std::string, uint16_t> names = {
      {"enter", VK_RETURN},  {"return", VK_RETURN},  {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
      {"tab", VK_TAB},       {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"del", VK_DELETE},
      {"insert", VK_INSERT}, {"home", VK_HOME},      {"end", VK_END},       {"left", VK_LEFT},
      {"right", VK_RIGHT},   {"up", VK_UP},          {"down", VK_DOWN},     {"pageup", VK_PRIOR},
      {"pagedown", VK_NEXT}, {"space", VK_SPACE},    {"f1", VK_F1},         {"f2", VK_F2},
      {"f3", VK_F3},         {"f4", VK_F4}};
  return names;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::vector<TScriptStep> ParseScript(std::string_view text) {
  std::vector<TScriptStep> steps;
  int lineNo = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t eol = text.find('\n', start);
    std::string_view line =
        text.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
    ++lineNo;
    TScriptStep step;
    step.Line = lineNo;
    Tokenize(line, lineNo, step);
    if (!step.Command.empty()) {
      Check(step);
      if (step.Command == "key") {  // reject unknown keys early, with their line
        try {
          ParseKey(step.Args[0]);
        } catch (const EConvertError& e) {
          Fail(lineNo, e.Message());
        }
      }
      steps.push_back(std::move(step));
    }
    if (eol == std::string_view::npos) break;
    start = eol + 1;
  }
  return steps;
}

TKeySpec KeyForChar(char32_t c) {
  TKeySpec k;
  k.Char = c;
  if (c >= 'a' && c <= 'z') {
    k.Key = static_cast<uint16_t>(c - 32);
  } else if (c >= 'A' && c <= 'Z') {
    k.Key = static_cast<uint16_t>(c);
    k.Shift.Include(ssShift);
  } else if (c >= '0' && c <= '9') {
    k.Key = static_cast<uint16_t>(c);
  } else if (c == ' ') {
    k.Key = VK_SPACE;
  } else {
    k.Key = 0xE5;  // processed by the input method: the character carries the meaning
  }
  return k;
}

TKeySpec ParseKey(std::string_view keyText) {
  TKeySpec k;
  std::string rest(keyText);
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus == 0 || plus + 1 == rest.size()) break;
    std::string mod = Lower(rest.substr(0, plus));
    if (mod == "shift")
      k.Shift.Include(ssShift);
    else if (mod == "ctrl" || mod == "control")
      k.Shift.Include(ssCtrl);
    else if (mod == "alt")
      k.Shift.Include(ssAlt);
    else
      throw EConvertError(Format("Unknown key '%s'", {std::string(keyText)}));
    rest = rest.substr(plus + 1);
  }
  std::string name = Lower(rest);
  auto it = KeyNames().find(name);
  if (it != KeyNames().end()) {
    k.Key = it->second;
    switch (k.Key) {
      case VK_RETURN:
        k.Char = '\r';
        break;
      case VK_ESCAPE:
        k.Char = 27;
        break;
      case VK_BACK:
        k.Char = 8;
        break;
      case VK_TAB:
        k.Char = '\t';
        break;
      case VK_SPACE:
        k.Char = ' ';
        break;
      default:
        break;
    }
  } else if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    char c = rest[0];
    k.Key = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(c)));
    if (std::isalpha(static_cast<unsigned char>(c)))
      k.Char = static_cast<char32_t>(k.Shift.Contains(ssShift) ? std::toupper(c) : std::tolower(c));
    else
      k.Char = static_cast<char32_t>(c);
  } else {
    throw EConvertError(Format("Unknown key '%s'", {std::string(keyText)}));
  }
  // Ctrl with a letter types the control character; Alt types nothing.
  if (k.Shift.Contains(ssCtrl))
    k.Char = (k.Key >= 'A' && k.Key <= 'Z') ? static_cast<char32_t>(k.Key - 'A' + 1) : 0;
  if (k.Shift.Contains(ssAlt)) k.Char = 0;
  return k;
}

std::vector<std::string> MentionedControls(const std::vector<TScriptStep>& steps) {
  std::vector<std::string> names;
  auto add = [&](const std::string& n) {
    if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);
  };
  for (const TScriptStep& s : steps) {
    if (s.Args.empty()) continue;
    if (s.Command == "click" || s.Command == "dblclick") {
      if (!(s.Args[0] == "at" && !s.Quoted[0])) add(s.Args[0]);
    } else if (s.Command == "choose" || s.Command == "focus") {
      add(s.Args[0]);
    } else if (s.Command == "drag") {
      add(s.Args[0]);
      auto to = std::find(s.Args.begin(), s.Args.end(), "to");
      if (to + 1 < s.Args.end()) add(*(to + 1));
    }
  }
  return names;
}

}  // namespace tabulon
