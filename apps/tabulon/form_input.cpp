#include "apps/tabulon/form_input.h"

#include "apps/tabulon/command.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/core/resources.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/formres.h"
#include "platform/streaming/global.h"
#include "platform/streaming/reader.h"

namespace tabulon::app {

namespace {

// "FILE:LINE" for a text file, "FILE: offset N" for a binary one, "FILE"
// when the place is unknown.
std::string Place(const std::string& path, const TFormInput& form, int64_t position) {
  if (form.WasText) {
    int line = LineOfPosition(form.Lines, position);
    if (line > 0) return path + ":" + std::to_string(line);
  } else if (position >= 0) {
    return path + ": offset " + std::to_string(position);
  }
  return path;
}

}  // namespace

TFormInput ReadFormInput(const std::string& path) {
  TMemoryStream source;
  source.LoadFromFile(path);
  TFormInput form;
  TStreamOriginalFormat format = TestStreamFormat(&source);
  if (format == sofUnknown)
    throw EInputError(path +
                      ": not a form file (neither the TPF0 signature nor object, inherited or "
                      "inline)");
  form.WasText = format == sofText;
  if (!form.WasText) {
    form.Binary.assign(source.Memory(), static_cast<size_t>(source.GetSize()));
    return form;
  }
  try {
    TStringStream binary;
    ObjectTextToBinary(&source, &binary, &form.Lines);
    form.Binary = binary.DataString();
  } catch (const Exception& e) {
    throw EInputError(path + ": " + e.Message());
  }
  return form;
}

std::string FormToText(const std::string& path, const TFormInput& form) {
  TStringStream binary(form.Binary), text;
  int64_t position = -1;
  try {
    ObjectBinaryToText(&binary, &text, &position);
  } catch (const Exception& e) {
    throw EInputError(Place(path, form, position) + ": " + e.Message());
  }
  return text.DataString();
}

TComponent* ReadFormComponents(const std::string& path, const TFormInput& form,
                               std::vector<std::string>* unresolved) {
  // A damaged stream is reported as the converter reports it.
  FormToText(path, form);
  TStringStream binary(form.Binary);
  std::string className;
  TFilerFlags flags;
  {
    TReader reader(&binary, 256);
    reader.ReadSignature();
    int childPos;
    reader.ReadPrefix(flags, childPos);
    className = reader.ReadStr();
  }
  binary.SetPosition(0);
  TComponent* root = nullptr;
  int64_t position = 4;  // the root object, right after the signature
  try {
    const TClass* cls = FindClass(className);
    if (!cls->IsComponentClass() || cls->IsAbstract())
      throw EReadError(Format(ResStr("SNotAComponentClass"), {className}));
    root = cls->CreateComponent(nullptr);
    TGlobalLoadScope scope;
    // A derived form's file changes its ancestors' forms: read those first.
    if (flags.Contains(ffInherited)) {
      std::vector<const TClass*> chain;
      for (const TClass* c = cls->ClassParent(); c; c = c->ClassParent())
        chain.insert(chain.begin(), c);
      for (const TClass* c : chain) {
        std::string res = FindFormResource(c->ClassName());
        if (!res.empty()) ReadFormData(FindResource(res), root);
      }
    }
    TReader reader(&binary, 4096);
    try {
      reader.ReadRootComponent(root);
    } catch (const Exception&) {
      position = reader.ErrorPosition();
      throw;
    }
    scope.Finish();
    if (unresolved) *unresolved = reader.UnresolvedReferences();
    return root;
  } catch (const Exception& e) {
    TObject::Free(root);
    throw EInputError(Place(path, form, position) + ": " + e.Message());
  }
}

}  // namespace tabulon::app
