// Message boxes: ShowMessage and MessageDlg build a form of our own (a
// TMessageForm) with an icon, the message and a row of buttons, show it
// modally and return the button pressed. The form keeps its message and
// kind so that a host can report what a box said.
#pragma once

#include <string>

#include "platform/forms/button.h"
#include "platform/forms/form.h"

namespace tabulon {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

/// The form of a message box.
class TMessageForm : public TForm {
  TBN_CLASS(TMessageForm, TForm)
 public:
  explicit TMessageForm(TComponent* owner);
  const std::string& GetMessage() const { return message_; }
  TMsgDlgType GetDlgType() const { return type_; }
  TMsgDlgButtons GetButtons() const { return buttons_; }
  /// The button of `button`, or null when the box has none.
  TButton* FindDlgButton(TMsgDlgBtn button) const;

 protected:
  void PaintSelf(TCanvas& canvas) override;

 private:
  friend TMessageForm* CreateMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons);
  void HelpClick(TObject* sender);
  std::string message_;
  TMsgDlgType type_ = mtCustom;
  TMsgDlgButtons buttons_;
  TRect textRect_;
};

/// Builds (does not show) a message box; the caller frees it.
TMessageForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons);
/// Shows a message box and returns the modal result of the button pressed.
int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx);
/// Shows `msg` with an OK button, captioned with the application title.
void ShowMessage(const std::string& msg);
/// The modal result a message box button gives (mrNone for Help).
TModalResult ModalResultOf(TMsgDlgBtn button);

}  // namespace tabulon

TBN_ENUM(tabulon::TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation",
         "mtCustom");
TBN_ENUM(tabulon::TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore",
         "mbAll", "mbHelp");
