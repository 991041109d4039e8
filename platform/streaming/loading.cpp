// Load bookkeeping, global name lookup and references waiting for their form.
#include "platform/streaming/loading.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "platform/core/class_builder.h"
#include "platform/core/collection.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/props.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/global.h"

namespace tabulon::detail {

TBN_REGISTER(TLoadSentinel) { b.Internal(); }

void TLoadSentinel::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component != this && context_) context_->Forget(component);
  TComponent::Notification(component, operation);
}

TLoadContext::TLoadContext() : Sentinel(new TLoadSentinel(this)) {}

TLoadContext::~TLoadContext() {
  for (TComponent* c : std::vector<TComponent*>(Sentinel->FreeNotifies()))
    Sentinel->RemoveFreeNotification(c);
  delete Sentinel;
}

void TLoadContext::Track(TComponent* component) {
  if (!Tracked.insert(component).second) return;
  Loaded.push_back(component);
  Sentinel->FreeNotification(component);
}

bool TLoadContext::IsTracked(const TComponent* component) const {
  return Tracked.count(component) != 0;
}

void TLoadContext::Forget(TComponent* component) {
  Tracked.erase(component);
  std::replace(Loaded.begin(), Loaded.end(), component, static_cast<TComponent*>(nullptr));
  std::erase_if(Fixups, [component](const TPropFixup& f) { return f.Component == component; });
}

void TLoadContext::CallLoaded() {
  // Loaded may free components; freed entries turn null and are skipped.
  for (size_t i = 0; i < Loaded.size(); ++i)
    if (TComponent* c = Loaded[i]) c->Loaded();
}

TLoadContext*& GlobalSlot() {
  static TLoadContext* context = nullptr;
  return context;
}

TLoadContext* GlobalLoadContext() { return GlobalSlot(); }

// --- references waiting for another form ----------------------------------------

namespace {

/// Holds the waiting references and forgets those of freed components.
class TPendingFixups : public TComponent {
  TBN_CLASS(TPendingFixups, TComponent)
 public:
  TPendingFixups() : TComponent(nullptr) {}
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove)
      std::erase_if(items, [component](const TPropFixup& f) { return f.Component == component; });
    TComponent::Notification(component, operation);
  }
  std::vector<TPropFixup> items;
};

// Lives for the process: references may wait until the program ends.
TPendingFixups& Pending() {
  static TPendingFixups* pending = new TPendingFixups;
  return *pending;
}

std::map<int, TFindGlobalComponent>& Finders() {
  static std::map<int, TFindGlobalComponent> finders;
  return finders;
}

}  // namespace

TBN_REGISTER(TPendingFixups) { b.Internal(); }

void AddPendingFixup(const TPropFixup& fixup) {
  TPropFixup f = fixup;
  f.Root = nullptr;  // only global names can resolve it later
  Pending().items.push_back(f);
  Pending().FreeNotification(f.Component);
}

namespace {
std::string UpperName(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return u;
}
}  // namespace

TNameIndex IndexNames(TComponent* root) {
  TNameIndex names;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (!c->GetName().empty()) names.emplace(UpperName(c->GetName()), c);
  }
  return names;
}

TComponent* ResolveReference(TComponent* root, const std::string& name, const TNameIndex* names) {
  size_t dot = name.find('.');
  std::string first = name.substr(0, dot);
  TComponent* c = nullptr;
  if (root) {
    if (names) {
      auto it = names->find(UpperName(first));
      c = it == names->end() ? nullptr : it->second;
    } else {
      c = root->FindComponent(first);
    }
    if (!c && SameText(root->GetName(), first)) c = root;
  }
  if (!c) c = FindGlobalComponent(first);
  while (c && dot != std::string::npos) {
    size_t next = name.find('.', dot + 1);
    c = c->FindComponent(name.substr(dot + 1, next == std::string::npos ? next : next - dot - 1));
    dot = next;
  }
  return c;
}

}  // namespace tabulon::detail

namespace tabulon {

TGlobalLoadScope::TGlobalLoadScope() {
  if (!detail::GlobalSlot()) {
    own_ = new detail::TLoadContext;
    detail::GlobalSlot() = own_;
  }
}

TGlobalLoadScope::~TGlobalLoadScope() {
  if (own_) {
    detail::GlobalSlot() = nullptr;
    delete own_;
  }
}

void TGlobalLoadScope::Finish() {
  if (!own_) return;
  detail::GlobalSlot() = nullptr;  // components created by Loaded load on their own
  own_->CallLoaded();
}

int RegisterFindGlobalComponentProc(TFindGlobalComponent proc) {
  static int nextId = 0;
  int id = ++nextId;
  detail::Finders()[id] = std::move(proc);
  return id;
}

void UnregisterFindGlobalComponentProc(int id) { detail::Finders().erase(id); }

TComponent* FindGlobalComponent(std::string_view name) {
  if (name.empty()) return nullptr;
  for (auto& [id, proc] : detail::Finders())
    if (TComponent* c = proc(name)) return c;
  return nullptr;
}

namespace detail {

namespace {
// The object holding a waiting reference, found again from its component by
// the property path: sub-objects and collection items may have changed or
// gone since the reference was read.
TPersistent* FindInstance(TComponent* component, const std::string& path, const TPropInfo*& prop) {
  TPersistent* target = component;
  size_t begin = 0;
  for (;;) {
    size_t dot = path.find('.', begin);
    std::string part = path.substr(begin, dot == std::string::npos ? dot : dot - begin);
    int index = -1;
    size_t bracket = part.find('[');
    if (bracket != std::string::npos) {
      index = std::atoi(part.c_str() + bracket + 1);
      part.resize(bracket);
    }
    const TPropInfo* p = target->ClassType()->FindProperty(part);
    if (!p) return nullptr;
    if (dot == std::string::npos && index < 0) {
      prop = p;
      return target;
    }
    if (p->Kind() != tkClass || !p->GetObj) return nullptr;
    target = dynamic_cast<TPersistent*>(p->GetObj(target));
    if (index >= 0) {
      auto* collection = dynamic_cast<TCollection*>(target);
      if (!collection || index >= collection->Count()) return nullptr;
      target = collection->GetItem(index);
    }
    if (!target || dot == std::string::npos) return nullptr;
    begin = dot + 1;
  }
}
}  // namespace

std::vector<std::string> ResolvePendingFixups() {
  auto& pending = Pending();
  std::vector<std::string> errors;
  for (size_t i = 0; i < pending.items.size();) {
    TPropFixup f = pending.items[i];
    TComponent* target = ResolveReference(nullptr, f.Name);
    if (!target) {
      ++i;
      continue;
    }
    pending.items.erase(pending.items.begin() + static_cast<std::ptrdiff_t>(i));
    const TPropInfo* prop = nullptr;
    TPersistent* instance = FindInstance(f.Component, f.RelativePath, prop);
    if (!instance || prop != f.Prop) continue;  // the property's object is gone
    try {
      SetObjectProp(instance, prop, target);
    } catch (const Exception& e) {
      errors.push_back(Format(ResStr("SErrorReadingProperty"), {f.Path, e.Message()}));
    }
  }
  return errors;
}
}  // namespace detail

void GlobalFixupReferences() {
  std::vector<std::string> errors = detail::ResolvePendingFixups();
  if (!errors.empty()) throw EReadError(errors.front());
}

std::vector<std::string> PendingGlobalReferences() {
  std::vector<std::string> out;
  for (const auto& f : detail::Pending().items) out.push_back(f.Path + " -> " + f.Name);
  return out;
}

}  // namespace tabulon
