#include "image/AtomicFile.h"
#include "state/Configuration.h"
#include "state/IniFile.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;

namespace {

struct ConfigurationTest : ::testing::Test {
    vallo::test::TempDir dir;
    vallo::test::RecordingHooks hooks;

    void Prepare(EditorState& s) {
        s.AppDir = dir.Dir();
        s.Hooks = &hooks;
    }
    void WriteIni(const std::string& text) {
        std::filesystem::create_directories(dir.Dir() + "sys");
        std::ofstream(dir.Dir() + "sys/vallo.ini", std::ios::binary) << text;
    }
    std::string IniText() {
        const std::vector<uint8_t> b = ReadWholeFile(dir.Dir() + "sys/vallo.ini");
        return std::string(b.begin(), b.end());
    }
};

// The numeric settings: zoom and cell, undo, tiled and extended views, palette window, animation.
std::vector<int> Numbers(const EditorState& s) {
    return {s.Magnification, s.CharWidth,      s.CharHeight, s.UndoCount,   s.NarabeCount,
            s.NarabeZoom,    s.EXZoom,         s.EXStyle,    s.PaleColumns, s.PaleRows,
            s.PaleCellWidth, s.PaleCellHeight, s.AnimeFPS,   s.AnimeFrames, s.AnimeChrMode,
            s.AnimeBai,      s.AnimeMode};
}

} // namespace

TEST_F(ConfigurationTest, MissingFileReadsDefaults) {
    EditorState s;
    Prepare(s);
    s.IniReadMode = true;
    RunIniRoutine(s);
    EXPECT_EQ(s.Magnification, 8);
    EXPECT_EQ(s.CharWidth, 32);
    EXPECT_TRUE(s.Windows.MainMax);
    EXPECT_EQ(s.AnimeBai, 1);
    EXPECT_EQ(s.RecentFiles[9], "[No File]");
    EXPECT_EQ(s.SizeItems, (std::vector<std::string>{"32x32", "64x64", "128x128"}));
}

TEST_F(ConfigurationTest, EveryKeyRoundTrips) {
    EditorState a;
    Prepare(a);
    a.Windows.Main = {11, 12, 900, 700, true};
    a.Windows.Lupe = {1, 2, 300, 310, true};
    a.Windows.All = {3, 4, 200, 210, true};
    a.Windows.Pale = {5, 6, 0, 0, false};
    a.Windows.Tool = {7, 8, 0, 0, true};
    a.Windows.Lay = {9, 10, 0, 0, false};
    a.Windows.EX = {13, 14, 0, 0, true};
    a.Windows.Ani = {15, 16, 0, 0, true};
    a.Windows.ETool = {17, 18, 0, 0, true};
    a.Windows.CTool = {19, 20, 0, 0, true};
    a.Windows.Narabe = {21, 22, 0, 0, true};
    a.Windows.MainMax = false;
    a.Magnification = 12;
    a.CharWidth = 64;
    a.CharHeight = 24;
    a.ShowGrid = false;
    a.LupeGrid = true;
    a.RichDisplay = true;
    a.LayerDisplayMode = false;
    a.LupeOverhang = true;
    a.LiveUpdate = true;
    a.CursorWhileDrawing = true;
    a.CursorStyle = false;
    a.PasteTransparent = false;
    a.CopyWithMergeMode = true;
    a.KeepOriginalOnResize = false;
    a.UndoCount = 50;
    a.NarabeCount = 3;
    a.NarabeZoom = 4;
    a.EXZoom = 3;
    a.EXStyle = 2;
    a.PaleColumns = 32;
    a.PaleRows = 8;
    a.PaleCellWidth = 10;
    a.PaleCellHeight = 20;
    a.AnimeFPS = 30;
    a.AnimeFrames = 7;
    a.AnimeChrMode = 1;
    a.AnimeBai = 3;
    a.AnimeMode = 1;
    a.SizeItems = {"16x16", "48x32"};
    a.BaiItems = {"300%", "500%"};
    for (int n = 1; n <= 9; ++n)
        a.RecentFiles[size_t(n)] = "/data/画像" + std::to_string(n) + ".png";
    a.IniReadMode = false;
    RunIniRoutine(a);

    EditorState b;
    Prepare(b);
    b.IniReadMode = true;
    RunIniRoutine(b);
    // Every window's position and visibility; the sizes of the three resizable ones.
    const auto places = [](const EditorState& s) {
        std::vector<std::tuple<int, int, int, int, bool>> out;
        const WindowPlace* sized[] = {&s.Windows.Main, &s.Windows.Lupe, &s.Windows.All};
        for (const WindowPlace* p : sized)
            out.emplace_back(p->Left, p->Top, p->Width, p->Height, p->Visible);
        for (const WindowPlace* p :
             {&s.Windows.Pale, &s.Windows.Tool, &s.Windows.Lay, &s.Windows.EX, &s.Windows.Ani,
              &s.Windows.ETool, &s.Windows.CTool, &s.Windows.Narabe})
            out.emplace_back(p->Left, p->Top, 0, 0, p->Visible);
        return out;
    };
    const auto flags = [](const EditorState& s) {
        return std::vector<bool>{s.Windows.MainMax,  s.ShowGrid,           s.LupeGrid,
                                 s.RichDisplay,      s.LayerDisplayMode,   s.LupeOverhang,
                                 s.LiveUpdate,       s.CursorWhileDrawing, s.CursorStyle,
                                 s.PasteTransparent, s.CopyWithMergeMode,  s.KeepOriginalOnResize};
    };
    EXPECT_EQ(places(b), places(a));
    EXPECT_EQ(flags(b), flags(a));
    EXPECT_EQ(Numbers(b), Numbers(a));
    EXPECT_EQ(b.SizeItems, a.SizeItems);
    EXPECT_EQ(b.BaiItems, a.BaiItems);
    EXPECT_EQ(b.RecentFiles, a.RecentFiles);

    const std::string text = IniText();
    EXPECT_NE(text.find("パレット高さ=6\r\n"), std::string::npos);
    EXPECT_NE(text.find("拡張表示の形式=3\r\n"), std::string::npos);
    const std::vector<uint8_t> list = ReadWholeFile(dir.Dir() + "sys/size.txt");
    EXPECT_EQ(std::string(list.begin(), list.end()), "16x16\r\n48x32\r\n");
}

TEST_F(ConfigurationTest, FirstWriteHoldsPaletteTopAndNinthRecentFile) {
    EditorState s;
    Prepare(s);
    s.IniReadMode = false;
    RunIniRoutine(s); // the sys folder is created
    const std::string text = IniText();
    const size_t form = text.find("[Form]\r\n");
    ASSERT_NE(form, std::string::npos);
    EXPECT_NE(text.find("パレット高さ=" + std::to_string(s.Windows.Pale.Top) + "\r\n", form),
              std::string::npos);
    const size_t file = text.find("[File]\r\n");
    ASSERT_NE(file, std::string::npos);
    EXPECT_NE(text.find("最近使ったファイル9=[No File]\r\n", file), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.Dir() + "sys/bai.txt"));
}

TEST_F(ConfigurationTest, HostileValuesAreBroughtIntoRange) {
    WriteIni(
        "[Lupe]\r\n拡大率=0\r\nキャラ横サイズ=30\r\nキャラ縦サイズ=-8\r\n"
        "[Undo]\r\nアンドゥ回数=1\r\n"
        "[Narabe]\r\n並べて表示する数=9\r\n並べて表示倍率=abc\r\n"
        "[EXView]\r\n拡張表示の倍率=7\r\n拡張表示の形式=7\r\n"
        "[Palette]\r\n横に並べた数=16\r\n縦に並べた数=8\r\n一個の横幅=1000\r\n一個の縦幅=33\r\n"
        "[Anime]\r\nFPS=0\r\n枚数=21\r\n移動形式=2\r\nアニメ倍率=-1\r\nアニメ形式=5\r\n"
        "[Form]\r\nメインフォーム幅=-5\r\nツール横位置=99999999\r\nMainMax=0\r\n");
    EditorState s;
    Prepare(s);
    s.IniReadMode = true;
    RunIniRoutine(s);
    // Out of range gives the nearest bound; what is not a number ("abc") the default.
    EXPECT_EQ(Numbers(s),
              (std::vector<int>{1, 28, 8, 2, 3, 1, 1, 0, 16, 16, 32, 32, 1, 20, 1, 0, 1}));
    EXPECT_EQ(s.Windows.Main.Width, 0);
    EXPECT_EQ(s.Windows.Tool.Left, 32767);
    WriteIni("[Undo]\r\nアンドゥ回数=100000\r\n");
    RunIniRoutine(s);
    EXPECT_EQ(s.UndoCount, 101);
}

TEST_F(ConfigurationTest, MagnifiedCellTooLargeLowersTheZoom) {
    WriteIni("[Lupe]\r\n拡大率=50\r\nキャラ横サイズ=1024\r\nキャラ縦サイズ=16\r\n");
    EditorState s;
    Prepare(s);
    RunIniRoutine(s);
    EXPECT_EQ(s.Magnification, 16);
    EXPECT_EQ(s.CharWidth, 1024);
    EXPECT_EQ(s.CharHeight, 16);
}

TEST_F(ConfigurationTest, ExtendedFormAndMainMaxMapping) {
    WriteIni("[EXView]\r\n拡張表示の形式=3\r\n拡張表示の倍率=4\r\n"
             "[Form]\r\nMainMax=1\r\nメインフォーム幅=170\r\nメインフォーム高さ=800\r\n"
             "メインフォーム横位置=300\r\nツール横位置=32767\r\n");
    EditorState s;
    Prepare(s);
    RunIniRoutine(s);
    EXPECT_EQ(s.EXStyle, 2);
    EXPECT_EQ(s.EXZoom, 4);
    EXPECT_TRUE(s.Windows.MainMax);
    EXPECT_EQ(s.Windows.Main.Left, 20);
    EXPECT_EQ(s.Windows.Main.Top, 20);
    EXPECT_EQ(s.Windows.Main.Width, 160);  // never narrower than 160
    EXPECT_EQ(s.Windows.Tool.Left, 32767); // the largest coordinate kept
    EXPECT_EQ(s.Windows.Main.Height, 760);
}

TEST_F(ConfigurationTest, ListFilesAreBoundedAndEmptyOnesIgnored) {
    std::filesystem::create_directories(dir.Dir() + "sys");
    std::ofstream(dir.Dir() + "sys/bai.txt", std::ios::binary) << "";
    {
        std::ofstream f(dir.Dir() + "sys/size.txt", std::ios::binary);
        f << "\xEF\xBB\xBF"
          << "8x8\n\r\n" << std::string(5000, '9') << "\r\n";
        for (int i = 0; i < 500; ++i)
            f << i << "x" << i << "\r\n";
    }
    EditorState s;
    Prepare(s);
    RunIniRoutine(s);
    EXPECT_EQ(s.BaiItems.size(), 8u); // design items kept
    ASSERT_EQ(s.SizeItems.size(), kMaxListItems);
    EXPECT_EQ(s.SizeItems[0], "8x8");
    EXPECT_EQ(s.SizeItems[1], "0x0");
}

TEST(AddRecentFile, MovesFindsAndDrops) {
    EditorState s;
    vallo::test::RecordingHooks hooks;
    s.Hooks = &hooks;
    for (int n = 1; n <= 9; ++n)
        s.RecentFiles[size_t(n)] = "P" + std::to_string(n);
    AddRecentFile(s, "P3");
    EXPECT_EQ(s.RecentFiles[1], "P3");
    EXPECT_EQ(s.RecentFiles[2], "P1");
    EXPECT_EQ(s.RecentFiles[3], "P2");
    EXPECT_EQ(s.RecentFiles[4], "P4");
    AddRecentFile(s, "P3");
    EXPECT_EQ(s.RecentFiles[1], "P3");
    EXPECT_EQ(s.RecentFiles[2], "P1");
    AddRecentFile(s, "P0");
    EXPECT_EQ(s.RecentFiles[1], "P0");
    EXPECT_EQ(s.RecentFiles[2], "P3");
    EXPECT_EQ(s.RecentFiles[9], "P8"); // P9 dropped
    AddRecentFile(s, "p0");            // letter case counts
    EXPECT_EQ(s.RecentFiles[1], "p0");
    EXPECT_EQ(s.RecentFiles[2], "P0");
    EXPECT_EQ(hooks.Count("SetRecentFileCaptions"), 4);
    EXPECT_EQ(RecentFileCaption(s, 2), "2:P0");
}
