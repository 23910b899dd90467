// Every window of the program as the user first sees it at 1366 x 768 with the program's font: each
// visible control lies inside its parent, overlaps no sibling, shows its whole caption and keeps
// the application font.
#include "app/AppWindowsFixture.h"
#include "app/MainForm.h"
#include "app/QtPreviewPanel.h"
#include "draw/ToolForm.h"
#include "formats/PngCodec.h"
#include "palette/PaleForm.h"
#include "views/AllForm.h"
#include "views/LupeForm.h"
#include "widgets/MogScrollBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <fstream>

using namespace vallo;

namespace {

std::string Name(const QWidget* w) {
    const QString text = w->property("text").toString() + w->property("title").toString();
    return QString("%1 %2 \"%3\"")
        .arg(w->metaObject()->className(), w->objectName(), text)
        .toStdString();
}

// The room a control's style leaves for its caption; empty when it shows no caption.
QSize CaptionRoom(QWidget* w) {
    QStyleOptionButton opt;
    opt.initFrom(w);
    QStyle* st = w->style();
    if (auto* t = qobject_cast<QToolButton*>(w)) {
        QStyleOptionToolButton topt;
        topt.initFrom(t);
        return t->size() - st->sizeFromContents(QStyle::CT_ToolButton, &topt, {}, t);
    }
    if (qobject_cast<QCheckBox*>(w))
        return st->subElementRect(QStyle::SE_CheckBoxContents, &opt, w).size();
    if (qobject_cast<QRadioButton*>(w))
        return st->subElementRect(QStyle::SE_RadioButtonContents, &opt, w).size();
    if (qobject_cast<QPushButton*>(w))
        return st->subElementRect(QStyle::SE_PushButtonContents, &opt, w).size();
    if (qobject_cast<QLabel*>(w))
        return w->contentsRect().size();
    if (qobject_cast<QGroupBox*>(w))
        return w->size() - QSize(8, 0);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox copt;
        copt.initFrom(c);
        copt.editable = c->isEditable();
        const QRect field =
            st->subControlRect(QStyle::CC_ComboBox, &copt, QStyle::SC_ComboBoxEditField, c);
        return field.size() - QSize(c->isEditable() ? 4 : 0, 0);
    }
    return {};
}

// The captions a control can show: its text, title or every item of a combo box.
QStringList Captions(QWidget* w) {
    QStringList list{w->property("text").toString() + w->property("title").toString()};
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->icon().isNull())
        list.clear(); // an icon button shows no caption
    if (auto* l = qobject_cast<QLabel*>(w); l && (l->wordWrap() || Qt::mightBeRichText(l->text())))
        list.clear(); // wrapped and rich text lay themselves out
    if (auto* c = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < c->count(); ++i)
            list << c->itemText(i);
    return list;
}

void CheckCaptions(QWidget* c, std::vector<std::string>& faults) {
    const QFontMetrics fm(c->font());
    const QSize room = CaptionRoom(c);
    for (QString text : Captions(c))
        if (!room.isEmpty() && !text.isEmpty() &&
            (fm.horizontalAdvance(text.remove('&')) > room.width() || fm.height() > room.height()))
            faults.push_back(Name(c) + " cuts its caption " + text.toStdString());
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(c);
        spin && spin->width() < spin->minimumSizeHint().width())
        faults.push_back(Name(c) + " is too narrow for its numbers");
    if (auto* bar = qobject_cast<QMenuBar*>(c))
        for (QAction* a : bar->actions())
            if (a->isVisible() && !bar->rect().contains(bar->actionGeometry(a)))
                faults.push_back(Name(c) + " cuts its menu " + a->text().toStdString());
}

// Qt's compound controls and the scroll component are checked as a whole; the content of a scroll
// area may stand outside the part it shows.
void CheckControls(QWidget* parent, bool scrolled, std::vector<std::string>& faults) {
    const int appPixels = QFontInfo(QApplication::font()).pixelSize();
    QList<QWidget*> shown;
    for (QObject* o : parent->children())
        if (auto* c = qobject_cast<QWidget*>(o); c && !c->isWindow() && c->isVisible())
            shown << c;
    for (QWidget* c : shown) {
        if (!scrolled && !parent->contentsRect().contains(c->geometry()))
            faults.push_back(Name(c) + " lies outside " + Name(parent));
        for (QWidget* other : shown)
            if (other < c && c->geometry().intersects(other->geometry()))
                faults.push_back(Name(c) + " overlaps " + Name(other));
        if (QFontInfo(c->font()).pixelSize() < appPixels)
            faults.push_back(Name(c) + " has a font below the application's");
        CheckCaptions(c, faults);
        if (auto* area = qobject_cast<QMdiArea*>(c))
            CheckControls(area->viewport(), false, faults);
        else if (auto* scroll = qobject_cast<QAbstractScrollArea*>(c))
            CheckControls(scroll->viewport(), true, faults);
        else if (!qobject_cast<QComboBox*>(c) && !qobject_cast<QAbstractSpinBox*>(c) &&
                 !qobject_cast<QMenuBar*>(c) && !qobject_cast<TMogScrollBox*>(c))
            CheckControls(c, false, faults);
    }
}

class WindowLayout : public testsupport::AppWindowsTest {
protected:
    WindowLayout() {
        w.MainForm->show();
        w.MainForm->TimTimer(); // first start: no configuration file
    }

    static QRect Global(QWidget* c) { return QRect(c->mapToGlobal(QPoint(0, 0)), c->size()); }

    // The magnifier's and the overview's bars lie in the MDI area, the floating windows on the
    // screen and none of them over the magnifier.
    void ExpectFirstStartGeometry() {
        QApplication::processEvents();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect area = Global(w.MainForm->MdiArea()->viewport());
        EXPECT_TRUE(area.contains(Global(w.LupeForm->findChild<QWidget*>("Panel1"))));
        EXPECT_TRUE(area.contains(Global(w.AllForm->findChild<QWidget*>("Panel1"))));
        EXPECT_TRUE(screen.contains(w.MainForm->frameGeometry()));
        for (QWidget* window : WindowList(w))
            if (window->isWindow() && window->isVisible() && window != w.MainForm) {
                EXPECT_TRUE(screen.contains(window->frameGeometry())) << Name(window);
                EXPECT_FALSE(window->frameGeometry().intersects(Global(w.LupeForm)))
                    << Name(window);
            }
    }
};

} // namespace

TEST_F(WindowLayout, EveryControlOfEveryWindowFitsWithTheApplicationFont) {
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "IPAGothic");
    const std::vector<QWidget*> windows = WindowList(w);
    // A window made at start-up but left out of the table would escape the check.
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_TRUE(top->parentWidget() != w.MainForm ||
                    std::count(windows.begin(), windows.end(), top))
            << Name(top);
    for (QWidget* window : windows) {
        const bool shown = window->isVisible();
        window->show();
        QApplication::processEvents();
        std::vector<std::string> faults;
        CheckControls(window, false, faults);
        EXPECT_EQ(faults, std::vector<std::string>{}) << Name(window);
        window->setVisible(shown);
    }
}

TEST_F(WindowLayout, FirstStartShowsTheBarsWhetherOrNotTheFrameIsMaximised) {
    EXPECT_TRUE(w.MainForm->isMaximized());
    ExpectFirstStartGeometry();
    w.MainForm->showNormal();
    ExpectFirstStartGeometry();
    // Scattered windows and a small frame come back to the first-start places.
    w.MainForm->setGeometry(50, 50, 300, 200);
    w.ToolForm->move(30, 60);
    w.PaleForm->move(100, 100);
    w.MainForm->PositionResetClick();
    ExpectFirstStartGeometry();
}

// The open dialog: its preview panel fits beside Qt's controls, previews PNGs and
// says "未対応" for tiny or unreadable files.
TEST_F(WindowLayout, FileDialogPreviewsPicturesAndFitsItsPanel) {
    test::TempDir dir;
    for (const auto& [name, side] : {std::pair{"a.png", 20}, std::pair{"tiny.png", 4}})
        SavePNG(dir / name, TDIB(side, side + 1, 8), {}, 3);
    std::ofstream(dir / "bad.gif") << "GIF89a not really";
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(dir.Dir()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QtPreviewPanel* panel = QtPreviewPanel::Attach(dialog, dir.Dir());
    dialog.show();
    QApplication::processEvents();
    std::vector<std::string> faults;
    CheckControls(&dialog, false, faults);
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_TRUE(
        dialog.sidebarUrls().contains(QUrl::fromLocalFile(QDir(dir.Dir().c_str()).absolutePath())));

    const auto selectAndLook = [&](const std::string& path) {
        panel->SelectionChange(QString::fromStdString(path));
        return panel->ERLabel->isVisibleTo(panel) ? QSize() : panel->PreImg->pixmap().size();
    };
    EXPECT_EQ(selectAndLook(dir / "a.png"), QSize(20, 21));
    EXPECT_EQ(selectAndLook(dir / "tiny.png"), QSize());
    EXPECT_EQ(panel->ERLabel->text(), "未対応");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), "a.png"); // typed, not clicked
    EXPECT_EQ(selectAndLook(dir.Dir()), QSize(20, 21)); // a folder keeps the preview
    EXPECT_EQ(selectAndLook(dir / "bad.gif"), QSize());
}
