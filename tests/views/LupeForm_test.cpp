#include "FormHooks.h"
#include "draw/LupeRender.h"
#include "draw/Undo.h"
#include "views/LupeForm.h"
#include "views/LupeMouse.h"
#include "widgets/MogPaintBox.h"
#include "widgets/MogScrollBox2.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::FormsFixture;

namespace {

QRgb Grey(int i) {
    return qRgb(i, i, i);
}

void FillLupeImage(EditorState& s) {
    for (int y = 0; y < s.LupeImage.Height(); ++y)
        for (int x = 0; x < s.LupeImage.Width(); ++x)
            s.LupeImage.SetPixel(x, y, uint32_t((x * 7 + y * 3) % 256));
}

} // namespace

TEST(LupeForm, PaintsAnExactCopyOfTheMagnifiedCell) {
    FormsFixture f;
    ASSERT_EQ(f.s.LupeImage.Width(), 64);
    FillLupeImage(f.s);
    f.lupe->show();
    const QImage shot = f.lupe->LupeBox()->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(64, 64));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(shot.pixel(x, y), Grey((x * 7 + y * 3) % 256)) << x << "," << y;
}

TEST(LupeForm, InvalidatingARectangleRepaintsOnlyThatRectangleAtOnce) {
    FormsFixture f(64, 32, 8);
    f.lupe->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.lupe.get()));
    QApplication::processEvents();
    std::vector<QRect> painted;
    TmogPaintBox* box = f.lupe->LupeBox();
    auto original = box->OnPaint;
    box->OnPaint = [&](QPainter& p, const QRect& r) {
        painted.push_back(r);
        original(p, r);
    };
    f.s.Hooks->InvalidateLupeRect(16, 24, 24, 32); // right and bottom exclusive
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], QRect(16, 24, 8, 8));
}

TEST(LupeForm, ScrollPositionAndClientSizeReachTheState) {
    FormsFixture f(128, 128, 8); // 1024 x 1024 magnified cell
    f.lupe->resize(300, 300);
    f.lupe->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.lupe.get()));
    f.lupe->LupeScroll()->ScrollTo(40, 80);
    EXPECT_EQ(f.s.LupeScrollX, 40);
    EXPECT_EQ(f.s.LupeScrollY, 80);
    EXPECT_EQ(f.s.LupeClientWidth, f.lupe->LupeScroll()->viewport()->width());
    EXPECT_GT(f.s.LupeClientHeight, 100);
    f.s.Hooks->ScrollLupeToOrigin();
    EXPECT_EQ(f.s.LupeScrollX, 0);
    EXPECT_EQ(f.s.LupeScrollY, 0);
}

TEST(LupeForm, CursorHidesAndShowsAsACounter) {
    FormsFixture f;
    f.lupe->HideCursor();
    f.lupe->HideCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    f.lupe->ShowCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    f.lupe->ShowCursor();
    f.lupe->ShowCursor(); // one show too many does not touch other override cursors
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(f.lupe->HiddenCursorCount(), 0);
}

TEST(LupeForm, ButtonsMirrorTheToolWindowBothWays) {
    FormsFixture f;
    f.lupe->ToolButton(6)->click();
    EXPECT_EQ(f.s.CurrentTool, 6);
    EXPECT_TRUE(f.tool->ToolButton(6)->isChecked());
    f.tool->ToolButton(7)->click();
    EXPECT_EQ(f.s.CurrentTool, 7);
    EXPECT_TRUE(f.lupe->ToolButton(7)->isChecked());
    f.tool->ToolButton(1)->click(); // the line has no button here: the copy button stays
    EXPECT_TRUE(f.lupe->ToolButton(7)->isChecked());

    f.lupe->MergeButton(2)->click();
    EXPECT_EQ(f.s.MergeMode, 2);
    EXPECT_TRUE(f.tool->MergeButton(2)->isChecked());
    f.tool->MergeButton(3)->click(); // "減色" leaves the magnifier's buttons alone
    EXPECT_EQ(f.s.MergeMode, 3);
    EXPECT_TRUE(f.lupe->MergeButton(2)->isChecked());
    f.tool->MergeButton(1)->click();
    EXPECT_TRUE(f.lupe->MergeButton(1)->isChecked());
}

TEST(LupeForm, ZoomBoxAcceptsWholeHundredsOnly) {
    FormsFixture f;
    QComboBox* bai = f.lupe->BaiBox();
    bai->setEditText("300%");
    EXPECT_EQ(f.s.Magnification, 3);
    EXPECT_EQ(f.lupe->LupeBox()->size(), QSize(48, 48));
    for (const char* ignored : {"250%", "50%", "6000%", "300", "abc%"}) {
        bai->setEditText(ignored);
        EXPECT_EQ(f.s.Magnification, 3) << ignored;
        EXPECT_EQ(bai->currentText(), ignored); // the typed text stays
    }
}

// --- Drawing through the window (needs the drawing engine).

class LupeEditing : public ::testing::Test {
protected:
    FormsFixture f{64, 16, 4};
    void SetUp() override {
        f.s.ShowGrid = false;
        RenderLupe(f.s);
        f.lupe->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.lupe.get()));
        original_ = f.s.MainImage;
        original_.MutableBits(); // a private copy to compare against
    }
    QWidget* Box() { return f.lupe->LupeBox(); }
    // Cell (cx, cy) of the magnified view at zoom 4, in the middle of its square.
    static QPoint At(int cx, int cy) { return QPoint(cx * 4 + 2, cy * 4 + 2); }
    int ChangedPixels() const {
        int n = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                n += f.s.MainImage.Pixel(x, y) != original_.Pixel(x, y);
        return n;
    }
    TDIB original_;
};

TEST_F(LupeEditing, PenStrokeChangesExactlyTheStrokedPixels) {
    f.s.CharLeft = 16;
    f.s.CharTop = 16;
    RenderLupe(f.s);
    f.s.DrawColor = 7;
    QTest::mousePress(Box(), Qt::LeftButton, {}, At(2, 3));
    QTest::mouseMove(Box(), At(6, 3));
    QTest::mouseRelease(Box(), Qt::LeftButton, {}, At(6, 3));
    EXPECT_EQ(ChangedPixels(), 5);
    for (int cx = 2; cx <= 6; ++cx) {
        EXPECT_EQ(f.s.MainImage.Pixel(16 + cx, 19), 7u);
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx)
                EXPECT_EQ(f.s.LupeImage.Pixel(cx * 4 + dx, 12 + dy), 7u);
    }
    EXPECT_NE(f.s.LupeImage.Pixel(7 * 4, 12), 7u); // the square after the stroke is untouched
    EXPECT_EQ(f.lupe->UndoButton()->text(), "Undo 1");
    EXPECT_TRUE(f.tool->UndoButton()->isEnabled());
    EXPECT_EQ(f.lupe->HiddenCursorCount(), 0);
}

TEST_F(LupeEditing, LinePreviewAndRightClickCancelLeaveTheImageAlone) {
    f.tool->ToolButton(1)->click();
    f.s.DrawColor = 9;
    QTest::mouseClick(Box(), Qt::LeftButton, {}, At(1, 1));
    QTest::mouseMove(Box(), At(10, 5)); // preview
    QTest::mouseClick(Box(), Qt::RightButton, {}, At(10, 5));
    EXPECT_FALSE(f.s.Drawing);
    EXPECT_EQ(ChangedPixels(), 0);
    // After the cancel the next left click starts a new line and a second commits it.
    QTest::mouseClick(Box(), Qt::LeftButton, {}, At(0, 0));
    QTest::mouseClick(Box(), Qt::LeftButton, {}, At(3, 0));
    EXPECT_EQ(ChangedPixels(), 4);
    for (int x = 0; x <= 3; ++x)
        EXPECT_EQ(f.s.MainImage.Pixel(x, 0), 9u);
    EXPECT_EQ(f.lupe->UndoButton()->text(), "Undo 1");
    f.lupe->UndoButton()->click();
    EXPECT_EQ(ChangedPixels(), 0);
    EXPECT_EQ(f.lupe->RedoButton()->text(), "Redo 1");
    EXPECT_EQ(f.tool->RedoButton()->text(), "Redo 1");
}

TEST_F(LupeEditing, CaptionShowsTheCellUnderThePointer) {
    QTest::mouseMove(Box(), At(5, 9));
    EXPECT_EQ(f.lupe->windowTitle(), QString::fromUtf8("ルーペ [X=5:Y=9]"));
}
