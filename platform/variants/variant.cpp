// Variant lifetime (sharing of text and array payloads), type tests and
// variant arrays.
#include "platform/variants/variant.h"

#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"
#include "platform/variants/variant_data.h"

namespace tabulon {

void VarCastError() { throw EVariantError(ResStr("SInvalidVarCast")); }
void VarOverflowError() { throw EVariantError(ResStr("SVarOverflow")); }
void VarInvalidOpError() { throw EVariantError(ResStr("SInvalidVarOp")); }
void VarArrayBoundsError() { throw EVariantError(ResStr("SVarArrayBounds")); }
void VarNotArrayError() { throw EVariantError(ResStr("SVarNotArray")); }

namespace {

constexpr size_t kMaxArrayElements = size_t{1} << 26;

[[noreturn]] void VarArrayCreateError() { throw EVariantError(ResStr("SVarArrayCreate")); }

bool IsArrayElementType(TVarType t) {
  switch (t) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varBoolean:
    case varVariant:
    case varByte:
    case varInt64:
    case varString:
      return true;
    default:
      return false;
  }
}

// The initial element of an array of `t`: empty for variants, otherwise the zero of the kind.
Variant ZeroOf(TVarType t) {
  switch (t) {
    case varVariant:
      return Variant();
    case varString:
      return Variant(std::string_view());
    case varBoolean:
      return Variant(false);
    default:
      return VarAsType(Variant(int32_t{0}), t);
  }
}

const TVarArrayData& ArrayOf(const Variant& a) {
  if (!a.IsArray()) VarNotArrayError();
  return *VariantAccess::Arr(a);
}

size_t FlatIndex(const TVarArrayData& d, const int* indices, size_t n) {
  if (n != d.Bounds.size()) VarArrayBoundsError();
  size_t flat = 0;
  for (size_t k = 0; k < n; ++k) {
    int64_t rel = static_cast<int64_t>(indices[k]) - d.Bounds[k].first;
    if (rel < 0 || rel >= d.Bounds[k].second) VarArrayBoundsError();
    flat = flat * static_cast<size_t>(d.Bounds[k].second) + static_cast<size_t>(rel);
  }
  return flat;
}

Variant CreateArray(const int* bounds, size_t n, TVarType elementType) {
  if (n == 0 || n % 2 != 0 || !IsArrayElementType(elementType)) VarArrayCreateError();
  auto* data = new TVarArrayData;
  Variant result = VariantAccess::MakeArray((data->ElementType = elementType, data));
  size_t total = 1;
  for (size_t k = 0; k < n; k += 2) {
    int64_t count = static_cast<int64_t>(bounds[k + 1]) - bounds[k] + 1;
    if (count < 0 || count > static_cast<int64_t>(kMaxArrayElements)) VarArrayCreateError();
    total *= static_cast<size_t>(count);
    if (total > kMaxArrayElements) VarArrayCreateError();
    data->Bounds.emplace_back(bounds[k], static_cast<int>(count));
  }
  data->Items.assign(total, ZeroOf(elementType));
  return result;
}

}  // namespace

TVarArrayData* VariantAccess::MutableArr(Variant& v) {
  TVarArrayData* d = v.arr_;
  if (d->Refs.load(std::memory_order_acquire) != 1) {
    auto* copy = new TVarArrayData;
    copy->ElementType = d->ElementType;
    copy->Bounds = d->Bounds;
    copy->Items = d->Items;
    v.Release();
    v.type_ = static_cast<TVarType>(varArray | copy->ElementType);
    v.opaque_ = false;
    v.arr_ = copy;
    d = copy;
  }
  return d;
}

Variant::Variant(std::string_view v) : type_(varString), opaque_(false), i64_(0) {
  str_ = v.empty() ? nullptr : new TVarStringData(v);
}

Variant Variant::FromDate(double dateTime) noexcept {
  Variant r(dateTime);
  r.type_ = varDate;
  return r;
}

Variant Variant::Opaque(TVarType code) noexcept {
  Variant r;
  r.type_ = code;
  r.opaque_ = true;
  return r;
}

void Variant::AddRef() const noexcept {
  if (type_ == varString)
    str_->Refs.fetch_add(1, std::memory_order_relaxed);
  else
    arr_->Refs.fetch_add(1, std::memory_order_relaxed);
}

void Variant::Release() noexcept {
  if (type_ == varString) {
    if (str_->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete str_;
  } else if (arr_->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    delete arr_;
  }
}

std::string_view Variant::StrView() const {
  if (type_ != varString || opaque_) VarCastError();
  return str_ ? std::string_view(str_->Text) : std::string_view();
}

Variant Variant::GetElement(int index) const {
  const TVarArrayData& d = ArrayOf(*this);
  return d.Items[FlatIndex(d, &index, 1)];
}

void Variant::SetElement(int index, const Variant& value) {
  if (!IsArray()) VarNotArrayError();
  size_t flat = FlatIndex(*arr_, &index, 1);
  Variant cast = arr_->ElementType == varVariant ? value : VarAsType(value, arr_->ElementType);
  VariantAccess::MutableArr(*this)->Items[flat] = std::move(cast);
}

bool VarIsOrdinal(const Variant& v) noexcept {
  if (v.IsOpaque()) return false;
  switch (v.Type()) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varInt64:
      return true;
    default:
      return false;
  }
}

bool VarIsFloat(const Variant& v) noexcept {
  if (v.IsOpaque()) return false;
  TVarType t = v.Type();
  return t == varSingle || t == varDouble || t == varCurrency;
}

bool VarIsNumeric(const Variant& v) noexcept { return VarIsOrdinal(v) || VarIsFloat(v); }

bool VarIsStr(const Variant& v) noexcept { return !v.IsOpaque() && v.Type() == varString; }

Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
  return CreateArray(bounds.begin(), bounds.size(), elementType);
}

Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elementType) {
  return CreateArray(bounds.data(), bounds.size(), elementType);
}

Variant VarArrayOf(const std::vector<Variant>& values) {
  if (values.size() > kMaxArrayElements) VarArrayCreateError();
  auto* data = new TVarArrayData;
  Variant result = VariantAccess::MakeArray(data);
  data->Bounds.emplace_back(0, static_cast<int>(values.size()));
  data->Items = values;
  return result;
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
  return VarArrayOf(std::vector<Variant>(values));
}

int VarArrayDimCount(const Variant& a) { return static_cast<int>(ArrayOf(a).Bounds.size()); }

int VarArrayLowBound(const Variant& a, int dim) {
  const TVarArrayData& d = ArrayOf(a);
  if (dim < 1 || static_cast<size_t>(dim) > d.Bounds.size()) VarArrayBoundsError();
  return d.Bounds[static_cast<size_t>(dim) - 1].first;
}

int VarArrayHighBound(const Variant& a, int dim) {
  const TVarArrayData& d = ArrayOf(a);
  if (dim < 1 || static_cast<size_t>(dim) > d.Bounds.size()) VarArrayBoundsError();
  const auto& b = d.Bounds[static_cast<size_t>(dim) - 1];
  return b.first + b.second - 1;
}

Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices) {
  const TVarArrayData& d = ArrayOf(a);
  return d.Items[FlatIndex(d, indices.begin(), indices.size())];
}

void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices) {
  const TVarArrayData& d = ArrayOf(a);
  size_t flat = FlatIndex(d, indices.begin(), indices.size());
  Variant cast = d.ElementType == varVariant ? value : VarAsType(value, d.ElementType);
  VariantAccess::MutableArr(a)->Items[flat] = std::move(cast);
}

void VarArrayRedim(Variant& a, int highBound) {
  const TVarArrayData& d = ArrayOf(a);
  auto last = d.Bounds.back();
  int64_t count = static_cast<int64_t>(highBound) - last.first + 1;
  if (count < 0 || count > static_cast<int64_t>(kMaxArrayElements)) VarArrayCreateError();
  size_t inner = 1;
  for (size_t k = 0; k + 1 < d.Bounds.size(); ++k) inner *= static_cast<size_t>(d.Bounds[k].second);
  if (inner * static_cast<size_t>(count) > kMaxArrayElements) VarArrayCreateError();
  TVarArrayData* m = VariantAccess::MutableArr(a);
  // Rows of the last dimension are contiguous per outer index.
  std::vector<Variant> items;
  items.reserve(inner * static_cast<size_t>(count));
  Variant zero = ZeroOf(m->ElementType);
  size_t oldCount = static_cast<size_t>(last.second);
  for (size_t r = 0; r < inner; ++r)
    for (size_t c = 0; c < static_cast<size_t>(count); ++c)
      items.push_back(c < oldCount ? m->Items[r * oldCount + c] : zero);
  m->Items = std::move(items);
  m->Bounds.back().second = static_cast<int>(count);
}

}  // namespace tabulon
