#include "image/AtomicFile.h"
#include "state/AppPaths.h"
#include "state/Configuration.h"
#include "state/IniFile.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

using namespace vallo;
using Strings = std::vector<std::string>;

namespace {

struct ConfigurationTest : ::testing::Test {
    vallo::test::TempDir dir;
    vallo::test::RecordingHooks hooks;

    // Reads (or writes) the configuration of a state in the test's folder.
    void Run(EditorState& s, bool read) {
        s.AppDir = dir.Dir();
        s.Hooks = &hooks;
        s.IniReadMode = read;
        RunIniRoutine(s);
    }
    void WriteIni(const std::string& text) {
        std::filesystem::create_directories(dir / "sys");
        std::ofstream(dir / "sys/vallo.ini", std::ios::binary) << text;
    }
    std::string Text(const std::string& name) {
        const std::vector<uint8_t> b = ReadWholeFile(dir / ("sys/" + name));
        return std::string(b.begin(), b.end());
    }
};

// The numeric settings: zoom and cell, undo, tiled and extended views, palette window, animation.
std::vector<int*> Numbers(EditorState& s) {
    return {&s.Magnification, &s.CharWidth,      &s.CharHeight, &s.UndoCount,   &s.NarabeCount,
            &s.NarabeZoom,    &s.EXZoom,         &s.EXStyle,    &s.PaleColumns, &s.PaleRows,
            &s.PaleCellWidth, &s.PaleCellHeight, &s.AnimeFPS,   &s.AnimeFrames, &s.AnimeChrMode,
            &s.AnimeBai,      &s.AnimeMode};
}

std::vector<bool*> Flags(EditorState& s) {
    return {&s.Windows.MainMax,  &s.ShowGrid,           &s.LupeGrid,
            &s.RichDisplay,      &s.LayerDisplayMode,   &s.LupeOverhang,
            &s.LiveUpdate,       &s.CursorWhileDrawing, &s.CursorStyle,
            &s.PasteTransparent, &s.CopyWithMergeMode,  &s.KeepOriginalOnResize};
}

// Every window; only the first three, the resizable ones, keep their sizes.
std::vector<WindowPlace*> Places(EditorState& s) {
    WindowPlaces& w = s.Windows;
    return {&w.Main, &w.Lupe, &w.All,   &w.Pale,  &w.Tool,  &w.Lay,
            &w.EX,   &w.Ani,  &w.ETool, &w.CTool, &w.Narabe};
}

template <typename T> std::vector<T> Values(const std::vector<T*>& fields) {
    std::vector<T> out;
    for (const T* f : fields)
        out.push_back(*f);
    return out;
}

std::vector<std::array<int, 5>> PlaceValues(EditorState& s) {
    std::vector<std::array<int, 5>> out;
    for (const WindowPlace* p : Places(s)) {
        const bool sized = out.size() < 3;
        out.push_back({p->Left, p->Top, sized ? p->Width : 0, sized ? p->Height : 0, p->Visible});
    }
    return out;
}

} // namespace

TEST_F(ConfigurationTest, MissingFileReadsDefaultsAndTheFirstWriteHoldsThem) {
    EditorState s;
    Run(s, true);
    EXPECT_EQ((std::array{s.Magnification, s.CharWidth, s.AnimeBai}), (std::array{8, 32, 1}));
    EXPECT_TRUE(s.Windows.MainMax);
    EXPECT_EQ(s.RecentFiles[9], "[No File]");
    EXPECT_EQ(s.SizeItems, (Strings{"32x32", "64x64", "128x128"}));
    Run(s, false); // the sys folder is created
    const std::string text = Text("vallo.ini");
    const size_t form = text.find("[Form]\r\n"), file = text.find("[File]\r\n");
    ASSERT_TRUE(form != std::string::npos && file != std::string::npos);
    EXPECT_NE(text.find("パレット高さ=" + std::to_string(s.Windows.Pale.Top) + "\r\n", form),
              std::string::npos);
    EXPECT_NE(text.find("最近使ったファイル9=[No File]\r\n", file), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "sys/bai.txt"));
}

TEST_F(ConfigurationTest, EveryKeyRoundTrips) {
    EditorState a;
    const std::vector<int> numbers{12, 64, 24, 50, 3, 4, 3, 2, 32, 8, 10, 20, 30, 7, 1, 3, 1};
    for (size_t i = 0; i < numbers.size(); ++i)
        *Numbers(a)[i] = numbers[i];
    for (bool* flag : Flags(a))
        *flag = !*flag;
    const std::vector<WindowPlace*> places = Places(a);
    for (int i = 0; i < int(places.size()); ++i) { // the resizable windows are always shown
        WindowPlace& p = *places[size_t(i)];
        p = {2 * i + 1, 2 * i + 2, 301 + 2 * i, 311 + 2 * i, i < 3 || !p.Visible};
    }
    a.SizeItems = {"16x16", "48x32"};
    a.BaiItems = {"300%", "500%"};
    for (int n = 1; n <= 9; ++n)
        a.RecentFiles[size_t(n)] = "/data/画像" + std::to_string(n) + ".png";
    Run(a, false);

    EditorState b;
    Run(b, true);
    EXPECT_EQ(PlaceValues(b), PlaceValues(a));
    EXPECT_EQ(Values(Flags(b)), Values(Flags(a)));
    EXPECT_EQ(Values(Numbers(b)), numbers);
    EXPECT_EQ(std::tie(b.SizeItems, b.BaiItems, b.RecentFiles),
              std::tie(a.SizeItems, a.BaiItems, a.RecentFiles));
    EXPECT_NE(Text("vallo.ini").find("拡張表示の形式=3\r\n"), std::string::npos);
    EXPECT_EQ(Text("size.txt"), "16x16\r\n48x32\r\n");
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
    Run(s, true);
    // Out of range gives the nearest bound; what is not a number ("abc") the default.
    EXPECT_EQ(Values(Numbers(s)),
              (std::vector<int>{1, 28, 8, 2, 3, 1, 1, 0, 16, 16, 32, 32, 1, 20, 1, 0, 1}));
    EXPECT_EQ((std::array{s.Windows.Main.Width, s.Windows.Tool.Left}), (std::array{0, 32767}));
    WriteIni("[Undo]\r\nアンドゥ回数=100000\r\n");
    RunIniRoutine(s);
    EXPECT_EQ(s.UndoCount, 101);
}

TEST_F(ConfigurationTest, TooLargeMagnifiedCellAndMaximisedFrameMapOnRead) {
    WriteIni("[Lupe]\r\n拡大率=50\r\nキャラ横サイズ=1024\r\nキャラ縦サイズ=16\r\n"
             "[EXView]\r\n拡張表示の形式=3\r\n拡張表示の倍率=4\r\n"
             "[Form]\r\nMainMax=1\r\nメインフォーム幅=170\r\nメインフォーム高さ=800\r\n"
             "メインフォーム横位置=300\r\nツール横位置=32767\r\n");
    EditorState s;
    Run(s, true);
    EXPECT_EQ((std::array{s.Magnification, s.CharWidth, s.CharHeight}), (std::array{16, 1024, 16}));
    EXPECT_EQ((std::array{s.EXStyle, s.EXZoom}), (std::array{2, 4}));
    EXPECT_TRUE(s.Windows.MainMax);
    // Restored 20 pixels in and 40 smaller, never narrower than 160.
    const WindowPlace& m = s.Windows.Main;
    EXPECT_EQ((std::array{m.Left, m.Top, m.Width, m.Height}), (std::array{20, 20, 160, 760}));
    EXPECT_EQ(s.Windows.Tool.Left, 32767); // the largest coordinate kept
}

TEST_F(ConfigurationTest, ListFilesAreBoundedAndEmptyOnesIgnored) {
    std::filesystem::create_directories(dir / "sys");
    std::ofstream(dir / "sys/bai.txt", std::ios::binary) << "";
    std::string sizes = "\xEF\xBB\xBF" + std::string("8x8\n\r\n") + std::string(5000, '9') + "\r\n";
    for (int i = 0; i < 500; ++i)
        sizes += std::to_string(i) + "x" + std::to_string(i) + "\r\n";
    std::ofstream(dir / "sys/size.txt", std::ios::binary) << sizes;
    EditorState s;
    Run(s, true);
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
    const std::pair<const char*, Strings> steps[] = {
        {"P3", {"P3", "P1", "P2", "P4", "P5", "P6", "P7", "P8", "P9"}},
        {"P3", {"P3", "P1", "P2", "P4", "P5", "P6", "P7", "P8", "P9"}},
        {"P0", {"P0", "P3", "P1", "P2", "P4", "P5", "P6", "P7", "P8"}}, // P9 dropped
        {"p0", {"p0", "P0", "P3", "P1", "P2", "P4", "P5", "P6", "P7"}}, // letter case counts
    };
    for (const auto& [path, want] : steps) {
        AddRecentFile(s, path);
        EXPECT_EQ(Strings(s.RecentFiles.begin() + 1, s.RecentFiles.end()), want) << path;
    }
    EXPECT_EQ(hooks.Count("SetRecentFileCaptions"), 4);
    EXPECT_EQ(RecentFileCaption(s, 2), "2:P0");
}

TEST(IniFile, WritesCrlfAndReadsBackJapaneseKeys) {
    vallo::test::TempDir dir;
    IniFile ini;
    ini.WriteInteger("Lupe", "拡大率", 12);
    ini.WriteBool("Lupe", "グリッド", false);
    ini.WriteString("File", "最近使ったファイル1", "/home/u/絵.png");
    ini.WriteInteger("Lupe", "拡大率", 6);          // replaces in place
    ini.WriteString("A", "k", "one\r\n[B]\r\nx=1"); // values never spill into the next line
    ini.Save(dir / "a.ini");
    const std::vector<uint8_t> bytes = ReadWholeFile(dir / "a.ini");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, text.find("[A]")), "[Lupe]\r\n拡大率=6\r\nグリッド=0\r\n\r\n[File]\r\n"
                                                "最近使ったファイル1=/home/u/絵.png\r\n\r\n");
    const IniFile back = IniFile::Load(dir / "a.ini");
    EXPECT_EQ(back.ReadInteger("Lupe", "拡大率", 0), 6);
    EXPECT_FALSE(back.ReadBool("Lupe", "グリッド", true));
    EXPECT_EQ(back.ReadString("File", "最近使ったファイル1", ""), "/home/u/絵.png");
    EXPECT_EQ(back.ReadString("File", "missing", "def"), "def");
    EXPECT_EQ(back.ReadInteger("lupe", "拡大率", 99), 99); // names are exact
    EXPECT_FALSE(back.Find("B", "x"));
    // A hand-made file past the size limit is read up to it.
    std::ofstream(dir / "big.ini", std::ios::binary)
        << "[A]\r\nfirst=1\r\n"
        << std::string(IniFile::MaxFileBytes, ';') << "\r\n[A]\r\nlast=1\r\n";
    const IniFile big = IniFile::Load(dir / "big.ini");
    EXPECT_TRUE(big.ReadInteger("A", "first", 0) == 1 && !big.Find("A", "last"));
}

TEST(IniFile, ToleratesHandEditedText) {
    const IniFile ini = IniFile::Parse("\xEF\xBB\xBF"
                                       "orphan=1\n[A]\n  n = 42 \nneg=-7\r\nplus=+7\nhex=0x10\n"
                                       "big=99999999999\ntext=abc\nb=5\n; comment\n=nokey\n"
                                       "[broken\n[A]\nlate=1\nn=43\n[B]\nlate=2\nx=" +
                                       std::string(IniFile::MaxLineBytes + 10, '7') + "\ny=1");
    // Numbers with blanks and signs; hex, too large or text give the default. A later
    // section of the same name goes on the first, a later key replaces the earlier one.
    std::vector<int> got;
    for (const char* key : {"n", "neg", "plus", "hex", "big", "text", "late"})
        got.push_back(ini.ReadInteger("A", key, 3));
    EXPECT_EQ(got, (std::vector<int>{43, -7, 7, 3, 3, 3, 1}));
    EXPECT_TRUE(ini.ReadBool("A", "b", false) && ini.ReadBool("A", "text", true));
    EXPECT_FALSE(ini.Find("", "orphan"));
    EXPECT_EQ(ini.ReadInteger("B", "late", 0), 2);
    EXPECT_FALSE(ini.Find("B", "x")); // a line too long is left out
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 1);
    EXPECT_NE(ini.Text().find("[A]\r\nn=43\r\nneg=-7\r\n"), std::string::npos); // order kept
}

TEST(AppPaths, PortableCopyAndInstalledPrefix) {
    test::TempDir dir;
    const std::string root = dir.Dir();
    for (const char* data : {"portable/sys/Pen.BMP", "prefix/share/vallo/sys/Pen.BMP"}) {
        std::filesystem::create_directories(std::filesystem::path(root + data).parent_path());
        std::ofstream(root + data) << "pens";
    }
    std::filesystem::create_directories(root + "prefix/bin");
    std::map<std::string, std::string> vars;
    const EnvironmentLookup env = [&vars](const char* name) -> const char* {
        const auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };

    // A writable folder with the data beside the program keeps everything there.
    vars = {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}};
    const auto paths = [&env](const std::string& program) {
        const AppPaths p = ResolveAppPaths(program, env);
        return std::array{p.AppDir, p.ConfigDir, p.UserDataDir};
    };
    EXPECT_EQ(paths(root + "portable"), (std::array<std::string, 3>{root + "portable/", "", ""}));

    // Installed under a prefix: data from share/vallo, own files in the XDG folders, even when
    // the program's folder could be written (as root).
    EXPECT_EQ(paths(root + "prefix/bin/"),
              (std::array<std::string, 3>{root + "prefix/share/vallo/", "/cfg/vallo/",
                                          "/home/u/.local/share/vallo/"}));

    // A relative XDG folder is ignored.
    vars = {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_DATA_HOME", "/d/"}};
    EXPECT_EQ(paths(root + "prefix/bin"),
              (std::array<std::string, 3>{root + "prefix/share/vallo/", "/home/u/.config/vallo/",
                                          "/d/vallo/"}));
}
