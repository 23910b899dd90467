#pragma once

#include "state/EditorState.h"
#include "state/Mouse.h"

#include <array>
#include <cstdint>

namespace vallo {

// The palette window's cell grid: PaleColumns x PaleRows cells of PaleCellWidth x
// PaleCellHeight pixels, cell (col, row) showing index PaleColumns × row + col. Cells whose
// index would pass 255 show nothing and ignore the mouse.

// Width and height of the grid in pixels (the palette box and PaletteImage).
int PaleBoxWidth(const EditorState& s);
int PaleBoxHeight(const EditorState& s);
// Palette index under a point of the box, or -1 outside the grid or past index 255.
int PaletteIndexAt(const EditorState& s, int x, int y);

// The window's resize handling on the core side: PaletteImage takes the grid's size and the
// document palette, and is redrawn.
void ResizePaletteImage(EditorState& s);
// Draws every cell into PaletteImage: its colour, a white-white-black frame when forbidden,
// else grey lines along its top and left edges. (The UI's ViewHooks::RedrawPaletteImage runs
// this and repaints the box.)
void RedrawPaletteImage(EditorState& s);
// Draws one cell as RedrawPaletteImage does.
void DrawPaletteCell(EditorState& s, int index);

// One marker frame painted over the grid: a one-pixel frame just inside Rect, in Color
// (0x00BBGGRR).
struct PaletteMarkerFrame {
    IntRect Rect;
    uint32_t Color = 0;
};
// The four frames marking DrawColor and TransColor, in painting order.
std::array<PaletteMarkerFrame, 4> PaletteMarkerFrames(const EditorState& s);

// Mouse on the palette box, in box coordinates.
void PaleBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift);
void PaleBoxMouseMove(EditorState& s, int x, int y);
void PaleBoxMouseUp(EditorState& s, MouseButton button, int x, int y);

} // namespace vallo
