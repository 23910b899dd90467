#include "DrawFixture.h"
#include "draw/ToolChoice.h"
#include "state/TextNumbers.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(EnsureDrawColorAllowed, MovesToLowestAllowedOr255) {
    EditorState s;
    s.ForbiddenFlags.fill(kForbidden);
    // All forbidden, then 0 allowed, then 3 with a flag other than 66, which leaves it alone.
    for (auto [index, want] : {std::pair{-1, 255}, {0, 0}, {3, 3}}) {
        if (index >= 0)
            s.ForbiddenFlags[size_t(index)] = uint8_t(index == 3);
        s.DrawColor = 3;
        EnsureDrawColorAllowed(s);
        EXPECT_EQ(s.DrawColor, want) << index;
    }
}

TEST(PropagatePalette, MirrorsTheColourTableAsQuadsAndColours) {
    EditorState s;
    for (int i = 0; i < 256; ++i)
        s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    PropagatePalette(s);
    for (size_t i = 0; i < 256; ++i) {
        const RGBQuad q = s.MainImage.ColorTable()[i];
        EXPECT_EQ(s.PaletteColors[i], q.rgbRed + 256u * q.rgbGreen + 65536u * q.rgbBlue);
        for (const TDIB* image : {&s.LupeImage, &s.CopyImage, &s.PaletteImage})
            EXPECT_EQ(image->ColorTable()[i], q);
        EXPECT_EQ(s.PaletteQuads[i], q);
    }
}

TEST(ApplyImageSize, ShrinksTheCellToTheImageAndRebuildsTheViews) {
    EditorState s;
    vallo::testing::RecordingHooks hooks;
    s.Hooks = &hooks;
    s.MainImage.SetSize(20, 100, 8);
    s.CharWidth = 32;
    s.CharLeft = 5;
    ApplyImageSize(s);
    EXPECT_EQ(s.CharWidth, 16);
    EXPECT_EQ(s.CharHeight, 32);
    EXPECT_EQ(s.CharLeft, 0);
    EXPECT_EQ(s.ImageWidth, 20);
    EXPECT_EQ(s.LupeImage.Width(), 16 * s.Magnification);
    EXPECT_TRUE(hooks.Saw("OverviewZoom"));
}

TEST(ApplyCharLayout, SnapsOrKeepsTheCellInsideTheImage) {
    EditorState s;
    s.CharWidth = s.CharHeight = 48;
    s.LupeStepX = 48;
    s.CharLeft = 100;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 96); // snapped to the cell grid
    s.LupeStepX = s.LupeStepY = 8;
    s.CharLeft = 100;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 100);
    EXPECT_EQ(s.LayerLeft, 100);
    s.CharWidth = 32;
    s.CharLeft = 480;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 464);
    // An image whose size is not a multiple of 8: the cell ends on the last multiple of 8.
    s.MainImage.SetSize(20, 20, 8);
    s.CharWidth = s.CharHeight = 12;
    s.CharLeft = s.CharTop = 10;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 4);
    EXPECT_EQ(s.CharTop, 4);
    // A cell as large as such an image must not go negative.
    s.CharWidth = s.CharHeight = 20;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 0);
    EXPECT_EQ(s.CharTop, 0);
    EXPECT_EQ(s.CharArea, 400);
    EXPECT_EQ(s.CellBufA.size() + s.CellBufB.size(), 800u);
}

TEST(SizeBoxChange, AppliesOnlyWholeValidSizes) {
    EditorState s;
    s.MainImage.SetSize(100, 60, 8);
    ApplyImageSize(s);
    for (const char* refused : {"30x30", "64x4", "64", "64x64", "104x8", "x32", "64x50"})
        EXPECT_FALSE(SizeBoxChange(s, refused)) << refused;
    EXPECT_EQ(s.CharWidth, 32);
    EXPECT_TRUE(SizeBoxChange(s, "36x36"));
    EXPECT_EQ(s.CharWidth, 36);
    EXPECT_TRUE(SizeBoxChange(s, "64x60")); // as tall as the image
    EXPECT_EQ(s.CharHeight, 60);
    EXPECT_TRUE(SizeBoxChange(s, "100x48"));
    EXPECT_EQ(s.CharWidth, 100);
    EXPECT_EQ(s.CharHeight, 48);
    EXPECT_EQ(s.CharArea, 100 * 48);
    EXPECT_EQ(s.LupeImage.Width(), 100 * s.Magnification);

    // A cell too large for the magnifier is refused.
    s.MainImage.SetSize(3000, 3000, 8);
    ApplyImageSize(s);
    s.Magnification = 20;
    EXPECT_FALSE(SizeBoxChange(s, "1024x1024"));
    EXPECT_TRUE(SizeBoxChange(s, "816x816"));
}

TEST(ToolChoice, ToolsPensAndTheGridButton) {
    EditorState s;
    s.CopyRangeState = 2;
    s.Drawing = true;
    btToolClick(s, 9);
    EXPECT_EQ(s.CurrentTool, 7);
    EXPECT_EQ(s.CopyRangeState, 0); // a pending range or shape is dropped
    EXPECT_FALSE(s.Drawing);
    btMarge3Click(s, -1);
    AMIClick(s, 5);
    EXPECT_EQ(s.MergeMode, 0);
    EXPECT_EQ(s.DitherMode, 2);
    for (auto [x, index, size, offset] :
         {std::tuple{399, 19, 20, -9}, {5000, 19, 20, -9}, {45, 2, 3, -1}, {-3, 0, 1, 0}}) {
        PenImagesMouseDown(s, x);
        EXPECT_EQ(s.PenIndex, index) << x;
        EXPECT_EQ(s.PenSize, size) << x;
        EXPECT_EQ(s.PenOffset, offset) << x;
    }
    s.CharWidth = 32;
    s.CharHeight = 16;
    btLGridClick(s, true);
    EXPECT_EQ(s.LupeStepX, 8);
    EXPECT_EQ(s.LupeStepY, 8);
    btLGridClick(s, false);
    EXPECT_EQ(s.LupeStepX, 32);
    EXPECT_EQ(s.LupeStepY, 16);
}

TEST(StrToIntDef, AcceptsOnlyPlainDecimalIntegers) {
    const std::pair<const char*, int> cases[] = {{"0064", 64}, {"-3", -3},        {"+7", 7},
                                                 {"", 9},      {"12a", 9},        {" 12", 9},
                                                 {"+", 9},     {"99999999999", 9}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToIntDef(text, 9), value) << text;
}
