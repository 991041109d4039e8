// TWinControl: a control with a window of its own. It holds child controls,
// takes the input focus, receives keys, aligns its children and has a
// window-creation step (CreateParams/CreateWnd) whose parameters are
// recorded, since headless there is no native window behind it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/control.h"

namespace tabulon {

/// The parameters a window is created with.
struct TCreateParams {
  std::string Caption;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  TWinControl* WndParent = nullptr;
  std::string WinClassName;
};

/// Window handle: a process-unique number, 0 when no window exists.
using HWND = intptr_t;

/// A windowed control.
class TWinControl : public TControl {
  TBN_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Children: graphic controls first, then windowed ones, each in z-order.
  int GetControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
  /// Child number `index`; EListError when out of range.
  TControl* GetControls(int index) const;
  /// Makes `control` a child; the parent's ValidateInsert may refuse it.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  /// Whether `control` is this control or one of its descendants.
  bool ContainsControl(const TControl* control) const;
  /// The child (visible, enabled unless `allowDisabled`) at client point `p`, topmost first.
  TControl* ControlAtPos(TPoint p, bool allowDisabled) const;
  /// Sends a message to every child.
  void Broadcast(TMessage& msg);
  /// Sends `msg` with parameters 0 to every child (parent-changed notices).
  void NotifyControls(uint32_t msg);

  // Alignment.
  /// Lays out aligned children again.
  void Realign();
  void DisableAlign();
  /// Re-enables alignment and realigns once the last DisableAlign is undone.
  void EnableAlign();
  bool AlignDisabled() const { return alignLevel_ > 0; }

  // Tab order and focus.
  int GetTabOrder() const;
  void SetTabOrder(int v);
  bool GetTabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  /// The windowed children in tab order.
  std::vector<TWinControl*> GetTabOrderList() const;
  /// Visible and enabled, up to the top.
  virtual bool CanFocus() const;
  /// Whether this control has the input focus.
  virtual bool Focused() const;
  /// Moves the input focus here; EInvalidOperation "Cannot focus a disabled
  /// or invisible window" when CanFocus is false.
  virtual void SetFocus();
  /// The next focusable control after `current` among the descendants, in tab order.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                               bool checkParent) const;
  /// Focuses the next control in tab order after `current` (wrapping).
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  /// The control that holds the focus within this top-level control, or null.
  TWinControl* GetActiveControl() const { return activeControl_; }

  // Window.
  bool HandleAllocated() const { return handle_ != 0; }
  /// Creates the window when there is none.
  void HandleNeeded();
  /// The window handle, created on demand.
  HWND GetHandle();
  /// The parameters of the last window creation.
  const TCreateParams& GetCreatedParams() const { return createdParams_; }
  void DestroyHandle();
  /// Re-creates the window so that new creation parameters take effect.
  void RecreateWnd();

  TRect GetClientRect() const override;
  TPoint GetClientOrigin() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;
  void PaintTo(TCanvas& canvas, int x, int y) override;
  void Dispatch(TMessage& msg) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  /// Fills the creation parameters; overrides add their style bits.
  virtual void CreateParams(TCreateParams& params);
  /// Creates the window: CreateParams, then CreateWindowHandle.
  virtual void CreateWnd();
  /// Records the window and sends WM_CREATE; EInvalidOperation "Control '%s'
  /// has no parent window" for a child style without a parent.
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  /// The room taken by borders and scroll bars on each side.
  virtual TRect GetNonClientMargins() const { return {}; }
  /// Paints borders and scroll bars (window coordinates).
  virtual void PaintNonClient(TCanvas& canvas);
  /// Lays out the aligned children inside `rect` (client coordinates).
  virtual void AlignControls(TControl* control, TRect& rect);
  /// Shrinks the rectangle children are aligned in (borders, bevels).
  virtual void AdjustClientRect(TRect& rect);
  /// Aligns after `control` changed; postponed while alignment is disabled.
  void AlignControl(TControl* control);
  /// Fires OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  /// Runs KeyDown; true when the key was consumed (set to 0).
  bool DoKeyDown(TMessage& msg);
  bool DoKeyUp(TMessage& msg);
  bool DoKeyPress(TMessage& msg);
  /// Moves the focus within this top-level control and sends CM_EXIT to the
  /// controls left and CM_ENTER to the controls entered, in that order.
  virtual void SetFocusedControl(TWinControl* control);
  void Loaded() override;
  void ValidateInsert(TComponent* component) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void PaintSelf(TCanvas& canvas) override;

  // Handlers.
  virtual void WMSize(TMessage& msg);
  virtual void WMMove(TMessage& msg);
  virtual void WMEraseBkgnd(TMessage& msg);
  virtual void WMSetFocus(TMessage& msg);
  virtual void WMKillFocus(TMessage& msg);
  virtual void WMKeyDown(TMessage& msg);
  virtual void WMKeyUp(TMessage& msg);
  virtual void WMChar(TMessage& msg);
  virtual void WMGetDlgCode(TMessage& msg);
  virtual void WMCut(TMessage& msg);
  virtual void WMCopy(TMessage& msg);
  virtual void WMPaste(TMessage& msg);
  virtual void WMCreate(TMessage& msg);
  virtual void CMEnter(TMessage& msg);
  virtual void CMExit(TMessage& msg);
  void WMWindowPosChanged(TMessage& msg) override;
  void CMFontChanged(TMessage& msg) override;
  void CMColorChanged(TMessage& msg) override;
  void CMCtl3DChanged(TMessage& msg) override;
  void CMEnabledChanged(TMessage& msg) override;
  void CMVisibleChanged(TMessage& msg) override;
  void CMSysFontChanged(TMessage& msg) override;
  void CMShowHintChanged(TMessage& msg) override;

 private:
  friend class TControl;
  void DoAlign(TControl* control, TAlign align, TRect& rect);
  void RemoveFocus(bool removing);
  TWinControl* TopLevel();

  std::vector<TControl*> controls_;        // graphic children in z-order
  std::vector<TWinControl*> winControls_;  // windowed children in z-order
  std::vector<TWinControl*> tabList_;      // windowed children in tab order
  int alignLevel_ = 0;
  bool tabStop_ = false;
  int pendingTabOrder_ = -1;  // read from a form file; applied by Loaded
  HWND handle_ = 0;
  TCreateParams createdParams_;
  TWinControl* activeControl_ = nullptr;   // top-level only: the focused descendant
  TWinControl* focusedControl_ = nullptr;  // top-level only: the end of the enter chain
};

}  // namespace tabulon
