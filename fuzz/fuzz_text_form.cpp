// libFuzzer target: the text form parser. Any input either raises a
// framework exception or converts; converted text must be a fixed point:
// its binary form always converts to text, which reads back to the same
// bytes and the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"

namespace {

std::string TextToBinary(const std::string& text) {
  tabulon::TStringStream in(text), out;
  tabulon::ObjectTextToBinary(&in, &out);
  return out.DataString();
}

std::string BinaryToText(const std::string& binary) {
  tabulon::TStringStream in(binary), out;
  tabulon::ObjectBinaryToText(&in, &out);
  return out.DataString();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string binary;
  try {
    binary = TextToBinary(input);
  } catch (const tabulon::Exception&) {
    return 0;
  }
  // What the parser accepts, the writer writes, and that text reads back to
  // the same bytes: any exception from here on is a failure.
  try {
    std::string text = BinaryToText(binary);
    std::string binary2 = TextToBinary(text);
    if (binary2 != binary || BinaryToText(binary2) != text) std::abort();
  } catch (...) {
    std::abort();
  }
  // Reading into live components may fail, but only with framework exceptions.
  try {
    tabulon::TStringStream s(binary);
    tabulon::TReader reader(&s);
    tabulon::TObject::Free(reader.ReadRootComponent(nullptr));
  } catch (const tabulon::Exception&) {
  }
  return 0;
}
