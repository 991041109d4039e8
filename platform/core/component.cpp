// Component ownership, naming and free notification.
#include "platform/core/component.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TComponent) {
  // The name is written in the object header of a form file, not as a property.
  b.Property("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  b.Property("Tag", &TComponent::GetTag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
  if (!state_.Contains(csDestroying)) Destroying();
}

TComponent::~TComponent() {
  Destroying();
  // Phase one: every component that holds a reference to this one forgets it.
  // A notified component may remove itself from the list, so walk by index.
  for (size_t i = freeNotifies_.size(); i > 0; --i) {
    if (i > freeNotifies_.size()) continue;
    TComponent* c = freeNotifies_[i - 1];
    c->Notification(this, opRemove);
  }
  for (TComponent* c : freeNotifies_) {
    auto& theirs = c->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
  }
  freeNotifies_.clear();
  // Phase two: owned components go, last created first, then the owner lets go.
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* instance = components_.back();
    // A component that others asked about leaves through RemoveComponent, so
    // that its siblings are told and drop their references before it dies.
    if (instance->state_.Contains(csFreeNotification))
      RemoveComponent(instance);
    else
      Remove(instance);
    TObject::Free(instance);
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(Format(ResStr("SListIndexError"), {index}));
  return components_[static_cast<size_t>(index)];
}

int TComponent::GetComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!owner_) return;
  auto& list = owner_->components_;
  int count = static_cast<int>(list.size());
  int cur = GetComponentIndex();
  if (index < 0) index = 0;
  if (index >= count) index = count - 1;
  if (cur == index) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + index, this);
}

namespace {
constexpr size_t kNameIndexThreshold = 32;  // owned components before names are indexed

std::string UpperName(std::string_view s) {
  std::string u(s);
  for (char& ch : u)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return u;
}
}  // namespace

void TComponent::IndexName(TComponent* c) {
  if (nameIndex_ && !c->name_.empty()) nameIndex_->emplace(UpperName(c->name_), c);
}

void TComponent::UnindexName(TComponent* c) {
  if (!nameIndex_ || c->name_.empty()) return;
  auto it = nameIndex_->find(UpperName(c->name_));
  if (it != nameIndex_->end() && it->second == c) nameIndex_->erase(it);
}

void TComponent::ChangeName(const std::string& name) {
  if (owner_) owner_->UnindexName(this);
  name_ = name;
  if (owner_) owner_->IndexName(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (nameIndex_) {
    auto it = nameIndex_->find(UpperName(name));
    return it == nameIndex_->end() ? nullptr : it->second;
  }
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name_ == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format(ResStr("SInvalidName"), {name}));
  if (owner_)
    owner_->ValidateRename(this, name_, name);
  else
    ValidateRename(nullptr, name_, name);
  ChangeName(name);
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName) {
  if (component && !SameText(curName, newName)) {
    TComponent* existing = FindComponent(newName);
    if (existing && existing != component)
      throw EComponentError(Format(ResStr("SDuplicateName"), {newName}));
  }
  if (state_.Contains(csDesigning) && owner_) owner_->ValidateRename(component, curName, newName);
}

void TComponent::ValidateContainer(TComponent* container) { container->ValidateInsert(this); }

void TComponent::ValidateInsert(TComponent*) {}

void TComponent::InsertComponent(TComponent* component) {
  component->ValidateContainer(this);
  ValidateRename(component, "", component->name_);
  Insert(component);
  if (state_.Contains(csDesigning)) component->SetDesigning(true);
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
  if (!nameIndex_ && components_.size() >= kNameIndexThreshold) {
    nameIndex_ = std::make_unique<std::unordered_map<std::string, TComponent*>>();
    for (TComponent* owned : components_) IndexName(owned);
  } else {
    IndexName(c);
  }
  unclassified_.push_back(c);
  // Owning something makes this component worth notifying by its own owner.
  if (components_.size() == 1 && owner_ && !listed_) owner_->unclassified_.push_back(this);
}

void TComponent::Remove(TComponent* c) {
  // Searched from the back: owners free their components last-created-first.
  auto eraseFromBack = [c](std::vector<TComponent*>& v) {
    auto it = std::find(v.rbegin(), v.rend(), c);
    if (it != v.rend()) v.erase(std::next(it).base());
  };
  UnindexName(c);
  eraseFromBack(components_);
  std::erase(unclassified_,
             c);  // may be listed twice: on insertion and on owning a first component
  if (c->listed_) eraseFromBack(listeners_);
  c->listed_ = false;
  c->owner_ = nullptr;
  // A published field of this owner that holds the component forgets it.
  if (!c->name_.empty())
    if (const TFieldInfo* f = ClassType()->FindField(c->name_))
      if (f->Get(this) == c) f->Set(this, nullptr);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (!owner_ || component->owner_ != owner_) {
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
      freeNotifies_.push_back(component);
      component->FreeNotification(this);
    }
  }
  state_.Include(csFreeNotification);
}

void TComponent::RemoveNotification(TComponent* c) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), c),
                      freeNotifies_.end());
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  RemoveNotification(component);
  component->RemoveNotification(this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveNotification(component);
  // Forward to the owned components that can react: those whose class
  // overrides Notification and those that own components themselves. Others
  // would only forward to nobody, so large owners stay linear. Components are
  // classified lazily, once fully constructed (a component being inserted is
  // still inside its base constructor and is classified at a later call).
  for (size_t i = 0; i < unclassified_.size();) {
    TComponent* c = unclassified_[i];
    if (operation == opInsert && c == component) {
      ++i;
      continue;
    }
    unclassified_.erase(unclassified_.begin() + static_cast<std::ptrdiff_t>(i));
    if (!c->listed_ && (c->ClassType()->OverridesNotification() || !c->components_.empty())) {
      c->listed_ = true;
      listeners_.push_back(c);
    }
  }
  for (size_t i = listeners_.size(); i > 0; --i) {
    if (i > listeners_.size()) continue;  // the list shrank while a component reacted
    listeners_[i - 1]->Notification(component, operation);
  }
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* c : std::vector<TComponent*>(components_))
    if (!c->HasParent()) proc(c);
}

}  // namespace tabulon
