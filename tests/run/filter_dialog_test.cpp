// The filter dialog driven as a person drives it: the "Filtered" check box
// switches the filter on OK only, Cancel changes neither the filter nor the
// position, a dataset-less dialog ignores the check box, the options hide
// the check box and the top bar, and settings confirmed in the setup form
// apply even when the showing is cancelled.
#include <gtest/gtest.h>

#include "platform/controls/application.h"
#include "tests/run/dialog_fixture.h"

namespace tabulon::test {
namespace {

class FilterDialog : public DialogTest {
 protected:
  FilterDialog() {
    dialog = new TProbeFilterDialog(&owner);
    Bind(dialog);
  }
  // "filtered" or "all", the IDs shown and the current ID.
  std::string State() const {
    return std::string(people->GetFiltered() ? "filtered " : "all ") + Ids() + " @" +
           std::to_string(Id());
  }
  TProbeFilterDialog* dialog;
};

TEST_F(FilterDialog, TheCheckBoxSwitchesTheFilterOnOkOnly) {
  people->SetRecNo(4);
  std::vector<std::string> states;
  bool shown = true;
  auto seeBox = [&](const char* text) {
    return [&, text](TCustomForm& form) {
      shown = static_cast<TfmFilter&>(form).cbFiltered->GetChecked();
      dialog->FieldByName("NAME")->SetAsString(0, text);
    };
  };
  // Values without the filter switched on change nothing, not even the position.
  EXPECT_TRUE(Show(dialog, seeBox("B"), "key Enter"));
  EXPECT_FALSE(shown);
  states.push_back(State());
  EXPECT_TRUE(Show(dialog, seeBox(""), "type B\nclick cbFiltered\nkey Enter"));
  states.push_back(State());
  people->Last();
  // Cancel: neither the check box nor the values, and the position stays.
  EXPECT_FALSE(Show(dialog, seeBox("Bo"), "click cbFiltered\nkey Escape"));
  EXPECT_TRUE(shown);
  EXPECT_EQ(Name(dialog), "B");
  states.push_back(State());
  EXPECT_FALSE(Show(dialog, seeBox("Bo"), "close"));
  states.push_back(State());
  // Unchecking and OK removes the filter.
  EXPECT_TRUE(Show(dialog, seeBox("B"), "click cbFiltered\nclick bbOk"));
  states.push_back(State());
  EXPECT_EQ(states, (std::vector<std::string>{"all 1,2,3,4,5,6 @4", "filtered 2,3,5 @2",
                                              "filtered 2,3,5 @5", "filtered 2,3,5 @5",
                                              "all 1,2,3,4,5,6 @1"}));
  EXPECT_FALSE(dialog->GetFiltered());
}

TEST_F(FilterDialog, WithoutADataSourceTheCheckBoxIsIgnored) {
  TProbeFilterDialog loose(&owner);
  host->OnNextModal("click cbFiltered\nkey Enter");
  EXPECT_TRUE(loose.Execute());
  EXPECT_FALSE(loose.GetFiltered());
}

TEST_F(FilterDialog, OptionsHideTheCheckBoxAndTheTopBar) {
  std::string seen;
  auto look = [&](TCustomForm& form) {
    auto& fm = static_cast<TfmFilter&>(form);
    seen +=
        std::string(fm.paTop->GetVisible() ? "top" : "-") +
        (fm.paFiltered->GetVisible() ? "+box" : "") + (fm.paClear->GetVisible() ? "+clear" : "") +
        (fm.paSetup->GetVisible() ? "+setup" : "") + (fm.paNext->GetVisible() ? "+next" : "") + " ";
  };
  for (TStateOptions options :
       {TStateOptions{soClear, soSetup, soNext, soFilter}, TStateOptions{soFilter},
        TStateOptions{soClear}, TStateOptions{soNext}}) {
    dialog->SetOptions(options);
    Show(dialog, look, "key Escape");
  }
  EXPECT_EQ(seen, "top+box+clear+setup top+box top+clear - ");
}

TEST_F(FilterDialog, ClearEmptiesTheValuesAndCancelBringsThemBack) {
  ASSERT_TRUE(Show(dialog, Type("Be"), "click cbFiltered\nkey Enter"));
  EXPECT_EQ(Ids(), "3,5");
  EXPECT_TRUE(Show(dialog, nullptr, "click bbClear\nclick bbOk"));
  EXPECT_EQ(State(), "filtered 1,2,3,4,5,6 @1");
  EXPECT_EQ(Name(dialog), "");
  dialog->FieldByName("NAME")->SetAsString(0, "Be");
  EXPECT_FALSE(Show(dialog, nullptr, "click bbClear\nkey Escape"));
  EXPECT_EQ(Name(dialog), "Be");
  EXPECT_EQ(Ids(), "3,5");
}

TEST_F(FilterDialog, SettingsConfirmedInTheSetupFormApplyAfterACancel) {
  ASSERT_TRUE(Show(dialog, Type("B"), "click cbFiltered\nkey Enter"));
  people->Last();
  host->OnNextModal([&](TCustomForm&) {});  // the filter form
  host->OnNextModal([&](TCustomForm& setup) {
    // What a confirmed setup form does: the owner's settings, in its brackets.
    dialog->FieldByName("NAME")->SetCompare(ctExact);
    setup.SetModalResult(mrOk);
  });
  host->Run("click bbSetup\nkey Escape");
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(State(), "filtered  @0");
  EXPECT_EQ(dialog->GetPanel()->GetUpdateCount(), 0);
}

}  // namespace
}  // namespace tabulon::test

namespace tabulon::test {
namespace {

TEST_F(FilterDialog, MessagesPostedWhileClosingWaitOnlyInADesigner) {
  TPanel probe(nullptr);
  dialog->OnFormClose = TFormCloseEvent(
      [&](TObject*, TCloseState&) { Application()->PostMessage(&probe, WM_NULL, 0, 0); });
  std::vector<int> pending;
  for (bool designing : {false, true}) {
    dialog->SetDesigning(designing);
    Show(
        dialog, [](TCustomForm& form) { form.SetModalResult(mrOk); }, "");
    pending.push_back(Application()->GetPendingCount());
    Application()->ProcessMessages();
  }
  EXPECT_EQ(pending, (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace tabulon::test
