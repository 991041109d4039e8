// Fuzz target of the SQL order analysis: any text must give a result without
// raising, and the field lists must be well formed (no empty item; no
// descending fields without field names).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "run/tbnindex/sql_order.h"

using namespace tabulon;

namespace {
void CheckList(const std::string& list) {
  if (list.empty()) return;
  if (list.front() == ';' || list.back() == ';' || list.find(";;") != std::string::npos)
    __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  TSqlOrder order = SqlOrderFields(text);
  CheckList(order.FieldNames);
  CheckList(order.DescFields);
  if (!order.DescFields.empty() && order.FieldNames.empty()) __builtin_trap();
  (void)SqlSelectFields(text);
  std::string item(text.substr(0, 200));
  bool descending;
  StripDirectionSuffix(item, descending);
  return 0;
}
