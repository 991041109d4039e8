// Modal results and the input source. A modal loop has no operating system
// to wait on: it asks the current input source for the next piece of input
// (a key, a click, a callback) until the form closes. The scripted host is
// the input source of tests and of the tabulon tool.
#pragma once

namespace tabulon {

class TCustomForm;

/// The result a modal form closes with; 0 keeps it open.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8;

/// The name of a modal result ("mrOk"), or its number for other values.
const char* ModalResultName(TModalResult r);

/// Where modal loops take their input from.
class TInputSource {
 public:
  virtual ~TInputSource() = default;
  /// A modal loop for `form` begins (the form is shown and active).
  virtual void ModalStarted(TCustomForm* form) { (void)form; }
  /// The modal loop for `form` is about to end: the form is still shown.
  virtual void ModalClosing(TCustomForm* form) { (void)form; }
  /// The modal loop for `form` ended (the form is hidden, not yet freed).
  virtual void ModalEnded(TCustomForm* form) { (void)form; }
  /// Delivers the next piece of input while `form` is the innermost modal
  /// form; false when no input remains.
  virtual bool DeliverInput(TCustomForm* form) = 0;
};

/// The current input source (null: modal loops fail at once).
TInputSource* GetInputSource();
/// Installs `source` and returns the previous one.
TInputSource* SetInputSource(TInputSource* source);

}  // namespace tabulon
