#include "draw/PixelOps.h"

#include <algorithm>
#include <cstring>

namespace vallo {

void FillCellRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.Width());
    bottom = std::min(bottom, image.Height());
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y)
        std::memset(image.ScanLine(y) + left, index, size_t(right - left));
}

bool ClipCopyRect(int& left, int& top, int& right, int& bottom, const TDIB& source,
                  const TDIB& dest, int& destLeft, int& destTop) {
    // Cut the source rectangle to the source image, shifting the destination along.
    if (left < 0) {
        destLeft -= left;
        left = 0;
    }
    if (top < 0) {
        destTop -= top;
        top = 0;
    }
    right = std::min(right, source.Width() - 1);
    bottom = std::min(bottom, source.Height() - 1);
    // Cut at the destination's edges.
    if (destLeft < 0) {
        left -= destLeft;
        destLeft = 0;
    }
    if (destTop < 0) {
        top -= destTop;
        destTop = 0;
    }
    right = std::min(right, left + (dest.Width() - destLeft) - 1);
    bottom = std::min(bottom, top + (dest.Height() - destTop) - 1);
    return left <= right && top <= bottom;
}

void CopyRect(int left, int top, int right, int bottom, const TDIB& source, TDIB& dest,
              int destLeft, int destTop) {
    if (!ClipCopyRect(left, top, right, bottom, source, dest, destLeft, destTop))
        return;
    const size_t count = size_t(right - left + 1);
    if (&source == &dest && top < destTop) {
        for (int y = bottom; y >= top; --y)
            std::memmove(dest.ScanLine(destTop + y - top) + destLeft, dest.ScanLine(y) + left,
                         count);
        return;
    }
    for (int y = top; y <= bottom; ++y) {
        uint8_t* to = dest.ScanLine(destTop + y - top) + destLeft;
        const uint8_t* from = source.ScanLine(y) + left;
        std::memmove(to, from, count);
    }
}

} // namespace vallo
