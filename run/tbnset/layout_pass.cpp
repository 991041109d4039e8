// The layout pass of a fields panel: it derives the metrics from the fonts
// (all text measured through the panel's one hidden label), finds the
// editor column, then walks the records row by row, placing each row's
// caption, range captions, editors and comments, and sizing editors and
// comments to the field's display width, shrunk to fit the panel. Controls
// of a row persist between passes and are only moved; a pass that changes
// nothing creates and frees nothing. A measuring pass computes the same
// geometry with natural widths and touches no control but the label.
#include <algorithm>
#include <cstdint>

#include "platform/controls/label.h"
#include "platform/graphics/sysmetrics.h"
#include "run/tbnset/panel.h"

namespace tabulon {

namespace {
// Widths derived from record settings stay in a sane range whatever a form
// file says, so that no product of them overflows.
constexpr int64_t kMaxPx = 1000000;
int ClampPx(int64_t px) { return static_cast<int>(std::clamp<int64_t>(px, 0, kMaxPx)); }
}  // namespace

TRowWidths FitRowWidths(int editPx, int commentPx, long long room, int minEditPx,
                        int textCharWidth) {
  TRowWidths out{editPx, commentPx};
  const int64_t total = int64_t{editPx} + commentPx;
  if (room >= editPx || total <= 0) return out;
  // w - w * k = w * (commentPx + room) / total: in integers, so that a
  // width that comes out whole is not truncated to one pixel less.
  const int64_t keep = commentPx + std::max<int64_t>(room, -kMaxPx);
  out.EditPx = std::max(static_cast<int>(editPx * keep / total), minEditPx);
  out.CommentPx =
      std::max(static_cast<int>(commentPx * keep / total) - textCharWidth - 1, 2 * textCharWidth);
  return out;
}

/// One run of PaintPanelComponents.
class TPanelLayoutPass {
 public:
  TPanelLayoutPass(TPanelFieldsSet& panel, bool create)
      : p_(panel), m_(panel.Metrics), box_(panel.ScrollingFieldsSet), create_(create) {}

  TSize Run();

 private:
  void ComputeMetrics();
  int Measure(const std::string& text);
  int CountOf(TFieldRecord* record) const;
  int RowTop(int offset) const { return row_ * m_.RowHeight + offset - m_.VertPos; }
  // Where `x` would be with the box not scrolled horizontally. Widths and
  // the required width are measured there, so that a pass run while the
  // box is scrolled neither widens the editors nor shortens the range.
  int Unscrolled(int x) const { return x - m_.Origin + 1; }
  void PlaceText(TFieldRecord* record, TComponent*& slot, const std::string& text, int top, int& x);
  void PlaceComment(TFieldRecord* record, int slot, int width, int& x);
  void PlaceEditor(TFieldRecord* record, int slot, int width, int& x);
  void RemoveUnneeded(TFieldRecord* record, int count, bool withEmpty, bool onEmpty);
  void ShowValue(TFieldRecord* record, int slot);
  TRowWidths Widths(TFieldRecord* record, int count, int x, const std::string& onCaption);
  TLabel* Label(TComponent*& slot);

  TPanelFieldsSet& p_;
  TPanelLayoutMetrics& m_;
  TScrollingFieldsSet* box_;
  bool create_;
  bool formatted_ = false;  // a shared editor column
  bool twoLine_ = false;    // captions on their own line
  bool inactive_ = false;
  TFont* textFont_ = nullptr;
  TFont* editFont_ = nullptr;
  int textHeight_ = 0;  // height of a line of text (comments)
  int editHeight_ = 0;  // height of an editor
  int row_ = 0;
  int tab_ = 0;
  bool created_[2] = {false, false};  // the slot's editor was created by this pass
  bool bound_[2] = {false, false};    // the slot's editor is one of the panel's editors
};

int TPanelLayoutPass::Measure(const std::string& text) {
  TLabel* label = p_.MeasureLabel.get();
  label->SetCaption(text);
  return label->GetWidth();
}

int TPanelLayoutPass::CountOf(TFieldRecord* record) const {
  return inactive_ ? 0 : static_cast<int>(p_.CountState(record));
}

void TPanelLayoutPass::ComputeMetrics() {
  TLabel* label = p_.MeasureLabel.get();
  TStyleOptions* style = p_.StyleOptions.get();
  editFont_ = style->GetFont(2);
  textFont_ = style->GetFont(1);
  label->SetFont(editFont_);
  label->SetCaption("A");
  m_.EditCharWidth = label->GetWidth();
  // The framework's edit does not size itself to its font: editors get the
  // height an auto-sized edit has, the edit line less the gap.
  editHeight_ = label->GetHeight() + (style->GetCtl3D() ? 8 : 6);
  m_.EditLineHeight = editHeight_ + p_.StepHeight;
  TFont plain;
  plain.Assign(textFont_);
  plain.SetStyle({});
  label->SetFont(&plain);
  m_.TextCharWidth = label->GetWidth();
  textHeight_ = label->GetHeight();
  m_.TextLineHeight = textHeight_ + p_.StepHeight;
  // The row of one line; the tops centre the shorter line in it (halves
  // truncated each).
  const int line = std::max(m_.EditLineHeight, m_.TextLineHeight);
  m_.EditTop = line == m_.EditLineHeight ? 0 : line / 2 - m_.EditLineHeight / 2;
  m_.TextTop = line == m_.TextLineHeight ? 0 : line / 2 - m_.TextLineHeight / 2;
  m_.RowHeight = line;
  if (twoLine_) {
    m_.RowHeight = m_.TextLineHeight + m_.EditLineHeight;
    m_.EditTop += m_.TextLineHeight;
    m_.TextTop += m_.TextLineHeight;
    m_.CaptionTop = 0;
  } else {
    m_.CaptionTop = m_.TextTop;
  }
  m_.CommentTop = m_.TextTop;
  m_.Origin = 1 - box_->GetHorzScrollBar()->GetPosition();
  m_.VertPos = box_->GetVertScrollBar()->GetPosition();
  m_.CaptionRight = m_.Origin;
  m_.ScrollReserve = 0;
  m_.ButtonWidth = GetSystemMetrics(SM_CXVSCROLL);
  // Everything else is measured in the text font as it is.
  label->SetFont(textFont_);
}

TLabel* TPanelLayoutPass::Label(TComponent*& slot) {
  if (!slot) {
    auto* label = new TLabel(box_);
    label->SetParentFont(false);
    slot = label;
  }
  return static_cast<TLabel*>(slot);
}

void TPanelLayoutPass::PlaceText(TFieldRecord* record, TComponent*& slot, const std::string& text,
                                 int top, int& x) {
  if (!create_) {
    x += Measure(text) + m_.TextCharWidth;
    return;
  }
  TLabel* label = Label(slot);
  label->SetVisible(record->GetVisible());
  if (!label->GetFont()->SameAs(*textFont_)) label->SetFont(textFont_);
  label->SetCaption(text.empty() ? " " : text);
  label->SetBounds(x, RowTop(top), label->GetWidth(), label->GetHeight());
  label->SetParent(box_);
  x += label->GetWidth() + m_.TextCharWidth;
}

void TPanelLayoutPass::PlaceComment(TFieldRecord* record, int slot, int width, int& x) {
  if (create_) {
    TLabel* label = Label(record->CommentLabels[slot]);
    label->SetAutoSize(false);
    if (!label->GetFont()->SameAs(*textFont_)) label->SetFont(textFont_);
    const std::string text = record->GetCommentText(slot);
    label->SetCaption(text.empty() ? " " : text);
    label->SetBounds(x, RowTop(m_.CommentTop), width, textHeight_);
    label->SetParent(box_);
  }
  x += width + m_.TextCharWidth;
}

void TPanelLayoutPass::PlaceEditor(TFieldRecord* record, int slot, int width, int& x) {
  if (create_) {
    const TClass* cls = p_.EditorClass(record, slot);
    TComponent*& editor = record->Editors[slot];
    if (!editor || !editor->InheritsFrom(cls)) {
      p_.DestroyEditor(record, slot);
      editor = cls->CreateComponent(box_);
      created_[slot] = true;
    }
    auto* control = dynamic_cast<TControl*>(editor);
    bound_[slot] = control && p_.BindEditor(control, record, slot);
    if (bound_[slot]) {
      control->SetBounds(x, RowTop(m_.EditTop), width, editHeight_);
      control->SetParent(box_);
      if (auto* win = dynamic_cast<TWinControl*>(control)) {
        if (win->GetTabOrder() != tab_) win->SetTabOrder(tab_);
      }
      ++tab_;
    }
  }
  x += width + m_.TextCharWidth;
}

void TPanelLayoutPass::RemoveUnneeded(TFieldRecord* record, int count, bool withEmpty,
                                      bool onEmpty) {
  auto drop = [](TComponent*& label) { TObject::Free(std::exchange(label, nullptr)); };
  const bool visible = record->GetVisible();
  if (count != 2 || !visible) {
    p_.DestroyEditor(record, 1);
    drop(record->CommentLabels[1]);
    drop(record->CaptionLabels[1]);
    drop(record->CaptionLabels[2]);
  }
  if (count == 0 || !visible) {
    p_.DestroyEditor(record, 0);
    drop(record->CommentLabels[0]);
    drop(record->CaptionLabels[0]);
  }
  if (withEmpty) drop(record->CaptionLabels[1]);
  if (onEmpty) drop(record->CaptionLabels[2]);
  if (!record->GetCommentVisible()) {
    drop(record->CommentLabels[0]);
    drop(record->CommentLabels[1]);
  }
}

TRowWidths TPanelLayoutPass::Widths(TFieldRecord* record, int count, int x,
                                    const std::string& onCaption) {
  const int tcw = m_.TextCharWidth;
  const bool comment = record->GetCommentVisible();
  const bool button = record->GetButtonStyle() != rbsAuto || record->GetLookupMode();
  TRowWidths w;
  w.CommentPx = comment ? ClampPx((int64_t{record->GetCommentWidth()} + 1) * tcw) : 0;
  w.EditPx = ClampPx((int64_t{record->GetDisplayWidth()} + 1) * m_.EditCharWidth +
                     (button ? m_.ButtonWidth : 0));
  if (!p_.AutoEditWidth || !create_) return w;
  const int64_t avail = int64_t{p_.MaxWidth} - Unscrolled(x) - 1 - m_.ScrollReserve;
  int64_t room = avail;
  if (count == 2) room = (avail - Measure(onCaption) - 2 * tcw) / 2;
  room -= w.CommentPx;
  const int minEdit =
      2 * m_.EditCharWidth + (record->GetButtonStyle() == rbsEllipsis ? m_.ButtonWidth : 0);
  return FitRowWidths(w.EditPx, w.CommentPx, room, minEdit, tcw);
}

void TPanelLayoutPass::ShowValue(TFieldRecord* record, int slot) {
  if (!created_[slot] || !bound_[slot] || record->UpdatingEdit[slot]) return;
  auto* editor = static_cast<TControl*>(record->Editors[slot]);
  record->UpdatingEdit[slot] = true;
  try {
    p_.ShowEditorValue(editor, record, slot, p_.AutoSaveValues ? record->GetAsVariant(slot) : Null);
  } catch (...) {
    record->UpdatingEdit[slot] = false;
    throw;
  }
  record->UpdatingEdit[slot] = false;
}

TSize TPanelLayoutPass::Run() {
  TFieldsList* list = p_.Fields;
  const TPosState pos = p_.PosState;
  formatted_ = pos == psOneLineFmt || pos == psTwoLineFmt;
  twoLine_ = pos == psTwoLineFmt || pos == psTwoLine;
  inactive_ = !p_.DataLink->GetActive();
  ComputeMetrics();
  const int tcw = m_.TextCharWidth;

  // The editor column: right of the widest caption (and "with" caption).
  row_ = 0;
  for (int i = 0; i < list->Count(); ++i) {
    TFieldRecord* record = list->GetItem(i);
    const int count = CountOf(record);
    if (count == 0 || !record->GetVisible()) continue;
    if (formatted_) {
      int x = m_.Origin;
      PlaceText(record, record->CaptionLabels[0], record->GetDisplayLabel(), m_.CaptionTop, x);
      if (twoLine_) x = m_.Origin;
      if (count == 2) x += Measure(record->GetCaptions()->GetWithCaption()) + tcw;
      m_.CaptionRight = std::max(m_.CaptionRight, x);
    }
    ++row_;
  }
  // An empty panel needs no height (rather than minus one gap).
  p_.RequiredHeight = std::max(0, row_ * m_.RowHeight - p_.StepHeight);
  const int nonClientHeight = box_->GetHeight() - box_->GetClientHeight();
  if (int64_t{nonClientHeight} + p_.RequiredHeight - 2 >= p_.MaxHeight)
    m_.ScrollReserve = GetSystemMetrics(SM_CYVSCROLL);
  p_.RequiredWidth = 0;

  row_ = 0;
  for (int i = 0; i < list->Count(); ++i) {
    TFieldRecord* record = list->GetItem(i);
    const int count = CountOf(record);
    const TFieldCaptions* captions = record->GetCaptions();
    const std::string withCaption = captions->GetWithCaption();
    const std::string onCaption = captions->GetOnCaption();
    if (create_) RemoveUnneeded(record, count, withCaption.empty(), onCaption.empty());
    if (count == 0 || !record->GetVisible()) continue;
    created_[0] = created_[1] = bound_[0] = bound_[1] = false;
    int x = m_.CaptionRight;
    if (!formatted_) {
      PlaceText(record, record->CaptionLabels[0], record->GetDisplayLabel(), m_.CaptionTop, x);
      if (twoLine_) x = m_.CaptionRight;
    }
    if (count == 2) {
      // Formatted, the "with" caption ends just before the editor column.
      if (formatted_) x = m_.CaptionRight - Measure(withCaption) - tcw;
      if (!withCaption.empty())
        PlaceText(record, record->CaptionLabels[1], withCaption, m_.TextTop, x);
      if (formatted_) x = m_.CaptionRight;
    }
    const TRowWidths w = Widths(record, count, x, onCaption);
    const bool comment = record->GetCommentVisible();
    PlaceEditor(record, 0, w.EditPx, x);
    if (comment) PlaceComment(record, 0, w.CommentPx, x);
    if (count == 2) {
      if (!onCaption.empty()) PlaceText(record, record->CaptionLabels[2], onCaption, m_.TextTop, x);
      PlaceEditor(record, 1, w.EditPx, x);
      if (comment) PlaceComment(record, 1, w.CommentPx, x);
    }
    if (create_) {
      ShowValue(record, 0);
      if (count == 2) ShowValue(record, 1);
    }
    p_.RequiredWidth = std::max(p_.RequiredWidth, Unscrolled(x) - tcw);
    ++row_;
  }
  p_.RequiredWidth = std::max(p_.RequiredWidth, p_.MinWidth);
  return {p_.RequiredWidth, p_.RequiredHeight};
}

TSize TPanelFieldsSet::PaintPanelComponents(bool create) {
  if (!ScrollingFieldsSet || !Fields || !MeasureLabel || !StyleOptions)
    return {RequiredWidth, RequiredHeight};
  return TPanelLayoutPass(*this, create).Run();
}

}  // namespace tabulon
