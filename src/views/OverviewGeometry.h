#pragma once

#include "app/EditorState.h"

namespace vallo {

// Screen geometry of the overview and of the overlays drawn over the magnifier. Rectangles
// are left/top inclusive, right/bottom exclusive unless a name says "corners".

// Screen extent of an image coordinate at an overview power (sixteenths): v x power / 16.
int OverviewScale(int v, int power);

// The part of MainImage that an exposed screen rectangle of the overview shows, and where that
// part lands on screen. Power is 4, 8, 16, 32 or 48, so the mapping is exact in whole pixels.
struct OverviewPaintArea {
    bool Empty = true;
    IntRect Source; // image pixels
    IntRect Target; // overview screen pixels
};
OverviewPaintArea OverviewExposedArea(const IntRect& exposed, int power, int imageWidth,
                                      int imageHeight);

// The overview screen rectangle that shows an image rectangle (grown to whole screen pixels).
IntRect OverviewScreenRect(const IntRect& image, int power);

// A frame through two inclusive corners, drawn with a pen of the given width centred on it.
struct FrameSpec {
    bool Visible = false;
    IntRect Corners; // Left/Top and Right/Bottom are both inclusive corners
    int PenWidth = 1;
    bool Dotted = false;
    bool Diagonals = false; // the range being chosen also shows both diagonals
};

struct OverviewFrames {
    FrameSpec Cell;  // edited cell: 3-pixel inverted
    FrameSpec Layer; // layer cell: dotted
    FrameSpec Copy;  // copy range: dotted with diagonals (choosing) or 3-pixel (pasting)
    bool ShowCopyImage = false;
    IntRect CopyImageTarget; // where CopyImage is stretched, screen pixels
};
OverviewFrames ComputeOverviewFrames(const EditorState& s, int power);

// The copy range over the magnifier, in view pixels.
struct LupeCopyOverlay {
    FrameSpec Frame;
    bool ShowCopyImage = false;
    IntRect CopyImageTarget;
};
LupeCopyOverlay ComputeLupeCopyOverlay(const EditorState& s);

// Bounding rectangle of a frame including its pen width (for invalidation).
IntRect FrameBounds(const FrameSpec& frame);

} // namespace vallo

namespace vallo {

// Size of the overview's virtual bitmap and its scroll chip for OverviewPower: below 1x the
// image is scaled down and scrolls by pixels; at 1x, 2x and 3x it scrolls by image pixels.
struct OverviewScrollSize {
    int BitmapWidth = 0;
    int BitmapHeight = 0;
    int ChipSize = 1;
};
OverviewScrollSize ComputeOverviewScrollSize(int imageWidth, int imageHeight, int power);

} // namespace vallo
