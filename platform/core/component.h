// TComponent: named, owned objects that live in form files. An owner frees
// what it owns; components that asked for free notification are told when a
// component they reference is destroyed, so no reference outlives its target.
#pragma once

#include <functional>
#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

#include "platform/core/persistent.h"

namespace tabulon {

/// Members of a component's state.
enum TComponentStateItem {
  csLoading,           // being read from a form file; Loaded() not yet called
  csReading,           // its properties are being read
  csWriting,           // being written to a form file
  csDestroying,        // being destroyed
  csDesigning,         // in a designer
  csAncestor,          // written as part of an ancestor form
  csUpdating,          // being updated by an inherited form
  csFixups,            // has unresolved references while reading
  csFreeNotification,  // some component asked to be told of its destruction
  csInline,            // a frame embedded in a form
  csDesignInstance,    // the root of a designer
};
using TComponentState = TSet<TComponentStateItem>;

/// What Notification reports.
enum TOperation { opInsert, opRemove };

/// A named component with an owner, owned components and free notification.
class TComponent : public TPersistent {
  TBN_CLASS(TComponent, TPersistent)
 public:
  /// Creates the component and inserts it into `owner` (which then frees it).
  explicit TComponent(TComponent* owner);
  /// Destroys the component: tells every component that asked for free
  /// notification, frees owned components (last created first) and leaves the owner.
  ~TComponent() override;
  void BeforeDestruction() override;

  /// The owner, or null.
  TComponent* GetOwner() const override { return owner_; }
  const std::string& GetName() const { return name_; }
  /// Renames the component; EComponentError for an invalid identifier or a
  /// name already used by another component of the same owner (case-insensitive).
  virtual void SetName(const std::string& name);
  int32_t GetTag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  /// Owned component number `index`; EListError when out of range.
  TComponent* Components(int index) const;
  int GetComponentIndex() const;
  void SetComponentIndex(int index);
  /// The owned component of that name (case-insensitive), or null.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  /// Frees every owned component, last created first.
  void DestroyComponents();
  /// Marks this component and its owned components as being destroyed.
  void Destroying();

  TComponentState ComponentState() const { return state_; }
  void IncludeState(TComponentStateItem item) { state_.Include(item); }
  void ExcludeState(TComponentStateItem item) { state_.Exclude(item); }
  /// Sets or clears csDesigning on this component (and its owned components).
  void SetDesigning(bool value, bool setChildren = true);

  /// Asks to be told (Notification opRemove) when `component` is destroyed;
  /// the request is mutual. Components of the same owner need not ask.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  /// Components this one will notify when it is destroyed.
  const std::vector<TComponent*>& FreeNotifies() const { return freeNotifies_; }

  /// Told when a component is inserted into or removed from the owner, or
  /// when a component this one asked about is destroyed. Overrides clear
  /// their references and then call the base, which forwards the call to
  /// every owned component.
  virtual void Notification(TComponent* component, TOperation operation);
  /// Called once after the component has been read from a form file.
  virtual void Loaded();

  // Hooks of form-file streaming.
  using TGetChildProc = std::function<void(TComponent*)>;
  /// Calls `proc` for each child written with this component; the base
  /// writes the owned components of a root (`root` == this).
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  /// The owner of children read inside this component (the root for forms).
  virtual TComponent* GetChildOwner() { return nullptr; }
  /// The parent of children read inside this component.
  virtual TComponent* GetChildParent() { return this; }
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}
  virtual void SetChildOrder(TComponent*, int) {}

  std::string GetNamePath() const override { return name_; }

 protected:
  /// Checks a rename of owned `component` from `curName` to `newName`.
  virtual void ValidateRename(TComponent* component, const std::string& curName,
                              const std::string& newName);
  /// Called on a component before it is inserted into `container`.
  virtual void ValidateContainer(TComponent* container);
  /// Called on the container before `component` is inserted into it.
  virtual void ValidateInsert(TComponent* component);
  virtual void ChangeName(const std::string& name);

 private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);
  void RemoveNotification(TComponent* c);
  void IndexName(TComponent* c);
  void UnindexName(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  int32_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;    // owned, in creation order
  std::vector<TComponent*> freeNotifies_;  // told on destruction
  std::vector<TComponent*> listeners_;     // owned components that Notification reaches
  std::vector<TComponent*> unclassified_;  // owned components not yet sorted into listeners_
  bool listed_ = false;                    // this component is in its owner's listeners_
  // Upper-cased names of owned components, kept once an owner has many of
  // them, so that naming and lookups while reading large forms stay O(1).
  std::unique_ptr<std::unordered_map<std::string, TComponent*>> nameIndex_;
};

}  // namespace tabulon

TBN_ENUM(tabulon::TComponentStateItem, "csLoading", "csReading", "csWriting", "csDestroying",
         "csDesigning", "csAncestor", "csUpdating", "csFixups", "csFreeNotification", "csInline",
         "csDesignInstance");
TBN_ENUM(tabulon::TOperation, "opInsert", "opRemove");
