// TFieldsSetModel: the non-visual half of a fields panel. It owns the field
// list (created by the concrete panel with its record class), the option
// objects, the captions and the data link; follows the data source; batches
// dataset updates (BeginUpdate/EndUpdate) and re-layouts
// (BeginPaint/EndPaint); and decides whether the dataset's current record
// matches the applied values (CheckRecord). The visual panel combines it
// with a panel control; every hook the field list needs is virtual here.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/list.h"
#include "platform/db/datasource.h"
#include "run/tbnset/captions.h"
#include "run/tbnset/list.h"
#include "run/tbnset/options.h"

namespace tabulon {

class TFieldsSetModel;
class TFiler;
class TReader;
class TStream;
class TWriter;

/// One record's values in a value buffer (a TList of these, owned by the
/// list's holder and disposed with ClearBfr).
struct TBufferField {
  std::string FieldName;             // the record's FieldName; matched ignoring case
  Variant Values[2] = {Null, Null};  // the record's two edit values
};

/// The panel's link to its data source.
class TPanelFieldsSetDataLink : public TDataLink {
  TBN_CLASS(TPanelFieldsSetDataLink, TDataLink)
 public:
  explicit TPanelFieldsSetDataLink(TFieldsSetModel* panel) : Panel(panel) {}
  ~TPanelFieldsSetDataLink() override;

  /// The panel served; cleared before the link is destroyed.
  TFieldsSetModel* Panel;
  /// The dataset seen at the last ActiveChanged (never a destroyed one).
  TDataSet* OldDataSet = nullptr;

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void LayoutChanged() override;
};

/// The non-visual half of a fields panel.
class TFieldsSetModel {
 public:
  /// The string comparison: two texts and case-insensitivity to -1/0/1.
  using TCompareFunc = int (TFieldsSetModel::*)(std::string_view, std::string_view, bool) const;

  TFieldsSetModel();
  virtual ~TFieldsSetModel();
  TFieldsSetModel(const TFieldsSetModel&) = delete;
  TFieldsSetModel& operator=(const TFieldsSetModel&) = delete;

  /// The component that is the panel (name, state, free notification).
  virtual TComponent* GetComponent() const = 0;

  // ---- Overridable steps ----
  /// Told the dataset the panel leaves (the filter panel unhooks itself).
  virtual void SetOldDataSet(TDataSet* dataSet);
  /// Applies the values to the dataset (filter or search).
  virtual void UpdateDataSet();
  /// The dataset's records changed or scrolled.
  virtual void DataSetChanged();
  /// The dataset's fields changed: rebinds the records.
  virtual void LayoutChanged();
  /// The dataset opened, closed or was replaced: rebinds, then re-applies.
  virtual void ActiveChanged();
  /// Position of the record's field in the find index; -1 here.
  virtual int GetIndexFieldNo(TFieldRecord* record);
  /// Whether case matters for the record's comparison.
  virtual bool CaseInsensitiveField(TFieldRecord* record);
  /// The layout pass.
  virtual void PaintComponent();
  /// The panel's component state.
  virtual TComponentState GetComponentState() const;
  /// Stores a changed locale; -1 selects QXCompare, others QXAnsiCompare.
  virtual void SetLocaleID(int value);
  /// Applies the pending edit values (or re-applies the settings).
  virtual void ValuesChanged();
  /// Effective count: coNone for a record ValidateFieldRecord refuses.
  virtual TCountType CountState(TFieldRecord* record);
  /// Effective compare type.
  virtual TCompareType CompareState(TFieldRecord* record);
  /// Whether the record has edit values its count uses.
  virtual bool NotEmptyRecord(TFieldRecord* record);
  /// Whether the panel can work with the record; true here.
  virtual bool ValidateFieldRecord(TFieldRecord* record);
  /// Shows a slot's new edit value in its editor (done by the editors).
  virtual void ShowEditValue(TFieldRecord* record, int slot);

  // ---- Data source ----
  TDataSource* GetDataSource() const { return DataLink->GetDataSource(); }
  /// Links another source and asks it for free notification.
  void SetDataSource(TDataSource* value);
  TPanelFieldsSetDataLink* GetDataLink() const { return DataLink.get(); }
  /// Forgets a component being destroyed when it is the panel's data
  /// source or the list source of records (one list update). Compares by
  /// address only: the component may already be past its own destructor.
  void DataSourceRemoved(TComponent* source);

  // ---- Records ----
  TFieldsList* GetFields() const { return Fields; }
  /// First record whose FieldName equals `name` ignoring case, or null.
  TFieldRecord* FindField(const std::string& name) const;
  /// First record whose Name equals `name` ignoring case, or null.
  TFieldRecord* FindFieldRecord(const std::string& name) const;
  /// FindField; ETabulonError 25100 when nothing is found.
  TFieldRecord* FieldByName(const std::string& name) const;

  // ---- Batching ----
  void BeginUpdate() { ++UpdateCount; }
  /// Ends an update and calls Changed.
  void EndUpdate();
  /// UpdateDataSet unless inside BeginUpdate.
  void Changed();
  void BeginPaint() { ++PaintCount; }
  /// Ends a paint bracket and calls WndChanged.
  void EndPaint();
  /// PaintComponent unless inside BeginPaint.
  void WndChanged();
  int GetUpdateCount() const { return UpdateCount; }
  int GetPaintCount() const { return PaintCount; }

  // ---- Loading ----
  /// After loading: leave default-fields mode when records were stored,
  /// bind them, re-apply the values.
  void SetLoadProperties();
  /// Re-applies the values after the dataset opened, when asked to.
  void DoUpdateAfterOpen();

  // ---- Matching ----
  /// Whether every record at map positions from..to matches the dataset's
  /// current record (true for an empty range).
  bool CheckRecord(int from, int to);
  /// Whether the record takes part in matching (applied values).
  bool MainNotEmptyRecord(TFieldRecord* record);
  /// Whether case matters for values of `type` (string and memo types).
  static bool CaseSensitiveDependent(TFieldType type) noexcept;
  /// Ordinal comparison (ASCII letters folded when case-insensitive).
  int QXCompare(std::string_view s1, std::string_view s2, bool caseInsensitive) const;
  /// Comparison by the collation of LocaleID.
  int QXAnsiCompare(std::string_view s1, std::string_view s2, bool caseInsensitive) const;
  /// The current string comparison.
  int Compare(std::string_view s1, std::string_view s2, bool caseInsensitive) const {
    return (this->*CompareFunc)(s1, s2, caseInsensitive);
  }
  TCompareFunc GetCompareFunc() const { return CompareFunc; }

  // ---- Settings ----
  TCountOptions* GetCountOptions() const { return CountOptions.get(); }
  void SetCountOptions(TCountOptions* value) { CountOptions->Assign(value); }
  TCompareOptions* GetCompareOptions() const { return CompareOptions.get(); }
  void SetCompareOptions(TCompareOptions* value) { CompareOptions->Assign(value); }
  TFieldCaptions* GetCaptions() const { return Captions.get(); }
  void SetCaptions(TFieldCaptions* value) { Captions->Assign(value); }
  TUpdateState GetUpdateState() const { return UpdateState; }
  /// Stores a changed state; switching to usAuto applies pending values.
  void SetUpdateState(TUpdateState value);
  bool GetUpdateAfterOpen() const { return UpdateAfterOpen; }
  void SetUpdateAfterOpen(bool value) { UpdateAfterOpen = value; }
  bool GetChangeCursor() const { return ChangeCursor; }
  void SetChangeCursor(bool value) { ChangeCursor = value; }
  int GetLocaleID() const { return LocaleID; }
  /// Whether the field list is streamed (only outside default-fields mode).
  bool IsFieldsStored() const { return Fields && !Fields->GetDefaultFields(); }

  // ---- Values (run/tbnset/persist*.cpp) ----
  /// Sets both edit values of every record to Null in one list update.
  virtual void ClearValues();
  /// Declares the custom properties "Values" and "CommentTexts", written
  /// only together with the stored records.
  void DefineValuesProperties(TFiler* filer);
  /// The values block: the non-Null edit values by record Name and type.
  void WriteValues(TWriter* writer);
  /// Reads a values block (current or old layout) in one list update; the
  /// values of records not in it become Null.
  void ReadValues(TReader* reader);
  /// The comment-texts block: the non-empty comment texts by record Name.
  void WriteCommentTexts(TWriter* writer);
  /// Reads a comment-texts block (current or old layout).
  void ReadCommentTexts(TReader* reader);
  /// The image of the chosen sections: a list of a version, then each
  /// section's ordinal and data.
  void SaveToStream(TStream* stream, TSaveOptions options);
  /// Reads an image; a section the panel does not handle is left unread,
  /// so the next read fails with the reader's error.
  void LoadFromStream(TStream* stream);
  /// SaveToStream into a new (or emptied) file.
  void SaveToFile(const std::string& fileName, TSaveOptions options);
  /// LoadFromStream from a file opened read-only, denying others write access.
  void LoadFromFile(const std::string& fileName);
  /// SaveToStream into `result`.
  void SaveToString(std::string& result, TSaveOptions options);
  /// LoadFromStream from `data`.
  void LoadFromString(const std::string& data);
  /// Replaces the panel's buffer with the values of the non-empty records.
  void SaveToBuffer() { SetBuffer(Buffer); }
  /// Gives every record its buffered values (Null without an entry);
  /// nothing before the first SaveToBuffer.
  void ReadFromBuffer() { GetBuffer(Buffer); }
  /// Empties the panel's buffer (the list itself stays).
  void ClearBuffer() { ClearBfr(Buffer); }
  /// Fills `list` (created when null, emptied otherwise) with the FieldName
  /// and edit values of every record NotEmptyRecord accepts.
  void SetBuffer(TList*& list);
  /// Writes the values of the first entry with the record's FieldName
  /// (ignoring case) into each record, Null without one; nothing when
  /// `list` is null. One list update.
  void GetBuffer(TList*& list);
  /// Disposes every entry of `list` and empties it; the list stays.
  static void ClearBfr(TList*& list);

 protected:
  /// Releases the list, the options and the link in the panel's order;
  /// hands the linked dataset to SetOldDataSet first. Called by the panel
  /// while it is still whole; safe to call twice.
  void DestroyFieldsSet();
  /// Writes one section of an image; the values and comment-texts blocks
  /// here, nothing for other options.
  virtual void DoSaveToStream(TWriter* writer, TSaveOption option);
  /// Reads one section of an image; the values and comment-texts blocks
  /// here, nothing for other options.
  virtual void DoLoadFromStream(TReader* reader, TSaveOption option);

  std::unique_ptr<TPanelFieldsSetDataLink> DataLink;
  TFieldsList* Fields = nullptr;  // owned; created by the concrete panel
  std::unique_ptr<TCountOptions> CountOptions;
  std::unique_ptr<TCompareOptions> CompareOptions;
  int UpdateCount = 0;
  int PaintCount = 0;
  bool ChangeCursor = false;
  TUpdateState UpdateState = usAuto;
  std::unique_ptr<TComponentCaptions> Captions;
  bool UpdateAfterOpen = true;
  TCompareFunc CompareFunc = &TFieldsSetModel::QXAnsiCompare;
  int LocaleID = 1024;
  TList* Buffer = nullptr;  // owned, with its entries; created by the first SaveToBuffer

 private:
  // A record of the field map resolved for matching: what CheckRecord would
  // otherwise work out again for every dataset record.
  struct TMatchStep {
    TFieldRecord* Record = nullptr;        // the record at this map position
    TField* Field = nullptr;               // its bound field; null: skipped
    TCountType Count = coNone;             // CountState
    TCompareType Compare = ctExact;        // CompareState
    bool TextLike = false;                 // CaseSensitiveDependent of the record's type
    bool CaseInsensitive = false;          // the record's GetCaseInsensitive
    bool CaseField = false;                // CaseInsensitiveField
    bool InPlace = false;                  // a stored text field, read without copying
    bool Direct = false;                   // a data field: its value rather than the record's
    bool Numeric = false;                  // exact numbers or dates, compared as doubles
    bool LowSet = false, HighSet = false;  // applied values 0 and 1 not Null (Numeric)
    double Low = 0, High = 0;              // their values (Numeric)
  };
  // Resolves the field map into matchPlan_ when the list, its options or the
  // dataset's fields changed since it was last resolved.
  void ResolveMatchPlan();
  bool MatchText(const TMatchStep& step, std::string_view field);
  bool MatchValue(const TMatchStep& step, const Variant& fieldValue);
  static bool MatchNumber(const TMatchStep& step);
  bool destroyed_ = false;
  std::vector<TMatchStep> matchPlan_;
  uint64_t matchListGeneration_ = ~uint64_t{0};  // list generation of the plan
  TDataSet* matchDataSet_ = nullptr;             // the dataset the plan's fields belong to
  uint32_t matchFieldsGeneration_ = 0;           // its fields generation then
};

}  // namespace tabulon
