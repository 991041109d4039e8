// TFieldsSetModel: construction and teardown of the panel's sub-objects,
// following the data source, batching, lookup of records by name.
#include "run/tbnset/fieldsset.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset/errors.h"

namespace tabulon {

// ---- TPanelFieldsSetDataLink ----

TPanelFieldsSetDataLink::~TPanelFieldsSetDataLink() { Panel = nullptr; }

void TPanelFieldsSetDataLink::ActiveChanged() {
  if (!Panel) return;
  TDataSet* current = GetDataSet();
  if (current != OldDataSet) {
    if (OldDataSet) Panel->SetOldDataSet(OldDataSet);
    OldDataSet = current;
  } else if (current && current->ComponentState().Contains(csDestroying)) {
    OldDataSet = nullptr;
  }
  Panel->ActiveChanged();
}

void TPanelFieldsSetDataLink::DataSetChanged() {
  if (Panel) Panel->DataSetChanged();
}

void TPanelFieldsSetDataLink::LayoutChanged() {
  if (Panel) Panel->LayoutChanged();
}

TBN_REGISTER(TPanelFieldsSetDataLink) {}

// ---- TFieldsSetModel ----

TFieldsSetModel::TFieldsSetModel()
    : DataLink(std::make_unique<TPanelFieldsSetDataLink>(this)),
      CountOptions(std::make_unique<TCountOptions>(this)),
      CompareOptions(std::make_unique<TCompareOptions>(this)),
      Captions(std::make_unique<TComponentCaptions>(this)) {}

TFieldsSetModel::~TFieldsSetModel() {
  // The panel normally tears down while it is still whole (so that an
  // override of SetOldDataSet runs); this covers a plain delete.
  if (DataLink) DataLink->OldDataSet = nullptr;
  DestroyFieldsSet();
}

void TFieldsSetModel::DestroyFieldsSet() {
  if (destroyed_) return;
  destroyed_ = true;
  // From here on the link tells the panel nothing: what SetOldDataSet does
  // to the dataset must not reach handlers of a panel without its list.
  if (DataLink) DataLink->Panel = nullptr;
  delete std::exchange(Fields, nullptr);
  CountOptions.reset();
  CompareOptions.reset();
  if (DataLink) {
    if (TDataSet* ds = DataLink->GetDataSet()) {
      // A dataset that is itself being destroyed is never touched.
      if (!ds->ComponentState().Contains(csDestroying)) SetOldDataSet(ds);
    }
    DataLink.reset();
  }
  Captions.reset();
  ClearBuffer();
  delete std::exchange(Buffer, nullptr);
}

void TFieldsSetModel::SetOldDataSet(TDataSet*) {}
void TFieldsSetModel::UpdateDataSet() {}
void TFieldsSetModel::DataSetChanged() {}
void TFieldsSetModel::LayoutChanged() {
  if (Fields) Fields->SetFields();
}

void TFieldsSetModel::ActiveChanged() {
  if (!Fields) return;
  Fields->SetFields();
  DoUpdateAfterOpen();
}

int TFieldsSetModel::GetIndexFieldNo(TFieldRecord*) { return -1; }
void TFieldsSetModel::PaintComponent() {}
void TFieldsSetModel::ShowEditValue(TFieldRecord*, int) {}
bool TFieldsSetModel::ValidateFieldRecord(TFieldRecord*) { return true; }

TComponentState TFieldsSetModel::GetComponentState() const {
  return GetComponent()->ComponentState();
}

void TFieldsSetModel::SetLocaleID(int value) {
  if (value == LocaleID) return;
  LocaleID = value;
  CompareFunc = value == -1 ? &TFieldsSetModel::QXCompare : &TFieldsSetModel::QXAnsiCompare;
}

void TFieldsSetModel::ValuesChanged() {
  if (Fields->Changes.Contains(lcPending)) {
    Fields->Changes.Exclude(lcPending);
    Fields->Changes.Include(lcApply);
  } else {
    Fields->Changes.Include(lcSettings);
  }
  Fields->NotifyChanged();
}

void TFieldsSetModel::SetUpdateState(TUpdateState value) {
  if (value == UpdateState) return;
  UpdateState = value;
  if (value == usAuto) ValuesChanged();
}

// ---- Data source ----

void TFieldsSetModel::SetDataSource(TDataSource* value) {
  if (value == DataLink->GetDataSource()) return;
  DataLink->SetDataSource(value);
  if (value) GetComponent()->FreeNotification(value);
}

void TFieldsSetModel::DataSourceRemoved(TComponent* source) {
  if (!source) return;
  if (DataLink && source == static_cast<TComponent*>(DataLink->GetDataSource())) {
    SetDataSource(nullptr);
    return;
  }
  if (!Fields) return;
  Fields->BeginUpdate();
  try {
    for (int i = 0; i < Fields->Count(); ++i) {
      TFieldRecord* r = Fields->GetItem(i);
      if (!r->GetLookupMode() && static_cast<TComponent*>(r->GetListSource()) == source)
        r->SetListSource(nullptr);
    }
  } catch (...) {
    Fields->EndUpdate();
    throw;
  }
  Fields->EndUpdate();
}

// ---- Records by name ----

TFieldRecord* TFieldsSetModel::FindField(const std::string& name) const {
  for (int i = 0; i < Fields->Count(); ++i)
    if (AnsiSameText(Fields->GetItem(i)->GetFieldName(), name)) return Fields->GetItem(i);
  return nullptr;
}

TFieldRecord* TFieldsSetModel::FindFieldRecord(const std::string& name) const {
  for (int i = 0; i < Fields->Count(); ++i)
    if (AnsiSameText(Fields->GetItem(i)->GetName(), name)) return Fields->GetItem(i);
  return nullptr;
}

TFieldRecord* TFieldsSetModel::FieldByName(const std::string& name) const {
  TFieldRecord* r = FindField(name);
  if (!r) TabulonError(25100, {GetComponent()->GetName(), name});
  return r;
}

// ---- Batching ----

void TFieldsSetModel::EndUpdate() {
  --UpdateCount;
  Changed();
}

void TFieldsSetModel::Changed() {
  if (UpdateCount == 0) UpdateDataSet();
}

void TFieldsSetModel::EndPaint() {
  --PaintCount;
  WndChanged();
}

void TFieldsSetModel::WndChanged() {
  if (PaintCount == 0) PaintComponent();
}

// ---- Loading ----

void TFieldsSetModel::SetLoadProperties() {
  if (Fields->Count() > 0) Fields->SetDefaultFields(false);
  if (DataLink->GetActive()) Fields->SetFields();
  DoUpdateAfterOpen();
}

void TFieldsSetModel::DoUpdateAfterOpen() {
  if (UpdateAfterOpen && DataLink->GetActive() && !Fields->GetDefaultFields() &&
      UpdateState != usAuto)
    ValuesChanged();
}

}  // namespace tabulon
