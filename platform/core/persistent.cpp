#include "platform/core/persistent.h"

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TPersistent) {}

void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
  } else {
    AssignError(nullptr);
  }
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
  std::string sourceName = source ? source->ClassName() : "nil";
  throw EConvertError(Format(ResStr("SAssignError"), {sourceName, ClassName()}));
}

void TPersistent::DefineProperties(TFiler*) {}

std::string TPersistent::GetNamePath() const {
  std::string result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    std::string s = owner->GetNamePath();
    if (!s.empty()) result = s + "." + result;
  }
  return result;
}

}  // namespace tabulon
