// TQXIndexDefs: key field list, key comparison and key preparation.
#include "run/tbnindex/index_defs.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/component.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/record_window.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnindex/sql_order.h"

namespace tabulon {

TBN_REGISTER(TQXIndexDefs) {}

bool CaseSensitiveDependent(TFieldType type) noexcept {
  return type == ftString || type == ftMemo || type == ftFmtMemo;
}

bool FindFieldName(std::string_view name, std::string_view list, bool defaultValue) {
  if (Trim(list).empty()) return defaultValue;
  size_t start = 0;
  while (true) {
    size_t end = list.find(';', start);
    std::string_view item = list.substr(start, end == std::string_view::npos ? end : end - start);
    if (AnsiSameText(item, name)) return true;
    if (end == std::string_view::npos) return false;
    start = end + 1;
  }
}

TQXIndexDefs::TQXIndexDefs() = default;
TQXIndexDefs::~TQXIndexDefs() = default;

void TQXIndexDefs::SetLocaleID(int value) {
  FLocaleID = value;
  FCompareFunction = value == -1 ? &TQXIndexDefs::QXCompare : &TQXIndexDefs::QXAnsiCompare;
}

int TQXIndexDefs::QXAnsiCompare(std::string_view s1, std::string_view s2,
                                bool caseInsensitive) const {
  // An unknown locale compares as "less", as the system call's failure would.
  return CompareLocale(static_cast<LCID>(FLocaleID), s1, s2, caseInsensitive);
}

int TQXIndexDefs::QXCompare(std::string_view s1, std::string_view s2, bool caseInsensitive) const {
  return caseInsensitive ? CompareText(s1, s2) : CompareStr(s1, s2);
}

void TQXIndexDefs::UpdateDataSet() {
  TDataSet* ds = GetDataSet();
  if (ds == FDataSet) return;
  FDataSet = ds;
  dataSetTaken_ = true;
  DoAfterDataSetChanged();
}

void TQXIndexDefs::UpdateIndex() {
  // The key fields point into the dataset: never build them over a dataset
  // that is no longer the one described.
  if (GetDataSet() != FDataSet) UpdateDataSet();
  FIndexFields.clear();
  keyNames_.clear();
  TDataSet* ds = FDataSet;
  builtActive_ = ds && ds->GetActive() && !ds->ComponentState().Contains(csDestroying);
  dataSetTaken_ = false;
  if (builtActive_) {
    const TIndexRecord rec = GetIndexRecord();
    const bool caseInsDefault = rec.Options.Contains(ixCaseInsensitive);
    const bool descDefault = rec.Options.Contains(ixDescending);
    std::string_view names = rec.FieldNames;
    size_t start = 0;
    while (start <= names.size()) {
      size_t end = names.find(';', start);
      if (end == std::string_view::npos) end = names.size();
      std::string name(names.substr(start, end - start));
      start = end + 1;
      bool descending;
      if (!StripDirectionSuffix(name, descending)) continue;
      TField* field = ds->FindField(name);
      if (!field) continue;
      auto def = std::make_unique<TIndexFieldDef>();
      def->Field = field;
      def->CaseInsensitive = CaseSensitiveDependent(field->GetDataType()) &&
                             FindFieldName(name, rec.CaseInsFields, caseInsDefault);
      def->Descending = descending || FindFieldName(name, rec.DescFields, descDefault);
      FIndexFields.push_back(std::move(def));
      keyNames_.push_back(name);
    }
  }
  DoAfterIndexChanged();
}

bool TQXIndexDefs::IsIndexStale() const {
  if (dataSetTaken_) return true;
  TDataSet* ds = FDataSet;
  const bool active = ds && ds->GetActive();
  if (active != builtActive_) return true;
  if (!active) return false;
  // Closing and opening again frees and re-makes a dataset's default fields.
  for (size_t i = 0; i < FIndexFields.size(); ++i)
    if (ds->FindField(keyNames_[i]) != FIndexFields[i]->Field) return true;
  return false;
}

namespace {

// A key value in the variant kind of its field's type.
Variant KeyValue(const Variant& value, TFieldType type) {
  if (VarIsClear(value)) return Null;
  switch (type) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
      return VarAsType(value, varString);
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return VarAsType(value, varInteger);
    case ftBoolean:
      return VarAsType(value, varBoolean);
    case ftFloat:
      return VarAsType(value, varDouble);
    case ftCurrency:
    case ftBCD:
      return VarAsType(value, varCurrency);
    case ftDate:
    case ftTime:
    case ftDateTime:
      return VarAsType(value, varDate);
    default:
      return value;
  }
}

// The text of a value, borrowing a text variant's own characters.
std::string_view TextOf(const Variant& v, std::string& buffer) {
  if (v.Type() == varString) return v.StrView();
  buffer = VarToStr(v);
  return buffer;
}

}  // namespace

bool TQXIndexDefs::Seek(const Variant& keyValues, TQXSeekOption seekOption,
                        TQXGotoOption gotoOption) {
  if (IsUpdateDataSet()) UpdateDataSet();
  if (IsUpdateIndex()) UpdateIndex();
  const int count = GetCount();
  if (!keyValues.IsArray()) {
    if (count > 0 && !keyValues.IsEmpty()) {
      FKeyHigh = 0;
      FIndexFields[0]->Value = keyValues;
    } else {
      FKeyHigh = -1;
    }
  } else {
    const int low = VarArrayLowBound(keyValues), high = VarArrayHighBound(keyValues);
    FKeyHigh = std::min(high - low, count - 1);
    for (int i = 0; i <= FKeyHigh; ++i) {
      TIndexFieldDef& def = *FIndexFields[static_cast<size_t>(i)];
      def.Value = KeyValue(keyValues.GetElement(low + i), def.Field->GetDataType());
    }
  }
  FSeekOption = seekOption;
  return IndexFind(gotoOption);
}

TFieldCompareOption TQXIndexDefs::CheckIndexField(const Variant& v1, const Variant& v2,
                                                  const TIndexFieldDef& def) const {
  int r;
  if (def.Field && CaseSensitiveDependent(def.Field->GetDataType())) {
    std::string b1, b2;
    r = (this->*FCompareFunction)(TextOf(v1, b1), TextOf(v2, b2), def.CaseInsensitive);
  } else {
    r = VarCompare(v1, v2);
  }
  if (r > 0) return def.Descending ? fcoLess : fcoMore;
  if (r < 0) return def.Descending ? fcoMore : fcoLess;
  return fcoEqual;
}

TFieldCompareOption TQXIndexDefs::KeyStanding(TRecordWindow* at, int recNo) const {
  for (int i = 0; i <= FKeyHigh; ++i) {
    const TIndexFieldDef& def = *FIndexFields[static_cast<size_t>(i)];
    TFieldCompareOption r =
        CheckIndexField(at ? at->ValueAt(recNo, def.Field) : def.Field->GetValue(), def.Value, def);
    if (r != fcoEqual) return r;
  }
  return fcoEqual;
}

TFieldCompareOption TQXIndexDefs::CheckIndexFields() {
  const TFieldCompareOption r = KeyStanding(nullptr, 0);
  if (r == fcoEqual) FFoundRecNo = FDataSet->GetRecNo();
  return r;
}

}  // namespace tabulon
