// The filer: typed items in the framework's binary value encoding. TFiler is
// the common base of TReader and TWriter; it names the items (value tags),
// the object prefix flags and the custom-data callbacks of DefineProperties.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/streaming/streams.h"

namespace tabulon {

class TReader;
class TWriter;

/// Value tags: the first byte of every item of a binary stream.
enum TValueType : uint8_t {
  vaNull = 0,         // end of a list; as a value: Null
  vaList = 1,         // list begin; items follow until vaNull
  vaInt8 = 2,         // 1-byte signed integer
  vaInt16 = 3,        // 2-byte signed integer
  vaInt32 = 4,        // 4-byte signed integer
  vaExtended = 5,     // 10-byte x87 extended float
  vaString = 6,       // 1-byte length, bytes
  vaIdent = 7,        // 1-byte length, identifier
  vaFalse = 8,        // Boolean false
  vaTrue = 9,         // Boolean true
  vaBinary = 10,      // 4-byte length, bytes
  vaSet = 11,         // member names as short strings, ended by an empty one
  vaLString = 12,     // 4-byte length, bytes
  vaNil = 13,         // no object, no method
  vaCollection = 14,  // collection items, each a list, ended by vaNull
  vaSingle = 15,      // 4-byte IEEE float
  vaCurrency = 16,    // 8-byte integer, value times 10,000
  vaDate = 17,        // 8-byte IEEE double, days since 1899-12-30
  vaWString = 18,     // 4-byte count of UTF-16 units, units
  vaInt64 = 19,       // 8-byte signed integer
  vaUTF8String = 20,  // 4-byte length, UTF-8 bytes
};
/// The highest value tag.
inline constexpr int kMaxValueType = vaUTF8String;

/// Flags of an object's prefix byte (0xF0 | flags).
enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

/// Reads a custom property's data.
using TReaderProc = std::function<void(TReader*)>;
/// Writes a custom property's data.
using TWriterProc = std::function<void(TWriter*)>;
/// Reads or writes a binary custom property's data through a stream.
using TStreamProc = std::function<void(TStream*)>;

/// Signature of a binary component stream.
inline constexpr char kFilerSignature[4] = {'T', 'P', 'F', '0'};
/// How deeply objects, collections and lists may nest in a stream.
inline constexpr int kMaxFilerDepth = 200;

/// Common base of the reader and the writer.
class TFiler : public TObject {
  TBN_CLASS(TFiler, TObject)
 public:
  /// A filer over `stream` with a buffer of `bufSize` bytes (at least 16).
  TFiler(TStream* stream, int bufSize);

  /// Declares custom data `name`: the reader calls `readData` when the
  /// property is in the stream; the writer calls `writeData` when `hasData`.
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                              const TWriterProc& writeData, bool hasData) = 0;
  /// Declares custom binary data, handed over as a stream.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;
  /// Writes out / gives back what the buffer holds, leaving the stream at
  /// the filer's logical position.
  virtual void FlushBuffer() = 0;

  TStream* Stream() const { return stream_; }
  /// The component being read or written as a whole.
  TComponent* GetRoot() const { return root_; }
  void SetRoot(TComponent* root) { root_ = root; }
  /// The component whose published methods and owned components names refer to.
  TComponent* GetLookupRoot() const { return lookupRoot_; }
  /// The object of an ancestor form that a property is compared with, or null.
  TPersistent* GetAncestor() const { return ancestor_; }
  void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }
  bool GetIgnoreChildren() const { return ignoreChildren_; }
  void SetIgnoreChildren(bool v) { ignoreChildren_ = v; }

 protected:
  TStream* stream_;
  std::vector<uint8_t> buffer_;
  TComponent* root_ = nullptr;
  TComponent* lookupRoot_ = nullptr;
  TPersistent* ancestor_ = nullptr;
  bool ignoreChildren_ = false;
};

/// Custom data every TStrings object streams: "Strings", a list of strings.
/// The reader and writer call it after an object's own DefineProperties.
void DefineStringsProperty(TFiler* filer, TPersistent* instance);

}  // namespace tabulon
