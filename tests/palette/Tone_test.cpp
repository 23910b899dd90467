#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "palette/Tone.h"
#include "state/StateRoutines.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;
using enum vallo::ToneSelection;
using enum vallo::ToneMode;

namespace {

struct ToneTest : ::testing::Test {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    void SetUp() override {
        s.Hooks = &hooks;
        vallo::test::SetRampPalette(s);
    }
    RGBQuad Entry(int i) const { return s.MainImage.ColorTable()[size_t(i)]; }
    // Sets two entries to the given greys or colours, picks them as the ends and ramps.
    bool Ramp(int from, uint32_t fromColor, int to, uint32_t toColor) {
        for (auto [i, c] : {std::pair{from, fromColor}, {to, toColor}})
            s.MainImage.ColorTable()[size_t(i)] = {uint8_t(ColorBlue(c)), uint8_t(ColorGreen(c)),
                                                   uint8_t(ColorRed(c)), 0};
        PropagatePalette(s);
        s.DrawColor = uint8_t(from);
        s.TransColor = uint8_t(to);
        return Gradation(s);
    }
};

} // namespace

TEST(ToneColor, RgbAmountsTruncateAndClampHlsPassesThroughBothConversions) {
    const struct {
        ToneSettings t;
        uint32_t in, out;
    } cases[] = {
        {{100, 0, 0, All, Rgb}, MakeColor(0, 10, 20), MakeColor(255, 10, 20)},
        {{100, 0, 0, All, Rgb}, MakeColor(255, 10, 20), MakeColor(255, 10, 20)},
        {{50, -50, 20, All, Rgb}, MakeColor(0, 200, 0), MakeColor(127, 73, 51)},
        {{-100, 0, 0, All, Rgb}, MakeColor(100, 1, 2), MakeColor(0, 1, 2)},
        {{0, 0, 0, All, Hls}, MakeColor(128, 128, 128), MakeColor(127, 127, 127)},
        {{100, 0, 0, All, Hls}, MakeColor(128, 128, 128), MakeColor(127, 127, 127)}, // full turn
        {{100, 0, 0, All, Hls}, MakeColor(255, 0, 0), MakeColor(255, 0, 0)},
        {{0, 100, 0, All, Hls}, MakeColor(255, 0, 0), MakeColor(255, 255, 255)},
        {{0, 100, 0, All, Hls}, MakeColor(0, 0, 0), MakeColor(127, 127, 127)},
        {{0, 0, -100, All, Hls}, MakeColor(255, 0, 0), MakeColor(127, 127, 127)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneColor(c.in, c.t), c.out) << std::hex << c.in << " " << c.t.P1 << c.t.P2;
    std::array<int32_t, 256> flags{};
    flags[3] = kForbidden;
    const ColorTableArray allowed = ToneTable({}, flags, {100, 0, 0, AllowedOnly, Rgb});
    const ColorTableArray forbidden = ToneTable({}, flags, {100, 0, 0, ForbiddenOnly, Rgb});
    EXPECT_EQ((std::array{allowed[2].rgbRed, allowed[3].rgbRed, forbidden[2].rgbRed,
                          forbidden[3].rgbRed}),
              (std::array<uint8_t, 4>{255, 0, 0, 255}));
}

TEST_F(ToneTest, PreviewStaysShownUntilCloseCommitIsOneUndoStepEvenForNoChange) {
    InitUndo(s, 8);
    const ColorTableArray before = s.MainImage.ColorTable();
    s.ForbiddenFlags[5] = kForbidden;
    PreviewTone(s, {100, 0, 0, All, Rgb});
    EXPECT_TRUE(Entry(5).rgbRed == 255 && s.LupeImage.ColorTable()[6].rgbRed == 255);
    EXPECT_EQ(s.PaletteQuads, before);
    // A narrower selection shows the left-out entries committed again, not the last preview.
    PreviewTone(s, {0, 0, 100, ForbiddenOnly, Rgb});
    EXPECT_EQ(Entry(6), before[6]);
    EXPECT_EQ(Entry(5).rgbBlue, 255);
    EXPECT_EQ(Entry(5).rgbRed, before[5].rgbRed);
    CommitTone(s, {0, 0, 100, ForbiddenOnly, Rgb});
    EXPECT_EQ(s.PaletteQuads[6], before[6]);
    CloseTone(s);
    EXPECT_EQ(Entry(5).rgbBlue, 255);
    EXPECT_EQ(s.LupeImage.ColorTable(), s.PaletteQuads);
    const ColorTableArray committed = s.MainImage.ColorTable();
    CommitTone(s, {0, 0, 0, ForbiddenOnly, Rgb});
    EXPECT_EQ(s.MainImage.ColorTable(), committed);
    EXPECT_EQ(s.Undo.UndoDepth, 2);
    Undo(s);
    Undo(s);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
}

TEST_F(ToneTest, GradationRampsBetweenTheTwoColoursRoundingTowardTheStart) {
    const RGBQuad e9 = Entry(9), e15 = Entry(15);
    EXPECT_TRUE(Ramp(14, MakeColor(255, 255, 255), 10, 0));
    const uint8_t greys[] = {0, 63, 127, 191, 255};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Entry(10 + i), (RGBQuad{greys[i], greys[i], greys[i], 0})) << i;
    EXPECT_EQ((std::array{Entry(9), Entry(15), s.PaletteQuads[12]}),
              (std::array{e9, e15, Entry(12)}));
    EXPECT_EQ(hooks.Count("RepaintPalette"), 1);
    EXPECT_TRUE(Ramp(20, MakeColor(200, 90, 0), 23, MakeColor(0, 30, 0)));
    EXPECT_EQ((std::array{Entry(21), Entry(22)}),
              (std::array{RGBQuad{0, 70, 134, 0}, RGBQuad{0, 50, 67, 0}}));
    // Forbidden entries keep their colour.
    s.ForbiddenFlags[32] = kForbidden;
    const RGBQuad e32 = Entry(32);
    EXPECT_TRUE(Ramp(30, 0, 34, MakeColor(255, 255, 255)));
    EXPECT_EQ((std::array{Entry(31).rgbRed, Entry(32).rgbRed, Entry(33).rgbRed}),
              (std::array{uint8_t(63), e32.rgbRed, uint8_t(191)}));
    // Without entries between the two nothing happens.
    InitUndo(s, 8);
    s.Modified = false;
    const ColorTableArray before = s.MainImage.ColorTable();
    s.DrawColor = 40;
    for (uint8_t to : {41, 40}) {
        s.TransColor = to;
        EXPECT_FALSE(Gradation(s)) << int(to);
    }
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ((std::array{int(s.Modified), s.Undo.UndoDepth}), (std::array{0, 0}));
}
