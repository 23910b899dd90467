// Undo round trips of the layer merge, the copy range's paste and the cell transforms.
#include "draw/CopyRange.h"
#include "draw/EngineFixture.h"
#include "draw/ImageLayout.h"
#include "draw/Layers.h"
#include "draw/Transforms.h"
#include "draw/Undo.h"
#include "state/StateRoutines.h"

#include <functional>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::enginetest;

namespace {

class EditUndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.MainImage.SetSize(40, 24, 8);
        for (int i = 0; i < 256; ++i)
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
        Paint(s.MainImage, [](int x, int y) { return (x * 11 + y * 17) % 199 + 1; });
        s.CharWidth = s.CharHeight = 8;
        s.CharLeft = 8;
        s.CharTop = 8;
        s.Magnification = 2;
        PropagatePalette(s);
        ApplyCharLayout(s);
        FillTestTables(s);
        InitUndo(s, 31);
        s.Modified = false;
        original = AllPixels(s.MainImage);
    }
    const UndoEntry& Latest() const { return s.Undo.UndoEntries[1]; }
    IntRect LatestRect() const {
        return {Latest().Left, Latest().Top, Latest().Right, Latest().Bottom};
    }
    // Runs the operation, checks that it changed the image, that one undo restores every
    // byte and that a redo brings the change back.
    void ExpectRoundTrip(const std::function<void()>& operation, const char* name) {
        const std::vector<uint8_t> before = AllPixels(s.MainImage);
        operation();
        const std::vector<uint8_t> after = AllPixels(s.MainImage);
        EXPECT_NE(after, before) << name;
        Undo(s);
        EXPECT_EQ(AllPixels(s.MainImage), before) << name;
        Redo(s);
        EXPECT_EQ(AllPixels(s.MainImage), after) << name;
        Undo(s);
    }

    EditorState s;
    std::vector<uint8_t> original;
};

TEST_F(EditUndoTest, LayerMergeIntoEitherCellUndoesInOneStep) {
    s.LayerLeft = 24;
    s.LayerTop = 0;
    s.LayerMethod = 2;
    s.LayerActive = true;
    for (int target : {0, 1}) {
        s.LayerMergeTarget = target;
        ExpectRoundTrip([&] { MergeLayerIntoTarget(s); }, "merge");
        EXPECT_EQ(LatestRect(), target == 0 ? (IntRect{8, 8, 15, 15}) : (IntRect{24, 0, 31, 7}));
    }
    EXPECT_EQ(AllPixels(s.MainImage), original);
}

TEST_F(EditUndoTest, PasteCutAtTheEdgeRecordsOnlyTheCutArea) {
    s.CopyStepX = s.CopyStepY = 4;
    s.CopyImage.SetSize(12, 8, 8);
    Paint(s.CopyImage, [](int x, int y) { return 150 + x + y; });
    s.CopyRangeState = 2;
    s.PasteTransparent = false;
    ExpectRoundTrip([&] { CopyRangePress(s, 33, 21); }, "paste");
    EXPECT_EQ(LatestRect(), (IntRect{32, 20, 39, 23}));
    EXPECT_EQ(AllPixels(s.MainImage), original);
}

TEST_F(EditUndoTest, EveryTransformUndoesByteForByte) {
    const std::pair<void (*)(EditorState&), const char*> transforms[] = {
        {btUpClick, "up"},           {btDownClick, "down"}, {btLeftClick, "left"},
        {btRightClick, "right"},     {btRev1Click, "rev1"}, {btRev2Click, "rev2"},
        {btL90Click, "l90"},         {btR90Click, "r90"},   {btLeftToRightClick, "l2r"},
        {btRightToLeftClick, "r2l"},
    };
    for (const auto& [transform, name] : transforms) {
        s.Undo.UndoCoalesced = false; // a shift after a shift would join the earlier step
        ExpectRoundTrip([&] { transform(s); }, name);
        EXPECT_EQ(AllPixels(s.MainImage), original) << name;
    }
    btLeftToRightClick(s);
    EXPECT_EQ(LatestRect(), (IntRect{12, 8, 15, 15}));
    btRightToLeftClick(s);
    EXPECT_EQ(LatestRect(), (IntRect{8, 8, 11, 15}));
}

TEST_F(EditUndoTest, ARunOfShiftsIsOneStep) {
    for (int i = 0; i < 5; ++i)
        btRightClick(s);
    EXPECT_EQ(s.Undo.UndoDepth, 1);
    Undo(s);
    EXPECT_EQ(AllPixels(s.MainImage), original);

    // A shift, another change and a shift are three steps.
    btUpClick(s);
    PushUndo(s, 0, 0, 0, 0, false, false);
    s.MainImage.SetPixel(0, 0, 3);
    btUpClick(s);
    EXPECT_EQ(s.Undo.UndoDepth - s.Undo.RedoDepth, 3);
    Undo(s);
    Undo(s);
    Undo(s);
    EXPECT_EQ(AllPixels(s.MainImage), original);
}

} // namespace
