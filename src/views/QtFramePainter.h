#pragma once

#include "image/DIB.h"
#include "views/FrameShape.h"

#include <QPainter>

namespace vallo {

// Paints the core's overlay shapes with the pen modes they ask for, so that frames stay
// visible on any colour under them: inverting is XOR with white, the merging mode is
// "pen OR NOT destination".
void PaintFrame(QPainter& p, const FrameShape& frame);
void PaintSegment(QPainter& p, const FrameShape& pen, const SegmentShape& segment);
// Draws an 8-bit image stretched (nearest pixel) into the shape's rectangle.
void PaintStretched(QPainter& p, const TDIB& image, const StretchShape& where);

} // namespace vallo
