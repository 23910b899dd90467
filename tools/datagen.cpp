// Writes the data files of sys/ into the folder given as the only argument: the pen strip, the
// tool icons, the blank glyph and the colour bars of the colour edit dialog.
#include "image/AtomicFile.h"
#include "image/Canvas.h"
#include "image/DIB.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace vallo;

namespace {

constexpr int kIcon = 16;

// Icon palette: a light background and a few dark inks.
enum IconColor : uint8_t { kBack = 0, kInk = 1, kShade = 2, kLight = 3, kPaint = 4 };

void SetIconPalette(TDIB& image) {
    image.ColorTable()[kBack] = ColorToQuad(MakeColor(224, 224, 216));
    image.ColorTable()[kInk] = ColorToQuad(MakeColor(0, 0, 0));
    image.ColorTable()[kShade] = ColorToQuad(MakeColor(96, 96, 96));
    image.ColorTable()[kLight] = ColorToQuad(MakeColor(255, 255, 255));
    image.ColorTable()[kPaint] = ColorToQuad(MakeColor(0, 64, 200));
}

using Art = std::vector<std::string>; // '.' background, '1' ink, '2' shade, '3' light, '4' paint

const Art kPencil = {
    "................", "...........111..", "..........12221.", ".........1222221",
    "........12222221", ".......12222221.", "......12222221..", ".....12222221...",
    "....12222221....", "...13222221.....", "...1332221......", "..133321........",
    "..13331.........", "..1111..........", "..11............", "................",
};

const Art kBucket = {
    "................", "......111.......", ".....1...1......", "....1.....1.....",
    "...111111111....", "...12222222144..", "...122222221.4..", "...122222221.44.",
    "...122222221.44.", "...122222221..4.", "....1222221.....", "....1222221.....",
    "....1222221.....", ".....11111......", "................", "................",
};

const Art kArrowLeft = {
    "................", "................", "................", "......1.........",
    ".....11.........", "....111.........", "...11111111111..", "..111111111111..",
    "..111111111111..", "...11111111111..", "....111.........", ".....11.........",
    "......1.........", "................", "................", "................",
};

// Copies the art into the icon at x = left; transposing turns the left arrow upwards and
// reversing turns it round (right, down).
void DrawArt(TDIB& image, int left, const Art& art, bool reverse, bool transpose) {
    for (int y = 0; y < kIcon; ++y)
        for (int x = 0; x < kIcon; ++x) {
            int ax = transpose ? y : x;
            const int ay = transpose ? x : y;
            if (reverse)
                ax = kIcon - 1 - ax;
            const char c = art[size_t(ay)][size_t(ax)];
            if (c != '.')
                image.SetPixel(left + x, y, uint32_t(c - '0'));
        }
}

void DrawMask(TDIB& image, int left, int top, int w, int h, const std::vector<uint8_t>& mask) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[size_t(y * w + x)])
                image.SetPixel(left + x, top + y, kInk);
}

TDIB MakeIcons() {
    TDIB icons(12 * kIcon, kIcon, 8);
    SetIconPalette(icons);
    DrawArt(icons, 0, kPencil, false, false);
    DrawLine(icons, kIcon + 2, 13, kIcon + 14, 1, kInk);
    DrawLine(icons, kIcon + 3, 13, kIcon + 14, 2, kInk);
    DrawMask(icons, 2 * kIcon + 1, 3, 14, 10, EllipseMask(14, 10, false));
    DrawMask(icons, 3 * kIcon + 1, 3, 14, 10, EllipseMask(14, 10, true));
    FrameRect(icons, 4 * kIcon + 2, 3, 4 * kIcon + 14, 13, kInk);
    FillRect(icons, 5 * kIcon + 2, 3, 5 * kIcon + 14, 13, kInk);
    DrawArt(icons, 6 * kIcon, kBucket, false, false);
    DrawRectOutline(icons, 7 * kIcon + 1, 2, 7 * kIcon + 14, 13, kInk, PenMode::Copy, 1, true);
    DrawArt(icons, 8 * kIcon, kArrowLeft, false, false);
    DrawArt(icons, 9 * kIcon, kArrowLeft, true, false);
    DrawArt(icons, 10 * kIcon, kArrowLeft, false, true);
    DrawArt(icons, 11 * kIcon, kArrowLeft, true, true);
    return icons;
}

TDIB MakeEmpty() {
    TDIB empty(kIcon, kIcon, 8);
    SetIconPalette(empty);
    return empty;
}

// Pen n is a disc of n + 1 pixels in the top-left corner of its 20 x 20 cell: index 0 is ink,
// index 1 (white) everything else. The smallest pens come out square.
TDIB MakePens() {
    TDIB pens(400, 20, 8);
    pens.ColorTable()[0] = ColorToQuad(MakeColor(0, 0, 0));
    pens.ColorTable()[1] = ColorToQuad(MakeColor(255, 255, 255));
    FillRect(pens, 0, 0, 400, 20, 1);
    for (int n = 0; n < 20; ++n) {
        const int size = n + 1;
        const std::vector<uint8_t> disc = EllipseMask(size, size, true);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (disc[size_t(y * size + x)])
                    pens.SetPixel(20 * n + x, y, 0);
    }
    return pens;
}

struct Rgb {
    double r, g, b;
};

Rgb Hue(double t) { // t in 0..1 around the wheel, red at both ends
    const double h = std::fmod(t * 6.0, 6.0);
    const double f = h - std::floor(h);
    switch (int(h)) {
    case 0:
        return {1, f, 0};
    case 1:
        return {1 - f, 1, 0};
    case 2:
        return {0, 1, f};
    case 3:
        return {0, 1 - f, 1};
    case 4:
        return {f, 0, 1};
    default:
        return {1, 0, 1 - f};
    }
}

// Six 64 x 16 strips: R, G, B (black to the primary), H (the hue wheel), L (black to white) and
// S (grey to red). Written as a 24-bit file.
std::vector<uint8_t> MakeBars() {
    const int width = 384, height = 16, rowBytes = width * 3;
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    for (int x = 0; x < width; ++x) {
        const double t = (x % 64) / 63.0;
        Rgb c{};
        switch (x / 64) {
        case 0:
            c = {t, 0, 0};
            break;
        case 1:
            c = {0, t, 0};
            break;
        case 2:
            c = {0, 0, t};
            break;
        case 3:
            c = t >= 1.0 ? Rgb{1, 0, 0} : Hue(t);
            break;
        case 4:
            c = {t, t, t};
            break;
        default:
            c = {0.5 + 0.5 * t, 0.5 - 0.5 * t, 0.5 - 0.5 * t};
            break;
        }
        row[size_t(3 * x)] = uint8_t(std::lround(c.b * 255));
        row[size_t(3 * x + 1)] = uint8_t(std::lround(c.g * 255));
        row[size_t(3 * x + 2)] = uint8_t(std::lround(c.r * 255));
    }
    std::vector<uint8_t> out = {'B', 'M'};
    auto put = [&out](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    const uint32_t image = uint32_t(rowBytes * height);
    put(54 + image, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(image, 4);
    for (int i = 0; i < 4; ++i)
        put(0, 4);
    for (int y = 0; y < height; ++y)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vallo_datagen SYS_DIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        MakePens().SaveToFile(dir + "Pen.BMP");
        MakeIcons().SaveToFile(dir + "ICON.BMP");
        MakeEmpty().SaveToFile(dir + "Empty.BMP");
        WriteFileAtomically(dir + "Bar.bmp", MakeBars());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vallo_datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
