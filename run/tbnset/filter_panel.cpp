// TDBCustomFilterPanel: hooking the dataset's filter through its published
// properties, applying and releasing it, and following the dataset's own
// Filtered flag.
#include "run/tbnset/filter_panel.h"

#include <utility>

#include "platform/controls/application.h"
#include "platform/db/field.h"
#include "run/tbntypeinfo.h"

namespace tabulon {

namespace {
// Runs its function when the scope ends, also when an exception passes.
template <class F>
struct AtExit {
  F f;
  ~AtExit() { f(); }
};
template <class F>
AtExit(F) -> AtExit<F>;
}  // namespace

TDBCustomFilterPanel::TDBCustomFilterPanel(TComponent* owner, TStyleOptionsFactory styleFactory)
    : TPanelFieldsSet(owner, styleFactory), ownHandler_(this, &TDBCustomFilterPanel::FilterRecord) {
  Fields = new TFieldsList(this, TFilterRecord::StaticClass());
  NotUpdating = true;
}

TDBCustomFilterPanel::~TDBCustomFilterPanel() {
  // Freed without BeforeDestruction: unhook the dataset while this class's
  // SetOldDataSet is still the one that runs.
  if (TPanelFieldsSetDataLink* link = GetDataLink()) {
    TDataSet* ds = link->GetDataSet();
    if (ds && !ds->ComponentState().Contains(csDestroying)) SetOldDataSet(ds);
  }
}

void TDBCustomFilterPanel::FetchDataSetProps() {
  TDataSet* ds = GetDataLink() ? GetDataLink()->GetDataSet() : nullptr;
  FilteredProp = ds ? tbntypeinfo::GetPropInfo(ds, "Filtered", TTypeKinds{tkEnumeration}) : nullptr;
  OnFilterRecordProp =
      ds ? tbntypeinfo::GetPropInfo(ds, "OnFilterRecord", TTypeKinds{tkMethod}) : nullptr;
}

bool TDBCustomFilterPanel::DataSetFiltered() const {
  TDataSet* ds = GetDataLink()->GetDataSet();
  return ds && tbntypeinfo::GetBooleanByPropInfo(ds, FilteredProp);
}

void TDBCustomFilterPanel::SetDataSetOnFilterRecord(TDataSet* dataSet, const TPropInfo* prop,
                                                    const TFilterRecordEvent& handler) {
  tbntypeinfo::SetMethodByPropInfo(dataSet, prop, handler.ToMethod());
}

void TDBCustomFilterPanel::SetFiltered(bool value) {
  if (!NotUpdating) return;
  TDataSet* ds = GetDataLink()->GetDataSet();
  if (!ds) {
    Filtered = value;
    return;
  }
  if (value == Filtered && DataSetFiltered() == Filtered) return;
  if (!value) SetDataSetOnFilterRecord(ds, OnFilterRecordProp, nullptr);
  Filtered = value;
  Changed();
}

void TDBCustomFilterPanel::UpdateDataSet() {
  const bool cursor = ChangeCursor;
  if (cursor) Screen()->SetCursor(crHourGlass);
  NotUpdating = false;
  AtExit restore{[this, cursor] {
    NotUpdating = true;
    if (cursor) Screen()->SetCursor(crDefault);
  }};
  TPanelFieldsSetDataLink* link = GetDataLink();
  if (!link->GetActive()) return;
  TDataSet* ds = link->GetDataSet();
  SetDataSetOnFilterRecord(ds, OnFilterRecordProp, nullptr);
  if (Filtered) {
    if (!Fields->GetFieldMap().empty())
      SetDataSetOnFilterRecord(ds, OnFilterRecordProp, ownHandler_);
    else if (OnFilterRecord)
      SetDataSetOnFilterRecord(ds, OnFilterRecordProp, OnFilterRecord);
  }
  if (DataSetFiltered() != Filtered) {
    tbntypeinfo::SetBooleanByPropInfo(ds, FilteredProp, Filtered);
    ds->First();
  } else if (Filtered) {
    ds->First();
  }
}

void TDBCustomFilterPanel::FilterRecord(TDataSet* dataSet, bool& accept) {
  if (OnFilterRecord)
    OnFilterRecord(dataSet, accept);
  else
    accept = true;
  if (!accept) return;
  accept = CheckRecord(0, static_cast<int>(Fields->GetFieldMap().size()) - 1);
}

void TDBCustomFilterPanel::SetOldDataSet(TDataSet* dataSet) {
  if (!dataSet) return;
  const TPropInfo* event =
      tbntypeinfo::GetPropInfo(dataSet, "OnFilterRecord", TTypeKinds{tkMethod});
  const TPropInfo* flag = tbntypeinfo::GetPropInfo(dataSet, "Filtered", TTypeKinds{tkEnumeration});
  // The dataset answers the flag with a change notification; the panel
  // letting go of it must not take that as a request to follow.
  const bool notUpdating = std::exchange(NotUpdating, false);
  AtExit restore{[this, notUpdating] { NotUpdating = notUpdating; }};
  SetDataSetOnFilterRecord(dataSet, event, nullptr);
  tbntypeinfo::SetBooleanByPropInfo(dataSet, flag, false);
}

void TDBCustomFilterPanel::DataSetChanged() {
  // Inside BeginUpdate the panel's own switch is pending and the dataset's
  // flag is expected to disagree until EndUpdate writes it; following it
  // would undo the switch.
  if (GetDataLink()->GetDataSet() && UpdateCount == 0) {
    const bool flag = DataSetFiltered();
    if (flag != Filtered) SetFiltered(flag);
  }
  TPanelFieldsSet::DataSetChanged();
}

void TDBCustomFilterPanel::LayoutChanged() {
  FetchDataSetProps();
  TPanelFieldsSet::LayoutChanged();
}

void TDBCustomFilterPanel::ActiveChanged() {
  FetchDataSetProps();
  TPanelFieldsSet::ActiveChanged();
}

bool TDBCustomFilterPanel::ValidateFieldRecord(TFieldRecord* record) {
  if (!TPanelFieldsSet::ValidateFieldRecord(record)) return false;
  if (record->GetRecordKind() == rkCalculated) return true;
  TField* field = record->GetField();
  if (!field) return false;
  if (field->GetFieldKind() == fkCalculated) return false;
  const TFieldType type = field->GetDataType();
  return type != ftMemo && type != ftFmtMemo;
}

}  // namespace tabulon
