#include "../views/FormHooks.h"
#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "palette/PaleForm.h"
#include "widgets/MogPaintBox.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

// The forms fixture plus the palette window, its grid drawn (16 x 16 cells of 16 pixels).
struct PaleFixture : FormsFixture {
    std::unique_ptr<TPaleForm> pale;
    PaleFixture() {
        pale = std::make_unique<TPaleForm>(s, w, nullptr);
        w.PaleForm = pale.get();
        s.Hooks->PaletteResize();
        InitUndo(s, 31);
        s.DrawColor = 1;
        s.TransColor = 0;
    }
    ~PaleFixture() { w.PaleForm = nullptr; }

    void Send(QEvent::Type type, int index, Qt::MouseButton button, bool shift = false) {
        const QPointF at(index % 16 * 16 + 8, index / 16 * 16 + 8);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent e(type, at, pale->PaleBox()->mapToGlobal(at), button, held,
                      shift ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(pale->PaleBox(), &e);
    }
    void Click(int index, Qt::MouseButton button, bool shift = false) {
        Send(QEvent::MouseButtonPress, index, button, shift);
        Send(QEvent::MouseButtonRelease, index, button, shift);
    }
};

std::vector<uint8_t> Pixels(const TDIB& dib) {
    return {dib.Bits(), dib.Bits() + dib.StoreSize()};
}

QStringList Captions(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions)
        out << a->text();
    return out;
}

} // namespace

TEST(PaleForm, GridIsPaintedOneToOneWithTheMarkers) {
    PaleFixture f;
    f.s.DrawColor = 17;  // column 1, row 1
    f.s.TransColor = 34; // column 2, row 2
    EXPECT_EQ(f.pale->PaleBox()->size(), QSize(256, 256));
    const QImage shot = f.pale->PaleBox()->grab().toImage();
    EXPECT_EQ(shot.pixel(16 * 5 + 8, 16 * 3 + 8), qRgb(53, 53, 53)); // grey ramp: index 53
    EXPECT_EQ(shot.pixel(16 * 5, 16 * 3 + 5), qRgb(192, 192, 192));  // grid line
    EXPECT_EQ(shot.pixel(16, 16), qRgb(0, 0, 255));                  // blue on the draw colour
    EXPECT_EQ(shot.pixel(16 + 14, 16 + 14), qRgb(0, 0, 0));          // its shadow
    EXPECT_EQ(shot.pixel(32 + 1, 32 + 1), qRgb(255, 0, 0));          // red one pixel in
    EXPECT_EQ(shot.pixel(32 + 15, 32 + 15), qRgb(0, 0, 0));
}

TEST(PaleForm, ClicksAndShiftDragsReachTheGrid) {
    PaleFixture f;
    f.Click(37, Qt::LeftButton);
    f.Click(200, Qt::RightButton);
    EXPECT_EQ(f.s.DrawColor, 37);
    EXPECT_EQ(f.s.TransColor, 200);
    f.Click(90, Qt::MiddleButton);
    EXPECT_EQ(f.s.TransColor, 90);
    f.Send(QEvent::MouseButtonPress, 50, Qt::LeftButton, true);
    for (int i : {51, 52, 51})
        f.Send(QEvent::MouseMove, i, Qt::LeftButton, true);
    f.Send(QEvent::MouseButtonRelease, 51, Qt::LeftButton, true);
    for (int i : {50, 51, 52})
        EXPECT_EQ(f.s.ForbiddenFlags[size_t(i)], 66) << i;
    EXPECT_EQ(f.s.ForbiddenFlags[49], 0);
    // The marks are in the grid at once: white frame at the cell's edge.
    EXPECT_EQ(f.pale->PaleBox()->grab().toImage().pixel(16 * 3 + 3, 16 * 3), qRgb(255, 255, 255));
    // The menu's clearing of the marks redraws the grid too.
    EXPECT_TRUE(f.pale->N7->isEnabled());
    f.pale->N7->trigger();
    EXPECT_EQ(f.s.ForbiddenFlags[50], 0);
    EXPECT_EQ(f.pale->PaleBox()->grab().toImage().pixel(16 * 3 + 3, 16 * 3), qRgb(192, 192, 192));
}

TEST(PaleForm, MenuHasItsItemsAllEnabled) {
    PaleFixture f;
    const QList<QAction*> bar = f.pale->Menu()->actions();
    EXPECT_EQ(Captions(bar),
              QStringList({QString::fromUtf8("パレット(&P)"), QString::fromUtf8("色を変える(&C)"),
                           QString::fromUtf8("特殊効果(&E)")}));
    EXPECT_EQ(Captions(bar[0]->menu()->actions()),
              QString::fromUtf8("パレットを読み込む(&O),パレットを保存する(&S),禁止色読み込み,"
                                "禁止色保存,禁止色クリア,サイズ調整(&Z),,インポート(&I)...,"
                                "エクスポート(&X)...")
                  .split(','));
    EXPECT_EQ(Captions(bar[2]->menu()->actions()),
              QString::fromUtf8("色調調整,グラデーション,透明色を描画色に置換,"
                                "描画色を透明色にコピー,描画色と透明色の位置交換")
                  .split(','));
    EXPECT_EQ(f.pale->N2->shortcut(), QKeySequence("Ctrl+T"));
    EXPECT_EQ(f.pale->Change->shortcut(), QKeySequence(Qt::Key_Return));
    for (QMenu* menu : {bar[0]->menu(), bar[2]->menu()})
        for (const QAction* a : menu->actions())
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(f.pale->Change->isEnabled());
}

TEST(PaleForm, IndexCommandsAreOneUndoStepEach) {
    PaleFixture f;
    f.s.DrawColor = 100;
    f.s.TransColor = 101;
    const TDIB before = f.s.MainImage;
    f.pale->N8->trigger(); // position exchange: the picture looks the same
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");
    EXPECT_EQ(f.s.MainImage.Pixel(0, 0), 101u);
    EXPECT_EQ(f.s.MainImage.ColorTable()[101].rgbRed, 100);
    f.pale->N2->trigger(); // in the 16 x 16 cell, 101 (now the old 100) becomes 100
    EXPECT_EQ(UndoCaption(f.s), "Undo 2");
    EXPECT_EQ(f.s.MainImage.Pixel(0, 0), 100u);
    EXPECT_EQ(f.s.MainImage.Pixel(16, 0), 101u); // outside the cell
    Undo(f.s);
    Undo(f.s);
    EXPECT_EQ(Pixels(f.s.MainImage), Pixels(before));
    EXPECT_EQ(f.s.MainImage.ColorTable(), before.ColorTable());

    f.s.DrawColor = 10;
    f.s.TransColor = 20;
    f.s.MainImage.ColorTable()[20] = {200, 200, 200, 0};
    PropagatePalette(f.s);
    f.pale->Grade->trigger();
    EXPECT_EQ(f.s.MainImage.ColorTable()[15].rgbGreen, 105); // 10 + 5 * 190 / 10
    f.pale->N3->trigger();
    EXPECT_EQ(f.s.MainImage.ColorTable()[20].rgbGreen, 10);
    EXPECT_EQ(UndoCaption(f.s), "Undo 2");
}
