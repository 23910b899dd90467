#include "FormHooks.h"
#include "views/AniForm.h"
#include "widgets/MogPaintBox.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;

// Cell (i, j) of the 4 x 4 sheet is filled with grey 10 + i + 4 j; three frames at 60 FPS.
TEST(AniForm, DirectionButtonPlaysTheCellsInOrderAndReleaseStops) {
    vallo::test::FormsFixture f;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            f.s.MainImage.SetPixel(x, y, uint32_t(10 + x / 16 + 4 * (y / 16)));
    f.s.AnimeFPS = 60;
    f.s.AnimeFrames = 3;
    f.s.AnimeMode = 1;
    f.s.AnimeBai = 0;
    TAniForm ani(f.s, f.w, nullptr);
    f.w.AniForm = &ani;
    f.all->show();
    ani.show();
    // Grey levels the box shows at the next `ticks` ticks of the frame timer.
    const auto watch = [&](int ticks) {
        std::vector<int> seen;
        const auto c = QObject::connect(ani.Tim, &QTimer::timeout, [&] {
            seen.push_back(qGray(ani.Box()->grab().toImage().pixel(8, 8)));
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return int(seen.size()) >= ticks; }, 5000));
        QObject::disconnect(c);
        seen.resize(size_t(ticks));
        return seen;
    };
    ani.DirectionButton(3)->click(); // "→": the second row of the sheet
    EXPECT_EQ(ani.Tim->interval(), 16);
    EXPECT_EQ(watch(6), (std::vector<int>{14, 15, 16, 15, 14, 15}));
    EXPECT_TRUE(f.all->AnimationMarkShown());
    f.all->Repaint();
    EXPECT_FALSE(f.all->AnimationMarkShown());
    // Another direction restarts at frame 0 and raises the first button; raising it stops.
    f.s.AnimeMode = 0;
    ani.DirectionButton(1)->click(); // "←": the fourth row
    EXPECT_FALSE(ani.DirectionButton(3)->isChecked());
    EXPECT_EQ(watch(4), (std::vector<int>{22, 23, 24, 22}));
    ani.DirectionButton(1)->click();
    EXPECT_TRUE(!ani.Tim->isActive() && ani.ExportDirection() == kAniDown);
    f.w.AniForm = nullptr;
}
