#include "FormHooks.h"
#include "draw/LupeRender.h"
#include "views/LupeForm.h"
#include "widgets/MogPaintBox.h"

#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

TEST(LupeForm, ButtonsMirrorTheToolWindowAndTheCursorHidesAsACounter) {
    FormsFixture f;
    f.lupe->ToolButton(6)->click();
    EXPECT_TRUE(f.tool->ToolButton(6)->isChecked());
    f.tool->ToolButton(7)->click();
    EXPECT_TRUE(f.lupe->ToolButton(7)->isChecked());
    f.tool->ToolButton(1)->click(); // the line has no button here: the copy button stays
    EXPECT_TRUE(f.s.CurrentTool == 1 && f.lupe->ToolButton(7)->isChecked());
    f.lupe->MergeButton(2)->click();
    EXPECT_TRUE(f.tool->MergeButton(2)->isChecked());
    f.tool->MergeButton(3)->click(); // "減色" leaves the magnifier's buttons alone
    EXPECT_TRUE(f.s.MergeMode == 3 && f.lupe->MergeButton(2)->isChecked());
    // The cursor hides and shows as a counter.
    f.lupe->HideCursor();
    f.lupe->HideCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    f.lupe->ShowCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    f.lupe->ShowCursor();
    f.lupe->ShowCursor(); // one show too many does not touch other override cursors
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A pen stroke through the window reaches the document, is painted as the exact
// magnified buffer, names the pointer's cell in the caption and is taken back by the undo
// button; an invalidated rectangle is repainted at once and alone.
TEST(LupeForm, PenStrokePaintCaptionAndUndoButton) {
    FormsFixture f;
    f.s.ShowGrid = false;
    f.s.CharLeft = f.s.CharTop = 16;
    RenderLupe(f.s);
    f.lupe->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.lupe.get()));
    const auto at = [](int cx, int cy) { return QPoint(cx * 4 + 2, cy * 4 + 2); };
    const uint32_t old = f.s.MainImage.Pixel(16 + 6, 19);
    f.s.DrawColor = 7;
    TmogPaintBox* box = f.lupe->LupeBox();
    QTest::mousePress(box, Qt::LeftButton, {}, at(2, 3));
    QTest::mouseMove(box, at(6, 3));
    QTest::mouseRelease(box, Qt::LeftButton, {}, at(6, 3));
    EXPECT_EQ(f.s.MainImage.Pixel(16 + 6, 19), 7u); // the stroke's pixels: the core's own tests
    const QImage shot = box->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int v = int(f.s.LupeImage.Pixel(x, y));
            ASSERT_EQ(shot.pixel(x, y), qRgb(v, v, v)) << x << "," << y;
        }
    EXPECT_EQ(shot.pixel(6 * 4 + 3, 3 * 4 + 3), qRgb(7, 7, 7));
    EXPECT_EQ(f.lupe->HiddenCursorCount(), 0);
    QTest::mouseMove(box, at(5, 9));
    EXPECT_EQ(f.lupe->windowTitle(), QString::fromUtf8("ルーペ [X=5:Y=9]"));
    QApplication::processEvents();
    std::vector<QRect> painted;
    box->OnPaint = [&, paint = box->OnPaint](QPainter& p, const QRect& r) {
        painted.push_back(r);
        paint(p, r);
    };
    f.s.Hooks->InvalidateLupeRect(16, 24, 24, 32); // right and bottom exclusive
    EXPECT_EQ(painted, (std::vector<QRect>{QRect(16, 24, 8, 8)}));
    EXPECT_EQ(f.tool->UndoButton()->text(), "Undo 1");
    f.lupe->UndoButton()->click();
    EXPECT_EQ(f.s.MainImage.Pixel(16 + 6, 19), old);
    EXPECT_EQ(f.tool->RedoButton()->text(), "Redo 1");
}
