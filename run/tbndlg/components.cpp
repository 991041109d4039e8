// The panels embedded in the find and filter dialogs: instead of sizing
// themselves they size the dialog's open form around their content and
// centre it on the screen, and a change that would lay them out refits the
// form instead.
#include "platform/controls/application.h"
#include "run/tbndlg.h"

namespace tabulon {

namespace {

TStyleOptions* DialogStyle(TPanelFieldsSet* panel) { return new TFSStyleOptions(panel); }

// The open form of the dialog that owns an embedded panel, or null. Nothing
// is resized while the panel handles its own window-position change.
TfmFieldsSet* FormToFit(const TPanelFieldsSet* panel, const TFieldsSet* owner) {
  if (!owner || panel->GetResizing()) return nullptr;
  TfmFieldsSet* form = owner->GetForm();
  return form && form->paBottom ? form : nullptr;
}

// The form as high as content of height `h` needs, centred vertically.
void FitFormHeight(const TPanelFieldsSet* panel, const TFieldsSet* owner, int h) {
  TfmFieldsSet* form = FormToFit(panel, owner);
  if (!form) return;
  int height = (form->GetHeight() - form->GetClientHeight()) + form->paBottom->GetHeight() + h + 2 +
               2 * owner->GetBorderWidth();
  if (form->paTop && form->paTop->GetVisible()) height += form->paTop->GetHeight();
  form->SetBounds(form->GetLeft(), (Screen()->GetHeight() - height) / 2, form->GetWidth(), height);
}

// The form as wide as content of width `w` needs, centred horizontally.
void FitFormWidth(const TPanelFieldsSet* panel, const TFieldsSet* owner, int w) {
  TfmFieldsSet* form = FormToFit(panel, owner);
  if (!form) return;
  const int width =
      (form->GetWidth() - form->GetClientWidth()) + w + 2 + 2 * owner->GetBorderWidth();
  form->SetBounds((Screen()->GetWidth() - width) / 2, form->GetTop(), width, form->GetHeight());
}

TComponentState OwnerState(const TFieldsSet* owner) {
  return owner ? owner->ComponentState() : TComponentState{csLoading};
}

}  // namespace

// ---- TDBFindComponent ----

TDBFindComponent::TDBFindComponent(TComponent* owner)
    : TDBCustomFindPanel(owner, &DialogStyle), FOwnerSet(dynamic_cast<TFieldsSet*>(owner)) {
  SetAlign(alClient);
  SetUpdateState(usNone);
  if (FOwnerSet) FShowBox = true;
}

TDBFindComponent::~TDBFindComponent() { FOwnerSet = nullptr; }

void TDBFindComponent::PaintComponent() {
  TfmFieldsSet* form = FOwnerSet ? FOwnerSet->GetForm() : nullptr;
  if (!form || LayoutLevel != 0) return;
  if (Resizing)
    TDBCustomFindPanel::PaintComponent();
  else
    form->Changed();
}

TComponentState TDBFindComponent::GetComponentState() const { return OwnerState(FOwnerSet); }

void TDBFindComponent::SetHeight(int value) { FitFormHeight(this, FOwnerSet, value); }
void TDBFindComponent::SetWidth(int value) { FitFormWidth(this, FOwnerSet, value); }

TQXFindIndex* TQXClientFindComponent::CreateFindIndex() { return new TQXClientFindIndex(this); }
TQXFindIndex* TBDEFindComponent::CreateFindIndex() { return new TQXBdeFindIndex(this); }

// ---- TDBFilterComponent ----

TDBFilterComponent::TDBFilterComponent(TComponent* owner)
    : TDBCustomFilterPanel(owner, &DialogStyle), FOwnerSet(dynamic_cast<TFieldsSet*>(owner)) {
  SetAlign(alClient);
}

TDBFilterComponent::~TDBFilterComponent() { FOwnerSet = nullptr; }

void TDBFilterComponent::PaintComponent() {
  TfmFieldsSet* form = FOwnerSet ? FOwnerSet->GetForm() : nullptr;
  if (!form) return;
  if (Resizing)
    TDBCustomFilterPanel::PaintComponent();
  else
    form->Changed();
}

TComponentState TDBFilterComponent::GetComponentState() const { return OwnerState(FOwnerSet); }

void TDBFilterComponent::SetHeight(int value) { FitFormHeight(this, FOwnerSet, value); }
void TDBFilterComponent::SetWidth(int value) { FitFormWidth(this, FOwnerSet, value); }

}  // namespace tabulon
