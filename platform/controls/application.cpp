// The screen and application objects.
#include "platform/controls/application.h"

#include <memory>

#include "platform/controls/control.h"
#include "platform/controls/wincontrol.h"
#include "platform/core/class_builder.h"
#include "platform/graphics/sysmetrics.h"

namespace tabulon {

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  ++cursorChanges_;
}

void TScreen::ControlDestroyed(TControl* c) {
  if (activeControl_ == c) activeControl_ = nullptr;
  if (activeForm_ == c) activeForm_ = nullptr;
  if (capture_ == c) capture_ = nullptr;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

void TApplication::PostMessage(TControl* control, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  if (!control) return;
  queue_.push_back({control, TMessage{msg, wParam, lParam, 0}});
}

void TApplication::ProcessMessages() {
  while (!queue_.empty()) {
    Posted p = queue_.front();
    queue_.pop_front();
    p.Control->Perform(p.Msg.Msg, p.Msg.WParam, p.Msg.LParam);
  }
}

void TApplication::ControlDestroyed(TControl* c) {
  std::erase_if(queue_, [c](const Posted& p) { return p.Control == c; });
  if (mainForm_ == c) mainForm_ = nullptr;
}

bool TApplication::HelpCommand(uint16_t command, intptr_t data) {
  bool callHelp = true, handled = false;
  if (OnHelp.Assigned()) OnHelp(command, data, callHelp, handled);
  if (callHelp) {
    lastHelpCommand_ = command;
    lastHelpData_ = data;
    handled = true;
  }
  return handled;
}

bool TApplication::HelpContext(intptr_t context) { return HelpCommand(HELP_CONTEXT, context); }

TScreen* Screen() {
  static std::unique_ptr<TScreen> s(new TScreen(nullptr));
  return s.get();
}

TApplication* Application() {
  static std::unique_ptr<TApplication> a(new TApplication(nullptr));
  return a.get();
}

TBN_REGISTER(TScreen) {
  b.Property("Cursor", &TScreen::GetCursor, &TScreen::SetCursor).Default(crDefault);
}
TBN_REGISTER(TApplication) {}

}  // namespace tabulon
