#pragma once

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/ColorTables.h"
#include "draw/PlotPen.h"
#include "draw/ImageLayout.h"

#include <memory>
#include <string>
#include <vector>

namespace vallo::testing {

// Palette of the worked examples: 0 black, 1 white, 2 grey 128, 3..255 pure red.
inline void SetWorkedPalette(TDIB& image) {
    ColorTableArray& t = image.ColorTable();
    t[0] = {0, 0, 0, 0};
    t[1] = {255, 255, 255, 0};
    t[2] = {128, 128, 128, 0};
    for (size_t i = 3; i < 256; ++i)
        t[i] = {0, 0, 255, 0};
}

// A grey ramp palette: index i is RGB(i, i, i).
inline void SetGreyPalette(TDIB& image) {
    for (size_t i = 0; i < 256; ++i)
        image.ColorTable()[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
}

// An editor on a 64 x 48 image with a 16 x 16 cell at (16, 8), magnification 4, no grid,
// drawing into the whole cell. Square pens.
inline std::unique_ptr<EditorState> MakeEditor(bool greyPalette = false) {
    auto s = std::make_unique<EditorState>();
    s->MainImage.SetSize(64, 48, 8);
    if (greyPalette)
        SetGreyPalette(s->MainImage);
    else
        SetWorkedPalette(s->MainImage);
    s->CharWidth = s->CharHeight = 16;
    s->Magnification = 4;
    s->ShowGrid = false;
    s->LupeOverhang = true;
    ApplyImageSize(*s);
    s->CharLeft = 16;
    s->CharTop = 8;
    BuildPenMasks(*s, TDIB(400, 20, 8));
    SelectPen(*s, 0);
    s->DirtyRect = {65565, 65565, 0, 0};
    s->DirtyCells = {65565, 65565, 0, 0};
    return s;
}

inline uint8_t CellPixel(const EditorState& s, int x, int y) {
    return uint8_t(s.MainImage.Pixel(s.CharLeft + x, s.CharTop + y));
}

inline void FillImage(TDIB& image, uint8_t index) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, index);
}

// Every pixel of an image, row by row.
inline std::vector<uint8_t> PixelsOf(const TDIB& image) {
    std::vector<uint8_t> out;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            out.push_back(uint8_t(image.Pixel(x, y)));
    return out;
}

// Cells of the edited character that hold `index`, as a picture of '#' and '.'.
inline std::string CellMap(const EditorState& s, uint8_t index) {
    std::string out;
    for (int y = 0; y < s.CharHeight; ++y) {
        for (int x = 0; x < s.CharWidth; ++x)
            out += CellPixel(s, x, y) == index ? '#' : '.';
        out += '\n';
    }
    return out;
}

} // namespace vallo::testing
