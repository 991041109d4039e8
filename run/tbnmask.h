// Unit TbnMask: the mask edit with an embedded button, the base of every
// edit control of the package. TCustomQXMaskEdit is a framework mask edit
// with an optional speed button at its right edge (an ellipsis, the
// combo-box arrow or a custom glyph), right-justified or centred text while
// it is not focused, a read-only flag kept apart from direct input (typing
// into the text), and OnButtonClick. The popup, combo box and lookup edits
// derive from it and take over the button's mouse hooks; TQXMaskEdit
// publishes it as a component.
//
// The button exists only while ButtonVisible is true, or while GlyphKind is
// gkCustom (then it stays, at width 0, to keep the glyph). Every SetButton
// (after a resize, a system font change, a ButtonWidth or GlyphKind change)
// re-applies its width, glyph and bounds; SetEditRect keeps the text out of
// the area reserved for it.
#pragma once

#include <memory>

#include "platform/controls/customcontrol.h"
#include "platform/forms/maskedit.h"
#include "platform/forms/speedbutton.h"
#include "run/tbnset/types.h"

namespace tabulon {

class TCustomQXMaskEdit;

/// The edit's button: a speed button whose protected Paint the edit calls
/// when it paints itself.
class TSpeedButtonCrack : public TSpeedButton {
  TBN_CLASS(TSpeedButtonCrack, TSpeedButton)
  friend class TCustomQXMaskEdit;

 public:
  explicit TSpeedButtonCrack(TComponent* owner) : TSpeedButton(owner) {}
};

/// A mask edit with an optional button at its right edge.
class TCustomQXMaskEdit : public TMaskEdit {
  TBN_CLASS(TCustomQXMaskEdit, TMaskEdit)
 public:
  explicit TCustomQXMaskEdit(TComponent* owner);
  ~TCustomQXMaskEdit() override;

  /// The embedded button, or null while there is none.
  TSpeedButton* GetButton() const { return button_; }
  /// The width reserved for the button (0 while it is hidden).
  int GetInternalButtonWidth() const { return internalButtonWidth_; }
  /// Whether the control is between CMEnter and CMExit.
  bool GetEditFocused() const { return focused_; }

  /// A new monochrome bitmap with three dots for the button's current
  /// width; the caller owns it.
  std::unique_ptr<TBitmap> CreateEllipsisGlyph() const;
  /// The left and top offsets at which the painted text starts.
  TPoint GetTextMargins();
  /// The character height of the control's font.
  int GetTextHeight() const;
  /// Whether Text is empty or only what the mask shows for an empty value.
  bool TextIsNull() const;

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  TAlignment GetAlignment() const { return alignment_; }
  /// Alignment of the text while the control is not focused.
  void SetAlignment(TAlignment v);
  bool GetButtonVisible() const { return buttonVisible_; }
  void SetButtonVisible(bool v);
  /// Requested button width; 0 means the system scroll-bar width.
  int GetButtonWidth() const { return buttonWidth_; }
  /// Negative values become 0.
  void SetButtonWidth(int v);
  TGlyphKind GetGlyphKind() const { return glyphKind_; }
  void SetGlyphKind(TGlyphKind v);
  /// The button's glyph; null while no button exists.
  TBitmap* GetGlyph() const;
  /// Switches GlyphKind to gkCustom and copies `v` into the button.
  void SetGlyph(TBitmap* v);
  /// The button's number of images; 1 while no button exists.
  TNumGlyphs GetNumGlyphs() const;
  /// Only a custom glyph may have more than one image.
  void SetNumGlyphs(TNumGlyphs v);
  /// The package's read-only flag (the edit refuses typing also without DirectInput).
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  /// Whether the user may type into the text.
  bool GetDirectInput() const { return directInput_; }
  void SetDirectInput(bool v);
  bool IsGlyphStored() const { return glyphKind_ == gkCustom; }

  /// SetButton(ButtonVisible), then SetEditRect.
  void UpdateEdit();
  /// Creates, configures, sizes or frees the button.
  virtual void SetButton(bool visible);
  /// Places the button at the right edge.
  virtual void SetButtonBounds();
  /// Recomputes the width reserved for the button.
  void SetInternalButtonWidth();
  /// Sets the formatting rectangle so that the text never runs under the button.
  virtual void SetEditRect();
  /// Gives the edit a caret of the font's height (2 pixels wide when bold).
  void SetShowCaret();
  void SetFocused(bool v);

  /// Fires OnButtonClick with the edit as sender.
  void ButtonClick(TObject* sender);
  /// The left button takes the focus into the edit; descendants override.
  virtual void ButtonMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x,
                               int y);
  virtual void ButtonMouseMove(TObject* sender, TShiftState shift, int x, int y);
  virtual void ButtonMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void KeyPress(char32_t& key) override;
  void WMSize(TMessage& msg) override;
  void WMPaint(TMessage& msg) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMSetFocus(TMessage& msg) override;
  void WMPaste(TMessage& msg) override;
  void WMCut(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;
  void CMSysFontChanged(TMessage& msg) override;

 public:
  TNotifyEvent OnButtonClick;

 private:
  void PaintAligned(TCanvas& canvas);
  void PaintButton(const TCanvasTarget& target);
  bool CanEditText() const { return directInput_ && !readOnly_; }

  std::unique_ptr<TControlCanvas> canvas_;  // created on the first aligned paint
  TAlignment alignment_ = taLeftJustify;
  bool focused_ = false;
  TSpeedButtonCrack* button_ = nullptr;  // owned by the edit as a component
  int buttonWidth_ = 0;
  int internalButtonWidth_ = 0;
  bool buttonVisible_ = false;
  TGlyphKind glyphKind_ = gkEllipsis;
  bool readOnly_ = false;
  bool directInput_ = true;
};

/// The mask edit with a button as a component.
class TQXMaskEdit : public TCustomQXMaskEdit {
  TBN_CLASS(TQXMaskEdit, TCustomQXMaskEdit)
 public:
  explicit TQXMaskEdit(TComponent* owner) : TCustomQXMaskEdit(owner) {}
  using TCustomQXMaskEdit::GetAlignment;
  using TCustomQXMaskEdit::GetButtonVisible;
  using TCustomQXMaskEdit::GetButtonWidth;
  using TCustomQXMaskEdit::GetDirectInput;
  using TCustomQXMaskEdit::GetGlyph;
  using TCustomQXMaskEdit::GetGlyphKind;
  using TCustomQXMaskEdit::GetNumGlyphs;
  using TCustomQXMaskEdit::GetReadOnly;
  using TCustomQXMaskEdit::IsGlyphStored;
  using TCustomQXMaskEdit::SetAlignment;
  using TCustomQXMaskEdit::SetButtonVisible;
  using TCustomQXMaskEdit::SetButtonWidth;
  using TCustomQXMaskEdit::SetDirectInput;
  using TCustomQXMaskEdit::SetGlyph;
  using TCustomQXMaskEdit::SetGlyphKind;
  using TCustomQXMaskEdit::SetNumGlyphs;
  using TCustomQXMaskEdit::SetReadOnly;
};

}  // namespace tabulon
