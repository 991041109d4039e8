// The find dialog's setup form: its memo row and way of searching, a working
// copy bound to the dataset and of the dialog's own class, the style it
// takes from the dialog, and a search that follows the confirmed settings.
#include <gtest/gtest.h>

#include "platform/controls/application.h"
#include "platform/core/resstrings.h"
#include "tests/run/setup_fixture.h"

namespace tabulon::test {
namespace {

class FindSetup : public SetupTest {
 protected:
  FindSetup() {
    dialog = new TDBFindDialog(&owner);
    dialog->SetName("FindDialog");
    Bind(dialog);
  }
  TDBFindDialog* dialog;
};

TEST_F(FindSetup, TheWayOfSearchingIsSetOnOkOnlyThroughTheSetupButton) {
  ASSERT_EQ(dialog->GetFindOptions(), foFast);
  std::string shown;
  host->OnModalClosing = [&](TCustomForm& form) {
    if (auto* f = dynamic_cast<TfmSetupFindDialog*>(&form))
      shown += f->cbFindOptions->GetText() + ";";
  };
  // Cancel in the setup form, then in the dialog: nothing changed.
  const std::string before = Text(dialog);
  EXPECT_FALSE(Show(dialog, nullptr,
                    "click bbSetup\nchoose cbFindOptions \"Normal searching\"\nclick bbCancel\n"
                    "click bbCancel"));
  EXPECT_EQ(dialog->GetFindOptions(), foFast);
  EXPECT_EQ(Text(dialog), before);
  // OK in the setup form; the dialog's own Cancel does not undo it.
  EXPECT_FALSE(Show(dialog, nullptr,
                    "click bbSetup\nchoose cbFindOptions \"Normal searching\"\nclick bbOk\n"
                    "click bbCancel"));
  EXPECT_EQ(dialog->GetFindOptions(), foNormal);
  EXPECT_EQ(Changes(before, Text(dialog)), "+FindOptions = foNormal");
  EXPECT_EQ(shown, "Normal searching;Normal searching;");
  // The next setup form opens with what was confirmed.
  shown.clear();
  EXPECT_FALSE(Show(dialog, nullptr, "click bbSetup\nclose\nclick bbCancel"));
  EXPECT_EQ(shown, "Normal searching;");
}

TEST_F(FindSetup, TheFormHasAMemoRowAndABoundCopyOfTheDialogsClass) {
  TQXClientFindDialog client(&owner);
  Bind(&client);
  client.GetFields()->Add()->SetFieldName("NOTE");
  client.GetCompareOptions()->SetCompare(4, ctExact);
  std::string seen;
  EXPECT_TRUE(RunSetup(&client, [&](TfmSetupRecord& form) {
    auto& f = static_cast<TfmSetupFindDialog&>(form);
    EXPECT_EQ(f.GetClientHeight(), 388);
    EXPECT_EQ(f.GetClientWidth(), 615);
    TFieldsSet* copy = f.GetWorkingCopy();
    EXPECT_EQ(copy->ClassType(), TQXClientFindDialog::StaticClass());
    EXPECT_EQ(copy->GetDataSource(), source);
    EXPECT_FALSE(copy->GetUpdateAfterOpen());
    // Bound copies: the memo record knows its field.
    EXPECT_EQ(copy->GetFields()->GetItem(1)->GetRecordKind(), rkData);
    EXPECT_NE(copy->GetFields()->GetItem(1)->GetField(), nullptr);
    EXPECT_EQ(f.cbcMemo->GetTag(), 4);
    EXPECT_EQ(f.cbvMemo->GetTag(), 4);
    seen = f.cbcMemo->GetText() + " / " + f.cbvMemo->GetText() + " / " +
           std::to_string(f.cbFields->GetItems()->Count());
    EXPECT_EQ(f.cbFindOptions->GetItems()->GetCommaText(),
              "\"Exact index searching\",\"Nearest index searching\",\"Fast searching\","
              "\"Normal searching\"");
    host->Choose(f.cbcMemo, "Partial comparison");
    host->Choose(f.cbvMemo, "Two fields visible");  // a partial comparison takes one box
    seen += " -> " + f.cbcMemo->GetText() + " / " + f.cbvMemo->GetText();
    host->Click(f.bbOk);
  }));
  EXPECT_EQ(seen,
            "Exact comparison / Single field visible / 3 -> Initial comparison / Two fields "
            "visible");
  EXPECT_EQ(client.GetCompareOptions()->GetCompare(4), ctInitial);
  EXPECT_EQ(client.GetCountOptions()->GetCount(4), coTwo);
}

TEST_F(FindSetup, TheFormTakesTheDialogsStyleWithTheFontCutTo14) {
  TStyleOptions* style = dialog->GetStyleOptions();
  TFont big;
  big.Assign(style->GetFont(0));
  big.SetSize(20);
  style->SetFont(0, &big);
  style->SetColor(0, clInfoBk);
  style->SetColor(1, clYellow);
  style->SetCtl3D(false);
  EXPECT_FALSE(RunSetup(dialog, [&](TfmSetupRecord& form) {
    auto& f = static_cast<TfmSetupFindDialog&>(form);
    EXPECT_EQ(f.GetFont()->GetSize(), 14);
    EXPECT_EQ(f.GetColor(), clInfoBk);
    EXPECT_FALSE(f.GetCtl3D());
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             f.cbcString, f.cbvMemo, f.cbFindOptions, f.mdHorzMargin, f.mdVertMargin})
      EXPECT_EQ(c->GetColor(), clYellow) << c->GetName();
    host->Click(f.bbCancel);
  }));
  EXPECT_EQ(style->GetFont(0)->GetSize(), 20);
}

TEST_F(FindSetup, ASearchFollowsTheConfirmedComparison) {
  // "Be" from its start finds Bea; compared exactly it finds nobody.
  EXPECT_TRUE(Show(
      dialog, [&](TCustomForm&) { dialog->FieldByName("NAME")->SetAsString(0, "Be"); },
      "click bbOk"));
  EXPECT_EQ(Id(), 3);
  people->First();
  host->AnswerNextMessage(mbOK);
  EXPECT_TRUE(
      Show(dialog, nullptr,
           "click bbSetup\nchoose cbFields \"NAME\"\nchoose cbCompare \"Exact comparison\"\n"
           "click bbOk\nclick bbOk"));
  EXPECT_EQ(dialog->FieldByName("NAME")->GetCompare(), ctExact);
  ASSERT_EQ(host->Messages().size(), 1u);
  EXPECT_EQ(Id(), 1);
}

}  // namespace
}  // namespace tabulon::test
