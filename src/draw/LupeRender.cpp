#include "draw/LupeRender.h"

#include "state/EditorState.h"
#include "draw/Layers.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vallo {

namespace {

// The grid is drawn in button-face grey, which on the indexed buffer becomes the nearest
// palette entry (squared RGB distance, lowest index on ties).
uint8_t GridIndexFor(const ColorTableArray& table) {
    constexpr int kGrey = 240;
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const RGBQuad q = table[size_t(i)];
        const int dr = q.rgbRed - kGrey;
        const int dg = q.rgbGreen - kGrey;
        const int db = q.rgbBlue - kGrey;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return uint8_t(best);
}

// Copies `count` pixels of row y starting at column x of an image into out; pixels outside
// the image read 0.
void FetchRow(const TDIB& image, int x, int y, int count, uint8_t* out) {
    std::memset(out, 0, size_t(count));
    if (y < 0 || y >= image.Height())
        return;
    const int from = std::max(x, 0);
    const int to = std::min(x + count, image.Width());
    if (from < to)
        std::memcpy(out + (from - x), image.ScanLine(y) + from, size_t(to - from));
}

// Everything one rendering pass needs, worked out once.
struct RenderPlan {
    int W = 0;
    int H = 0;
    int M = 1;
    bool Grid = false;
    uint8_t GridIndex = 0;
    uint8_t* Bits = nullptr;
    int Stride = 0;
};

// Writes each source pixel M times into out (W * M bytes); with the grid, the first column of
// every magnified cell becomes a grid pixel, every eighth one inverted.
void ExpandRow(const RenderPlan& p, const uint8_t* src, uint8_t* out) {
    const int m = p.M;
    switch (m) {
    case 1:
        std::memcpy(out, src, size_t(p.W));
        break;
    case 2:
        for (int x = 0; x < p.W; ++x)
            out[2 * x] = out[2 * x + 1] = src[x];
        break;
    default:
        for (int x = 0; x < p.W; ++x)
            std::memset(out + size_t(x) * size_t(m), src[x], size_t(m));
        break;
    }
    if (!p.Grid)
        return;
    const uint8_t inverted = uint8_t(~p.GridIndex);
    for (int x = 0; x < p.W; ++x)
        out[size_t(x) * size_t(m)] = (x % 8 == 0) ? inverted : p.GridIndex;
}

// The horizontal grid line of cell row y. Lines are drawn in the grid colour and every eighth
// line in both directions is inverted once more, so where two such lines cross the pixel
// shows the grid colour again.
void GridRow(const RenderPlan& p, int y, uint8_t* out) {
    const bool rowInverted = y % 8 == 0;
    const uint8_t inverted = uint8_t(~p.GridIndex);
    std::memset(out, rowInverted ? inverted : p.GridIndex, size_t(p.W) * size_t(p.M));
    for (int x = 0; x < p.W; ++x) {
        const bool colInverted = x % 8 == 0;
        out[size_t(x) * size_t(p.M)] = (rowInverted != colInverted) ? inverted : p.GridIndex;
    }
}

uint8_t* LupeRow(const RenderPlan& p, int row) {
    return p.Bits + size_t(row) * size_t(p.Stride);
}

// Magnified rows of cell row y: offset 0 is the grid line (or the first pattern row), the
// other offsets alternate between rowA (even offsets) and rowB (odd offsets).
void WriteCellRows(const RenderPlan& p, int y, const uint8_t* rowA, const uint8_t* rowB) {
    const size_t bytes = size_t(p.W) * size_t(p.M);
    const int first = y * p.M;
    if (p.Grid)
        GridRow(p, y, LupeRow(p, first));
    else
        std::memcpy(LupeRow(p, first), rowA, bytes);
    for (int k = 1; k < p.M; ++k)
        std::memcpy(LupeRow(p, first + k), (k & 1) ? rowB : rowA, bytes);
}

} // namespace

void RenderLupe(EditorState& s) {
    RenderPlan p;
    p.W = s.CharWidth;
    p.H = s.CharHeight;
    p.M = s.Magnification;
    if (p.W <= 0 || p.H <= 0 || p.M <= 0)
        return;
    const int64_t magW = int64_t(p.W) * p.M;
    const int64_t magH = int64_t(p.H) * p.M;
    if (magW > kMaxLupeSide || magH > kMaxLupeSide)
        return;
    if (s.LupeImage.Width() != magW || s.LupeImage.Height() != magH || s.LupeImage.BitCount() != 8)
        s.LupeImage.SetSize(int(magW), int(magH), 8);

    if (s.LayerActive)
        BuildLayerComposite(s);
    s.LayerStripes = s.LayerDisplayMode && s.LayerMethod == 0;
    const bool special = s.LayerActive && s.LayerStripes && p.M >= 2;

    p.Grid = GridShown(s);
    p.GridIndex = GridIndexFor(s.LupeImage.ColorTable());
    p.Bits = s.LupeImage.MutableBits();
    p.Stride = s.LupeImage.WidthBytes();

    const size_t bytes = size_t(magW);
    std::vector<uint8_t> src(size_t(p.W)), second(size_t(p.W)), rowA(bytes), rowB(bytes);
    for (int y = 0; y < p.H; ++y) {
        if (!special) {
            if (s.LayerActive)
                FetchRow(s.LayerImage, 0, y, p.W, src.data());
            else
                FetchRow(s.MainImage, s.CharLeft, s.CharTop + y, p.W, src.data());
            ExpandRow(p, src.data(), rowA.data());
            WriteCellRows(p, y, rowA.data(), rowA.data());
            continue;
        }
        if (s.LayerBelow) {
            // Row 0: the composite; row 1: the edited cell's see-through pixels stay
            // transparent, so the layer beneath shows in stripes.
            FetchRow(s.LayerImage, 0, y, p.W, src.data());
            FetchRow(s.MainImage, s.CharLeft, s.CharTop + y, p.W, second.data());
            for (int x = 0; x < p.W; ++x)
                second[size_t(x)] =
                    second[size_t(x)] == s.TransColor ? s.TransColor : src[size_t(x)];
        } else {
            // Row 0: the edited cell; row 1: the layer cell over it where it is opaque.
            FetchRow(s.MainImage, s.CharLeft, s.CharTop + y, p.W, src.data());
            FetchRow(s.MainImage, s.LayerLeft, s.LayerTop + y, p.W, second.data());
            for (int x = 0; x < p.W; ++x)
                if (second[size_t(x)] == s.TransColor)
                    second[size_t(x)] = src[size_t(x)];
        }
        ExpandRow(p, src.data(), rowA.data());
        ExpandRow(p, second.data(), rowB.data());
        WriteCellRows(p, y, rowA.data(), rowB.data());
    }
}

} // namespace vallo
