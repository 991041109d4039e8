// Helpers of the streaming tests: binary and text forms of component trees.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"
#include "platform/streaming/writer.h"
#include "tests/platform/expect_throw.h"

namespace tabulon::test {

using testing::ExpectThrow;

inline std::string ToBinary(TComponent* root) {
  TStringStream s;
  s.WriteComponent(root);
  return s.DataString();
}

inline std::string BinaryToText(const std::string& binary) {
  TStringStream in(binary), out;
  ObjectBinaryToText(&in, &out);
  return out.DataString();
}

inline std::string TextToBinary(const std::string& text, TTextLineMap* lines = nullptr) {
  TStringStream in(text), out;
  ObjectTextToBinary(&in, &out, lines);
  return out.DataString();
}

/// Reads a text form into `instance` (null: creates the root).
inline TComponent* ReadText(const std::string& text, TComponent* instance = nullptr) {
  TStringStream s(TextToBinary(text));
  TReader reader(&s);
  return reader.ReadRootComponent(instance);
}

}  // namespace tabulon::test
