// Component trees: writing, reading back, references, events, custom data,
// Loaded order and component states, and the errors of bad streams.
#include <gtest/gtest.h>

#include <map>

#include "platform/core/props.h"
#include "platform/streaming/formres.h"
#include "platform/streaming/global.h"
#include "platform/streaming/variant_io.h"
#include "tests/platform/streaming/stream_helpers.h"
#include "tests/platform/streaming/test_classes.h"

namespace tabulon::test {
namespace {

const char* const kFormText = R"(object Form1: TTestForm
  object Probe1: TStreamProbe
    Count = 3
    Big = 5000000000
    Letter = 'A'
    Shade = shDark
    Enabled = False
    Color = clRed
    Ratio = 0.25
    Scale = 1.5s
    Caption = 'It''s'#13#10'ok'
    Data = 42
    Font.Name = 'Mono'
    Font.Style = [fsBold, fsUnderline]
    Items = <
      item
        Caption = 'a'
        Value = 1
        Target = Probe2
      end
      item
      end>
    Lines.Strings = (
      'one'
      'two')
    Buddy = Probe2
    OnPoke = Poke
    Values = (
      0.1
      'CITY'
      'Berlin'
      'N'
      0.5)
    Blob = {
      0102}
  end
  object Probe2: TStreamProbe
    Color = clBtnFace
    Font.Name = 'Sans'
    Captions.With = ' '
  end
  object Panel1: TTestControl
    Font.Name = 'Sans'
    object Button1: TTestControl
      Font.Name = 'Sans'
    end
  end
end
)";

// The tree that kFormText describes, built in code.
struct Tree {
  TTestForm form{nullptr};
  TStreamProbe* probe1;
  TStreamProbe* probe2;
  Tree() {
    form.SetName("Form1");
    probe1 = new TStreamProbe(&form);
    probe1->SetName("Probe1");
    probe2 = new TStreamProbe(&form);
    probe2->SetName("Probe2");
    auto* panel = new TTestControl(&form);
    panel->SetName("Panel1");
    auto* button = new TTestControl(&form);
    button->SetName("Button1");
    button->SetParentComponent(panel);
    probe1->SetCount(3);
    probe1->SetBig(5000000000LL);
    probe1->SetLetter('A');
    probe1->SetShade(shDark);
    probe1->SetEnabled(false);
    probe1->SetColor(TTestColor{0xFF});
    probe1->SetRatio(0.25);
    probe1->SetScale(1.5f);
    probe1->SetCaption("It's\r\nok");
    probe1->SetData(Variant(int32_t{42}));
    probe1->GetFont()->SetName("Mono");
    probe1->GetFont()->SetStyle({fsBold, fsUnderline});
    auto* item = static_cast<TTestItem*>(probe1->GetItems()->Add());
    item->SetCaption("a");
    item->SetValue(1);
    item->SetTarget(probe2);
    probe1->GetItems()->Add();
    probe1->GetLines()->Add("one");
    probe1->GetLines()->Add("two");
    probe1->SetBuddy(probe2);
    probe1->OnPoke = TNotifyEvent(&form, &TTestForm::Poke);
    probe1->values = {{"CITY", Variant("Berlin")}, {"N", Variant(0.5)}};
    probe1->blob = std::string("\x01\x02", 2);
    probe2->SetCaption("none");  // its stored rule keeps it out
    probe2->SetColor(TTestColor{-16777201});
    probe2->GetCaptions()->SetWith("");  // cleared: written as one blank
  }
};

TEST(ComponentStreaming, WritesStoredNonDefaultPropertiesInDeclarationOrder) {
  Tree tree;
  std::string binary = ToBinary(&tree.form);
  EXPECT_EQ(binary.substr(0, 4), "TPF0");
  EXPECT_EQ(BinaryToText(binary), kFormText);
  // Writing marks the components only while it runs.
  EXPECT_FALSE(tree.form.ComponentState().Contains(csWriting));
  EXPECT_FALSE(tree.probe2->ComponentState().Contains(csWriting));
  EXPECT_EQ(tree.probe2->GetCaptions()->GetWith(), "");
}

TEST(ComponentStreaming, ReadingRebuildsTheTreeWithReferencesEventsAndCustomData) {
  Tree tree;
  std::vector<std::string> trace;
  gTrace = &trace;
  TStringStream s(ToBinary(&tree.form));
  auto* form = dynamic_cast<TTestForm*>(s.ReadComponent(nullptr));
  gTrace = nullptr;
  ASSERT_NE(form, nullptr);
  // Writing the read tree again gives the same form: every property came back.
  EXPECT_EQ(ComponentToText(form), kFormText);
  auto* p1 = static_cast<TStreamProbe*>(form->FindComponent("Probe1"));
  auto* p2 = static_cast<TStreamProbe*>(form->FindComponent("Probe2"));
  EXPECT_EQ(p1->GetBuddy(), p2);
  EXPECT_EQ(static_cast<TTestItem*>(p1->GetItems()->GetItem(0))->GetTarget(), p2);
  EXPECT_EQ(p1->GetCaption(), "It's\r\nok");
  EXPECT_EQ(p1->GetBig(), 5000000000LL);
  EXPECT_TRUE(p1->versioned);
  EXPECT_EQ(p1->blob, std::string("\x01\x02", 2));
  EXPECT_EQ(p2->GetCaptions()->GetWith(), "");             // the blank written came back as empty
  EXPECT_EQ(form->Panel1, form->FindComponent("Panel1"));  // published field bound
  p1->OnPoke(p1);
  EXPECT_EQ(form->poked, p1);
  auto* panel = static_cast<TTestControl*>(form->Panel1);
  ASSERT_EQ(panel->children.size(), 1u);
  EXPECT_EQ(panel->children[0]->GetName(), "Button1");
  // Properties are set while loading and reading; the parent is given before
  // the properties; Loaded follows once for each component in creation order.
  EXPECT_EQ(trace,
            (std::vector<std::string>{"Probe1.Count loading=1 reading=1", "Panel1.Parent=Form1",
                                      "Button1.Parent=Panel1", "Form1:loaded", "Probe1:loaded",
                                      "Probe2:loaded", "Panel1:loaded", "Button1:loaded"}));
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponentState state = form->Components(i)->ComponentState();
    EXPECT_FALSE(state.Contains(csLoading) || state.Contains(csReading));
  }
  TObject::Free(form);
}

TEST(ComponentStreaming, ReadingIntoAnExistingRootKeepsItAndAddsTheChildren) {
  TTestForm form(nullptr);
  ReadText("object Named: TTestForm\n  object Panel1: TTestControl\n  end\nend\n", &form);
  EXPECT_EQ(form.GetName(), "Named");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Panel1, form.Components(0));
}

TEST(ComponentStreaming, VariantsKeepTheirKinds) {
  const std::vector<std::pair<Variant, TVarType>> cases = {
      {Null, varNull},
      {Unassigned, varEmpty},
      {Variant(int16_t{-7}), varSmallint},
      {Variant(uint8_t{200}), varSmallint},
      {Variant(int32_t{-70000}), varInteger},
      {Variant(int64_t{1} << 40), varInt64},
      {Variant(1.25f), varSingle},
      {Variant(0.1), varDouble},
      {Variant(Currency::FromRaw(123456)), varCurrency},
      {Variant::FromDate(45000.75), varDate},
      {Variant(true), varBoolean},
      {Variant("Grüße"), varString},
      {VarArrayOf({Variant(int32_t{1}), Variant("x"), VarArrayOf({Variant(2.5)})}),
       varArray | varVariant},
  };
  for (const auto& [value, type] : cases) {
    TStringStream s;
    {
      TWriter w(&s);
      WriteVariant(&w, value);
      w.FlushBuffer();
    }
    s.SetPosition(0);
    TReader r(&s);
    Variant back = ReadVariant(&r);
    if (!VarIsClear(value)) {
      EXPECT_TRUE(VarCompare(back, value) == 0) << VarTypeAsText(type);
    }
    EXPECT_EQ(VarType(back), type) << VarTypeAsText(type);
  }
  TStringStream s;
  TWriter w(&s);
  ExpectThrow<EWriteError>([&] { WriteVariant(&w, Variant::Opaque(0x600F)); },
                           "Stream write error");
}

TEST(ComponentStreaming, BadStreamsNameThePropertyPath) {
  struct Case {
    std::string body;  // properties of Probe1
    std::string message;
  };
  const Case cases[] = {
      {"Nme = 1", "Error reading Probe1.Nme: Property Nme does not exist"},
      {"Font.Nme = 1", "Error reading Probe1.Font.Nme: Property Nme does not exist"},
      {"Count.X = 1", "Error reading Probe1.Count.X: Invalid property path"},
      {"Items = <\n item\n end\n item\n Valu = 1\n end>",
       "Error reading Probe1.Items[1].Valu: Property Valu does not exist"},
      {"Items = <\n item\n Value = 'x'\n end>",
       "Error reading Probe1.Items[0].Value: Invalid property value 'x'"},
      {"Shade = shPurple", "Error reading Probe1.Shade: Invalid property value shPurple"},
      {"Shade = 7", "Error reading Probe1.Shade: Invalid property value 7"},
      {"Count = 'x'", "Error reading Probe1.Count: Invalid property value 'x'"},
      {"Count = 3000000000", "Error reading Probe1.Count: Invalid property value 3000000000"},
      {"Color = clMauve", "Error reading Probe1.Color: Invalid property value clMauve"},
      {"Font.Style = [fsBold, fsNope]",
       "Error reading Probe1.Font.Style: Invalid property value fsNope"},
      {"Font.Style = fsBold", "Error reading Probe1.Font.Style: Invalid property value fsBold"},
      {"Count = '" + std::string(50, 'x') + "'",
       "Error reading Probe1.Count: Invalid property value '" + std::string(40, 'x') + "...'"},
      {"Enabled = 2.5", "Error reading Probe1.Enabled: Invalid property value 2.5"},
      {"Letter = 'AB'", "Error reading Probe1.Letter: Invalid property value"},
      {"Items = 5", "Error reading Probe1.Items: Invalid property value"},
      {"Font = Probe1", "Error reading Probe1.Font: Invalid property value"},
      {"OnPoke = Missing", "Error reading Probe1.OnPoke: Method Missing not found"},
      {"Buddy = Form1", "Error reading Probe1.Buddy: Invalid class typecast"},
      {"Lines.Strings = 3", "Error reading Probe1.Lines.Strings: Invalid property value"},
      {"Blob = 'x'", "Error reading Probe1.Blob: Invalid property value"},
      {"Data = <>", "Error reading Probe1.Data: Invalid property value"},
  };
  for (const Case& c : cases) {
    std::string text =
        "object Form1: TTestForm\n  object Probe1: TStreamProbe\n" + c.body + "\n  end\nend\n";
    ExpectThrow<EReadError>([&] { ReadText(text); }, c.message);
  }
  ExpectThrow<EClassNotFound>(
      [] { ReadText("object Form1: TTestForm\n  object X: TNope\n  end\nend\n"); },
      "Class TNope not found");
  ExpectThrow<EReadError>(
      [] { ReadText("object Form1: TTestForm\n  object X: TPersistent\n  end\nend\n"); },
      "Class TPersistent cannot be created");
  ExpectThrow<EClassNotFound>([] { ReadText("object Form1: TMissingForm\nend\n"); },
                              "Class TMissingForm not found");
  ExpectThrow<EComponentError>(
      [] {
        ReadText(
            "object Form1: TTestForm\n  object P: TStreamProbe\n  end\n"
            "  object P: TStreamProbe\n  end\nend\n");
      },
      "A component named P already exists");
  ExpectThrow<EReadError>(
      [] { ReadText("object Form1: TTestForm\n  inherited P: TStreamProbe\n  end\nend\n"); },
      "Ancestor for 'P' not found");
}

TEST(ComponentStreaming, ErrorsAreLocatedAndPartialTreesFreed) {
  std::string text =
      "object Form1: TTestForm\n"
      "  object Probe1: TStreamProbe\n"
      "    Count = 1\n"
      "  end\n"
      "  object Probe2: TStreamProbe\n"
      "    Font.Size = 'big'\n"
      "  end\n"
      "end\n";
  TTextLineMap lines;
  TStringStream s(TextToBinary(text, &lines));
  TReader reader(&s);
  std::vector<std::string> trace;
  gTrace = &trace;
  EXPECT_THROW(reader.ReadRootComponent(nullptr), EReadError);
  gTrace = nullptr;
  EXPECT_EQ(reader.ErrorPath(), "Probe2.Font.Size");
  EXPECT_EQ(LineOfPosition(lines, reader.ErrorPosition()), 6);
  // Nothing was announced as loaded; the created tree is gone (LeakSanitizer checks).
  EXPECT_EQ(trace, std::vector<std::string>{"Probe1.Count loading=1 reading=1"});

  // Whatever a setter throws, the partly read tree goes.
  EXPECT_THROW(
      ReadText("object Form1: TTestForm\n  object P: TStreamProbe\n    Explode = 1\n  end\nend\n"),
      std::runtime_error);

  // Reading into an existing root frees only the object that failed.
  TTestForm form(nullptr);
  EXPECT_THROW(ReadText(text, &form), EReadError);
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0)->GetName(), "Probe1");
  EXPECT_FALSE(form.ComponentState().Contains(csReading));
}

TEST(ComponentStreaming, UnknownPropertiesCanBeSkippedByTheErrorHandler) {
  std::string text =
      "object Form1: TTestForm\n  object Probe1: TStreamProbe\n    Future = (\n      1\n      "
      "'two')\n    Count = 4\n  end\nend\n";
  TStringStream s(TextToBinary(text));
  TReader reader(&s);
  std::vector<std::string> skipped;
  reader.OnError = [&](TReader*, const std::string& message, bool& handled) {
    skipped.push_back(message);
    handled = true;
  };
  auto* form = reader.ReadRootComponent(nullptr);
  EXPECT_EQ(skipped, std::vector<std::string>{"Property Future does not exist"});
  EXPECT_EQ(static_cast<TStreamProbe*>(form->FindComponent("Probe1"))->GetCount(), 4);
  TObject::Free(form);
}

TEST(ComponentStreaming, ReferencesToOtherFormsWaitUntilThatFormIsLoaded) {
  std::map<std::string, TComponent*> forms;
  int id = RegisterFindGlobalComponentProc([&](std::string_view name) -> TComponent* {
    auto it = forms.find(std::string(name));
    return it == forms.end() ? nullptr : it->second;
  });
  std::string first =
      "object First: TTestForm\n  object P: TStreamProbe\n    Items = <\n      item\n"
      "        Target = Second.Q\n      end>\n    Buddy = Second.Q\n  end\n"
      "  object R: TStreamProbe\n    Buddy = Second.Q\n  end\nend\n";
  TStringStream s(TextToBinary(first));
  TReader reader(&s);
  auto* f1 = reader.ReadRootComponent(nullptr);
  EXPECT_EQ(reader.UnresolvedReferences(),
            (std::vector<std::string>{"P.Items[0].Target -> Second.Q", "P.Buddy -> Second.Q",
                                      "R.Buddy -> Second.Q"}));
  auto* p = static_cast<TStreamProbe*>(f1->FindComponent("P"));
  EXPECT_EQ(p->GetBuddy(), nullptr);
  // The collection item holding a waiting reference goes away: nothing is set later.
  p->GetItems()->Clear();
  // R goes away before the other form arrives: its reference is forgotten.
  TObject::Free(f1->FindComponent("R"));
  EXPECT_EQ(PendingGlobalReferences(),
            (std::vector<std::string>{"P.Items[0].Target -> Second.Q", "P.Buddy -> Second.Q"}));
  TTestForm second(nullptr);
  second.SetName("Second");
  forms["Second"] = &second;
  ReadText("object Second: TTestForm\n  object Q: TStreamProbe\n  end\nend\n", &second);
  EXPECT_EQ(p->GetBuddy(), second.FindComponent("Q"));
  EXPECT_TRUE(PendingGlobalReferences().empty());
  TObject::Free(f1);
  UnregisterFindGlobalComponentProc(id);
}

TEST(ComponentStreaming, DeepNestingIsRefused) {
  std::string text;
  for (int i = 0; i < 250; ++i) text += "object A" + std::to_string(i) + ": TTestControl\n";
  for (int i = 0; i < 250; ++i) text += "end\n";
  // The text parser refuses it first; a binary stream built by hand the same.
  ExpectThrow<EParserError>([&] { TextToBinary(text); }, "Form data nested too deeply on line 201");
  std::string binary = "TPF0";
  for (int i = 0; i < 250; ++i) binary += std::string("\x0CTTestControl\x00\x00", 15);
  TStringStream s(binary);
  TReader reader(&s);
  ExpectThrow<EReadError>([&] { reader.ReadRootComponent(nullptr); },
                          "Form data nested too deeply");
}

}  // namespace
}  // namespace tabulon::test
