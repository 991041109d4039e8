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
#include "run/tbnset/layout.h"
#include "run/tbnset/style.h"

namespace tabulon {

class TPanelLayoutPass;

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
  /// The full layout: the frame and the limits from the panel's size and
  /// alignment, then PaintFields. Nothing while loading.
  virtual void PaintPanel();

  // ---- Layout (run/tbnset/layout*.cpp) ----
  /// One layout pass with the current limits, then the panel's automatic
  /// size and the scroll bars; repeats once when a scroll bar appeared or
  /// vanished. Public so that a dialog can lay a panel out with limits of
  /// its own (SetMaxWidth, SetMaxHeight, SetMinWidth, then PaintFields).
  void PaintFields();
  /// The pass itself: with `create` it creates, moves and frees the rows'
  /// controls; without, it only measures (touching no control but the
  /// measuring label). Returns (RequiredWidth, RequiredHeight).
  TSize PaintPanelComponents(bool create);
  /// The natural size of the content, without shrinking: a measuring pass.
  virtual TSize GetRequiredLengths();
  /// The metrics of the last pass.
  const TPanelLayoutMetrics& GetLayoutMetrics() const { return Metrics; }
  int GetFrameSize() const { return FrameSize; }
  bool GetResizing() const { return Resizing; }
  bool GetRelayoutGuard() const { return RelayoutGuard; }
  int GetLayoutLevel() const { return LayoutLevel; }
  int GetMaxWidth() const { return MaxWidth; }
  void SetMaxWidth(int value) { MaxWidth = value; }
  int GetMaxHeight() const { return MaxHeight; }
  void SetMaxHeight(int value) { MaxHeight = value; }
  int GetMinWidth() const { return MinWidth; }
  void SetMinWidth(int value) { MinWidth = value; }
  int GetRequiredWidth() const { return RequiredWidth; }
  int GetRequiredHeight() const { return RequiredHeight; }
  /// The editor removed while it had the focus, kept until the next one.
  TControl* GetParkedEdit() const { return ParkedEdit; }
  /// Sets the alignment; a change re-lays out an auto-sized panel that
  /// leaves client alignment or becomes unaligned, and realigns the box.
  void SetAlign(TAlign value) override;
  /// The framework's invalidation (not inside a nested pass), then a
  /// re-layout unless loading, resizing or inside a pass.
  void Invalidate() override;
  /// A bounds change is a window-position change: the invalidations it
  /// makes start no pass; the resize that follows does.
  void SetBounds(int left, int top, int width, int height) override;
  /// Shows a record's new edit value in the slot's editor and marks the
  /// editor not modified.
  void ShowEditValue(TFieldRecord* record, int slot) override;

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

  // ---- Editor event routing (run/tbnset/panel_edit_events.cpp) ----
  /// Every change of an editor's text: read quietly into the record's slot
  /// (never raising), then OnEditChange.
  void EditChange(TObject* sender);
  /// An editor loses the focus: a modified text is converted strictly and
  /// shown again, OnEditExit, a half-filled range is completed, and the
  /// update state may apply. A failure gives the focus back and raises.
  void EditExit(TObject* sender);
  void EditClick(TObject* sender);
  void EditDblClick(TObject* sender);
  void EditEnter(TObject* sender);
  void EditKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  void EditKeyPress(TObject* sender, char32_t& key);
  void EditKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  void EditMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void EditMouseMove(TObject* sender, TShiftState shift, int x, int y);
  void EditMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void EditButtonClick(TObject* sender);
  /// Focuses the first visible record's first editor, with the scroll box
  /// scrolled to its origin; the panel itself never takes the focus.
  void SetFocus() override;

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
  /// OnExit, then the values are applied under usExit, or under
  /// usExitChange when some are pending.
  void DoExit() override;
  /// Sets Resizing while the framework handles the position change.
  void WMWindowPosChanged(TMessage& msg) override;
  /// Re-lays out (outside a pass), then fires OnResize.
  void Resize() override;
  /// Content height: the panel becomes `value` + FrameSize high; ignored
  /// when the alignment fixes the height (left, right, client). It hides
  /// the framework's setter only here; Height by name and through a
  /// TControl still set the outer height.
  virtual void SetHeight(int value);
  /// Content width: as SetHeight; ignored for top, bottom and client.
  virtual void SetWidth(int value);

  // ---- Editors: the steps the editor classes complete ----
  /// The class of the editor for `record`'s slot (0 or 1): the lookup
  /// editor for lookup records, the combo box for pick lists, else the
  /// mask edit.
  virtual const TClass* EditorClass(TFieldRecord* record, int slot);
  /// Binds a created or re-used editor to its record and gives it the
  /// record's and the panel's settings. Returns false for a control that is
  /// not one of the panel's editors; the pass then leaves it unplaced.
  virtual bool BindEditor(TControl* editor, TFieldRecord* record, int slot);
  /// Shows `value` (Null: nothing) in `record`'s editor of `slot`.
  virtual void ShowEditorValue(TControl* editor, TFieldRecord* record, int slot,
                               const Variant& value);
  /// Removes the editor of `record`'s slot: frees it, or parks it when it
  /// has the focus (it cannot be freed inside its own message handling).
  void DestroyEditor(TFieldRecord* record, int slot);

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
  int FrameSize = 0;               // border and bevels, both sides (last pass)
  bool Resizing = false;           // a window-position change is being handled
  bool RelayoutGuard = false;      // the pass repeats itself for a scroll bar
  int LayoutLevel = 0;             // nesting of PaintFields
  int MaxWidth = 0;                // width limit of the content (INT_MAX: none)
  int MaxHeight = 0;               // height limit of the content (INT_MAX: none)
  int MinWidth = 0;                // the content is at least this wide
  int RequiredWidth = 0;           // content width of the last pass
  int RequiredHeight = 0;          // content height of the last pass
  TControl* ParkedEdit = nullptr;  // owned (through the scroll box)
  TPanelLayoutMetrics Metrics;     // of the last pass

 private:
  friend class TPanelLayoutPass;
  void TearDown();
  bool tornDown_ = false;
};

}  // namespace tabulon
