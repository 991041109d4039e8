// Test helper: runs a call that must raise exception type E with exactly
// the given message.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tabulon::testing {

template <class E, class F>
void ExpectThrow(F&& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "expected " << typeid(E).name() << " \"" << message << "\"";
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

}  // namespace tabulon::testing
