#pragma once

#include "image/DIB.h"

#include <cstdint>

namespace vallo {

// Conversion of any picture to the editor's form: 8 bits per pixel, 256 palette entries.
//
// Indexed pictures keep their pixel values and palette; entries beyond what the bit count can
// address are black. True-colour pictures with at most 256 distinct colours are mapped exactly,
// the palette listing the colours in order of first appearance (top row first), the rest black.
// Pictures with more colours are quantised with libimagequant at its best quality, without
// dithering: dithering noise would have to be cleaned by hand out of pixel art, and flat areas
// stay flat. 16-bit pictures are read as 5-5-5, 32-bit ones as blue, green, red, unused.
TDIB ReduceTo256(const TDIB& picture);

// The same for a picture decoded elsewhere: rows of red, green, blue, alpha bytes, top row
// first, strideBytes apart. Alpha is dropped, not composited. A stride shorter than a row or a
// missing buffer is refused with DibError; a size below 1 gives an empty image.
TDIB ReduceRgbaTo256(const uint8_t* rgba, int width, int height, int strideBytes);

} // namespace vallo
