// tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]...: loads a
// form, shows it modally under the scripted host, feeds it the script and
// prints the modal result and the values of the controls the script names
// (and those given with --show; a dataset shows its current record); --png
// writes the form as the script ends.
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "apps/tabulon/command.h"
#include "platform/core/exceptions.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/host/host.h"
#include "platform/streaming/formres.h"

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

// A component owned by `root` at any depth, or null.
TComponent* FindOwned(TComponent* root, const std::string& name) {
  if (TComponent* f = root->FindComponent(name)) return f;
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (TComponent* f = FindOwned(root->Components(i), name)) return f;
  return nullptr;
}

// The current record of a dataset: "FIELD=value, ..." (or a word for a
// closed or empty dataset).
std::string DescribeRecord(TDataSet* ds) {
  if (!ds->GetActive()) return "(closed)";
  if (ds->IsEmpty()) return "(empty)";
  std::string out;
  for (int i = 0; i < ds->GetFieldCount(); ++i) {
    TField* f = ds->GetFields()->Get(i);
    out += (i ? ", " : "") + f->GetFieldName() + "=" + f->GetDisplayText();
  }
  return out;
}

int RunForm(CommandContext& ctx) {
  std::string formFile, scriptFile, png;
  std::vector<std::string> show;
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
    else if (formFile.empty())
      formFile = a;
    else
      throw EConvertError("Unexpected argument " + a);
  }
  if (formFile.empty()) {
    ctx.Err << "usage: tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]...\n";
    return 2;
  }
  std::unique_ptr<TComponent> root(ReadComponentResFile(formFile, nullptr));
  auto* form = dynamic_cast<TCustomForm*>(root.get());
  if (!form) {
    ctx.Err << "error: " << formFile << " holds a " << root->ClassName() << ", not a form\n";
    return 1;
  }
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
    auto* c = dynamic_cast<TControl*>(form->FindComponent(n));
    if (!c) {
      std::function<TComponent*(TComponent*)> find = [&](TComponent* o) -> TComponent* {
        if (TComponent* f = o->FindComponent(n)) return f;
        for (int i = 0; i < o->ComponentCount(); ++i)
          if (TComponent* f = find(o->Components(i))) return f;
        return nullptr;
      };
      c = dynamic_cast<TControl*>(find(form));
    }
    if (c) {
      ctx.Out << n << " = " << DescribeControlValue(c) << "\n";
    } else if (auto* ds = dynamic_cast<TDataSet*>(FindOwned(form, n))) {
      ctx.Out << n << " = " << DescribeRecord(ds) << "\n";
    }
  }
  for (const TMessageRecord& m : host.Messages())
    ctx.Out << "Message: " << m.Caption << ": " << m.Text << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND("run", "FORMFILE [--script FILE] [--png OUT] [--show NAME]...",
            "shows a form modally under the scripted host and prints its result", RunForm);

}  // namespace tabulon::app
