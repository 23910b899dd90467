#pragma once

#include "image/Canvas.h"

#include <cstdint>

namespace vallo {

// A rectangle outline for a window to paint over its picture: the pen's centre runs through
// the two inclusive corners (X0, Y0) and (X1, Y1), with a square pen of PenWidth pixels.
// Coordinates are the window's own and may lie outside it; the painter clips.
struct FrameShape {
    bool Visible = false;
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;
    int PenWidth = 1;
    bool Dotted = false;
    PenMode Mode = PenMode::Invert;
    uint32_t Color = 0; // 0x00BBGGRR, for the merging pen mode
};

// A straight line from (X0, Y0) to (X1, Y1), drawn with the frame's pen.
struct SegmentShape {
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;
};

// Where the copy buffer is drawn stretched: left/top inclusive, right/bottom exclusive.
struct StretchShape {
    bool Visible = false;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

} // namespace vallo
