// Per-record comparison settings: compare type, value count and case rule,
// each falling back to the panel's per-class option when not assigned. A
// record's own settings never hold an internal-part comparison together
// with a range.
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/list.h"
#include "run/tbnset/options.h"
#include "run/tbnset/record.h"

namespace tabulon {

TCompareType TFieldRecord::DefaultCompare() const {
  TFieldsSetModel* panel = GetPanel();
  int cls = DataTypeClass(GetDataType());
  return panel && cls >= 0 ? panel->GetCompareOptions()->GetCompare(cls) : ctExact;
}

TCountType TFieldRecord::DefaultCount() const {
  TFieldsSetModel* panel = GetPanel();
  int cls = DataTypeClass(GetDataType());
  return panel && cls >= 0 ? panel->GetCountOptions()->GetCount(cls) : coNone;
}

bool TFieldRecord::DefaultCaseInsensitive() const {
  TFieldsSetModel* panel = GetPanel();
  return panel ? panel->GetCompareOptions()->GetCaseInsensitive() : true;
}

TCompareType TFieldRecord::GetCompare() const {
  return assigned_.Contains(frvCompare) ? compare_ : DefaultCompare();
}
TCountType TFieldRecord::GetCount() const {
  return assigned_.Contains(frvCount) ? count_ : DefaultCount();
}
bool TFieldRecord::GetCaseInsensitive() const {
  return assigned_.Contains(frvCaseInsensitive) ? caseInsensitive_ : DefaultCaseInsensitive();
}

// While a form is read, the class options and the data type may not be
// read yet, and a saved record may legally meet a class setting it
// excludes: only the record's own settings exclude each other then.
TCountType TFieldRecord::CountForExclusion() const {
  if (!PanelLoading()) return GetCount();
  return assigned_.Contains(frvCount) ? count_ : coNone;
}

TCompareType TFieldRecord::CompareForExclusion() const {
  if (!PanelLoading()) return GetCompare();
  return assigned_.Contains(frvCompare) ? compare_ : ctExact;
}

void TFieldRecord::SetCompare(TCompareType value) {
  if (assigned_.Contains(frvCompare) && compare_ == value) return;
  compare_ = value;
  assigned_.Include(frvCompare);
  if (value == ctInternal && CountForExclusion() == coTwo) {
    count_ = coOne;
    assigned_.Include(frvCount);
    AddChanges({lcLayout});
  }
  AddChanges({lcSettings});
  Notify();
}

void TFieldRecord::SetCount(TCountType value) {
  if (assigned_.Contains(frvCount) && count_ == value) return;
  count_ = value;
  assigned_.Include(frvCount);
  if (value == coTwo && CompareForExclusion() == ctInternal) {
    compare_ = ctInitial;
    assigned_.Include(frvCompare);
  }
  AddChanges({lcLayout, lcSettings});
  Notify();
}

void TFieldRecord::SetCaseInsensitive(bool value) {
  if (assigned_.Contains(frvCaseInsensitive) && caseInsensitive_ == value) return;
  caseInsensitive_ = value;
  assigned_.Include(frvCaseInsensitive);
  AddChanges({lcSettings});
  Notify();
}

bool TFieldRecord::IsCompareStored() const {
  return assigned_.Contains(frvCompare) && GetCompare() != DefaultCompare();
}
bool TFieldRecord::IsCountStored() const {
  return assigned_.Contains(frvCount) && GetCount() != DefaultCount();
}
bool TFieldRecord::IsCaseInsensitiveStored() const {
  return assigned_.Contains(frvCaseInsensitive) && GetCaseInsensitive() != DefaultCaseInsensitive();
}

}  // namespace tabulon
