#pragma once

#include "formats/PngError.h"
#include "formats/PngMarks.h"
#include "image/DIB.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vallo {

// Reads a palette PNG of 1, 2, 4 or 8 bits per pixel, unpacked to 8 bits with the palette kept
// in order. Returns true when the file was read up to IEND: Image then holds the picture and
// Marks the marks the file carries (vlOp, tRNS, bKGD, a short PLTE), starting from the values
// passed in. The transparent index comes from vlOp, else from the last fully transparent tRNS
// entry, else from bKGD, wherever the chunks stand in the file. Returns false, showing nothing,
// when the file is shorter than 25 bytes or its header is not 1/2/4/8-bit / colour type 3 /
// compression 0 / filter 0; the caller then tries its other readers. Throws
// PngError(kMsgBrokenPng) for a broken file. Image and Marks change only when the result is true.
bool LoadPNG(const std::string& FileName, TDIB& Image, PngMarks& Marks);
bool LoadPNGFromMemory(const uint8_t* data, size_t size, TDIB& Image, PngMarks& Marks);

// Writes Image (8 bits per pixel) as IHDR, PLTE (256 entries), vlOp (the mark bytes), one
// IDAT with the whole zlib stream (libdeflate at level 9, 6 beyond 64 M pixels) and filter None
// on every row, and IEND. With
// WithTrns (a document that came from a PNG with a tRNS chunk) a tRNS chunk follows PLTE:
// alpha 0 for TransColor and 255 for the entries before it, the opaque rest left out.
void SavePNG(const std::string& FileName, const TDIB& Image,
             const std::array<int32_t, 256>& ForbiddenFlags, uint8_t TransColor,
             bool WithTrns = false);
std::vector<uint8_t> EncodePNG(const TDIB& Image, const std::array<int32_t, 256>& ForbiddenFlags,
                               uint8_t TransColor, bool WithTrns = false);

} // namespace vallo
