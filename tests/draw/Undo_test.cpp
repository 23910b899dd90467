#include "DrawFixture.h"
#include "draw/Transforms.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testing;

namespace {

// One pen stroke of the magnifier: snapshot of the cell, then a dab.
void Stroke(EditorState& s, int x, int y, uint8_t colour) {
    PushUndo(s, s.CharLeft, s.CharTop, s.CharLeft + s.CharWidth - 1, s.CharTop + s.CharHeight - 1,
             false, false);
    s.DrawColor = colour;
    PlotPen(s, x, y);
    ClearStrokeMask(s);
}

std::string Captions(const EditorState& s) {
    return UndoCaption(s) + "/" + RedoCaption(s);
}

} // namespace

TEST(Undo, FullHistoryForgetsTheOldestStepAndANewStepDropsTheRedoData) {
    auto s = MakeEditor(true);
    InitUndo(*s, 31);
    EXPECT_TRUE(Captions(*s) == "Undo 0/Redo 0" && !CanUndo(*s)) << Captions(*s);
    std::vector<std::vector<uint8_t>> states{AllPixels(s->MainImage)};
    for (int i = 0; i < 31; ++i) {
        Stroke(*s, i % 16, i / 16, uint8_t(10 + i));
        states.push_back(AllPixels(s->MainImage));
    }
    EXPECT_EQ(Captions(*s), "Undo 30/Redo 0");
    for (int i = 0; i < 31; ++i) // the last one finds nothing left and changes nothing
        Undo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), states[1]);
    EXPECT_FALSE(CanUndo(*s));
    EXPECT_EQ(Captions(*s), "Undo 0/Redo 30");
    for (int i = 0; i < 28; ++i)
        Redo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), states[29]);
    EXPECT_TRUE(CanRedo(*s));

    // A new step now drops the two redo steps; undoing walks back through the kept ones.
    Stroke(*s, 15, 15, 99);
    EXPECT_TRUE(Captions(*s) == "Undo 29/Redo 0" && !CanRedo(*s)) << Captions(*s);
    Redo(*s);
    EXPECT_EQ(CellPixel(*s, 15, 15), 99);
    for (int back = 29; back >= 27; --back) {
        Undo(*s);
        EXPECT_EQ(AllPixels(s->MainImage), states[size_t(back)]) << back;
    }
}

TEST(Undo, AFileOpenIsOneWholeImageStepKeptWithoutCopying) {
    vallo::test::RecordingHooks hooks;
    auto s = MakeEditor(true);
    s->Hooks = &hooks;
    InitUndo(*s, 5);
    Paint(s->MainImage, [](int x, int y) { return x ^ y; });
    const auto oldPixels = AllPixels(s->MainImage);
    const ColorTableArray oldPalette = s->MainImage.ColorTable();
    PushUndo(*s, 0, 0, 63, 47, true, true);
    EXPECT_TRUE(s->Undo.UndoEntries[1].Image.SharesPixelsWith(s->MainImage));
    TDIB opened(100, 30, 8);
    FillImage(opened, 2);
    LoadPictureIntoMainImage(*s, opened);
    s->FileName = "/pictures/sprite.png";
    ApplyImageSize(*s);
    Undo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), oldPixels);
    EXPECT_EQ(s->PaletteQuads, oldPalette);
    EXPECT_EQ(hooks.Title, "Vallo [無題]");
    Redo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), AllPixels(opened));
    EXPECT_EQ(hooks.Title, "Vallo [sprite.png]");
}

TEST(Undo, ARunOfShiftsIsOneStep) {
    auto s = MakeEditor(true);
    InitUndo(*s, 31);
    Paint(s->MainImage, [](int x, int y) { return x * 3 + y; });
    const auto initial = AllPixels(s->MainImage);
    for (int i = 0; i < 5; ++i)
        btRightClick(*s);
    EXPECT_EQ(Captions(*s), "Undo 1/Redo 0");
    Undo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), initial);
    btUpClick(*s); // after an undo a shift starts a step of its own
    EXPECT_EQ(Captions(*s), "Undo 1/Redo 0");
    Stroke(*s, 1, 1, 9); // a normal step ends the run
    btUpClick(*s);
    EXPECT_EQ(UndoCaption(*s), "Undo 3");
    for (int i = 0; i < 3; ++i)
        Undo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), initial);
}

TEST(Undo, BadRectanglesAndCountsAreHarmless) {
    auto s = MakeEditor(true);
    InitUndo(*s, 1);
    EXPECT_EQ(s->Undo.UndoEntries.size(), 2u);
    InitUndo(*s, 2000000000);
    EXPECT_EQ(s->Undo.UndoEntries.size(), 10000u);
    InitUndo(*s, 4);
    const auto initial = AllPixels(s->MainImage);
    PushUndo(*s, -50, -50, 5000, 5000, false, false);
    FillImage(s->MainImage, 3);
    PushUndo(*s, 100, 100, 200, 200, false, false); // wholly outside: an empty step
    Undo(*s);
    Undo(*s);
    EXPECT_EQ(AllPixels(s->MainImage), initial);
    Redo(*s);
    EXPECT_EQ(CellPixel(*s, 0, 0), 3);

    // Without InitUndo the history is created on first use.
    auto fresh = MakeEditor(true);
    Stroke(*fresh, 0, 0, 9);
    Undo(*fresh);
    EXPECT_EQ(CellPixel(*fresh, 0, 0), 0);
}
