// The find panel's decisions one by one: how much of the index the entered
// values use, where a search starts, what a next search skips, the records'
// settings under the index options, the not-found message, the index class
// the client-dataset and table panels make, and what a dataset that fails
// part-way through a search leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/props.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "run/tbnbdeset.h"
#include "run/tbnclientset.h"
#include "tests/run/test_util.h"

namespace tabulon {
namespace {

struct TRow {
  int K1;
  const char* K2;
};

class FindPanel : public ::testing::Test {
 protected:
  TComponent owner{nullptr};
  TClientDataSet* ds = nullptr;
  TDataSource* source = nullptr;
  TDBFindPanel* panel = nullptr;
  int moves = 0;

  // ID counts the rows from 1; the order is an index over `fields`.
  void Make(const std::vector<TRow>& rows, const char* fields, const char* desc = "",
            const char* caseIns = "") {
    ds = new TClientDataSet(&owner);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("K1", ftInteger);
    ds->GetFieldDefs()->Add("K2", ftString, 10);
    TIndexDef* def = ds->GetIndexDefs()->Add("IX", fields, {});
    def->SetDescFields(desc);
    def->SetCaseInsFields(caseIns);
    ds->CreateDataSet();
    int id = 0;
    for (const TRow& r : rows) ds->AppendRecord({++id, r.K1, r.K2});
    ds->SetIndexName("IX");
    ds->AfterScroll = TDataSetNotifyEvent([this](TDataSet*) { ++moves; });
    source = new TDataSource(&owner);
    source->SetDataSet(ds);
    panel = new TDBFindPanel(&owner);
    panel->SetUpdateState(usNone);
    panel->SetDataSource(source);
  }
  int Id() { return ds->FieldByName("ID")->GetAsInteger(); }
  TFieldRecord* R(const char* name) { return panel->FieldByName(name); }
  std::pair<int, int> Usable() {
    int a, b;
    panel->Locate();  // applies the entered values
    panel->IndexFieldCheck(a, b);
    return {a, b};
  }
};

const std::vector<TRow> kRows = {{1, "ab"},  {2, "AB"}, {2, "aB"}, {3, "abc"}, {3, "b"},
                                 {4, "abd"}, {4, "Ab"}, {5, "a"},  {5, "c"}};

TEST_F(FindPanel, ACaseSensitiveRecordOnACaseInsensitiveIndexPositionsByTheIndex) {
  Make(kRows, "K2", "", "K2");
  R("K2")->SetCaseInsensitive(false);
  R("K2")->SetAsVariant(0, "aB");
  EXPECT_EQ(Usable(), std::make_pair(-1, 0));
  ds->Last();
  EXPECT_TRUE(panel->Locate());
  EXPECT_EQ(ds->FieldByName("K2")->GetAsString(), "aB");
  // The case-insensitive record is decided by the index alone.
  R("K2")->SetCaseInsensitive(true);
  EXPECT_EQ(Usable(), std::make_pair(0, -1));
}

TEST_F(FindPanel, ATrueRangeEndsTheUsableKeyButStillPositions) {
  Make(kRows, "K1;K2");
  R("K2")->SetCaseInsensitive(false);  // as the index
  R("K1")->SetCount(coTwo);
  R("K1")->SetAsVariant(0, 3);
  R("K1")->SetAsVariant(1, 4);
  R("K2")->SetCompare(ctExact);
  R("K2")->SetAsVariant(0, "Ab");
  EXPECT_EQ(Usable(), std::make_pair(0, -1));
  ds->First();
  moves = 0;
  EXPECT_TRUE(panel->Locate());
  EXPECT_EQ(Id(), 7);
  EXPECT_LE(moves, 8);  // a seek and a few steps, not a scan from the first record
  // Equal bounds are one key value: the key goes on to K2.
  R("K1")->SetAsVariant(1, 3);
  R("K2")->SetAsVariant(0, "b");
  EXPECT_EQ(Usable(), std::make_pair(1, -1));
  EXPECT_EQ(Id(), 5);
}

TEST_F(FindPanel, WithTheDefaultOptionAKeyOnTheFirstIndexFieldMakesTheSearchSeek) {
  std::vector<TRow> rows;
  for (int i = 0; i < 500; ++i) rows.push_back({i, i % 7 == 0 ? "x" : "y"});
  Make(rows, "K1");
  R("K2")->SetCompare(ctExact);
  R("K2")->SetAsVariant(0, "x");
  R("K1")->SetCount(coOne);
  R("K1")->SetAsVariant(0, 490);
  EXPECT_EQ(panel->GetFindOptions(), foFast);
  ds->First();
  moves = 0;
  EXPECT_TRUE(panel->Locate());
  EXPECT_EQ(Id(), 491);
  EXPECT_LT(moves, 20);
  // Without the index field's value: a plain scan from the first record.
  R("K1")->Clear(0);
  R("K2")->SetAsVariant(0, "y");
  ds->Last();
  EXPECT_TRUE(panel->Locate());
  EXPECT_EQ(Id(), 2);
}

TEST_F(FindPanel, IndexOptionsBindTheRecordsOfIndexFields) {
  Make(kRows, "K2", "", "K2");
  TFieldRecord* k2 = R("K2");
  TFieldRecord* k1 = R("K1");
  k2->SetCompare(ctInternal);
  k2->SetCaseInsensitive(false);
  k1->SetAsVariant(0, 3);
  k2->SetAsVariant(0, "ab");
  panel->SetFindOptions(foIndexExact);
  EXPECT_EQ(k2->GetIndexFieldNo(), 0);
  EXPECT_EQ(k1->GetIndexFieldNo(), -1);
  EXPECT_EQ(k2->GetCompare(), ctExact);
  EXPECT_EQ(k2->GetCount(), coOne);
  EXPECT_TRUE(k2->GetCaseInsensitive());     // the index's case rule
  EXPECT_EQ(panel->CountState(k1), coNone);  // outside the index: no values
  EXPECT_FALSE(k2->IsCompareStored());
  ds->Last();
  EXPECT_TRUE(panel->Locate());  // K1 takes no part: the first "ab" of any case
  EXPECT_EQ(Id(), 1);
  // Writing another setting leaves index search.
  k2->SetCompare(ctInitial);
  EXPECT_EQ(panel->GetFindOptions(), foFast);
  EXPECT_EQ(k2->GetCompare(), ctInitial);
  EXPECT_EQ(panel->CountState(k1), k1->GetCount());
  panel->SetFindOptions(foIndexNearest);
  k2->SetCaseInsensitive(true);  // the index's own rule: stays
  EXPECT_EQ(panel->GetFindOptions(), foIndexNearest);
  k2->SetCaseInsensitive(false);
  EXPECT_EQ(panel->GetFindOptions(), foFast);
}

TEST_F(FindPanel, ChangingTheIndexRenewsThePositionsAndTheMapOrder) {
  Make(kRows, "K1;K2");
  R("K2")->SetCompare(ctExact);
  R("K2")->SetAsVariant(0, "c");
  R("K1")->SetAsVariant(0, 5);
  panel->Locate();
  EXPECT_EQ(R("K1")->GetIndexFieldNo(), 0);
  EXPECT_EQ(panel->GetFields()->GetFieldMap(), (std::vector<int>{1, 2}));
  ds->SetIndexFieldNames("K2;K1");
  panel->Locate();
  EXPECT_EQ(R("K2")->GetIndexFieldNo(), 0);
  EXPECT_EQ(panel->GetFields()->GetFieldMap(), (std::vector<int>{2, 1}));
  EXPECT_EQ(Id(), 9);
}

TEST_F(FindPanel, NotFoundShowsTheMessageOnlyWithShowBox) {
  Make(kRows, "K1");
  THost host;
  for (int i = 0; i < 3; ++i) host.AnswerNextMessage(mbOK);
  R("K1")->SetAsVariant(0, 9);
  ds->First();
  ds->Next();
  EXPECT_FALSE(panel->Locate());
  EXPECT_EQ(Id(), 2);
  panel->SetShowBox(true);
  EXPECT_FALSE(panel->Locate());
  panel->SetRestart(false);
  EXPECT_FALSE(panel->Locate());
  panel->GetMessages()->SetNextRecordNotFound("No more");
  EXPECT_FALSE(panel->Locate());
  std::vector<std::string> texts;
  for (const TMessageRecord& m : host.Messages()) texts.push_back(m.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"The record is not found",
                                             "The following record is not found", "No more"}));
  // Nothing entered: no search and no message.
  R("K1")->Clear(0);
  EXPECT_FALSE(panel->Locate());
  EXPECT_EQ(host.Messages().size(), 3u);
}

TEST_F(FindPanel, PublishesItsPropertiesInOrderAndTheVariantsMakeTheirIndexClasses) {
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(new TDBFindPanel(&owner))) names.push_back(p->Name);
  // The component's and the control's own (Name, Tag, Left, Top, Width,
  // Height) come first.
  ASSERT_EQ(names.size(), 59u);
  names.erase(names.begin(), names.begin() + 6);
  EXPECT_EQ(names.front(), "DataSource");
  EXPECT_EQ(std::vector<std::string>(names.end() - 4, names.end()),
            (std::vector<std::string>{"Messages", "ShowBox", "FindOptions", "DataSetIndex"}));
  auto* client = new TQXClientFindPanel(&owner);
  auto* table = new TQXBdeFindPanel(&owner);
  EXPECT_EQ(client->GetFindIndex()->ClassName(), std::string("TQXClientFindIndex"));
  EXPECT_EQ(table->GetFindIndex()->ClassName(), std::string("TQXBdeFindIndex"));
  EXPECT_EQ((new TDBFindPanel(&owner))->GetFindIndex()->ClassName(), std::string("TQXFindIndex"));
}

// A failure part-way through a search: the exception reaches the caller,
// the dataset is back on its starting record and re-read, its controls are
// enabled and the cursor is the default one again.
TEST(FindPanelFaults, AFailingFilterHandlerPartWayThroughASearch) {
  TComponent owner(nullptr);
  TSQLiteConnection* db = test::NewMemoryDb(&owner);
  db->ExecSQL("CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))");
  for (int i = 1; i <= 30; ++i)
    db->ExecSQL("INSERT INTO T VALUES (?, ?)", {i, "n" + std::to_string(i)});
  auto* t = new TTable(&owner);
  t->SetConnection(db);
  t->SetTableName("T");
  t->SetIndexFieldNames("ID");
  t->Open();
  auto* source = new TDataSource(&owner);
  source->SetDataSet(t);
  auto* panel = new TQXBdeFindPanel(&owner);
  panel->SetUpdateState(usNone);
  panel->SetChangeCursor(true);
  panel->SetDataSource(source);
  panel->FieldByName("NAME")->SetAsVariant(0, "n99");
  for (int failAt : {1, 5, 17}) {
    SCOPED_TRACE(failAt);
    int calls = -1000000;
    t->SetOnFilterRecord(TFilterRecordEvent([&](TDataSet*, bool& accept) {
      if (++calls == failAt) throw EDatabaseError("filter failed");
      accept = true;
    }));
    t->SetFiltered(true);
    t->First();
    t->MoveBy(3);
    db->ExecSQL("INSERT INTO T VALUES (?, 'late')", {100 + failAt});
    calls = 0;
    EXPECT_EQ(test::MessageOf<EDatabaseError>([&] { panel->Locate(); }), "filter failed");
    t->SetOnFilterRecord(nullptr);
    EXPECT_FALSE(t->ControlsDisabled());
    EXPECT_EQ(Screen()->GetCursor(), crDefault);
    EXPECT_EQ(t->FieldByName("ID")->GetAsInteger(), 4);
    EXPECT_EQ(t->GetRecordCount(), 30 + (failAt == 1 ? 1 : failAt == 5 ? 2 : 3));
    t->SetFiltered(false);
  }
}

TEST(FindPanelFaults, AFailingCalculatedFieldPartWayThroughASearch) {
  TComponent owner(nullptr);
  auto* ds = new TClientDataSet(&owner);
  auto* id = new TIntegerField(&owner);
  auto* label = new TStringField(&owner);
  id->SetFieldName("ID");
  label->SetFieldName("LABEL");
  label->SetFieldKind(fkCalculated);
  id->SetDataSet(ds);
  label->SetDataSet(ds);
  int calls = 0, failAt = -1;
  ds->OnCalcFields = TDataSetNotifyEvent([&](TDataSet* d) {
    if (++calls == failAt) throw EDatabaseError("calculation failed");
    d->FieldByName("LABEL")->SetAsString("L" + d->FieldByName("ID")->GetAsString());
  });
  ds->CreateDataSet();
  for (int i = 1; i <= 20; ++i) ds->AppendRecord({i});
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  auto* panel = new TDBFindPanel(&owner);
  panel->SetUpdateState(usNone);
  panel->SetDataSource(source);
  panel->FieldByName("LABEL")->SetAsVariant(0, "L15");
  ds->First();
  ds->MoveBy(2);
  calls = 0;
  failAt = 6;
  EXPECT_THROW(panel->Locate(), EDatabaseError);
  failAt = -1;
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 3);
  // The panel searches again as if nothing had happened.
  EXPECT_TRUE(panel->Locate());
  EXPECT_EQ(ds->FieldByName("ID")->GetAsInteger(), 15);
}

}  // namespace
}  // namespace tabulon

namespace tabulon {
namespace {

// The sample form: a table panel over CUSTOMERS ordered by COMPANY without
// case. Typing a prefix (here written to the record as its editor will)
// moves the table at once (usAuto) to the first company that begins with it.
TEST(FindPanelForm, TheSampleFormFollowsTheEnteredPrefix) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tabulon_find_form";
  std::filesystem::create_directories(dir);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::filesystem::remove("sample.db");
  {
    TSQLiteConnection db(nullptr);
    db.SetFileName("sample.db");
    db.SetCreateIfMissing(true);
    db.ExecSQL(
        "CREATE TABLE CUSTOMERS (CUSTNO INTEGER PRIMARY KEY, COMPANY VARCHAR(40) NOT NULL, "
        "CITY VARCHAR(20)); CREATE INDEX IX_CUST_COMPANY ON CUSTOMERS (COMPANY COLLATE NOCASE)");
    const char* const companies[] = {"Weber KG",        "Harbour Tools Ltd", "Bauer AG",
                                     "harbour Freight", "Hartmann GmbH",     "Costa S.p.A."};
    int no = 0;
    for (const char* c : companies)
      db.ExecSQL("INSERT INTO CUSTOMERS VALUES (?, ?, 'Berlin')", {++no, c});
  }
  std::unique_ptr<TComponent> form(ReadComponentResFile(
      std::string(TABULON_SOURCE_DIR) + "/forms/samples/find_customers.dfm", nullptr));
  auto* panel = dynamic_cast<TQXBdeFindPanel*>(form->FindComponent("FindPanel"));
  auto* table = dynamic_cast<TDataSet*>(form->FindComponent("Customers"));
  ASSERT_TRUE(panel && table && table->GetActive());
  EXPECT_EQ(panel->GetFindIndex()->GetCount(), 1);
  EXPECT_EQ(panel->FieldByName("COMPANY")->GetIndexFieldNo(), 0);
  THost host;
  host.AnswerNextMessage(mbOK);
  std::vector<std::string> seen;
  for (const char* typed : {"h", "ha", "har", "hart", "harx"}) {
    panel->FieldByName("COMPANY")->SetAsString(0, typed);
    seen.push_back(table->FieldByName("COMPANY")->GetAsString());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"harbour Freight", "harbour Freight", "harbour Freight",
                                            "Hartmann GmbH", "Hartmann GmbH"}));
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].Text, "The record is not found");
  form.reset();
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tabulon
