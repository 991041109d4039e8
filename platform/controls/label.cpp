// Labels and bevels.
#include "platform/controls/label.h"

#include "platform/controls/wincontrol.h"

namespace tabulon {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() = default;

std::string TCustomLabel::DisplayText() const {
  const std::string& t = GetCaption();
  if (!showAccelChar_) return t;
  std::string out;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '&') {
      if (i + 1 < t.size() && t[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += t[i];
  }
  return out;
}

std::vector<std::string> TCustomLabel::Lines(int width) const {
  std::string text = DisplayText();
  TTextMetricsProvider& tm = TextMetrics();
  const TFont& f = *GetFont();
  std::vector<std::string> lines;
  // Hard breaks first, then (with word wrap) breaks at blanks.
  size_t start = 0;
  while (true) {
    size_t nl = text.find('\n', start);
    std::string para = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!para.empty() && para.back() == '\r') para.pop_back();
    if (!wordWrap_) {
      lines.push_back(para);
    } else {
      std::string line;
      size_t i = 0;
      while (i <= para.size()) {
        size_t sp = para.find(' ', i);
        std::string word = para.substr(i, sp == std::string::npos ? std::string::npos : sp - i);
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && tm.TextWidth(f, candidate) > width) {
          lines.push_back(line);
          line = word;
        } else {
          line = candidate;
        }
        if (sp == std::string::npos) break;
        i = sp + 1;
      }
      lines.push_back(line);
    }
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  return lines;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading))
    return;
  TTextMetricsProvider& tm = TextMetrics();
  const TFont& f = *GetFont();
  int lineH = tm.GetMetrics(f).tmHeight;
  std::vector<std::string> lines = Lines(GetWidth());
  int w = 0;
  for (const auto& l : lines) w = std::max(w, tm.TextWidth(f, l));
  // An empty caption still takes the room of one blank.
  if (DisplayText().empty()) w = tm.TextWidth(f, " ");
  int h = lineH * static_cast<int>(lines.size());
  if (wordWrap_) w = GetWidth();
  int x = GetLeft();
  if (alignment_ == taRightJustify) x = GetLeft() + GetWidth() - w;
  SetBounds(x, GetTop(), w, h);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  TControlStyle s = GetControlStyle();
  if (v)
    s.Exclude(csOpaque);
  else
    s.Include(csOpaque);
  SetControlStyle(s);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (v == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
  TGraphicControl::Notification(component, operation);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& msg) {
  TGraphicControl::CMTextChanged(msg);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& msg) {
  TGraphicControl::CMFontChanged(msg);
  AdjustBounds();
}

void TCustomLabel::Paint() {
  TCanvas& c = *GetCanvas();
  TRect r = GetClientRect();
  if (!transparent_) {
    c.GetBrush()->SetColor(GetColor());
    c.GetBrush()->SetStyle(bsSolid);
    c.FillRect(r);
  }
  c.GetBrush()->SetStyle(bsClear);
  c.SetFont(GetFont());
  std::vector<std::string> lines = Lines(r.Width());
  int lineH = c.TextHeight("W");
  int total = lineH * static_cast<int>(lines.size());
  int y = 0;
  if (layout_ == tlCenter)
    y = (r.Height() - total) / 2;
  else if (layout_ == tlBottom)
    y = r.Height() - total;
  for (const auto& line : lines) {
    int w = c.TextWidth(line);
    int x = alignment_ == taCenter         ? (r.Width() - w) / 2
            : alignment_ == taRightJustify ? r.Width() - w
                                           : 0;
    if (!GetEnabled()) {
      // Disabled text: an embossed highlight under a shadow.
      c.GetFont()->SetColor(clBtnHighlight);
      c.TextRect(r, x + 1, y + 1, line);
      c.GetFont()->SetColor(clBtnShadow);
    }
    c.TextRect(r, x, y, line);
    y += lineH;
  }
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
  if (v == shape_) return;
  shape_ = v;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
  if (v == style_) return;
  style_ = v;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& c = *GetCanvas();
  TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = GetWidth(), h = GetHeight();
  auto line = [&c](TColor col, int x1, int y1, int x2, int y2) {
    c.GetPen()->SetColor(col);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  TRect r = Rect(0, 0, w, h);
  switch (shape_) {
    case bsBox:
      Frame3D(c, r, c1, c2, 1);
      break;
    case bsFrame: {
      TRect outer = Rect(0, 0, w - 1, h - 1), inner = Rect(1, 1, w, h);
      Frame3D(c, outer, c1, c1, 1);
      Frame3D(c, inner, c2, c2, 1);
      break;
    }
    case bsTopLine:
      line(c1, 0, 0, w, 0);
      line(c2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(c1, 0, h - 2, w, h - 2);
      line(c2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(c1, 0, 0, 0, h);
      line(c2, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(c1, w - 2, 0, w - 2, h);
      line(c2, w - 1, 0, w - 1, h);
      break;
  }
}

}  // namespace tabulon
