// Converting a finder's key list into the search key of the index layer.
#include "run/tbnfinder/finder_key.h"

#include <vector>

#include "platform/db/db_error.h"
#include "platform/db/field.h"

namespace tabulon {

namespace {
// The framework's refusal of a key value; its argument is the text the
// message has always shown.
[[noreturn]] void RefuseKey() { DatabaseErrorFmt(DbMsg("SFieldValueError"), {"DisplayName"}); }
}  // namespace

Variant TQXKey::ToVariant() const {
  switch (kind_) {
    case kkPointer:
      if (pointer_) RefuseKey();
      return Unassigned;
    case kkObject:
      if (!object_) return Null;
      if (const auto* field = dynamic_cast<const TField*>(object_)) return field->GetValue();
      RefuseKey();
    case kkOutOfRange:
      RefuseKey();
    case kkVariant:
      return value_.IsEmpty() ? Variant(Null) : value_;
    default:
      return value_;
  }
}

Variant QXKeysToVariant(std::initializer_list<TQXKey> keys) {
  if (keys.size() == 0) return Null;
  std::vector<Variant> values;
  values.reserve(keys.size());
  for (const TQXKey& key : keys) values.push_back(key.ToVariant());
  return VarArrayOf(values);
}

}  // namespace tabulon
