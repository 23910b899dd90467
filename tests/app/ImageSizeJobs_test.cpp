#include "app/DocumentTestSupport.h"
#include "app/ImageSizeJobs.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

using namespace vallo;
using testsupport::Rows;

namespace {

const std::string kSmall = kMsgSizeTooSmall;
const std::string kLarge = kMsgSizeTooLarge;

} // namespace

TEST(ImageSizeJobs, SizeTextsGiveValuesOrMessages) {
    const struct {
        const char* x;
        const char* y;
        std::vector<std::string> problems; // {"'…'"} = the conversion message
    } cases[] = {
        {"abc", "64", {"'abc' は整数ではありません"}},
        {"64", "", {"'' は整数ではありません"}},
        {"8", "30000", {}},
        {" 0064", "64", {}},
        {"7", "64", {kSmall}},
        {"30001", "64", {kLarge}},
        {"7", "30001", {kSmall, kLarge}},
        {"-5", "64", {kLarge}},
    };
    for (const auto& c : cases) {
        int w = 0, h = 0;
        std::string error;
        const bool parsed = ParseSizeText(c.x, w, error) && ParseSizeText(c.y, h, error);
        const std::vector<std::string> got =
            parsed ? ImageSizeProblems(w, h) : std::vector<std::string>{error};
        EXPECT_EQ(got, c.problems) << c.x << " x " << c.y;
    }
    int v = 0;
    std::string error;
    EXPECT_TRUE(ParseSizeText("0064", v, error) && v == 64);
    EXPECT_EQ(ImageSizeRangeText(), "8～30000");
}

TEST(ImageSizeJobs, SizeChangeFillsCropsAndUndoesByteForByte) {
    EditorState s;
    testsupport::MakePatternDocument(s, 100, 100);
    s.MainImage.ColorTable()[7] = s.MainImage.ColorTable()[40]; // 7 has the colour of 40
    s.TransColor = 40;
    s.FileName = "/x/a.png";
    s.Modified = false;
    PropagatePalette(s);
    InitUndo(s, 4);
    const TDIB before = s.MainImage;
    const std::vector<uint8_t> oldBytes = Rows(before);

    ChangeImageSize(s, 120, 80);
    TDIB expected(120, 80, 8); // widened with 7, the first index of the transparent colour
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x)
            expected.SetPixel(x, y, x < 100 ? before.Pixel(x, y) : 7u);
    const std::vector<uint8_t> newBytes = Rows(s.MainImage);
    EXPECT_EQ(s.MainImage.Width(), 120);
    EXPECT_EQ(newBytes, Rows(expected));
    EXPECT_EQ(s.MainImage.ColorTable(), before.ColorTable());
    EXPECT_EQ(s.TransColor, 40);
    EXPECT_TRUE(s.Modified);
    // The old picture lives on in the undo step without a copy.
    EXPECT_TRUE(s.Undo.UndoEntries[1].Image.SharesPixelsWith(before));

    s.FileName = "/x/renamed.png";
    Undo(s);
    EXPECT_EQ(Rows(s.MainImage), oldBytes);
    EXPECT_EQ(s.FileName, "/x/a.png");
    Redo(s);
    EXPECT_EQ(Rows(s.MainImage), newBytes);
    EXPECT_EQ(s.FileName, "/x/renamed.png");
    s.MainImage.ColorTable()[0] = s.MainImage.ColorTable()[40];
    EXPECT_EQ(TransparentFillIndex(s), 0);
}

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
    EXPECT_EQ((std::array{CellSideChoices().size(), ZoomChoices().size()}),
              (std::array{15ul, 20ul}));
    EXPECT_EQ((std::array{CellSideChoices().back(), ZoomChoices().back()}),
              (std::array<std::string, 2>{"128", "2000%"}));
}
