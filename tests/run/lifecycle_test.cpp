// The panel model's lifecycle (following the data source and the teardown
// order are checked on the panel control): removed sources, loading,
// re-applying after open, batching of updates and re-layouts, records by
// name, and the caption rule for form files.
#include <gtest/gtest.h>

#include "platform/db/field.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

TEST(PanelDataLink, RemovedSourcesAreForgotten) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  panel->GetFields()->SetDefaultFields(false);
  auto* list = new TDataSource(data.Owner.get());
  list->SetName("ListSource");
  TFieldRecord* a = panel->FindField("NAME");
  TFieldRecord* b = panel->FindField("AGE");
  a->SetListSource(list);
  b->SetListSource(list);
  panel->TakeTrace();
  TObject::Free(list);
  EXPECT_EQ(a->GetListSource(), nullptr);
  EXPECT_EQ(b->GetListSource(), nullptr);
  EXPECT_EQ(panel->TakeTrace(), "");  // one list update with nothing to do

  TObject::Free(data.Source);
  data.Source = nullptr;
  EXPECT_EQ(panel->GetDataSource(), nullptr);
  EXPECT_FALSE(panel->GetDataLink()->GetActive());
}

TEST(PanelBatching, UpdateAndPaintBracketsCallOncePerOutermostEnd) {
  PanelPtr panel = MakePanel(nullptr);
  panel->BeginUpdate();
  panel->BeginUpdate();
  panel->Changed();
  panel->EndUpdate();
  EXPECT_EQ(panel->TakeTrace(), "");
  panel->EndUpdate();
  EXPECT_EQ(panel->TakeTrace(), "update");  // even without changes

  panel->BeginPaint();
  panel->BeginPaint();
  panel->WndChanged();
  panel->GetCaptions()->SetCaption(0, "from");  // the panel's captions re-lay out
  panel->EndPaint();
  EXPECT_EQ(panel->TakeTrace(), "");
  EXPECT_EQ(panel->GetPaintCount(), 1);
  panel->EndPaint();
  EXPECT_EQ(panel->TakeTrace(), "paint");
  panel->GetCaptions()->SetCaption(0, "from");  // unchanged
  EXPECT_EQ(panel->TakeTrace(), "");
}

TEST(PanelRecords, FindByFieldNameOrRecordName) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  panel->FindField("AGE")->SetName("Years");
  EXPECT_EQ(panel->FindField("age")->GetFieldName(), "AGE");
  EXPECT_EQ(panel->FindFieldRecord("YEARS"), panel->FindField("AGE"));
  EXPECT_EQ(panel->FindFieldRecord("AGE"), nullptr);
  EXPECT_EQ(panel->FindField("Years"), nullptr);
  EXPECT_EQ(MessageOf<ETabulonError>([&] { panel->FieldByName("Salary"); }),
            "Panel1: Field 'Salary' not found");
}

TEST(PanelLoading, StoredRecordsLeaveDefaultFieldsModeAndReapply) {
  PeopleData data;
  PanelPtr panel = MakePanel(nullptr);
  panel->IncludeState(csLoading);
  panel->SetUpdateState(usExit);
  panel->SetDataSource(data.Source);
  EXPECT_EQ(panel->GetFields()->Count(), 0);  // inert while loading
  TFieldRecord* r = panel->GetFields()->Add();
  r->SetFieldName("AGE");
  r->SetAsInteger(0, 3);
  panel->ExcludeState(csLoading);
  panel->TakeTrace();
  panel->Loaded();
  EXPECT_FALSE(panel->GetFields()->GetDefaultFields());
  EXPECT_EQ(r->GetFieldIndex(), 1);
  EXPECT_EQ(r->GetAppliedValue(0).AsInteger(), 3);       // re-applied after open
  EXPECT_EQ(panel->TakeTrace(), "paint update update");  // binding, then re-applying

  // Without stored records the mode stays.
  PanelPtr empty = MakePanel(nullptr);
  empty->Loaded();
  EXPECT_TRUE(empty->GetFields()->GetDefaultFields());
}

TEST(PanelLoading, UpdateAfterOpenOnlyWhenAllConditionsHold) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldsList* list = panel->GetFields();
  auto reapplied = [&] {
    panel->TakeTrace();
    panel->DoUpdateAfterOpen();
    return panel->Count("update") == 1;
  };
  EXPECT_FALSE(reapplied());  // default-fields mode, usAuto
  list->SetDefaultFields(false);
  EXPECT_FALSE(reapplied());  // usAuto
  panel->SetUpdateState(usNone);
  EXPECT_TRUE(reapplied());
  panel->SetUpdateAfterOpen(false);
  EXPECT_FALSE(reapplied());
  panel->SetUpdateAfterOpen(true);
  data.DataSet->Close();
  EXPECT_FALSE(reapplied());
  panel->TakeTrace();
  data.DataSet->Open();  // opening rebinds, then re-applies
  EXPECT_EQ(panel->TakeTrace(), "paint update update");
}

TEST(Captions, BlankCaptionSurvivesWritingAndReading) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldCaptions* pc = panel->GetCaptions();
  EXPECT_EQ(pc->GetWithCaption(), "with");
  EXPECT_EQ(pc->GetOnCaption(), "on");
  EXPECT_FALSE(pc->IsCaptionStored(0));
  pc->SetCaption(0, "");
  EXPECT_TRUE(pc->IsCaptionStored(0));
  panel->IncludeState(csWriting);
  EXPECT_EQ(pc->GetCaption(0), " ");
  panel->ExcludeState(csWriting);
  panel->IncludeState(csLoading);
  pc->SetCaption(0, "with");
  pc->SetCaption(0, " ");
  panel->ExcludeState(csLoading);
  EXPECT_EQ(pc->GetCaption(0), "");

  // A record's captions follow the panel's until assigned.
  TFieldRecordCaptions* rc =
      static_cast<TFieldRecordCaptions*>(panel->FindField("AGE")->GetCaptions());
  EXPECT_EQ(rc->GetCaption(1), "on");
  pc->SetCaption(1, "to");
  EXPECT_EQ(rc->GetCaption(1), "to");
  EXPECT_FALSE(rc->IsCaptionStored(1));
  rc->SetCaption(1, "to");  // assigned but equal to the panel's: not stored
  EXPECT_TRUE(panel->FindField("AGE")->GetAssignedValues().Contains(frvOnCaption));
  EXPECT_FALSE(rc->IsCaptionStored(1));
  rc->SetCaption(1, "until");
  EXPECT_TRUE(rc->IsCaptionStored(1));
  pc->SetCaption(1, "x");
  EXPECT_EQ(rc->GetCaption(1), "until");
}

TEST(FieldsListDesigner, ToldOfFieldNameChangesAndDetached) {
  struct Counting : TFieldsListDesigner {
    using TFieldsListDesigner::TFieldsListDesigner;
    int events = 0;
    void DataEvent() override { ++events; }
  };
  PanelPtr panel = MakePanel(nullptr);
  auto* d = new Counting(panel->GetFields());
  EXPECT_EQ(panel->GetFields()->GetDesigner(), d);
  TFieldRecord* r = panel->GetFields()->Add();
  r->SetFieldName("CITY");
  r->SetFieldName("city");
  r->SetFieldName("city");
  EXPECT_EQ(d->events, 2);
  delete d;
  EXPECT_EQ(panel->GetFields()->GetDesigner(), nullptr);
  new Counting(panel->GetFields());  // freed with the list
}

}  // namespace
}  // namespace tabulon::test
