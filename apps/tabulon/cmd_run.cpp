// tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]...: loads a
// form, shows it modally under the scripted host, feeds it the script and
// prints the modal result and the values of the controls the script names
// (and those given with --show, which must name controls of the form);
// --png writes the form as the script ends. Script errors name their line.
#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/form_input.h"
#include "platform/core/exceptions.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/host/host.h"

namespace tabulon::app {
namespace {

void SnapshotPng(TCustomForm& form, const std::string& path) {
  TBitmap bitmap(form.GetWidth(), form.GetHeight());
  TCanvas canvas(&bitmap);
  form.PaintTo(canvas, 0, 0);
  bitmap.SaveToPNGFile(path);
}

// A control of `form` (or of a frame it owns) by name, or null.
TControl* FindNamedControl(TCustomForm* form, const std::string& name) {
  std::function<TComponent*(TComponent*)> find = [&](TComponent* o) -> TComponent* {
    if (TComponent* f = o->FindComponent(name)) return f;
    for (int i = 0; i < o->ComponentCount(); ++i)
      if (TComponent* f = find(o->Components(i))) return f;
    return nullptr;
  };
  return dynamic_cast<TControl*>(find(form));
}

int RunForm(CommandContext& ctx) {
  std::string formFile, scriptFile, png;
  std::vector<std::string> show;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= ctx.Args.size()) throw EUsageError("missing value after " + a);
      return ctx.Args[++i];
    };
    if (a == "--script")
      scriptFile = next();
    else if (a == "--png")
      png = next();
    else if (a == "--show")
      show.push_back(next());
    else if (a.size() > 1 && a[0] == '-')
      throw EUsageError("unknown option " + a);
    else if (formFile.empty())
      formFile = a;
    else
      throw EUsageError("unexpected argument " + a);
  }
  if (formFile.empty()) throw EUsageError("no form file given");
  // Everything is read and checked before the form is shown.
  std::vector<TScriptStep> steps;
  if (!scriptFile.empty()) {
    try {
      steps = ParseScript(ReadInputFile(scriptFile));
    } catch (const EParserError& e) {
      throw EInputError(scriptFile + ": " + e.Message());
    }
  }
  std::unique_ptr<TComponent> root(ReadFormComponents(formFile, ReadFormInput(formFile)));
  auto* form = dynamic_cast<TCustomForm*>(root.get());
  if (!form) throw EInputError(formFile + ": the root is a " + root->ClassName() + ", not a form");
  for (const std::string& n : show)
    if (!FindNamedControl(form, n))
      throw EInputError(formFile + ": no control named '" + n + "' on form '" + form->GetName() +
                        "'");
  std::vector<std::string> names = MentionedControls(steps);
  for (const std::string& n : show)
    if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);

  THost host;
  host.Queue(steps);
  host.OnModalClosing = [&](TCustomForm& closing) {
    if (&closing == form && !png.empty()) SnapshotPng(closing, png);
  };
  TModalResult result;
  try {
    result = form->ShowModal();
  } catch (const Exception& e) {
    // Every failure while the script runs names the script line.
    std::string message = e.Message();
    if (host.CurrentLine() > 0 && message.rfind("Script ", 0) != 0)
      message = "Script line " + std::to_string(host.CurrentLine()) + ": " + message;
    throw EInputError(scriptFile.empty() ? message : scriptFile + ": " + message);
  }
  const char* name = ModalResultName(result);
  ctx.Out << "ModalResult: " << (name ? name : std::to_string(result).c_str()) << "\n";
  for (const std::string& n : names)
    if (TControl* c = FindNamedControl(form, n))
      ctx.Out << n << " = " << DescribeControlValue(c) << "\n";
  for (const TMessageRecord& m : host.Messages())
    ctx.Out << "Message: " << m.Caption << ": " << m.Text << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND("run", "FORMFILE [--script FILE] [--png OUT] [--show NAME]...",
            "shows a form modally under the scripted host and prints its result", RunForm);

}  // namespace tabulon::app
