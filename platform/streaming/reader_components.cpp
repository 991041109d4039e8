// TReader: component trees. Objects are created by class name, properties
// set through their descriptors, references resolved once the whole tree is
// read, published fields bound, then Loaded called in creation order.
#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/props.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/global.h"
#include "platform/streaming/loading.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/variant_io.h"

namespace tabulon {

namespace {

bool IsIntegerTag(TValueType t) {
  return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
}

// Errors that say what is wrong with the stream get the property's path in
// their message; errors of the objects themselves pass unchanged.
bool IsStreamError(const Exception& e) {
  return dynamic_cast<const EStreamError*>(&e) || dynamic_cast<const EPropertyError*>(&e) ||
         dynamic_cast<const EInvalidCast*>(&e);
}

std::string NameOf(const TComponent* c) {
  return c->GetName().empty() ? c->ClassName() : c->GetName();
}

// A name not used by another component of `owner`: name, name_1, name_2, ...
std::string UniqueName(TComponent* self, const std::string& name) {
  TComponent* owner = self->GetOwner();
  if (!owner) return name;
  std::string candidate = name;
  for (int i = 1;; ++i) {
    TComponent* other = owner->FindComponent(candidate);
    if (!other || other == self) return candidate;
    candidate = name + "_" + std::to_string(i);
  }
}

void BindFields(TComponent* root) {
  const TClass* cls = root->ClassType();
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (const TFieldInfo* f = cls->FindField(c->GetName())) {
      try {
        f->Set(root, c);
      } catch (const EInvalidCast& e) {
        throw EReadError(
            Format(ResStr("SErrorReadingProperty"), {NameOf(root) + "." + f->Name, e.Message()}));
      }
    }
  }
}

}  // namespace

TComponent* TReader::ReadRootComponent(TComponent* root) {
  errorPath_.clear();
  errorPosition_ = -1;
  unresolved_.clear();
  ReadSignature();
  detail::TLoadContext* shared = detail::GlobalLoadContext();
  if (shared) {
    load_ = shared;
  } else {
    ownLoad_ = std::make_unique<detail::TLoadContext>();
    load_ = ownLoad_.get();
  }
  objectStart_ = Position();
  bool created = false;
  try {
    TFilerFlags flags;
    int childPos;
    ReadPrefix(flags, childPos);
    std::string className = ReadStr();
    std::string name = ReadStr();
    if (!root) {
      const TClass* cls = GetClass(className);
      if (!cls) throw EClassNotFound(Format(ResStr("SClassNotFound"), {className}));
      if (!cls->IsComponentClass() || cls->IsAbstract())
        throw EReadError(Format(ResStr("SNotAComponentClass"), {className}));
      root = cls->CreateComponent(nullptr);
      created = true;
    }
    root_ = lookupRoot_ = root;
    root->IncludeState(csLoading);
    root->IncludeState(csReading);
    load_->Track(root);
    if (!name.empty() && !root->ComponentState().Contains(csDesigning))
      root->SetName(UniqueName(root, name));
    ReadObjectData(root);
    root->ExcludeState(csReading);
    ResolveFixups();
    BindFields(root);
    if (!shared) {
      ownLoad_->CallLoaded();
      ownLoad_.reset();
      load_ = nullptr;
    }
    // Other forms' references that this root completes; a target of the
    // wrong class is reported with this root's unresolved references.
    for (std::string& error : detail::ResolvePendingFixups())
      unresolved_.push_back(std::move(error));
  } catch (...) {
    if (errorPosition_ < 0) errorPosition_ = objectStart_;
    if (created) {
      TObject::Free(root);
    } else if (root) {
      root->ExcludeState(csReading);
    }
    if (!shared) {
      ownLoad_.reset();
      load_ = nullptr;
    }
    throw;
  }
  return root;
}

TComponent* TReader::ReadComponent(TComponent* component) {
  EnsureLoad();
  EnterNesting();
  int64_t start = Position();
  objectStart_ = start;
  TComponent* result = component;
  bool created = false;
  try {
    TFilerFlags flags;
    int childPos;
    ReadPrefix(flags, childPos);
    std::string className = ReadStr();
    std::string name = ReadStr();
    if (!result) {
      if (flags.Contains(ffInherited)) {
        result = owner_ ? owner_->FindComponent(name) : nullptr;
        if (!result) throw EReadError(Format(ResStr("SAncestorNotFound"), {name}));
      } else {
        const TClass* cls = GetClass(className);
        if (!cls) throw EClassNotFound(Format(ResStr("SClassNotFound"), {className}));
        if (!cls->IsComponentClass() || cls->IsAbstract())
          throw EReadError(Format(ResStr("SNotAComponentClass"), {className}));
        result = cls->CreateComponent(owner_);
        created = true;
        result->IncludeState(csLoading);
        load_->Track(result);
        result->SetName(name);
      }
    }
    result->IncludeState(csLoading);
    result->IncludeState(csReading);
    load_->Track(result);
    if (result->HasParent()) result->SetParentComponent(parent_);
    if (flags.Contains(ffChildPos) && parent_) parent_->SetChildOrder(result, childPos);
    ReadObjectData(result);
    result->ExcludeState(csReading);
  } catch (...) {
    if (errorPosition_ < 0) {
      errorPosition_ = start;
      errorPath_ = result ? NameOf(result) : std::string();
    }
    if (created) TObject::Free(result);  // the load forgets it through its sentinel
    --depth_;
    throw;
  }
  --depth_;
  return result;
}

void TReader::ReadObjectData(TComponent* component) {
  TComponent* savedComponent = component_;
  TComponent* savedOwner = owner_;
  TComponent* savedParent = parent_;
  component_ = component;
  try {
    while (!EndOfList()) ReadProperty(component);
    ReadListEnd();
    parent_ = component->GetChildParent();
    owner_ = component->GetChildOwner();
    if (!owner_) owner_ = root_;
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
  } catch (...) {
    component_ = savedComponent;
    owner_ = savedOwner;
    parent_ = savedParent;
    throw;
  }
  component_ = savedComponent;
  owner_ = savedOwner;
  parent_ = savedParent;
}

void TReader::ReadProperty(TPersistent* instance) {
  EnsureLoad();
  int64_t start = Position();
  propStart_ = start;
  std::string fullName = ReadStr();
  std::string prefix = component_ ? NameOf(component_) : std::string();
  std::string path =
      prefix.empty() && propPath_.empty() ? fullName : prefix + propPath_ + "." + fullName;
  std::string savedPath = propPath_;
  try {
    TPersistent* target = instance;
    size_t begin = 0;
    for (size_t dot = fullName.find('.'); dot != std::string::npos;
         dot = fullName.find('.', begin)) {
      std::string part = fullName.substr(begin, dot - begin);
      const TPropInfo* prop = target->ClassType()->FindProperty(part);
      TPersistent* sub = nullptr;
      if (prop && prop->Kind() == tkClass && prop->GetObj)
        sub = dynamic_cast<TPersistent*>(prop->GetObj(target));
      if (!prop) throw EReadError(Format(ResStr("SUnknownProperty"), {part}));
      if (!sub) throw EReadError(ResStr("SInvalidPropertyPath"));
      target = sub;
      begin = dot + 1;
    }
    std::string last = fullName.substr(begin);
    if (const TPropInfo* prop = target->ClassType()->FindProperty(last)) {
      propPath_ = propPath_ + "." + fullName;  // for the items of a collection
      ReadPropValue(target, prop);
      propPath_ = savedPath;
      return;
    }
    propName_ = last;
    target->DefineProperties(this);
    if (!propName_.empty()) DefineStringsProperty(this, target);
    if (!propName_.empty()) {
      std::string message = Format(ResStr("SUnknownProperty"), {last});
      bool handled = false;
      if (OnError) OnError(this, message, handled);
      propName_.clear();
      if (!handled) throw EReadError(message);
      SkipValue();
    }
  } catch (const Exception& e) {
    propPath_ = savedPath;
    propName_.clear();
    if (errorPosition_ >= 0) throw;  // already placed by an inner property
    errorPosition_ = start;
    errorPath_ = path;
    if (IsStreamError(e))
      throw EReadError(Format(ResStr("SErrorReadingProperty"), {path, e.Message()}));
    throw;
  }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo* prop) {
  switch (prop->Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet:
      ReadOrdinal(instance, prop);
      break;
    case tkFloat:
      SetFloatProp(instance, prop, ReadFloat());
      break;
    case tkString:
      SetStrProp(instance, prop, ReadString());
      break;
    case tkMethod: {
      if (NextValue() == vaNil) {
        ReadValue();
        SetMethodProp(instance, prop, TMethod{});
        break;
      }
      std::string name = ReadIdent();
      const TMethodInfo* method =
          lookupRoot_ ? lookupRoot_->ClassType()->FindMethod(name) : nullptr;
      if (!method) throw EReadError(Format(ResStr("SMethodNotFound"), {name}));
      SetMethodProp(instance, prop, method->Bind(lookupRoot_));
      break;
    }
    case tkClass:
      ReadClassValue(instance, prop);
      break;
    case tkVariant: {
      Variant value = ReadVariant(this);
      if (!prop->SetVar) throw EPropertyError(ResStr("SReadOnlyProperty"));
      prop->SetVar(instance, value);
      break;
    }
    default:
      PropValueError();
  }
}

void TReader::ReadOrdinal(TPersistent* instance, const TPropInfo* prop) {
  const TTypeInfo* type = prop->PropType;
  TValueType t = NextValue();
  int64_t value = 0;
  switch (prop->Kind()) {
    case tkSet: {
      if (t != vaSet) ValueError(ReadValueText());
      const TTypeInfo* elem = type->CompType;
      uint64_t bits = 0;
      for (const std::string& name : ReadSetNames()) {
        int64_t v = elem->EnumValue(name);
        if (v < 0 || v >= 64) ValueError(name);
        bits |= uint64_t{1} << v;
      }
      SetOrdProp(instance, prop, static_cast<int64_t>(bits));
      return;
    }
    case tkEnumeration:
      if (t == vaIdent || t == vaFalse || t == vaTrue) {
        std::string name = ReadIdent();
        value = type->EnumValue(name);
        if (value < 0) ValueError(name);
      } else if (IsIntegerTag(t)) {
        value = ReadInt64();
      } else {
        ValueError(ReadValueText());
      }
      break;
    case tkChar:
      if (IsIntegerTag(t))
        value = ReadInt64();
      else
        value = static_cast<unsigned char>(ReadChar());
      break;
    default:
      if (t == vaIdent) {
        std::string name = ReadIdent();
        if (!type->ValueOfIdent(name, value)) ValueError(name);
      } else if (IsIntegerTag(t)) {
        value = ReadInt64();
      } else {
        ValueError(ReadValueText());
      }
      break;
  }
  if (value < type->MinValue || value > type->MaxValue) ValueError(std::to_string(value));
  SetOrdProp(instance, prop, value);
}

void TReader::ValueError(const std::string& shown) {
  throw EReadError(Format(ResStr("SInvalidPropertyValueOf"), {shown}));
}

std::string TReader::ReadValueText() {
  switch (NextValue()) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return std::to_string(ReadInt64());
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNil:
    case vaNull:
      return ReadIdent();
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: {
      std::string s = ReadString();
      std::string shown = "'";
      size_t cut = Utf8Offset(s, 40);
      for (char c : std::string_view(s).substr(0, cut))
        shown += c == '\'' ? "''" : std::string(1, c);
      return shown + (cut < s.size() ? "...'" : "'");
    }
    case vaExtended:
    case vaSingle:
    case vaDate:
    case vaCurrency:
      return FloatToStr(ReadFloat());
    case vaList:
      SkipValue();
      return "(...)";
    case vaCollection:
      SkipValue();
      return "<...>";
    case vaBinary:
      SkipValue();
      return "{...}";
    default:
      SkipValue();
      return "[...]";
  }
}

void TReader::ReadClassValue(TPersistent* instance, const TPropInfo* prop) {
  TValueType t = NextValue();
  if (t == vaCollection) {
    ReadValue();
    auto* collection = dynamic_cast<TCollection*>(prop->GetObj(instance));
    if (!collection) PropValueError();
    ReadCollection(collection);
  } else if (t == vaNil) {
    ReadValue();
    SetObjectProp(instance, prop, nullptr);
  } else if (t == vaIdent) {
    std::string name = ReadIdent();
    const TClass* cls = prop->PropType->ClassType ? prop->PropType->ClassType() : nullptr;
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()) || prop->ReadOnly) PropValueError();
    detail::TPropFixup fixup;
    fixup.Component = component_;
    fixup.Instance = instance;
    fixup.Prop = prop;
    fixup.Name = name;
    fixup.Path = (component_ ? NameOf(component_) : std::string()) + propPath_;
    fixup.RelativePath = propPath_.empty() ? propPath_ : propPath_.substr(1);
    fixup.Root = root_;
    load_->Fixups.push_back(std::move(fixup));
  } else {
    PropValueError();
  }
}

void TReader::ReadCollection(TCollection* collection) {
  EnterNesting();
  std::string savedPath = propPath_;
  collection->BeginUpdate();
  try {
    collection->Clear();
    for (int index = 0; !EndOfList(); ++index) {
      if (IsIntegerTag(NextValue())) ReadInteger();  // an item's position, written by older filers
      ReadListBegin();
      TCollectionItem* item = collection->Add();
      propPath_ = savedPath + "[" + std::to_string(index) + "]";
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
      propPath_ = savedPath;
    }
    ReadListEnd();
  } catch (...) {
    propPath_ = savedPath;
    collection->EndUpdate();
    --depth_;
    throw;
  }
  collection->EndUpdate();
  --depth_;
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
  if (propName_.empty() || !readData || !SameText(name, propName_)) return;
  propName_.clear();
  readData(this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
  if (propName_.empty() || !readData || !SameText(name, propName_)) return;
  propName_.clear();
  std::string bytes = ReadBinary();
  TMemoryStream data;
  data.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  data.SetPosition(0);
  readData(&data);
}

void TReader::ResolveFixups() {
  if (!load_) return;
  auto& fixups = load_->Fixups;
  auto others =
      std::stable_partition(fixups.begin(), fixups.end(),
                            [this](const detail::TPropFixup& f) { return f.Root != root_; });
  std::vector<detail::TPropFixup> mine(std::make_move_iterator(others),
                                       std::make_move_iterator(fixups.end()));
  fixups.erase(others, fixups.end());
  if (mine.empty()) return;
  // One pass over the root's components serves every reference of the tree.
  detail::TNameIndex names = detail::IndexNames(root_);
  for (const detail::TPropFixup& f : mine) {
    TComponent* target = detail::ResolveReference(root_, f.Name, &names);
    if (!target) {
      unresolved_.push_back(f.Path + " -> " + f.Name);
      detail::AddPendingFixup(f);
      continue;
    }
    try {
      SetObjectProp(f.Instance, f.Prop, target);
    } catch (const Exception& e) {
      errorPath_ = f.Path;
      if (IsStreamError(e))
        throw EReadError(Format(ResStr("SErrorReadingProperty"), {f.Path, e.Message()}));
      throw;
    }
  }
}

void TReader::EnsureLoad() {
  if (load_) return;
  ownLoad_ = std::make_unique<detail::TLoadContext>();
  load_ = ownLoad_.get();
}

void TReader::FixupReferences() {
  if (!ownLoad_) return;
  if (!root_) root_ = owner_;
  ResolveFixups();
  std::unique_ptr<detail::TLoadContext> load = std::move(ownLoad_);
  load_ = nullptr;
  load->CallLoaded();
}

}  // namespace tabulon
