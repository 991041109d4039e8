// TRadioButton: one choice of a group. The radio buttons with the same
// parent form a group: checking one clears the others.
#pragma once

#include "platform/controls/wincontrol.h"

namespace tabulon {

/// A radio button.
class TRadioButton : public TWinControl {
  TBN_CLASS(TRadioButton, TWinControl)
 public:
  explicit TRadioButton(TComponent* owner);

  bool GetChecked() const { return checked_; }
  /// Checking clears the sibling radio buttons and fires OnClick.
  void SetChecked(bool v);
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

 protected:
  void PaintSelf(TCanvas& canvas) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMLButtonUp(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;

 private:
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

}  // namespace tabulon
