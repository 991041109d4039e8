// TSQLiteConnection: one SQLite database file, opened on demand by the
// datasets that use it. All SQLite failures of the layer pass through
// RaiseSQLiteError, which turns the result code and SQLite's own message
// into EDatabaseError.
#pragma once

#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/variants/variant.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tabulon {

class TSQLiteDataSet;

/// A connection to a SQLite database file.
class TSQLiteConnection : public TComponent {
  TBN_CLASS(TSQLiteConnection, TComponent)
 public:
  explicit TSQLiteConnection(TComponent* owner);
  /// Closes the datasets using the connection, then the database.
  ~TSQLiteConnection() override;

  /// Path of the database file (":memory:" for a private in-memory database).
  const std::string& GetFileName() const { return fileName_; }
  /// EDatabaseError while connected.
  void SetFileName(const std::string& value);
  /// Open the file read-only.
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  /// Create the file when it does not exist (otherwise a missing file is an error).
  bool GetCreateIfMissing() const { return createIfMissing_; }
  void SetCreateIfMissing(bool value) { createIfMissing_ = value; }
  bool GetConnected() const { return db_ != nullptr; }
  /// Opens or closes the database; closing closes the datasets first.
  void SetConnected(bool value);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  /// The database handle, opening the file on first use.
  sqlite3* Handle();
  /// Runs one or more statements; `params` are bound to the ? or ?NNN
  /// placeholders of a single statement (never spliced into the text).
  /// Returns the number of rows changed by the last statement.
  int ExecSQL(const std::string& sql, const std::vector<Variant>& params = {});
  /// Names of the tables of the database, sorted.
  std::vector<std::string> GetTableNames();

  void Loaded() override;

 private:
  friend class TSQLiteDataSet;
  void AddDataSet(TSQLiteDataSet* d);
  void RemoveDataSet(TSQLiteDataSet* d);

  std::string fileName_;
  bool readOnly_ = false;
  bool createIfMissing_ = false;
  bool streamedConnected_ = false;
  sqlite3* db_ = nullptr;
  std::vector<TSQLiteDataSet*> dataSets_;  // not owned
};

/// Raises EDatabaseError with SQLite's message for result code `rc`
/// (prefixed by the component's name when it has one).
[[noreturn]] void RaiseSQLiteError(sqlite3* db, int rc, const TComponent* component);
/// Binds `value` to parameter `index` (1-based) of `stmt`: Null and empty as
/// NULL, integers and booleans as integers, floats and currency as reals,
/// dates as ISO text, texts as text.
int BindVariant(sqlite3_stmt* stmt, int index, const Variant& value);
/// `name` as a quoted SQL identifier ("a""b").
std::string QuoteIdentifier(const std::string& name);

}  // namespace tabulon
