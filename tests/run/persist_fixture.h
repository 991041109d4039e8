// Shared helpers of the value persistence tests: records of every data-type
// class, an exact locale-independent dump of a panel's values and comment
// texts, bytes assembled by hand, and the blocks written and read alone.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/core/format_settings.h"
#include "run/tbnset.h"

namespace tabulon::test {

/// Appends a calculated record `name` of `type`.
TFieldRecord* AddCalc(TFieldsSetModel& panel, const std::string& name, TFieldType type);

/// A record of every data-type class with its two values.
struct EveryRow {
  const char* Name;
  TFieldType Type;
  Variant Low, High;
};
/// String, memo, formatted memo, the integer kinds, boolean, float,
/// currency, BCD, date, time, date-time and blob, named S, M, FM, ...
const std::vector<EveryRow>& EveryClass();
/// Gives the records named as in EveryClass their values, and two of them
/// comment texts.
void SetEveryValue(TFieldsSetModel& panel);

/// Calculated records of every data-type class (string, memo, formatted
/// memo, the integer kinds, boolean, float, currency, BCD, date, time,
/// date-time, blob) with two values each and some comment texts; the list
/// leaves default-fields mode. `values` false leaves values and texts out.
void AddEveryClass(TFieldsSetModel& panel, bool values = true);

/// A value as its kind and exact contents ("D0x1.5f9p+15", "C123456").
std::string Exact(const Variant& v);
/// Every record: Name, both values exactly, both comment texts.
std::string Dump(const TFieldsSetModel& panel);

/// Bytes from numbers and texts: B({1, 5}) + "AGE".
std::string B(std::initializer_list<int> bytes);
/// A short string item (vaString, length, bytes).
std::string Str(const std::string& s);
/// The extended floats the blocks use, as the x87 format lays them out.
extern const std::string kExt0;   // 0.0, the image's version
extern const std::string kExt01;  // 0.1, a block's version
extern const std::string kExtD;   // 45000.0 (2023-03-15)
extern const std::string kExtDT;  // 45000.5 (2023-03-15 12:00)

/// The bytes `write` produces alone.
std::string WriteBlock(TFieldsSetModel& panel, void (TFieldsSetModel::*write)(TWriter*));
/// Reads `bytes` with `read`; fails the test unless every byte was used.
void ReadBlock(TFieldsSetModel& panel, void (TFieldsSetModel::*read)(TReader*),
               const std::string& bytes);

/// Settings with a decimal comma and day.month.year dates.
TFormatSettings CommaDayMonthYear();

}  // namespace tabulon::test
