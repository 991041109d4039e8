// Small text routines of the package: boolean text conversion (the words
// True and False and every leading part of them) and repeated characters.
#pragma once

#include <string>
#include <string_view>

namespace tabulon {

/// Reads `text` as a boolean: any leading part of "TRUE" (one letter or
/// more, any case) is true, any leading part of "FALSE" is false; returns
/// whether the text was one of these (an empty text is not).
bool StrToBooleanEx(std::string_view text, bool& result);
/// StrToBooleanEx, raising ETabulonError 25108 with the text when it fails.
bool StrToBoolean(std::string_view text);
/// "True" or "False".
std::string BooleanToStr(bool value);
/// `count` copies of `ch`; empty for a count below 1.
std::string AddChar(char ch, int count);

}  // namespace tabulon
