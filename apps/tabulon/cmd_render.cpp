// tabulon render FORMFILE OUT.png [--width W --height H]: reads a form file
// into live controls and paints its root control into a PNG picture, so that
// a form can be looked at without a window system. The picture's name must
// end in .png. With --drop NAME the form is shown and the drop-down control
// NAME opened by a click on its button; the picture then also holds the list
// that opened (a top-level window), where it stands on the screen relative
// to the form.
#include <algorithm>
#include <charconv>
#include <memory>
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/form_input.h"
#include "platform/controls/control.h"
#include "platform/core/exceptions.h"
#include "platform/forms/form.h"
#include "platform/forms/popupchoice.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/textmetrics.h"
#include "platform/host/host.h"

namespace tabulon::app {
namespace {

bool ParseSize(const std::string& text, int& out) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && out > 0 && out <= 16384;
}

bool EndsWithPng(const std::string& name) {
  return name.size() > 4 && SameText(std::string_view(name).substr(name.size() - 4), ".png");
}

int Run(CommandContext& ctx) {
  std::vector<std::string> files;
  std::string drop;
  int width = 0, height = 0;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    if (a == "--drop") {
      if (i + 1 >= ctx.Args.size()) throw EUsageError("--drop needs a control name");
      drop = ctx.Args[++i];
    } else if (a == "--width" || a == "--height") {
      int* target = a == "--width" ? &width : &height;
      if (i + 1 >= ctx.Args.size() || !ParseSize(ctx.Args[i + 1], *target))
        throw EUsageError(a + " needs a size from 1 to 16384");
      ++i;
    } else if (a.size() > 1 && a[0] == '-') {
      throw EUsageError("unknown option " + a);
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) throw EUsageError("give a form file and a picture file");
  if (!EndsWithPng(files[1])) throw EUsageError("the picture's file name must end in .png");
  std::string fallback = TextMetricsFallbackReason();
  if (!fallback.empty()) ctx.Err << "tabulon render: " << fallback << "\n";
  std::unique_ptr<TComponent> root(ReadFormComponents(files[0], ReadFormInput(files[0])));
  auto* control = dynamic_cast<TControl*>(root.get());
  if (!control)
    throw EInputError(files[0] + ": the root is a " + root->ClassName() + ", not a control");
  if (width > 0 || height > 0)
    control->SetBounds(control->GetLeft(), control->GetTop(),
                       width > 0 ? width : control->GetWidth(),
                       height > 0 ? height : control->GetHeight());
  if (control->GetWidth() <= 0 || control->GetHeight() <= 0)
    throw EInputError(files[0] + ": the root control has no area to paint");
  TControl* list = nullptr;
  TPoint listAt;
  int pw = control->GetWidth(), ph = control->GetHeight();
  if (!drop.empty()) {
    auto* form = dynamic_cast<TCustomForm*>(control);
    auto* chooser = dynamic_cast<TPopupChooser*>(root->FindComponent(drop));
    if (!form || !chooser)
      throw EInputError(files[0] + ": no drop-down control named '" + drop + "' on the form");
    form->Show();
    THost host;
    if (chooser->DropButtonControl()) host.Click(chooser->DropButtonControl());
    list = chooser->ChoiceList();
    if (!list) throw EInputError(drop + " did not open its list");
    // The form's outer top-left is the picture's origin.
    listAt = {list->GetLeft() - form->GetLeft(), list->GetTop() - form->GetTop()};
    pw = std::max(pw, listAt.X + list->GetWidth());
    ph = std::max(ph, listAt.Y + list->GetHeight());
  }
  TBitmap picture(pw, ph);
  picture.Canvas().GetBrush()->SetColor(clWhite);
  picture.Canvas().FillRect(Rect(0, 0, pw, ph));
  control->PaintTo(picture.Canvas(), 0, 0);
  if (list) list->PaintTo(picture.Canvas(), listAt.X, listAt.Y);
  picture.SaveToPNGFile(files[1]);
  ctx.Out << files[1] << ": " << picture.GetWidth() << "x" << picture.GetHeight() << " "
          << root->ClassName() << " " << root->GetName() << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND("render", "FORMFILE OUT.png [--width W --height H] [--drop NAME]",
            "paints the root control of a form file into a PNG picture", Run);

}  // namespace tabulon::app
