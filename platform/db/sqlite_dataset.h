// Datasets over SQLite: TTable reads a whole table (its index definitions
// come from the database schema), TQuery runs the SQL text of its SQL
// property with bound parameters. Both read the result into the layer's
// record store on open, so record numbers, bookmarks, filters, orders and
// keyed search behave as in memory. They are read-only.
//
// Field types come from the declared column types:
//   INTEGER PRIMARY KEY (the rowid)            ftAutoInc
//   ...INT... (INTEGER, INT, MEDIUMINT)        ftInteger (values outside 32 bits are an error)
//   BIGINT, INT8, UNSIGNED BIG INT             ftLargeint
//   SMALLINT, INT2, TINYINT                    ftSmallint
//   WORD                                       ftWord
//   BOOL, BOOLEAN                              ftBoolean
//   CHAR(n), VARCHAR(n), NCHAR(n), NVARCHAR(n) ftString of size n
//   TEXT, CHAR/VARCHAR without a size          ftString of size 255
//   CLOB, MEMO                                 ftMemo
//   REAL, FLOAT, DOUBLE                        ftFloat
//   MONEY, CURRENCY                            ftCurrency
//   NUMERIC(p,s), DECIMAL(p,s) with s <= 4     ftBCD of size s (other NUMERIC: ftFloat)
//   DATE / TIME / DATETIME, TIMESTAMP          ftDate / ftTime / ftDateTime
//   BLOB, BINARY                               ftBlob
//   anything else                              by SQLite's affinity rules (text, blob, float)
//   no declared type (also expressions)        by the first row's value: integer ftLargeint,
//                                              real ftFloat, text ftString(255), blob ftBlob
// Dates are read from ISO text ("2024-03-01 14:30:00"), from reals as
// Julian day numbers and from integers as Unix seconds.
#pragma once

#include <string>

#include "platform/core/collection.h"
#include "platform/core/strings.h"
#include "platform/db/dataset.h"
#include "platform/variants/variant.h"

struct sqlite3_stmt;

namespace tabulon {

class TSQLiteConnection;

/// Base of the SQLite datasets.
class TSQLiteDataSet : public TDataSet {
  TBN_CLASS(TSQLiteDataSet, TDataSet)
 public:
  explicit TSQLiteDataSet(TComponent* owner);
  ~TSQLiteDataSet() override;
  TSQLiteConnection* GetConnection() const { return connection_; }
  /// EDatabaseError while open.
  void SetConnection(TSQLiteConnection* value);
  bool GetCanModify() const override { return false; }
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  /// The SELECT statement to run, and its parameters.
  virtual std::string SelectSQL() const = 0;
  virtual void BindParams(sqlite3_stmt* stmt) { (void)stmt; }
  void InternalInitFieldDefs() override;
  void InternalOpen(bool& keepRecords) override;
  void InternalClose() override;
  bool InternalRefresh(std::vector<uint32_t>& fresh) override;
  /// The column that is the table's row id (INTEGER PRIMARY KEY), or "".
  virtual std::string RowIdColumn() const { return {}; }
  TSQLiteConnection* CheckConnection() const;

 private:
  void Prepare();
  /// Reads the rows of the stepped statement into new slots added to `slots`.
  void LoadRows(std::vector<uint32_t>& slots);
  void Finalize();
  TSQLiteConnection* connection_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;  // prepared by InternalInitFieldDefs, stepped once
  int firstStep_ = 0;             // result of the first sqlite3_step
  std::vector<TFieldType> types_;
  std::vector<int> sourceCol_;  // result column of each field definition
};

/// A whole SQLite table, ordered by an index of its schema or a field list.
class TTable : public TSQLiteDataSet {
  TBN_CLASS(TTable, TSQLiteDataSet)
 public:
  explicit TTable(TComponent* owner);
  const std::string& GetTableName() const { return tableName_; }
  /// EDatabaseError while open.
  void SetTableName(const std::string& value);
  /// Reads the index definitions from the schema: named indexes with their
  /// columns, DESC columns and NOCASE collation; the primary key as PRIMARY.
  void UpdateIndexDefs() override;

 protected:
  std::string SelectSQL() const override;
  void InternalInitFieldDefs() override;
  std::string RowIdColumn() const override { return rowidColumn_; }

 private:
  std::string tableName_;
  std::string rowidColumn_;
};

/// A parameter of a query.
class TParam : public TCollectionItem {
  TBN_CLASS(TParam, TCollectionItem)
 public:
  explicit TParam(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  const Variant& GetValue() const { return value_; }
  void SetValue(const Variant& v) { value_ = v; }
  std::string GetDisplayName() const override { return name_; }
  void Assign(TPersistent* source) override;

 private:
  std::string name_;
  Variant value_ = Null;
};

/// The parameters of a query, in order of first appearance in its SQL.
class TParams : public TOwnedCollection {
  TBN_CLASS(TParams, TOwnedCollection)
 public:
  explicit TParams(TPersistent* owner);
  TParam* Items(int index) const { return static_cast<TParam*>(GetItem(index)); }
  /// The parameter named `name` (case-insensitive), or null.
  TParam* FindParam(const std::string& name) const;
  /// The parameter named `name`; EDatabaseError "Parameter '%s' not found".
  TParam* ParamByName(const std::string& name) const;
};

/// The result of an SQL statement.
class TQuery : public TSQLiteDataSet {
  TBN_CLASS(TQuery, TSQLiteDataSet)
 public:
  explicit TQuery(TComponent* owner);
  ~TQuery() override;
  /// The SQL text; changing it closes the query and rebuilds Params.
  TStrings* GetSQL() const;
  void SetSQL(TStrings* value);
  TParams* GetParams() const { return params_.get(); }
  void SetParams(TParams* value);
  TParam* ParamByName(const std::string& name) const { return params_->ParamByName(name); }
  /// Runs a statement that returns no records (INSERT, UPDATE, ...) with the
  /// parameters bound; returns the number of rows changed.
  int ExecSQL();

 protected:
  std::string SelectSQL() const override;
  void BindParams(sqlite3_stmt* stmt) override;

 private:
  void SQLChanged(TObject* sender);
  std::unique_ptr<TStringList> sql_;
  std::unique_ptr<TParams> params_;
};

/// The ":name" parameter names of an SQL text in order of first appearance,
/// skipping quoted texts, quoted identifiers and comments.
std::vector<std::string> ParseParamNames(const std::string& sql);

}  // namespace tabulon
