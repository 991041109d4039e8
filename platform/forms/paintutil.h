// Drawing helpers shared by the standard controls: captions with an
// accelerator character ("&OK" shows OK with the O underlined), focus
// rectangles and sunken edit frames.
#pragma once

#include <string>

#include "platform/controls/controltypes.h"
#include "platform/graphics/canvas.h"

namespace tabulon::forms_detail {

/// The caption without accelerator marks ("&&" stands for one "&").
std::string StripAccel(const std::string& caption);
/// The accelerator character of a caption (upper case), or 0.
char32_t AccelChar(const std::string& caption);
/// Draws `caption` in the canvas font, aligned in `r` and centred
/// vertically, underlining the accelerator; grey when disabled.
void DrawCaption(TCanvas& canvas, const TRect& r, const std::string& caption, TAlignment align,
                 bool enabled);
/// Draws a sunken two-pixel frame (3-D) or a flat one-pixel frame inside `r`
/// and shrinks `r` past it.
void DrawSunkenFrame(TCanvas& canvas, TRect& r, bool ctl3D);

}  // namespace tabulon::forms_detail
