// Locale-independent text forms of stored values, used by data files and
// by the SQLite datasets: integers, "." decimals, ISO dates
// ("2024-03-01", "2024-03-01 14:30:00", "14:30:00"), booleans as 1/0.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/db_types.h"
#include "platform/db/record_store.h"

namespace tabulon::detail {

/// The text of column `col` of `slot` for a field of type `type` ("" for null).
std::string StoredValueText(const TRecordStore& store, uint32_t slot, int col, TFieldType type);
/// Parses `text` as a value of `type` into the column; false when it does
/// not parse (the column is left unchanged).
bool ParseStoredValue(TRecordStore& store, uint32_t slot, int col, TFieldType type,
                      std::string_view text);
/// ISO text of a date-time number for a field of `type` (date, time or date-time).
std::string IsoDateText(double value, TFieldType type);
/// Parses an ISO date, time or date-time; false when it is none of them.
bool ParseIsoDate(std::string_view text, double& value);

}  // namespace tabulon::detail
