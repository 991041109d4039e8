// The values and comment-texts blocks item by item against bytes assembled
// by hand; the old layout by position; the blocks as the form file's
// "Values" and "CommentTexts".
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/list.h"
#include "platform/streaming/formres.h"
#include "platform/streaming/reader.h"
#include "tests/run/panel_fixture.h"
#include "tests/run/persist_fixture.h"

namespace tabulon::test {
namespace {

constexpr auto kWriteValues = &TFieldsSetModel::WriteValues;
constexpr auto kReadValues = &TFieldsSetModel::ReadValues;
constexpr auto kWriteComments = &TFieldsSetModel::WriteCommentTexts;
constexpr auto kReadComments = &TFieldsSetModel::ReadCommentTexts;

// A list end, a list begin.
const std::string kEnd = B({0});
const std::string kList = B({1});

TEST(ValueBlocks, EachBlockIsWrittenItemByItem) {
  PanelOnForm f;
  TTestPanel& p = *f.Panel;
  TFieldRecord* age = AddCalc(p, "AGE", ftInteger);
  TFieldRecord* born = AddCalc(p, "BORN", ftDate);
  TFieldRecord* at = AddCalc(p, "AT", ftDateTime);
  TFieldRecord* pic = AddCalc(p, "PIC", ftBlob);
  TFieldRecord* ok = AddCalc(p, "OK", ftBoolean);

  // Every record Null: the version marker alone.
  EXPECT_EQ(WriteBlock(p, kWriteValues), kList + kExt01 + kEnd);
  EXPECT_EQ(WriteBlock(p, kWriteComments), kList + kExt01 + kEnd);

  // A range with only its second value: one (slot 1, value) pair. A date is
  // an extended float; a blob record its text; a boolean its own tag.
  age->SetAsInteger(1, 42);
  born->SetAsDateTime(0, 45000);
  at->SetAsDateTime(1, 45000.5);
  pic->SetAsString(0, "x1");
  ok->SetAsBoolean(0, false);
  ok->SetAsBoolean(1, true);
  EXPECT_EQ(WriteBlock(p, kWriteValues),
            kList + kExt01 +                                            //
                Str("AGE") + B({2, ftInteger, 1, 2, 1, 2, 42, 0}) +     //
                Str("BORN") + B({2, ftDate, 1, 2, 0}) + kExtD + kEnd +  //
                Str("AT") + B({2, ftDateTime, 1, 2, 1}) + kExtDT + kEnd + Str("PIC") +
                B({2, ftBlob, 1, 2, 0}) + Str("x1") + kEnd +  //
                Str("OK") + B({2, ftBoolean, 1, 2, 0, 8, 2, 1, 9, 0}) + kEnd);

  // Comment texts by Name; an explicit Name is the one written.
  born->SetName("Birth");
  born->SetCommentText(1, "or later");
  age->SetCommentText(0, "years");
  EXPECT_EQ(WriteBlock(p, kWriteComments), kList + kExt01 + Str("AGE") + kList + B({2, 0}) +
                                               Str("years") + kEnd + Str("Birth") + kList +
                                               B({2, 1}) + Str("or later") + kEnd + kEnd);
}

TEST(ValueBlocks, ReadingMatchesByNameAndConvertsToTheRecordsType) {
  PanelOnForm f;
  TTestPanel& p = *f.Panel;
  TFieldRecord* text = AddCalc(p, "TEXT", ftString);
  TFieldRecord* num = AddCalc(p, "NUM", ftInteger);
  TFieldRecord* added = AddCalc(p, "ADDED", ftInteger);
  added->SetAsInteger(0, 5);
  text->SetCommentText(0, "old");
  // TEXT gets a stored date: it was read as a date, so its text is the
  // date's, not the number's. NUM gets a stored blob text, which its value
  // write converts. GONE no longer exists: skipped. Slot 2 is dropped.
  const std::string values =
      kList + kExt01 + Str("text") + B({2, ftDate, 1, 2, 0}) + kExtD + kEnd +           //
      Str("GONE") + B({2, ftInteger, 1, 2, 0, 2, 9, 0}) +                               //
      Str("NUM") + B({2, ftBlob, 1, 2, 1}) + Str("77") + B({2, 2}) + Str("x") + kEnd +  //
      kEnd;
  TFormatSettingsScope locale;
  FormatSettings().ShortDateFormat = "yyyy-MM-dd";
  FormatSettings().DateSeparator = '-';
  p.Trace.clear();
  ReadBlock(p, kReadValues, values);
  EXPECT_EQ(Dump(p), "TEXT='2023-03-15',Null [old|]; NUM=Null,I77; ADDED=Null,Null; ");
  // Applied once, at the end of the list update.
  EXPECT_EQ(p.TakeTrace(), "update");
  EXPECT_EQ(Exact(num->GetAppliedValue(1)), "I77");

  // The versioned comment block empties every text first.
  ReadBlock(p, kReadComments,
            kList + kExt01 + Str("NUM") + kList + B({2, 1}) + Str("high") + B({2, 7}) +
                Str("dropped") + kEnd + Str("GONE") + kList + B({2, 0}) + Str("x") + kEnd + kEnd);
  EXPECT_EQ(Dump(p), "TEXT='2023-03-15',Null; NUM=Null,I77 [|high]; ADDED=Null,Null; ");
}

TEST(ValueBlocks, TheOldLayoutAddressesRecordsByPosition) {
  PanelOnForm f;
  TTestPanel& p = *f.Panel;
  AddCalc(p, "A", ftInteger)->SetAsInteger(0, 1);
  TFieldRecord* b = AddCalc(p, "B", ftString);
  TFieldRecord* c = AddCalc(p, "C", ftDate);
  b->SetCommentText(0, "kept");
  c->SetCommentText(1, "replaced");
  // No version marker: entries start with a position. Values of the other
  // types are converted from text by the receiving record; a slot other
  // than 0 or 1 is read with its value and dropped.
  TFormatSettingsScope locale(CommaDayMonthYear());
  ReadBlock(p, kReadValues,
            kList + B({2, 2, 2, ftBlob, 1, 2, 0}) + Str("15.03.2023") + B({2, 3}) +
                Str("31.02.2000") + kEnd +                           //
                B({2, 1, 2, ftBlob, 1, 2, 1}) + Str("   ") + kEnd +  //
                B({2, 0, 2, ftSmallint, 1, 2, 1, 3, 0x10, 0x27, 0}) + kEnd);
  EXPECT_EQ(Dump(p), "A=Null,I10000; B=Null,Null [kept|]; C=D0x1.5f9p+15,Null [|replaced]; ");
  // Texts not in an old block stay.
  ReadBlock(p, kReadComments,
            kList + B({2, 2, 1, 2, 1}) + Str("new") + B({2, 5}) + Str("x") + kEnd + kEnd);
  EXPECT_EQ(Dump(p), "A=Null,I10000; B=Null,Null [kept|]; C=D0x1.5f9p+15,Null [|new]; ");

  // A position outside the list: the list-index error, the bracket closed.
  for (int pos : {3, -1}) {
    TStringStream s(kList + B({2, pos & 0xFF, 2, ftInteger, 1, 0, 0}));
    TReader r(&s, 1024);
    EXPECT_EQ(MessageOf<EListError>([&] { p.ReadValues(&r); }),
              "List index out of bounds (" + std::to_string(pos) + ")");
    EXPECT_EQ(p.GetFields()->UpdateCount(), 0);
  }
  EXPECT_EQ(Dump(p), "A=Null,Null; B=Null,Null [kept|]; C=Null,Null [|new]; ");
}

TEST(ValueBlocks, FormFilesCarryThemOnlyWithStoredRecords) {
  PanelOnForm f;
  TTestPanel& p = *f.Panel;
  // Default-fields mode: nothing of either block.
  std::string text = ComponentToText(f.Form);
  EXPECT_EQ(text.find("Values"), std::string::npos) << text;
  EXPECT_EQ(text.find("CommentTexts"), std::string::npos) << text;

  AddEveryClass(p);
  const std::string dump = Dump(p);
  for (bool comma : {false, true}) {
    text = ComponentToText(f.Form);
    TFormatSettingsScope locale;
    if (comma) FormatSettings() = CommaDayMonthYear();
    FormPtr back(ReadFormData(text, nullptr));
    auto* bp = static_cast<TTestPanel*>(back->FindComponent("FieldsPanel1"));
    ASSERT_NE(bp, nullptr);
    EXPECT_EQ(Dump(*bp), dump);
    EXPECT_EQ(ComponentToText(back.get()), text);
  }
  // The text form shows the items as they are.
  EXPECT_NE(text.find("    Values = (\n      0.1\n      'S'\n      1\n      (\n        0\n"
                      "        'Smith'\n        1\n        'Zeta')\n      'M'\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("    CommentTexts = (\n      0.1\n      'S'\n      (\n        0\n"
                      "        'surname')\n      'DT'\n      (\n        1\n        'until'))\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace tabulon::test
