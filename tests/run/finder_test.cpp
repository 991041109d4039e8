// The finder: the dataset named directly or through a data source (the two
// exclude each other; the finder's own data source lives exactly as long as
// DataSet is used), removal of either from the form, the index following
// the dataset, the key list's conversions and refusals, and the finder in
// form files. Where Seek lands is checked against a scan of the sample
// database in finder_sample_test.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/streaming/formres.h"
#include "run/tbnfinder.h"
#include "tests/run/test_util.h"

namespace tabulon {
namespace {

using test::FormPtr;

// Kinds that must not compile as keys.
static_assert(!std::is_constructible_v<TQXKey, wchar_t>);
static_assert(!std::is_constructible_v<TQXKey, char16_t>);
static_assert(!std::is_constructible_v<TQXKey, char32_t>);
static_assert(!std::is_constructible_v<TQXKey, const wchar_t*>);
static_assert(!std::is_constructible_v<TQXKey, const char16_t*>);
static_assert(!std::is_constructible_v<TQXKey, TClass*>);
static_assert(!std::is_constructible_v<TQXKey, std::vector<int>>);
static_assert(!std::is_constructible_v<TQXKey, std::wstring>);
// Kinds that must.
static_assert(std::is_constructible_v<TQXKey, TField*>);
static_assert(std::is_constructible_v<TQXKey, TDataSource*>);  // refused when run
static_assert(std::is_constructible_v<TQXKey, void*>);         // refused unless null

// ID 1..7 with K (integer) in the order K: 0, 1, 2, 2, 2, 5, 9.
class Finder : public ::testing::Test {
 protected:
  TComponent owner{nullptr};
  TClientDataSet* ds = MakeDataSet("Data");

  TClientDataSet* MakeDataSet(const char* name) {
    auto* d = new TClientDataSet(&owner);
    d->SetName(name);
    d->GetFieldDefs()->Add("ID", ftInteger);
    d->GetFieldDefs()->Add("K", ftInteger);
    d->GetFieldDefs()->Add("S", ftString, 10);
    d->CreateDataSet();
    const int keys[] = {2, 9, 0, 2, 5, 1, 2};
    for (int i = 0; i < 7; ++i) d->AppendRecord({i + 1, keys[i], "s" + std::to_string(i + 1)});
    d->SetIndexFieldNames("K");
    return d;
  }
  // The IDs in index order: 3 (0), 6 (1), 1, 4, 7 (2), 5 (5), 2 (9).
  static int Id(TDataSet* d) { return d->FieldByName("ID")->GetAsInteger(); }
  void GoToId(int id) {
    for (ds->First(); Id(ds) != id; ds->Next()) {
    }
  }
};

TEST_F(Finder, DataSetAndDataSourceExcludeEachOtherAndTheOwnSourceLivesWithDataSet) {
  auto* finder = new TQXFinder(&owner);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  EXPECT_EQ(finder->GetDataSetIndex()->GetDataSet(), nullptr);

  finder->SetDataSet(ds);  // the finder's own source joins the dataset
  EXPECT_EQ(finder->GetDataSet(), ds);
  EXPECT_EQ(finder->GetDataSource(), nullptr);
  ASSERT_EQ(ds->DataSources().size(), 2u);
  TDataSource* own = ds->DataSources()[1];
  EXPECT_EQ(own->GetOwner(), nullptr);  // not on the form, so never written
  EXPECT_EQ(finder->GetDataSetIndex()->GetDataSet(), ds);
  EXPECT_EQ(finder->GetDataSetIndex()->GetCount(), 1);  // K

  finder->SetDataSet(ds);  // the same dataset: nothing happens
  EXPECT_EQ(ds->DataSources().size(), 2u);
  finder->SetDataSource(nullptr);  // DataSource reads none already: nothing happens
  EXPECT_EQ(finder->GetDataSet(), ds);

  finder->SetDataSource(source);  // the own source is freed
  EXPECT_EQ(finder->GetDataSet(), nullptr);
  EXPECT_EQ(finder->GetDataSource(), source);
  EXPECT_EQ(ds->DataSources(), std::vector<TDataSource*>{source});
  EXPECT_EQ(finder->GetDataSetIndex()->GetDataSet(), ds);

  finder->SetDataSet(ds);  // a new own source; the data source is let go
  EXPECT_EQ(finder->GetDataSource(), nullptr);
  EXPECT_EQ(source->LinkCount(), 0);
  EXPECT_EQ(ds->DataSources().size(), 2u);

  TObject::Free(finder);  // frees its own source
  EXPECT_EQ(ds->DataSources(), std::vector<TDataSource*>{source});
}

TEST_F(Finder, RemovingTheDataSetOrDataSourceFromAnotherFormEmptiesTheProperty) {
  TComponent other(nullptr);  // the finder lives on another form than its targets
  auto* finder = new TQXFinder(&other);
  TClientDataSet* second = MakeDataSet("Second");
  finder->SetDataSet(second);
  TObject::Free(second);
  EXPECT_EQ(finder->GetDataSet(), nullptr);
  EXPECT_EQ(finder->GetDataSetIndex()->DataSet(), nullptr);
  EXPECT_EQ(finder->GetDataSetIndex()->GetCount(), 0);

  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  finder->SetDataSource(source);
  EXPECT_EQ(finder->GetDataSetIndex()->GetCount(), 1);
  TObject::Free(source);
  EXPECT_EQ(finder->GetDataSource(), nullptr);
  EXPECT_EQ(finder->GetDataSetIndex()->DataSet(), nullptr);
  // The finder still works (finding nothing) and can take a dataset again.
  EXPECT_FALSE(finder->FindKey({2}));
  finder->SetDataSet(ds);
  EXPECT_TRUE(finder->FindKey({2}));
  EXPECT_EQ(Id(ds), 1);
}

TEST_F(Finder, TheIndexFollowsTheDataSetThroughTheLink) {
  TQXFinder finder(&owner);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  finder.SetDataSource(source);
  TDataSetIndex* index = finder.GetDataSetIndex();
  ASSERT_EQ(index->GetCount(), 1);
  ds->Close();
  EXPECT_EQ(index->GetCount(), 0);
  ds->SetIndexFieldNames("S;K");
  ds->Open();
  ASSERT_EQ(index->GetCount(), 2);
  EXPECT_EQ(index->GetItem(0).Field, ds->FieldByName("S"));
  TClientDataSet* second = MakeDataSet("Second");
  source->SetDataSet(second);  // relinking
  ASSERT_EQ(index->GetCount(), 1);
  EXPECT_EQ(index->GetItem(0).Field, second->FieldByName("K"));
  EXPECT_EQ(finder.GetDataSetIndex()->GetDataSet(), second);
}

// Each kind of key and the variant it becomes.
TEST_F(Finder, KeyListConversionTable) {
  ds->Last();  // K = 9
  const Variant unassigned;
  const Variant text = "abc";
  const std::string str = "def";
  const Variant keys = QXKeysToVariant(
      {7, int64_t{1} << 40, 40000u, true, 'x', 1.5f, 2.25, "lit", str, std::string_view("sv"),
       Currency::FromRaw(12345), text, unassigned, Variant(Null), ds->FieldByName("K"),
       static_cast<TField*>(nullptr), nullptr, static_cast<const void*>(nullptr)});
  struct TExpect {
    TVarType Type;
    Variant Value;
  };
  const TExpect expect[] = {{varInteger, 7},
                            {varInt64, int64_t{1} << 40},
                            {varInteger, 40000},
                            {varBoolean, true},
                            {varString, "x"},
                            {varDouble, 1.5},
                            {varDouble, 2.25},
                            {varString, "lit"},
                            {varString, "def"},
                            {varString, "sv"},
                            {varCurrency, Currency::FromRaw(12345)},
                            {varString, "abc"},
                            {varNull, Null},  // an unassigned variant gives Null
                            {varNull, Null},
                            {varInteger, 9},  // the field's current value
                            {varNull, Null},  // a null object
                            {varNull, Null},
                            {varEmpty, unassigned}};  // a null pointer leaves it unassigned
  ASSERT_TRUE(keys.IsArray());
  ASSERT_EQ(VarArrayLowBound(keys), 0);
  ASSERT_EQ(VarArrayHighBound(keys), static_cast<int>(std::size(expect)) - 1);
  for (int i = 0; i < static_cast<int>(std::size(expect)); ++i) {
    const Variant e = keys.GetElement(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(VarType(e), expect[i].Type);
    if (!e.IsNull() && !e.IsEmpty()) {
      EXPECT_EQ(VarCompare(e, expect[i].Value), 0) << e;
    }
  }
  EXPECT_TRUE(QXKeysToVariant({}).IsNull());
}

// A pointer that is not null, an object that is not a field and an unsigned
// integer no variant holds are refused with the framework's database error,
// before the dataset moves.
TEST_F(Finder, RefusedKeysRaiseTheDatabaseErrorAndLeaveTheDataSet) {
  TQXFinder finder(&owner);
  finder.SetDataSet(ds);
  GoToId(5);
  int local = 0;
  const std::vector<std::function<void()>> refused = {
      [&] {
        finder.FindKey({2, static_cast<const void*>(&local)});
      },
      [&] {
        finder.FindNearest({static_cast<TDataSource*>(nullptr), &finder});
      },
      [&] { finder.FindRecord({~uint64_t{0}}, dsoFirstEQ, dgoFirst); }};
  for (const auto& call : refused) {
    EXPECT_EQ(test::MessageOf<EDatabaseError>(call), "Invalid value for field 'DisplayName'");
    EXPECT_EQ(Id(ds), 5);
  }
}

TEST_F(Finder, KeyListsAndNull) {
  TQXFinder finder(&owner);
  finder.SetDataSet(ds);
  GoToId(5);
  // An empty list searches for Null, which no record holds; a key that is
  // not there at all would count every record equal.
  EXPECT_FALSE(finder.FindKey({}));
  EXPECT_EQ(Id(ds), 5);
  EXPECT_FALSE(finder.FindKey({nullptr}));
  EXPECT_EQ(Id(ds), 5);
  EXPECT_TRUE(finder.SeekEx(Unassigned, dsoFirstEQ, dgoNone));
  EXPECT_EQ(Id(ds), 3);
  // A field's current value: 5 in the other dataset's record 5.
  TClientDataSet* other = MakeDataSet("Other");
  other->First();
  while (other->FieldByName("ID")->GetAsInteger() != 5) other->Next();
  EXPECT_TRUE(finder.FindKey({other->FieldByName("K")}));
  EXPECT_EQ(Id(ds), 5);
  // Not found: FindKey stays, FindNearest lands after or on the last record.
  EXPECT_FALSE(finder.FindKey({3}));
  EXPECT_EQ(Id(ds), 5);
  EXPECT_TRUE(finder.FindNearest({3}));
  EXPECT_EQ(Id(ds), 5);
  EXPECT_TRUE(finder.FindNearest({2}));
  EXPECT_EQ(Id(ds), 1);
  GoToId(6);
  EXPECT_FALSE(finder.FindNearest({10}));
  EXPECT_EQ(Id(ds), 2);
  EXPECT_TRUE(finder.FindRecord({2}, dsoLastEQ, dgoNone));
  EXPECT_EQ(Id(ds), 7);
  // Keys beyond the key fields are cut off.
  EXPECT_TRUE(finder.FindKey({9, "anything"}));
  EXPECT_EQ(Id(ds), 2);
}

TEST_F(Finder, FormFileKeepsTheReferencesTheIndexDescriptionAndTheLocale) {
  auto* form = new TPanel(nullptr);
  form->SetName("Form1");
  TClientDataSet* data = MakeDataSet("Customers");
  owner.RemoveComponent(data);
  form->InsertComponent(data);
  auto* finder = new TQXFinder(form);
  finder->SetName("Finder1");
  finder->SetDataSet(data);
  finder->SetLocaleID(-1);
  finder->GetDataSetIndex()->SetFieldNames("S;K");
  finder->GetDataSetIndex()->SetDescFields("K");
  auto* other = new TQXFinder(form);  // defaults only
  other->SetName("Finder2");

  const std::string text = ComponentToText(form);
  for (const char* present :
       {"object Finder1: TQXFinder", "DataSet = Customers", "DataSetIndex.DefaultIndex = False",
        "DataSetIndex.FieldNames = 'S;K'", "DataSetIndex.DescFields = 'K'", "LocaleID = -1",
        "object Finder2: TQXFinder"})
    EXPECT_NE(text.find(present), std::string::npos) << present << "\n" << text;
  const std::string second = text.substr(text.find("object Finder2"));
  for (const char* absent : {"DataSource", "LocaleID", "DataSetIndex", "TDataSource"})
    EXPECT_EQ(second.find(absent), std::string::npos) << absent << "\n" << text;
  TObject::Free(form);

  FormPtr back(ReadFormData(text, nullptr));
  auto* f = dynamic_cast<TQXFinder*>(back->FindComponent("Finder1"));
  ASSERT_NE(f, nullptr);
  auto* d = dynamic_cast<TClientDataSet*>(back->FindComponent("Customers"));
  EXPECT_EQ(f->GetDataSet(), d);
  EXPECT_EQ(f->GetLocaleID(), -1);
  EXPECT_FALSE(f->GetDataSetIndex()->GetDefaultIndex());
  EXPECT_EQ(f->GetDataSetIndex()->GetFieldNames(), "S;K");
  EXPECT_EQ(f->GetDataSetIndex()->GetDescFields(), "K");
  // Created by its class name, like every component of a form file.
  FormPtr made(FindClass("TQXFinder")->CreateComponent(nullptr));
  EXPECT_NE(dynamic_cast<TQXFinder*>(made.get()), nullptr);
}

}  // namespace
}  // namespace tabulon
