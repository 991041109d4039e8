// TControl: the base of everything visible. A control has exact geometry in
// its parent's client coordinates, a font, a colour and a 3-D look that may
// follow its parent, a cursor, a hint, a caption and a control style. All
// behaviour runs through messages: Perform hands a message to WndProc, which
// dispatches it to a virtual handler per message that subclasses override
// (calling the inherited handler for the default behaviour).
#pragma once

#include <memory>
#include <string>

#include "platform/controls/controltypes.h"
#include "platform/controls/messages.h"
#include "platform/core/component.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/graphobj.h"
#include "platform/graphics/types.h"

namespace tabulon {

class TWinControl;

/// What WM_WINDOWPOSCHANGED carries (through lParam): the new bounds and
/// which parts did not change.
struct TWindowPos {
  int x = 0, y = 0, cx = 0, cy = 0;
  uint32_t flags = 0;
};
inline constexpr uint32_t SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002;

/// Base of all controls.
class TControl : public TComponent {
  TBN_CLASS(TControl, TComponent)
  friend class TWinControl;

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Geometry (parent client coordinates).
  int GetLeft() const { return left_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  int GetTop() const { return top_; }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  int GetWidth() const { return width_; }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  int GetHeight() const { return height_; }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  /// Moves and sizes the control at once; the parent realigns its children.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect GetBoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  /// The client area in the control's own coordinates.
  virtual TRect GetClientRect() const { return Rect(0, 0, width_, height_); }
  int GetClientWidth() const { return GetClientRect().Width(); }
  void SetClientWidth(int v) { SetClientSize(v, GetClientHeight()); }
  int GetClientHeight() const { return GetClientRect().Height(); }
  void SetClientHeight(int v) { SetClientSize(GetClientWidth(), v); }
  /// Screen position of the client area's top left.
  virtual TPoint GetClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // Parent and visibility.
  TWinControl* GetParent() const { return parent_; }
  /// Moves the control into `parent`'s children (null removes it).
  virtual void SetParent(TWinControl* parent);
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// Visible, and so is every parent (a parentless control counts as shown when visible).
  bool IsShowing() const;
  bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  TAlign GetAlign() const { return align_; }
  virtual void SetAlign(TAlign v);

  // Font, colour, 3-D look: each may follow the parent.
  TFont* GetFont() const { return font_.get(); }
  /// Copies the attributes of `f` (clears ParentFont).
  void SetFont(TFont* f) { font_->Assign(f); }
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  bool GetParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  bool GetCtl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  bool GetParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v);
  bool IsFontStored() const { return !parentFont_; }
  bool IsColorStored() const { return !parentColor_; }
  bool IsCtl3DStored() const { return !parentCtl3D_; }

  TCursor GetCursor() const { return cursor_; }
  void SetCursor(TCursor v);
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  bool GetShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool GetParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  bool IsShowHintStored() const { return !parentShowHint_; }
  /// The pop-up menu component (a reference, cleared when it is destroyed).
  TComponent* GetPopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* menu);

  TControlStyle GetControlStyle() const { return style_; }
  void SetControlStyle(TControlStyle v) { style_ = v; }
  TControlState GetControlState() const { return state_; }
  void SetControlState(TControlState v) { state_ = v; }

  /// The control's text: Caption of labels and panels, Text of edits.
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  const std::string& GetCaption() const { return text_; }
  void SetCaption(const std::string& v) { SetText(v); }
  /// Renames; with csSetCaption the caption follows while it equals the old name.
  void SetName(const std::string& name) override;

  // Painting. Headless, an invalidated control stays marked until it is painted.
  /// Marks the control as needing a repaint.
  virtual void Invalidate();
  /// Brings the picture up to date: there is no screen, so it only clears the mark.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  bool GetInvalidated() const { return invalidated_; }
  /// Paints the control (and its children) onto `canvas` with its top left at (x, y).
  virtual void PaintTo(TCanvas& canvas, int x, int y);
  /// Paints the control as a copy of itself (paint-copy state set meanwhile), as
  /// grids paint one replicatable control once per row; EInvalidOperation
  /// "Control %s cannot be painted as a copy" without csReplicatable.
  void PaintCopyTo(TCanvas& canvas, int x, int y);
  /// The target of the current paint pass, client coordinates (empty outside painting).
  const TCanvasTarget& GetPaintTarget() const { return paintTarget_; }
  /// Brings the control to the top of its siblings' z-order.
  void BringToFront();
  void SendToBack();

  // Messages.
  /// Sends a message to the control and returns its result.
  LRESULT Perform(uint32_t msg, WPARAM wParam, LPARAM lParam);
  /// The control's message procedure: mouse bookkeeping, then Dispatch.
  virtual void WndProc(TMessage& msg);
  /// Calls the handler of `msg.Msg`, or DefaultHandler when the control has none.
  virtual void Dispatch(TMessage& msg);
  /// What happens to a message nobody handles: nothing, result 0.
  virtual void DefaultHandler(TMessage& msg);

  // Mouse and click events.
  /// Fires OnClick.
  virtual void Click();
  virtual void DblClick();

  // Streaming: a control is written inside its parent.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;
  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;

 protected:
  /// Sets the client size by growing or shrinking the outer size.
  virtual void SetClientSize(int w, int h);
  /// Fires OnResize; called after the size changed (not while loading).
  virtual void Resize();
  /// Asks the parent to realign its children after this one moved or changed alignment.
  void RequestAlign();
  /// Called by the font's change event: clears ParentFont and sends CM_FONTCHANGED.
  virtual void FontChanged(TObject* sender);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void ValidateContainer(TComponent* container) override;
  void Loaded() override;
  /// Paints the control's own picture; children are painted by the caller.
  virtual void PaintSelf(TCanvas& canvas);

  // Message handlers; each override calls the inherited one for the default.
  virtual void WMMouseMove(TMessage& msg);
  virtual void WMLButtonDown(TMessage& msg);
  virtual void WMLButtonUp(TMessage& msg);
  virtual void WMLButtonDblClk(TMessage& msg);
  virtual void WMRButtonDown(TMessage& msg);
  virtual void WMRButtonUp(TMessage& msg);
  virtual void WMRButtonDblClk(TMessage& msg);
  virtual void WMMButtonDown(TMessage& msg);
  virtual void WMMButtonUp(TMessage& msg);
  virtual void WMMButtonDblClk(TMessage& msg);
  virtual void WMWindowPosChanged(TMessage& msg);
  virtual void WMPaint(TMessage& msg);
  virtual void WMCancelMode(TMessage& msg);
  virtual void CMParentFontChanged(TMessage& msg);
  virtual void CMParentColorChanged(TMessage& msg);
  virtual void CMParentCtl3DChanged(TMessage& msg);
  virtual void CMParentShowHintChanged(TMessage& msg);
  virtual void CMShowHintChanged(TMessage& msg);
  virtual void CMFontChanged(TMessage& msg);
  virtual void CMColorChanged(TMessage& msg);
  virtual void CMCtl3DChanged(TMessage& msg);
  virtual void CMCursorChanged(TMessage& msg);
  virtual void CMEnabledChanged(TMessage& msg);
  virtual void CMVisibleChanged(TMessage& msg);
  virtual void CMTextChanged(TMessage& msg);
  virtual void CMCancelMode(TMessage& msg);
  virtual void CMSysFontChanged(TMessage& msg);
  virtual void CMHitTest(TMessage& msg);
  virtual void CMMouseEnter(TMessage& msg);
  virtual void CMMouseLeave(TMessage& msg);

  TCanvasTarget paintTarget_;  // set while the control paints

 private:
  void DoMouseDown(TMessage& msg, TMouseButton button, TShiftState extra);
  void DoMouseUp(TMessage& msg, TMouseButton button);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  std::unique_ptr<TFont> font_;
  TColor color_ = clWindow;
  bool parentFont_ = true;
  bool parentColor_ = true;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  TCursor cursor_ = crDefault;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TComponent* popupMenu_ = nullptr;
  TControlStyle style_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState state_;
  std::string text_;
  bool invalidated_ = false;
};

/// Shift state from the flags of a mouse message (MK_*) and the keyboard state.
TShiftState KeysToShiftState(WPARAM keys);
/// The shift keys currently held (set by whoever feeds input: tests, the host).
TShiftState KeyboardShiftState();
void SetKeyboardShiftState(TShiftState s);

}  // namespace tabulon
