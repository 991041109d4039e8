// TDBCustomFilterPanel: the fields panel that filters the dataset of its
// data source by the applied values. While Filtered is true it installs its
// FilterRecord as the dataset's OnFilterRecord and switches the dataset's
// Filtered flag on; the application's own filter (the panel's
// OnFilterRecord) runs first. The dataset is reached only through its
// published "Filtered" and "OnFilterRecord" properties, so any dataset
// class publishing both is served and one lacking either is tolerated.
// TDBFilterPanel publishes the properties and adds no behaviour.
#pragma once

#include "platform/db/dataset.h"
#include "run/tbnset/panel.h"

namespace tabulon {

struct TPropInfo;

/// The filter panel's behaviour.
class TDBCustomFilterPanel : public TPanelFieldsSet {
  TBN_CLASS(TDBCustomFilterPanel, TPanelFieldsSet)
 public:
  /// The panel with a TFilterRecord list; Filtered off; `styleFactory` as
  /// for the base.
  explicit TDBCustomFilterPanel(TComponent* owner, TStyleOptionsFactory styleFactory = nullptr);
  ~TDBCustomFilterPanel() override;

  bool GetFiltered() const { return Filtered; }
  /// Switches the filter: stored alone without a dataset, applied through
  /// Changed otherwise; ignored while UpdateDataSet writes the dataset.
  void SetFiltered(bool value);
  /// The handler installed on the dataset: the application's filter, then
  /// the matching rule over every record of the field map.
  void FilterRecord(TDataSet* dataSet, bool& accept);

  /// The application's own record filter; asked before the panel's test.
  TFilterRecordEvent OnFilterRecord;

  // ---- Overridable steps ----
  /// Unhooks a dataset the panel no longer serves (event cleared, Filtered off).
  void SetOldDataSet(TDataSet* dataSet) override;
  /// Installs or clears the handler, writes the dataset's flag and re-reads.
  void UpdateDataSet() override;
  /// Follows a Filtered flag switched on the dataset from elsewhere.
  void DataSetChanged() override;
  /// Re-fetches the dataset's property descriptors, then rebinds.
  void LayoutChanged() override;
  /// Re-fetches the dataset's property descriptors, then rebinds and re-applies.
  void ActiveChanged() override;
  /// No records for calculated, memo and formatted-memo dataset fields.
  bool ValidateFieldRecord(TFieldRecord* record) override;

 protected:
  /// The soFiltered section: the Filtered flag as one Boolean item;
  /// other sections as the base writes them.
  void DoSaveToStream(TWriter* writer, TSaveOption option) override;
  /// The soFiltered section: reads one Boolean item and sets Filtered
  /// (applying or removing the filter); other sections as the base.
  void DoLoadFromStream(TReader* reader, TSaveOption option) override;
  /// Writes `handler` into the dataset's event through `prop`; nothing
  /// without a descriptor. An unassigned handler clears the event.
  static void SetDataSetOnFilterRecord(TDataSet* dataSet, const TPropInfo* prop,
                                       const TFilterRecordEvent& handler);

  bool Filtered = false;                          // the Filtered property
  bool NotUpdating = true;                        // false while UpdateDataSet runs
  const TPropInfo* FilteredProp = nullptr;        // the dataset's "Filtered", or null
  const TPropInfo* OnFilterRecordProp = nullptr;  // the dataset's "OnFilterRecord", or null

 private:
  void FetchDataSetProps();
  bool DataSetFiltered() const;
  // The matching rule over the whole field map, bound once.
  TFilterRecordEvent ownHandler_;
};

/// The filter panel with its published properties.
class TDBFilterPanel : public TDBCustomFilterPanel {
  TBN_CLASS(TDBFilterPanel, TDBCustomFilterPanel)
 public:
  using TDBCustomFilterPanel::TDBCustomFilterPanel;
};

}  // namespace tabulon
