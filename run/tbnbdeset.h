// Unit TbnBdeSet: the find index of the table variants. Over a SQLite table
// (TTable) it reads the table's index definitions and searches keys with the
// table's keyed search; over any other dataset it behaves as the plain find
// index.
#pragma once

#include "run/tbnindex.h"
#include "run/tbnset/find_panel.h"

namespace tabulon {

/// The find index for tables.
class TQXBdeFindIndex : public TQXFindIndex {
  TBN_CLASS(TQXBdeFindIndex, TQXFindIndex)
 public:
  explicit TQXBdeFindIndex(TFieldsSetModel* panel) : TQXFindIndex(panel) {}
  TIndexDefs* GetIndexDefs() override;
  bool FindKey(const Variant& keyValues) override;
  bool FindNearest(const Variant& keyValues) override;

 private:
  bool IsTable();
};

/// The find panel for tables: it searches through TQXBdeFindIndex.
class TQXBdeFindPanel : public TDBFindPanel {
  TBN_CLASS(TQXBdeFindPanel, TDBFindPanel)
 public:
  using TDBFindPanel::TDBFindPanel;

 protected:
  TQXFindIndex* CreateFindIndex() override { return new TQXBdeFindIndex(this); }
};

}  // namespace tabulon
