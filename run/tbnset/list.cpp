// TFieldsList: update processing, the field map and the rebuild from the
// dataset's fields.
#include "run/tbnset/list.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset/fieldsset.h"

namespace tabulon {

TFieldsListDesigner::TFieldsListDesigner(TFieldsList* list) : list_(list) {
  if (!list_) return;
  delete std::exchange(list_->designer_, this);
}

TFieldsListDesigner::~TFieldsListDesigner() {
  if (list_ && list_->designer_ == this) list_->designer_ = nullptr;
}

TFieldsList::TFieldsList(TFieldsSetModel* panel, const TClass* itemClass)
    : TCollection(itemClass), panel_(panel) {}

TFieldsList::~TFieldsList() {
  fieldMap_.clear();
  if (designer_) {
    designer_->list_ = nullptr;
    delete std::exchange(designer_, nullptr);
  }
  // The records are freed by the collection; while they go, no update runs.
  BeginUpdate();
  Clear();
}

TPersistent* TFieldsList::GetOwner() const { return panel_ ? panel_->GetComponent() : nullptr; }

void TFieldsList::Update(TCollectionItem* /*item*/) {
  if (!panel_ || panel_->GetComponentState().Contains(csLoading)) return;
  if (Changes.Contains(lcLayout)) {
    Changes.Exclude(lcLayout);
    panel_->WndChanged();
  }
  if (Changes.Contains(lcSettings) || Changes.Contains(lcApply)) {
    SetFieldMap();
    Changes -= {lcSettings, lcApply};
    panel_->Changed();
  }
}

void TFieldsList::SetFieldMap() {
  Touch();
  fieldMap_.clear();
  const bool apply = Changes.Contains(lcApply);
  for (int i = 0; i < Count(); ++i) {
    TFieldRecord* record = GetItem(i);
    if (apply) record->ApplyValues();
    if (!panel_ || !panel_->MainNotEmptyRecord(record)) continue;
    const int no = record->GetIndexFieldNo();
    auto pos = fieldMap_.end();
    if (no != -1) {
      for (auto it = fieldMap_.begin(); it != fieldMap_.end(); ++it) {
        int other = GetItem(*it)->GetIndexFieldNo();
        if (other == -1 || other > no) {
          pos = it;
          break;
        }
      }
    }
    fieldMap_.insert(pos, i);
  }
}

void TFieldsList::MoveInFieldMap(int from, int to) {
  if (fieldMap_.empty()) return;
  for (int& p : fieldMap_) {
    if (p == from)
      p = to;
    else if (from < to && p > from && p <= to)
      --p;
    else if (to < from && p >= to && p < from)
      ++p;
  }
  // The order SetFieldMap builds: index-bound records by IndexFieldNo, then
  // the others, each in list order.
  auto key = [this](int p) {
    const int no = p < Count() ? GetItem(p)->GetIndexFieldNo() : -1;
    return std::pair(no == -1 ? std::numeric_limits<int>::max() : no, p);
  };
  std::sort(fieldMap_.begin(), fieldMap_.end(), [&](int a, int b) { return key(a) < key(b); });
}

void TFieldsList::SetFields() {
  Touch();
  if (!panel_ || panel_->GetComponentState().Contains(csLoading)) return;
  BeginUpdate();
  try {
    TPanelFieldsSetDataLink* link = panel_->GetDataLink();
    if (!defaultFields_) {
      for (int i = 0; i < Count(); ++i) GetItem(i)->Update();
    } else if (!link->GetActive()) {
      Clear();
    } else {
      TDataSet* ds = link->GetDataSet();
      int placed = 0;
      for (int f = 0; f < ds->GetFieldCount(); ++f) {
        TField* field = ds->Fields(f);
        TFieldRecord* found = nullptr;
        for (int r = placed; r < Count(); ++r) {
          if (AnsiSameText(GetItem(r)->GetFieldName(), field->GetFieldName())) {
            found = GetItem(r);
            break;
          }
        }
        if (found) {
          found->SetIndex(placed);
          // Unchanged records raise nothing: no re-applying per layout change.
          found->Rebind();
          ++placed;
          continue;
        }
        TFieldRecord* record = Add();
        record->SetFieldName(field->GetFieldName());
        if (panel_->ValidateFieldRecord(record)) {
          record->SetIndex(placed);
          ++placed;
        } else {
          delete record;
        }
      }
      while (Count() > placed) delete GetItem(Count() - 1);
      Changes += {lcLayout};
    }
    if (!Changes.Contains(lcSettings) && !Changes.Contains(lcApply)) SetFieldMap();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TFieldsList::SetDefaultFields(bool value) {
  if (defaultFields_ == value) return;
  defaultFields_ = value;
  if (value) SetFields();
}

TBN_REGISTER(TFieldsList) {}

}  // namespace tabulon
