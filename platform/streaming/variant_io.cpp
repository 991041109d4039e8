// Variants in the binary value encoding.
#include "platform/streaming/variant_io.h"

#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"

namespace tabulon {

void WriteVariant(TWriter* writer, const Variant& value) {
  if (value.IsOpaque()) throw EWriteError(ResStr("SWriteError"));
  if (value.IsArray()) {
    if (VarArrayDimCount(value) != 1) throw EWriteError(ResStr("SWriteError"));
    writer->WriteListBegin();
    for (int i = VarArrayLowBound(value); i <= VarArrayHighBound(value); ++i)
      WriteVariant(writer, value.GetElement(i));
    writer->WriteListEnd();
    return;
  }
  switch (value.Type()) {
    case varEmpty:
      return writer->WriteValue(vaNil);
    case varNull:
      return writer->WriteValue(vaNull);
    case varSmallint:
    case varByte: {
      int16_t v = value.AsSmallint();
      writer->WriteValue(vaInt16);
      uint8_t b[2] = {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF)};
      return writer->Write(b, 2);
    }
    case varInteger: {
      uint32_t v = static_cast<uint32_t>(value.AsInteger());
      writer->WriteValue(vaInt32);
      uint8_t b[4];
      for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
      return writer->Write(b, 4);
    }
    case varInt64: {
      uint64_t v = static_cast<uint64_t>(value.AsInt64());
      writer->WriteValue(vaInt64);
      uint8_t b[8];
      for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
      return writer->Write(b, 8);
    }
    case varSingle:
      return writer->WriteSingle(value.AsSingle());
    case varDouble:
      return writer->WriteFloat(value.AsDouble());
    case varCurrency:
      return writer->WriteCurrency(value.AsCurrency());
    case varDate:
      return writer->WriteDate(value.AsDate());
    case varBoolean:
      return writer->WriteBoolean(value.AsBoolean());
    case varString:
      return writer->WriteString(value.StrView());
    default:
      throw EWriteError(ResStr("SWriteError"));
  }
}

namespace {
Variant ReadVariantAt(TReader* reader, int depth) {
  if (depth > kMaxFilerDepth) throw EReadError(ResStr("SNestingTooDeep"));
  switch (reader->NextValue()) {
    case vaNil:
      reader->ReadValue();
      return Unassigned;
    case vaNull:
      reader->ReadValue();
      return Null;
    case vaInt8:
    case vaInt16:
      return Variant(static_cast<int16_t>(reader->ReadInteger()));
    case vaInt32:
      return Variant(reader->ReadInteger());
    case vaInt64:
      return Variant(reader->ReadInt64());
    case vaSingle:
      return Variant(reader->ReadSingle());
    case vaExtended:
      return Variant(static_cast<double>(reader->ReadFloat()));
    case vaCurrency:
      return Variant(reader->ReadCurrency());
    case vaDate:
      return Variant::FromDate(reader->ReadDate());
    case vaFalse:
    case vaTrue:
      return Variant(reader->ReadBoolean());
    case vaString:
    case vaLString:
    case vaUTF8String:
    case vaWString:
      return Variant(reader->ReadString());
    case vaList: {
      reader->ReadListBegin();
      std::vector<Variant> items;
      while (!reader->EndOfList()) items.push_back(ReadVariantAt(reader, depth + 1));
      reader->ReadListEnd();
      return VarArrayOf(items);
    }
    default:
      throw EReadError(ResStr("SInvalidPropertyValue"));
  }
}
}  // namespace

Variant ReadVariant(TReader* reader) { return ReadVariantAt(reader, 0); }

}  // namespace tabulon
