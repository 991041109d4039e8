// Record matching: whether the dataset's current record matches the
// applied values of the records in the field map, under each record's
// effective compare type, count and case rule. This runs once per dataset
// record while a dataset filters, so it stops at the first failing record,
// reads only mapped records and avoids heap work for non-text values.
#include <algorithm>
#include <cmath>

#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/fieldsset.h"

namespace tabulon {

namespace {

// The plain text of a variant, borrowing a string variant's own text.
std::string_view PlainText(const Variant& v, std::string& buffer) {
  if (v.Type() == varString) return v.StrView();
  buffer = VarToStr(v);
  return buffer;
}

// The record text of a variant (dates by the record's type), borrowing
// a string variant's own text.
std::string_view RecordText(const TFieldRecord* record, const Variant& v, std::string& buffer) {
  if (v.Type() == varString) return v.StrView();
  buffer = record->VariantToText(v);
  return buffer;
}

// Whether `needle` occurs in `haystack`; an empty needle occurs nowhere.
bool Contains(std::string_view haystack, std::string_view needle) {
  return !needle.empty() && haystack.find(needle) != std::string_view::npos;
}

}  // namespace

bool TFieldsSetModel::CaseSensitiveDependent(TFieldType type) noexcept {
  return type == ftString || type == ftMemo || type == ftFmtMemo;
}

bool TFieldsSetModel::CaseInsensitiveField(TFieldRecord* record) {
  return CaseSensitiveDependent(record->GetDataType()) && record->GetCaseInsensitive();
}

TCountType TFieldsSetModel::CountState(TFieldRecord* record) {
  return ValidateFieldRecord(record) ? record->GetCount() : coNone;
}

TCompareType TFieldsSetModel::CompareState(TFieldRecord* record) { return record->GetCompare(); }

bool TFieldsSetModel::MainNotEmptyRecord(TFieldRecord* record) {
  if (record->GetRecordKind() == rkCalculated) return false;
  switch (CountState(record)) {
    case coOne:
      return !VarIsClear(record->GetAppliedValue(0));
    case coTwo:
      return !VarIsClear(record->GetAppliedValue(0)) || !VarIsClear(record->GetAppliedValue(1));
    default:
      return false;
  }
}

bool TFieldsSetModel::NotEmptyRecord(TFieldRecord* record) {
  if (record->GetRecordKind() == rkCalculated) return false;
  switch (CountState(record)) {
    case coOne:
      return !record->IsNull(0);
    case coTwo:
      return !record->IsNull(0) || !record->IsNull(1);
    default:
      return false;
  }
}

int TFieldsSetModel::QXCompare(std::string_view s1, std::string_view s2,
                               bool caseInsensitive) const {
  return caseInsensitive ? CompareText(s1, s2) : CompareStr(s1, s2);
}

int TFieldsSetModel::QXAnsiCompare(std::string_view s1, std::string_view s2,
                                   bool caseInsensitive) const {
  // An empty view may carry no pointer at all; the comparison wants one.
  return CompareStringA(static_cast<LCID>(LocaleID), caseInsensitive ? NORM_IGNORECASE : 0,
                        s1.empty() ? "" : s1.data(), static_cast<int>(s1.size()),
                        s2.empty() ? "" : s2.data(), static_cast<int>(s2.size())) -
         2;
}

// The text rules. `field` is the field's text in the form the compare type
// reads (plain or record text; the same for string-like records): in place
// from the record store for stored text fields, converted otherwise.
bool TFieldsSetModel::MatchText(const TMatchStep& step, std::string_view field) {
  TFieldRecord* record = step.Record;
  std::string b1;
  const Variant& low = record->GetAppliedValue(0);
  if (step.Count == coOne) {
    switch (step.Compare) {
      case ctExact:
        return Compare(PlainText(low, b1), field, step.CaseInsensitive) == 0;
      case ctInitial: {
        std::string_view v = RecordText(record, low, b1);
        return Compare(v, Utf8Left(field, Utf8Length(v)), step.CaseField) == 0;
      }
      case ctInternal:
        if (step.CaseField)
          return Contains(AnsiUpperCase(field), AnsiUpperCase(PlainText(low, b1)));
        return Contains(field, RecordText(record, low, b1));
    }
    return true;
  }
  // A range. Initial and internal parts compare texts; an internal part that
  // meets a range counts as initial.
  const Variant& high = record->GetAppliedValue(1);
  if (step.Compare == ctExact) {
    if (Compare(PlainText(low, b1), field, step.CaseInsensitive) > 0) return false;
    if (VarIsClear(high)) return true;
    return Compare(PlainText(high, b1), field, step.CaseInsensitive) >= 0;
  }
  if (Compare(RecordText(record, low, b1), field, step.CaseField) > 0) return false;
  if (VarIsClear(high)) return true;
  std::string_view h = RecordText(record, high, b1);
  return Compare(h, Utf8Left(field, Utf8Length(h)), step.CaseField) >= 0;
}

bool TFieldsSetModel::MatchValue(const TMatchStep& step, const Variant& fieldValue) {
  TFieldRecord* record = step.Record;
  if (!step.TextLike && step.Compare == ctExact) {
    // Values of other types compare as values; a Null field value equals no
    // entered value and lies below every lower bound.
    const Variant& low = record->GetAppliedValue(0);
    if (step.Count == coOne) return !VarIsClear(fieldValue) && VarCompare(low, fieldValue) == 0;
    if (VarCompare(low, fieldValue) > 0) return false;
    const Variant& high = record->GetAppliedValue(1);
    return VarIsClear(high) || VarCompare(high, fieldValue) >= 0;
  }
  const bool plain = step.Compare == ctExact ||
                     (step.Count == coOne && step.Compare == ctInternal && step.CaseField);
  std::string buffer;
  std::string_view f =
      plain ? PlainText(fieldValue, buffer) : RecordText(record, fieldValue, buffer);
  return MatchText(step, f);
}

namespace {

// Whether `v` converts to a double exactly as the variant ordering sees it
// (Null standing for "no bound").
bool NumericBound(const Variant& v, bool& set, double& value) {
  switch (v.Type()) {
    case varNull:
      set = false;
      return true;
    case varInteger:
    case varDouble:
    case varDate:
      set = true;
      value = v.AsDouble();
      return true;
    default:
      return false;
  }
}

// The variant ordering of two numbers: NaN before every number and equal
// to itself.
int CompareNumber(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb) return na && nb ? 0 : na ? -1 : 1;
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

// The exact rule of numbers and dates without variants: Null lies below
// every lower bound and equals no entered value.
bool TFieldsSetModel::MatchNumber(const TMatchStep& step) {
  double f = 0;
  const bool has = step.Field->GetNumber(f);
  if (step.Count == coOne) return has && step.LowSet && CompareNumber(step.Low, f) == 0;
  if (step.LowSet && (!has || CompareNumber(step.Low, f) > 0)) return false;
  return !step.HighSet || !has || CompareNumber(step.High, f) >= 0;
}

void TFieldsSetModel::ResolveMatchPlan() {
  matchPlan_.clear();
  TDataSet* ds = DataLink && DataLink->GetActive() ? DataLink->GetDataSet() : nullptr;
  for (int index : Fields->GetFieldMap()) {
    TMatchStep step;
    step.Record = Fields->GetItem(index);
    step.Field = step.Record->GetField();
    if (step.Field) {
      step.Count = CountState(step.Record);
      step.Compare = CompareState(step.Record);
      step.TextLike = CaseSensitiveDependent(step.Record->GetDataType());
      step.CaseInsensitive = step.Record->GetCaseInsensitive();
      step.CaseField = CaseInsensitiveField(step.Record);
      step.Direct = step.Field->GetFieldKind() == fkData;
      step.InPlace = step.TextLike && step.Field->HasStoredText();
      step.Numeric = !step.TextLike && step.Compare == ctExact && step.Field->HasStoredNumber() &&
                     NumericBound(step.Record->GetAppliedValue(0), step.LowSet, step.Low) &&
                     NumericBound(step.Record->GetAppliedValue(1), step.HighSet, step.High);
    }
    matchPlan_.push_back(step);
  }
  matchDataSet_ = ds;
  matchFieldsGeneration_ = ds ? ds->GetFieldsGeneration() : 0;
  matchListGeneration_ = Fields->Generation();
}

bool TFieldsSetModel::CheckRecord(int from, int to) {
  // The list generation is checked first: it changes before a dataset the
  // plan refers to can go away (the link rebinds the records).
  if (matchListGeneration_ != Fields->Generation() || !matchDataSet_ ||
      matchDataSet_->GetFieldsGeneration() != matchFieldsGeneration_)
    ResolveMatchPlan();
  const int size = static_cast<int>(matchPlan_.size());
  if (from <= to && (from < 0 || to >= size)) ListIndexError(from < 0 || from >= size ? from : to);
  for (int p = from; p <= to; ++p) {
    const TMatchStep& step = matchPlan_[static_cast<size_t>(p)];
    if (!step.Field) continue;
    if (step.Count != coOne && step.Count != coTwo) continue;
    bool ok;
    if (step.Numeric) {
      ok = MatchNumber(step);
    } else if (step.InPlace) {
      ok = MatchText(step, step.Field->GetTextView());
    } else {
      ok = MatchValue(step, step.Direct ? step.Field->GetValue() : step.Record->GetFieldValue());
    }
    if (!ok) return false;
  }
  return true;
}

}  // namespace tabulon
