// TCustomEdit / TEdit: a single-line text editor. It keeps a caret and a
// selection (in code points), types over the selection, edits with
// Backspace, Delete, Home, End and the arrows (Shift extends the
// selection), cuts, copies and pastes through the clipboard messages, and
// honours ReadOnly, MaxLength, CharCase and PasswordChar. Every change of
// the text fires OnChange once. The formatting rectangle and the margins
// are state that painting honours. All edits go through ReplaceText, which
// a descendant (a mask edit) may override to filter them.
#pragma once

#include <string>

#include "platform/controls/wincontrol.h"

namespace tabulon {

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

/// Flags of EM_SETMARGINS.
inline constexpr WPARAM EC_LEFTMARGIN = 0x0001, EC_RIGHTMARGIN = 0x0002;

/// A single-line edit control.
class TCustomEdit : public TWinControl {
  TBN_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* owner);

  /// Caret and selection, in code points. SelStart is where the selection
  /// begins; the caret sits at one end of it.
  int GetSelStart() const;
  /// Moves the caret to `v` (clamped) and clears the selection.
  void SetSelStart(int v);
  int GetSelLength() const;
  /// Selects `v` code points from SelStart (clamped to the text).
  void SetSelLength(int v);
  std::string GetSelText() const;
  /// Replaces the selection by `v` (as typing would, without the ReadOnly check).
  void SetSelText(const std::string& v);
  /// The caret position (the moving end of the selection).
  int GetCaretPos() const { return caret_; }
  void SelectAll();
  void ClearSelection();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void Clear() { SetText(""); }

  bool GetModified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  bool GetReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  /// Most code points the user may enter; 0 means no limit.
  int GetMaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v < 0 ? 0 : v; }
  bool GetAutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  TEditCharCase GetCharCase() const { return charCase_; }
  /// Changes the case rule and converts the current text.
  void SetCharCase(TEditCharCase v);
  /// The character shown instead of each character of the text (0: the text).
  char32_t GetPasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char32_t v);
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle v);
  bool GetHideSelection() const { return hideSelection_; }
  void SetHideSelection(bool v);
  /// The text as painted: the password characters, or the text.
  std::string DisplayText() const;
  /// The formatting rectangle (client coordinates) the text is laid out in.
  TRect GetFormatRect() const;
  /// Gives the edit a caret `width` pixels wide and `height` high (0: the
  /// text height), shown while the edit has the focus.
  void CreateCaret(int width, int height);
  int GetCaretWidth() const { return caretWidth_; }
  /// The caret height; 0 follows the text height.
  int GetCaretHeight() const { return caretHeight_; }
  /// The first code point painted at the left edge of the formatting rectangle.
  int GetScrollPos() const { return scroll_; }

  void Dispatch(TMessage& msg) override;

  TNotifyEvent OnChange;

 protected:
  /// Fires OnChange; called once for every change of the text.
  virtual void Change();
  /// The one path every edit takes: replaces code points [start, start+count)
  /// by `insert`, leaves the caret after it and fires Change. Returns
  /// whether the text changed. A mask edit filters edits here.
  virtual bool ReplaceText(int start, int count, const std::string& insert);
  /// Stores an edited text, leaves the caret at `caret` (no selection) and
  /// fires Change when the text changed; returns whether it did.
  bool SetEditedText(const std::string& text, int caret);
  /// Whether the user may change the text now (not ReadOnly).
  virtual bool EditCanModify() const { return !readOnly_; }
  /// Applies CharCase to typed or pasted text.
  std::string ApplyCharCase(const std::string& s) const;
  /// Replaces the selection by typed or pasted text, honouring ReadOnly and
  /// MaxLength (what does not fit is dropped).
  void InsertTyped(const std::string& s);
  /// Moves the caret; with `extend` the anchor stays.
  void MoveCaret(int pos, bool extend);
  /// The code point index nearest to x (client coordinates).
  int PosFromX(int x) const;
  /// The x position (client coordinates) of code point index `pos`.
  int XFromPos(int pos) const;
  void ScrollToCaret();

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void WMChar(TMessage& msg) override;
  void WMGetDlgCode(TMessage& msg) override;
  void WMCut(TMessage& msg) override;
  void WMCopy(TMessage& msg) override;
  void WMPaste(TMessage& msg) override;
  void WMLButtonDown(TMessage& msg) override;
  void WMLButtonDblClk(TMessage& msg) override;
  void WMMouseMove(TMessage& msg) override;
  void WMSize(TMessage& msg) override;
  void CMTextChanged(TMessage& msg) override;
  void CMEnter(TMessage& msg) override;
  void CMExit(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  TRect GetNonClientMargins() const override;
  void PaintNonClient(TCanvas& canvas) override;
  void PaintSelf(TCanvas& canvas) override;
  void CreateParams(TCreateParams& params) override;

 private:
  void EditMessage(TMessage& msg);
  int Length() const;
  void SetSelection(int anchor, int caret);

  int anchor_ = 0, caret_ = 0;  // selection ends, code points
  int scroll_ = 0;              // first visible code point
  bool modified_ = false;
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool autoSelect_ = true;
  TEditCharCase charCase_ = ecNormal;
  char32_t passwordChar_ = 0;
  TBorderStyle borderStyle_ = bsSingle;
  bool hideSelection_ = true;
  bool settingText_ = false;  // ReplaceText is storing the text
  bool fmtRectSet_ = false;   // EM_SETRECT(NP) gave an explicit rectangle
  TRect fmtRect_;
  int leftMargin_ = 0, rightMargin_ = 0;
  int caretWidth_ = 1, caretHeight_ = 0;
};

/// The edit control components are dropped as.
class TEdit : public TCustomEdit {
  TBN_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace tabulon

TBN_ENUM(tabulon::TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase");
