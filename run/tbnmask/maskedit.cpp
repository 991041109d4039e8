// TCustomQXMaskEdit: construction, the setters with their side effects, the
// button's life and geometry, and the key and message handling.
#include "platform/graphics/sysmetrics.h"
#include "run/tbnmask.h"

namespace tabulon {

TCustomQXMaskEdit::TCustomQXMaskEdit(TComponent* owner) : TMaskEdit(owner) {
  // The control may be painted as a copy of itself (a grid cell showing it).
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
}

TCustomQXMaskEdit::~TCustomQXMaskEdit() {
  canvas_.reset();
  if (TSpeedButtonCrack* b = button_) {
    button_ = nullptr;
    TObject::Free(b);
  }
}

void TCustomQXMaskEdit::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == button_) button_ = nullptr;
  inherited::Notification(component, operation);
}

// --- setters ---------------------------------------------------------------

void TCustomQXMaskEdit::SetButtonVisible(bool v) {
  if (v == buttonVisible_) return;
  buttonVisible_ = v;
  SetInternalButtonWidth();
  SetButton(buttonVisible_);
  SetEditRect();
  Invalidate();
}

void TCustomQXMaskEdit::SetButtonWidth(int v) {
  if (v < 0) v = 0;
  if (v == buttonWidth_) return;
  buttonWidth_ = v;
  SetInternalButtonWidth();
  UpdateEdit();
  Invalidate();
}

void TCustomQXMaskEdit::SetGlyphKind(TGlyphKind v) {
  if (v == glyphKind_) return;
  glyphKind_ = v;
  UpdateEdit();
  if (!button_) return;
  if (v == gkEllipsis) {
    button_->SetGlyph(CreateEllipsisGlyph().get());
  } else if (v == gkDropDown) {
    button_->SetGlyph(LoadSystemBitmap(OBM_COMBO).get());
  }
  if (v != gkCustom) button_->SetNumGlyphs(1);
}

TBitmap* TCustomQXMaskEdit::GetGlyph() const { return button_ ? button_->GetGlyph() : nullptr; }

void TCustomQXMaskEdit::SetGlyph(TBitmap* v) {
  if (v == GetGlyph()) return;
  SetGlyphKind(gkCustom);
  if (button_) button_->SetGlyph(v);
}

TNumGlyphs TCustomQXMaskEdit::GetNumGlyphs() const { return button_ ? button_->GetNumGlyphs() : 1; }

void TCustomQXMaskEdit::SetNumGlyphs(TNumGlyphs v) {
  if (!button_) return;
  button_->SetNumGlyphs(glyphKind_ == gkCustom ? v : 1);
}

void TCustomQXMaskEdit::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  if (!focused_) Invalidate();
}

void TCustomQXMaskEdit::SetFocused(bool v) {
  if (v == focused_) return;
  focused_ = v;
  if (alignment_ != taLeftJustify) Invalidate();
}

void TCustomQXMaskEdit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  TCustomEdit::SetReadOnly(v || !directInput_);
  readOnly_ = v;
}

void TCustomQXMaskEdit::SetDirectInput(bool v) {
  if (v == directInput_) return;
  TCustomEdit::SetReadOnly(readOnly_ || !v);
  directInput_ = v;
}

// --- the button ------------------------------------------------------------

void TCustomQXMaskEdit::UpdateEdit() {
  SetButton(buttonVisible_);
  SetEditRect();
}

void TCustomQXMaskEdit::SetInternalButtonWidth() {
  if (!buttonVisible_)
    internalButtonWidth_ = 0;
  else if (buttonWidth_ > 0)
    internalButtonWidth_ = buttonWidth_;
  else
    internalButtonWidth_ = GetSystemMetrics(SM_CXVSCROLL);
}

void TCustomQXMaskEdit::SetButton(bool visible) {
  // A custom glyph lives in the button, so that button stays (at width 0).
  if (!visible && glyphKind_ != gkCustom) {
    if (TSpeedButtonCrack* b = button_) {
      button_ = nullptr;
      TObject::Free(b);
    }
    return;
  }
  if (!button_) {
    auto* b = new TSpeedButtonCrack(this);
    TControlStyle style = b->GetControlStyle();
    style.Exclude(csCaptureMouse);
    style.Exclude(csClickEvents);
    style.Exclude(csNoStdEvents);
    b->SetControlStyle(style);
    b->SetParentFont(false);
    b->SetCursor(crArrow);  // the edit itself shows the text cursor
    b->SetLayout(blGlyphBottom);
    b->OnClick = TNotifyEvent(this, &TCustomQXMaskEdit::ButtonClick);
    // Virtual members: the hooks reach the most derived class.
    b->OnMouseDown = TMouseEvent(this, &TCustomQXMaskEdit::ButtonMouseDown);
    b->OnMouseMove = TMouseMoveEvent(this, &TCustomQXMaskEdit::ButtonMouseMove);
    b->OnMouseUp = TMouseEvent(this, &TCustomQXMaskEdit::ButtonMouseUp);
    button_ = b;
    b->SetParent(this);
  }
  button_->SetWidth(internalButtonWidth_);
  if (glyphKind_ == gkEllipsis) {
    // The button copies the bitmap; the temporary goes at the end of the statement.
    button_->SetGlyph(CreateEllipsisGlyph().get());
    button_->SetNumGlyphs(1);
  } else if (glyphKind_ == gkDropDown) {
    button_->SetGlyph(LoadSystemBitmap(OBM_COMBO).get());
  }
  SetButtonBounds();
}

void TCustomQXMaskEdit::SetButtonBounds() {
  if (!button_) return;
  int w = button_->GetWidth(), width = GetWidth(), height = GetHeight();
  bool single = GetBorderStyle() == bsSingle;
  if (NewStyleControls() && single && GetCtl3D())
    button_->SetBounds(width - w - 4, 0, w, height - 4);
  else if (NewStyleControls() && single)
    button_->SetBounds(width - w - 2, 2, w, height - 4);
  else
    button_->SetBounds(width - w, 0, w, height);
}

void TCustomQXMaskEdit::SetEditRect() {
  if (!GetParent()) return;
  TRect r;
  Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  r = Rect(0, 0, GetClientWidth() - internalButtonWidth_ - 2, GetClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomQXMaskEdit::ButtonClick(TObject*) { OnButtonClick(this); }

void TCustomQXMaskEdit::ButtonMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  if (button == mbLeft && GetTabStop() && CanFocus()) SetFocus();
}

void TCustomQXMaskEdit::ButtonMouseMove(TObject*, TShiftState, int, int) {}
void TCustomQXMaskEdit::ButtonMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}

bool TCustomQXMaskEdit::TextIsNull() const {
  std::string text = GetText();
  return text.empty() || text == FormatMaskText(GetEditMask(), "");
}

// --- window and messages ---------------------------------------------------

void TCustomQXMaskEdit::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TCustomQXMaskEdit::CreateWnd() {
  if (!GetParent()) return;
  inherited::CreateWnd();
  SetEditRect();
}

void TCustomQXMaskEdit::WMSize(TMessage& msg) {
  inherited::WMSize(msg);
  if (button_) {
    SetButton(buttonVisible_);
    SetEditRect();
  }
}

void TCustomQXMaskEdit::CMEnter(TMessage& msg) {
  SetFocused(true);
  if (GetAutoSelect()) SelectAll();
  inherited::CMEnter(msg);
}

void TCustomQXMaskEdit::CMExit(TMessage& msg) {
  SetFocused(false);
  inherited::CMExit(msg);
}

void TCustomQXMaskEdit::WMGetDlgCode(TMessage& msg) {
  inherited::WMGetDlgCode(msg);
  // Enter and Escape act on the form's default and cancel buttons.
  msg.Result &= ~DLGC_WANTALLKEYS;
}

void TCustomQXMaskEdit::WMSetFocus(TMessage& msg) {
  inherited::WMSetFocus(msg);
  SetShowCaret();
  if (GetAutoSelect()) SelectAll();
}

void TCustomQXMaskEdit::CMSysFontChanged(TMessage& msg) {
  inherited::CMSysFontChanged(msg);
  if (!buttonVisible_) return;
  SetInternalButtonWidth();
  SetButton(buttonVisible_);
  SetEditRect();
}

void TCustomQXMaskEdit::WMPaste(TMessage& msg) {
  if (CanEditText()) inherited::WMPaste(msg);
}

void TCustomQXMaskEdit::WMCut(TMessage& msg) {
  if (CanEditText()) inherited::WMCut(msg);
}

void TCustomQXMaskEdit::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key == 13) key = 0;  // the window never receives a line break
}

}  // namespace tabulon
