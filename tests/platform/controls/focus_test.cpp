// Focus: enter and exit events in order through nested containers, kill and
// set focus, refusal for hidden or disabled controls, tab order.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_builder.h"

#include "platform/controls/application.h"
#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

using Log = std::vector<std::string>;

class TFocusProbe : public TPanel {
  TBN_CLASS(TFocusProbe, TPanel)
 public:
  using TPanel::TPanel;
  Log* log = nullptr;

 protected:
  void WMSetFocus(TMessage& m) override {
    log->push_back(GetName() + ":setfocus");
    TPanel::WMSetFocus(m);
  }
  void WMKillFocus(TMessage& m) override {
    log->push_back(GetName() + ":killfocus");
    TPanel::WMKillFocus(m);
  }
  void DoEnter() override {
    log->push_back(GetName() + ":enter");
    TPanel::DoEnter();
  }
  void DoExit() override {
    log->push_back(GetName() + ":exit");
    TPanel::DoExit();
  }
};
TBN_REGISTER(TFocusProbe) {}

struct Tree {
  Log log;
  std::unique_ptr<TFocusProbe> root;
  TFocusProbe *a, *a1, *a2, *b, *b1;
  Tree() {
    root.reset(Make(nullptr, "Root"));
    a = Make(root.get(), "A");
    a1 = Make(a, "A1");
    a2 = Make(a, "A2");
    b = Make(root.get(), "B");
    b1 = Make(b, "B1");
  }
  TFocusProbe* Make(TWinControl* parent, const std::string& name) {
    auto* p = new TFocusProbe(root ? root.get() : nullptr);
    p->SetName(name);
    p->log = &log;
    if (parent) p->SetParent(parent);
    return p;
  }
};

TEST(Focus, EnterAndExitFollowTheContainersBetweenOldAndNewFocus) {
  Tree t;
  t.a1->SetFocus();
  t.a2->SetFocus();
  t.b1->SetFocus();
  t.a->SetFocus();
  t.a->SetFocus();                                             // already focused: nothing
  EXPECT_EQ(t.log, (Log{"A1:setfocus", "A:enter", "A1:enter",  //
                        "A1:killfocus", "A2:setfocus", "A1:exit", "A2:enter",  //
                        "A2:killfocus", "B1:setfocus", "A2:exit", "A:exit", "B:enter",
                        "B1:enter",  //
                        "B1:killfocus", "A:setfocus", "B1:exit", "B:exit", "A:enter"}));
  EXPECT_TRUE(t.a->Focused());
  EXPECT_EQ(Screen()->GetActiveControl(), t.a);
  EXPECT_EQ(t.root->GetActiveControl(), t.a);
}

TEST(Focus, OnlyShowingEnabledControlsTakeTheFocusAndRemovalDropsIt) {
  Tree t;
  t.b->SetEnabled(false);
  EXPECT_FALSE(t.b1->CanFocus());
  ExpectThrow<EInvalidOperation>([&] { t.b1->SetFocus(); },
                                 "Cannot focus a disabled or invisible window");
  t.a->SetVisible(false);
  EXPECT_THROW(t.a2->SetFocus(), EInvalidOperation);
  t.a->SetVisible(true);
  t.a2->SetFocus();
  // Hiding the focused control's container takes the focus away.
  t.a->SetVisible(false);
  EXPECT_EQ(Screen()->GetActiveControl(), nullptr);
  EXPECT_FALSE(t.a2->Focused());
  // Freeing a focused control leaves no dangling focus.
  t.a->SetVisible(true);
  t.a1->SetFocus();
  TObject::Free(t.a1);
  EXPECT_EQ(Screen()->GetActiveControl(), nullptr);
  EXPECT_EQ(t.root->GetActiveControl(), nullptr);
  t.log.clear();
  t.a2->SetFocus();
  EXPECT_EQ(t.log, (Log{"A2:setfocus", "A2:enter"}));
}

TEST(Focus, TabOrderDecidesTheNextControl) {
  Tree t;
  for (TFocusProbe* p : {t.a, t.a1, t.a2, t.b, t.b1}) p->SetTabStop(true);
  EXPECT_EQ(t.a->GetTabOrder(), 0);
  EXPECT_EQ(t.b->GetTabOrder(), 1);
  t.b->SetTabOrder(0);
  EXPECT_EQ(t.a->GetTabOrder(), 1);
  t.a2->SetTabOrder(0);
  // Depth first in tab order: B, B1, A, A2, A1.
  std::vector<std::string> order;
  TWinControl* c = nullptr;
  for (int i = 0; i < 6; ++i) {
    c = t.root->FindNextControl(c, true, true, false);
    order.push_back(c->GetName());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"B", "B1", "A", "A2", "A1", "B"}));
  EXPECT_EQ(t.root->FindNextControl(t.b, false, true, false)->GetName(), "A1");
  t.a2->SetTabStop(false);
  EXPECT_EQ(t.root->FindNextControl(t.a, true, true, false)->GetName(), "A1");
  t.root->SelectNext(t.a1, true, true);
  EXPECT_TRUE(t.b->Focused());
}

}  // namespace
}  // namespace tabulon
