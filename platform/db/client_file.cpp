// Data files of TClientDataSet.
//
// The layer's data format is UTF-8 text, one item per line, fields of a
// line separated by tabs:
//   TABULON DATA 1
//   FIELD <name> <type, e.g. ftString> <size> <required 0|1>     (one per column)
//   INDEX <name> <fields> <options, e.g. ixUnique,ixDescending> <desc fields> <case-ins fields>
//   DATA <record count>
//   <one line per record: the column values in FIELD order>
// A value is \N for null; otherwise its locale-independent text (integers,
// "." decimals, currency with four decimals, ISO dates, booleans 1/0),
// with "\\", tab, line feed, carriage return and other control bytes
// written as \\, \t, \n, \r and \xHH.
//
// CSV files have a header row of field names; values follow RFC 4180
// quoting. Without field definitions the column types are inferred: all
// integers -> ftInteger, all numbers -> ftFloat, otherwise ftString sized
// to the longest value. Empty values are null.
#include <algorithm>
#include <charconv>

#include "platform/core/format.h"
#include "platform/db/client_dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/value_text.h"

namespace tabulon {

namespace {

[[noreturn]] void FormatError(const TClientDataSet* ds, const std::string& file, size_t line,
                              const std::string& what) {
  DatabaseErrorFmt(DbMsg("SDataFileFormatError"),
                   {file, Format("line %d: %s", {static_cast<int>(line), what})}, ds);
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> out;
  size_t start = 0;
  while (true) {
    size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return out;
}

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (unsigned char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          static const char hex[] = "0123456789ABCDEF";
          out += "\\x";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

bool Unescape(std::string_view s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 'x': {
        if (i + 2 >= s.size()) return false;
        unsigned v = 0;
        auto r = std::from_chars(s.data() + i + 1, s.data() + i + 3, v, 16);
        if (r.ptr != s.data() + i + 3) return false;
        out += static_cast<char>(v);
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

std::vector<std::string_view> Lines(const std::string& text) {
  std::vector<std::string_view> lines;
  std::string_view all(text);
  size_t start = 0;
  while (start < all.size()) {
    size_t nl = all.find('\n', start);
    size_t end = nl == std::string_view::npos ? all.size() : nl;
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

void TClientDataSet::LoadNative(const std::string& text, const std::string& name) {
  std::vector<std::string_view> lines = Lines(text);
  if (lines.empty() || lines[0] != "TABULON DATA 1") FormatError(this, name, 1, "missing header");
  GetFieldDefs()->Clear();
  GetIndexDefs()->Clear();
  size_t i = 1;
  std::vector<TFieldType> types;
  for (; i < lines.size(); ++i) {
    std::vector<std::string_view> parts = SplitTabs(lines[i]);
    if (parts[0] == "FIELD") {
      if (parts.size() != 5) FormatError(this, name, i + 1, "bad FIELD line");
      int64_t t = TypeInfoOf<TFieldType>()->EnumValue(parts[2]);
      int size = 0;
      auto r = std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), size);
      if (t <= 0 || !FieldClassOf(static_cast<TFieldType>(t)) ||
          r.ptr != parts[3].data() + parts[3].size())
        FormatError(this, name, i + 1, "bad field type or size");
      try {
        GetFieldDefs()->Add(std::string(parts[1]), static_cast<TFieldType>(t), size,
                            parts[4] == "1");
      } catch (const EDatabaseError& e) {
        FormatError(this, name, i + 1, e.Message());
      }
      types.push_back(static_cast<TFieldType>(t));
    } else if (parts[0] == "INDEX") {
      if (parts.size() != 6) FormatError(this, name, i + 1, "bad INDEX line");
      TIndexOptions options;
      std::string optionList(parts[3]);
      std::replace(optionList.begin(), optionList.end(), ',', ';');
      for (const std::string& o : SplitFieldNames(optionList)) {
        int64_t v = TypeInfoOf<TIndexOption>()->EnumValue(o);
        if (v < 0) FormatError(this, name, i + 1, "bad index option " + o);
        options.Include(static_cast<TIndexOption>(v));
      }
      try {
        TIndexDef* d = GetIndexDefs()->Add(std::string(parts[1]), std::string(parts[2]), options);
        d->SetDescFields(std::string(parts[4]));
        d->SetCaseInsFields(std::string(parts[5]));
      } catch (const EDatabaseError& e) {
        FormatError(this, name, i + 1, e.Message());
      }
    } else if (parts[0] == "DATA") {
      break;
    } else {
      FormatError(this, name, i + 1, "unexpected line");
    }
  }
  if (i >= lines.size()) FormatError(this, name, i + 1, "missing DATA line");
  if (types.empty()) FormatError(this, name, i + 1, "no fields");
  std::vector<std::string_view> head = SplitTabs(lines[i]);
  size_t count = 0;
  if (head.size() != 2 ||
      std::from_chars(head[1].data(), head[1].data() + head[1].size(), count).ptr !=
          head[1].data() + head[1].size())
    FormatError(this, name, i + 1, "bad DATA line");
  size_t available = lines.size() - i - 1;
  if (available > 0 && lines.back().empty()) --available;
  if (count != available) FormatError(this, name, i + 1, "record count does not match");
  LayoutStore();
  Store().Reserve(count);
  std::string value;
  for (size_t r = 0; r < count; ++r) {
    size_t lineNo = i + 2 + r;
    std::vector<std::string_view> vals = SplitTabs(lines[i + 1 + r]);
    if (vals.size() != types.size()) FormatError(this, name, lineNo, "wrong number of values");
    uint32_t slot = Store().Allocate();
    AppendLoadedSlot(slot);
    for (size_t c = 0; c < vals.size(); ++c) {
      if (vals[c] == "\\N") continue;
      if (!Unescape(vals[c], value)) FormatError(this, name, lineNo, "bad escape");
      if (!detail::ParseStoredValue(Store(), slot, static_cast<int>(c), types[c], value))
        FormatError(this, name, lineNo,
                    Format("bad value for field '%s'",
                           {GetFieldDefs()->Items(static_cast<int>(c))->GetName()}));
    }
  }
}

std::string TClientDataSet::SaveNative() {
  std::string out = "TABULON DATA 1\n";
  TFieldDefs* defs = GetFieldDefs();
  for (int c = 0; c < defs->Count(); ++c) {
    TFieldDef* d = defs->Items(c);
    out += "FIELD\t" + Escape(d->GetName()) + "\t" +
           TypeInfoOf<TFieldType>()->EnumName(d->GetDataType()) + "\t" +
           std::to_string(d->GetSize()) + "\t" + (d->GetRequired() ? "1" : "0") + "\n";
  }
  for (int i = 0; i < GetIndexDefs()->Count(); ++i) {
    TIndexDef* d = GetIndexDefs()->Items(i);
    std::string options;
    for (int o = ixPrimary; o <= ixExpression; ++o)
      if (d->GetOptions().Contains(static_cast<TIndexOption>(o)))
        options += (options.empty() ? "" : ",") + TypeInfoOf<TIndexOption>()->EnumName(o);
    out += "INDEX\t" + Escape(d->GetName()) + "\t" + Escape(d->GetFields()) + "\t" + options +
           "\t" + Escape(d->GetDescFields()) + "\t" + Escape(d->GetCaseInsFields()) + "\n";
  }
  out += "DATA\t" + std::to_string(NaturalOrder().size()) + "\n";
  for (uint32_t slot : NaturalOrder()) {
    for (int c = 0; c < defs->Count(); ++c) {
      if (c) out += '\t';
      if (Store().IsNull(slot, c))
        out += "\\N";
      else
        out += Escape(detail::StoredValueText(Store(), slot, c, defs->Items(c)->GetDataType()));
    }
    out += '\n';
  }
  return out;
}

namespace {
// RFC 4180 rows: quoted fields may hold separators, quotes ("") and breaks.
bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>& rows,
              std::vector<bool>& nulls, size_t& badLine) {
  std::vector<std::string> row;
  std::string cell;
  bool quoted = false, inQuotes = false, any = false;
  size_t line = 1, quoteLine = 1;
  auto endCell = [&] {
    row.push_back(cell);
    nulls.push_back(cell.empty() && !quoted);
    cell.clear();
    quoted = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inQuotes) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          cell += '"';
          ++i;
        } else {
          inQuotes = false;
        }
      } else {
        if (c == '\n') ++line;
        cell += c;
      }
      continue;
    }
    any = true;
    if (c == '"') {
      if (!cell.empty()) {
        badLine = line;
        return false;
      }
      inQuotes = quoted = true;
      quoteLine = line;
    } else if (c == ',') {
      endCell();
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endCell();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
      ++line;
    } else {
      if (quoted) {
        badLine = line;
        return false;
      }
      cell += c;
    }
  }
  if (inQuotes) {
    badLine = quoteLine;
    return false;
  }
  if (any || !cell.empty() || !row.empty()) {
    endCell();
    rows.push_back(std::move(row));
  }
  return true;
}

bool LooksInteger(const std::string& s) {
  int64_t v;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && v >= INT32_MIN && v <= INT32_MAX;
}
bool LooksReal(const std::string& s) {
  double v;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}
}  // namespace

void TClientDataSet::LoadCsv(const std::string& text, const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> nullFlags;
  size_t bad = 0;
  if (!ParseCsv(text, rows, nullFlags, bad)) FormatError(this, name, bad, "bad quoting");
  if (rows.empty() || rows[0].empty()) FormatError(this, name, 1, "missing header");
  const std::vector<std::string>& header = rows[0];
  size_t cols = header.size();
  for (size_t r = 1; r < rows.size(); ++r)
    if (rows[r].size() != cols) FormatError(this, name, r + 1, "wrong number of values");
  // Map header names onto existing definitions, or infer new ones.
  TFieldDefs* defs = GetFieldDefs();
  bool useDefs = defs->Count() > 0;
  std::vector<int> colOf(cols, -1);
  if (useDefs) {
    for (size_t c = 0; c < cols; ++c) {
      colOf[c] = defs->IndexOf(header[c]);
      if (colOf[c] < 0) FormatError(this, name, 1, Format("unknown field '%s'", {header[c]}));
    }
  } else {
    for (size_t c = 0; c < cols; ++c) {
      bool ints = true, reals = true;
      size_t longest = 1;
      for (size_t r = 1; r < rows.size(); ++r) {
        const std::string& v = rows[r][c];
        if (v.empty()) continue;
        ints = ints && LooksInteger(v);
        reals = reals && LooksReal(v);
        longest = std::max(longest, Utf8Length(v));
      }
      TFieldType t = ints ? ftInteger : reals ? ftFloat : ftString;
      try {
        defs->Add(header[c], t,
                  t == ftString ? static_cast<int32_t>(std::min<size_t>(longest, 8192)) : 0);
      } catch (const EDatabaseError& e) {
        FormatError(this, name, 1, e.Message());
      }
      colOf[c] = static_cast<int>(c);
    }
    GetIndexDefs()->Clear();
  }
  LayoutStore();
  Store().Reserve(rows.size() - 1);
  for (size_t r = 1; r < rows.size(); ++r) {
    uint32_t slot = Store().Allocate();
    AppendLoadedSlot(slot);
    for (size_t c = 0; c < cols; ++c) {
      const std::string& v = rows[r][c];
      if (v.empty()) continue;
      TFieldType t = defs->Items(colOf[c])->GetDataType();
      if (!detail::ParseStoredValue(Store(), slot, colOf[c], t, v))
        FormatError(this, name, r + 1, Format("bad value for field '%s'", {header[c]}));
    }
  }
}

std::string TClientDataSet::SaveCsv() {
  TFieldDefs* defs = GetFieldDefs();
  auto quote = [](const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    return out + "\"";
  };
  std::string out;
  for (int c = 0; c < defs->Count(); ++c) out += (c ? "," : "") + quote(defs->Items(c)->GetName());
  out += "\r\n";
  for (uint32_t slot : NaturalOrder()) {
    for (int c = 0; c < defs->Count(); ++c)
      out += (c ? "," : "") +
             quote(detail::StoredValueText(Store(), slot, c, defs->Items(c)->GetDataType()));
    out += "\r\n";
  }
  return out;
}

}  // namespace tabulon
