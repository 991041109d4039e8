// Test helper shared by the platform tests: runs a call that must raise
// exception type E with exactly the given message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"

namespace tabulon::testing {

template <class E, class F>
void ExpectThrow(F&& f, const std::string& message) {
  try {
    f();
    ADD_FAILURE() << "no exception, expected " << typeid(E).name() << " \"" << message << "\"";
  } catch (const E& e) {
    EXPECT_EQ(e.Message(), message);
  } catch (const Exception& e) {
    ADD_FAILURE() << "unexpected " << e.ClassName() << ": " << e.Message();
  }
}

}  // namespace tabulon::testing
