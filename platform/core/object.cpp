// TObject, class descriptors, the class registry and the type information of
// the built-in property types.
#include "platform/core/object.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

namespace {
std::string UpperAscii(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}
}  // namespace

bool SameText(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IsValidIdent(std::string_view s) noexcept {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(s[0])) return false;
  for (char c : s.substr(1))
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

// --- type information -------------------------------------------------------

std::string TTypeInfo::EnumName(int64_t value) const {
  if (value < 0 || value >= static_cast<int64_t>(Names.size())) return {};
  return Names[static_cast<size_t>(value)];
}

int64_t TTypeInfo::EnumValue(std::string_view name) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], name)) return static_cast<int64_t>(i);
  return -1;
}

std::string TTypeInfo::IdentOf(int64_t value) const {
  for (const auto& [n, v] : Idents)
    if (v == value) return n;
  return {};
}

bool TTypeInfo::ValueOfIdent(std::string_view name, int64_t& value) const {
  for (const auto& [n, v] : Idents)
    if (SameText(n, name)) {
      value = v;
      return true;
    }
  return false;
}

TTypeInfo MakeEnumInfo(std::string name, std::vector<std::string> names) {
  TTypeInfo t;
  t.Kind = tkEnumeration;
  t.Name = std::move(name);
  t.MinValue = 0;
  t.MaxValue = static_cast<int64_t>(names.size()) - 1;
  t.Names = std::move(names);
  return t;
}

namespace detail {

std::string ShortTypeName(std::string_view qualified) {
  size_t p = qualified.rfind("::");
  return std::string(p == std::string_view::npos ? qualified : qualified.substr(p + 2));
}

// Type information made on demand lives for the process, like the classes.
const TTypeInfo* IntegerInfo(std::string_view name, int64_t min, int64_t max, TTypeKind kind) {
  static std::map<std::tuple<std::string, int64_t, int64_t>, const TTypeInfo*> cache;
  auto key = std::make_tuple(std::string(name), min, max);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  auto* t = new TTypeInfo;
  t->Kind = kind;
  t->Name = std::string(name);
  t->MinValue = min;
  t->MaxValue = max;
  cache.emplace(key, t);
  return t;
}

const TTypeInfo* FloatInfo(std::string_view name) {
  static std::map<std::string, const TTypeInfo*, std::less<>> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  auto* t = new TTypeInfo;
  t->Kind = tkFloat;
  t->Name = std::string(name);
  cache.emplace(t->Name, t);
  return t;
}

const TTypeInfo* StringInfo() {
  static const TTypeInfo t = [] {
    TTypeInfo i;
    i.Kind = tkString;
    i.Name = "string";
    return i;
  }();
  return &t;
}

const TTypeInfo* VariantInfo() {
  static const TTypeInfo t = [] {
    TTypeInfo i;
    i.Kind = tkVariant;
    i.Name = "Variant";
    return i;
  }();
  return &t;
}

const TTypeInfo* BooleanInfo() {
  static const TTypeInfo t = MakeEnumInfo("Boolean", {"False", "True"});
  return &t;
}

const TTypeInfo* SetInfo(const TTypeInfo* element) {
  static std::map<const TTypeInfo*, const TTypeInfo*> cache;
  auto it = cache.find(element);
  if (it != cache.end()) return it->second;
  auto* t = new TTypeInfo;
  t->Kind = tkSet;
  t->Name = "set of " + element->Name;
  t->CompType = element;
  cache.emplace(element, t);
  return t;
}

const TTypeInfo* MethodInfo(const std::type_info& sig) {
  static std::map<std::string, const TTypeInfo*> cache;
  auto it = cache.find(sig.name());
  if (it != cache.end()) return it->second;
  auto* t = new TTypeInfo;
  t->Kind = tkMethod;
  t->Name = "TMethod";
  t->Signature = &sig;
  cache.emplace(sig.name(), t);
  return t;
}

const TTypeInfo* ClassInfo(const TClass* (*cls)()) {
  static std::map<const TClass* (*)(), const TTypeInfo*> cache;
  auto it = cache.find(cls);
  if (it != cache.end()) return it->second;
  auto* t = new TTypeInfo;
  t->Kind = tkClass;
  t->ClassType = cls;
  t->Name = "class";  // the class name is read through ClassType when needed
  cache.emplace(cls, t);
  return t;
}

void ThrowInvalidCast() { throw EInvalidCast(ResStr("SInvalidTypeCast")); }

void ThrowMethodMismatch(const std::string& prop) {
  throw EPropertyError(Format(ResStr("SInvalidMethodType"), {prop}));
}

}  // namespace detail

// --- classes ----------------------------------------------------------------

const TClass* TObject::StaticClass() {
  static const TClass* cls = new TClass("TObject", nullptr);
  return cls;
}

static const detail::AutoRegister kRegisterTObject{&TObject::StaticClass};

void TObject::Free(TObject* obj) {
  if (!obj) return;
  obj->BeforeDestruction();
  delete obj;
}

bool TClass::InheritsFrom(const TClass* other) const {
  for (const TClass* c = this; c; c = c->parent_)
    if (c == other) return true;
  return false;
}

TComponent* TClass::CreateComponent(TComponent* owner) const {
  if (!componentFactory_) throw EComponentError(Format(ResStr("SNotAComponentClass"), {name_}));
  return componentFactory_(owner);
}

TCollectionItem* TClass::CreateItem(TCollection* collection) const {
  if (!itemFactory_) throw EComponentError(Format(ResStr("SNotAComponentClass"), {name_}));
  return itemFactory_(collection);
}

TObject* TClass::CreateInstance() const {
  if (!defaultFactory_) throw EComponentError(Format(ResStr("SNotAComponentClass"), {name_}));
  return defaultFactory_();
}

const std::vector<const TPropInfo*>& TClass::Properties() const {
  if (!propsBuilt_) {
    if (parent_) allProps_ = parent_->Properties();
    for (const auto& p : ownProps_) {
      auto same = std::find_if(allProps_.begin(), allProps_.end(),
                               [&](const TPropInfo* q) { return SameText(q->Name, p->Name); });
      if (same != allProps_.end())
        *same = p.get();  // a redeclared property keeps its inherited position
      else
        allProps_.push_back(p.get());
    }
    for (size_t i = 0; i < allProps_.size(); ++i) {
      const_cast<TPropInfo*>(allProps_[i])->NameIndex = static_cast<int>(i);
      propIndex_[UpperAscii(allProps_[i]->Name)] = allProps_[i];
    }
    propsBuilt_ = true;
  }
  return allProps_;
}

const TPropInfo* TClass::FindProperty(std::string_view name) const {
  Properties();
  auto it = propIndex_.find(UpperAscii(name));
  return it == propIndex_.end() ? nullptr : it->second;
}

std::vector<const TMethodInfo*> TClass::Methods() const {
  std::vector<const TMethodInfo*> all =
      parent_ ? parent_->Methods() : std::vector<const TMethodInfo*>{};
  for (const auto& m : ownMethods_) all.push_back(m.get());
  return all;
}

const TMethodInfo* TClass::FindMethod(std::string_view name) const {
  for (const TClass* c = this; c; c = c->parent_)
    for (const auto& m : c->ownMethods_)
      if (SameText(m->Name, name)) return m.get();
  return nullptr;
}

std::string TClass::MethodName(const TObject* instance, const TMethod& m) const {
  if (!m.Assigned() || m.Data != instance) return {};
  for (const TClass* c = this; c; c = c->parent_)
    for (const auto& mi : c->ownMethods_)
      if (mi->Key == m.Key) return mi->Name;
  return {};
}

const TFieldInfo* TClass::FindField(std::string_view name) const {
  for (const TClass* c = this; c; c = c->parent_)
    for (const auto& f : c->ownFields_)
      if (SameText(f->Name, name)) return f.get();
  return nullptr;
}

bool TPropInfo::IsStored(const TObject* instance) const {
  switch (Stored) {
    case srNever:
      return false;
    case srPredicate:
      return StoredFn ? StoredFn(instance) : true;
    default:
      return true;
  }
}

// --- registry ---------------------------------------------------------------

namespace {
std::map<std::string, const TClass*>& Registry() {
  static std::map<std::string, const TClass*> registry;
  return registry;
}
}  // namespace

void RegisterClass(const TClass* cls) {
  auto& r = Registry();
  std::string key = UpperAscii(cls->ClassName());
  auto it = r.find(key);
  if (it != r.end()) {
    if (it->second != cls) throw EFilerError(Format(ResStr("SDuplicateClass"), {cls->ClassName()}));
    return;
  }
  r.emplace(key, cls);
}

const TClass* GetClass(std::string_view name) {
  auto it = Registry().find(UpperAscii(name));
  return it == Registry().end() ? nullptr : it->second;
}

const TClass* FindClass(std::string_view name) {
  const TClass* c = GetClass(name);
  if (!c) throw EClassNotFound(Format(ResStr("SClassNotFound"), {std::string(name)}));
  return c;
}

std::vector<const TClass*> RegisteredClasses() {
  std::vector<const TClass*> all;
  for (const auto& [k, c] : Registry()) all.push_back(c);
  return all;
}

}  // namespace tabulon
