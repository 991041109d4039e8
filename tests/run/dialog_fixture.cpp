// The dialog tests' dataset, dialogs and showing helper.
#include <gtest/gtest.h>

#include "platform/core/class_builder.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "tests/run/dialog_fixture.h"

namespace tabulon::test {

namespace {
TCustomForm* PlainSetupForm(TComponent* owner) {
  auto* form = new TForm(owner);
  form->SetName("fmSetupProbe");
  return form;
}
}  // namespace

TCustomForm* TProbeFindDialog::CreateSetupForm() {
  ++SetupShown;
  return PlainSetupForm(this);
}
TCustomForm* TProbeFilterDialog::CreateSetupForm() { return PlainSetupForm(this); }

TBN_REGISTER(TProbeFindDialog) {}
TBN_REGISTER(TProbeFilterDialog) {}

DialogTest::DialogTest() : host(std::make_unique<THost>()) {
  people = NewDataSet(&owner, {{"ID", ftInteger}, {"NAME", ftString, 20}});
  int id = 0;
  for (const char* name : {"Ann", "Bob", "Bea", "Carl", "Bert", "Dan"})
    people->AppendRecord({++id, name});
  people->First();
  source = new TDataSource(&owner);
  source->SetDataSet(people);
}

DialogTest::~DialogTest() = default;

void DialogTest::Bind(TFieldsSet* dialog) {
  dialog->GetFields()->SetDefaultFields(false);
  dialog->SetDataSource(source);
  TFieldRecord* name = dialog->GetFields()->Add();
  name->SetFieldName("NAME");
  name->SetCompare(ctInitial);
  bound = dialog;
}

std::function<void(TCustomForm&)> DialogTest::Type(const char* text) {
  return [this, text](TCustomForm&) { bound->FieldByName("NAME")->SetAsString(0, text); };
}

bool DialogTest::Show(TFieldsSet* dialog, const std::function<void(TCustomForm&)>& inForm,
                      const std::string& script) {
  if (inForm) host->OnNextModal(inForm);
  host->Run(script);
  return dialog->Execute();
}

int DialogTest::Id() const {
  return people->IsEmpty() ? 0 : people->FieldByName("ID")->GetAsInteger();
}

std::string DialogTest::Ids() const {
  if (people->IsEmpty()) return "";
  TBookmark mark = people->GetBookmark();
  std::string out = Column(people, "ID");
  people->GotoBookmark(mark);
  return out;
}

std::string DialogTest::Name(TFieldsSet* dialog) {
  TFieldRecord* r = dialog->FieldByName("NAME");
  return r->IsNull(0) ? "" : r->GetAsString(0);
}

}  // namespace tabulon::test
