// The same (ID, NAME) records in a client dataset and in an in-memory SQLite
// table T (ID INTEGER, NAME TEXT), so that a benchmark can set the package's
// searches against SQLite's own over the same rows in the same run.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/db/client_dataset.h"

namespace tabulon {

/// Appends `count` records to `ds` (created, with ID and NAME as its first
/// two fields) and the same rows, in the same order, to a new in-memory
/// SQLite table T; `row(i)` gives record i's ID and NAME, and `sqlIndexes`
/// runs once the rows are in. The caller closes the returned database.
inline sqlite3* LoadTwinTables(TClientDataSet* ds, int count,
                               const std::function<std::pair<int32_t, std::string>(int)>& row,
                               const char* sqlIndexes) {
  ds->Reserve(count);
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  sqlite3_exec(db, "CREATE TABLE T (ID INTEGER, NAME TEXT); BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO T VALUES (?, ?)", -1, &ins, nullptr);
  for (int i = 0; i < count; ++i) {
    const auto [id, name] = row(i);
    ds->AppendRecord({Variant(id), Variant(name)});
    sqlite3_bind_int(ins, 1, id);
    sqlite3_bind_text(ins, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(ins);
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_exec(db, sqlIndexes, nullptr, nullptr, nullptr);
  return db;
}

}  // namespace tabulon
