// Names that reach beyond one form: references such as "Form2.Button1"
// resolve through lookup procedures that the forms layer registers, and a
// reference whose form is not loaded yet waits until it is.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"

namespace tabulon {

namespace detail {
struct TLoadContext;
}

/// Makes the readers created while it lives share one load, as the levels
/// of an inherited form do: each level's references are resolved when that
/// level is read, and Finish calls Loaded once for every read component, in
/// creation order. Inside another such scope it does nothing. Without
/// Finish (an exception passed), no Loaded is called.
class TGlobalLoadScope {
 public:
  TGlobalLoadScope();
  ~TGlobalLoadScope();
  TGlobalLoadScope(const TGlobalLoadScope&) = delete;
  TGlobalLoadScope& operator=(const TGlobalLoadScope&) = delete;
  void Finish();

 private:
  detail::TLoadContext* own_ = nullptr;
};

/// Finds a root component (a form, a data module) by name, or returns null.
using TFindGlobalComponent = std::function<TComponent*(std::string_view name)>;

/// Adds a lookup procedure; returns its id for UnregisterFindGlobalComponentProc.
int RegisterFindGlobalComponentProc(TFindGlobalComponent proc);
void UnregisterFindGlobalComponentProc(int id);
/// The root component of that name found by the registered procedures, or null.
TComponent* FindGlobalComponent(std::string_view name);

/// Resolves the waiting references whose forms can now be found. A target
/// of the wrong class leaves its property unset and raises EReadError
/// "Error reading %s: Invalid class typecast" after the others are done.
void GlobalFixupReferences();
/// The waiting references, as "Component.Property -> Name".
std::vector<std::string> PendingGlobalReferences();

}  // namespace tabulon
