#include "app/DocumentTestSupport.h"
#include "app/MainForm.h"
#include "app/QtViewHooks.h"
#include "app/QtWindowSet.h"
#include "draw/CToolForm.h"
#include "draw/LayForm.h"
#include "state/EditorState.h"
#include "views/AniForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() : hooks(s, w) {
        s.Hooks = &hooks;
        s.AppDir = dir.Dir();
        CreateWindows(s, w);
    }
    ~MainFormTest() override { DestroyWindows(w); }

    testsupport::TempDir dir;
    EditorState s;
    AppWindows w;
    QtViewHooks hooks;
};

} // namespace

TEST_F(MainFormTest, StartUpGivesAnUntitledBlankDocument) {
    EXPECT_EQ(w.MainForm->windowTitle(), "Vallo[無題]");
    w.MainForm->TimTimer();
    EXPECT_EQ(w.MainForm->windowTitle(), "Vallo [無題]");
    EXPECT_FALSE(s.StartingUp);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_TRUE(w.LayForm->isVisible());
    EXPECT_TRUE(w.MainForm->WindowItemChecked(WindowItem::Lay));
    EXPECT_FALSE(w.AniForm->isVisible());
    EXPECT_FALSE(w.MainForm->WindowItemChecked(WindowItem::Ani));
}

TEST_F(MainFormTest, AFloatingWindowHidesInsteadOfClosingAndClearsItsTick) {
    w.MainForm->TimTimer();
    ASSERT_TRUE(w.LayForm->isVisible());
    EXPECT_FALSE(w.LayForm->close());
    EXPECT_FALSE(w.LayForm->isVisible());
    EXPECT_FALSE(w.MainForm->WindowItemChecked(WindowItem::Lay));

    // The window menu brings it back and ticks it again.
    w.MainForm->WindowItemAction(WindowItem::Lay)->trigger();
    EXPECT_TRUE(w.LayForm->isVisible());
    EXPECT_TRUE(w.MainForm->WindowItemChecked(WindowItem::Lay));
    // A second choice of the ticked item only brings it forward.
    w.MainForm->WindowItemAction(WindowItem::Lay)->trigger();
    EXPECT_TRUE(w.LayForm->isVisible());
    EXPECT_TRUE(w.MainForm->WindowItemChecked(WindowItem::Lay));
}

TEST_F(MainFormTest, ClosingTheCopyToolReturnsToThePen) {
    w.MainForm->TimTimer();
    s.CurrentTool = 7;
    w.CToolForm->show();
    EXPECT_FALSE(w.CToolForm->close());
    EXPECT_FALSE(w.CToolForm->isVisible());
    EXPECT_EQ(s.CurrentTool, 0);
}

TEST_F(MainFormTest, LoadingReleasesTheLayerSwitch) {
    w.LayForm->btLay->setChecked(true);
    EXPECT_TRUE(s.LayerActive);
    w.MainForm->TimTimer(); // the start-up document is a blank image: the layer is off
    EXPECT_FALSE(w.LayForm->btLay->isChecked());
    EXPECT_FALSE(s.LayerActive);
}
