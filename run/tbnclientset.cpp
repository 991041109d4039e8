// Unit Tbnclientset: keyed search through a client dataset's own index.
#include "run/tbnclientset.h"

#include "platform/core/class_builder.h"
#include "platform/db/client_dataset.h"

namespace tabulon {

TBN_REGISTER(TQXClientFindIndex) {}
TBN_REGISTER(TQXClientFindPanel) {}

bool TQXClientFindIndex::IsClientDataSet() {
  if (IsUpdateDataSet()) UpdateDataSet();
  return dynamic_cast<TClientDataSet*>(FDataSet) != nullptr;
}

TIndexDefs* TQXClientFindIndex::GetIndexDefs() {
  if (auto* client = dynamic_cast<TClientDataSet*>(FDataSet)) return client->GetIndexDefs();
  return TQXFindIndex::GetIndexDefs();
}

bool TQXClientFindIndex::FindKey(const Variant& keyValues) {
  return IsClientDataSet() ? TableFindKey(keyValues, true) : TQXFindIndex::FindKey(keyValues);
}

bool TQXClientFindIndex::FindNearest(const Variant& keyValues) {
  return IsClientDataSet() ? TableFindKey(keyValues, false) : TQXFindIndex::FindNearest(keyValues);
}

}  // namespace tabulon
