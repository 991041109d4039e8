// TPersistent: objects that can be assigned to each other and streamed.
#pragma once

#include <string>

#include "platform/core/object.h"

namespace tabulon {

class TFiler;

/// Base of every streamable object.
class TPersistent : public TObject {
  TBN_CLASS(TPersistent, TObject)
 public:
  TPersistent() = default;
  /// Copies `source` into this object. The base asks the source's AssignTo;
  /// EConvertError "Cannot assign a %s to a %s" when neither side knows how.
  virtual void Assign(TPersistent* source);
  /// The object that owns this one for naming and streaming, or null.
  virtual TPersistent* GetOwner() const { return nullptr; }
  /// The dotted path by which designers and error messages name this object.
  virtual std::string GetNamePath() const;
  /// Declares custom data that is streamed with the published properties
  /// (blocks such as "Strings", "Values"); the base declares none.
  virtual void DefineProperties(TFiler* filer);

 protected:
  /// Copies this object into `dest`; the base raises the assignment error.
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(TPersistent* source);
};

}  // namespace tabulon
