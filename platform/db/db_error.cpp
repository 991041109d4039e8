// Database errors: one exception class, messages from the db string table.
#include "platform/db/db_error.h"

#include "platform/core/component.h"
#include "platform/core/resstrings.h"
#include "platform/db/db_types.h"

namespace tabulon {

void DatabaseError(const std::string& message, const TComponent* component) {
  if (component && !component->GetName().empty())
    throw EDatabaseError(component->GetName() + ": " + message);
  throw EDatabaseError(message);
}

void DatabaseErrorFmt(std::string_view format, TFormatArgs args, const TComponent* component) {
  DatabaseError(Format(format, args), component);
}

const std::string& DbMsg(std::string_view key) { return ResStr(key); }

bool IsTextFieldType(TFieldType t) {
  return t == ftString || t == ftFixedChar || t == ftWideString || t == ftMemo || t == ftFmtMemo;
}

const char* FieldTypeName(TFieldType t) {
  static const char* const names[] = {
      "Unknown",     "String", "SmallInt",  "Integer",    "Word",     "Boolean",    "Float",
      "Currency",    "BCD",    "Date",      "Time",       "DateTime", "Bytes",      "VarBytes",
      "AutoInc",     "Blob",   "Memo",      "Graphic",    "FmtMemo",  "ParadoxOle", "DBaseOle",
      "TypedBinary", "Cursor", "FixedChar", "WideString", "Largeint"};
  auto i = static_cast<size_t>(t);
  return i < std::size(names) ? names[i] : "Unknown";
}

}  // namespace tabulon
