// THost: the scripted host. It is the input source of modal loops and
// drives forms exactly as a person would: it types into the focused
// control of the active form, presses keys with shift states, clicks and
// drags at controls or screen coordinates, chooses list items, answers
// message boxes and closes forms. A test queues a script (Run), arranges
// what happens inside the next ShowModal (a script or a callback with the
// form), and reads afterwards what the message boxes said.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/msgdlg.h"
#include "platform/host/script.h"

namespace tabulon {

/// What one message box said.
struct TMessageRecord {
  TMsgDlgType Type = mtCustom;
  std::string Caption;
  std::string Text;
};

/// The scripted host; installs itself as the input source while it lives.
class THost : public TInputSource {
 public:
  THost();
  ~THost() override;
  THost(const THost&) = delete;
  THost& operator=(const THost&) = delete;

  /// Queues the commands of `script` after those already queued.
  void Run(std::string_view script);
  void Queue(const std::vector<TScriptStep>& steps);
  /// The next modal form to open calls `fn` with itself as its first input.
  void OnNextModal(std::function<void(TCustomForm&)> fn);
  /// The next modal form to open takes its input from `script` first.
  void OnNextModal(std::string_view script);
  /// The next message box to open is answered with `button`.
  void AnswerNextMessage(TMsgDlgBtn button);
  /// What the message boxes said, in order.
  const std::vector<TMessageRecord>& Messages() const { return messages_; }
  /// The script line of the command being run or last run (0 before the first).
  int CurrentLine() const { return currentLine_; }
  /// Commands still queued (all frames).
  int PendingSteps() const;
  /// Called with each modal form just before its loop ends (the form still shown).
  std::function<void(TCustomForm&)> OnModalClosing;
  /// Asked for a control name that no component of the active form has, so
  /// that an application can give names to controls it makes itself (the
  /// editors of a panel, say). Null when it knows no such control either.
  std::function<TControl*(TCustomForm& form, const std::string& name)> OnFindControl;

  // Actions, performed at once on the active form.
  void Execute(const TScriptStep& step);
  void TypeText(std::string_view text);
  void PressKey(uint16_t key, TShiftState shift = {}, char32_t ch = 0);
  void PressKey(std::string_view keyText);
  void Click(TControl* control);
  void Click(TControl* control, TPoint local, bool dbl = false);
  void ClickAt(TPoint screen, bool dbl = false);
  void Drag(TControl* from, TPoint fromLocal, TControl* to, TPoint toLocal);
  /// Chooses item `text` of a list box, combo box, page control, lookup list
  /// or drop-down edit (opening it by its button) by mouse.
  void Choose(TControl* control, const std::string& text);
  /// Chooses item `index` (0-based) by mouse; for a data grid, the record
  /// `index` among those its dataset shows (the grid scrolls to it first).
  void Choose(TControl* control, int index);
  /// Closes the active form as its close box would.
  void CloseActiveForm();
  /// Writes a PNG picture of the active form to `path`; EFCreateError when
  /// the file cannot be written.
  void Snapshot(const std::string& path);
  /// The form input goes to; EInvalidOperation when no form is active.
  TCustomForm* ActiveForm() const;
  /// The control called `name` on the active form (searching owned components
  /// at any depth); EComponentError when there is none.
  TControl* FindControl(const std::string& name) const;

  void ModalStarted(TCustomForm* form) override;
  void ModalClosing(TCustomForm* form) override;
  void ModalEnded(TCustomForm* form) override;
  bool DeliverInput(TCustomForm* form) override;

 private:
  struct Frame {
    TCustomForm* Form = nullptr;  // the modal form the frame belongs to (null: the main one)
    std::deque<TScriptStep> Steps;
    std::function<void(TCustomForm&)> Callback;
  };
  struct Pending {
    std::vector<TScriptStep> Steps;
    std::function<void(TCustomForm&)> Callback;
  };

  TInputSource* previous_;
  std::vector<Frame> frames_;
  std::deque<Pending> nextModal_;
  std::deque<TMsgDlgBtn> answers_;
  std::vector<TMessageRecord> messages_;
  int currentLine_ = 0;
};

/// Paints `form` as it is now shown into a PNG file at `path`.
void SaveFormPicture(TCustomForm& form, const std::string& path);

/// The value a control shows, as text: Text of edits and combo boxes,
/// Checked of check and radio boxes, the selected item of list boxes, the
/// current record's cells of data grids.
std::string DescribeControlValue(TControl* control);

}  // namespace tabulon
