// The update states, driven through the scripted host as a person types:
// when the values typed into a filter panel's editors are applied, traced
// together with the panel's editor events and the records the dataset
// shows after each application (and the letters an integer editor drops).
#include <gtest/gtest.h>

#include "platform/graphics/sysmetrics.h"
#include "tests/run/editors_fixture.h"

namespace tabulon::test {
namespace {

TEST(UpdateStates, AutoAppliesEveryChangeAndTheDatasetFollowsEachDigit) {
  EditorsOnForm f;
  ResetMessageBeeps();
  f.ClickInto("AGE");
  f.Play("type 1a2b");  // letters in an integer editor beep and are dropped
  EXPECT_EQ(f.Editor("AGE")->GetText(), "12");
  EXPECT_EQ(MessageBeepCount(), 2);
  EXPECT_EQ(f.Take(),
            "enter AGE.0;"
            "press AGE.0 1;apply[Ann,Bob,Bea,Carl,Bert];change AGE.0=1;press AGE.0 a;"
            "press AGE.0 2;apply[Bob,Bea,Carl,Bert];change AGE.0=12;press AGE.0 b;");
  // Backspace back to 1, then to nothing: every change is applied.
  f.Play("key Backspace\nkey Backspace");
  EXPECT_EQ(f.Take(),
            "press AGE.0 #8;apply[Ann,Bob,Bea,Carl,Bert];change AGE.0=1;"
            "press AGE.0 #8;apply[Ann,Bob,Bea,Carl,Bert];change AGE.0=;");
  EXPECT_TRUE(f.Record("AGE")->IsNull(0));
}

TEST(UpdateStates, EditExitChangeAppliesOnLeavingOnlyWhenAValueIsPending) {
  EditorsOnForm f;
  f.Panel->SetUpdateState(usEditExitChange);
  f.ClickInto("NAME");
  f.Play("type B\nkey Tab");
  EXPECT_EQ(f.Take(),
            "enter NAME.0;press NAME.0 B;change NAME.0=B;exit NAME.0;apply[Bob,Bea,Bert];"
            "enter AGE.0;");
  EXPECT_FALSE(f.Panel->GetFields()->Changes.Contains(lcPending));
  // Leaving the lower bound of an empty range copies it into the upper one.
  f.Play("type 12\nkey Tab");
  EXPECT_EQ(f.Take(),
            "press AGE.0 1;change AGE.0=1;press AGE.0 2;change AGE.0=12;exit AGE.0;"
            "change AGE.1=12;apply[Bob];enter AGE.1;");
  // A leading zero leaves the value 12 as it was: nothing is pending, and
  // leaving shows the value in its normal form without applying.
  f.ClickInto("AGE");
  f.Play("key Home\ntype 0\nkey Tab");
  EXPECT_EQ(f.Take(),
            "exit AGE.1;enter AGE.0;press AGE.0 0;change AGE.0=012;change AGE.0=12;exit AGE.0;"
            "enter AGE.1;");
  EXPECT_EQ(f.Editor("AGE")->GetText(), "12");
  // Under usEditExit leaving any editor applies, pending or not.
  f.Panel->SetUpdateState(usEditExit);
  f.ClickInto("AGE");
  f.Play("key Tab");
  EXPECT_EQ(f.Take(), "exit AGE.1;apply[Bob];enter AGE.0;exit AGE.0;apply[Bob];enter AGE.1;");
}

TEST(UpdateStates, ExitChangeAppliesOnceWhenTheFocusLeavesThePanel) {
  EditorsOnForm f;
  f.Panel->SetUpdateState(usExitChange);
  f.ClickInto("NAME");
  f.Play("type B\nkey Tab\ntype 30\nkey Tab\nkey Tab");
  EXPECT_EQ(f.Take(),
            "enter NAME.0;press NAME.0 B;change NAME.0=B;exit NAME.0;"
            "enter AGE.0;press AGE.0 3;change AGE.0=3;press AGE.0 0;change AGE.0=30;exit AGE.0;"
            "change AGE.1=30;enter AGE.1;exit AGE.1;enter CITY.0;");
  EXPECT_EQ(f.Shown(), "Ann,Bob,Bea,Carl,Bert");
  f.Play("click Other");
  EXPECT_EQ(f.Take(), "exit CITY.0;apply[];");
  // Leaving again with nothing pending applies nothing; usExit applies anyway.
  f.ClickInto("NAME");
  f.Play("click Other");
  EXPECT_EQ(f.Take(), "enter NAME.0;exit NAME.0;");
  f.Panel->SetUpdateState(usExit);
  f.ClickInto("NAME");
  f.Play("click Other");
  EXPECT_EQ(f.Take(), "enter NAME.0;exit NAME.0;apply[];");
}

TEST(UpdateStates, NoneAppliesOnlyOnValuesChangedAtRunAndDesignTimeAlike) {
  for (bool designing : {false, true}) {
    SCOPED_TRACE(designing ? "designing" : "running");
    EditorsOnForm f;
    f.Panel->SetUpdateState(usNone);
    f.ClickInto("NAME");
    if (designing) f.Panel->SetDesigning(true, false);
    f.Play("type Be\nclick Other");
    EXPECT_EQ(
        f.Take(),
        "enter NAME.0;press NAME.0 B;change NAME.0=B;press NAME.0 e;change NAME.0=Be;exit NAME.0;");
    EXPECT_TRUE(f.Panel->GetFields()->Changes.Contains(lcPending));
    EXPECT_TRUE(f.Record("NAME")->GetAppliedValue(0).IsNull());
    f.Panel->ValuesChanged();
    EXPECT_EQ(f.Take(), "apply[Bea,Bert];");
    if (designing) f.Panel->SetDesigning(false, false);
  }
}

TEST(UpdateStates, AtDesignTimeEveryStateButNoneAppliesAtOnce) {
  EditorsOnForm f;
  f.Panel->SetUpdateState(usExit);
  f.Panel->SetDesigning(true, false);
  f.Record("NAME")->SetAsString(0, "C");
  EXPECT_EQ(f.Take(), "change NAME.0=C;apply[Carl];");
  f.Panel->SetDesigning(false, false);
  f.Record("NAME")->SetAsString(0, "B");
  EXPECT_EQ(f.Take(), "change NAME.0=B;");
  EXPECT_EQ(f.Shown(), "Carl");
}

}  // namespace
}  // namespace tabulon::test
