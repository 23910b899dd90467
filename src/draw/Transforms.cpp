#include "draw/Transforms.h"

#include "state/EditorState.h"
#include "draw/Layers.h"
#include "draw/PixelOps.h"
#include "draw/Undo.h"

#include <algorithm>
#include <functional>

namespace vallo {

namespace {

enum class Snapshot { Normal, Coalesced };

// The edited cell as a separate image; pixels outside the document read 0.
TDIB ReadCell(const EditorState& s) {
    TDIB cell(s.CharWidth, s.CharHeight, 8);
    CopyRect(s.CharLeft, s.CharTop, s.CharLeft + s.CharWidth - 1, s.CharTop + s.CharHeight - 1,
             s.MainImage, cell, 0, 0);
    return cell;
}

bool CellUsable(const EditorState& s) {
    return s.CharWidth > 0 && s.CharHeight > 0 && !s.MainImage.Empty();
}

// Records the image rectangle (inclusive) that is about to change, cut to the image.
void TakeSnapshot(EditorState& s, int left, int top, int right, int bottom, Snapshot kind) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, s.MainImage.Width() - 1);
    bottom = std::min(bottom, s.MainImage.Height() - 1);
    if (left > right || top > bottom)
        return;
    s.Undo.UndoCoalesce = kind == Snapshot::Coalesced;
    PushUndo(s, left, top, right, bottom, false, false);
    s.Undo.UndoCoalesce = false;
}

// Replaces the whole cell by result(x, y) computed from the old cell.
void TransformCell(EditorState& s, Snapshot kind,
                   const std::function<uint8_t(const TDIB& old, int x, int y)>& result) {
    if (!CellUsable(s))
        return;
    const int w = s.CharWidth;
    const int h = s.CharHeight;
    TakeSnapshot(s, s.CharLeft, s.CharTop, s.CharLeft + w - 1, s.CharTop + h - 1, kind);
    const TDIB old = ReadCell(s);
    TDIB next(w, h, 8);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = next.ScanLine(y);
        for (int x = 0; x < w; ++x)
            row[x] = result(old, x, y);
    }
    CopyRect(0, 0, w - 1, h - 1, next, s.MainImage, s.CharLeft, s.CharTop);
}

uint8_t At(const TDIB& image, int x, int y) {
    return image.ScanLine(y)[x];
}

void Shift(EditorState& s, int dx, int dy) {
    const int w = s.CharWidth;
    const int h = s.CharHeight;
    // new(x, y) = old(x - dx, y - dy), wrapping round the cell.
    TransformCell(s, Snapshot::Coalesced, [=](const TDIB& old, int x, int y) {
        return At(old, ((x - dx) % w + w) % w, ((y - dy) % h + h) % h);
    });
    LayChange(s);
}

// Quarter turn of the top-left square of side min(W, H); the rest of the cell keeps its pixels.
void QuarterTurn(EditorState& s, bool clockwise) {
    const int n = std::min(s.CharWidth, s.CharHeight);
    TransformCell(s, Snapshot::Normal, [=](const TDIB& old, int x, int y) {
        if (x >= n || y >= n)
            return At(old, x, y);
        return clockwise ? At(old, y, n - 1 - x) : At(old, n - 1 - y, x);
    });
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintOverview();
    LayChange(s);
}

// Writes the mirror image of one half over the other; only the overwritten half is recorded.
void MirrorHalf(EditorState& s, bool leftToRight) {
    if (!CellUsable(s))
        return;
    const int half = s.CharWidth / 2;
    const int h = s.CharHeight;
    if (half <= 0)
        return;
    const int destLeft = leftToRight ? s.CharLeft + half : s.CharLeft;
    TakeSnapshot(s, destLeft, s.CharTop, destLeft + half - 1, s.CharTop + h - 1, Snapshot::Normal);
    const TDIB old = ReadCell(s);
    TDIB next(half, h, 8);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = next.ScanLine(y);
        for (int x = 0; x < half; ++x)
            row[x] = leftToRight ? At(old, half - 1 - x, y) : At(old, s.CharWidth - 1 - x, y);
    }
    CopyRect(0, 0, half - 1, h - 1, next, s.MainImage, destLeft, s.CharTop);
    LayChange(s);
}

} // namespace

void btUpClick(EditorState& s) {
    Shift(s, 0, -1);
}
void btDownClick(EditorState& s) {
    Shift(s, 0, 1);
}
void btLeftClick(EditorState& s) {
    Shift(s, -1, 0);
}
void btRightClick(EditorState& s) {
    Shift(s, 1, 0);
}

void btRev1Click(EditorState& s) {
    const int h = s.CharHeight;
    TransformCell(s, Snapshot::Normal,
                  [=](const TDIB& old, int x, int y) { return At(old, x, h - 1 - y); });
    LayChange(s);
}

void btRev2Click(EditorState& s) {
    const int w = s.CharWidth;
    TransformCell(s, Snapshot::Normal,
                  [=](const TDIB& old, int x, int y) { return At(old, w - 1 - x, y); });
    LayChange(s);
}

void btL90Click(EditorState& s) {
    QuarterTurn(s, false);
}
void btR90Click(EditorState& s) {
    QuarterTurn(s, true);
}
void btLeftToRightClick(EditorState& s) {
    MirrorHalf(s, true);
}
void btRightToLeftClick(EditorState& s) {
    MirrorHalf(s, false);
}

} // namespace vallo
