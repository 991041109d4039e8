// TQXFindIndex: keyed search for the find panel.
#include "run/tbnindex/find_index.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "run/tbnset/fieldsset.h"

namespace tabulon {

TBN_REGISTER(TQXFindIndex) {}

TQXFindIndex::TQXFindIndex(TFieldsSetModel* panel) : FPanel(panel) {}

TDataSet* TQXFindIndex::GetDataSet() {
  return FPanel && FPanel->GetDataLink() ? FPanel->GetDataLink()->GetDataSet() : nullptr;
}

TPersistent* TQXFindIndex::GetOwner() const { return FPanel ? FPanel->GetComponent() : nullptr; }

bool TQXFindIndex::FindKey(const Variant& keyValues) {
  return Seek(keyValues, dsoFirstEQ, dgoNone);
}

bool TQXFindIndex::FindNearest(const Variant& keyValues) {
  return Seek(keyValues, dsoAfterEQ, dgoLast);
}

void TQXFindIndex::DoAfterIndexChanged() {
  TDataSetIndex::DoAfterIndexChanged();
  OnIndexChanged(this);
}

bool TQXFindIndex::KeysFollowDataSetOrder() const {
  TDataSet* ds = FDataSet;
  if (!ds || FIndexFields.empty() || GetCount() > ds->IndexFieldCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (ds->IndexFields(i) != FIndexFields[static_cast<size_t>(i)]->Field) return false;
  return true;
}

bool TQXFindIndex::TableFindKey(const Variant& keyValues, bool exact) {
  if (IsUpdateDataSet()) UpdateDataSet();
  if (IsUpdateIndex()) UpdateIndex();
  // An application's own description that the dataset does not sort by
  // cannot use the dataset's keyed search: bisect instead.
  if (!KeysFollowDataSetOrder())
    return exact ? TQXFindIndex::FindKey(keyValues) : TQXFindIndex::FindNearest(keyValues);
  TDataSet* ds = FDataSet;
  const bool array = keyValues.IsArray();
  const int low = array ? VarArrayLowBound(keyValues) : 0;
  const int high = array ? VarArrayHighBound(keyValues) : (keyValues.IsEmpty() ? -1 : 0);
  ds->SetKey();
  try {
    for (int i = 0; i < GetCount(); ++i) {
      TField* field = FIndexFields[static_cast<size_t>(i)]->Field;
      if (i <= high - low)
        field->SetValue(array ? keyValues.GetElement(low + i) : keyValues);
      else
        field->SetValue(Null);
    }
  } catch (...) {
    ds->Cancel();  // leave key-entry mode with the search undone
    throw;
  }
  if (exact) return ds->GotoKey();
  ds->GotoNearest();
  return true;
}

}  // namespace tabulon
