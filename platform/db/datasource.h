// TDataSource and TDataLink: how controls and other objects follow a
// dataset. A dataset tells its data sources of every event; a source passes
// them to its links. A link is told ActiveChanged whenever the dataset it
// sees opens, closes or is replaced (relinking, destruction), LayoutChanged
// when the field set changes and DataSetChanged on scrolling and refresh.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/component.h"
#include "platform/db/db_types.h"

namespace tabulon {

class TDataSet;
class TDataLink;
class TField;

/// The connection between a dataset and the links of data-aware objects.
class TDataSource : public TComponent {
  TBN_CLASS(TDataSource, TComponent)
 public:
  explicit TDataSource(TComponent* owner);
  /// Detaches every link (each is told ActiveChanged) and leaves the dataset.
  ~TDataSource() override;

  TDataSet* GetDataSet() const { return dataSet_; }
  /// Attaches to another dataset; each link sees ActiveChanged once.
  void SetDataSet(TDataSet* dataSet);
  /// While disabled, links are inactive and told nothing else.
  bool GetEnabled() const { return enabled_; }
  void SetEnabled(bool value);
  /// The dataset's state, or dsInactive without an enabled, active dataset.
  TDataSetState GetState() const;
  int LinkCount() const { return static_cast<int>(links_.size()); }

  TNotifyEvent OnStateChange;  // the dataset's state changed
  TNotifyEvent OnDataChange;   // records scrolled or changed

  /// Passes a dataset event to the links (called by the dataset).
  void DataEvent(TDataEvent event, intptr_t info);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDataLink;
  friend class TDataSet;
  void AddLink(TDataLink* link);
  void RemoveLink(TDataLink* link);
  void UpdateLinks();

  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  std::vector<TDataLink*> links_;  // not owned
};

/// A data-aware object's view of a data source; derive and override the
/// notifications.
class TDataLink : public TPersistent {
  TBN_CLASS(TDataLink, TPersistent)
 public:
  TDataLink() = default;
  /// Leaves the data source.
  ~TDataLink() override;

  TDataSource* GetDataSource() const { return dataSource_; }
  /// Moves the link to another source; ActiveChanged follows when the
  /// dataset seen or its activity changes.
  void SetDataSource(TDataSource* source);
  /// The dataset of the source, or null.
  TDataSet* GetDataSet() const;
  /// True while the source is enabled and its dataset open.
  bool GetActive() const { return active_; }
  /// Whether the dataset is in edit or insert mode.
  bool GetEditing() const { return editing_; }

 protected:
  /// The link became active or inactive, or its dataset was replaced.
  virtual void ActiveChanged() {}
  /// The field set changed; by default DataSetChanged.
  virtual void LayoutChanged() { DataSetChanged(); }
  /// Records must be re-read.
  virtual void DataSetChanged() {}
  /// The current record moved by `distance`; by default DataSetChanged.
  virtual void DataSetScrolled(int distance);
  /// A field (or, for null, the whole record) of the current record changed.
  virtual void RecordChanged(TField* field);
  /// The dataset entered or left edit or insert mode.
  virtual void EditingChanged() {}
  /// The record is about to be posted; controls write their edits.
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  friend class TDataSet;
  void DataEvent(TDataEvent event, intptr_t info);
  void UpdateState(bool force);

  TDataSource* dataSource_ = nullptr;
  TDataSet* seen_ = nullptr;  // the dataset of the last ActiveChanged
  bool active_ = false;
  bool editing_ = false;
};

}  // namespace tabulon
