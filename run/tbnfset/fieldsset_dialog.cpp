// TFieldsSet: the dialog component's own settings, its panel made on first
// use, and what changes of the settings do to an open form.
#include "platform/streaming/filer.h"
#include "run/tbnfset.h"

namespace tabulon {

TFieldsSet::TFieldsSet(TComponent* owner) : TComponent(owner), FIcon(std::make_unique<TIcon>()) {
  FIcon->OnChange = TNotifyEvent(this, &TFieldsSet::IconChanged);
  // The panel is made by GetPanel: only once this object is complete does
  // CreatePanelFieldsSet reach the override of the class actually created.
}

TFieldsSet::~TFieldsSet() {
  // Marked as dying first, so that nothing reached from here makes a new panel.
  Destroying();
  if (TfmFieldsSet* form = std::exchange(FForm, nullptr)) TObject::Free(form);
  if (TPanelFieldsSet* panel = std::exchange(FPanel, nullptr)) TObject::Free(panel);
  FIcon.reset();
}

TPanelFieldsSet* TFieldsSet::GetPanel() const {
  if (!FPanel && !ComponentState().Contains(csDestroying)) {
    auto* self = const_cast<TFieldsSet*>(this);
    TPanelFieldsSet* panel = self->CreatePanelFieldsSet();
    FPanel = panel;
    panel->SetParentFont(false);
    panel->SetParentColor(false);
    panel->SetParentCtl3D(false);
    panel->SetChangeCursor(true);
  }
  return FPanel;
}

void TFieldsSet::Loaded() {
  TComponent::Loaded();
  GetPanel()->SetLoadProperties();
}

void TFieldsSet::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  GetPanel()->DefineValuesProperties(filer);
}

void TFieldsSet::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FPanel) FPanel = nullptr;
  if (component == FForm) FForm = nullptr;
}

void TFieldsSet::SetHorzMargin(int value) {
  if (value == FHorzMargin) return;
  FHorzMargin = value;
  GetPanel()->WndChanged();
}

void TFieldsSet::SetVertMargin(int value) {
  if (value == FVertMargin) return;
  FVertMargin = value;
  GetPanel()->WndChanged();
}

void TFieldsSet::SetTitle(const std::string& value) {
  if (value == FTitle) return;
  FTitle = value;
  GetPanel()->WndChanged();
}

void TFieldsSet::SetOptions(TStateOptions value) {
  if (value == FOptions) return;
  FOptions = value;
  if (!FForm) return;
  FForm->SetOptions();
  // A top bar shown or hidden changes the room the panel has.
  FForm->Changed();
}

void TFieldsSet::SetIcon(TIcon* value) {
  if (value)
    FIcon->Assign(value);
  else
    FIcon->SetImage(nullptr);
}

void TFieldsSet::IconChanged(TObject*) {
  if (FForm) FForm->SetIcon(FIcon.get());
}

void TFieldsSet::FormActivate(TObject* sender) { OnFormActivate(sender); }

}  // namespace tabulon
