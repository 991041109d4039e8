// Forms read from form files (published fields and events bound), radio
// groups, and painting that honours the edit's formatting rectangle.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/core/class_builder.h"
#include "platform/forms/button.h"
#include "platform/forms/combobox.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/mouse.h"
#include "platform/forms/pagecontrol.h"
#include "platform/forms/radiobutton.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/textmetrics.h"
#include "platform/streaming/formres.h"

namespace tabulon {

// A form class whose file binds a field and an event handler.
class TfmStreamed : public TForm {
  TBN_CLASS(TfmStreamed, TForm)
 public:
  explicit TfmStreamed(TComponent* owner) : TForm(owner) {}
  TButton* bbOk = nullptr;
  TPageControl* pcOptions = nullptr;
  int clicks = 0;
  void bbOkClick(TObject*) { ++clicks; }
};

TBN_REGISTER(TfmStreamed) {
  b.Field("bbOk", &TfmStreamed::bbOk);
  b.Field("pcOptions", &TfmStreamed::pcOptions);
  b.Method("bbOkClick", &TfmStreamed::bbOkClick);
}

namespace {

const char* kForm = R"(object fmStreamed: TfmStreamed
  Width = 300
  Height = 200
  Caption = 'Setup'
  object pcOptions: TPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 120
    ActivePage = tsField
    object tsDefault: TTabSheet
      TabVisible = False
      object cbCount: TComboBox
        Style = csDropDownList
        Items.Strings = (
          'No visible fields'
          'Single field visible'
          'Two fields visible')
      end
    end
    object tsField: TTabSheet
      TabVisible = False
    end
  end
  object bbOk: TButton
    Left = 200
    Top = 130
    Caption = 'OK'
    Default = True
    ModalResult = 1
    OnClick = bbOkClick
  end
end
)";

TEST(FormFile, ReadsPagesItemsFieldsAndEvents) {
  TfmStreamed form(nullptr);
  ReadFormData(kForm, &form);
  ASSERT_NE(form.bbOk, nullptr);
  ASSERT_NE(form.pcOptions, nullptr);
  EXPECT_EQ(form.GetCaption(), "Setup");
  EXPECT_EQ(form.pcOptions->GetPageCount(), 2);
  EXPECT_EQ(form.pcOptions->GetActivePage()->GetName(), "tsField");
  EXPECT_FALSE(form.pcOptions->TabsShown());
  auto* combo = dynamic_cast<TComboBox*>(form.FindComponent("cbCount"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetItems()->Count(), 3);
  EXPECT_EQ(combo->GetStyle(), csDropDownList);
  form.Show();
  form.PressKey(VK_RETURN, {}, '\r');
  EXPECT_EQ(form.clicks, 1);  // Enter pressed the default button, whose handler is bound
  form.Hide();
}

TEST(RadioButton, CheckingOneClearsItsSiblingsOnly) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  std::string trace;
  auto make = [&](TWinControl* parent, const char* name, int top) {
    auto* r = new TRadioButton(&form);
    r->SetName(name);
    r->SetParent(parent);
    r->SetTop(top);
    r->OnClick = [&trace, r](TObject*) { trace += r->GetName() + " "; };
    return r;
  };
  auto* a = make(&form, "a", 0);
  auto* b = make(&form, "b", 20);
  auto* panelChild = new TForm(nullptr);  // a separate group elsewhere
  auto* c = make(panelChild, "c", 0);
  a->SetChecked(true);
  c->SetChecked(true);
  form.Show();
  TPoint pb = b->ClientToScreen({4, 4});
  SendMouseDown(pb, mbLeft, {});
  SendMouseUp(pb, mbLeft, {});
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());
  EXPECT_EQ(trace, "a c b ");
  EXPECT_TRUE(b->GetTabStop());  // the checked button of a group is the one Tab reaches
  EXPECT_FALSE(a->GetTabStop());
  form.Hide();
  delete panelChild;
}

TEST(EditPaint, TextStartsAtTheFormattingRectangle) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(0, 0, 120, 21);
  edit->SetText("MMMM");
  auto firstInk = [&] {
    TBitmap bmp(edit->GetWidth(), edit->GetHeight());
    TCanvas canvas(&bmp);
    edit->PaintTo(canvas, 0, 0);
    for (int x = 2; x < bmp.GetWidth() - 2; ++x)  // inside the two-pixel border
      for (int y = 2; y < bmp.GetHeight() - 2; ++y)
        if (bmp.GetPixel(x, y) == clBlack) return x;
    return -1;
  };
  int plain = firstInk();
  EXPECT_EQ(plain, 2);  // the first client column
  edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN, MakeLParam(10, 0));
  EXPECT_EQ(firstInk(), plain + 10);
  TRect r = Rect(30, 0, 100, 17);
  edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(firstInk(), plain + 30);
}

}  // namespace
}  // namespace tabulon
