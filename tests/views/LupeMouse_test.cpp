#include "draw/ImageLayout.h"
#include "draw/ToolChoice.h"
#include "draw/Undo.h"
#include "state/ColorTables.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "views/LupeMouse.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace vallo;
using enum vallo::MouseButton;

namespace {

// A 64 x 64 document of index 0 with a grey ramp palette, the cell 32 x 32 at (32, 0), zoom 8,
// and a magnifier large enough to show the whole cell. Records the cursor and the areas of
// the magnifier asked to be repainted (as one bounding rectangle).
struct LupeMouseTest : ::testing::Test, ViewHooks {
    EditorState s;
    int hides = 0, shows = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    void HideCursor() override { ++hides; }
    void ShowCursor() override { ++shows; }
    void InvalidateLupeRect(int l, int t, int r, int b) override {
        left = std::min(left, l), top = std::min(top, t);
        right = std::max(right, r), bottom = std::max(bottom, b);
    }
    void ForgetAreas() { left = top = 1 << 30, right = bottom = -1; }
    void SetUp() override {
        s.Hooks = this;
        s.MainImage.SetSize(64, 64, 8);
        for (int i = 0; i < 256; ++i)
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
        s.LupeClientWidth = s.LupeClientHeight = 4096;
        ApplyImageSize(s);
        s.LupeStepX = s.LupeStepY = 8;
        s.CharLeft = 32;
        InitUndo(s, 31);
    }
    // Presses (or releases) the button on cell (cx, cy) of the magnified view.
    void Down(int cx, int cy, MouseButton b = Left) {
        LupeBoxMouseDown(s, b, cx * 8 + 3, cy * 8 + 3, false);
    }
    void Up(int cx, int cy, MouseButton b = Left) {
        LupeBoxMouseUp(s, b, cx * 8 + 3, cy * 8 + 3, false);
    }
    void Move(int cx, int cy) { LupeBoxMouseMove(s, cx * 8 + 3, cy * 8 + 3, false); }
    uint32_t Cell(int cx, int cy) const { return s.MainImage.Pixel(32 + cx, cy); }
    std::vector<uint8_t> Magnified() const {
        return {s.LupeImage.Bits(), s.LupeImage.Bits() + s.LupeImage.StoreSize()};
    }
};

} // namespace

TEST_F(LupeMouseTest, PenStrokeWritesTheSegmentOneUndoStepAndBalancesTheCursor) {
    s.DrawColor = 5;
    // From cell (27, 3) to the cell's last column, 31, then down to row 6.
    Down(27, 3);
    Move(31, 3);
    EXPECT_GT(hides, shows) << "the cursor stays hidden while drawing";
    LupeIdle(s); // shown while the pointer rests, hidden again by the next move
    EXPECT_EQ(hides, shows);
    Move(31, 6);
    EXPECT_GT(hides, shows);
    Up(31, 6);
    EXPECT_EQ(hides, shows);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inStroke = (y == 3 && x >= 59) || (x == 63 && y >= 3 && y <= 6);
            ASSERT_EQ(s.MainImage.Pixel(x, y), inStroke ? 5u : 0u) << x << "," << y;
        }
    // The magnified square of cell (31, 3), inside the grid line, shows the new colour.
    for (int y = 3 * 8 + 1; y < 4 * 8; ++y)
        for (int x = 31 * 8 + 1; x < 32 * 8; ++x)
            ASSERT_EQ(s.LupeImage.Pixel(x, y), 5u);
    EXPECT_TRUE(UndoCaption(s) == "Undo 1" && !s.Drawing);
    Undo(s);
    for (int x = 56; x < 64; ++x)
        EXPECT_EQ(s.MainImage.Pixel(x, 3), 0u) << x; // the whole stroke, last column too
    btToolClick(s, 6); // the bucket fills the blank cell, and the magnifier shows it at once
    Down(0, 0);
    EXPECT_TRUE(Cell(31, 31) == 5u && s.LupeImage.Pixel(31 * 8 + 3, 31 * 8 + 3) == 5u);
}

TEST_F(LupeMouseTest, LinePreviewCommitAndCancel) {
    btToolClick(s, 1);
    s.DrawColor = 9;
    const std::vector<uint8_t> before = Magnified();
    Down(1, 1);
    Up(1, 1);
    EXPECT_TRUE(s.Drawing) << "releasing between the clicks keeps the anchor";
    Move(5, 1);
    EXPECT_EQ(Cell(3, 1), 0u) << "the preview never reaches the document";
    EXPECT_EQ(Magnified(), before) << "the preview is taken back from the magnified buffer";
    // Coming back from a longer line repaints what the longer preview covered.
    Move(12, 9);
    ForgetAreas();
    Move(2, 2);
    EXPECT_LE(std::max(left, top), 8);
    EXPECT_GE(right, 13 * 8);
    EXPECT_GE(bottom, 10 * 8);
    Down(5, 1, Right);
    EXPECT_TRUE(!s.Drawing && UndoCaption(s) == "Undo 0");
    // A pen dot after the preview draws into the document again.
    btToolClick(s, 0);
    Down(7, 7);
    Up(7, 7);
    EXPECT_EQ(Cell(7, 7), 9u);
    Undo(s);
    // Choosing another tool abandons an anchor; a new pair of clicks draws the line.
    btToolClick(s, 4);
    Down(2, 2);
    btToolClick(s, 1);
    Down(1, 1);
    EXPECT_EQ(s.AnchorX, 1) << "the click after the tool change starts a new line";
    Down(5, 1);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Cell(x, 1), (x >= 1 && x <= 5) ? 9u : 0u);
    EXPECT_EQ(UndoCaption(s), "Undo 1");
}

TEST_F(LupeMouseTest, HoverAndShapePreviewsAreShownAndTakenBack) {
    s.LupeOverhang = false;
    s.DrawColor = 9;
    const std::vector<uint8_t> before = Magnified();
    Move(4, 5); // the pen's footprint under the pointer
    EXPECT_EQ(Magnified(), before);
    EXPECT_LE(left, 4 * 8);
    EXPECT_GE(bottom, 6 * 8);
    btToolClick(s, 2);
    Down(1, 1);
    Move(6, 6);
    EXPECT_EQ(Magnified(), before);
    EXPECT_FALSE(s.LupeOverhang); // only the preview reaches past the visible part
    EXPECT_EQ(Cell(6, 6), 0u);
}

TEST_F(LupeMouseTest, PickIgnoresForbiddenColoursWithEveryTool) {
    s.MainImage.SetPixel(32 + 1, 1, 40);
    s.MainImage.SetPixel(32 + 2, 1, 41);
    s.ForbiddenFlags[41] = kForbidden;
    for (int tool : {0, 1, 6}) {
        btToolClick(s, tool);
        s.DrawColor = 3;
        Down(2, 1, Right);
        Up(2, 1, Right);
        EXPECT_EQ(s.DrawColor, 3) << tool;
        Down(1, 1, Right);
        EXPECT_EQ(s.DrawColor, 40) << tool;
        // Dragging picks along the way, but never outside the cell.
        Move(5, 5);
        EXPECT_EQ(s.DrawColor, 0) << tool;
        LupeBoxMouseMove(s, -50, 11, false);
        EXPECT_EQ(s.DrawColor, 0) << tool;
        Up(1, 1, Right);
    }
    EXPECT_EQ(UndoCaption(s), "Undo 0");
}

TEST_F(LupeMouseTest, ZoomBoxAcceptsWholeHundredsWithinLimits) {
    EXPECT_TRUE(BaiBoxChange(s, "300%"));
    EXPECT_EQ((std::array{s.Magnification, s.LupeImage.Width(), s.LupeMinSize}),
              (std::array{3, 96, 102}));
    for (const char* text : {"250%", "50%", "6000%", "abc%", "300", "%", "-300%"}) {
        EXPECT_FALSE(BaiBoxChange(s, text)) << text;
        EXPECT_EQ(s.Magnification, 3) << text;
    }
    // A magnified cell beyond the buffer limit is refused like any invalid entry.
    s.MainImage.SetSize(1024, 1024, 8);
    s.CharWidth = s.CharHeight = 512;
    EXPECT_TRUE(!BaiBoxChange(s, "4000%") && s.Magnification == 3);
}
