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

TEST(Startup, FirstStartInAnEmptyFolder) {
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
    s.Hooks = &hooks;
    const std::vector<std::string> problems = MainFormCreate(s, dir.Dir());
    EXPECT_FALSE(problems.empty()); // no sys/ data files here: reported, not fatal
    EXPECT_TRUE(s.StartingUp);
    EXPECT_EQ(s.AppDir, dir.Dir());

    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3"), DefaultPaletteBytes());
    EXPECT_EQ(s.MainImage.Width(), 500); // the start-up picture until the deferred part
    EXPECT_EQ(s.MainImage.Height(), 500);

    DeferredStartup(s, ui);
    EXPECT_FALSE(s.StartingUp);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_EQ(s.MainImage.Height(), 256);
    EXPECT_TRUE(s.FileName.empty());
    EXPECT_FALSE(s.Modified);
    ASSERT_FALSE(hooks.Titles.empty());
    EXPECT_EQ(hooks.Titles.back(), "Vallo [無題]");
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(ui.Asked.empty());
}

TEST(Startup, TheDeferredStartReadsTheSettings) {
    TempDir dir;
    RecordingUi ui;
    EditorState s;
    MainFormCreate(s, dir.Dir());
    std::filesystem::create_directories(std::filesystem::path(IniPath(s)).parent_path());
    std::ofstream(IniPath(s), std::ios::binary) << "[Lupe]\r\n拡大率=12\r\n";
    DeferredStartup(s, ui);
    EXPECT_EQ(s.Magnification, 12);
}

TEST(Startup, AnExistingPaletteFileIsKept) {
    TempDir dir;
    std::filesystem::create_directories(dir / "palette");
    std::ofstream(dir / "palette/vallo.vp3", std::ios::binary) << "mine";
    EditorState s;
    MainFormCreate(s, dir.Dir().substr(0, dir.Dir().size() - 1)); // no trailing slash
    EXPECT_EQ(s.AppDir, dir.Dir());
    EXPECT_EQ(ReadWholeFile(dir / "palette/vallo.vp3").size(), 4u);
}

TEST(Startup, AnUnreadableRecentFileGivesTheBlankUntitledImage) {
    TempDir dir;
    RecordingHooks hooks;
    RecordingUi ui;
    EditorState s;
    s.Hooks = &hooks;
    MainFormCreate(s, dir.Dir());
    std::ofstream(dir / "last.png", std::ios::binary) << "not a picture";
    s.RecentFiles[1] = dir / "last.png";
    DeferredStartup(s, ui);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_TRUE(s.FileName.empty());
    EXPECT_EQ(hooks.Titles.back(), "Vallo [無題]");
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_GE(s.UndoCount, 2);
}

TEST(Startup, DataFilesAreReadFromTheProgramFolder) {
    TempDir dir;
    std::filesystem::copy(VALLO_SYS_DIR, dir / "sys", std::filesystem::copy_options::recursive);
    EditorState s;
    const std::vector<std::string> problems = MainFormCreate(s, dir.Dir());
    EXPECT_TRUE(problems.empty()) << problems.front();
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
    const std::string normal = std::filesystem::path(sprite).lexically_normal().string();
    EXPECT_EQ(s.FileName, normal);
    EXPECT_EQ(s.RecentFiles[1], normal);
    EXPECT_EQ(s.MainImage.Width(), 32);
    EXPECT_EQ(hooks.Titles.back(), "Vallo [basn3p08.png]");
    ASSERT_TRUE(CanUndo(s)); // as Open: one step back to the blank image
    Undo(s);
    EXPECT_EQ(s.MainImage.Width(), 256);
}

TEST(Startup, AReadOnlyInstallWritesUnderTheUsersFolders) {
    TempDir dir;
    std::filesystem::create_directories(dir / "share/palette");
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
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / ("config/vallo/" + std::string(name))));
    EXPECT_FALSE(std::filesystem::exists(dir / "share/sys"));
    EXPECT_EQ(RecoveryFolder(s), dir / "data/vallo/recovery/");
}
