#pragma once

namespace vallo {

struct EditorState;

// Fills the 4-connected area of the seed's palette index inside the edited cell with
// DrawColor, honouring only the dither pattern; then rebuilds the magnifier.
void FloodFillCell(EditorState& s, int x, int y);

} // namespace vallo
