// Class registry, published properties by name and method pointers.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/core/props.h"
#include "tests/platform/core/test_classes.h"
#include "tests/platform/expect_throw.h"

namespace tabulon::test {
namespace {

using testing::ExpectThrow;

TEST(ClassRegistry, CreatesComponentsByNameAndKnowsAncestry) {
  const TClass* cls = FindClass("tprobe");  // names are case-insensitive
  ASSERT_EQ(cls, TProbe::StaticClass());
  EXPECT_TRUE(cls->InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(cls));
  TComponent owner(nullptr);
  TComponent* c = cls->CreateComponent(&owner);
  EXPECT_EQ(c->ClassName(), "TProbe");
  EXPECT_EQ(c->GetOwner(), &owner);
  EXPECT_TRUE(c->InheritsFrom(TPersistent::StaticClass()));
  ExpectThrow<EClassNotFound>([] { FindClass("TNoSuchClass"); }, "Class TNoSuchClass not found");
  EXPECT_THROW(TPersistent::StaticClass()->CreateComponent(nullptr), EComponentError);
}

TEST(PublishedProperties, InheritedFirstInDeclarationOrder) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TProbe::StaticClass()->Properties()) names.push_back(p->Name);
  std::vector<std::string> expected{"Name",    "Tag",   "Shade", "Flavours", "Weight",
                                    "Caption", "Buddy", "Width", "Height",   "OnPoke"};
  EXPECT_EQ(names, expected);
}

TEST(PublishedProperties, LookupByNameHonoursKindFilter) {
  TProbe p(nullptr);
  EXPECT_NE(GetPropInfo(&p, "shade", {tkEnumeration}), nullptr);
  EXPECT_EQ(GetPropInfo(&p, "Shade", {tkString, tkInteger}), nullptr);
  EXPECT_NE(GetPropInfo(&p, "OnPoke", {tkMethod}), nullptr);
  EXPECT_EQ(GetPropInfo(&p, "OnPoke", tkOrdinal), nullptr);
  EXPECT_EQ(GetPropInfo(&p, "Missing"), nullptr);
  EXPECT_EQ(GetPropInfo(static_cast<TObject*>(nullptr), "Shade"), nullptr);
}

TEST(PublishedProperties, ReadAndWriteEveryKindThroughDescriptors) {
  TProbe p(nullptr), q(nullptr);
  SetEnumProp(&p, GetPropInfo(&p, "Shade"), "shDark");
  EXPECT_EQ(p.GetShade(), shDark);
  EXPECT_EQ(GetEnumProp(&p, GetPropInfo(&p, "Shade")), "shDark");
  EXPECT_THROW(SetEnumProp(&p, GetPropInfo(&p, "Shade"), "shPurple"), EPropertyError);

  SetSetProp(&p, GetPropInfo(&p, "Flavours"), "[flSour, flBitter]");
  EXPECT_EQ(p.GetFlavours(), (TFlavours{flSour, flBitter}));
  EXPECT_EQ(GetSetProp(&p, GetPropInfo(&p, "Flavours")), "[flSour,flBitter]");

  SetStrProp(&p, "Caption", "hello");
  EXPECT_EQ(GetStrProp(&p, "caption"), "hello");
  SetFloatProp(&p, GetPropInfo(&p, "Weight"), 2.5L);
  EXPECT_EQ(p.GetWeight(), 2.5);
  SetOrdProp(&p, "Height", 7);
  EXPECT_EQ(p.GetSize(1), 7);
  EXPECT_EQ(GetOrdProp(&p, "Width"), 0);

  SetObjectProp(&p, GetPropInfo(&p, "Buddy"), &q);
  EXPECT_EQ(p.GetBuddy(), &q);
  TComponent notAProbe(nullptr);
  EXPECT_THROW(SetObjectProp(&p, GetPropInfo(&p, "Buddy"), &notAProbe), EInvalidCast);
  EXPECT_EQ(p.GetBuddy(), &q);
  p.SetBuddy(nullptr);

  EXPECT_THROW(GetOrdProp(&p, "Caption"), EPropertyError);
  ExpectThrow<EPropertyError>([&] { GetOrdProp(&p, "Colour"); }, "Property Colour does not exist");
}

TEST(PublishedProperties, DefaultsAndStoredRules) {
  TProbe p(nullptr);
  const TPropInfo* shade = GetPropInfo(&p, "Shade");
  EXPECT_TRUE(IsDefaultPropValue(&p, shade));
  p.SetShade(shLight);
  EXPECT_FALSE(IsDefaultPropValue(&p, shade));
  EXPECT_TRUE(IsDefaultPropValue(&p, GetPropInfo(&p, "Flavours")));
  const TPropInfo* caption = GetPropInfo(&p, "Caption");
  EXPECT_TRUE(IsStoredProp(&p, caption));
  p.SetCaption("none");
  EXPECT_FALSE(IsStoredProp(&p, caption));
  EXPECT_FALSE(IsStoredProp(&p, GetPropInfo(&p, "Name")));
}

TEST(MethodPointers, IdentityIsObjectAndMethod) {
  TProbe a(nullptr), b(nullptr);
  TNotifyEvent e1(&a, &TProbe::Clicked), e2(&a, &TProbe::Clicked);
  TNotifyEvent e3(&b, &TProbe::Clicked), e4(&a, &TProbe::Other);
  EXPECT_TRUE(e1 == e2);
  EXPECT_FALSE(e1 == e3);
  EXPECT_FALSE(e1 == e4);
  EXPECT_FALSE(e1 == TNotifyEvent());
  EXPECT_TRUE(TNotifyEvent() == TNotifyEvent(nullptr));
  int calls = 0;
  TNotifyEvent l1([&](TObject*) { ++calls; });
  TNotifyEvent l2 = l1;
  EXPECT_TRUE(l1 == l2);
  EXPECT_FALSE(l1 == TNotifyEvent([&](TObject*) { ++calls; }));
  l2(nullptr);
  TNotifyEvent()(nullptr);  // an unassigned event does nothing
  EXPECT_EQ(calls, 1);
}

TEST(MethodPointers, CopiedBetweenObjectsThroughTypeInformation) {
  TProbe target(nullptr), source(nullptr), receiver(nullptr);
  source.OnPoke = TNotifyEvent(&target, &TProbe::Clicked);
  TMethod m = GetMethodProp(&source, "OnPoke");
  ASSERT_TRUE(m.Assigned());
  EXPECT_EQ(m.Data, &target);
  SetMethodProp(&receiver, "OnPoke", m);
  EXPECT_TRUE(receiver.OnPoke == source.OnPoke);
  receiver.OnPoke(&receiver);
  EXPECT_EQ(target.clickedBy, &receiver);
  // An event of another signature is refused.
  TEvent<int> wrong([](int) {});
  EXPECT_THROW(SetMethodProp(&receiver, "OnPoke", wrong.ToMethod()), EPropertyError);
  SetMethodProp(&receiver, "OnPoke", TMethod());
  EXPECT_FALSE(receiver.OnPoke.Assigned());
}

TEST(MethodPointers, PublishedMethodsBindAndAreNamedBack) {
  TProbe form(nullptr);
  const TMethodInfo* mi = TProbe::StaticClass()->FindMethod("clicked");
  ASSERT_NE(mi, nullptr);
  TMethod bound = mi->Bind(&form);
  EXPECT_EQ(TProbe::StaticClass()->MethodName(&form, bound), "Clicked");
  EXPECT_TRUE(bound == TNotifyEvent(&form, &TProbe::Clicked).ToMethod());
  TProbe other(nullptr);
  EXPECT_EQ(TProbe::StaticClass()->MethodName(&form, mi->Bind(&other)), "");
  EXPECT_EQ(TProbe::StaticClass()->FindMethod("Missing"), nullptr);
}

}  // namespace
}  // namespace tabulon::test
