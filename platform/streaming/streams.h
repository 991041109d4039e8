// Streams: the byte sources and sinks that the filer, form files and value
// images read and write. TStream is the abstract base with exact-size
// ReadBuffer/WriteBuffer; file, memory, string and resource streams derive from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/object.h"

namespace tabulon {

class TComponent;

/// Origin of a Seek.
enum TSeekOrigin { soBeginning, soCurrent, soEnd };

/// Abstract stream of bytes with a position.
class TStream : public TObject {
  TBN_CLASS(TStream, TObject)
 public:
  TStream() = default;
  /// Reads up to `count` bytes into `buffer`; returns the number read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  /// Writes up to `count` bytes; returns the number written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  /// Moves the position; returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  /// The size in bytes.
  virtual int64_t GetSize();
  /// Changes the size; streams that cannot raise EStreamError.
  virtual void SetSize(int64_t size);

  /// Reads exactly `count` bytes; EReadError "Stream read error" when fewer are left.
  void ReadBuffer(void* buffer, int64_t count);
  /// Writes exactly `count` bytes; EWriteError "Stream write error" when fewer are taken.
  void WriteBuffer(const void* buffer, int64_t count);
  /// Copies `count` bytes from `source` (0: all of it from its start); returns the count.
  int64_t CopyFrom(TStream* source, int64_t count);

  /// Writes `instance` (and its children) as a binary component stream.
  void WriteComponent(TComponent* instance);
  /// Reads a binary component stream into `instance` (null: creates the root
  /// from its class name, without owner) and returns it.
  TComponent* ReadComponent(TComponent* instance);
};

/// How a TFileStream opens its file.
enum TFileMode : uint32_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

/// A stream over an operating-system file handle.
class THandleStream : public TStream {
  TBN_CLASS(THandleStream, TStream)
 public:
  /// Wraps an open file descriptor (not closed by this object).
  explicit THandleStream(int handle) : handle_(handle) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;
  int Handle() const { return handle_; }

 protected:
  int handle_;
};

/// A stream over a named file. fmCreate creates the file or empties an
/// existing one; the open modes open an existing file. Share modes are taken
/// as advisory locks: deny-write holds a shared lock, exclusive an exclusive
/// one, so that two file streams of this library exclude each other as the
/// modes say (other programs are not bound by advisory locks).
class TFileStream : public THandleStream {
  TBN_CLASS(TFileStream, THandleStream)
 public:
  /// Opens `fileName`; EFCreateError / EFOpenError "Cannot create/open file "%s". %s".
  TFileStream(const std::string& fileName, uint32_t mode);
  ~TFileStream() override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

/// A stream over a block of memory that it does not own (read-only unless a
/// descendant provides storage).
class TCustomMemoryStream : public TStream {
  TBN_CLASS(TCustomMemoryStream, TStream)
 public:
  TCustomMemoryStream() = default;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return size_; }
  /// The bytes of the stream.
  const char* Memory() const { return memory_; }
  /// Writes the whole contents to `stream`.
  void SaveToStream(TStream* stream);
  /// Writes the whole contents to a new file `fileName`.
  void SaveToFile(const std::string& fileName);

 protected:
  void SetPointer(const char* memory, int64_t size);
  const char* memory_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

/// A growable stream in memory.
class TMemoryStream : public TCustomMemoryStream {
  TBN_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  TMemoryStream() = default;
  int64_t Write(const void* buffer, int64_t count) override;
  void SetSize(int64_t size) override;
  /// Empties the stream.
  void Clear();
  /// Replaces the contents with the rest of `stream`.
  void LoadFromStream(TStream* stream);
  /// Replaces the contents with the file `fileName`.
  void LoadFromFile(const std::string& fileName);
  /// Writable bytes of the stream.
  char* Data() { return data_.data(); }

 private:
  void Sync() { SetPointer(data_.data(), static_cast<int64_t>(data_.size())); }
  std::vector<char> data_;
};

/// A stream over a string, which it holds (DataString).
class TStringStream : public TStream {
  TBN_CLASS(TStringStream, TStream)
 public:
  explicit TStringStream(std::string data = {}) : data_(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override;
  /// Up to `count` bytes from the position on.
  std::string ReadString(int64_t count);
  void WriteString(std::string_view s) { Write(s.data(), static_cast<int64_t>(s.size())); }
  const std::string& DataString() const { return data_; }

 private:
  std::string data_;
  int64_t position_ = 0;
};

/// A read-only stream over a data file embedded into a library (form files,
/// pictures); EReadError "Resource %s not found" when there is none.
class TResourceStream : public TCustomMemoryStream {
  TBN_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  explicit TResourceStream(std::string_view name);
};

}  // namespace tabulon
