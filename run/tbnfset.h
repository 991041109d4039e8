// Unit Tbnfset: the fields-set dialog. TFieldsSet is a non-visual component
// that owns a fields panel and shows it, on demand, in a modal form
// (TfmFieldsSet) with OK, Cancel, Clear, Setup, Help and Next buttons. It
// passes the panel's settings and editor events on, adds the form's own
// (title, icon, margins, help context, the buttons shown) and brackets one
// showing: the values are saved when the form opens and restored when the
// user cancels. Both classes are abstract: the find and filter dialogs
// (run/tbndlg.h) supply the panel, the form, Execute and the setup form.
#pragma once

#include <memory>
#include <string>

#include "platform/controls/panel.h"
#include "platform/forms/button.h"
#include "platform/forms/form.h"
#include "run/tbnset.h"

namespace tabulon {

class TfmFieldsSet;

/// Asked when the form closes: the state may be changed (csNone keeps the
/// form open).
using TFormCloseEvent = TEvent<TObject*, TCloseState&>;

/// The dialog component: a panel shown in a modal form.
class TFieldsSet : public TComponent {
  TBN_CLASS(TFieldsSet, TComponent)
 public:
  explicit TFieldsSet(TComponent* owner);
  ~TFieldsSet() override = 0;
  void Loaded() override;
  /// The framework's custom data, then the panel's "Values" and "CommentTexts".
  void DefineProperties(TFiler* filer) override;
  void Notification(TComponent* component, TOperation operation) override;

  /// The embedded panel. Made on first use by CreatePanelFieldsSet, so that
  /// the override of the most derived class makes it (a call from this
  /// constructor would reach only this class).
  TPanelFieldsSet* GetPanel() const;
  /// The form while it is shown, else null.
  TfmFieldsSet* GetForm() const { return FForm; }

  // ---- Dynamic operations of the concrete dialogs ----
  /// Shows the form modally; whether the user confirmed.
  virtual bool Execute() = 0;
  /// Shows the setup form; whether the user confirmed it.
  virtual bool ShowSetupForm() = 0;
  /// The class of the concrete dialog (the setup form's working copy).
  virtual const TClass* GetFieldsSetClass() const = 0;

  // ---- The component's own settings ----
  int GetHorzMargin() const { return FHorzMargin; }
  /// Stores a changed margin and asks the panel for a new layout.
  void SetHorzMargin(int value);
  int GetVertMargin() const { return FVertMargin; }
  void SetVertMargin(int value);
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& value);
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }
  TStateOptions GetOptions() const { return FOptions; }
  /// Stores changed options and shows them on an open form.
  void SetOptions(TStateOptions value);
  TIcon* GetIcon() const { return FIcon.get(); }
  /// Copies `value` into the owned icon.
  void SetIcon(TIcon* value);
  bool IsIconStored() const { return FIcon->HasImage(); }
  /// Calls OnFormActivate.
  void FormActivate(TObject* sender);

  // ---- Passed on to the panel ----
  TDataSource* GetDataSource() const { return GetPanel()->GetDataSource(); }
  void SetDataSource(TDataSource* value) { GetPanel()->SetDataSource(value); }
  int GetStepHeight() const { return GetPanel()->GetStepHeight(); }
  void SetStepHeight(int value) { GetPanel()->SetStepHeight(value); }
  TCountOptions* GetCountOptions() const { return GetPanel()->GetCountOptions(); }
  void SetCountOptions(TCountOptions* value) { GetPanel()->SetCountOptions(value); }
  bool GetAutoSaveValues() const { return GetPanel()->GetAutoSaveValues(); }
  void SetAutoSaveValues(bool value) { GetPanel()->SetAutoSaveValues(value); }
  TFieldsList* GetFields() const { return GetPanel()->GetFields(); }
  bool IsFieldsStored() const { return GetPanel()->IsFieldsStored(); }
  bool GetAutoEditWidth() const { return GetPanel()->GetAutoEditWidth(); }
  void SetAutoEditWidth(bool value) { GetPanel()->SetAutoEditWidth(value); }
  TCompareOptions* GetCompareOptions() const { return GetPanel()->GetCompareOptions(); }
  void SetCompareOptions(TCompareOptions* value) { GetPanel()->SetCompareOptions(value); }
  TStyleOptions* GetStyleOptions() const { return GetPanel()->GetStyleOptions(); }
  void SetStyleOptions(TStyleOptions* value) { GetPanel()->SetStyleOptions(value); }
  bool GetChangeCursor() const { return GetPanel()->GetChangeCursor(); }
  void SetChangeCursor(bool value) { GetPanel()->SetChangeCursor(value); }
  TPosState GetPosState() const { return GetPanel()->GetPosState(); }
  void SetPosState(TPosState value) { GetPanel()->SetPosState(value); }
  TFieldCaptions* GetCaptions() const { return GetPanel()->GetCaptions(); }
  void SetCaptions(TFieldCaptions* value) { GetPanel()->SetCaptions(value); }
  int GetBorderWidth() const { return GetPanel()->GetBorderWidth(); }
  void SetBorderWidth(int value) { GetPanel()->SetBorderWidth(value); }
  int GetLocaleID() const { return GetPanel()->GetLocaleID(); }
  void SetLocaleID(int value) { GetPanel()->SetLocaleID(value); }
  bool GetUpdateAfterOpen() const { return GetPanel()->GetUpdateAfterOpen(); }
  void SetUpdateAfterOpen(bool value) { GetPanel()->SetUpdateAfterOpen(value); }
  TUpdateState GetUpdateState() const { return GetPanel()->GetUpdateState(); }
  void SetUpdateState(TUpdateState value) { GetPanel()->SetUpdateState(value); }
  bool GetAutoSize() const { return GetPanel()->GetAutoSize(); }
  void SetAutoSize(bool value) { GetPanel()->SetAutoSize(value); }
  void BeginUpdate() { GetPanel()->BeginUpdate(); }
  void EndUpdate() { GetPanel()->EndUpdate(); }
  void Changed() { GetPanel()->Changed(); }
  void BeginPaint() { GetPanel()->BeginPaint(); }
  void EndPaint() { GetPanel()->EndPaint(); }
  /// Lays the panel out again (and with it the open form).
  void Repaint() { GetPanel()->WndChanged(); }
  TFieldRecord* FieldByName(const std::string& name) const { return GetPanel()->FieldByName(name); }
  TFieldRecord* FindField(const std::string& name) const { return GetPanel()->FindField(name); }
  TCountType CountState(TFieldRecord* r) { return GetPanel()->CountState(r); }
  TCompareType CompareState(TFieldRecord* r) { return GetPanel()->CompareState(r); }
  bool NotEmptyRecord(TFieldRecord* r) { return GetPanel()->NotEmptyRecord(r); }
  bool ValidateFieldRecord(TFieldRecord* r) { return GetPanel()->ValidateFieldRecord(r); }
  static bool CaseSensitiveDependent(TFieldType type) noexcept {
    return TFieldsSetModel::CaseSensitiveDependent(type);
  }
  void SaveToBuffer() { GetPanel()->SaveToBuffer(); }
  void ReadFromBuffer() { GetPanel()->ReadFromBuffer(); }
  void ClearBuffer() { GetPanel()->ClearBuffer(); }
  void ClearValues() { GetPanel()->ClearValues(); }
  void SaveToStream(TStream* stream, TSaveOptions options) {
    GetPanel()->SaveToStream(stream, options);
  }
  void LoadFromStream(TStream* stream) { GetPanel()->LoadFromStream(stream); }
  void SaveToFile(const std::string& fileName, TSaveOptions options) {
    GetPanel()->SaveToFile(fileName, options);
  }
  void LoadFromFile(const std::string& fileName) { GetPanel()->LoadFromFile(fileName); }
  void SaveToString(std::string& result, TSaveOptions options) {
    GetPanel()->SaveToString(result, options);
  }
  void LoadFromString(const std::string& data) { GetPanel()->LoadFromString(data); }

  TNotifyEvent OnFormActivate;
  TFormCloseEvent OnFormClose;

 protected:
  /// Makes the panel, owned by this component.
  virtual TPanelFieldsSet* CreatePanelFieldsSet() = 0;
  /// Passes a change of the owned icon on to the open form.
  void IconChanged(TObject* sender);

  mutable TPanelFieldsSet* FPanel = nullptr;  // owned; made by GetPanel
  int FHorzMargin = 0;
  int FVertMargin = 50;
  std::string FTitle;
  int FHelpContext = 0;
  TStateOptions FOptions{soClear, soSetup, soNext, soFilter};
  std::unique_ptr<TIcon> FIcon;
  TfmFieldsSet* FForm = nullptr;

 private:
  friend class TfmFieldsSet;
};

/// The modal form of a dialog component. Every operation does nothing
/// unless the form's owner is a TFieldsSet.
class TfmFieldsSet : public TForm {
  TBN_CLASS(TfmFieldsSet, TForm)
 public:
  explicit TfmFieldsSet(TComponent* owner);
  ~TfmFieldsSet() override;

  /// The owner as a dialog component, or null.
  TFieldsSet* GetFieldsSet() const;

  /// Shows the buttons the component's Options ask for.
  virtual void SetOptions();
  /// Fits the form to the panel: caption, colours and fonts, the panel's
  /// limits from the screen, a layout pass, the icon.
  virtual void UpdateForm();
  /// Shows the form modally; true when it closed with OK (OK or Next).
  virtual bool Execute();

  void BeginUpdate() { ++FUpdateCount; }
  /// Ends an update and calls Changed.
  void EndUpdate();
  /// UpdateForm unless inside BeginUpdate.
  void Changed();
  int GetUpdateCount() const { return FUpdateCount; }
  /// The caption read from the form resource.
  const std::string& GetResourceCaption() const { return FCaption; }
  /// Whether a showing is in progress: values saved and the list's update
  /// bracket open (from the first activation to the real close).
  bool GetShowing() const { return FShowing; }

  // Handlers bound by the form resource.
  virtual void FormActivate(TObject* sender);
  virtual void FormCloseQuery(TObject* sender, bool& canClose);
  void bbClearClick(TObject* sender);
  void bbSetupClick(TObject* sender);
  void bbHelpClick(TObject* sender);

  // Components of the form resource.
  TPanel* paTop = nullptr;
  TPanel* paClear = nullptr;
  TButton* bbClear = nullptr;
  TPanel* paSetup = nullptr;
  TButton* bbSetup = nullptr;
  TPanel* paBottom = nullptr;
  TPanel* paOk = nullptr;
  TButton* bbOk = nullptr;
  TPanel* paNext = nullptr;
  TButton* bbNext = nullptr;
  TPanel* paCancel = nullptr;
  TButton* bbCancel = nullptr;
  TPanel* paHelp = nullptr;
  TButton* bbHelp = nullptr;

 protected:
  /// After the form resource was read (the object is complete, so the
  /// overrides of the most derived form run): the caption, help context,
  /// options, the panel's parent, the component's form, the fit; then OnCreate.
  void DoCreate() override;
  /// Ends a showing: restores the saved values when `restore`, frees them
  /// and closes the list's update bracket. Does nothing when no showing is
  /// open, so it runs once per showing.
  void FinishShowing(bool restore);
  /// Places the shown buttons of the bottom bar in the order OK, Next,
  /// Cancel, Help: Next right after OK, Help always last.
  void OrderBottomButtons();

  int FUpdateCount = 0;
  std::string FCaption;
  TList* FBuffer = nullptr;  // owned with its entries

 private:
  bool FShowing = false;
  bool FBuilt = false;  // DoCreate has joined the form to its component
};

}  // namespace tabulon

TBN_EVENT_NAME(tabulon::TFormCloseEvent);
