// Data sources and data links.
#include "platform/db/datasource.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/snapshot.h"

namespace tabulon {

TBN_REGISTER(TDataSource) {
  b.Property("DataSet", &TDataSource::GetDataSet, &TDataSource::SetDataSet);
  b.Property("Enabled", &TDataSource::GetEnabled, &TDataSource::SetEnabled).Default(true);
  b.Property("OnStateChange", &TDataSource::OnStateChange);
  b.Property("OnDataChange", &TDataSource::OnDataChange);
}

TBN_REGISTER(TDataLink) {}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  Destroying();
  if (dataSet_) {
    dataSet_->DetachDataSource(this);
    dataSet_ = nullptr;
  }
  while (!links_.empty()) links_.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_) {
    dataSet_->DetachDataSource(this);
    dataSet_->RemoveFreeNotification(this);
  }
  dataSet_ = dataSet;
  if (dataSet_) {
    dataSet_->AttachDataSource(this);
    dataSet_->FreeNotification(this);
  }
  UpdateLinks();
  OnStateChange(this);
}

void TDataSource::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateLinks();
}

TDataSetState TDataSource::GetState() const {
  return enabled_ && dataSet_ ? dataSet_->GetState() : dsInactive;
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == dataSet_) SetDataSet(nullptr);
}

void TDataSource::AddLink(TDataLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TDataSource::UpdateLinks() {
  for (TDataLink* l : detail::TPointerSnapshot<TDataLink>(links_))
    if (detail::StillListed(links_, l)) l->UpdateState(false);
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info) {
  if (event == deUpdateState) {
    UpdateLinks();
    OnStateChange(this);
    return;
  }
  if (!enabled_) return;
  for (TDataLink* l : detail::TPointerSnapshot<TDataLink>(links_))
    if (detail::StillListed(links_, l) && l->active_) l->DataEvent(event, info);
  if (event == deDataSetChange || event == deDataSetScroll || event == deFieldChange ||
      event == deRecordChange)
    OnDataChange(this);
}

// ---- TDataLink ----

TDataLink::~TDataLink() {
  if (dataSource_) dataSource_->RemoveLink(this);
  dataSource_ = nullptr;
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == dataSource_) return;
  if (dataSource_) dataSource_->RemoveLink(this);
  dataSource_ = source;
  if (dataSource_) dataSource_->AddLink(this);
  UpdateState(false);
}

TDataSet* TDataLink::GetDataSet() const {
  return dataSource_ ? dataSource_->GetDataSet() : nullptr;
}

void TDataLink::UpdateState(bool force) {
  TDataSet* ds = GetDataSet();
  bool active = dataSource_ && dataSource_->GetEnabled() && ds && ds->GetActive();
  bool editing = active && (ds->GetState() == dsEdit || ds->GetState() == dsInsert);
  if (force || active != active_ || ds != seen_) {
    active_ = active;
    seen_ = ds;
    editing_ = editing;
    ActiveChanged();
    return;
  }
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::DataSetScrolled(int) { DataSetChanged(); }

void TDataLink::RecordChanged(TField*) {}

void TDataLink::DataEvent(TDataEvent event, intptr_t info) {
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      RecordChanged(reinterpret_cast<TField*>(info));
      break;
    case deDataSetChange:
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled(static_cast<int>(info));
      break;
    case deLayoutChange:
      LayoutChanged();
      break;
    case deUpdateRecord:
    case deCheckBrowseMode:
      UpdateData();
      break;
    default:
      break;
  }
}

}  // namespace tabulon
