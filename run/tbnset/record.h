// TFieldRecord: one entry of a fields panel's field list. It names a dataset
// field (or stands free as a calculated record with its own data type),
// carries the presentation, comparison and lookup settings of its row, and
// holds the values entered for it in two edit slots (single value or lower
// bound, upper bound). Settings follow the assigned-values pattern: an
// unassigned setting reads its default from the bound field or the panel.
// Setters never act directly; they raise change flags on the list and
// notify the collection, whose update does the expensive work once.
#pragma once

#include <memory>
#include <string>

#include "platform/core/alignment.h"
#include "platform/core/collection.h"
#include "platform/core/strings.h"
#include "platform/db/db_types.h"
#include "platform/variants/variant.h"
#include "run/tbnset/captions.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/types.h"

namespace tabulon {

class TDataSource;
class TField;
class TFieldsList;
class TFieldsSetModel;
class TFieldRecordLookup;

/// A field record of a plain fields panel.
class TFieldRecord : public TCollectionItem {
  TBN_CLASS(TFieldRecord, TCollectionItem)
 public:
  /// A record for `collection` (a TFieldsList): initial state, lcLayout and
  /// lcSettings raised on the list; it joins the list afterwards.
  explicit TFieldRecord(TCollection* collection);
  /// Frees its controls and sub-objects and raises lcLayout and lcSettings.
  ~TFieldRecord() override;

  void Assign(TPersistent* source) override;
  /// FieldName, or "TFieldRecord" when it is empty.
  std::string GetDisplayName() const override;
  /// Raises lcLayout when the position really changes, then moves.
  void SetIndex(int value) override;
  /// The panel's component (for naming and streaming), or null.
  TPersistent* GetOwner() const override;

  /// The list this record belongs to, or null.
  TFieldsList* GetFieldsList() const;
  /// The panel owning the list, or null.
  TFieldsSetModel* GetPanel() const;

  // ---- Binding ----
  /// Binds to the field named FieldName and refreshes what depends on it.
  void Update();
  /// Binds like Update, but re-lays out and rebuilds the map only when the
  /// binding (field, index position, data type, lookup mode) changed.
  void Rebind();
  /// The bound field, or null (unbound or the link inactive).
  TField* GetField() const;
  /// The field that supplies defaults: the bound field, or the dataset's
  /// persistent field of that name while the dataset is closed.
  TField* GetDefaultField() const;
  /// The dataset's field at FieldIndex, unchecked; call after GetField().
  TField* InternalGetField() const;
  /// The bound field's value in the current record.
  virtual Variant GetFieldValue() const;
  int GetFieldIndex() const { return fieldIndex_; }
  int GetIndexFieldNo() const { return indexFieldNo_; }
  /// Stores the position in the find index (the find panel renews it).
  void SetIndexFieldNo(int value) { indexFieldNo_ = value; }
  /// 0 or 1 when `control` is the editor of that slot, else -1.
  int GetEditIndex(const TComponent* control) const;
  /// Frees the record's editors, comment labels and caption labels.
  void DestroyComponents();

  // ---- Published settings ----
  std::string GetDisplayLabel() const;
  void SetDisplayLabel(const std::string& value);
  int32_t GetDisplayWidth() const;
  void SetDisplayWidth(int32_t value);
  std::string GetEditMask() const;
  void SetEditMask(const std::string& value);
  const std::string& GetFieldName() const { return fieldName_; }
  /// Renames the bound field; a derived Name follows. Differences of letter
  /// case are only stored.
  void SetFieldName(const std::string& value);
  /// Own type for a calculated record, else the default field's, else ftUnknown.
  TFieldType GetDataType() const;
  /// Sets the own type; only on a calculated record or while loading
  /// (which turns the record calculated); ETabulonError 25104 otherwise.
  void SetDataType(TFieldType value);
  bool GetVisible() const;
  void SetVisible(bool value);
  TRecordKind GetRecordKind() const { return recordKind_; }
  void SetRecordKind(TRecordKind value);
  TRecordButtonStyle GetButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TRecordButtonStyle value);
  bool GetCommentVisible() const { return commentVisible_; }
  void SetCommentVisible(bool value);
  int32_t GetCommentWidth() const;
  void SetCommentWidth(int32_t value);
  TAlignment GetAlignment() const;
  void SetAlignment(TAlignment value);
  bool GetDirectInput() const { return directInput_; }
  void SetDirectInput(bool value);
  std::string GetKeyField() const;
  void SetKeyField(const std::string& value);
  std::string GetListField() const;
  void SetListField(const std::string& value);
  int32_t GetListFieldIndex() const;
  void SetListFieldIndex(int32_t value);
  TDataSource* GetListSource() const;
  void SetListSource(TDataSource* value);
  /// The lookup settings as held, also in lookup mode (where the published
  /// getters read empty): what a lookup editor is given.
  const std::string& InternalKeyField() const { return keyField_; }
  const std::string& InternalListField() const { return listField_; }
  int32_t InternalListFieldIndex() const { return listFieldIndex_; }
  TDataSource* InternalListSource() const { return listSource_; }
  TLocateOption GetLocate() const { return locate_; }
  void SetLocate(TLocateOption value);
  int32_t GetDropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int32_t value);
  TFieldCaptions* GetCaptions() const { return captions_.get(); }
  /// Copies both captions of `value`.
  void SetCaptions(TFieldCaptions* value);
  std::string GetName() const;
  /// Renames the record: empty returns to the derived name; DefaultName
  /// plus a number sets the derived suffix; anything else is explicit.
  /// ETabulonError "Duplicate name" when another record has the name.
  void SetName(const std::string& value);
  /// The pick list, created on first use.
  TStrings* GetPickList() const;
  /// Copies the lines of `value`.
  void SetPickList(TStrings* value);
  /// Comment text of slot 0 or 1; other indexes read empty.
  std::string GetCommentText(int index) const;
  /// Stores the comment of slot 0 or 1; other indexes are ignored.
  void SetCommentText(int index, const std::string& value);
  TFieldRecordValues GetAssignedValues() const { return assigned_; }
  bool GetLookupMode() const { return lookupMode_; }
  /// Mirrors the bound lookup field's key, list field and dataset (on), or
  /// clears the lookup settings (off).
  void SetLookupMode(bool value);
  /// EDatabaseError SPropDefByLookup while in lookup mode.
  void CheckNotLookup() const;

  // ---- Comparison settings (virtual: find records answer differently) ----
  virtual void SetCompare(TCompareType value);
  virtual TCompareType GetCompare() const;
  virtual void SetCount(TCountType value);
  virtual TCountType GetCount() const;
  virtual void SetCaseInsensitive(bool value);
  virtual bool GetCaseInsensitive() const;
  virtual TCompareType DefaultCompare() const;
  virtual TCountType DefaultCount() const;
  virtual bool DefaultCaseInsensitive() const;
  bool IsCompareStored() const;
  bool IsCountStored() const;
  bool IsCaseInsensitiveStored() const;

  // ---- Defaults and naming ----
  std::string DefaultDisplayLabel() const;
  int32_t DefaultDisplayWidth() const;
  std::string DefaultEditMask() const;
  bool DefaultVisible() const;
  TAlignment DefaultAlignment() const;
  /// FieldName.
  std::string DefaultName() const { return fieldName_; }
  /// The suffix ("", "1", "2", ...) that makes DefaultName unique in the list.
  std::string InternalDefaultName() const;
  bool IsNameStored() const;
  bool IsDisplayLabelStored() const;
  bool IsDisplayWidthStored() const;
  bool IsEditMaskStored() const;
  bool IsVisibleStored() const;
  bool IsCommentWidthStored() const;
  bool IsAlignmentStored() const;
  bool IsDataTypeStored() const;

  // ---- Values (slot 0: single value or lower bound; slot 1: upper bound;
  // any other slot raises EListError) ----
  bool IsNull(int slot) const { return VarIsClear(editValues_[CheckSlot(slot)]); }
  void Clear(int slot) { SetAsVariant(slot, Null); }
  Variant GetAsVariant(int slot) const { return editValues_[CheckSlot(slot)]; }
  /// Normalises `value` to the record's type and stores it when it differs;
  /// tells the panel (applied at once under usAuto, else pending).
  void SetAsVariant(int slot, const Variant& value);
  std::string GetAsString(int slot) const { return VariantToText(editValues_[CheckSlot(slot)]); }
  void SetAsString(int slot, const std::string& value) {
    CheckSlot(slot);
    SetAsVariant(slot, TextToVariant(value));
  }
  int32_t GetAsInteger(int slot) const;
  void SetAsInteger(int slot, int32_t value) { SetAsVariant(slot, Variant(value)); }
  double GetAsFloat(int slot) const;
  void SetAsFloat(int slot, double value) { SetAsVariant(slot, Variant(value)); }
  Currency GetAsCurrency(int slot) const;
  void SetAsCurrency(int slot, Currency value) { SetAsVariant(slot, Variant(value)); }
  double GetAsDateTime(int slot) const;
  void SetAsDateTime(int slot, double value) { SetAsVariant(slot, Variant::FromDate(value)); }
  bool GetAsBoolean(int slot) const;
  void SetAsBoolean(int slot, bool value) { SetAsVariant(slot, Variant(value)); }
  /// The applied value of a slot (what matching reads).
  const Variant& GetAppliedValue(int slot) const { return appliedValues_[CheckSlot(slot)]; }
  /// Copies both edit values into the applied values.
  void ApplyValues();

  /// The text converted to the record's type; Null for a blank text.
  Variant TextToVariant(const std::string& text) const;
  /// The value as text in the record's type (dates by date/time/date-time).
  std::string VariantToText(const Variant& value) const;
  /// The value cast to the kind of the record's data type.
  Variant VarAsDataType(const Variant& value) const;
  /// Whether TextToVariant would accept the text.
  bool IsConvertText(const std::string& text) const;
  /// Whether an editor of the record accepts the typed character.
  bool IsValidChar(char32_t ch) const;
  /// Normalises both edit values to the current data type; Null on failure.
  void UpdateValues();

  // ---- Controls created by the panel's layout pass ----
  TComponent* Editors[2] = {nullptr, nullptr};
  TComponent* CaptionLabels[3] = {nullptr, nullptr, nullptr};
  TComponent* CommentLabels[2] = {nullptr, nullptr};
  /// Per slot: set while a new value is pushed into the editor.
  bool UpdatingEdit[2] = {false, false};

 protected:
  /// Adds change flags to the owning list.
  void AddChanges(TFieldsListChanges changes) const;
  /// Whether the owning panel is loading.
  bool PanelLoading() const;

 private:
  friend class TFieldRecordCaptions;
  void AddAssigned(TFieldRecordValue v) { assigned_.Include(v); }
  /// The count and compare type the exclusion of an internal part and a
  /// range checks against (only the own settings while loading).
  TCountType CountForExclusion() const;
  TCompareType CompareForExclusion() const;
  /// Steps of Update without the notification; whether the binding changed.
  bool Bind();
  /// `slot` when it is 0 or 1; EListError otherwise.
  static int CheckSlot(int slot) {
    if (slot != 0 && slot != 1) ListIndexError(slot);
    return slot;
  }
  [[noreturn]] void RaiseInvalidValue(TFieldType type, const Variant& value) const;
  void Notify() { Changed(false); }
  /// Calls `f` with each existing editor (slot 0, then 1).
  template <class F>
  void ForEachEditor(F&& f) const {
    for (TComponent* e : Editors)
      if (e) f(e);
  }
  /// Calls `f` with each editor that is a lookup editor.
  template <class F>
  void ForEachLookupEditor(F&& f) const {
    for (TComponent* e : Editors)
      if (auto* lookup = LookupEditor(e)) f(lookup);
  }
  static TFieldRecordLookup* LookupEditor(TComponent* editor);

  TFieldRecordValues assigned_;
  std::string displayLabel_;
  int32_t displayWidth_ = 0;
  std::string editMask_;
  std::string fieldName_;
  TFieldType dataType_ = ftUnknown;
  Variant editValues_[2] = {Null, Null};
  Variant appliedValues_[2] = {Null, Null};
  int32_t fieldIndex_ = -1;
  bool visible_ = true;
  TRecordKind recordKind_ = rkData;
  TRecordButtonStyle buttonStyle_ = rbsAuto;
  std::string commentTexts_[2];
  bool commentVisible_ = false;
  int32_t commentWidth_ = 0;
  int32_t indexFieldNo_ = -1;
  TCompareType compare_ = ctExact;
  TCountType count_ = coNone;
  bool caseInsensitive_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool directInput_ = true;
  std::string keyField_;
  std::string listField_;
  int32_t listFieldIndex_ = 0;
  TDataSource* listSource_ = nullptr;
  TLocateOption locate_ = loAuto;
  int32_t dropDownRows_ = 7;
  bool lookupMode_ = false;
  std::unique_ptr<TDataSource> lookupSource_;
  std::unique_ptr<TFieldRecordCaptions> captions_;
  std::string storedName_;
  mutable std::unique_ptr<TStringList> pickList_;
};

/// A field record of a filter panel: lookup fields are looked up from the
/// current record itself.
class TFilterRecord : public TFieldRecord {
  TBN_CLASS(TFilterRecord, TFieldRecord)
 public:
  using TFieldRecord::TFieldRecord;
  /// The field's value; for a lookup field the value looked up by its keys.
  Variant GetFieldValue() const override;
};

}  // namespace tabulon
