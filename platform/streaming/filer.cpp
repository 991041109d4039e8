// TFiler and the "Strings" custom data of string lists.
#include "platform/streaming/filer.h"

#include <algorithm>

#include "platform/core/class_builder.h"
#include "platform/core/strings.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"

namespace tabulon {

TBN_REGISTER(TFiler) {}

TFiler::TFiler(TStream* stream, int bufSize)
    : stream_(stream), buffer_(static_cast<size_t>(std::max(bufSize, 16))) {}

void DefineStringsProperty(TFiler* filer, TPersistent* instance) {
  auto* strings = dynamic_cast<TStrings*>(instance);
  if (!strings) return;
  auto read = [strings](TReader* reader) {
    reader->ReadListBegin();
    strings->BeginUpdate();
    try {
      strings->Clear();
      while (!reader->EndOfList()) strings->Add(reader->ReadString());
    } catch (...) {
      strings->EndUpdate();
      throw;
    }
    strings->EndUpdate();
    reader->ReadListEnd();
  };
  auto write = [strings](TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < strings->Count(); ++i) writer->WriteString(strings->Get(i));
    writer->WriteListEnd();
  };
  filer->DefineProperty("Strings", read, write, strings->Count() > 0);
}

}  // namespace tabulon
