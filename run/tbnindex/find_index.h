// TQXFindIndex: the index of a find panel. It describes the dataset of the
// panel's data link and adds the two keyed searches the panel uses, which
// the client-dataset and table variants answer with the dataset's own keyed
// search (SetKey, GotoKey, GotoNearest).
#pragma once

#include "platform/core/method.h"
#include "run/tbnindex/dataset_index.h"

namespace tabulon {

class TFieldsSetModel;

/// The index object of a find panel.
class TQXFindIndex : public TDataSetIndex {
  TBN_CLASS(TQXFindIndex, TDataSetIndex)
 public:
  /// `panel` is the owning panel, or null for an index without one.
  explicit TQXFindIndex(TFieldsSetModel* panel);
  TFieldsSetModel* GetPanel() const { return FPanel; }
  /// The panel's data-link dataset.
  TDataSet* GetDataSet() override;
  TPersistent* GetOwner() const override;
  /// Seek (dsoFirstEQ, dgoNone): the first record equal to the key, or
  /// back to the starting record.
  virtual bool FindKey(const Variant& keyValues);
  /// Seek (dsoAfterEQ, dgoLast): the first record at or after the key, or
  /// the last record.
  virtual bool FindNearest(const Variant& keyValues);

  /// Told after every rebuild of the key fields (the panel renews its
  /// records' index positions and lays itself out again).
  TNotifyEvent OnIndexChanged;

 protected:
  void DoAfterIndexChanged() override;
  /// The dataset's own keyed search: key field i takes element i of
  /// `keyValues` (Null beyond its end), then GotoKey (exact) or GotoNearest.
  bool TableFindKey(const Variant& keyValues, bool exact);
  /// Whether the key fields are the leading fields of the dataset's own
  /// order, so that its keyed search can serve.
  bool KeysFollowDataSetOrder() const;

  TFieldsSetModel* FPanel;
};

}  // namespace tabulon
