#include "DrawFixture.h"
#include "draw/Shapes.h"
#include "image/Canvas.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace vallo;
using namespace vallo::testing;

namespace {

using Points = std::vector<std::pair<int, int>>;

// Pen positions a line visits, recorded through a one-pixel pen in normal mode on a large cell.
Points LinePixels(int x0, int y0, int x1, int y1) {
    auto s = MakeEditor();
    s->MainImage.SetSize(64, 64, 8);
    s->CharLeft = s->CharTop = 0;
    s->CharWidth = s->CharHeight = 64;
    s->CellBufA.assign(64 * 64, 0);
    s->DrawColor = 1;
    DrawLine(*s, x0, y0, x1, y1);
    Points out;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (s->MainImage.Pixel(x, y) == 1)
                out.push_back({x, y});
    return out;
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
    for (auto [a, b, c, d] : {std::tuple{1, 7, 40, 22}, {40, 2, 3, 9}, {5, 50, 9, 1}})
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
    EXPECT_EQ(CellPixel(*s, 1, 1), 34);
    EXPECT_EQ(CellPixel(*s, 6, 8), 34);
    EXPECT_EQ(CellPixel(*s, 3, 3), 16);

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

TEST(DrawEllipse, PreviewOutlineAndCommittedFill) {
    auto s = MakeEditor();
    s->DrawColor = 1;
    DrawEllipse(*s, 0, 0, 10, 6, true);
    const std::string filled = CellMap(*s, 1);
    auto p = MakeEditor();
    p->DrawColor = 1;
    FillImage(p->LupeImage, 0);
    p->PreviewDrawing = true;
    p->CursorStyle = false;
    DrawEllipse(*p, 10, 6, 0, 0, true); // corners in either order
    // The preview painted the magnifier only; read it back cell by cell.
    std::string preview;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            preview += p->LupeImage.Pixel(x * 4, y * 4) == 1 ? '#' : '.';
        preview += '\n';
    }
    EXPECT_EQ(preview.substr(3 * 17, 17), "#.........#.....\n");
    EXPECT_EQ(filled.substr(3 * 17, 17), "###########.....\n");
    EXPECT_EQ(filled.substr(0, 17), "...#####........\n");
    EXPECT_EQ(CellPixel(*p, 0, 3), 0);

    p->RichDisplay = true;
    ClearStrokeMask(*p);
    FillImage(p->LupeImage, 0);
    DrawEllipse(*p, 0, 0, 10, 6, true);
    EXPECT_EQ(p->LupeImage.Pixel(5 * 4, 3 * 4), 1u);
}

TEST(PreviewRegion, SavesAndRestoresTheShapeArea) {
    auto s = MakeEditor();
    for (int y = 0; y < s->LupeImage.Height(); ++y)
        for (int x = 0; x < s->LupeImage.Width(); ++x)
            s->LupeImage.SetPixel(x, y, uint8_t(x * 7 + y));
    const std::vector<uint8_t> before = AllPixels(s->LupeImage);
    SelectPen(*s, 4);
    SavePreviewRegion(*s, 3, 14, 9, 2, s->PenOffset, s->PenSize);
    EXPECT_EQ(s->PreviewLeft, 1);
    EXPECT_EQ(s->PreviewTop, 0);
    EXPECT_EQ(s->PreviewWidth, 11); // columns 1 .. 9 - 2 + 5
    EXPECT_EQ(s->PreviewHeight, 15);
    s->PreviewDrawing = true;
    s->LupeOverhang = true;
    DrawBox(*s, 3, 14, 9, 2, true);
    EXPECT_NE(AllPixels(s->LupeImage), before);
    RestorePreviewRegion(*s);
    EXPECT_EQ(AllPixels(s->LupeImage), before);

    // Shapes wholly outside the cell save and restore nothing, and never leave the buffers.
    for (auto [a, b] : {std::pair{-100, -100}, {100, 100}, {-2000000000, 2000000000}}) {
        SavePreviewRegion(*s, a, b, a, b, s->PenOffset, s->PenSize);
        RestorePreviewRegion(*s);
        EXPECT_EQ(AllPixels(s->LupeImage), before);
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
