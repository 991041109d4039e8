// Ownership, naming and free notification of components.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/platform/core/test_classes.h"
#include "tests/platform/expect_throw.h"

namespace tabulon::test {
namespace {

using testing::ExpectThrow;

TProbe* Make(TComponent* owner, const std::string& name, std::vector<std::string>* log = nullptr) {
  auto* p = new TProbe(owner);
  p->SetName(name);
  p->log = log;
  return p;
}

TEST(Ownership, OwnerFreesOwnedComponentsLastCreatedFirst) {
  std::vector<std::string> destroyed;
  struct TTracked : TComponent {
    TTracked(TComponent* o, std::string n, std::vector<std::string>& log)
        : TComponent(o), log_(log) {
      SetName(n);
    }
    ~TTracked() override {
      EXPECT_TRUE(ComponentState().Contains(csDestroying)) << "owned components are marked";
      log_.push_back(GetName());
    }
    std::vector<std::string>& log_;
  };
  auto* owner = new TComponent(nullptr);
  new TTracked(owner, "A", destroyed);
  new TTracked(owner, "B", destroyed);
  auto* c = new TTracked(owner, "C", destroyed);
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(c->GetComponentIndex(), 2);
  TObject::Free(owner);
  EXPECT_EQ(destroyed, (std::vector<std::string>{"C", "B", "A"}));
}

TEST(Ownership, FreeingAnOwnedComponentLeavesTheOwnerAndTellsSiblings) {
  std::vector<std::string> log;
  TComponent owner(nullptr);
  TProbe* a = Make(&owner, "A", &log);
  TProbe* b = Make(&owner, "B", &log);
  log.clear();
  TObject::Free(b);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.FindComponent("b"), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"A:remove B"}));
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_THROW(owner.Components(1), EListError);
}

TEST(Ownership, NotificationsReachComponentsOfOwnedComponents) {
  // form owns a plain frame component, which owns a probe; the probe refers
  // to a sibling of the frame and must hear of its removal.
  std::vector<std::string> log;
  TComponent form(nullptr);
  auto* frame = new TComponent(&form);
  TProbe* deep = Make(frame, "Deep", &log);
  TProbe* sibling = Make(&form, "Sibling");
  deep->SetBuddy(sibling);  // different owners: a mutual free notification
  log.clear();
  form.RemoveComponent(sibling);  // removed, not destroyed: told through the owners
  EXPECT_EQ(log, (std::vector<std::string>{"Deep:remove Sibling"}));
  delete sibling;
  EXPECT_EQ(deep->GetBuddy(), nullptr);
}

TEST(FreeNotification, ReferencesAcrossOwnersAreClearedWhenTheTargetOrItsOwnerGoes) {
  // Probes on one form refer to probes on another, and one sibling there to
  // another; freeing a target, then the second form, must leave no reference
  // behind (the mutual entries included), and the sanitizer build proves no
  // dangling use.
  TComponent form1(nullptr);
  auto* form2 = new TComponent(nullptr);
  std::vector<TProbe*> users;
  for (int i = 0; i < 4; ++i) users.push_back(Make(&form1, "U" + std::to_string(i)));
  TProbe* t0 = Make(form2, "T0");
  TProbe* t1 = Make(form2, "T1");
  TProbe* t2 = Make(form2, "T2");
  users[0]->SetBuddy(t0);
  users[1]->SetBuddy(t1);
  users[2]->SetBuddy(t0);
  users[3]->SetBuddy(t2);
  t0->SetBuddy(t1);  // same owner: told through the owner
  EXPECT_TRUE(t2->ComponentState().Contains(csFreeNotification));
  TObject::Free(t2);
  EXPECT_EQ(users[3]->GetBuddy(), nullptr);
  EXPECT_TRUE(users[3]->FreeNotifies().empty());
  TObject::Free(form2);
  for (TProbe* u : users) EXPECT_EQ(u->GetBuddy(), nullptr);
  for (TProbe* u : users) EXPECT_TRUE(u->FreeNotifies().empty());
}

TEST(FreeNotification, RemoveFreeNotificationStopsTheMessage) {
  std::vector<std::string> log;
  TComponent form1(nullptr), form2(nullptr);
  TProbe* user = Make(&form1, "User", &log);
  TProbe* target = Make(&form2, "Target");
  target->FreeNotification(user);
  target->RemoveFreeNotification(user);
  log.clear();
  TObject::Free(target);
  EXPECT_TRUE(log.empty());
}

TEST(Naming, ValidatesIdentifiersAndUniquenessAmongSiblings) {
  TComponent owner(nullptr);
  TProbe* a = Make(&owner, "Alpha");
  TProbe* b = Make(&owner, "Beta");
  ExpectThrow<EComponentError>([&] { b->SetName("ALPHA"); },
                               "A component named ALPHA already exists");
  EXPECT_EQ(b->GetName(), "Beta");
  ExpectThrow<EComponentError>([&] { b->SetName("1abc"); }, "'1abc' is not a valid component name");
  a->SetName("ALPHA");  // a new spelling of its own name is allowed
  EXPECT_EQ(a->GetName(), "ALPHA");
  b->SetName("");
  TProbe* c = Make(&owner, "");  // several unnamed components are fine
  EXPECT_EQ(c->GetName(), "");
  TComponent other(nullptr);
  Make(&other, "Alpha");  // another owner may reuse the name
  EXPECT_EQ(owner.FindComponent("alpha"), a);
}

TEST(Naming, LargeOwnersFindRenamedAndRemovedComponents) {
  // Past a few dozen components names are looked up through an index; it must
  // follow renames and removals exactly as the plain search would.
  TComponent owner(nullptr);
  std::vector<TProbe*> probes;
  for (int i = 0; i < 100; ++i) probes.push_back(Make(&owner, "P" + std::to_string(i)));
  EXPECT_EQ(owner.FindComponent("p42"), probes[42]);
  probes[42]->SetName("Answer");
  EXPECT_EQ(owner.FindComponent("P42"), nullptr);
  EXPECT_EQ(owner.FindComponent("ANSWER"), probes[42]);
  EXPECT_THROW(probes[7]->SetName("answer"), EComponentError);
  TObject::Free(probes[42]);
  EXPECT_EQ(owner.FindComponent("Answer"), nullptr);
  probes[7]->SetName("Answer");  // the name is free again
  EXPECT_EQ(owner.FindComponent("answer"), probes[7]);
  owner.RemoveComponent(probes[8]);
  EXPECT_EQ(owner.FindComponent("P8"), nullptr);
  delete probes[8];
}

}  // namespace
}  // namespace tabulon::test
