#include "DrawFixture.h"
#include "draw/FloodFill.h"
#include "draw/Shapes.h"
#include "image/Canvas.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

using Points = std::vector<std::pair<int, int>>;

// Pixels a line visits, drawn with a one-pixel pen in normal mode.
Points LinePixels(int x0, int y0, int x1, int y1) {
    auto s = MakeEditor();
    s->DrawColor = 1;
    DrawLine(*s, x0, y0, x1, y1);
    Points out;
    for (int i = 0; i < 256; ++i)
        if (CellPixel(*s, i % 16, i / 16) == 1)
            out.push_back({i % 16, i / 16});
    return out;
}

// Loads rows of digits into the cell (one palette index per character).
void LoadCell(EditorState& s, const std::vector<std::string>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            s.MainImage.SetPixel(s.CharLeft + int(x), s.CharTop + int(y),
                                 uint32_t(rows[y][x] - '0'));
}

std::vector<std::string> CellRows(const EditorState& s, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += char('0' + CellPixel(s, x, y));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(DrawLine, BresenhamFromTheSmallerMajorEnd) {
    EXPECT_EQ(LinePixels(2, 5, 2, 5), (Points{{2, 5}}));
    const Points flat{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}};
    EXPECT_EQ(LinePixels(0, 0, 4, 1), flat);
    EXPECT_EQ(LinePixels(4, 1, 0, 0), flat);
    EXPECT_EQ(LinePixels(0, 0, 1, 2), (Points{{0, 0}, {0, 1}, {1, 2}}));
    EXPECT_EQ(LinePixels(3, 3, 0, 0), (Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    // A line and its reverse always cover the same pixels.
    for (auto [a, b, c, d] : {std::tuple{1, 7, 14, 12}, {15, 2, 3, 9}, {5, 15, 9, 1}})
        EXPECT_EQ(LinePixels(a, b, c, d), LinePixels(c, d, a, b));
}

TEST(DrawLine, FarEndsOutsideTheCellDrawTheSamePixelsQuickly) {
    auto s = MakeEditor();
    s->DrawColor = 1;
    // Nearly horizontal line from far away: only the pixels inside the cell are plotted, and
    // they are exactly those the full walk would give.
    DrawLine(*s, -2000000000, 3, 2000000000, 5);
    EXPECT_EQ(CellMap(*s, 1).substr(4 * 17, 17), "################\n");
    auto t = MakeEditor();
    t->DrawColor = 1;
    DrawLine(*t, -1000, -10, 1000, 30); // 40 rows over 2000 columns: row 10 at x 0..15
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(CellPixel(*t, x, 10), 1) << x;
}

TEST(DrawBox, CornersMergeOnceAndThickFills) {
    auto s = MakeEditor(true);
    FillImage(s->MainImage, 16);
    s->MergeMode = 2;
    s->DrawColor = 17;
    DrawBox(*s, 4, 4, 4, 4, false); // one position four times, merged once
    EXPECT_EQ(CellPixel(*s, 4, 4), 34);
    DrawBox(*s, 1, 1, 6, 8, false);
    ClearStrokeMask(*s);
    EXPECT_EQ(
        (std::array{int(CellPixel(*s, 1, 1)), int(CellPixel(*s, 6, 8)), int(CellPixel(*s, 3, 3))}),
        (std::array{34, 34, 16}));

    // A filled box with a 3-pixel pen reaches one pixel past the rectangle on every side.
    auto f = MakeEditor();
    SelectPen(*f, 2);
    f->DrawColor = 1;
    DrawBox(*f, 10, 2, 5, 4, true);
    std::string expected;
    for (int y = 0; y < 16; ++y)
        expected += (y >= 1 && y <= 5) ? "....########....\n" : "................\n";
    EXPECT_EQ(CellMap(*f, 1), expected);
}

TEST(Previews, PaintOnlyTheMagnifierAndComeOffAgainEvenFarOutside) {
    auto s = MakeEditor();
    const std::vector<uint8_t> document = AllPixels(s->MainImage);
    FillImage(s->LupeImage, 0);
    s->PreviewDrawing = s->CursorStyle = true;
    SelectPen(*s, 1);
    PlotPen(*s, 0, 0); // the inverting cursor style: the inverse of black is white
    EXPECT_EQ(Pixels(s->LupeImage, 6, 6, 3, 1), (std::vector<uint8_t>{1, 1, 0}));
    EXPECT_EQ(s->DirtyCells.Right, 0); // previews do not count as changes

    EXPECT_EQ(AllPixels(s->MainImage), document);

    // The region under a shape is saved and restored, also for shapes far outside the cell.
    Paint(s->LupeImage, [](int x, int y) { return x * 7 + y; });
    const std::vector<uint8_t> before = AllPixels(s->LupeImage);
    SelectPen(*s, 4);
    for (auto [a, b] : {std::pair{3, 14}, {-100, -100}, {100, 100}, {-2000000000, 2000000000}}) {
        SavePreviewRegion(*s, a, b, 9, 2, s->PenOffset, s->PenSize);
        DrawBox(*s, a, b, 9, 2, true);
        RestorePreviewRegion(*s);
        EXPECT_EQ(AllPixels(s->LupeImage), before) << a;
    }
}

// The committed ellipse plots exactly the pixels of the image primitive's ellipse mask.
TEST(DrawEllipse, MatchesTheSharedEllipseMask) {
    auto s = MakeEditor();
    s->DrawColor = 1;
    for (int w = 1; w <= 16; ++w)
        for (int h = 1; h <= 16; ++h)
            for (bool filled : {false, true}) {
                FillImage(s->MainImage, 0);
                DrawEllipse(*s, 0, 0, w - 1, h - 1, filled);
                const std::vector<uint8_t> mask = EllipseMask(w, h, filled);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(CellPixel(*s, x, y), mask[size_t(y * w + x)])
                            << w << "x" << h << " at " << x << "," << y;
            }
}

TEST(FloodFill, FourConnectedByIndexOnly) {
    auto s = MakeEditor(); // index 3 and 4 are the same red; corners do not join areas
    FillImage(s->MainImage, 9);
    LoadCell(*s, {"0000", "0110", "0110", "1001", "3000", "3433"});
    s->DrawColor = 2;
    s->MergeMode = 2; // ignored by the fill
    FloodFillCell(*s, 1, 1);
    EXPECT_EQ(CellRows(*s, 4, 6),
              (std::vector<std::string>{"0000", "0220", "0220", "1001", "3000", "3433"}));
    FloodFillCell(*s, 0, 0);
    EXPECT_EQ(CellRows(*s, 4, 6),
              (std::vector<std::string>{"2222", "2222", "2222", "1001", "3000", "3433"}));
    s->DrawColor = 1;
    FloodFillCell(*s, 0, 5);
    EXPECT_EQ(CellRows(*s, 5, 6),
              (std::vector<std::string>{"22229", "22229", "22229", "10019", "10009", "14339"}));
}

TEST(FloodFill, StopsAtTheCellBorderAndHonoursDither) {
    auto s = MakeEditor();
    FillImage(s->MainImage, 5);
    s->DrawColor = 1;
    s->DitherMode = 1;
    FloodFillCell(*s, 3, 3);
    for (int y = -1; y <= 16; ++y)
        for (int x = -1; x <= 16; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < 16 && y < 16;
            const uint32_t want = inside && (x + y) % 2 == 0 ? 1 : 5;
            ASSERT_EQ(s->MainImage.Pixel(s->CharLeft + x, s->CharTop + y), want) << x << "," << y;
        }
    // A seed outside the cell fills nothing; a cell hanging off the image fills what exists.
    const std::vector<uint8_t> before = AllPixels(s->MainImage);
    for (auto [x, y] : {std::pair{-1, 0}, {16, 0}, {0, 16}, {0, -5}})
        FloodFillCell(*s, x, y);
    EXPECT_EQ(AllPixels(s->MainImage), before);
    s->CharLeft = 60;
    s->DitherMode = 0;
    FloodFillCell(*s, 1, 1);
    EXPECT_EQ(s->MainImage.Pixel(63, s->CharTop + 1), 1u);
}
