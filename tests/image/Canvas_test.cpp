#include "image/Canvas.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

// Rows of the image as strings, '.' for index 0 and the digit or letter of other indices.
std::vector<std::string> Picture(const TDIB& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::string row;
        for (int x = 0; x < image.Width(); ++x) {
            const uint32_t v = image.Pixel(x, y);
            row += v == 0 ? '.' : (v < 10 ? char('0' + v) : char('a' + (v - 10) % 26));
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(Canvas, NearestColourPrefersTheLowestIndexOnTies) {
    ColorTableArray table{};
    table[3] = ColorToQuad(MakeColor(200, 0, 0));
    table[7] = ColorToQuad(MakeColor(200, 0, 0));
    table[9] = ColorToQuad(MakeColor(0, 0, 250));
    EXPECT_EQ(NearestColorIndex(table, MakeColor(180, 10, 0)), 3);
    EXPECT_EQ(NearestColorIndex(table, MakeColor(0, 0, 200)), 9);
    EXPECT_EQ(NearestColorIndex(table, MakeColor(10, 10, 10)), 0);
}

TEST(Canvas, FillAndFrameAreClippedAndHalfOpen) {
    TDIB image(6, 4);
    FillRect(image, -3, 1, 2, 99, 1);
    FrameRect(image, 2, 0, 6, 3, 2);
    FillRect(image, 4, 4, 2, 2, 9); // reversed: nothing
    EXPECT_EQ(Picture(image), (std::vector<std::string>{"..2222", "112..2", "112222", "11...."}));
}

TEST(Canvas, LinesExcludeTheirEndPointAndClip) {
    TDIB image(6, 3);
    DrawLine(image, 0, 0, 5, 2, 1);
    EXPECT_EQ(Picture(image), (std::vector<std::string>{"11....", "..11..", "....1."}));
    DrawLine(image, 3, 3, 3, 3, 2); // zero length: nothing
    DrawLine(image, -1000000, 2, 1000000, 2, 2, PenMode::Copy, true);
    EXPECT_EQ(Picture(image)[2], "2.2.2.");
    // Reversed direction draws the mirror set of pixels, starting at the first point.
    TDIB back(6, 3);
    DrawLine(back, 5, 2, 0, 0, 1);
    EXPECT_EQ(Picture(back), (std::vector<std::string>{".1....", "..11..", "....11"}));
}

TEST(Canvas, PenModesInvertAndMergeWithTheInvertedDestination) {
    TDIB image(4, 1);
    image.SetPixel(0, 0, 0x0F);
    image.SetPixel(1, 0, 0xF0);
    DrawLine(image, 0, 0, 2, 0, 0, PenMode::Invert);
    EXPECT_EQ(image.Pixel(0, 0), 0xF0u);
    EXPECT_EQ(image.Pixel(1, 0), 0x0Fu);
    DrawLine(image, 0, 0, 4, 0, 0x01, PenMode::MergeNotDest);
    EXPECT_EQ(image.Pixel(0, 0), 0x0Fu | 0x01u);
    EXPECT_EQ(image.Pixel(1, 0), 0xF0u | 0x01u);
    EXPECT_EQ(image.Pixel(2, 0), 0xFFu);
}

TEST(Canvas, RectOutlinesTouchEachPixelOnceSoInvertingTwiceRestores) {
    TDIB image(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            image.SetPixel(x, y, uint32_t(x * 16 + y));
    const TDIB before = image;
    for (int width : {1, 2, 3, 8}) {
        DrawRectOutline(image, 9, 7, 2, 1, 0, PenMode::Invert, width);
        DrawRectOutline(image, 9, 7, 2, 1, 0, PenMode::Invert, width);
        DrawRectOutline(image, 0, 0, 0, 0, 0, PenMode::Invert, width, true);
        DrawRectOutline(image, 0, 0, 0, 0, 0, PenMode::Invert, width, true);
        EXPECT_EQ(Picture(image), Picture(before)) << width;
    }

    TDIB thick(9, 9);
    // Outline through 1..7 with a pen of 3: the ring covers 0..8 and leaves 3..5 open.
    DrawRectOutline(thick, 7, 7, 1, 1, 1, PenMode::Copy, 3);
    EXPECT_EQ(Picture(thick), (std::vector<std::string>{
                                  "111111111",
                                  "111111111",
                                  "111111111",
                                  "111...111",
                                  "111...111",
                                  "111...111",
                                  "111111111",
                                  "111111111",
                                  "111111111",
                              }));
    TDIB dotted(5, 4);
    DrawRectOutline(dotted, 0, 0, 4, 3, 1, PenMode::Copy, 1, true);
    EXPECT_EQ(Picture(dotted), (std::vector<std::string>{"1.1.1", ".....", "1...1", ".1.1."}));
}

TEST(Canvas, EllipseMasksAreSymmetricTouchTheSidesAndHaveThinOutlines) {
    for (int w = 1; w <= 40; ++w)
        for (int h = 1; h <= 40; h += (h < 8 ? 1 : 7)) {
            const std::vector<uint8_t> outline = EllipseMask(w, h, false);
            const std::vector<uint8_t> filled = EllipseMask(w, h, true);
            ASSERT_EQ(outline.size(), size_t(w * h));
            auto at = [&](const std::vector<uint8_t>& m, int x, int y) { return m[y * w + x]; };
            bool top = false, bottom = false, left = false, right = false;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(at(filled, x, y), at(filled, w - 1 - x, y)) << w << "x" << h;
                    ASSERT_EQ(at(filled, x, y), at(filled, x, h - 1 - y)) << w << "x" << h;
                    ASSERT_EQ(at(outline, x, y), at(outline, w - 1 - x, h - 1 - y));
                    ASSERT_LE(at(outline, x, y), at(filled, x, y)); // outline is part of the fill
                    top |= at(outline, x, 0) != 0;
                    bottom |= at(outline, x, h - 1) != 0;
                    left |= at(outline, 0, y) != 0;
                    right |= at(outline, w - 1, y) != 0;
                }
            ASSERT_TRUE(top && bottom && left && right) << w << "x" << h;
            // Filled rows are single runs (convex).
            for (int y = 0; y < h; ++y) {
                int runs = 0;
                for (int x = 0; x < w; ++x)
                    runs += at(filled, x, y) && (x == 0 || !at(filled, x - 1, y));
                ASSERT_EQ(runs, 1) << w << "x" << h << " row " << y;
            }
        }
    EXPECT_EQ(EllipseMask(1, 1, false), std::vector<uint8_t>{1});
    EXPECT_EQ(EllipseMask(2, 2, false), (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(EllipseMask(1, 3, true), (std::vector<uint8_t>{1, 1, 1}));
    EXPECT_TRUE(EllipseMask(0, 5, true).empty());
    // A 7 x 7 circle: outline without the interior, which the filled form adds.
    const std::vector<uint8_t> ring = EllipseMask(7, 7, false);
    const std::vector<uint8_t> expected = {0, 0, 1, 1, 1, 0, 0, //
                                           0, 1, 0, 0, 0, 1, 0, //
                                           1, 0, 0, 0, 0, 0, 1, //
                                           1, 0, 0, 0, 0, 0, 1, //
                                           1, 0, 0, 0, 0, 0, 1, //
                                           0, 1, 0, 0, 0, 1, 0, //
                                           0, 0, 1, 1, 1, 0, 0};
    EXPECT_EQ(ring, expected);
}

TEST(Canvas, StretchCopyScalesMirrorsAndClips) {
    TDIB src(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            src.SetPixel(x, y, uint32_t(1 + x + 3 * y));
    TDIB dst(6, 4);
    StretchCopy(src, 0, 0, 3, 2, dst, 0, 0, 6, 4);
    EXPECT_EQ(Picture(dst), (std::vector<std::string>{"112233", "112233", "445566", "445566"}));
    TDIB mirrored(6, 4);
    StretchCopy(src, 0, 0, 3, 2, mirrored, 5, 3, -6, -4);
    EXPECT_EQ(Picture(mirrored),
              (std::vector<std::string>{"665544", "665544", "332211", "332211"}));
    // Mirrored horizontally only, partly outside the destination; reduced rows and columns
    // take the source pixel under the centre of each destination pixel.
    TDIB small(3, 2);
    StretchCopy(src, 0, 0, 3, 2, small, 1, 0, -3, 1);
    EXPECT_EQ(Picture(small), (std::vector<std::string>{"54.", "..."}));
    TDIB reduced(2, 1);
    StretchCopy(dst, 0, 0, 6, 4, reduced, 0, 0, 2, 1);
    EXPECT_EQ(Picture(reduced), (std::vector<std::string>{"46"}));
    // Copy onto itself uses the pixels as they were before the copy.
    StretchCopy(src, 0, 0, 3, 2, src, 2, 0, -3, 2);
    EXPECT_EQ(Picture(src), (std::vector<std::string>{"321", "654"}));
}

TEST(Canvas, RefusesImagesThatAreNotEightBits) {
    TDIB rgb(2, 2, 24);
    EXPECT_THROW(FillRect(rgb, 0, 0, 1, 1, 1), DibError);
}
