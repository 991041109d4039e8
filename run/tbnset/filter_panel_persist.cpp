// The filter panel's section of the stream image: whether the filter is on.
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"
#include "run/tbnset/filter_panel.h"

namespace tabulon {

void TDBCustomFilterPanel::DoSaveToStream(TWriter* writer, TSaveOption option) {
  if (option == soFiltered)
    writer->WriteBoolean(GetFiltered());
  else
    TPanelFieldsSet::DoSaveToStream(writer, option);
}

void TDBCustomFilterPanel::DoLoadFromStream(TReader* reader, TSaveOption option) {
  if (option == soFiltered)
    SetFiltered(reader->ReadBoolean());
  else
    TPanelFieldsSet::DoLoadFromStream(reader, option);
}

}  // namespace tabulon
