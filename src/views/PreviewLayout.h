#pragma once

#include "state/EditorState.h"

#include <vector>

namespace vallo {

// How a preview window lays the cell out along one axis of its box: `Copies` copies of the cell
// side by side, each pixel repeated `Zoom` times; copy k runs right to left (or bottom to top)
// when bit k of `Mirrored` is set.
struct PreviewAxis {
    int Cell = 0;
    int Zoom = 1;
    int Copies = 1;
    unsigned Mirrored = 0;

    int CopyLength() const { return Cell * Zoom; }
    int Length() const { return CopyLength() * Copies; }
    bool CopyMirrored(int k) const { return ((Mirrored >> unsigned(k)) & 1u) != 0; }
    // The cell pixel shown at a box position, or -1 beyond the box.
    int SourceAt(int pos) const;
    // The box span [first, last) that shows the cell pixels [from, to) in copy k.
    void Span(int k, int from, int to, int& first, int& last) const;
};

// The layout of a preview box: one axis each way; the box is X.Length() by Y.Length().
struct PreviewLayout {
    PreviewAxis X;
    PreviewAxis Y;
    int Width() const { return X.Length(); }
    int Height() const { return Y.Length(); }
};

// The extended view: EXStyle 0 shows the cell and its left-right mirror side by side, 1 the
// cell alone, 2 the mirror alone, each at EXZoom. Out-of-range choices count as 0 and 1.
PreviewLayout ExtendedLayout(int charWidth, int charHeight, int exZoom, int exStyle);
PreviewLayout ExtendedLayout(const EditorState& s);
// The tiled view: NarabeCount x NarabeCount copies at NarabeZoom.
PreviewLayout TiledLayout(int charWidth, int charHeight, int count, int zoom);
PreviewLayout TiledLayout(const EditorState& s);
// One frame of the animation at its magnification.
PreviewLayout AnimationLayout(int charWidth, int charHeight, int magnification);

// The box rectangles (right and bottom exclusive) that show the changed cell pixels
// (left, top) - (right, bottom), exclusive, in every copy of the cell; empty when nothing of
// the cell changed.
std::vector<IntRect> PreviewChangedRects(const PreviewLayout& layout, const IntRect& cells);

// The part of a box rectangle that the layout covers; right/bottom exclusive, may be empty.
IntRect ClipToLayout(const PreviewLayout& layout, const IntRect& r);

} // namespace vallo
