#include "tests/run/editors_fixture.h"

#include "platform/core/class_builder.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "tests/run/test_util.h"

namespace tabulon::test {

namespace {
std::string Where(TFieldRecord* r, int slot) {
  return r->GetFieldName() + "." + std::to_string(slot);
}
}  // namespace

void TTracedFilterPanel::UpdateDataSet() {
  inherited::UpdateDataSet();
  TDataSet* ds = GetDataLink()->GetDataSet();
  if (Trace && ds && ds->GetActive()) *Trace += "apply[" + Column(ds) + "];";
}

TBN_REGISTER(TTracedFilterPanel) {}

EditorsOnForm::EditorsOnForm() {
  Form = std::make_unique<TForm>(nullptr);
  Form->SetName("fmPeople");
  Form->SetBounds(0, 0, 520, 240);
  People =
      NewDataSet(Form.get(), {{"NAME", ftString, 20}, {"AGE", ftInteger}, {"CITY", ftString, 20}},
                 {{"Ann", 5, "Berlin"},
                  {"Bob", 12, "Paris"},
                  {"Bea", 31, "Berlin"},
                  {"Carl", 45, "Rome"},
                  {"Bert", 120, "Paris"}});
  People->SetName("People");
  Source = new TDataSource(Form.get());
  Source->SetName("PeopleSource");
  Source->SetDataSet(People);
  Panel = new TTracedFilterPanel(Form.get());
  Panel->SetName("FilterPanel1");
  Panel->SetParent(Form.get());
  Panel->SetBounds(8, 8, 400, 120);
  Panel->BeginPaint();
  Panel->GetFields()->SetDefaultFields(false);
  Panel->SetDataSource(Source);
  TFieldRecord* name = Panel->GetFields()->Add();
  name->SetFieldName("NAME");
  name->SetCompare(ctInitial);
  TFieldRecord* age = Panel->GetFields()->Add();
  age->SetFieldName("AGE");
  age->SetCount(coTwo);
  TFieldRecord* city = Panel->GetFields()->Add();
  city->SetFieldName("CITY");
  city->SetButtonStyle(rbsPickList);
  city->GetPickList()->SetText("Berlin\nParis\nRome\n");
  Panel->SetFiltered(true);
  Panel->EndPaint();
  Other = new TButton(Form.get());
  Other->SetName("Other");
  Other->SetParent(Form.get());
  Other->SetBounds(420, 8, 80, 25);
  Panel->Trace = &Trace;
  auto at = [](TFieldRecord* r, int n) { return Where(r, n); };
  Panel->OnEditEnter = [this, at](TFieldRecord* r, int n) { Trace += "enter " + at(r, n) + ";"; };
  Panel->OnEditExit = [this, at](TFieldRecord* r, int n) { Trace += "exit " + at(r, n) + ";"; };
  Panel->OnEditChange = [this, at](TFieldRecord* r, int n) {
    Trace += "change " + at(r, n) + "=" +
             static_cast<TCustomQXMaskEdit*>(r->Editors[n])->GetText() + ";";
  };
  Panel->OnEditKeyPress = [this, at](TFieldRecord* r, char32_t& key, int n) {
    Trace += "press " + at(r, n) + " " +
             (key < 32 ? "#" + std::to_string(key) : std::string(1, static_cast<char>(key))) + ";";
  };
  Form->Show();
  Other->SetFocus();
  Trace.clear();
}

EditorsOnForm::~EditorsOnForm() {
  Panel->Trace = nullptr;
  Form->Hide();
}

void EditorsOnForm::Play(std::string_view script) { test::Play(Host, script); }

TCustomQXMaskEdit* EditorsOnForm::Editor(const std::string& field, int slot) const {
  return dynamic_cast<TCustomQXMaskEdit*>(Record(field)->Editors[slot]);
}

void EditorsOnForm::ClickInto(const std::string& field, int slot) {
  Host.Click(Editor(field, slot), TPoint{4, 4});
}

std::string EditorsOnForm::Shown() const { return Column(People); }

}  // namespace tabulon::test
