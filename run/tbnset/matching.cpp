// Record matching: whether the dataset's current record matches the
// applied values of the records in the field map, under each record's
// effective compare type, count and case rule. This runs once per dataset
// record while a dataset filters, so it stops at the first failing record,
// reads only mapped records and avoids heap work for non-text values.
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

bool TFieldsSetModel::MatchSingle(TFieldRecord* record, TCompareType compare, const Variant& value,
                                  const Variant& fieldValue) {
  const bool stringLike = CaseSensitiveDependent(record->GetDataType());
  std::string b1, b2;
  switch (compare) {
    case ctExact:
      if (stringLike)
        return Compare(PlainText(value, b1), PlainText(fieldValue, b2),
                       record->GetCaseInsensitive()) == 0;
      if (VarIsClear(fieldValue)) return false;
      return VarCompare(value, fieldValue) == 0;
    case ctInitial: {
      std::string_view v = RecordText(record, value, b1);
      std::string_view f = RecordText(record, fieldValue, b2);
      return Compare(v, Utf8Left(f, Utf8Length(v)), CaseInsensitiveField(record)) == 0;
    }
    case ctInternal:
      if (CaseInsensitiveField(record))
        return Contains(AnsiUpperCase(PlainText(fieldValue, b2)),
                        AnsiUpperCase(PlainText(value, b1)));
      return Contains(RecordText(record, fieldValue, b2), RecordText(record, value, b1));
  }
  return true;
}

bool TFieldsSetModel::MatchRange(TFieldRecord* record, TCompareType compare, const Variant& low,
                                 const Variant& high, const Variant& fieldValue) {
  std::string b1, b2;
  if (compare == ctExact) {
    if (CaseSensitiveDependent(record->GetDataType())) {
      const bool ci = record->GetCaseInsensitive();
      std::string_view f = PlainText(fieldValue, b2);
      if (Compare(PlainText(low, b1), f, ci) > 0) return false;
      if (VarIsClear(high)) return true;
      return Compare(PlainText(high, b1), f, ci) >= 0;
    }
    if (VarCompare(low, fieldValue) > 0) return false;
    if (VarIsClear(high)) return true;
    return VarCompare(high, fieldValue) >= 0;
  }
  // Initial and internal parts compare texts; an internal part that meets a
  // range counts as initial.
  const bool ci = CaseInsensitiveField(record);
  std::string_view f = RecordText(record, fieldValue, b2);
  if (Compare(RecordText(record, low, b1), f, ci) > 0) return false;
  if (VarIsClear(high)) return true;
  std::string_view h = RecordText(record, high, b1);
  return Compare(h, Utf8Left(f, Utf8Length(h)), ci) >= 0;
}

bool TFieldsSetModel::CheckRecord(int from, int to) {
  const std::vector<int>& map = Fields->GetFieldMap();
  const int size = static_cast<int>(map.size());
  if (from <= to && (from < 0 || to >= size)) ListIndexError(from < 0 || from >= size ? from : to);
  for (int p = from; p <= to; ++p) {
    TFieldRecord* record = Fields->GetItem(map[static_cast<size_t>(p)]);
    if (!record->GetField()) continue;
    const TCountType count = CountState(record);
    if (count != coOne && count != coTwo) continue;
    const TCompareType compare = CompareState(record);
    const Variant fieldValue = record->GetFieldValue();
    const bool ok = count == coOne
                        ? MatchSingle(record, compare, record->GetAppliedValue(0), fieldValue)
                        : MatchRange(record, compare, record->GetAppliedValue(0),
                                     record->GetAppliedValue(1), fieldValue);
    if (!ok) return false;
  }
  return true;
}

}  // namespace tabulon
