// Load bookkeeping, global name lookup and references waiting for their form.
#include "platform/streaming/loading.h"

#include <algorithm>
#include <map>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/props.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/global.h"

namespace tabulon::detail {

TBN_REGISTER(TLoadSentinel) {}

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
  if (IsTracked(component)) return;
  Loaded.push_back(component);
  Sentinel->FreeNotification(component);
}

bool TLoadContext::IsTracked(const TComponent* component) const {
  return std::find(Loaded.begin(), Loaded.end(), component) != Loaded.end();
}

void TLoadContext::Forget(TComponent* component) {
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

TBN_REGISTER(TPendingFixups) {}

void AddPendingFixup(const TPropFixup& fixup) {
  TPropFixup f = fixup;
  f.Root = nullptr;  // only global names can resolve it later
  Pending().items.push_back(f);
  Pending().FreeNotification(f.Component);
}

TComponent* ResolveReference(TComponent* root, const std::string& name) {
  size_t dot = name.find('.');
  std::string first = name.substr(0, dot);
  TComponent* c = nullptr;
  if (root) {
    c = root->FindComponent(first);
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

void GlobalFixupReferences() {
  auto& pending = detail::Pending();
  std::string firstError;
  for (size_t i = 0; i < pending.items.size();) {
    detail::TPropFixup f = pending.items[i];
    TComponent* target = detail::ResolveReference(nullptr, f.Name);
    if (!target) {
      ++i;
      continue;
    }
    pending.items.erase(pending.items.begin() + static_cast<std::ptrdiff_t>(i));
    try {
      SetObjectProp(f.Instance, f.Prop, target);
    } catch (const Exception& e) {
      if (firstError.empty())
        firstError = Format(ResStr("SErrorReadingProperty"), {f.Path, e.Message()});
    }
  }
  if (!firstError.empty()) throw EReadError(firstError);
}

std::vector<std::string> PendingGlobalReferences() {
  std::vector<std::string> out;
  for (const auto& f : detail::Pending().items) out.push_back(f.Path + " -> " + f.Name);
  return out;
}

}  // namespace tabulon
