#pragma once

#include "state/Mouse.h"

namespace vallo {

struct EditorState;

// The overview's mouse handling. Positions are overview screen pixels (scaled by
// OverviewPower) unless fromLupe is set, in which case they are image pixels forwarded by the
// magnifier's range tool.
void AllBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift, bool fromLupe);
void AllBoxMouseMove(EditorState& s, int x, int y, bool shift, bool fromLupe);
// The scale choice "1/4倍" .. "3倍" (item 0..4).
void powerComboChange(EditorState& s, int itemIndex);

// Image position of an overview screen position at the current scale (not clamped).
void OverviewScreenToImage(const EditorState& s, int& x, int& y);

// Size of the scaled picture in the overview and the pixel size of one image pixel on screen
// (1 when the overview shrinks the image).
struct OverviewGeometry {
    int BitmapWidth = 0;
    int BitmapHeight = 0;
    int ChipSize = 1;
};
OverviewGeometry ComputeOverviewGeometry(const EditorState& s);

} // namespace vallo
