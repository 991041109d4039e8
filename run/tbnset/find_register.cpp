// Published properties of the find panel (the fields panel's, then its own
// four), its record and message classes.
#include "platform/core/class_builder.h"
#include "run/tbnset/find_panel.h"

namespace tabulon {

TBN_REGISTER(TFindMessages) {
  using T = TFindMessages;
  b.Property("RecordNotFound", &T::GetRecordNotFound, &T::SetRecordNotFound);
  b.Property("NextRecordNotFound", &T::GetNextRecordNotFound, &T::SetNextRecordNotFound);
}

TBN_REGISTER(TFindRecord) {}
TBN_REGISTER(TDBCustomFindPanel) {}

TBN_REGISTER(TDBFindPanel) {
  using T = TDBFindPanel;
  b.Property("Messages", &T::GetMessages, &T::SetMessages);
  b.Property("ShowBox", &T::GetShowBox, &T::SetShowBox).Default(false);
  b.Property("FindOptions", &T::GetFindOptions, &T::SetFindOptions).Default(foFast);
  b.Property("DataSetIndex", &T::GetDataSetIndex, &T::SetDataSetIndex);
}

}  // namespace tabulon
