// The quantities of a fields panel's layout pass: the metrics it derives
// from the text and edit fonts (through the panel's one measuring label),
// the row geometry of the four arrangements, and the rule that shrinks a
// row's editor and comment in the same proportion until they fit. Every
// pass computes them afresh; the panel keeps the last pass's values so that
// callers (and tests) can see what the layout was based on.
#pragma once

namespace tabulon {

/// The metrics of one layout pass, in pixels. A character is the width of
/// the letter "A"; tops are offsets within a row, before the vertical scroll
/// position is taken off.
struct TPanelLayoutMetrics {
  int EditCharWidth = 0;   // "A" in the edit font
  int TextCharWidth = 0;   // "A" in the plain text font; also the gap after every element
  int EditLineHeight = 0;  // edit text height + StepHeight + 8 (3-D) or + 6
  int TextLineHeight = 0;  // plain text height + StepHeight
  int RowHeight = 0;       // the larger line (two-line states: both lines)
  int EditTop = 0;         // editors' top within a row
  int TextTop = 0;         // range captions' top within a row
  int CaptionTop = 0;      // record caption's top: TextTop, or 0 on its own line
  int CommentTop = 0;      // comments' top: TextTop
  int Origin = 0;          // x of the left edge: 1 - horizontal scroll position
  int VertPos = 0;         // vertical scroll position taken off every top
  int CaptionRight = 0;    // x where the editor column starts
  int ScrollReserve = 0;   // room kept for a vertical scroll bar when rows overflow
  int ButtonWidth = 0;     // room added to an editor for its button
};

/// The widths of one row's editors and comments.
struct TRowWidths {
  int EditPx = 0;
  int CommentPx = 0;
};

/// Fits an editor of `editPx` and a comment of `commentPx` into the row:
/// `room` is the space for the editor once the comment is taken off. When
/// the editor does not fit, both shrink by the same proportion k =
/// (editPx - room) / (editPx + commentPx), computed exactly; the editor
/// keeps at least `minEditPx`, the comment loses one gap (`textCharWidth`
/// + 1) and keeps at least two text characters. Widths that fit are
/// returned unchanged.
TRowWidths FitRowWidths(int editPx, int commentPx, long long room, int minEditPx,
                        int textCharWidth);

}  // namespace tabulon
