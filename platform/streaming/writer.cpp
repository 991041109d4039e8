// TWriter: items in the binary value encoding and component trees.
#include "platform/streaming/writer.h"

#include <cstring>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/props.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/extended.h"
#include "platform/streaming/variant_io.h"

namespace tabulon {

TBN_REGISTER(TWriter) {}

TWriter::TWriter(TStream* stream, int bufSize) : TFiler(stream, bufSize) {
  base_ = stream->GetPosition();
}

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (const Exception&) {
    // Cannot leave a destructor; the library's writing routines flush
    // explicitly before the writer goes, so only an abandoned writer gets here.
  }
}

void TWriter::FlushBuffer() {
  if (bufPos_ == 0) return;
  size_t n = bufPos_;
  bufPos_ = 0;
  base_ += static_cast<int64_t>(n);
  stream_->WriteBuffer(buffer_.data(), static_cast<int64_t>(n));
}

void TWriter::WriteByte(uint8_t b) {
  if (bufPos_ == buffer_.size()) FlushBuffer();
  buffer_[bufPos_++] = b;
}

void TWriter::Write(const void* data, int64_t count) {
  if (count <= 0) return;
  auto* p = static_cast<const uint8_t*>(data);
  if (static_cast<size_t>(count) > buffer_.size() - bufPos_) {
    FlushBuffer();
    if (static_cast<size_t>(count) >= buffer_.size()) {
      stream_->WriteBuffer(p, count);
      base_ += count;
      return;
    }
  }
  std::memcpy(buffer_.data() + bufPos_, p, static_cast<size_t>(count));
  bufPos_ += static_cast<size_t>(count);
}

void TWriter::WriteValue(TValueType value) { WriteByte(value); }

void TWriter::WriteLength(uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) WriteByte(static_cast<uint8_t>(value >> (8 * i)));
}

void TWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    WriteLength(static_cast<uint64_t>(value), 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    WriteLength(static_cast<uint64_t>(value), 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    WriteLength(static_cast<uint64_t>(value), 4);
  } else {
    WriteValue(vaInt64);
    WriteLength(static_cast<uint64_t>(value), 8);
  }
}

void TWriter::WriteFloat(long double value) {
  uint8_t bytes[kExtendedSize];
  ExtendedToBytes(value, bytes);
  WriteValue(vaExtended);
  Write(bytes, kExtendedSize);
}

void TWriter::WriteSingle(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  WriteValue(vaSingle);
  WriteLength(bits, 4);
}

void TWriter::WriteCurrency(Currency value) {
  WriteValue(vaCurrency);
  WriteLength(static_cast<uint64_t>(value.Value), 8);
}

void TWriter::WriteDate(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  WriteValue(vaDate);
  WriteLength(bits, 8);
}

void TWriter::WriteString(std::string_view value) {
  bool ascii = true;
  for (char c : value)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  if (!ascii) return WriteUTF8Str(value);
  if (value.size() > UINT32_MAX) throw EWriteError(ResStr("SWriteError"));
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteLength(value.size(), 1);
  } else {
    WriteValue(vaLString);
    WriteLength(value.size(), 4);
  }
  Write(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteUTF8Str(std::string_view value) {
  if (value.size() > UINT32_MAX) throw EWriteError(ResStr("SWriteError"));
  WriteValue(vaUTF8String);
  WriteLength(value.size(), 4);
  Write(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }

void TWriter::WriteIdent(std::string_view ident) {
  if (SameText(ident, "False")) return WriteValue(vaFalse);
  if (SameText(ident, "True")) return WriteValue(vaTrue);
  if (SameText(ident, "nil")) return WriteValue(vaNil);
  if (SameText(ident, "Null")) return WriteValue(vaNull);
  WriteValue(vaIdent);
  WriteStr(ident);
}

void TWriter::WriteChar(char value) {
  WriteValue(vaString);
  WriteByte(1);
  WriteByte(static_cast<uint8_t>(value));
}

void TWriter::WriteStr(std::string_view value) {
  if (value.size() > 255) throw EWriteError(ResStr("SWriteError"));
  WriteByte(static_cast<uint8_t>(value.size()));
  Write(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteBinary(std::string_view bytes) {
  if (bytes.size() > INT32_MAX) throw EWriteError(ResStr("SWriteError"));
  WriteValue(vaBinary);
  WriteLength(bytes.size(), 4);
  Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TWriter::WriteSignature() { Write(kFilerSignature, 4); }

void TWriter::WritePrefix(TFilerFlags flags, int childPos) {
  if (flags.Empty()) return;
  WriteByte(static_cast<uint8_t>(0xF0 | flags.ToInt()));
  if (flags.Contains(ffChildPos)) WriteInteger(childPos);
}

// --- components ----------------------------------------------------------------

void TWriter::WriteRootComponent(TComponent* root) {
  root_ = lookupRoot_ = root;
  WriteSignature();
  WriteComponent(root);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent* component) {
  if (depth_ >= kMaxFilerDepth) throw EWriteError(ResStr("SNestingTooDeep"));
  ++depth_;
  bool wasWriting = component->ComponentState().Contains(csWriting);
  component->IncludeState(csWriting);
  std::string savedPath = std::move(propPath_);
  propPath_.clear();
  try {
    WriteStr(component->ClassName());
    WriteStr(component->GetName());
    WriteProperties(component);
    WriteListEnd();
    if (!ignoreChildren_)
      component->GetChildren([this](TComponent* child) { WriteComponent(child); },
                             root_ ? root_ : component);
    WriteListEnd();
  } catch (...) {
    if (!wasWriting) component->ExcludeState(csWriting);
    propPath_ = std::move(savedPath);
    --depth_;
    throw;
  }
  if (!wasWriting) component->ExcludeState(csWriting);
  propPath_ = std::move(savedPath);
  --depth_;
}

void TWriter::WriteProperties(TPersistent* instance) {
  if (depth_ >= kMaxFilerDepth) throw EWriteError(ResStr("SNestingTooDeep"));
  ++depth_;
  try {
    for (const TPropInfo* prop : instance->ClassType()->Properties()) {
      if (!IsStoredProp(instance, prop)) continue;
      // A property that cannot be read back is not written (sub-objects
      // are filled in place, so they need no setter).
      if (prop->ReadOnly && prop->Kind() != tkClass) continue;
      WriteProperty(instance, prop);
    }
    instance->DefineProperties(this);
    DefineStringsProperty(this, instance);
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
}

void TWriter::WritePropName(std::string_view name) {
  std::string full = propPath_;
  full += name;
  WriteStr(full);
}

std::string TWriter::ReferenceName(TComponent* c) const {
  if (c->GetName().empty()) return {};
  if (c == lookupRoot_ || c->GetOwner() == lookupRoot_ || !c->GetOwner()) return c->GetName();
  TComponent* owner = c->GetOwner();
  if (owner->GetName().empty()) return {};
  return owner->GetName() + "." + c->GetName();
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo* prop) {
  TTypeKind kind = prop->Kind();
  if (kind == tkClass) {
    TObject* value = prop->GetObj(instance);
    if (!value) return;
    if (auto* c = dynamic_cast<TComponent*>(value)) {
      std::string name = ReferenceName(c);
      if (name.empty()) return;
      WritePropName(prop->Name);
      WriteIdent(name);
    } else if (auto* coll = dynamic_cast<TCollection*>(value)) {
      if (coll->Count() == 0) return;  // an empty collection is the default
      WritePropName(prop->Name);
      WriteCollection(coll);
    } else if (auto* sub = dynamic_cast<TPersistent*>(value)) {
      std::string saved = propPath_;
      propPath_ += prop->Name + ".";
      try {
        WriteProperties(sub);
      } catch (...) {
        propPath_ = saved;
        throw;
      }
      propPath_ = saved;
    }
    return;
  }
  if (kind == tkVariant) {
    if (!prop->GetVar) return;
    Variant value;
    prop->GetVar(instance, value);
    if (value.IsEmpty()) return;  // an unassigned variant is the default
    WritePropName(prop->Name);
    WriteVariant(this, value);
    return;
  }
  if (IsDefaultPropValue(instance, prop)) return;
  switch (kind) {
    case tkInteger:
    case tkInt64: {
      int64_t v = prop->GetOrd(instance);
      std::string ident = prop->PropType->IdentOf(v);
      WritePropName(prop->Name);
      if (!ident.empty())
        WriteIdent(ident);
      else
        WriteInteger(v);
      break;
    }
    case tkChar:
      WritePropName(prop->Name);
      WriteChar(static_cast<char>(prop->GetOrd(instance)));
      break;
    case tkEnumeration: {
      int64_t v = prop->GetOrd(instance);
      WritePropName(prop->Name);
      if (prop->PropType == detail::BooleanInfo()) {
        WriteBoolean(v != 0);
      } else {
        std::string name = prop->PropType->EnumName(v);
        if (name.empty())
          WriteInteger(v);
        else
          WriteIdent(name);
      }
      break;
    }
    case tkSet: {
      uint64_t bits = static_cast<uint64_t>(prop->GetOrd(instance));
      const TTypeInfo* elem = prop->PropType->CompType;
      WritePropName(prop->Name);
      WriteValue(vaSet);
      for (size_t i = 0; i < elem->Names.size() && i < 64; ++i)
        if (bits & (uint64_t{1} << i)) WriteStr(elem->Names[i]);
      WriteStr("");
      break;
    }
    case tkFloat: {
      long double v = prop->GetFloat(instance);
      WritePropName(prop->Name);
      if (prop->PropType->Name == "Single")
        WriteSingle(static_cast<float>(v));
      else
        WriteFloat(v);
      break;
    }
    case tkString:
      WritePropName(prop->Name);
      WriteString(prop->GetStr(instance));
      break;
    case tkMethod: {
      TMethod m = prop->GetMethod(instance);
      if (!lookupRoot_) return;
      std::string name = lookupRoot_->ClassType()->MethodName(lookupRoot_, m);
      if (name.empty()) return;  // bound to code that no form file can name
      WritePropName(prop->Name);
      WriteIdent(name);
      break;
    }
    default:
      break;
  }
}

void TWriter::WriteCollection(TCollection* collection) {
  WriteValue(vaCollection);
  std::string saved = std::move(propPath_);
  propPath_.clear();
  try {
    for (int i = 0; i < collection->Count(); ++i) {
      WriteListBegin();
      WriteProperties(collection->GetItem(i));
      WriteListEnd();
    }
  } catch (...) {
    propPath_ = std::move(saved);
    throw;
  }
  propPath_ = std::move(saved);
  WriteListEnd();
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream data;
  writeData(&data);
  WritePropName(name);
  WriteBinary(std::string_view(data.Memory(), static_cast<size_t>(data.GetSize())));
}

}  // namespace tabulon
