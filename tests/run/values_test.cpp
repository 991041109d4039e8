// Entered values: normalisation to the record's type, typed reads and
// writes with their error messages, text conversion under switched locale
// settings, acceptance of texts and characters, values across rebinding,
// and when a written value reaches the dataset.
#include <gtest/gtest.h>

#include <functional>

#include "platform/core/format_settings.h"
#include "platform/sysutils/clock.h"
#include "platform/sysutils/datetime.h"
#include "run/tbnlib.h"
#include "run/tbntypeinfo.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

// A calculated record of `type` in `panel`'s list.
TFieldRecord* Calc(TTestFieldsSet& panel, TFieldType type) {
  panel.GetFields()->SetDefaultFields(false);
  TFieldRecord* r = panel.GetFields()->Add();
  r->SetRecordKind(rkCalculated);
  r->SetDataType(type);
  return r;
}

TEST(FieldValues, NormalisedToTheKindOfEachType) {
  PanelPtr panel = MakePanel(nullptr);
  struct Case {
    TFieldType type;
    Variant in;
    TVarType kind;
    std::string text;
  } cases[] = {
      {ftString, Variant("abc  "), varString, "abc"},
      {ftMemo, Variant("  x "), varString, "  x"},
      {ftSmallint, Variant("12"), varSmallint, "12"},
      {ftInteger, Variant(7.0), varInteger, "7"},
      {ftAutoInc, Variant(int16_t(5)), varInteger, "5"},
      {ftBoolean, Variant(true), varBoolean, "True"},
      {ftFloat, Variant(int32_t(3)), varDouble, "3"},
      {ftCurrency, Variant(1.25), varCurrency, "1.25"},
      {ftDate, Variant::FromDate(D(2020, 2, 29)), varDate, "2/29/2020"},
      {ftTime, Variant::FromDate(0.5), varDate, "12:00:00 PM"},
      {ftDateTime, Variant::FromDate(D(2020, 1, 2) + 0.25), varDate, "1/2/2020 6:00:00 AM"},
      {ftBlob, Variant(int32_t(9)), varInteger, "9"},
  };
  for (const Case& c : cases) {
    TFieldRecord* r = Calc(*panel, c.type);
    r->SetAsVariant(0, c.in);
    EXPECT_EQ(r->GetAsVariant(0).Type(), c.kind) << c.text;
    EXPECT_EQ(r->GetAsString(0), c.text);
    r->SetAsVariant(0, Unassigned);
    EXPECT_TRUE(r->GetAsVariant(0).IsNull());
  }
}

TEST(FieldValues, FailedWritesAndReadsRaiseAndKeepTheSlot) {
  PanelPtr panel = MakePanel(nullptr);
  TFieldRecord* i = Calc(*panel, ftInteger);
  i->SetAsInteger(0, 5);
  EXPECT_EQ(MessageOf<EVariantError>([&] { i->SetAsVariant(0, Variant("x1")); }),
            "'x1' is not a valid integer value");
  EXPECT_EQ(MessageOf<EConvertError>([&] { i->SetAsString(0, "4.2"); }),
            "'4.2' is not a valid integer value");
  EXPECT_EQ(MessageOf<ETabulonError>([&] { i->SetAsVariant(0, Variant::Opaque(0x600F)); }),
            "Invalid variant type conversion");
  EXPECT_EQ(i->GetAsInteger(0), 5);

  TFieldRecord* b = Calc(*panel, ftBoolean);
  EXPECT_EQ(MessageOf<EVariantError>([&] { b->SetAsVariant(0, Variant("yes")); }),
            "'yes' is not a valid boolean value");
  EXPECT_EQ(MessageOf<ETabulonError>([&] { b->SetAsString(0, "yes"); }),
            "'yes' is not a valid boolean value");
  EXPECT_TRUE(b->IsNull(0));

  TFieldRecord* s = Calc(*panel, ftString);
  s->SetAsString(0, "abc");
  EXPECT_EQ(MessageOf<EVariantError>([&] { s->GetAsInteger(0); }),
            "'abc' is not a valid integer value");
  EXPECT_EQ(MessageOf<EVariantError>([&] { s->GetAsFloat(0); }),
            "'abc' is not a valid floating point value");
  EXPECT_EQ(MessageOf<EVariantError>([&] { s->GetAsDateTime(0); }),
            "'abc' is not a valid date and time");
  EXPECT_EQ(MessageOf<EVariantError>([&] { s->GetAsBoolean(0); }),
            "'abc' is not a valid boolean value");
  // Null slots read as zero values.
  EXPECT_EQ(s->GetAsInteger(1), 0);
  EXPECT_FALSE(s->GetAsBoolean(1));
  EXPECT_EQ(s->GetAsCurrency(1).Value, 0);
}

TEST(FieldValues, OnlySlotsZeroAndOneExist) {
  PanelPtr panel = MakePanel(nullptr);
  TFieldRecord* r = Calc(*panel, ftInteger);
  r->SetAsInteger(1, 4);
  const std::vector<std::pair<int, std::function<void(int)>>> uses = {
      {2, [&](int s) { r->GetAsVariant(s); }},
      {2, [&](int s) { r->SetAsVariant(s, Variant(int32_t(1))); }},
      {-1, [&](int s) { r->IsNull(s); }},
      {2, [&](int s) { r->Clear(s); }},
      {2, [&](int s) { r->GetAsString(s); }},
      {3, [&](int s) { r->SetAsString(s, "1"); }},
      {2, [&](int s) { r->GetAsInteger(s); }},
      {2, [&](int s) { r->SetAsInteger(s, 1); }},
      {2, [&](int s) { r->GetAsFloat(s); }},
      {2, [&](int s) { r->GetAsCurrency(s); }},
      {2, [&](int s) { r->GetAsDateTime(s); }},
      {2, [&](int s) { r->GetAsBoolean(s); }},
      {2, [&](int s) { r->GetAppliedValue(s); }},
  };
  for (const auto& use : uses)
    EXPECT_EQ(MessageOf<EListError>([&] { use.second(use.first); }),
              "List index out of bounds (" + std::to_string(use.first) + ")");
  EXPECT_TRUE(r->IsNull(0));
  EXPECT_EQ(r->GetAsInteger(1), 4);
}

TEST(FieldValues, TextConversionFollowsLocaleSettings) {
  PanelPtr panel = MakePanel(nullptr);
  TFormatSettingsScope scope;
  FormatSettings().DecimalSeparator = ',';
  FormatSettings().DateSeparator = '.';
  FormatSettings().ShortDateFormat = "dd.MM.yyyy";
  TFieldRecord* f = Calc(*panel, ftFloat);
  f->SetAsString(0, "1,5");
  EXPECT_DOUBLE_EQ(f->GetAsFloat(0), 1.5);
  EXPECT_EQ(f->GetAsString(0), "1,5");
  EXPECT_THROW(f->SetAsString(0, "1.5"), EConvertError);
  EXPECT_TRUE(f->IsValidChar(U','));
  EXPECT_TRUE(f->IsValidChar(U'e'));
  EXPECT_FALSE(f->IsValidChar(U'.'));
  TFieldRecord* bcd = Calc(*panel, ftBCD);
  EXPECT_FALSE(bcd->IsValidChar(U'E'));
  EXPECT_TRUE(bcd->IsValidChar(U','));
  TFieldRecord* d = Calc(*panel, ftDate);
  d->SetAsString(0, "31.12.1999");
  EXPECT_EQ(d->GetAsDateTime(0), D(1999, 12, 31));
  EXPECT_EQ(d->GetAsString(0), "31.12.1999");
  TFieldRecord* b = Calc(*panel, ftBoolean);
  for (const char* t : {"t", "Tr", "TRUE", "true"}) {
    b->SetAsString(0, t);
    EXPECT_TRUE(b->GetAsBoolean(0)) << t;
  }
  for (const char* t : {"f", "FALSE"}) {
    b->SetAsString(0, t);
    EXPECT_FALSE(b->GetAsBoolean(0)) << t;
  }
  TFieldRecord* s = Calc(*panel, ftString);
  s->SetAsString(0, "   ");
  EXPECT_TRUE(s->IsNull(0));
  s->SetAsString(0, "  abc  ");
  EXPECT_EQ(s->GetAsVariant(0).AsString(), "  abc");
}

TEST(FieldValues, IsConvertTextDecidesWithoutRaising) {
  PanelPtr panel = MakePanel(nullptr);
  TFormatSettingsScope scope;
  FormatSettings().ShortDateFormat = "dd/MM/yyyy";
  FormatSettings().DateSeparator = '/';
  SetLocalTimeSource([] {
    TSystemTime t;
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 6;
    return t;
  });
  TFieldRecord* i = Calc(*panel, ftInteger);
  EXPECT_TRUE(i->IsConvertText("42"));
  EXPECT_FALSE(i->IsConvertText("4.2"));
  EXPECT_FALSE(i->IsConvertText("abc"));
  EXPECT_TRUE(i->IsConvertText("  "));  // blank means no value
  TFieldRecord* d = Calc(*panel, ftDate);
  EXPECT_TRUE(d->IsConvertText("31/12/99"));
  d->SetAsString(0, "31/12/99");
  EXPECT_EQ(d->GetAsDateTime(0), D(2099, 12, 31));  // century of the clock's year
  EXPECT_FALSE(d->IsConvertText("31/02/2000"));
  EXPECT_FALSE(d->IsConvertText("31/12/1999 later"));
  TFieldRecord* dt = Calc(*panel, ftDateTime);
  EXPECT_TRUE(dt->IsConvertText("31/12/1999 10:30"));
  EXPECT_FALSE(dt->IsConvertText("31/12/1999 25:00"));
  TFieldRecord* t = Calc(*panel, ftTime);
  EXPECT_TRUE(t->IsConvertText("11:15 pm"));
  EXPECT_FALSE(t->IsConvertText("13:15 pm"));
  TFieldRecord* b = Calc(*panel, ftBoolean);
  EXPECT_TRUE(b->IsConvertText("fa"));
  EXPECT_FALSE(b->IsConvertText("no"));
  TFieldRecord* c = Calc(*panel, ftCurrency);
  EXPECT_TRUE(c->IsConvertText("12.3456"));
  EXPECT_FALSE(c->IsConvertText("1e400"));
  SetLocalTimeSource(nullptr);
}

TEST(FieldValues, DataRecordsAcceptWhatTheirFieldAccepts) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  EXPECT_TRUE(panel->FindField("AGE")->IsValidChar(U'7'));
  EXPECT_FALSE(panel->FindField("AGE")->IsValidChar(U'x'));
  panel->GetFields()->SetDefaultFields(false);
  TFieldRecord* ghost = panel->GetFields()->Add();
  ghost->SetFieldName("GHOST");
  EXPECT_FALSE(ghost->IsValidChar(U'7'));
  EXPECT_FALSE(ghost->IsValidChar(U'a'));
}

TEST(FieldValues, ValuesSurviveRebindingOrBecomeNull) {
  PanelPtr panel = MakePanel(nullptr);
  TFieldRecord* a = Calc(*panel, ftString);
  TFieldRecord* b = Calc(*panel, ftString);
  a->SetAsString(0, "12");
  a->SetAsString(1, "30");
  b->SetAsString(0, "12");
  b->SetAsString(1, "abc");
  a->SetDataType(ftInteger);
  b->SetDataType(ftInteger);
  EXPECT_EQ(a->GetAsVariant(0).Type(), varInteger);
  EXPECT_EQ(a->GetAsInteger(1), 30);
  EXPECT_TRUE(b->IsNull(0));  // one slot fails: both are cleared
  EXPECT_TRUE(b->IsNull(1));
}

TEST(FieldValues, UpdateStateDecidesWhenValuesApply) {
  PeopleData data;
  PanelPtr panel = MakePanel(data.Source);
  TFieldsList* list = panel->GetFields();
  TFieldRecord* age = panel->FindField("AGE");
  panel->TakeTrace();
  age->SetAsString(0, "12");
  EXPECT_EQ(panel->TakeTrace(), "update");
  EXPECT_EQ(age->GetAppliedValue(0).AsInteger(), 12);
  age->SetAsInteger(0, 12);  // same value: nothing
  EXPECT_EQ(panel->TakeTrace(), "");

  panel->SetUpdateState(usExit);
  age->SetAsInteger(0, 13);
  EXPECT_EQ(panel->TakeTrace(), "");
  EXPECT_EQ(age->GetAppliedValue(0).AsInteger(), 12);
  EXPECT_TRUE(list->Changes.Contains(lcPending));
  panel->SetUpdateState(usExit);  // unchanged: nothing
  EXPECT_EQ(panel->TakeTrace(), "");
  panel->SetUpdateState(usAuto);  // applies what is pending
  EXPECT_EQ(panel->TakeTrace(), "update");
  EXPECT_EQ(age->GetAppliedValue(0).AsInteger(), 13);
  EXPECT_TRUE(list->Changes.Empty());
}

TEST(Tbnlib, BooleanTextsAndRepeatedCharacters) {
  bool v = true;
  EXPECT_FALSE(StrToBooleanEx("", v));
  EXPECT_FALSE(v);
  EXPECT_TRUE(StrToBooleanEx("tRu", v));
  EXPECT_TRUE(v);
  EXPECT_TRUE(StrToBooleanEx("fAlSe", v));
  EXPECT_FALSE(v);
  EXPECT_FALSE(StrToBooleanEx("truex", v));
  EXPECT_EQ(MessageOf<ETabulonError>([] { StrToBoolean("nope"); }),
            "'nope' is not a valid boolean value");
  EXPECT_EQ(BooleanToStr(true) + BooleanToStr(false), "TrueFalse");
  EXPECT_EQ(AddChar('*', 3), "***");
  EXPECT_EQ(AddChar('*', 0), "");
  EXPECT_EQ(AddChar('*', -2), "");
}

}  // namespace
}  // namespace tabulon::test

namespace tabulon::test {
namespace {

TEST(Tbntypeinfo, PropertiesByNameToleratesMissingOnes) {
  using namespace tbntypeinfo;
  PeopleData data;
  TDataSet* ds = data.DataSet;
  const TPropInfo* filtered = GetPropInfo(ds, "Filtered", tkOrdinal);
  ASSERT_NE(filtered, nullptr);
  EXPECT_EQ(GetPropInfo(ds, "Filtered", TTypeKinds{tkString}), nullptr);  // wrong kind
  EXPECT_EQ(GetPropInfo(ds, "SQL", tkAny), nullptr);                      // not this class
  SetBooleanByPropInfo(ds, filtered, true);
  EXPECT_TRUE(ds->GetFiltered());
  EXPECT_TRUE(GetBooleanByPropInfo(ds, filtered));
  SetBooleanByPropInfo(ds, nullptr, false);  // ignored
  EXPECT_FALSE(GetBooleanByPropInfo(ds, nullptr));
  EXPECT_EQ(GetStringByPropInfo(ds, nullptr), "");
  EXPECT_FALSE(GetMethodByPropInfo(ds, nullptr).Assigned());
  const TPropInfo* handler = GetPropInfo(ds, "OnFilterRecord", TTypeKinds{tkMethod});
  ASSERT_NE(handler, nullptr);
  EXPECT_FALSE(GetMethodByPropInfo(ds, handler).Assigned());
  EXPECT_EQ(GetPropertyClass(ds, "NoSuchProperty"), nullptr);
  PanelPtr panel = MakePanel(nullptr);
  EXPECT_EQ(GetPropertyClass(panel.get(), "CountOptions"), panel->GetCountOptions());
  EXPECT_EQ(GetStringByPropInfo(panel->GetCaptions(),
                                GetPropInfo(panel->GetCaptions(), "OnCaption", tkAny)),
            "on");
}

}  // namespace
}  // namespace tabulon::test
