// SQLite connections and the single conversion of SQLite errors.
#include "platform/db/sqlite_connection.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

#include "platform/core/class_builder.h"
#include "platform/db/db_error.h"
#include "platform/db/db_types.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/db/value_text.h"

namespace tabulon {

TBN_REGISTER(TSQLiteConnection) {
  b.Property("FileName", &TSQLiteConnection::GetFileName, &TSQLiteConnection::SetFileName);
  b.Property("ReadOnly", &TSQLiteConnection::GetReadOnly, &TSQLiteConnection::SetReadOnly)
      .Default(false);
  b.Property("CreateIfMissing", &TSQLiteConnection::GetCreateIfMissing,
             &TSQLiteConnection::SetCreateIfMissing)
      .Default(false);
  b.Property("Connected", &TSQLiteConnection::GetConnected, &TSQLiteConnection::SetConnected)
      .Default(false);
}

void RaiseSQLiteError(sqlite3* db, int rc, const TComponent* component) {
  std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (msg.empty() || msg == "not an error") msg = sqlite3_errstr(rc);
  DatabaseErrorFmt(DbMsg("SSQLiteError"), {msg}, component);
}

std::string QuoteIdentifier(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

int BindVariant(sqlite3_stmt* stmt, int index, const Variant& v) {
  switch (VarType(v)) {
    case varEmpty:
    case varNull:
      return sqlite3_bind_null(stmt, index);
    case varSmallint:
    case varInteger:
    case varByte:
    case varInt64:
      return sqlite3_bind_int64(stmt, index, v.AsInt64());
    case varBoolean:
      return sqlite3_bind_int(stmt, index, v.AsBoolean() ? 1 : 0);
    case varSingle:
    case varDouble:
      return sqlite3_bind_double(stmt, index, v.AsDouble());
    case varCurrency:
      return sqlite3_bind_double(stmt, index, v.AsCurrency().ToDouble());
    case varDate: {
      double d = v.AsDate();
      TFieldType t = d == std::floor(d) ? ftDate : ftDateTime;
      std::string s = detail::IsoDateText(d, t);
      return sqlite3_bind_text(stmt, index, s.c_str(), static_cast<int>(s.size()),
                               SQLITE_TRANSIENT);
    }
    default: {
      std::string s = v.AsString();
      return sqlite3_bind_text(stmt, index, s.c_str(), static_cast<int>(s.size()),
                               SQLITE_TRANSIENT);
    }
  }
}

TSQLiteConnection::TSQLiteConnection(TComponent* owner) : TComponent(owner) {}

TSQLiteConnection::~TSQLiteConnection() {
  Destroying();
  for (TSQLiteDataSet* d : std::vector<TSQLiteDataSet*>(dataSets_)) d->SetConnection(nullptr);
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

void TSQLiteConnection::SetFileName(const std::string& value) {
  if (value == fileName_) return;
  if (db_) DatabaseError(DbMsg("SConnectionInUse"), this);
  fileName_ = value;
}

void TSQLiteConnection::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  if (db_) DatabaseError(DbMsg("SConnectionInUse"), this);
  readOnly_ = value;
}

void TSQLiteConnection::Loaded() {
  TComponent::Loaded();
  if (streamedConnected_) {
    streamedConnected_ = false;
    SetConnected(true);
  }
}

void TSQLiteConnection::SetConnected(bool value) {
  if (ComponentState().Contains(csLoading)) {
    streamedConnected_ = value;
    return;
  }
  if (value == GetConnected()) return;
  if (value) {
    if (fileName_.empty()) DatabaseError(DbMsg("SNoDatabaseFile"), this);
    int flags = readOnly_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (createIfMissing_ && !readOnly_) flags |= SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(fileName_.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
      std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
      sqlite3_close_v2(db);
      DatabaseErrorFmt(DbMsg("SDatabaseOpenError"), {fileName_, msg}, this);
    }
    sqlite3_extended_result_codes(db, 1);
    // A file that is not a database is only noticed on first read: check now
    // so that opening reports it.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      std::string msg = sqlite3_errmsg(db);
      sqlite3_close_v2(db);
      DatabaseErrorFmt(DbMsg("SDatabaseOpenError"), {fileName_, msg}, this);
    }
    db_ = db;
  } else {
    for (TSQLiteDataSet* d : std::vector<TSQLiteDataSet*>(dataSets_)) d->Close();
    sqlite3_close_v2(db_);
    db_ = nullptr;
  }
}

sqlite3* TSQLiteConnection::Handle() {
  if (!db_) SetConnected(true);
  return db_;
}

int TSQLiteConnection::ExecSQL(const std::string& sql, const std::vector<Variant>& params) {
  sqlite3* db = Handle();
  const char* tail = sql.c_str();
  const char* end = tail + sql.size();
  int changes = 0;
  while (tail < end) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, tail, static_cast<int>(end - tail), &stmt, &tail);
    if (rc != SQLITE_OK) RaiseSQLiteError(db, rc, this);
    if (!stmt) continue;  // blank text or a comment
    struct Finalize {
      sqlite3_stmt* s;
      ~Finalize() { sqlite3_finalize(s); }
    } fin{stmt};
    int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count && i <= static_cast<int>(params.size()); ++i) {
      rc = BindVariant(stmt, i, params[static_cast<size_t>(i - 1)]);
      if (rc != SQLITE_OK) RaiseSQLiteError(db, rc, this);
    }
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) RaiseSQLiteError(db, rc, this);
    changes = sqlite3_changes(db);
  }
  return changes;
}

std::vector<std::string> TSQLiteConnection::GetTableNames() {
  sqlite3* db = Handle();
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db,
                              "SELECT name FROM sqlite_schema WHERE type='table' AND name NOT LIKE "
                              "'sqlite_%' ORDER BY name",
                              -1, &stmt, nullptr);
  if (rc != SQLITE_OK) RaiseSQLiteError(db, rc, this);
  std::vector<std::string> out;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
    out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) RaiseSQLiteError(db, rc, this);
  return out;
}

void TSQLiteConnection::AddDataSet(TSQLiteDataSet* d) {
  if (std::find(dataSets_.begin(), dataSets_.end(), d) == dataSets_.end()) dataSets_.push_back(d);
}

void TSQLiteConnection::RemoveDataSet(TSQLiteDataSet* d) {
  dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), d), dataSets_.end());
}

}  // namespace tabulon
