#include "app/AppWindowsFixture.h"
#include "app/ConfForm.h"
#include "app/MainForm.h"
#include "draw/Undo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

using namespace vallo;

namespace {

class ConfFormTest : public testsupport::AppWindowsTest {
protected:
    ConfFormTest() {
        w.MainForm->TimTimer();
        w.ConfForm->FormShow();
        PushUndo(s, 0, 0, 7, 7, false, false);
    }
    void Click(const char* button) { w.ConfForm->findChild<QPushButton*>(button)->click(); }
    TConfForm& f = *w.ConfForm;
};

} // namespace

TEST_F(ConfFormTest, CancelChangesNothingAndOkCarriesOptionsListsAndUndoCount) {
    const std::vector<std::string> sizes = s.SizeItems;
    f.LayGOUKACHK->setChecked(!s.LayerDisplayMode);
    f.UndoBar->setValue(5);
    f.List1->setCurrentRow(0);
    Click("btDel1");
    EXPECT_EQ(f.List1->count(), int(sizes.size()) - 1);
    f.Cansel->click();
    EXPECT_TRUE(s.LayerDisplayMode);
    EXPECT_EQ(s.UndoCount, 31);
    EXPECT_TRUE(CanUndo(s));
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
    EXPECT_EQ(s.UndoCount, 11);
    EXPECT_FALSE(CanUndo(s));
    EXPECT_EQ(s.SizeItems, (std::vector<std::string>{"32x32", "64x64", "128x128", "48x32"}));
    EXPECT_EQ(s.BaiItems.front(), "200%");
    EXPECT_EQ(s.BaiItems.back(), "300%");
}
