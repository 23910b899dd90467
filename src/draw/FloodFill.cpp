#include "draw/FloodFill.h"

#include "state/EditorState.h"
#include "draw/PlotPen.h"
#include "draw/LupeRender.h"

#include <algorithm>
#include <vector>

namespace vallo {

namespace {

// The edited cell as far as it lies inside MainImage.
struct CellArea {
    int Width = 0;
    int Height = 0;
};

CellArea VisibleCell(const EditorState& s) {
    if (s.CharLeft < 0 || s.CharTop < 0)
        return {};
    return {std::clamp(s.MainImage.Width() - s.CharLeft, 0, std::max(s.CharWidth, 0)),
            std::clamp(s.MainImage.Height() - s.CharTop, 0, std::max(s.CharHeight, 0))};
}

// Marks the pixels of the seed's index that are 4-connected to the seed (left, right, up,
// down; never diagonally). Membership is by palette index alone.
std::vector<uint8_t> FillRegion(const std::vector<uint8_t>& cell, int width, int height, int x,
                                int y) {
    std::vector<uint8_t> region(cell.size(), 0);
    const uint8_t seed = cell[size_t(y) * size_t(width) + size_t(x)];
    std::vector<int> pending{y * width + x};
    region[size_t(y * width + x)] = 1;
    const auto visit = [&](int at) {
        if (!region[size_t(at)] && cell[size_t(at)] == seed) {
            region[size_t(at)] = 1;
            pending.push_back(at);
        }
    };
    while (!pending.empty()) {
        const int at = pending.back();
        pending.pop_back();
        const int px = at % width;
        const int py = at / width;
        if (px > 0)
            visit(at - 1);
        if (px + 1 < width)
            visit(at + 1);
        if (py > 0)
            visit(at - width);
        if (py + 1 < height)
            visit(at + width);
    }
    return region;
}

} // namespace

void FloodFillCell(EditorState& s, int x, int y) {
    const CellArea area = VisibleCell(s);
    if (x >= 0 && y >= 0 && x < area.Width && y < area.Height) {
        // Work on a copy of the cell so that the region never leaves it.
        std::vector<uint8_t> cell(size_t(area.Width) * size_t(area.Height));
        for (int row = 0; row < area.Height; ++row)
            std::copy_n(s.MainImage.ConstScanLine(s.CharTop + row) + s.CharLeft, area.Width,
                        cell.begin() + ptrdiff_t(row) * area.Width);
        const std::vector<uint8_t> region = FillRegion(cell, area.Width, area.Height, x, y);
        for (int row = 0; row < area.Height; ++row) {
            uint8_t* line = nullptr;
            for (int column = 0; column < area.Width; ++column) {
                if (!region[size_t(row) * size_t(area.Width) + size_t(column)] ||
                    !DitherAccepts(s.DitherMode, column, row))
                    continue;
                if (!line)
                    line = s.MainImage.ScanLine(s.CharTop + row) + s.CharLeft;
                line[column] = s.DrawColor;
            }
        }
    }
    RenderLupe(s);
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintOverview();
}

} // namespace vallo
