// Collections: item life cycle, update nesting and change reports.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/platform/core/test_classes.h"
#include "tests/platform/expect_throw.h"

namespace tabulon::test {
namespace {

using testing::ExpectThrow;

TPlainItem* ItemAt(TCollection& c, int i) { return static_cast<TPlainItem*>(c.GetItem(i)); }

TEST(Collection, ItemJoinsOnlyAfterItIsComplete) {
  TCountingCollection c;
  auto* first = static_cast<TPlainItem*>(c.Add());
  EXPECT_EQ(first->sawCollectionCount, 0);  // not yet in the list while constructing
  EXPECT_EQ(first->GetCollection(), &c);
  EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
  auto* second = static_cast<TPlainItem*>(c.Add());
  EXPECT_EQ(second->GetIndex(), 1);
  EXPECT_NE(first->GetID(), second->GetID());
}

TEST(Collection, OneUpdateAtTheOutermostEndUpdate) {
  TCountingCollection c;
  c.BeginUpdate();
  c.BeginUpdate();
  for (int i = 0; i < 5; ++i) static_cast<TPlainItem*>(c.Add())->SetValue(i + 1);
  c.EndUpdate();
  EXPECT_TRUE(c.updates.empty());
  c.Delete(0);
  EXPECT_TRUE(c.updates.empty());
  c.EndUpdate();
  EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
  // Outside an update each change reports at once, naming the item.
  c.updates.clear();
  ItemAt(c, 0)->SetValue(100);
  EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{ItemAt(c, 0)}));
  ItemAt(c, 0)->SetValue(100);  // unchanged: no report
  EXPECT_EQ(c.updates.size(), 1u);
}

TEST(Collection, IndexMovesAndErrors) {
  TCountingCollection c;
  for (int i = 0; i < 3; ++i) static_cast<TPlainItem*>(c.Add())->SetValue(i);
  c.updates.clear();
  ItemAt(c, 2)->SetIndex(0);
  EXPECT_EQ(ItemAt(c, 0)->GetValue(), 2);
  EXPECT_EQ(ItemAt(c, 1)->GetValue(), 0);
  EXPECT_EQ(c.updates, (std::vector<TCollectionItem*>{nullptr}));
  EXPECT_THROW(ItemAt(c, 0)->SetIndex(3), EListError);
  ExpectThrow<EListError>([&] { c.GetItem(-1); }, "List index out of bounds (-1)");
  TCollectionItem* inserted = c.Insert(1);
  EXPECT_EQ(inserted->GetIndex(), 1);
  EXPECT_EQ(c.Count(), 4);
}

TEST(Collection, AssignCopiesItemsAndRefusesStrangers) {
  TCountingCollection a, b;
  for (int i = 0; i < 3; ++i) static_cast<TPlainItem*>(a.Add())->SetValue(10 * i);
  b.Add();
  b.updates.clear();
  b.Assign(&a);
  ASSERT_EQ(b.Count(), 3);
  EXPECT_EQ(ItemAt(b, 2)->GetValue(), 20);
  EXPECT_EQ(b.updates.size(), 1u);
  TStringList s;
  ExpectThrow<EConvertError>([&] { b.Assign(&s); },
                             "Cannot assign a TStringList to a TCountingCollection");
  EXPECT_THROW(ItemAt(b, 0)->Assign(nullptr), EConvertError);
}

TEST(Collection, NamePathFollowsTheOwner) {
  TComponent form(nullptr);
  form.SetName("Form1");
  TOwnedCollection c(&form, TPlainItem::StaticClass());
  c.Add();
  c.Add();
  EXPECT_EQ(c.GetItem(1)->GetNamePath(), "Form1[1]");
  TCountingCollection lone;
  EXPECT_EQ(lone.Add()->GetNamePath(), "TCountingCollection[0]");
}

}  // namespace
}  // namespace tabulon::test
