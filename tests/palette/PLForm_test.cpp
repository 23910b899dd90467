#include "PaletteForms.h"
#include "draw/ImageLayout.h"
#include "image/AtomicFile.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace vallo;

// A palette saved under a Japanese title through the save dialog comes back through the load
// dialog with its colours, marks and title; the browse button fills the save dialog from a file.
TEST(PLForm, PaletteRoundTripsThroughBothDialogs) {
    vallo::test::PaletteForms f;
    const QString title = QString::fromUtf8("夕焼けの色");
    f.s.ForbiddenFlags[5] = kForbidden;
    f.s.TransColor = 7;
    const ColorTableArray saved = f.s.PaletteQuads;
    f.WhileOpen(f.pale->S1, [&] {
        EXPECT_EQ(f.ps->windowTitle(), QString::fromUtf8("パレット保存"));
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
    EXPECT_EQ(f.s.ForbiddenFlags[5], kForbidden);
    EXPECT_EQ(f.s.TransColor, 7);
    EXPECT_EQ(UndoCaption(f.s), "Undo 1");

    f.WhileOpen(f.pale->S1, [&] {
        QTimer::singleShot(0, [&] {
            f.pl->FList->setCurrentRow(0);
            f.pl->OK->click();
        });
        f.ps->Button1->click();
        EXPECT_EQ(f.ps->TEdit->text(), title);
        EXPECT_EQ(f.ps->FEdit->text(), QString::fromUtf8("夕焼け"));
        f.ps->Button2->click();
    });
}
