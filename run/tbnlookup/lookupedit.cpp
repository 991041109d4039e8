// TCustomQXLookupEdit: the list link, field resolution, the key value and
// locating it in the list dataset; the record-by-record scan.
#include "platform/core/format.h"
#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnlookup.h"

namespace tabulon {

void TListSourceLink::ActiveChanged() {
  if (edit_) edit_->UpdateListFields();
}
void TListSourceLink::DataSetChanged() {
  if (edit_) edit_->ListLinkDataChanged();
}
void TListSourceLink::LayoutChanged() {
  if (edit_) edit_->UpdateListFields();
}

namespace lookup_detail {

bool ScanDataSet(TDataSet* ds, TField* field, const Variant& value, TScanMode mode) {
  const std::string s = mode == TScanMode::Exact ? std::string() : VarToStr(value);
  const size_t len = Utf8Length(s);
  struct Enable {
    TDataSet* ds;
    ~Enable() { ds->EnableControls(); }
  };
  ds->DisableControls();
  Enable enable{ds};
  for (ds->First(); !ds->GetEof(); ds->Next()) {
    bool match = false;
    if (mode == TScanMode::Exact) {
      match = VarEquals(field->GetValue(), value);
    } else {
      std::string text = field->GetAsString();
      if (mode == TScanMode::Prefix) {
        // The first len code points.
        size_t i = 0, n = 0;
        while (i < text.size() && n < len) {
          ++n;
          ++i;
          while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        }
        text.resize(i);
      }
      match = AnsiCompareText(text, s) == 0;
    }
    if (match) {
      // The record is made current again through a bookmark.
      TBookmark b = ds->GetBookmark();
      ds->GotoBookmark(b);
      ds->FreeBookmark(b);
      return true;
    }
  }
  return false;
}

}  // namespace lookup_detail

TCustomQXLookupEdit::TCustomQXLookupEdit(TComponent* owner)
    : TCustomLookupEdit(owner), listLink_(std::make_unique<TListSourceLink>(this)) {
  SetParentColor(false);
  SetTabStop(true);
  SetButtonVisible(true);
}

TCustomQXLookupEdit::~TCustomQXLookupEdit() {
  listFields_.clear();
  listLink_->Detach();
  listLink_.reset();
}

TDataSet* TCustomQXLookupEdit::ListDataSet() const {
  return listLink_->GetActive() ? listLink_->GetDataSet() : nullptr;
}

void TCustomQXLookupEdit::SetKeyFieldName(const std::string& v) {
  if (v == keyFieldName_) return;
  keyFieldName_ = v;
  UpdateListFields();
}

void TCustomQXLookupEdit::SetListFieldName(const std::string& v) {
  if (v == listFieldName_) return;
  listFieldName_ = v;
  UpdateListFields();
}

void TCustomQXLookupEdit::SetListSource(TDataSource* v) {
  listLink_->SetDataSource(v);
  if (v) v->FreeNotification(this);
}

void TCustomQXLookupEdit::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && listLink_ && component == GetListSource()) SetListSource(nullptr);
}

void TCustomQXLookupEdit::SetKeyValue(const Variant& v) {
  if (SameKeyValue(v, keyValue_)) return;
  keyValue_ = v;
  KeyValueChanged();
}

void TCustomQXLookupEdit::SelectKeyValue(const Variant& v) {
  SetKeyValue(v);
  Repaint();
  Click();
}

bool TCustomQXLookupEdit::LocateKey() {
  TDataSet* ds = ListDataSet();
  if (keyValue_.IsNull() || !ds || !keyField_) return false;
  try {
    const TFieldKind kind = keyField_->GetFieldKind();
    if (kind == fkData || kind == fkInternalCalc) return ds->Locate(keyFieldName_, keyValue_, {});
    return lookup_detail::ScanDataSet(ds, keyField_, keyValue_, lookup_detail::TScanMode::Exact);
  } catch (const Exception&) {
    return false;  // a key that cannot be located is not found
  }
}

void TCustomQXLookupEdit::UpdateListFields() {
  SetListActive(false);
  keyField_ = nullptr;
  listField_ = nullptr;
  listFields_.clear();
  TDataSet* ds = ListDataSet();
  if (!ds || keyFieldName_.empty()) return;
  keyField_ = GetFieldProperty(ds, this, keyFieldName_);
  try {
    ds->GetFieldList(listFields_, listFieldName_);
  } catch (const Exception&) {
    listFields_.clear();
    keyField_ = nullptr;
    // Named like a missing key field: "edit: Field 'list fields' not found".
    DatabaseErrorFmt(DbMsg("SFieldNotFound"), {listFieldName_}, this);
  }
  if (listFields_.empty()) listFields_.push_back(keyField_);
  const auto n = static_cast<int>(listFields_.size());
  listField_ = listFields_[static_cast<size_t>(
      listFieldIndex_ >= 0 && listFieldIndex_ < n ? listFieldIndex_ : 0)];
  SetListActive(true);
}

void TCustomQXLookupEdit::WMGetDlgCode(TMessage& msg) {
  msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  // While the list is open, Enter and Escape close it (see the popup edit).
  if (GetListVisible()) msg.Result |= DLGC_WANTALLKEYS;
}

void TCustomQXLookupEdit::WMSetFocus(TMessage& msg) {
  inherited::WMSetFocus(msg);
  Invalidate();
}

void TCustomQXLookupEdit::WMKillFocus(TMessage& msg) {
  inherited::WMKillFocus(msg);
  Invalidate();
}

void TCustomQXLookupEdit::CMEnabledChanged(TMessage& msg) {
  inherited::CMEnabledChanged(msg);
  Invalidate();
}

}  // namespace tabulon
