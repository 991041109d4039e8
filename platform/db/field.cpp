// TField: reading and writing the current record's value, text forms and
// presentation settings; the typed field classes only fix their data type,
// default width, alignment and the characters they accept.
#include "platform/db/field.h"

#include <cmath>
#include <limits>

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/format_settings.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field_defs.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

TBN_REGISTER(TField) {
  b.Property("Alignment", &TField::GetAlignment, &TField::SetAlignment).Default(taLeftJustify);
  b.Property("DisplayFormat", &TField::GetDisplayFormat, &TField::SetDisplayFormat);
  b.Property("DisplayLabel", &TField::GetDisplayLabel, &TField::SetDisplayLabel)
      .Stored(&TField::IsDisplayLabelStored, "IsDisplayLabelStored");
  b.Property("DisplayWidth", &TField::GetDisplayWidth, &TField::SetDisplayWidth)
      .Stored(&TField::IsDisplayWidthStored, "IsDisplayWidthStored");
  b.Property("EditMask", &TField::GetEditMask, &TField::SetEditMask);
  b.Property("FieldKind", &TField::GetFieldKind, &TField::SetFieldKind).Default(fkData);
  b.Property("FieldName", &TField::GetFieldName, &TField::SetFieldName);
  b.Property("Size", &TField::GetSize, &TField::SetSize).Default(0);
  b.Property("ReadOnly", &TField::GetReadOnly, &TField::SetReadOnly).Default(false);
  b.Property("Required", &TField::GetRequired, &TField::SetRequired).Default(false);
  b.Property("Visible", &TField::GetVisible, &TField::SetVisible).Default(true);
  b.Property("KeyFields", &TField::GetKeyFields, &TField::SetKeyFields);
  b.Property("LookupDataSet", &TField::GetLookupDataSet, &TField::SetLookupDataSet);
  b.Property("LookupKeyFields", &TField::GetLookupKeyFields, &TField::SetLookupKeyFields);
  b.Property("LookupResultField", &TField::GetLookupResultField, &TField::SetLookupResultField);
  b.Property("LookupCache", &TField::GetLookupCache, &TField::SetLookupCache).Default(false);
  b.Property("DataSet", &TField::GetDataSet, &TField::SetDataSet).Stored(false);
  b.Property("OnChange", &TField::OnChange);
}

namespace {
constexpr uint32_t kNone = detail::TRecordStore::kNone;

TVarType VarTypeOf(TFieldType t) {
  switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return varInteger;
    case ftLargeint:
      return varInt64;
    case ftBoolean:
      return varBoolean;
    case ftFloat:
      return varDouble;
    case ftCurrency:
    case ftBCD:
      return varCurrency;
    case ftDate:
    case ftTime:
    case ftDateTime:
      return varDate;
    default:
      return varString;
  }
}

void RangeCheck(const TField* f, int64_t v, int64_t lo, int64_t hi) {
  if (v < lo || v > hi)
    DatabaseErrorFmt(DbMsg("SFieldRangeError"),
                     {IntToStr(v), f->GetDisplayLabel(), IntToStr(lo), IntToStr(hi)});
}
}  // namespace

detail::TStorageKind StorageKindOf(TFieldType type) {
  using K = detail::TStorageKind;
  switch (type) {
    case ftSmallint:
      return K::Int16;
    case ftLargeint:
      return K::Int64;
    case ftBoolean:
      return K::Bool;
    case ftFloat:
    case ftDate:
    case ftTime:
    case ftDateTime:
      return K::Double;
    case ftCurrency:
    case ftBCD:
      return K::Currency;
    case ftString:
    case ftFixedChar:
    case ftWideString:
      return K::Text;
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
      return K::Blob;
    default:
      return K::Int32;
  }
}

Variant TLookupList::ValueOfKey(const Variant& key) const {
  if (VarIsClear(key)) return Null;
  for (const Item& i : items_) {
    try {
      if (VarCompare(i.Key, key) == 0) return i.Value;
    } catch (const EVariantError&) {
      // Keys of another kind never match.
    }
  }
  return Null;
}

// ---- TFields ----

TField* TFields::Get(int index) const {
  if (index < 0 || index >= Count()) DatabaseError(DbMsg("SFieldIndexError"), dataSet_);
  return list_[static_cast<size_t>(index)];
}

int TFields::IndexOf(const TField* field) const {
  for (size_t i = 0; i < list_.size(); ++i)
    if (list_[i] == field) return static_cast<int>(i);
  return -1;
}

TField* TFields::FindField(const std::string& name) const {
  for (TField* f : list_)
    if (SameText(f->GetFieldName(), name)) return f;
  return nullptr;
}

TField* TFields::FieldByName(const std::string& name) const {
  TField* f = FindField(name);
  if (!f) DatabaseErrorFmt(DbMsg("SFieldNotFound"), {name}, dataSet_);
  return f;
}

// ---- TField ----

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() {
  if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
  if (dataSet_) dataSet_->RemoveField(this);
}

void TField::SetDataType(TFieldType t) {
  dataType_ = t;
  switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      alignment_ = taRightJustify;
      break;
    default:
      alignment_ = taLeftJustify;
  }
}

void TField::SetDataSet(TDataSet* value) {
  if (value == dataSet_) return;
  if (value && value->GetActive() && fieldKind_ == fkData)
    DatabaseError(DbMsg("SDataSetOpen"), value);
  if (dataSet_) dataSet_->RemoveField(this);
  dataSet_ = nullptr;
  column_ = calcIndex_ = -1;
  if (value) {
    if (!fieldName_.empty() && value->FindField(fieldName_))
      DatabaseErrorFmt(DbMsg("SDuplicateFieldName"), {fieldName_}, value);
    dataSet_ = value;
    value->AddField(this);
  }
}

TComponent* TField::GetParentComponent() const { return dataSet_; }

void TField::SetParentComponent(TComponent* parent) {
  if (auto* ds = dynamic_cast<TDataSet*>(parent)) SetDataSet(ds);
}

void TField::SetFieldName(const std::string& value) {
  if (value == fieldName_) return;
  if (dataSet_) {
    if (dataSet_->GetActive() && fieldKind_ == fkData)
      DatabaseError(DbMsg("SDataSetOpen"), dataSet_);
    TField* other = dataSet_->FindField(value);
    if (other && other != this) DatabaseErrorFmt(DbMsg("SDuplicateFieldName"), {value}, dataSet_);
  }
  fieldName_ = value;
}

void TField::SetFieldKind(TFieldKind value) {
  if (value == fieldKind_) return;
  if (dataSet_ && dataSet_->GetActive()) DatabaseError(DbMsg("SDataSetOpen"), dataSet_);
  fieldKind_ = value;
}

int TField::GetIndex() const { return dataSet_ ? dataSet_->GetFields()->IndexOf(this) : -1; }

void TField::SetIndex(int value) {
  if (!dataSet_) return;
  auto& l = dataSet_->GetFields()->list_;
  int cur = GetIndex();
  value = std::clamp(value, 0, static_cast<int>(l.size()) - 1);
  if (value == cur) return;
  l.erase(l.begin() + cur);
  l.insert(l.begin() + value, this);
  if (dataSet_->GetActive()) dataSet_->DataEvent(deLayoutChange, 0);
}

void TField::SetSize(int32_t value) {
  if (value == size_) return;
  if (dataSet_ && dataSet_->GetActive()) DatabaseError(DbMsg("SDataSetOpen"), dataSet_);
  CheckFieldSize(dataType_ == ftUnknown ? ftInteger : dataType_, value);
  size_ = value;
}

#define TBN_LAYOUT_SETTER(Name, Type, member)                                      \
  void TField::Set##Name(Type value) {                                             \
    if (value == member) return;                                                   \
    member = value;                                                                \
    if (dataSet_ && dataSet_->GetActive()) dataSet_->DataEvent(deLayoutChange, 0); \
  }
TBN_LAYOUT_SETTER(DisplayWidth, int32_t, displayWidth_)
TBN_LAYOUT_SETTER(Visible, bool, visible_)
TBN_LAYOUT_SETTER(Alignment, TAlignment, alignment_)
#undef TBN_LAYOUT_SETTER

void TField::SetDisplayLabel(const std::string& value) {
  std::string v = value == fieldName_ ? std::string() : value;
  if (v == displayLabel_) return;
  displayLabel_ = v;
  if (dataSet_ && dataSet_->GetActive()) dataSet_->DataEvent(deLayoutChange, 0);
}

void TField::SetEditMask(const std::string& value) { editMask_ = value; }
void TField::SetDisplayFormat(const std::string& value) { displayFormat_ = value; }

int32_t TField::DefaultWidth() const { return 10; }

// ---- Lookup settings ----

void TField::CheckLookupInfo() const {
  if (!lookupDataSet_ || keyFields_.empty() || lookupKeyFields_.empty() ||
      lookupResultField_.empty())
    DatabaseErrorFmt(DbMsg("SLookupInfoError"), {GetDisplayLabel()}, dataSet_);
  if (lookupDataSet_ == dataSet_)
    DatabaseErrorFmt(DbMsg("SCircularLookup"), {GetDisplayLabel()}, dataSet_);
}

void TField::SetKeyFields(const std::string& value) { keyFields_ = value; }
void TField::SetLookupKeyFields(const std::string& value) { lookupKeyFields_ = value; }
void TField::SetLookupResultField(const std::string& value) { lookupResultField_ = value; }

void TField::SetLookupDataSet(TDataSet* value) {
  if (value == lookupDataSet_) return;
  if (lookupDataSet_) lookupDataSet_->RemoveFreeNotification(this);
  lookupDataSet_ = value;
  if (value) value->FreeNotification(this);
}

void TField::SetLookupCache(bool value) {
  lookupCache_ = value;
  if (value && !lookupList_) lookupList_ = std::make_unique<TLookupList>();
  if (value && dataSet_ && dataSet_->GetActive()) RefreshLookupList();
}

void TField::RefreshLookupList() {
  if (!lookupList_) lookupList_ = std::make_unique<TLookupList>();
  lookupList_->Clear();
  TDataSet* d = lookupDataSet_;
  if (!d || d->ComponentState().Contains(csDestroying)) return;
  // A closed lookup dataset is opened for the read and closed again.
  bool wasActive = d->GetActive();
  if (!wasActive) d->Open();
  TBookmark b = d->GetBookmark();
  d->DisableControls();
  try {
    for (d->First(); !d->GetEof(); d->Next())
      lookupList_->Add(d->GetFieldValues(lookupKeyFields_),
                       d->FieldByName(lookupResultField_)->GetValue());
    if (d->BookmarkValid(b)) d->GotoBookmark(b);
  } catch (...) {
    d->EnableControls();
    if (!wasActive) d->Close();
    throw;
  }
  d->EnableControls();
  if (!wasActive) d->Close();
}

void TField::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == lookupDataSet_) lookupDataSet_ = nullptr;
}

// ---- Values ----

Variant TField::ReadStore(uint32_t slot) const {
  const detail::TRecordStore& s = dataSet_->Store();
  if (s.IsNull(slot, column_)) return Null;
  switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return Variant(static_cast<int32_t>(s.GetInt(slot, column_)));
    case ftLargeint:
      return Variant(static_cast<int64_t>(s.GetInt(slot, column_)));
    case ftBoolean:
      return Variant(s.GetBool(slot, column_));
    case ftFloat:
      return Variant(s.GetDouble(slot, column_));
    case ftDate:
    case ftTime:
    case ftDateTime:
      return Variant::FromDate(s.GetDouble(slot, column_));
    case ftCurrency:
    case ftBCD:
      return Variant(Currency::FromRaw(s.GetInt(slot, column_)));
    default:
      return Variant(s.GetText(slot, column_));
  }
}

Variant TField::GetValue() const {
  if (!dataSet_) DatabaseErrorFmt(DbMsg("SDataSetMissing"), {GetDisplayLabel()});
  dataSet_->CheckActive();
  if (fieldKind_ != fkData) return dataSet_->CalcValue(this);
  uint32_t slot = dataSet_->ActiveSlot();
  if (slot == kNone || column_ < 0) return Null;
  return ReadStore(slot);
}

bool TField::IsNull() const {
  if (!dataSet_ || !dataSet_->GetActive()) return true;
  if (fieldKind_ != fkData) return VarIsClear(dataSet_->CalcValue(this));
  uint32_t slot = dataSet_->ActiveSlot();
  return slot == kNone || column_ < 0 || dataSet_->Store().IsNull(slot, column_);
}

Variant TField::Convert(const Variant& value) const {
  if (VarIsClear(value)) return Null;
  try {
    switch (dataType_) {
      case ftSmallint:
      case ftInteger:
      case ftWord:
      case ftAutoInc: {
        int64_t v = VarAsType(value, varInt64).AsInt64();
        if (dataType_ == ftSmallint) RangeCheck(this, v, -32768, 32767);
        if (dataType_ == ftWord) RangeCheck(this, v, 0, 65535);
        if (dataType_ == ftInteger || dataType_ == ftAutoInc)
          RangeCheck(this, v, std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max());
        return Variant(static_cast<int32_t>(v));
      }
      case ftString:
      case ftFixedChar:
      case ftWideString: {
        std::string s = VarToStr(value);
        if (size_ > 0 && Utf8Length(s) > static_cast<size_t>(size_))
          s = std::string(Utf8Left(s, static_cast<size_t>(size_)));
        return Variant(s);
      }
      case ftMemo:
      case ftFmtMemo:
        return Variant(VarToStr(value));
      case ftBoolean:
        if (VarIsStr(value)) {
          std::string t = UpperCase(Trim(value.StrView()));
          if (t == "TRUE" || t == "T" || t == "YES" || t == "Y") return Variant(true);
          if (t == "FALSE" || t == "F" || t == "NO" || t == "N") return Variant(false);
          DatabaseErrorFmt(DbMsg("SInvalidBoolValue"),
                           {std::string(value.StrView()), GetDisplayLabel()});
        }
        return VarAsType(value, varBoolean);
      default:
        if (VarIsStr(value) || VarType(value) != VarTypeOf(dataType_))
          return VarAsType(value, VarTypeOf(dataType_));
        return value;
    }
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldTypeMismatch"),
                     {GetDisplayLabel(), FieldTypeName(dataType_), VarTypeAsText(VarType(value))});
  }
}

void TField::WriteStore(uint32_t slot, const Variant& v) {
  detail::TRecordStore& s = dataSet_->Store();
  if (v.IsNull()) {
    s.SetNull(slot, column_);
    return;
  }
  switch (StorageKindOf(dataType_)) {
    case detail::TStorageKind::Double:
      s.SetDouble(slot, column_, VarType(v) == varDate ? v.AsDate() : v.AsDouble());
      break;
    case detail::TStorageKind::Currency:
      s.SetInt(slot, column_, v.AsCurrency().Value);
      break;
    case detail::TStorageKind::Bool:
      s.SetBool(slot, column_, v.AsBoolean());
      break;
    case detail::TStorageKind::Text:
    case detail::TStorageKind::Blob:
      s.SetText(slot, column_, v.StrView());
      break;
    default:
      s.SetInt(slot, column_, v.AsInt64());
  }
}

void TField::CheckWritable() const {
  if (!dataSet_) DatabaseErrorFmt(DbMsg("SDataSetMissing"), {GetDisplayLabel()});
  dataSet_->CheckActive();
  TDataSetState st = dataSet_->GetState();
  if (fieldKind_ != fkData) {
    if (st != dsCalcFields) DatabaseError(DbMsg("SNotEditing"), dataSet_);
    return;
  }
  if (st != dsEdit && st != dsInsert && st != dsSetKey)
    DatabaseError(DbMsg("SNotEditing"), dataSet_);
  if (st != dsSetKey && (readOnly_ || !dataSet_->GetCanModify()))
    DatabaseErrorFmt(DbMsg("SFieldReadOnly"), {GetDisplayLabel()}, dataSet_);
}

void TField::SetValue(const Variant& value) {
  CheckWritable();
  Variant v = Convert(value);
  if (fieldKind_ != fkData) {
    dataSet_->SetCalcValue(this, v);
    return;
  }
  if (column_ < 0) DatabaseErrorFmt(DbMsg("SFieldNotFound"), {fieldName_}, dataSet_);
  WriteStore(dataSet_->ActiveSlot(), v);
  dataSet_->FieldChanged(this);
}

// ---- Typed reads ----

int32_t TField::GetAsInteger() const {
  int64_t v = GetAsLargeInt();
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "Integer"}, dataSet_);
  return static_cast<int32_t>(v);
}

int64_t TField::GetAsLargeInt() const {
  if (fieldKind_ == fkData && dataSet_ && dataSet_->GetActive() && column_ >= 0) {
    detail::TStorageKind k = StorageKindOf(dataType_);
    if (k == detail::TStorageKind::Int16 || k == detail::TStorageKind::Int32 ||
        k == detail::TStorageKind::Int64) {
      uint32_t slot = dataSet_->ActiveSlot();
      if (slot == kNone || dataSet_->Store().IsNull(slot, column_)) return 0;
      return dataSet_->Store().GetInt(slot, column_);
    }
  }
  Variant v = GetValue();
  if (VarIsClear(v)) return 0;
  try {
    return VarAsType(v, varInt64).AsInt64();
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "Integer"}, dataSet_);
  }
}

double TField::GetAsFloat() const {
  if (fieldKind_ == fkData && dataSet_ && dataSet_->GetActive() && column_ >= 0 &&
      StorageKindOf(dataType_) == detail::TStorageKind::Double) {
    uint32_t slot = dataSet_->ActiveSlot();
    if (slot == kNone || dataSet_->Store().IsNull(slot, column_)) return 0;
    return dataSet_->Store().GetDouble(slot, column_);
  }
  Variant v = GetValue();
  if (VarIsClear(v)) return 0;
  try {
    return VarType(v) == varDate ? v.AsDate() : v.AsDouble();
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "Float"}, dataSet_);
  }
}

Currency TField::GetAsCurrency() const {
  Variant v = GetValue();
  if (VarIsClear(v)) return Currency();
  try {
    return v.AsCurrency();
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "Currency"}, dataSet_);
  }
}

bool TField::GetAsBoolean() const {
  Variant v = GetValue();
  if (VarIsClear(v)) return false;
  try {
    return v.AsBoolean();
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "Boolean"}, dataSet_);
  }
}

double TField::GetAsDateTime() const {
  Variant v = GetValue();
  if (VarIsClear(v)) return 0;
  try {
    return v.AsDate();
  } catch (const EVariantError&) {
    DatabaseErrorFmt(DbMsg("SFieldAccessError"), {GetDisplayLabel(), "DateTime"}, dataSet_);
  }
}

std::string TField::GetAsString() const {
  Variant v = GetValue();
  if (VarIsClear(v)) return {};
  switch (dataType_) {
    case ftDate:
      return DateToStr(v.AsDate());
    case ftTime:
      return TimeToStr(v.AsDate());
    case ftDateTime:
      return DateTimeToStr(v.AsDate());
    case ftCurrency:
    case ftBCD:
      return CurrToStr(v.AsCurrency());
    default:
      return VarToStr(v);
  }
}

void TField::SetAsString(const std::string& value) {
  if (value.empty() && !IsTextFieldType(dataType_)) {
    SetValue(Null);
    return;
  }
  switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      SetValue(Variant(StrToInt64(Trim(value))));
      break;
    case ftFloat:
      SetValue(Variant(static_cast<double>(StrToFloat(Trim(value)))));
      break;
    case ftCurrency:
    case ftBCD:
      SetValue(Variant(StrToCurr(Trim(value))));
      break;
    case ftDate:
      SetValue(Variant::FromDate(StrToDate(Trim(value))));
      break;
    case ftTime:
      SetValue(Variant::FromDate(StrToTime(Trim(value))));
      break;
    case ftDateTime:
      SetValue(Variant::FromDate(StrToDateTime(Trim(value))));
      break;
    default:
      SetValue(Variant(value));
  }
}

std::string TField::GetDisplayText() const {
  if (IsNull()) return {};
  switch (dataType_) {
    case ftMemo:
    case ftFmtMemo:
      return "(MEMO)";
    case ftBlob:
    case ftGraphic:
    case ftBytes:
    case ftVarBytes:
    case ftTypedBinary:
      return "(BLOB)";
    case ftCurrency:
      return CurrToStrF(GetAsCurrency(), ffCurrency, 2);
    case ftDate:
    case ftTime:
    case ftDateTime:
      if (!displayFormat_.empty()) return FormatDateTime(displayFormat_, GetAsDateTime());
      return GetAsString();
    case ftFloat:
      return FloatToStrF(GetAsFloat(), ffGeneral, 15, 0);
    default:
      return GetAsString();
  }
}

std::string TField::GetEditText() const { return GetAsString(); }

bool TField::IsValidChar(char32_t) const { return true; }

// ---- Typed classes ----

#define TBN_FIELD_CLASS(Cls, type, width)                                          \
  Cls::Cls(TComponent* owner) : ThisClass::inherited(owner) { SetDataType(type); } \
  int32_t Cls::DefaultWidth() const { return width; }

TBN_FIELD_CLASS(TStringField, ftString, GetSize() > 0 ? GetSize() : 20)
TBN_FIELD_CLASS(TIntegerField, ftInteger, 11)
TBN_FIELD_CLASS(TSmallintField, ftSmallint, 6)
TBN_FIELD_CLASS(TWordField, ftWord, 6)
TBN_FIELD_CLASS(TAutoIncField, ftAutoInc, 11)
TBN_FIELD_CLASS(TLargeintField, ftLargeint, 20)
TBN_FIELD_CLASS(TBooleanField, ftBoolean, 5)
TBN_FIELD_CLASS(TDateTimeField, ftDateTime, 18)
TBN_FIELD_CLASS(TDateField, ftDate, 10)
TBN_FIELD_CLASS(TTimeField, ftTime, 10)
TBN_FIELD_CLASS(TBinaryField, ftBytes, 10)
TBN_FIELD_CLASS(TBytesField, ftBytes, 10)
TBN_FIELD_CLASS(TVarBytesField, ftVarBytes, 10)
TBN_FIELD_CLASS(TBlobField, ftBlob, 10)
TBN_FIELD_CLASS(TMemoField, ftMemo, 10)
TBN_FIELD_CLASS(TGraphicField, ftGraphic, 10)
#undef TBN_FIELD_CLASS

TNumericField::TNumericField(TComponent* owner) : TField(owner) { SetDataType(ftInteger); }

bool TNumericField::IsValidChar(char32_t ch) const {
  return ch == '+' || ch == '-' || (ch >= '0' && ch <= '9');
}

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner) { SetDataType(ftFloat); }

bool TFloatField::IsValidChar(char32_t ch) const {
  return TNumericField::IsValidChar(ch) || ch == 'E' || ch == 'e' ||
         ch == static_cast<unsigned char>(FormatSettings().DecimalSeparator);
}

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner) { SetDataType(ftCurrency); }

TBCDField::TBCDField(TComponent* owner) : TNumericField(owner) { SetDataType(ftBCD); }

bool TBCDField::IsValidChar(char32_t ch) const {
  return TNumericField::IsValidChar(ch) ||
         ch == static_cast<unsigned char>(FormatSettings().DecimalSeparator);
}

const TClass* FieldClassOf(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
      return TStringField::StaticClass();
    case ftSmallint:
      return TSmallintField::StaticClass();
    case ftInteger:
      return TIntegerField::StaticClass();
    case ftWord:
      return TWordField::StaticClass();
    case ftAutoInc:
      return TAutoIncField::StaticClass();
    case ftLargeint:
      return TLargeintField::StaticClass();
    case ftBoolean:
      return TBooleanField::StaticClass();
    case ftFloat:
      return TFloatField::StaticClass();
    case ftCurrency:
      return TCurrencyField::StaticClass();
    case ftBCD:
      return TBCDField::StaticClass();
    case ftDate:
      return TDateField::StaticClass();
    case ftTime:
      return TTimeField::StaticClass();
    case ftDateTime:
      return TDateTimeField::StaticClass();
    case ftBytes:
      return TBytesField::StaticClass();
    case ftVarBytes:
      return TVarBytesField::StaticClass();
    case ftMemo:
    case ftFmtMemo:
      return TMemoField::StaticClass();
    case ftGraphic:
      return TGraphicField::StaticClass();
    case ftBlob:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
      return TBlobField::StaticClass();
    default:
      return nullptr;
  }
}

TBN_REGISTER(TStringField) {}
TBN_REGISTER(TNumericField) {}
TBN_REGISTER(TIntegerField) {}
TBN_REGISTER(TSmallintField) {}
TBN_REGISTER(TWordField) {}
TBN_REGISTER(TAutoIncField) {}
TBN_REGISTER(TLargeintField) {}
TBN_REGISTER(TFloatField) {}
TBN_REGISTER(TCurrencyField) {}
TBN_REGISTER(TBCDField) {}
TBN_REGISTER(TBooleanField) {}
TBN_REGISTER(TDateTimeField) {}
TBN_REGISTER(TDateField) {}
TBN_REGISTER(TTimeField) {}
TBN_REGISTER(TBinaryField) {}
TBN_REGISTER(TBytesField) {}
TBN_REGISTER(TVarBytesField) {}
TBN_REGISTER(TBlobField) {}
TBN_REGISTER(TMemoField) {}
TBN_REGISTER(TGraphicField) {}

}  // namespace tabulon
