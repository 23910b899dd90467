// The main window with its floating windows, its dialogs and the recovery of unsaved work.
#include "app/AppWindowsFixture.h"
#include "app/ConfForm.h"
#include "app/MainForm.h"
#include "app/NewForm.h"
#include "app/QtTranslations.h"
#include "app/RecoveryOffer.h"
#include "draw/CToolForm.h"
#include "draw/LayForm.h"
#include "state/RecoveryCopy.h"
#include "views/AniForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

using namespace vallo;
using testsupport::AnswerMessageBoxes;

namespace {

class MainFormTest : public testsupport::AppWindowsTest {
protected:
    // Types both sizes into the new or size-change dialog and presses OK; the boxes it shows.
    QStringList Enter(const char* x, const char* y) {
        return AnswerMessageBoxes([&] {
            w.NewForm->X->setText(QString::fromUtf8(x));
            w.NewForm->Y->setText(QString::fromUtf8(y));
            w.NewForm->OK->click();
        });
    }
    void Click(const char* button) { w.ConfForm->findChild<QPushButton*>(button)->click(); }
};

} // namespace

TEST_F(MainFormTest, StartUpAndFloatingWindowsThatHideInsteadOfClosing) {
    w.LayForm->btLay->setChecked(true);
    w.MainForm->TimTimer(); // the start-up document is a blank image: the layer is off
    EXPECT_EQ(w.MainForm->windowTitle(), "Vallo [無題]");
    EXPECT_FALSE(w.LayForm->btLay->isChecked() || s.LayerActive);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_FALSE(w.AniForm->isVisible() || w.MainForm->WindowItemChecked(WindowItem::Ani));

    ASSERT_TRUE(w.LayForm->isVisible() && w.MainForm->WindowItemChecked(WindowItem::Lay));
    // Closing hides the window and clears its tick; the window menu brings it back, and a second
    // choice of the ticked item only brings it forward.
    EXPECT_FALSE(w.LayForm->close());
    EXPECT_FALSE(w.LayForm->isVisible() || w.MainForm->WindowItemChecked(WindowItem::Lay));
    for (int i = 0; i < 2; ++i) {
        w.MainForm->WindowItemAction(WindowItem::Lay)->trigger();
        EXPECT_TRUE(w.LayForm->isVisible() && w.MainForm->WindowItemChecked(WindowItem::Lay));
    }
    // Closing the copy tool returns to the pen.
    s.CurrentTool = 7;
    w.CToolForm->show();
    EXPECT_FALSE(w.CToolForm->close() || w.CToolForm->isVisible());
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

// Unsaved work gets a copy from the recovery timer; a run that ends without closing (killed) leaves
// it, and the next start in the folder offers it with Yes first and brings it back.
TEST_F(MainFormTest, UnsavedWorkOfARunThatDidNotCloseComesBack) {
    w.MainForm->TimTimer();
    s.MainImage.SetPixel(5, 6, 200);
    SetModified(s);
    EXPECT_TRUE(QTest::qWaitFor([this] { return s.Recovery->Written() > 0; }, 10000));
    DestroyWindows(w);

    EditorState next;
    AppWindows windows;
    QtViewHooks nextHooks(next, windows);
    next.Hooks = &nextHooks;
    next.AppDir = dir.Dir();
    CreateWindows(next, windows);
    EXPECT_EQ(AnswerMessageBoxes([&windows] { windows.MainForm->TimTimer(); }),
              QStringList{kMsgRestoreRecovery});
    EXPECT_TRUE(next.Modified);
    ASSERT_EQ(next.MainImage.StoreSize(), s.MainImage.StoreSize());
    EXPECT_EQ(std::memcmp(next.MainImage.Bits(), s.MainImage.Bits(), s.MainImage.StoreSize()), 0);
    DestroyWindows(windows);
}

TEST_F(MainFormTest, NewMakesAnImageOfTheTypedSizeAndSizeChangeIsOneUndoStep) {
    w.MainForm->TimTimer();
    QTimer::singleShot(0, w.NewForm, [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), w.NewForm);
        EXPECT_EQ(w.NewForm->X->text(), "256");
        Enter("0064", "48");
    });
    w.MainForm->NewClick();
    EXPECT_EQ((std::array{s.MainImage.Width(), s.MainImage.Height()}), (std::array{64, 48}));
    EXPECT_TRUE(s.Modified && !w.NewForm->isVisible());

    s.MainImage.SetPixel(63, 47, 77);
    s.CharLeft = 32;
    InitUndo(s, 4);
    w.NewForm->SetMode(TNewForm::Mode::SizeChange);
    w.NewForm->setResult(-1);
    EXPECT_EQ(Enter("7", "30001"), QStringList({"横、もしくは縦のサイズが小さすぎます",
                                                "横、もしくは縦のサイズが大きすぎます"}));
    EXPECT_EQ(w.NewForm->result(), -1); // not closed
    EXPECT_FALSE(CanUndo(s));
    EXPECT_TRUE(Enter("300", "200").isEmpty());
    EXPECT_EQ(w.NewForm->result(), QDialog::Accepted);
    EXPECT_EQ((std::array{s.MainImage.Width(), s.MainImage.Height()}), (std::array{300, 200}));
    EXPECT_EQ(s.CharLeft, 0); // the magnifier shows the cell at 0, 0
    Undo(s);
    EXPECT_EQ(s.MainImage.Width(), 64);
    EXPECT_EQ(s.MainImage.Pixel(63, 47), 77u);
}

TEST_F(MainFormTest, SettingsCancelChangesNothingAndOkCarriesOptionsListsAndUndoCount) {
    w.MainForm->TimTimer();
    TConfForm& f = *w.ConfForm;
    f.FormShow();
    PushUndo(s, 0, 0, 7, 7, false, false);
    const std::vector<std::string> sizes = s.SizeItems;
    f.LayGOUKACHK->setChecked(!s.LayerDisplayMode);
    f.UndoBar->setValue(5);
    f.List1->setCurrentRow(0);
    Click("btDel1");
    EXPECT_EQ(f.List1->count(), int(sizes.size()) - 1);
    f.Cansel->click();
    EXPECT_TRUE(s.LayerDisplayMode && s.UndoCount == 31 && CanUndo(s));
    EXPECT_EQ(s.SizeItems, sizes);

    f.FormShow(); // the next showing starts from the state again
    EXPECT_EQ(f.Pages->currentIndex(), 1);
    EXPECT_EQ(f.List1->count(), int(sizes.size()));
    EXPECT_EQ(f.UndoEdit->text(), "30");
    f.HamiCHK->setChecked(true);
    f.GoukaCHK->setChecked(true);
    f.ReverseCHK->setChecked(false);
    f.UndoBar->setValue(10);
    EXPECT_EQ(f.UndoEdit->text(), "10");
    f.Combo1->setCurrentText("48");
    Click("btAdd1"); // only one side chosen: nothing added
    f.Combo2->setCurrentText("32");
    Click("btAdd1");
    Click("btDel1"); // no line selected: nothing deleted
    f.List2->setCurrentRow(0);
    Click("Button1");
    f.Combo3->setCurrentText("300%");
    Click("Button2");
    f.OK->click();
    EXPECT_TRUE(s.LupeOverhang && s.RichDisplay && !s.CursorStyle);
    EXPECT_TRUE(s.UndoCount == 11 && !CanUndo(s)); // the history rebuilt for the new count
    EXPECT_EQ(s.SizeItems, (std::vector<std::string>{"32x32", "64x64", "128x128", "48x32"}));
    EXPECT_EQ(s.BaiItems.front() + s.BaiItems.back(), "200%300%");
}
