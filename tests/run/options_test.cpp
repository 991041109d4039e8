// Comparison and count options: panel defaults per data-type class, the
// exclusion of an internal-part comparison with a range at both levels,
// per-record overrides with their stored rules, and the two string
// comparisons the locale chooses between.
#include <gtest/gtest.h>

#include "platform/core/props.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

TEST(CompareOptions, NewPanelDefaultsPerClass) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  struct {
    const char* field;
    TCompareType compare;
    TCountType count;
  } expected[] = {{"NAME", ctInitial, coOne}, {"NOTE", ctInternal, coOne},
                  {"BORN", ctExact, coTwo},   {"SCORE", ctExact, coTwo},
                  {"AGE", ctExact, coTwo},    {"ACTIVE", ctExact, coOne}};
  for (const auto& e : expected) {
    TFieldRecord* r = panel->FindField(e.field);
    EXPECT_EQ(r->GetCompare(), e.compare) << e.field;
    EXPECT_EQ(r->GetCount(), e.count) << e.field;
    EXPECT_TRUE(r->GetCaseInsensitive()) << e.field;
  }
  // Types of no class: exact, no value.
  panel->GetFields()->SetDefaultFields(false);
  TFieldRecord* blob = panel->GetFields()->Add();
  blob->SetRecordKind(rkCalculated);
  blob->SetDataType(ftBlob);
  EXPECT_EQ(blob->GetCount(), coNone);
  EXPECT_EQ(blob->GetCompare(), ctExact);
  EXPECT_FALSE(panel->MainNotEmptyRecord(blob));
  EXPECT_EQ(DataTypeClass(ftWideString), -1);
}

TEST(CompareOptions, InternalAndRangeExcludeEachOtherPerClass) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TCompareOptions* cmp = panel->GetCompareOptions();
  TCountOptions* cnt = panel->GetCountOptions();
  panel->TakeTrace();
  cmp->SetCompare(3, ctInternal);
  EXPECT_EQ(cnt->GetCount(3), coOne);
  EXPECT_EQ(panel->TakeTrace(), "paint update");
  cnt->SetCount(3, coTwo);
  EXPECT_EQ(cmp->GetCompare(3), ctInitial);
  EXPECT_EQ(panel->TakeTrace(), "paint update");
  cnt->SetCount(3, coTwo);  // unchanged
  EXPECT_EQ(panel->TakeTrace(), "");
  // The case flag only updates the dataset.
  cmp->SetCaseSensitive(true);
  EXPECT_FALSE(cmp->GetCaseInsensitive());
  EXPECT_EQ(panel->TakeTrace(), "update");
  // Published with their defaults.
  const TPropInfo* p = GetPropInfo(cmp, "StringCompare");
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(IsDefaultPropValue(cmp, p));
  cmp->SetCompare(5, ctExact);
  EXPECT_FALSE(IsDefaultPropValue(cmp, p));
  EXPECT_EQ(GetOrdProp(cnt, "DateTimeCount"), coTwo);
}

TEST(CompareOptions, InternalAndRangeExcludeEachOtherPerRecord) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldRecord* age = panel->FindField("AGE");  // class default: exact, range
  age->SetCompare(ctInternal);
  EXPECT_EQ(age->GetCount(), coOne);
  EXPECT_EQ(age->GetAssignedValues(), (TFieldRecordValues{frvCompare, frvCount}));
  EXPECT_TRUE(age->IsCompareStored());
  EXPECT_TRUE(age->IsCountStored());
  age->SetCount(coTwo);
  EXPECT_EQ(age->GetCompare(), ctInitial);
  EXPECT_TRUE(age->IsCompareStored());

  // Across the two levels the rule does not apply: the class's internal
  // part meets the record's own range.
  TFieldRecord* name = panel->FindField("NAME");
  name->SetCount(coTwo);
  panel->GetCompareOptions()->SetCompare(5, ctInternal);
  EXPECT_EQ(name->GetCompare(), ctInternal);
  EXPECT_EQ(name->GetCount(), coTwo);
  EXPECT_FALSE(name->IsCompareStored());

  // An assigned value equal to the default is kept but not stored.
  name->SetCaseInsensitive(true);
  EXPECT_TRUE(name->GetAssignedValues().Contains(frvCaseInsensitive));
  EXPECT_FALSE(name->IsCaseInsensitiveStored());
  panel->GetCompareOptions()->SetCaseInsensitive(false);
  EXPECT_TRUE(name->IsCaseInsensitiveStored());
}

TEST(CompareOptions, CaseMattersOnlyForTextTypes) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldRecord* age = panel->FindField("AGE");
  age->SetCaseInsensitive(true);
  EXPECT_FALSE(panel->CaseInsensitiveField(age));
  EXPECT_TRUE(panel->CaseInsensitiveField(panel->FindField("NOTE")));
  panel->FindField("NAME")->SetCaseInsensitive(false);
  EXPECT_FALSE(panel->CaseInsensitiveField(panel->FindField("NAME")));
  // A record the panel refuses has no count.
  panel->Refused = {ftInteger};
  EXPECT_EQ(panel->CountState(age), coNone);
}

TEST(StringComparison, LocaleChoosesOrdinalOrCollation) {
  PanelPtr panel = MakePanel(nullptr);
  EXPECT_EQ(panel->GetLocaleID(), 1024);
  EXPECT_TRUE(panel->GetCompareFunc() == &TFieldsSetModel::QXAnsiCompare);
  // Collation: a before B, whatever the case.
  EXPECT_LT(panel->Compare("a", "B", false), 0);
  EXPECT_EQ(panel->Compare("abc", "ABC", true), 0);
  EXPECT_NE(panel->Compare("abc", "ABC", false), 0);
  panel->SetLocaleID(-1);
  EXPECT_TRUE(panel->GetCompareFunc() == &TFieldsSetModel::QXCompare);
  // Ordinal: every upper-case letter before every lower-case one.
  EXPECT_GT(panel->Compare("a", "B", false), 0);
  EXPECT_LT(panel->Compare("a", "B", true), 0);
  EXPECT_EQ(panel->Compare("abc", "ABC", true), 0);
  panel->SetLocaleID(1024);
  EXPECT_TRUE(panel->GetCompareFunc() == &TFieldsSetModel::QXAnsiCompare);
  // An unknown locale fails the comparison, which counts as less.
  panel->SetLocaleID(0x7777);
  EXPECT_EQ(panel->Compare("b", "a", false), -2);
}

}  // namespace
}  // namespace tabulon::test
