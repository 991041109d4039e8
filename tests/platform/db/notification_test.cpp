// Notifications of datasets to data sources and links: the exact sequence
// for open, close, relinking, layout changes, refresh, scrolling and
// filtering, and their collapse inside DisableControls/EnableControls.
#include <gtest/gtest.h>

#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

class Notifications : public ::testing::TestWithParam<Kind> {
 protected:
  TempDatabase db;
  TComponent owner{nullptr};
  TDataSet* d = MakePeople(GetParam(), &owner, db);
  TDataSource* source = new TDataSource(&owner);
  TRecordingLink link;
  void SetUp() override {
    source->SetDataSet(d);
    link.SetDataSource(source);
  }
};

TEST_P(Notifications, OpenScrollRefreshFilterAndClose) {
  EXPECT_EQ(link.Take(), "ActiveChanged:0,People;");  // linked to a closed dataset
  d->Open();
  EXPECT_EQ(link.Take(), "ActiveChanged:1,People;");
  d->Next();
  d->Next();
  d->Next();  // 4
  d->Prior();
  EXPECT_EQ(link.Take(), "DataSetChanged:2;DataSetChanged:3;DataSetChanged:4;DataSetChanged:3;");
  d->MoveBy(2);
  d->SetRecNo(7);
  d->SetRecNo(7);  // no move, no event
  d->Last();
  d->Next();  // at the end: nothing
  d->First();
  d->Prior();  // at the start: nothing
  EXPECT_EQ(link.Take(), "DataSetChanged:5;DataSetChanged:7;DataSetChanged:8;DataSetChanged:1;");
  d->Refresh();
  EXPECT_EQ(link.Take(), "DataSetChanged:1;");
  d->SetOnFilterRecord(TFilterRecordEvent(
      [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("ID")->GetAsInteger() > 3; }));
  EXPECT_EQ(link.Take(), "");  // a new handler acts on the next read
  d->SetFiltered(true);
  EXPECT_EQ(link.Take(), "DataSetChanged:4;");
  d->Locate("NAME", Variant("Echo"), {});
  d->Locate("NAME", Variant("Echo"), {});  // already there
  d->SetIndexFieldNames("NAME");
  EXPECT_EQ(link.Take(), "DataSetChanged:6;DataSetChanged:7;");  // Echo is 7th by name
  d->Close();
  EXPECT_EQ(link.Take(), "ActiveChanged:0,People;");
}

TEST_P(Notifications, AMoveLeavesOneEdgeAndReachingTheOtherIsAScroll) {
  TempDatabase one(std::vector<Person>{kPeople[0]});
  TComponent o(nullptr);
  TDataSet* e = MakePeople(GetParam(), &o, one, "One");
  e->Open();
  e->First();
  source->SetDataSet(e);
  link.Take();
  std::string flags;
  auto step = [&](void (TDataSet::*move)()) {
    (e->*move)();
    flags += std::string(e->GetBof() ? "B" : "-") + (e->GetEof() ? "E" : "-") + " ";
  };
  step(&TDataSet::Next);   // reaches Eof, leaves Bof
  step(&TDataSet::Next);   // already there: nothing
  step(&TDataSet::Prior);  // reaches Bof, leaves Eof
  step(&TDataSet::Prior);
  step(&TDataSet::Last);
  step(&TDataSet::First);
  EXPECT_EQ(flags, "-E -E B- B- -E B- ");
  EXPECT_EQ(link.Take(), "DataSetChanged:1;DataSetChanged:1;DataSetChanged:1;DataSetChanged:1;");
  EXPECT_EQ(e->MoveBy(1), 0);
  EXPECT_TRUE(e->GetEof() && !e->GetBof());
  if (GetParam() != Kind::Client) return;  // SQLite datasets are read-only
  e->First();
  e->Append();  // past the last record: Bof is left
  EXPECT_TRUE(!e->GetBof() && e->GetEof());
  e->FieldByName("ID")->SetAsInteger(2);
  e->Post();
  e->First();
  step(&TDataSet::Next);
  step(&TDataSet::Next);
  EXPECT_EQ(flags.substr(18), "-- -E ");
}

TEST_P(Notifications, DisableControlsCollapsesToOneChangeWhenThePositionMoved) {
  d->Open();
  link.Take();
  d->DisableControls();
  d->Next();
  d->DisableControls();  // nested
  d->Next();
  d->EnableControls();
  EXPECT_EQ(link.Take(), "");
  d->Last();
  d->EnableControls();
  EXPECT_EQ(link.Take(), "DataSetChanged:8;");
  // Moving away and back leaves nothing to tell.
  d->DisableControls();
  d->First();
  d->Last();
  d->EnableControls();
  EXPECT_EQ(link.Take(), "");
  // A refresh inside counts even without a move.
  d->DisableControls();
  d->Refresh();
  d->EnableControls();
  EXPECT_EQ(link.Take(), "DataSetChanged:8;");
  // A layout change wins over data changes.
  d->DisableControls();
  d->Prior();
  d->FieldByName("SCORE")->SetVisible(false);
  d->FieldByName("SCORE")->SetDisplayLabel("Points");
  d->EnableControls();
  EXPECT_EQ(link.Take(), "LayoutChanged:5;");
  // Open and close are never held back.
  d->DisableControls();
  d->Close();
  d->Open();
  EXPECT_EQ(link.Take(), "ActiveChanged:0,People;ActiveChanged:1,People;");
  d->EnableControls();
  EXPECT_EQ(link.Take(), "DataSetChanged:1;");
  d->EnableControls();  // unbalanced: ignored
  EXPECT_FALSE(d->ControlsDisabled());
}

TEST_P(Notifications, LayoutChangesWhenTheFieldSetChanges) {
  d->Open();
  link.Take();
  d->FieldByName("NAME")->SetIndex(0);
  d->FieldByName("NAME")->SetIndex(0);  // unchanged
  auto* calc = new TStringField(&owner);
  calc->SetFieldName("UPPER");
  calc->SetFieldKind(fkCalculated);
  calc->SetDataSet(d);
  EXPECT_EQ(link.Take(), "LayoutChanged:5;LayoutChanged:6;");
  TObject::Free(calc);
  EXPECT_EQ(link.Take(), "LayoutChanged:5;");
}

TEST_P(Notifications, RelinkingAndDestructionLeaveNoDanglingLink) {
  TempDatabase db2;
  TDataSet* other = MakePeople(GetParam(), &owner, db2, "Other");
  d->Open();
  other->Open();
  link.Take();
  source->SetDataSet(other);
  EXPECT_EQ(link.Take(), "ActiveChanged:1,Other;");
  EXPECT_EQ(link.GetDataSet(), other);
  source->SetEnabled(false);
  other->Next();  // a disabled source tells nothing
  source->SetEnabled(true);
  EXPECT_EQ(link.Take(), "ActiveChanged:0,Other;ActiveChanged:1,Other;");
  TDataSource second(nullptr);
  second.SetDataSet(d);
  link.SetDataSource(&second);
  EXPECT_EQ(link.Take(), "ActiveChanged:1,People;");
  // The dataset goes: the link hears it while the dataset is still there
  // (being destroyed), then sees no dataset.
  bool destroyingSeen = false;
  struct TWatch : TRecordingLink {
    bool* seen;
    void ActiveChanged() override {
      TRecordingLink::ActiveChanged();
      if (GetDataSet() && GetDataSet()->ComponentState().Contains(csDestroying)) *seen = true;
    }
  } watch;
  watch.seen = &destroyingSeen;
  watch.SetDataSource(&second);
  watch.Take();
  TObject::Free(d);
  EXPECT_EQ(watch.Take(), "ActiveChanged:0,People;ActiveChanged:0,nil;");
  EXPECT_TRUE(destroyingSeen);
  EXPECT_EQ(second.GetDataSet(), nullptr);
  EXPECT_EQ(link.GetDataSet(), nullptr);
  // The data source goes: its links are detached.
  auto* third = new TDataSource(nullptr);
  third->SetDataSet(other);
  link.SetDataSource(third);
  link.Take();
  TObject::Free(third);
  EXPECT_EQ(link.Take(), "ActiveChanged:0,nil;");
  EXPECT_EQ(link.GetDataSource(), nullptr);
  EXPECT_EQ(other->DataSources().size(), 1u);  // only `source`
}

TEST_P(Notifications, EditingSendsStateAndFieldChanges) {
  if (GetParam() != Kind::Client) GTEST_SKIP() << "SQLite datasets are read-only";
  d->Open();
  link.Take();
  d->Edit();
  d->FieldByName("NAME")->SetAsString("Delta");
  d->Post();
  EXPECT_EQ(link.Take(), "EditingChanged:1;RecordChanged:NAME;EditingChanged:0;DataSetChanged:1;");
  d->Append();
  d->Cancel();  // ends on the last record
  EXPECT_EQ(link.Take(), "EditingChanged:1;DataSetChanged:-1;EditingChanged:0;DataSetChanged:8;");
}

INSTANTIATE_TEST_SUITE_P(AllKinds, Notifications,
                         ::testing::Values(Kind::Client, Kind::Table, Kind::Query),
                         [](const auto& info) { return KindName(info.param); });

}  // namespace
}  // namespace tabulon::test
