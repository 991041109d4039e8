// Reaching published properties by name, for properties that only some
// dataset classes have ("Filtered", "OnFilterRecord", "IndexName", ...).
// Every routine tolerates a missing property: reads give an empty value
// and writes are ignored.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/method.h"
#include "platform/core/object.h"

namespace tabulon {

class TPersistent;

namespace tbntypeinfo {

/// The descriptor of `instance`'s published property `name` when its type
/// kind is in `kinds`; null otherwise.
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name, TTypeKinds kinds);
/// The object held by the published object property `name`, which must be a
/// TPersistent (EInvalidCast otherwise); null without such a property.
TPersistent* GetPropertyClass(const TObject* instance, std::string_view name);
/// A string property's value; empty without a descriptor.
std::string GetStringByPropInfo(const TObject* instance, const TPropInfo* prop);
/// An ordinal property read as a boolean; false without a descriptor.
bool GetBooleanByPropInfo(const TObject* instance, const TPropInfo* prop);
/// Writes an ordinal property as a boolean; ignored without a descriptor.
void SetBooleanByPropInfo(TObject* instance, const TPropInfo* prop, bool value);
/// An event property; an empty method without a descriptor.
TMethod GetMethodByPropInfo(const TObject* instance, const TPropInfo* prop);
/// Writes an event property; ignored without a descriptor.
void SetMethodByPropInfo(TObject* instance, const TPropInfo* prop, const TMethod& value);

}  // namespace tbntypeinfo

}  // namespace tabulon
