// SQLite datasets: index definitions from the schema, field types from the
// declared column types, bound parameters, and every error path carrying
// SQLite's message.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/db/db_error.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/datetime.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

class SQLite : public ::testing::Test {
 protected:
  std::string path = TempPath(".db");
  TComponent owner{nullptr};
  TSQLiteConnection* db = new TSQLiteConnection(&owner);
  void SetUp() override {
    db->SetName("Db");
    db->SetFileName(path);
    db->SetCreateIfMissing(true);
  }
  void TearDown() override {
    db->Close();
    std::remove(path.c_str());
  }
  TTable* Table(const std::string& name) {
    auto* t = new TTable(&owner);
    t->SetName("T" + std::to_string(owner.ComponentCount()));
    t->SetConnection(db);
    t->SetTableName(name);
    return t;
  }
  TQuery* Query(const std::string& sql) {
    if (TComponent* old = owner.FindComponent("Q")) TObject::Free(old);
    auto* q = new TQuery(&owner);
    q->SetName("Q");
    q->SetConnection(db);
    q->GetSQL()->SetText(sql);
    return q;
  }
};

TEST_F(SQLite, IndexDefinitionsComeFromTheSchema) {
  db->ExecSQL(
      "CREATE TABLE ORDERS (ID INTEGER PRIMARY KEY, CUST TEXT, DAY DATE, AMT REAL, CODE TEXT);"
      "CREATE INDEX IX_CUST_DAY ON ORDERS (CUST COLLATE NOCASE, DAY DESC);"
      "CREATE UNIQUE INDEX IX_CODE ON ORDERS (CODE);"
      "CREATE INDEX IX_EXPR ON ORDERS (lower(CUST));"
      "CREATE TABLE LINES (ORD INTEGER, POS INTEGER, QTY INTEGER, PRIMARY KEY (ORD, POS DESC)) "
      "WITHOUT ROWID;");
  TTable* t = Table("ORDERS");
  t->GetIndexDefs()->Update();  // readable before opening
  std::string listing;
  auto list = [&](TIndexDefs* defs) {
    std::string out;
    for (int i = 0; i < defs->Count(); ++i) {
      TIndexDef* x = defs->Items(i);
      TIndexOptions o = x->GetOptions();
      out += x->GetName() + "(" + x->GetFields() + ")" + (o.Contains(ixPrimary) ? "P" : "") +
             (o.Contains(ixUnique) ? "U" : "") + (o.Contains(ixDescending) ? "D" : "") +
             (o.Contains(ixCaseInsensitive) ? "I" : "") + (o.Contains(ixExpression) ? "E" : "") +
             "[" + x->GetDescFields() + "|" + x->GetCaseInsFields() + "];";
    }
    return out;
  };
  EXPECT_EQ(list(t->GetIndexDefs()),
            "PRIMARY(ID)PU[|];IX_CUST_DAY(CUST;DAY)[DAY|CUST];IX_CODE(CODE)U[|];IX_EXPR()E[|];");
  TTable* lines = Table("LINES");
  lines->Open();
  EXPECT_EQ(list(lines->GetIndexDefs()), "PRIMARY(ORD;POS)PU[POS|];");
  EXPECT_EQ(lines->FieldByName("ORD")->GetDataType(), ftInteger);  // not a row id
  t->Open();
  EXPECT_EQ(t->GetIndexDefs()->FindIndexForFields("cust")->GetName(), "IX_CUST_DAY");
}

TEST_F(SQLite, RowsFollowTheChosenIndex) {
  db->ExecSQL(
      "CREATE TABLE T (K INTEGER, NAME TEXT COLLATE NOCASE);"
      "CREATE INDEX IX_K ON T (K DESC);CREATE INDEX IX_N ON T (NAME);");
  db->ExecSQL("INSERT INTO T VALUES (2,'b'),(1,'C'),(3,'a'),(2,'A')");
  TTable* t = Table("T");
  t->SetIndexName("IX_K");
  t->Open();
  EXPECT_EQ(Column(t, "NAME"), "a,b,A,C");
  t->SetIndexName("IX_N");  // the column's NOCASE collation makes the index case-insensitive
  EXPECT_TRUE(t->GetIndexDefs()->Find("IX_N")->GetOptions().Contains(ixCaseInsensitive));
  EXPECT_EQ(Column(t, "NAME"), "a,A,b,C");
  t->SetIndexFieldNames("K;NAME DESC");
  EXPECT_EQ(Column(t, "NAME"), "C,b,A,a");
}

TEST_F(SQLite, FieldTypesFollowTheDeclaredColumnTypes) {
  db->ExecSQL(
      "CREATE TABLE T (A INTEGER, B BIGINT, C SMALLINT, D VARCHAR(12), E TEXT, F CLOB, G REAL,"
      " H NUMERIC(10,2), I MONEY, J DATE, K TIME, L DATETIME, M BLOB, N BOOLEAN, O WORD, P);"
      "INSERT INTO T VALUES (1, 9000000000, -5, 'abc', 'long text', 'memo', 1.5, 12.34, 7,"
      " '2024-02-29', '13:45:10', 2460369.5, x'00FF', 1, 65535, 'untyped');"
      "INSERT INTO T (J, L, N) VALUES (1709164800, '2024-02-29T06:00:00', 'false');"
      "INSERT INTO T (D, F, M) VALUES ('', '', x'')");
  TTable* t = Table("T");
  t->Open();
  std::string types;
  for (int i = 0; i < t->GetFieldCount(); ++i) {
    TField* f = t->Fields(i);
    types += f->GetFieldName() + ":" + FieldTypeName(f->GetDataType()) +
             (f->GetSize() ? "(" + std::to_string(f->GetSize()) + ")" : "") + " ";
  }
  EXPECT_EQ(types,
            "A:Integer B:Largeint C:SmallInt D:String(12) E:String(255) F:Memo G:Float "
            "H:BCD(2) I:Currency J:Date K:Time L:DateTime M:Blob N:Boolean O:Word P:String(255) ");
  EXPECT_EQ(t->FieldByName("B")->GetAsLargeInt(), 9000000000LL);
  EXPECT_EQ(t->FieldByName("H")->GetAsCurrency().Value, 123400);
  EXPECT_EQ(t->FieldByName("J")->GetAsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(t->FieldByName("K")->GetAsDateTime(), EncodeTime(13, 45, 10, 0));
  EXPECT_EQ(t->FieldByName("L")->GetAsDateTime(), EncodeDate(2024, 2, 29));  // Julian day
  EXPECT_EQ(t->FieldByName("M")->GetAsString(), std::string("\0\xFF", 2));
  EXPECT_TRUE(t->FieldByName("N")->GetAsBoolean());
  EXPECT_EQ(t->FieldByName("P")->GetAsString(), "untyped");
  t->Next();
  EXPECT_EQ(t->FieldByName("J")->GetAsDateTime(), EncodeDate(2024, 2, 29));  // Unix seconds
  EXPECT_EQ(t->FieldByName("L")->GetAsDateTime(), EncodeDate(2024, 2, 29) + 0.25);
  EXPECT_FALSE(t->FieldByName("N")->GetAsBoolean());
  t->Next();  // an empty memo or blob reads as null, an empty string does not
  EXPECT_FALSE(t->FieldByName("D")->IsNull());
  EXPECT_TRUE(t->FieldByName("F")->IsNull());
  EXPECT_TRUE(t->FieldByName("M")->IsNull());
  // Expressions take the type of their first value.
  TQuery* q = Query("SELECT count(*) AS N, avg(G) AS M, 'x' || D AS S, A, A FROM T");
  q->Open();
  EXPECT_EQ(q->FieldByName("N")->GetDataType(), ftLargeint);
  EXPECT_EQ(q->FieldByName("M")->GetDataType(), ftFloat);
  EXPECT_EQ(q->FieldByName("S")->GetDataType(), ftString);
  EXPECT_EQ(q->Fields(4)->GetFieldName(), "A_1");  // duplicate names made unique
}

TEST_F(SQLite, ParametersAreBoundNeverSpliced) {
  db->ExecSQL(
      "CREATE TABLE P (ID INTEGER, NAME TEXT); INSERT INTO P VALUES (1,'a'),(2,'b'),(3,'c')");
  TQuery* q =
      Query("SELECT * FROM P WHERE NAME = :who OR ID >= :min -- :ignored\n ORDER BY ID DESC");
  ASSERT_EQ(q->GetParams()->Count(), 2);
  q->ParamByName("who")->SetValue(Variant("x' OR '1'='1"));
  q->ParamByName("MIN")->SetValue(Variant(99));
  q->Open();
  EXPECT_TRUE(q->IsEmpty());
  q->Close();
  q->ParamByName("who")->SetValue(Variant("a"));
  q->ParamByName("min")->SetValue(Variant(2));
  q->Open();
  EXPECT_EQ(Column(q, "ID"), "3,2,1");  // result order
  q->Last();
  EXPECT_EQ(q->GetRecNo(), 3);
  // Changing the SQL keeps the values of parameters that remain.
  q->GetSQL()->SetText("SELECT * FROM P WHERE ID = :min AND NAME <> ':who' /* :x */");
  EXPECT_FALSE(q->GetActive());
  ASSERT_EQ(q->GetParams()->Count(), 1);
  EXPECT_EQ(q->ParamByName("min")->GetValue().AsInteger(), 2);
  EXPECT_DB_ERROR(q->ParamByName("who"), "Parameter 'who' not found");
  EXPECT_EQ(ParseParamNames("a = :x::text and b = \":y\" and c = [:z] and :x and :_w1"),
            (std::vector<std::string>{"x", "_w1"}));
  TQuery* u = Query("UPDATE P SET NAME = :n WHERE ID = :id");
  u->ParamByName("n")->SetValue(Variant("z';DROP TABLE P;--"));
  u->ParamByName("id")->SetValue(Variant(1));
  EXPECT_EQ(u->ExecSQL(), 1);
  EXPECT_DB_ERROR(u->Open(), "Q: The SQL statement returns no records");
  TQuery* check = Query("SELECT NAME FROM P WHERE ID = 1");
  check->Open();
  EXPECT_EQ(check->FieldByName("NAME")->GetAsString(), "z';DROP TABLE P;--");
}

TEST_F(SQLite, ErrorsCarrySQLitesMessage) {
  db->ExecSQL(
      "CREATE TABLE T (A INTEGER, B REAL, C DATE); INSERT INTO T VALUES (1, 2.0, '2020-01-01')");
  EXPECT_DB_ERROR(Table("NOPE")->Open(), "T2: no such table: NOPE");
  EXPECT_DB_ERROR(Query("SELEC * FROM T")->Open(), "Q: near \"SELEC\": syntax error");
  EXPECT_DB_ERROR(Query("SELECT NOPE FROM T")->Open(), "Q: no such column: NOPE");
  EXPECT_DB_ERROR(Query("  ")->Open(), "Q: No SQL statement given");
  TTable* t = Table("T");
  // Values that do not fit the declared type fail the open, naming the row.
  for (auto [rows, message] : std::vector<std::pair<const char*, const char*>>{
           {"(1, 2.0, '2020-01-01'), ('abc', 1, '2020-01-01')",
            "Type mismatch for field 'A', expecting: Integer actual: Text (row 2)"},
           {"(3000000000, 1, '2020-01-01')",
            "Value 3000000000 of field 'A' is out of range (row 1)"},
           {"(1, 'x', '2020-01-01')",
            "Type mismatch for field 'B', expecting: Float actual: Text (row 1)"},
           {"(1, 1, 'someday')",
            "Type mismatch for field 'C', expecting: Date actual: Text (row 1)"}}) {
    db->ExecSQL(std::string("DELETE FROM T; INSERT INTO T VALUES ") + rows);
    EXPECT_DB_ERROR(t->Open(), t->GetName() + ": " + message);
    EXPECT_FALSE(t->GetActive());
  }
  EXPECT_DB_ERROR(db->ExecSQL("INSERT INTO NOPE VALUES (1)"), "Db: no such table: NOPE");
  TTable* orphan = new TTable(nullptr);
  orphan->SetName("Orphan");
  orphan->SetTableName("T");
  EXPECT_DB_ERROR(orphan->Open(), "Orphan has no connection");
  TObject::Free(orphan);
  // Missing and corrupt files.
  TSQLiteConnection missing(nullptr);
  missing.SetFileName("/nonexistent/dir/x.db");
  EXPECT_DB_ERROR(missing.Open(),
                  "Cannot open database '/nonexistent/dir/x.db': unable to open database file");
  std::string junk = TempPath(".db");
  std::ofstream(junk, std::ios::binary) << std::string(4096, 'J');
  TSQLiteConnection corrupt(nullptr);
  corrupt.SetFileName(junk);
  EXPECT_DB_ERROR(corrupt.Open(), "Cannot open database '" + junk + "': file is not a database");
  std::remove(junk.c_str());
  EXPECT_DB_ERROR(db->SetFileName("other.db"),
                  "Db: Cannot change the database of an open connection");
}

TEST_F(SQLite, RefreshMatchesRecordsByKeyOrByAllTheirValues) {
  db->ExecSQL(
      "CREATE TABLE K (ID INTEGER PRIMARY KEY, V TEXT);"
      "CREATE TABLE U (CODE TEXT, V TEXT); CREATE UNIQUE INDEX U_CODE ON U (CODE);"
      "CREATE TABLE N (I INTEGER, V TEXT);");
  for (const std::string table : {"K", "U", "N"}) {
    SCOPED_TRACE(table);
    for (int i = 1; i <= 4; ++i)
      db->ExecSQL("INSERT INTO " + table + " VALUES (?, ?)",
                  {Variant(i), Variant("v" + std::to_string(i))});
    TTable* t = Table(table);
    t->Open();
    t->SetRecNo(3);
    TBookmark b3 = t->GetBookmark();
    db->ExecSQL("UPDATE " + table + " SET V = 'changed' WHERE V = 'v3'");
    db->ExecSQL("INSERT INTO " + table + " VALUES (0, 'v0')");
    t->SetIndexFieldNames("V");
    t->Refresh();
    // Without a key a changed record is another record: the nearest one follows.
    const bool keyed = table != "N";
    EXPECT_EQ(t->BookmarkValid(b3), keyed);
    EXPECT_EQ(t->FieldByName("V")->GetAsString(), keyed ? "changed" : "v4");
    EXPECT_EQ(Column(t, "V"), "changed,v0,v1,v2,v4");
  }
}

TEST_F(SQLite, SQLiteDatasetsAreReadOnlyAndRefreshRereads) {
  db->ExecSQL("CREATE TABLE T (A INTEGER); INSERT INTO T VALUES (1),(2)");
  TTable* t = Table("T");
  t->Open();
  t->Last();
  EXPECT_DB_ERROR(t->Edit(), t->GetName() + ": Cannot modify a read-only dataset");
  EXPECT_DB_ERROR(t->Append(), t->GetName() + ": Cannot modify a read-only dataset");
  db->ExecSQL("INSERT INTO T VALUES (0)");
  t->SetIndexFieldNames("A");
  t->Refresh();
  EXPECT_EQ(Column(t, "A"), "0,1,2");
  EXPECT_EQ(t->FieldByName("A")->GetAsInteger(), 2);  // the current record is kept
  // A refresh that fails leaves the records as they were.
  db->ExecSQL("DROP TABLE T");
  EXPECT_DB_ERROR(t->Refresh(), t->GetName() + ": no such table: T");
  EXPECT_EQ(Column(t, "A"), "0,1,2");
  EXPECT_EQ(t->FieldByName("A")->GetAsInteger(), 2);
  // Closing the connection closes its datasets.
  db->Close();
  EXPECT_FALSE(t->GetActive());
}

}  // namespace
}  // namespace tabulon::test
