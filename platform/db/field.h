// TField and its typed descendants: a named view of one column (or of a
// calculated or looked-up value) of a dataset's current record, with the
// presentation settings data-aware controls use. Persistent fields are
// components that live in form files with a reference to their dataset;
// default fields are made by the dataset on open and freed on close.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/alignment.h"
#include "platform/core/component.h"
#include "platform/core/currency.h"
#include "platform/db/db_types.h"
#include "platform/db/record_store.h"
#include "platform/variants/variant.h"

namespace tabulon {

class TDataSet;
class TField;

/// Key-to-result pairs of a lookup field, filled from its lookup dataset.
class TLookupList {
 public:
  void Clear() { items_.clear(); }
  void Add(const Variant& key, const Variant& value) { items_.push_back({key, value}); }
  /// The value stored for `key` (compared as variants), or Null.
  Variant ValueOfKey(const Variant& key) const;
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  struct Item {
    Variant Key, Value;
  };
  std::vector<Item> items_;
};

/// The fields of a dataset, in field order (not owning).
class TFields {
 public:
  explicit TFields(TDataSet* dataSet) : dataSet_(dataSet) {}
  int Count() const { return static_cast<int>(list_.size()); }
  /// Field `index`; EDatabaseError "Field index out of range".
  TField* Get(int index) const;
  TField* operator[](int index) const { return Get(index); }
  int IndexOf(const TField* field) const;
  /// The field named `name` (case-insensitive), or null.
  TField* FindField(const std::string& name) const;
  /// The field named `name`; the field-not-found error with the dataset's name.
  TField* FieldByName(const std::string& name) const;
  TDataSet* DataSet() const { return dataSet_; }

 private:
  friend class TDataSet;
  friend class TField;
  std::vector<TField*> list_;
  TDataSet* dataSet_;
};

/// One field of a dataset.
class TField : public TComponent {
  TBN_CLASS(TField, TComponent)
 public:
  explicit TField(TComponent* owner);
  /// Leaves its dataset.
  ~TField() override;

  // ---- Identity ----
  TDataSet* GetDataSet() const { return dataSet_; }
  /// Moves the field to another dataset (which must be closed).
  void SetDataSet(TDataSet* value);
  const std::string& GetFieldName() const { return fieldName_; }
  void SetFieldName(const std::string& value);
  TFieldType GetDataType() const { return dataType_; }
  TFieldKind GetFieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind value);
  /// Position in the dataset's Fields; -1 without a dataset.
  int GetIndex() const;
  void SetIndex(int value);
  /// Characters of a string field, bytes of a binary one, decimals of BCD.
  int32_t GetSize() const { return size_; }
  void SetSize(int32_t value);
  /// Position (1-based) of the field's column in the record; 0 for
  /// calculated and lookup fields.
  int GetFieldNo() const { return column_ + 1; }
  bool GetCalculated() const { return fieldKind_ == fkCalculated; }
  bool GetLookup() const { return fieldKind_ == fkLookup; }

  // ---- Presentation ----
  std::string GetDisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  void SetDisplayLabel(const std::string& value);
  bool IsDisplayLabelStored() const { return !displayLabel_.empty(); }
  /// Width in characters; the type's default until set.
  int32_t GetDisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }
  void SetDisplayWidth(int32_t value);
  bool IsDisplayWidthStored() const { return displayWidth_ > 0; }
  const std::string& GetEditMask() const { return editMask_; }
  void SetEditMask(const std::string& value);
  bool GetVisible() const { return visible_; }
  void SetVisible(bool value);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool GetRequired() const { return required_; }
  void SetRequired(bool value) { required_ = value; }
  /// The text shown by DisplayText for numbers and dates ("" for the default).
  const std::string& GetDisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const std::string& value);

  // ---- Values of the current record ----
  /// The value as a variant of the field's type; Null when empty.
  Variant GetValue() const;
  /// Writes the value (converted to the field's type); the dataset must be
  /// editing, entering a key, or calculating (calculated fields).
  void SetValue(const Variant& value);
  bool IsNull() const;
  void Clear() { SetValue(Null); }
  virtual std::string GetAsString() const;
  virtual void SetAsString(const std::string& value);
  int32_t GetAsInteger() const;
  void SetAsInteger(int32_t value) { SetValue(Variant(value)); }
  int64_t GetAsLargeInt() const;
  void SetAsLargeInt(int64_t value) { SetValue(Variant(value)); }
  double GetAsFloat() const;
  void SetAsFloat(double value) { SetValue(Variant(value)); }
  Currency GetAsCurrency() const;
  void SetAsCurrency(Currency value) { SetValue(Variant(value)); }
  bool GetAsBoolean() const;
  void SetAsBoolean(bool value) { SetValue(Variant(value)); }
  double GetAsDateTime() const;
  void SetAsDateTime(double value) { SetValue(Variant::FromDate(value)); }
  /// The text shown in a grid cell.
  std::string GetDisplayText() const;
  /// The text shown while editing.
  std::string GetEditText() const;
  void SetEditText(const std::string& value) { SetAsString(value); }
  /// Whether `ch` (a code point) may be typed into the field.
  virtual bool IsValidChar(char32_t ch) const;

  // ---- Lookup fields ----
  const std::string& GetKeyFields() const { return keyFields_; }
  void SetKeyFields(const std::string& value);
  TDataSet* GetLookupDataSet() const { return lookupDataSet_; }
  void SetLookupDataSet(TDataSet* value);
  const std::string& GetLookupKeyFields() const { return lookupKeyFields_; }
  void SetLookupKeyFields(const std::string& value);
  const std::string& GetLookupResultField() const { return lookupResultField_; }
  void SetLookupResultField(const std::string& value);
  bool GetLookupCache() const { return lookupCache_; }
  void SetLookupCache(bool value);
  /// The cached key-to-result pairs (filled on open when LookupCache is set).
  TLookupList* GetLookupList() const { return lookupList_.get(); }
  /// Refills the lookup list from the lookup dataset (opened for the read
  /// and closed again when it is closed).
  void RefreshLookupList();

  /// Position of the value in the dataset's calculated values; -1 for data fields.
  int CalcIndex() const { return calcIndex_; }
  /// Store column of a data field; -1 when unbound or calculated.
  int Column() const { return column_; }

  TNotifyEvent OnChange;  // the value was changed

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  /// Sets the data type (each typed class fixes its own).
  void SetDataType(TFieldType t);
  /// Default display width in characters.
  virtual int32_t DefaultWidth() const;

 private:
  friend class TDataSet;
  void CheckLookupInfo() const;
  void CheckWritable() const;
  Variant Convert(const Variant& value) const;
  void WriteStore(uint32_t slot, const Variant& v);
  Variant ReadStore(uint32_t slot) const;

  TDataSet* dataSet_ = nullptr;
  std::string fieldName_;
  TFieldType dataType_ = ftUnknown;
  TFieldKind fieldKind_ = fkData;
  int32_t size_ = 0;
  std::string displayLabel_, editMask_, displayFormat_;
  int32_t displayWidth_ = 0;
  bool visible_ = true;
  bool readOnly_ = false;
  bool required_ = false;
  TAlignment alignment_ = taLeftJustify;
  std::string keyFields_, lookupKeyFields_, lookupResultField_;
  TDataSet* lookupDataSet_ = nullptr;
  bool lookupCache_ = false;
  std::unique_ptr<TLookupList> lookupList_;
  int column_ = -1;         // store column (data fields while bound)
  int calcIndex_ = -1;      // calculated value slot (calculated and lookup fields)
  bool isDefault_ = false;  // made by the dataset from its definitions
};

#define TBN_DECLARE_FIELD(Cls, Parent)     \
  class Cls : public Parent {              \
    TBN_CLASS(Cls, Parent)                 \
   public:                                 \
    explicit Cls(TComponent* owner);       \
                                           \
   protected:                              \
    int32_t DefaultWidth() const override; \
  }

/// Text of up to Size characters.
TBN_DECLARE_FIELD(TStringField, TField);
/// Base of the number fields: right-aligned, digits and signs only.
class TNumericField : public TField {
  TBN_CLASS(TNumericField, TField)
 public:
  explicit TNumericField(TComponent* owner);
  bool IsValidChar(char32_t ch) const override;
};
TBN_DECLARE_FIELD(TIntegerField, TNumericField);
TBN_DECLARE_FIELD(TSmallintField, TIntegerField);
TBN_DECLARE_FIELD(TWordField, TIntegerField);
TBN_DECLARE_FIELD(TAutoIncField, TIntegerField);
TBN_DECLARE_FIELD(TLargeintField, TNumericField);
/// Floating-point numbers; also accepts the decimal separator and exponent.
class TFloatField : public TNumericField {
  TBN_CLASS(TFloatField, TNumericField)
 public:
  explicit TFloatField(TComponent* owner);
  bool IsValidChar(char32_t ch) const override;

 protected:
  int32_t DefaultWidth() const override { return 10; }
};
/// Money amounts held exactly (4 decimals).
class TCurrencyField : public TFloatField {
  TBN_CLASS(TCurrencyField, TFloatField)
 public:
  explicit TCurrencyField(TComponent* owner);
};
/// Fixed-point decimals held exactly (up to 4 decimals); no exponent.
class TBCDField : public TNumericField {
  TBN_CLASS(TBCDField, TNumericField)
 public:
  explicit TBCDField(TComponent* owner);
  bool IsValidChar(char32_t ch) const override;

 protected:
  int32_t DefaultWidth() const override { return 10; }
};
TBN_DECLARE_FIELD(TBooleanField, TField);
TBN_DECLARE_FIELD(TDateTimeField, TField);
TBN_DECLARE_FIELD(TDateField, TDateTimeField);
TBN_DECLARE_FIELD(TTimeField, TDateTimeField);
TBN_DECLARE_FIELD(TBinaryField, TField);
TBN_DECLARE_FIELD(TBytesField, TBinaryField);
TBN_DECLARE_FIELD(TVarBytesField, TBinaryField);
TBN_DECLARE_FIELD(TBlobField, TField);
TBN_DECLARE_FIELD(TMemoField, TBlobField);
TBN_DECLARE_FIELD(TGraphicField, TBlobField);
#undef TBN_DECLARE_FIELD

/// The field class made for a field type (TStringField for ftString, ...).
const TClass* FieldClassOf(TFieldType type);
/// The storage of a field type in records.
detail::TStorageKind StorageKindOf(TFieldType type);

}  // namespace tabulon
