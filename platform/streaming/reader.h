// TReader: reads the items of a binary stream and whole component trees
// from it. Input is treated as untrusted: every length is checked against
// what the stream still holds, nesting is bounded, and every malformed item
// raises EReadError with the framework's message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/collection.h"
#include "platform/core/currency.h"
#include "platform/streaming/filer.h"

namespace tabulon {

namespace detail {
struct TLoadContext;
struct TPropFixup;
/// A string item's bytes that are not well-formed UTF-8, made so: short and
/// long strings (`ansi`) are the classic single-byte strings and are read
/// as Windows-1252; a UTF-8 item's malformed bytes become U+FFFD.
std::string RepairUtf8(std::string_view s, bool ansi);
}  // namespace detail

/// Reads typed items and component trees from a stream.
class TReader : public TFiler {
  TBN_CLASS(TReader, TFiler)
 public:
  /// A reader over the rest of `stream`, reading ahead `bufSize` bytes at a time.
  explicit TReader(TStream* stream, int bufSize = 4096);
  /// Gives back what was read ahead: the stream stays at the reader's position.
  ~TReader() override;

  // --- items ---
  /// Reads exactly `count` raw bytes; EReadError "Stream read error" at the end.
  void Read(void* buffer, int64_t count);
  /// Reads a value tag; EReadError "Invalid property value" for an unknown tag.
  TValueType ReadValue();
  /// The next value tag, not consumed.
  TValueType NextValue();
  /// Reads a tag and checks it; EReadError "Invalid property value" when it differs.
  void CheckValue(TValueType value);
  /// Whether the next byte ends a list (vaNull); EReadError at the end of the stream.
  bool EndOfList();
  void ReadListBegin() { CheckValue(vaList); }
  void ReadListEnd() { CheckValue(vaNull); }
  /// A 32-bit integer in any integer encoding that fits.
  int32_t ReadInteger();
  /// A 64-bit integer in any integer encoding.
  int64_t ReadInt64();
  /// An extended float; single, double-date, currency and integers are accepted too.
  long double ReadFloat();
  float ReadSingle();
  Currency ReadCurrency();
  double ReadDate();
  /// A string item (short, long, UTF-8 or UTF-16) as well-formed UTF-8:
  /// short and long strings that are not UTF-8 are read as Windows-1252,
  /// malformed UTF-8 and lone surrogates become U+FFFD.
  std::string ReadString();
  bool ReadBoolean();
  /// An identifier item; False, True, nil and Null read as those names.
  std::string ReadIdent();
  /// A one-character string item.
  char ReadChar();
  /// A short string without tag (property, class and component names).
  std::string ReadStr();
  /// The member names of a set item (after its vaSet tag).
  std::vector<std::string> ReadSetNames();
  /// A binary item's bytes.
  std::string ReadBinary();
  /// Skips one item of any kind, lists and collections included.
  void SkipValue();
  /// Checks the "TPF0" signature; EReadError "Invalid stream format".
  void ReadSignature();
  /// Reads the optional prefix byte of an object and its child position.
  void ReadPrefix(TFilerFlags& flags, int& childPos);
  /// The logical position: the next byte the reader will use.
  int64_t Position() const { return bufBase_ + static_cast<int64_t>(bufPos_); }
  /// Bytes left after the position.
  int64_t Remaining() const { return streamSize_ - Position(); }

  // --- components ---
  /// Reads a whole component stream: signature, the root and its children.
  /// `root` null creates the root from its class name (no owner). References
  /// are resolved and Loaded called on every read component afterwards.
  TComponent* ReadRootComponent(TComponent* root);
  /// Reads one object (header, properties, children) owned by Owner(); an
  /// inherited object updates the existing component of its name.
  TComponent* ReadComponent(TComponent* component);
  /// Reads one property (name and value) into `instance`.
  void ReadProperty(TPersistent* instance);
  /// Reads a collection's items (after its vaCollection tag), replacing the items.
  void ReadCollection(TCollection* collection);
  /// After objects were read with ReadComponent alone: resolves their
  /// references (relative to Root, else Owner) and calls their Loaded.
  /// ReadRootComponent does this itself.
  void FixupReferences();

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;
  void FlushBuffer() override;

  /// The owner given to components created while reading.
  TComponent* GetOwner() const { return owner_; }
  void SetOwner(TComponent* owner) { owner_ = owner; }
  /// The parent component given to read components that have one.
  TComponent* GetParent() const { return parent_; }
  void SetParent(TComponent* parent) { parent_ = parent; }

  /// Told of a property that cannot be read (message, handled); setting
  /// handled skips the value and reading goes on.
  std::function<void(TReader*, const std::string&, bool&)> OnError;
  /// The path (Component.Property) of the property being read when the
  /// last error passed, or "".
  const std::string& ErrorPath() const { return errorPath_; }
  /// The stream position where that property (or object) began; -1 when none.
  int64_t ErrorPosition() const { return errorPosition_; }
  /// References ("Component.Property -> Name") that the last root could not
  /// resolve; they wait for the named form to be loaded. Waiting references
  /// of other forms that this root completed with a component of the wrong
  /// class are listed too, as "Error reading ...: Invalid class typecast".
  const std::vector<std::string>& UnresolvedReferences() const { return unresolved_; }

 private:
  void Fill(int64_t need);
  uint8_t ReadByte();
  int64_t ReadLength(int bytes);
  int64_t ReadIntegerOf(TValueType type);
  void CheckLength(int64_t length) const;
  void ReadPropValue(TPersistent* instance, const TPropInfo* prop);
  void ReadOrdinal(TPersistent* instance, const TPropInfo* prop);
  void ReadClassValue(TPersistent* instance, const TPropInfo* prop);
  void ReadObjectData(TComponent* component);
  void EnterNesting();
  void EnsureLoad();
  void ResolveFixups();
  [[noreturn]] void PropValueError();
  /// EReadError "Invalid property value X", X the refused value as text.
  [[noreturn]] void ValueError(const std::string& shown);
  /// Reads the next value and gives it back as a short text for a message.
  std::string ReadValueText();

  int64_t streamSize_ = 0;
  int64_t bufBase_ = 0;  // stream position of buffer_[0]
  size_t bufPos_ = 0;
  size_t bufEnd_ = 0;
  int depth_ = 0;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
  TComponent* component_ = nullptr;  // the component whose properties are read
  std::string propPath_;             // dotted prefix of the property being read
  std::string propName_;             // custom property name waiting for DefineProperty
  bool propHandled_ = false;
  std::string errorPath_;
  int64_t errorPosition_ = -1;
  int64_t objectStart_ = -1;
  int64_t propStart_ = -1;
  std::vector<std::string> unresolved_;
  detail::TLoadContext* load_ = nullptr;
  std::unique_ptr<detail::TLoadContext> ownLoad_;

  friend struct detail::TLoadContext;
};

}  // namespace tabulon
