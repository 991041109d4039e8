// Published properties of the filter panel: the panel's common set and the
// filter's own two.
#include "platform/core/class_builder.h"
#include "run/tbnset/filter_panel.h"

namespace tabulon {

TBN_REGISTER(TDBCustomFilterPanel) {}

TBN_REGISTER(TDBFilterPanel) {
  using T = TDBFilterPanel;
  b.Property("Filtered", &T::GetFiltered, &T::SetFiltered).Default(false);
  b.Property("OnFilterRecord", &T::OnFilterRecord);
}

}  // namespace tabulon
