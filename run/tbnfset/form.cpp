// TfmFieldsSet: the modal form of a dialog component. It parents the
// component's panel, fits itself around it and brackets one showing: the
// panel's values are saved and the field list's update bracket opened at
// the first activation, and both are released exactly once when the form
// really closes (restoring the values on Cancel).
#include "platform/controls/application.h"
#include "platform/forms/maskedit.h"
#include "run/tbnfset.h"

namespace tabulon {

TfmFieldsSet::TfmFieldsSet(TComponent* owner) : TForm(owner) {}

TfmFieldsSet::~TfmFieldsSet() {
  // Execute ends every showing it starts, also when an exception passes;
  // a form freed in the middle of one still releases what it holds. A
  // destructor cannot report a failure of the restoring dataset update.
  try {
    FinishShowing(false);
  } catch (...) {
  }
  TFieldsSetModel::ClearBfr(FBuffer);
  delete std::exchange(FBuffer, nullptr);
  if (TFieldsSet* fs = GetFieldsSet(); fs && FBuilt) {
    if (fs->FForm == this) fs->FForm = nullptr;
    if (TPanelFieldsSet* panel = fs->FPanel; panel && panel->GetParent() == this)
      panel->SetParent(nullptr);
  }
}

TFieldsSet* TfmFieldsSet::GetFieldsSet() const { return dynamic_cast<TFieldsSet*>(GetOwner()); }

void TfmFieldsSet::DoCreate() {
  FCaption = GetCaption();
  if (TFieldsSet* fs = GetFieldsSet(); fs && !FBuilt) {
    FBuilt = true;
    SetHelpContext(fs->GetHelpContext());
    SetOptions();
    fs->GetPanel()->SetParent(this);
    fs->FForm = this;
    UpdateForm();
  }
  TForm::DoCreate();
}

bool TfmFieldsSet::Execute() {
  TModalResult result;
  try {
    result = ShowModal();
  } catch (...) {
    FinishShowing(true);
    throw;
  }
  // The close query has ended the showing; a loop that ended otherwise
  // ends it here.
  FinishShowing(result != mrOk);
  return result == mrOk;
}

void TfmFieldsSet::SetOptions() {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !paClear || !paSetup || !paHelp || !paCancel) return;
  const TStateOptions options = fs->GetOptions();
  paClear->SetVisible(options.Contains(soClear));
  paClear->SetLeft(0);
  paSetup->SetVisible(options.Contains(soSetup));
  paHelp->SetVisible(options.Contains(soHelp));
  OrderBottomButtons();
}

void TfmFieldsSet::OrderBottomButtons() {
  if (!paBottom) return;
  // Right-aligned panels are ordered by their right edges: each starts
  // where the one before it ends (OK, Next, Cancel, Help), and the bar is
  // aligned once, so that no panel moved on its own jumps to the end.
  paBottom->DisableAlign();
  int left = paOk ? paOk->GetLeft() : 0;
  for (TPanel* pane : {paOk, paNext, paCancel, paHelp}) {
    if (!pane || !pane->GetVisible()) continue;
    pane->SetLeft(left);
    left += pane->GetWidth();
  }
  paBottom->EnableAlign();
}

void TfmFieldsSet::UpdateForm() {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !paTop || !paBottom) return;
  SetCaption(fs->GetTitle().empty() ? FCaption : fs->GetTitle());
  TStyleOptions* style = fs->GetStyleOptions();
  SetColor(style->GetColor(0));
  GetFont()->Assign(style->GetFont(1));
  paTop->GetFont()->Assign(style->GetFont(0));
  if (paTop->GetFont()->GetSize() > 14) paTop->GetFont()->SetSize(14);
  paBottom->GetFont()->Assign(paTop->GetFont());

  TPanelFieldsSet* panel = fs->GetPanel();
  const int border = 2 * panel->GetBorderWidth();
  panel->SetMinWidth(320);
  panel->SetMaxWidth(Screen()->GetWidth() - fs->GetHorzMargin() - (GetWidth() - GetClientWidth()) -
                     2 - border);
  int maxHeight = Screen()->GetHeight() - fs->GetVertMargin() - paBottom->GetHeight() -
                  (GetHeight() - GetClientHeight()) - 2 - border;
  if (paTop->GetVisible()) maxHeight -= paTop->GetHeight();
  panel->SetMaxHeight(maxHeight);
  try {
    panel->PaintFields();
  } catch (...) {
    panel->SetMinWidth(0);
    throw;
  }
  panel->SetMinWidth(0);
  SetIcon(fs->GetIcon());
}

void TfmFieldsSet::EndUpdate() {
  --FUpdateCount;
  Changed();
}

void TfmFieldsSet::Changed() {
  if (FUpdateCount == 0) UpdateForm();
}

void TfmFieldsSet::FormActivate(TObject*) {
  TFieldsSet* fs = GetFieldsSet();
  // The form becomes active again when a nested modal form (the setup
  // form, a message box) closes: the showing has begun already.
  if (!fs || FShowing) return;
  TPanelFieldsSet* panel = fs->GetPanel();
  TFieldsList* fields = panel->GetFields();
  fields->BeginUpdate();
  FShowing = true;
  panel->SetBuffer(FBuffer);
  if (!fs->GetAutoSaveValues()) fs->ClearValues();
  if (panel->CanFocus()) {
    // The first editor when there is one, else the panel itself.
    TWinControl* first = panel->FindNextControl(nullptr, true, true, false);
    (first && first->CanFocus() ? first : static_cast<TWinControl*>(panel))->SetFocus();
  }
  fs->FormActivate(this);
}

void TfmFieldsSet::FormCloseQuery(TObject*, bool& canClose) {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs) return;
  // The text being typed into a mask edit is committed first.
  if (auto* edit = dynamic_cast<TCustomMaskEdit*>(GetActiveControl()); edit && edit->OnExit)
    edit->OnExit(edit);
  if (fs->OnFormClose) {
    const TModalResult result = GetModalResult();
    TCloseState state = result == mrOk ? csOk : result == mrCancel ? csCancel : csNone;
    fs->OnFormClose(this, state);
    SetModalResult(state == csOk ? mrOk : state == csCancel ? mrCancel : mrNone);
    if (state == csNone) {
      // The form stays open: the saved values and the list's bracket stay
      // for the close that really happens.
      canClose = false;
      return;
    }
  }
  FinishShowing(GetModalResult() == mrCancel);
}

void TfmFieldsSet::FinishShowing(bool restore) {
  if (!FShowing) return;
  FShowing = false;
  TFieldsSet* fs = GetFieldsSet();
  TPanelFieldsSet* panel = fs ? fs->FPanel : nullptr;
  TFieldsList* fields = panel ? panel->GetFields() : nullptr;
  if (!fields) {
    TFieldsSetModel::ClearBfr(FBuffer);
    return;
  }
  try {
    if (restore) {
      panel->GetBuffer(FBuffer);
      fields->Changes.Exclude(lcSettings);
    }
  } catch (...) {
    TFieldsSetModel::ClearBfr(FBuffer);
    fields->EndUpdate();
    throw;
  }
  TFieldsSetModel::ClearBfr(FBuffer);
  fields->EndUpdate();
}

void TfmFieldsSet::bbClearClick(TObject*) {
  if (TFieldsSet* fs = GetFieldsSet()) fs->ClearValues();
}

void TfmFieldsSet::bbSetupClick(TObject*) {
  if (TFieldsSet* fs = GetFieldsSet()) fs->ShowSetupForm();
}

void TfmFieldsSet::bbHelpClick(TObject*) {
  if (GetFieldsSet()) Application()->HelpContext(GetHelpContext());
}

}  // namespace tabulon
