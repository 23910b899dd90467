#pragma once

#include "state/EditorState.h"

namespace vallo {

// Screen geometry of the overview's picture. Rectangles are left/top inclusive, right/bottom
// exclusive.

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

} // namespace vallo
