#pragma once

#include "image/DIB.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vallo {

// The first picture of a GIF file as the editor's 8-bit indexed image: the pixels keep their
// indices and the palette its order (the frame's own colour map, else the file's), entries the
// file does not give are black. Where the first frame does not cover the logical screen, the
// picture holds the frame's transparent index, else the background index.
struct GifPicture {
    TDIB Picture;
    std::optional<uint8_t> TransColor; // the first frame's transparent index, if it has one
};

// Reads a GIF held in memory. A broken file, one without a picture or colour map, or one
// declaring more than MaxSide pixels a side or more than its data could fill raises
// DibError("おそらくファイルが壊れています。").
GifPicture ReadGif(const uint8_t* data, size_t size);

inline constexpr int kGifMaxSide = 30000;

} // namespace vallo
