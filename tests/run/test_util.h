// Small helpers every run-time test file may use: freeing components the
// framework's way, joining traces, the values a dataset shows, the message
// of an expected exception, and playing a script on a shown form.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"
#include "platform/db/client_dataset.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/host/host.h"
#include "platform/host/script.h"

namespace tabulon::test {

/// Frees a component the framework's way.
struct FreeDeleter {
  void operator()(TObject* o) const { TObject::Free(o); }
};
using FormPtr = std::unique_ptr<TComponent, FreeDeleter>;

/// A field definition: name, type and size.
struct TFieldSpec {
  const char* Name;
  TFieldType Type;
  int32_t Size = 0;
};

/// A client dataset owned by `owner` with the given fields, created and
/// holding `rows`.
inline TClientDataSet* NewDataSet(TComponent* owner, const std::vector<TFieldSpec>& fields,
                                  const std::vector<std::vector<Variant>>& rows = {}) {
  auto* ds = new TClientDataSet(owner);
  for (const TFieldSpec& f : fields) ds->GetFieldDefs()->Add(f.Name, f.Type, f.Size);
  ds->CreateDataSet();
  for (const std::vector<Variant>& row : rows) ds->AppendRecord(row);
  return ds;
}

/// An open SQLite database in memory owned by `owner`.
inline TSQLiteConnection* NewMemoryDb(TComponent* owner) {
  auto* db = new TSQLiteConnection(owner);
  db->SetFileName(":memory:");
  db->SetCreateIfMissing(true);
  db->Open();
  return db;
}

/// The entries joined by `sep`.
inline std::string Join(const std::vector<std::string>& entries, const char* sep = " ") {
  std::string s;
  for (const std::string& e : entries) s += (s.empty() ? "" : sep) + e;
  return s;
}

/// The values of `field` (the first field when empty) in the records the
/// dataset shows, from its first record, comma-separated.
inline std::string Column(TDataSet* ds, const std::string& field = "") {
  std::string s;
  for (ds->First(); !ds->GetEof(); ds->Next())
    s += (s.empty() ? "" : ",") +
         (field.empty() ? ds->Fields(0) : ds->FieldByName(field))->GetAsString();
  return s;
}

/// The message of the `E` that `f` raises, or "<no exception>".
template <class E, class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return "<no exception>";
}

/// Runs a script at once on the active (not modal) form.
inline void Play(THost& host, std::string_view script) {
  for (const TScriptStep& step : ParseScript(script)) host.Execute(step);
}

}  // namespace tabulon::test
