#pragma once

#include <cstdint>

#include "image/DIB.h"

namespace vallo {

// Fills a rectangle (left/top inclusive, right/bottom exclusive) of an 8-bit image with one
// index, clipped to the image.
void FillCellRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index);

// Cuts an inclusive source rectangle so that nothing is read outside the source or written
// outside the destination, moving the destination corner along. False when nothing is left.
bool ClipCopyRect(int& left, int& top, int& right, int& bottom, const TDIB& source,
                  const TDIB& dest, int& destLeft, int& destTop);

// Copies the inclusive source rectangle of one 8-bit image into another at (destLeft,
// destTop), row by row. The rectangle is cut so that nothing is read outside the source or
// written outside the destination.
void CopyRect(int left, int top, int right, int bottom, const TDIB& source, TDIB& dest,
              int destLeft, int destTop);

} // namespace vallo
