#include "app/AppWindowsFixture.h"
#include "app/MainForm.h"
#include "app/QtTranslations.h"
#include "draw/CToolForm.h"
#include "draw/LayForm.h"
#include "state/EditorState.h"
#include "views/AniForm.h"

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

using namespace vallo;

namespace {

class MainFormTest : public testsupport::AppWindowsTest {};

} // namespace

TEST_F(MainFormTest, StartUpAndFloatingWindowsThatHideInsteadOfClosing) {
    w.LayForm->btLay->setChecked(true);
    EXPECT_EQ(w.MainForm->windowTitle(), "Vallo[無題]");
    w.MainForm->TimTimer(); // the start-up document is a blank image: the layer is off
    EXPECT_EQ(w.MainForm->windowTitle(), "Vallo [無題]");
    EXPECT_FALSE(w.LayForm->btLay->isChecked() || s.LayerActive);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_FALSE(w.AniForm->isVisible() || w.MainForm->WindowItemChecked(WindowItem::Ani));

    ASSERT_TRUE(w.LayForm->isVisible() && w.MainForm->WindowItemChecked(WindowItem::Lay));
    // Closing hides the window and clears its tick; the window menu brings it back, and a
    // second choice of the ticked item only brings it forward.
    EXPECT_FALSE(w.LayForm->close());
    EXPECT_FALSE(w.LayForm->isVisible() || w.MainForm->WindowItemChecked(WindowItem::Lay));
    for (int i = 0; i < 2; ++i) {
        w.MainForm->WindowItemAction(WindowItem::Lay)->trigger();
        EXPECT_TRUE(w.LayForm->isVisible() && w.MainForm->WindowItemChecked(WindowItem::Lay));
    }
    // Closing the copy tool returns to the pen.
    s.CurrentTool = 7;
    w.CToolForm->show();
    EXPECT_FALSE(w.CToolForm->close());
    EXPECT_FALSE(w.CToolForm->isVisible());
    EXPECT_EQ(s.CurrentTool, 0);
}

TEST_F(MainFormTest, QuitClosesEveryWindowAndEndsTheEventLoopWithStatusZero) {
    w.MainForm->show();
    w.MainForm->TimTimer();
    ASSERT_TRUE(w.LayForm->isVisible());
    QTimer::singleShot(0, w.MainForm, [this] {
        w.MainForm->menuBar()->actions().last()->trigger(); // "終了(&E)"
    });
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    EXPECT_TRUE(std::filesystem::exists(dir.Dir() + "sys/vallo.ini"));
}

TEST_F(MainFormTest, WebSiteWithoutAHomePageIsTheHelpSectionAndQtSpeaksJapanese) {
    const QUrl url = w.MainForm->WebSiteUrl();
    EXPECT_EQ(url.toLocalFile().toStdString(), dir.Dir() + "help/index.html");
    EXPECT_EQ(url.fragment(), "about");
    ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "キャンセル");
}
