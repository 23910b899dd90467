#pragma once

#include "image/DIB.h"

#include <cstdint>
#include <vector>

namespace vallo {

// The drawing surface of an 8-bit TDIB: primitives that work on palette indices.
// Rectangles are left/top inclusive, right/bottom exclusive; everything is clipped to the image.

// Palette index whose colour is nearest to a 0x00BBGGRR colour (squared RGB distance, lowest
// index on ties).
int NearestColorIndex(const ColorTableArray& table, uint32_t color);

enum class PenMode {
    Copy,         // destination := pen index
    Invert,       // destination := NOT destination
    MergeNotDest, // destination := pen index OR (NOT destination)
};

void FillRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index);
// One-pixel frame just inside the rectangle.
void FrameRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index);
// Line from (x0, y0) towards (x1, y1), the end point excluded; a dotted pen draws every other
// pixel along the line.
void DrawLine(TDIB& image, int x0, int y0, int x1, int y1, uint8_t index,
              PenMode mode = PenMode::Copy, bool dotted = false);
// Outline of the rectangle through the two inclusive corners, with a square pen of the given
// width centred on the outline (an even width reaches one pixel further to the right and down).
// Every pixel is written once, so drawing twice in Invert mode restores the image. The dotted
// pen walks the perimeter clockwise from the top-left corner; it applies to width 1 only.
void DrawRectOutline(TDIB& image, int x0, int y0, int x1, int y1, uint8_t index, PenMode mode,
                     int penWidth = 1, bool dotted = false);

// Ellipse mask inside a w x h box: 1 on the one-pixel outline (and on the interior when
// filled), 0 elsewhere; row-major, w * h bytes. The ellipse touches all four sides of the box
// and is symmetric about both axes.
std::vector<uint8_t> EllipseMask(int w, int h, bool filled);

// Nearest-pixel stretched copy of the source rectangle (sx, sy, sw, sh) onto the destination
// rectangle (dx, dy, dw, dh) of two 8-bit images. A negative dw or dh mirrors the copy: the
// destination then runs from dx leftward to dx + dw (exclusive), so (w - 1, 0, -w, h) mirrors
// into the w x h rectangle at the origin. Each destination pixel takes the source pixel under its
// centre; pixels that fall outside either image are skipped.
void StretchCopy(const TDIB& src, int sx, int sy, int sw, int sh, TDIB& dst, int dx, int dy, int dw,
                 int dh);

} // namespace vallo
