// TPanelFieldsSet's handlers of parent-font, parent-colour, 3-D-look and
// cursor changes: the text and edit styles follow the parent like the
// panel's own font and colour, and every change ends in one re-layout.
#include "platform/controls/messages.h"
#include "run/tbnset/panel.h"

namespace tabulon {

namespace {
// The indices a parent-changed message refreshes: only the one whose flag
// was just switched, else all of them.
void IndexRange(int& pending, int count, int& first, int& last) {
  if (pending != -1) {
    first = last = pending;
    pending = -1;
  } else {
    first = 0;
    last = count - 1;
  }
}
}  // namespace

void TPanelFieldsSet::CMParentFontChanged(TMessage& msg) {
  if (!StyleOptions) {
    TCustomPanel::CMParentFontChanged(msg);
    return;
  }
  int first, last;
  IndexRange(StyleOptions->ParentFontIndex, 3, first, last);
  while (first <= last && !StyleOptions->GetParentFont(first)) ++first;
  if (first > last) return;
  BeginPaint();
  try {
    for (int i = first; i <= last; ++i) {
      if (!StyleOptions->GetParentFont(i)) continue;
      if (i == 0) {
        TCustomPanel::CMParentFontChanged(msg);
        continue;
      }
      TFont* source = msg.WParam != 0 ? reinterpret_cast<TFont*>(msg.LParam)
                                      : (GetParent() ? GetParent()->GetFont() : nullptr);
      // Without a parent there is nothing to follow yet.
      if (!source) continue;
      StyleOptions->SetFont(i, source);
      StyleOptions->ParentFonts[i] = true;
    }
  } catch (...) {
    EndPaint();
    throw;
  }
  EndPaint();
}

void TPanelFieldsSet::CMParentColorChanged(TMessage& msg) {
  if (!StyleOptions) {
    TCustomPanel::CMParentColorChanged(msg);
    return;
  }
  int first, last;
  IndexRange(StyleOptions->ParentColorIndex, 2, first, last);
  while (first <= last && !StyleOptions->GetParentColor(first)) ++first;
  if (first > last) return;
  BeginPaint();
  try {
    for (int i = first; i <= last; ++i) {
      if (!StyleOptions->GetParentColor(i)) continue;
      if (i == 0) {
        TCustomPanel::CMParentColorChanged(msg);
        continue;
      }
      if (msg.WParam != 0)
        StyleOptions->SetColor(i, static_cast<TColor>(static_cast<int32_t>(msg.LParam)));
      else if (GetParent())
        StyleOptions->SetColor(i, GetParent()->GetColor());
      StyleOptions->ParentColors[i] = true;
    }
  } catch (...) {
    EndPaint();
    throw;
  }
  EndPaint();
}

void TPanelFieldsSet::CMCtl3DChanged(TMessage& msg) {
  TCustomPanel::CMCtl3DChanged(msg);
  WndChanged();
}

void TPanelFieldsSet::CMCursorChanged(TMessage& msg) {
  TCustomPanel::CMCursorChanged(msg);
  WndChanged();
}

}  // namespace tabulon
