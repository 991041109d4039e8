// Labels measure their caption with the current text metrics.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "tests/platform/controls/place.h"

namespace tabulon {
namespace {

using testing::Add;

class LabelTest : public ::testing::Test {
 protected:
  TTextMetricsScope metrics{std::make_unique<TFixedTextMetrics>()};
  std::unique_ptr<TPanel> panel = std::make_unique<TPanel>(nullptr);
  TLabel* Make(const std::string& caption) {
    auto* l = Add<TLabel>(panel.get());
    l->SetBounds(10, 5, 65, 17);
    l->SetCaption(caption);
    return l;
  }
};

TEST_F(LabelTest, AutoSizeFollowsCaptionFontAndAlignment) {
  TLabel* l = Make("Hello");
  EXPECT_EQ(l->GetBoundsRect(), Bounds(10, 5, 30, 13));
  l->GetFont()->SetStyle({fsBold});  // one more pixel per character
  EXPECT_EQ(l->GetWidth(), 35);
  l->GetFont()->SetStyle({});
  l->GetFont()->SetSize(12);  // em 16: characters round(6 * 16 / 11) = 9 wide, cell 18
  EXPECT_EQ(l->GetBoundsRect(), Bounds(10, 5, 45, 18));
  l->GetFont()->SetSize(8);
  l->SetAlignment(taRightJustify);
  l->SetCaption("Hi");  // keeps its right edge at 40
  EXPECT_EQ(l->GetBoundsRect(), Rect(28, 5, 40, 18));
  l->SetCaption("");  // an empty caption keeps the room of one blank
  EXPECT_EQ(l->GetWidth(), 6);
  l->SetAutoSize(false);
  l->SetCaption("A much longer caption");
  EXPECT_EQ(l->GetWidth(), 6);
}

TEST_F(LabelTest, AcceleratorMarksAndWordWrap) {
  TLabel* l = Make("&Find && replace");
  EXPECT_EQ(l->DisplayText(), "Find & replace");
  EXPECT_EQ(l->GetWidth(), 14 * 6);
  l->SetShowAccelChar(false);
  EXPECT_EQ(l->GetWidth(), 16 * 6);
  l->SetAutoSize(false);
  l->SetWidth(60);  // ten characters a line
  l->SetCaption("one two three four");
  l->SetWordWrap(true);
  EXPECT_EQ(l->Lines(60), (std::vector<std::string>{"one two", "three four"}));
  l->SetAutoSize(true);
  EXPECT_EQ(l->GetBoundsRect(), Bounds(10, 5, 60, 26));
  // A word longer than the line stands alone on its line.
  l->SetCaption("a verylongwordindeed b");
  EXPECT_EQ(l->Lines(60), (std::vector<std::string>{"a", "verylongwordindeed", "b"}));
}

TEST_F(LabelTest, SetCaptionFollowsTheNameOnlyWithSetCaption) {
  TLabel* l = Make("");
  l->SetName("Label1");
  EXPECT_EQ(l->GetCaption(), "Label1");
  l->SetName("Label2");
  EXPECT_EQ(l->GetCaption(), "Label2");
  l->SetCaption("Own text");
  l->SetName("Label3");
  EXPECT_EQ(l->GetCaption(), "Own text");
  panel->SetControlStyle(panel->GetControlStyle() - TControlStyle{csSetCaption});
  panel->SetName("Panel1");
  EXPECT_EQ(panel->GetCaption(), "");
}

}  // namespace
}  // namespace tabulon
