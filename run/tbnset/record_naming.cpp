// Field record names: derived from FieldName (CITY, CITY1, CITY2 ...) unless
// given explicitly; a derived name stores only its numeric suffix so that
// it follows a changed field name.
#include "platform/core/class_builder.h"
#include "platform/sysutils/numconv.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset/errors.h"
#include "run/tbnset/list.h"
#include "run/tbnset/record.h"

namespace tabulon {

namespace {
// Whether a record of `list` other than `self` is named `name` (ignoring case).
bool NameTaken(const TFieldsList* list, const TFieldRecord* self, const std::string& name) {
  if (!list) return false;
  for (int i = 0; i < list->Count(); ++i) {
    const TFieldRecord* r = list->GetItem(i);
    if (r != self && AnsiSameText(r->GetName(), name)) return true;
  }
  return false;
}
}  // namespace

std::string TFieldRecord::GetName() const {
  return assigned_.Contains(frvName) ? storedName_ : DefaultName() + storedName_;
}

std::string TFieldRecord::InternalDefaultName() const {
  const std::string base = DefaultName();
  TFieldsList* list = GetFieldsList();
  int c = 0;
  while (NameTaken(list, this, c == 0 ? base : base + std::to_string(c))) ++c;
  return c == 0 ? std::string() : std::to_string(c);
}

void TFieldRecord::SetName(const std::string& value) {
  if (value.empty()) {
    storedName_ = DefaultName().empty() ? std::string() : InternalDefaultName();
    assigned_.Exclude(frvName);
    return;
  }
  // DefaultName plus a number is derived and stored as the normalised
  // number (CITY01 becomes CITY1); anything else is explicit.
  std::string stored = value;
  bool derived = false;
  const std::string base = DefaultName();
  if (!base.empty() && value.size() >= base.size() &&
      AnsiUpperCase(value.substr(0, base.size())) == AnsiUpperCase(base)) {
    const std::string rest = value.substr(base.size());
    int32_t suffix = 0;
    if (rest.empty() || TryStrToInt(rest, suffix)) {
      stored = rest.empty() ? std::string() : std::to_string(suffix);
      derived = true;
    }
  }
  // Both the text given and the name as it will read must be free.
  TFieldsList* list = GetFieldsList();
  if (NameTaken(list, this, value) || (derived && NameTaken(list, this, base + stored)))
    throw ETabulonError(Format("Duplicate name \"%s\"", {value}));
  storedName_ = stored;
  if (derived)
    assigned_.Exclude(frvName);
  else
    assigned_.Include(frvName);
}

bool TFieldRecord::IsNameStored() const { return GetName() != DefaultName(); }

void TFieldRecord::SetFieldName(const std::string& value) {
  if (value == fieldName_) return;
  if (AnsiSameText(value, fieldName_)) {
    fieldName_ = value;
  } else {
    fieldName_ = value;
    if (!assigned_.Contains(frvName)) storedName_ = InternalDefaultName();
    Update();
  }
  if (TFieldsList* list = GetFieldsList())
    if (list->GetDesigner()) list->GetDesigner()->DataEvent();
}

}  // namespace tabulon
