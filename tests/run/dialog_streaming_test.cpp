// Dialogs in form files: their own settings, the panel's settings and
// records, the entered values and the editor events survive a round trip,
// and what equals its default is not written. The package's forms read
// from their resources with every published field bound.
#include <gtest/gtest.h>

#include "platform/core/class_builder.h"
#include "platform/streaming/formres.h"
#include "tests/run/dialog_fixture.h"
#include "tests/run/panel_fixture.h"

namespace tabulon::test {
namespace {

TEST(DialogFormFile, SettingsRecordsValuesAndEventsRoundTrip) {
  FormPtr form(new TEditEventsForm(nullptr));
  form->SetName("Form1");
  auto* dialog = new TDBFindDialog(form.get());
  dialog->SetName("FindDialog1");
  // Nothing of a new dialog differs from its defaults.
  EXPECT_NE(ComponentToText(form.get()).find("  object FindDialog1: TDBFindDialog\n  end\n"),
            std::string::npos);

  dialog->GetFields()->SetDefaultFields(false);
  dialog->GetFields()->Add()->SetFieldName("NAME");
  dialog->FieldByName("NAME")->SetAsString(0, "Bo");
  dialog->SetTitle("Look up");
  dialog->SetVertMargin(80);
  dialog->SetOptions({soClear, soHelp});
  dialog->SetFindOptions(foNormal);
  dialog->SetShowBox(false);
  dialog->GetMessages()->SetRecordNotFound("Nobody");
  dialog->GetPanel()->OnEditChange =
      TEditEvent(static_cast<TEditEventsForm*>(form.get()), &TEditEventsForm::PanelEditChange);
  const std::string text = ComponentToText(form.get());
  for (const char* present :
       {"Title = 'Look up'", "VertMargin = 80", "Options = [soClear, soHelp]",
        "FindOptions = foNormal", "ShowBox = False", "Messages.RecordNotFound = 'Nobody'",
        "FieldName = 'NAME'", "Values = (", "OnEditChange = PanelEditChange"})
    EXPECT_NE(text.find(present), std::string::npos) << present << "\n" << text;
  for (const char* absent : {"HorzMargin", "Icon", "AutoSaveValues", "ChangeCursor"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << "\n" << text;

  FormPtr back(ReadFormData(text, nullptr));
  auto* read = dynamic_cast<TDBFindDialog*>(back->FindComponent("FindDialog1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->FieldByName("NAME")->GetAsString(0), "Bo");
  EXPECT_EQ(read->GetOptions(), (TStateOptions{soClear, soHelp}));
  EXPECT_TRUE(read->GetPanel()->OnEditChange);
  EXPECT_EQ(ComponentToText(back.get()), text);
}

TEST(DialogFormFile, TheFormsReadFromTheirResourcesWithEveryFieldBound) {
  FormPtr find(CreateForm<TfmFind>(nullptr));
  FormPtr filter(CreateForm<TfmFilter>(nullptr));
  auto* fm = static_cast<TfmFind*>(find.get());
  auto* fl = static_cast<TfmFilter*>(filter.get());
  for (TObject* c : std::initializer_list<TObject*>{
           fm->paTop, fm->bbClear, fm->bbSetup, fm->paBottom, fm->bbOk, fm->bbNext, fm->bbCancel,
           fm->bbHelp, fl->paFiltered, fl->cbFiltered})
    EXPECT_NE(c, nullptr);
  EXPECT_EQ(fm->GetCaption(), "Find");
  EXPECT_EQ(fl->GetCaption(), "Filter");
  EXPECT_EQ(fl->cbFiltered->GetCaption(), "Filtered");
  EXPECT_EQ(fl->paSetup->GetWidth(), 110);
  // Without a dialog component as owner the form does nothing of its own.
  EXPECT_EQ(fm->GetResourceCaption(), "Find");
  EXPECT_FALSE(fm->GetShowing());
  EXPECT_TRUE(fm->bbOk->GetDefault());
  EXPECT_TRUE(fm->bbCancel->GetCancel());
  EXPECT_FALSE(fm->bbNext->GetCancel());
}

}  // namespace
}  // namespace tabulon::test
