#include "DrawFixture.h"
#include "draw/Transforms.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

using Rows = std::vector<std::string>;

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
        s.Modified = false;
        before = AllPixels(s.MainImage);
    }
    // The cell with each pixel named by where it came from: the old cell's pixels in reading
    // order are a, b, c, ..., z, A, B, ...; outside the cell nothing may have changed.
    Rows Cell() const {
        const std::string names = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        Rows rows(size_t(s.CharHeight));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) {
                const int v = int(s.MainImage.Pixel(x, y));
                const int cx = x - 4, cy = y - 2, fx = v % 16 - 4, fy = v / 16 - 2;
                if (cx >= 0 && cy >= 0 && cx < s.CharWidth && cy < s.CharHeight)
                    rows[size_t(cy)] += names[size_t(fy * s.CharWidth + fx)];
                else
                    EXPECT_EQ(v, y * 16 + x) << "outside the cell at " << x << "," << y;
            }
        return rows;
    }

    EditorState s;
    RecordingHooks hooks;
    std::vector<uint8_t> before;
};

TEST_F(TransformTest, EachButtonMovesTheCellPixelsAndNothingElse) {
    const struct {
        void (*Click)(EditorState&);
        int W, H;
        Rows Want;
    } cases[] = {
        {btUpClick, 4, 3, {"efgh", "ijkl", "abcd"}},
        {btDownClick, 4, 3, {"ijkl", "abcd", "efgh"}},
        {btLeftClick, 4, 3, {"bcda", "fghe", "jkli"}},
        {btRightClick, 4, 3, {"dabc", "hefg", "lijk"}},
        {btUpClick, 4, 1, {"abcd"}},
        {btLeftClick, 1, 3, {"a", "b", "c"}},
        {btRev1Click, 4, 3, {"ijkl", "efgh", "abcd"}},
        {btRev2Click, 4, 3, {"dcba", "hgfe", "lkji"}},
        {btL90Click, 4, 4, {"dhlp", "cgko", "bfjn", "aeim"}},
        {btR90Click, 4, 4, {"miea", "njfb", "okgc", "plhd"}},
        // A wide or tall cell turns its leading square and keeps the rest.
        {btL90Click, 8, 4, {"dltBefgh", "cksAmnop", "bjrzuvwx", "aiqyCDEF"}},
        {btR90Click, 4, 8, {"miea", "njfb", "okgc", "plhd", "qrst", "uvwx", "yzAB", "CDEF"}},
        {btLeftToRightClick, 4, 2, {"abba", "effe"}},
        {btRightToLeftClick, 4, 2, {"dccd", "hggh"}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        MakeCell(cases[i].W, cases[i].H);
        cases[i].Click(s);
        EXPECT_EQ(Cell(), cases[i].Want) << "case " << i;
    }
    EXPECT_TRUE(hooks.Saw("Overview")); // the views are rebuilt
}

TEST_F(TransformTest, EveryButtonUndoesByteForByteAndAnEmptyCellIsLeftAlone) {
    MakeCell(4, 4);
    InitUndo(s, 31);
    for (auto click : {btUpClick, btDownClick, btLeftClick, btRightClick, btRev1Click, btRev2Click,
                       btL90Click, btR90Click, btLeftToRightClick, btRightToLeftClick}) {
        s.Undo.UndoCoalesced = false; // a shift after a shift would join the earlier step
        ExpectRoundTrip(s, [&] { click(s); });
    }
    EXPECT_TRUE(s.Modified);
    btLeftToRightClick(s);
    EXPECT_EQ(LatestUndoRect(s), (IntRect{6, 2, 7, 5}));
    btRightToLeftClick(s);
    EXPECT_EQ(LatestUndoRect(s), (IntRect{4, 2, 5, 5}));
    MakeCell(0, 0);
    for (auto click : {btUpClick, btL90Click, btLeftToRightClick})
        click(s);
    EXPECT_EQ(AllPixels(s.MainImage), before);
    EXPECT_FALSE(s.Modified);
}

} // namespace
