// TWriter: writes typed items and whole component trees in the binary value
// encoding. Integers take the smallest encoding that holds them; published
// properties are written in declaration order when stored and not default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/collection.h"
#include "platform/core/currency.h"
#include "platform/streaming/filer.h"

namespace tabulon {

/// Writes typed items and component trees to a stream.
class TWriter : public TFiler {
  TBN_CLASS(TWriter, TFiler)
 public:
  /// A writer appending to `stream` through a buffer of `bufSize` bytes.
  explicit TWriter(TStream* stream, int bufSize = 4096);
  /// Writes out what the buffer still holds. A failure there cannot leave a
  /// destructor, so callers that must know call FlushBuffer first (every
  /// writing routine of this library does).
  ~TWriter() override;

  // --- items ---
  void Write(const void* buffer, int64_t count);
  void WriteValue(TValueType value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  /// An integer in the smallest of vaInt8, vaInt16, vaInt32, vaInt64.
  void WriteInteger(int64_t value);
  /// An extended float (vaExtended).
  void WriteFloat(long double value);
  void WriteSingle(float value);
  void WriteCurrency(Currency value);
  void WriteDate(double value);
  /// A string: vaString (up to 255 bytes) or vaLString for ASCII text,
  /// vaUTF8String for text with other characters.
  void WriteString(std::string_view value);
  /// A string as vaUTF8String.
  void WriteUTF8Str(std::string_view value);
  void WriteBoolean(bool value);
  /// An identifier; False, True, nil and Null become their own tags.
  void WriteIdent(std::string_view ident);
  void WriteChar(char value);
  /// A short string without tag; EWriteError when longer than 255 bytes.
  void WriteStr(std::string_view value);
  /// A binary item.
  void WriteBinary(std::string_view bytes);
  /// The "TPF0" signature.
  void WriteSignature();
  /// An object's prefix byte (and child position) when flags are set.
  void WritePrefix(TFilerFlags flags, int childPos);
  /// The logical position (bytes written through this writer plus the start).
  int64_t Position() const { return base_ + static_cast<int64_t>(bufPos_); }

  // --- components ---
  /// Writes signature, `root` and its children.
  void WriteRootComponent(TComponent* root);
  /// Writes one object: header, properties, children.
  void WriteComponent(TComponent* component);
  /// Writes the stored, non-default published properties of `instance`,
  /// then its custom properties.
  void WriteProperties(TPersistent* instance);
  /// Writes a collection item by item (vaCollection ... vaNull).
  void WriteCollection(TCollection* collection);

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;
  void FlushBuffer() override;

 private:
  void WriteByte(uint8_t b);
  void WritePropName(std::string_view name);
  void WriteProperty(TPersistent* instance, const TPropInfo* prop);
  void WriteLength(uint64_t value, int bytes);
  std::string ReferenceName(TComponent* c) const;

  int64_t base_ = 0;  // stream position of buffer_[0]
  size_t bufPos_ = 0;
  std::string propPath_;
  int depth_ = 0;
};

}  // namespace tabulon
