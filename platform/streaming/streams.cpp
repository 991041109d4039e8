// Streams over files, memory, strings and embedded resources.
#include "platform/streaming/streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resources.h"
#include "platform/core/resstrings.h"

namespace tabulon {

TBN_REGISTER(TStream) {}
TBN_REGISTER(THandleStream) {}
TBN_REGISTER(TFileStream) {}
TBN_REGISTER(TCustomMemoryStream) {}
TBN_REGISTER(TMemoryStream) {}
TBN_REGISTER(TStringStream) {}
TBN_REGISTER(TResourceStream) {}

namespace {
// Position arithmetic clamped to what a stream can address.
int64_t NewPosition(int64_t offset, TSeekOrigin origin, int64_t current, int64_t size) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? current : size;
  if (offset > 0 && base > std::numeric_limits<int64_t>::max() - offset)
    return std::numeric_limits<int64_t>::max();
  int64_t pos = base + offset;
  return pos < 0 ? -1 : pos;
}
}  // namespace

// --- TStream ------------------------------------------------------------------

int64_t TStream::GetSize() {
  int64_t pos = Seek(0, soCurrent);
  int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EStreamError(ResStr("SStreamSetSize")); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Read(buffer, count) != count))
    throw EReadError(ResStr("SReadError"));
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0 || (count != 0 && Write(buffer, count) != count))
    throw EWriteError(ResStr("SWriteError"));
}

int64_t TStream::CopyFrom(TStream* source, int64_t count) {
  if (count == 0) {
    source->SetPosition(0);
    count = source->GetSize();
  }
  int64_t result = count;
  std::vector<char> buf(static_cast<size_t>(std::min<int64_t>(count, 61440)));
  while (count > 0) {
    int64_t n = std::min<int64_t>(count, static_cast<int64_t>(buf.size()));
    source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    count -= n;
  }
  return result;
}

// --- THandleStream / TFileStream ----------------------------------------------

int64_t THandleStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n =
        ::read(handle_, static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::write(handle_, static_cast<const char*>(buffer) + done,
                        static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t THandleStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t pos = ::lseek(handle_, static_cast<off_t>(offset), whence);
  return pos < 0 ? -1 : static_cast<int64_t>(pos);
}

void THandleStream::SetSize(int64_t size) {
  int64_t pos = Seek(0, soCurrent);
  if (size < 0 || ::ftruncate(handle_, static_cast<off_t>(size)) != 0)
    throw EStreamError(ResStr("SStreamSetSize"));
  if (pos > size) Seek(size, soBeginning);
}

TFileStream::TFileStream(const std::string& fileName, uint32_t mode)
    : THandleStream(-1), fileName_(fileName) {
  bool create = (mode & fmCreate) == fmCreate;
  int flags = O_CLOEXEC;
  uint32_t access = create ? fmOpenReadWrite : (mode & 3);
  flags |= access == fmOpenWrite ? O_WRONLY : access == fmOpenReadWrite ? O_RDWR : O_RDONLY;
  if (create) flags |= O_CREAT;
  handle_ = ::open(fileName.c_str(), flags, 0666);
  auto fail = [&](int err) {
    if (handle_ >= 0) ::close(handle_);
    handle_ = -1;
    if (create)
      throw EFCreateError(Format(ResStr("SFCreateErrorEx"), {fileName, std::strerror(err)}));
    throw EFOpenError(Format(ResStr("SFOpenErrorEx"), {fileName, std::strerror(err)}));
  };
  if (handle_ < 0) fail(errno);
  struct stat st {};
  if (::fstat(handle_, &st) == 0 && S_ISDIR(st.st_mode)) fail(EISDIR);
  uint32_t share = create ? (mode & 0xF0) : (mode & 0xF0);
  int lock = share == fmShareExclusive || share == fmShareDenyRead ? LOCK_EX
             : share == fmShareDenyWrite                           ? LOCK_SH
                                                                   : 0;
  if (lock && ::flock(handle_, lock | LOCK_NB) != 0) fail(errno);
  // A created file is emptied only once the lock is held.
  if (create && ::ftruncate(handle_, 0) != 0) fail(errno);
}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(handle_);
}

// --- memory streams -------------------------------------------------------------

void TCustomMemoryStream::SetPointer(const char* memory, int64_t size) {
  memory_ = memory;
  size_ = size;
}

int64_t TCustomMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, memory_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TCustomMemoryStream::Write(const void*, int64_t) { return 0; }

int64_t TCustomMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t pos = NewPosition(offset, origin, position_, size_);
  if (pos >= 0) position_ = pos;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) { stream->WriteBuffer(memory_, size_); }

void TCustomMemoryStream::SaveToFile(const std::string& fileName) {
  TFileStream f(fileName, fmCreate);
  SaveToStream(&f);
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t end = position_ + count;
  if (end > static_cast<int64_t>(data_.size())) {
    if (data_.capacity() < static_cast<size_t>(end))
      data_.reserve(std::max(static_cast<size_t>(end), data_.capacity() * 2));
    data_.resize(static_cast<size_t>(end));
  }
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  Sync();
  return count;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError(ResStr("SStreamSetSize"));
  data_.resize(static_cast<size_t>(size));
  if (position_ > size) position_ = size;
  Sync();
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
  Sync();
}

void TMemoryStream::LoadFromStream(TStream* stream) {
  int64_t count = stream->GetSize() - stream->GetPosition();
  if (count < 0) count = 0;
  SetSize(count);
  stream->ReadBuffer(data_.data(), count);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

// --- TStringStream ----------------------------------------------------------------

int64_t TStringStream::Read(void* buffer, int64_t count) {
  int64_t size = GetSize();
  if (count <= 0 || position_ >= size) return 0;
  int64_t n = std::min(count, size - position_);
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TStringStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (position_ + count > GetSize()) data_.resize(static_cast<size_t>(position_ + count));
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t pos = NewPosition(offset, origin, position_, GetSize());
  if (pos >= 0) position_ = pos;
  return position_;
}

void TStringStream::SetSize(int64_t size) {
  if (size < 0) throw EStreamError(ResStr("SStreamSetSize"));
  data_.resize(static_cast<size_t>(size));
  if (position_ > size) position_ = size;
}

std::string TStringStream::ReadString(int64_t count) {
  int64_t size = GetSize();
  int64_t n = std::max<int64_t>(0, std::min(count, size - position_));
  std::string s =
      data_.substr(static_cast<size_t>(std::min(position_, size)), static_cast<size_t>(n));
  position_ += n;
  return s;
}

// --- TResourceStream ---------------------------------------------------------------

TResourceStream::TResourceStream(std::string_view name) {
  bool found = false;
  std::string_view data = FindResource(name, &found);
  if (!found) throw EReadError(Format(ResStr("SResNotFound"), {name}));
  SetPointer(data.data(), static_cast<int64_t>(data.size()));
}

}  // namespace tabulon
