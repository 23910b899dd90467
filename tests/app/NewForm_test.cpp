#include "app/AppWindowsFixture.h"
#include "app/MainForm.h"
#include "app/NewForm.h"
#include "draw/Undo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace vallo;
using namespace vallo::testsupport;

namespace {

class NewFormTest : public AppWindowsTest {
protected:
    NewFormTest() { w.MainForm->TimTimer(); }
    // Types the two sizes into the dialog and presses OK; the message boxes shown.
    QStringList Enter(const char* x, const char* y) {
        return AnswerMessageBoxes([&] {
            w.NewForm->X->setText(QString::fromUtf8(x));
            w.NewForm->Y->setText(QString::fromUtf8(y));
            w.NewForm->OK->click();
        });
    }
};

} // namespace

TEST_F(NewFormTest, NewFromTheMenuMakesAnImageOfTheTypedSize) {
    QTimer::singleShot(0, w.NewForm, [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), w.NewForm);
        EXPECT_EQ(w.NewForm->X->text(), "256");
        Enter("0064", "48");
    });
    w.MainForm->NewClick();
    EXPECT_EQ(s.MainImage.Width(), 64);
    EXPECT_EQ(s.MainImage.Height(), 48);
    EXPECT_TRUE(s.Modified);
    EXPECT_FALSE(w.NewForm->isVisible());
}

TEST_F(NewFormTest, SizeChangeRefusesBadSizesAndIsOneUndoStep) {
    s.MainImage.SetPixel(255, 255, 77);
    s.CharLeft = 64;
    w.NewForm->SetMode(TNewForm::Mode::SizeChange);
    w.NewForm->setResult(-1);
    EXPECT_EQ(Enter("7", "30001"), QStringList({"横、もしくは縦のサイズが小さすぎます",
                                                "横、もしくは縦のサイズが大きすぎます"}));
    EXPECT_EQ(w.NewForm->result(), -1); // not closed
    EXPECT_FALSE(CanUndo(s));
    EXPECT_TRUE(Enter("300", "200").isEmpty());
    EXPECT_EQ(w.NewForm->result(), QDialog::Accepted);
    EXPECT_EQ(s.MainImage.Width(), 300);
    EXPECT_EQ(s.MainImage.Height(), 200);
    EXPECT_EQ(s.CharLeft, 0); // the magnifier shows the cell at 0, 0
    Undo(s);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_EQ(s.MainImage.Pixel(255, 255), 77u);
}
