// The SQL analysis of a query's sort order. Every search works on a lexed
// view of the text that marks which bytes lie outside quoted literals and
// parentheses, so "ORDER" inside a literal, a quoted name or a sub-select is
// never taken for the statement's own keyword.
#include "run/tbnindex/sql_order.h"

#include <algorithm>
#include <cstdint>

#include "platform/sysutils/strutils.h"

namespace tabulon {

namespace {

constexpr size_t npos = std::string_view::npos;

bool IsQuote(char c) { return c == '\'' || c == '"'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// Characters that end a word: blanks, commas, quotes and parentheses.
bool IsDelimiter(char c) { return IsBlank(c) || c == ',' || IsQuote(c) || c == '(' || c == ')'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A text with, per byte, whether it lies at the top level: outside quoted
// literals (a doubled quote inside a literal does not end it; an unclosed
// literal runs to the end) and outside parentheses.
class TLexed {
 public:
  explicit TLexed(std::string_view text) : text_(text), top_(text.size(), 0) {
    char quote = 0;
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (quote) {
        if (c == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote)
            ++i;
          else
            quote = 0;
        }
        continue;
      }
      if (IsQuote(c)) {
        quote = c;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')') {
        if (depth > 0) --depth;
      } else if (depth == 0) {
        top_[i] = 1;
      }
    }
  }

  std::string_view Text() const { return text_; }
  bool Top(size_t i) const { return top_[i] != 0; }

  /// Whether `word` (upper case) stands at `pos` as a whole top-level word,
  /// in any letter case.
  bool WordAt(size_t pos, std::string_view word) const {
    if (pos + word.size() > text_.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
      if (!Top(pos + k) || Upper(text_[pos + k]) != word[k]) return false;
    if (pos > 0 && !IsDelimiter(text_[pos - 1])) return false;
    size_t end = pos + word.size();
    return end == text_.size() || IsDelimiter(text_[end]);
  }
  size_t FindForward(std::string_view word, size_t from) const {
    for (size_t i = from; i + word.size() <= text_.size(); ++i)
      if (WordAt(i, word)) return i;
    return npos;
  }
  size_t FindBackward(std::string_view word) const {
    for (size_t i = text_.size() < word.size() ? 0 : text_.size() - word.size() + 1; i-- > 0;)
      if (WordAt(i, word)) return i;
    return npos;
  }
  size_t SkipBlanks(size_t pos) const {
    while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
    return pos;
  }
  /// The first top-level occurrence of `c` from `from`, or npos.
  size_t FindChar(char c, size_t from = 0) const {
    for (size_t i = from; i < text_.size(); ++i)
      if (Top(i) && text_[i] == c) return i;
    return npos;
  }

 private:
  std::string_view text_;
  std::vector<uint8_t> top_;
};

// The items of a comma-separated list, each trimmed (commas inside literals
// and parentheses do not separate).
std::vector<std::string> SplitList(std::string_view list) {
  TLexed lex(list);
  std::vector<std::string> items;
  size_t start = 0;
  for (size_t comma; (comma = lex.FindChar(',', start)) != npos; start = comma + 1)
    items.push_back(Trim(list.substr(start, comma - start)));
  items.push_back(Trim(list.substr(start)));
  return items;
}

// Blank-separated tokens; a quoted part runs to its closing quote and a
// parenthesised part to its closing parenthesis, blanks included.
std::vector<std::string> Tokens(std::string_view text) {
  TLexed lex(text);
  std::vector<std::string> tokens;
  size_t i = 0;
  while (true) {
    i = lex.SkipBlanks(i);
    if (i >= text.size()) break;
    size_t start = i;
    while (i < text.size() && !(lex.Top(i) && IsBlank(text[i]))) ++i;
    tokens.emplace_back(text.substr(start, i - start));
  }
  return tokens;
}

// A name without its surrounding quotes (doubled quotes inside become one).
std::string Unquote(std::string_view s) {
  std::string t = Trim(s);
  if (t.empty() || !IsQuote(t[0])) return t;
  char q = t[0];
  std::string out;
  for (size_t i = 1; i < t.size(); ++i) {
    if (t[i] == q) {
      if (i + 1 < t.size() && t[i + 1] == q) {
        out += q;
        ++i;
        continue;
      }
      break;
    }
    out += t[i];
  }
  return out;
}

// Splits "qualifier.rest" at the first top-level "."; the qualifier comes
// back upper case and unquoted, the rest trimmed at the left.
void SplitQualifier(const std::string& item, std::string& qualifier, std::string& rest) {
  TLexed lex(item);
  size_t dot = lex.FindChar('.');
  if (dot == npos) {
    qualifier.clear();
    rest = item;
    return;
  }
  qualifier = UpperCase(Unquote(item.substr(0, dot)));
  rest = TrimLeft(std::string_view(item).substr(dot + 1));
}

bool AllDigits(std::string_view s) {
  return !s.empty() && s.size() < 9 &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Gives `name` a result-field name not taken yet: NAME, then NAME_1, NAME_2, ...
// (as the datasets name repeated result columns). `taken` stays sorted.
std::string UniqueName(const std::string& name, std::vector<TSqlNewFieldInfo>& taken) {
  auto find = [&](const std::string& upper) {
    return std::lower_bound(
        taken.begin(), taken.end(), upper,
        [](const TSqlNewFieldInfo& a, const std::string& b) { return a.FieldName < b; });
  };
  std::string upper = UpperCase(name);
  auto base = find(upper);
  if (base == taken.end() || base->FieldName != upper) {
    taken.insert(base, TSqlNewFieldInfo{upper, 1});
    return name;
  }
  // Suffixes below the base name's count were handed out already.
  int k = base->Count;
  std::string candidate;
  while (true) {
    candidate = name + "_" + std::to_string(k);
    auto it = find(UpperCase(candidate));
    if (it == taken.end() || it->FieldName != UpperCase(candidate)) break;
    ++k;
  }
  find(upper)->Count = k + 1;
  std::string cu = UpperCase(candidate);
  taken.insert(find(cu), TSqlNewFieldInfo{cu, 1});
  return candidate;
}

}  // namespace

bool StripDirectionSuffix(std::string& item, bool& descending) {
  descending = false;
  TLexed lex(item);
  for (std::string_view word : {"DESC", "DESCENDING", "ASC", "ASCENDING"}) {
    size_t pos = lex.FindForward(word, 0);
    if (pos == npos) continue;
    if (!Trim(std::string_view(item).substr(pos + word.size())).empty()) {
      item.clear();
      return false;
    }
    descending = word[0] == 'D';
    item = Trim(std::string_view(item).substr(0, pos));
    return !item.empty();
  }
  item = Trim(item);
  return !item.empty();
}

std::vector<TSqlFieldInfo> SqlSelectFields(std::string_view sql) {
  std::vector<TSqlFieldInfo> fields;
  TLexed lex(sql);
  size_t select = lex.FindForward("SELECT", 0);
  if (select == npos) return fields;
  size_t begin = lex.SkipBlanks(select + 6);
  for (std::string_view word : {"DISTINCT", "ALL"})
    if (lex.WordAt(begin, word)) {
      begin += word.size();
      break;
    }
  size_t from = lex.FindForward("FROM", begin);
  if (from == npos) return fields;
  std::vector<TSqlNewFieldInfo> taken;
  for (const std::string& item : SplitList(sql.substr(begin, from - begin))) {
    TSqlFieldInfo info;
    std::string rest;
    SplitQualifier(item, info.TableName, rest);
    std::vector<std::string> tokens = Tokens(rest);
    std::string column = tokens.empty() ? std::string() : tokens[0];
    std::string alias;
    if (tokens.size() > 1) {
      // "column AS alias" and "column alias" both name the result field.
      if (UpperCase(tokens[1]) == "AS")
        alias = tokens.size() > 2 ? tokens[2] : std::string();
      else
        alias = tokens[1];
    }
    info.FieldName = UpperCase(Unquote(column));
    info.NewName = UniqueName(alias.empty() ? Unquote(column) : Unquote(alias), taken);
    fields.push_back(std::move(info));
  }
  return fields;
}

TSqlOrder SqlOrderFields(std::string_view sql) {
  TSqlOrder order;
  TLexed lex(sql);
  size_t at = lex.FindBackward("ORDER");
  if (at == npos) return order;
  size_t by = lex.SkipBlanks(at + 5);
  if (!lex.WordAt(by, "BY")) return order;
  std::string list = Trim(sql.substr(by + 2));
  while (!list.empty() && list.back() == ';') list = TrimRight(list.substr(0, list.size() - 1));
  if (list.empty()) return order;

  const std::vector<TSqlFieldInfo> fields = SqlSelectFields(sql);
  const bool star = std::any_of(fields.begin(), fields.end(),
                                [](const TSqlFieldInfo& f) { return f.FieldName == "*"; });
  for (const std::string& item : SplitList(list)) {
    std::string qualifier, name;
    SplitQualifier(item, qualifier, name);
    bool descending;
    if (!StripDirectionSuffix(name, descending)) continue;
    name = Unquote(name);
    if (name.empty()) continue;
    std::string result = name;
    if (AllDigits(name) && qualifier.empty() && !star) {
      // "ORDER BY 2": the second result field.
      size_t k = static_cast<size_t>(std::stoi(name));
      if (k >= 1 && k <= fields.size()) result = fields[k - 1].NewName;
    } else {
      const std::string upper = UpperCase(name);
      bool provisional = false;
      for (const TSqlFieldInfo& f : fields) {
        if (f.FieldName != upper) continue;
        if (qualifier.empty() || f.TableName == qualifier) {
          result = f.NewName;
          break;
        }
        if (f.TableName.empty() && !provisional) {
          result = f.NewName;
          provisional = true;
        }
      }
    }
    // A name the ";"-separated lists cannot hold is no usable key field.
    if (result.empty() || result.find(';') != std::string::npos) continue;
    order.FieldNames += result + ";";
    if (descending) order.DescFields += result + ";";
  }
  if (!order.FieldNames.empty()) order.FieldNames.pop_back();
  if (!order.DescFields.empty()) order.DescFields.pop_back();
  return order;
}

}  // namespace tabulon
