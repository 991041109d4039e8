// TQXLookupEdit: searching the list field while typing, following the key,
// arrow stepping through the list dataset, and the drop-down data list.
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnlookup.h"

namespace tabulon {

namespace {
constexpr uint16_t kVkUp = 0x26, kVkDown = 0x28;

using lookup_detail::ScanDataSet;
using lookup_detail::TScanMode;

// Re-enables a dataset's controls when the scope ends.
struct ControlsDisabled {
  explicit ControlsDisabled(TDataSet* ds) : ds(ds) {
    if (ds) ds->DisableControls();
  }
  ~ControlsDisabled() {
    if (ds) ds->EnableControls();
  }
  TDataSet* ds;
};

bool Searchable(TField* f) {
  return f->GetFieldKind() == fkData || f->GetFieldKind() == fkInternalCalc;
}
}  // namespace

TQXLookupEdit::TQXLookupEdit(TComponent* owner) : TCustomQXLookupEdit(owner) {}

void TQXLookupEdit::CreatePopup(TWinControl*& popup) { popup = new TQXPopupDataList(this); }

TSearchState TQXLookupEdit::GetSearchState() const {
  if (locate_ != loAuto && !GetListVisible()) return ssExact;
  TField* f = GetListFieldObject();
  if (!f) return ssExact;
  TFieldType t = f->GetDataType();
  return t == ftString || t == ftMemo || t == ftFmtMemo ? ssNearest : ssExact;
}

bool TQXLookupEdit::PartialSearching(const std::string& s) {
  TDataSet* ds = ListDataSet();
  TField* f = GetListFieldObject();
  if (!ds || !f) return false;
  try {
    if (Searchable(f))
      return ds->Locate(f->GetFieldName(), Variant(s), {loCaseInsensitive, loPartialKey});
    return ScanDataSet(ds, f, Variant(s), TScanMode::Prefix);
  } catch (const Exception&) {
    return false;  // a failing search finds nothing
  }
}

bool TQXLookupEdit::ExactSearching(const std::string& s) {
  TDataSet* ds = ListDataSet();
  TField* f = GetListFieldObject();
  if (!ds || !f) return false;
  try {
    if (Searchable(f)) return ds->Locate(f->GetFieldName(), Variant(s), {loCaseInsensitive});
    return ScanDataSet(ds, f, Variant(s), TScanMode::WholeText);
  } catch (const Exception&) {
    return false;  // a failing search finds nothing
  }
}

bool TQXLookupEdit::DoSearch(bool exact) {
  TDataSet* ds = ListDataSet();
  if (!ds) return false;
  ControlsDisabled disabled(ds);
  bool found = false;
  if (!TextIsNull()) {
    const std::string u = AnsiUpperCase(GetText());
    found = exact ? ExactSearching(u) : PartialSearching(u);
  }
  if (found) {
    // The list dataset stands on the found record: the key change need not locate it.
    searchFound_ = true;
    try {
      SelectKeyValue(GetKeyFieldObject()->GetValue());
    } catch (...) {
      searchFound_ = false;
      throw;
    }
    searchFound_ = false;
    // The same key as before does not reach KeyValueChanged: the text is
    // completed here as well.
    SetText(GetListFieldObject()->GetEditText());
    if (GetListVisible()) SelectListCurrent();
  } else {
    SelectKeyValue(Null);
    if (GetListVisible()) {
      GetDataList()->SetKeyValue(Null);
      ds->First();
    }
  }
  return found;
}

void TQXLookupEdit::SelectListCurrent() {
  if (TField* key = GetKeyFieldObject()) GetDataList()->SetKeyValue(key->GetValue());
}

void TQXLookupEdit::KeyValueChanged() {
  if (GetListActive()) {
    const bool onRecord = (selecting_ || searchFound_) &&
                          SameKeyValue(GetKeyFieldObject()->GetValue(), GetKeyValue());
    if (onRecord || LocateKey()) {
      SetText(GetListFieldObject()->GetEditText());
      if (GetListVisible()) SelectListCurrent();
      Invalidate();
      return;
    }
  }
  if (GetListVisible()) {
    GetDataList()->SetKeyValue(Null);
    if (TDataSet* ds = ListDataSet()) ds->First();
  }
  Invalidate();
}

void TQXLookupEdit::UpdateListFields() {
  inherited::UpdateListFields();
  // The text is searched in the (new) list and the key follows it.
  Change();
}

void TQXLookupEdit::KeyDown(uint16_t& key, TShiftState shift) {
  inherited::KeyDown(key, shift);
  if (!CanModify() || GetListVisible() || (key != kVkUp && key != kVkDown)) return;
  TDataSet* ds = ListDataSet();
  if (!LocateKey())
    ds->First();
  else
    ds->MoveBy(key == kVkUp ? -1 : 1);
  SelectKeyValue(GetKeyFieldObject()->GetValue());
  key = 0;
}

void TQXLookupEdit::DoBeforeShow() {
  inherited::DoBeforeShow();
  if (GetListActive()) {
    TQXPopupDataList* list = GetDataList();
    TWinControlCrack::Style(list, GetColor(), GetFont());
    list->SetReadOnly(!CanModify());
    const int records = ListDataSet()->GetRecordCount();
    list->SetRowCount(records > 0 && records < dropDownRows_ ? records : dropDownRows_);
    SetDropDownHeight(list->GetHeight());
    list->SetKeyFieldName(GetKeyFieldName());
    std::string names;
    int index = 0;
    const auto& fields = GetListFieldObjects();
    for (size_t i = 0; i < fields.size(); ++i) {
      names += fields[i]->GetFieldName() + ";";
      if (fields[i] == GetListFieldObject()) index = static_cast<int>(i);
    }
    list->SetListFieldName(names);
    list->SetListFieldIndex(index);
    list->SetListSource(GetListSource());
  }
  // With loBeforeDropDown and no key the current text is searched before the
  // list shows; the list then marks what the search found.
  if (locate_ == loBeforeDropDown && GetKeyValue().IsNull()) Change();
  GetDataList()->SetKeyValue(GetKeyValue());
}

void TQXLookupEdit::DoAfterCloseUp(bool accept) {
  TQXPopupDataList* list = GetDataList();
  const Variant v = list->GetKeyValue();
  list->SetListSource(nullptr);
  if (accept && CanModify()) {
    selecting_ = true;
    try {
      SelectKeyValue(v);
    } catch (...) {
      selecting_ = false;
      throw;
    }
    selecting_ = false;
  }
  inherited::DoAfterCloseUp(accept);
}

void TQXLookupEdit::CMCtl3DChanged(TMessage& msg) {
  if (HandleAllocated()) RecreateWnd();
  inherited::CMCtl3DChanged(msg);
}

}  // namespace tabulon
