// TSpeedButton: state, mouse tracking, groups and painting.
#include "platform/forms/speedbutton.h"

#include <algorithm>

#include "platform/forms/publish.h"

namespace tabulon {

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetControlStyle({csCaptureMouse, csDoubleClicks});
  SetBounds(0, 0, 23, 22);
  SetParentFont(true);
  glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
}

TSpeedButton::~TSpeedButton() { glyph_->OnChange = TNotifyEvent(); }

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (v)
    glyph_->Assign(v);
  else
    glyph_->SetSize(0, 0);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs v) {
  v = std::clamp(v, 1, 4);
  if (v == numGlyphs_) return;
  numGlyphs_ = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TSpeedButton::SetMargin(int v) {
  if (v < -1) v = -1;
  if (v == margin_) return;
  margin_ = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
  if (v == spacing_) return;
  spacing_ = v;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
  if (v == groupIndex_) return;
  groupIndex_ = v;
  if (v == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;  // a group keeps one button down
  down_ = v;
  state_ = v ? bsExclusive : bsUp;
  Invalidate();
  if (!v || !GetParent()) return;
  // The other buttons of the group come up.
  for (int i = 0; i < GetParent()->GetControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(GetParent()->GetControls(i));
    if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
      other->down_ = false;
      other->state_ = bsUp;
      other->Invalidate();
    }
  }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != mbLeft || !GetEnabled()) return;
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  inherited::MouseMove(shift, x, y);
  if (!dragging_) return;
  // Drawn down while the mouse stays over the button.
  bool inside = GetClientRect().Contains({x, y});
  TButtonState s = down_ || inside ? (down_ ? bsExclusive : bsDown) : bsUp;
  if (s != state_) {
    state_ = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  inherited::MouseUp(button, shift, x, y);
  if (!dragging_ || button != mbLeft) return;
  dragging_ = false;
  bool click = GetClientRect().Contains({x, y});
  if (groupIndex_ == 0) {
    state_ = bsUp;
  } else if (click) {
    SetDown(!down_);
  }
  state_ = down_ ? bsExclusive : bsUp;
  Invalidate();
  if (click) Click();
}

void TSpeedButton::CMEnabledChanged(TMessage& msg) {
  if (!GetEnabled()) dragging_ = false;
  state_ = down_ ? bsExclusive : bsUp;
  inherited::CMEnabledChanged(msg);
}

void TSpeedButton::DrawGlyph(TCanvas& canvas, int x, int y, TButtonState state) const {
  int w = glyph_->GetWidth() / numGlyphs_, h = glyph_->GetHeight();
  int image = static_cast<int>(state) < numGlyphs_ ? static_cast<int>(state) : 0;
  bool emboss = state == bsDisabled && image == 0;
  uint32_t key = static_cast<uint32_t>(glyph_->GetPixel(0, h - 1));
  uint32_t light = static_cast<uint32_t>(ColorToRGB(clBtnHighlight));
  uint32_t shadow = static_cast<uint32_t>(ColorToRGB(clBtnShadow));
  for (int pass = emboss ? 0 : 1; pass < 2; ++pass)
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        uint32_t p = glyph_->GetRaw(image * w + i, j);
        if (p == key) continue;
        // Disabled without an image of its own: a highlight below right, the shape in shadow.
        if (emboss)
          canvas.Plot(x + i + 1 - pass, y + j + 1 - pass, pass == 0 ? light : shadow);
        else
          canvas.Plot(x + i, y + j, p);
      }
}

void TSpeedButton::Paint() {
  TCanvas& c = *GetCanvas();
  TButtonState state = GetEnabled() ? state_ : bsDisabled;
  bool pressed = state == bsDown || state == bsExclusive;
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  if (pressed) {
    Frame3D(c, r, clWindowFrame, clBtnHighlight, 1);
    Frame3D(c, r, clBtnShadow, clBtnFace, 1);
  } else {
    Frame3D(c, r, clBtnHighlight, clWindowFrame, 1);
    Frame3D(c, r, clBtnFace, clBtnShadow, 1);
  }
  c.GetBrush()->SetStyle(bsSolid);
  c.GetBrush()->SetColor(clBtnFace);
  c.FillRect(r);
  if (state == bsExclusive) {
    // Held down in a group: a dither of face and highlight.
    uint32_t light = static_cast<uint32_t>(ColorToRGB(clBtnHighlight));
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left + ((y + r.Left) & 1); x < r.Right; x += 2) c.Plot(x, y, light);
  }
  int off = pressed ? 1 : 0;

  // Glyph and caption placed as the layout says, centred across the other axis.
  c.SetFont(GetFont());
  const std::string& caption = GetCaption();
  TSize text = caption.empty() ? TSize{0, 0} : c.TextExtent(caption);
  TSize glyph{glyph_->GetEmpty() ? 0 : glyph_->GetWidth() / numGlyphs_, glyph_->GetHeight()};
  TSize client{r.Width(), r.Height()};
  bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  TPoint gp, tp;
  if (horizontal) {
    gp.Y = (client.cy - glyph.cy + 1) / 2;
    tp.Y = (client.cy - text.cy + 1) / 2;
  } else {
    gp.X = (client.cx - glyph.cx + 1) / 2;
    tp.X = (client.cx - text.cx + 1) / 2;
  }
  int spacing = text.cx == 0 || glyph.cx == 0 ? 0 : spacing_;
  int margin = margin_;
  if (margin == -1) {
    int total = horizontal ? glyph.cx + spacing + text.cx : glyph.cy + spacing + text.cy;
    margin = ((horizontal ? client.cx : client.cy) - total + 1) / 2;
  }
  switch (layout_) {
    case blGlyphLeft:
      gp.X = margin;
      tp.X = gp.X + glyph.cx + spacing;
      break;
    case blGlyphRight:
      gp.X = client.cx - margin - glyph.cx;
      tp.X = gp.X - spacing - text.cx;
      break;
    case blGlyphTop:
      gp.Y = margin;
      tp.Y = gp.Y + glyph.cy + spacing;
      break;
    case blGlyphBottom:
      gp.Y = client.cy - margin - glyph.cy;
      tp.Y = gp.Y - spacing - text.cy;
      break;
  }
  TCanvasStateScope keep(c);
  c.IntersectClipRect(r);
  if (glyph.cx > 0) DrawGlyph(c, r.Left + gp.X + off, r.Top + gp.Y + off, state);
  if (!caption.empty()) {
    c.GetBrush()->SetStyle(bsClear);
    int x = r.Left + tp.X + off, y = r.Top + tp.Y + off;
    if (state == bsDisabled) {
      c.GetFont()->SetColor(clBtnHighlight);
      c.TextOut(x + 1, y + 1, caption);
      c.GetFont()->SetColor(clBtnShadow);
    }
    c.TextOut(x, y, caption);
  }
}

TBN_REGISTER(TSpeedButton) {
  b.Property("AllowAllUp", &TSpeedButton::GetAllowAllUp, &TSpeedButton::SetAllowAllUp)
      .Default(false);
  b.Property("GroupIndex", &TSpeedButton::GetGroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  b.Property("Down", &TSpeedButton::GetDown, &TSpeedButton::SetDown).Default(false);
  b.Property("Caption", &TSpeedButton::GetCaption, &TSpeedButton::SetCaption);
  b.Property("Glyph", &TSpeedButton::GetGlyph, &TSpeedButton::SetGlyph);
  b.Property("Layout", &TSpeedButton::GetLayout, &TSpeedButton::SetLayout).Default(blGlyphLeft);
  b.Property("Margin", &TSpeedButton::GetMargin, &TSpeedButton::SetMargin).Default(-1);
  b.Property("NumGlyphs", &TSpeedButton::GetNumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  b.Property("Spacing", &TSpeedButton::GetSpacing, &TSpeedButton::SetSpacing).Default(4);
  forms_detail::PublishControl(b);
}

}  // namespace tabulon
