// TButton: a push button. Clicking it (mouse, Space, or Enter/Escape as
// the form's default/cancel button) fires OnClick and, when it has a modal
// result, sets the form's modal result so that a modal form closes.
#pragma once

#include "platform/controls/wincontrol.h"
#include "platform/forms/modal.h"

namespace tabulon {

/// A push button.
class TButton : public TWinControl {
  TBN_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);

  /// Enter presses it (unless another button has the focus).
  bool GetDefault() const { return default_; }
  void SetDefault(bool v);
  /// Escape presses it.
  bool GetCancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  /// Whether Enter presses this button now: it is focused, or it is the
  /// default button and no other button is focused.
  bool IsActive() const;
  /// Gives the parent form the modal result, then fires OnClick.
  void Click() override;

 protected:
  void PaintSelf(TCanvas& canvas) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMLButtonUp(TMessage& msg) override;
  void WMGetDlgCode(TMessage& msg) override;
  void Dispatch(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  bool pressed_ = false;  // drawn down: mouse held on it or Space held
};

}  // namespace tabulon
