// What form files and the package reach by name: the published properties
// of datasets, fields and data sources, and opening when Active was read.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/core/props.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

TEST(Published, DatasetsOfferTheirPropertiesByName) {
  // Present properties as "Name:kind", the kind being e(numeration), m(ethod),
  // c(lass), s(tring) or i(nteger); then names that must not be published.
  struct Want {
    const TClass* cls;
    const char* present;
    std::vector<const char*> absent;
  } wants[] = {
      {TClientDataSet::StaticClass(),
       "Active:e Filtered:e OnFilterRecord:m IndexDefs:c IndexName:s IndexFieldNames:s "
       "FieldDefs:c OnCalcFields:m",
       {"SQL", "TableName"}},
      {TTable::StaticClass(),
       "TableName:s IndexDefs:c IndexName:s IndexFieldNames:s Connection:c Filtered:e",
       {"SQL"}},
      {TQuery::StaticClass(), "SQL:c Params:c", {"IndexName", "IndexDefs"}},
      {TField::StaticClass(),
       "FieldName:s DisplayLabel:s DisplayWidth:i EditMask:s Visible:e Alignment:e FieldKind:e "
       "KeyFields:s LookupDataSet:c LookupKeyFields:s LookupResultField:s LookupCache:e DataSet:c",
       {}},
      {TDataSource::StaticClass(), "DataSet:c Enabled:e", {}},
  };
  const std::map<char, TTypeKind> kinds = {
      {'e', tkEnumeration}, {'m', tkMethod}, {'c', tkClass}, {'s', tkString}, {'i', tkInteger}};
  for (const Want& w : wants) {
    std::istringstream present(w.present);
    for (std::string item; present >> item;) {
      std::string name = item.substr(0, item.size() - 2);
      SCOPED_TRACE(w.cls->ClassName() + "." + name);
      const TPropInfo* p = GetPropInfo(w.cls, name);
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p->Kind(), kinds.at(item.back()));
    }
    for (const char* name : w.absent)
      EXPECT_EQ(GetPropInfo(w.cls, name), nullptr) << w.cls->ClassName() << "." << name;
  }
  EXPECT_NE(FindClass("TStringField"), nullptr);
  EXPECT_TRUE(FindClass("TClientDataSet")->IsComponentClass());
}

TEST(Published, FilterPropertiesAndActiveWorkThroughTypeInformation) {
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
  // Active read from a form file opens the dataset only in Loaded.
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
