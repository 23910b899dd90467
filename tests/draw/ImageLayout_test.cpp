#include "DrawFixture.h"
#include "draw/ToolChoice.h"
#include "state/TextNumbers.h"

#include <gtest/gtest.h>

using namespace vallo;

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
    EXPECT_EQ((std::array{s.CharLeft, s.LayerLeft}), (std::array{100, 100}));
    s.CharWidth = 32;
    s.CharLeft = 480;
    ApplyCharLayout(s);
    EXPECT_EQ(s.CharLeft, 464);
    // An image whose size is not a multiple of 8: the cell ends on the last multiple of 8.
    s.MainImage.SetSize(20, 20, 8);
    s.CharWidth = s.CharHeight = 12;
    s.CharLeft = s.CharTop = 10;
    ApplyCharLayout(s);
    EXPECT_EQ((std::array{s.CharLeft, s.CharTop}), (std::array{4, 4}));
    // A cell as large as such an image must not go negative.
    s.CharWidth = s.CharHeight = 20;
    ApplyCharLayout(s);
    EXPECT_EQ((std::array{s.CharLeft, s.CharTop, s.CharArea}), (std::array{0, 0, 400}));
    EXPECT_EQ(s.CellBufA.size() + s.CellBufB.size(), 800u);
}

TEST(SizeBoxChange, AppliesOnlyWholeValidSizes) {
    EditorState s;
    s.MainImage.SetSize(100, 60, 8);
    ApplyImageSize(s);
    for (const char* refused : {"30x30", "64x4", "64", "64x64", "104x8", "x32", "64x50"})
        EXPECT_FALSE(SizeBoxChange(s, refused)) << refused;
    EXPECT_EQ(s.CharWidth, 32);
    EXPECT_TRUE(SizeBoxChange(s, "36x36") && s.CharWidth == 36);
    EXPECT_TRUE(SizeBoxChange(s, "64x60") && s.CharHeight == 60); // as tall as the image
    EXPECT_TRUE(SizeBoxChange(s, "100x48"));
    EXPECT_EQ((std::array{s.CharWidth, s.CharHeight}), (std::array{100, 48}));
    EXPECT_EQ(s.CharArea, 100 * 48);
    EXPECT_EQ(s.LupeImage.Width(), 100 * s.Magnification);

    // A cell too large for the magnifier is refused.
    s.MainImage.SetSize(3000, 3000, 8);
    ApplyImageSize(s);
    s.Magnification = 20;
    EXPECT_TRUE(!SizeBoxChange(s, "1024x1024") && SizeBoxChange(s, "816x816"));
}

TEST(ToolChoice, PenClicksStayWithinTheStrip) {
    EditorState s;
    for (auto [x, size, offset] :
         {std::tuple{399, 20, -9}, {5000, 20, -9}, {45, 3, -1}, {-3, 1, 0}}) {
        PenImagesMouseDown(s, x);
        EXPECT_EQ(s.PenSize, size) << x;
        EXPECT_EQ(s.PenOffset, offset) << x;
    }
}

TEST(StrToIntDef, AcceptsOnlyPlainDecimalIntegers) {
    const std::pair<const char*, int> cases[] = {{"0064", 64}, {"-3", -3},        {"+7", 7},
                                                 {"", 9},      {"12a", 9},        {" 12", 9},
                                                 {"+", 9},     {"99999999999", 9}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(StrToIntDef(text, 9), value) << text;
}
