// Bookkeeping of a load in progress: the components read so far (in
// creation order, for Loaded) and the references still to resolve. A
// sentinel component asks for free notification of every read component, so
// a component freed during the load (a failed object, a parent taking its
// children along) leaves no dangling entry behind.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/core/component.h"
#include "platform/streaming/global.h"

namespace tabulon {
class TReader;
}

namespace tabulon::detail {

/// A component reference read from a stream, resolved once the tree is read.
struct TPropFixup {
  TComponent* Component = nullptr;  // the read component the property belongs to
  TPersistent* Instance = nullptr;  // the object holding the property (may be a sub-object)
  const TPropInfo* Prop = nullptr;
  std::string Name;            // the referenced name, possibly dotted ("Form2.Button1")
  std::string Path;            // "Component.Property", for messages
  std::string RelativePath;    // from the component: "Items[0].Target"
  TComponent* Root = nullptr;  // the root the name is relative to
};

struct TLoadContext;

/// Watches the components of one load and forgets those that are freed.
class TLoadSentinel : public TComponent {
  TBN_CLASS(TLoadSentinel, TComponent)
 public:
  explicit TLoadSentinel(TLoadContext* context) : TComponent(nullptr), context_(context) {}
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TLoadContext* context_;
};

/// What one load (one root, or every level of an inherited form) collects.
struct TLoadContext {
  TLoadContext();
  ~TLoadContext();
  TLoadContext(const TLoadContext&) = delete;
  TLoadContext& operator=(const TLoadContext&) = delete;

  /// Adds a component to the loaded list once, watching its destruction.
  void Track(TComponent* component);
  bool IsTracked(const TComponent* component) const;
  /// Drops every trace of a freed component.
  void Forget(TComponent* component);
  /// Calls Loaded on every live component, in creation order.
  void CallLoaded();

  std::vector<TComponent*> Loaded;  // null where a component was freed
  std::unordered_set<const TComponent*> Tracked;
  std::vector<TPropFixup> Fixups;
  TLoadSentinel* Sentinel;
};

/// The load shared by the levels of an inherited form, or null.
TLoadContext* GlobalLoadContext();
/// Where TGlobalLoadScope keeps the shared load.
TLoadContext*& GlobalSlot();

/// Keeps a reference that its root could not resolve until the named form loads.
void AddPendingFixup(const TPropFixup& fixup);
/// Resolves the waiting references that can now be; returns the messages of
/// those whose target has the wrong class (their properties stay unset).
std::vector<std::string> ResolvePendingFixups();
/// The owned components of a root by upper-cased name (the first of a name wins).
using TNameIndex = std::unordered_map<std::string, TComponent*>;
TNameIndex IndexNames(TComponent* root);
/// Resolves the name of a reference relative to `root` (null: global names
/// only), looking the first part up in `names` when given.
TComponent* ResolveReference(TComponent* root, const std::string& name,
                             const TNameIndex* names = nullptr);

}  // namespace tabulon::detail
