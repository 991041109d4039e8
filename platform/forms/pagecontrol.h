// TPageControl / TTabSheet: a stack of pages of which one is shown, chosen
// by a row of tabs. A sheet whose TabVisible is false has no tab; when no
// sheet shows a tab the row disappears and the program switches pages
// through ActivePage.
#pragma once

#include <vector>

#include "platform/controls/wincontrol.h"

namespace tabulon {

class TPageControl;

/// One page of a page control.
class TTabSheet : public TWinControl {
  TBN_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  TPageControl* GetPageControl() const { return pageControl_; }
  /// Moves the sheet into `v` (null: out of any page control).
  void SetPageControl(TPageControl* v);
  /// The sheet's position among the pages (-1 outside a page control).
  int GetPageIndex() const;
  void SetPageIndex(int v);
  bool GetTabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  void SetParentComponent(TComponent* value) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

/// Sender, AllowChange (in/out).
using TTabChangingEvent = TEvent<TObject*, bool&>;

/// A page control.
class TPageControl : public TWinControl {
  TBN_CLASS(TPageControl, TWinControl)
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  /// Page `index`; EListError when out of range.
  TTabSheet* GetPages(int index) const;
  TTabSheet* GetActivePage() const { return active_; }
  /// Shows `page` (one of this control's pages, or null) without events.
  void SetActivePage(TTabSheet* page);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int v);
  /// The next (or previous) page with a visible tab after `current`, wrapping.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
  /// Moves to the next page with a visible tab as the user would (events fire).
  void SelectNextPage(bool goForward);
  /// Whether the row of tabs is shown (some sheet has a visible tab).
  bool TabsShown() const;
  /// The rectangle of page `index`'s tab (client coordinates; empty when hidden).
  TRect TabRect(int index) const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  /// Switches pages as the user does: OnChanging may refuse, then OnChange.
  bool UserSelectPage(TTabSheet* page);
  void AdjustClientRect(TRect& rect) override;
  void AlignControls(TControl* control, TRect& rect) override;
  void PaintSelf(TCanvas& canvas) override;
  void WMLButtonDown(TMessage& msg) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void Dispatch(TMessage& msg) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Loaded() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  int TabHeight() const;

  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

}  // namespace tabulon
