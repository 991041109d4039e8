// Reading the sort order of a query from its SQL text: the select list
// gives the result fields (qualifier, column and result-field name), the
// last ORDER BY clause of the statement gives the order, and each order item
// is matched back to the name of the result field it sorts by. The text is
// untrusted: malformed text yields fewer fields, never an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabulon {

/// One item of a select list.
struct TSqlFieldInfo {
  std::string TableName;  // qualifier before ".", upper case, unquoted ("" for none)
  std::string FieldName;  // column name, upper case, unquoted
  std::string NewName;    // result-field name as written, made unique with "_1", "_2", ...
};

/// A result-field name taken, and how often its base name occurred.
struct TSqlNewFieldInfo {
  std::string FieldName;  // upper case
  int Count = 0;
};

/// The sort order a query's text declares.
struct TSqlOrder {
  std::string FieldNames;  // result-field names of the ORDER BY items, ";"-separated
  std::string DescFields;  // those of them sorted descending
};

/// The items of the first select list of `sql`; empty when the text has no
/// SELECT ... FROM at the top level.
std::vector<TSqlFieldInfo> SqlSelectFields(std::string_view sql);
/// The order of `sql` (both lists empty without a top-level ORDER BY).
/// Keywords are recognised in any letter case, as whole words, outside quoted
/// literals and parentheses.
TSqlOrder SqlOrderFields(std::string_view sql);

/// Splits a trailing direction word (DESC, DESCENDING, ASC, ASCENDING) off an
/// index or order item: `item` becomes the name before it and `descending`
/// tells the direction. False when text follows the direction word (the item
/// is then unusable) or nothing is left of the name.
bool StripDirectionSuffix(std::string& item, bool& descending);

}  // namespace tabulon
