#pragma once

#include "state/EditorState.h"
#include "views/PreviewLayout.h"

namespace vallo {

// The cell a preview shows: a rectangle of an image whose top-left is (Left, Top). Pixels of the
// rectangle that lie outside the image show `Fill`; nothing outside the image is read.
struct CellSource {
    const TDIB* Image = nullptr;
    int Left = 0;
    int Top = 0;
    uint8_t Fill = 0;
};

// The extended and tiled views show the layer composite while the layer is on, otherwise the
// edited cell of MainImage; both fill with the transparent colour.
CellSource EditedCellSource(const EditorState& s);

// The pixels that a box rectangle (right/bottom exclusive) of a preview shows, as an 8-bit image
// of the rectangle's size with the document palette. The rectangle is clipped to the layout
// first; `area` receives the clipped rectangle (the image is empty when nothing is left).
TDIB RenderPreviewArea(const CellSource& source, const PreviewLayout& layout, const IntRect& box,
                       const ColorTableArray& palette, IntRect& area);

} // namespace vallo
