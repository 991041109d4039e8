// Scroll bars and scrolling containers.
#include "platform/controls/scrollbox.h"

#include <algorithm>

#include "platform/controls/panel.h"
#include "platform/core/exceptions.h"
#include "platform/core/resstrings.h"
#include "platform/graphics/sysmetrics.h"

namespace tabulon {

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : control_(control), kind_(kind) {}

TPersistent* TControlScrollBar::GetOwner() const { return control_; }

void TControlScrollBar::Assign(TPersistent* source) {
  if (auto* s = dynamic_cast<TControlScrollBar*>(source)) {
    increment_ = s->increment_;
    tracking_ = s->tracking_;
    visible_ = s->visible_;
    DoSetRange(s->range_);
    SetPosition(s->position_);
    return;
  }
  inherited::Assign(source);
}

void TControlScrollBar::SetIncrement(int v) {
  if (v < 1 || v > 32767) throw EPropertyError(ResStr("SInvalidPropertyValue"));
  increment_ = v;
}

int TControlScrollBar::GetMaxPosition() const {
  int client = kind_ == sbHorizontal ? control_->GetClientWidth() : control_->GetClientHeight();
  return std::max(0, range_ - client);
}

void TControlScrollBar::SetPosition(int v) {
  if (!control_->ComponentState().Contains(csLoading)) v = std::clamp(v, 0, GetMaxPosition());
  if (v == position_) return;
  int old = position_;
  position_ = v;
  control_->ScrollTo(kind_, old, v);
}

void TControlScrollBar::DoSetRange(int v) {
  range_ = std::max(0, v);
  control_->UpdateScrollBars();
}

void TControlScrollBar::SetRange(int v) {
  // Setting a range by hand turns automatic scrolling off.
  control_->autoScroll_ = false;
  DoSetRange(v);
}

bool TControlScrollBar::IsRangeStored() const { return !control_->GetAutoScroll(); }

void TControlScrollBar::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  control_->UpdateScrollBars();
}

TRect TControlScrollBar::ThumbRect(int barLength, int barThickness) const {
  int client = kind_ == sbHorizontal ? control_->GetClientWidth() : control_->GetClientHeight();
  return ScrollBarThumb(kind_, barLength, barThickness, client, range_, position_);
}

TRect ScrollBarThumb(TScrollBarKind kind, int barLength, int barThickness, int64_t page,
                     int64_t range, int64_t position) {
  int track = barLength - 2 * barThickness;
  if (track <= 0 || range <= 0) return {};
  int thumb = static_cast<int>(std::max<int64_t>(8, track * page / range));
  thumb = std::min(thumb, track);
  int64_t maxPos = std::max<int64_t>(0, range - page);
  position = std::clamp<int64_t>(position, 0, maxPos);
  int offset = maxPos > 0 ? static_cast<int>((track - thumb) * position / maxPos) : 0;
  int start = barThickness + offset;
  return kind == sbHorizontal ? Rect(start, 0, start + thumb, barThickness)
                              : Rect(0, start, barThickness, start + thumb);
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
}

TScrollingWinControl::~TScrollingWinControl() {
  // Children leave before the bars go, since leaving updates the bars.
  Destroying();
  while (GetControlCount() > 0) {
    TControl* c = GetControls(GetControlCount() - 1);
    RemoveControl(c);
    TObject::Free(c);
  }
}

void TScrollingWinControl::SetAutoScroll(bool v) {
  if (v == autoScroll_) return;
  autoScroll_ = v;
  if (v)
    UpdateScrollBars();
  else {
    horz_->range_ = 0;
    vert_->range_ = 0;
    UpdateScrollBars();
  }
}

TRect TScrollingWinControl::GetNonClientMargins() const {
  int b = BorderThickness();
  return {b, b, b + (vert_->shown_ ? GetSystemMetrics(SM_CXVSCROLL) : 0),
          b + (horz_->shown_ ? GetSystemMetrics(SM_CYHSCROLL) : 0)};
}

void TScrollingWinControl::CalcAutoRange() {
  int h = 0, hMargin = 0, v = 0, vMargin = 0;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (!c->GetVisible()) continue;
    if (c->GetAlign() == alNone) {
      h = std::max(h, horz_->position_ + c->GetLeft() + c->GetWidth());
      v = std::max(v, vert_->position_ + c->GetTop() + c->GetHeight());
    } else if (c->GetAlign() == alRight) {
      hMargin += c->GetWidth();
    } else if (c->GetAlign() == alBottom) {
      vMargin += c->GetHeight();
    }
  }
  horz_->range_ = h + hMargin;
  vert_->range_ = v + vMargin;
}

void TScrollingWinControl::UpdateScrollBars() {
  if (updating_ || ComponentState().Contains(csDestroying)) return;
  updating_ = true;
  try {
    if (autoScroll_) CalcAutoRange();
    TRect before = GetClientRect();
    int b = BorderThickness();
    int w = GetWidth() - 2 * b, h = GetHeight() - 2 * b;
    int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    bool v = vert_->visible_ && vert_->range_ > h;
    bool hz = horz_->visible_ && horz_->range_ > w - (v ? cx : 0);
    if (hz && !v) v = vert_->visible_ && vert_->range_ > h - cy;
    vert_->shown_ = v;
    horz_->shown_ = hz;
    // Positions stay within the new limits.
    for (TControlScrollBar* s : {horz_.get(), vert_.get()}) {
      int p = std::clamp(s->position_, 0, s->shown_ ? s->GetMaxPosition() : 0);
      if (p != s->position_) {
        int old = s->position_;
        s->position_ = p;
        ScrollTo(s->kind_, old, p);
      }
    }
    TRect after = GetClientRect();
    updating_ = false;
    if (after != before) {
      Invalidate();
      Perform(WM_SIZE, 0, MakeLParam(after.Width(), after.Height()));
    }
  } catch (...) {
    updating_ = false;
    throw;
  }
}

void TScrollingWinControl::ScrollTo(TScrollBarKind kind, int oldPos, int newPos) {
  if (kind == sbHorizontal)
    ScrollBy(oldPos - newPos, 0);
  else
    ScrollBy(0, oldPos - newPos);
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  DisableAlign();
  try {
    for (int i = 0; i < GetControlCount(); ++i) {
      TControl* c = GetControls(i);
      c->SetBounds(c->GetLeft() + dx, c->GetTop() + dy, c->GetWidth(), c->GetHeight());
    }
  } catch (...) {
    EnableAlign();
    throw;
  }
  // Moving children must not recompute the ranges they were moved by.
  TControlState s = GetControlState();
  s.Exclude(csAlignmentNeeded);
  SetControlState(s);
  EnableAlign();
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
  if (!control || !ContainsControl(control) || control == this) return;
  TPoint o =
      ScreenToClient(control->GetParent()->ClientToScreen({control->GetLeft(), control->GetTop()}));
  TRect r = Bounds(o.X, o.Y, control->GetWidth(), control->GetHeight());
  int cw = GetClientWidth(), ch = GetClientHeight();
  if (r.Left < 0)
    horz_->SetPosition(horz_->position_ + r.Left);
  else if (r.Right > cw)
    horz_->SetPosition(horz_->position_ + std::min(r.Right - cw, r.Left));
  if (r.Top < 0)
    vert_->SetPosition(vert_->position_ + r.Top);
  else if (r.Bottom > ch)
    vert_->SetPosition(vert_->position_ + std::min(r.Bottom - ch, r.Top));
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
  TWinControl::AlignControls(control, rect);
  if (autoScroll_) UpdateScrollBars();
}

void TScrollingWinControl::WMSize(TMessage& msg) {
  if (!updating_) UpdateScrollBars();
  TWinControl::WMSize(msg);
}

void TScrollingWinControl::DefaultHandler(TMessage& msg) {
  // Scroll-bar messages: SB_LINEUP 0, SB_LINEDOWN 1, SB_PAGEUP 2, SB_PAGEDOWN 3,
  // SB_THUMBPOSITION 4 (position in the high word), SB_TOP 6, SB_BOTTOM 7.
  if (msg.Msg == WM_HSCROLL || msg.Msg == WM_VSCROLL) {
    TControlScrollBar* s = msg.Msg == WM_HSCROLL ? horz_.get() : vert_.get();
    int page = msg.Msg == WM_HSCROLL ? GetClientWidth() : GetClientHeight();
    switch (msg.WParam & 0xFFFF) {
      case 0:
        s->ScrollLines(-1);
        break;
      case 1:
        s->ScrollLines(1);
        break;
      case 2:
        s->SetPosition(s->position_ - page);
        break;
      case 3:
        s->SetPosition(s->position_ + page);
        break;
      case 4:
      case 5:
        s->SetPosition(static_cast<int>((msg.WParam >> 16) & 0xFFFF));
        break;
      case 6:
        s->SetPosition(0);
        break;
      case 7:
        s->SetPosition(s->GetMaxPosition());
        break;
      default:
        break;
    }
    return;
  }
  TWinControl::DefaultHandler(msg);
}

void TScrollingWinControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (vert_->shown_) params.Style |= WS_VSCROLL;
  if (horz_->shown_) params.Style |= WS_HSCROLL;
}

namespace {
void PaintArrowButton(TCanvas& c, const TRect& r, int dir) {
  c.GetBrush()->SetColor(clBtnFace);
  c.GetBrush()->SetStyle(bsSolid);
  c.FillRect(r);
  TRect f = r;
  Frame3D(c, f, cl3DLight, cl3DDkShadow, 1);
  Frame3D(c, f, clBtnHighlight, clBtnShadow, 1);
  // A small solid triangle: 0 up, 1 down, 2 left, 3 right.
  int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  for (int i = 0; i < 4; ++i)
    for (int j = -i; j <= i; ++j) {
      switch (dir) {
        case 0:
          c.SetPixel(cx + j, cy - 2 + i, clBtnText);
          break;
        case 1:
          c.SetPixel(cx + j, cy + 1 - i, clBtnText);
          break;
        case 2:
          c.SetPixel(cx - 2 + i, cy + j, clBtnText);
          break;
        default:
          c.SetPixel(cx + 1 - i, cy + j, clBtnText);
          break;
      }
    }
}

}  // namespace

void PaintScrollBar(TCanvas& c, const TRect& r, TScrollBarKind kind, const TRect& thumb) {
  bool horz = kind == sbHorizontal;
  int thick = horz ? r.Height() : r.Width();
  c.GetBrush()->SetColor(clScrollBar);
  c.GetBrush()->SetStyle(bsSolid);
  c.FillRect(r);
  if (horz) {
    PaintArrowButton(c, Rect(r.Left, r.Top, r.Left + thick, r.Bottom), 2);
    PaintArrowButton(c, Rect(r.Right - thick, r.Top, r.Right, r.Bottom), 3);
  } else {
    PaintArrowButton(c, Rect(r.Left, r.Top, r.Right, r.Top + thick), 0);
    PaintArrowButton(c, Rect(r.Left, r.Bottom - thick, r.Right, r.Bottom), 1);
  }
  TRect t = OffsetRect(thumb, r.Left, r.Top);
  if (t.IsEmpty()) return;
  c.GetBrush()->SetColor(clBtnFace);
  c.FillRect(t);
  Frame3D(c, t, cl3DLight, cl3DDkShadow, 1);
  Frame3D(c, t, clBtnHighlight, clBtnShadow, 1);
}

namespace {
void PaintBar(TCanvas& c, const TControlScrollBar& s, const TRect& r) {
  bool horz = s.GetKind() == sbHorizontal;
  PaintScrollBar(c, r, s.GetKind(),
                 s.ThumbRect(horz ? r.Width() : r.Height(), horz ? r.Height() : r.Width()));
}
}  // namespace

void TScrollingWinControl::PaintNonClient(TCanvas& canvas) {
  int b = BorderThickness();
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  int right = GetWidth() - b, bottom = GetHeight() - b;
  if (vert_->shown_)
    PaintBar(canvas, *vert_, Rect(right - cx, b, right, bottom - (horz_->shown_ ? cy : 0)));
  if (horz_->shown_)
    PaintBar(canvas, *horz_, Rect(b, bottom - cy, right - (vert_->shown_ ? cx : 0), bottom));
  if (vert_->shown_ && horz_->shown_) {
    canvas.GetBrush()->SetColor(clBtnFace);
    canvas.GetBrush()->SetStyle(bsSolid);
    canvas.FillRect(Rect(right - cx, bottom - cy, right, bottom));
  }
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
  SetBounds(0, 0, 185, 41);
}

int TScrollBox::BorderThickness() const { return WindowBorderWidth(borderStyle_, GetCtl3D()); }

void TScrollBox::SetBorderStyle(TBorderStyle v) {
  if (v != bsNone && v != bsSingle) throw EPropertyError(ResStr("SInvalidPropertyValue"));
  if (v == borderStyle_) return;
  borderStyle_ = v;
  RecreateWnd();
  UpdateScrollBars();
  Perform(WM_SIZE, 0, MakeLParam(GetClientWidth(), GetClientHeight()));
}

void TScrollBox::CMCtl3DChanged(TMessage& msg) {
  TScrollingWinControl::CMCtl3DChanged(msg);
  if (borderStyle_ == bsSingle) {
    UpdateScrollBars();
    Perform(WM_SIZE, 0, MakeLParam(GetClientWidth(), GetClientHeight()));
  }
}

void TScrollBox::PaintNonClient(TCanvas& canvas) {
  PaintWindowBorder(canvas, GetWidth(), GetHeight(), borderStyle_, GetCtl3D());
  TScrollingWinControl::PaintNonClient(canvas);
}

void TScrollBox::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  if (borderStyle_ == bsSingle) {
    if (GetCtl3D())
      params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      params.Style |= WS_BORDER;
  }
}

}  // namespace tabulon
