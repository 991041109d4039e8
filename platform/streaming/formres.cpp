// Form resources found by class name, and form files in either format.
#include "platform/streaming/formres.h"

#include <algorithm>
#include <map>

#include "platform/core/exceptions.h"
#include "platform/core/resources.h"
#include "platform/core/resstrings.h"
#include "platform/streaming/global.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"

namespace tabulon {

namespace {
std::map<std::string, std::string>& Registered() {
  static std::map<std::string, std::string> registered;  // upper-case class name -> resource
  return registered;
}
std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return u;
}
}  // namespace

void RegisterFormResource(std::string_view className, std::string_view resourceName) {
  Registered()[Upper(className)] = std::string(resourceName);
}

std::string FindFormResource(std::string_view className) {
  auto it = Registered().find(Upper(className));
  if (it != Registered().end()) return it->second;
  std::string file = Upper(className) + ".DFM";
  for (const std::string& name : ResourceNames()) {
    size_t slash = name.rfind('/');
    std::string_view base = slash == std::string::npos ? std::string_view(name)
                                                       : std::string_view(name).substr(slash + 1);
    if (Upper(base) == file) return name;
  }
  return {};
}

void FormDataToBinary(std::string_view data, TMemoryStream& binary, TTextLineMap* lines) {
  TStringStream source{std::string(data)};
  switch (TestStreamFormat(&source)) {
    case sofBinary:
      binary.Write(data.data(), static_cast<int64_t>(data.size()));
      break;
    case sofText:
      ObjectTextToBinary(&source, &binary, lines);
      break;
    default:
      throw EReadError(ResStr("SInvalidImage"));
  }
  binary.SetPosition(0);
}

TComponent* ReadFormData(std::string_view data, TComponent* instance) {
  TMemoryStream binary;
  FormDataToBinary(data, binary);
  TReader reader(&binary, 4096);
  return reader.ReadRootComponent(instance);
}

bool InitInheritedComponent(TComponent* instance, const TClass* rootAncestor) {
  std::vector<const TClass*> chain;
  for (const TClass* c = instance->ClassType(); c && c != rootAncestor; c = c->ClassParent())
    chain.push_back(c);
  std::reverse(chain.begin(), chain.end());
  TGlobalLoadScope scope;
  bool found = false;
  for (const TClass* c : chain) {
    std::string name = FindFormResource(c->ClassName());
    if (name.empty()) continue;
    ReadFormData(FindResource(name), instance);
    found = true;
  }
  scope.Finish();
  return found;
}

TComponent* ReadComponentResFile(const std::string& fileName, TComponent* instance) {
  TMemoryStream file;
  file.LoadFromFile(fileName);
  return ReadFormData(std::string_view(file.Memory(), static_cast<size_t>(file.GetSize())),
                      instance);
}

void WriteComponentResFile(const std::string& fileName, TComponent* instance, bool asText) {
  TMemoryStream binary;
  binary.WriteComponent(instance);
  binary.SetPosition(0);
  TFileStream file(fileName, fmCreate);
  if (asText)
    ObjectBinaryToText(&binary, &file);
  else
    binary.SaveToStream(&file);
}

std::string ComponentToText(TComponent* instance) {
  TMemoryStream binary;
  binary.WriteComponent(instance);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  return text.DataString();
}

// TStream's component helpers live here, with the reader and writer they use.
void TStream::WriteComponent(TComponent* instance) {
  TWriter writer(this, 4096);
  writer.WriteRootComponent(instance);
}

TComponent* TStream::ReadComponent(TComponent* instance) {
  TReader reader(this, 4096);
  return reader.ReadRootComponent(instance);
}

}  // namespace tabulon
