// Panel-wide comparison and count defaults per class of data type
// (0 Boolean, 1 DateTime, 2 Float, 3 Integer, 4 Memo, 5 String). Writing
// an internal-part comparison and a range into one class excludes each
// other: the later write adjusts the other setting.
#pragma once

#include "platform/core/persistent.h"
#include "platform/db/db_types.h"
#include "run/tbnset/types.h"

namespace tabulon {

class TFieldsSetModel;

/// The class index of a field type (0..5), or -1 for a type of no class.
int DataTypeClass(TFieldType type) noexcept;

/// Default value counts per data-type class.
class TCountOptions : public TPersistent {
  TBN_CLASS(TCountOptions, TPersistent)
 public:
  explicit TCountOptions(TFieldsSetModel* panel);
  /// Count of class `index`.
  TCountType GetCount(int index) const { return counts_[index]; }
  /// Stores a changed count; coTwo turns the class's ctInternal into
  /// ctInitial. Re-lays out and rebuilds the field map.
  void SetCount(int index, TCountType value);
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

 private:
  friend class TCompareOptions;
  TFieldsSetModel* panel_;
  TCountType counts_[6];
};

/// Default comparison types per data-type class, and case-insensitivity.
class TCompareOptions : public TPersistent {
  TBN_CLASS(TCompareOptions, TPersistent)
 public:
  explicit TCompareOptions(TFieldsSetModel* panel);
  /// Compare type of class `index`.
  TCompareType GetCompare(int index) const { return compares_[index]; }
  /// Stores a changed type; ctInternal turns the class's coTwo into coOne.
  /// Re-lays out and rebuilds the field map.
  void SetCompare(int index, TCompareType value);
  bool GetCaseInsensitive() const { return caseInsensitive_; }
  /// Stores a changed flag and tells the panel (no map rebuild).
  void SetCaseInsensitive(bool value);
  bool GetCaseSensitive() const { return !caseInsensitive_; }
  void SetCaseSensitive(bool value) { SetCaseInsensitive(!value); }
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

 private:
  friend class TCountOptions;
  TFieldsSetModel* panel_;
  TCompareType compares_[6];
  bool caseInsensitive_ = true;
};

}  // namespace tabulon
