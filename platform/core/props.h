// Reading and writing published properties through their descriptors or by
// name, as streaming, designers and the package's by-name access do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace tabulon {

/// The descriptor of the published property `name` when its kind is in
/// `kinds`; null otherwise (or for a null instance).
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name,
                             TTypeKinds kinds = tkAny);
const TPropInfo* GetPropInfo(const TClass* cls, std::string_view name, TTypeKinds kinds = tkAny);
/// The published properties of `instance` whose kinds are in `kinds`, in order.
std::vector<const TPropInfo*> GetPropList(const TObject* instance, TTypeKinds kinds = tkAny);

// Access through a descriptor. A descriptor of the wrong kind raises
// EPropertyError "Invalid property type: %s"; writing a read-only property
// raises EPropertyError "Property is read-only".
int64_t GetOrdProp(const TObject* instance, const TPropInfo* prop);
void SetOrdProp(TObject* instance, const TPropInfo* prop, int64_t value);
/// An enumeration property as its member name.
std::string GetEnumProp(const TObject* instance, const TPropInfo* prop);
/// Sets an enumeration property from a member name; EPropertyError
/// "Invalid property value" for an unknown name.
void SetEnumProp(TObject* instance, const TPropInfo* prop, std::string_view name);
/// A set property as "[member,member]".
std::string GetSetProp(const TObject* instance, const TPropInfo* prop, bool brackets = true);
void SetSetProp(TObject* instance, const TPropInfo* prop, std::string_view text);
long double GetFloatProp(const TObject* instance, const TPropInfo* prop);
void SetFloatProp(TObject* instance, const TPropInfo* prop, long double value);
std::string GetStrProp(const TObject* instance, const TPropInfo* prop);
void SetStrProp(TObject* instance, const TPropInfo* prop, const std::string& value);
TObject* GetObjectProp(const TObject* instance, const TPropInfo* prop);
void SetObjectProp(TObject* instance, const TPropInfo* prop, TObject* value);
TMethod GetMethodProp(const TObject* instance, const TPropInfo* prop);
void SetMethodProp(TObject* instance, const TPropInfo* prop, const TMethod& value);

// Access by name; an unknown name raises EPropertyError "Property %s does not exist".
int64_t GetOrdProp(const TObject* instance, std::string_view name);
void SetOrdProp(TObject* instance, std::string_view name, int64_t value);
std::string GetStrProp(const TObject* instance, std::string_view name);
void SetStrProp(TObject* instance, std::string_view name, const std::string& value);
TObject* GetObjectProp(const TObject* instance, std::string_view name);
TMethod GetMethodProp(const TObject* instance, std::string_view name);
void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value);

/// Whether the property's stored rule lets it be written for `instance`.
bool IsStoredProp(const TObject* instance, const TPropInfo* prop);
/// Whether the property holds its default (ordinals: the declared default;
/// floats 0; strings empty; events unassigned; objects null), so that it is
/// not written to a form file.
bool IsDefaultPropValue(const TObject* instance, const TPropInfo* prop);
/// A readable name of the property's type ("Integer", "TAlign", "set of TAnchorKind", a class
/// name).
std::string PropTypeName(const TPropInfo* prop);

}  // namespace tabulon
