// Form files with a fields panel on a form: records, captions, comparison
// and count options, style options and the panel's settings survive a
// round trip through the text and binary form formats; parts that follow
// their parent or are built by the panel itself are not written; the
// abstract panel class cannot be instantiated from a form file.
#include <gtest/gtest.h>

#include "platform/streaming/formres.h"
#include "tests/run/panel_fixture.h"

namespace tabulon::test {
namespace {

TEST(FieldsPanelFormFile, PanelWithRecordsCaptionsAndOptionsRoundTrips) {
  PanelOnForm f;
  TTestPanel* p = f.Panel;
  p->SetBounds(8, 8, 300, 200);
  TFieldsList* list = p->GetFields();
  list->SetDefaultFields(false);
  TFieldRecord* a = list->Add();
  a->SetFieldName("CITY");
  a->SetDisplayLabel("Town");
  a->SetDisplayWidth(12);
  a->GetCaptions()->SetCaption(0, "");  // cleared caption
  a->GetPickList()->Add("Berlin");
  TFieldRecord* b = list->Add();
  b->SetFieldName("CITY");  // derived name CITY1
  b->SetCount(coTwo);
  TFieldRecord* c = list->Add();
  c->SetFieldName("TOTAL");
  c->SetRecordKind(rkCalculated);
  c->SetDataType(ftCurrency);
  c->SetName("Sum");
  // A record's own internal part meeting its class's range (legal across
  // the two levels).
  TFieldRecord* d = list->Add();
  d->SetFieldName("RATIO");
  d->SetRecordKind(rkCalculated);
  d->SetDataType(ftFloat);
  p->GetCountOptions()->SetCount(2, coOne);
  d->SetCompare(ctInternal);
  p->GetCountOptions()->SetCount(2, coTwo);
  p->GetCaptions()->SetCaption(1, "to");
  p->GetCompareOptions()->SetCompare(5, ctInternal);
  p->GetCountOptions()->SetCount(3, coTwo);
  TStyleOptions* so = p->GetStyleOptions();
  TFont text;
  text.SetSize(14);
  so->SetFont(1, &text);
  so->SetColor(1, clBtnFace);
  p->SetStepHeight(5);
  p->SetPosState(psTwoLineFmt);
  p->SetEditCursor(crHandPoint);
  p->SetAutoSize(false);
  p->SetUpdateState(usEditExit);
  p->SetLocaleID(-1);

  const std::string text1 = ComponentToText(f.Form);
  for (const char* present :
       {"object FieldsPanel1: TTestPanel", "StepHeight = 5", "EditCursor = crHandPoint",
        "PosState = psTwoLineFmt", "AutoSize = False", "UpdateState = usEditExit", "LocaleID = -1",
        "StyleOptions.EditColor = clBtnFace", "StyleOptions.TextFont.Height", "WithCaption = ' '",
        "Captions.OnCaption = 'to'"})
    EXPECT_NE(text1.find(present), std::string::npos) << present << "\n" << text1;
  // Following styles, the panel-built scroll box and label, and defaults
  // are not written.
  for (const char* absent :
       {"EditFont", "ParentTextFont", "ParentEditFont", "TScrollingFieldsSet", "TLabel",
        "BorderWidth", "Ctl3D", "AutoEditWidth", "RecordKind", "WithCaption = 'with'"})
    EXPECT_EQ(text1.find(absent), std::string::npos) << absent << "\n" << text1;

  FormPtr back(ReadFormData(text1, nullptr));
  auto* bp = static_cast<TTestPanel*>(back->FindComponent("FieldsPanel1"));
  ASSERT_NE(bp, nullptr);
  EXPECT_EQ(bp->GetParent(), back.get());
  EXPECT_EQ(bp->GetScrollingFieldsSet()->GetParent(), bp);
  EXPECT_EQ(bp->GetControlCount(), 1);
  // The text identity below covers every written value; what is rebuilt
  // on reading is checked here.
  EXPECT_FALSE(bp->GetFields()->GetDefaultFields());
  EXPECT_EQ(bp->GetFields()->GetItem(1)->GetName(), "CITY1");
  EXPECT_EQ(bp->GetFields()->GetItem(0)->GetCaptions()->GetCaption(0), "");
  EXPECT_EQ(bp->GetFields()->GetItem(0)->GetCaptions()->GetCaption(1), "to");  // the panel's
  TFieldRecord* bc = bp->GetFields()->GetItem(2);
  EXPECT_EQ(bc->GetRecordKind(), rkCalculated);
  EXPECT_EQ(bc->GetDataType(), ftCurrency);
  TFieldRecord* bd = bp->GetFields()->GetItem(3);
  EXPECT_EQ(bd->GetCompare(), ctInternal);
  EXPECT_EQ(bd->GetCount(), coTwo);
  EXPECT_EQ(bd->GetAssignedValues(), TFieldRecordValues{frvCompare});
  TStyleOptions* bs = bp->GetStyleOptions();
  EXPECT_FALSE(bs->GetParentFont(1));
  EXPECT_TRUE(bs->GetParentFont(2));
  EXPECT_FALSE(bs->GetParentColor(1));
  EXPECT_EQ(bp->GetCompareFunc(), &TFieldsSetModel::QXCompare);
  EXPECT_EQ(ComponentToText(back.get()), text1);

  // Within one record's own settings the rule still holds on reading.
  const size_t at = text1.find("Compare = ctInternal", text1.find("'RATIO'"));
  const size_t lineStart = text1.rfind('\n', at) + 1;
  std::string both = text1;
  both.insert(text1.find('\n', at) + 1,
              text1.substr(lineStart, at - lineStart) + "Count = coTwo\n");
  FormPtr again(ReadFormData(both, nullptr));
  TFieldRecord* ratio =
      static_cast<TTestPanel*>(again->FindComponent("FieldsPanel1"))->GetFields()->GetItem(3);
  EXPECT_EQ(ratio->GetCompare(), ctInitial) << both;
  EXPECT_EQ(ratio->GetCount(), coTwo);
}

TEST(FieldsPanelFormFile, ADefaultFieldsListIsNotWritten) {
  PeopleData data;
  PanelOnForm f(data.Source);
  ASSERT_EQ(f.Panel->GetFields()->Count(), 6);
  const std::string text = ComponentToText(f.Form);
  EXPECT_EQ(text.find("Fields = "), std::string::npos) << text;
  EXPECT_EQ(text.find("CountOptions"), std::string::npos) << text;
}

TEST(FieldsPanelFormFile, EditColourFollowsTheFormAlsoUnderAPanelWithItsOwnColour) {
  PanelOnForm f;
  f.Form->SetColor(TColor(0x00336699));
  f.Panel->SetColor(TColor(0x00112233));
  TStyleOptions* so = f.Panel->GetStyleOptions();
  so->SetParentColor(1, true);
  ASSERT_EQ(so->GetColor(1), TColor(0x00336699));
  // Following the parent, the edit colour is written as the flag alone.
  const std::string text1 = ComponentToText(f.Form);
  EXPECT_NE(text1.find("StyleOptions.ParentEditColor = True"), std::string::npos) << text1;
  EXPECT_EQ(text1.find("StyleOptions.EditColor"), std::string::npos) << text1;

  FormPtr back(ReadFormData(text1, nullptr));
  auto* bp = static_cast<TTestPanel*>(back->FindComponent("FieldsPanel1"));
  TStyleOptions* bs = bp->GetStyleOptions();
  EXPECT_EQ(bp->GetColor(), TColor(0x00112233));
  EXPECT_TRUE(bs->GetParentColor(1));
  EXPECT_EQ(bs->GetColor(1), TColor(0x00336699));
  EXPECT_EQ(ComponentToText(back.get()), text1);
}

TEST(FieldsPanelFormFile, EditorEventsBindToTheFormsMethods) {
  std::unique_ptr<TEditEventsForm, FreeDeleter> form(new TEditEventsForm(nullptr));
  form->SetName("EditForm");
  auto* p = new TTestPanel(form.get());
  p->SetName("FieldsPanel1");
  p->SetParent(form.get());
  p->OnEditChange = TEditEvent(form.get(), &TEditEventsForm::PanelEditChange);
  p->OnEditKeyDown = TEditKeyEvent(form.get(), &TEditEventsForm::PanelEditKeyDown);
  const std::string text1 = ComponentToText(form.get());
  EXPECT_NE(text1.find("OnEditChange = PanelEditChange"), std::string::npos) << text1;
  EXPECT_NE(text1.find("OnEditKeyDown = PanelEditKeyDown"), std::string::npos) << text1;
  EXPECT_EQ(text1.find("OnEditExit"), std::string::npos) << text1;

  FormPtr back(ReadFormData(text1, nullptr));
  auto* bf = dynamic_cast<TEditEventsForm*>(back.get());
  ASSERT_NE(bf, nullptr);
  auto* bp = static_cast<TTestPanel*>(bf->FindComponent("FieldsPanel1"));
  bp->GetFields()->SetDefaultFields(false);
  TFieldRecord* r = bp->GetFields()->Add();
  r->SetFieldName("NAME");
  bp->OnEditChange(r, 1);
  uint16_t key = 13;
  bp->OnEditKeyDown(r, key, TShiftState{}, 0);
  bp->OnEditExit(r, 0);  // unassigned: nothing
  EXPECT_EQ(bf->Calls, (std::vector<std::string>{"change NAME 1", "key NAME 13 0"}));
  EXPECT_EQ(key, 0);

  // A handler of another signature is refused.
  std::string wrong = text1;
  wrong.replace(wrong.find("OnEditKeyDown = PanelEditKeyDown"),
                std::string("OnEditKeyDown = PanelEditKeyDown").size(),
                "OnEditKeyDown = PanelEditChange");
  EXPECT_THROW(ReadFormData(wrong, nullptr), EReadError);
}

TEST(FieldsPanelFormFile, TheBasePanelIsNotCreatableFromAFormFile) {
  const std::string form =
      "object Form1: TPanel\n"
      "  object P: TPanelFieldsSet\n"
      "    StepHeight = 3\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(MessageOf<EReadError>([&] { ReadFormData(form, nullptr); }),
            "Class TPanelFieldsSet cannot be created");
}

}  // namespace
}  // namespace tabulon::test
