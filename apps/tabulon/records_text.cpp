// The tool's text form of a dataset's records.
#include "apps/tabulon/records_text.h"

#include <algorithm>
#include <ostream>

#include "platform/core/format.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace tabulon::app {

std::string Pad(const std::string& s, size_t width) {
  size_t n = Utf8Length(s);
  if (n > width) {
    std::string cut(s.substr(0, Utf8Offset(s, width - 1)));
    return cut + "~";
  }
  return s + std::string(width - n, ' ');
}

namespace {

// Prints the records; returns the 1-based row of the record `current`
// names (0 when it is not among the rows printed).
long Print(std::ostream& out, TDataSet* data, long limit, const TBookmark* current) {
  std::vector<size_t> widths;
  std::string header = " ";
  for (int i = 0; i < data->GetFieldCount(); ++i) {
    TField* f = data->Fields(i);
    widths.push_back(static_cast<size_t>(std::clamp(f->GetDisplayWidth(), 4, 24)));
    header += " " + Pad(f->GetDisplayLabel(), widths.back());
  }
  out << header << "\n";
  long n = 0, currentRow = 0;
  for (data->First(); !data->GetEof() && (limit == 0 || n < limit); data->Next(), ++n) {
    std::string line = " ";
    if (current && *current == data->GetBookmark()) {
      line = ">";
      currentRow = n + 1;
    }
    for (int i = 0; i < data->GetFieldCount(); ++i) {
      std::string text = data->Fields(i)->GetDisplayText();
      std::replace(text.begin(), text.end(), '\n', ' ');
      line += " " + Pad(text, widths[static_cast<size_t>(i)]);
    }
    out << line << "\n";
  }
  return currentRow;
}

}  // namespace

void PrintRecords(std::ostream& out, TDataSet* data, long limit) {
  Print(out, data, limit, nullptr);
}

void PrintRecordsAndCurrent(std::ostream& out, TDataSet* data, long limit) {
  const TBookmark current = data->GetBookmark();
  data->DisableControls();
  long row = 0;
  try {
    row = Print(out, data, limit, &current);
    if (!current.IsNull()) data->GotoBookmark(current);
  } catch (...) {
    data->EnableControls();
    throw;
  }
  data->EnableControls();
  out << "Current record: ";
  if (current.IsNull())
    out << "none\n";
  else if (row > 0)
    out << "row " << row << "\n";
  else
    out << "after the rows shown\n";
}

}  // namespace tabulon::app
