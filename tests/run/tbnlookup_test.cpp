// The lookup edit over a list dataset: key and text authority, typing
// (nearest and exact, Locate and the scan of a calculated field giving the
// same results), arrow stepping, loDropDown and loBeforeDropDown, read-only,
// field errors naming the edit, the drop-down data list with its event
// traces, and the sample database's customers looked up by name.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/controls/application.h"
#include "platform/db/client_dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/forms/form.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnlookup.h"
#include "tests/run/test_util.h"

namespace tabulon {
namespace {

using test::MessageOf;
using test::Play;

const char* const kCompanies[] = {"Alfreds Futterkiste", "Ana Trujillo", "Antonio Moreno",
                                  "Berglunds snabbköp",  "Blauer See",   "Bólido Comidas"};

struct LookupFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetName("fmLookup");
    form->SetBounds(0, 0, 400, 300);
    customers = test::NewDataSet(form.get(), {{"CUSTNO", ftInteger}, {"COMPANY", ftString, 30}});
    customers->SetName("Customers");
    for (int i = 0; i < 6; ++i)
      customers->AppendRecord({Variant(101 + i), Variant(std::string(kCompanies[i]))});
    customers->First();
    source = new TDataSource(form.get());
    source->SetName("dsCustomers");
    source->SetDataSet(customers);
    edit = new TQXLookupEdit(form.get());
    edit->SetName("edCustomer");
    edit->SetParent(form.get());
    edit->SetText("");
    edit->SetBounds(10, 10, 160, 21);
    edit->OnDropDown = [this](TObject*) { trace += "DropDown;"; };
    edit->OnCloseUp = [this](TObject*) { trace += "CloseUp(" + edit->GetText() + ");"; };
    edit->OnChange = [this](TObject*) { trace += "Change(" + edit->GetText() + ");"; };
    edit->OnClick = [this](TObject*) { trace += "Click(" + Key() + ");"; };
    edit->SetListSource(source);
    edit->SetKeyFieldName("CUSTNO");
    edit->SetListFieldName("COMPANY");
    form->Show();
    edit->SetFocus();
    trace.clear();
  }
  void TearDown() override { form->Hide(); }
  std::string Key() const {
    return edit->GetKeyValue().IsNull() ? "Null" : VarToStr(edit->GetKeyValue());
  }
  std::string State() const { return edit->GetText() + "|" + edit->GetSelText() + "|" + Key(); }
  std::string Take() { return std::exchange(trace, std::string()); }

  std::unique_ptr<TForm> form;
  TClientDataSet* customers = nullptr;
  TDataSource* source = nullptr;
  TQXLookupEdit* edit = nullptr;
  THost host;
  std::string trace;
};

TEST_F(LookupFixture, KeyFromTheProgramShowsItsRecord) {
  EXPECT_TRUE(edit->GetListActive());
  edit->SetKeyValue(Variant(104));
  EXPECT_EQ(State(), "Berglunds snabbköp||104");
  EXPECT_EQ(customers->FieldByName("CUSTNO")->GetAsInteger(), 104);
  EXPECT_EQ(Take(), "Change(Berglunds snabbköp);");
  edit->SetKeyValue(Variant(104));  // unchanged: nothing happens
  EXPECT_EQ(Take(), "");
  edit->SetKeyValue(Variant("not a number"));  // incomparable with 104: a change, not found
  EXPECT_EQ(State(), "Berglunds snabbköp||not a number");
  EXPECT_EQ(Take(), "");  // the text is left as it was
}

TEST_F(LookupFixture, TypingSearchesTheListFieldAndTheKeyFollows) {
  Play(host, "type an");
  EXPECT_EQ(State(), "Ana Trujillo|a Trujillo|102");
  Play(host, "type t");
  EXPECT_EQ(State(), "Antonio Moreno|onio Moreno|103");
  EXPECT_EQ(Take(),
            "Click(101);Change(Alfreds Futterkiste);Click(102);Change(Ana Trujillo);Click(103);"
            "Change(Antonio Moreno);");
  Play(host, "key Backspace");  // exact search of "Ant": nothing
  EXPECT_EQ(State(), "Ant||Null");
  Play(host, "type x");
  EXPECT_EQ(State(), "Antx||Null");  // the text stays as typed
  EXPECT_EQ(Take(), "Click(Null);Change(Ant);Click(Null);Change(Antx);");
}

TEST_F(LookupFixture, CalculatedListFieldIsScannedWithTheSameResultsAsLocate) {
  // A second client dataset whose list field is calculated from COMPANY.
  auto* calc = new TClientDataSet(form.get());
  calc->GetFieldDefs()->Add("CUSTNO", ftInteger);
  calc->GetFieldDefs()->Add("COMPANY", ftString, 30);
  auto* no = new TIntegerField(form.get());
  no->SetFieldName("CUSTNO");
  auto* company = new TStringField(form.get());
  company->SetFieldName("COMPANY");
  company->SetSize(30);
  auto* shown = new TStringField(form.get());
  shown->SetFieldName("SHOWN");
  shown->SetSize(30);
  shown->SetFieldKind(fkCalculated);
  for (TField* f :
       {static_cast<TField*>(no), static_cast<TField*>(company), static_cast<TField*>(shown)})
    f->SetDataSet(calc);
  calc->OnCalcFields = [&](TDataSet* ds) {
    ds->FieldByName("SHOWN")->SetAsString(ds->FieldByName("COMPANY")->GetAsString());
  };
  calc->CreateDataSet();
  for (int i = 0; i < 6; ++i)
    calc->AppendRecord({Variant(101 + i), Variant(std::string(kCompanies[i]))});
  auto* calcSource = new TDataSource(form.get());
  calcSource->SetDataSet(calc);
  auto* other = new TQXLookupEdit(form.get());
  other->SetParent(form.get());
  other->SetTop(60);
  other->SetListSource(calcSource);
  other->SetKeyFieldName("CUSTNO");
  other->SetListFieldName("SHOWN");
  for (const char* typed : {"b", "BL", "bó", "blauer see", "z", "ANA TRUJILLO"}) {
    for (bool exact : {false, true}) {
      const std::string u = AnsiUpperCase(typed);
      bool byLocate = exact ? edit->ExactSearching(u) : edit->PartialSearching(u);
      bool byScan = exact ? other->ExactSearching(u) : other->PartialSearching(u);
      EXPECT_EQ(byLocate, byScan) << typed << exact;
      if (byLocate && byScan) {
        EXPECT_EQ(customers->FieldByName("CUSTNO")->GetAsInteger(),
                  calc->FieldByName("CUSTNO")->GetAsInteger())
            << typed << exact;
      }
    }
  }
  // A key set by the program shows the calculated field's text.
  other->SetKeyValue(Variant(105));
  EXPECT_EQ(other->GetText(), "Blauer See");
}

TEST_F(LookupFixture, ArrowsStepThroughTheListDataSet) {
  Play(host, "key Up");  // KeyValue Null: the first record
  EXPECT_EQ(State(), "Alfreds Futterkiste||101");
  Play(host, "key Down\nkey Down");
  EXPECT_EQ(Key(), "103");
  Play(host, "key Up");
  EXPECT_EQ(State(), "Ana Trujillo||102");
  EXPECT_EQ(Take(),
            "Change(Alfreds Futterkiste);Click(101);Change(Ana Trujillo);Click(102);"
            "Change(Antonio Moreno);Click(103);Change(Ana Trujillo);Click(102);");
  edit->SetReadOnly(true);
  Play(host, "key Down\nkey Alt+Down");
  EXPECT_EQ(Key(), "102");
  EXPECT_FALSE(edit->GetListVisible());
}

TEST_F(LookupFixture, LocateOptionsDecideWhenTypingCompletes) {
  edit->SetLocate(loDropDown);
  Play(host, "type an");  // popup hidden: exact, no completion
  EXPECT_EQ(State(), "an||Null");
  Play(host, "key Alt+Down");
  ASSERT_TRUE(edit->GetListVisible());
  Play(host, "type t");  // open: completes
  EXPECT_EQ(State(), "Antonio Moreno|onio Moreno|103");
  EXPECT_EQ(edit->GetDataList()->GetKeyValue(), Variant(103));
  Play(host, "key Escape");
  edit->SetKeyValue(Null);
  edit->SetText("blauer see");
  edit->SetLocate(loBeforeDropDown);
  EXPECT_EQ(Key(), "Null");
  Take();
  Play(host, "key Alt+Down");  // the text is searched before the list shows
  EXPECT_EQ(Key(), "105");
  EXPECT_EQ(edit->GetText(), "Blauer See");
  EXPECT_EQ(Take(), "DropDown;Click(105);Change(Blauer See);");
  EXPECT_EQ(edit->GetDataList()->GetKeyValue(), Variant(105));  // the list marks the find
}

TEST_F(LookupFixture, TheDataListOpensAcceptsAndCancelsWithItsTraces) {
  edit->SetKeyValue(Variant(102));
  Take();
  Play(host, "key Alt+Down");
  TQXPopupDataList* list = edit->GetDataList();
  ASSERT_TRUE(edit->GetListVisible());
  EXPECT_EQ(list->GetRowCount(), 6);  // fewer records than DropDownRows
  EXPECT_EQ(list->GetHeight(), edit->GetDropDownHeight());
  EXPECT_EQ(list->GetWidth(), edit->GetWidth());
  EXPECT_EQ(list->GetKeyValue(), Variant(102));
  EXPECT_EQ(list->GetListFieldName(), "COMPANY;");
  Play(host, "key Down");  // goes to the open list: its key moves, the edit's does not yet
  EXPECT_EQ(list->GetKeyValue(), Variant(103));
  EXPECT_EQ(Key(), "102");
  Play(host, "key Enter");
  EXPECT_EQ(State(), "Antonio Moreno|Antonio Moreno|103");
  EXPECT_EQ(list->GetListSource(), nullptr);  // detached while hidden
  EXPECT_EQ(Take(), "DropDown;Change(Antonio Moreno);Click(103);CloseUp(Antonio Moreno);");
  Play(host, "key Alt+Down\nkey Down\nkey Escape");
  EXPECT_EQ(State(), "Antonio Moreno|Antonio Moreno|103");
  EXPECT_EQ(Take(), "DropDown;CloseUp(Antonio Moreno);");
  Play(host, "choose edCustomer \"Blauer See\"");
  EXPECT_EQ(Key(), "105");
  EXPECT_EQ(Take(), "DropDown;Change(Blauer See);Click(105);CloseUp(Blauer See);");
  // Read-only: the button still opens the list, but picking changes nothing.
  edit->SetReadOnly(true);
  Play(host, "choose edCustomer 0");
  EXPECT_EQ(Key(), "105");
  EXPECT_EQ(Take(), "DropDown;CloseUp(Blauer See);");
}

TEST_F(LookupFixture, FieldResolutionAndItsErrors) {
  // No list field: the key field is searched and shown.
  edit->SetListFieldName("");
  edit->SetKeyValue(Variant(104));
  EXPECT_EQ(edit->GetText(), "104");
  // An index beyond the list fields takes the first.
  edit->SetListFieldIndex(5);
  edit->SetListFieldName("COMPANY;CUSTNO");
  EXPECT_EQ(edit->GetListFieldObject()->GetFieldName(), "COMPANY");
  edit->SetListFieldIndex(1);
  edit->SetListFieldName("COMPANY;CUSTNO;");
  EXPECT_EQ(edit->GetListFieldObject()->GetFieldName(), "CUSTNO");
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { edit->SetKeyFieldName("NOPE"); }),
            "edCustomer: Field 'NOPE' not found");
  EXPECT_FALSE(edit->GetListActive());
  edit->SetKeyFieldName("CUSTNO");
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { edit->SetListFieldName("COMPANY;NOPE"); }),
            "edCustomer: Field 'COMPANY;NOPE' not found");
  EXPECT_FALSE(edit->GetListActive());
  // The list source removed from the form: the list becomes inactive.
  edit->SetListFieldName("COMPANY");
  EXPECT_TRUE(edit->GetListActive());
  delete source;
  EXPECT_EQ(edit->GetListSource(), nullptr);
  EXPECT_FALSE(edit->GetListActive());
}

TEST(QXLookupEdit, SampleOrdersShowTheirCustomerByName) {
  const std::string path = "/tmp/tabulon_lookup_test_" + std::to_string(getpid()) + ".db";
  {
    TSQLiteConnection c(nullptr);
    c.SetFileName(path);
    c.SetCreateIfMissing(true);
    c.ExecSQL(
        "CREATE TABLE CUSTOMERS (CUSTNO INTEGER PRIMARY KEY, COMPANY VARCHAR(40));"
        "CREATE TABLE ORDERS (ORDERNO INTEGER PRIMARY KEY, CUSTNO INTEGER);"
        "INSERT INTO CUSTOMERS VALUES (1, 'Müller Bolts GmbH #1'), (2, 'Dubois Nuts SARL #2'),"
        " (3, 'Rossi Valves S.p.A. #3');"
        "INSERT INTO ORDERS VALUES (10, 3), (11, 1);");
  }
  TForm form(nullptr);
  form.SetName("fmOrders");
  auto* db = new TSQLiteConnection(&form);
  db->SetFileName(path);
  auto* customers = new TTable(&form);
  customers->SetConnection(db);
  customers->SetTableName("CUSTOMERS");
  customers->Open();
  auto* orders = new TTable(&form);
  orders->SetConnection(db);
  orders->SetTableName("ORDERS");
  orders->Open();
  auto* source = new TDataSource(&form);
  source->SetDataSet(customers);
  const char* text = R"(object fmOrders: TForm
  object edCustNo: TQXLookupEdit
    KeyField = 'CUSTNO'
    ListField = 'COMPANY'
    Locate = loBeforeDropDown
    DropDownRows = 5
  end
end
)";
  ReadFormData(text, &form);
  auto* edit = dynamic_cast<TQXLookupEdit*>(form.FindComponent("edCustNo"));
  ASSERT_NE(edit, nullptr);
  edit->SetParent(&form);
  edit->SetListSource(source);
  form.Show();
  // Each order's customer number shows as the customer's name.
  std::string shown;
  for (orders->First(); !orders->GetEof(); orders->Next()) {
    edit->SetKeyValue(orders->FieldByName("CUSTNO")->GetValue());
    shown += edit->GetText() + ";";
  }
  EXPECT_EQ(shown, "Rossi Valves S.p.A. #3;Müller Bolts GmbH #1;");
  std::string out = ComponentToText(edit);
  for (const char* line : {"KeyField = 'CUSTNO'", "Locate = loBeforeDropDown", "DropDownRows = 5"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  EXPECT_EQ(out.find("ListFieldIndex"), std::string::npos) << out;
  // Choosing by name holds the key.
  edit->SetFocus();
  edit->SetText("");
  edit->SetLocate(loAuto);  // completes while the list is hidden
  THost host;
  Play(host, "type dub");
  EXPECT_EQ(edit->GetKeyValue(), Variant(2));
  EXPECT_EQ(edit->GetText(), "Dubois Nuts SARL #2");
  form.Hide();
  std::remove(path.c_str());
}

}  // namespace
}  // namespace tabulon
