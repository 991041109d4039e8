// TDataSet: Locate and Lookup. Key values are converted once to the field's
// type; records are then compared on their stored values without building a
// variant per record (calculated and lookup keys compare as variants).
#include "platform/core/format.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

namespace {

// A key value prepared for one field.
struct TKeyTest {
  TField* Field = nullptr;
  bool IsNull = false;
  bool Text = false;
  bool Partial = false, CaseIns = false;
  detail::TStorageKind Kind = detail::TStorageKind::Int32;
  int64_t Int = 0;
  double Real = 0;
  std::string Str;
  size_t StrChars = 0;
  Variant Value;
};

std::vector<Variant> KeyValueList(const Variant& values, size_t count) {
  std::vector<Variant> out;
  if (values.IsArray()) {
    int low = VarArrayLowBound(values), high = VarArrayHighBound(values);
    for (int i = low; i <= high; ++i) out.push_back(values.GetElement(i));
  } else {
    out.push_back(values);
  }
  (void)count;
  return out;
}
}  // namespace

int TDataSet::FindMatch(const std::vector<TField*>& fields, const std::vector<Variant>& values,
                        TLocateOptions options) {
  if (values.size() != fields.size()) {
    std::string names;
    for (TField* f : fields) names += (names.empty() ? "" : ";") + f->GetFieldName();
    DatabaseErrorFmt(DbMsg("SLocateValueCount"), {static_cast<int>(fields.size()), names}, this);
  }
  std::vector<TKeyTest> tests(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    TKeyTest& t = tests[i];
    t.Field = fields[i];
    t.IsNull = VarIsClear(values[i]);
    t.Text = IsTextFieldType(t.Field->GetDataType());
    t.CaseIns = t.Text && options.Contains(loCaseInsensitive);
    t.Partial = t.Text && options.Contains(loPartialKey);
    if (t.IsNull) continue;
    t.Value = t.Field->Convert(values[i]);
    if (t.Text) {
      t.Str = VarToStr(t.Value);
      t.StrChars = Utf8Length(t.Str);
    }
    if (t.Field->Column() >= 0) {
      t.Kind = store_.Column(t.Field->Column()).Kind;
      if (!t.Text) {
        switch (t.Kind) {
          case detail::TStorageKind::Double:
            t.Real = t.Value.AsDouble();
            if (VarType(t.Value) == varDate) t.Real = t.Value.AsDate();
            break;
          case detail::TStorageKind::Currency:
            t.Int = t.Value.AsCurrency().Value;
            break;
          case detail::TStorageKind::Bool:
            t.Int = t.Value.AsBoolean() ? 1 : 0;
            break;
          case detail::TStorageKind::Text:
          case detail::TStorageKind::Blob:
            t.Str = VarToStr(t.Value);
            break;
          default:
            t.Int = t.Value.AsInt64();
        }
      }
    }
  }
  const auto& v = View();
  int n = static_cast<int>(v.size());
  uint32_t saved = activeSlot_;
  struct Restore {
    TDataSet* d;
    uint32_t slot;
    ~Restore() { d->activeSlot_ = slot; }
  } restore{this, saved};
  for (int p = 0; p < n; ++p) {
    uint32_t slot = v[static_cast<size_t>(p)];
    bool match = true;
    for (const TKeyTest& t : tests) {
      int col = t.Field->Column();
      if (col < 0) {
        activeSlot_ = slot;
        Variant value = t.Field->GetValue();
        activeSlot_ = saved;
        if (t.IsNull) {
          match = VarIsClear(value);
        } else if (VarIsClear(value)) {
          match = false;
        } else if (t.Text) {
          std::string s = VarToStr(value);
          if (t.Partial) s = std::string(Utf8Left(s, t.StrChars));
          match = t.CaseIns ? AnsiCompareText(s, t.Str) == 0 : s == t.Str;
        } else {
          match = VarCompare(value, t.Value) == 0;
        }
      } else if (store_.IsNull(slot, col)) {
        match = t.IsNull;
      } else if (t.IsNull) {
        match = false;
      } else if (t.Text) {
        std::string_view s = store_.GetText(slot, col);
        if (t.Partial) s = Utf8Left(s, t.StrChars);
        match = t.CaseIns ? AnsiCompareText(s, t.Str) == 0 : s == t.Str;
      } else if (t.Kind == detail::TStorageKind::Double) {
        match = store_.GetDouble(slot, col) == t.Real;
      } else if (t.Kind == detail::TStorageKind::Text || t.Kind == detail::TStorageKind::Blob) {
        match = store_.GetText(slot, col) == t.Str;
      } else {
        match = store_.GetInt(slot, col) == t.Int;
      }
      if (!match) break;
    }
    if (match && Accepts(p)) return p;
  }
  return -1;
}

bool TDataSet::Locate(const std::string& keyFields, const Variant& keyValues,
                      TLocateOptions options) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  GetFieldList(fields, keyFields);
  int p = FindMatch(fields, KeyValueList(keyValues, fields.size()), options);
  if (p < 0) return false;
  bof_ = eof_ = false;
  if (p != pos_) MoveTo(p, true);
  return true;
}

Variant TDataSet::Lookup(const std::string& keyFields, const Variant& keyValues,
                         const std::string& resultFields) {
  CheckActive();
  std::vector<TField*> fields;
  GetFieldList(fields, keyFields);
  std::vector<TField*> results;
  GetFieldList(results, resultFields);
  int p = FindMatch(fields, KeyValueList(keyValues, fields.size()), {});
  if (p < 0) return Null;
  uint32_t saved = activeSlot_;
  uint32_t savedCalc = calcSlot_;
  std::vector<Variant> savedValues = calcValues_;
  struct Restore {
    TDataSet* d;
    uint32_t slot, calc;
    std::vector<Variant>& values;
    ~Restore() {
      d->activeSlot_ = slot;
      d->calcSlot_ = calc;
      d->calcValues_ = std::move(values);
    }
  } restore{this, saved, savedCalc, savedValues};
  activeSlot_ = View()[static_cast<size_t>(p)];
  if (results.size() == 1) return results[0]->GetValue();
  std::vector<Variant> out;
  for (TField* f : results) out.push_back(f->GetValue());
  return VarArrayOf(out);
}

}  // namespace tabulon
