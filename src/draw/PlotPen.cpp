#include "draw/PlotPen.h"

#include "state/EditorState.h"
#include "draw/Layers.h"

#include <algorithm>
#include <cstring>

namespace vallo {

namespace {

constexpr int kPenCount = 20;
constexpr uint8_t kInk = 255;

// Cell rectangle, right and bottom exclusive.
struct CellBox {
    int64_t Left, Top, Right, Bottom;
};

// a / b rounded to the nearest integer, halves to the even one (b > 0).
int64_t RoundHalfEven(int64_t a, int64_t b) {
    int64_t q = a / b;
    int64_t r = a % b;
    if (r < 0) {
        --q;
        r += b;
    }
    if (2 * r > b || (2 * r == b && (q & 1)))
        ++q;
    return q;
}

// Where the pen may write: the whole cell with LupeOverhang, otherwise the part of the cell
// the magnifier shows. Always cut to the cell and to MainImage, so that no write can leave
// either whatever the scroll state or cell position says.
CellBox ClipRegion(const EditorState& s, int zoom) {
    CellBox c{0, 0, s.CharWidth, s.CharHeight};
    if (!s.LupeOverhang) {
        c.Left = std::max<int64_t>(c.Left, RoundHalfEven(s.LupeScrollX, zoom));
        c.Top = std::max<int64_t>(c.Top, RoundHalfEven(s.LupeScrollY, zoom));
        c.Right = std::min<int64_t>(
            c.Right, RoundHalfEven(int64_t(s.LupeClientWidth) + s.LupeScrollX, zoom));
        c.Bottom = std::min<int64_t>(
            c.Bottom, RoundHalfEven(int64_t(s.LupeClientHeight) + s.LupeScrollY, zoom));
    }
    c.Left = std::max<int64_t>(c.Left, -int64_t(s.CharLeft));
    c.Top = std::max<int64_t>(c.Top, -int64_t(s.CharTop));
    c.Right = std::min<int64_t>(c.Right, int64_t(s.MainImage.Width()) - s.CharLeft);
    c.Bottom = std::min<int64_t>(c.Bottom, int64_t(s.MainImage.Height()) - s.CharTop);
    return c;
}

// The stroke mask must cover the cell; a state that lost track of it gets a fresh one.
void EnsureStrokeMask(EditorState& s) {
    const size_t area = size_t(s.CharWidth) * size_t(s.CharHeight);
    if (s.CellBufA.size() < area)
        s.CellBufA.assign(area, 0);
}

// Fills a magnified cell of LupeImage, clipped to the image.
void FillLupeCell(TDIB& lupe, const IntRect& r, uint8_t index) {
    const int left = std::max(r.Left, 0);
    const int top = std::max(r.Top, 0);
    const int right = std::min(r.Right, lupe.Width());
    const int bottom = std::min(r.Bottom, lupe.Height());
    if (left >= right || top >= bottom)
        return;
    uint8_t* bits = lupe.MutableBits();
    const size_t stride = size_t(lupe.WidthBytes());
    for (int row = top; row < bottom; ++row)
        std::memset(bits + size_t(row) * stride + size_t(left), index, size_t(right - left));
}

void GrowDirty(EditorState& s, int px, int py, int zoom, int grid) {
    IntRect& d = s.DirtyRect;
    d.Left = std::min(d.Left, zoom * px + grid);
    d.Top = std::min(d.Top, zoom * py + grid);
    d.Right = std::max(d.Right, zoom * px + grid + zoom);
    d.Bottom = std::max(d.Bottom, zoom * py + grid + zoom);
    IntRect& c = s.DirtyCells;
    c.Left = std::min(c.Left, px);
    c.Top = std::min(c.Top, py);
    c.Right = std::max(c.Right, px + 1);
    c.Bottom = std::max(c.Bottom, py + 1);
}

// The index a write of DrawColor over `old` produces. Drawing with the transparent colour
// always erases plainly; a merge never produces the transparent colour.
uint8_t MergedIndex(const EditorState& s, uint8_t old) {
    if (s.MergeMode == 0 || s.DrawColor == s.TransColor)
        return s.DrawColor;
    uint8_t v = s.Tables.ForMethod(s.MergeMode)[old][s.DrawColor];
    if (v == s.TransColor)
        v = s.Tables.SubstituteColor[v];
    return v;
}

} // namespace

bool DitherAccepts(int ditherMode, int px, int py) {
    const int parity = (px + py) & 1;
    switch (ditherMode) {
    case 1:
        return parity == 0;
    case 2:
        return parity == 1;
    default:
        return true;
    }
}

void ClearStrokeMask(EditorState& s) {
    std::fill(s.CellBufA.begin(), s.CellBufA.end(), 0);
}

void SelectPen(EditorState& s, int penIndex) {
    s.PenIndex = std::clamp(penIndex, 0, kPenCount - 1);
    s.PenSize = s.PenIndex + 1;
    s.PenOffset = -((s.PenSize - 1) / 2);
}

// A strip smaller than 400 x 20 reads as index 0 outside, so missing pens become squares.
void BuildPenMasks(EditorState& s, const TDIB& strip) {
    for (auto& column : s.PenMasks)
        for (auto& cell : column)
            cell.fill(0);
    for (int n = 0; n < kPenCount; ++n)
        for (int y = 0; y <= n; ++y)
            for (int x = 0; x <= n; ++x)
                s.PenMasks[size_t(x)][size_t(y)][size_t(n)] =
                    strip.Pixel(kPenCount * n + x, y) == 0 ? kInk : 0;
}

void PlotPen(EditorState& s, int x, int y) {
    if (s.CharWidth <= 0 || s.CharHeight <= 0 || s.MainImage.Empty())
        return;
    EnsureStrokeMask(s);
    const int zoom = std::max(1, s.Magnification);
    const int grid = GridShown(s) ? 1 : 0;
    const int size = std::clamp(s.PenSize, 1, kPenCount);
    const CellBox clip = ClipRegion(s, zoom);
    // The footprint's columns and rows that fall inside the clip region, found once so the
    // loop needs no per-pixel clip test.
    const int64_t originX = int64_t(x) + s.PenOffset;
    const int64_t originY = int64_t(y) + s.PenOffset;
    const int iBegin = int(std::clamp<int64_t>(clip.Left - originX, 0, size));
    const int iEnd = int(std::clamp<int64_t>(clip.Right - originX, 0, size));
    const int jBegin = int(std::clamp<int64_t>(clip.Top - originY, 0, size));
    const int jEnd = int(std::clamp<int64_t>(clip.Bottom - originY, 0, size));
    if (iBegin >= iEnd || jBegin >= jEnd)
        return;

    const bool merging = s.MergeMode >= 1 && s.MergeMode <= 4;
    const size_t mainStride = size_t(s.MainImage.WidthBytes());
    uint8_t* mainBits = s.PreviewDrawing ? nullptr : s.MainImage.MutableBits();
    const uint8_t* readBits = s.MainImage.Bits();
    uint8_t* mask = s.CellBufA.data();
    const size_t pen = size_t(size - 1);

    for (int j = jBegin; j < jEnd; ++j) {
        const int py = int(originY + j);
        const size_t mainRow = size_t(s.CharTop + py) * mainStride + size_t(s.CharLeft);
        for (int i = iBegin; i < iEnd; ++i) {
            const int px = int(originX + i);
            const size_t cell = size_t(py) * size_t(s.CharWidth) + size_t(px);
            if (!DitherAccepts(s.DitherMode, px, py) || mask[cell] != 0 ||
                s.PenMasks[size_t(i)][size_t(j)][pen] != kInk)
                continue;
            const uint8_t old = readBits[mainRow + size_t(px)];
            const IntRect magnified{zoom * px + grid, zoom * py + grid, zoom * (px + 1),
                                    zoom * (py + 1)};
            if (s.PreviewDrawing) {
                FillLupeCell(s.LupeImage, magnified,
                             s.CursorStyle ? s.Tables.InverseColor[old] : s.DrawColor);
                mask[cell] = kInk;
                continue;
            }
            GrowDirty(s, px, py, zoom, grid);
            const uint8_t v = MergedIndex(s, old);
            if (v == old)
                continue;
            mainBits[mainRow + size_t(px)] = v;
            if (merging)
                mask[cell] = kInk;
            if (s.LayerActive)
                PaintCell(s, px, py, magnified, CompositePixel(s, px, py, v));
            else
                FillLupeCell(s.LupeImage, magnified, v);
        }
    }
}

} // namespace vallo
