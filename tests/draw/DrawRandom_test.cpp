#include "DrawFixture.h"
#include "draw/CopyRange.h"
#include "draw/FloodFill.h"
#include "draw/Layers.h"
#include "draw/Shapes.h"
#include "draw/Transforms.h"
#include "palette/Tone.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

using namespace vallo;
using namespace vallo::testing;

namespace {

// Width, height, pixels and palette.
using DocumentState = std::tuple<int, int, std::vector<uint8_t>, ColorTableArray>;

// A long run of random edits, undos and redos; after every undo or redo the document must be
// byte for byte what it was at that point of the history, and no drawing may write a
// forbidden index.
class RandomSession {
public:
    explicit RandomSession(unsigned seed) : rng_(seed), s_(MakeEditor(true)) {
        for (int i : {5, 34, 77, 128, 200, 201, 202})
            s_->ForbiddenFlags[size_t(i)] = kForbidden;
        PropagatePalette(*s_);
        InitUndo(*s_, 5000);
        Paint(s_->MainImage, [&](int, int) { return Allowed(Pick(0, 255)); });
        states_.push_back(Take());
    }

    void Step() {
        using Action = void (RandomSession::*)();
        static constexpr std::pair<int, Action> kActions[] = {
            {22, &RandomSession::Stroke},     {10, &RandomSession::Shape},
            {5, &RandomSession::Fill},        {2, &RandomSession::PaletteEdit},
            {2, &RandomSession::SizeChange},  {4, &RandomSession::MoveCell},
            {5, &RandomSession::Transform},   {4, &RandomSession::LayerMerge},
            {4, &RandomSession::Paste},       {2, &RandomSession::Tone},
            {2, &RandomSession::Grade},       {20, &RandomSession::StepBack},
            {18, &RandomSession::StepForward}};
        int roll = Pick(0, 99);
        for (const auto& [weight, action] : kActions) {
            if (roll < weight)
                return (this->*action)();
            roll -= weight;
        }
    }

    void UndoEverything() {
        while (CanUndo(*s_))
            StepBack();
        EXPECT_EQ(cursor_, 0u);
        EXPECT_TRUE(Take() == states_[0]);
    }

private:
    DocumentState Take() const {
        return {s_->MainImage.Width(), s_->MainImage.Height(), AllPixels(s_->MainImage),
                s_->MainImage.ColorTable()};
    }
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Coin() { return Pick(0, 1) == 1; }
    int Coord() { return Pick(-6, 22); }
    uint8_t Allowed(int index) {
        while (s_->ForbiddenFlags[size_t(index)] == kForbidden)
            index = (index + 1) % 256;
        return uint8_t(index);
    }
    void RandomPenAndModes() {
        SelectPen(*s_, Pick(0, 19) < 12 ? Pick(0, 3) : Pick(0, 19));
        s_->MergeMode = Pick(0, 4);
        s_->DitherMode = Pick(0, 2);
        s_->DrawColor = Allowed(Pick(0, 255));
        s_->TransColor = uint8_t(Pick(0, 255));
        s_->LupeOverhang = Pick(0, 3) != 0;
        s_->LupeScrollX = Pick(0, 30);
        s_->LupeScrollY = Pick(0, 30);
        s_->LupeClientWidth = Pick(0, 80);
        s_->LupeClientHeight = Pick(0, 80);
    }
    void PushCell() {
        PushUndo(*s_, s_->CharLeft, s_->CharTop, s_->CharLeft + s_->CharWidth - 1,
                 s_->CharTop + s_->CharHeight - 1, false, false);
    }
    void Record() {
        states_.resize(cursor_ + 1);
        states_.push_back(Take());
        ++cursor_;
    }
    // Records a drawing after checking that every pixel it changed holds an allowed index.
    void RecordDrawing(const std::vector<uint8_t>& before) {
        const std::vector<uint8_t> after = AllPixels(s_->MainImage);
        for (size_t i = 0; i < after.size(); ++i)
            ASSERT_TRUE(after[i] == before[i] || s_->ForbiddenFlags[after[i]] != kForbidden)
                << "index " << int(after[i]);
        Record();
    }
    void Stroke() {
        RandomPenAndModes();
        const auto before = AllPixels(s_->MainImage);
        PushCell();
        int x = Coord(), y = Coord();
        PlotPen(*s_, x, y);
        for (int n = Pick(0, 5); n > 0; --n) {
            const int nx = Coord(), ny = Coord();
            DrawLine(*s_, x, y, nx, ny);
            x = nx, y = ny;
        }
        ClearStrokeMask(*s_);
        RecordDrawing(before);
    }
    void Shape() {
        RandomPenAndModes();
        const int tool = Pick(1, 5);
        const int x0 = Coord(), y0 = Coord(), x1 = Coord(), y1 = Coord();
        // A preview first: it must leave the document alone.
        const auto before = AllPixels(s_->MainImage);
        s_->PreviewDrawing = true;
        SavePreviewRegion(*s_, x0, y0, x1, y1, s_->PenOffset, s_->PenSize);
        DrawToolShape(*s_, tool, x0, y0, x1, y1);
        ClearStrokeMask(*s_);
        RestorePreviewRegion(*s_);
        s_->PreviewDrawing = false;
        ASSERT_EQ(AllPixels(s_->MainImage), before);
        PushCell();
        DrawToolShape(*s_, tool, x0, y0, x1, y1);
        ClearStrokeMask(*s_);
        RecordDrawing(before);
    }
    void Fill() {
        s_->DrawColor = Allowed(Pick(0, 255));
        s_->DitherMode = Pick(0, 2);
        const int x = Pick(0, 15), y = Pick(0, 15);
        if (CellPixel(*s_, x, y) == s_->DrawColor)
            return;
        PushCell();
        FloodFillCell(*s_, x, y);
        Record();
    }
    void PaletteEdit() {
        PushUndo(*s_, 0, 0, 0, 0, false, true);
        for (int n = Pick(1, 8); n > 0; --n)
            s_->MainImage.ColorTable()[size_t(Pick(0, 255))] = {
                uint8_t(Pick(0, 255)), uint8_t(Pick(0, 255)), uint8_t(Pick(0, 255)), 0};
        PropagatePalette(*s_);
        Record();
    }
    void SizeChange() {
        PushUndo(*s_, 0, 0, s_->MainImage.Width() - 1, s_->MainImage.Height() - 1, true, false);
        s_->MainImage.SetSize(Pick(16, 48), Pick(16, 48), 8);
        const uint8_t base = Allowed(Pick(0, 255));
        Paint(s_->MainImage, [&](int x, int y) { return Allowed((base + x * y) % 256); });
        ApplyImageSize(*s_);
        Record();
    }
    void Transform() {
        static void (*const kTransforms[])(EditorState&) = {
            btUpClick,   btDownClick, btLeftClick, btRightClick,       btRev1Click,
            btRev2Click, btL90Click,  btR90Click,  btLeftToRightClick, btRightToLeftClick};
        const int which = Pick(0, 9);
        const UndoHistory before = s_->Undo;
        kTransforms[which](*s_);
        // A run of shifts is one step: a coalesced shift replaces the state it continues.
        if (s_->Undo.UndoDepth == before.UndoDepth && s_->Undo.RedoDepth == before.RedoDepth &&
            which < 4 && cursor_ > 0)
            --cursor_;
        Record();
    }
    void LayerMerge() {
        RandomPenAndModes();
        s_->LayerLeft = Pick(0, s_->MainImage.Width() - s_->CharWidth);
        s_->LayerTop = Pick(0, s_->MainImage.Height() - s_->CharHeight);
        s_->LayerBelow = Coin();
        s_->LayerSeeThrough = Coin();
        s_->LayerMethod = Pick(0, 4);
        s_->LayerMergeTarget = Pick(0, 1);
        s_->LayerActive = true;
        const auto before = AllPixels(s_->MainImage);
        MergeLayerIntoTarget(*s_);
        s_->LayerActive = false;
        if (s_->LayerMethod == 0)
            return Record();
        RecordDrawing(before);
    }
    void Paste() {
        RandomPenAndModes();
        s_->CopySizeChoice = Pick(0, 5);
        SizeGroupClick(*s_);
        s_->PasteTransparent = Coin();
        s_->CopyWithMergeMode = Coin();
        const int w = s_->MainImage.Width(), h = s_->MainImage.Height();
        s_->CopyRangeState = 0;
        CopyRangePress(*s_, Pick(0, w - 1), Pick(0, h - 1));
        CopyRangeMove(*s_, Pick(0, w - 1), Pick(0, h - 1));
        CopyRangePress(*s_, Pick(0, w - 1), Pick(0, h - 1));
        const int depth = s_->Undo.UndoDepth - s_->Undo.RedoDepth;
        const auto before = AllPixels(s_->MainImage);
        CopyRangePress(*s_, Pick(0, w - 1), Pick(0, h - 1));
        if (s_->Undo.UndoDepth - s_->Undo.RedoDepth == depth && !s_->Undo.RedoDepth)
            return; // nothing was pasted
        if (!s_->PasteTransparent && !s_->CopyWithMergeMode)
            return Record();
        RecordDrawing(before);
    }
    void Tone() {
        // Braced initialisers evaluate left to right, so the draws keep their order.
        CommitTone(*s_, ToneSettings{Pick(-100, 100), Pick(-100, 100), Pick(-100, 100),
                                     ToneSelection(Pick(0, 2)), ToneMode(Pick(0, 1))});
        Record();
    }
    void Grade() {
        s_->DrawColor = Allowed(Pick(0, 255));
        s_->TransColor = uint8_t(Pick(0, 255));
        if (Gradation(*s_))
            Record();
    }
    void MoveCell() {
        s_->CharLeft = Pick(0, s_->MainImage.Width() - s_->CharWidth);
        s_->CharTop = Pick(0, s_->MainImage.Height() - s_->CharHeight);
    }
    void StepBack() {
        if (!CanUndo(*s_))
            return;
        Undo(*s_);
        --cursor_;
        ASSERT_TRUE(Take() == states_[cursor_]) << "after undo to " << cursor_;
        ASSERT_EQ(s_->PaletteQuads, s_->MainImage.ColorTable());
    }
    void StepForward() {
        if (!CanRedo(*s_))
            return;
        Redo(*s_);
        ++cursor_;
        ASSERT_TRUE(Take() == states_[cursor_]) << "after redo to " << cursor_;
    }

    std::mt19937 rng_;
    std::unique_ptr<EditorState> s_;
    std::vector<DocumentState> states_;
    size_t cursor_ = 0;
};

} // namespace

TEST(DrawRandom, EveryStepUndoesAndRedoesByteForByte) {
    for (unsigned seed : {1u, 2u}) {
        RandomSession session(seed);
        for (int i = 0; i < 1500 && !::testing::Test::HasFatalFailure(); ++i)
            session.Step();
        session.UndoEverything();
    }
}
