// Shared fixtures of the dataset tests.
#include "tests/platform/db/db_fixtures.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/datetime.h"

namespace tabulon::test {

void TRecordingLink::ActiveChanged() {
  TDataSet* d = GetDataSet();
  log += std::string("ActiveChanged:") + (GetActive() ? "1" : "0") + "," +
         (d ? d->GetName() : std::string("nil")) + ";";
}
void TRecordingLink::LayoutChanged() {
  log += "LayoutChanged:" + std::to_string(GetDataSet()->GetFieldCount()) + ";";
}
void TRecordingLink::DataSetChanged() {
  log += "DataSetChanged:" + std::to_string(GetDataSet()->GetRecNo()) + ";";
}
void TRecordingLink::RecordChanged(TField* field) {
  log += "RecordChanged:" + (field ? field->GetFieldName() : std::string()) + ";";
}
void TRecordingLink::EditingChanged() {
  log += std::string("EditingChanged:") + (GetEditing() ? "1" : "0") + ";";
}

const std::vector<Person> kPeople = {
    {1, "delta", "1980-05-01", 7.5, true},   {2, "Alpha", "1975-01-20", 9.0, false},
    {3, "charlie", "1990-12-31", 7.5, true}, {4, "Bravo", "1968-07-04", 3.25, true},
    {5, "alpha", "2001-02-28", 5.0, false},  {6, "Echo", "1985-03-15", 8.0, true},
    {7, "bravo", "1999-09-09", 6.5, false},  {8, "foxtrot", "1970-10-10", 1.0, true},
};

std::string KindName(Kind k) {
  switch (k) {
    case Kind::Client:
      return "Client";
    case Kind::Table:
      return "Table";
    default:
      return "Query";
  }
}

std::string TempPath(const std::string& suffix) {
  static std::atomic<int> counter{0};
  return "/tmp/tabulon_db_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter) +
         suffix;
}

TempDatabase::TempDatabase(const std::vector<Person>& rows) : path_(TempPath(".db")), rows_(rows) {
  TSQLiteConnection c(nullptr);
  c.SetFileName(path_);
  c.SetCreateIfMissing(true);
  c.ExecSQL(
      "CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), BORN DATE, SCORE REAL, "
      "ACTIVE BOOLEAN);"
      "CREATE INDEX IX_NAME ON PEOPLE (NAME COLLATE NOCASE);"
      "CREATE INDEX IX_SCORE ON PEOPLE (SCORE DESC);");
  c.ExecSQL("BEGIN");
  for (const Person& p : rows)
    c.ExecSQL(
        "INSERT INTO PEOPLE VALUES (?, ?, ?, ?, ?)",
        {Variant(p.Id), Variant(p.Name), Variant(p.Born), Variant(p.Score), Variant(p.Active)});
  c.ExecSQL("COMMIT");
}

TempDatabase::~TempDatabase() { std::remove(path_.c_str()); }

TClientDataSet* MakeClientPeople(TComponent* owner, const std::vector<Person>& rows,
                                 const std::string& name) {
  auto* d = new TClientDataSet(owner);
  d->SetName(name);
  d->GetFieldDefs()->Add("ID", ftInteger);
  d->GetFieldDefs()->Add("NAME", ftString, 20);
  d->GetFieldDefs()->Add("BORN", ftDate);
  d->GetFieldDefs()->Add("SCORE", ftFloat);
  d->GetFieldDefs()->Add("ACTIVE", ftBoolean);
  d->GetIndexDefs()->Add("PRIMARY", "ID", {ixPrimary, ixUnique});
  d->GetIndexDefs()->Add("IX_NAME", "NAME", {ixCaseInsensitive});
  d->GetIndexDefs()->Add("IX_SCORE", "SCORE", {ixDescending});
  d->CreateDataSet();
  for (const Person& p : rows) {
    double born;
    int y, m, dd;
    std::sscanf(p.Born, "%d-%d-%d", &y, &m, &dd);
    born = EncodeDate(y, m, dd);
    d->AppendRecord({Variant(p.Id), Variant(p.Name), Variant::FromDate(born), Variant(p.Score),
                     Variant(p.Active)});
  }
  d->First();
  return d;
}

TDataSet* MakePeople(Kind k, TComponent* owner, const TempDatabase& db, const std::string& name) {
  if (k == Kind::Client) {
    TClientDataSet* d = MakeClientPeople(owner, db.Rows(), name);
    d->Close();
    return d;
  }
  auto* c = new TSQLiteConnection(owner);
  c->SetName(name + "Db");
  c->SetFileName(db.Path());
  if (k == Kind::Table) {
    auto* t = new TTable(owner);
    t->SetName(name);
    t->SetConnection(c);
    t->SetTableName("PEOPLE");
    return t;
  }
  auto* q = new TQuery(owner);
  q->SetName(name);
  q->SetConnection(c);
  q->GetSQL()->SetText("SELECT * FROM PEOPLE");
  return q;
}

std::string Column(TDataSet* d, const std::string& field) {
  std::string out;
  TBookmark b = d->GetBookmark();
  d->DisableControls();
  for (d->First(); !d->GetEof(); d->Next())
    out += (out.empty() ? "" : ",") + d->FieldByName(field)->GetAsString();
  if (d->BookmarkValid(b)) d->GotoBookmark(b);
  d->EnableControls();
  return out;
}

}  // namespace tabulon::test
