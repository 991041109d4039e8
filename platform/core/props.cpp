#include "platform/core/props.h"

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

namespace {

const TPropInfo* Require(const TObject* instance, std::string_view name) {
  const TPropInfo* p = GetPropInfo(instance, name);
  if (!p) throw EPropertyError(Format(ResStr("SUnknownProperty"), {std::string(name)}));
  return p;
}

void CheckKind(const TPropInfo* prop, TTypeKinds kinds) {
  if (!kinds.Contains(prop->Kind()))
    throw EPropertyError(Format(ResStr("SInvalidPropertyType"), {prop->Name}));
}

template <class F>
void CheckWritable(const TPropInfo*, const F& setter) {
  if (!setter) throw EPropertyError(ResStr("SReadOnlyProperty"));
}

}  // namespace

const TPropInfo* GetPropInfo(const TClass* cls, std::string_view name, TTypeKinds kinds) {
  if (!cls) return nullptr;
  const TPropInfo* p = cls->FindProperty(name);
  return p && kinds.Contains(p->Kind()) ? p : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name, TTypeKinds kinds) {
  return instance ? GetPropInfo(instance->ClassType(), name, kinds) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(const TObject* instance, TTypeKinds kinds) {
  std::vector<const TPropInfo*> out;
  for (const TPropInfo* p : instance->ClassType()->Properties())
    if (kinds.Contains(p->Kind())) out.push_back(p);
  return out;
}

int64_t GetOrdProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, tkOrdinal);
  return prop->GetOrd(instance);
}

void SetOrdProp(TObject* instance, const TPropInfo* prop, int64_t value) {
  CheckKind(prop, tkOrdinal);
  CheckWritable(prop, prop->SetOrd);
  prop->SetOrd(instance, value);
}

std::string GetEnumProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, {tkEnumeration});
  return prop->PropType->EnumName(prop->GetOrd(instance));
}

void SetEnumProp(TObject* instance, const TPropInfo* prop, std::string_view name) {
  CheckKind(prop, {tkEnumeration});
  int64_t v = prop->PropType->EnumValue(name);
  if (v < 0) throw EPropertyError(ResStr("SInvalidPropertyValue"));
  SetOrdProp(instance, prop, v);
}

std::string GetSetProp(const TObject* instance, const TPropInfo* prop, bool brackets) {
  CheckKind(prop, {tkSet});
  uint64_t bits = static_cast<uint64_t>(prop->GetOrd(instance));
  const TTypeInfo* elem = prop->PropType->CompType;
  std::string out;
  for (size_t i = 0; i < elem->Names.size() && i < 64; ++i) {
    if (bits & (uint64_t{1} << i)) {
      if (!out.empty()) out += ',';
      out += elem->Names[i];
    }
  }
  return brackets ? "[" + out + "]" : out;
}

void SetSetProp(TObject* instance, const TPropInfo* prop, std::string_view text) {
  CheckKind(prop, {tkSet});
  const TTypeInfo* elem = prop->PropType->CompType;
  uint64_t bits = 0;
  size_t p = 0;
  auto trim = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '[')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == ']')) s.remove_suffix(1);
    return s;
  };
  text = trim(text);
  while (p <= text.size() && !text.empty()) {
    size_t comma = text.find(',', p);
    if (comma == std::string_view::npos) comma = text.size();
    std::string_view name = trim(text.substr(p, comma - p));
    int64_t v = elem->EnumValue(name);
    if (v < 0 || v >= 64) throw EPropertyError(ResStr("SInvalidPropertyValue"));
    bits |= uint64_t{1} << v;
    p = comma + 1;
  }
  SetOrdProp(instance, prop, static_cast<int64_t>(bits));
}

long double GetFloatProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, {tkFloat});
  return prop->GetFloat(instance);
}

void SetFloatProp(TObject* instance, const TPropInfo* prop, long double value) {
  CheckKind(prop, {tkFloat});
  CheckWritable(prop, prop->SetFloat);
  prop->SetFloat(instance, value);
}

std::string GetStrProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, {tkString});
  return prop->GetStr(instance);
}

void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value) {
  CheckKind(prop, {tkString});
  CheckWritable(prop, prop->SetStr);
  prop->SetStr(instance, value);
}

TObject* GetObjectProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, {tkClass});
  return prop->GetObj(instance);
}

void SetObjectProp(TObject* instance, const TPropInfo* prop, TObject* value) {
  CheckKind(prop, {tkClass});
  CheckWritable(prop, prop->SetObj);
  prop->SetObj(instance, value);
}

TMethod GetMethodProp(const TObject* instance, const TPropInfo* prop) {
  CheckKind(prop, {tkMethod});
  return prop->GetMethod(instance);
}

void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value) {
  CheckKind(prop, {tkMethod});
  CheckWritable(prop, prop->SetMethod);
  prop->SetMethod(instance, value);
}

int64_t GetOrdProp(const TObject* instance, std::string_view name) {
  return GetOrdProp(instance, Require(instance, name));
}
void SetOrdProp(TObject* instance, std::string_view name, int64_t value) {
  SetOrdProp(instance, Require(instance, name), value);
}
std::string GetStrProp(const TObject* instance, std::string_view name) {
  return GetStrProp(instance, Require(instance, name));
}
void SetStrProp(TObject* instance, std::string_view name, const std::string& value) {
  SetStrProp(instance, Require(instance, name), value);
}
TObject* GetObjectProp(const TObject* instance, std::string_view name) {
  return GetObjectProp(instance, Require(instance, name));
}
TMethod GetMethodProp(const TObject* instance, std::string_view name) {
  return GetMethodProp(instance, Require(instance, name));
}
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value) {
  SetMethodProp(instance, Require(instance, name), value);
}

bool IsStoredProp(const TObject* instance, const TPropInfo* prop) {
  return prop->IsStored(instance);
}

bool IsDefaultPropValue(const TObject* instance, const TPropInfo* prop) {
  switch (prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
      return prop->HasDefault && prop->GetOrd(instance) == prop->Default;
    case tkFloat:
      return prop->GetFloat(instance) == 0;
    case tkString:
      return prop->GetStr(instance).empty();
    case tkMethod:
      return !prop->GetMethod(instance).Assigned();
    case tkClass:
      return prop->GetObj(instance) == nullptr;
    default:
      return false;
  }
}

std::string PropTypeName(const TPropInfo* prop) {
  const TTypeInfo* t = prop->PropType;
  if (!t) return "?";
  if (t->Kind == tkClass && t->ClassType) return t->ClassType()->ClassName();
  return t->Name;
}

}  // namespace tabulon
