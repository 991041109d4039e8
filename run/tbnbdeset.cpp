// Unit TbnBdeSet: keyed search through a table's own index.
#include "run/tbnbdeset.h"

#include "platform/core/class_builder.h"
#include "platform/db/sqlite_dataset.h"

namespace tabulon {

TBN_REGISTER(TQXBdeFindIndex) {}
TBN_REGISTER(TQXBdeFindPanel) {}

bool TQXBdeFindIndex::IsTable() {
  if (IsUpdateDataSet()) UpdateDataSet();
  return dynamic_cast<TTable*>(FDataSet) != nullptr;
}

TIndexDefs* TQXBdeFindIndex::GetIndexDefs() {
  if (auto* table = dynamic_cast<TTable*>(FDataSet)) return table->GetIndexDefs();
  return TQXFindIndex::GetIndexDefs();
}

bool TQXBdeFindIndex::FindKey(const Variant& keyValues) {
  return IsTable() ? TableFindKey(keyValues, true) : TQXFindIndex::FindKey(keyValues);
}

bool TQXBdeFindIndex::FindNearest(const Variant& keyValues) {
  return IsTable() ? TableFindKey(keyValues, false) : TQXFindIndex::FindNearest(keyValues);
}

}  // namespace tabulon
