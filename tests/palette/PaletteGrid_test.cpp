#include "draw/CopyRange.h"
#include "image/Canvas.h"
#include "palette/PaletteCommands.h"
#include "palette/PaletteGrid.h"
#include "palette/PaletteWindowSize.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;
using enum vallo::MouseButton;

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
    void Down(MouseButton b, int i, bool shift = false) {
        PaleBoxMouseDown(s, b, X(i), Y(i), shift);
    }
    void Move(int i) { PaleBoxMouseMove(s, X(i), Y(i)); }
    void Up(MouseButton b, int i) { PaleBoxMouseUp(s, b, X(i), Y(i)); }
    void ShiftDrag(const std::vector<int>& cells) {
        Down(Left, cells[0], true);
        for (size_t k = 1; k < cells.size(); ++k)
            Move(cells[k]);
        Up(Left, cells.back());
    }
};

} // namespace

TEST_F(PaletteGridTest, LeftPicksOnlyAllowedCellsRightAndMiddleAnyInsideTheBorders) {
    s.ForbiddenFlags[5] = s.ForbiddenFlags[6] = s.ForbiddenFlags[20] = kForbidden;
    s.DrawColor = 3;
    Down(Left, 20);
    Up(Left, 20);
    EXPECT_EQ(s.DrawColor, 3);
    Down(Right, 20);
    EXPECT_EQ(s.TransColor, 20); // at the press already
    Up(Right, 20);
    Down(Middle, 21);
    Up(Middle, 21);
    EXPECT_EQ(s.TransColor, 21);
    // A left drag skips forbidden cells and ends on the last allowed one.
    Down(Left, 4);
    Move(5);
    EXPECT_EQ(s.DrawColor, 4);
    for (int i : {6, 7, 6})
        Move(i);
    Up(Left, 6);
    EXPECT_EQ((std::array{int(s.DrawColor), int(s.PaleDragMode)}), (std::array{7, 2}));
    // Outside the box the border cells are taken; moves without a button do nothing.
    Down(Right, 48);
    PaleBoxMouseMove(s, 5000, Y(48));
    EXPECT_EQ(s.TransColor, 63);
    PaleBoxMouseUp(s, Right, 5000, -300);
    EXPECT_EQ(s.TransColor, 15);
    PaleBoxMouseDown(s, Left, -10, 100000, false);
    EXPECT_EQ(s.DrawColor, 240);
    PaleBoxMouseUp(s, Left, -10, 100000);
    Move(100);
    EXPECT_EQ(s.DrawColor, 240);
    EXPECT_GE(hooks.Count("RepaintPalette"), 4);
    // Marking the draw colour moves it to the lowest allowed index; the release keeps that.
    s.ForbiddenFlags[0] = kForbidden;
    s.DrawColor = 7;
    Down(Left, 7, true);
    EXPECT_EQ(s.ForbiddenFlags[7], kForbidden);
    EXPECT_EQ(s.DrawColor, 1);
    Up(Left, 7);
    EXPECT_EQ(s.DrawColor, 1);
}

TEST_F(PaletteGridTest, OtherArrangementsMapCellsAndNeverPassIndex255) {
    s.PaleColumns = 32;
    s.PaleRows = 8;
    s.PaleCellWidth = s.PaleCellHeight = 8;
    ResizePaletteImage(s);
    EXPECT_EQ((std::array{s.PaletteImage.Width(), s.PaletteImage.Height()}), (std::array{256, 64}));
    EXPECT_EQ(PaletteIndexAt(s, 8 * 8 + 4, 8 + 4), 40);
    EXPECT_EQ(PaletteIndexAt(s, 0 + 3, 8 + 3), 32);
    s.PaleRows = 32; // 1024 cells, of which only the first 256 are drawn
    ResizePaletteImage(s);
    EXPECT_EQ(PaletteIndexAt(s, 4, 8 * 8 + 4), -1);
    s.TransColor = 3;
    PaleBoxMouseDown(s, Right, 4, 8 * 20, false);
    PaleBoxMouseMove(s, 4, 8 * 31);
    PaleBoxMouseUp(s, Right, 4, 8 * 31);
    EXPECT_EQ(s.TransColor, 3);
    PaleBoxMouseDown(s, Left, 4, 8 * 31, true);
    PaleBoxMouseUp(s, Left, 4, 8 * 31);
    s.PaleColumns = 0; // damaged settings do not divide by zero
    s.PaleCellWidth = 0;
    EXPECT_EQ(PaletteIndexAt(s, 0, 0), 0);
    ResizePaletteImage(s);
}

TEST_F(PaletteGridTest, RedrawDrawsColourFramesGridLinesAndMarkers) {
    s.ForbiddenFlags[17] = kForbidden;
    RedrawPaletteImage(s);
    const TDIB& im = s.PaletteImage;
    // Cells 17 and 18 (columns 1 and 2 of row 1) as letters: w white, b black, g grid grey,
    // c the cell's own colour.
    const uint32_t white = uint32_t(NearestColorIndex(im.ColorTable(), MakeColor(255, 255, 255)));
    const uint32_t black = uint32_t(NearestColorIndex(im.ColorTable(), 0));
    const uint32_t grey = uint32_t(NearestColorIndex(im.ColorTable(), MakeColor(192, 192, 192)));
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
    EXPECT_EQ(row(30), "wwwwwwwwwwwwwwwwgccccccccccccccc");
    EXPECT_EQ(row(31), "wwwwwwwwwwwwwwwwgccccccccccccccc");
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

TEST(PaletteWindowSize, ClampsTypedCellSizesMapsTheBarAndResizesTheGrid) {
    const std::pair<const char*, int> sizes[] = {{"40", 32}, {"5", 8},    {"abc", 8},
                                                 {"", 8},    {"-3", 32},  {" 12 ", 12},
                                                 {"+9", 9},  {"12px", 8}, {"99999999999999", 8}};
    for (const auto& [text, size] : sizes)
        EXPECT_EQ(ClampPaleCellSize(text), size) << text;
    // Bar positions 1..3 are 8, 16 and 32 rows; out of range takes the nearest end.
    for (auto [bar, rows, columns] :
         {std::tuple{0, 8, 32}, {1, 8, 32}, {2, 16, 16}, {3, 32, 8}, {4, 32, 8}})
        EXPECT_EQ((std::array{ArrangementForBar(bar).Rows, ArrangementForBar(bar).Columns}),
                  (std::array{rows, columns}))
            << bar;
    for (auto [rows, bar] : {std::pair{8, 1}, {16, 2}, {32, 3}, {20, 3}})
        EXPECT_EQ(BarForRows(rows, 3), bar) << rows;
    EXPECT_EQ(BarForRows(20, 1), 1);
    EditorState s;
    vallo::test::RecordingHooks hooks;
    s.Hooks = &hooks;
    ApplyPaletteWindowSize(s, 1, "8", "12");
    EXPECT_EQ((std::array{s.PaleRows, s.PaleColumns, s.PaletteImage.Width(),
                          s.PaletteImage.Height(), hooks.Count("PaletteResize")}),
              (std::array{8, 32, 256, 96, 1}));
    ApplyPaletteWindowSize(s, 3, "-1", "x");
    EXPECT_EQ((std::array{s.PaleRows, s.PaleColumns, s.PaleCellWidth, s.PaleCellHeight}),
              (std::array{32, 8, 32, 8}));
}

// Marks set with the mouse reach the colour tables when the drag ends: a range paste right
// afterwards substitutes every newly forbidden index.
TEST_F(PaletteGridTest, NothingWritesAnIndexForbiddenByTheLastDrag) {
    s.MainImage.SetSize(32, 32, 8);
    vallo::test::SetRampPalette(s);
    InitUndo(s, 8);
    s.CharWidth = s.CharHeight = 8;
    s.TransColor = 255;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            s.MainImage.SetPixel(x, y, uint32_t(96 + (x + y) % 6));
    // Paste of a copied range that holds 99 and 100, both forbidden after the copy.
    s.CopyStepX = s.CopyStepY = 8;
    CopyRangePress(s, 0, 0);
    CopyRangePress(s, 0, 0);
    ShiftDrag({99, 100});
    CopyRangePress(s, 16, 16);
    for (int i = 0; i < 64; ++i)
        EXPECT_NE(s.ForbiddenFlags[s.MainImage.Pixel(16 + i % 8, 16 + i / 8)], kForbidden) << i;
}
