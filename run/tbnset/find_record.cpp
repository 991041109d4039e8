// TFindRecord: comparison settings of a find record. An index-bound record
// reads ctExact, coOne and its index field's case rule; writing another
// setting to it first takes its panel out of index search (foFast).
#include "run/tbnset/find_panel.h"

namespace tabulon {

TDBCustomFindPanel* TFindRecord::GetFindPanel() const {
  return dynamic_cast<TDBCustomFindPanel*>(GetPanel());
}

bool TFindRecord::IndexBound() const {
  if (GetIndexFieldNo() == -1) return false;
  TDBCustomFindPanel* panel = GetFindPanel();
  return panel && panel->IndexSearch();
}

bool TFindRecord::IndexCaseInsensitive() const {
  TQXFindIndex* index = GetFindPanel()->GetFindIndex();
  const int no = GetIndexFieldNo();
  return no < index->GetCount() ? index->GetItem(no).CaseInsensitive : true;
}

TCompareType TFindRecord::GetCompare() const {
  return IndexBound() ? ctExact : TFieldRecord::GetCompare();
}
TCompareType TFindRecord::DefaultCompare() const {
  return IndexBound() ? ctExact : TFieldRecord::DefaultCompare();
}
TCountType TFindRecord::GetCount() const { return IndexBound() ? coOne : TFieldRecord::GetCount(); }
TCountType TFindRecord::DefaultCount() const {
  return IndexBound() ? coOne : TFieldRecord::DefaultCount();
}
bool TFindRecord::GetCaseInsensitive() const {
  return IndexBound() ? IndexCaseInsensitive() : TFieldRecord::GetCaseInsensitive();
}
bool TFindRecord::DefaultCaseInsensitive() const {
  return IndexBound() ? IndexCaseInsensitive() : TFieldRecord::DefaultCaseInsensitive();
}

void TFindRecord::SetCompare(TCompareType value) {
  const bool same = GetAssignedValues().Contains(frvCompare) && TFieldRecord::GetCompare() == value;
  if (!same && value != ctExact && IndexBound()) GetFindPanel()->SetFindOptions(foFast);
  TFieldRecord::SetCompare(value);
}

void TFindRecord::SetCount(TCountType value) {
  const bool same = GetAssignedValues().Contains(frvCount) && TFieldRecord::GetCount() == value;
  if (!same && value != coOne && IndexBound()) GetFindPanel()->SetFindOptions(foFast);
  TFieldRecord::SetCount(value);
}

void TFindRecord::SetCaseInsensitive(bool value) {
  const bool same = GetAssignedValues().Contains(frvCaseInsensitive) &&
                    TFieldRecord::GetCaseInsensitive() == value;
  if (!same && IndexBound() && value != IndexCaseInsensitive())
    GetFindPanel()->SetFindOptions(foFast);
  TFieldRecord::SetCaseInsensitive(value);
}

}  // namespace tabulon
