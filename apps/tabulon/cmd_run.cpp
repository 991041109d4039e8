// tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]...
//   [--value PANEL.FIELD[.SLOT]=TEXT]... [--rows DATASET]...: loads a form,
// writes the given values into its fields panels' records, shows it modally
// under the scripted host, feeds it the script and prints the modal result,
// the values of the controls the script names (and those given with
// --show) and the records the named datasets show; --png writes the form as
// the script ends.
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/records_text.h"
#include "platform/core/exceptions.h"
#include "platform/db/dataset.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"
#include "run/tbnset.h"

namespace tabulon::app {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void SnapshotPng(TCustomForm& form, const std::string& path) {
  TBitmap bitmap(form.GetWidth(), form.GetHeight());
  TCanvas canvas(&bitmap);
  form.PaintTo(canvas, 0, 0);
  bitmap.SaveToPNGFile(path);
}

// The component named `name` on the form or on any component it owns.
TComponent* FindNamed(TComponent* owner, const std::string& name) {
  if (TComponent* f = owner->FindComponent(name)) return f;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (TComponent* f = FindNamed(owner->Components(i), name)) return f;
  return nullptr;
}

// Writes "PANEL.FIELD[.SLOT]=TEXT" into the record's edit value.
void SetPanelValue(TComponent* form, const std::string& arg) {
  const size_t eq = arg.find('=');
  const size_t dot = arg.find('.');
  if (eq == std::string::npos || dot == std::string::npos || dot > eq)
    throw EConvertError("Expected PANEL.FIELD=TEXT, got " + arg);
  std::string panelName = arg.substr(0, dot), field = arg.substr(dot + 1, eq - dot - 1);
  int slot = 0;
  if (field.size() > 2 && field[field.size() - 2] == '.' &&
      (field.back() == '0' || field.back() == '1')) {
    slot = field.back() - '0';
    field.resize(field.size() - 2);
  }
  auto* panel = dynamic_cast<TFieldsSetModel*>(FindNamed(form, panelName));
  if (!panel) throw EConvertError("No fields panel named " + panelName);
  panel->FieldByName(field)->SetAsString(slot, arg.substr(eq + 1));
}

int RunForm(CommandContext& ctx) {
  std::string formFile, scriptFile, png;
  std::vector<std::string> show, values, rows;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= ctx.Args.size()) throw EConvertError("Missing value after " + a);
      return ctx.Args[++i];
    };
    if (a == "--script")
      scriptFile = next();
    else if (a == "--png")
      png = next();
    else if (a == "--show")
      show.push_back(next());
    else if (a == "--value")
      values.push_back(next());
    else if (a == "--rows")
      rows.push_back(next());
    else if (formFile.empty())
      formFile = a;
    else
      throw EConvertError("Unexpected argument " + a);
  }
  if (formFile.empty()) {
    ctx.Err << "usage: tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]... "
               "[--value PANEL.FIELD[.SLOT]=TEXT]... [--rows DATASET]...\n";
    return 2;
  }
  std::unique_ptr<TComponent> root(ReadComponentResFile(formFile, nullptr));
  auto* form = dynamic_cast<TCustomForm*>(root.get());
  if (!form) {
    ctx.Err << "error: " << formFile << " holds a " << root->ClassName() << ", not a form\n";
    return 1;
  }
  for (const std::string& v : values) SetPanelValue(form, v);
  std::vector<TScriptStep> steps;
  if (!scriptFile.empty()) steps = ParseScript(ReadFile(scriptFile));
  std::vector<std::string> names = MentionedControls(steps);
  for (const std::string& n : show)
    if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);

  THost host;
  host.Queue(steps);
  host.OnModalClosing = [&](TCustomForm& closing) {
    if (&closing == form && !png.empty()) SnapshotPng(closing, png);
  };
  TModalResult result = form->ShowModal();
  const char* name = ModalResultName(result);
  ctx.Out << "ModalResult: " << (name ? name : std::to_string(result).c_str()) << "\n";
  for (const std::string& n : names) {
    if (auto* c = dynamic_cast<TControl*>(FindNamed(form, n)))
      ctx.Out << n << " = " << DescribeControlValue(c) << "\n";
  }
  for (const std::string& n : rows) {
    auto* data = dynamic_cast<TDataSet*>(FindNamed(form, n));
    if (!data) throw EConvertError("No dataset named " + n);
    ctx.Out << "Rows of " << n << ": " << data->GetRecordCount() << "\n";
    PrintRecords(ctx.Out, data, 0);
  }
  for (const TMessageRecord& m : host.Messages())
    ctx.Out << "Message: " << m.Caption << ": " << m.Text << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND(
    "run",
    "FORMFILE [--script FILE] [--png OUT] [--show NAME]... [--value PANEL.FIELD[.SLOT]=TEXT]... "
    "[--rows DATASET]...",
    "shows a form modally under the scripted host and prints its result", RunForm);

}  // namespace tabulon::app
