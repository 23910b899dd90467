#include "image/Canvas.h"

#include "image/Messages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vallo {

namespace {

void RequireEightBits(const TDIB& image) {
    if (image.BitCount() != 8)
        throw DibError(kMsgInvalidPixelFormat);
}

uint8_t Apply(PenMode mode, uint8_t dest, uint8_t index) {
    switch (mode) {
    case PenMode::Invert:
        return uint8_t(~dest);
    case PenMode::MergeNotDest:
        return uint8_t(index | ~dest);
    default:
        return index;
    }
}

// Writes one pixel through the pen mode; positions outside the image are ignored.
void Plot(TDIB& image, int64_t x, int64_t y, uint8_t index, PenMode mode) {
    if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height())
        return;
    uint8_t* p = image.ScanLine(int(y)) + x;
    *p = Apply(mode, *p, index);
}

// Applies the pen mode to every pixel of a half-open rectangle, clipped.
void ApplyRect(TDIB& image, int64_t left, int64_t top, int64_t right, int64_t bottom, uint8_t index,
               PenMode mode) {
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, image.Width());
    bottom = std::min<int64_t>(bottom, image.Height());
    if (left >= right || top >= bottom)
        return;
    for (int64_t y = top; y < bottom; ++y) {
        uint8_t* row = image.ScanLine(int(y));
        if (mode == PenMode::Copy) {
            std::memset(row + left, index, size_t(right - left));
            continue;
        }
        for (int64_t x = left; x < right; ++x)
            row[x] = Apply(mode, row[x], index);
    }
}

// Offset along the minor axis of a line at step i: i * minor / major rounded half up.
int64_t MinorOffset(int64_t i, int64_t minor, int64_t major) {
    return (2 * i * minor + major) / (2 * major);
}

// Perimeter of the inclusive rectangle, each pixel once, clockwise from the top-left corner.
template <typename Visit> void WalkPerimeter(int64_t l, int64_t t, int64_t r, int64_t b, Visit v) {
    if (l == r || t == b) {
        for (int64_t y = t; y <= b; ++y)
            for (int64_t x = l; x <= r; ++x)
                v(x, y);
        return;
    }
    for (int64_t x = l; x < r; ++x)
        v(x, t);
    for (int64_t y = t; y < b; ++y)
        v(r, y);
    for (int64_t x = r; x > l; --x)
        v(x, b);
    for (int64_t y = b; y > t; --y)
        v(l, y);
}

} // namespace

int NearestColorIndex(const ColorTableArray& table, uint32_t color) {
    const int r = ColorRed(color), g = ColorGreen(color), b = ColorBlue(color);
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int i = 0; i < 256; ++i) {
        const int dr = table[i].rgbRed - r, dg = table[i].rgbGreen - g, db = table[i].rgbBlue - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void FillRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index) {
    RequireEightBits(image);
    ApplyRect(image, left, top, right, bottom, index, PenMode::Copy);
}

void FrameRect(TDIB& image, int left, int top, int right, int bottom, uint8_t index) {
    RequireEightBits(image);
    if (left >= right || top >= bottom)
        return;
    const int64_t l = left, t = top, r = right, b = bottom;
    ApplyRect(image, l, t, r, t + 1, index, PenMode::Copy);
    ApplyRect(image, l, b - 1, r, b, index, PenMode::Copy);
    ApplyRect(image, l, t + 1, l + 1, b - 1, index, PenMode::Copy);
    ApplyRect(image, r - 1, t + 1, r, b - 1, index, PenMode::Copy);
}

void DrawLine(TDIB& image, int x0, int y0, int x1, int y1, uint8_t index, PenMode mode,
              bool dotted) {
    RequireEightBits(image);
    const int64_t dx = std::abs(int64_t(x1) - x0), dy = std::abs(int64_t(y1) - y0);
    const int64_t sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    if (major == 0)
        return; // the end point is excluded, so a zero-length line draws nothing
    // Only the steps whose major coordinate lies inside the image can draw anything.
    const int64_t start = xMajor ? x0 : y0, step = xMajor ? sx : sy;
    const int64_t limit = xMajor ? image.Width() : image.Height();
    int64_t first = 0, last = major - 1;
    if (step > 0) {
        first = std::max<int64_t>(first, -start);
        last = std::min<int64_t>(last, limit - 1 - start);
    } else {
        first = std::max<int64_t>(first, start - (limit - 1));
        last = std::min<int64_t>(last, start);
    }
    for (int64_t i = first; i <= last; ++i) {
        if (dotted && (i & 1))
            continue;
        const int64_t m = MinorOffset(i, minor, major);
        const int64_t x = xMajor ? x0 + sx * i : x0 + sx * m;
        const int64_t y = xMajor ? y0 + sy * m : y0 + sy * i;
        Plot(image, x, y, index, mode);
    }
}

void DrawRectOutline(TDIB& image, int x0, int y0, int x1, int y1, uint8_t index, PenMode mode,
                     int penWidth, bool dotted) {
    RequireEightBits(image);
    const int64_t l = std::min(x0, x1), r = std::max(x0, x1);
    const int64_t t = std::min(y0, y1), b = std::max(y0, y1);
    if (penWidth <= 1) {
        int64_t n = 0;
        WalkPerimeter(l, t, r, b, [&](int64_t x, int64_t y) {
            if (!dotted || (n++ & 1) == 0)
                Plot(image, x, y, index, mode);
        });
        return;
    }
    // A square pen of width w centred on the outline paints a ring; each pixel is touched once
    // so that the inverting modes stay reversible. Wide pens are always solid.
    const int64_t before = (penWidth - 1) / 2, after = penWidth - 1 - before;
    const int64_t ol = l - before, ot = t - before, orr = r + after + 1, ob = b + after + 1;
    const int64_t il = l + after + 1, it = t + after + 1, ir = r - before, ib = b - before;
    if (il >= ir || it >= ib) {
        ApplyRect(image, ol, ot, orr, ob, index, mode);
        return;
    }
    ApplyRect(image, ol, ot, orr, it, index, mode);
    ApplyRect(image, ol, ib, orr, ob, index, mode);
    ApplyRect(image, ol, it, il, ib, index, mode);
    ApplyRect(image, ir, it, orr, ib, index, mode);
}

// Pixels whose centres lie inside the ellipse inscribed in the box form the shape, computed in
// integers so that it is exactly symmetric. The middle row(s) and column(s) are always complete,
// so the shape touches all four sides even when it is very flat. The outline is every shape
// pixel with a 4-neighbour outside the shape.
std::vector<uint8_t> EllipseMask(int w, int h, bool filled) {
    if (w <= 0 || h <= 0)
        return {};
    const size_t W = size_t(w), H = size_t(h);
    std::vector<uint8_t> inside(W * H, 0);
    using Wide = __int128;
    const Wide ww = Wide(w) * w, hh = Wide(h) * h;
    for (int y = 0; y < h; ++y) {
        const Wide ey = 2 * int64_t(y) + 1 - h;
        const bool middleRow = std::abs(2 * int64_t(y) + 1 - h) <= 1;
        for (int x = 0; x < w; ++x) {
            const Wide ex = 2 * int64_t(x) + 1 - w;
            const bool middleColumn = std::abs(2 * int64_t(x) + 1 - w) <= 1;
            if (middleRow || middleColumn || ex * ex * hh + ey * ey * ww <= ww * hh)
                inside[size_t(y) * W + size_t(x)] = 1;
        }
    }
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && inside[size_t(y) * W + size_t(x)];
    };
    std::vector<uint8_t> mask(W * H, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            mask[size_t(y) * W + size_t(x)] = (edge || filled) ? 1 : 0;
        }
    return mask;
}

void StretchCopy(const TDIB& src, int sx, int sy, int sw, int sh, TDIB& dst, int dx, int dy, int dw,
                 int dh) {
    RequireEightBits(src);
    RequireEightBits(dst);
    if (sw <= 0 || sh <= 0 || dw == 0 || dh == 0 || src.Empty() || dst.Empty())
        return;
    const int64_t cols = std::abs(int64_t(dw)), rows = std::abs(int64_t(dh));
    // Destination pixel k of the copy (k = 0 at dx) lies at dx + k, or at dx - k when mirrored,
    // and takes the source pixel under its centre.
    auto destination = [](int64_t origin, int64_t extent, int64_t k) {
        return extent > 0 ? origin + k : origin - k;
    };
    auto source = [](int64_t origin, int64_t size, int64_t count, int64_t k) {
        return origin + (2 * k + 1) * size / (2 * count);
    };
    // Steps that land inside the destination image.
    auto visible = [](int64_t origin, int64_t extent, int64_t count, int64_t limit, int64_t& from,
                      int64_t& to) {
        if (extent > 0) {
            from = std::max<int64_t>(0, -origin);
            to = std::min<int64_t>(count - 1, limit - 1 - origin);
        } else {
            from = std::max<int64_t>(0, origin - (limit - 1));
            to = std::min<int64_t>(count - 1, origin);
        }
    };
    int64_t kx0, kx1, ky0, ky1;
    visible(dx, dw, cols, dst.Width(), kx0, kx1);
    visible(dy, dh, rows, dst.Height(), ky0, ky1);
    if (kx0 > kx1 || ky0 > ky1)
        return;
    std::vector<int64_t> sourceColumn(size_t(kx1 - kx0 + 1));
    for (int64_t k = kx0; k <= kx1; ++k)
        sourceColumn[size_t(k - kx0)] = source(sx, sw, cols, k);
    const bool sameImage = &src == &dst;
    const TDIB copy = sameImage ? src : TDIB();
    const TDIB& from = sameImage ? copy : src;
    for (int64_t k = ky0; k <= ky1; ++k) {
        const int64_t syRow = source(sy, sh, rows, k);
        if (syRow < 0 || syRow >= from.Height())
            continue;
        const uint8_t* in = from.ScanLine(int(syRow));
        uint8_t* out = dst.ScanLine(int(destination(dy, dh, k)));
        for (int64_t c = kx0; c <= kx1; ++c) {
            const int64_t s = sourceColumn[size_t(c - kx0)];
            if (s >= 0 && s < from.Width())
                out[destination(dx, dw, c)] = in[s];
        }
    }
}

} // namespace vallo
