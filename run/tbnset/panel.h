// TPanelFieldsSet: the visual fields panel. A panel control joined with the
// field model (TFieldsSetModel); it owns the style options, a measuring
// label and the inner scroll box (TScrollingFieldsSet) that is the parent
// of every caption and editor the layout pass creates. Concrete panels
// create the field list in their own constructor, with their record class.
#pragma once

#include <memory>

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "run/tbnset/events.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/style.h"

namespace tabulon {

/// The inner scroll box of a fields panel: mouse messages on its empty area
/// reach the panel in panel coordinates.
class TScrollingFieldsSet : public TScrollingWinControl {
  TBN_CLASS(TScrollingFieldsSet, TScrollingWinControl)
 public:
  explicit TScrollingFieldsSet(TComponent* owner);

 protected:
  /// Forwards mouse messages to a fields-panel parent; others as usual.
  void WndProc(TMessage& msg) override;
};

/// The fields panel.
class TPanelFieldsSet : public TCustomPanel, public TFieldsSetModel {
  TBN_CLASS(TPanelFieldsSet, TCustomPanel)
 public:
  /// Makes the style options of a panel under construction.
  using TStyleOptionsFactory = TStyleOptions* (*)(TPanelFieldsSet* panel);

  /// Builds everything but the field list (the descendant creates it).
  /// `styleFactory` chooses the style options (null: TStyleOptions); it is
  /// a parameter because a virtual call would not reach the descendant
  /// while the base is being constructed.
  explicit TPanelFieldsSet(TComponent* owner, TStyleOptionsFactory styleFactory = nullptr);
  /// Pure: only descendants with a record class can be created.
  ~TPanelFieldsSet() override = 0;
  void BeforeDestruction() override;

  TComponent* GetComponent() const override { return const_cast<TPanelFieldsSet*>(this); }
  /// The layout pass: PaintPanel.
  void PaintComponent() override;
  /// Arranges the records' captions and editors; this base repaints.
  virtual void PaintPanel();

  // ---- Published settings ----
  int GetStepHeight() const { return StepHeight; }
  /// Stores a changed gap and re-lays out.
  void SetStepHeight(int value);
  bool GetAutoEditWidth() const { return AutoEditWidth; }
  void SetAutoEditWidth(bool value);
  bool GetAutoSize() const { return AutoSize; }
  /// Stores a changed flag; re-lays out when it became true.
  void SetAutoSize(bool value);
  TPosState GetPosState() const { return PosState; }
  void SetPosState(TPosState value);
  TCursor GetEditCursor() const { return EditCursor; }
  /// Stores a changed cursor and tells the panel (cursor-changed message).
  void SetEditCursor(TCursor value);
  TStyleOptions* GetStyleOptions() const { return StyleOptions.get(); }
  void SetStyleOptions(TStyleOptions* value) { StyleOptions->Assign(value); }
  bool GetAutoSaveValues() const { return AutoSaveValues; }
  void SetAutoSaveValues(bool value) { AutoSaveValues = value; }
  TScrollingFieldsSet* GetScrollingFieldsSet() const { return ScrollingFieldsSet; }
  TLabel* GetMeasureLabel() const { return MeasureLabel.get(); }
  bool GetInternalInsert() const { return InternalInsert; }
  void SetInternalInsert(bool value) { InternalInsert = value; }

  // Editor events, fired by the editors the layout pass creates.
  TEditEvent OnEditChange, OnEditClick, OnEditDblClick, OnEditEnter, OnEditExit, OnEditButtonClick;
  TEditKeyEvent OnEditKeyDown, OnEditKeyUp;
  TEditKeyPressEvent OnEditKeyPress;
  TEditMouseEvent OnEditMouseDown, OnEditMouseUp;
  TEditMouseMoveEvent OnEditMouseMove;

  /// Refuses foreign controls dropped onto the panel in a designer
  /// (ETabulonError 25113).
  void ValidateInsert(TComponent* component) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  /// The framework's custom data, then "Values" and "CommentTexts".
  void DefineProperties(TFiler* filer) override;

 protected:
  void CMParentFontChanged(TMessage& msg) override;
  void CMParentColorChanged(TMessage& msg) override;
  void CMCtl3DChanged(TMessage& msg) override;
  void CMCursorChanged(TMessage& msg) override;

  bool InternalInsert = false;
  int StepHeight = 2;
  std::unique_ptr<TStyleOptions> StyleOptions;
  bool AutoSaveValues = true;
  bool AutoEditWidth = true;
  std::unique_ptr<TLabel> MeasureLabel;
  TCursor EditCursor = crDefault;
  TPosState PosState = psOneLineFmt;
  TScrollingFieldsSet* ScrollingFieldsSet = nullptr;  // a child; freed first
  bool AutoSize = true;

 private:
  void TearDown();
  bool tornDown_ = false;
};

}  // namespace tabulon
