#pragma once

#include "draw/ImageLayout.h"
#include "draw/PlotPen.h"
#include "draw/Undo.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/ViewHooks.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vallo::testing {

// Records which windows the core asked to repaint.
class RecordingHooks : public ViewHooks {
public:
    std::vector<std::string> Calls;
    void RepaintLupe() override { Calls.push_back("Lupe"); }
    void RepaintOverview() override { Calls.push_back("Overview"); }
    void RedrawExtendedView() override { Calls.push_back("Extended"); }
    void RepaintTiledView() override { Calls.push_back("Tiled"); }
    void TiledViewResize() override { Calls.push_back("TiledResize"); }
    void RepaintCopyPreview() override { Calls.push_back("CopyPreview"); }
    void RefreshUndoButtons() override { Calls.push_back("UndoButtons"); }
    void OverviewApplyZoom() override { Calls.push_back("OverviewZoom"); }
    bool Saw(const std::string& call) const {
        return std::find(Calls.begin(), Calls.end(), call) != Calls.end();
    }
};

// Fills the merge tables with distinct, easily computed contents so that a test can tell
// which table produced a pixel, and marks index 200 forbidden with 201 as its substitute.
inline void FillTestTables(EditorState& s) {
    for (size_t a = 0; a < 256; ++a) {
        for (size_t b = 0; b < 256; ++b) {
            s.Tables.BlendTable[a][b] = uint8_t(a * 3 + b);
            s.Tables.AddTable[a][b] = uint8_t(a + b + 100);
            s.Tables.SubtractTable[a][b] = uint8_t(a - b + 50);
            s.Tables.MultiplyTable[a][b] = uint8_t(a * b + 7);
        }
        s.Tables.SubstituteColor[a] = uint8_t(a);
    }
    s.ForbiddenFlags[200] = kForbidden;
    s.Tables.SubstituteColor[200] = 201;
}

// Sets every pixel of an image from f(x, y).
template <typename F> void Paint(TDIB& image, F f) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.SetPixel(x, y, uint8_t(f(x, y)));
}

inline void FillImage(TDIB& image, uint8_t index) {
    Paint(image, [index](int, int) { return index; });
}

// The pixels of a rectangle (left, top, width, height) of an image, row by row.
inline std::vector<uint8_t> Pixels(const TDIB& image, int left, int top, int w, int h) {
    std::vector<uint8_t> out;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            out.push_back(uint8_t(image.Pixel(x, y)));
    return out;
}

inline std::vector<uint8_t> AllPixels(const TDIB& image) {
    return Pixels(image, 0, 0, image.Width(), image.Height());
}

// An editor on a 64 x 48 image with a 16 x 16 cell at (16, 8), magnification 4, no grid,
// drawing into the whole cell with square pens. The worked palette is 0 black, 1 white,
// 2 grey 128 and pure red above; the grey palette has index i = RGB(i, i, i).
inline std::unique_ptr<EditorState> MakeEditor(bool greyPalette = false) {
    auto s = std::make_unique<EditorState>();
    s->MainImage.SetSize(64, 48, 8);
    ColorTableArray& t = s->MainImage.ColorTable();
    for (size_t i = 0; i < 256; ++i)
        t[i] = greyPalette ? RGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0} : RGBQuad{0, 0, 255, 0};
    if (!greyPalette) {
        t[0] = {0, 0, 0, 0};
        t[1] = {255, 255, 255, 0};
        t[2] = {128, 128, 128, 0};
    }
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

// The rectangle the latest undo step recorded.
inline IntRect LatestUndoRect(const EditorState& s) {
    const UndoEntry& e = s.Undo.UndoEntries[1];
    return {e.Left, e.Top, e.Right, e.Bottom};
}

// Runs an edit that must change the image; one undo restores every byte, a redo brings the
// change back, and the edit is left undone.
inline void ExpectRoundTrip(EditorState& s, const std::function<void()>& edit) {
    const std::vector<uint8_t> before = AllPixels(s.MainImage);
    edit();
    const std::vector<uint8_t> after = AllPixels(s.MainImage);
    EXPECT_NE(after, before);
    Undo(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    Redo(s);
    EXPECT_EQ(AllPixels(s.MainImage), after);
    Undo(s);
}

} // namespace vallo::testing
