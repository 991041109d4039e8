// The panel's editors as a person meets them through the scripted host
// (typed characters filtered by the record's type are in the update-state
// tests): texts that do not convert, mask-only texts, the lookup editor holding a key, the
// pick-list editor's list, key presses swallowed by the application, a value that its editor fails
// to show; and the accessor on all three editor classes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/controls/label.h"
#include "platform/core/exceptions.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/forms/edit.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/sysmetrics.h"
#include "platform/graphics/textmetrics.h"
#include "tests/run/editors_fixture.h"

namespace tabulon::test {
namespace {

TEST(FieldEditors, EachRecordGetsTheEditorClassOfItsButtonStyle) {
  EditorsOnForm f;
  EXPECT_EQ(f.Editor("NAME")->ClassName(), "TFieldRecordEdit");
  EXPECT_EQ(f.Editor("AGE", 1)->ClassName(), "TFieldRecordEdit");
  EXPECT_EQ(f.Editor("CITY")->ClassName(), "TFieldRecordComboBox");
  TFieldRecord* name = f.Record("NAME");
  TComponent* before = name->Editors[0];
  name->SetButtonStyle(rbsEllipsis);  // same class: kept, now with its button
  EXPECT_EQ(name->Editors[0], before);
  EXPECT_TRUE(static_cast<TFieldRecordEdit*>(before)->GetButtonVisible());
  name->SetButtonStyle(rbsLookup);
  EXPECT_EQ(f.Editor("NAME")->ClassName(), "TFieldRecordLookup");
}

TEST(FieldEditors, ATextThatDoesNotConvertKeepsTheValueAndRaisesOnlyOnLeaving) {
  EditorsOnForm f;
  f.ClickInto("AGE");
  f.Play("type 31");
  f.Take();
  EXPECT_NO_THROW(f.Play("type -"));  // "31-": typing never raises
  EXPECT_EQ(f.Take(), "press AGE.0 -;change AGE.0=31-;");
  EXPECT_EQ(f.Record("AGE")->GetAsInteger(0), 31);
  EXPECT_EQ(MessageOf<EConvertError>([&] { f.Play("key Tab"); }),
            "'31-' is not a valid integer value");
  EXPECT_TRUE(f.Editor("AGE")->Focused());
  EXPECT_EQ(f.Editor("AGE")->GetText(), "31-");
  EXPECT_EQ(f.Record("AGE")->GetAsInteger(0), 31);
  EXPECT_TRUE(f.Record("AGE")->IsNull(1));  // the range was not completed
  EXPECT_EQ(f.Take(), "enter AGE.0;");
  // Corrected, the editor is left as usual (the focus came back selecting all).
  f.Play("key End\nkey Backspace\nkey Tab");
  EXPECT_EQ(f.Take(),
            "press AGE.0 #8;change AGE.0=31;exit AGE.0;change AGE.1=31;apply[Bea];enter AGE.1;");
}

TEST(FieldEditors, ATextOfOnlyTheMasksLiteralsCountsAsEmpty) {
  EditorsOnForm f;
  TFieldRecord* name = f.Record("NAME");
  name->SetEditMask("ll-ll;1;_");  // passed on to the existing editor
  TCustomQXMaskEdit* edit = f.Editor("NAME");
  EXPECT_EQ(edit->GetEditMask(), "ll-ll;1;_");
  f.ClickInto("NAME");
  f.Play("type B\nkey Backspace");
  EXPECT_TRUE(edit->GetModified());
  EXPECT_EQ(edit->GetText(), "  -  ");
  EXPECT_FALSE(name->TextToVariant(edit->GetText()).IsNull());
  EXPECT_TRUE(EditAccessor(edit)->GetValue(true).IsNull());
  EXPECT_NO_THROW(f.Play("click Other"));
  EXPECT_TRUE(name->IsNull(0));
  EXPECT_EQ(f.Shown(), "Ann,Bob,Bea,Carl,Bert");
}

TEST(FieldEditors, ThePickListEditorSearchesAndOpensAsItsLocateSays) {
  EditorsOnForm f;
  auto* city = static_cast<TFieldRecordComboBox*>(f.Editor("CITY"));
  f.ClickInto("CITY");
  f.Play("type r");  // nearest: completed to Rome, the rest selected
  EXPECT_EQ(city->GetText(), "Rome");
  EXPECT_EQ(city->GetSelText(), "ome");
  EXPECT_EQ(city->ClosedItemIndex, 2);
  EXPECT_EQ(f.Shown(), "Carl");
  f.Host.Choose(city, "Paris");
  EXPECT_EQ(city->ClosedItemIndex, 1);
  EXPECT_EQ(f.Shown(), "Bob,Bert");
  // The list opens on the chosen item, or on nothing under loDropDown.
  f.Host.Click(city->GetButton());
  EXPECT_TRUE(city->GetListVisible());
  EXPECT_EQ(city->GetList()->GetItemIndex(), 1);
  EXPECT_EQ(city->GetItems()->Count(), 3);
  f.Play("key Escape");
  f.Record("CITY")->SetLocate(loDropDown);
  f.Host.Click(city->GetButton());
  EXPECT_EQ(city->GetList()->GetItemIndex(), -1);
  f.Play("key Escape");
  EXPECT_EQ(city->ClosedItemIndex, -1);
  EXPECT_EQ(city->GetText(), "Paris");
  // Closed, a Locate other than loAuto searches exactly: "r" is not
  // completed (and, as an initial part, still finds Rome).
  f.Play("key Ctrl+A\ntype r");
  EXPECT_EQ(city->GetText(), "r");
  EXPECT_EQ(city->ClosedItemIndex, -1);
  EXPECT_EQ(f.Shown(), "Carl");
}

TEST(FieldEditors, OnEditKeyPressCanSwallowAKey) {
  EditorsOnForm f;
  f.Panel->OnEditKeyPress = [](TFieldRecord*, char32_t& key, int) {
    if (key == U'x') key = 0;
  };
  f.ClickInto("NAME");
  f.Play("type Bxe");
  EXPECT_EQ(f.Editor("NAME")->GetText(), "Be");
  EXPECT_EQ(f.Take(),
            "enter NAME.0;apply[Bob,Bea,Bert];change NAME.0=B;apply[Bea,Bert];change NAME.0=Be;");
}

TEST(FieldEditors, AValueItsEditorFailsToShowIsStillAppliedOrPending) {
  EditorsOnForm f;
  f.Panel->OnEditChange = [](TFieldRecord*, int) { throw EConvertError("refused"); };
  TFieldRecord* name = f.Record("NAME");
  EXPECT_THROW(name->SetAsString(0, "C"), EConvertError);
  EXPECT_EQ(name->GetAsString(0), "C");
  EXPECT_EQ(f.Take(), "apply[Carl];");
  f.Panel->SetUpdateState(usNone);
  EXPECT_THROW(name->SetAsString(0, "A"), EConvertError);
  EXPECT_TRUE(f.Panel->GetFields()->Changes.Contains(lcPending));
  f.Panel->ValuesChanged();
  EXPECT_EQ(f.Take(), "apply[Ann];");
}

TEST(FieldEditors, RecordSettingsReachTheExistingEditorsAndComments) {
  EditorsOnForm f;
  TFieldRecord* age = f.Record("AGE");
  age->SetAlignment(taRightJustify);
  age->SetDirectInput(false);
  for (int slot : {0, 1}) {
    auto* e = static_cast<TFieldRecordEdit*>(f.Editor("AGE", slot));
    EXPECT_EQ(e->GetAlignment(), taRightJustify);
    EXPECT_FALSE(e->GetDirectInput());
  }
  age->SetCommentVisible(true);
  age->SetCommentText(1, "years");
  EXPECT_EQ(static_cast<TLabel*>(age->CommentLabels[1])->GetCaption(), "years");
  // The panel's own values reach the editors, and ClearValues empties them.
  age->SetAsInteger(0, 20);
  f.Record("NAME")->SetAsString(0, "B");
  EXPECT_EQ(f.Editor("AGE")->GetText(), "20");
  EXPECT_FALSE(f.Editor("AGE")->GetModified());
  f.Take();
  f.Panel->ClearValues();
  EXPECT_EQ(f.Editor("AGE")->GetText(), "");
  EXPECT_EQ(f.Editor("NAME")->GetText(), "");
  EXPECT_EQ(f.Take(), "change NAME.0=;change AGE.0=;apply[Ann,Bob,Bea,Carl,Bert];");
}

TEST(FieldEditors, FocusingThePanelFocusesTheFirstVisibleRecordsEditor) {
  EditorsOnForm f;
  f.Play("focus FilterPanel1");
  EXPECT_TRUE(f.Editor("NAME")->Focused());
  f.Play("click Other");
  f.Record("NAME")->SetVisible(false);
  f.Panel->SetFocus();
  EXPECT_TRUE(f.Editor("AGE")->Focused());
  EXPECT_FALSE(f.Panel->Focused());
}

// ---- The lookup editor ----

struct OrdersOnForm : EditorsOnForm {
  OrdersOnForm() {
    Customers = NewDataSet(Form.get(), {{"CUSTNO", ftInteger}, {"COMPANY", ftString, 30}},
                           {{101, "Alfreds Futterkiste"},
                            {102, "Ana Trujillo"},
                            {103, "Antonio Moreno"},
                            {104, "Blauer See"}});
    CustomerSource = new TDataSource(Form.get());
    CustomerSource->SetDataSet(Customers);
    Orders = NewDataSet(Form.get(), {{"ORDERNO", ftInteger}, {"CUSTNO", ftInteger}},
                        {{1, 102}, {2, 101}, {3, 102}, {4, 104}});
    Panel->BeginPaint();
    Source->SetDataSet(Orders);
    Panel->GetFields()->Clear();
    Customer = Panel->GetFields()->Add();
    Customer->SetFieldName("CUSTNO");
    Customer->SetButtonStyle(rbsLookup);
    Customer->SetCount(coOne);
    Customer->SetListSource(CustomerSource);
    Customer->SetKeyField("CUSTNO");
    Customer->SetListField("COMPANY");
    Panel->EndPaint();
    Lookup = dynamic_cast<TFieldRecordLookup*>(Customer->Editors[0]);
    Take();
  }
  TClientDataSet* Customers;
  TDataSource* CustomerSource;
  TClientDataSet* Orders;
  TFieldRecord* Customer;
  TFieldRecordLookup* Lookup;
};

TEST(FieldEditors, ALookupEditorChoosesByNameAndTheRecordHoldsTheKey) {
  OrdersOnForm f;
  ASSERT_NE(f.Lookup, nullptr);
  EXPECT_TRUE(f.Lookup->KeyMode());
  EXPECT_EQ(f.Lookup->GetListFieldName(), "COMPANY");
  f.Host.Click(f.Lookup, TPoint{4, 4});
  f.Play("type an");
  EXPECT_EQ(f.Lookup->GetText(), "Ana Trujillo");
  EXPECT_EQ(f.Customer->GetAsVariant(0).Type(), varInteger);
  EXPECT_EQ(f.Customer->GetAsInteger(0), 102);
  EXPECT_EQ(f.Take(),
            "enter CUSTNO.0;press CUSTNO.0 a;apply[2];change CUSTNO.0=Alfreds Futterkiste;"
            "press CUSTNO.0 n;apply[1,3];change CUSTNO.0=Ana Trujillo;");
  // A value written by the program shows its name; Null empties the text.
  f.Customer->SetAsInteger(0, 104);
  EXPECT_EQ(f.Lookup->GetText(), "Blauer See");
  f.Customer->Clear(0);
  EXPECT_EQ(f.Lookup->GetText(), "");
  EXPECT_TRUE(f.Lookup->GetKeyValue().IsNull());
  EXPECT_EQ(f.Take(), "change CUSTNO.0=Blauer See;apply[4];change CUSTNO.0=;apply[1,2,3,4];");
  // The lookup settings reach the editor; a list field that is the record's
  // own field makes a text editor.
  f.Customer->SetListField("CUSTNO");
  EXPECT_EQ(f.Lookup->GetListFieldName(), "CUSTNO");
  EXPECT_TRUE(f.Lookup->KeyMode());  // the list dataset's CUSTNO, not the orders'
  f.Customer->SetListSource(f.Source);
  EXPECT_FALSE(f.Lookup->KeyMode());
}

// ---- The accessor ----

TEST(EditAccessor, ReachesRecordAndValueOfEveryEditorClassAndFallsBackForOthers) {
  OrdersOnForm f;
  TFieldRecord* city = f.Panel->GetFields()->Add();
  city->SetFieldName("ORDERNO");
  city->SetButtonStyle(rbsPickList);
  TFieldRecord* plain = f.Panel->GetFields()->Add();
  plain->SetFieldName("ORDERNO");
  struct Case {
    TFieldRecord* record;
    const char* cls;
    Variant shown;
    std::string text;
  };
  for (const Case& c :
       {Case{plain, "TFieldRecordEdit", Variant(3), "3"},
        Case{city, "TFieldRecordComboBox", Variant(2), "2"},
        Case{f.Customer, "TFieldRecordLookup", Variant(101), "Alfreds Futterkiste"}}) {
    SCOPED_TRACE(c.cls);
    TComponent* editor = c.record->Editors[0];
    ASSERT_EQ(editor->ClassName(), c.cls);
    TQXEdit* a = EditAccessor(editor);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetFieldRecord(), c.record);
    a->SetValue(c.shown);
    EXPECT_EQ(EditAccessor(editor)->Control->GetText(), c.text);
    EXPECT_EQ(VarToStr(EditAccessor(editor)->GetValue(true)), VarToStr(c.shown));
    EXPECT_EQ(VarToStr(c.record->GetAsVariant(0)), VarToStr(c.shown));  // typed in through OnChange
    // Without a record the editor is detached, disabled and hidden.
    a = EditAccessor(editor);
    a->SetFieldRecord(nullptr);
    a->ApplySettings();
    auto* e = static_cast<TCustomQXMaskEdit*>(editor);
    EXPECT_FALSE(e->OnChange || e->OnExit || e->OnKeyPress || e->OnMouseDown || e->OnButtonClick);
    EXPECT_FALSE(e->GetEnabled() || e->GetVisible());
    EXPECT_TRUE(EditAccessor(editor)->GetValue(false).IsNull());
  }
  // Non-integer text in the plain editor: the record's value quietly, the
  // conversion error strictly.
  f.Panel->WndChanged();
  TQXEdit* a = EditAccessor(plain->Editors[0]);
  EXPECT_EQ(a->GetFieldRecord(), plain);
  a->Control->TCustomMaskEdit::SetText("3x");
  EXPECT_EQ(EditAccessor(plain->Editors[0])->GetValue(false).AsInteger(), 3);
  EXPECT_THROW(EditAccessor(plain->Editors[0])->GetValue(true), EConvertError);
  // A stand-alone mask edit has an accessor with the fallbacks; other controls none.
  TQXMaskEdit alone(nullptr);
  alone.SetText("12");
  a = EditAccessor(&alone);
  ASSERT_NE(a, nullptr);
  a->SetFieldRecord(plain);
  EXPECT_EQ(a->GetFieldRecord(), nullptr);
  EXPECT_TRUE(a->GetValue(true).IsNull());
  a->SetValue(Variant(5));
  a->ApplySettings();
  EXPECT_EQ(alone.GetText(), "12");
  EXPECT_TRUE(alone.GetVisible());
  TEdit plainEdit(nullptr);
  EXPECT_EQ(EditAccessor(&plainEdit), nullptr);
  EXPECT_EQ(EditAccessor(nullptr), nullptr);
}

TEST(EditAccessor, AnEditorDestroyedAsItsFormsActiveControlLeavesNoneBehind) {
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    TCustomQXMaskEdit* edit = nullptr;
    if (kind == 0) edit = new TFieldRecordEdit(&form);
    if (kind == 1) edit = new TFieldRecordLookup(&form);
    if (kind == 2) edit = new TFieldRecordComboBox(&form);
    edit->SetParent(&form);
    form.Show();
    edit->SetFocus();
    ASSERT_EQ(form.GetActiveControl(), edit);
    TObject::Free(edit);
    EXPECT_EQ(form.GetActiveControl(), nullptr);
    form.Hide();
  }
}

}  // namespace
}  // namespace tabulon::test

namespace tabulon::test {
namespace {

// A panel with one editor of each class, as the form shows it. With
// TABULON_LAYOUT_PICTURES set to the source tree the picture is written to
// docs/pictures/ under FreeType metrics.
TEST(FieldEditorsPicture, OneEditorOfEachClass) {
  OrdersOnForm f;
  f.Panel->BeginPaint();
  f.Panel->SetAutoSize(false);
  f.Panel->SetBounds(8, 8, 400, 100);
  TFieldRecord* order = f.Panel->GetFields()->Add();
  order->SetFieldName("ORDERNO");
  order->SetCount(coOne);
  order->SetButtonStyle(rbsEllipsis);
  TFieldRecord* pick = f.Panel->GetFields()->Add();
  pick->SetFieldName("ORDERNO");
  pick->SetDisplayLabel("Order (list)");
  pick->SetCount(coOne);
  pick->SetButtonStyle(rbsPickList);
  pick->GetPickList()->SetText("1\n2\n3\n4\n");
  f.Panel->EndPaint();
  f.Customer->SetAsInteger(0, 102);
  order->SetAsInteger(0, 3);
  pick->SetAsInteger(0, 1);
  std::vector<std::string> classes;
  for (TFieldRecord* r : {f.Customer, order, pick}) classes.push_back(r->Editors[0]->ClassName());
  EXPECT_EQ(classes, (std::vector<std::string>{"TFieldRecordLookup", "TFieldRecordEdit",
                                               "TFieldRecordComboBox"}));
  EXPECT_EQ(f.Lookup->GetText(), "Ana Trujillo");
  if (const char* root = std::getenv("TABULON_LAYOUT_PICTURES")) {
    TTextMetricsScope real(std::make_unique<TFreeTypeTextMetrics>(FindFontDirectory()));
    f.Panel->WndChanged();
    auto picture = std::make_unique<TBitmap>(f.Panel->GetWidth(), f.Panel->GetHeight());
    f.Panel->PaintTo(picture->Canvas(), 0, 0);
    picture->SaveToPNGFile(std::string(root) + "/docs/pictures/panel-editors.png");
  }
}

}  // namespace
}  // namespace tabulon::test
