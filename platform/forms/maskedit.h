// TCustomMaskEdit / TMaskEdit: an edit whose text follows an edit mask
// (platform/forms/mask.h). The control's own text is the edit text: one
// code point per mask position, literals in place and the blank character
// at empty positions. Typing fills the next editable position that accepts
// the character and steps over literals; Backspace and Delete blank
// positions instead of shifting the text; a paste is typed character by
// character, skipping what no position accepts. Moving the focus to another
// control of the form with a required position blank raises EDBEditError
// and keeps the focus (a form that is hidden or deactivated does not
// validate); Escape restores the text the control had when it was entered.
// Without a mask the control is a plain edit.
#pragma once

#include <string>

#include "platform/forms/edit.h"
#include "platform/forms/mask.h"

namespace tabulon {

/// An edit with an edit mask.
class TCustomMaskEdit : public TCustomEdit {
  TBN_CLASS(TCustomMaskEdit, TCustomEdit)
 public:
  explicit TCustomMaskEdit(TComponent* owner);

  /// Whether the mask has at least one position.
  bool IsMasked() const { return !mask_.Empty(); }
  const std::string& GetEditMask() const { return editMask_; }
  /// Changes the mask; the current value is placed into the new mask as
  /// SetText places a value.
  void SetEditMask(const std::string& v);
  /// The parsed mask.
  const TMaskInfo& GetMaskInfo() const { return mask_; }
  /// The text as shown: literals and blanks included.
  const std::string& GetEditText() const { return TControl::GetText(); }
  /// Sets the shown text, brought to the mask's length with its literals.
  void SetEditText(const std::string& v);
  /// The value: without blanks, and with the literals only when the mask
  /// saves them (blanks then read as spaces). The plain text when not masked.
  std::string GetText() const;
  /// Sets the value in the form GetText returns (literals may be left out).
  void SetText(const std::string& v);
  /// The mask's number of positions when masked, else the edit's limit.
  int GetMaxLength() const;
  /// The limit of an unmasked text (a masked text has the mask's length).
  void SetMaxLength(int v);
  /// Raises EDBEditError, with the caret on the first blank required
  /// position and the focus kept, when the text was modified and such a
  /// position exists.
  virtual void ValidateEdit();
  /// Restores the edit text the control had when it was entered.
  void Reset();

 protected:
  /// Raises EDBEditError with the framework's message.
  virtual void ValidateError();
  /// Masked: blanks the editable positions of the range, then places the
  /// inserted characters as typing does; refused (with a beep) when no
  /// character could be placed.
  bool ReplaceText(int start, int count, const std::string& insert) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WMChar(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;

 private:
  /// `text` at the mask's length with its literals in place.
  std::u32string Shaped(const std::string& text) const;
  /// The edit text, shaped.
  std::u32string Shown() const;
  void BlankAt(int pos);

  std::string editMask_;
  TMaskInfo mask_;
  int maxLength_ = 0;     // the limit that applies without a mask
  std::string oldValue_;  // the edit text when the control was entered
  bool reEnter_ = false;  // the focus comes back after a failed validation
};

/// The mask edit components are dropped as.
class TMaskEdit : public TCustomMaskEdit {
  TBN_CLASS(TMaskEdit, TCustomMaskEdit)
 public:
  explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
};

}  // namespace tabulon
