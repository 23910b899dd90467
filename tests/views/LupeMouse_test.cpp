#include "draw/ImageLayout.h"
#include "draw/ToolChoice.h"
#include "draw/Undo.h"
#include "state/ColorTables.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "views/LupeMouse.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

using namespace vallo;

namespace {

struct CursorRecorder : ViewHooks {
    int hides = 0;
    int shows = 0;
    int paletteRepaints = 0;
    void HideCursor() override { ++hides; }
    void ShowCursor() override { ++shows; }
    void RepaintPalette() override { ++paletteRepaints; }
    // Every magnifier area asked to be repainted, merged into one bounding rectangle.
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    void InvalidateLupeRect(int l, int t, int r, int b) override {
        left = std::min(left, l), top = std::min(top, t);
        right = std::max(right, r), bottom = std::max(bottom, b);
    }
    void ForgetAreas() { left = top = 1 << 30, right = bottom = -1; }
};

// A 64 x 64 document with a grey ramp palette, the cell 32 x 32 at (32, 0), zoom 8, and a
// magnifier large enough to show the whole cell.
std::unique_ptr<EditorState> MakeEditor(ViewHooks* hooks = nullptr) {
    auto s = std::make_unique<EditorState>();
    if (hooks)
        s->Hooks = hooks;
    s->MainImage.SetSize(64, 64, 8);
    for (int i = 0; i < 256; ++i)
        s->MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
    s->LupeClientWidth = s->LupeClientHeight = 4096;
    ApplyImageSize(*s);
    s->LupeStepX = s->LupeStepY = 8;
    s->CharLeft = 32;
    InitUndo(*s, 31);
    return s;
}

int View(int cell) {
    return cell * 8 + 3;
}

uint32_t CellPixel(const EditorState& s, int cx, int cy) {
    return s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy);
}

} // namespace

TEST(LupeMouse, PenStrokeWritesTheSegmentAndOneUndoStep) {
    auto s = MakeEditor();
    s->DrawColor = 5;
    // From cell (27, 3) to the cell's last column, 31, then down to row 6.
    LupeBoxMouseDown(*s, MouseButton::Left, View(27), View(3), false);
    LupeBoxMouseMove(*s, View(31), View(3), false);
    LupeBoxMouseMove(*s, View(31), View(6), false);
    LupeBoxMouseUp(*s, MouseButton::Left, View(31), View(6), false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inStroke = (y == 3 && x >= 59) || (x == 63 && y >= 3 && y <= 6);
            ASSERT_EQ(s->MainImage.Pixel(x, y), inStroke ? 5u : 0u) << x << "," << y;
        }
    // The magnified square of cell (31, 3), inside the grid line, shows the new colour.
    for (int y = 3 * 8 + 1; y < 4 * 8; ++y)
        for (int x = 31 * 8 + 1; x < 32 * 8; ++x)
            ASSERT_EQ(s->LupeImage.Pixel(x, y), 5u);
    EXPECT_EQ(UndoCaption(*s), "Undo 1");
    EXPECT_FALSE(s->Drawing);
    Undo(*s);
    for (int x = 56; x < 64; ++x)
        EXPECT_EQ(s->MainImage.Pixel(x, 3), 0u) << x; // the whole stroke, last column too
}

TEST(LupeMouse, CursorHidesAreBalancedAfterAStroke) {
    CursorRecorder hooks;
    auto s = MakeEditor(&hooks);
    LupeBoxMouseDown(*s, MouseButton::Left, View(1), View(1), false);
    LupeBoxMouseMove(*s, View(9), View(1), false);
    EXPECT_GT(hooks.hides, hooks.shows) << "the cursor stays hidden while drawing";
    LupeIdle(*s); // shown while the pointer rests, hidden again by the next move
    EXPECT_EQ(hooks.hides, hooks.shows);
    LupeBoxMouseMove(*s, View(12), View(2), false);
    EXPECT_GT(hooks.hides, hooks.shows);
    LupeBoxMouseUp(*s, MouseButton::Left, View(12), View(2), false);
    EXPECT_EQ(hooks.hides, hooks.shows);
}

TEST(LupeMouse, LinePreviewCommitAndCancel) {
    CursorRecorder hooks;
    auto s = MakeEditor(&hooks);
    btToolClick(*s, 1);
    s->DrawColor = 9;
    const TDIB lupeBefore = s->LupeImage;
    LupeBoxMouseDown(*s, MouseButton::Left, View(1), View(1), false);
    LupeBoxMouseUp(*s, MouseButton::Left, View(1), View(1), false);
    EXPECT_TRUE(s->Drawing) << "releasing between the clicks keeps the anchor";
    LupeBoxMouseMove(*s, View(5), View(1), false);
    EXPECT_EQ(CellPixel(*s, 3, 1), 0u) << "the preview never reaches the document";
    for (int y = 0; y < s->LupeImage.Height(); ++y)
        ASSERT_EQ(0, std::memcmp(s->LupeImage.ScanLine(y), lupeBefore.ScanLine(y),
                                 size_t(s->LupeImage.Width())))
            << "the preview is taken back from the magnified buffer";
    // Coming back from a longer line repaints what the longer preview covered.
    LupeBoxMouseMove(*s, View(12), View(9), false);
    hooks.ForgetAreas();
    LupeBoxMouseMove(*s, View(2), View(2), false);
    EXPECT_LE(hooks.left, 1 * 8);
    EXPECT_LE(hooks.top, 1 * 8);
    EXPECT_GE(hooks.right, 13 * 8);
    EXPECT_GE(hooks.bottom, 10 * 8);
    LupeBoxMouseDown(*s, MouseButton::Right, View(5), View(1), false);
    EXPECT_FALSE(s->Drawing);
    EXPECT_EQ(UndoCaption(*s), "Undo 0");
    // A pen stroke after the preview draws into the document again.
    btToolClick(*s, 0);
    LupeBoxMouseDown(*s, MouseButton::Left, View(7), View(7), false);
    LupeBoxMouseUp(*s, MouseButton::Left, View(7), View(7), false);
    EXPECT_EQ(CellPixel(*s, 7, 7), 9u);
    Undo(*s);
    btToolClick(*s, 1);
    // A new pair of clicks draws the line.
    LupeBoxMouseDown(*s, MouseButton::Left, View(1), View(1), false);
    LupeBoxMouseDown(*s, MouseButton::Left, View(5), View(1), false);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(CellPixel(*s, x, 1), (x >= 1 && x <= 5) ? 9u : 0u);
    EXPECT_EQ(UndoCaption(*s), "Undo 1");
}

TEST(LupeMouse, HoverAndShapePreviewsAreShownAndTakenBack) {
    CursorRecorder hooks;
    auto s = MakeEditor(&hooks);
    s->LupeOverhang = false;
    s->DrawColor = 9;
    const auto bytes = [&] {
        return std::vector<uint8_t>(s->LupeImage.Bits(),
                                    s->LupeImage.Bits() + s->LupeImage.StoreSize());
    };
    const std::vector<uint8_t> before = bytes();
    LupeBoxMouseMove(*s, View(4), View(5), false); // the pen's footprint under the pointer
    EXPECT_EQ(bytes(), before);
    EXPECT_LE(hooks.left, 4 * 8);
    EXPECT_GE(hooks.bottom, 6 * 8);
    btToolClick(*s, 2);
    LupeBoxMouseDown(*s, MouseButton::Left, View(1), View(1), false);
    LupeBoxMouseMove(*s, View(6), View(6), false);
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(s->LupeOverhang); // only the preview reaches past the visible part
    EXPECT_EQ(CellPixel(*s, 6, 6), 0u);
}

TEST(LupeMouse, ChoosingAnotherToolAbandonsTheAnchor) {
    auto s = MakeEditor();
    btToolClick(*s, 4);
    LupeBoxMouseDown(*s, MouseButton::Left, View(1), View(1), false);
    btToolClick(*s, 1);
    LupeBoxMouseDown(*s, MouseButton::Left, View(3), View(3), false);
    EXPECT_TRUE(s->Drawing);
    EXPECT_EQ(s->AnchorX, 3) << "the second click starts a new line";
    EXPECT_EQ(UndoCaption(*s), "Undo 0");
}

TEST(LupeMouse, FillAndNoStepWhenTheColourIsAlreadyThere) {
    auto s = MakeEditor();
    btToolClick(*s, 6);
    s->DrawColor = 7;
    LupeBoxMouseDown(*s, MouseButton::Left, View(0), View(0), false);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(CellPixel(*s, x, y), 7u);
    EXPECT_EQ(s->MainImage.Pixel(31, 0), 0u) << "the fill stays inside the cell";
    EXPECT_EQ(s->LupeImage.Pixel(5 * 8 + 3, 9 * 8 + 3), 7u) << "and shows in the magnifier";
    LupeBoxMouseDown(*s, MouseButton::Left, View(4), View(4), false);
    EXPECT_EQ(UndoCaption(*s), "Undo 1");
}

TEST(LupeMouse, PickIgnoresForbiddenColoursWithEveryTool) {
    auto s = MakeEditor();
    s->MainImage.SetPixel(32 + 1, 1, 40);
    s->MainImage.SetPixel(32 + 2, 1, 41);
    s->ForbiddenFlags[41] = kForbidden;
    for (int tool : {0, 1, 6}) {
        btToolClick(*s, tool);
        s->DrawColor = 3;
        LupeBoxMouseDown(*s, MouseButton::Right, View(2), View(1), false);
        LupeBoxMouseUp(*s, MouseButton::Right, View(2), View(1), false);
        EXPECT_EQ(s->DrawColor, 3) << tool;
        LupeBoxMouseDown(*s, MouseButton::Right, View(1), View(1), false);
        EXPECT_EQ(s->DrawColor, 40) << tool;
        // Dragging picks along the way, but never outside the cell.
        LupeBoxMouseMove(*s, View(5), View(5), false);
        EXPECT_EQ(s->DrawColor, 0) << tool;
        LupeBoxMouseMove(*s, -50, View(1), false);
        EXPECT_EQ(s->DrawColor, 0) << tool;
        LupeBoxMouseUp(*s, MouseButton::Right, View(1), View(1), false);
    }
    EXPECT_EQ(UndoCaption(*s), "Undo 0");
}

TEST(LupeMouse, CaptionShowsCellCoordinatesTruncatedTowardZero) {
    auto s = MakeEditor();
    EXPECT_EQ(LupeBoxMouseMove(*s, -3, 20, false), "ルーペ [X=0:Y=2]");
    EXPECT_EQ(LupeBoxMouseMove(*s, -8, 0, false), "ルーペ [X=-1:Y=0]");
    s->LayerActive = true;
    EXPECT_EQ(LupeBoxMouseMove(*s, 16, 8, false), "ルーペ [X=2:Y=1] レイヤー作動中");
}

TEST(LupeMouse, ZoomBoxAcceptsWholeHundredsWithinLimits) {
    auto s = MakeEditor();
    EXPECT_TRUE(BaiBoxChange(*s, "300%"));
    EXPECT_EQ(s->Magnification, 3);
    EXPECT_EQ(s->LupeImage.Width(), 96);
    EXPECT_EQ(s->LupeMinSize, 102);
    for (const char* text : {"250%", "50%", "6000%", "abc%", "300", "%", "-300%"}) {
        EXPECT_FALSE(BaiBoxChange(*s, text)) << text;
        EXPECT_EQ(s->Magnification, 3) << text;
    }
    EXPECT_TRUE(BaiBoxChange(*s, "5000%"));
    EXPECT_EQ(s->LupeImage.Width(), 32 * 50);
    // A magnified cell beyond the buffer limit is refused like any invalid entry.
    s->MainImage.SetSize(1024, 1024, 8);
    s->CharWidth = s->CharHeight = 512;
    EXPECT_FALSE(BaiBoxChange(*s, "4000%"));
    EXPECT_EQ(s->Magnification, 50);
    EXPECT_EQ(ZoomText(12), "1200%");
}

TEST(LupeMouse, AtOneToOneTheGridGivesWayToThePixels) {
    auto s = MakeEditor();
    ASSERT_TRUE(BaiBoxChange(*s, "100%"));
    s->DrawColor = 6;
    LupeBoxMouseDown(*s, MouseButton::Left, 2, 3, false);
    LupeBoxMouseUp(*s, MouseButton::Left, 2, 3, false);
    EXPECT_EQ(s->LupeImage.Pixel(2, 3), 6u);
    EXPECT_EQ(s->LupeImage.Pixel(3, 3), 0u);
}
