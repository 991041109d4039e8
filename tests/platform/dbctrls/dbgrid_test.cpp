// The data grid over a client dataset of numbered people, with exact text
// metrics (characters 6 pixels wide, rows 16 pixels high): columns, the rows
// of a filtered dataset, the current row kept in view through key presses
// and scroll-bar requests, clicks, and the records read per paint.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/db/field.h"
#include "platform/dbctrls/dbgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/mouse.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/textmetrics.h"
#include "tests/platform/dbctrls/people.h"

namespace tabulon {
namespace {

using testing::People;

// Request codes of WM_VSCROLL and WM_HSCROLL.
constexpr WPARAM kLineDown = 1, kPageDown = 3, kThumb = 4, kTop = 6, kBottom = 7;

class Grid : public ::testing::Test {
 protected:
  TTextMetricsScope metrics{std::make_unique<TFixedTextMetrics>()};
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TClientDataSet* ds = nullptr;
  TDataSource* src = nullptr;
  TDBGrid* grid = nullptr;

  // `count` people: ID, NAME "Name<id>", CITY one of four; a grid with five
  // data rows below its titles.
  void Make(int count, int width = 200, int height = 4 + 16 + 5 * 16 + 3) {
    form->SetBounds(50, 50, 400, 300);
    ds = People(form.get(), count);
    ds->FieldByName("CITY")->SetDisplayLabel("Town");
    src = new TDataSource(form.get());
    src->SetDataSet(ds);
    grid = new TDBGrid(form.get());
    grid->SetName("grid");
    grid->SetParent(form.get());
    grid->SetBounds(10, 10, width, height);
    grid->SetDataSource(src);
  }
  int Id() { return ds->FieldByName("ID")->GetAsInteger(); }
  // "row R top T cur C": the current record's row, the id in the first row
  // and the dataset's current id.
  std::string State() {
    return "row " + std::to_string(grid->GetActiveRow()) + " top " + grid->GetCellText(0, 0) +
           " cur " + std::to_string(Id());
  }
  // The ids of all rows shown.
  std::string Ids() {
    std::string s;
    for (int r = 0; r < grid->GetRowCount(); ++r) s += (r ? "," : "") + grid->GetCellText(r, 0);
    return s;
  }
  void Paint() {
    TBitmap bmp(grid->GetWidth(), grid->GetHeight());
    TCanvas canvas(&bmp);
    grid->PaintTo(canvas, 0, 0);
  }
};

TEST_F(Grid, ColumnsAreTheVisibleFieldsWithLabelsAndCharacterWidths) {
  Make(3);
  ASSERT_EQ(grid->GetColumnCount(), 3);
  EXPECT_EQ(grid->GetColumnField(2)->GetDisplayLabel(), "Town");
  // DisplayWidth characters of 6 pixels plus 4 of margins.
  EXPECT_EQ(grid->GetColumnWidth(0), 4 * 6 + 4);
  EXPECT_EQ(grid->GetColumnWidth(1), 10 * 6 + 4);
  EXPECT_EQ(grid->GetColumnWidth(2), 8 * 6 + 4);
  EXPECT_EQ(grid->GetRowHeight(), 16);
  EXPECT_EQ(grid->VisibleRowCount(), 5);
  EXPECT_EQ(grid->CellRect(0, 1), Rect(11 + 28, 16, 11 + 28 + 64, 32));
  // A field hidden, relabelled or widened changes the columns at once and
  // leaves the current record in its row.
  ds->Next();
  ds->FieldByName("NAME")->SetVisible(false);
  EXPECT_EQ(grid->GetActiveRow(), 1);
  ASSERT_EQ(grid->GetColumnCount(), 2);
  EXPECT_EQ(grid->GetColumnField(1)->GetFieldName(), "CITY");
  ds->FieldByName("ID")->SetDisplayWidth(1);
  EXPECT_EQ(grid->GetColumnWidth(0), 2 * 6 + 4);  // the title "ID" is wider than one character
  EXPECT_EQ(Ids(), "1,2,3");
  // Closing empties the grid; opening fills it again from the first record.
  ds->Close();
  EXPECT_EQ(grid->GetColumnCount(), 0);
  EXPECT_EQ(grid->GetRowCount(), 0);
  Paint();
  EXPECT_EQ(grid->GetPaintReads(), 0);
  ds->Open();
  EXPECT_EQ(Ids(), "1,2,3");
}

TEST_F(Grid, FilteredDatasetShowsOnlyItsPassingRecords) {
  Make(100);
  ds->SetRecNo(50);
  for (int i = 0; i < 2; ++i) grid->Perform(WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(State(), "row 2 top 46 cur 48");
  ds->SetOnFilterRecord([this](TDataSet*, bool& accept) { accept = Id() % 3 == 0; });
  ds->SetFiltered(true);
  // The current record passes and keeps its row.
  EXPECT_EQ(Ids(), "42,45,48,51,54");
  EXPECT_EQ(State(), "row 2 top 42 cur 48");
  // Two rejected records lie between neighbouring rows.
  EXPECT_EQ(grid->GetWindowVisited(), 4 * 3);
  ds->First();
  EXPECT_EQ(Ids(), "3,6,9,12,15");
  ds->Last();
  EXPECT_EQ(Ids(), "87,90,93,96,99");
  EXPECT_EQ(State(), "row 4 top 87 cur 99");
  // The thumb follows the place in the order (near its end now); with fewer
  // passing records than rows, all are in view and it fills the bar.
  const int track = grid->GetHeight() - 4 - 2 * 16;
  EXPECT_GT(grid->VertThumb().Top, 16 + track / 2);
  EXPECT_LT(grid->VertThumb().Height(), track);
  ds->SetOnFilterRecord([this](TDataSet*, bool& accept) { accept = Id() % 40 == 0; });
  ds->First();
  EXPECT_EQ(Ids(), "40,80");
  EXPECT_EQ(grid->VertThumb(), Rect(0, 16, 16, 16 + track));
  // A filter nothing passes leaves no rows; switching it off shows all again.
  ds->SetOnFilterRecord([](TDataSet*, bool& accept) { accept = false; });
  ds->First();
  EXPECT_EQ(grid->GetRowCount(), 0);
  EXPECT_EQ(grid->GetActiveRow(), -1);
  ds->SetFiltered(false);
  EXPECT_EQ(Ids(), "1,2,3,4,5");
}

TEST_F(Grid, KeysMoveTheDatasetAndKeepTheCurrentRowInView) {
  Make(100);
  form->Show();
  grid->SetFocus();
  struct Press {
    uint16_t key;
    TShiftState shift;
    const char* want;
  };
  const Press presses[] = {
      {VK_DOWN, {}, "row 1 top 1 cur 2"},
      {VK_DOWN, {}, "row 2 top 1 cur 3"},
      {VK_DOWN, {}, "row 3 top 1 cur 4"},
      {VK_DOWN, {}, "row 4 top 1 cur 5"},
      {VK_DOWN, {}, "row 4 top 2 cur 6"},  // the rows scroll under the last one
      {VK_UP, {}, "row 3 top 2 cur 5"},
      {VK_NEXT, {}, "row 3 top 7 cur 10"},  // a page keeps the row
      {VK_NEXT, {}, "row 3 top 12 cur 15"},
      {VK_PRIOR, {}, "row 3 top 7 cur 10"},
      {VK_PRIOR, {}, "row 3 top 2 cur 5"},
      {VK_PRIOR, {}, "row 0 top 1 cur 1"},  // short of a page at the start
      {VK_UP, {}, "row 0 top 1 cur 1"},
      {VK_END, {ssCtrl}, "row 4 top 96 cur 100"},
      {VK_DOWN, {}, "row 4 top 96 cur 100"},
      {VK_NEXT, {}, "row 4 top 96 cur 100"},
      {VK_UP, {}, "row 3 top 96 cur 99"},
      {VK_PRIOR, {}, "row 3 top 91 cur 94"},
      {VK_HOME, {ssCtrl}, "row 0 top 1 cur 1"},
      {VK_END, {}, "row 4 top 96 cur 100"},
      {VK_HOME, {}, "row 0 top 1 cur 1"},
  };
  for (const Press& p : presses) {
    form->PressKey(p.key, p.shift, 0);
    EXPECT_EQ(State(), p.want) << "key " << p.key;
  }
  // A jump far away brings the record in at the edge it came from.
  ds->SetRecNo(60);
  EXPECT_EQ(State(), "row 4 top 56 cur 60");
  ds->SetRecNo(20);
  EXPECT_EQ(State(), "row 0 top 20 cur 20");
  form->Hide();
}

TEST_F(Grid, ScrollBarsMoveTheDatasetAndTheColumns) {
  Make(100, 100);
  EXPECT_EQ(State(), "row 0 top 1 cur 1");
  grid->Perform(WM_VSCROLL, kLineDown, 0);
  EXPECT_EQ(State(), "row 1 top 1 cur 2");
  grid->Perform(WM_VSCROLL, kPageDown, 0);
  // Both bars show in a 100-pixel grid, which leaves four data rows.
  ASSERT_EQ(grid->VisibleRowCount(), 4);
  EXPECT_EQ(State(), "row 1 top 5 cur 6");
  grid->Perform(WM_VSCROLL, kThumb | (49 << 16), 0);
  EXPECT_EQ(State(), "row 3 top 47 cur 50");
  grid->Perform(WM_VSCROLL, kBottom, 0);
  EXPECT_EQ(State(), "row 3 top 97 cur 100");
  grid->Perform(WM_VSCROLL, kTop, 0);
  EXPECT_EQ(State(), "row 0 top 1 cur 1");
  // One notch of the wheel towards the user moves three records.
  grid->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16, 0);
  EXPECT_EQ(State(), "row 3 top 1 cur 4");

  // 100 - 4 (border) - 16 (bar) - 11 (indicator) = 69 pixels for columns of
  // 28, 64 and 52: the last column fits alone, so LeftCol stops at 2.
  EXPECT_EQ(grid->MaxLeftCol(), 2);
  grid->Perform(WM_HSCROLL, kLineDown, 0);
  EXPECT_EQ(grid->GetLeftCol(), 1);
  EXPECT_EQ(grid->CellRect(0, 1).Left, 11);
  EXPECT_TRUE(grid->CellRect(0, 0).IsEmpty());
  grid->Perform(WM_KEYDOWN, VK_RIGHT, 0);
  grid->Perform(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(grid->GetLeftCol(), 2);
  grid->Perform(WM_HSCROLL, kTop, 0);
  EXPECT_EQ(grid->GetLeftCol(), 0);
  grid->Perform(WM_HSCROLL, kBottom, 0);
  EXPECT_EQ(grid->GetLeftCol(), 2);
  // Widening the grid leaves nothing to scroll.
  grid->SetWidth(400);
  EXPECT_EQ(grid->GetLeftCol(), 0);
}

TEST_F(Grid, ClickingARowMakesItsRecordCurrent) {
  Make(100);
  form->Show();
  ds->SetRecNo(30);
  EXPECT_EQ(State(), "row 4 top 26 cur 30");
  auto at = [&](int x, int y) { return grid->ClientToScreen({x, y}); };
  SendMouseDown(at(40, 16 + 2 * 16 + 5), mbLeft, {});
  SendMouseUp(at(40, 16 + 2 * 16 + 5), mbLeft, {});
  EXPECT_EQ(State(), "row 2 top 26 cur 28");
  EXPECT_TRUE(grid->Focused());
  // The title row and the room right of the columns select nothing new.
  SendMouseDown(at(40, 5), mbLeft, {});
  SendMouseUp(at(40, 5), mbLeft, {});
  EXPECT_EQ(State(), "row 2 top 26 cur 28");
  form->Hide();
}

TEST_F(Grid, APaintReadsExactlyTheVisibleRowsWhereverTheCursorIs) {
  Make(100000, 400);
  // A calculated column: the dataset calculates once per record read, an
  // independent count of the records a paint reads.
  auto* tag = new TStringField(form.get());
  tag->SetFieldName("TAG");
  tag->SetFieldKind(fkCalculated);
  tag->SetDataSet(ds);
  int calcs = 0;
  ds->OnCalcFields = [&](TDataSet* d) {
    ++calcs;
    d->FieldByName("TAG")->SetAsString("#" + d->FieldByName("ID")->GetAsString());
  };
  ASSERT_EQ(grid->GetColumnCount(), 4);
  for (int recNo : {1, 50000, 100000}) {
    ds->SetRecNo(recNo);
    int fills = grid->GetWindowFills();
    calcs = 0;
    Paint();
    EXPECT_EQ(calcs, 5) << recNo;
    EXPECT_EQ(grid->GetCellText(4, 3), "#" + grid->GetCellText(4, 0));
    EXPECT_EQ(tag->GetAsString(), "#" + std::to_string(recNo));
    EXPECT_EQ(grid->GetPaintReads(), 5) << recNo;
    EXPECT_EQ(grid->GetWindowVisited(), 4) << recNo;
    EXPECT_EQ(grid->GetWindowFills(), fills) << "painting refilled the window";
  }
  EXPECT_EQ(State(), "row 4 top 99996 cur 100000");
  // Reading rows for a paint leaves the dataset where it was.
  ds->SetRecNo(777);
  Paint();
  EXPECT_EQ(Id(), 777);
}

TEST_F(Grid, RenderedPictureMarksTheCurrentRow) {
  Make(10);
  ds->SetRecNo(2);
  TBitmap bmp(grid->GetWidth(), grid->GetHeight());
  TCanvas canvas(&bmp);
  grid->PaintTo(canvas, 0, 0);
  TBitmap png;
  png.LoadFromPNG(bmp.SaveToPNG());
  // Client pixel (x, y) lies 2 pixels into the picture (the sunken border).
  auto px = [&](int x, int y) { return png.GetPixel(x + 2, y + 2); };
  TColor face = ColorToRGB(clBtnFace), window = ColorToRGB(clWindow),
         highlight = ColorToRGB(clHighlight), text = ColorToRGB(clBtnText);
  EXPECT_EQ(px(60, 14), face);     // title row
  EXPECT_EQ(px(5, 20), face);      // indicator column
  EXPECT_EQ(px(3, 16 + 8), face);  // no mark beside the first row
  EXPECT_EQ(px(4, 32 + 7), text);  // the mark beside the current (second) row
  EXPECT_EQ(px(20, 32 + 14), highlight);
  EXPECT_EQ(px(20, 16 + 14), window);
  EXPECT_EQ(px(20, 16 + 15), ColorToRGB(clSilver));  // a row line
  // The integer column is right-aligned: "1" ends 3 pixels inside its cell,
  // whose left part stays empty.
  int cellRight = 11 + 28 - 1;  // less the column line
  EXPECT_EQ(px(cellRight - 5, 16 + 8), ColorToRGB(clWindowText));
  EXPECT_EQ(px(13, 16 + 8), window);
  // The name column is left-aligned, two pixels from its left edge.
  EXPECT_EQ(px(11 + 28 + 2, 16 + 8), ColorToRGB(clWindowText));
  // Five rows fit; the rest of the client area below them is background.
  EXPECT_EQ(grid->GetRowCount(), 5);
  // The vertical bar shows (ten records, five rows): its top arrow button.
  EXPECT_EQ(png.GetPixel(bmp.GetWidth() - 2 - 8, 2 + 1), ColorToRGB(clBtnHighlight));
}

}  // namespace
}  // namespace tabulon
