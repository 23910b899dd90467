#pragma once

namespace vallo {

struct EditorState;

// Writes one pen footprint at cell (x, y) through the clip region, dither, stroke mask, merge
// mode and forbidden-colour rule, into MainImage and LupeImage (only LupeImage while
// PreviewDrawing). Grows DirtyRect and DirtyCells.
void PlotPen(EditorState& s, int x, int y);
// The dither rule shared with the flood fill.
bool DitherAccepts(int ditherMode, int px, int py);
// Clears the stroke mask (CellBufA).
void ClearStrokeMask(EditorState& s);
// Chooses pen n (0..19): PenIndex, PenSize, PenOffset.
void SelectPen(EditorState& s, int penIndex);
// Builds PenMasks from the 400 x 20 pen strip: ink where the strip pixel is index 0.
void BuildPenMasks(EditorState& s, const class TDIB& strip);

} // namespace vallo
