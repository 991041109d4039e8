// The filter dialog's setup form driven as a person drives it: the field
// page shows "Default value" until a value is chosen, the memo class the
// form does not show passes through, records it does not list keep their
// settings, a margin that is no number is refused before anything changes,
// Cancel changes nothing, and OK makes the open dialog lay out and filter
// by the new settings.
#include <gtest/gtest.h>

#include "platform/controls/application.h"
#include "platform/core/resstrings.h"
#include "tests/run/setup_fixture.h"

namespace tabulon::test {
namespace {

class FilterSetup : public SetupTest {
 protected:
  FilterSetup() {
    dialog = new TDBFilterDialog(&owner);
    dialog->SetName("FilterDialog");
    Bind(dialog);  // NAME, compared by its start
  }
  // The field page as shown: "compare [label] / count [label] / case [label]",
  // the case box as "-" when hidden, "on" or "off".
  static std::string FieldPage(TfmSetupRecord& f) {
    auto label = [](TLabel* l) {
      return l->GetCaption().empty() ? "" : " [" + l->GetCaption() + "]";
    };
    std::string box = !f.cbFieldCaseSensitive->GetVisible()  ? "-"
                      : f.cbFieldCaseSensitive->GetChecked() ? "on"
                                                             : "off";
    return f.cbCompare->GetText() + label(f.laCompare) + " / " + f.cbCount->GetText() +
           label(f.laCount) + " / " + box + label(f.laCaseSensitive);
  }
  TDBFilterDialog* dialog;
};

TEST_F(FilterSetup, TheFormTheWorkingCopyAndTheListedRecords) {
  TFieldRecord* id = dialog->GetFields()->Add();
  id->SetFieldName("ID");
  id->SetVisible(false);
  dialog->GetFields()->Add()->SetFieldName("NOTE");  // a memo: no filtering on it
  std::string items;
  EXPECT_FALSE(RunSetup(dialog, [&](TfmSetupRecord& f) {
    EXPECT_EQ(f.ClassName(), std::string("TfmSetupFilterDialog"));
    EXPECT_EQ(f.GetCaption(), "Setup");
    EXPECT_EQ(f.GetClientWidth(), 615);
    EXPECT_EQ(f.GetClientHeight(), 364);
    EXPECT_EQ(f.FindComponent("cbcMemo"), nullptr);
    EXPECT_EQ(f.FindComponent("cbFindOptions"), nullptr);
    TFieldsSet* copy = f.GetWorkingCopy();
    EXPECT_EQ(copy->ClassType(), TDBFilterDialog::StaticClass());
    EXPECT_EQ(copy->GetOwner(), Application());
    EXPECT_FALSE(copy->GetUpdateAfterOpen());
    EXPECT_EQ(copy->GetDataSource(), nullptr);
    EXPECT_FALSE(copy->GetFields()->GetDefaultFields());
    // Unbound copies that keep type, caption and visibility.
    for (int i = 0; i < copy->GetFields()->Count(); ++i) {
      TFieldRecord* r = copy->GetFields()->GetItem(i);
      items += r->GetDisplayLabel() + ":" + TypeInfoOf<TFieldType>()->EnumName(r->GetDataType()) +
               (r->GetVisible() ? "" : ":hidden") +
               (r->GetRecordKind() == rkCalculated ? "" : ":bound") + " ";
    }
    for (int i = 0; i < f.cbFields->GetItems()->Count(); ++i)
      items += "|" + f.cbFields->GetItems()->Get(i);
    EXPECT_EQ(f.pcOptions->GetActivePage(), f.tsDefault);
    EXPECT_FALSE(f.pcOptions->TabsShown());
    for (TComboBox* box : {f.cbcBoolean, f.cbcDateTime, f.cbcFloat, f.cbcInteger, f.cbcString,
                           f.cbvBoolean, f.cbvDateTime, f.cbvFloat, f.cbvInteger, f.cbvString})
      EXPECT_EQ(box->GetItems()->Count(), 3) << box->GetName();
    EXPECT_EQ(f.cbcString->GetTag(), 5);
    EXPECT_EQ(f.cbvDateTime->GetTag(), 1);
    EXPECT_EQ(f.cbcString->GetText(), "Initial comparison");
    EXPECT_EQ(f.cbvDateTime->GetText(), "Two fields visible");
    EXPECT_EQ(f.mdVertMargin->GetText(), "50");
    EXPECT_EQ(f.mdHorzMargin->GetColor(), dialog->GetStyleOptions()->GetColor(1));
    host->Click(f.bbCancel);
  }));
  EXPECT_EQ(items, "NAME:ftString ID:ftInteger:hidden NOTE:ftMemo |Default options|NAME");
}

TEST_F(FilterSetup, ARecordShowsDefaultValueUntilAValueIsChosen) {
  dialog->GetFields()->Add()->SetFieldName("ID");  // follows the integer class
  const std::string before = Text(dialog);
  std::vector<std::string> trace;
  EXPECT_TRUE(RunSetup(dialog, [&](TfmSetupRecord& f) {
    auto see = [&] { trace.push_back(f.cbFields->GetText() + ": " + FieldPage(f)); };
    host->Choose(f.cbFields, "ID");
    see();
    host->Choose(f.cbCompare, "Exact comparison");  // the same kind: now its own
    see();
    host->Choose(f.cbCompare, "Partial comparison");  // two fields cannot search partially
    see();
    host->Choose(f.cbFields, "NAME");
    see();
    host->Click(f.cbFieldCaseSensitive);
    see();
    host->Choose(f.cbFields, "ID");  // filling the page changes nothing
    see();
    host->Choose(f.cbFields, "Default options");
    EXPECT_EQ(f.pcOptions->GetActivePage(), f.tsDefault);
    host->Click(f.bbOk);
  }));
  const std::string dv = LoadStr(25111);
  EXPECT_EQ(trace,
            (std::vector<std::string>{
                "ID: Exact comparison [" + dv + "] / Two fields visible [" + dv + "] / -",
                "ID: Exact comparison / Two fields visible [" + dv + "] / -",
                "ID: Partial comparison / Single field visible / -",
                "NAME: Initial comparison / Single field visible [" + dv + "] / off [" + dv + "]",
                "NAME: Initial comparison / Single field visible [" + dv + "] / on",
                "ID: Partial comparison / Single field visible / -"}));
  EXPECT_EQ(Changes(before, Text(dialog)),
            "+CaseInsensitive = False|+Compare = ctInternal|+Count = coOne");
  EXPECT_FALSE(dialog->FieldByName("NAME")->GetCaseInsensitive());
  EXPECT_EQ(dialog->FieldByName("ID")->GetCompare(), ctInternal);
}

TEST_F(FilterSetup, TheMemoClassAndUnlistedRecordsPassThroughOnOk) {
  dialog->GetCompareOptions()->SetCompare(4, ctExact);
  dialog->GetCountOptions()->SetCount(4, coNone);
  TFieldRecord* id = dialog->GetFields()->Add();
  id->SetFieldName("ID");
  id->SetCompare(ctInternal);
  id->SetVisible(false);
  TFieldRecord* note = dialog->GetFields()->Add();
  note->SetFieldName("NOTE");
  note->SetCount(coTwo);
  const std::string before = Text(dialog);
  EXPECT_TRUE(RunSetup(dialog, [&](TfmSetupRecord& f) {
    EXPECT_EQ(f.cbFields->GetItems()->Count(), 2);
    host->Choose(f.cbvString, "No visible fields");
    host->Click(f.bbOk);
  }));
  // Only the string class's count; the memo class and the records' own
  // settings (also of the records the form did not list) stay.
  EXPECT_EQ(Changes(before, Text(dialog)), "+CountOptions.StringCount = coNone");
  EXPECT_EQ(dialog->GetCompareOptions()->GetCompare(4), ctExact);
  EXPECT_EQ(dialog->GetCountOptions()->GetCount(4), coNone);
  EXPECT_EQ(dialog->FieldByName("NAME")->GetCount(), coNone);
  EXPECT_EQ(note->GetCount(), coTwo);
  EXPECT_EQ(id->GetCompare(), ctInternal);
}

TEST_F(FilterSetup, ANonNumericMarginIsRefusedBeforeAnythingIsCommitted) {
  const std::string before = Text(dialog);
  std::string atRefusal;
  bool stillOpen = false;
  EXPECT_TRUE(RunSetup(dialog, [&](TfmSetupRecord& f) {
    host->Choose(f.cbcString, "Exact comparison");
    host->Click(f.cbAutoEditWidth);
    f.mdHorzMargin->SetFocus();
    host->PressKey("End");
    host->TypeText("x");
    // The message box: the owner is untouched and the form still open.
    host->OnNextModal([&](TCustomForm& box) {
      atRefusal = Text(dialog);
      stillOpen = f.IsModal() && f.GetVisible();
      host->Click(static_cast<TMessageForm&>(box).FindDlgButton(mbOK));
    });
    host->Click(f.bbOk);
    host->Run("key Backspace\ntype \"12\"\nclick bbOk");
  }));
  ASSERT_EQ(host->Messages().size(), 1u);
  EXPECT_EQ(host->Messages()[0].Type, mtError);
  EXPECT_EQ(host->Messages()[0].Text, "'0x' is not a valid integer value");
  EXPECT_EQ(atRefusal, before);
  EXPECT_TRUE(stillOpen);
  // Corrected, everything goes in at once.
  // (NAME's own initial comparison is written now that the class default differs.)
  EXPECT_EQ(Changes(before, Text(dialog)),
            "+Compare = ctInitial|+AutoEditWidth = False|+CompareOptions.StringCompare = "
            "ctExact|+HorzMargin = 12");
}

TEST_F(FilterSetup, SaveDataItselfRefusesABadMarginBeforeChangingTheOwner) {
  const std::string before = Text(dialog);
  EXPECT_FALSE(RunSetup(dialog, [&](TfmSetupRecord& f) {
    host->Choose(f.cbcString, "Exact comparison");
    f.mdVertMargin->SetText("5 0");
    EXPECT_THROW(f.SaveData(), EConvertError);
    EXPECT_EQ(Text(dialog), before);
    host->Click(f.bbCancel);
  }));
}

TEST_F(FilterSetup, EveryWayOfCancellingChangesNothing) {
  dialog->GetFields()->Add()->SetFieldName("ID");
  const std::string before = Text(dialog);
  for (const char* leave : {"click bbCancel", "key Escape", "close"}) {
    EXPECT_FALSE(RunSetup(dialog, [&](TfmSetupRecord& f) {
      host->Choose(f.cbcString, "Partial comparison");
      host->Choose(f.cbvInteger, "Single field visible");
      host->Click(f.cbCaseSensitive);
      host->Click(f.cbAutoSaveValues);
      host->Choose(f.cbFields, "ID");
      host->Choose(f.cbCompare, "Initial comparison");
      host->Run(leave);
    })) << leave;
    EXPECT_EQ(Text(dialog), before) << leave;
  }
  EXPECT_EQ(dialog->GetPanel()->GetUpdateCount(), 0);
}

TEST_F(FilterSetup, FromTheOpenDialogOkFiltersAndLaysOutByTheNewSettings) {
  // "b" filtered without case: Bob, Bea, Bert; with case: nobody.
  EXPECT_TRUE(Show(
      dialog, [&](TCustomForm&) { dialog->FieldByName("NAME")->SetAsString(0, "b"); },
      "click cbFiltered\nclick bbSetup\nclick cbCaseSensitive\nclick bbOk\nclick bbOk"));
  EXPECT_FALSE(dialog->GetCompareOptions()->GetCaseInsensitive());
  EXPECT_TRUE(people->GetFiltered());
  EXPECT_EQ(Ids(), "");
  EXPECT_TRUE(
      Show(dialog, nullptr, "click bbSetup\nclick cbCaseSensitive\nclick bbOk\nclick bbOk"));
  EXPECT_TRUE(dialog->GetCompareOptions()->GetCaseInsensitive());
  EXPECT_EQ(Name(dialog), "b");
  EXPECT_TRUE(people->GetFiltered());
  EXPECT_EQ(Ids(), "2,3,5");
  // Two boxes for NAME: the open form widens around the new row at once,
  // although the showing itself is then cancelled.
  int widthBefore = 0, widthAfter = 0;
  host->OnModalClosing = [&](TCustomForm& form) {
    if (&form == dialog->GetForm()) widthAfter = form.GetWidth();
  };
  EXPECT_FALSE(Show(
      dialog, [&](TCustomForm& form) { widthBefore = form.GetWidth(); },
      "click bbSetup\nchoose cbFields \"NAME\"\nchoose cbCount \"Two fields visible\"\n"
      "click bbOk\nclick bbCancel"));
  EXPECT_EQ(dialog->FieldByName("NAME")->GetCount(), coTwo);
  EXPECT_GT(widthAfter, widthBefore);
}

}  // namespace
}  // namespace tabulon::test
