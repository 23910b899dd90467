#include "draw/ToolChoice.h"

#include <gtest/gtest.h>
#include <memory>

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/TextNumbers.h"
#include "draw/ImageLayout.h"

using namespace vallo;

TEST(SizeBoxChange, AppliesOnlyWholeValidSizes) {
    auto s = std::make_unique<EditorState>();
    s->MainImage.SetSize(100, 60, 8);
    ApplyImageSize(*s);
    EXPECT_FALSE(SizeBoxChange(*s, "30x30")) << "not a multiple of 4";
    EXPECT_FALSE(SizeBoxChange(*s, "64x4")) << "height below 8 while typing 64x48";
    EXPECT_FALSE(SizeBoxChange(*s, "64"));
    EXPECT_FALSE(SizeBoxChange(*s, "64x64")) << "taller than the image";
    EXPECT_FALSE(SizeBoxChange(*s, "x32"));
    EXPECT_TRUE(SizeBoxChange(*s, "36x36"));
    EXPECT_EQ(s->CharWidth, 36);
    EXPECT_TRUE(SizeBoxChange(*s, "64x48"));
    EXPECT_EQ(s->CharWidth, 64);
    EXPECT_EQ(s->CharHeight, 48);
    EXPECT_EQ(s->CharArea, 64 * 48);
    EXPECT_EQ(s->LupeImage.Width(), 64 * s->Magnification);
}

TEST(SizeBoxChange, RefusesACellTooLargeForTheMagnifier) {
    auto s = std::make_unique<EditorState>();
    s->MainImage.SetSize(3000, 3000, 8);
    ApplyImageSize(*s);
    s->Magnification = 20;
    EXPECT_FALSE(SizeBoxChange(*s, "1024x1024"));
    EXPECT_TRUE(SizeBoxChange(*s, "816x816"));
}

TEST(ToolChoice, PenStripAndGridButton) {
    auto s = std::make_unique<EditorState>();
    PenImagesMouseDown(*s, 399);
    EXPECT_EQ(s->PenIndex, 19);
    EXPECT_EQ(s->PenSize, 20);
    EXPECT_EQ(s->PenOffset, -9);
    PenImagesMouseDown(*s, 5000);
    EXPECT_EQ(s->PenIndex, 19);
    PenImagesMouseDown(*s, 45);
    EXPECT_EQ(s->PenSize, 3);
    EXPECT_EQ(s->PenOffset, -1);
    s->CharWidth = 32;
    s->CharHeight = 16;
    btLGridClick(*s, true);
    EXPECT_EQ(s->LupeStepX, 8);
    btLGridClick(*s, false);
    EXPECT_EQ(s->LupeStepX, 32);
    EXPECT_EQ(s->LupeStepY, 16);
}

TEST(ToolChoice, ChoosingAToolDropsTheCopyRange) {
    auto s = std::make_unique<EditorState>();
    s->CopyRangeState = 2;
    btToolClick(*s, 7);
    EXPECT_EQ(s->CurrentTool, 7);
    EXPECT_EQ(s->CopyRangeState, 0);
}

TEST(StrToIntDef, AcceptsOnlyPlainDecimalIntegers) {
    EXPECT_EQ(StrToIntDef("0064", 0), 64);
    EXPECT_EQ(StrToIntDef("-3", 0), -3);
    EXPECT_EQ(StrToIntDef("+7", 0), 7);
    EXPECT_EQ(StrToIntDef("", 9), 9);
    EXPECT_EQ(StrToIntDef("12a", 9), 9);
    EXPECT_EQ(StrToIntDef(" 12", 9), 9);
    EXPECT_EQ(StrToIntDef("99999999999", 9), 9);
}
