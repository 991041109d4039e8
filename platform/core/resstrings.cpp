#include "platform/core/resstrings.h"

#include <map>

#include "platform/core/exceptions.h"
#include "platform/core/resources.h"

namespace tabulon {

namespace detail {
int& ResourceGeneration();
}

namespace {

using Table = std::map<std::string, std::string, std::less<>>;

// Parses every resource under "strings/" once per registration generation.
const Table& Strings() {
  static Table table;
  static int generation = -1;
  if (generation != detail::ResourceGeneration()) {
    table.clear();
    for (const std::string& name : ResourceNames("strings/")) {
      std::string_view data = FindResource(name);
      size_t pos = 0;
      while (pos < data.size()) {
        size_t end = data.find('\n', pos);
        if (end == std::string_view::npos) end = data.size();
        std::string_view line = data.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) continue;
        table[std::string(line.substr(0, eq))] = std::string(line.substr(eq + 1));
      }
    }
    generation = detail::ResourceGeneration();
  }
  return table;
}

}  // namespace

const std::string& ResStr(std::string_view key) {
  const Table& t = Strings();
  auto it = t.find(key);
  if (it == t.end()) throw EInvalidOperation("Missing message " + std::string(key));
  return it->second;
}

std::string LoadStr(int id) {
  const Table& t = Strings();
  auto it = t.find(std::to_string(id));
  return it == t.end() ? std::string() : it->second;
}

bool HasResStr(std::string_view key) { return Strings().count(key) != 0; }

}  // namespace tabulon
