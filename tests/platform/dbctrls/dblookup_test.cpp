// The lookup list box over a client dataset of numbered people, with exact
// text metrics: field resolution and its errors, the rows shown around the
// current record, the selected row following KeyValue, keyboard stepping,
// clicks, columns of several list fields, read-only, and a paint reading
// only the visible rows of a large dataset.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/db/db_error.h"
#include "platform/db/field.h"
#include "platform/dbctrls/dblookup.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/textmetrics.h"
#include "platform/host/host.h"
#include "platform/host/script.h"
#include "tests/platform/dbctrls/people.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;
using testing::People;

// Runs a script at once on the active (not modal) form.
void Play(THost& host, std::string_view script) {
  for (const TScriptStep& step : ParseScript(script)) host.Execute(step);
}

class LookupList : public ::testing::Test {
 protected:
  TTextMetricsScope metrics{std::make_unique<TFixedTextMetrics>()};
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TClientDataSet* ds = nullptr;
  TDataSource* src = nullptr;
  TDBLookupListBox* list = nullptr;
  std::string clicks;

  void Make(int count) {
    form->SetName("fmList");
    form->SetBounds(50, 50, 400, 300);
    ds = People(form.get(), count);
    src = new TDataSource(form.get());
    src->SetDataSet(ds);
    list = new TDBLookupListBox(form.get());
    list->SetName("lbPeople");
    list->SetParent(form.get());
    list->SetRowCount(4);
    list->SetListSource(src);
    list->SetKeyFieldName("ID");
    list->SetListFieldName("NAME");
    list->OnClick = [this](TObject*) { clicks += Key() + ";"; };
    form->Show();
  }
  std::string Key() const {
    return list->GetKeyValue().IsNull() ? "Null" : VarToStr(list->GetKeyValue());
  }
  // The rows shown, the selected one in brackets.
  std::string Rows() {
    std::string out;
    const auto& fields = list->GetListFields();
    for (int r = 0; r < list->GetRowsShown(); ++r) {
      std::string cells;
      for (int c = 0; c < static_cast<int>(fields.size()); ++c)
        cells += (c ? "|" : "") + list->GetCellText(r, c);
      out += r == list->GetSelectedRow() ? "[" + cells + "] " : cells + " ";
    }
    return out;
  }
};

TEST_F(LookupList, RowsFollowTheKeyValue) {
  Make(10);
  EXPECT_TRUE(list->GetListActive());
  EXPECT_EQ(list->GetListField()->GetFieldName(), "NAME");
  EXPECT_EQ(Rows(), "Name1 Name2 Name3 Name4 ");  // Null selects no row
  list->SetKeyValue(Variant(3));
  EXPECT_EQ(Rows(), "Name1 Name2 [Name3] Name4 ");
  list->SetKeyValue(Variant(9));
  EXPECT_EQ(Rows(), "Name6 Name7 Name8 [Name9] ");
  list->SetKeyValue(Variant(42));  // no such key: no row selected
  EXPECT_EQ(list->GetSelectedRow(), -1);
  EXPECT_EQ(clicks, "");  // the program's key raises no click
}

TEST_F(LookupList, KeysAndClicksChooseRecords) {
  Make(10);
  list->SetFocus();
  THost host;
  Play(host, "key Down");  // KeyValue Null: the first record
  EXPECT_EQ(Key(), "1");
  Play(host, "key Down\nkey Down\nkey Down\nkey Down");
  EXPECT_EQ(Rows(), "Name2 Name3 Name4 [Name5] ");
  Play(host, "key End");
  EXPECT_EQ(Rows(), "Name7 Name8 Name9 [Name10] ");
  Play(host, "key PageUp\nkey Up");
  EXPECT_EQ(Key(), "6");
  Play(host, "choose lbPeople Name9");
  EXPECT_EQ(Key(), "9");
  Play(host, "key Home");
  EXPECT_EQ(Rows(), "[Name1] Name2 Name3 Name4 ");
  EXPECT_EQ(clicks, "1;2;3;4;5;10;7;6;9;1;");
  list->SetReadOnly(true);
  Play(host, "key Down\nchoose lbPeople 2");
  EXPECT_EQ(Key(), "1");
}

TEST_F(LookupList, SeveralListFieldsAreColumns) {
  Make(3);
  list->SetListFieldName("ID;NAME");
  list->SetListFieldIndex(1);
  list->SetKeyValue(Variant(2));
  EXPECT_EQ(list->GetListField()->GetFieldName(), "NAME");
  EXPECT_EQ(Rows(), "1|Name1 [2|Name2] 3|Name3 ");
  // The first column is 4 characters of 6 pixels plus 4: a line at x 27.
  TBitmap bmp(list->GetWidth(), list->GetHeight());
  TCanvas canvas(&bmp);
  list->PaintTo(canvas, 0, 0);
  const int b = 2;  // the single 3-D border
  const int y = b + list->RowRect(0).Top + 1;
  EXPECT_EQ(bmp.GetPixel(b + 27, y), ColorToRGB(clBtnFace));
  EXPECT_NE(bmp.GetPixel(b + 28, y), ColorToRGB(clBtnFace));
}

TEST_F(LookupList, FieldErrorsNameTheControl) {
  Make(3);
  ExpectThrow<EDatabaseError>([&] { list->SetKeyFieldName("NOPE"); },
                              "lbPeople: Field 'NOPE' not found");
  EXPECT_FALSE(list->GetListActive());
  ExpectThrow<EDatabaseError>([&] { GetFieldProperty(ds, form.get(), "MISSING"); },
                              "fmList: Field 'MISSING' not found");
  EXPECT_EQ(GetFieldProperty(ds, list, "NAME"), ds->FieldByName("NAME"));
}

TEST_F(LookupList, APaintReadsOnlyTheVisibleRows) {
  Make(20000);
  list->SetKeyValue(Variant(12345));
  TBitmap bmp(list->GetWidth(), list->GetHeight());
  TCanvas canvas(&bmp);
  list->PaintTo(canvas, 0, 0);
  EXPECT_EQ(list->GetPaintReads(), 4);
  EXPECT_EQ(Rows(), "Name12342 Name12343 Name12344 [Name12345] ");
}

TEST(PopupDataList, IsATopLevelWindowThatNeverTakesTheFocus) {
  TForm form(nullptr);
  auto* popup = new TPopupDataList(&form);
  EXPECT_FALSE(popup->CanFocus());
  EXPECT_EQ(popup->GetParent(), nullptr);
  EXPECT_FALSE(popup->GetVisible());
}

}  // namespace
}  // namespace tabulon
