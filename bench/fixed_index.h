// An index description of one dataset given at construction, for the
// benchmarks that seek without a panel or a finder around the index.
#pragma once

#include "run/tbnindex.h"

class TFixedIndex : public tabulon::TDataSetIndex {
 public:
  explicit TFixedIndex(tabulon::TDataSet* ds) : ds_(ds) {}
  tabulon::TDataSet* GetDataSet() override { return ds_; }

 private:
  tabulon::TDataSet* ds_;
};
