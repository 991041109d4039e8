// tabulon run FORMFILE [--script FILE] [--png OUT] [--show NAME]...
//   [--value PANEL.FIELD[.SLOT]=TEXT]... [--rows DATASET]... [--limit N]
//   [--execute DIALOG]...: loads a form, writes the given values into the
// records of its fields panels (or find and filter dialogs), shows it modally
// under the scripted host (or, with --execute, runs the named dialogs'
// Execute in turn instead), feeds it the script and prints the modal result
// (or what each Execute returned), the values of the controls the script names (and those given
// with
// --show, which must name controls or datasets of the form; a dataset shows
// its current record) and the records the named datasets show (up to N rows
// each with --limit, after the count of all of them) with the current record
// marked; --png writes the form (the last dialog's form) as the script ends.
// Script errors name their line. A script names a panel's editor as
// PANEL.FIELD or PANEL.FIELD.SLOT (`click FilterPanel1.CITY`, then `type
// Berlin`); PANEL may also be a find or filter dialog.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/form_input.h"
#include "apps/tabulon/records_text.h"
#include "platform/core/exceptions.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/forms/form.h"
#include "platform/host/host.h"
#include "run/tbnfset.h"
#include "run/tbnset.h"

namespace tabulon::app {
namespace {

// The component named `name` on the form or on any component it owns.
TComponent* FindNamed(TComponent* owner, const std::string& name) {
  if (TComponent* f = owner->FindComponent(name)) return f;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (TComponent* f = FindNamed(owner->Components(i), name)) return f;
  return nullptr;
}

// A field of a fields panel named as PANEL.FIELD or PANEL.FIELD.SLOT (slot
// 0 or 1, 0 when left out; PANEL may name a dialog, which stands for its
// panel); null for a name of another shape or one that names no fields
// panel of the form. A panel without the field raises the
// panel's own "field not found" error.
struct TPanelField {
  TFieldsSetModel* Panel = nullptr;
  TFieldRecord* Record = nullptr;
  int Slot = 0;
};

std::optional<TPanelField> FindPanelField(TComponent* form, std::string name) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos || dot == 0) return std::nullopt;
  TPanelField result;
  if (name.size() > dot + 3 && name[name.size() - 2] == '.' &&
      (name.back() == '0' || name.back() == '1')) {
    result.Slot = name.back() - '0';
    name.resize(name.size() - 2);
  }
  TComponent* named = FindNamed(form, name.substr(0, dot));
  result.Panel = dynamic_cast<TFieldsSetModel*>(named);
  if (auto* dialog = dynamic_cast<TFieldsSet*>(named)) result.Panel = dialog->GetPanel();
  if (!result.Panel) return std::nullopt;
  result.Record = result.Panel->FieldByName(name.substr(dot + 1));
  return result;
}

// Writes "PANEL.FIELD[.SLOT]=TEXT" into the record's edit value.
void SetPanelValue(TComponent* form, const std::string& arg) {
  const size_t eq = arg.find('=');
  const size_t dot = arg.find('.');
  if (eq == std::string::npos || dot == std::string::npos || dot > eq)
    throw EUsageError("--value expects PANEL.FIELD=TEXT, got " + arg);
  std::optional<TPanelField> field = FindPanelField(form, arg.substr(0, eq));
  if (!field) throw EInputError("no fields panel or dialog named '" + arg.substr(0, dot) + "'");
  field->Record->SetAsString(field->Slot, arg.substr(eq + 1));
}

// The editor a panel shows for PANEL.FIELD[.SLOT], so that a script can
// click into it and type; null when the name is not of that shape or the
// field has no editor in that slot (hidden, or a single value).
TControl* FindPanelEditor(TComponent* form, const std::string& name) {
  std::optional<TPanelField> field = FindPanelField(form, name);
  if (!field) return nullptr;
  return dynamic_cast<TControl*>(field->Record->Editors[field->Slot]);
}

// A fields panel reads as its values, "FIELD=TEXT, ..." (a range as
// FIELD=LOW..HIGH), the fields without a value left out.
std::string DescribePanel(TFieldsSetModel* panel) {
  std::string out;
  TFieldsList* list = panel->GetFields();
  for (int i = 0; list && i < list->Count(); ++i) {
    TFieldRecord* r = list->GetItem(i);
    if (r->IsNull(0) && r->IsNull(1)) continue;
    std::string value = r->GetAsString(0);
    if (!r->IsNull(1) && r->GetAsString(1) != value) value += ".." + r->GetAsString(1);
    out += (out.empty() ? "" : ", ") + r->GetFieldName() + "=" + value;
  }
  return out.empty() ? "(no values)" : out;
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
  std::vector<std::string> show, values, rows, execute;
  long limit = 0;
  bool limitGiven = false;
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
    else if (a == "--value")
      values.push_back(next());
    else if (a == "--rows")
      rows.push_back(next());
    else if (a == "--execute")
      execute.push_back(next());
    else if (a == "--limit") {
      const std::string text = next();
      char* end = nullptr;
      limit = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end || limit < 0)
        throw EUsageError("--limit needs a number of 0 or more (0: all)");
      limitGiven = true;
    } else if (a.size() > 1 && a[0] == '-')
      throw EUsageError("unknown option " + a);
    else if (formFile.empty())
      formFile = a;
    else
      throw EUsageError("unexpected argument " + a);
  }
  if (formFile.empty()) throw EUsageError("no form file given");
  if (limitGiven && rows.empty()) throw EUsageError("--limit goes with --rows");
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
  for (const std::string& n : show) {
    TComponent* c = FindNamed(form, n);
    if (!dynamic_cast<TControl*>(c) && !dynamic_cast<TDataSet*>(c) && !FindPanelField(form, n))
      throw EInputError(formFile + ": no control named '" + n + "' on form '" + form->GetName() +
                        "'");
  }
  std::vector<TFieldsSet*> dialogs;
  for (const std::string& n : execute) {
    auto* dialog = dynamic_cast<TFieldsSet*>(FindNamed(form, n));
    if (!dialog)
      throw EInputError(formFile + ": no find or filter dialog named '" + n + "' on form '" +
                        form->GetName() + "'");
    dialogs.push_back(dialog);
  }
  for (const std::string& n : rows)
    if (!dynamic_cast<TDataSet*>(FindNamed(form, n)))
      throw EInputError(formFile + ": no dataset named '" + n + "' on form '" + form->GetName() +
                        "'");
  std::vector<std::string> names = MentionedControls(steps);
  for (const std::string& n : show)
    if (std::find(names.begin(), names.end(), n) == names.end()) names.push_back(n);

  THost host;
  // A dialog's panel lives on the dialog's own form while it shows, but
  // the script names it by the dialog on the loaded form.
  host.OnFindControl = [&](TCustomForm& active, const std::string& n) {
    TControl* editor = FindPanelEditor(&active, n);
    return editor ? editor : FindPanelEditor(form, n);
  };
  host.Queue(steps);
  // Values go in under the host: a search they start may show a message box,
  // which the script answers like any other.
  for (const std::string& v : values) SetPanelValue(form, v);
  host.OnModalClosing = [&](TCustomForm& closing) {
    if (png.empty()) return;
    const bool dialogForm = std::any_of(dialogs.begin(), dialogs.end(),
                                        [&](TFieldsSet* d) { return d->GetForm() == &closing; });
    if (dialogs.empty() ? &closing == form : dialogForm) SaveFormPicture(closing, png);
  };
  TModalResult result = mrNone;
  // What each Execute answered, and where the datasets given with --show
  // stood after it (a dialog's Next moves them from one showing to the next).
  std::vector<std::string> executed;
  try {
    if (dialogs.empty())
      result = form->ShowModal();
    else
      for (size_t i = 0; i < dialogs.size(); ++i) {
        std::string line =
            "Execute " + execute[i] + ": " + (dialogs[i]->Execute() ? "True" : "False");
        for (const std::string& n : show)
          if (auto* ds = dynamic_cast<TDataSet*>(FindNamed(form, n)))
            line += "\n  " + n + " = " + DescribeRecord(ds);
        executed.push_back(line);
      }
  } catch (const Exception& e) {
    // Every failure while the script runs names the script line.
    std::string message = e.Message();
    if (host.CurrentLine() > 0 && message.rfind("Script ", 0) != 0)
      message = "Script line " + std::to_string(host.CurrentLine()) + ": " + message;
    throw EInputError(scriptFile.empty() ? message : scriptFile + ": " + message);
  }
  if (dialogs.empty()) {
    const char* name = ModalResultName(result);
    ctx.Out << "ModalResult: " << (name ? name : std::to_string(result).c_str()) << "\n";
  }
  for (const std::string& line : executed) ctx.Out << line << "\n";
  for (const std::string& n : names) {
    TComponent* c = FindNamed(form, n);
    if (auto* panel = dynamic_cast<TFieldsSetModel*>(c))
      ctx.Out << n << " = " << DescribePanel(panel) << "\n";
    else if (auto* control = dynamic_cast<TControl*>(c))
      ctx.Out << n << " = " << DescribeControlValue(control) << "\n";
    else if (std::optional<TPanelField> field = FindPanelField(form, n))
      ctx.Out << n << " = " << field->Record->GetAsString(field->Slot) << "\n";
    else if (auto* ds = dynamic_cast<TDataSet*>(c); ds && dialogs.empty())
      ctx.Out << n << " = " << DescribeRecord(ds) << "\n";  // after --execute: shown above
  }
  for (const std::string& n : rows) {
    auto* data = dynamic_cast<TDataSet*>(FindNamed(form, n));
    const int count = data->GetRecordCount();
    ctx.Out << "Rows of " << n << ": " << count;
    if (limit > 0 && limit < count) ctx.Out << " (the first " << limit << " shown)";
    ctx.Out << "\n";
    PrintRecordsAndCurrent(ctx.Out, data, limit);
  }
  for (const TMessageRecord& m : host.Messages())
    ctx.Out << "Message: " << m.Caption << ": " << m.Text << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND(
    "run",
    "FORMFILE [--script FILE] [--png OUT] [--show NAME]... [--value PANEL.FIELD[.SLOT]=TEXT]... "
    "[--rows DATASET]... [--limit N] [--execute DIALOG]...",
    "shows a form modally under the scripted host and prints its result", RunForm);

}  // namespace tabulon::app
