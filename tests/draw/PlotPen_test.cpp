#include "DrawFixture.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

int CountCells(const EditorState& s, uint8_t index) {
    const std::string map = CellMap(s, index);
    return int(std::count(map.begin(), map.end(), '#'));
}

} // namespace

TEST(PlotPen, DitherAndPenSizes) {
    auto s = MakeEditor();
    // One pixel with "網" at (0, 0), again with "逆網", which refuses it; then a 4-pixel pen
    // with "逆網" on 1..4 by 11..14 leaves a checkerboard of odd positions.
    for (auto [pen, dither, x, y, colour] :
         {std::tuple{0, 1, 0, 0, 1}, {0, 2, 0, 0, 2}, {3, 2, 2, 12, 4}}) {
        SelectPen(*s, pen);
        s->DitherMode = dither;
        s->DrawColor = uint8_t(colour);
        PlotPen(*s, x, y);
    }
    EXPECT_EQ((std::array{int(CellPixel(*s, 0, 0)), CountCells(*s, 4)}), (std::array{1, 8}));
    EXPECT_EQ(Pixels(s->MainImage, 16 + 1, 8 + 11, 2, 2), (std::vector<uint8_t>{0, 4, 4, 0}));
    SelectPen(*s, 99); // past the last pen: the largest
    EXPECT_EQ((std::array{s->PenSize, s->PenOffset}), (std::array{20, -9}));
}

TEST(PlotPen, PenMaskFromTheStripClippedToTheCellAndInsetForTheGrid) {
    auto s = MakeEditor();
    // Pen 2 drawn as a plus: index 0 is ink, anything else is not.
    TDIB strip(400, 20, 8);
    FillImage(strip, 9);
    for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}})
        strip.SetPixel(40 + x, y, 0);
    BuildPenMasks(*s, strip);
    EXPECT_EQ(s->PenMasks[0][0][0], 0); // pen 0 is a pixel that is not ink here
    SelectPen(*s, 2);
    s->DrawColor = 1;
    s->ShowGrid = true;
    PlotPen(*s, 4, 4);
    EXPECT_EQ(CountCells(*s, 1), 5);
    EXPECT_EQ((std::array{int(CellPixel(*s, 3, 3)), int(CellPixel(*s, 3, 4))}), (std::array{0, 1}));
    // Magnified cell (3, 4) at zoom 4: its top row and left column stay for the grid.
    const int m = s->Magnification;
    for (int y = 0; y < m; ++y)
        for (int x = 0; x < m; ++x)
            EXPECT_EQ(s->LupeImage.Pixel(3 * m + x, 4 * m + y), (x > 0 && y > 0) ? 1u : 0u);
    EXPECT_EQ(s->DirtyRect, (IntRect{3 * m + 1, 3 * m + 1, 6 * m + 1, 6 * m + 1}));
    EXPECT_EQ(s->DirtyCells, (IntRect{3, 3, 6, 6}));
    PlotPen(*s, 15, 0); // straddles the right and top edges: clipped to the cell
    EXPECT_EQ(CountCells(*s, 1), 5 + 3);
    EXPECT_EQ(s->MainImage.Pixel(s->CharLeft + 16, s->CharTop), 0u);
    EXPECT_EQ(s->MainImage.Pixel(s->CharLeft + 15, s->CharTop - 1), 0u);
}

TEST(PlotPen, ClipsToTheVisiblePartOfTheMagnifier) {
    // Scrolled by 18 view pixels at zoom 4 (4.5 cells, rounds to 4) with 40 pixels shown
    // (58 / 4 = 14.5, rounds to 14): only cells 4..13 across may change.
    auto v = MakeEditor();
    v->LupeOverhang = false;
    v->LupeScrollX = 18;
    v->LupeClientWidth = 40;
    v->LupeClientHeight = 1000;
    SelectPen(*v, 19);
    v->DrawColor = 1;
    for (int x = 0; x < 16; x += 4)
        PlotPen(*v, x, 8);
    std::string expected;
    for (int y = 0; y < 16; ++y)
        expected += "....##########..\n";
    EXPECT_EQ(CellMap(*v, 1), expected);
    v->LupeScrollX = 22; // 5.5 rounds to 6
    v->DrawColor = 2;
    PlotPen(*v, 8, 8);
    EXPECT_EQ((std::array{int(CellPixel(*v, 5, 8)), int(CellPixel(*v, 6, 8))}), (std::array{1, 2}));
}

TEST(PlotPen, MergesEachPixelOncePerStroke) {
    auto s = MakeEditor(true);
    FillImage(s->MainImage, 16);
    s->MergeMode = 2; // "加色": 16 + 17 = 33 quantises to 34
    s->DrawColor = 17;
    SelectPen(*s, 2);
    PlotPen(*s, 5, 5);
    PlotPen(*s, 6, 5);
    EXPECT_EQ(CountCells(*s, 34), 12);
    ClearStrokeMask(*s);
    PlotPen(*s, 5, 5); // a new stroke merges again: 34 + 17 = 51
    EXPECT_EQ(CountCells(*s, 51), 9);

    // "乗算" merges once per stroke too: 200 over 250 once, not twice.
    FillImage(s->MainImage, 250);
    ClearStrokeMask(*s);
    s->MergeMode = 4;
    s->DrawColor = 200;
    PlotPen(*s, 5, 5);
    PlotPen(*s, 5, 5);
    const auto& multiply = s->Tables.MultiplyTable;
    ASSERT_NE(multiply[250][200], multiply[multiply[250][200]][200]);
    EXPECT_EQ(CellPixel(*s, 5, 5), multiply[250][200]);
}

TEST(PlotPen, TransparentAndForbiddenColourRules) {
    const struct {
        int Merge, Trans, Draw, Under, Want;
        bool Forbid;
    } cases[] = {
        {2, 17, 17, 100, 17, false},  // drawing with the transparent colour erases plainly
        {1, 0, 103, 102, 103, false}, // "透明": a blend back to the pixel gives the colour
        {2, 34, 17, 16, 33, false},   // a merge landing on TransColor gives its substitute
        {2, 0, 17, 16, 35, true},     // a forbidden result gives the forbidden's substitute
    };
    for (const auto& c : cases) {
        auto s = MakeEditor(true);
        FillImage(s->MainImage, uint8_t(c.Under));
        s->MergeMode = c.Merge;
        s->TransColor = uint8_t(c.Trans);
        s->DrawColor = uint8_t(c.Draw);
        if (c.Forbid) {
            s->ForbiddenFlags[34] = s->ForbiddenFlags[33] = kForbidden;
            PropagatePalette(*s);
        }
        PlotPen(*s, 2, 2);
        EXPECT_EQ(CellPixel(*s, 2, 2), c.Want) << c.Merge << " " << c.Draw;
    }
}
