#include "draw/EngineFixture.h"
#include "draw/Transforms.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::enginetest;

namespace {

class TransformTest : public ::testing::Test {
protected:
    // A w x h cell at (4, 2) of a 16 x 12 image; every pixel of the image has its own index.
    void MakeCell(int w, int h) {
        s.Hooks = &hooks;
        s.MainImage.SetSize(16, 12, 8);
        Paint(s.MainImage, [](int x, int y) { return y * 16 + x; });
        s.CharWidth = w;
        s.CharHeight = h;
        s.CharLeft = 4;
        s.CharTop = 2;
        before = AllPixels(s.MainImage);
    }
    uint8_t Old(int x, int y) const { return before[size_t((2 + y) * 16 + 4 + x)]; }
    uint8_t New(int x, int y) const { return uint8_t(s.MainImage.Pixel(4 + x, 2 + y)); }
    std::vector<uint8_t> Cell() const {
        return Pixels(s.MainImage, 4, 2, s.CharWidth, s.CharHeight);
    }
    // Every pixel outside the cell is as it was.
    void ExpectOutsideUnchanged() const {
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool inside = x >= 4 && x < 4 + s.CharWidth && y >= 2 && y < 2 + s.CharHeight;
                if (!inside) {
                    EXPECT_EQ(s.MainImage.Pixel(x, y), before[size_t(y * 16 + x)]) << x << "," << y;
                }
            }
    }

    EditorState s;
    RecordingHooks hooks;
    std::vector<uint8_t> before;
};

TEST_F(TransformTest, ShiftsAreCyclicAndFourOfThemRestoreTheCell) {
    MakeCell(4, 4);
    btUpClick(s);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), Old(x, (y + 1) % 4));
    btUpClick(s);
    btUpClick(s);
    btUpClick(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);

    btRightClick(s);
    EXPECT_EQ(New(0, 1), Old(3, 1));
    EXPECT_EQ(New(1, 1), Old(0, 1));
    btLeftClick(s);
    btDownClick(s);
    EXPECT_EQ(New(2, 0), Old(2, 3));
    EXPECT_EQ(New(2, 1), Old(2, 0));
    ExpectOutsideUnchanged();
    for (int i = 0; i < 3; ++i)
        btDownClick(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    EXPECT_TRUE(hooks.Saw("Overview")); // the views are rebuilt
}

TEST_F(TransformTest, SingleColumnAndSingleRowCellsIgnoreShiftsAlongThem) {
    MakeCell(1, 4);
    btLeftClick(s);
    btRightClick(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    MakeCell(4, 1);
    btUpClick(s);
    btDownClick(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
}

TEST_F(TransformTest, FlipsMirrorTheCellAndTwiceRestoreIt) {
    MakeCell(4, 4);
    btRev1Click(s);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), Old(x, 3 - y));
    btRev1Click(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    btRev2Click(s);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), Old(3 - x, y));
    ExpectOutsideUnchanged();
    btRev2Click(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
}

TEST_F(TransformTest, QuarterTurnsOfASquareCell) {
    MakeCell(4, 4);
    btL90Click(s);
    EXPECT_EQ(New(0, 0), Old(3, 0)); // the top-right corner goes to the top-left
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), Old(3 - y, x));
    ExpectOutsideUnchanged();
    btR90Click(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    btR90Click(s);
    EXPECT_EQ(New(3, 0), Old(0, 0)); // the top-left corner goes to the top-right
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), Old(y, 3 - x));
}

TEST_F(TransformTest, QuarterTurnOfAWideCellTurnsTheSquareAndKeepsTheRest) {
    MakeCell(8, 4);
    btL90Click(s);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(New(x, y), x < 4 ? Old(3 - y, x) : Old(x, y)) << x << "," << y;
    ExpectOutsideUnchanged();
    MakeCell(4, 8);
    btR90Click(s);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(New(x, y), y < 4 ? Old(y, 3 - x) : Old(x, y)) << x << "," << y;
}

TEST_F(TransformTest, HalfMirrorsOverwriteOnlyOneHalf) {
    MakeCell(4, 2);
    btLeftToRightClick(s);
    EXPECT_EQ(Cell(), (std::vector<uint8_t>{Old(0, 0), Old(1, 0), Old(1, 0), Old(0, 0), Old(0, 1),
                                            Old(1, 1), Old(1, 1), Old(0, 1)}));
    ExpectOutsideUnchanged();
    MakeCell(4, 2);
    btRightToLeftClick(s);
    EXPECT_EQ(Cell(), (std::vector<uint8_t>{Old(3, 0), Old(2, 0), Old(2, 0), Old(3, 0), Old(3, 1),
                                            Old(2, 1), Old(2, 1), Old(3, 1)}));
    ExpectOutsideUnchanged();
}

TEST_F(TransformTest, AnEmptyCellIsLeftAlone) {
    MakeCell(0, 0);
    btUpClick(s);
    btL90Click(s);
    btLeftToRightClick(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    EXPECT_FALSE(s.Modified);
}

} // namespace
