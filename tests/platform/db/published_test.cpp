// What form files and the package reach by name: the published properties
// of datasets, fields and data sources, and opening when Active was read.
#include <gtest/gtest.h>

#include "platform/core/props.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

TEST(Published, DatasetsOfferTheirPropertiesByName) {
  struct Want {
    const TClass* cls;
    std::vector<std::pair<const char*, TTypeKind>> present;
    std::vector<const char*> absent;
  } wants[] = {
      {TClientDataSet::StaticClass(),
       {{"Active", tkEnumeration},
        {"Filtered", tkEnumeration},
        {"OnFilterRecord", tkMethod},
        {"IndexDefs", tkClass},
        {"IndexName", tkString},
        {"IndexFieldNames", tkString},
        {"FieldDefs", tkClass},
        {"OnCalcFields", tkMethod}},
       {"SQL", "TableName"}},
      {TTable::StaticClass(),
       {{"TableName", tkString},
        {"IndexDefs", tkClass},
        {"IndexName", tkString},
        {"IndexFieldNames", tkString},
        {"Connection", tkClass},
        {"Filtered", tkEnumeration}},
       {"SQL"}},
      {TQuery::StaticClass(), {{"SQL", tkClass}, {"Params", tkClass}}, {"IndexName", "IndexDefs"}},
      {TField::StaticClass(),
       {{"FieldName", tkString},
        {"DisplayLabel", tkString},
        {"DisplayWidth", tkInteger},
        {"EditMask", tkString},
        {"Visible", tkEnumeration},
        {"Alignment", tkEnumeration},
        {"FieldKind", tkEnumeration},
        {"KeyFields", tkString},
        {"LookupDataSet", tkClass},
        {"LookupKeyFields", tkString},
        {"LookupResultField", tkString},
        {"LookupCache", tkEnumeration},
        {"DataSet", tkClass}},
       {}},
      {TDataSource::StaticClass(), {{"DataSet", tkClass}, {"Enabled", tkEnumeration}}, {}},
  };
  for (const Want& w : wants) {
    for (auto [name, kind] : w.present) {
      const TPropInfo* p = GetPropInfo(w.cls, name);
      ASSERT_NE(p, nullptr) << w.cls->ClassName() << "." << name;
      EXPECT_EQ(p->Kind(), kind) << w.cls->ClassName() << "." << name;
    }
    for (const char* name : w.absent)
      EXPECT_EQ(GetPropInfo(w.cls, name), nullptr) << w.cls->ClassName() << "." << name;
  }
  EXPECT_NE(FindClass("TStringField"), nullptr);
  EXPECT_TRUE(FindClass("TClientDataSet")->IsComponentClass());
}

TEST(Published, FilterPropertiesWorkThroughTypeInformation) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeClientPeople(&owner);
  int calls = 0;
  TFilterRecordEvent handler([&](TDataSet*, bool& accept) {
    ++calls;
    accept = false;
  });
  SetMethodProp(d, "OnFilterRecord", handler.ToMethod());
  SetOrdProp(d, "Filtered", 1);
  EXPECT_TRUE(d->GetFiltered());
  EXPECT_TRUE(d->IsEmpty());
  EXPECT_EQ(calls, 8);
  EXPECT_TRUE(GetMethodProp(d, "OnFilterRecord") == handler.ToMethod());
  SetStrProp(d, "IndexFieldNames", "NAME");
  EXPECT_EQ(d->GetIndexFieldNames(), "NAME");
  EXPECT_EQ(GetObjectProp(d, "IndexDefs"), static_cast<TObject*>(d->GetIndexDefs()));
}

TEST(Published, ActiveReadFromAFormOpensInLoaded) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeClientPeople(&owner);
  d->Close();
  TDataSource source(nullptr);
  source.SetDataSet(d);
  TRecordingLink link;
  link.SetDataSource(&source);
  link.Take();
  d->IncludeState(csLoading);
  SetOrdProp(d, "Active", 1);
  EXPECT_FALSE(d->GetActive());
  d->ExcludeState(csLoading);
  d->Loaded();
  EXPECT_TRUE(d->GetActive());
  EXPECT_EQ(link.Take(), "ActiveChanged:1,People;");
}

}  // namespace
}  // namespace tabulon::test
