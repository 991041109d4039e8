// tabulon classes [NAME]: the registered classes the framework offers (not
// its internal helpers), or one class with its published properties and
// methods; what form files may contain.
#include <iomanip>
#include <ostream>

#include "apps/tabulon/command.h"
#include "platform/core/object.h"
#include "platform/core/props.h"

namespace tabulon::app {
namespace {

std::string DefaultText(const TPropInfo* p) {
  switch (p->Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar: {
      if (!p->HasDefault) return "nodefault";
      std::string ident = p->PropType->IdentOf(p->Default);
      return ident.empty() ? std::to_string(p->Default) : ident;
    }
    case tkEnumeration:
      return p->HasDefault ? p->PropType->EnumName(p->Default) : "nodefault";
    case tkSet: {
      if (!p->HasDefault) return "nodefault";
      std::string out;
      const TTypeInfo* e = p->PropType->CompType;
      for (size_t i = 0; i < e->Names.size() && i < 64; ++i)
        if (static_cast<uint64_t>(p->Default) & (uint64_t{1} << i))
          out += (out.empty() ? "" : ",") + e->Names[i];
      return "[" + out + "]";
    }
    case tkString:
      return "''";
    case tkFloat:
      return "0";
    case tkMethod:
    case tkClass:
      return "nil";
    default:
      return "-";
  }
}

std::string StoredText(const TPropInfo* p) {
  switch (p->Stored) {
    case srNever:
      return "never";
    case srPredicate:
      return p->StoredName.empty() ? "predicate" : p->StoredName;
    default:
      return "always";
  }
}

int Run(CommandContext& ctx) {
  if (ctx.Args.empty()) {
    for (const TClass* c : RegisteredClasses()) {
      if (c->IsInternal()) continue;
      ctx.Out << c->ClassName();
      if (c->ClassParent()) ctx.Out << " : " << c->ClassParent()->ClassName();
      ctx.Out << "\n";
    }
    return 0;
  }
  if (ctx.Args.size() > 1) throw EUsageError("give at most one class name");
  const TClass* cls = GetClass(ctx.Args[0]);
  if (!cls || cls->IsInternal()) throw EInputError("class " + ctx.Args[0] + " is not registered");
  ctx.Out << cls->ClassName();
  for (const TClass* p = cls->ClassParent(); p; p = p->ClassParent())
    ctx.Out << " : " << p->ClassName();
  ctx.Out << "\n";
  if (cls->IsComponentClass()) ctx.Out << "  (component class, creatable by name)\n";
  ctx.Out << "Published properties:\n";
  for (const TPropInfo* p : cls->Properties()) {
    ctx.Out << "  " << std::left << std::setw(24) << p->Name << " " << std::setw(22)
            << PropTypeName(p) << " default " << std::setw(12) << DefaultText(p) << " stored "
            << StoredText(p) << (p->ReadOnly ? " (read-only)" : "") << "\n";
  }
  auto methods = cls->Methods();
  ctx.Out << "Published methods:" << (methods.empty() ? " none" : "") << "\n";
  for (const TMethodInfo* m : methods) ctx.Out << "  " << m->Name << "\n";
  return 0;
}

}  // namespace

TBN_COMMAND("classes", "[NAME]",
            "lists the registered classes, or one class with its published properties and methods",
            Run);

}  // namespace tabulon::app
