// Controls in form files: nested objects become child controls, values that
// follow the parent stay out of the file, and a written form reads back.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/exceptions.h"
#include "platform/streaming/formres.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::ExpectThrow;

const char* kForm = R"(object Root: TPanel
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  Color = clWindow
  Cursor = crHourGlass
  object Title: TLabel
    Left = 8
    Top = 8
    Caption = 'Title'
    Font.Height = -16
    Font.Style = [fsBold]
  end
  object Box: TScrollBox
    Left = 8
    Top = 40
    Width = 200
    Height = 100
    Align = alBottom
    TabOrder = 0
    object Inside: TLabel
      Left = 4
      Top = 300
      Caption = 'Far down'
    end
  end
end
)";

std::unique_ptr<TPanel> Read(const std::string& text) {
  TComponent* root = ReadFormData(text, nullptr);
  auto* panel = dynamic_cast<TPanel*>(root);
  if (!panel) TObject::Free(root);
  return std::unique_ptr<TPanel>(panel);
}

TEST(FormFiles, NestedObjectsBecomeChildControlsWithTheirParentsValues) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  auto root = Read(kForm);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->GetCursor(), crHourGlass);
  EXPECT_FALSE(root->GetParentColor());
  auto* title = dynamic_cast<TLabel*>(root->FindComponent("Title"));
  auto* box = dynamic_cast<TScrollBox*>(root->FindComponent("Box"));
  auto* inside = dynamic_cast<TLabel*>(root->FindComponent("Inside"));
  ASSERT_TRUE(title && box && inside);
  EXPECT_EQ(title->GetParent(), root.get());
  EXPECT_EQ(box->GetParent(), root.get());
  EXPECT_EQ(inside->GetParent(), box);
  EXPECT_EQ(inside->GetOwner(), root.get());
  // A stored font clears the parent flag; the others follow after loading.
  EXPECT_FALSE(title->GetParentFont());
  EXPECT_EQ(title->GetFont()->GetHeight(), -16);
  EXPECT_EQ(title->GetBoundsRect(), Bounds(8, 8, 5 * 10, 16 + 2));  // em 16, bold: 10 each
  EXPECT_TRUE(inside->GetParentFont());
  EXPECT_EQ(box->GetColor(), clWindow);
  EXPECT_TRUE(box->GetParentColor());
  // Alignment (inside the root's one-pixel bevel) and scroll ranges follow
  // once everything is read.
  EXPECT_EQ(box->GetBoundsRect(), Rect(1, 99, 299, 199));
  EXPECT_TRUE(box->GetAutoScroll());
  EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(inside->GetBoundsRect(), Bounds(4, 300, 48, 13));
}

TEST(FormFiles, WrittenFormLeavesFollowedValuesOutAndReadsBack) {
  TTextMetricsScope metrics(std::make_unique<TFixedTextMetrics>());
  auto root = Read(kForm);
  ASSERT_TRUE(root);
  std::string text = ComponentToText(root.get());
  EXPECT_NE(text.find("object Inside: TLabel"), std::string::npos) << text;
  EXPECT_NE(text.find("Cursor = crHourGlass"), std::string::npos) << text;
  EXPECT_NE(text.find("Color = clWindow"), std::string::npos) << text;
  EXPECT_NE(text.find("Font.Style = [fsBold]"), std::string::npos) << text;
  // Followers write neither their font, colour nor the flags.
  size_t box = text.find("object Box: TScrollBox");
  ASSERT_NE(box, std::string::npos);
  std::string boxText = text.substr(box);
  EXPECT_EQ(boxText.find("Font."), std::string::npos) << boxText;
  EXPECT_EQ(boxText.find("Color"), std::string::npos) << boxText;
  EXPECT_EQ(boxText.find("ParentFont"), std::string::npos) << boxText;
  EXPECT_EQ(boxText.find("Range"), std::string::npos) << boxText;  // computed, not stored
  auto again = Read(text);
  ASSERT_TRUE(again);
  EXPECT_EQ(ComponentToText(again.get()), text);
}

// Form files of other tools name the charset; names read and are written,
// numbers read, and a refused value is named in the message.
TEST(FormFiles, FontCharsetsStreamByName) {
  auto form = [](const std::string& charset) {
    return "object Root: TPanel\n  object Title: TLabel\n    Font.Charset = " + charset +
           "\n    Font.Name = 'Tahoma'\n  end\nend\n";
  };
  const std::pair<std::string, TFontCharset> good[] = {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                       {"ansi_charset", ANSI_CHARSET},
                                                       {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                                                       {"238", EASTEUROPE_CHARSET},
                                                       {"7", TFontCharset(7)}};
  for (const auto& [text, charset] : good) {
    auto root = Read(form(text));
    ASSERT_TRUE(root) << text;
    auto* title = dynamic_cast<TLabel*>(root->FindComponent("Title"));
    EXPECT_EQ(title->GetFont()->GetCharset(), charset) << text;
  }
  auto root = Read(form("OEM_CHARSET"));
  EXPECT_NE(ComponentToText(root.get()).find("Font.Charset = OEM_CHARSET\n"), std::string::npos);
  for (const char* bad : {"NOPE_CHARSET", "256", "'x'"})
    ExpectThrow<EReadError>(
        [&] { Read(form(bad)); },
        std::string("Error reading Title.Font.Charset: Invalid property value ") + bad);
}

}  // namespace
}  // namespace tabulon
