// The screen and the application objects. The screen knows the screen size,
// the global mouse cursor (the hourglass while work runs), the control with
// the input focus, the mouse capture and the active top-level control. The
// application queues posted messages until ProcessMessages delivers them,
// routes help requests to a hook and remembers whether it was terminated.
#pragma once

#include <deque>
#include <string>

#include "platform/controls/controltypes.h"
#include "platform/controls/messages.h"
#include "platform/core/component.h"

namespace tabulon {

class TControl;
class TWinControl;

/// The screen: size, cursor, focus and capture.
class TScreen : public TComponent {
  TBN_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);
  /// Screen width and height in pixels (the SM_CXSCREEN / SM_CYSCREEN metrics).
  int GetWidth() const;
  int GetHeight() const;
  int GetPixelsPerInch() const { return 96; }
  /// The global cursor: crDefault lets each control show its own.
  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  /// How many times the cursor changed (tests follow hourglass brackets).
  int GetCursorChangeCount() const { return cursorChanges_; }
  /// The control with the input focus.
  TWinControl* GetActiveControl() const { return activeControl_; }
  /// The active top-level control (a form).
  TWinControl* GetActiveForm() const { return activeForm_; }
  void SetActiveForm(TWinControl* form) { activeForm_ = form; }
  /// The control that receives mouse messages while a button is held.
  TControl* GetCaptureControl() const { return capture_; }
  void SetCaptureControl(TControl* c) { capture_ = c; }
  /// Number of Invalidate calls so far (a headless stand-in for repaint traffic).
  long GetInvalidateCount() const { return invalidates_; }

  /// Called as a control dies: every reference to it is dropped.
  void ControlDestroyed(TControl* c);
  /// Called by TControl::Invalidate.
  void NoteInvalidate(TControl*) { ++invalidates_; }
  /// Sets the focused control (TWinControl::SetFocus does this).
  void SetFocusedWindow(TWinControl* c) { activeControl_ = c; }

 private:
  TCursor cursor_ = crDefault;
  int cursorChanges_ = 0;
  TWinControl* activeControl_ = nullptr;
  TWinControl* activeForm_ = nullptr;
  TControl* capture_ = nullptr;
  long invalidates_ = 0;
};

/// Help request: command, data, may the default help run (in/out), handled (out).
using THelpEvent = TEvent<uint16_t, intptr_t, bool&, bool&>;
inline constexpr uint16_t HELP_CONTEXT = 0x0001, HELP_QUIT = 0x0002, HELP_CONTENTS = 0x0003;

/// The application: posted messages, help, termination.
class TApplication : public TComponent {
  TBN_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  /// Queues a message for `control`; ProcessMessages delivers it.
  void PostMessage(TControl* control, uint32_t msg, WPARAM wParam, LPARAM lParam);
  /// Delivers every queued message, including those posted while delivering.
  void ProcessMessages();
  /// Number of queued messages.
  int GetPendingCount() const { return static_cast<int>(queue_.size()); }
  /// Asks for help on context `context`: OnHelp decides; without a handler
  /// the request is recorded as the last help request. Returns whether it was handled.
  bool HelpContext(intptr_t context);
  bool HelpCommand(uint16_t command, intptr_t data);
  /// The last help request that reached the default help (command, data).
  uint16_t GetLastHelpCommand() const { return lastHelpCommand_; }
  intptr_t GetLastHelpData() const { return lastHelpData_; }
  const std::string& GetHelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& v) { helpFile_ = v; }
  bool GetTerminated() const { return terminated_; }
  void Terminate() { terminated_ = true; }
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TWinControl* GetMainForm() const { return mainForm_; }
  void SetMainForm(TWinControl* f) { mainForm_ = f; }
  /// Called as a control dies: its queued messages are dropped.
  void ControlDestroyed(TControl* c);

  THelpEvent OnHelp;

 private:
  struct Posted {
    TControl* Control;
    TMessage Msg;
  };
  std::deque<Posted> queue_;
  uint16_t lastHelpCommand_ = 0;
  intptr_t lastHelpData_ = 0;
  std::string helpFile_;
  bool terminated_ = false;
  std::string title_;
  TWinControl* mainForm_ = nullptr;
};

/// The screen object of the process.
TScreen* Screen();
/// The application object of the process.
TApplication* Application();

}  // namespace tabulon
