// TfmSetupRecord: the working copy of a dialog's settings, filled from the
// owner when the form is made, edited by the form's boxes and written back
// to the owner, inside the owner's update brackets, when the user confirms.
#include "platform/controls/application.h"
#include "platform/core/resstrings.h"
#include "platform/forms/msgdlg.h"
#include "platform/sysutils/numconv.h"
#include "run/tbnsetup.h"

namespace tabulon {

namespace {

// Message 25111: a record setting that follows the class default.
constexpr int kDefaultValue = 25111;

// The field page is being filled: its change handlers do nothing.
class TFieldUpdate {
 public:
  explicit TFieldUpdate(TfmSetupRecord* form) : form_(form) { form_->BeginFieldUpdate(); }
  ~TFieldUpdate() { form_->EndFieldUpdate(); }
  TFieldUpdate(const TFieldUpdate&) = delete;
  TFieldUpdate& operator=(const TFieldUpdate&) = delete;

 private:
  TfmSetupRecord* form_;
};

// The data-type class a default-page box stands for (its Tag), or -1.
int ClassOf(TObject* sender) {
  auto* box = dynamic_cast<TComponent*>(sender);
  const int index = box ? static_cast<int>(box->GetTag()) : -1;
  return index >= 0 && index < 6 ? index : -1;
}

// The class and the chosen item of a default-page box; false when the
// sender is none or nothing is chosen.
bool ClassChoice(TObject* sender, int& cls, int& item) {
  auto* box = dynamic_cast<TComboBox*>(sender);
  cls = ClassOf(sender);
  item = box ? box->GetItemIndex() : -1;
  return cls >= 0 && item >= 0;
}

// Per class the comparison kind and the count, then the case rule. The
// comparison goes first: a count of two set afterwards turns a partial
// comparison into an initial one, so the target ends with the source's
// pair whatever it held before.
void CopyClassOptions(TFieldsSet* from, TFieldsSet* to) {
  TCompareOptions* compare = to->GetCompareOptions();
  TCountOptions* count = to->GetCountOptions();
  for (int i = 0; i < 6; ++i) {
    compare->SetCompare(i, from->GetCompareOptions()->GetCompare(i));
    count->SetCount(i, from->GetCountOptions()->GetCount(i));
  }
  compare->SetCaseInsensitive(from->GetCompareOptions()->GetCaseInsensitive());
}

}  // namespace

TfmSetupRecord::TfmSetupRecord(TComponent* owner) : TForm(owner) {
  if (TFieldsSet* fs = GetFieldsSet()) {
    TComponent* copy = fs->GetFieldsSetClass()->CreateComponent(Application());
    FFieldsSet = dynamic_cast<TFieldsSet*>(copy);
    if (!FFieldsSet) {
      TObject::Free(copy);
      throw EInvalidCast(fs->GetFieldsSetClass()->ClassName());
    }
    FFieldsSet->SetUpdateAfterOpen(false);
  }
}

TfmSetupRecord::~TfmSetupRecord() { TObject::Free(std::exchange(FFieldsSet, nullptr)); }

TFieldsSet* TfmSetupRecord::GetFieldsSet() const { return dynamic_cast<TFieldsSet*>(GetOwner()); }

TFieldRecord* TfmSetupRecord::SelectedRecord() const {
  if (!cbFields) return nullptr;
  const int index = cbFields->GetItemIndex();
  if (index < 0) return nullptr;
  return dynamic_cast<TFieldRecord*>(cbFields->GetItems()->GetObjects(index));
}

bool TfmSetupRecord::Execute() { return ShowModal() == mrOk; }

// ---- Filling the form ----

void TfmSetupRecord::FormCreate(TObject*) {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet) return;
  // Binding the working copy must never rebuild its records from the dataset.
  FFieldsSet->GetFields()->SetDefaultFields(false);
  TStyleOptions* style = fs->GetStyleOptions();
  SetCtl3D(style->GetCtl3D());
  ReadData();
  ReadFields();
  SetDataSource();
  AddcbFields();
  SetColor(style->GetColor(0));
  GetFont()->Assign(style->GetFont(0));
  if (GetFont()->GetSize() > 14) GetFont()->SetSize(14);
  cbFieldsClick(cbFields);
  UpdateForm();
}

void TfmSetupRecord::ReadData() {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet) return;
  cbAutoEditWidth->SetChecked(fs->GetAutoEditWidth());
  cbAutoSaveValues->SetChecked(fs->GetAutoSaveValues());
  const TColor editColor = fs->GetStyleOptions()->GetColor(1);
  mdHorzMargin->SetText(std::to_string(fs->GetHorzMargin()));
  mdHorzMargin->SetColor(editColor);
  mdVertMargin->SetText(std::to_string(fs->GetVertMargin()));
  mdVertMargin->SetColor(editColor);
  CopyClassOptions(fs, FFieldsSet);
}

void TfmSetupRecord::ReadFields() { CopyFieldRecords(true); }

void TfmSetupRecord::CopyFieldRecords(bool unbound) {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet) return;
  TFieldsList* from = fs->GetFields();
  TFieldsList* to = FFieldsSet->GetFields();
  to->BeginUpdate();
  try {
    to->Clear();
    for (int i = 0; i < from->Count(); ++i) {
      TFieldRecord* original = from->GetItem(i);
      TFieldRecord* copy = to->Add();
      copy->Assign(original);
      if (!unbound) continue;
      // Unbound, the copy still knows its type and caption.
      copy->SetRecordKind(rkCalculated);
      copy->SetDataType(original->GetDataType());
      copy->SetDisplayLabel(original->GetDisplayLabel());
      copy->SetVisible(original->GetVisible());
    }
  } catch (...) {
    to->EndUpdate();
    throw;
  }
  to->EndUpdate();
}

void TfmSetupRecord::SetDataSource() {}

bool TfmSetupRecord::ListsRecord(int index) const {
  TFieldRecord* copy = FFieldsSet->GetFields()->GetItem(index);
  if (!copy->GetVisible() || !FFieldsSet->ValidateFieldRecord(copy)) return false;
  // An unbound copy passes every panel's test; the record it stands for
  // must also be one the owner's panel uses (a filter dialog cannot filter
  // on a memo field, so its memo record is not offered).
  TFieldsSet* fs = GetFieldsSet();
  TFieldsList* originals = fs->GetFields();
  return index >= originals->Count() || fs->ValidateFieldRecord(originals->GetItem(index));
}

void TfmSetupRecord::AddcbFields() {
  if (!FFieldsSet || !cbFields) return;
  TFieldsList* records = FFieldsSet->GetFields();
  for (int i = 0; i < records->Count(); ++i)
    if (ListsRecord(i)) {
      TFieldRecord* r = records->GetItem(i);
      cbFields->GetItems()->AddObject(r->GetDisplayLabel(), r);
    }
  cbFields->SetItemIndex(0);
}

void TfmSetupRecord::UpdateForm() {
  if (SelectedRecord())
    UpdateField();
  else
    UpdateFieldsSet();
}

std::vector<TComboBox*> TfmSetupRecord::CompareBoxes() const {
  return {cbcBoolean, cbcDateTime, cbcFloat, cbcInteger, cbcString};
}

std::vector<TComboBox*> TfmSetupRecord::CountBoxes() const {
  return {cbvBoolean, cbvDateTime, cbvFloat, cbvInteger, cbvString};
}

void TfmSetupRecord::UpdateFieldsSet() {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet) return;
  const TColor editColor = fs->GetStyleOptions()->GetColor(1);
  TCompareOptions* compare = FFieldsSet->GetCompareOptions();
  TCountOptions* count = FFieldsSet->GetCountOptions();
  for (TComboBox* box : CompareBoxes())
    if (const int cls = ClassOf(box); cls >= 0) {
      box->SetItemIndex(compare->GetCompare(cls));
      box->SetColor(editColor);
    }
  for (TComboBox* box : CountBoxes())
    if (const int cls = ClassOf(box); cls >= 0) {
      box->SetItemIndex(count->GetCount(cls));
      box->SetColor(editColor);
    }
  cbCaseSensitive->SetChecked(!compare->GetCaseInsensitive());
}

void TfmSetupRecord::UpdateField() {
  TFieldRecord* r = SelectedRecord();
  if (!r || !FFieldsSet) return;
  TFieldUpdate updating(this);
  const TFieldRecordValues assigned = r->GetAssignedValues();
  const std::string defaultValue = LoadStr(kDefaultValue);
  cbCompare->SetItemIndex(r->GetCompare());
  laCompare->SetCaption(assigned.Contains(frvCompare) ? "" : defaultValue);
  cbCount->SetItemIndex(r->GetCount());
  laCount->SetCaption(assigned.Contains(frvCount) ? "" : defaultValue);
  const bool dependent = FFieldsSet->CaseSensitiveDependent(r->GetDataType());
  cbFieldCaseSensitive->SetVisible(dependent);
  cbFieldCaseSensitive->SetChecked(!r->GetCaseInsensitive());
  laCaseSensitive->SetCaption(dependent && !assigned.Contains(frvCaseInsensitive) ? defaultValue
                                                                                  : "");
}

// ---- Handlers ----

void TfmSetupRecord::cbFieldsClick(TObject*) {
  if (!pcOptions) return;
  if (SelectedRecord()) {
    UpdateField();
    pcOptions->SetActivePage(tsField);
  } else {
    pcOptions->SetActivePage(tsDefault);
  }
}

void TfmSetupRecord::cbcBooleanChange(TObject* sender) {
  int cls = 0, item = 0;
  if (!FFieldsSet || !ClassChoice(sender, cls, item)) return;
  FFieldsSet->GetCompareOptions()->SetCompare(cls, static_cast<TCompareType>(item));
  UpdateFieldsSet();
}

void TfmSetupRecord::cbvBooleanChange(TObject* sender) {
  int cls = 0, item = 0;
  if (!FFieldsSet || !ClassChoice(sender, cls, item)) return;
  FFieldsSet->GetCountOptions()->SetCount(cls, static_cast<TCountType>(item));
  UpdateFieldsSet();
}

void TfmSetupRecord::cbCaseSensitiveClick(TObject*) {
  if (!FFieldsSet) return;
  FFieldsSet->GetCompareOptions()->SetCaseInsensitive(!cbCaseSensitive->GetChecked());
  UpdateFieldsSet();
}

void TfmSetupRecord::cbCompareChange(TObject*) {
  TFieldRecord* r = SelectedRecord();
  if (FUpdateCount > 0 || !r || cbCompare->GetItemIndex() < 0) return;
  r->SetCompare(static_cast<TCompareType>(cbCompare->GetItemIndex()));
  UpdateField();
}

void TfmSetupRecord::cbCountChange(TObject*) {
  TFieldRecord* r = SelectedRecord();
  if (FUpdateCount > 0 || !r || cbCount->GetItemIndex() < 0) return;
  r->SetCount(static_cast<TCountType>(cbCount->GetItemIndex()));
  UpdateField();
}

void TfmSetupRecord::cbFieldCaseSensitiveClick(TObject*) {
  TFieldRecord* r = SelectedRecord();
  if (FUpdateCount > 0 || !r) return;
  r->SetCaseInsensitive(!cbFieldCaseSensitive->GetChecked());
  UpdateField();
}

// ---- Committing ----

void TfmSetupRecord::ReadMargins(int& horz, int& vert) const {
  horz = StrToInt(mdHorzMargin->GetText());
  vert = StrToInt(mdVertMargin->GetText());
}

void TfmSetupRecord::FormCloseQuery(TObject*, bool& canClose) {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet || GetModalResult() != mrOk) return;
  // A margin that is no number is refused before anything is committed:
  // the user sees why and corrects it.
  int horz = 0, vert = 0;
  try {
    ReadMargins(horz, vert);
  } catch (const EConvertError& e) {
    canClose = false;
    MessageDlg(e.Message(), mtError, {mbOK}, 0);
    TMaskEdit* wrong = TryStrToInt(mdHorzMargin->GetText(), horz) ? mdVertMargin : mdHorzMargin;
    if (wrong->CanFocus()) wrong->SetFocus();
    return;
  }
  TfmFieldsSet* form = fs->GetForm();
  fs->BeginUpdate();
  if (form) form->BeginUpdate();
  try {
    SaveData();
  } catch (...) {
    if (form) form->EndUpdate();
    fs->EndUpdate();
    throw;
  }
  if (form) form->EndUpdate();
  fs->EndUpdate();
}

void TfmSetupRecord::SaveData() {
  TFieldsSet* fs = GetFieldsSet();
  if (!fs || !FFieldsSet) return;
  int horz = 0, vert = 0;
  ReadMargins(horz, vert);
  CopyClassOptions(FFieldsSet, fs);
  // A record's own settings go back by position; those that follow the
  // class default stay so.
  TFieldsList* originals = fs->GetFields();
  TFieldsList* copies = FFieldsSet->GetFields();
  originals->BeginUpdate();
  try {
    for (int i = 0; i < originals->Count() && i < copies->Count(); ++i) {
      TFieldRecord* r = copies->GetItem(i);
      TFieldRecord* o = originals->GetItem(i);
      const TFieldRecordValues assigned = r->GetAssignedValues();
      if (assigned.Contains(frvCompare)) o->SetCompare(r->GetCompare());
      if (assigned.Contains(frvCount)) o->SetCount(r->GetCount());
      if (assigned.Contains(frvCaseInsensitive)) o->SetCaseInsensitive(r->GetCaseInsensitive());
    }
  } catch (...) {
    originals->EndUpdate();
    throw;
  }
  originals->EndUpdate();
  fs->SetAutoEditWidth(cbAutoEditWidth->GetChecked());
  fs->SetAutoSaveValues(cbAutoSaveValues->GetChecked());
  fs->SetHorzMargin(horz);
  fs->SetVertMargin(vert);
}

}  // namespace tabulon
