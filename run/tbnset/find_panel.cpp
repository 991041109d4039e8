// TDBCustomFindPanel: construction, the index object and how the panel
// follows the dataset and its order; the settings of searching.
#include "run/tbnset/find_panel.h"

#include "platform/db/dataset.h"
#include "platform/db/field.h"

namespace tabulon {

void TFindMessages::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TFindMessages*>(source)) {
    FRecordNotFound = other->FRecordNotFound;
    FNextRecordNotFound = other->FNextRecordNotFound;
    return;
  }
  TPersistent::Assign(source);
}

TDBCustomFindPanel::TDBCustomFindPanel(TComponent* owner, TStyleOptionsFactory styleFactory)
    : TPanelFieldsSet(owner, styleFactory), FMessages(std::make_unique<TFindMessages>()) {
  Fields = new TFieldsList(this, TFindRecord::StaticClass());
  // The index object is made by GetFindIndex on first use: only then does
  // CreateFindIndex reach the override of the class actually created.
}

TDBCustomFindPanel::~TDBCustomFindPanel() {
  // The records read the index object: they go first, while the panel is
  // still a find panel and the link tells it nothing more.
  if (DataLink) DataLink->Panel = nullptr;
  delete std::exchange(Fields, nullptr);
}

TQXFindIndex* TDBCustomFindPanel::CreateFindIndex() { return new TQXFindIndex(this); }

TQXFindIndex* TDBCustomFindPanel::GetFindIndex() {
  if (!FDataSetIndex) {
    FDataSetIndex.reset(CreateFindIndex());
    FDataSetIndex->SetLocaleID(LocaleID);
    FDataSetIndex->OnIndexChanged = TNotifyEvent(this, &TDBCustomFindPanel::IndexChanged);
  }
  return FDataSetIndex.get();
}

// ---- Following the dataset ----

void TDBCustomFindPanel::UpdateDataSet() {
  if (UpdateState == usAuto) Locate();
}

void TDBCustomFindPanel::ValuesChanged() { Locate(); }

void TDBCustomFindPanel::DataSetChanged() {
  TQXFindIndex* index = GetFindIndex();
  if (index->IsUpdateIndex()) index->UpdateIndex();
}

void TDBCustomFindPanel::RefreshIndex() {
  TQXFindIndex* index = GetFindIndex();
  index->UpdateDataSet();
  index->UpdateIndex();
}

// Both dataset notifications run the panel's own handling and then renew
// the index description inside one update and paint bracket, so the
// search and the layout they may start run once, at the end.
void TDBCustomFindPanel::FollowDataSet(bool layout) {
  BeginUpdate();
  BeginPaint();
  try {
    if (layout)
      TPanelFieldsSet::LayoutChanged();
    else
      TPanelFieldsSet::ActiveChanged();
    RefreshIndex();
  } catch (...) {
    --PaintCount;
    --UpdateCount;
    throw;
  }
  EndPaint();
  EndUpdate();
}

void TDBCustomFindPanel::LayoutChanged() { FollowDataSet(true); }

void TDBCustomFindPanel::ActiveChanged() { FollowDataSet(false); }

void TDBCustomFindPanel::IndexChanged(TObject*) {
  if (!Fields) return;
  UpdateFieldsIndexNo();
  if (IndexSearch()) WndChanged();
  if (FFindOptions != foNormal && !searching_) Changed();
}

// ---- Records and the index ----

int TDBCustomFindPanel::GetIndexFieldNo(TFieldRecord* record) {
  if (record->GetRecordKind() != rkData) return -1;
  TField* field = record->GetField();
  if (!field) return -1;
  TQXFindIndex* index = GetFindIndex();
  for (int i = 0; i < index->GetCount(); ++i)
    if (index->GetItem(i).Field == field) return i;
  return -1;
}

void TDBCustomFindPanel::UpdateFieldsIndexNo() {
  bool changed = false;
  for (int i = 0; i < Fields->Count(); ++i) {
    TFieldRecord* record = Fields->GetItem(i);
    const int no = GetIndexFieldNo(record);
    if (no == record->GetIndexFieldNo()) continue;
    record->SetIndexFieldNo(no);
    changed = true;
  }
  if (!changed) return;
  // The map follows the new positions (and, under an index option, the
  // records that take part); values still pending stay pending.
  const bool apply = Fields->Changes.Contains(lcApply);
  Fields->Changes.Exclude(lcApply);
  Fields->SetFieldMap();
  if (apply) Fields->Changes.Include(lcApply);
}

TCountType TDBCustomFindPanel::CountState(TFieldRecord* record) {
  if (IndexSearch() && record->GetIndexFieldNo() == -1) return coNone;
  return TPanelFieldsSet::CountState(record);
}

// ---- Settings ----

void TDBCustomFindPanel::SetFindOptions(TFindOptions value) {
  if (value == FFindOptions) return;
  const bool wasIndex = IndexSearch();
  FFindOptions = value;
  // Which records take part, and how, may change: the map is rebuilt (one
  // list update, which then calls Changed); leaving or entering index
  // search also changes which rows take values, so the rows are laid out.
  if (wasIndex != IndexSearch()) Fields->Changes.Include(lcLayout);
  Fields->Changes.Include(lcSettings);
  Fields->NotifyChanged();
}

void TDBCustomFindPanel::SetLocaleID(int value) {
  TPanelFieldsSet::SetLocaleID(value);
  GetFindIndex()->SetLocaleID(value);
}

}  // namespace tabulon
