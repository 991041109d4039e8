// The stream image of a fields panel: a list holding a version number and
// the chosen sections, each an option ordinal followed by its data, over
// any stream, a file or a string. The sections are written and read by the
// overridable DoSaveToStream / DoLoadFromStream, so a descendant adds its
// own (the filter panel's Filtered flag).
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"
#include "platform/streaming/writer.h"
#include "run/tbnset/fieldsset.h"

namespace tabulon {

namespace {

// The filer buffer of an image.
constexpr int kImageBufferSize = 1024;
// Version number at the start of an image.
constexpr long double kImageVersion = 0.0L;
// The sections in the order they are written.
constexpr TSaveOption kSections[] = {soValues, soCommentTexts, soFiltered};

}  // namespace

void TFieldsSetModel::DoSaveToStream(TWriter* writer, TSaveOption option) {
  if (option == soValues) WriteValues(writer);
  if (option == soCommentTexts) WriteCommentTexts(writer);
}

void TFieldsSetModel::DoLoadFromStream(TReader* reader, TSaveOption option) {
  if (option == soValues) ReadValues(reader);
  if (option == soCommentTexts) ReadCommentTexts(reader);
}

void TFieldsSetModel::SaveToStream(TStream* stream, TSaveOptions options) {
  // The writer's destructor writes out what is buffered also when an
  // exception passes; on success FlushBuffer reports a failing write.
  TWriter writer(stream, kImageBufferSize);
  writer.WriteListBegin();
  writer.WriteFloat(kImageVersion);
  for (TSaveOption option : kSections) {
    if (!options.Contains(option)) continue;
    writer.WriteInteger(option);
    DoSaveToStream(&writer, option);
  }
  writer.WriteListEnd();
  writer.FlushBuffer();
}

void TFieldsSetModel::LoadFromStream(TStream* stream) {
  TReader reader(stream, kImageBufferSize);
  reader.ReadListBegin();
  reader.ReadFloat();
  while (!reader.EndOfList()) {
    const int32_t ordinal = reader.ReadInteger();
    // An ordinal that names no option is a section nobody handles: its data
    // stays unread. Only members of the enumeration reach the hooks.
    for (TSaveOption option : kSections)
      if (ordinal == option) DoLoadFromStream(&reader, option);
  }
  reader.ReadListEnd();
}

void TFieldsSetModel::SaveToFile(const std::string& fileName, TSaveOptions options) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(&stream, options);
}

void TFieldsSetModel::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TFieldsSetModel::SaveToString(std::string& result, TSaveOptions options) {
  TStringStream stream;
  SaveToStream(&stream, options);
  result = stream.DataString();
}

void TFieldsSetModel::LoadFromString(const std::string& data) {
  TStringStream stream(data);
  LoadFromStream(&stream);
}

}  // namespace tabulon
