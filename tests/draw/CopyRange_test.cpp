#include "DrawFixture.h"
#include "draw/CopyRange.h"
#include "draw/ImageLayout.h"
#include "state/StateRoutines.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

class CopyRangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Hooks = &hooks;
        s.MainImage.SetSize(100, 60, 8);
        Paint(s.MainImage, [](int x, int y) { return (x * 7 + y * 13) % 180 + 1; });
        s.ImageWidth = 100;
        s.ImageHeight = 60;
        s.CharWidth = s.CharHeight = 16;
        s.CurrentTool = 7;
        FillTestTables(s);
    }
    void Steps(int choice) {
        s.CopySizeChoice = choice;
        SizeGroupClick(s);
    }
    // The chosen range as left, top, width and height.
    IntRect Range() const { return {s.CopyLeft, s.CopyTop, s.CopyWidth, s.CopyHeight}; }

    EditorState s;
    RecordingHooks hooks;
};

TEST_F(CopyRangeTest, RangeSnapsToTheStepAndGrowsOnlyRightAndDown) {
    Steps(3);
    CopyRangePress(s, 40, 40);
    EXPECT_EQ(s.CopyRangeState, 1);
    EXPECT_EQ(Range(), (IntRect{32, 32, 0, 0}));
    // Left of or above the first cell, or a range that would not fit, keeps the last size.
    const struct {
        int X, Y, W, H;
    } moves[] = {{70, 40, 48, 16}, {20, 50, 48, 16}, {50, 10, 48, 16},
                 {99, 40, 48, 16}, {95, 40, 64, 16}, {70, 59, 64, 16}};
    for (const auto& m : moves) {
        CopyRangeMove(s, m.X, m.Y);
        EXPECT_EQ(Range(), (IntRect{32, 32, m.W, m.H})) << m.X << "," << m.Y;
    }
    EXPECT_TRUE(hooks.Saw("Overview"));
}

TEST_F(CopyRangeTest, TwoPressesCopyOneCellAndAThirdPastesIt) {
    Steps(5);
    CopyRangePress(s, 20, 3);
    CopyRangePress(s, 20, 3);
    EXPECT_EQ(s.CopyRangeState, 2);
    ASSERT_EQ((std::array{s.CopyImage.Width(), s.CopyImage.Height()}), (std::array{16, 16}));
    EXPECT_EQ(AllPixels(s.CopyImage), Pixels(s.MainImage, 16, 0, 16, 16));
    EXPECT_EQ(s.CopyImage.ColorTable(), s.MainImage.ColorTable());

    s.PasteTransparent = false;
    const std::vector<uint8_t> source = AllPixels(s.CopyImage);
    CopyRangeMove(s, 50, 40);
    EXPECT_EQ(Range(), (IntRect{48, 32, 16, 16}));
    CopyRangePress(s, 50, 40);
    EXPECT_EQ(s.CopyRangeState, 0);
    EXPECT_EQ(Pixels(s.MainImage, 48, 32, 16, 16), source);
    EXPECT_TRUE(s.Modified && hooks.Saw("UndoButtons") && hooks.Saw("Extended"));
}

TEST_F(CopyRangeTest, OneStepRangeIsCutAtTheImageEdge) {
    s.CharWidth = 24; // half a cell: 12 x 8 steps, and 100 is not a multiple of 12
    Steps(4);
    CopyRangePress(s, 99, 59);
    CopyRangePress(s, 99, 59);
    EXPECT_EQ(Range(), (IntRect{96, 56, 4, 4}));
    EXPECT_EQ(AllPixels(s.CopyImage), Pixels(s.MainImage, 96, 56, 4, 4));
    s.CharWidth = 1; // half of one pixel would be a zero step
    Steps(4);
    EXPECT_EQ(s.CopyStepX, 1);
}

TEST_F(CopyRangeTest, PasteNearTheRightEdgeIsCut) {
    Steps(2);
    s.CopyImage.SetSize(16, 8, 8);
    Paint(s.CopyImage, [](int x, int y) { return 190 + x + y; });
    s.CopyRangeState = 2;
    s.PasteTransparent = false;
    const std::vector<uint8_t> before = AllPixels(s.MainImage);
    InitUndo(s, 31);
    ExpectRoundTrip(s, [&] { CopyRangePress(s, 93, 5); }); // step cell (88, 0): 12 columns fit
    EXPECT_EQ(LatestUndoRect(s), (IntRect{88, 0, 99, 7}));
    Redo(s);
    std::vector<uint8_t> want = before;
    for (int y = 0; y < 8; ++y)
        for (int x = 88; x < 100; ++x)
            want[size_t(y * 100 + x)] = uint8_t(190 + (x - 88) + y);
    EXPECT_EQ(AllPixels(s.MainImage), want);
}

TEST_F(CopyRangeTest, PasteOptionsDecideTransparencyMergeAndSubstitution) {
    Steps(0);
    s.TransColor = 3;
    s.MergeMode = 2;
    TDIB copy(3, 1, 8); // transparent, forbidden, plain
    Paint(copy, [](int x, int) { return x == 0 ? 3 : x == 1 ? 200 : 20; });
    auto paste = [&](bool transparent, bool merge) {
        FillImage(s.MainImage, 10);
        s.CopyImage = copy;
        s.CopyRangeState = 2;
        s.PasteTransparent = transparent;
        s.CopyWithMergeMode = merge;
        CopyRangePress(s, 0, 0);
        return Pixels(s.MainImage, 0, 0, 4, 1);
    };
    EXPECT_EQ(paste(false, false), (std::vector<uint8_t>{3, 200, 20, 10}));
    EXPECT_EQ(paste(true, false), (std::vector<uint8_t>{10, 201, 20, 10}));
    EXPECT_EQ(paste(false, true), (std::vector<uint8_t>{113, uint8_t(310), 130, 10}));
    EXPECT_EQ(paste(true, true), (std::vector<uint8_t>{10, uint8_t(310), 130, 10}));
}

TEST_F(CopyRangeTest, RightPressCancelsAndCopyButtonFollowsTheState) {
    Steps(2);
    s.CharLeft = 16;
    s.CharTop = 8;
    auto cell = btCopyClick(s);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(AllPixels(*cell), Pixels(s.MainImage, 16, 8, 16, 16));

    CopyRangePress(s, 9, 9);
    EXPECT_FALSE(btCopyClick(s).has_value());
    hooks.Calls.clear();
    CopyRangeCancel(s);
    EXPECT_EQ(s.CopyRangeState, 0);
    EXPECT_TRUE(hooks.Saw("Lupe")); // the range drawn over the views goes
    EXPECT_TRUE(hooks.Saw("Overview"));
    CopyRangePress(s, 9, 9);
    CopyRangePress(s, 9, 9);
    auto range = btCopyClick(s);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(AllPixels(*range), Pixels(s.MainImage, 8, 8, 8, 8));
    EXPECT_EQ(range->ColorTable(), s.MainImage.ColorTable());
}

TEST_F(CopyRangeTest, ClipboardImageIsMappedOntoTheDocumentPalette) {
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    PropagatePalette(s);
    // Grey 85 is nearest to pure red; it is forbidden, and the paste must first bring the
    // tables up to date, then use its substitute 84 (nearer than 86 on a tie).
    s.ForbiddenFlags.fill(0);
    s.ForbiddenFlags[85] = kForbidden;
    s.PalettePending = true;
    TDIB picture(3, 2, 8);
    picture.ColorTable() = s.MainImage.ColorTable();
    picture.ColorTable()[5] = {0, 0, 255, 0}; // pure red
    picture.ColorTable()[6] = {1, 2, 3, 0};   // not the document's 6
    Paint(picture, [](int x, int y) { return y == 0 ? 4 + x : 250; });
    ASSERT_TRUE(btPasteClick(s, picture));
    EXPECT_FALSE(s.PalettePending);
    EXPECT_EQ(AllPixels(s.CopyImage), (std::vector<uint8_t>{4, 84, 0, 250, 250, 250}));
    EXPECT_EQ(Range(), (IntRect{0, 0, 3, 2}));
    EXPECT_EQ(s.CopyImage.ColorTable(), s.MainImage.ColorTable());

    // Refused without harm: nothing to take, or not an indexed image.
    EXPECT_FALSE(btPasteClick(s, TDIB()) || btPasteClick(s, TDIB(2, 2, 24)));
    EXPECT_EQ(s.CopyImage.Width(), 3);
}

} // namespace
