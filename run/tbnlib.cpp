// Boolean text routines and repeated characters.
#include "run/tbnlib.h"

#include "platform/sysutils/strutils.h"
#include "run/tbnset/errors.h"

namespace tabulon {

namespace {
bool IsLeadingPart(std::string_view upper, std::string_view word) {
  return !upper.empty() && upper.size() <= word.size() && word.substr(0, upper.size()) == upper;
}
}  // namespace

bool StrToBooleanEx(std::string_view text, bool& result) {
  std::string upper = UpperCase(text);
  if (IsLeadingPart(upper, "TRUE")) {
    result = true;
    return true;
  }
  result = false;
  return IsLeadingPart(upper, "FALSE");
}

bool StrToBoolean(std::string_view text) {
  bool result = false;
  if (!StrToBooleanEx(text, result)) TabulonError(25108, {text});
  return result;
}

std::string BooleanToStr(bool value) { return value ? "True" : "False"; }

std::string AddChar(char ch, int count) {
  return count < 1 ? std::string() : std::string(static_cast<size_t>(count), ch);
}

}  // namespace tabulon
