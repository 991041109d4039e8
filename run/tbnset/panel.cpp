// TPanelFieldsSet: construction and teardown in their fixed order, the
// published settings, the guard against foreign child controls, and the
// inner scroll box.
#include "run/tbnset/panel.h"

#include "platform/controls/messages.h"
#include "platform/db/dataset.h"
#include "run/tbnset/errors.h"

namespace tabulon {

// ---- TScrollingFieldsSet ----

TScrollingFieldsSet::TScrollingFieldsSet(TComponent* owner) : TScrollingWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  // The layout pass sets the scroll ranges itself.
  SetAutoScroll(false);
}

void TScrollingFieldsSet::WndProc(TMessage& msg) {
  if (msg.Msg >= WM_MOUSEFIRST && msg.Msg <= WM_MOUSELAST) {
    if (auto* panel = dynamic_cast<TPanelFieldsSet*>(GetParent())) {
      int x = GetXLParam(msg.LParam) + GetLeft();
      int y = GetYLParam(msg.LParam) + GetTop();
      msg.Result = panel->Perform(msg.Msg, msg.WParam, MakeLParam(x, y));
      return;
    }
  }
  TScrollingWinControl::WndProc(msg);
}

// ---- TPanelFieldsSet ----

TPanelFieldsSet::TPanelFieldsSet(TComponent* owner, TStyleOptionsFactory styleFactory)
    : TCustomPanel(owner), TFieldsSetModel() {
  // The model's constructor made the data link, the count and compare
  // options and the captions; the field list is the descendant's.
  InternalInsert = true;
  SetBorderWidth(2);
  StepHeight = 2;
  StyleOptions.reset(styleFactory ? styleFactory(this) : new TStyleOptions(this));
  MeasureLabel = std::make_unique<TLabel>(nullptr);
  TControlStyle style = GetControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  UpdateState = usAuto;
  ScrollingFieldsSet = new TScrollingFieldsSet(nullptr);
  ScrollingFieldsSet->SetAlign(alClient);
  ScrollingFieldsSet->SetParent(this);
  InternalInsert = false;
}

TPanelFieldsSet::~TPanelFieldsSet() { TearDown(); }

void TPanelFieldsSet::BeforeDestruction() {
  TCustomPanel::BeforeDestruction();
  TearDown();
}

void TPanelFieldsSet::TearDown() {
  if (tornDown_) return;
  tornDown_ = true;
  // The link stops telling the panel first: a descendant's SetOldDataSet
  // may change the dataset, which then notifies its links.
  if (DataLink) DataLink->Panel = nullptr;
  delete std::exchange(Fields, nullptr);
  if (TScrollingFieldsSet* box = std::exchange(ScrollingFieldsSet, nullptr)) TObject::Free(box);
  StyleOptions.reset();
  // Count and compare options, SetOldDataSet with the linked dataset, the
  // link, the captions: in that order.
  DestroyFieldsSet();
  MeasureLabel.reset();
}

void TPanelFieldsSet::PaintComponent() { PaintPanel(); }

void TPanelFieldsSet::PaintPanel() { Invalidate(); }

void TPanelFieldsSet::SetStepHeight(int value) {
  if (value == StepHeight) return;
  StepHeight = value;
  WndChanged();
}

void TPanelFieldsSet::SetAutoEditWidth(bool value) {
  if (value == AutoEditWidth) return;
  AutoEditWidth = value;
  WndChanged();
}

void TPanelFieldsSet::SetAutoSize(bool value) {
  if (value == AutoSize) return;
  AutoSize = value;
  if (value) WndChanged();
}

void TPanelFieldsSet::SetPosState(TPosState value) {
  if (value == PosState) return;
  PosState = value;
  WndChanged();
}

void TPanelFieldsSet::SetEditCursor(TCursor value) {
  if (value == EditCursor) return;
  EditCursor = value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TPanelFieldsSet::ValidateInsert(TComponent* component) {
  if (component != this && ComponentState().Contains(csDesigning) && !InternalInsert)
    TabulonError(25113, {std::string(ClassName())});
  TCustomPanel::ValidateInsert(component);
}

void TPanelFieldsSet::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation == opRemove && !tornDown_) DataSourceRemoved(component);
}

void TPanelFieldsSet::Loaded() {
  TCustomPanel::Loaded();
  // The framework hands the parent's colour and font over only when the
  // panel's own follow it; the text and edit styles may follow on their own.
  if (GetParent()) {
    if (!GetParentColor()) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (!GetParentFont()) Perform(CM_PARENTFONTCHANGED, 0, 0);
  }
  SetLoadProperties();
}

}  // namespace tabulon
