// TClientDataSet: creation, emptying and the file entry points.
#include "platform/db/client_dataset.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/core/class_builder.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

TBN_REGISTER(TClientDataSet) {
  b.Property("FieldDefs", &TClientDataSet::GetFieldDefs);
  b.Property("IndexDefs", &TClientDataSet::GetIndexDefs, &TClientDataSet::SetIndexDefs);
  b.Property("IndexName", &TClientDataSet::GetIndexName, &TClientDataSet::SetIndexName);
  b.Property("IndexFieldNames", &TClientDataSet::GetIndexFieldNames,
             &TClientDataSet::SetIndexFieldNames);
  b.Property("FileName", &TClientDataSet::GetFileName, &TClientDataSet::SetFileName);
  b.Property("ReadOnly", &TClientDataSet::GetReadOnly, &TClientDataSet::SetReadOnly).Default(false);
}

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet() {
  Destroying();
  // The base destructor closes, too late to reach this class: save here.
  if (GetActive() && changed_ && !fileName_.empty()) {
    try {
      WriteFile(fileName_);
    } catch (...) {
      // A file that cannot be written cannot stop the destruction.
    }
  }
}

void TClientDataSet::InternalInitFieldDefs() {
  if (created_) return;
  if (!fileName_.empty()) {
    // Definitions and records both come from the data file.
    std::ifstream in(fileName_, std::ios::binary);
    if (!in) DatabaseErrorFmt(DbMsg("SDataFileOpenError"), {fileName_, "file not found"}, this);
    std::stringstream ss;
    ss << in.rdbuf();
    if (LowerCase(fileName_).ends_with(".csv"))
      LoadCsv(ss.str(), fileName_);
    else
      LoadNative(ss.str(), fileName_);
    created_ = true;
    changed_ = false;
    autoIncKnown_ = false;
    return;
  }
  DefsFromFields();
}

void TClientDataSet::DefsFromFields() {
  if (GetFieldDefs()->Count() > 0) return;
  for (int i = 0; i < GetFieldCount(); ++i) {
    TField* f = Fields(i);
    if (f->GetFieldKind() == fkData)
      GetFieldDefs()->Add(f->GetFieldName(), f->GetDataType(), f->GetSize(), f->GetRequired());
  }
}

void TClientDataSet::InternalOpen(bool& keepRecords) {
  keepRecords = true;
  if (created_) return;
  if (GetFieldDefs()->Count() == 0) DatabaseError(DbMsg("SNoFieldDefs"), this);
  LayoutStore();
  created_ = true;
}

void TClientDataSet::CreateDataSet() {
  CheckInactive();
  DefsFromFields();
  if (GetFieldDefs()->Count() == 0) DatabaseError(DbMsg("SNoFieldDefs"), this);
  ClearRecords();
  LayoutStore();
  created_ = true;
  autoIncKnown_ = false;
  Open();
}

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  FindHighestAutoInc();  // auto-increment values are not given twice
  changed_ = true;
  ClearRecords();
  LayoutStore();
  RecordsReplaced();
}

void TClientDataSet::LoadFromString(const std::string& text, const std::string& sourceName) {
  Close();
  created_ = false;
  LoadNative(text, sourceName);
  created_ = true;
  changed_ = !fileName_.empty();
  autoIncKnown_ = false;
  Open();
}

std::string TClientDataSet::SaveToString() {
  CheckActive();
  CheckBrowseMode();
  return SaveNative();
}

void TClientDataSet::LoadFromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) DatabaseErrorFmt(DbMsg("SDataFileOpenError"), {fileName, "file not found"}, this);
  std::stringstream ss;
  ss << in.rdbuf();
  Close();
  created_ = false;
  if (LowerCase(fileName).ends_with(".csv"))
    LoadCsv(ss.str(), fileName);
  else
    LoadNative(ss.str(), fileName);
  created_ = true;
  changed_ = !fileName_.empty() && fileName != fileName_;
  autoIncKnown_ = false;
  Open();
}

void TClientDataSet::SaveToFile(const std::string& fileName) {
  CheckActive();
  CheckBrowseMode();
  WriteFile(fileName);
}

void TClientDataSet::WriteFile(const std::string& fileName) {
  std::string text = LowerCase(fileName).ends_with(".csv") ? SaveCsv() : SaveNative();
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) DatabaseErrorFmt(DbMsg("SDataFileWriteError"), {fileName, "cannot create"}, this);
  out << text;
  out.close();
  if (!out) DatabaseErrorFmt(DbMsg("SDataFileWriteError"), {fileName, "write failed"}, this);
  if (fileName == fileName_) changed_ = false;
}

void TClientDataSet::SetFileName(const std::string& v) {
  if (v == fileName_) return;
  fileName_ = v;
  changed_ = created_ && !v.empty();
}

void TClientDataSet::InternalClose() {
  // A pending edit was dropped by the close; the posted records are saved.
  if (changed_ && !fileName_.empty()) WriteFile(fileName_);
}

void TClientDataSet::InternalDelete(uint32_t) { changed_ = true; }

void TClientDataSet::FindHighestAutoInc() {
  if (autoIncKnown_) return;
  TFieldDefs* defs = GetFieldDefs();
  autoIncHigh_.assign(static_cast<size_t>(defs->Count()), 0);
  for (int c = 0; c < defs->Count(); ++c) {
    if (defs->Items(c)->GetDataType() != ftAutoInc) continue;
    int64_t& high = autoIncHigh_[static_cast<size_t>(c)];
    for (uint32_t slot : NaturalOrder())
      if (!Store().IsNull(slot, c)) high = std::max(high, Store().GetInt(slot, c));
  }
  autoIncKnown_ = true;
}

void TClientDataSet::InternalPost(uint32_t slot, bool inserted) {
  changed_ = true;
  FindHighestAutoInc();
  TFieldDefs* defs = GetFieldDefs();
  for (int c = 0; c < defs->Count() && c < static_cast<int>(autoIncHigh_.size()); ++c) {
    if (defs->Items(c)->GetDataType() != ftAutoInc) continue;
    int64_t& high = autoIncHigh_[static_cast<size_t>(c)];
    // A new record without a value gets one more than the highest so far.
    if (inserted && Store().IsNull(slot, c)) Store().SetInt(slot, c, high + 1);
    if (!Store().IsNull(slot, c)) high = std::max(high, Store().GetInt(slot, c));
  }
}

}  // namespace tabulon
