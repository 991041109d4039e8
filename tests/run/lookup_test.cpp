// Records of lookup fields: lookup mode follows the field and the button
// style, blocks the list settings, and a filter record looks the value up
// from the current record itself.
#include <gtest/gtest.h>

#include "platform/db/db_error.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

TEST(LookupRecords, ModeFollowsFieldAndButtonStyle) {
  TComponent owner(nullptr);
  auto* cities = NewDataSet(&owner, {{"ID", ftInteger}, {"CITY", ftString, 20}},
                            {{10, "Berlin"}, {20, "Paris"}});
  cities->SetName("Cities");
  auto* people = new TClientDataSet(&owner);
  people->SetName("Staff");
  auto* name = new TStringField(&owner);
  name->SetFieldName("NAME");
  name->SetSize(12);
  auto* cityId = new TIntegerField(&owner);
  cityId->SetFieldName("CITY_ID");
  auto* city = new TStringField(&owner);
  city->SetFieldName("CITY_NAME");
  city->SetFieldKind(fkLookup);
  city->SetKeyFields("CITY_ID");
  city->SetLookupDataSet(cities);
  city->SetLookupKeyFields("ID");
  city->SetLookupResultField("CITY");
  for (TField* f : std::vector<TField*>{name, cityId, city}) f->SetDataSet(people);
  people->CreateDataSet();
  people->AppendRecord({Variant("Ann"), Variant(20)});
  people->AppendRecord({Variant("Bob"), Variant(10)});
  people->AppendRecord({Variant("Cid"), Null});
  auto* source = new TDataSource(&owner);
  source->SetDataSet(people);

  PanelPtr panel = MakePanel(source, TFilterRecord::StaticClass());
  TFieldRecord* r = panel->FindField("CITY_NAME");
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->GetLookupMode());
  EXPECT_EQ(r->GetKeyField(), "");  // hidden while in lookup mode
  EXPECT_EQ(r->GetListSource(), nullptr);
  EXPECT_EQ(MessageOf<EDatabaseError>([&] { r->SetKeyField("ID"); }), DbMsg("SPropDefByLookup"));
  // The filter record looks the city up from the current record.
  r->SetAsString(0, "Par");
  EXPECT_EQ(Matching(*panel, people), (std::vector<std::string>{"Ann"}));
  r->SetButtonStyle(rbsEllipsis);
  EXPECT_FALSE(r->GetLookupMode());
  EXPECT_EQ(r->GetKeyField(), "");
  r->SetKeyField("ID");
  EXPECT_EQ(r->GetKeyField(), "ID");
  r->SetButtonStyle(rbsAuto);
  EXPECT_TRUE(r->GetLookupMode());
  EXPECT_EQ(r->GetKeyField(), "");
  panel.reset();
}

}  // namespace
}  // namespace tabulon::test
