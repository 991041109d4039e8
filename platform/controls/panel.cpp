// The bevelled panel.
#include "platform/controls/panel.h"

#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"

namespace tabulon {

int WindowBorderWidth(TBorderStyle style, bool ctl3D) {
  if (style == bsNone) return 0;
  return ctl3D ? 2 : 1;
}

void PaintWindowBorder(TCanvas& canvas, int width, int height, TBorderStyle style, bool ctl3D) {
  if (style == bsNone) return;
  TRect r = Rect(0, 0, width, height);
  if (ctl3D) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
  } else {
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                   csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 185, 41);
  // Button face until a parent gives its colour.
  SetColor(clBtnFace);
  SetParentColor(true);
}

int TCustomPanel::FrameWidth() const {
  int w = borderWidth_;
  if (bevelOuter_ != bvNone) w += bevelWidth_;
  if (bevelInner_ != bvNone) w += bevelWidth_;
  return w;
}

void TCustomPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
  if (v == bevelInner_) return;
  bevelInner_ = v;
  FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevelOuter_) return;
  bevelOuter_ = v;
  FrameChanged();
}

void TCustomPanel::SetBevelWidth(int v) {
  if (v < 1) throw EInvalidOperation("Bevel width must be at least 1");
  if (v == bevelWidth_) return;
  bevelWidth_ = v;
  FrameChanged();
}

void TCustomPanel::SetBorderWidth(int v) {
  if (v < 0) throw EInvalidOperation("Border width must not be negative");
  if (v == borderWidth_) return;
  borderWidth_ = v;
  FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone && v != bsSingle) throw EPropertyError(ResStr("SInvalidPropertyValue"));
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
  // The client area changed size: children and listeners follow.
  Perform(WM_SIZE, 0, MakeLParam(GetClientWidth(), GetClientHeight()));
  Invalidate();
}

TRect TCustomPanel::GetNonClientMargins() const {
  int b = WindowBorderWidth(borderStyle_, GetCtl3D());
  return {b, b, b, b};
}

void TCustomPanel::PaintNonClient(TCanvas& canvas) {
  PaintWindowBorder(canvas, GetWidth(), GetHeight(), borderStyle_, GetCtl3D());
}

void TCustomPanel::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) {
    if (GetCtl3D())
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  int f = FrameWidth();
  rect = InflateRect(rect, -f, -f);
}

void TCustomPanel::CMTextChanged(TMessage& msg) {
  TCustomControl::CMTextChanged(msg);
  Invalidate();
}

void TCustomPanel::Paint() {
  TCanvas& c = *GetCanvas();
  TRect r = GetClientRect();
  auto colors = [](TBevelCut cut, TColor& top, TColor& bottom) {
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (bevelOuter_ != bvNone) {
    colors(bevelOuter_, top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  Frame3D(c, r, GetColor(), GetColor(), borderWidth_);
  if (bevelInner_ != bvNone) {
    colors(bevelInner_, top, bottom);
    Frame3D(c, r, top, bottom, bevelWidth_);
  }
  c.GetBrush()->SetColor(GetColor());
  c.FillRect(r);
  if (GetCaption().empty()) return;
  c.GetBrush()->SetStyle(bsClear);
  c.SetFont(GetFont());
  int h = c.TextHeight("W");
  int w = c.TextWidth(GetCaption());
  int y = (r.Top + r.Bottom - h) / 2;
  int x = r.Left;
  if (alignment_ == taCenter)
    x = (r.Left + r.Right - w) / 2;
  else if (alignment_ == taRightJustify)
    x = r.Right - w;
  c.TextRect(r, x, y, GetCaption());
}

}  // namespace tabulon
