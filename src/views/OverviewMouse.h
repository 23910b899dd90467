#pragma once

#include "app/Mouse.h"

namespace vallo {

struct EditorState;

// The overview's mouse handling. Positions are overview screen pixels (scaled by
// OverviewPower) unless fromLupe is set, in which case they are image pixels forwarded by the
// magnifier's range tool.
void AllBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift, bool fromLupe);
void AllBoxMouseMove(EditorState& s, int x, int y, bool shift, bool fromLupe);
// The scale choice "1/4倍" .. "3倍" (item 0..4).
void powerComboChange(EditorState& s, int itemIndex);

} // namespace vallo
