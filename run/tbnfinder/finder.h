// TQXFinder: positions a dataset by key values from application code. The
// dataset is named directly (DataSet, through a data source the finder owns)
// or through a data source (DataSource); the two exclude each other. The
// published DataSetIndex describes the order searched: the dataset's own
// (its index, or the ORDER BY of its SQL text) or one the application types in.
#pragma once

#include <initializer_list>
#include <memory>

#include "platform/core/component.h"
#include "platform/db/datasource.h"
#include "run/tbnfinder/finder_key.h"
#include "run/tbnindex/dataset_index.h"

namespace tabulon {

class TDataSet;
class TQXFinder;

/// The finder's link to its data source: tells the finder when the dataset
/// opens, closes, is replaced or changes its fields.
class TDBFinderDataLink : public TDataLink {
  TBN_CLASS(TDBFinderDataLink, TDataLink)
 public:
  explicit TDBFinderDataLink(TQXFinder* finder) : FFinder(finder) {}
  ~TDBFinderDataLink() override;
  TQXFinder* GetFinder() const { return FFinder; }

 protected:
  void ActiveChanged() override;
  void LayoutChanged() override;

 private:
  friend class TQXFinder;
  TQXFinder* FFinder;
};

/// The finder's index object: describes the finder's dataset.
class TQXFinderIndex : public TDataSetIndex {
  TBN_CLASS(TQXFinderIndex, TDataSetIndex)
 public:
  explicit TQXFinderIndex(TQXFinder* finder) : FFinder(finder) {}
  TQXFinder* GetFinder() const { return FFinder; }
  /// The dataset of the finder's DataSource, else the finder's DataSet;
  /// null while that dataset is being destroyed.
  TDataSet* GetDataSet() override;
  TPersistent* GetOwner() const override;

 private:
  TQXFinder* FFinder;
};

/// A non-visual component that finds records by key values.
class TQXFinder : public TComponent {
  TBN_CLASS(TQXFinder, TComponent)
 public:
  explicit TQXFinder(TComponent* owner);
  /// Frees the owned data source, the index object and the link.
  ~TQXFinder() override;

  /// The dataset named directly, or null while a data source is used.
  TDataSet* GetDataSet() const;
  /// Takes the dataset through a data source of the finder's own (created on
  /// first use); DataSource then reads null.
  void SetDataSet(TDataSet* value);
  /// The data source used, or null while the dataset is named directly.
  TDataSource* GetDataSource() const;
  /// Uses that data source and frees the finder's own; DataSet then reads null.
  void SetDataSource(TDataSource* value);
  TDataSetIndex* GetDataSetIndex() const { return FDataSetIndex.get(); }
  /// Copies the description of `value` (a form file or an application
  /// assigning a whole index object).
  void SetDataSetIndex(TDataSetIndex* value);
  /// The locale of text comparisons (1024 by default, -1: ordinal).
  int GetLocaleID() const { return FDataSetIndex->GetLocaleID(); }
  void SetLocaleID(int value) { FDataSetIndex->SetLocaleID(value); }

  /// The first record equal to the keys; without one the dataset stays
  /// where it was and the result is false.
  bool FindKey(std::initializer_list<TQXKey> keys);
  /// The first record at or after the keys; the last record when every
  /// record comes before them.
  bool FindNearest(std::initializer_list<TQXKey> keys);
  /// Searches for the keys as `seekOption` says; when nothing fits, goes
  /// where `gotoOption` says and returns false. An empty list searches for
  /// Null. A key that cannot be converted raises EDatabaseError before the
  /// dataset moves.
  bool FindRecord(std::initializer_list<TQXKey> keys, TQXSeekOption seekOption,
                  TQXGotoOption gotoOption);
  /// Searches for `keyValues` (one value or a variant array); a failed
  /// search lands on the first record for the two "before" options and on
  /// the last record for the others.
  bool Seek(const Variant& keyValues, TQXSeekOption seekOption);
  /// Searches for `keyValues` with both options as given.
  bool SeekEx(const Variant& keyValues, TQXSeekOption seekOption, TQXGotoOption gotoOption);

  /// The dataset opened, closed or was replaced: the index follows it.
  virtual void ActiveChanged();
  /// The dataset's fields changed: the index is built anew.
  virtual void LayoutChanged();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  /// Drops the finder's own data source (when it has one) and detaches the link.
  void FreeOwnDataSource();

  bool FUseDataSource = true;
  std::unique_ptr<TDBFinderDataLink> FDataLink;
  std::unique_ptr<TQXFinderIndex> FDataSetIndex;
};

}  // namespace tabulon
