#include "draw/Shapes.h"

#include "state/EditorState.h"
#include "draw/PixelOps.h"
#include "draw/PlotPen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vallo {

namespace {

// While previewing, the filled shapes show their outline unless the rich display is on.
bool EffectiveFill(const EditorState& s, bool filled) {
    return filled && (s.RichDisplay || !s.PreviewDrawing);
}

// How far outside the cell a pen position can still reach into it.
int64_t PenReach(const EditorState& s) {
    return 21 + std::llabs(int64_t(s.PenOffset));
}

// Integer Bresenham along the major axis from `major` for `length` steps, err starting at
// length / 2. Positions whose major coordinate lies outside lo..hi plot nothing, so the walk
// jumps over them: after k steps the minor coordinate has moved by the smallest m with
// length / 2 - k * minorLength + m * length >= 0.
template <class Plot>
void WalkLine(int64_t major, int64_t minor, int64_t length, int64_t minorLength, int step,
              int64_t lo, int64_t hi, Plot plot) {
    const int64_t first = std::max<int64_t>(0, lo - major);
    const int64_t last = std::min<int64_t>(length, hi - major);
    if (first > last)
        return;
    const __int128 base = __int128(first) * minorLength - length / 2;
    const int64_t moved = base <= 0 ? 0 : int64_t((base + length - 1) / length);
    int64_t err = int64_t(length / 2 - __int128(first) * minorLength + __int128(moved) * length);
    int64_t m = minor + step * moved;
    plot(major + first, m);
    for (int64_t k = first + 1; k <= last; ++k) {
        err -= minorLength;
        if (err < 0) {
            err += length;
            m += step;
        }
        plot(major + k, m);
    }
}

// The ellipse inscribed in a w x h box, one row at a time. Row y covers the columns
// Centre - HalfSpan(y) .. Centre + HalfSpan(y) in doubled coordinates (column x sits at
// 2x - (w - 1)), so every row is symmetric about the vertical axis and rows y and h - 1 - y
// are equal. Spans are worked out exactly in integers, so a box of any size needs no memory.
class EllipseRows {
public:
    EllipseRows(int64_t w, int64_t h) : w_(w), h_(h) {}

    // Largest doubled offset |2x - (w - 1)| inside the ellipse on row y, or -1 for none.
    // Pixel centres are tested against the ellipse through the box's outer edges (doubled
    // semi-axes w and h).
    int64_t HalfSpan(int64_t y) const {
        if (y < 0 || y >= h_)
            return -1;
        const int64_t widest = w_ - 1;
        const int64_t parity = widest & 1; // doubled offsets share the parity of w - 1
        const int64_t row = std::llabs(2 * y - (h_ - 1));
        // The middle row(s) reach both sides; every row keeps at least its centre column(s),
        // so the ellipse touches all four sides of the box.
        if (row <= 1)
            return widest;
        // Largest X of the right parity with X² h² + Y² w² <= w² h².
        using Wide = unsigned __int128;
        const Wide ww = Wide(uint64_t(w_)) * uint64_t(w_);
        const Wide hh = Wide(uint64_t(h_)) * uint64_t(h_);
        const Wide limit = ww * (hh - Wide(uint64_t(row)) * uint64_t(row));
        const auto fits = [&](int64_t x) { return Wide(uint64_t(x)) * uint64_t(x) * hh <= limit; };
        const double guess =
            double(w_) *
            std::sqrt(std::max(0.0, 1.0 - (double(row) / double(h_)) * (double(row) / double(h_))));
        int64_t x = std::min<int64_t>(widest, int64_t(guess) + 2);
        while (x > parity && !fits(x))
            --x;
        while (x + 1 <= widest && fits(x + 1))
            ++x;
        if ((x & 1) != parity)
            --x;
        return std::max(x, parity);
    }

private:
    int64_t w_, h_;
};

// Plots the ellipse pixels of the columns that the pen can carry into the cell.
void PlotEllipse(EditorState& s, int left, int top, int64_t w, int64_t h, bool fill) {
    const EllipseRows rows(w, h);
    const int64_t reach = PenReach(s);
    const int64_t yFirst = std::max<int64_t>(0, -int64_t(top) - reach);
    const int64_t yLast = std::min<int64_t>(h - 1, int64_t(s.CharHeight) + reach - top);
    const int64_t xFirst = std::max<int64_t>(0, -int64_t(left) - reach);
    const int64_t xLast = std::min<int64_t>(w - 1, int64_t(s.CharWidth) + reach - left);
    for (int64_t y = yFirst; y <= yLast; ++y) {
        const int64_t span = rows.HalfSpan(y);
        const int64_t above = rows.HalfSpan(y - 1);
        const int64_t below = rows.HalfSpan(y + 1);
        for (int64_t x = xFirst; x <= xLast; ++x) {
            const int64_t offset = std::llabs(2 * x - (w - 1));
            if (offset > span)
                continue;
            // Outline: the row's ends, and pixels with no ellipse pixel above or below.
            const bool outline = offset == span || offset > above || offset > below;
            if (outline || fill)
                PlotPen(s, int(left + x), int(top + y));
        }
    }
}

} // namespace

void DrawLine(EditorState& s, int x0, int y0, int x1, int y1) {
    const int64_t dx = std::llabs(int64_t(x1) - x0);
    const int64_t dy = std::llabs(int64_t(y1) - y0);
    const int64_t reach = PenReach(s);
    if (dx > dy) {
        // x-major: walk from the end with the smaller x.
        if (x0 > x1)
            WalkLine(x1, y1, dx, dy, y0 > y1 ? 1 : -1, -reach, int64_t(s.CharWidth) + reach,
                     [&](int64_t x, int64_t y) { PlotPen(s, int(x), int(y)); });
        else
            WalkLine(x0, y0, dx, dy, y0 < y1 ? 1 : -1, -reach, int64_t(s.CharWidth) + reach,
                     [&](int64_t x, int64_t y) { PlotPen(s, int(x), int(y)); });
    } else {
        // y-major (also the exact diagonal and the single point), roles exchanged.
        if (y0 > y1)
            WalkLine(y1, x1, dy, dx, x0 > x1 ? 1 : -1, -reach, int64_t(s.CharHeight) + reach,
                     [&](int64_t y, int64_t x) { PlotPen(s, int(x), int(y)); });
        else
            WalkLine(y0, x0, dy, dx, x0 < x1 ? 1 : -1, -reach, int64_t(s.CharHeight) + reach,
                     [&](int64_t y, int64_t x) { PlotPen(s, int(x), int(y)); });
    }
}

void DrawBox(EditorState& s, int x0, int y0, int x1, int y1, bool filled) {
    if (EffectiveFill(s, filled)) {
        // Rows the pen cannot carry into the cell plot nothing and are skipped.
        const int64_t reach = PenReach(s);
        const int64_t first = std::max<int64_t>(std::min(y0, y1), -reach);
        const int64_t last = std::min<int64_t>(std::max(y0, y1), int64_t(s.CharHeight) + reach);
        for (int64_t y = first; y <= last; ++y)
            DrawLine(s, x0, int(y), x1, int(y));
        return;
    }
    DrawLine(s, x0, y0, x1, y0);
    DrawLine(s, x1, y0, x1, y1);
    DrawLine(s, x0, y1, x1, y1);
    DrawLine(s, x0, y1, x0, y0);
}

void DrawEllipse(EditorState& s, int x0, int y0, int x1, int y1, bool filled) {
    const int left = std::min(x0, x1);
    const int top = std::min(y0, y1);
    const int64_t w = int64_t(std::max(x0, x1)) - left + 1;
    const int64_t h = int64_t(std::max(y0, y1)) - top + 1;
    PlotEllipse(s, left, top, w, h, EffectiveFill(s, filled));
}

void DrawToolShape(EditorState& s, int tool, int x0, int y0, int x1, int y1) {
    switch (tool) {
    case 1:
        DrawLine(s, x0, y0, x1, y1);
        break;
    case 2:
    case 3:
        DrawEllipse(s, x0, y0, x1, y1, tool == 3);
        break;
    case 4:
    case 5:
        DrawBox(s, x0, y0, x1, y1, tool == 5);
        break;
    default:
        break;
    }
}

void SavePreviewRegion(EditorState& s, int x0, int y0, int x1, int y1, int penOffset, int penSize) {
    const int64_t lastX = int64_t(s.CharWidth) - 1;
    const int64_t lastY = int64_t(s.CharHeight) - 1;
    const int64_t left = std::clamp<int64_t>(int64_t(std::min(x0, x1)) + penOffset, 0, lastX);
    const int64_t top = std::clamp<int64_t>(int64_t(std::min(y0, y1)) + penOffset, 0, lastY);
    int64_t right = int64_t(std::max(x0, x1)) + penOffset + penSize;
    int64_t bottom = int64_t(std::max(y0, y1)) + penOffset + penSize;
    if (right < 0 || right > lastX)
        right = lastX;
    if (bottom < 0 || bottom > lastY)
        bottom = lastY;
    // A shape entirely off the cell saves nothing (an empty region restores nothing).
    s.PreviewLeft = int(std::max<int64_t>(left, 0));
    s.PreviewTop = int(std::max<int64_t>(top, 0));
    s.PreviewWidth = int(std::max<int64_t>(right - left, -1));
    s.PreviewHeight = int(std::max<int64_t>(bottom - top, -1));
    const int zoom = std::max(1, s.Magnification);
    if (s.PreviewWidth < 0 || s.PreviewHeight < 0)
        return;
    CopyRect(s.PreviewLeft * zoom, s.PreviewTop * zoom,
             (s.PreviewLeft + s.PreviewWidth + 1) * zoom - 1,
             (s.PreviewTop + s.PreviewHeight + 1) * zoom - 1, s.LupeImage, s.LupeBackImage, 0, 0);
}

void RestorePreviewRegion(EditorState& s) {
    if (s.PreviewWidth < 0 || s.PreviewHeight < 0)
        return;
    const int zoom = std::max(1, s.Magnification);
    CopyRect(0, 0, (s.PreviewWidth + 1) * zoom - 1, (s.PreviewHeight + 1) * zoom - 1,
             s.LupeBackImage, s.LupeImage, s.PreviewLeft * zoom, s.PreviewTop * zoom);
}

} // namespace vallo
