// Window creation steps, insertion guards, coordinates, resizing events,
// streaming hooks, published properties, and the screen and application.
#include <gtest/gtest.h>

#include <memory>

#include "platform/controls/application.h"
#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/controls/scrollbox.h"
#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/props.h"
#include "tests/platform/controls/place.h"
#include "tests/platform/expect_throw.h"

namespace tabulon {
namespace {

using testing::Add;
using testing::ExpectThrow;
using testing::Place;

// An edit-like control: adds style bits and refuses foreign children unless
// it inserts them itself.
class TGuardedBox : public TCustomControl {
  TBN_CLASS(TGuardedBox, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  bool internalInsert = false;
  bool forceChild = false;
  int created = 0;

 protected:
  void CreateParams(TCreateParams& p) override {
    TCustomControl::CreateParams(p);
    p.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
    if (forceChild) p.Style |= WS_CHILD;
  }
  void CreateWnd() override {
    ++created;
    TCustomControl::CreateWnd();
  }
  void ValidateInsert(TComponent* c) override {
    if (c != this && !internalInsert)
      throw EComponentError("Control cannot be used in a '" + ClassName() + "'");
    TCustomControl::ValidateInsert(c);
  }
};
TBN_REGISTER(TGuardedBox) {}

TEST(Window, CreationRecordsParametersAndFollowsTheParent) {
  auto host = std::make_unique<TPanel>(nullptr);
  auto* box = new TGuardedBox(host.get());
  box->SetName("Box");
  box->SetTabStop(true);
  box->SetParent(host.get());
  EXPECT_FALSE(box->HandleAllocated());
  host->HandleNeeded();  // children get their windows with the parent's
  EXPECT_TRUE(box->HandleAllocated());
  EXPECT_EQ(box->created, 1);
  const TCreateParams& p = box->GetCreatedParams();
  EXPECT_EQ(p.Style,
            WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE | ES_MULTILINE | WS_CLIPCHILDREN);
  EXPECT_EQ(p.WndParent, host.get());
  EXPECT_EQ(p.WinClassName, "TGuardedBox");
  EXPECT_EQ(host->GetCreatedParams().Style & (WS_CHILD | WS_POPUP), WS_POPUP);
  box->RecreateWnd();
  EXPECT_EQ(box->created, 2);
  // Leaving the parent destroys the window; a child style then cannot be created.
  box->SetParent(nullptr);
  EXPECT_FALSE(box->HandleAllocated());
  box->forceChild = true;
  ExpectThrow<EInvalidOperation>([&] { box->HandleNeeded(); },
                                 "Control 'Box' has no parent window");
  EXPECT_FALSE(box->HandleAllocated());
  EXPECT_FALSE(box->GetControlState().Contains(csCreating));
}

TEST(Window, ValidateInsertMayRefuseAChild) {
  auto host = std::make_unique<TPanel>(nullptr);
  auto* box = Add<TGuardedBox>(host.get());
  auto* label = new TLabel(host.get());
  ExpectThrow<EComponentError>([&] { label->SetParent(box); },
                               "Control cannot be used in a 'TGuardedBox'");
  EXPECT_EQ(label->GetParent(), nullptr);
  EXPECT_EQ(box->GetControlCount(), 0);
  box->internalInsert = true;
  label->SetParent(box);
  EXPECT_EQ(box->GetControls(0), label);
  // No control may contain itself or its own parent.
  EXPECT_THROW(box->SetParent(box), EInvalidOperation);
  EXPECT_THROW(host->SetParent(box), EInvalidOperation);
  EXPECT_THROW(box->GetControls(1), EListError);
}

TEST(Window, CoordinatesPassThroughParentsAndBorders) {
  auto host = std::make_unique<TPanel>(nullptr);
  host->SetBounds(100, 50, 200, 150);
  host->SetBorderStyle(bsSingle);  // 2 pixels with the 3-D look
  auto* inner = Place<TPanel>(host.get(), 10, 20, 80, 60);
  auto* label = Add<TLabel>(inner, host.get());
  label->SetBounds(3, 4, 20, 10);
  EXPECT_EQ(host->GetClientOrigin(), (TPoint{102, 52}));
  EXPECT_EQ(label->ClientToScreen({1, 1}), (TPoint{116, 77}));
  EXPECT_EQ(label->ScreenToClient({116, 77}), (TPoint{1, 1}));
  EXPECT_EQ(inner->ControlAtPos({5, 6}, false), label);
  EXPECT_EQ(inner->ControlAtPos({30, 6}, false), nullptr);
  label->SetEnabled(false);
  EXPECT_EQ(inner->ControlAtPos({5, 6}, false), nullptr);
  EXPECT_EQ(inner->ControlAtPos({5, 6}, true), label);
}

TEST(Window, ResizeRunsOnlyWhenTheSizeChanges) {
  auto host = std::make_unique<TPanel>(nullptr);
  auto* label = Add<TLabel>(host.get());
  label->SetAutoSize(false);
  std::vector<std::string> log;
  host->OnResize = TNotifyEvent([&](TObject*) { log.push_back("panel"); });
  label->OnResize = TNotifyEvent([&](TObject*) { log.push_back("label"); });
  host->SetBounds(5, 5, host->GetWidth(), host->GetHeight());
  label->SetLeft(9);
  host->SetWidth(300);
  label->SetHeight(40);
  label->SetBounds(9, 7, label->GetWidth(), 40);  // moved only
  EXPECT_EQ(log, (std::vector<std::string>{"panel", "label"}));
}

TEST(Window, StreamingHooksWriteOwnedChildrenInsideTheirParents) {
  auto root = std::make_unique<TPanel>(nullptr);
  auto* data = new TComponent(root.get());  // non-visual, owned by the root
  auto* inner = Add<TPanel>(root.get());
  auto* owned = Add<TLabel>(inner, root.get());
  Add<TLabel>(inner);  // owned by the inner panel, not the root
  auto children = [&](TComponent* of) {
    std::vector<TComponent*> out;
    of->GetChildren([&](TComponent* c) { out.push_back(c); }, root.get());
    return out;
  };
  EXPECT_EQ(children(root.get()), (std::vector<TComponent*>{data, inner}));
  EXPECT_EQ(children(inner), (std::vector<TComponent*>{owned}));
  EXPECT_TRUE(owned->HasParent());
  EXPECT_FALSE(data->HasParent());
  EXPECT_EQ(owned->GetParentComponent(), inner);
  owned->SetParentComponent(root.get());
  EXPECT_EQ(owned->GetParent(), root.get());
  owned->SetName("Label1");
  ExpectThrow<EInvalidOperation>([&] { owned->SetParentComponent(data); },
                                 "A TComponent cannot be the parent of Label1");
}

TEST(Window, PublishedPropertiesAreReachableByName) {
  auto panel = std::make_unique<TPanel>(nullptr);
  const TPropInfo* bevel = GetPropInfo(panel.get(), "BevelOuter");
  ASSERT_NE(bevel, nullptr);
  EXPECT_EQ(GetEnumProp(panel.get(), bevel), "bvRaised");
  EXPECT_TRUE(IsDefaultPropValue(panel.get(), bevel));
  SetEnumProp(panel.get(), bevel, "bvLowered");
  EXPECT_EQ(panel->GetBevelOuter(), bvLowered);
  const TPropInfo* color = GetPropInfo(panel.get(), "Color");
  EXPECT_EQ(color->PropType->IdentOf(GetOrdProp(panel.get(), color)), "clBtnFace");
  EXPECT_FALSE(IsStoredProp(panel.get(), color));  // follows the parent: not written
  panel->SetColor(clWindow);
  EXPECT_TRUE(IsStoredProp(panel.get(), color));
  const TPropInfo* cursor = GetPropInfo(panel.get(), "Cursor");
  int64_t hourglass = 0;
  ASSERT_TRUE(cursor->PropType->ValueOfIdent("crHourGlass", hourglass));
  SetOrdProp(panel.get(), cursor, hourglass);
  EXPECT_EQ(panel->GetCursor(), -11);
  EXPECT_EQ(cursor->PropType->IdentOf(0), "crDefault");
  EXPECT_EQ(GetObjectProp(panel.get(), "Font"), panel->GetFont());
  EXPECT_EQ(GetOrdProp(panel.get(), "TabOrder"), -1);
  auto box = std::make_unique<TScrollBox>(nullptr);
  auto* bar = GetObjectProp(box.get(), "VertScrollBar");
  SetOrdProp(bar, "Range", 500);
  EXPECT_EQ(box->GetVertScrollBar()->GetRange(), 500);
  EXPECT_TRUE(box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(GetPropInfo(box.get(), "BorderStyle")->Default, bsSingle);
}

TEST(Window, ScreenCursorAndApplicationHelp) {
  int changes = Screen()->GetCursorChangeCount();
  Screen()->SetCursor(crHourGlass);
  Screen()->SetCursor(crHourGlass);
  Screen()->SetCursor(crDefault);
  EXPECT_EQ(Screen()->GetCursorChangeCount(), changes + 2);
  EXPECT_EQ(Screen()->GetWidth(), 1024);
  Application()->OnHelp = THelpEvent();
  EXPECT_TRUE(Application()->HelpContext(4711));
  EXPECT_EQ(Application()->GetLastHelpCommand(), HELP_CONTEXT);
  EXPECT_EQ(Application()->GetLastHelpData(), 4711);
  Application()->OnHelp = THelpEvent([](uint16_t, intptr_t data, bool& callHelp, bool& handled) {
    callHelp = false;
    handled = data == 1;
  });
  EXPECT_TRUE(Application()->HelpContext(1));
  EXPECT_FALSE(Application()->HelpContext(2));
  EXPECT_EQ(Application()->GetLastHelpData(), 4711);  // the hook kept the default away
  Application()->OnHelp = THelpEvent();
}

}  // namespace
}  // namespace tabulon
