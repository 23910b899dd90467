#include "app/DocumentTestSupport.h"
#include "app/FilePreview.h"
#include "app/FolderShortcut.h"
#include "app/Startup.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "state/AppPaths.h"
#include "state/Configuration.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testsupport;
namespace fs = std::filesystem;

namespace {

struct StartupTest : ::testing::Test {
    StartupTest() { s.Hooks = &hooks; }
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
};

} // namespace

// An empty folder but for the settings and an unreadable recent file 1: the data files are reported
// missing, the palette file is made, the settings are read and the start ends on the blank untitled
// image without a word.
TEST_F(StartupTest, FirstStartInAnEmptyFolder) {
    fs::create_directories(dir / "sys");
    std::ofstream(dir / "sys/vallo.ini", std::ios::binary)
        << "[Lupe]\r\n拡大率=12\r\n[File]\r\n最近使ったファイル1=" << (dir / "last.png") << "\r\n";
    std::ofstream(dir / "last.png", std::ios::binary) << "not a picture";
    EXPECT_TRUE(!MainFormCreate(s, dir.Dir()).empty() && s.StartingUp);
    EXPECT_EQ(s.AppDir, dir.Dir());
    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3"), DefaultPaletteBytes());
    EXPECT_EQ(s.MainImage.Width() + s.MainImage.Height(), 1000); // until the deferred part

    DeferredStartup(s, ui);
    EXPECT_FALSE(s.StartingUp || s.Modified);
    EXPECT_EQ((std::array{s.Magnification, s.MainImage.Width(), s.MainImage.Height()}),
              (std::array{12, 256, 256}));
    EXPECT_TRUE(s.FileName.empty() && hooks.Title == "Vallo [無題]") << hooks.Title;
    EXPECT_TRUE(ui.Errors.empty() && ui.Asked.empty() && s.UndoCount >= 2);
}

TEST_F(StartupTest, DataFilesAreReadFromTheProgramFolderAndAPaletteFileIsKept) {
    fs::copy(VALLO_SYS_DIR, dir / "sys", fs::copy_options::recursive);
    fs::create_directories(dir / "palette");
    std::ofstream(dir / "palette/vallo.vp3", std::ios::binary) << "mine";
    const std::string appDir = dir.Dir().substr(0, dir.Dir().size() - 1); // no trailing slash
    const std::vector<std::string> problems = MainFormCreate(s, appDir);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(s.AppDir, dir.Dir());
    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3").size(), 4u);
    EXPECT_FALSE(s.BarBitmap.Empty());
    // Pen 0 is the single dot, pen 1 a 2 x 2 block.
    EXPECT_EQ(s.PenMasks[0][0][0] + s.PenMasks[1][1][1], 2 * 255);
}

TEST_F(StartupTest, TheCommandLineFileIsOpenedInsteadOfRecentFile1) {
    MainFormCreate(s, dir.Dir());
    const std::string sprite = std::string(VALLO_TESTDATA) + "/pngsuite/basn3p08.png";
    s.RecentFiles[1] = std::string(VALLO_TESTDATA) + "/pngsuite/basi3p08.png";
    s.StartFile = sprite;
    DeferredStartup(s, ui);
    const std::string normal = fs::path(sprite).lexically_normal().string();
    EXPECT_TRUE(s.FileName == normal && s.RecentFiles[1] == normal) << s.FileName;
    EXPECT_EQ(s.MainImage.Width(), 32);
    EXPECT_EQ(hooks.Title, "Vallo [basn3p08.png]");
    Undo(s); // as Open: one step back to the blank image
    EXPECT_EQ(s.MainImage.Width(), 256);
}

TEST_F(StartupTest, AReadOnlyInstallWritesUnderTheUsersFolders) {
    fs::create_directories(dir / "share/palette");
    std::vector<uint8_t> shipped = DefaultPaletteBytes();
    shipped[40] = 99; // tell the shipped copy from the built-in one
    WriteFileAtomically(dir / "share/palette/vallo.vp3", shipped);
    ApplyAppPaths(s, {dir / "share/", dir / "config/vallo/", dir / "data/vallo/"});
    MainFormCreate(s, s.AppDir);
    EXPECT_EQ(ReadWholeFile(dir / "data/vallo/palette/vallo.vp3"), shipped);
    s.IniReadMode = false;
    RunIniRoutine(s);
    for (const char* name : {"vallo.ini", "size.txt", "bai.txt"})
        EXPECT_TRUE(fs::is_regular_file(dir / ("config/vallo/" + std::string(name))));
    EXPECT_FALSE(fs::exists(dir / "share/sys"));
    EXPECT_EQ(RecoveryFolder(s), dir / "data/vallo/recovery/");
}

TEST(FolderShortcut, LinksBothWaysUnderTheirNames) {
    testsupport::TempDir dir;
    const std::string app = dir / "app";
    const std::string sprites = dir / "sprites.v2";
    fs::create_directories(app);
    fs::create_directories(sprites);
    std::ofstream(sprites + "/a.png") << "x";

    EXPECT_EQ(BrowsedFolder(sprites), sprites);
    EXPECT_EQ(BrowsedFolder(sprites + "/a.png"), sprites);
    EXPECT_FALSE(BrowsedFolder(dir / "missing/a.png"));

    const FolderShortcut in = ShortcutToBrowsedFolder(app + "/", sprites);
    EXPECT_EQ(in.LinkPath, app + "/sprites への抜け道.lnk");
    const FolderShortcut out = ShortcutToProgramFolder(app + "/", sprites);
    EXPECT_EQ(out.LinkPath, sprites + "/Vallo への抜け道.lnk");
    for (const FolderShortcut& link : {in, out, in}) { // the second "in" replaces the first
        ASSERT_TRUE(MakeFolderShortcut(link)) << link.LinkPath;
        EXPECT_TRUE(fs::equivalent(link.LinkPath, link.Target));
    }
    EXPECT_TRUE(fs::exists(sprites + "/a.png"));
    // A real folder of the link's name is never replaced.
    fs::remove(in.LinkPath);
    fs::create_directories(in.LinkPath + "/keep");
    EXPECT_FALSE(MakeFolderShortcut(in));
    EXPECT_TRUE(fs::exists(in.LinkPath + "/keep"));

    // The preview leaves links, folders and missing files alone.
    EXPECT_EQ(PreviewSourceOf(out.LinkPath), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites + "/b.png"), PreviewSource::Keep);
    EXPECT_EQ(PreviewSourceOf(sprites + "/a.png"), PreviewSource::Png);
    EXPECT_TRUE(!PreviewShowable(20, 7) && !PreviewShowable(7, 20) && PreviewShowable(8, 8));
}
