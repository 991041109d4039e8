// The data grid in form files and under the scripted host: a form file
// with a client dataset, a data source and a grid reads into a working
// grid and writes back the same text; scripts click rows and choose them by
// number.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/props.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/dbctrls/dbgrid.h"
#include "platform/forms/form.h"
#include "platform/graphics/textmetrics.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

// A CSV data file of `count` numbered people; removed on destruction.
struct PeopleFile {
  explicit PeopleFile(int count) {
    std::ofstream out(path);
    out << "ID,NAME\n";
    for (int i = 1; i <= count; ++i) out << i << ",Person " << i << "\n";
  }
  ~PeopleFile() { std::remove(path.c_str()); }
  std::string path = ::testing::TempDir() + "tabulon_grid_people.csv";
};

// The form as the writer puts it: non-visual components first, then controls.
std::string FormText(const std::string& csv) {
  std::string text = R"(object fmPeople: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  object cdsPeople: TClientDataSet
    Active = True
    FileName = 'CSV'
  end
  object dsPeople: TDataSource
    DataSet = cdsPeople
  end
  object dgPeople: TDBGrid
    Left = 8
    Top = 8
    Width = 200
    Height = 103
    Color = clWindow
    ParentColor = False
    TabOrder = 0
    DataSource = dsPeople
    Options = [dgTitles, dgIndicator, dgRowLines]
  end
end
)";
  return text.replace(text.find("CSV"), 3, csv);
}

struct Loaded {
  explicit Loaded(const std::string& text) {
    form.reset(dynamic_cast<TForm*>(ReadFormData(text, nullptr)));
    grid = dynamic_cast<TDBGrid*>(form->FindComponent("dgPeople"));
    ds = dynamic_cast<TDataSet*>(form->FindComponent("cdsPeople"));
  }
  std::unique_ptr<TForm> form;
  TDBGrid* grid = nullptr;
  TDataSet* ds = nullptr;
};

TEST(GridFormFile, ReadsIntoAWorkingGridAndWritesTheSameText) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  PeopleFile file(40);
  std::string text = FormText(file.path);
  Loaded f(text);
  ASSERT_NE(f.grid, nullptr);
  EXPECT_EQ(f.grid->GetOptions(), (TDBGridOptions{dgTitles, dgIndicator, dgRowLines}));
  ASSERT_EQ(f.grid->GetColumnCount(), 2);
  EXPECT_EQ(f.grid->GetColumnField(1)->GetFieldName(), "NAME");
  EXPECT_EQ(f.grid->GetRowCount(), 5);
  EXPECT_EQ(f.grid->GetCellText(4, 1), "Person 5");
  // The dataset writes the field definitions it read from its file, the
  // rest comes back as it was.
  std::string defs =
      "    FieldDefs = <\n      item\n        Name = 'ID'\n        DataType = ftInteger\n      "
      "end\n"
      "      item\n        Name = 'NAME'\n        DataType = ftString\n        Size = 9\n      "
      "end>\n";
  std::string want = text;
  want.insert(want.find("    FileName"), defs);
  EXPECT_EQ(ComponentToText(f.form.get()), want);
  // The class and its published properties are found by name.
  ASSERT_NE(FindClass("TDBGrid"), nullptr);
  for (const char* prop : {"DataSource", "Options", "Align", "Font", "Color", "TabStop", "OnClick"})
    EXPECT_NE(GetPropInfo(f.grid, prop), nullptr) << prop;
}

TEST(GridScript, ClicksRowsAndChoosesThemByNumber) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  PeopleFile file(40);
  Loaded f(FormText(file.path));
  std::string trace;
  f.ds->AfterScroll = [&](TDataSet* d) { trace += d->FieldByName("ID")->GetAsString() + " "; };
  THost host;
  host.Run(
      "click dgPeople 40 56\n"  // the third row
      "key Down\n"
      "choose dgPeople 22\n"  // the 23rd record (rows count from 0, as in list boxes)
      "key PageUp\n"
      "close\n");
  std::string shown;
  host.OnModalClosing = [&](TCustomForm&) { shown = DescribeControlValue(f.grid); };
  f.form->ShowModal();
  EXPECT_EQ(trace, "3 4 1 23 18 ");
  EXPECT_EQ(shown, "[18, Person 18]");
  EXPECT_EQ(f.grid->GetActiveRow(), 4);

  // A number past the last record, or a text, is refused with the script line.
  for (auto [script, message] : std::vector<std::pair<std::string, std::string>>{
           {"choose dgPeople 40\n", "Script line 1: 'dgPeople' has no item 40"},
           {"choose dgPeople \"Person 3\"\n",
            "Script line 1: rows of grid 'dgPeople' are chosen by number"}}) {
    host.Run(script);
    ExpectThrow<EComponentError>([&] { f.form->ShowModal(); }, message);
  }
}

}  // namespace
}  // namespace tabulon
