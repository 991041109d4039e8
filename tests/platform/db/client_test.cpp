// The client dataset: editing against an oracle, keyed search against a
// linear scan, calculated and lookup fields, field values and their errors,
// and the compactness of the record store.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/db/db_error.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/datetime.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

// GRP, VAL and TAG, with records (i, 0, "ri") for i = 1..records.
TClientDataSet* MakeNumbers(TComponent* owner, int records = 0) {
  auto* d = new TClientDataSet(owner);
  d->SetName("Numbers");
  d->GetFieldDefs()->Add("GRP", ftInteger);
  d->GetFieldDefs()->Add("VAL", ftInteger);
  d->GetFieldDefs()->Add("TAG", ftString, 8);
  d->CreateDataSet();
  for (int i = 1; i <= records; ++i)
    d->AppendRecord({Variant(i), Variant(0), Variant("r" + std::to_string(i))});
  return d;
}

struct Row {
  int Grp, Val;
  std::string Tag;
  int Seq;  // insertion order, the tie breaker of a stable order
};

std::string Dump(const std::vector<Row>& rows) {
  std::string out;
  for (const Row& r : rows) out += (out.empty() ? "" : ",") + r.Tag;
  return out;
}

// The order of index "GRP;VAL DESC", stable: equal keys keep their order.
void SortByGrpValDesc(std::vector<Row>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
    return a.Grp != b.Grp ? a.Grp < b.Grp : a.Val > b.Val;
  });
}

TEST(ClientEditing, RandomEditsKeepTheIndexOrderOfAnOracle) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeNumbers(&owner);
  d->SetIndexFieldNames("GRP;VAL DESC");
  std::vector<Row> oracle;
  std::mt19937 rng(7);
  int seq = 0;
  auto sorted = [&] {
    std::vector<Row> s = oracle;
    SortByGrpValDesc(s);
    return s;
  };
  for (int step = 0; step < 400; ++step) {
    int op = static_cast<int>(rng() % 4);
    if (op <= 1 || oracle.empty()) {
      Row r{static_cast<int>(rng() % 5), static_cast<int>(rng() % 7), "t" + std::to_string(seq),
            seq};
      ++seq;
      d->AppendRecord({Variant(r.Grp), Variant(r.Val), Variant(r.Tag)});
      EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), r.Tag);  // the posted record is current
      oracle.push_back(r);
    } else {
      // Pick a record by its tag, then edit or delete it.
      const Row& pick = oracle[rng() % oracle.size()];
      ASSERT_TRUE(d->Locate("TAG", Variant(pick.Tag), {}));
      auto it = std::find_if(oracle.begin(), oracle.end(),
                             [&](const Row& r) { return r.Tag == pick.Tag; });
      if (op == 2) {
        d->Edit();
        int v = static_cast<int>(rng() % 7);
        d->FieldByName("VAL")->SetAsInteger(v);
        d->Post();
        // A changed key moves the record behind its new equals.
        if (v != it->Val) {
          Row moved = *it;
          moved.Val = v;
          oracle.erase(it);
          oracle.push_back(moved);
        }
      } else {
        d->Delete();
        oracle.erase(it);
      }
    }
    if (step % 50 == 49) {
      ASSERT_EQ(Column(d, "TAG"), Dump(sorted()));
    }
  }
  EXPECT_EQ(d->GetRecordCount(), static_cast<int>(oracle.size()));
  d->SetIndexFieldNames("");
  // Natural order is insertion order (edits do not move records there).
  std::vector<Row> natural = oracle;
  std::sort(natural.begin(), natural.end(),
            [](const Row& a, const Row& b) { return a.Seq < b.Seq; });
  EXPECT_EQ(Column(d, "TAG"), Dump(natural));
}

TEST(ClientEditing, InsertGoesBeforeTheCurrentRecordAndCancelLeavesNothing) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeNumbers(&owner, 3);
  d->SetRecNo(2);
  TBookmark r2 = d->GetBookmark();
  d->Insert();
  EXPECT_EQ(d->GetState(), dsInsert);
  TBookmark inserting = d->GetBookmark();  // the new record has no place yet
  EXPECT_TRUE(inserting.IsNull());
  EXPECT_FALSE(d->BookmarkValid(inserting));
  d->FieldByName("TAG")->SetAsString("new");
  d->Post();
  EXPECT_EQ(d->GetRecNo(), 2);
  d->Append();
  d->FieldByName("TAG")->SetAsString("gone");
  d->Cancel();  // Append went past the last record: Cancel stays on the last
  EXPECT_EQ(d->GetRecNo(), 4);
  EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), "r3");
  d->GotoBookmark(r2);
  d->Insert();
  d->Cancel();  // Insert stood before the current record: Cancel returns to it
  EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), "r2");
  d->Edit();
  d->FieldByName("TAG")->SetAsString("changed");
  d->Cancel();
  EXPECT_EQ(Column(d, "TAG"), "r1,new,r2,r3");
  d->Last();
  d->Delete();
  EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), "r2");  // the last remaining
  EXPECT_TRUE(d->GetEof());
  // A move posts a pending edit.
  d->First();
  d->Edit();
  d->FieldByName("TAG")->SetAsString("posted");
  d->Next();
  EXPECT_EQ(Column(d, "TAG"), "posted,new,r2");
  d->EmptyDataSet();
  EXPECT_TRUE(d->IsEmpty());
  EXPECT_DB_ERROR(d->Delete(), "Numbers: Cannot perform this operation on an empty dataset");
}

TEST(ClientEditing, AMovePostsOnlyAModifiedRecord) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeNumbers(&owner, 3);
  std::string trace;
  d->AfterPost = TDataSetNotifyEvent([&](TDataSet*) { trace += "post;"; });
  d->AfterCancel = TDataSetNotifyEvent([&](TDataSet*) { trace += "cancel;"; });
  auto modified = [&] { trace += d->GetModified() ? "M;" : "-;"; };
  d->Append();  // nothing typed: a move drops it
  modified();
  d->Prior();
  d->Insert();
  d->FieldByName("TAG")->SetAsString("typed");
  modified();
  d->Next();  // posted
  modified();
  d->OnNewRecord =
      TDataSetNotifyEvent([](TDataSet* ds) { ds->FieldByName("VAL")->SetAsInteger(9); });
  d->Append();  // defaults alone are no change
  modified();
  d->First();
  d->Edit();
  d->Last();  // an untouched edit is cancelled
  d->Edit();
  d->FieldByName("GRP")->SetAsInteger(7);
  d->Refresh();  // a change is posted
  EXPECT_EQ(trace, "-;cancel;M;post;-;-;cancel;cancel;post;");
  EXPECT_EQ(Column(d, "TAG"), "r1,typed,r2,r3");
  EXPECT_EQ(Column(d, "GRP"), "1,,2,7");
  // An explicit Post saves even an untouched record.
  d->OnNewRecord = nullptr;
  d->Append();
  d->Post();
  EXPECT_EQ(d->GetRecordCount(), 5);
}

TEST(ClientEditing, AutoIncrementFieldsCountOnFromTheHighestValue) {
  TComponent owner(nullptr);
  auto* d = new TClientDataSet(&owner);
  d->GetFieldDefs()->Add("ID", ftAutoInc, 0, true);
  d->GetFieldDefs()->Add("TAG", ftString, 8);
  d->CreateDataSet();
  d->AppendRecord({Null, Variant("a")});
  d->AppendRecord({Null, Variant("b")});
  d->AppendRecord({Variant(10), Variant("given")});
  d->Append();
  d->FieldByName("TAG")->SetAsString("c");
  EXPECT_TRUE(d->FieldByName("ID")->IsNull());  // given when posted
  d->Post();
  EXPECT_EQ(d->FieldByName("ID")->GetAsInteger(), 11);
  d->Delete();
  d->AppendRecord({Null, Variant("d")});  // numbers are not given twice
  EXPECT_EQ(Column(d, "ID"), "1,2,10,12");
  d->EmptyDataSet();
  d->AppendRecord({Null, Variant("e")});
  EXPECT_EQ(Column(d, "ID"), "13");
  // Loaded records count too.
  TClientDataSet copy(nullptr);
  copy.LoadFromString(d->SaveToString());
  copy.AppendRecord({Null, Variant("f")});
  EXPECT_EQ(Column(&copy, "ID"), "13,14");
}

TEST(ClientKeyedSearch, GotoKeyAndGotoNearestAgreeWithALinearScan) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeNumbers(&owner);
  std::mt19937 rng(11);
  std::vector<Row> rows;
  for (int i = 0; i < 300; ++i) {
    Row r{static_cast<int>(rng() % 10), static_cast<int>(rng() % 50), "k" + std::to_string(i), i};
    rows.push_back(r);
    d->AppendRecord({Variant(r.Grp), Variant(r.Val), Variant(r.Tag)});
  }
  d->SetIndexFieldNames("GRP;VAL DESC");
  SortByGrpValDesc(rows);
  auto keyLess = [](const Row& r, int g, int v, bool withVal) {
    if (r.Grp != g) return r.Grp < g;
    return withVal && r.Val > v;
  };
  auto keyEqual = [](const Row& r, int g, int v, bool withVal) {
    return r.Grp == g && (!withVal || r.Val == v);
  };
  for (int trial = 0; trial < 300; ++trial) {
    int g = static_cast<int>(rng() % 12) - 1, v = static_cast<int>(rng() % 52) - 1;
    bool withVal = trial % 3 != 0;
    size_t expect = 0;
    while (expect < rows.size() && keyLess(rows[expect], g, v, withVal)) ++expect;
    std::vector<Variant> key = {Variant(g)};
    if (withVal) key.push_back(Variant(v));
    d->First();
    bool found = d->FindKey(key);
    bool oracleFound = expect < rows.size() && keyEqual(rows[expect], g, v, withVal);
    ASSERT_EQ(found, oracleFound) << g << "," << v;
    if (found) {
      EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), rows[expect].Tag);
    } else {
      EXPECT_EQ(d->GetRecNo(), 1);  // stayed
    }
    d->FindNearest(key);
    size_t nearest = std::min(expect, rows.size() - 1);
    EXPECT_EQ(d->FieldByName("TAG")->GetAsString(), rows[nearest].Tag) << g << "," << v;
  }
}

class CityFixture : public ::testing::Test {
 protected:
  TComponent owner{nullptr};
  TClientDataSet* cities = new TClientDataSet(&owner);
  TClientDataSet* people = new TClientDataSet(&owner);
  TIntegerField* id = new TIntegerField(&owner);
  TIntegerField* cityId = new TIntegerField(&owner);
  TStringField* name = new TStringField(&owner);
  TStringField* label = new TStringField(&owner);
  TStringField* city = new TStringField(&owner);
  int calcCalls = 0;
  void SetUp() override {
    cities->SetName("Cities");
    cities->GetFieldDefs()->Add("ID", ftInteger);
    cities->GetFieldDefs()->Add("CITY", ftString, 20);
    cities->CreateDataSet();
    cities->AppendRecord({Variant(10), Variant("Berlin")});
    cities->AppendRecord({Variant(20), Variant("Paris")});
    people->SetName("Staff");
    id->SetFieldName("ID");
    name->SetFieldName("NAME");
    name->SetSize(12);
    cityId->SetFieldName("CITY_ID");
    label->SetFieldName("LABEL");
    label->SetFieldKind(fkCalculated);
    city->SetFieldName("CITY_NAME");
    city->SetFieldKind(fkLookup);
    city->SetKeyFields("CITY_ID");
    city->SetLookupDataSet(cities);
    city->SetLookupKeyFields("ID");
    city->SetLookupResultField("CITY");
    for (TField* f : std::vector<TField*>{id, name, cityId, label, city}) f->SetDataSet(people);
    people->OnCalcFields = TDataSetNotifyEvent([this](TDataSet* ds) {
      ++calcCalls;
      EXPECT_EQ(ds->GetState(), dsCalcFields);
      ds->FieldByName("LABEL")->SetAsString(ds->FieldByName("NAME")->GetAsString() + "@" +
                                            ds->FieldByName("CITY_NAME")->GetAsString());
    });
    people->CreateDataSet();  // definitions from the persistent data fields
    people->AppendRecord({Variant(1), Variant("Ann"), Variant(20)});
    people->AppendRecord({Variant(2), Variant("Bob"), Variant(10)});
    people->AppendRecord({Variant(3), Variant("Cid"), Null});
    people->First();
  }
};

TEST_F(CityFixture, CalculatedAndLookupFieldsFollowTheCurrentRecord) {
  EXPECT_FALSE(people->GetDefaultFields());
  EXPECT_EQ(people->GetFieldDefs()->Count(), 3);
  EXPECT_EQ(Column(people, "CITY_NAME"), "Paris,Berlin,");
  EXPECT_EQ(Column(people, "LABEL"), "Ann@Paris,Bob@Berlin,Cid@");
  calcCalls = 0;
  label->GetValue();
  label->GetValue();
  city->GetValue();
  EXPECT_EQ(calcCalls, 1);  // once per record, not per read
  EXPECT_EQ(city->GetFieldKind(), fkLookup);
  EXPECT_TRUE(people->Locate("CITY_NAME", Variant("Berlin"), {}));
  EXPECT_EQ(name->GetAsString(), "Bob");
  EXPECT_EQ(people->Lookup("LABEL", Variant("Ann@Paris"), "ID").AsInteger(), 1);
  // Changing the key changes the looked-up value while editing.
  people->Edit();
  cityId->SetAsInteger(20);
  EXPECT_EQ(city->GetAsString(), "Paris");
  people->Post();
  EXPECT_DB_ERROR(label->SetAsString("x"), "Staff: Dataset not in edit or insert mode");
}

TEST_F(CityFixture, WithoutAutoCalcFieldsOnlyEditingKeepsItsCalculatedValues) {
  people->SetAutoCalcFields(false);
  calcCalls = 0;
  EXPECT_EQ(Column(people, "LABEL"), "Ann@Paris,Bob@Berlin,Cid@");  // browsing calculates
  EXPECT_EQ(calcCalls, 3);
  people->First();
  people->Edit();
  name->SetAsString("Abe");
  cityId->SetAsInteger(10);
  EXPECT_EQ(label->GetAsString(), "Ann@Paris");  // as when the edit began
  EXPECT_EQ(city->GetAsString(), "Paris");
  people->Post();
  EXPECT_EQ(label->GetAsString(), "Abe@Berlin");
  people->Append();
  name->SetAsString("Dan");
  EXPECT_TRUE(label->IsNull());
  people->Post();
  EXPECT_EQ(label->GetAsString(), "Dan@");
  people->SetAutoCalcFields(true);
  people->Edit();
  name->SetAsString("Eve");
  EXPECT_EQ(label->GetAsString(), "Eve@");
  people->Cancel();
}

TEST_F(CityFixture, LookupCacheAndLookupList) {
  people->Close();
  city->SetLookupCache(true);
  people->Open();
  EXPECT_EQ(city->GetLookupList()->Count(), 2);
  EXPECT_EQ(city->GetLookupList()->ValueOfKey(Variant(10)).AsString(), "Berlin");
  EXPECT_TRUE(VarIsNull(city->GetLookupList()->ValueOfKey(Variant(99))));
  EXPECT_TRUE(VarIsNull(city->GetLookupList()->ValueOfKey(Variant("x"))));
  // The cache answers even while the lookup dataset is closed.
  cities->Close();
  people->First();
  EXPECT_EQ(city->GetAsString(), "Paris");
  // A closed lookup dataset is opened to fill the cache, then closed again.
  people->Close();
  people->Open();
  EXPECT_EQ(city->GetLookupList()->Count(), 2);
  EXPECT_FALSE(cities->GetActive());
  city->RefreshLookupList();
  EXPECT_EQ(city->GetLookupList()->ValueOfKey(Variant(20)).AsString(), "Paris");
  EXPECT_FALSE(cities->GetActive());
}

TEST_F(CityFixture, IncompleteLookupsAndDestroyedLookupDatasets) {
  people->Close();
  city->SetLookupResultField("");
  EXPECT_DB_ERROR(people->Open(), "Staff: Lookup information for field 'CITY_NAME' is incomplete");
  EXPECT_FALSE(people->GetActive());
  city->SetLookupResultField("CITY");
  TObject::Free(cities);
  EXPECT_EQ(city->GetLookupDataSet(), nullptr);
  EXPECT_DB_ERROR(people->Open(), "Staff: Lookup information for field 'CITY_NAME' is incomplete");
}

TEST_F(CityFixture, PersistentFieldsMustMatchTheDefinitions) {
  people->Close();
  auto* extra = new TFloatField(&owner);
  extra->SetFieldName("NAME2");
  extra->SetDataSet(people);
  EXPECT_DB_ERROR(people->Open(), "Staff: Field 'NAME2' not found");
  extra->SetFieldName("CITY_ID2");
  TObject::Free(cityId);
  city->SetKeyFields("ID");
  extra->SetFieldName("CITY_ID");
  EXPECT_DB_ERROR(people->Open(),
                  "Staff: Type mismatch for field 'CITY_ID', expecting: Float actual: Integer");
}

TEST(ClientFields, ValuesConvertToTheFieldTypeOrFailClearly) {
  TComponent owner(nullptr);
  auto* d = new TClientDataSet(&owner);
  d->SetName("T");
  d->GetFieldDefs()->Add("S", ftString, 5);
  d->GetFieldDefs()->Add("SI", ftSmallint);
  d->GetFieldDefs()->Add("W", ftWord);
  d->GetFieldDefs()->Add("B", ftBoolean);
  d->GetFieldDefs()->Add("C", ftCurrency);
  d->GetFieldDefs()->Add("D", ftDateTime);
  d->GetFieldDefs()->Add("R", ftInteger, 0, true);
  d->GetFieldDefs()->Add("M", ftMemo);
  d->GetFieldDefs()->Add("BL", ftBlob);
  d->CreateDataSet();
  EXPECT_DB_ERROR(d->FieldByName("S")->SetAsString("x"), "T: Dataset not in edit or insert mode");
  d->Append();
  d->FieldByName("S")->SetAsString("abcdefgh");  // cut to the size in characters
  EXPECT_EQ(d->FieldByName("S")->GetAsString(), "abcde");
  d->FieldByName("S")->SetAsString("äöüßéx");
  EXPECT_EQ(d->FieldByName("S")->GetAsString(), "äöüßé");
  EXPECT_DB_ERROR(
      d->FieldByName("SI")->SetAsInteger(40000),
      "40000 is not a valid value for field 'SI'. The allowed range is -32768 to 32767");
  EXPECT_DB_ERROR(d->FieldByName("W")->SetAsInteger(-1),
                  "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535");
  EXPECT_DB_ERROR(d->FieldByName("B")->SetAsString("maybe"),
                  "'maybe' is not a valid boolean value for field 'B'");
  testing::ExpectThrow<EConvertError>([&] { d->FieldByName("SI")->SetAsString("12x"); },
                                      "'12x' is not a valid integer value");
  d->FieldByName("B")->SetAsString("yes");
  EXPECT_TRUE(d->FieldByName("B")->GetAsBoolean());
  d->FieldByName("C")->SetAsString("12.3456");
  EXPECT_EQ(d->FieldByName("C")->GetAsCurrency().Value, 123456);
  EXPECT_EQ(VarType(d->FieldByName("C")->GetValue()), varCurrency);
  d->FieldByName("D")->SetAsDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0));
  EXPECT_EQ(d->FieldByName("D")->GetAsString(), "2/29/2024 1:05:00 PM");
  d->FieldByName("SI")->SetAsString("");
  EXPECT_TRUE(d->FieldByName("SI")->IsNull());
  // An empty memo or blob is null, however it is written.
  for (const char* name : {"M", "BL"}) {
    TField* f = d->FieldByName(name);
    f->SetAsString("text");
    EXPECT_FALSE(f->IsNull());
    f->SetAsString("");
    EXPECT_TRUE(f->IsNull()) << name;
    f->SetValue(Variant(""));
    EXPECT_TRUE(VarIsNull(f->GetValue())) << name;
  }
  EXPECT_DB_ERROR(d->Post(), "T: Field 'R' must have a value");
  d->FieldByName("R")->SetValue(Variant(1));
  d->Post();
  d->SetReadOnly(true);
  EXPECT_DB_ERROR(d->Edit(), "T: Cannot modify a read-only dataset");
}

TEST(ClientFields, ValidCharactersAndDefaultPresentation) {
  TStringField s(nullptr);
  TIntegerField i(nullptr);
  TFloatField f(nullptr);
  TBCDField bcd(nullptr);
  TDateField date(nullptr);
  auto accepted = [&](const TField& field) {
    std::string out;
    for (char32_t c : std::u32string(U"a1+-.,eE \u00e4")) out += field.IsValidChar(c) ? '1' : '0';
    return out;
  };
  EXPECT_EQ(accepted(s), "1111111111");
  EXPECT_EQ(accepted(i), "0111000000");
  EXPECT_EQ(accepted(f), "0111101100");
  EXPECT_EQ(accepted(bcd), "0111100000");
  EXPECT_EQ(accepted(date), "1111111111");
  EXPECT_EQ(i.GetAlignment(), taRightJustify);
  EXPECT_EQ(s.GetAlignment(), taLeftJustify);
  EXPECT_EQ(i.GetDisplayWidth(), 11);
  i.SetFieldName("QTY");
  EXPECT_EQ(i.GetDisplayLabel(), "QTY");
  EXPECT_FALSE(i.IsDisplayLabelStored());
  i.SetDisplayLabel("Quantity");
  EXPECT_TRUE(i.IsDisplayLabelStored());
}

TEST(ClientStore, FiveFieldRecordsStayUnder120BytesEach) {
  TComponent owner(nullptr);
  auto* d = new TClientDataSet(&owner);
  d->GetFieldDefs()->Add("I", ftInteger);
  d->GetFieldDefs()->Add("S", ftString, 20);
  d->GetFieldDefs()->Add("D", ftDate);
  d->GetFieldDefs()->Add("F", ftFloat);
  d->GetFieldDefs()->Add("B", ftBoolean);
  d->CreateDataSet();
  const int n = 20000;
  for (int k = 0; k < n; ++k)
    d->AppendRecord({Variant(k), Variant("name " + std::to_string(k) + " xxxxxxxx"),
                     Variant::FromDate(40000.0 + k), Variant(k * 0.5), Variant(k % 2 == 0)});
  EXPECT_LE(d->MemoryBytes() / n, 120u);
  d->SetIndexFieldNames("S");
  d->SetOnFilterRecord(TFilterRecordEvent([](TDataSet*, bool& accept) { accept = true; }));
  d->SetFiltered(true);
  EXPECT_EQ(d->GetRecordCount(), n);
  EXPECT_LE(d->MemoryBytes() / n, 120u);
}

}  // namespace
}  // namespace tabulon::test
