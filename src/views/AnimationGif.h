#pragma once

#include "formats/GifWriter.h"
#include "state/EditorState.h"

#include <cstdint>
#include <string>

namespace vallo {

// The frame delay of the animation window's frame rate in hundredths of a second, rounded.
int AniGifDelay(int fps);

// One cycle of what the animation window plays in a direction, as an animated GIF: the current
// layout, frame count and order of the window's settings, at its magnification, with the
// document palette and the transparent colour, looping forever. MainImage is read as it is
// (layers are not composed); cells outside the image show the transparent colour.
GifAnimation BuildAnimationGif(const EditorState& s, uint8_t direction);

// Builds the animation and writes it atomically (GifWriteError or FileError on failure).
void SaveAnimationGif(const EditorState& s, uint8_t direction, const std::string& path);

} // namespace vallo
