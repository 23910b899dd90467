#pragma once

#include <string>

#include "image/DIB.h"

namespace vallo {

// One slot of the undo history: the saved pixels of a rectangle of MainImage (inclusive
// corners), with its own copy of the palette.
struct UndoEntry {
    TDIB Image;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool WholeImage = false;
    bool Palette = false;
    std::string FileName;
};

} // namespace vallo
