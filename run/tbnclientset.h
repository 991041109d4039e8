// Unit Tbnclientset: the find index of the client-dataset variants. Over a
// client dataset it reads the dataset's own index definitions and searches
// keys with the dataset's keyed search; over any other dataset it behaves as
// the plain find index.
#pragma once

#include "run/tbnindex.h"
#include "run/tbnset/find_panel.h"

namespace tabulon {

/// The find index for client datasets.
class TQXClientFindIndex : public TQXFindIndex {
  TBN_CLASS(TQXClientFindIndex, TQXFindIndex)
 public:
  explicit TQXClientFindIndex(TFieldsSetModel* panel) : TQXFindIndex(panel) {}
  TIndexDefs* GetIndexDefs() override;
  bool FindKey(const Variant& keyValues) override;
  bool FindNearest(const Variant& keyValues) override;

 private:
  bool IsClientDataSet();
};

/// The find panel for client datasets: it searches through TQXClientFindIndex.
class TQXClientFindPanel : public TDBFindPanel {
  TBN_CLASS(TQXClientFindPanel, TDBFindPanel)
 public:
  using TDBFindPanel::TDBFindPanel;

 protected:
  TQXFindIndex* CreateFindIndex() override { return new TQXClientFindIndex(this); }
};

}  // namespace tabulon
