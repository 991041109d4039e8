// TReader: the items of the binary value encoding, read with every length
// checked against what the stream still holds.
#include "platform/streaming/reader.h"

#include <algorithm>
#include <cstring>

#include "platform/core/class_builder.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/extended.h"
#include "platform/streaming/loading.h"

namespace tabulon {

TBN_REGISTER(TReader) {}

namespace detail {

namespace {
// Windows-1252 at 0x80-0x9F (its five gaps map to the C1 controls).
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

std::string RepairUtf8(std::string_view s, bool ansi) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  if (ansi) {
    for (char ch : s) {
      auto c = static_cast<unsigned char>(ch);
      AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
    }
    return out;
  }
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8SequenceLength(s, i);
    if (n == 0) {
      AppendUtf8(out, 0xFFFD);
      ++i;
    } else {
      out.append(s, i, n);
      i += n;
    }
  }
  return out;
}

}  // namespace detail

TReader::TReader(TStream* stream, int bufSize) : TFiler(stream, bufSize) {
  bufBase_ = stream->GetPosition();
  streamSize_ = std::max(stream->GetSize(), bufBase_);
}

TReader::~TReader() {
  // The stream was read ahead; put it back at the reader's position.
  stream_->Seek(Position(), soBeginning);
}

void TReader::FlushBuffer() {
  int64_t pos = Position();
  stream_->Seek(pos, soBeginning);
  bufBase_ = pos;
  bufPos_ = bufEnd_ = 0;
}

void TReader::Fill(int64_t need) {
  if (static_cast<int64_t>(bufEnd_ - bufPos_) >= need) return;
  size_t left = bufEnd_ - bufPos_;
  if (bufPos_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + bufPos_, left);
    bufBase_ += static_cast<int64_t>(bufPos_);
    bufPos_ = 0;
    bufEnd_ = left;
  }
  if (static_cast<int64_t>(buffer_.size()) < need) buffer_.resize(static_cast<size_t>(need));
  while (static_cast<int64_t>(bufEnd_) < need) {
    int64_t n =
        stream_->Read(buffer_.data() + bufEnd_, static_cast<int64_t>(buffer_.size() - bufEnd_));
    if (n <= 0) break;
    bufEnd_ += static_cast<size_t>(n);
  }
}

void TReader::CheckLength(int64_t length) const {
  if (length < 0 || length > Remaining()) throw EReadError(ResStr("SReadError"));
}

void TReader::Read(void* buffer, int64_t count) {
  if (count <= 0) return;
  CheckLength(count);
  auto* out = static_cast<uint8_t*>(buffer);
  size_t avail = bufEnd_ - bufPos_;
  if (static_cast<int64_t>(avail) >= count) {
    std::memcpy(out, buffer_.data() + bufPos_, static_cast<size_t>(count));
    bufPos_ += static_cast<size_t>(count);
    return;
  }
  if (count <= static_cast<int64_t>(buffer_.size())) {
    Fill(count);
    if (static_cast<int64_t>(bufEnd_ - bufPos_) < count) throw EReadError(ResStr("SReadError"));
    std::memcpy(out, buffer_.data() + bufPos_, static_cast<size_t>(count));
    bufPos_ += static_cast<size_t>(count);
    return;
  }
  // Large blocks go straight from the stream, after what is buffered.
  std::memcpy(out, buffer_.data() + bufPos_, avail);
  bufBase_ += static_cast<int64_t>(bufEnd_);
  bufPos_ = bufEnd_ = 0;
  int64_t rest = count - static_cast<int64_t>(avail);
  if (stream_->Read(out + avail, rest) != rest) throw EReadError(ResStr("SReadError"));
  bufBase_ += rest;
}

uint8_t TReader::ReadByte() {
  if (bufPos_ >= bufEnd_) {
    Fill(1);
    if (bufPos_ >= bufEnd_) throw EReadError(ResStr("SReadError"));
  }
  return buffer_[bufPos_++];
}

int64_t TReader::ReadLength(int bytes) {
  uint8_t b[8] = {};
  Read(b, bytes);
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<uint64_t>(b[i]) << (8 * i);
  return static_cast<int64_t>(v);
}

void TReader::PropValueError() { throw EReadError(ResStr("SInvalidPropertyValue")); }

TValueType TReader::ReadValue() {
  uint8_t b = ReadByte();
  if (b > kMaxValueType) PropValueError();
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
  if (bufPos_ >= bufEnd_) {
    Fill(1);
    if (bufPos_ >= bufEnd_) throw EReadError(ResStr("SReadError"));
  }
  uint8_t b = buffer_[bufPos_];
  if (b > kMaxValueType) PropValueError();
  return static_cast<TValueType>(b);
}

bool TReader::EndOfList() {
  // The raw byte: an object's prefix byte (0xF0 and up) may follow a list.
  if (bufPos_ >= bufEnd_) {
    Fill(1);
    if (bufPos_ >= bufEnd_) throw EReadError(ResStr("SReadError"));
  }
  return buffer_[bufPos_] == vaNull;
}

void TReader::CheckValue(TValueType value) {
  if (ReadValue() != value) PropValueError();
}

int64_t TReader::ReadIntegerOf(TValueType type) {
  switch (type) {
    case vaInt8:
      return static_cast<int8_t>(ReadLength(1));
    case vaInt16:
      return static_cast<int16_t>(ReadLength(2));
    case vaInt32:
      return static_cast<int32_t>(ReadLength(4));
    case vaInt64:
      return ReadLength(8);
    default:
      PropValueError();
  }
}

int32_t TReader::ReadInteger() {
  int64_t v = ReadIntegerOf(ReadValue());
  if (v < INT32_MIN || v > INT32_MAX) PropValueError();
  return static_cast<int32_t>(v);
}

int64_t TReader::ReadInt64() { return ReadIntegerOf(ReadValue()); }

long double TReader::ReadFloat() {
  switch (NextValue()) {
    case vaExtended: {
      ReadValue();
      uint8_t b[kExtendedSize];
      Read(b, kExtendedSize);
      return BytesToExtended(b);
    }
    case vaSingle:
      return ReadSingle();
    case vaDate:
      return ReadDate();
    case vaCurrency: {
      Currency c = ReadCurrency();
      return static_cast<long double>(c.Value) / 10000;
    }
    default:
      return static_cast<long double>(ReadInt64());
  }
}

float TReader::ReadSingle() {
  if (NextValue() != vaSingle) return static_cast<float>(ReadInt64());
  ReadValue();
  uint32_t bits = static_cast<uint32_t>(ReadLength(4));
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

Currency TReader::ReadCurrency() {
  Currency c;
  if (NextValue() != vaCurrency) {
    int64_t v = ReadInt64();
    if (v > INT64_MAX / 10000 || v < INT64_MIN / 10000) PropValueError();
    c.Value = v * 10000;
    return c;
  }
  ReadValue();
  c.Value = ReadLength(8);
  return c;
}

double TReader::ReadDate() {
  if (NextValue() != vaDate) return static_cast<double>(ReadInt64());
  ReadValue();
  uint64_t bits = static_cast<uint64_t>(ReadLength(8));
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

std::string TReader::ReadString() {
  int64_t len = 0;
  TValueType type = ReadValue();
  switch (type) {
    case vaString:
      len = ReadLength(1);
      break;
    case vaLString:
    case vaUTF8String:
      len = ReadLength(4);
      break;
    case vaWString: {
      int64_t units = ReadLength(4);
      CheckLength(units * 2);
      std::string raw(static_cast<size_t>(units * 2), '\0');
      Read(raw.data(), units * 2);
      std::string out;
      out.reserve(raw.size());
      for (size_t i = 0; i < raw.size(); i += 2) {
        uint32_t u = static_cast<uint8_t>(raw[i]) | (static_cast<uint8_t>(raw[i + 1]) << 8);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < raw.size()) {
          uint32_t lo = static_cast<uint8_t>(raw[i + 2]) | (static_cast<uint8_t>(raw[i + 3]) << 8);
          if (lo >= 0xDC00 && lo < 0xE000) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
            i += 2;
            continue;
          }
        }
        AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
      }
      return out;
    }
    default:
      PropValueError();
  }
  CheckLength(len);
  std::string s(static_cast<size_t>(len), '\0');
  Read(s.data(), len);
  if (!IsValidUtf8(s)) s = detail::RepairUtf8(s, type != vaUTF8String);
  return s;
}

bool TReader::ReadBoolean() {
  TValueType t = ReadValue();
  if (t != vaTrue && t != vaFalse) PropValueError();
  return t == vaTrue;
}

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaNull:
      return "Null";
    default:
      PropValueError();
  }
}

char TReader::ReadChar() {
  // A character is one byte of the classic single-byte set: a one-byte short
  // string holds it as is, other strings hold it as the one character it
  // stands for in Windows-1252.
  if (NextValue() == vaString) {
    Fill(2);
    if (bufEnd_ - bufPos_ >= 2 && buffer_[bufPos_ + 1] == 1) {
      bufPos_ += 2;
      return static_cast<char>(ReadByte());
    }
  }
  std::string s = ReadString();
  size_t len = Utf8SequenceLength(s, 0);
  if (len == 0 || len != s.size()) PropValueError();
  std::string one;
  for (int b = 0; b < 256; ++b) {
    one.assign(1, static_cast<char>(b));
    if (detail::RepairUtf8(one, b >= 0x80) == s) return static_cast<char>(b);
  }
  PropValueError();
}

std::string TReader::ReadStr() {
  int64_t len = ReadByte();
  CheckLength(len);
  std::string s(static_cast<size_t>(len), '\0');
  Read(s.data(), len);
  return s;
}

std::vector<std::string> TReader::ReadSetNames() {
  CheckValue(vaSet);
  std::vector<std::string> names;
  for (;;) {
    std::string name = ReadStr();
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

std::string TReader::ReadBinary() {
  CheckValue(vaBinary);
  int64_t len = ReadLength(4);
  CheckLength(len);
  std::string bytes(static_cast<size_t>(len), '\0');
  Read(bytes.data(), len);
  return bytes;
}

void TReader::EnterNesting() {
  if (depth_ >= kMaxFilerDepth) throw EReadError(ResStr("SNestingTooDeep"));
  ++depth_;
}

void TReader::SkipValue() {
  auto skip = [this](int64_t n) {
    CheckLength(n);
    size_t avail = bufEnd_ - bufPos_;
    if (static_cast<int64_t>(avail) >= n) {
      bufPos_ += static_cast<size_t>(n);
      return;
    }
    bufBase_ += static_cast<int64_t>(bufEnd_) + (n - static_cast<int64_t>(avail));
    bufPos_ = bufEnd_ = 0;
    stream_->Seek(bufBase_, soBeginning);
  };
  TValueType t = ReadValue();
  switch (t) {
    case vaNull:
    case vaNil:
    case vaFalse:
    case vaTrue:
      break;
    case vaInt8:
      skip(1);
      break;
    case vaInt16:
      skip(2);
      break;
    case vaInt32:
    case vaSingle:
      skip(4);
      break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
      skip(8);
      break;
    case vaExtended:
      skip(kExtendedSize);
      break;
    case vaString:
    case vaIdent:
      skip(ReadLength(1));
      break;
    case vaBinary:
    case vaLString:
    case vaUTF8String:
      skip(ReadLength(4));
      break;
    case vaWString:
      skip(ReadLength(4) * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaList:
      EnterNesting();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      --depth_;
      break;
    case vaCollection:
      EnterNesting();
      while (!EndOfList()) {
        TValueType n = NextValue();
        if (n == vaInt8 || n == vaInt16 || n == vaInt32) ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      --depth_;
      break;
  }
}

void TReader::ReadSignature() {
  char sig[4];
  if (Remaining() < 4) throw EReadError(ResStr("SInvalidImage"));
  Read(sig, 4);
  if (std::memcmp(sig, kFilerSignature, 4) != 0) throw EReadError(ResStr("SInvalidImage"));
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos) {
  flags = {};
  childPos = 0;
  if (bufPos_ >= bufEnd_) Fill(1);
  if (bufPos_ < bufEnd_ && (buffer_[bufPos_] & 0xF0) == 0xF0) {
    uint8_t b = ReadByte() & 0x0F;
    if (b & ~0x07) throw EReadError(ResStr("SInvalidImage"));
    flags = TFilerFlags::FromInt(b);
    if (flags.Contains(ffChildPos)) childPos = ReadInteger();
  }
}

}  // namespace tabulon
