// The find dialog driven as a person drives it: Next walks the matches one
// by one and says so after the last, OK starts again, every way of
// cancelling restores the values and leaves the dataset where it was, the
// close handler may keep the form open, a nested modal form (the setup
// form, a message box) does not start the showing again, and the form
// fits the screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"
#include "platform/forms/msgdlg.h"
#include "platform/graphics/sysmetrics.h"
#include "tests/run/dialog_fixture.h"

namespace tabulon::test {
namespace {

class FindDialog : public DialogTest {
 protected:
  FindDialog() {
    dialog = new TProbeFindDialog(&owner);
    Bind(dialog);
  }
  TProbeFindDialog* dialog;
};

TEST_F(FindDialog, NextWalksTheMatchesOneByOneThenOkStartsAgain) {
  // Trace of (result, current ID, value) after each showing.
  std::string trace;
  auto step = [&](bool result) {
    trace += (result ? "+" : "-") + std::to_string(Id()) + Name(dialog) + " ";
  };
  step(Show(dialog, nullptr, "type B\nclick bbNext"));
  step(Show(dialog, nullptr, "click bbNext"));
  step(Show(dialog, nullptr, "click bbNext"));
  EXPECT_TRUE(host->Messages().empty());
  host->AnswerNextMessage(mbOK);
  step(Show(dialog, nullptr, "click bbNext"));  // after the last match
  ASSERT_EQ(host->Messages().size(), 1u);
  EXPECT_EQ(host->Messages()[0].Text, LoadStr(25110));
  step(Show(dialog, nullptr, "key Enter"));  // OK: from the start
  EXPECT_TRUE(dialog->GetRestart());
  EXPECT_EQ(trace, "+2B +3B +5B +5B +2B ");
  EXPECT_EQ(dialog->GetForm(), nullptr);
  EXPECT_EQ(dialog->GetPanel()->GetParent(), nullptr);
}

TEST_F(FindDialog, EveryWayOfCancellingRestoresTheValuesAndDoesNotSearch) {
  ASSERT_TRUE(Show(dialog, nullptr, "type Be\nclick bbOk"));
  EXPECT_EQ(Id(), 3);
  people->First();
  // The Cancel button, Escape, the close box, and OK turned into a cancel
  // by the close handler.
  for (const char* script : {"click bbCancel", "key Escape", "close", "key Enter"}) {
    const bool turn = std::string(script) == "key Enter";
    dialog->OnFormClose = TFormCloseEvent([turn](TObject*, TCloseState& state) {
      if (turn) state = csCancel;
    });
    EXPECT_FALSE(Show(dialog, nullptr, std::string("type D\n") + script)) << script;
    EXPECT_EQ(Name(dialog), "Be") << script;
    EXPECT_EQ(Id(), 1) << script;
  }
  // The field list's update bracket was closed every time.
  EXPECT_EQ(dialog->GetFields()->UpdateCount(), 0);
  EXPECT_TRUE(host->Messages().empty());
}

TEST_F(FindDialog, AnsweringNoneKeepsTheFormOpenAndTheLaterCancelStillRestores) {
  ASSERT_TRUE(Show(dialog, Type("Bo"), "key Enter"));
  int asked = 0;
  dialog->OnFormClose = TFormCloseEvent([&](TObject*, TCloseState& state) {
    if (++asked == 1) state = csNone;
  });
  EXPECT_FALSE(Show(dialog, Type("C"), "key Enter\nkey Escape"));
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Name(dialog), "Bo");
  EXPECT_EQ(Id(), 2);
  EXPECT_EQ(dialog->GetFields()->UpdateCount(), 0);
  // Refusing and then confirming searches once, with the new value.
  asked = 0;
  EXPECT_TRUE(Show(dialog, Type("C"), "key Enter\nkey Enter"));
  EXPECT_EQ(Id(), 4);
  EXPECT_EQ(dialog->GetFields()->UpdateCount(), 0);
}

TEST_F(FindDialog, ANestedModalFormDoesNotStartTheShowingAgain) {
  ASSERT_TRUE(Show(dialog, Type("Bo"), "key Enter"));
  int activations = 0;
  dialog->OnFormActivate = TNotifyEvent([&](TObject*) { ++activations; });
  // A message box while the form is open, after the value was changed.
  host->AnswerNextMessage(mbOK);
  EXPECT_FALSE(Show(
      dialog,
      [&](TCustomForm&) {
        dialog->FieldByName("NAME")->SetAsString(0, "C");
        ShowMessage("checked");
      },
      "key Escape"));
  EXPECT_EQ(Name(dialog), "Bo");
  // The setup form: visited, closed, and the showing cancelled.
  EXPECT_FALSE(Show(dialog, Type("D"), "click bbSetup\nclose\nkey Escape"));
  EXPECT_EQ(dialog->SetupShown, 1);
  EXPECT_EQ(Name(dialog), "Bo");
  EXPECT_EQ(activations, 2);
  EXPECT_EQ(dialog->GetFields()->UpdateCount(), 0);
  EXPECT_EQ(dialog->GetPanel()->GetUpdateCount(), 0);
}

TEST_F(FindDialog, AutoSaveValuesOffStartsEveryShowingEmpty) {
  ASSERT_TRUE(Show(dialog, Type("Bo"), "key Enter"));
  dialog->SetAutoSaveValues(false);
  std::string seen = "?";
  EXPECT_TRUE(Show(
      dialog, [&](TCustomForm&) { seen = Name(dialog); }, "key Enter"));
  EXPECT_EQ(seen, "");
  ASSERT_TRUE(Show(dialog, Type("Be"), "key Enter"));
  // Cancel brings back the values the showing started from, not the empty ones.
  EXPECT_FALSE(Show(
      dialog, [&](TCustomForm&) { seen = Name(dialog); }, "key Escape"));
  EXPECT_EQ(seen, "");
  EXPECT_EQ(Name(dialog), "Be");
}

// The caption, whether the top bar shows, and the bottom bar's buttons from
// left to right with the gaps between them ("OK|Next|Cancel": adjacent).
std::string Describe(TfmFind& form) {
  std::vector<TPanel*> panes;
  for (TPanel* p : {form.paOk, form.paNext, form.paCancel, form.paHelp})
    if (p->GetVisible()) panes.push_back(p);
  std::sort(panes.begin(), panes.end(),
            [](TPanel* a, TPanel* b) { return a->GetLeft() < b->GetLeft(); });
  std::string out = form.GetCaption() + (form.paTop->GetVisible() ? " top " : " ");
  for (size_t i = 0; i < panes.size(); ++i) {
    if (i)
      out += panes[i - 1]->GetLeft() + panes[i - 1]->GetWidth() == panes[i]->GetLeft() ? "|" : " ";
    out += static_cast<TButton*>(panes[i]->GetControls(0))->GetCaption();
  }
  const TPanel* last = panes.back();
  return out + (last->GetLeft() + last->GetWidth() == form.paBottom->GetClientWidth() ? "]" : "");
}

TEST_F(FindDialog, OptionsTitleAndButtonsOfTheForm) {
  dialog->SetTitle("Look up");
  std::vector<std::string> seen;
  for (TStateOptions options : {TStateOptions{soHelp}, TStateOptions{soHelp, soNext, soSetup},
                                TStateOptions{soClear, soSetup, soNext, soFilter}}) {
    dialog->SetOptions(options);
    Show(
        dialog, [&](TCustomForm& form) { seen.push_back(Describe(static_cast<TfmFind&>(form))); },
        "key Escape");
  }
  // Changing the settings while the form is open updates it.
  Show(
      dialog,
      [&](TCustomForm& form) {
        dialog->SetOptions({soNext, soHelp});
        dialog->SetTitle("");
        seen.push_back(Describe(static_cast<TfmFind&>(form)));
      },
      "key Escape");
  EXPECT_EQ(seen,
            (std::vector<std::string>{"Look up OK|Cancel|Help]", "Look up top OK|Next|Cancel|Help]",
                                      "Look up top OK|Next|Cancel]", "Find OK|Next|Cancel|Help]"}));
}

TEST_F(FindDialog, OnASmallScreenThePanelScrollsWithinTheMargins) {
  struct TShown {
    int Width, Height, Left, Top;
    bool Vert, Horz;
  };
  auto showOn = [&](int w, int h) {
    const int oldW = SetSystemMetrics(SM_CXSCREEN, w);
    const int oldH = SetSystemMetrics(SM_CYSCREEN, h);
    TShown s{};
    Show(
        dialog,
        [&](TCustomForm& form) {
          TScrollingFieldsSet* box = dialog->GetPanel()->GetScrollingFieldsSet();
          s = {form.GetWidth(),
               form.GetHeight(),
               form.GetLeft(),
               form.GetTop(),
               box->GetVertScrollBar()->IsScrollBarVisible(),
               box->GetHorzScrollBar()->IsScrollBarVisible()};
        },
        "key Escape");
    SetSystemMetrics(SM_CXSCREEN, oldW);
    SetSystemMetrics(SM_CYSCREEN, oldH);
    return s;
  };
  // One narrow record: the form keeps the minimum width, centred.
  TShown one = showOn(1024, 768);
  EXPECT_GE(one.Width, 320);
  EXPECT_LT(one.Width, 400);
  EXPECT_EQ(one.Left, (1024 - one.Width) / 2);
  EXPECT_EQ(one.Top, (768 - one.Height) / 2);
  EXPECT_FALSE(one.Vert || one.Horz);
  // Many records on a low screen: no taller than the screen less the margin.
  for (int i = 0; i < 12; ++i) dialog->GetFields()->Add()->SetFieldName(i % 2 ? "ID" : "NAME");
  TShown low = showOn(640, 240);
  EXPECT_TRUE(low.Vert);
  EXPECT_LE(low.Height, 240 - dialog->GetVertMargin());
  EXPECT_GE(low.Width, 320);
  EXPECT_EQ(low.Top, (240 - low.Height) / 2);
  // A screen narrower than the minimum: the margins win, the panel scrolls.
  dialog->SetHorzMargin(20);
  TShown narrow = showOn(300, 240);
  EXPECT_LE(narrow.Width, 280);
  EXPECT_TRUE(narrow.Horz);
}

TEST_F(FindDialog, MessagesAndIndexWrittenFromOutsideAreCopied) {
  {
    TFindMessages texts;
    texts.SetRecordNotFound("Nobody");
    dialog->SetMessages(&texts);
    EXPECT_NE(dialog->GetMessages(), &texts);
  }
  EXPECT_EQ(dialog->GetMessages()->GetRecordNotFound(), "Nobody");
  TDBFindDialog other(nullptr);
  dialog->SetDataSetIndex(other.GetDataSetIndex());
  EXPECT_NE(dialog->GetDataSetIndex(), other.GetDataSetIndex());
  host->AnswerNextMessage(mbOK);
  EXPECT_TRUE(Show(dialog, Type("Zed"), "key Enter"));
  ASSERT_EQ(host->Messages().size(), 1u);
  EXPECT_EQ(host->Messages()[0].Text, "Nobody");
  EXPECT_EQ(Id(), 1);
}

TEST_F(FindDialog, TheVariantsMakeTheirOwnPanelsAndIndexes) {
  TQXClientFindDialog client(nullptr);
  TQXBdeFindDialog table(nullptr);
  EXPECT_EQ(client.GetPanel()->ClassType(), TQXClientFindComponent::StaticClass());
  EXPECT_EQ(table.GetPanel()->ClassType(), TBDEFindComponent::StaticClass());
  EXPECT_EQ(static_cast<TDBFindComponent*>(client.GetPanel())->GetFindIndex()->ClassType(),
            TQXClientFindIndex::StaticClass());
  EXPECT_EQ(static_cast<TDBFindComponent*>(table.GetPanel())->GetFindIndex()->ClassType(),
            TQXBdeFindIndex::StaticClass());
  EXPECT_EQ(client.GetFieldsSetClass(), TQXClientFindDialog::StaticClass());
  EXPECT_TRUE(client.GetShowBox());
  EXPECT_EQ(client.GetUpdateState(), usNone);
  EXPECT_TRUE(dynamic_cast<TFSStyleOptions*>(client.GetStyleOptions()));
}

}  // namespace
}  // namespace tabulon::test

namespace tabulon::test {
namespace {

TEST_F(FindDialog, AFailureInsideTheFormLeavesNothingOpen) {
  ASSERT_TRUE(Show(dialog, Type("Bo"), "key Enter"));
  people->First();
  // The script ends with the form still open: the host raises.
  host->OnNextModal([&](TCustomForm&) { dialog->FieldByName("NAME")->SetAsString(0, "C"); });
  EXPECT_THROW(dialog->Execute(), EInvalidOperation);
  EXPECT_EQ(dialog->GetForm(), nullptr);
  EXPECT_EQ(dialog->GetPanel()->GetParent(), nullptr);
  EXPECT_EQ(dialog->GetPanel()->GetUpdateCount(), 0);
  EXPECT_EQ(dialog->GetFields()->UpdateCount(), 0);
  EXPECT_EQ(Name(dialog), "Bo");
  EXPECT_EQ(Id(), 1);
  // The dialog works as before.
  EXPECT_TRUE(Show(dialog, nullptr, "key Enter"));
  EXPECT_EQ(Id(), 2);
}

TEST_F(FindDialog, HelpAsksForTheHelpContextAndClearEmptiesTheValues) {
  dialog->SetHelpContext(4711);
  dialog->SetOptions({soHelp, soClear});
  ASSERT_TRUE(Show(dialog, Type("Bo"), "click bbHelp\nclick bbClear\nclick bbOk"));
  EXPECT_EQ(Application()->GetLastHelpData(), 4711);
  EXPECT_EQ(Name(dialog), "");
}

}  // namespace
}  // namespace tabulon::test
