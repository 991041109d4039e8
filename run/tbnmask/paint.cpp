// TCustomQXMaskEdit: the ellipsis glyph, text margins and height, the caret,
// and the aligned painting of an unfocused control next to its button.
#include "platform/forms/textutil.h"
#include "platform/graphics/sysmetrics.h"
#include "platform/graphics/textmetrics.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnmask.h"

namespace tabulon {

std::unique_ptr<TBitmap> TCustomQXMaskEdit::CreateEllipsisGlyph() const {
  int bw = button_ ? button_->GetWidth() : 0;
  auto bmp = std::make_unique<TBitmap>(bw > 7 ? bw - 6 : 1, 4, true);
  const int d = 2;  // dot size
  int w = bmp->GetWidth();
  int g = std::clamp((w - 3 * d) / 2, 1, 3);  // gap between dots
  int i = (w - 3 * d - 2 * g) / 2;            // left offset
  TCanvas& c = bmp->Canvas();
  for (int k = 0; k < 3; ++k) c.PatBlt(i + k * (g + d), 1, d, d, BLACKNESS);
  return bmp;
}

int TCustomQXMaskEdit::GetTextHeight() const {
  return TextMetrics().GetMetrics(*GetFont()).tmHeight;
}

TPoint TCustomQXMaskEdit::GetTextMargins() {
  bool border = GetBorderStyle() == bsSingle;
  if (NewStyleControls()) {
    int i = !border ? 0 : GetCtl3D() ? 1 : 2;
    auto margins = static_cast<uint32_t>(Perform(EM_GETMARGINS, 0, 0));
    return {static_cast<int>(margins & 0xFFFF) + i, i};
  }
  int i = 0;
  if (border) {
    TFont systemFont;
    int sys = TextMetrics().GetMetrics(systemFont).tmHeight;
    i = std::min(sys, GetTextHeight()) / 4;
  }
  return {i, i};
}

void TCustomQXMaskEdit::SetShowCaret() {
  CreateCaret(GetFont()->GetStyle().Contains(fsBold) ? 2 : 1, GetTextHeight());
}

void TCustomQXMaskEdit::WMPaint(TMessage& msg) {
  bool copy = GetControlState().Contains(csPaintCopy);
  if ((alignment_ == taLeftJustify || focused_) && !copy) {
    inherited::WMPaint(msg);
    return;
  }
  if (!canvas_) {
    canvas_ = std::make_unique<TControlCanvas>();
    canvas_->SetControl(this);
  }
  // The surface of the message, else the control's own paint pass; headless
  // there is nothing to paint on outside one.
  auto* dc = reinterpret_cast<TCanvas*>(msg.WParam);
  TCanvasTarget target = dc ? dc->GetTarget() : GetPaintTarget();
  if (!target.Bitmap) return;
  if (button_) PaintButton(target);
  canvas_->SetTarget(target);
  try {
    PaintAligned(*canvas_);
  } catch (...) {
    canvas_->FreeTarget();
    throw;
  }
  canvas_->FreeTarget();
}

void TCustomQXMaskEdit::PaintButton(const TCanvasTarget& target) {
  TControlCanvas& bc = *button_->GetCanvas();
  TCanvasTarget t = target;
  t.Origin = {target.Origin.X + button_->GetLeft(), target.Origin.Y + button_->GetTop()};
  t.Clip = IntersectRect(target.Clip,
                         Bounds(t.Origin.X, t.Origin.Y, button_->GetWidth(), button_->GetHeight()));
  bc.SetFont(button_->GetFont());
  bc.GetBrush()->SetColor(button_->GetColor());
  bc.SetTarget(t);
  try {
    button_->Paint();
  } catch (...) {
    bc.FreeTarget();
    throw;
  }
  bc.FreeTarget();
}

void TCustomQXMaskEdit::PaintAligned(TCanvas& c) {
  c.SetFont(GetFont());
  TRect r = GetClientRect();
  r.Right -= internalButtonWidth_;
  if (!(NewStyleControls() && GetCtl3D()) && GetBorderStyle() == bsSingle) {
    c.GetBrush()->SetStyle(bsSolid);
    c.GetBrush()->SetColor(clWindowFrame);
    c.FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  c.GetBrush()->SetStyle(bsSolid);
  c.GetBrush()->SetColor(GetColor());
  if (!GetEnabled()) c.GetFont()->SetColor(clGrayText);
  std::string s = GetEditText();
  if (GetCharCase() == ecUpperCase) s = AnsiUpperCase(s);
  if (GetCharCase() == ecLowerCase) s = AnsiLowerCase(s);
  if (char32_t pc = GetPasswordChar()) {
    std::string one = forms_detail::EncodeUtf8(pc), masked;
    for (size_t n = Utf8Length(s); n > 0; --n) masked += one;
    s = masked;
  }
  TPoint m = GetTextMargins();
  int tw = c.TextWidth(s), x = m.X;
  if (alignment_ == taRightJustify)
    x = GetClientWidth() - tw - m.X - 1 - internalButtonWidth_;
  else if (alignment_ == taCenter)
    x = (GetClientWidth() - tw - internalButtonWidth_) / 2;
  c.TextRect(r, x, m.Y, s);
}

}  // namespace tabulon
