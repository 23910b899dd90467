#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "palette/PaletteCommands.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

// A 64 x 48 picture of indices 0..5 on the ramp palette, the 16 x 16 cell at (16, 32).
struct PaletteCommandsTest : ::testing::Test {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    TDIB before;
    void SetUp() override {
        s.Hooks = &hooks;
        s.MainImage.SetSize(64, 48, 8);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                s.MainImage.SetPixel(x, y, uint32_t((x + y) % 6));
        vallo::test::SetRampPalette(s);
        s.CharWidth = s.CharHeight = 16;
        s.CharLeft = 16;
        s.CharTop = 32;
        InitUndo(s, 8);
        s.Modified = false;
        before = s.MainImage;
        before.MutableBits();
    }
    static std::vector<uint8_t> Bytes(const TDIB& image) {
        return {image.Bits(), image.Bits() + image.StoreSize()};
    }
    // One undo gives back every pixel and colour of `before`.
    void ExpectUndoRestores() {
        Undo(s);
        EXPECT_EQ(Bytes(s.MainImage), Bytes(before));
        EXPECT_EQ(s.MainImage.ColorTable(), before.ColorTable());
        EXPECT_EQ(s.PaletteQuads, before.ColorTable());
    }
};

} // namespace

TEST_F(PaletteCommandsTest, ReplaceTouchesOnlyTheEditedCellAndUndoes) {
    s.TransColor = 2;
    s.DrawColor = 5;
    ReplaceTransWithDrawColor(s);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inCell = x >= 16 && x < 32 && y >= 32;
            const uint32_t old = before.Pixel(x, y);
            ASSERT_EQ(s.MainImage.Pixel(x, y), inCell && old == 2 ? 5u : old) << x << "," << y;
        }
    EXPECT_GE(hooks.Count("RepaintOverview"), 1);
    ExpectUndoRestores();
    // A cell hanging off the image is cut to it.
    s.CharTop = 40;
    ReplaceTransWithDrawColor(s);
    EXPECT_EQ(s.MainImage.Pixel(21, 47), 5u);
}

TEST_F(PaletteCommandsTest, SwapRemapsPixelsSoThePictureLooksTheSame) {
    s.DrawColor = 1;
    s.TransColor = 3;
    s.ForbiddenFlags[3] = kForbidden;
    SwapDrawAndTransColors(s);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint32_t old = before.Pixel(x, y), now = s.MainImage.Pixel(x, y);
            ASSERT_EQ(now, old == 1 ? 3u : old == 3 ? 1u : old);
            ASSERT_EQ(before.ColorTable()[old], s.MainImage.ColorTable()[now]);
        }
    EXPECT_EQ((std::array{int(s.DrawColor), int(s.TransColor), s.ForbiddenFlags[3]}),
              (std::array{1, 3, kForbidden})); // marks stay with their index
    EXPECT_EQ(hooks.Count("RedrawPaletteImage"), 1);
    EXPECT_TRUE(s.Modified);
    ExpectUndoRestores();
    // A swap of one colour with itself changes nothing but is still a step.
    s.DrawColor = s.TransColor = 2;
    SwapDrawAndTransColors(s);
    EXPECT_EQ(Bytes(s.MainImage), Bytes(before));
    EXPECT_EQ(UndoCaption(s), "Undo 1");
}

TEST_F(PaletteCommandsTest, CopyKeepsTheReservedByteAndUndoes) {
    s.DrawColor = 9;
    s.TransColor = 4;
    s.MainImage.ColorTable()[4].rgbReserved = 7;
    CopyDrawColorToTransColor(s);
    EXPECT_EQ(s.MainImage.ColorTable()[4], (RGBQuad{27, 246, 9, 7}));
    EXPECT_EQ(s.PaletteQuads[4].rgbRed, 9);
    Undo(s);
    EXPECT_EQ((std::array{s.MainImage.ColorTable()[4].rgbRed, s.PaletteQuads[4].rgbRed}),
              (std::array<uint8_t, 2>{4, 4}));
}

// After either command the magnifier's buffer is what a fresh render gives, and every view was
// asked to repaint after the last change.
TEST_F(PaletteCommandsTest, SwapAndCopyLeaveEveryViewShowingTheDocument) {
    for (void (*command)(EditorState&) : {&SwapDrawAndTransColors, &CopyDrawColorToTransColor}) {
        s.CharLeft = s.CharTop = 0;
        s.Magnification = 2;
        ApplyCharLayout(s);
        s.DrawColor = 1;
        s.TransColor = 3;
        hooks.Calls.clear();
        command(s);
        const TDIB shown = s.LupeImage;
        s.LupeImage = TDIB();
        ApplyCharLayout(s);
        EXPECT_EQ(Bytes(shown), Bytes(s.LupeImage));
        EXPECT_EQ(shown.ColorTable(), s.PaletteQuads);
        for (const char* hook : {"RepaintLupe", "RepaintOverview", "RedrawExtendedView",
                                 "RepaintTiledView", "RedrawPaletteImage"})
            EXPECT_GE(hooks.Count(hook), 1) << hook;
    }
}
