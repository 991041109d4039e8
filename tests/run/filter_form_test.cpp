// The filter panel in form files: a panel with records, options, Filtered
// on and the application's filter bound to a form method survives a round
// trip; read together with a SQLite table it filters the table once values
// arrive, and switching the table off and on again from the form follows.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/controls/panel.h"
#include "platform/core/class_builder.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "platform/streaming/formres.h"
#include "platform/streaming/streams.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {

/// A form stand-in with a published filter method.
class TFilterForm : public TPanel {
  TBN_CLASS(TFilterForm, TPanel)
 public:
  using TPanel::TPanel;
  void HideBob(TDataSet* ds, bool& accept) {
    accept = ds->FieldByName("NAME")->GetAsString() != "Bob";
  }
};
TBN_REGISTER(TFilterForm) { b.Method("HideBob", &TFilterForm::HideBob); }

namespace {

std::string Names(TDataSet* ds) { return Column(ds, "NAME"); }

TEST(FilterPanelFormFile, RecordsOptionsFilteredAndTheApplicationFilterRoundTrip) {
  FormPtr form(new TFilterForm(nullptr));
  form->SetName("FilterForm");
  auto* source = new TDataSource(form.get());
  source->SetName("Source1");
  auto* panel = new TDBFilterPanel(form.get());
  panel->SetName("FilterPanel1");
  panel->SetParent(static_cast<TFilterForm*>(form.get()));
  panel->SetDataSource(source);
  panel->GetFields()->SetDefaultFields(false);
  TFieldRecord* name = panel->GetFields()->Add();
  name->SetFieldName("NAME");
  name->SetCompare(ctInternal);
  TFieldRecord* age = panel->GetFields()->Add();
  age->SetFieldName("AGE");
  age->SetCount(coTwo);
  panel->GetCompareOptions()->SetCompare(5, ctInternal);
  panel->SetFiltered(true);
  panel->OnFilterRecord =
      TFilterRecordEvent(static_cast<TFilterForm*>(form.get()), &TFilterForm::HideBob);

  const std::string text = ComponentToText(form.get());
  for (const char* present :
       {"object FilterPanel1: TDBFilterPanel", "DataSource = Source1", "FieldName = 'NAME'",
        "Compare = ctInternal", "Count = coTwo", "CompareOptions.StringCompare = ctInternal",
        "Filtered = True", "OnFilterRecord = HideBob"})
    EXPECT_NE(text.find(present), std::string::npos) << present << "\n" << text;
  // OnResize is the last of the common set; the filter's two follow it.
  EXPECT_LT(text.find("CompareOptions"), text.find("Filtered = True")) << text;

  FormPtr back(ReadFormData(text, nullptr));
  auto* bp = dynamic_cast<TDBFilterPanel*>(back->FindComponent("FilterPanel1"));
  ASSERT_NE(bp, nullptr);
  EXPECT_TRUE(bp->GetFiltered());
  EXPECT_TRUE(bp->OnFilterRecord);
  EXPECT_EQ(bp->GetFields()->Count(), 2);
  EXPECT_EQ(ComponentToText(back.get()), text);
  // Binary and back gives the same text.
  TMemoryStream binary;
  FormDataToBinary(text, binary);
  FormPtr again(ReadFormData(
      std::string_view(binary.Memory(), static_cast<size_t>(binary.GetSize())), nullptr));
  EXPECT_EQ(ComponentToText(again.get()), text);
}

TEST(FilterPanelFormFile, ReadWithASQLiteTableTheFilterHoldsAndFollowsValues) {
  const std::string path = testing::TempDir() + "tabulon_filter_form.db";
  std::remove(path.c_str());
  {
    TSQLiteConnection db(nullptr);
    db.SetFileName(path);
    db.SetCreateIfMissing(true);
    db.ExecSQL("CREATE TABLE PEOPLE (NAME VARCHAR(20), AGE INTEGER)");
    for (auto [n, a] : std::vector<std::pair<const char*, int>>{
             {"Ann", 31}, {"Bob", 45}, {"Bea", 38}, {"Carl", 29}, {"Bert", 52}})
      db.ExecSQL("INSERT INTO PEOPLE VALUES (?, ?)", {Variant(n), Variant(a)});
  }
  const std::string text = R"(object FilterForm: TFilterForm
  Width = 400
  Height = 300
  object Db: TSQLiteConnection
    FileName = ')" + path + R"('
  end
  object People: TTable
    Connection = Db
    TableName = 'PEOPLE'
    Active = True
  end
  object PeopleSource: TDataSource
    DataSet = People
  end
  object FilterPanel1: TDBFilterPanel
    Width = 300
    Height = 100
    DataSource = PeopleSource
    Fields = <
      item
        FieldName = 'NAME'
        Compare = ctInitial
      end
      item
        FieldName = 'AGE'
        Count = coTwo
      end>
    Filtered = True
    OnFilterRecord = HideBob
  end
end
)";
  FormPtr form(ReadFormData(text, nullptr));
  auto* panel = dynamic_cast<TDBFilterPanel*>(form->FindComponent("FilterPanel1"));
  auto* people = dynamic_cast<TDataSet*>(form->FindComponent("People"));
  ASSERT_TRUE(panel && people);
  // No values yet: the application's filter alone.
  EXPECT_TRUE(panel->GetFiltered());
  EXPECT_TRUE(people->GetFiltered());
  EXPECT_EQ(Names(people), "Ann,Bea,Carl,Bert");
  panel->FieldByName("NAME")->SetAsString(0, "B");
  EXPECT_EQ(Names(people), "Bea,Bert");
  panel->FieldByName("AGE")->SetAsString(1, "40");
  EXPECT_EQ(Names(people), "Bea");
  // Closing and reopening the table keeps the panel's filter in force.
  people->Close();
  people->Open();
  EXPECT_TRUE(panel->GetFiltered());
  EXPECT_EQ(Names(people), "Bea");
  people->SetFiltered(false);
  EXPECT_FALSE(panel->GetFiltered());
  EXPECT_EQ(Names(people), "Ann,Bob,Bea,Carl,Bert");
  form.reset();
  std::remove(path.c_str());
}

}  // namespace
}  // namespace tabulon::test
