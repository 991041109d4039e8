// The fields and handlers of the setup forms, bound by their form resources.
#include "platform/core/class_builder.h"
#include "run/tbnstpfn.h"

namespace tabulon {

TBN_REGISTER(TfmSetupRecord) {
  using T = TfmSetupRecord;
  b.Field("cbFields", &T::cbFields);
  b.Field("pcOptions", &T::pcOptions);
  b.Field("tsDefault", &T::tsDefault);
  b.Field("tsField", &T::tsField);
  b.Field("gbCompareOptions", &T::gbCompareOptions);
  b.Field("cbcBoolean", &T::cbcBoolean);
  b.Field("cbcDateTime", &T::cbcDateTime);
  b.Field("cbcFloat", &T::cbcFloat);
  b.Field("cbcInteger", &T::cbcInteger);
  b.Field("cbcString", &T::cbcString);
  b.Field("cbCaseSensitive", &T::cbCaseSensitive);
  b.Field("gbCountOptions", &T::gbCountOptions);
  b.Field("cbvBoolean", &T::cbvBoolean);
  b.Field("cbvDateTime", &T::cbvDateTime);
  b.Field("cbvFloat", &T::cbvFloat);
  b.Field("cbvInteger", &T::cbvInteger);
  b.Field("cbvString", &T::cbvString);
  b.Field("gbFieldName", &T::gbFieldName);
  b.Field("cbCompare", &T::cbCompare);
  b.Field("laCompare", &T::laCompare);
  b.Field("cbCount", &T::cbCount);
  b.Field("laCount", &T::laCount);
  b.Field("cbFieldCaseSensitive", &T::cbFieldCaseSensitive);
  b.Field("laCaseSensitive", &T::laCaseSensitive);
  b.Field("paBottom", &T::paBottom);
  b.Field("cbAutoEditWidth", &T::cbAutoEditWidth);
  b.Field("cbAutoSaveValues", &T::cbAutoSaveValues);
  b.Field("mdHorzMargin", &T::mdHorzMargin);
  b.Field("mdVertMargin", &T::mdVertMargin);
  b.Field("bbOk", &T::bbOk);
  b.Field("bbCancel", &T::bbCancel);
  b.Method("FormCreate", &T::FormCreate);
  b.Method("FormCloseQuery", &T::FormCloseQuery);
  b.Method("cbFieldsClick", &T::cbFieldsClick);
  b.Method("cbcBooleanChange", &T::cbcBooleanChange);
  b.Method("cbvBooleanChange", &T::cbvBooleanChange);
  b.Method("cbCaseSensitiveClick", &T::cbCaseSensitiveClick);
  b.Method("cbCompareChange", &T::cbCompareChange);
  b.Method("cbCountChange", &T::cbCountChange);
  b.Method("cbFieldCaseSensitiveClick", &T::cbFieldCaseSensitiveClick);
}

TBN_REGISTER(TfmSetupFilterDialog) {}

TBN_REGISTER(TfmSetupFindDialog) {
  using T = TfmSetupFindDialog;
  b.Field("cbcMemo", &T::cbcMemo);
  b.Field("cbvMemo", &T::cbvMemo);
  b.Field("cbFindOptions", &T::cbFindOptions);
  b.Method("cbFindOptionsChange", &T::cbFindOptionsChange);
}

}  // namespace tabulon
