// Published properties of the find and filter dialogs (those of the
// dialog component, then their own), their panels and their forms.
#include "platform/core/class_builder.h"
#include "run/tbndlg.h"

namespace tabulon {

TBN_REGISTER(TDBFindComponent) {}
TBN_REGISTER(TQXClientFindComponent) {}
TBN_REGISTER(TBDEFindComponent) {}
TBN_REGISTER(TDBFilterComponent) {}

TBN_REGISTER(TDBFindDialog) {
  using T = TDBFindDialog;
  b.Property("FindOptions", &T::GetFindOptions, &T::SetFindOptions).Default(foFast);
  b.Property("DataSetIndex", &T::GetDataSetIndex, &T::SetDataSetIndex);
  b.Property("ShowBox", &T::GetShowBox, &T::SetShowBox).Default(true);
  b.Property("Messages", &T::GetMessages, &T::SetMessages);
}

TBN_REGISTER(TQXClientFindDialog) {}
TBN_REGISTER(TQXBdeFindDialog) {}

TBN_REGISTER(TDBFilterDialog) {
  using T = TDBFilterDialog;
  b.Property("Filtered", &T::GetFiltered, &T::SetFiltered).Default(false);
  b.Property("OnFilterRecord", &T::GetOnFilterRecord, &T::SetOnFilterRecord);
}

TBN_REGISTER(TfmFind) {
  b.Method("bbOkClick", &TfmFind::bbOkClick);
  b.Method("bbNextClick", &TfmFind::bbNextClick);
}

TBN_REGISTER(TfmFilter) {
  b.Field("paFiltered", &TfmFilter::paFiltered);
  b.Field("cbFiltered", &TfmFilter::cbFiltered);
}

}  // namespace tabulon
