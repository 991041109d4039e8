// Message dispatch: Perform reaching overridden handlers, mouse and click
// sequences, key messages that handlers consume, and forwarding of mouse
// messages from a child to its parent.
#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_builder.h"

#include "platform/controls/application.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/exceptions.h"
#include "tests/platform/controls/place.h"

namespace tabulon {
namespace {

using testing::Place;

using Log = std::vector<std::string>;

std::string ShiftText(TShiftState s) {
  std::string out;
  if (s.Contains(ssShift)) out += "S";
  if (s.Contains(ssCtrl)) out += "C";
  if (s.Contains(ssAlt)) out += "A";
  if (s.Contains(ssLeft)) out += "L";
  if (s.Contains(ssDouble)) out += "D";
  return out;
}

class TTracePanel : public TPanel {
  TBN_CLASS(TTracePanel, TPanel)
 public:
  using TPanel::TPanel;
  Log* log = nullptr;
  int sizeMessages = 0;

 protected:
  void WMSize(TMessage& m) override {
    ++sizeMessages;
    TPanel::WMSize(m);
  }
  void CMCursorChanged(TMessage& m) override {
    log->push_back("cursor " + std::to_string(GetCursor()));
    TPanel::CMCursorChanged(m);
  }
  void DefaultHandler(TMessage& m) override {
    log->push_back("default " + std::to_string(m.Msg));
    m.Result = 42;
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Mouse("down ", b, s, x, y);
    TPanel::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Mouse("up ", b, s, x, y);
    TPanel::MouseUp(b, s, x, y);
  }
  void Mouse(const char* what, TMouseButton b, TShiftState s, int x, int y) {
    log->push_back(what + std::to_string(b) + " " + ShiftText(s) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  }
  void Click() override {
    log->push_back("click");
    TPanel::Click();
  }
  void DblClick() override {
    log->push_back("dblclick");
    TPanel::DblClick();
  }
  void KeyPress(char32_t& key) override {
    log->push_back("press " + std::to_string(static_cast<int>(key)));
    if (key == U'x') {
      key = 0;  // swallowed
      return;
    }
    if (key == U'a') key = U'b';
    TPanel::KeyPress(key);
  }
};
TBN_REGISTER(TTracePanel) {}

// A traced panel `p` that records into `log`.
class Messages : public ::testing::Test {
 protected:
  Log log;
  std::unique_ptr<TTracePanel> p{Traced()};
  TTracePanel* Traced() {
    auto* t = new TTracePanel(nullptr);
    t->log = &log;
    return t;
  }
};

TEST_F(Messages, PerformReachesOverriddenHandlersAndUnknownMessagesTheDefault) {
  p->SetCursor(crHourGlass);
  p->SetCursor(crHourGlass);  // unchanged: no message
  EXPECT_EQ(p->Perform(WM_USER + 7, 1, 2), 42);
  p->SetBounds(0, 0, 50, 50);
  p->SetBounds(10, 10, 50, 50);  // moved only: no WM_SIZE
  EXPECT_EQ(log, (Log{"cursor -11", "default " + std::to_string(WM_USER + 7)}));
  EXPECT_EQ(p->sizeMessages, 1);
}

TEST_F(Messages, MouseSequencesFireDownClickUpAndDoubleClicks) {
  p->SetBounds(0, 0, 100, 50);
  p->OnClick = TNotifyEvent([&](TObject*) { log.push_back("OnClick"); });
  p->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MakeLParam(5, 6));
  EXPECT_TRUE(p->GetControlState().Contains(csLButtonDown));
  EXPECT_EQ(Screen()->GetCaptureControl(), p.get());
  p->Perform(WM_LBUTTONUP, 0, MakeLParam(7, 8));
  EXPECT_EQ(Screen()->GetCaptureControl(), nullptr);
  // Released outside: no click.
  p->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 6));
  p->Perform(WM_LBUTTONUP, 0, MakeLParam(-3, 200));
  p->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(1, 1));
  p->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(2, 3));
  EXPECT_EQ(log, (Log{"down 0 SL 5,6", "click", "OnClick", "up 0  7,8", "down 0 L 5,6",
                      "up 0  -3,200", "dblclick", "down 0 LD 1,1", "down 1  2,3"}));
  // Without double clicks the second press is a plain press.
  log.clear();
  p->SetControlStyle(p->GetControlStyle() - TControlStyle{csDoubleClicks});
  p->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(1, 1));
  EXPECT_EQ(log, (Log{"down 0 L 1,1"}));
  // No standard events: the mouse reaches no handler.
  log.clear();
  p->SetControlStyle(p->GetControlStyle() + TControlStyle{csNoStdEvents});
  p->Perform(WM_RBUTTONDOWN, 0, MakeLParam(1, 1));
  EXPECT_EQ(log, Log{});
}

TEST_F(Messages, KeyPressMaySwallowOrReplaceTheCharacter) {
  std::u32string typed;
  p->OnKeyPress = TKeyPressEvent([&](TObject*, char32_t& c) { typed += c; });
  uint16_t seen = 0;
  p->OnKeyDown = TKeyEvent([&](TObject*, uint16_t& k, TShiftState s) {
    seen = k;
    if (s.Contains(ssAlt)) k = 0;
  });
  for (char32_t c : {U'a', U'x', U'\u00e4'}) p->Perform(WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(typed, U"b\u00e4");
  // Unconsumed keys go on to the default handling; consumed ones stop.
  log.clear();
  p->Perform(WM_KEYDOWN, VK_RETURN, 0);
  p->Perform(WM_KEYDOWN, VK_F4, 0x20000000);  // with Alt: consumed
  EXPECT_EQ(seen, VK_F4);
  EXPECT_EQ(log, (Log{"default " + std::to_string(WM_KEYDOWN)}));
}

// A scroll box that hands its mouse messages to its parent panel in the
// parent's coordinates, as a panel that owns an inner scroll box needs.
class TForwardingBox : public TScrollingWinControl {
  TBN_CLASS(TForwardingBox, TScrollingWinControl)
 public:
  using TScrollingWinControl::TScrollingWinControl;
  void WndProc(TMessage& m) override {
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && GetParent()) {
      int x = GetXLParam(m.LParam) + GetLeft(), y = GetYLParam(m.LParam) + GetTop();
      m.Result = GetParent()->Perform(m.Msg, m.WParam, MakeLParam(x, y));
      return;
    }
    TScrollingWinControl::WndProc(m);
  }
};
TBN_REGISTER(TForwardingBox) {}

TEST_F(Messages, ForwardedMouseMessagesArriveInParentCoordinates) {
  p->SetBounds(0, 0, 200, 100);
  auto* box = Place<TForwardingBox>(p.get(), 12, 7, 100, 50);
  log.clear();
  for (uint32_t m = WM_MOUSEFIRST; m <= WM_MOUSELAST; ++m) box->Perform(m, 0, MakeLParam(1, 2));
  EXPECT_EQ(log,
            (Log{"down 0  13,9", "click", "up 0  13,9", "dblclick", "down 0 D 13,9", "down 1  13,9",
                 "up 1  13,9", "down 1 D 13,9", "down 2  13,9", "up 2  13,9", "down 2 D 13,9"}));
}

TEST_F(Messages, PostedMessagesWaitForProcessMessagesAndDieWithTheirControl) {
  TTracePanel* doomed = Traced();
  Application()->PostMessage(p.get(), WM_USER + 1, 0, 0);
  Application()->PostMessage(doomed, WM_USER + 2, 0, 0);
  Application()->PostMessage(p.get(), WM_USER + 3, 0, 0);
  EXPECT_EQ(log, Log{});
  TObject::Free(doomed);
  Application()->ProcessMessages();
  EXPECT_EQ(log, (Log{"default " + std::to_string(WM_USER + 1),
                      "default " + std::to_string(WM_USER + 3)}));
  EXPECT_EQ(Application()->GetPendingCount(), 0);
}

}  // namespace
}  // namespace tabulon
