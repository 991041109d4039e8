// Self-painting controls and the control canvas.
#include "platform/controls/customcontrol.h"

#include "platform/core/class_builder.h"

namespace tabulon {

void TControlCanvas::SetControl(TControl* control) {
  control_ = control;
  SetTarget({});
}

void TControlCanvas::UpdateTarget() {
  SetTarget(control_ ? control_->GetPaintTarget() : TCanvasTarget{});
}

namespace {
// Runs `paint` with `canvas` drawing into `from`'s target, restoring after.
template <class F>
void PaintWith(TControlCanvas& canvas, TCanvas& from, F paint) {
  canvas.SetTarget(from.GetTarget());
  try {
    paint();
  } catch (...) {
    canvas.FreeTarget();
    throw;
  }
  canvas.FreeTarget();
}
}  // namespace

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}
TCustomControl::~TCustomControl() = default;

void TCustomControl::Paint() {}

void TCustomControl::PaintSelf(TCanvas& canvas) {
  canvas_->SetFont(GetFont());
  canvas_->GetBrush()->SetColor(GetColor());
  PaintWith(*canvas_, canvas, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint() {}

void TGraphicControl::PaintSelf(TCanvas& canvas) {
  canvas_->SetFont(GetFont());
  canvas_->GetBrush()->SetColor(GetColor());
  PaintWith(*canvas_, canvas, [this] { Paint(); });
}

TBN_REGISTER(TControlCanvas) {}
TBN_REGISTER(TCustomControl) {}
TBN_REGISTER(TGraphicControl) {}

}  // namespace tabulon
