// Form resources found by class name, inherited forms, published fields,
// and form files in either format.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/core/resources.h"
#include "platform/streaming/formres.h"
#include "tests/platform/streaming/stream_helpers.h"
#include "tests/platform/streaming/test_classes.h"

namespace tabulon::test {
namespace {

TEST(FormResources, AreFoundByClassNameInAnyFolder) {
  EXPECT_EQ(FindFormResource("TTestForm"), "forms/TTestForm.dfm");
  EXPECT_EQ(FindFormResource("ttestderivedform"), "forms/TTestDerivedForm.dfm");
  EXPECT_EQ(FindFormResource("TStreamProbe"), "");
  RegisterFormResource("TStreamProbe", "forms/TTestForm.dfm");
  EXPECT_EQ(FindFormResource("TStreamProbe"), "forms/TTestForm.dfm");
}

TEST(FormResources, BaseFormIsReadWithFieldsAndEventsBound) {
  std::vector<std::string> trace;
  gTrace = &trace;
  TTestForm form(nullptr);
  EXPECT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
  gTrace = nullptr;
  EXPECT_EQ(form.GetName(), "TestForm");
  ASSERT_NE(form.bbOk, nullptr);
  EXPECT_EQ(form.bbOk->GetCaption(), "OK");
  EXPECT_EQ(form.Panel1->children,
            std::vector<TTestControl*>{static_cast<TTestControl*>(form.bbOk)});
  form.bbOk->OnPoke(&form);
  EXPECT_EQ(form.poked, &form);
  // A bound child that is freed leaves no dangling field behind.
  TObject::Free(form.bbOk);
  EXPECT_EQ(form.bbOk, nullptr);
  EXPECT_EQ(trace, (std::vector<std::string>{"Panel1.Parent=TestForm", "bbOk.Parent=Panel1",
                                             "TestForm:loaded", "Panel1:loaded", "bbOk:loaded"}));
}

TEST(FormResources, DerivedFormChangesAndAddsToItsAncestorsComponents) {
  std::vector<std::string> trace;
  gTrace = &trace;
  TTestDerivedForm form(nullptr);
  EXPECT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
  gTrace = nullptr;
  EXPECT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(form.bbOk->GetCaption(), "Fine");
  EXPECT_EQ(form.Panel1->GetCaption(), "Panel");  // untouched by the derived form
  ASSERT_NE(form.bbHelp, nullptr);
  EXPECT_EQ(form.bbHelp->GetCaption(), "Help");
  EXPECT_EQ(form.Panel1->children.size(), 2u);
  EXPECT_TRUE(form.bbHelp->OnPoke.Assigned());
  // Every component is announced once, after both levels were read.
  EXPECT_EQ(trace, (std::vector<std::string>{"Panel1.Parent=TestForm", "bbOk.Parent=Panel1",
                                             "bbHelp.Parent=Panel1", "TestForm:loaded",
                                             "Panel1:loaded", "bbOk:loaded", "bbHelp:loaded"}));
  // Stopping at the derived class's ancestor reads nothing of the base form.
  TTestDerivedForm bare(nullptr);
  EXPECT_FALSE(InitInheritedComponent(&bare, TTestDerivedForm::StaticClass()));
  EXPECT_EQ(bare.ComponentCount(), 0);
}

TEST(FormResources, FieldOfTheWrongClassIsAReadError) {
  TTestForm form(nullptr);
  ExpectThrow<EReadError>(
      [&] { ReadText("object F: TTestForm\n  object Panel1: TStreamProbe\n  end\nend\n", &form); },
      "Error reading F.Panel1: Invalid class typecast");
}

TEST(FormResources, FilesRoundTripInBothFormats) {
  TTestForm form(nullptr);
  ASSERT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
  std::string text = ComponentToText(&form);
  std::string name = "/tmp/tabulon_formres_" + std::to_string(::getpid());
  for (bool asText : {true, false}) {
    WriteComponentResFile(name, &form, asText);
    TMemoryStream file;
    file.LoadFromFile(name);
    EXPECT_EQ(std::string(file.Memory(), 4) == "TPF0", !asText);
    TComponent* back = ReadComponentResFile(name, nullptr);
    EXPECT_EQ(ComponentToText(back), text);
    TObject::Free(back);
  }
  ::unlink(name.c_str());
  ExpectThrow<EReadError>([] { ReadFormData("garbage", nullptr); }, "Invalid stream format");
}

}  // namespace
}  // namespace tabulon::test
