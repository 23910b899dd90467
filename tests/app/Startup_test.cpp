#include "app/DocumentTestSupport.h"
#include "app/Startup.h"
#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "state/AppPaths.h"
#include "state/Configuration.h"
#include "state/EditorState.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
using namespace vallo::testsupport;
namespace fs = std::filesystem;

// An empty folder but for the settings and an unreadable recent file 1: the data files are
// reported missing, the palette file is made, the settings are read and the start ends on the
// blank untitled image without a word.
TEST(Startup, FirstStartInAnEmptyFolder) {
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
    s.Hooks = &hooks;
    fs::create_directories(dir / "sys");
    std::ofstream(dir / "sys/vallo.ini", std::ios::binary)
        << "[Lupe]\r\n拡大率=12\r\n[File]\r\n最近使ったファイル1=" << (dir / "last.png") << "\r\n";
    std::ofstream(dir / "last.png", std::ios::binary) << "not a picture";
    EXPECT_FALSE(MainFormCreate(s, dir.Dir()).empty());
    EXPECT_TRUE(s.StartingUp);
    EXPECT_EQ(s.AppDir, dir.Dir());
    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3"), DefaultPaletteBytes());
    EXPECT_EQ(s.MainImage.Width() + s.MainImage.Height(), 1000); // until the deferred part

    DeferredStartup(s, ui);
    EXPECT_FALSE(s.StartingUp);
    EXPECT_EQ(s.Magnification, 12);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_EQ(s.MainImage.Height(), 256);
    EXPECT_TRUE(s.FileName.empty());
    EXPECT_FALSE(s.Modified);
    EXPECT_EQ(hooks.Title, "Vallo [無題]");
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(ui.Asked.empty());
    EXPECT_GE(s.UndoCount, 2);
}

TEST(Startup, DataFilesAreReadFromTheProgramFolderAndAPaletteFileIsKept) {
    TempDir dir;
    fs::copy(VALLO_SYS_DIR, dir / "sys", fs::copy_options::recursive);
    fs::create_directories(dir / "palette");
    std::ofstream(dir / "palette/vallo.vp3", std::ios::binary) << "mine";
    EditorState s;
    std::string appDir = dir.Dir();
    appDir.pop_back(); // no trailing slash
    const std::vector<std::string> problems = MainFormCreate(s, appDir);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(s.AppDir, dir.Dir());
    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3").size(), 4u);
    EXPECT_FALSE(s.BarBitmap.Empty());
    // Pen 0 is the single dot, pen 1 a 2 x 2 block.
    EXPECT_EQ(s.PenMasks[0][0][0], 255);
    EXPECT_EQ(s.PenMasks[1][1][1], 255);
}

TEST(Startup, TheCommandLineFileIsOpenedInsteadOfRecentFile1) {
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
    s.Hooks = &hooks;
    MainFormCreate(s, dir.Dir());
    const std::string sprite = std::string(VALLO_TESTDATA) + "/pngsuite/basn3p08.png";
    s.RecentFiles[1] = std::string(VALLO_TESTDATA) + "/pngsuite/basi3p08.png";
    s.StartFile = sprite;
    DeferredStartup(s, ui);
    const std::string normal = fs::path(sprite).lexically_normal().string();
    EXPECT_EQ(s.FileName, normal);
    EXPECT_EQ(s.RecentFiles[1], normal);
    EXPECT_EQ(s.MainImage.Width(), 32);
    EXPECT_EQ(hooks.Title, "Vallo [basn3p08.png]");
    ASSERT_TRUE(CanUndo(s)); // as Open: one step back to the blank image
    Undo(s);
    EXPECT_EQ(s.MainImage.Width(), 256);
}

TEST(Startup, AReadOnlyInstallWritesUnderTheUsersFolders) {
    TempDir dir;
    fs::create_directories(dir / "share/palette");
    std::vector<uint8_t> shipped = DefaultPaletteBytes();
    shipped[40] = 99; // tell the shipped copy from the built-in one
    WriteFileAtomically(dir / "share/palette/vallo.vp3", shipped);
    EditorState s;
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
