// Published-property access by name over the framework's type information.
#include "run/tbntypeinfo.h"

#include "platform/core/exceptions.h"
#include "platform/core/persistent.h"
#include "platform/core/props.h"
#include "platform/core/resstrings.h"

namespace tabulon::tbntypeinfo {

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name, TTypeKinds kinds) {
  return tabulon::GetPropInfo(instance, name, kinds);
}

TPersistent* GetPropertyClass(const TObject* instance, std::string_view name) {
  const TPropInfo* prop = tbntypeinfo::GetPropInfo(instance, name, TTypeKinds{tkClass});
  if (!prop) return nullptr;
  TObject* obj = GetObjectProp(instance, prop);
  if (!obj) return nullptr;
  auto* persistent = dynamic_cast<TPersistent*>(obj);
  if (!persistent) throw EInvalidCast(ResStr("SInvalidTypeCast"));
  return persistent;
}

std::string GetStringByPropInfo(const TObject* instance, const TPropInfo* prop) {
  return prop ? GetStrProp(instance, prop) : std::string();
}

bool GetBooleanByPropInfo(const TObject* instance, const TPropInfo* prop) {
  return prop ? GetOrdProp(instance, prop) != 0 : false;
}

void SetBooleanByPropInfo(TObject* instance, const TPropInfo* prop, bool value) {
  if (prop) SetOrdProp(instance, prop, value ? 1 : 0);
}

TMethod GetMethodByPropInfo(const TObject* instance, const TPropInfo* prop) {
  return prop ? GetMethodProp(instance, prop) : TMethod();
}

void SetMethodByPropInfo(TObject* instance, const TPropInfo* prop, const TMethod& value) {
  if (prop) SetMethodProp(instance, prop, value);
}

}  // namespace tabulon::tbntypeinfo
