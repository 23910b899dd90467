#include "FormHooks.h"
#include "views/AniForm.h"
#include "widgets/MogPaintBox.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// The forms fixture plus the animation window; cell (i, j) of the 4 x 4 sheet is filled with
// grey 10 + i + 4 j.
struct AniFixture : FormsFixture {
    std::unique_ptr<TAniForm> ani;
    AniFixture() {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                s.MainImage.SetPixel(x, y, uint32_t(10 + x / 16 + 4 * (y / 16)));
        s.AnimeFPS = 60;
        s.AnimeFrames = 3;
        s.AnimeMode = 1;
        s.AnimeBai = 0;
        ani = std::make_unique<TAniForm>(s, w, nullptr);
        w.AniForm = ani.get();
        all->show();
        ani->show();
    }
    ~AniFixture() { w.AniForm = nullptr; }

    // Grey levels the box shows at the next `ticks` ticks of the frame timer.
    std::vector<int> Watch(int ticks) {
        std::vector<int> seen;
        const auto c = QObject::connect(ani->Tim, &QTimer::timeout, [&] {
            seen.push_back(qGray(ani->Box()->grab().toImage().pixel(8, 8)));
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return int(seen.size()) >= ticks; }, 5000));
        QObject::disconnect(c);
        seen.resize(size_t(ticks));
        return seen;
    }
};

} // namespace

TEST(AniForm, DirectionButtonPlaysTheCellsInOrderAndReleaseStops) {
    AniFixture f;
    f.ani->DirectionButton(3)->click(); // "→": the second row of the sheet
    EXPECT_EQ(f.ani->Tim->interval(), 16);
    EXPECT_EQ(f.Watch(6), (std::vector<int>{14, 15, 16, 15, 14, 15}));
    EXPECT_TRUE(f.all->AnimationMarkShown());
    f.all->Repaint();
    EXPECT_FALSE(f.all->AnimationMarkShown());

    // Another direction restarts at frame 0 and raises the first button; hidden, the window
    // keeps playing; raising the button stops it.
    f.s.AnimeMode = 0;
    f.ani->DirectionButton(1)->click(); // "←": the fourth row
    EXPECT_FALSE(f.ani->DirectionButton(3)->isChecked());
    EXPECT_EQ(f.Watch(4), (std::vector<int>{22, 23, 24, 22}));
    f.ani->hide();
    EXPECT_EQ(f.Watch(3), (std::vector<int>{23, 24, 22}));
    f.ani->DirectionButton(1)->click();
    EXPECT_FALSE(f.ani->Tim->isActive());
    EXPECT_EQ(f.ani->ExportDirection(), kAniDown);

    f.ani->BaiItem(3)->click();
    EXPECT_EQ(f.ani->Box()->size(), QSize(64, 64));
    f.ani->FPSBar->setValue(7);
    EXPECT_EQ((std::array{f.s.AnimeBai, f.s.AnimeFPS}), (std::array{3, 7}));
    EXPECT_EQ(f.ani->FPSTxt->text(), "FPS7");
}
