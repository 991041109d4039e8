// TCheckBox: a box that is ticked or cleared (or greyed, when allowed) by
// a click or the Space key; every change of state fires OnClick.
#pragma once

#include "platform/controls/wincontrol.h"

namespace tabulon {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

/// A check box.
class TCustomCheckBox : public TWinControl {
  TBN_CLASS(TCustomCheckBox, TWinControl)
 public:
  explicit TCustomCheckBox(TComponent* owner);

  bool GetChecked() const { return state_ == cbChecked; }
  void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return state_; }
  /// Changes the state; fires OnClick when it changed.
  void SetState(TCheckBoxState v);
  bool GetAllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  /// Which side the caption is on (taRightJustify: right of the box).
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  /// Moves to the next state: unchecked, checked, greyed (when allowed).
  virtual void Toggle();

 protected:
  void PaintSelf(TCanvas& canvas) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMLButtonUp(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  TBN_CLASS(TCheckBox, TCustomCheckBox)
 public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

}  // namespace tabulon

TBN_ENUM(tabulon::TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed");
