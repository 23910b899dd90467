#include "PaletteForms.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace vallo;

TEST(PSizeForm, ShowsTheArrangementAndAppliesClampedCells) {
    vallo::test::PaletteForms f;
    f.WhileOpen(f.pale->N4, [&] {
        EXPECT_EQ(f.psize->Bar->value(), 2);
        EXPECT_EQ(f.psize->Lab1->text(), "16");
        EXPECT_EQ(f.psize->XEdit->text(), "16");
        f.psize->Bar->setValue(1);
        EXPECT_EQ(f.psize->Lab1->text(), "8");
        EXPECT_EQ(f.psize->Lab2->text(), "32");
        f.psize->XEdit->setText("40");
        f.psize->YEdit->setText("-3x");
        f.psize->OK->click();
    });
    EXPECT_EQ(f.s.PaleCellHeight, 8);
    EXPECT_EQ(f.pale->PaleBox()->size(), QSize(1024, 64));
}
