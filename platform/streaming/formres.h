// Form resources: the text (or binary) form files embedded into the
// libraries, found by class name and read into live components. A form
// class's resource is the embedded file named "<ClassName>.dfm" in any folder
// under forms/ (for example forms/run/TDBFindForm.dfm), unless another
// resource is registered for the class. A derived form's resource starts
// with "inherited" and changes or adds to its ancestor's components.
#pragma once

#include <string>
#include <string_view>

#include "platform/core/component.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/streams.h"

namespace tabulon {

/// Makes the embedded file `resourceName` the form resource of `className`.
void RegisterFormResource(std::string_view className, std::string_view resourceName);
/// The embedded file holding the form of `className`, or "" when it has none.
std::string FindFormResource(std::string_view className);
/// Puts form data of either format into `binary` as a binary component
/// stream; text is converted (EParserError for bad text, `lines` as in
/// ObjectTextToBinary). Data that is neither raises EReadError "Invalid stream format".
void FormDataToBinary(std::string_view data, TMemoryStream& binary, TTextLineMap* lines = nullptr);
/// Reads the form data `data` (text or binary) into `instance` (null: the
/// root is created from its class name) and returns the root.
TComponent* ReadFormData(std::string_view data, TComponent* instance);
/// Reads the form resource of every class from below `rootAncestor` down to
/// the class of `instance`, ancestors first, binding published fields;
/// Loaded runs once for all read components at the end. Returns whether any
/// resource was found.
bool InitInheritedComponent(TComponent* instance, const TClass* rootAncestor);
/// Reads a form file (text or binary) into `instance` (null: creates the root).
TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance);
/// Writes `instance` to a form file, as text or binary.
void WriteComponentResFile(const std::string& fileName, TComponent* instance, bool asText = true);
/// The text form of `instance` and its children.
std::string ComponentToText(TComponent* instance);

}  // namespace tabulon
