// Field record values: the two edit slots, their normalisation to the
// record's data type, the typed accessors and the text conversions that
// the editors use.
#include <exception>

#include "platform/core/format_settings.h"
#include "platform/core/resstrings.h"
#include "platform/db/field.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnlib.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/list.h"
#include "run/tbnset/record.h"

namespace tabulon {

namespace {

// The message a failed cast to `type` reports, unformatted.
std::string InvalidValueMessage(TFieldType type) {
  switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return ResStr("SInvalidInteger");
    case ftBoolean:
      return LoadStr(25108);
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      return ResStr("SInvalidFloat");
    case ftDate:
      return ResStr("SInvalidDate");
    case ftTime:
      return ResStr("SInvalidTime");
    case ftDateTime:
      return ResStr("SInvalidDateTime");
    default:
      return std::string();
  }
}

// A variant's text for messages; values without a text (arrays) give "".
std::string SafeText(const Variant& v) {
  try {
    return VarToStr(v);
  } catch (const EVariantError&) {
    return std::string();
  }
}

// Whether two normalised values are the same: both empty, or of the same
// kind and equal. Values of different kinds differ (a text "12" is not
// the integer 12 when the record's type changes).
bool SameValue(const Variant& a, const Variant& b) {
  if (VarIsClear(a) || VarIsClear(b)) return VarIsClear(a) && VarIsClear(b);
  if (a.Type() != b.Type()) return false;
  try {
    return VarCompare(a, b) == 0;
  } catch (const EVariantError&) {
    return false;
  }
}

inline constexpr TVarType kRefusedVarType = 0x600F;

}  // namespace

void TFieldRecord::RaiseInvalidValue(TFieldType type, const Variant& value) const {
  throw EVariantError(Format(InvalidValueMessage(type), {SafeText(value)}));
}

Variant TFieldRecord::VarAsDataType(const Variant& value) const {
  if (VarIsClear(value)) return Null;
  if (value.Type() == kRefusedVarType) TabulonError(25107);
  TFieldType type = GetDataType();
  try {
    switch (type) {
      case ftString:
      case ftMemo:
      case ftFmtMemo:
        return Variant(TrimRight(VarToStr(value)));
      case ftSmallint:
        return VarAsType(value, varSmallint);
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
  } catch (const EVariantError&) {
    RaiseInvalidValue(type, value);
  }
}

void TFieldRecord::SetAsVariant(int slot, const Variant& value) {
  CheckSlot(slot);
  Variant v = VarAsDataType(value);
  if (SameValue(v, editValues_[slot])) return;
  editValues_[slot] = v;
  TFieldsSetModel* panel = GetPanel();
  if (!panel) return;
  // The stored value is told to the panel also when its editor could not
  // show it, so that it is applied (or pending) and not silently lost.
  std::exception_ptr showError;
  if (Editors[slot] && !UpdatingEdit[slot]) {
    UpdatingEdit[slot] = true;
    try {
      panel->ShowEditValue(this, slot);
    } catch (...) {
      showError = std::current_exception();
    }
    UpdatingEdit[slot] = false;
  }
  TUpdateState state = panel->GetUpdateState();
  if (state == usAuto || (panel->GetComponentState().Contains(csDesigning) && state != usNone)) {
    AddChanges({lcApply});
    Notify();
  } else {
    AddChanges({lcPending});
  }
  if (showError) std::rethrow_exception(showError);
}

void TFieldRecord::ApplyValues() {
  appliedValues_[0] = editValues_[0];
  appliedValues_[1] = editValues_[1];
}

void TFieldRecord::UpdateValues() {
  if (GetDataType() == ftUnknown) return;
  Variant v0, v1;
  bool ok = true;
  try {
    v0 = VarAsDataType(editValues_[0]);
    v1 = VarAsDataType(editValues_[1]);
  } catch (const Exception&) {
    ok = false;
  }
  SetAsVariant(0, ok ? v0 : Null);
  SetAsVariant(1, ok ? v1 : Null);
}

// ---- Typed reads ----

int32_t TFieldRecord::GetAsInteger(int slot) const {
  const Variant& v = editValues_[CheckSlot(slot)];
  if (VarIsClear(v)) return 0;
  try {
    return VarAsType(v, varInteger).AsInteger();
  } catch (const EVariantError&) {
    RaiseInvalidValue(ftInteger, v);
  }
}

double TFieldRecord::GetAsFloat(int slot) const {
  const Variant& v = editValues_[CheckSlot(slot)];
  if (VarIsClear(v)) return 0.0;
  try {
    return VarAsType(v, varDouble).AsDouble();
  } catch (const EVariantError&) {
    RaiseInvalidValue(ftFloat, v);
  }
}

Currency TFieldRecord::GetAsCurrency(int slot) const {
  const Variant& v = editValues_[CheckSlot(slot)];
  if (VarIsClear(v)) return Currency();
  try {
    return VarAsType(v, varCurrency).AsCurrency();
  } catch (const EVariantError&) {
    RaiseInvalidValue(ftCurrency, v);
  }
}

double TFieldRecord::GetAsDateTime(int slot) const {
  const Variant& v = editValues_[CheckSlot(slot)];
  if (VarIsClear(v)) return 0.0;
  try {
    return VarAsType(v, varDate).AsDate();
  } catch (const EVariantError&) {
    RaiseInvalidValue(ftDateTime, v);
  }
}

bool TFieldRecord::GetAsBoolean(int slot) const {
  const Variant& v = editValues_[CheckSlot(slot)];
  if (VarIsClear(v)) return false;
  try {
    return VarAsType(v, varBoolean).AsBoolean();
  } catch (const EVariantError&) {
    RaiseInvalidValue(ftBoolean, v);
  }
}

// ---- Text conversion ----

Variant TFieldRecord::TextToVariant(const std::string& text) const {
  std::string trimmed = TrimRight(text);
  if (trimmed.empty()) return Null;
  switch (GetDataType()) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
      return Variant(trimmed);
    case ftSmallint:
      return VarAsDataType(Variant(StrToInt(text)));
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return Variant(StrToInt(text));
    case ftBoolean:
      return Variant(StrToBoolean(text));
    case ftFloat:
      return Variant(static_cast<double>(StrToFloat(text)));
    case ftCurrency:
    case ftBCD:
      return Variant(StrToCurr(text));
    case ftDate:
      return Variant::FromDate(StrToDate(text));
    case ftTime:
      return Variant::FromDate(StrToTime(text));
    case ftDateTime:
      return Variant::FromDate(StrToDateTime(text));
    default:
      return Variant(trimmed);
  }
}

std::string TFieldRecord::VariantToText(const Variant& value) const {
  if (VarIsClear(value)) return std::string();
  if (value.Type() == varDate) {
    switch (GetDataType()) {
      case ftDate:
        return DateToStr(value.AsDate());
      case ftTime:
        return TimeToStr(value.AsDate());
      default:
        return DateTimeToStr(value.AsDate());
    }
  }
  if (value.Type() == varBoolean) return BooleanToStr(value.AsBoolean());
  return VarToStr(value);
}

bool TFieldRecord::IsConvertText(const std::string& text) const {
  // A blank text converts to Null for every type.
  if (TrimRight(text).empty()) return true;
  switch (GetDataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc: {
      int32_t v;
      return TryStrToInt(text, v);
    }
    case ftBoolean: {
      bool b;
      return StrToBooleanEx(text, b);
    }
    case ftFloat: {
      long double v;
      return TextToFloat(text, v);
    }
    case ftCurrency:
    case ftBCD: {
      Currency c;
      return TextToFloat(text, c);
    }
    case ftDate: {
      size_t pos = 0;
      double d;
      return ScanDate(text, pos, d) && pos >= text.size();
    }
    case ftTime: {
      size_t pos = 0;
      double t;
      return ScanTime(text, pos, t) && pos >= text.size();
    }
    case ftDateTime: {
      size_t pos = 0;
      double d, t;
      if (!ScanDate(text, pos, d)) return false;
      return pos >= text.size() || ScanTime(text, pos, t);
    }
    default:
      return true;
  }
}

bool TFieldRecord::IsValidChar(char32_t ch) const {
  if (recordKind_ == rkData) {
    TField* field = GetDefaultField();
    return field && field->IsValidChar(ch);
  }
  const bool sign = ch == U'+' || ch == U'-';
  const bool digit = ch >= U'0' && ch <= U'9';
  const bool decimal = ch == static_cast<unsigned char>(FormatSettings().DecimalSeparator);
  switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return sign || digit;
    case ftFloat:
    case ftCurrency:
      return sign || digit || ch == U'E' || ch == U'e' || decimal;
    case ftBCD:
      return sign || digit || decimal;
    default:
      return true;
  }
}

}  // namespace tabulon
