// TGroupBox: a captioned frame around a group of controls.
#pragma once

#include "platform/controls/wincontrol.h"

namespace tabulon {

/// A group box; its children are aligned inside the frame.
class TCustomGroupBox : public TWinControl {
  TBN_CLASS(TCustomGroupBox, TWinControl)
 public:
  explicit TCustomGroupBox(TComponent* owner);

 protected:
  void AdjustClientRect(TRect& rect) override;
  void PaintSelf(TCanvas& canvas) override;
  void CMTextChanged(TMessage& msg) override;
};

class TGroupBox : public TCustomGroupBox {
  TBN_CLASS(TGroupBox, TCustomGroupBox)
 public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

}  // namespace tabulon
