// Panel-wide comparison and count defaults.
#include "run/tbnset/options.h"

#include "platform/core/class_builder.h"
#include "run/tbnset/fieldsset.h"

namespace tabulon {

int DataTypeClass(TFieldType type) noexcept {
  switch (type) {
    case ftBoolean:
      return 0;
    case ftDate:
    case ftTime:
    case ftDateTime:
      return 1;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      return 2;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return 3;
    case ftMemo:
    case ftFmtMemo:
      return 4;
    case ftString:
      return 5;
    default:
      return -1;
  }
}

namespace {
// Re-lays out the panel and rebuilds its field map after a per-class change.
void ListSettingsChanged(TFieldsSetModel* panel) {
  TFieldsList* list = panel ? panel->GetFields() : nullptr;
  if (!list) return;
  list->Changes += {lcLayout, lcSettings};
  list->Touch();
  list->NotifyChanged();
}
}  // namespace

// ---- TCountOptions ----

TCountOptions::TCountOptions(TFieldsSetModel* panel)
    : panel_(panel), counts_{coOne, coTwo, coTwo, coTwo, coOne, coOne} {}

void TCountOptions::SetCount(int index, TCountType value) {
  if (counts_[index] == value) return;
  counts_[index] = value;
  TCompareOptions* compare = panel_ ? panel_->GetCompareOptions() : nullptr;
  if (value == coTwo && compare && compare->compares_[index] == ctInternal)
    compare->compares_[index] = ctInitial;
  ListSettingsChanged(panel_);
}

void TCountOptions::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TCountOptions*>(source)) {
    for (int i = 0; i < 6; ++i) SetCount(i, src->GetCount(i));
    return;
  }
  TPersistent::Assign(source);
}

TPersistent* TCountOptions::GetOwner() const { return panel_ ? panel_->GetComponent() : nullptr; }

TBN_REGISTER(TCountOptions) {
  b.IndexedProperty("BooleanCount", 0, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coOne);
  b.IndexedProperty("DateTimeCount", 1, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coTwo);
  b.IndexedProperty("FloatCount", 2, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coTwo);
  b.IndexedProperty("IntegerCount", 3, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coTwo);
  b.IndexedProperty("MemoCount", 4, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coOne);
  b.IndexedProperty("StringCount", 5, &TCountOptions::GetCount, &TCountOptions::SetCount)
      .Default(coOne);
}

// ---- TCompareOptions ----

TCompareOptions::TCompareOptions(TFieldsSetModel* panel)
    : panel_(panel), compares_{ctExact, ctExact, ctExact, ctExact, ctInternal, ctInitial} {}

void TCompareOptions::SetCompare(int index, TCompareType value) {
  if (compares_[index] == value) return;
  compares_[index] = value;
  TCountOptions* count = panel_ ? panel_->GetCountOptions() : nullptr;
  if (value == ctInternal && count && count->counts_[index] == coTwo) count->counts_[index] = coOne;
  ListSettingsChanged(panel_);
}

void TCompareOptions::SetCaseInsensitive(bool value) {
  if (caseInsensitive_ == value) return;
  caseInsensitive_ = value;
  if (!panel_) return;
  // Matching keeps each record's case rule until the list's generation moves.
  if (TFieldsList* list = panel_->GetFields()) list->Touch();
  panel_->Changed();
}

void TCompareOptions::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TCompareOptions*>(source)) {
    for (int i = 0; i < 6; ++i) SetCompare(i, src->GetCompare(i));
    SetCaseInsensitive(src->GetCaseInsensitive());
    return;
  }
  TPersistent::Assign(source);
}

TPersistent* TCompareOptions::GetOwner() const { return panel_ ? panel_->GetComponent() : nullptr; }

TBN_REGISTER(TCompareOptions) {
  b.IndexedProperty("BooleanCompare", 0, &TCompareOptions::GetCompare, &TCompareOptions::SetCompare)
      .Default(ctExact);
  b.IndexedProperty("DateTimeCompare", 1, &TCompareOptions::GetCompare,
                    &TCompareOptions::SetCompare)
      .Default(ctExact);
  b.IndexedProperty("FloatCompare", 2, &TCompareOptions::GetCompare, &TCompareOptions::SetCompare)
      .Default(ctExact);
  b.IndexedProperty("IntegerCompare", 3, &TCompareOptions::GetCompare, &TCompareOptions::SetCompare)
      .Default(ctExact);
  b.IndexedProperty("MemoCompare", 4, &TCompareOptions::GetCompare, &TCompareOptions::SetCompare)
      .Default(ctInternal);
  b.IndexedProperty("StringCompare", 5, &TCompareOptions::GetCompare, &TCompareOptions::SetCompare)
      .Default(ctInitial);
  b.Property("CaseInsensitive", &TCompareOptions::GetCaseInsensitive,
             &TCompareOptions::SetCaseInsensitive)
      .Default(true);
}

}  // namespace tabulon
