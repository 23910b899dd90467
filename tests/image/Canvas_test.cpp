#include "draw/DrawFixture.h"
#include "image/Canvas.h"

#include <gtest/gtest.h>

using namespace vallo;
using vallo::testing::AllPixels;
using vallo::testing::Paint;

namespace {

using Rows = std::vector<std::string>;

// Rows of the image as strings, '.' for index 0 and the digit of other indices.
Rows Picture(const TDIB& image) {
    Rows rows(size_t(image.Height()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            rows[size_t(y)] += image.Pixel(x, y) ? char('0' + image.Pixel(x, y)) : '.';
    return rows;
}

} // namespace

TEST(Canvas, FillFrameAndLinesAreClippedAndHalfOpen) {
    TDIB image(6, 4);
    FillRect(image, -3, 1, 2, 99, 1);
    FrameRect(image, 2, 0, 6, 3, 2);
    FillRect(image, 4, 4, 2, 2, 9); // reversed: nothing
    EXPECT_EQ(Picture(image), (Rows{"..2222", "112..2", "112222", "11...."}));
    TDIB rgb(2, 2, 24);
    EXPECT_THROW(FillRect(rgb, 0, 0, 1, 1, 1), DibError);

    // The end point is excluded; reversed, the mirror set of pixels from the first point.
    TDIB line(8, 3), back(8, 3);
    DrawLine(line, 0, 0, 5, 2, 1);
    DrawLine(back, 5, 2, 0, 0, 1);
    EXPECT_EQ(Picture(line), (Rows{"11......", "..11....", "....1..."}));
    EXPECT_EQ(Picture(back), (Rows{".1......", "..11....", "....11.."}));
    DrawLine(line, 3, 3, 3, 3, 2); // zero length: nothing
    DrawLine(line, -1000000, 2, 1000000, 2, 2, PenMode::Copy, true);
    EXPECT_EQ(Picture(line)[2], "2.2.2.2.");
    // A steep line leaving the left side writes nothing into the row above.
    TDIB steep(8, 4);
    DrawLine(steep, 1, 0, -3, 8, 3);
    EXPECT_EQ(Picture(steep), (Rows{".3......", "3.......", "3.......", "........"}));
}

TEST(Canvas, RectOutlinesTouchEachPixelOnceSoInvertingTwiceRestores) {
    TDIB image(12, 10);
    Paint(image, [](int x, int y) { return x * 16 + y; });
    const std::vector<uint8_t> before = AllPixels(image);
    for (int width : {1, 2, 3, 8}) {
        for (int twice = 0; twice < 2; ++twice) {
            DrawRectOutline(image, 9, 7, 2, 1, 0, PenMode::Invert, width);
            DrawRectOutline(image, 0, 0, 0, 0, 0, PenMode::Invert, width, true);
        }
        EXPECT_EQ(AllPixels(image), before) << width;
    }
    // Outline through 1..7 with a pen of 3: the ring covers 0..8 and leaves 3..5 open.
    TDIB thick(9, 9);
    DrawRectOutline(thick, 7, 7, 1, 1, 1, PenMode::Copy, 3);
    const std::string full(9, '1'), ring = "111...111";
    EXPECT_EQ(Picture(thick), (Rows{full, full, full, ring, ring, ring, full, full, full}));
    TDIB dotted(5, 4);
    DrawRectOutline(dotted, 0, 0, 4, 3, 1, PenMode::Copy, 1, true);
    EXPECT_EQ(Picture(dotted), (Rows{"1.1.1", ".....", "1...1", ".1.1."}));
}

TEST(Canvas, EllipseMasksAreSymmetricConvexAndTouchTheSides) {
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; h += (h < 8 ? 1 : 7)) {
            const std::vector<uint8_t> outline = EllipseMask(w, h, false),
                                       filled = EllipseMask(w, h, true);
            ASSERT_EQ(outline.size(), size_t(w * h));
            auto at = [&](const std::vector<uint8_t>& m, int x, int y) { return m[y * w + x]; };
            int sides = 0;
            for (int y = 0; y < h; ++y) {
                int runs = 0;
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(at(filled, x, y), at(filled, w - 1 - x, h - 1 - y)) << w << "x" << h;
                    ASSERT_EQ(at(outline, x, y), at(outline, w - 1 - x, y)) << w << "x" << h;
                    ASSERT_LE(at(outline, x, y), at(filled, x, y)); // outline is part of the fill
                    runs += at(filled, x, y) && (x == 0 || !at(filled, x - 1, y));
                }
                ASSERT_EQ(runs, 1) << w << "x" << h << " row " << y; // convex
                sides |= (at(outline, 0, y) ? 1 : 0) | (at(outline, w - 1, y) ? 2 : 0);
            }
            for (int x = 0; x < w; ++x)
                sides |= (at(outline, x, 0) ? 4 : 0) | (at(outline, x, h - 1) ? 8 : 0);
            ASSERT_EQ(sides, 15) << w << "x" << h;
        }
    EXPECT_EQ(EllipseMask(2, 2, false), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_TRUE(EllipseMask(0, 5, true).empty());
    // A 7 x 7 circle: the outline without the interior, which the filled form adds.
    std::string outline, filled; // rows separated by '/'
    for (size_t i = 0; i < 49; ++i) {
        outline += std::string(EllipseMask(7, 7, false)[i] ? "#" : ".") + (i % 7 == 6 ? "/" : "");
        filled += std::string(EllipseMask(7, 7, true)[i] ? "#" : ".") + (i % 7 == 6 ? "/" : "");
    }
    EXPECT_EQ(outline, "..###../.#...#./#.....#/#.....#/#.....#/.#...#./..###../");
    EXPECT_EQ(filled, "..###../.#####./#######/#######/#######/.#####./..###../");
}

TEST(Canvas, StretchCopyScalesMirrorsAndClips) {
    TDIB src(3, 2);
    Paint(src, [](int x, int y) { return 1 + x + 3 * y; });
    TDIB dst(6, 4), mirrored(6, 4), small(3, 2), reduced(2, 1), column(1, 2);
    StretchCopy(src, 0, 0, 3, 2, dst, 0, 0, 6, 4);
    EXPECT_EQ(Picture(dst), (Rows{"112233", "112233", "445566", "445566"}));
    StretchCopy(src, 0, 0, 3, 2, mirrored, 5, 3, -6, -4);
    EXPECT_EQ(Picture(mirrored), (Rows{"665544", "665544", "332211", "332211"}));
    // Mirrored horizontally only and partly outside; reduced copies take the source pixel under
    // the centre of each destination pixel.
    StretchCopy(src, 0, 0, 3, 2, small, 1, 0, -3, 1);
    EXPECT_EQ(Picture(small), (Rows{"54.", "..."}));
    StretchCopy(dst, 0, 0, 6, 4, reduced, 0, 0, 2, 1);
    EXPECT_EQ(Picture(reduced), (Rows{"46"}));
    StretchCopy(src, 0, 0, 3, 2, column, 0, 0, 1, 2);
    EXPECT_EQ(Picture(column), (Rows{"2", "5"}));
    // A copy onto itself uses the pixels as they were before the copy.
    StretchCopy(src, 0, 0, 3, 2, src, 2, 0, -3, 2);
    EXPECT_EQ(Picture(src), (Rows{"321", "654"}));
}
