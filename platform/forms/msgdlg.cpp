// Message boxes: layout, the kind's icon and caption, and showing them.
#include "platform/forms/msgdlg.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/controls/application.h"
#include "platform/core/class_builder.h"
#include "platform/core/resstrings.h"
#include "platform/forms/paintutil.h"
#include "platform/graphics/textmetrics.h"

namespace tabulon {
namespace {

const char* const kButtonNames[] = {"Yes",   "No",     "OK",  "Cancel", "Abort",
                                    "Retry", "Ignore", "All", "Help"};
const char* const kButtonCaptions[] = {"SMsgDlgYes",    "SMsgDlgNo",    "SMsgDlgOK",
                                       "SMsgDlgCancel", "SMsgDlgAbort", "SMsgDlgRetry",
                                       "SMsgDlgIgnore", "SMsgDlgAll",   "SMsgDlgHelp"};
const char* const kCaptions[] = {"SMsgDlgWarning", "SMsgDlgError", "SMsgDlgInformation",
                                 "SMsgDlgConfirm"};

constexpr int kMaxTextWidth = 400, kIconSize = 32, kMargin = 8, kButtonWidth = 75,
              kButtonHeight = 25, kButtonGap = 8;

// The message split into lines, long lines wrapped at word boundaries.
std::vector<std::string> WrapLines(const TFont& font, const std::string& msg) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= msg.size()) {
    size_t eol = msg.find('\n', start);
    std::string line =
        msg.substr(start, eol == std::string::npos ? std::string::npos : eol - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    while (TextMetrics().TextWidth(font, line) > kMaxTextWidth) {
      size_t cut = line.size();
      while (cut > 0 && TextMetrics().TextWidth(font, line.substr(0, cut)) > kMaxTextWidth)
        cut = line.rfind(' ', cut - 1) == std::string::npos ? 0 : line.rfind(' ', cut - 1);
      if (cut == 0) break;  // one long word stays whole
      out.push_back(line.substr(0, cut));
      line = line.substr(cut + 1);
    }
    out.push_back(line);
    if (eol == std::string::npos) break;
    start = eol + 1;
  }
  return out;
}

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn button) {
  static const TModalResult results[] = {mrYes,   mrNo,     mrOk,  mrCancel, mrAbort,
                                         mrRetry, mrIgnore, mrAll, mrNone};
  return results[button];
}

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  GetFont()->SetName("Tahoma");
  GetFont()->SetHeight(-11);
}

TButton* TMessageForm::FindDlgButton(TMsgDlgBtn button) const {
  return dynamic_cast<TButton*>(
      const_cast<TMessageForm*>(this)->FindComponent(kButtonNames[button]));
}

void TMessageForm::HelpClick(TObject*) { Application()->HelpContext(GetHelpContext()); }

void TMessageForm::PaintSelf(TCanvas& canvas) {
  inherited::PaintSelf(canvas);
  if (type_ != mtCustom) {
    // The kind's icon: a coloured disc with its sign.
    static const TColor colours[] = {clYellow, clRed, clBlue, clBlue};
    static const char* const signs[] = {"!", "X", "i", "?"};
    int r = kIconSize / 2;
    for (int y = 0; y < kIconSize; ++y)
      for (int x = 0; x < kIconSize; ++x) {
        int dx = x - r, dy = y - r;
        if (dx * dx + dy * dy <= r * r) canvas.SetPixel(kMargin + x, kMargin + y, colours[type_]);
      }
    canvas.GetFont()->SetName("DejaVu Sans");
    canvas.GetFont()->SetHeight(-20);
    canvas.GetFont()->SetStyle({fsBold});
    canvas.GetFont()->SetColor(type_ == mtWarning ? clBlack : clWhite);
    canvas.GetBrush()->SetStyle(bsClear);
    std::string s = signs[type_];
    canvas.TextOut(kMargin + r - canvas.TextWidth(s) / 2, kMargin + r - canvas.TextHeight(s) / 2,
                   s);
  }
  canvas.SetFont(GetFont());
  canvas.GetBrush()->SetStyle(bsClear);
  int lh = canvas.TextHeight("Ag"), y = textRect_.Top;
  for (const std::string& line : WrapLines(*GetFont(), message_)) {
    canvas.TextRect(textRect_, textRect_.Left, y, line);
    y += lh;
  }
}

TMessageForm* CreateMessageDialog(const std::string& msg, TMsgDlgType type,
                                  TMsgDlgButtons buttons) {
  auto form = std::make_unique<TMessageForm>(Application());
  form->message_ = msg;
  form->type_ = type;
  form->buttons_ = buttons;
  form->SetCaption(type == mtCustom ? Application()->GetTitle() : ResStr(kCaptions[type]));
  // Text block beside the icon; buttons centred below both.
  const TFont& font = *form->GetFont();
  std::vector<std::string> lines = WrapLines(font, msg);
  int lh = TextMetrics().GetMetrics(font).tmHeight, tw = 0;
  for (const std::string& l : lines) tw = std::max(tw, TextMetrics().TextWidth(font, l));
  int th = lh * static_cast<int>(lines.size());
  int textLeft = kMargin + (type == mtCustom ? 0 : kIconSize + 10);
  int textTop = kMargin + (type == mtCustom ? 0 : std::max(0, (kIconSize - th) / 2));
  form->textRect_ = Rect(textLeft, textTop, textLeft + tw, textTop + th);
  int count = 0;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (buttons.Contains(static_cast<TMsgDlgBtn>(b))) ++count;
  int rowWidth = count * kButtonWidth + std::max(0, count - 1) * kButtonGap;
  int contentBottom = std::max(form->textRect_.Bottom, type == mtCustom ? 0 : kMargin + kIconSize);
  int cw = std::max(textLeft + tw, rowWidth) + 2 * kMargin;
  int ch = contentBottom + 12 + kButtonHeight + kMargin;
  form->SetClientWidth(cw);
  form->SetClientHeight(ch);
  TMsgDlgBtn def = buttons.Contains(mbOK) ? mbOK : buttons.Contains(mbYes) ? mbYes : mbRetry;
  TMsgDlgBtn cancel = buttons.Contains(mbCancel) ? mbCancel : buttons.Contains(mbNo) ? mbNo : mbOK;
  int x = (cw - rowWidth) / 2;
  for (int i = mbYes; i <= mbHelp; ++i) {
    auto b = static_cast<TMsgDlgBtn>(i);
    if (!buttons.Contains(b)) continue;
    auto* button = new TButton(form.get());
    button->SetName(kButtonNames[i]);
    button->SetParent(form.get());
    button->SetCaption(ResStr(kButtonCaptions[i]));
    button->SetModalResult(ModalResultOf(b));
    button->SetBounds(x, contentBottom + 12, kButtonWidth, kButtonHeight);
    if (b == def) button->SetDefault(true);
    if (b == cancel) button->SetCancel(true);
    if (b == mbHelp) button->OnClick = TNotifyEvent(form.get(), &TMessageForm::HelpClick);
    x += kButtonWidth + kButtonGap;
  }
  if (TButton* d = form->FindDlgButton(def)) form->SetActiveControl(d);
  return form.release();
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx) {
  std::unique_ptr<TMessageForm> form(CreateMessageDialog(msg, type, buttons));
  form->SetHelpContext(helpCtx);
  return form->ShowModal();
}

void ShowMessage(const std::string& msg) { MessageDlg(msg, mtCustom, {mbOK}, 0); }

TBN_REGISTER(TMessageForm) {}

}  // namespace tabulon
