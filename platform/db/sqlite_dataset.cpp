// SQLite datasets: reading a statement's result into the record store.
#include "platform/db/sqlite_dataset.h"

#include <sqlite3.h>

#include <cmath>
#include <limits>

#include "platform/core/class_builder.h"
#include "platform/core/strings.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/value_text.h"
#include "platform/sysutils/strutils.h"

namespace tabulon {

TBN_REGISTER(TSQLiteDataSet) {
  b.Property("Connection", &TSQLiteDataSet::GetConnection, &TSQLiteDataSet::SetConnection);
}

namespace {

// The size in "(n)" or "(p,s)" of a declared type: first and second number.
void DeclSizes(const std::string& decl, int& first, int& second) {
  first = second = -1;
  size_t open = decl.find('(');
  if (open == std::string::npos) return;
  size_t pos = open + 1;
  auto number = [&](int& out) {
    while (pos < decl.size() && decl[pos] == ' ') ++pos;
    int v = 0;
    bool any = false;
    while (pos < decl.size() && decl[pos] >= '0' && decl[pos] <= '9' && v < 100000) {
      v = v * 10 + (decl[pos++] - '0');
      any = true;
    }
    if (any) out = v;
    while (pos < decl.size() && decl[pos] == ' ') ++pos;
  };
  number(first);
  if (pos < decl.size() && decl[pos] == ',') {
    ++pos;
    number(second);
  }
}

bool Has(const std::string& s, const char* word) { return s.find(word) != std::string::npos; }

}  // namespace

/// Maps a declared column type to a field type and size (see the header).
static TFieldType MapDeclType(const std::string& declared, bool rowidAlias, int32_t& size) {
  std::string d = UpperCase(Trim(declared));
  size = 0;
  int n, s;
  DeclSizes(d, n, s);
  std::string base = d.substr(0, d.find('('));
  base = Trim(base);
  if (rowidAlias) return ftAutoInc;
  if (base == "BIGINT" || base == "INT8" || base == "UNSIGNED BIG INT") return ftLargeint;
  if (base == "SMALLINT" || base == "INT2" || base == "TINYINT") return ftSmallint;
  if (base == "WORD") return ftWord;
  if (base == "BOOL" || base == "BOOLEAN") return ftBoolean;
  if (base == "DATE") return ftDate;
  if (base == "TIME") return ftTime;
  if (base == "DATETIME" || base == "TIMESTAMP") return ftDateTime;
  if (base == "MONEY" || base == "CURRENCY") return ftCurrency;
  if (base == "CLOB" || base == "MEMO") return ftMemo;
  if (base == "NUMERIC" || base == "DECIMAL") {
    if (s >= 0 && s <= 4) {
      size = s;
      return ftBCD;
    }
    return ftFloat;
  }
  if (Has(base, "INT")) return ftInteger;
  if (Has(base, "CHAR") || Has(base, "TEXT") || Has(base, "CLOB")) {
    size = n > 0 ? std::min(n, 8192) : 255;
    return ftString;
  }
  if (Has(base, "BLOB") || Has(base, "BINARY") || base.empty()) return ftBlob;
  if (Has(base, "REAL") || Has(base, "FLOA") || Has(base, "DOUB")) return ftFloat;
  return ftFloat;
}

TSQLiteDataSet::TSQLiteDataSet(TComponent* owner) : TDataSet(owner) {}

TSQLiteDataSet::~TSQLiteDataSet() {
  // The base destructor closes the dataset and tells the links.
  Destroying();
  Finalize();
  if (connection_) connection_->RemoveDataSet(this);
}

void TSQLiteDataSet::SetConnection(TSQLiteConnection* value) {
  if (value == connection_) return;
  if (GetActive()) Close();
  if (connection_) {
    connection_->RemoveDataSet(this);
    connection_->RemoveFreeNotification(this);
  }
  connection_ = value;
  if (connection_) {
    connection_->AddDataSet(this);
    connection_->FreeNotification(this);
  }
}

void TSQLiteDataSet::Notification(TComponent* component, TOperation operation) {
  TDataSet::Notification(component, operation);
  if (operation == opRemove && component == connection_) {
    if (GetActive()) Close();
    Finalize();
    connection_->RemoveDataSet(this);
    connection_ = nullptr;
  }
}

TSQLiteConnection* TSQLiteDataSet::CheckConnection() const {
  if (!connection_) DatabaseErrorFmt(DbMsg("SNoConnection"), {GetName()});
  return connection_;
}

void TSQLiteDataSet::Finalize() {
  if (stmt_) sqlite3_finalize(stmt_);
  stmt_ = nullptr;
}

void TSQLiteDataSet::Prepare() {
  Finalize();
  sqlite3* db = CheckConnection()->Handle();
  std::string sql = SelectSQL();
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail);
  if (rc != SQLITE_OK) {
    Finalize();
    RaiseSQLiteError(db, rc, this);
  }
  if (!stmt_ || sqlite3_column_count(stmt_) == 0) {
    Finalize();
    DatabaseError(DbMsg("SNoResultSet"), this);
  }
  BindParams(stmt_);
  firstStep_ = sqlite3_step(stmt_);
  if (firstStep_ != SQLITE_ROW && firstStep_ != SQLITE_DONE) {
    rc = firstStep_;
    Finalize();
    RaiseSQLiteError(db, rc, this);
  }
}

void TSQLiteDataSet::InternalInitFieldDefs() {
  Prepare();
  TFieldDefs* defs = GetFieldDefs();
  defs->Clear();
  types_.clear();
  sourceCol_.clear();
  int count = sqlite3_column_count(stmt_);
  // The rowid alias of a table is an auto-increment field.
  std::string rowidColumn = RowIdColumn();
  for (int c = 0; c < count; ++c) {
    const char* n = sqlite3_column_name(stmt_, c);
    std::string name = n ? n : "";
    if (name.empty()) name = "COLUMN" + std::to_string(c + 1);
    std::string unique = name;
    for (int k = 1; defs->IndexOf(unique) >= 0; ++k) unique = name + "_" + std::to_string(k);
    const char* decl = sqlite3_column_decltype(stmt_, c);
    int32_t size = 0;
    TFieldType t;
    if (decl) {
      t = MapDeclType(decl, !rowidColumn.empty() && SameText(name, rowidColumn), size);
    } else {
      switch (firstStep_ == SQLITE_ROW ? sqlite3_column_type(stmt_, c) : SQLITE_TEXT) {
        case SQLITE_INTEGER:
          t = ftLargeint;
          break;
        case SQLITE_FLOAT:
          t = ftFloat;
          break;
        case SQLITE_BLOB:
          t = ftBlob;
          break;
        default:
          t = ftString;
          size = 255;
      }
    }
    defs->Add(unique, t, size);
    types_.push_back(t);
    sourceCol_.push_back(c);
  }
}

void TSQLiteDataSet::InternalOpen(bool& keepRecords) {
  keepRecords = false;
  if (!stmt_) Prepare();
  LayoutStore();
  std::vector<uint32_t> slots;
  LoadRows(slots);
  SetLoadedSlots(std::move(slots));
}

void TSQLiteDataSet::LoadRows(std::vector<uint32_t>& slots) {
  sqlite3* db = CheckConnection()->Handle();
  detail::TRecordStore& store = Store();
  TFieldDefs* defs = GetFieldDefs();
  int rc = firstStep_;
  int row = 0;
  struct Cleanup {
    TSQLiteDataSet* d;
    ~Cleanup() { d->Finalize(); }
  } cleanup{this};
  auto mismatch = [&](int c, const char* actual) {
    DatabaseErrorFmt(
        DbMsg("SSQLiteColumnType"),
        {defs->Items(c)->GetName(), FieldTypeName(types_[static_cast<size_t>(c)]), actual, row},
        this);
  };
  static const char* const kindNames[] = {"", "Integer", "Float", "Text", "Blob", "Null"};
  std::vector<detail::TStorageKind> kinds;
  for (int c = 0; c < static_cast<int>(types_.size()); ++c) kinds.push_back(store.Column(c).Kind);
  while (rc == SQLITE_ROW) {
    ++row;
    uint32_t slot = store.Allocate();
    slots.push_back(slot);
    for (int c = 0; c < static_cast<int>(types_.size()); ++c) {
      int sc = sourceCol_[static_cast<size_t>(c)];
      int kind = sqlite3_column_type(stmt_, sc);
      if (kind == SQLITE_NULL) continue;
      TFieldType t = types_[static_cast<size_t>(c)];
      switch (kinds[static_cast<size_t>(c)]) {
        case detail::TStorageKind::Text:
        case detail::TStorageKind::Blob: {
          const void* p = kind == SQLITE_BLOB
                              ? sqlite3_column_blob(stmt_, sc)
                              : static_cast<const void*>(sqlite3_column_text(stmt_, sc));
          int len = sqlite3_column_bytes(stmt_, sc);
          store.SetText(slot, c,
                        std::string_view(static_cast<const char*>(p), static_cast<size_t>(len)));
          break;
        }
        case detail::TStorageKind::Double: {
          bool date = t == ftDate || t == ftTime || t == ftDateTime;
          if (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT) {
            double v = sqlite3_column_double(stmt_, sc);
            if (date) v = kind == SQLITE_FLOAT ? v - 2415018.5 : v / 86400.0 + 25569.0;
            store.SetDouble(slot, c, v);
          } else if (kind == SQLITE_TEXT && date) {
            double v;
            std::string_view text(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, sc)),
                                  static_cast<size_t>(sqlite3_column_bytes(stmt_, sc)));
            if (!detail::ParseIsoDate(text, v)) mismatch(c, "Text");
            store.SetDouble(slot, c, v);
          } else {
            mismatch(c, kindNames[kind]);
          }
          break;
        }
        case detail::TStorageKind::Currency: {
          if (kind == SQLITE_INTEGER) {
            int64_t v = sqlite3_column_int64(stmt_, sc);
            if (v > INT64_MAX / 10000 || v < INT64_MIN / 10000) mismatch(c, "Integer");
            store.SetInt(slot, c, v * 10000);
          } else if (kind == SQLITE_FLOAT) {
            double v = std::round(sqlite3_column_double(stmt_, sc) * 10000.0);
            if (!(std::fabs(v) < 9.2e18)) mismatch(c, "Float");
            store.SetInt(slot, c, static_cast<int64_t>(v));
          } else {
            std::string_view text(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, sc)),
                                  static_cast<size_t>(sqlite3_column_bytes(stmt_, sc)));
            if (kind != SQLITE_TEXT || !detail::ParseStoredValue(store, slot, c, t, text))
              mismatch(c, kindNames[kind]);
          }
          break;
        }
        case detail::TStorageKind::Bool: {
          if (kind == SQLITE_INTEGER) {
            store.SetBool(slot, c, sqlite3_column_int64(stmt_, sc) != 0);
          } else {
            std::string_view text(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, sc)),
                                  static_cast<size_t>(sqlite3_column_bytes(stmt_, sc)));
            if (kind != SQLITE_TEXT || !detail::ParseStoredValue(store, slot, c, t, text))
              mismatch(c, kindNames[kind]);
          }
          break;
        }
        default: {
          if (kind != SQLITE_INTEGER) mismatch(c, kindNames[kind]);
          int64_t v = sqlite3_column_int64(stmt_, sc);
          int64_t lo = INT32_MIN, hi = INT32_MAX;
          if (t == ftSmallint) lo = -32768, hi = 32767;
          if (t == ftWord) lo = 0, hi = 65535;
          if (t == ftLargeint) lo = INT64_MIN, hi = INT64_MAX;
          if (v < lo || v > hi)
            DatabaseErrorFmt(DbMsg("SSQLiteIntRange"),
                             {std::to_string(v), defs->Items(c)->GetName(), row}, this);
          store.SetInt(slot, c, v);
        }
      }
    }
    rc = sqlite3_step(stmt_);
  }
  if (rc != SQLITE_DONE) RaiseSQLiteError(db, rc, this);
}

void TSQLiteDataSet::InternalClose() { Finalize(); }

bool TSQLiteDataSet::InternalRefresh(std::vector<uint32_t>& fresh) {
  Prepare();
  if (sqlite3_column_count(stmt_) != static_cast<int>(types_.size())) {
    Finalize();
    DatabaseError(DbMsg("SNoResultSet"), this);
  }
  LoadRows(fresh);
  return true;
}

// ---- TTable ----

TBN_REGISTER(TTable) {
  b.Property("TableName", &TTable::GetTableName, &TTable::SetTableName);
  b.Property("IndexDefs", &TTable::GetIndexDefs, &TTable::SetIndexDefs);
  b.Property("IndexName", &TTable::GetIndexName, &TTable::SetIndexName);
  b.Property("IndexFieldNames", &TTable::GetIndexFieldNames, &TTable::SetIndexFieldNames);
}

TTable::TTable(TComponent* owner) : TSQLiteDataSet(owner) {}

void TTable::SetTableName(const std::string& value) {
  if (value == tableName_) return;
  CheckInactive();
  tableName_ = value;
}

std::string TTable::SelectSQL() const {
  if (tableName_.empty()) DatabaseError(DbMsg("SNoTableName"), this);
  return "SELECT * FROM " + QuoteIdentifier(tableName_);
}

void TTable::InternalInitFieldDefs() {
  SelectSQL();
  UpdateIndexDefs();
  TSQLiteDataSet::InternalInitFieldDefs();
}

void TTable::UpdateIndexDefs() {
  if (tableName_.empty() || !GetConnection()) return;
  sqlite3* db = GetConnection()->Handle();
  auto query = [&](const std::string& sql, auto&& row, const char* arg = nullptr) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    if (rc != SQLITE_OK) RaiseSQLiteError(db, rc, this);
    if (arg) sqlite3_bind_text(s, 1, arg, -1, SQLITE_TRANSIENT);
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) row(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) RaiseSQLiteError(db, rc, this);
  };
  auto text = [](sqlite3_stmt* s, int c) {
    const unsigned char* t = sqlite3_column_text(s, c);
    return std::string(t ? reinterpret_cast<const char*>(t) : "");
  };
  // Does the table exist, and which columns form its primary key?
  bool exists = false;
  query(
      "SELECT 1 FROM sqlite_schema WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE",
      [&](sqlite3_stmt*) { exists = true; }, tableName_.c_str());
  TIndexDefs* defs = GetIndexDefs();
  defs->BeginUpdate();
  struct End {
    TIndexDefs* d;
    ~End() { d->EndUpdate(); }
  } end{defs};
  defs->Clear();
  rowidColumn_.clear();
  if (!exists) return;
  std::vector<std::pair<int, std::string>> pk;
  std::string pkType;
  query("PRAGMA table_info(" + QuoteIdentifier(tableName_) + ")", [&](sqlite3_stmt* s) {
    int order = sqlite3_column_int(s, 5);
    if (order > 0) {
      pk.emplace_back(order, text(s, 1));
      pkType = UpperCase(text(s, 2));
    }
  });
  bool pkIndexSeen = false;
  struct Info {
    std::string name, origin;
    bool unique;
  };
  std::vector<Info> list;
  query("PRAGMA index_list(" + QuoteIdentifier(tableName_) + ")", [&](sqlite3_stmt* s) {
    list.push_back({text(s, 1), text(s, 3), sqlite3_column_int(s, 2) != 0});
  });
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    std::vector<std::string> cols, desc, nocase;
    bool expression = false;
    query("PRAGMA index_xinfo(" + QuoteIdentifier(it->name) + ")", [&](sqlite3_stmt* s) {
      if (sqlite3_column_int(s, 5) == 0) return;  // the row id carried by every index
      if (sqlite3_column_int(s, 1) == -2) {
        expression = true;
        return;
      }
      std::string col = text(s, 2);
      cols.push_back(col);
      if (sqlite3_column_int(s, 3)) desc.push_back(col);
      if (SameText(text(s, 4), "NOCASE")) nocase.push_back(col);
    });
    TIndexOptions o;
    if (it->unique) o.Include(ixUnique);
    if (it->origin == "pk") {
      o.Include(ixPrimary);
      pkIndexSeen = true;
    }
    if (expression) o.Include(ixExpression);
    auto join = [](const std::vector<std::string>& v) {
      std::string out;
      for (const std::string& x : v) out += (out.empty() ? "" : ";") + x;
      return out;
    };
    TIndexDef* d = defs->Add(it->origin == "pk" ? std::string("PRIMARY") : it->name, join(cols), o);
    if (!desc.empty() && desc.size() == cols.size()) {
      d->SetOptions(d->GetOptions() + TIndexOptions{ixDescending});
    } else {
      d->SetDescFields(join(desc));
    }
    if (!nocase.empty() && nocase.size() == cols.size())
      d->SetOptions(d->GetOptions() + TIndexOptions{ixCaseInsensitive});
    else
      d->SetCaseInsFields(join(nocase));
  }
  // An INTEGER PRIMARY KEY is the row id itself and has no index of its own.
  if (!pkIndexSeen && pk.size() == 1 && pkType == "INTEGER") {
    TIndexDef* d = defs->Add("PRIMARY", pk[0].second, {ixPrimary, ixUnique});
    d->SetIndex(0);
    rowidColumn_ = pk[0].second;
  }
}

// ---- Parameters ----

TBN_REGISTER(TParam) {
  b.Property("Name", &TParam::GetName, &TParam::SetName);
  b.Property("Value", &TParam::GetValue, &TParam::SetValue);
}
TBN_REGISTER(TParams) {}

void TParam::Assign(TPersistent* source) {
  if (auto* p = dynamic_cast<TParam*>(source)) {
    name_ = p->name_;
    value_ = p->value_;
    return;
  }
  TCollectionItem::Assign(source);
}

TParams::TParams(TPersistent* owner) : TOwnedCollection(owner, TParam::StaticClass()) {}

TParam* TParams::FindParam(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->GetName(), name)) return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(const std::string& name) const {
  TParam* p = FindParam(name);
  if (!p) DatabaseErrorFmt(DbMsg("SParamNotFound"), {name});
  return p;
}

std::vector<std::string> ParseParamNames(const std::string& sql) {
  std::vector<std::string> out;
  size_t i = 0, n = sql.size();
  auto isIdent = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  while (i < n) {
    char c = sql[i];
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      char close = c == '[' ? ']' : c;
      ++i;
      while (i < n) {
        if (sql[i] == close) {
          if (close != ']' && i + 1 < n && sql[i + 1] == close) {
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
      ++i;
    } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
      while (i < n && sql[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
      size_t e = sql.find("*/", i + 2);
      i = e == std::string::npos ? n : e + 2;
    } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
      i += 2;
    } else if (c == ':' && i + 1 < n && isIdent(sql[i + 1]) &&
               !(sql[i + 1] >= '0' && sql[i + 1] <= '9')) {
      size_t s = ++i;
      while (i < n && isIdent(sql[i])) ++i;
      std::string name = sql.substr(s, i - s);
      bool seen = false;
      for (const std::string& x : out) seen = seen || SameText(x, name);
      if (!seen) out.push_back(name);
    } else {
      ++i;
    }
  }
  return out;
}

// ---- TQuery ----

TBN_REGISTER(TQuery) {
  b.Property("SQL", &TQuery::GetSQL, &TQuery::SetSQL);
  b.Property("Params", &TQuery::GetParams, &TQuery::SetParams);
}

TQuery::TQuery(TComponent* owner)
    : TSQLiteDataSet(owner),
      sql_(std::make_unique<TStringList>()),
      params_(std::make_unique<TParams>(this)) {
  sql_->OnChange = TNotifyEvent(this, &TQuery::SQLChanged);
}

TQuery::~TQuery() {
  Destroying();
  sql_->OnChange = nullptr;
}

TStrings* TQuery::GetSQL() const { return sql_.get(); }

void TQuery::SetSQL(TStrings* value) {
  if (value && value != sql_.get()) sql_->Assign(value);
}

void TQuery::SetParams(TParams* value) {
  if (value && value != params_.get()) params_->Assign(value);
}

void TQuery::SQLChanged(TObject*) {
  if (GetActive()) Close();
  std::vector<std::string> names = ParseParamNames(sql_->GetText());
  TParams fresh(this);
  for (const std::string& n : names) {
    auto* p = static_cast<TParam*>(fresh.Add());
    p->SetName(n);
    if (TParam* old = params_->FindParam(n)) p->SetValue(old->GetValue());
  }
  params_->Assign(&fresh);
}

std::string TQuery::SelectSQL() const {
  std::string text = sql_->GetText();
  if (Trim(text).empty()) DatabaseError(DbMsg("SNoSQL"), this);
  return text;
}

void TQuery::BindParams(sqlite3_stmt* stmt) {
  int count = sqlite3_bind_parameter_count(stmt);
  for (int i = 1; i <= count; ++i) {
    const char* name = sqlite3_bind_parameter_name(stmt, i);
    TParam* p = nullptr;
    if (name && (name[0] == ':' || name[0] == '@' || name[0] == '$'))
      p = params_->FindParam(name + 1);
    else if (i - 1 < params_->Count())
      p = params_->Items(i - 1);
    int rc = BindVariant(stmt, i, p ? p->GetValue() : Null);
    if (rc != SQLITE_OK) RaiseSQLiteError(sqlite3_db_handle(stmt), rc, this);
  }
}

int TQuery::ExecSQL() {
  CheckInactive();
  sqlite3* db = CheckConnection()->Handle();
  std::string sql = SelectSQL();
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) RaiseSQLiteError(db, rc, this);
  struct Fin {
    sqlite3_stmt* s;
    ~Fin() { sqlite3_finalize(s); }
  } fin{stmt};
  if (!stmt) return 0;
  BindParams(stmt);
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) RaiseSQLiteError(db, rc, this);
  return sqlite3_changes(db);
}

}  // namespace tabulon
