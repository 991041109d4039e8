// The layout pass under exact metrics (6 px characters, 13 px lines): the
// metrics taken from the fonts, where each arrangement puts every caption
// and editor, and the widths of editors and comments that follow the
// field's display width and shrink to fit the panel.
#include <gtest/gtest.h>

#include "tests/run/layout_fixture.h"

namespace tabulon::test {
namespace {

std::string Metrics(const TPanelLayoutMetrics& m) {
  return "char " + std::to_string(m.EditCharWidth) + "/" + std::to_string(m.TextCharWidth) +
         " lines " + std::to_string(m.EditLineHeight) + "/" + std::to_string(m.TextLineHeight) +
         " row " + std::to_string(m.RowHeight) + " tops " + std::to_string(m.EditTop) + "/" +
         std::to_string(m.TextTop) + "/" + std::to_string(m.CaptionTop) + "/" +
         std::to_string(m.CommentTop);
}

TEST(PanelLayoutMetrics, TakenFromTheEditAndThePlainTextFont) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  TStyleOptions* so = p->GetStyleOptions();
  // Edit text 13 + step 2 + 8 for the 3-D look; text 13 + 2.
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/6 lines 23/15 row 23 tops 0/4/4/4");
  p->SetPosState(psTwoLineFmt);
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/6 lines 23/15 row 38 tops 15/19/0/19");
  p->SetPosState(psOneLineFmt);
  p->SetCtl3D(false);
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/6 lines 21/15 row 21 tops 0/3/3/3");
  p->SetStepHeight(4);
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/6 lines 23/17 row 23 tops 0/3/3/3");
  p->SetStepHeight(2);
  p->SetCtl3D(true);

  // A text font taller than the edit line centres the editors instead.
  TFont big;
  big.SetHeight(-22);  // 12 px characters, 24 px lines
  so->SetFont(1, &big);
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/12 lines 23/26 row 26 tops 2/0/0/0");
  p->SetPosState(psTwoLine);
  EXPECT_EQ(Metrics(p->GetLayoutMetrics()), "char 6/12 lines 23/26 row 49 tops 28/26/0/26");

  // The character and gap come from the plain style; captions are measured
  // as they are drawn (bold: 7 px a character).
  p->SetPosState(psOneLineFmt);
  TFont bold;
  bold.SetStyle({fsBold});
  so->SetFont(1, &bold);
  EXPECT_EQ(p->GetLayoutMetrics().TextCharWidth, 6);
  // "City of birth" is 13 x 7 = 91 px: the column starts at 1 + 91 + 6.
  EXPECT_EQ(p->GetLayoutMetrics().CaptionRight, 98);
  EXPECT_EQ(static_cast<TControl*>(f.Record(2)->Editors[0])->GetLeft(), 98);
}

TEST(PanelLayoutRows, EachArrangementPlacesCaptionsAndEditors) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  // Formatted: one editor column right of the widest caption ("City of
  // birth", 78 px); the "with" caption ends just before the column.
  EXPECT_EQ(Layout(p),
            "Name: c1,4 e85,0,66 | Age: c1,27 w55,27 e85,23,24 o115,27 f133,23,24"
            " | City of birth: c1,50 e85,46,126");
  EXPECT_EQ(p->GetRequiredHeight(), 67);  // three rows of 23 less one gap
  EXPECT_EQ(p->GetRequiredWidth(), 211);
  // Auto-sized and unaligned, the panel wraps its content and its frame.
  EXPECT_EQ(p->GetFrameSize(), 6);
  EXPECT_EQ(p->GetBoundsRect(), Bounds(0, 0, 217, 73));

  p->SetPosState(psOneLine);
  EXPECT_EQ(Layout(p),
            "Name: c1,4 e31,0,66 | Age: c1,27 w25,27 e55,23,24 o85,27 f103,23,24"
            " | City of birth: c1,50 e85,46,126");
  p->SetPosState(psTwoLineFmt);
  EXPECT_EQ(Layout(p),
            "Name: c1,0 e31,15,66 | Age: c1,38 w1,57 e31,53,24 o61,57 f79,53,24"
            " | City of birth: c1,76 e31,91,126");
  EXPECT_EQ(p->GetRequiredHeight(), 112);
  p->SetPosState(psTwoLine);
  EXPECT_EQ(Layout(p),
            "Name: c1,0 e1,15,66 | Age: c1,38 w1,57 e31,53,24 o61,57 f79,53,24"
            " | City of birth: c1,76 e1,91,126");

  // Without a "with" caption a range row has no such label; formatted, its
  // first editor still starts at the column.
  f.Record(1)->GetCaptions()->SetWithCaption("");
  EXPECT_EQ(Layout(p),
            "Name: c1,0 e1,15,66 | Age: c1,38 e1,53,24 o31,57 f49,53,24"
            " | City of birth: c1,76 e1,91,126");
  p->SetPosState(psOneLineFmt);
  EXPECT_EQ(Layout(p),
            "Name: c1,4 e85,0,66 | Age: c1,27 e85,23,24 o115,27 f133,23,24"
            " | City of birth: c1,50 e85,46,126");
  // An empty caption still takes the room of one blank; a hidden record
  // and a record without values take no row.
  f.Record(0)->SetDisplayLabel("");
  f.Record(1)->SetVisible(false);
  f.Record(2)->SetCount(coNone);
  EXPECT_EQ(Layout(p), ": c1,4 e13,0,66");
  EXPECT_EQ(BoxControls(p), 2);
}

TEST(PanelLayoutRows, EditorWidthFollowsTheDisplayWidthAndTheButton) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  TFieldRecord* name = f.Record(0);
  auto width = [&] { return static_cast<TControl*>(name->Editors[0])->GetWidth(); };
  EXPECT_EQ(width(), 66);  // (10 + 1) x 6
  name->SetButtonStyle(rbsEllipsis);
  EXPECT_EQ(width(), 82);  // plus the scroll-bar width for the button
  name->SetButtonStyle(rbsAuto);
  name->SetDisplayWidth(0);
  EXPECT_EQ(width(), 6);
  // Comments are (CommentWidth + 1) text characters wide and follow the editor.
  name->SetDisplayWidth(10);
  name->SetCommentVisible(true);
  name->SetCommentWidth(4);
  name->SetCommentText(0, "note");
  p->WndChanged();
  EXPECT_EQ(Layout(p).substr(0, 30), "Name: c1,4 e85,0,66 m157,4,30 ");
  EXPECT_EQ(static_cast<TLabel*>(name->CommentLabels[0])->GetCaption(), "note");
}

TEST(PanelLayoutRows, FitRowWidthsShrinksEditorAndCommentInProportion) {
  // Room 150 beside a 50 px comment for a 250 px editor: k = 1/3.
  EXPECT_EQ(FitRowWidths(250, 50, 150, 12, 6).EditPx, 166);
  EXPECT_EQ(FitRowWidths(250, 50, 150, 12, 6).CommentPx, 26);  // 33 - 6 - 1
  // Fitting widths stay; no room at all leaves the minimums.
  EXPECT_EQ(FitRowWidths(250, 50, 250, 12, 6).EditPx, 250);
  EXPECT_EQ(FitRowWidths(250, 50, 250, 12, 6).CommentPx, 50);
  EXPECT_EQ(FitRowWidths(250, 50, -400, 28, 6).EditPx, 28);
  EXPECT_EQ(FitRowWidths(250, 50, -400, 28, 6).CommentPx, 12);
  // Without a comment the editor takes exactly the room.
  EXPECT_EQ(FitRowWidths(234, 0, 77, 12, 6).EditPx, 77);
}

// A fixed-size panel (no automatic sizing) of the given size.
void Fix(TLayoutPanel* p, int width, int height) {
  p->SetAutoSize(false);
  p->SetBounds(0, 0, width, height);
}

TEST(PanelLayoutRows, EditorsAndCommentsShrinkToFitKeepingTwoCharacters) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  TFieldRecord* name = f.Record(0);
  p->BeginPaint();
  f.Record(1)->SetVisible(false);
  f.Record(2)->SetVisible(false);
  name->SetDisplayWidth(38);
  name->SetButtonStyle(rbsEllipsis);  // 39 x 6 + 16 = 250
  name->SetCommentVisible(true);
  name->SetCommentWidth(7);  // 48
  Fix(p, 238, 100);          // Avail = 232 - 31 - 1 = 200
  p->EndPaint();
  // k = 98 / 298: 250 x 200 / 298 = 167.8, 48 x 200 / 298 = 32.2 less 7.
  EXPECT_EQ(Layout(p), "Name: c1,4 e31,0,167 m204,4,25");
  // The natural widths are what the content would need.
  EXPECT_EQ(p->GetRequiredLengths(), (TSize{31 + 250 + 6 + 48, 21}));

  // Far too narrow: two edit characters plus the button, two text characters.
  p->SetBounds(0, 0, 60, 100);
  EXPECT_EQ(Layout(p), "Name: c1,4 e31,0,28 m65,4,12");
  name->SetButtonStyle(rbsAuto);  // 234 x 22 / 282
  EXPECT_EQ(Layout(p), "Name: c1,4 e31,0,18 m55,4,12");
  p->SetBounds(0, 0, 40, 100);
  EXPECT_EQ(Layout(p), "Name: c1,4 e31,0,12 m49,4,12");

  // Without automatic editor widths the natural width overflows and the
  // horizontal bar appears.
  p->SetAutoEditWidth(false);
  EXPECT_EQ(Layout(p), "Name: c1,4 e31,0,234 m271,4,48");
  EXPECT_TRUE(p->GetScrollingFieldsSet()->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(p->GetScrollingFieldsSet()->GetHorzScrollBar()->GetRange(), 319);
}

TEST(PanelLayoutRows, ARangeRowSharesHalfTheRoomBetweenItsEditors) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  p->BeginPaint();
  f.Record(0)->SetVisible(false);
  f.Record(2)->SetVisible(false);
  f.Record(1)->SetDisplayWidth(38);  // 234
  Fix(p, 240, 100);
  p->EndPaint();
  // The column is at 1 + 18 + 6 + 24 + 6 = 55; Avail = 234 - 55 - 1 = 178;
  // half of 178 less "on" and two gaps is 77 for each editor.
  EXPECT_EQ(Layout(p), "Age: c1,4 w25,4 e55,0,77 o138,4 f156,0,77");
  EXPECT_EQ(p->GetRequiredWidth(), 233);
  EXPECT_FALSE(p->GetScrollingFieldsSet()->GetHorzScrollBar()->IsScrollBarVisible());
}

TEST(PanelLayoutRows, RowsThatOverflowTheHeightReserveRoomForTheScrollBar) {
  LayoutOnForm f;
  TLayoutPanel* p = f.Panel;
  TScrollingFieldsSet* box = p->GetScrollingFieldsSet();
  p->BeginPaint();
  f.Record(0)->SetDisplayWidth(38);  // 234
  Fix(p, 240, 200);
  p->EndPaint();
  // Avail = 234 - 85 - 1 = 148.
  EXPECT_EQ(p->GetLayoutMetrics().ScrollReserve, 0);
  EXPECT_EQ(static_cast<TControl*>(f.Record(0)->Editors[0])->GetWidth(), 148);
  EXPECT_FALSE(box->GetVertScrollBar()->IsScrollBarVisible());

  // 67 px of rows in 44: 16 px are kept for the vertical bar, so that no
  // horizontal bar is needed beside it.
  p->Binds = 0;
  p->TakeTrace();
  p->SetBounds(0, 0, 240, 50);
  EXPECT_EQ(p->GetLayoutMetrics().ScrollReserve, 16);
  EXPECT_EQ(static_cast<TControl*>(f.Record(0)->Editors[0])->GetWidth(), 132);
  EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->GetVertScrollBar()->GetRange(), 67);
  // The bar appeared: the pass ran a second time, and only once.
  EXPECT_EQ(p->Binds, 2 * 4);
  EXPECT_EQ(p->TakeTrace(), "paint");

  // The reserve starts where the rows less two pixels reach the height.
  p->SetBounds(0, 0, 240, 71);  // MaxHeight 65
  EXPECT_EQ(p->GetLayoutMetrics().ScrollReserve, 16);
  p->SetBounds(0, 0, 240, 73);  // MaxHeight 67: no bar, no reserve
  EXPECT_EQ(p->GetLayoutMetrics().ScrollReserve, 0);
  EXPECT_FALSE(box->GetVertScrollBar()->IsScrollBarVisible());
}

}  // namespace
}  // namespace tabulon::test
