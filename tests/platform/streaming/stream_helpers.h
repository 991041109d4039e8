// Helpers of the streaming tests: binary and text forms of component trees.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"
#include "platform/streaming/writer.h"

namespace tabulon::test {

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

template <class E, class F>
void ExpectError(F&& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  } catch (const Exception& e) {
    ADD_FAILURE() << "unexpected " << e.ClassName() << ": " << e.Message();
  }
}

}  // namespace tabulon::test
