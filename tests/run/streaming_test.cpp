// Form-file round trips of a fields panel: records with their settings,
// derived and explicit names, a calculated record, captions (a cleared
// caption survives), and the comparison and count options.
#include <gtest/gtest.h>

#include "platform/streaming/formres.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

TEST(PanelFormFile, RecordsCaptionsAndOptionsRoundTrip) {
  PanelPtr panel = MakePanel(nullptr);
  TFieldsList* list = panel->GetFields();
  list->SetDefaultFields(false);
  TFieldRecord* a = list->Add();
  a->SetFieldName("CITY");
  a->SetDisplayLabel("Town");
  a->SetDisplayWidth(12);
  a->SetCompare(ctInternal);
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
  panel->GetCountOptions()->SetCount(2, coOne);
  d->SetCompare(ctInternal);
  panel->GetCountOptions()->SetCount(2, coTwo);
  panel->GetCountOptions()->SetCount(3, coOne);
  panel->GetCompareOptions()->SetCompare(5, ctInternal);  // string count stays coOne
  panel->GetCaptions()->SetCaption(1, "to");
  panel->SetUpdateState(usExit);

  const std::string text = ComponentToText(panel.get());
  // Untouched settings are not written; the blank caption is.
  EXPECT_EQ(text.find("WithCaption = 'with'"), std::string::npos) << text;
  EXPECT_NE(text.find("WithCaption = ' '"), std::string::npos) << text;
  EXPECT_EQ(text.find("RecordKind"), std::string::npos) << text;

  PanelPtr back(static_cast<TTestFieldsSet*>(ReadFormData(text, nullptr)));
  TFieldsList* bl = back->GetFields();
  ASSERT_EQ(bl->Count(), 4);
  EXPECT_FALSE(bl->GetDefaultFields());
  TFieldRecord* ba = bl->GetItem(0);
  EXPECT_EQ(ba->GetDisplayLabel(), "Town");
  EXPECT_EQ(ba->GetDisplayWidth(), 12);
  EXPECT_EQ(ba->GetCompare(), ctInternal);
  EXPECT_EQ(ba->GetCaptions()->GetCaption(0), "");
  EXPECT_EQ(ba->GetCaptions()->GetCaption(1), "to");  // follows the panel's
  EXPECT_EQ(ba->GetPickList()->GetText(), "Berlin\n");
  EXPECT_EQ(bl->GetItem(1)->GetName(), "CITY1");
  EXPECT_EQ(bl->GetItem(1)->GetCount(), coTwo);
  TFieldRecord* bc = bl->GetItem(2);
  EXPECT_EQ(bc->GetRecordKind(), rkCalculated);
  EXPECT_EQ(bc->GetDataType(), ftCurrency);
  EXPECT_EQ(bc->GetName(), "Sum");
  TFieldRecord* bd = bl->GetItem(3);
  EXPECT_EQ(bd->GetCompare(), ctInternal);
  EXPECT_EQ(bd->GetCount(), coTwo);
  EXPECT_EQ(bd->GetAssignedValues(), TFieldRecordValues{frvCompare});
  EXPECT_EQ(back->GetCountOptions()->GetCount(3), coOne);
  EXPECT_EQ(back->GetCompareOptions()->GetCompare(5), ctInternal);
  EXPECT_EQ(back->GetCaptions()->GetCaption(1), "to");
  EXPECT_EQ(back->GetUpdateState(), usExit);
  EXPECT_EQ(ComponentToText(back.get()), text);

  // Within one record's own settings the rule still holds on reading.
  const size_t at = text.find("Compare = ctInternal", text.find("'RATIO'"));
  const size_t lineStart = text.rfind('\n', at) + 1;
  std::string both = text;
  both.insert(text.find('\n', at) + 1, text.substr(lineStart, at - lineStart) + "Count = coTwo\n");
  PanelPtr again(static_cast<TTestFieldsSet*>(ReadFormData(both, nullptr)));
  EXPECT_EQ(again->GetFields()->GetItem(3)->GetCompare(), ctInitial) << both;
  EXPECT_EQ(again->GetFields()->GetItem(3)->GetCount(), coTwo);
}

TEST(PanelFormFile, DefaultFieldsListIsNotWritten) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  ASSERT_EQ(panel->GetFields()->Count(), 6);
  const std::string text = ComponentToText(panel.get());
  EXPECT_EQ(text.find("  Fields = "), std::string::npos) << text;
  EXPECT_EQ(text.find("CountOptions"), std::string::npos) << text;
}

}  // namespace
}  // namespace tabulon::test
