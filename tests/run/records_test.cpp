// Field records and the field list: names derived from field names,
// binding, defaults, the rebuild from the dataset in default-fields mode,
// the field map order and the collapsing of change flags.
#include <gtest/gtest.h>

#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

std::string Names(TFieldsList* list) {
  std::string s;
  for (int i = 0; i < list->Count(); ++i) s += (i ? "," : "") + list->GetItem(i)->GetName();
  return s;
}

TEST(FieldRecordNaming, DerivedNamesFollowFieldNamesAndSuffixRule) {
  PanelPtr panel = MakePanel(nullptr);
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  TFieldRecord* a = list->Add();
  TFieldRecord* b = list->Add();
  TFieldRecord* c = list->Add();
  a->SetFieldName("CITY");
  b->SetFieldName("CITY");
  c->SetFieldName("CITY");
  EXPECT_EQ(Names(list), "CITY,CITY1,CITY2");
  // A name is checked as it will be stored: CITY01 would read CITY1.
  for (const char* taken : {"CITY01", "city001", "CITY2"})
    EXPECT_EQ(MessageOf<ETabulonError>([&] { a->SetName(taken); }),
              std::string("Duplicate name \"") + taken + "\"");
  EXPECT_EQ(Names(list), "CITY,CITY1,CITY2");
  EXPECT_FALSE(a->IsNameStored());
  EXPECT_TRUE(b->IsNameStored());
  delete b;  // removing CITY1 renames nobody
  EXPECT_EQ(Names(list), "CITY,CITY2");

  // A numeric suffix (compared in upper case) stays derived; other text is explicit.
  a->SetName("city07");
  EXPECT_EQ(a->GetName(), "CITY7");
  EXPECT_FALSE(a->GetAssignedValues().Contains(frvName));
  EXPECT_TRUE(a->IsNameStored());
  a->SetName("CITYX");
  EXPECT_EQ(a->GetName(), "CITYX");
  EXPECT_TRUE(a->GetAssignedValues().Contains(frvName));
  a->SetName("");
  EXPECT_EQ(a->GetName(), "CITY");  // CITY is free again

  // A derived name follows the field; an explicit one stays.
  c->SetFieldName("TOWN");
  EXPECT_EQ(c->GetName(), "TOWN");
  TFieldRecord* d = list->Add();
  d->SetFieldName("TOWN");
  EXPECT_EQ(d->GetName(), "TOWN1");
  a->SetName("Capital");
  a->SetFieldName("VILLAGE");
  EXPECT_EQ(a->GetName(), "Capital");
  // A change of letter case only re-spells the field name.
  d->SetFieldName("town");
  EXPECT_EQ(d->GetFieldName(), "town");
  EXPECT_EQ(d->GetName(), "town1");
  // The designer shows the field name, or the class of a record without one.
  EXPECT_EQ(d->GetDisplayName(), "town");
  EXPECT_EQ(list->Add()->GetDisplayName(), "TFieldRecord");
}

TEST(FieldRecordBinding, DefaultsComeFromTheBoundOrPersistentField) {
  PeopleData data;
  data.DataSet->FieldByName("NAME")->SetDisplayLabel("Full name");
  data.DataSet->FieldByName("AGE")->SetVisible(false);
  PanelPtr panel = MakePanel(data.Source);
  TFieldRecord* name = panel->FindField("name");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->GetFieldIndex(), 0);
  EXPECT_EQ(name->GetDisplayLabel(), "Full name");
  EXPECT_EQ(name->GetDisplayWidth(), 20);
  EXPECT_EQ(name->GetCommentWidth(), 20);
  EXPECT_FALSE(panel->FindField("AGE")->GetVisible());
  EXPECT_EQ(panel->FindField("AGE")->GetAlignment(), taRightJustify);
  EXPECT_EQ(name->GetDataType(), ftString);

  // Assigned settings win and are stored only when they differ.
  name->SetDisplayWidth(20);
  EXPECT_TRUE(name->GetAssignedValues().Contains(frvDisplayWidth));
  EXPECT_FALSE(name->IsDisplayWidthStored());
  name->SetDisplayWidth(30);
  EXPECT_TRUE(name->IsDisplayWidthStored());

  // An unknown field binds nothing: defaults of a free record.
  TFieldRecord* ghost = panel->GetFields()->Add();
  panel->GetFields()->SetDefaultFields(false);
  ghost->SetFieldName("GHOST");
  EXPECT_EQ(ghost->GetFieldIndex(), -1);
  EXPECT_EQ(ghost->GetField(), nullptr);
  EXPECT_EQ(ghost->GetDisplayLabel(), "GHOST");
  EXPECT_EQ(ghost->GetDisplayWidth(), 10);
  EXPECT_EQ(ghost->GetDataType(), ftUnknown);
}

TEST(FieldRecordBinding, DataTypeOnlyOnCalculatedRecordsOrWhileLoading) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  panel->GetFields()->SetDefaultFields(false);
  TFieldRecord* age = panel->FindField("AGE");
  EXPECT_EQ(MessageOf<ETabulonError>([&] { age->SetDataType(ftString); }),
            "Cannot perform this operation. The RecordKind property of TFieldRecord must be set "
            "to a 'rkCalculated'");
  EXPECT_EQ(age->GetRecordKind(), rkData);
  EXPECT_EQ(age->GetDataType(), ftInteger);

  panel->IncludeState(csLoading);
  age->SetDataType(ftString);
  panel->ExcludeState(csLoading);
  EXPECT_EQ(age->GetRecordKind(), rkCalculated);
  EXPECT_EQ(age->GetDataType(), ftString);
  EXPECT_EQ(age->GetField(), nullptr);

  // Switching a bound record to calculated keeps the field's type.
  TFieldRecord* born = panel->FindField("BORN");
  born->SetRecordKind(rkCalculated);
  EXPECT_EQ(born->GetDataType(), ftDate);
  EXPECT_TRUE(born->IsDataTypeStored());
}

TEST(FieldsListDefaultFields, RebuildsFromDatasetFieldsAndValidates) {
  PeopleData data;
  PanelPtr panel = MakePanel(nullptr);
  panel->Refused = {ftMemo};  // like a filter panel
  panel->SetDataSource(data.Source);
  TFieldsList* list = panel->GetFields();
  EXPECT_EQ(Names(list), "NAME,AGE,BORN,ACTIVE,SCORE");
  data.DataSet->Close();
  EXPECT_EQ(list->Count(), 0);  // closed: empty in default-fields mode
  data.DataSet->Open();
  EXPECT_EQ(Names(list), "NAME,AGE,BORN,ACTIVE,SCORE");

  // Existing records keep their place when found; strangers are removed.
  list->BeginUpdate();
  list->GetItem(0)->SetIndex(4);
  list->Add()->SetFieldName("GHOST");
  list->EndUpdate();
  list->SetFields();
  EXPECT_EQ(Names(list), "NAME,AGE,BORN,ACTIVE,SCORE");
  for (int i = 0; i < list->Count(); ++i) EXPECT_EQ(list->GetItem(i)->GetFieldIndex(), i);
}

TEST(FieldsListDefaultFields, StoredListIsOnlyRebound) {
  PeopleData data;
  PanelPtr panel = MakePanel(nullptr);
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  list->Add()->SetFieldName("SCORE");
  list->Add()->SetFieldName("GHOST");
  panel->SetDataSource(data.Source);
  EXPECT_EQ(Names(list), "SCORE,GHOST");
  EXPECT_EQ(list->GetItem(0)->GetFieldIndex(), 4);
  EXPECT_EQ(list->GetItem(1)->GetFieldIndex(), -1);
  data.DataSet->Close();
  EXPECT_EQ(list->GetItem(0)->GetFieldIndex(), -1);
  // Switching default-fields mode on rebuilds at once.
  data.DataSet->Open();
  list->SetDefaultFields(true);
  EXPECT_EQ(Names(list), "NAME,AGE,BORN,ACTIVE,SCORE,NOTE");
}

TEST(FieldsListFlags, ChangesCollapseInsideUpdates) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldsList* list = panel->GetFields();
  panel->TakeTrace();
  TFieldRecord* name = list->GetItem(0);

  // Outside an update every notification runs the list update once.
  name->SetDisplayLabel("Who");
  EXPECT_EQ(panel->TakeTrace(), "paint");
  name->SetCompare(ctExact);
  EXPECT_EQ(panel->TakeTrace(), "update");
  name->SetCount(coTwo);
  EXPECT_EQ(panel->TakeTrace(), "paint update");
  name->SetEditMask(">aaa");     // no notification
  name->SetDisplayLabel("Who");  // unchanged: nothing
  EXPECT_EQ(panel->TakeTrace(), "");

  // Inside: one re-layout, one map rebuild and one Changed at the end.
  list->BeginUpdate();
  for (int i = 0; i < list->Count(); ++i) {
    list->GetItem(i)->SetDisplayWidth(5 + i);
    list->GetItem(i)->SetCaseInsensitive(false);
    list->GetItem(i)->SetVisible(i % 2 == 0);
  }
  list->BeginUpdate();
  list->EndUpdate();
  EXPECT_EQ(panel->TakeTrace(), "");
  list->EndUpdate();
  EXPECT_EQ(panel->TakeTrace(), "paint update");
  EXPECT_TRUE(list->Changes.Empty());

  // A caption change only re-lays out.
  name->GetCaptions()->SetCaption(0, "from");
  EXPECT_EQ(panel->TakeTrace(), "paint");
  // The record's own "on" equals its stored text but replaces the panel's
  // caption on screen.
  panel->GetCaptions()->SetCaption(1, "to");
  panel->TakeTrace();
  name->GetCaptions()->SetCaption(1, "on");
  EXPECT_EQ(name->GetCaptions()->GetCaption(1), "on");
  EXPECT_EQ(panel->TakeTrace(), "paint");
  name->GetCaptions()->SetCaption(1, "on");
  EXPECT_EQ(panel->TakeTrace(), "");
  // While loading the list keeps its flags and does nothing.
  panel->IncludeState(csLoading);
  name->SetDisplayLabel("Loading");
  EXPECT_EQ(panel->TakeTrace(), "");
  EXPECT_TRUE(list->Changes.Contains(lcLayout));
  panel->ExcludeState(csLoading);
}

TEST(FieldsListMap, IndexBoundRecordsComeFirstInIndexOrder) {
  // A panel whose records R1 and R2 sit at index positions 1 and 0.
  struct IndexedPanel : TTestFieldsSet {
    using TTestFieldsSet::TTestFieldsSet;
    int GetIndexFieldNo(TFieldRecord* r) override {
      return r->GetFieldName() == "AGE" ? 1 : r->GetFieldName() == "NAME" ? 0 : -1;
    }
  };
  PeopleData data;
  std::unique_ptr<IndexedPanel, FreeDeleter> panel(new IndexedPanel(nullptr));
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  list->Add()->SetFieldName("SCORE");  // R0, not in the index
  list->Add()->SetFieldName("AGE");    // R1, index position 1
  list->Add()->SetFieldName("NAME");   // R2, index position 0
  list->Add()->SetFieldName("BORN");   // R3, no value
  TFieldRecord* calc = list->Add();    // R4, calculated: never mapped
  calc->SetRecordKind(rkCalculated);
  calc->SetDataType(ftInteger);
  panel->SetDataSource(data.Source);
  list->GetItem(0)->SetAsFloat(0, 1.5);
  list->GetItem(1)->SetAsInteger(1, 40);  // only the upper bound
  list->GetItem(2)->SetAsString(0, "A");
  calc->SetAsInteger(0, 3);
  EXPECT_EQ(list->GetFieldMap(), (std::vector<int>{2, 1, 0}));

  // After every move the map is the one a rebuild gives.
  for (auto [from, to] : {std::pair{0, 3}, {4, 0}, {2, 1}, {3, 4}, {1, 2}}) {
    list->GetItem(from)->SetIndex(to);
    const std::vector<int> moved = list->GetFieldMap();
    list->SetFieldMap();
    EXPECT_EQ(moved, list->GetFieldMap()) << from << " to " << to;
  }
}

TEST(FieldsListMap, FollowsMovesAndLayoutChangesWithoutReapplying) {
  PeopleData data;
  data.Add("Ann", 30, Null, true, 1.0);
  data.Add("Bob", 40, Null, false, 2.0);
  PanelPtr panel = MakePanel(data.Source);
  TFieldsList* list = panel->GetFields();
  panel->FindField("NAME")->SetAsString(0, "Bob");
  panel->TakeTrace();
  // Default-fields mode, a field's display width changes: one re-layout,
  // no dataset update.
  data.DataSet->FieldByName("NAME")->SetDisplayWidth(30);
  EXPECT_EQ(panel->TakeTrace(), "paint");
  EXPECT_EQ(list->GetFieldMap(), std::vector<int>{0});
  EXPECT_EQ(Matching(*panel, data.DataSet), std::vector<std::string>{"Bob"});
  // A field that moves is still rebound and the records follow its order.
  data.DataSet->FieldByName("AGE")->SetIndex(0);
  EXPECT_EQ(Names(list), "AGE,NAME,BORN,ACTIVE,SCORE,NOTE");
  for (int i = 0; i < list->Count(); ++i) EXPECT_EQ(list->GetItem(i)->GetFieldIndex(), i);
  EXPECT_EQ(list->GetFieldMap(), std::vector<int>{1});
  EXPECT_EQ(Matching(*panel, data.DataSet), std::vector<std::string>{"Bob"});
  // A record moved by hand is still the one tested.
  list->SetDefaultFields(false);
  panel->TakeTrace();
  list->GetItem(1)->SetIndex(4);
  EXPECT_EQ(panel->TakeTrace(), "paint");
  EXPECT_EQ(list->GetFieldMap(), std::vector<int>{4});
  EXPECT_EQ(Matching(*panel, data.DataSet), std::vector<std::string>{"Bob"});
}

TEST(FieldRecordAssign, CopiesAssignedSettingsAndValuesOnly) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  TFieldRecord* src = list->GetItem(1);  // AGE
  src->SetDisplayLabel("Years");
  src->SetCount(coOne);
  src->SetCommentVisible(true);
  src->SetName("Ageing");
  src->SetAsInteger(0, 33);
  TFieldRecord* dst = list->Add();
  panel->TakeTrace();
  dst->Assign(src);
  EXPECT_EQ(panel->TakeTrace(), "paint update");  // one list update
  EXPECT_EQ(dst->GetFieldName(), "AGE");
  EXPECT_EQ(dst->GetDisplayLabel(), "Years");
  EXPECT_EQ(dst->GetAssignedValues(), (TFieldRecordValues{frvDisplayLabel, frvCount}));
  EXPECT_EQ(dst->GetAsInteger(0), 33);
  EXPECT_FALSE(dst->GetCommentVisible());
  EXPECT_EQ(dst->GetName(), "AGE");

  // The destination keeps its own name, explicit or derived, readable and unique.
  TFieldRecord* village = list->Add();
  village->SetFieldName("VILLAGE");
  TFieldRecord* capital = list->Add();
  capital->SetFieldName("VILLAGE");
  capital->SetName("Capital");
  TFieldRecord* town = list->Add();
  town->SetFieldName("TOWN");
  capital->Assign(village);
  town->Assign(village);
  EXPECT_EQ(capital->GetName(), "Capital");
  EXPECT_EQ(panel->FindFieldRecord("Capital"), capital);
  EXPECT_EQ(town->GetName(), "VILLAGE1");
  EXPECT_EQ(MessageOf<EConvertError>([&] { dst->Assign(data.DataSet->GetFieldDefs()); }),
            "Cannot assign a TFieldDefs to a TFieldRecord");
}

}  // namespace
}  // namespace tabulon::test
