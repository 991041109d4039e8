// tabulon check FORM: reads a form file into live components, as a program
// loading it would, and reports the first error with its line (text files)
// and the path of the property, or any reference that names no component.
#include <ostream>

#include "apps/tabulon/command.h"
#include "platform/core/exceptions.h"
#include "platform/core/resources.h"
#include "platform/streaming/formres.h"
#include "platform/streaming/global.h"
#include "platform/streaming/reader.h"

namespace tabulon::app {
namespace {

// The class name and prefix flags of the root object of a binary form.
void PeekRoot(TMemoryStream& binary, std::string& className, TFilerFlags& flags) {
  {
    TReader reader(&binary, 256);
    reader.ReadSignature();
    int childPos;
    reader.ReadPrefix(flags, childPos);
    className = reader.ReadStr();
  }  // the reader puts the stream back at its own position; rewind after it
  binary.SetPosition(0);
}

int Run(CommandContext& ctx) {
  if (ctx.Args.size() != 1) {
    ctx.Err << "usage: tabulon check FORM\n";
    return 2;
  }
  const std::string& file = ctx.Args[0];
  TTextLineMap lines;
  TMemoryStream binary;
  try {
    TMemoryStream source;
    source.LoadFromFile(file);
    FormDataToBinary(std::string_view(source.Memory(), static_cast<size_t>(source.GetSize())),
                     binary, &lines);
  } catch (const EParserError& e) {
    ctx.Err << file << ": " << e.Message() << "\n";
    return 1;
  } catch (const Exception& e) {
    ctx.Err << file << ": " << e.Message() << "\n";
    return 1;
  }

  TComponent* root = nullptr;
  std::string where;
  try {
    std::string className;
    TFilerFlags flags;
    PeekRoot(binary, className, flags);
    if (!lines.empty()) where = ":" + std::to_string(lines.front().second);  // the root's line
    const TClass* cls = FindClass(className);
    where.clear();
    root = cls->CreateComponent(nullptr);
    TGlobalLoadScope scope;
    // A derived form's file changes its ancestors' forms: read those first.
    if (flags.Contains(ffInherited)) {
      std::vector<const TClass*> chain;
      for (const TClass* c = cls->ClassParent(); c; c = c->ClassParent())
        chain.insert(chain.begin(), c);
      for (const TClass* c : chain) {
        std::string res = FindFormResource(c->ClassName());
        if (!res.empty()) ReadFormData(FindResource(res), root);
      }
    }
    TReader reader(&binary, 4096);
    try {
      reader.ReadRootComponent(root);
    } catch (const Exception&) {
      int64_t pos = reader.ErrorPosition();
      int line = LineOfPosition(lines, pos);
      if (line)
        where = ":" + std::to_string(line);
      else if (pos >= 0)
        where = ": offset " + std::to_string(pos);
      throw;
    }
    scope.Finish();
    int problems = 0;
    for (const std::string& ref : reader.UnresolvedReferences()) {
      size_t arrow = ref.find(" -> ");
      bool otherForm = arrow != std::string::npos && ref.find('.', arrow) != std::string::npos;
      ctx.Err << file << ": "
              << (otherForm ? "note: reference to another form: " : "unresolved reference: ") << ref
              << "\n";
      if (!otherForm) ++problems;
    }
    int count = root->ComponentCount();
    TObject::Free(root);
    if (problems) return 1;
    ctx.Out << file << ": OK (" << className << ", " << count
            << (count == 1 ? " owned component)\n" : " owned components)\n");
    return 0;
  } catch (const Exception& e) {
    TObject::Free(root);
    ctx.Err << file << where << ": " << e.Message() << "\n";
    return 1;
  }
}

}  // namespace

TBN_COMMAND("check", "FORM",
            "reads a form file into live components (all classes registered) and reports the "
            "first error with line and property path",
            Run);

}  // namespace tabulon::app
