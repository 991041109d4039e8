// The index description follows its dataset: the key fields come from the
// dataset's index name, index field names, index definitions or a query's
// SQL text, are rebuilt when those change or the dataset is opened again,
// and can be taken over by the application through the published
// properties, which start from the dataset's own description.
#include <gtest/gtest.h>

#include "platform/core/props.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "run/tbnindex.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon {
namespace {

class TTestIndex : public TDataSetIndex {
 public:
  TDataSet* DataSet = nullptr;
  TDataSet* GetDataSet() override { return DataSet; }
};

// The key fields as "NAME", "NAME desc", "NAME ci", joined by ";".
std::string Keys(TQXIndexDefs& index) {
  if (index.IsUpdateDataSet()) index.UpdateDataSet();
  if (index.IsUpdateIndex()) index.UpdateIndex();
  std::string out;
  for (int i = 0; i < index.GetCount(); ++i) {
    TIndexFieldDef d = index.GetItem(i);
    out += (i ? ";" : "") + d.Field->GetFieldName() + (d.Descending ? " desc" : "") +
           (d.CaseInsensitive ? " ci" : "");
  }
  return out;
}

std::string Current(TDataSet* ds) { return ds->FieldByName("NAME")->GetAsString(); }

class IndexDescription : public ::testing::Test {
 protected:
  TComponent owner{nullptr};
  TClientDataSet* ds = new TClientDataSet(&owner);
  TTestIndex index;
  void SetUp() override {
    ds->SetName("Cities");
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetFieldDefs()->Add("CITY", ftString, 20);
    ds->GetFieldDefs()->Add("POP", ftInteger);
    ds->GetIndexDefs()->Add("BY_CITY", "CITY;POP", {ixCaseInsensitive})->SetDescFields("POP");
    ds->GetIndexDefs()->Add("BY_POP", "POP", {ixDescending});
    ds->CreateDataSet();
    for (auto [n, c, p] : {std::tuple{"Ann", "paris", 5},
                           {"Bob", "Oslo", 3},
                           {"Cid", "Paris", 9},
                           {"Dan", "oslo", 1},
                           {"Eve", "Rome", 7}})
      ds->AppendRecord({n, c, p});
    index.DataSet = ds;
  }
};

TEST_F(IndexDescription, FollowsIndexNameAndIndexFieldNames) {
  EXPECT_EQ(Keys(index), "");  // natural order: no key fields
  ds->SetIndexFieldNames("NAME;CITY DESC");
  EXPECT_TRUE(index.IsUpdateIndex());
  EXPECT_EQ(Keys(index), "NAME;CITY desc");
  EXPECT_FALSE(index.IsUpdateIndex());
  ds->SetIndexName("BY_CITY");
  // An index definition's own per-field lists and options decide.
  EXPECT_EQ(Keys(index), "CITY ci;POP desc");
  EXPECT_EQ(index.GetFieldNames(), "CITY;POP");
  EXPECT_EQ(index.GetDescFields(), "POP");
  EXPECT_TRUE(index.GetOptions().Contains(ixCaseInsensitive));
  ds->SetIndexName("BY_POP");
  EXPECT_EQ(Keys(index), "POP desc");
  EXPECT_TRUE(index.Seek(VarArrayOf({5}), dsoFirstEQ, dgoNone));
  EXPECT_EQ(Current(ds), "Ann");
  // A field list that an index definition happens to fit keeps its own
  // directions: the order is the list.
  ds->SetIndexFieldNames("POP");
  EXPECT_EQ(Keys(index), "POP");
  EXPECT_FALSE(index.GetOptions().Contains(ixDescending));
  ds->SetIndexFieldNames("");
  EXPECT_EQ(Keys(index), "");
}

TEST_F(IndexDescription, ApplicationDescriptionStartsFromTheDataSets) {
  ds->SetIndexName("BY_CITY");
  const TPropInfo* fieldNames = GetPropInfo(&index, "FieldNames", TTypeKinds{tkString});
  const TPropInfo* descFields = GetPropInfo(&index, "DescFields", TTypeKinds{tkString});
  const TPropInfo* options = GetPropInfo(&index, "Options", tkOrdinal);
  const TPropInfo* defaultIndex = GetPropInfo(&index, "DefaultIndex", tkOrdinal);
  ASSERT_TRUE(fieldNames && descFields && options && defaultIndex);
  EXPECT_EQ(GetStrProp(&index, fieldNames), "CITY;POP");
  EXPECT_FALSE(fieldNames->IsStored(&index));
  EXPECT_FALSE(options->IsStored(&index));

  // The first edit copies the whole dataset description, then changes one part.
  SetStrProp(&index, descFields, "");
  EXPECT_FALSE(index.GetDefaultIndex());
  EXPECT_EQ(index.GetFieldNames(), "CITY;POP");
  EXPECT_TRUE(index.GetOptions().Contains(ixCaseInsensitive));
  EXPECT_EQ(Keys(index), "CITY ci;POP");
  EXPECT_TRUE(fieldNames->IsStored(&index));
  EXPECT_TRUE(options->IsStored(&index));
  EXPECT_FALSE(descFields->IsStored(&index));

  // The dataset's index no longer matters.
  ds->SetIndexName("BY_POP");
  EXPECT_EQ(Keys(index), "CITY ci;POP");
  // Unknown names and unusable items are dropped; later items still count.
  index.SetFieldNames("NAME;NOSUCH;POP DESC X;CITY ASC");
  index.SetCaseInsFields("name");
  EXPECT_EQ(Keys(index), "NAME ci;CITY");
  index.SetOptions({ixDescending});
  EXPECT_EQ(Keys(index), "NAME desc ci;CITY desc");
  EXPECT_EQ(GetOrdProp(&index, options), TIndexOptions{ixDescending}.ToInt());

  // Back to the dataset.
  SetOrdProp(&index, defaultIndex, 1);
  EXPECT_EQ(Keys(index), "POP desc");
  EXPECT_FALSE(fieldNames->IsStored(&index));
  // Switching off copies the dataset's description as it stands.
  index.SetDefaultIndex(false);
  EXPECT_EQ(index.GetFieldNames(), "POP");
  EXPECT_TRUE(index.GetOptions().Contains(ixDescending));
}

TEST_F(IndexDescription, KeyFieldsFollowReopening) {
  ds->SetIndexFieldNames("NAME");
  EXPECT_EQ(Keys(index), "NAME");
  // Closing frees the default fields and opening makes new ones: the key
  // fields are rebuilt before the next search, never used stale.
  ds->Close();
  ds->Open();
  EXPECT_TRUE(index.IsUpdateIndex());
  EXPECT_TRUE(index.Seek(VarArrayOf({"Cid"}), dsoFirstEQ, dgoNone));
  EXPECT_EQ(index.GetItem(0).Field, ds->FindField("NAME"));
  // A closed dataset has no key fields and finds nothing.
  ds->Close();
  EXPECT_FALSE(index.Seek(VarArrayOf({"Cid"}), dsoFirstEQ, dgoFirst));
  EXPECT_EQ(index.GetCount(), 0);
}

TEST_F(IndexDescription, CompareRulesOfKeyFields) {
  ds->SetIndexFieldNames("CITY");
  ASSERT_EQ(Keys(index), "CITY");
  TIndexFieldDef city = index.GetItem(0);
  // Locale collation: lower case "a" before "B"; ordinal: "B" (66) before "a".
  EXPECT_EQ(index.CheckIndexField("a", "B", city), fcoLess);
  index.SetLocaleID(-1);
  EXPECT_EQ(index.CheckIndexField("a", "B", city), fcoMore);
  index.SetLocaleID(1024);
  city.CaseInsensitive = true;
  EXPECT_EQ(index.CheckIndexField("PARIS", "paris", city), fcoEqual);
  city.Descending = true;
  EXPECT_EQ(index.CheckIndexField("Oslo", "Paris", city), fcoMore);
  EXPECT_EQ(index.CheckIndexField(Null, "", city), fcoEqual);
  // Keys are converted to the field's type: a text for an integer field.
  ds->SetIndexFieldNames("POP");
  EXPECT_TRUE(index.Seek(VarArrayOf({"7"}), dsoFirstEQ, dgoNone));
  EXPECT_EQ(Current(ds), "Eve");
  EXPECT_TRUE(index.Seek(VarArrayOf({"4"}), dsoAfterEQ, dgoNone));
  EXPECT_EQ(Current(ds), "Ann");
  EXPECT_FALSE(index.Seek(VarArrayOf({"4"}), dsoFirstEQ, dgoLast));
  EXPECT_EQ(Current(ds), "Cid");
}

TEST(IndexDescriptionRoutines, FindFieldName) {
  EXPECT_TRUE(FindFieldName("NAME", "", true));
  EXPECT_FALSE(FindFieldName("NAME", "  ", false));
  EXPECT_TRUE(FindFieldName("city", "NAME;CITY", false));
  EXPECT_FALSE(FindFieldName("CITY", "NAME;XCITY", true));
  EXPECT_FALSE(FindFieldName("CITY", "NAME; CITY", true));  // items as written
  EXPECT_TRUE(CaseSensitiveDependent(ftMemo));
  EXPECT_FALSE(CaseSensitiveDependent(ftInteger));
}

TEST(IndexDescriptionQuery, FollowsTheSQLTextAcrossReopening) {
  TComponent owner(nullptr);
  TSQLiteConnection* db = test::NewMemoryDb(&owner);
  db->ExecSQL("CREATE TABLE T (NAME TEXT, CITY TEXT, POP INTEGER)");
  db->ExecSQL(
      "INSERT INTO T VALUES ('Ann','Paris',5),('Bob','Oslo',3),('Cid','Paris',9),('Dan','Oslo',1)");
  auto* q = new TQuery(&owner);
  q->SetConnection(db);
  q->GetSQL()->SetText("select name, city as town, pop from t order by name desc");
  q->Open();
  TTestIndex index;
  index.DataSet = q;
  EXPECT_EQ(index.GetFieldNames(), "name");
  EXPECT_EQ(index.GetDescFields(), "name");
  EXPECT_EQ(Keys(index), "NAME desc");
  EXPECT_TRUE(index.Seek(VarArrayOf({"Bob"}), dsoFirstEQ, dgoNone));
  EXPECT_EQ(Current(q), "Bob");

  // Another text, closed and opened again: the next search reads it.
  q->Close();
  q->GetSQL()->SetText("SELECT NAME, CITY AS TOWN, POP FROM T ORDER BY CITY, POP DESC");
  q->Open();
  EXPECT_TRUE(index.Seek(VarArrayOf({"Paris"}), dsoFirstEQ, dgoNone));
  EXPECT_EQ(Keys(index), "TOWN;POP desc");
  EXPECT_EQ(Current(q), "Cid");
  EXPECT_TRUE(index.Seek(VarArrayOf({"Oslo", 2}), dsoAfter, dgoNone));
  EXPECT_EQ(Current(q), "Dan");
  // Same text, closed and opened: fields made anew, key fields follow.
  q->Close();
  q->Open();
  EXPECT_TRUE(index.Seek(VarArrayOf({"Oslo"}), dsoLastEQ, dgoNone));
  EXPECT_EQ(index.GetItem(0).Field, q->FindField("TOWN"));
  EXPECT_EQ(Current(q), "Dan");
  // A text without ORDER BY: no key fields, every record equal.
  q->Close();
  q->GetSQL()->SetText("SELECT * FROM T");
  q->Open();
  EXPECT_TRUE(index.Seek(VarArrayOf({"x"}), dsoLastEQ, dgoNone));
  EXPECT_EQ(index.GetCount(), 0);
  EXPECT_EQ(Current(q), "Dan");
}

TEST(IndexDescriptionPanel, FollowsThePanelsDataSetAndItsDestruction) {
  test::PeopleData people;
  people.Add("Ann", 30, Null, true, 1.0);
  people.Add("Bob", 20, Null, true, 2.0);
  people.DataSet->SetIndexFieldNames("AGE");
  test::PanelPtr panel = test::MakePanel(people.Source);
  TQXFindIndex index(panel.get());
  int changes = 0;
  index.OnIndexChanged = TNotifyEvent([&](TObject*) { ++changes; });
  EXPECT_TRUE(index.FindKey(VarArrayOf({30})));
  EXPECT_EQ(Current(people.DataSet), "Ann");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(index.GetOwner(), panel.get());
  EXPECT_TRUE(index.FindNearest(VarArrayOf({25})));
  EXPECT_EQ(Current(people.DataSet), "Ann");
  EXPECT_EQ(changes, 1);
  // The dataset goes away: the index lets go of it without touching it.
  TObject::Free(people.DataSet);
  people.DataSet = nullptr;
  EXPECT_FALSE(index.FindKey(VarArrayOf({30})));
  EXPECT_EQ(index.GetCount(), 0);
  EXPECT_EQ(index.GetFieldNames(), "");
}

}  // namespace
}  // namespace tabulon
