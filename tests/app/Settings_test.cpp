#include "app/Settings.h"
#include "draw/Undo.h"
#include "state/EditorState.h"

#include <gtest/gtest.h>

using namespace vallo;

TEST(Settings, ApplyingCopiesOptionsAndRebuildsHistoryOnlyForANewCount) {
    EditorState s;
    s.MainImage.SetSize(16, 16, 8);
    s.MainImage.SetPixel(3, 3, 9);
    InitUndo(s, 31);
    PushUndo(s, 0, 0, 15, 15, false, false);
    s.MainImage.SetPixel(3, 3, 5);

    SettingsChoice c = SettingsOf(s);
    EXPECT_EQ(c.UndoSteps, 30);
    c.RichDisplay = c.LupeOverhang = true;
    c.CursorStyle = false;
    c.SizeItems = {"48x32"};
    c.BaiItems = {"300%"};
    // Working on the copy leaves the state alone until it is applied.
    EXPECT_FALSE(s.RichDisplay);
    ApplySettings(s, c);
    EXPECT_TRUE(s.RichDisplay && s.LupeOverhang && !s.CursorStyle && !s.LiveUpdate);
    EXPECT_EQ(s.SizeItems, std::vector<std::string>{"48x32"});
    EXPECT_EQ(s.BaiItems, std::vector<std::string>{"300%"});
    EXPECT_TRUE(CanUndo(s)); // same count: the history stays

    c.UndoSteps = 1; // the lowest choice: two slots, one step
    ApplySettings(s, c);
    EXPECT_EQ(s.UndoCount, 2);
    EXPECT_FALSE(CanUndo(s));
    EXPECT_EQ(s.MainImage.Pixel(3, 3), 5u); // the document stays
    PushUndo(s, 0, 0, 15, 15, false, false);
    s.MainImage.SetPixel(3, 3, 6);
    PushUndo(s, 0, 0, 15, 15, false, false);
    Undo(s);
    EXPECT_FALSE(CanUndo(s));
}

TEST(Settings, ListsAddOnlyWhatIsChosenAndDeleteOnlyASelectedLine) {
    std::vector<std::string> items{"32x32"};
    // Duplicates are allowed.
    EXPECT_EQ((std::vector<bool>{AddSizeItem(items, "48", "32"), AddSizeItem(items, "48", ""),
                                 AddZoomItem(items, "300%"), AddZoomItem(items, ""),
                                 AddSizeItem(items, "48", "32"), DeleteListItem(items, -1),
                                 DeleteListItem(items, 4), DeleteListItem(items, 0)}),
              (std::vector<bool>{true, false, true, false, true, false, false, true}));
    EXPECT_EQ(items, (std::vector<std::string>{"48x32", "300%", "48x32"}));
    EXPECT_EQ(CellSideChoices().size(), 15u);
    EXPECT_EQ(CellSideChoices().back(), "128");
    EXPECT_EQ(ZoomChoices().size(), 20u);
    EXPECT_EQ(ZoomChoices().back(), "2000%");
}
