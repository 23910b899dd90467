#include "../views/FormHooks.h"
#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/ColorsForm.h"
#include "palette/PLForm.h"
#include "palette/PSForm.h"
#include "palette/Pale2Form.h"
#include "palette/PaleForm.h"
#include "support/TestSupport.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

// The forms fixture with the palette window (16 x 16 cells of 16 pixels) and its dialogs. The
// grey ramp's index 100 is the cell's top-left pixel: magnifier 0..3, overview (30, 34) at 1:1.
struct PaletteForms : test::FormsFixture {
    test::TempDir dir;
    std::unique_ptr<TPaleForm> pale;
    std::unique_ptr<TPale2Form> pale2;
    std::unique_ptr<TPLForm> pl;
    std::unique_ptr<TPSForm> ps;
    std::unique_ptr<TColorsForm> colors;
    PaletteForms() {
        s.AppDir = dir.Dir();
        std::filesystem::create_directories(s.AppDir + "palette");
        s.BarBitmap.LoadFromFile(std::string(VALLO_SYS_DIR) + "/Bar.bmp");
        pale = Make(w.PaleForm);
        pale2 = Make(w.Pale2Form);
        pl = Make(w.PLForm);
        ps = Make(w.PSForm);
        colors = Make(w.ColorsForm);
        s.Hooks->PaletteResize();
        InitUndo(s, 31);
    }
    ~PaletteForms() { w = AppWindows{}; }
    template <class Form> std::unique_ptr<Form> Make(Form*& reference) {
        auto form = std::make_unique<Form>(s, w, nullptr);
        reference = form.get();
        return form;
    }
    // Runs `inside` from a zero timer, once the modal dialog that `open` shows is up.
    static void WhileOpen(QAction* open, std::function<void()> inside) {
        QTimer::singleShot(0, inside);
        open->trigger();
    }
    QRgb Overview() { return all->AllScroll()->PaintBox()->grab().toImage().pixel(30, 34); }
    QRgb Grid(int x, int y) { return pale->PaleBox()->grab().toImage().pixel(x, y); }
    static QPoint Cell(int i) { return QPoint(i % 16 * 16 + 8, i / 16 * 16 + 8); }
};

void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

} // namespace

TEST(PaleForm, GridShowsColoursMarkersAndMarksTheMouseSets) {
    PaletteForms f;
    QWidget* box = f.pale->PaleBox();
    QTest::mouseClick(box, Qt::LeftButton, {}, f.Cell(17));
    QTest::mouseClick(box, Qt::RightButton, {}, f.Cell(200));
    QTest::mouseClick(box, Qt::MiddleButton, {}, f.Cell(34));
    EXPECT_EQ((std::array{int(f.s.DrawColor), int(f.s.TransColor)}), (std::array{17, 34}));
    EXPECT_EQ(box->size(), QSize(256, 256));
    EXPECT_EQ(f.Grid(16 * 5 + 8, 16 * 3 + 8), qRgb(53, 53, 53)); // grey ramp: index 53
    EXPECT_EQ(f.Grid(16 * 5, 16 * 3 + 5), qRgb(192, 192, 192));  // grid line
    EXPECT_EQ(f.Grid(16, 16), qRgb(0, 0, 255)); // the draw colour's frame: the markers are painted
    QTest::mousePress(box, Qt::LeftButton, Qt::ShiftModifier, f.Cell(50));
    for (int i : {51, 52, 51})
        QTest::mouseMove(box, f.Cell(i));
    QTest::mouseRelease(box, Qt::LeftButton, Qt::ShiftModifier, f.Cell(51));
    for (int i : {49, 50, 51, 52, 53})
        EXPECT_EQ(f.s.ForbiddenFlags[size_t(i)], i == 49 || i == 53 ? 0 : 66) << i;
    EXPECT_EQ(f.Grid(16 * 3 + 3, 16 * 3), qRgb(255, 255, 255)); // white frame of a mark
    f.pale->N7->trigger();                                      // clearing redraws the grid
    EXPECT_EQ(f.s.ForbiddenFlags[50], 0);
    EXPECT_EQ(f.Grid(16 * 3 + 3, 16 * 3), qRgb(192, 192, 192));
}

// While a colour dialog is open the magnifier and the overview paint its preview; "キャンセル"
// puts the committed colours back on screen, "設定" is one undo step.
TEST(Pale2Form, ColourDialogsPreviewCancelRestoresAndSetIsOneUndoStep) {
    PaletteForms f;
    const ColorTableArray before = f.s.PaletteQuads;
    QRgb previewed = 0;
    f.WhileOpen(f.pale->Colors, [&] {
        f.colors->Bars[0]->setValue(100);
        f.colors->Bars[2]->setValue(-7);
        EXPECT_EQ(f.colors->Edits[2]->text(), "-7%");
        f.colors->Button3->click();
        previewed = f.Overview();
        f.colors->Button2->click();
    });
    EXPECT_EQ(previewed, qRgb(255, 100, 83)); // grey 100: red + 255, blue - 17
    EXPECT_EQ(f.Overview(), qRgb(100, 100, 100));
    EXPECT_EQ(f.s.MainImage.ColorTable(), before);
    EXPECT_EQ(UndoCaption(f.s), "Undo 0");

    f.s.DrawColor = 100;
    f.WhileOpen(f.pale->Change, [&] {
        EXPECT_EQ(f.pale2->LEdit->text(), "200"); // grey 100: L = 2 x 100
        QTest::mousePress(f.pale2->Box2, Qt::LeftButton, {}, QPoint(20, 30)); // lightness bar
        QTest::mouseMove(f.pale2->Box2, QPoint(90, 30));
        QTest::mouseRelease(f.pale2->Box2, Qt::LeftButton, {}, QPoint(90, 30));
        EXPECT_EQ(f.pale2->LEdit->text(), "512");
        Type(f.pale2->REdit, "200");
        Type(f.pale2->GEdit, "10");
        Type(f.pale2->BEdit, "20");
        EXPECT_EQ(f.pale2->HEdit->text(), "762"); // (10 - 20) x 128 div 190 + 768
        previewed = f.lupe->LupeBox()->grab().toImage().pixel(2, 2);
        f.pale2->btSet->click();
    });
    EXPECT_EQ(previewed, qRgb(200, 10, 20));
    EXPECT_EQ(f.s.PaletteQuads[100], (RGBQuad{20, 10, 200, 0}));
    EXPECT_EQ(f.Overview(), qRgb(200, 10, 20));
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");
    Undo(f.s);
    EXPECT_EQ(f.s.MainImage.ColorTable()[100], (RGBQuad{100, 100, 100, 0}));
}

// A palette saved under a Japanese title comes back through the load dialog with its colours,
// marks and title.
TEST(PLForm, PaletteRoundTripsThroughBothDialogs) {
    PaletteForms f;
    const QString title = QString::fromUtf8("夕焼けの色");
    f.s.ForbiddenFlags[5] = kForbidden;
    f.s.TransColor = 7;
    const ColorTableArray saved = f.s.PaletteQuads;
    f.WhileOpen(f.pale->S1, [&] {
        f.ps->TEdit->setText(title);
        f.ps->FEdit->setText(QString::fromUtf8("夕焼け"));
        f.ps->Button3->click();
    });
    EXPECT_EQ(ReadWholeFile(f.s.AppDir + "palette/夕焼け.vp3").size(), 1056u);
    f.s.MainImage.ColorTable()[3] = {1, 2, 3, 0};
    f.s.ForbiddenFlags.fill(0);
    f.s.TransColor = 0;
    PropagatePalette(f.s);
    QString shownTitle;
    f.WhileOpen(f.pale->L1, [&] {
        ASSERT_EQ(f.pl->FList->count(), 1);
        f.pl->FList->setCurrentRow(0);
        shownTitle = f.pl->TEdit->text();
        f.pl->OK->click();
    });
    EXPECT_EQ(shownTitle, title);
    EXPECT_EQ(f.s.PaletteQuads, saved);
    EXPECT_EQ((std::array{f.s.ForbiddenFlags[5], int(f.s.TransColor)}),
              (std::array{kForbidden, 7}));
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");
}
