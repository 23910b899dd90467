#include "views/AniPlayback.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(AniPlayback, FrameSequencesCyclesAndIntervals) {
    const struct {
        int frames, mode;
        std::vector<int> shown, cycle;
    } cases[] = {
        {2, 0, {0, 1, 0, 1, 0, 1}, {0, 1}},
        {2, 1, {0, 1, 0, 1, 0, 1}, {0, 1}},
        {4, 0, {0, 1, 2, 3, 0, 1, 2, 3}, {0, 1, 2, 3}},
        {4, 1, {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2}, {0, 1, 2, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        AniPlayback p{kAniRight, 3, -1, 2};
        AniStart(p, 2);
        std::vector<int> shown;
        for (size_t i = 0; i < c.shown.size(); ++i) {
            AniTick(p, c.frames, c.mode);
            shown.push_back(p.ShownFrame);
        }
        EXPECT_EQ(p.AniDirection, kAniDown);
        EXPECT_EQ(shown, c.shown) << c.frames << c.mode;
        EXPECT_EQ(AniCycle(c.frames, c.mode), c.cycle) << c.frames << c.mode;
    }
    // A count lowered below the running counter wraps instead of counting on.
    AniPlayback p{kAniUp, 7, 1, 0};
    AniTick(p, 3, 1);
    EXPECT_EQ((std::array{p.AniFrame, p.AniStep}), (std::array{1, -1}));
    EXPECT_EQ((std::array{AniInterval(60), AniInterval(7), AniInterval(1), AniInterval(0)}),
              (std::array{16, 142, 1000, 1000}));
}

TEST(AniPlayback, FrameRectanglesOfBothLayouts) {
    EditorState s;
    s.CharWidth = 16;
    s.CharHeight = 24;
    s.CharLeft = 32;
    s.CharTop = 48;
    const struct {
        int chrMode;
        uint8_t direction;
        int frame;
        IntRect rect;
    } cases[] = {
        {0, kAniRight, 2, {64, 72, 80, 96}},  // second row of the sheet
        {0, kAniLeft, 1, {48, 120, 64, 144}}, // fourth row
        {0, kAniUp, 0, {32, 48, 48, 72}},     {0, kAniDown, 3, {80, 96, 96, 120}},
        {1, kAniLeft, 3, {-16, 48, 0, 72}},   {1, kAniUp, 2, {32, 0, 48, 24}},
        {1, kAniDown, 1, {32, 72, 48, 96}},   {1, kAniRight, 1, {48, 48, 64, 72}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AniFrameRect(s, c.chrMode, c.direction, c.frame), c.rect) << c.chrMode << c.frame;
}

TEST(AniPlayback, OverviewMarkIsAWhiteFrameWithABlackOneInside) {
    const auto mark = AniOverviewMark({32, 64, 64, 96}, 8);
    EXPECT_EQ((std::array{mark[0].X0, mark[0].Y0, mark[0].X1, mark[0].Y1, int(mark[0].Color)}),
              (std::array{16, 32, 31, 47, 0xFFFFFF}));
    EXPECT_EQ((std::array{mark[1].X0, mark[1].Y0, mark[1].X1, mark[1].Y1, int(mark[1].Color)}),
              (std::array{17, 33, 30, 46, 0}));
    EXPECT_EQ(AniOverviewMarkArea({-16, 8, 0, 40}, 48), (IntRect{-48, 24, 0, 120}));
}
