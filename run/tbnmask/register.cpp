// The published properties of TQXMaskEdit.
#include "platform/core/class_builder.h"
#include "run/tbnmask.h"

namespace tabulon {

TBN_REGISTER(TSpeedButtonCrack) {}
TBN_REGISTER(TCustomQXMaskEdit) {}

TBN_REGISTER(TQXMaskEdit) {
  using E = TQXMaskEdit;
  b.Property("Alignment", &E::GetAlignment, &E::SetAlignment).Default(taLeftJustify);
  b.Property("ButtonVisible", &E::GetButtonVisible, &E::SetButtonVisible).Default(false);
  b.Property("ButtonWidth", &E::GetButtonWidth, &E::SetButtonWidth).Default(0);
  b.Property("DirectInput", &E::GetDirectInput, &E::SetDirectInput).Default(true);
  b.Property("GlyphKind", &E::GetGlyphKind, &E::SetGlyphKind).Default(gkEllipsis);
  b.Property("Glyph", &E::GetGlyph, &E::SetGlyph).Stored(&E::IsGlyphStored, "IsGlyphStored");
  b.Property("NumGlyphs", &E::GetNumGlyphs, &E::SetNumGlyphs).Default(1);
  b.Property("ReadOnly", &E::GetReadOnly, &E::SetReadOnly).Default(false);
  // The password character is shown, never set, through this class.
  b.Property("PasswordChar", &E::GetPasswordChar).Stored(false);
  b.Property("OnButtonClick", &E::OnButtonClick);
}

}  // namespace tabulon
