// Form files as the commands read them: either format, every failure
// reported as "FILE: message" with the place in the file (the text line, or
// the binary offset of the object or property), the same way whichever
// command reads it.
#pragma once

#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/streaming/objtext.h"

namespace tabulon::app {

/// A form file read into the binary encoding.
struct TFormInput {
  std::string Binary;  // the binary component stream
  bool WasText = false;
  TTextLineMap Lines;  // binary offsets of objects and properties -> text lines
};

/// Reads a form file of either format. EFOpenError when it cannot be read
/// (with the reason); EInputError "FILE: ..." when it is not a form file or
/// its text is malformed (with the line).
TFormInput ReadFormInput(const std::string& path);
/// The text form of `form`; a damaged binary fails with EInputError
/// "FILE: offset N: message".
std::string FormToText(const std::string& path, const TFormInput& form);
/// Reads `form` into live components (ancestors' forms first for an
/// inherited root) and returns the root; EInputError "FILE:LINE: message"
/// (or "FILE: offset N: message" for a binary file) on failure. References
/// the form could not resolve go to `unresolved` when it is given.
TComponent* ReadFormComponents(const std::string& path, const TFormInput& form,
                               std::vector<std::string>* unresolved = nullptr);

}  // namespace tabulon::app
