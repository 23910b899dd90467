#pragma once

#include "views/FrameShape.h"

#include <array>

namespace vallo {

struct EditorState;

// The frames the overview paints over the scaled image, in overview screen coordinates
// (before scrolling): the edited cell, the layer cell and the copy range.
struct OverviewFrames {
    FrameShape EditedCell;
    FrameShape LayerCell;
    FrameShape CopyRange;
    // While a range is being chosen, its two diagonals (drawn with the CopyRange pen).
    bool DiagonalsVisible = false;
    std::array<SegmentShape, 2> Diagonals{};
    // Once copied, the copy buffer stretched at the paste position.
    StretchShape CopyImage;
};

OverviewFrames ComputeOverviewFrames(const EditorState& s);

} // namespace vallo
