#include "draw/CopyRange.h"
#include "draw/Layers.h"
#include "image/Canvas.h"
#include "palette/PaletteCommands.h"
#include "palette/PaletteGrid.h"
#include "palette/PaletteWindowSize.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

struct PaletteGridTest : ::testing::Test {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    void SetUp() override {
        s.Hooks = &hooks;
        vallo::test::SetRampPalette(s);
        ResizePaletteImage(s);
    }
    // Centre of the cell of an index in the default 16 x 16 grid of 16-pixel cells.
    static int X(int i) { return i % 16 * 16 + 8; }
    static int Y(int i) { return i / 16 * 16 + 8; }
    void ShiftDrag(const std::vector<int>& cells) {
        PaleBoxMouseDown(s, MouseButton::Left, X(cells[0]), Y(cells[0]), true);
        for (size_t k = 1; k < cells.size(); ++k)
            PaleBoxMouseMove(s, X(cells[k]), Y(cells[k]));
        PaleBoxMouseUp(s, MouseButton::Left, X(cells.back()), Y(cells.back()));
    }
};

} // namespace

TEST_F(PaletteGridTest, LeftClickNeverPicksAForbiddenCellRightClickDoes) {
    s.ForbiddenFlags[20] = kForbidden;
    s.DrawColor = 3;
    PaleBoxMouseDown(s, MouseButton::Left, X(20), Y(20), false);
    PaleBoxMouseUp(s, MouseButton::Left, X(20), Y(20));
    EXPECT_EQ(s.DrawColor, 3);
    PaleBoxMouseDown(s, MouseButton::Right, X(20), Y(20), false);
    EXPECT_EQ(s.TransColor, 20); // at the press already
    PaleBoxMouseUp(s, MouseButton::Right, X(20), Y(20));
    PaleBoxMouseDown(s, MouseButton::Middle, X(21), Y(21), false);
    PaleBoxMouseUp(s, MouseButton::Middle, X(21), Y(21));
    EXPECT_EQ(s.TransColor, 21);
    EXPECT_EQ(s.PaleDragMode, 2);
    EXPECT_GE(hooks.Count("RepaintPalette"), 4);
}

TEST_F(PaletteGridTest, ShiftDragTogglesEachCellOncePerDrag) {
    s.DrawColor = 0;
    ShiftDrag({1, 2, 3, 2, 1, 2, 3});
    for (int i : {1, 2, 3})
        EXPECT_EQ(s.ForbiddenFlags[size_t(i)], kForbidden) << i;
    EXPECT_EQ(s.ForbiddenFlags[4], 0);
    EXPECT_FALSE(s.PalettePending); // the tables took the marks at release
    EXPECT_TRUE(s.Modified);
    EXPECT_FALSE(s.PaleForbidDrag);
    EXPECT_EQ(s.PaleVisited, (std::array<uint8_t, 256>{}));
    ShiftDrag({3, 2, 1, 2});
    for (int i : {1, 2, 3})
        EXPECT_EQ(s.ForbiddenFlags[size_t(i)], 0) << i;
}

TEST_F(PaletteGridTest, ShiftClickOnDrawColourMovesItToLowestAllowed) {
    s.ForbiddenFlags[0] = kForbidden;
    s.DrawColor = 7;
    PaleBoxMouseDown(s, MouseButton::Left, X(7), Y(7), true);
    EXPECT_EQ(s.ForbiddenFlags[7], kForbidden);
    EXPECT_EQ(s.DrawColor, 1);
    // Releasing over the forbidden cell does not pick it.
    PaleBoxMouseUp(s, MouseButton::Left, X(7), Y(7));
    EXPECT_EQ(s.DrawColor, 1);
}

TEST_F(PaletteGridTest, LeftDragSkipsForbiddenCellsAndEndsOnLastAllowed) {
    s.ForbiddenFlags[5] = s.ForbiddenFlags[6] = kForbidden;
    PaleBoxMouseDown(s, MouseButton::Left, X(4), Y(4), false);
    PaleBoxMouseMove(s, X(5), Y(5));
    EXPECT_EQ(s.DrawColor, 4);
    PaleBoxMouseMove(s, X(6), Y(6));
    PaleBoxMouseMove(s, X(7), Y(7));
    PaleBoxMouseMove(s, X(6), Y(6));
    PaleBoxMouseUp(s, MouseButton::Left, X(6), Y(6));
    EXPECT_EQ(s.DrawColor, 7);
}

TEST_F(PaletteGridTest, DragsOutsideTheBoxKeepToTheBorderCells) {
    PaleBoxMouseDown(s, MouseButton::Right, X(48), Y(48), false);
    PaleBoxMouseMove(s, 5000, Y(48));
    EXPECT_EQ(s.TransColor, 63);
    PaleBoxMouseUp(s, MouseButton::Right, 5000, -300);
    EXPECT_EQ(s.TransColor, 15);
    PaleBoxMouseDown(s, MouseButton::Left, -10, 100000, false);
    EXPECT_EQ(s.DrawColor, 240);
    PaleBoxMouseUp(s, MouseButton::Left, -10, 100000);
    // Moves without a button down do nothing.
    s.DrawColor = 9;
    PaleBoxMouseMove(s, X(100), Y(100));
    EXPECT_EQ(s.DrawColor, 9);
}

TEST_F(PaletteGridTest, ArrangementOf32ColumnsPlacesIndex40InSecondRow) {
    s.PaleColumns = 32;
    s.PaleRows = 8;
    s.PaleCellWidth = s.PaleCellHeight = 8;
    ResizePaletteImage(s);
    EXPECT_EQ(s.PaletteImage.Width(), 256);
    EXPECT_EQ(s.PaletteImage.Height(), 64);
    EXPECT_EQ(PaletteIndexAt(s, 8 * 8 + 4, 8 + 4), 40);
    EXPECT_EQ(PaletteIndexAt(s, 0 + 3, 8 + 3), 32);
}

TEST_F(PaletteGridTest, GridsOfOtherThan256CellsNeverPassIndex255) {
    s.PaleColumns = 32;
    s.PaleRows = 32; // 1024 cells
    s.PaleCellWidth = s.PaleCellHeight = 8;
    ResizePaletteImage(s); // draws only the first 256 cells
    EXPECT_EQ(PaletteIndexAt(s, 4, 8 * 8 + 4), -1);
    s.TransColor = 3;
    PaleBoxMouseDown(s, MouseButton::Right, 4, 8 * 20, false);
    PaleBoxMouseMove(s, 4, 8 * 31);
    PaleBoxMouseUp(s, MouseButton::Right, 4, 8 * 31);
    EXPECT_EQ(s.TransColor, 3);
    PaleBoxMouseDown(s, MouseButton::Left, 4, 8 * 31, true);
    PaleBoxMouseUp(s, MouseButton::Left, 4, 8 * 31);
    s.PaleColumns = 0; // damaged settings do not divide by zero
    s.PaleCellWidth = 0;
    EXPECT_EQ(PaletteIndexAt(s, 0, 0), 0);
    ResizePaletteImage(s);
}

TEST_F(PaletteGridTest, RedrawDrawsColourFramesAndGridLines) {
    s.ForbiddenFlags[17] = kForbidden;
    RedrawPaletteImage(s);
    const TDIB& im = s.PaletteImage;
    // Cells 17 and 18 (columns 1 and 2 of row 1) as letters: w white, b black, g grid grey,
    // c the cell's own colour.
    auto nearest = [&](uint32_t colour) {
        return uint32_t(NearestColorIndex(im.ColorTable(), colour));
    };
    const uint32_t white = nearest(MakeColor(255, 255, 255)), black = nearest(0);
    const uint32_t grey = nearest(MakeColor(192, 192, 192));
    auto row = [&](int y) {
        std::string out;
        for (int x = 16; x < 48; ++x) {
            const uint32_t v = im.Pixel(x, y);
            out += v == uint32_t(x / 16 + 16) ? 'c'
                   : v == white               ? 'w'
                   : v == black               ? 'b'
                   : v == grey                ? 'g'
                                              : '?';
        }
        return out;
    };
    // The forbidden cell: white, white and black frames inside; the other: grey top and left.
    EXPECT_EQ(row(16), "wwwwwwwwwwwwwwwwgggggggggggggggg");
    EXPECT_EQ(row(17), "wwwwwwwwwwwwwwwwgccccccccccccccc");
    EXPECT_EQ(row(18), "wwbbbbbbbbbbbbwwgccccccccccccccc");
    EXPECT_EQ(row(24), "wwbccccccccccbwwgccccccccccccccc");
    EXPECT_EQ(row(29), "wwbbbbbbbbbbbbwwgccccccccccccccc");
    EXPECT_EQ(row(31), "wwwwwwwwwwwwwwwwgccccccccccccccc");
}

TEST_F(PaletteGridTest, MarkerFramesFollowTheTwoColours) {
    s.DrawColor = 17;
    s.TransColor = 2;
    const auto f = PaletteMarkerFrames(s);
    EXPECT_EQ(f[0].Rect, (IntRect{17, 17, 31, 31}));
    EXPECT_EQ(f[0].Color, MakeColor(0, 0, 0));
    EXPECT_EQ(f[1].Rect, (IntRect{34, 2, 48, 16}));
    EXPECT_EQ(f[2].Rect, (IntRect{33, 1, 47, 15}));
    EXPECT_EQ(f[2].Color, MakeColor(255, 0, 0));
    EXPECT_EQ(f[3].Rect, (IntRect{16, 16, 30, 30}));
    EXPECT_EQ(f[3].Color, MakeColor(0, 0, 255));
}

TEST(PaletteWindowSize, ClampsTypedCellSizesUnsignedAndMapsTheBar) {
    const std::pair<const char*, int> sizes[] = {{"40", 32}, {"5", 8},    {"abc", 8},
                                                 {"", 8},    {"-3", 32},  {" 12 ", 12},
                                                 {"+9", 9},  {"12px", 8}, {"99999999999999", 8}};
    for (const auto& [text, size] : sizes)
        EXPECT_EQ(ClampPaleCellSize(text), size) << text;
    // Bar positions 1..3 are 8, 16 and 32 rows; out of range takes the nearest end.
    for (auto [bar, rows, columns] :
         {std::tuple{0, 8, 32}, {1, 8, 32}, {2, 16, 16}, {3, 32, 8}, {4, 32, 8}}) {
        EXPECT_EQ(ArrangementForBar(bar).Rows, rows) << bar;
        EXPECT_EQ(ArrangementForBar(bar).Columns, columns) << bar;
    }
    for (auto [rows, bar] : {std::pair{8, 1}, {16, 2}, {32, 3}, {20, 3}})
        EXPECT_EQ(BarForRows(rows, 3), bar) << rows;
    EXPECT_EQ(BarForRows(20, 1), 1);
}

TEST(PaletteWindowSize, AppliesArrangementAndResizesTheGrid) {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    s.Hooks = &hooks;
    ApplyPaletteWindowSize(s, 1, "8", "12");
    EXPECT_EQ(s.PaleRows, 8);
    EXPECT_EQ(s.PaleColumns, 32);
    EXPECT_EQ(s.PaletteImage.Width(), 256);
    EXPECT_EQ(s.PaletteImage.Height(), 96);
    EXPECT_EQ(hooks.Count("PaletteResize"), 1);
    ApplyPaletteWindowSize(s, 3, "-1", "x");
    EXPECT_EQ(s.PaleRows, 32);
    EXPECT_EQ(s.PaleColumns, 8);
    EXPECT_EQ(s.PaleCellWidth, 32);
    EXPECT_EQ(s.PaleCellHeight, 8);
}

// Marks set with the mouse reach the colour tables when the drag ends: a range paste or a layer
// merge right afterwards substitutes every newly forbidden index.
TEST_F(PaletteGridTest, NothingWritesAnIndexForbiddenByTheLastDrag) {
    s.MainImage.SetSize(32, 32, 8);
    vallo::test::SetRampPalette(s);
    InitUndo(s, 8);
    s.CharWidth = s.CharHeight = 8;
    s.TransColor = 255;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            s.MainImage.SetPixel(x, y, uint32_t(96 + (x + y) % 6));
    const auto forbiddenIn = [&](int left, int top) {
        int found = -1;
        for (int i = 0; i < 64; ++i)
            if (s.ForbiddenFlags[s.MainImage.Pixel(left + i % 8, top + i / 8)] == kForbidden)
                found = int(s.MainImage.Pixel(left + i % 8, top + i / 8));
        return found;
    };
    // Paste of a copied range that holds 99 and 100, both forbidden after the copy.
    s.CopyStepX = s.CopyStepY = 8;
    CopyRangePress(s, 0, 0);
    CopyRangePress(s, 0, 0);
    ShiftDrag({99, 100});
    CopyRangePress(s, 16, 16);
    EXPECT_EQ(forbiddenIn(16, 16), -1);

    // Layer merge by addition: forbid what it wrote, undo, merge again.
    ClearForbiddenColors(s);
    s.LayerLeft = 8;
    s.LayerMethod = 2;
    MergeLayerIntoTarget(s);
    std::vector<int> written; // with the nearest colour a substitute would pick
    for (int i = 0; i < 128; ++i)
        written.push_back(int(s.MainImage.Pixel(i / 2 % 8, i / 16)) - i % 2);
    Undo(s);
    ShiftDrag(written);
    MergeLayerIntoTarget(s);
    EXPECT_EQ(forbiddenIn(0, 0), -1);
}
