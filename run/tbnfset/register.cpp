// Published properties of the dialog component (the panel's, passed on,
// then the component's own) and the fields and handlers of its form.
#include "platform/core/class_builder.h"
#include "run/tbnfset.h"

namespace tabulon {

namespace {
// An editor event of the panel, read from and written into it.
template <class B, class E>
void EditEvent(B& b, const char* name, E TPanelFieldsSet::*member) {
  b.Property(
      name, [member](TFieldsSet* s) { return s->GetPanel()->*member; },
      [member](TFieldsSet* s, E e) { s->GetPanel()->*member = std::move(e); });
}
}  // namespace

TBN_REGISTER(TFieldsSet) {
  using T = TFieldsSet;
  using P = TPanelFieldsSet;
  b.Property("DataSource", &T::GetDataSource, &T::SetDataSource);
  b.Property("StepHeight", &T::GetStepHeight, &T::SetStepHeight).Default(2);
  b.Property("CountOptions", &T::GetCountOptions, &T::SetCountOptions);
  b.Property("AutoSaveValues", &T::GetAutoSaveValues, &T::SetAutoSaveValues).Default(true);
  b.Property("Fields", &T::GetFields, nullptr).Stored(&T::IsFieldsStored, "IsFieldsStored");
  b.Property("AutoEditWidth", &T::GetAutoEditWidth, &T::SetAutoEditWidth).Default(true);
  b.Property("CompareOptions", &T::GetCompareOptions, &T::SetCompareOptions);
  b.Property("StyleOptions", &T::GetStyleOptions, &T::SetStyleOptions);
  b.Property("ChangeCursor", &T::GetChangeCursor, &T::SetChangeCursor).Default(true);
  b.Property("PosState", &T::GetPosState, &T::SetPosState).Default(psOneLineFmt);
  b.Property("Captions", &T::GetCaptions, &T::SetCaptions);
  b.Property("BorderWidth", &T::GetBorderWidth, &T::SetBorderWidth).Default(2);
  b.Property("LocaleID", &T::GetLocaleID, &T::SetLocaleID).Default(1024);
  b.Property("UpdateAfterOpen", &T::GetUpdateAfterOpen, &T::SetUpdateAfterOpen).Default(true);
  b.Property("HorzMargin", &T::GetHorzMargin, &T::SetHorzMargin).Default(0);
  b.Property("VertMargin", &T::GetVertMargin, &T::SetVertMargin).Default(50);
  b.Property("Title", &T::GetTitle, &T::SetTitle);
  b.Property("HelpContext", &T::GetHelpContext, &T::SetHelpContext).Default(0);
  b.Property("Options", &T::GetOptions, &T::SetOptions)
      .Default(TStateOptions{soClear, soSetup, soNext, soFilter});
  b.Property("Icon", &T::GetIcon, &T::SetIcon).Stored(&T::IsIconStored, "IsIconStored");
  EditEvent(b, "OnEditChange", &P::OnEditChange);
  EditEvent(b, "OnEditClick", &P::OnEditClick);
  EditEvent(b, "OnEditDblClick", &P::OnEditDblClick);
  EditEvent(b, "OnEditEnter", &P::OnEditEnter);
  EditEvent(b, "OnEditExit", &P::OnEditExit);
  EditEvent(b, "OnEditKeyDown", &P::OnEditKeyDown);
  EditEvent(b, "OnEditKeyPress", &P::OnEditKeyPress);
  EditEvent(b, "OnEditKeyUp", &P::OnEditKeyUp);
  EditEvent(b, "OnEditMouseDown", &P::OnEditMouseDown);
  EditEvent(b, "OnEditMouseMove", &P::OnEditMouseMove);
  EditEvent(b, "OnEditMouseUp", &P::OnEditMouseUp);
  EditEvent(b, "OnEditButtonClick", &P::OnEditButtonClick);
  b.Property("OnFormActivate", &T::OnFormActivate);
  b.Property("OnFormClose", &T::OnFormClose);
}

TBN_REGISTER(TfmFieldsSet) {
  using T = TfmFieldsSet;
  b.Field("paTop", &T::paTop);
  b.Field("paClear", &T::paClear);
  b.Field("bbClear", &T::bbClear);
  b.Field("paSetup", &T::paSetup);
  b.Field("bbSetup", &T::bbSetup);
  b.Field("paBottom", &T::paBottom);
  b.Field("paOk", &T::paOk);
  b.Field("bbOk", &T::bbOk);
  b.Field("paNext", &T::paNext);
  b.Field("bbNext", &T::bbNext);
  b.Field("paCancel", &T::paCancel);
  b.Field("bbCancel", &T::bbCancel);
  b.Field("paHelp", &T::paHelp);
  b.Field("bbHelp", &T::bbHelp);
  b.Method("FormActivate", &T::FormActivate);
  b.Method("FormCloseQuery", &T::FormCloseQuery);
  b.Method("bbClearClick", &T::bbClearClick);
  b.Method("bbSetupClick", &T::bbSetupClick);
  b.Method("bbHelpClick", &T::bbHelpClick);
}

}  // namespace tabulon
