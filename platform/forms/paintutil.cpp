// Drawing helpers shared by the standard controls.
#include "platform/forms/paintutil.h"

#include "platform/graphics/color.h"

namespace tabulon::forms_detail {

std::string StripAccel(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

char32_t AccelChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    char c = caption[i + 1];
    return static_cast<char32_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
  }
  return 0;
}

void DrawCaption(TCanvas& canvas, const TRect& r, const std::string& caption, TAlignment align,
                 bool enabled) {
  std::string text = StripAccel(caption);
  int w = canvas.TextWidth(text), h = canvas.TextHeight(text.empty() ? "Ag" : text);
  int x = r.Left;
  if (align == taCenter) x = r.Left + (r.Width() - w) / 2;
  if (align == taRightJustify) x = r.Right - w;
  int y = r.Top + (r.Height() - h) / 2;
  canvas.GetBrush()->SetStyle(bsClear);
  TColor keep = canvas.GetFont()->GetColor();
  if (!enabled) {
    canvas.GetFont()->SetColor(clBtnHighlight);
    canvas.TextRect(r, x + 1, y + 1, text);
    canvas.GetFont()->SetColor(clGrayText);
  }
  canvas.TextRect(r, x, y, text);
  // Underline the accelerator character.
  size_t pos = std::string::npos;
  for (size_t i = 0, j = 0; i + 1 < caption.size(); ++i, ++j) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    pos = j;
    break;
  }
  if (pos != std::string::npos && pos < text.size()) {
    int ux = x + canvas.TextWidth(text.substr(0, pos));
    int uw = canvas.TextWidth(text.substr(pos, 1));
    canvas.GetPen()->SetColor(canvas.GetFont()->GetColor());
    canvas.GetPen()->SetWidth(1);
    canvas.MoveTo(ux, y + h - 1);
    canvas.LineTo(ux + uw, y + h - 1);
  }
  canvas.GetFont()->SetColor(keep);
}

void DrawSunkenFrame(TCanvas& canvas, TRect& r, bool ctl3D) {
  if (ctl3D) {
    Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, r, clWindowFrame, clBtnFace, 1);
  } else {
    Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
  }
}

}  // namespace tabulon::forms_detail
