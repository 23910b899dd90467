#pragma once

#include "image/DIB.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vallo {

// An animated GIF could not be made; the message says why.
class GifWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An animation of 8-bit frames that share one 256-entry palette.
struct GifAnimation {
    int Width = 0;
    int Height = 0;
    ColorTableArray Palette{};
    int TransparentIndex = -1; // -1: no transparent colour
    int DelayCs = 10;          // per frame, in hundredths of a second
    int LoopCount = 0;         // 0: loops forever
    // Width x Height palette indices per frame, rows top-down.
    std::vector<std::vector<uint8_t>> Frames;
};

// The GIF89a file of the animation: global palette of 256 entries, one graphic control block
// per frame (delay, transparent index, each frame replacing the last) and the loop block.
// Throws GifWriteError when the animation cannot be a GIF (no frames, sizes out of range).
std::vector<uint8_t> EncodeGifAnimation(const GifAnimation& animation);
// Encodes and writes the file atomically; throws GifWriteError or FileError.
void SaveGifAnimation(const std::string& path, const GifAnimation& animation);

} // namespace vallo
