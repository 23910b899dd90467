#include "state/ColorTables.h"

#include "state/EditorState.h"

#include <algorithm>
#include <cstdlib>

namespace vallo {

namespace {

using Table = std::array<std::array<uint8_t, 256>, 256>;

bool IsForbidden(const EditorState& s, int index) {
    return s.ForbiddenFlags[size_t(index)] == kForbidden;
}

// Nearest other allowed index by the sum of component differences; ties go to the lowest
// index, and 255 stands when every other index is forbidden.
void BuildSubstitutes(const EditorState& s, ColorTables& t) {
    for (int i = 0; i < 256; ++i) {
        int result = 255;
        int best = 1000;
        for (int j = 0; j < 256; ++j) {
            if (j == i || IsForbidden(s, j))
                continue;
            const int distance = std::abs(t.PaletteRed[size_t(i)] - t.PaletteRed[size_t(j)]) +
                                 std::abs(t.PaletteGreen[size_t(i)] - t.PaletteGreen[size_t(j)]) +
                                 std::abs(t.PaletteBlue[size_t(i)] - t.PaletteBlue[size_t(j)]);
            if (distance < best) {
                best = distance;
                result = j;
            }
        }
        t.SubstituteColor[size_t(i)] = uint8_t(result);
    }
}

// Palette entries without repeats, in index order, so that the lowest index of equal colours
// is the one found. Most palettes repeat colours, which makes the cube search much cheaper.
struct DistinctColours {
    int Count = 0;
    std::array<int, 256> Red{}, Green{}, Blue{}, Index{};
};

DistinctColours CollectDistinct(const ColorTableArray& palette) {
    DistinctColours d;
    for (int i = 0; i < 256; ++i) {
        const RGBQuad q = palette[size_t(i)];
        bool seen = false;
        for (int k = 0; k < d.Count && !seen; ++k)
            seen = d.Red[size_t(k)] == q.rgbRed && d.Green[size_t(k)] == q.rgbGreen &&
                   d.Blue[size_t(k)] == q.rgbBlue;
        if (seen)
            continue;
        d.Red[size_t(d.Count)] = q.rgbRed;
        d.Green[size_t(d.Count)] = q.rgbGreen;
        d.Blue[size_t(d.Count)] = q.rgbBlue;
        d.Index[size_t(d.Count)] = i;
        ++d.Count;
    }
    return d;
}

// Squared-RGB nearest entry; the first (lowest) index wins ties.
uint8_t NearestEntry(const DistinctColours& d, int r, int g, int b) {
    int best = 1 << 30;
    int result = 0;
    for (int k = 0; k < d.Count; ++k) {
        const int dr = d.Red[size_t(k)] - r;
        const int dg = d.Green[size_t(k)] - g;
        const int db = d.Blue[size_t(k)] - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
            best = distance;
            result = d.Index[size_t(k)];
            if (distance == 0)
                break;
        }
    }
    return uint8_t(result);
}

void BuildCube(const EditorState& s, ColorTables& t) {
    const DistinctColours d = CollectDistinct(s.MainImage.ColorTable());
    for (int b = 0; b < 16; ++b)
        for (int g = 0; g < 16; ++g)
            for (int r = 0; r < 16; ++r)
                t.NearestCube[size_t(r + 16 * g + 256 * b)] =
                    NearestEntry(d, 17 * r, 17 * g, 17 * b);
}

uint8_t Allowed(const EditorState& s, const ColorTables& t, uint8_t n) {
    return IsForbidden(s, n) ? t.SubstituteColor[n] : n;
}

// Half-transparent blend. A blend that quantises back to the lower pixel yields the upper
// colour instead, so painting in this mode always changes the pixel.
void BuildBlend(const EditorState& s, ColorTables& t) {
    for (int i = 0; i < 256; ++i) {
        t.BlendTable[size_t(i)][size_t(i)] = uint8_t(i);
        for (int j = i + 1; j < 256; ++j) {
            const int r = (t.PaletteRed[size_t(i)] + t.PaletteRed[size_t(j)]) >> 1;
            const int g = (t.PaletteGreen[size_t(i)] + t.PaletteGreen[size_t(j)]) >> 1;
            const int b = (t.PaletteBlue[size_t(i)] + t.PaletteBlue[size_t(j)]) >> 1;
            const uint8_t n = Allowed(s, t, t.Quantised(r, g, b));
            t.BlendTable[size_t(i)][size_t(j)] = n == i ? uint8_t(j) : n;
            t.BlendTable[size_t(j)][size_t(i)] = n == j ? uint8_t(i) : n;
        }
    }
}

// Add, subtract and the darkening sum used as multiply, per component.
void BuildArithmetic(const EditorState& s, ColorTables& t) {
    for (int a = 0; a < 256; ++a) {
        const int ra = t.PaletteRed[size_t(a)];
        const int ga = t.PaletteGreen[size_t(a)];
        const int ba = t.PaletteBlue[size_t(a)];
        for (int c = 0; c < 256; ++c) {
            const int rb = t.PaletteRed[size_t(c)];
            const int gb = t.PaletteGreen[size_t(c)];
            const int bb = t.PaletteBlue[size_t(c)];
            t.AddTable[size_t(a)][size_t(c)] =
                Allowed(s, t,
                        t.Quantised(std::min(255, ra + rb), std::min(255, ga + gb),
                                    std::min(255, ba + bb)));
            t.SubtractTable[size_t(a)][size_t(c)] = Allowed(
                s, t,
                t.Quantised(std::max(0, ra - rb), std::max(0, ga - gb), std::max(0, ba - bb)));
            t.MultiplyTable[size_t(a)][size_t(c)] =
                Allowed(s, t,
                        t.Quantised(std::max(0, ra + rb - 255), std::max(0, ga + gb - 255),
                                    std::max(0, ba + bb - 255)));
        }
    }
}

} // namespace

void BuildColorTables(EditorState& s) {
    ColorTables& t = s.Tables;
    for (size_t i = 0; i < 256; ++i) {
        t.PaletteRed[i] = ColorRed(s.PaletteColors[i]);
        t.PaletteGreen[i] = ColorGreen(s.PaletteColors[i]);
        t.PaletteBlue[i] = ColorBlue(s.PaletteColors[i]);
    }
    BuildSubstitutes(s, t);
    BuildCube(s, t);
    BuildBlend(s, t);
    BuildArithmetic(s, t);
    // Only shown, never written to the document, so forbidden results stand.
    for (size_t i = 0; i < 256; ++i)
        t.InverseColor[i] =
            t.Quantised(255 - t.PaletteRed[i], 255 - t.PaletteGreen[i], 255 - t.PaletteBlue[i]);
}

} // namespace vallo
