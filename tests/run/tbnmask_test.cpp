// The mask edit with a button: the ellipsis glyph drawn exactly, the
// button's life and placement, the setters' side effects, read-only against
// direct input, the refused paste and cut, Enter reaching the default
// button, the mouse hooks of a descendant, form files, and the aligned
// painting of an unfocused control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/props.h"
#include "platform/forms/button.h"
#include "platform/forms/clipboard.h"
#include "platform/forms/form.h"
#include "platform/graphics/sysmetrics.h"
#include "platform/graphics/textmetrics.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "run/tbnmask.h"

namespace tabulon {
namespace {

// The black pixels of a bitmap, as "x,y" pairs in row order.
std::vector<std::string> BlackPixels(const TBitmap& b) {
  std::vector<std::string> out;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      if (b.GetPixel(x, y) == clBlack) out.push_back(std::to_string(x) + "," + std::to_string(y));
  return out;
}

// Two-pixel dots at y 1 and 2 starting at each of `xs`, clipped to `width`.
std::vector<std::string> Dots(int width, std::vector<int> xs) {
  std::vector<std::string> out;
  for (int y = 1; y <= 2; ++y)
    for (int x = 0; x < width; ++x)
      for (int d : xs)
        if (x >= d && x < d + 2) out.push_back(std::to_string(x) + "," + std::to_string(y));
  return out;
}

struct QXFixture : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 120);
    edit = new TQXMaskEdit(form.get());
    edit->SetName("edValue");
    edit->SetParent(form.get());
    other = new TQXMaskEdit(form.get());
    other->SetParent(form.get());
    other->SetTop(40);
    form->Show();
  }
  void TearDown() override { form->Hide(); }
  std::unique_ptr<TForm> form;
  TQXMaskEdit* edit = nullptr;
  TQXMaskEdit* other = nullptr;
};

TEST_F(QXFixture, EllipsisGlyphIsDrawnExactly) {
  struct Case {
    int buttonWidth, width;
    std::vector<int> dots;
  };
  // Width: button - 6 above 7 pixels, else 1; gap (w - 6) / 2 in 1..3; offset (w - 6 - 2 gap) / 2.
  const Case cases[] = {{5, 1, {-3, 0, 3}},
                        {7, 1, {-3, 0, 3}},
                        {8, 2, {-3, 0, 3}},
                        {16, 10, {0, 4, 8}},
                        {30, 24, {6, 11, 16}}};
  edit->SetButtonVisible(true);
  for (const Case& c : cases) {
    edit->SetButtonWidth(c.buttonWidth);
    ASSERT_NE(edit->GetButton(), nullptr);
    TBitmap* g = edit->GetGlyph();  // the button's copy of the generated bitmap
    EXPECT_EQ(g->GetWidth(), c.width) << c.buttonWidth;
    EXPECT_EQ(g->GetHeight(), 4);
    EXPECT_TRUE(g->GetMonochrome());
    EXPECT_EQ(BlackPixels(*g), Dots(c.width, c.dots)) << c.buttonWidth;
    EXPECT_EQ(BlackPixels(*edit->CreateEllipsisGlyph()), BlackPixels(*g));
  }
}

TEST_F(QXFixture, ButtonLifeAndPlacement) {
  EXPECT_EQ(edit->GetButton(), nullptr);
  EXPECT_EQ(edit->GetGlyph(), nullptr);
  EXPECT_EQ(edit->GetNumGlyphs(), 1);
  edit->SetButtonWidth(-5);
  EXPECT_EQ(edit->GetButtonWidth(), 0);
  edit->SetButtonVisible(true);
  TSpeedButton* b = edit->GetButton();
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetOwner(), edit);
  EXPECT_EQ(b->GetParent(), edit);
  EXPECT_EQ(b->GetLayout(), blGlyphBottom);
  EXPECT_EQ(b->GetCursor(), crArrow);
  EXPECT_FALSE(b->GetControlStyle().Contains(csCaptureMouse));
  EXPECT_EQ(edit->GetInternalButtonWidth(), GetSystemMetrics(SM_CXVSCROLL));
  // A system font change takes the scroll-bar width again.
  int bar = SetSystemMetrics(SM_CXVSCROLL, 20);
  edit->Perform(CM_SYSFONTCHANGED, 0, 0);
  EXPECT_EQ(b->GetWidth(), 20);
  SetSystemMetrics(SM_CXVSCROLL, bar);
  edit->Perform(CM_SYSFONTCHANGED, 0, 0);
  EXPECT_EQ(b->GetWidth(), 16);
  // Placement: every row of the table, on a 121 x 21 edit.
  struct Row {
    bool newStyle, ctl3D;
    TBorderStyle border;
    TRect bounds;
  };
  const Row rows[] = {{true, true, bsSingle, Bounds(121 - 16 - 4, 0, 16, 17)},
                      {true, false, bsSingle, Bounds(121 - 16 - 2, 2, 16, 17)},
                      {true, true, bsNone, Bounds(121 - 16, 0, 16, 21)},
                      {false, true, bsSingle, Bounds(121 - 16, 0, 16, 21)},
                      {false, false, bsNone, Bounds(121 - 16, 0, 16, 21)}};
  for (const Row& r : rows) {
    bool keep = SetNewStyleControls(r.newStyle);
    edit->SetCtl3D(r.ctl3D);
    edit->SetBorderStyle(r.border);
    edit->SetWidth(120);
    edit->SetWidth(121);  // a resize places the button again
    EXPECT_EQ(b->GetBoundsRect(), r.bounds) << r.newStyle << r.ctl3D << r.border;
    SetNewStyleControls(keep);
  }
  edit->SetCtl3D(true);
  edit->SetBorderStyle(bsSingle);
  edit->SetWidth(120);
  edit->SetWidth(121);  // a resize sets the formatting rectangle again
  // The formatting rectangle stops 2 pixels short of the button.
  TRect fr;
  edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&fr));
  EXPECT_EQ(fr, Rect(0, 0, 117 - 16 - 2, 18));

  edit->SetGlyphKind(gkDropDown);
  EXPECT_EQ(edit->GetGlyph()->GetWidth(), 7);  // the system combo-box arrow
  edit->SetNumGlyphs(4);
  EXPECT_EQ(edit->GetNumGlyphs(), 1);
  edit->SetButtonVisible(false);  // a generated glyph goes with its button
  EXPECT_EQ(edit->GetButton(), nullptr);
  EXPECT_EQ(edit->GetGlyph(), nullptr);
  EXPECT_EQ(edit->GetNumGlyphs(), 1);
  EXPECT_EQ(edit->GetInternalButtonWidth(), 0);

  TBitmap custom(8, 8);
  custom.SetPixel(3, 3, clRed);
  edit->SetGlyph(&custom);  // hidden, the button lives at width 0 to keep the glyph
  EXPECT_EQ(edit->GetGlyphKind(), gkCustom);
  ASSERT_NE(edit->GetButton(), nullptr);
  EXPECT_EQ(edit->GetButton()->GetWidth(), 0);
  EXPECT_EQ(edit->GetGlyph()->GetPixel(3, 3), clRed);
  EXPECT_NE(edit->GetGlyph(), &custom);  // a copy
  edit->SetNumGlyphs(2);
  EXPECT_EQ(edit->GetNumGlyphs(), 2);
  edit->SetHeight(30);
  EXPECT_EQ(edit->GetGlyph()->GetPixel(3, 3), clRed);  // kept across SetButton
  edit->SetButtonVisible(true);
  EXPECT_EQ(edit->GetButton()->GetWidth(), 16);
  edit->SetGlyphKind(gkEllipsis);  // the dots replace the custom glyph
  EXPECT_EQ(edit->GetGlyph()->GetWidth(), 10);
  EXPECT_EQ(edit->GetNumGlyphs(), 1);
  edit->SetButtonWidth(30);
  EXPECT_EQ(edit->GetButton()->GetWidth(), 30);
  EXPECT_EQ(edit->GetGlyph()->GetWidth(), 24);
  delete form.release();  // the edit frees its button; nothing dangles
  form = std::make_unique<TForm>(nullptr);
}

TEST_F(QXFixture, SettersStoreOnlyChangesAndRepaintWhenVisible) {
  other->SetFocus();  // showing the form focused the first edit
  edit->Update();
  edit->SetAlignment(taRightJustify);
  EXPECT_TRUE(edit->GetInvalidated());  // unfocused: the aligned text moves
  edit->SetFocus();
  edit->Update();
  edit->SetAlignment(taCenter);
  EXPECT_FALSE(edit->GetInvalidated());  // focused text is left-justified anyway
  EXPECT_TRUE(edit->GetEditFocused());
  // Every focus gives a caret of the font's height, two pixels wide when bold.
  EXPECT_EQ(edit->GetCaretWidth(), 1);
  EXPECT_EQ(edit->GetCaretHeight(), edit->GetTextHeight());
  other->SetFocus();
  edit->GetFont()->SetStyle({fsBold});
  edit->SetFocus();
  EXPECT_EQ(edit->GetCaretWidth(), 2);
  other->SetFocus();
  EXPECT_FALSE(edit->GetEditFocused());
  edit->Update();
  edit->SetButtonWidth(0);  // unchanged: nothing happens
  edit->SetButtonVisible(false);
  EXPECT_FALSE(edit->GetInvalidated());
}

TEST_F(QXFixture, ReadOnlyIsKeptApartFromDirectInput) {
  edit->SetText("abc");
  struct Row {
    bool readOnly, directInput, editable;
  };
  const Row rows[] = {
      {false, true, true}, {true, true, false}, {false, false, false}, {true, false, false}};
  edit->SetFocus();
  for (const Row& r : rows) {
    edit->SetReadOnly(r.readOnly);
    edit->SetDirectInput(r.directInput);
    EXPECT_EQ(edit->GetReadOnly(), r.readOnly);
    EXPECT_EQ(edit->TCustomEdit::GetReadOnly(), !r.editable);  // the framework edit's state
    edit->SetText("abc");
    edit->SelectAll();
    Clipboard()->SetAsText("clip");
    form->PressKey(0xE5, {}, U'x');
    EXPECT_EQ(edit->GetText(), r.editable ? "x" : "abc");
    edit->SelectAll();
    edit->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetText(), r.editable ? "clip" : "abc");
    edit->SelectAll();
    Clipboard()->SetAsText("before");
    edit->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(edit->GetText(), r.editable ? "" : "abc");
    // Refused, a cut does not even copy.
    EXPECT_EQ(Clipboard()->GetAsText(), r.editable ? "clip" : "before");
  }
  edit->SetDirectInput(true);  // editable again unless ReadOnly
  EXPECT_TRUE(edit->TCustomEdit::GetReadOnly());
  edit->SetReadOnly(false);
  EXPECT_FALSE(edit->TCustomEdit::GetReadOnly());
}

TEST_F(QXFixture, TextIsNullOnEmptyAndMaskOnlyTexts) {
  EXPECT_FALSE(edit->TextIsNull());  // the caption followed the name
  edit->SetText("");
  EXPECT_TRUE(edit->TextIsNull());
  edit->SetText(" ");
  EXPECT_FALSE(edit->TextIsNull());
  edit->SetEditMask("!99/99/0000;1;_");
  edit->SetText("");
  EXPECT_EQ(edit->GetText(), "  /  /    ");
  EXPECT_TRUE(edit->TextIsNull());
  edit->SetText("1");
  EXPECT_FALSE(edit->TextIsNull());
  edit->SetEditMask("(999) 000;0;_");
  edit->SetText("");
  EXPECT_TRUE(edit->TextIsNull());
}

TEST(QXMaskEdit, EnterActsOnTheDefaultButtonThroughTheHost) {
  TForm form(nullptr);
  form.SetName("fmEnter");
  auto* edit = new TQXMaskEdit(&form);
  edit->SetName("edCode");
  edit->SetParent(&form);
  edit->SetEditMask(">LL-0000;1;_");
  auto* ok = new TButton(&form);
  ok->SetName("bbOk");
  ok->SetParent(&form);
  ok->SetTop(40);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  EXPECT_EQ(edit->Perform(WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS, 0);
  THost host;
  host.Run("type \"ab1234\"\nkey Enter\n");
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(edit->GetText(), "AB-1234");
  char32_t cr = 13;
  TMessage m{WM_CHAR, static_cast<WPARAM>(cr), 0, 0};
  edit->WndProc(m);
  EXPECT_EQ(edit->GetText(), "AB-1234");  // a line break never reaches the text
}

// A descendant that takes over the button's mouse hooks, as the popup edits do.
class TTracingEdit : public TCustomQXMaskEdit {
 public:
  explicit TTracingEdit(TComponent* owner) : TCustomQXMaskEdit(owner) {}
  using TCustomQXMaskEdit::SetButtonVisible;
  std::string trace;

 protected:
  void ButtonMouseDown(TObject* sender, TMouseButton b, TShiftState s, int x, int y) override {
    trace += "down(" + std::to_string(x) + ");";
    TCustomQXMaskEdit::ButtonMouseDown(sender, b, s, x, y);
  }
  void ButtonMouseMove(TObject*, TShiftState, int, int) override { trace += "move;"; }
  void ButtonMouseUp(TObject*, TMouseButton, TShiftState, int, int) override { trace += "up;"; }
};

TEST_F(QXFixture, ButtonMouseHooksReachTheMostDerivedClass) {
  auto* t = new TTracingEdit(form.get());
  t->SetParent(form.get());
  t->SetTop(80);
  t->SetButtonVisible(true);
  t->OnButtonClick = [&](TObject* sender) { t->trace += sender == t ? "click;" : "?;"; };
  THost host;
  edit->SetFocus();
  host.Click(t->GetButton(), {5, 5});
  EXPECT_EQ(t->trace, "move;down(5);up;click;");
  EXPECT_TRUE(t->Focused());  // the button's press takes the focus into the edit
}

TEST_F(QXFixture, FormFilesSetAndStoreThePublishedProperties) {
  const char* text = R"(object fmMask: TForm
  object edMask: TQXMaskEdit
    Width = 150
    Alignment = taRightJustify
    ButtonVisible = True
    ButtonWidth = 20
    GlyphKind = gkDropDown
    ReadOnly = True
    EditMask = '!99/99/0000;1;_'
    Text = '01/02/2024'
  end
end
)";
  TForm root(nullptr);
  ReadFormData(text, &root);
  auto* e = dynamic_cast<TQXMaskEdit*>(root.FindComponent("edMask"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->GetAlignment(), taRightJustify);
  EXPECT_EQ(e->GetGlyphKind(), gkDropDown);
  EXPECT_TRUE(e->GetReadOnly());
  EXPECT_EQ(e->GetButton()->GetBoundsRect(), Bounds(150 - 20 - 4, 0, 20, 17));
  EXPECT_EQ(e->GetGlyph()->GetWidth(), 7);
  EXPECT_EQ(e->GetEditText(), "01/02/2024");
  std::string out = ComponentToText(e);
  for (const char* line :
       {"Alignment = taRightJustify", "ButtonVisible = True", "ButtonWidth = 20",
        "GlyphKind = gkDropDown", "ReadOnly = True", "EditMask = '!99/99/0000;1;_'"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  for (const char* absent : {"PasswordChar", "DirectInput", "NumGlyphs", "MaxLength"})
    EXPECT_EQ(out.find(absent), std::string::npos) << absent << "\n" << out;
  const TPropInfo* glyph = GetPropInfo(e, "Glyph");
  ASSERT_NE(glyph, nullptr);
  EXPECT_FALSE(glyph->StoredFn(e));  // only a custom glyph is stored
  e->SetGlyphKind(gkCustom);
  EXPECT_TRUE(glyph->StoredFn(e));
  EXPECT_TRUE(GetPropInfo(e, "PasswordChar")->ReadOnly);
}

// The columns of black pixels inside the text area of a painted edit.
std::pair<int, int> InkColumns(const TBitmap& b, int right) {
  int first = -1, last = -1;
  for (int x = 2; x < right; ++x)
    for (int y = 2; y < b.GetHeight() - 2; ++y)
      if (b.GetPixel(x, y) == clBlack) {
        if (first < 0) first = x;
        last = x;
      }
  return {first, last};
}

TEST_F(QXFixture, AlignedTextOfAnUnfocusedEditEndsWhereTheRuleSays) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>(6, 13, 2));
  other->SetFocus();     // showing the form focused the first edit
  edit->SetText("abc");  // 18 pixels; each character inks 5 of its 6
  for (bool button : {false, true}) {
    edit->SetButtonVisible(button);
    int ibw = edit->GetInternalButtonWidth(), cw = edit->GetClientWidth();
    TPoint m = edit->GetTextMargins();
    EXPECT_EQ(m, (TPoint{1, 1}));
    edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN, MakeLParam(3, 0));
    EXPECT_EQ(edit->GetTextMargins(), (TPoint{4, 1}));  // the edit's left margin counts
    edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN, MakeLParam(0, 0));
    bool keep = SetNewStyleControls(false);  // a quarter of the smaller character height
    EXPECT_EQ(edit->GetTextMargins(), (TPoint{13 / 4, 13 / 4}));
    edit->SetBorderStyle(bsNone);
    EXPECT_EQ(edit->GetTextMargins(), (TPoint{0, 0}));
    edit->SetBorderStyle(bsSingle);
    SetNewStyleControls(keep);
    auto paint = [&](bool copy) {
      TBitmap bmp(edit->GetWidth(), edit->GetHeight());
      if (copy)
        edit->PaintCopyTo(bmp.Canvas(), 0, 0);
      else
        edit->PaintTo(bmp.Canvas(), 0, 0);
      TBitmap png;  // measured in the PNG picture
      png.LoadFromPNG(bmp.SaveToPNG());
      return InkColumns(png, 2 + cw - ibw);
    };
    edit->SetAlignment(taRightJustify);
    int end = cw - 18 - m.X - 1 - ibw;  // client x where the text starts
    EXPECT_EQ(paint(false), std::make_pair(2 + end, 2 + end + 18 - 2)) << button;
    edit->SetAlignment(taCenter);
    int centre = (cw - 18 - ibw) / 2;
    EXPECT_EQ(paint(false), std::make_pair(2 + centre, 2 + centre + 16)) << button;
    edit->SetAlignment(taLeftJustify);
    EXPECT_EQ(paint(true).first, 2 + m.X);  // painted as a copy: the margins apply
    edit->SetAlignment(taRightJustify);
    edit->SetFocus();
    edit->SetSelStart(0);
    EXPECT_EQ(paint(false).first, 2);  // focused: the framework edit, left-justified
    other->SetFocus();
  }
}

}  // namespace
}  // namespace tabulon
