// TClientDataSet: creation, emptying and the file entry points.
#include "platform/db/client_dataset.h"

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
  Open();
}

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  ClearRecords();
  LayoutStore();
  RecordsReplaced();
}

void TClientDataSet::LoadFromString(const std::string& text, const std::string& sourceName) {
  Close();
  created_ = false;
  LoadNative(text, sourceName);
  created_ = true;
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
  Open();
}

void TClientDataSet::SaveToFile(const std::string& fileName) {
  CheckActive();
  CheckBrowseMode();
  std::string text = LowerCase(fileName).ends_with(".csv") ? SaveCsv() : SaveNative();
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) DatabaseErrorFmt(DbMsg("SDataFileWriteError"), {fileName, "cannot create"}, this);
  out << text;
  out.close();
  if (!out) DatabaseErrorFmt(DbMsg("SDataFileWriteError"), {fileName, "write failed"}, this);
}

}  // namespace tabulon
