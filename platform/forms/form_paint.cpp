// TCustomForm: the window frame and caption bar, and the published properties.
#include "platform/forms/form.h"
#include "platform/forms/publish.h"
#include "platform/graphics/sysmetrics.h"

namespace tabulon {
namespace {

int FrameWidth(TFormBorderStyle style) {
  switch (style) {
    case bsNone:
      return 0;
    case bsSizeable:
    case bsSizeToolWin:
      return 4;
    default:
      return GetSystemMetrics(SM_CXDLGFRAME);
  }
}

int CaptionHeight(TFormBorderStyle style) {
  if (style == bsNone) return 0;
  if (style == bsToolWindow || style == bsSizeToolWin) return 15;
  return GetSystemMetrics(SM_CYCAPTION);
}

}  // namespace

TRect TCustomForm::GetNonClientMargins() const {
  int f = FrameWidth(borderStyle_);
  return TRect{f, f + CaptionHeight(borderStyle_), f, f};
}

void TCustomForm::PaintNonClient(TCanvas& canvas) {
  if (borderStyle_ == bsNone) return;
  TRect r = Rect(0, 0, GetWidth(), GetHeight());
  canvas.GetBrush()->SetStyle(bsSolid);
  canvas.GetBrush()->SetColor(clBtnFace);
  canvas.FillRect(r);
  Frame3D(canvas, r, clBtnFace, clWindowFrame, 1);
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  int f = FrameWidth(borderStyle_);
  TRect bar = Rect(f, f, GetWidth() - f, f + CaptionHeight(borderStyle_) - 1);
  bool active = formState_.Contains(fsActivated);
  canvas.GetBrush()->SetColor(active ? clActiveCaption : clInactiveCaption);
  canvas.FillRect(bar);
  // Caption text: bold, in the caption colour, left of the border icons.
  canvas.GetFont()->SetName("Tahoma");
  canvas.GetFont()->SetHeight(-11);
  canvas.GetFont()->SetStyle({fsBold});
  canvas.GetFont()->SetColor(active ? clCaptionText : clInactiveCaptionText);
  canvas.GetBrush()->SetStyle(bsClear);
  int th = canvas.TextHeight("Ag");
  int iconRight = bar.Left + 2;
  if (!icon_->GetEmpty() && borderStyle_ != bsDialog) {
    icon_->Draw(canvas, bar.Left + 2, bar.Top + (bar.Height() - icon_->GetHeight()) / 2);
    iconRight += icon_->GetWidth() + 2;
  }
  canvas.TextRect(bar, iconRight + 2, bar.Top + (bar.Height() - th) / 2, GetCaption());
  if (!borderIcons_.Contains(biSystemMenu)) return;
  // The close box, and the help box of dialogs.
  int bs = bar.Height() - 4;
  TRect box = Rect(bar.Right - bs - 2, bar.Top + 2, bar.Right - 2, bar.Top + 2 + bs);
  auto drawBox = [&](TRect b) {
    canvas.GetBrush()->SetStyle(bsSolid);
    canvas.GetBrush()->SetColor(clBtnFace);
    canvas.FillRect(b);
    TRect e = b;
    Frame3D(canvas, e, clBtnHighlight, clWindowFrame, 1);
    return e;
  };
  TRect e = drawBox(box);
  canvas.GetPen()->SetColor(clBtnText);
  canvas.GetPen()->SetWidth(1);
  for (int d = 0; d < 2; ++d) {
    canvas.MoveTo(e.Left + 2 + d, e.Top + 2);
    canvas.LineTo(e.Right - 3 + d, e.Bottom - 2);
    canvas.MoveTo(e.Right - 3 + d, e.Top + 2);
    canvas.LineTo(e.Left + 2 + d, e.Bottom - 2);
  }
  if (borderIcons_.Contains(biHelp) && borderStyle_ == bsDialog) {
    TRect hb = Rect(box.Left - bs - 2, box.Top, box.Left - 2, box.Bottom);
    TRect he = drawBox(hb);
    canvas.GetFont()->SetColor(clBtnText);
    canvas.GetBrush()->SetStyle(bsClear);
    canvas.TextRect(he, he.Left + (he.Width() - canvas.TextWidth("?")) / 2,
                    he.Top + (he.Height() - th) / 2, "?");
  }
}

TBN_REGISTER(TCustomForm) {
  b.Property("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle)
      .Default(bsSizeable);
  b.Property("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  b.Property("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition).Default(poDesigned);
  b.Property("Icon", &TCustomForm::GetIcon, &TCustomForm::SetIcon);
  b.Property("HelpContext", &TCustomForm::GetHelpContext, &TCustomForm::SetHelpContext).Default(0);
  b.Property("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview).Default(false);
  b.Property("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl);
  b.Property("ModalResult", &TCustomForm::GetModalResult, &TCustomForm::SetModalResult)
      .Stored(false);
  b.Property("OnCreate", &TCustomForm::OnCreate);
  b.Property("OnDestroy", &TCustomForm::OnDestroy);
  b.Property("OnShow", &TCustomForm::OnShow);
  b.Property("OnHide", &TCustomForm::OnHide);
  b.Property("OnActivate", &TCustomForm::OnActivate);
  b.Property("OnDeactivate", &TCustomForm::OnDeactivate);
  b.Property("OnClose", &TCustomForm::OnClose);
  b.Property("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

TBN_REGISTER(TForm) {
  b.Property("Enabled", &TForm::GetEnabled, &TForm::SetEnabled).Default(true);
  b.Property("Hint", &TForm::GetHint, &TForm::SetHint);
  b.Property("ShowHint", &TForm::GetShowHint, &TForm::SetShowHint).Default(false);
  b.Property("OnClick", &TForm::OnClick);
  b.Property("OnDblClick", &TForm::OnDblClick);
  b.Property("Visible", &TForm::GetVisible, &TForm::SetVisible).Default(false);
  b.Property("Caption", &TForm::GetCaption, &TForm::SetCaption);
  b.Property("ClientWidth", &TForm::GetClientWidth, &TForm::SetClientWidth).Stored(false);
  b.Property("ClientHeight", &TForm::GetClientHeight, &TForm::SetClientHeight).Stored(false);
  b.Property("Color", &TForm::GetColor, &TForm::SetColor).Default(clBtnFace);
  b.Property("Ctl3D", &TForm::GetCtl3D, &TForm::SetCtl3D).Default(true);
  b.Property("Font", &TForm::GetFont, &TForm::SetFont);
  b.Property("OnKeyDown", &TForm::OnKeyDown);
  b.Property("OnKeyPress", &TForm::OnKeyPress);
  b.Property("OnKeyUp", &TForm::OnKeyUp);
  b.Property("OnResize", &TForm::OnResize);
}

}  // namespace tabulon
