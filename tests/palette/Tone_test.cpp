#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "palette/Tone.h"
#include "state/StateRoutines.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;

namespace {

struct ToneTest : ::testing::Test {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    void SetUp() override {
        s.Hooks = &hooks;
        vallo::test::SetRampPalette(s);
    }
    void SetEntry(int i, uint8_t r, uint8_t g, uint8_t b) {
        s.MainImage.ColorTable()[size_t(i)] = {b, g, r, 0};
    }
    RGBQuad Entry(int i) const { return s.MainImage.ColorTable()[size_t(i)]; }
};

} // namespace

TEST(ToneColor, RgbAmountsTruncateAndClamp) {
    ToneSettings t;
    t.P1 = 100;
    EXPECT_EQ(ToneColor(MakeColor(0, 10, 20), t), MakeColor(255, 10, 20));
    EXPECT_EQ(ToneColor(MakeColor(255, 10, 20), t), MakeColor(255, 10, 20));
    t = {50, -50, 20, ToneSelection::All, ToneMode::Rgb};
    EXPECT_EQ(ToneColor(MakeColor(0, 200, 0), t), MakeColor(127, 73, 51));
    t = {-100, 0, 0, ToneSelection::All, ToneMode::Rgb};
    EXPECT_EQ(ToneColor(MakeColor(100, 1, 2), t), MakeColor(0, 1, 2));
    EXPECT_EQ(ToneBarText(-35), "-35%");
}

TEST(ToneColor, HlsPassesThroughBothConversions) {
    ToneSettings t;
    t.Mode = ToneMode::Hls;
    EXPECT_EQ(ToneColor(MakeColor(128, 128, 128), t), MakeColor(127, 127, 127));
    t.P1 = 100; // a full turn of the hue
    EXPECT_EQ(ToneColor(MakeColor(128, 128, 128), t), MakeColor(127, 127, 127));
    EXPECT_EQ(ToneColor(MakeColor(255, 0, 0), t), MakeColor(255, 0, 0));
    t = {0, 100, 0, ToneSelection::All, ToneMode::Hls}; // lightness up to white
    EXPECT_EQ(ToneColor(MakeColor(255, 0, 0), t), MakeColor(255, 255, 255));
    t = {0, 0, -100, ToneSelection::All, ToneMode::Hls}; // no saturation left: grey
    const uint32_t c = ToneColor(MakeColor(255, 0, 0), t);
    EXPECT_EQ(ColorRed(c), ColorGreen(c));
    EXPECT_EQ(ColorGreen(c), ColorBlue(c));
    t = {0, 100, 0, ToneSelection::All, ToneMode::Hls}; // black up to mid grey
    EXPECT_EQ(ToneColor(MakeColor(0, 0, 0), t), MakeColor(127, 127, 127));
}

TEST(ToneTable, SelectsByForbiddenMarks) {
    std::array<uint32_t, 256> colors{};
    std::array<int32_t, 256> flags{};
    flags[3] = kForbidden;
    ToneSettings t{100, 0, 0, ToneSelection::AllowedOnly, ToneMode::Rgb};
    ColorTableArray out = ToneTable(colors, flags, t);
    EXPECT_EQ(out[2].rgbRed, 255);
    EXPECT_EQ(out[3].rgbRed, 0);
    t.Kinsi = ToneSelection::ForbiddenOnly;
    out = ToneTable(colors, flags, t);
    EXPECT_EQ(out[2].rgbRed, 0);
    EXPECT_EQ(out[3].rgbRed, 255);
}

TEST_F(ToneTest, PreviewStaysShownUntilCloseAndNeverTouchesThePalette) {
    const ColorTableArray before = s.MainImage.ColorTable();
    s.ForbiddenFlags[5] = kForbidden;
    PreviewTone(s, {100, 0, 0, ToneSelection::All, ToneMode::Rgb});
    EXPECT_EQ(s.MainImage.ColorTable()[5].rgbRed, 255);
    EXPECT_EQ(s.LupeImage.ColorTable()[6].rgbRed, 255);
    EXPECT_EQ(s.PaletteQuads, before);
    // A narrower selection shows the left-out entries committed again, not the last preview.
    PreviewTone(s, {0, 0, 100, ToneSelection::ForbiddenOnly, ToneMode::Rgb});
    EXPECT_EQ(s.MainImage.ColorTable()[6], before[6]);
    EXPECT_EQ(s.MainImage.ColorTable()[5].rgbBlue, 255);
    EXPECT_EQ(s.MainImage.ColorTable()[5].rgbRed, before[5].rgbRed);
    CommitTone(s, {0, 0, 100, ToneSelection::ForbiddenOnly, ToneMode::Rgb});
    EXPECT_EQ(s.PaletteQuads[6], before[6]);
    CloseTone(s);
    EXPECT_EQ(s.MainImage.ColorTable()[5].rgbBlue, 255);
    EXPECT_EQ(s.LupeImage.ColorTable(), s.PaletteQuads);
}

TEST_F(ToneTest, CommitIsOneUndoStepEvenWhenNothingChanges) {
    InitUndo(s, 8);
    const ColorTableArray before = s.MainImage.ColorTable();
    CommitTone(s, {0, 0, 0, ToneSelection::ForbiddenOnly, ToneMode::Rgb});
    EXPECT_EQ(s.Undo.UndoDepth, 1);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    CommitTone(s, {100, 100, 100, ToneSelection::All, ToneMode::Rgb});
    EXPECT_EQ(s.Undo.UndoDepth, 2);
    Undo(s);
    Undo(s);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
}

TEST_F(ToneTest, GradationRampsBetweenTheTwoColours) {
    SetEntry(10, 0, 0, 0);
    SetEntry(14, 255, 255, 255);
    PropagatePalette(s);
    s.DrawColor = 14;
    s.TransColor = 10;
    const RGBQuad e9 = Entry(9);
    const RGBQuad e15 = Entry(15);
    EXPECT_TRUE(Gradation(s));
    EXPECT_EQ(Entry(11), (RGBQuad{63, 63, 63, 0}));
    EXPECT_EQ(Entry(12), (RGBQuad{127, 127, 127, 0}));
    EXPECT_EQ(Entry(13), (RGBQuad{191, 191, 191, 0}));
    EXPECT_EQ(Entry(10), (RGBQuad{0, 0, 0, 0}));
    EXPECT_EQ(Entry(14), (RGBQuad{255, 255, 255, 0}));
    EXPECT_EQ(Entry(9), e9);
    EXPECT_EQ(Entry(15), e15);
    EXPECT_EQ(s.PaletteQuads[12], Entry(12));
    EXPECT_EQ(hooks.Count("RepaintPalette"), 1);
}

TEST_F(ToneTest, GradationFallingRampRoundsTowardStartAndSkipsForbidden) {
    SetEntry(20, 200, 90, 0);
    SetEntry(23, 0, 30, 0);
    PropagatePalette(s);
    s.DrawColor = 20;
    s.TransColor = 23;
    EXPECT_TRUE(Gradation(s));
    EXPECT_EQ(Entry(21), (RGBQuad{0, 70, 134, 0}));
    EXPECT_EQ(Entry(22), (RGBQuad{0, 50, 67, 0}));

    SetEntry(30, 0, 0, 0);
    SetEntry(34, 255, 255, 255);
    PropagatePalette(s);
    s.ForbiddenFlags[32] = kForbidden;
    const RGBQuad e32 = Entry(32);
    s.DrawColor = 30;
    s.TransColor = 34;
    EXPECT_TRUE(Gradation(s));
    EXPECT_EQ(Entry(31).rgbRed, 63);
    EXPECT_EQ(Entry(32), e32);
    EXPECT_EQ(Entry(33).rgbRed, 191);
}

TEST_F(ToneTest, GradationWithoutEntriesBetweenDoesNothing) {
    const ColorTableArray before = s.MainImage.ColorTable();
    s.Modified = false;
    s.DrawColor = 40;
    s.TransColor = 41;
    EXPECT_FALSE(Gradation(s));
    s.TransColor = 40;
    EXPECT_FALSE(Gradation(s));
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_FALSE(s.Modified);
    EXPECT_EQ(s.Undo.UndoDepth, 0);
}
