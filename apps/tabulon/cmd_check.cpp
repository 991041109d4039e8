// tabulon check FORM: reads a form file into live components, as a program
// loading it would, and reports the first error with its line (text files)
// or offset (binary files) and the path of the property, or any reference
// that names no component.
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/form_input.h"
#include "platform/core/exceptions.h"

namespace tabulon::app {
namespace {

int Run(CommandContext& ctx) {
  if (ctx.Args.size() != 1) throw EUsageError("give one form file");
  const std::string& file = ctx.Args[0];
  TFormInput form = ReadFormInput(file);
  std::vector<std::string> unresolved;
  TComponent* root = ReadFormComponents(file, form, &unresolved);
  std::string className = root->ClassName();
  int count = root->ComponentCount();
  TObject::Free(root);
  int problems = 0;
  for (const std::string& ref : unresolved) {
    size_t arrow = ref.find(" -> ");
    bool otherForm = arrow != std::string::npos && ref.find('.', arrow) != std::string::npos;
    if (otherForm) {
      ctx.Err << "tabulon check: " << file << ": note: reference to another form: " << ref << "\n";
    } else {
      ctx.Err << "tabulon check: " << file << ": unresolved reference: " << ref << "\n";
      ++problems;
    }
  }
  if (problems) return 1;
  ctx.Out << file << ": OK (" << className << ", " << count
          << (count == 1 ? " owned component)\n" : " owned components)\n");
  return 0;
}

}  // namespace

TBN_COMMAND("check", "FORM",
            "reads a form file into live components (all classes registered) and reports the "
            "first error with line and property path",
            Run);

}  // namespace tabulon::app
