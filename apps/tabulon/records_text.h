// The tool's text form of a dataset's records: a header of display labels
// and one line per visible record, columns cut to the fields' display widths.
#pragma once

#include <iosfwd>
#include <string>

namespace tabulon {
class TDataSet;
}

namespace tabulon::app {

/// `s` padded with blanks, or cut and ended by "~", to `width` code points.
std::string Pad(const std::string& s, size_t width);
/// Prints the header and up to `limit` records from the first one (0: all).
void PrintRecords(std::ostream& out, tabulon::TDataSet* data, long limit);
/// The same, with the current record marked ">" and a last line naming it
/// ("Current record: row N", "none" or "after the rows shown"); the dataset
/// is left on the record that was current.
void PrintRecordsAndCurrent(std::ostream& out, tabulon::TDataSet* data, long limit);

}  // namespace tabulon::app
