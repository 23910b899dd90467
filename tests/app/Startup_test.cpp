#include "app/DocumentTestSupport.h"
#include "state/EditorState.h"
#include "app/Startup.h"
#include "image/AtomicFile.h"

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

    const std::vector<uint8_t> vp3 = ReadWholeFile(dir / "palette/vallo.vp3");
    ASSERT_EQ(vp3.size(), 1056u);
    EXPECT_EQ(std::string(vp3.begin(), vp3.begin() + 10),
              "\x83\x66\x83\x74\x83\x48\x83\x8B\x83\x67"); // "デフォルト"
    for (size_t i = 10; i < 62; ++i)
        EXPECT_EQ(vp3[i], 0) << i;
    EXPECT_EQ((std::vector<uint8_t>(vp3.begin() + 62, vp3.begin() + 68)),
              (std::vector<uint8_t>{17, 17, 17, 68, 17, 17}));
    EXPECT_EQ(vp3[32 + 225 * 3], 238); // the last cube entry is white-ish
    for (size_t i = 32 + 226 * 3; i < 1056; ++i)
        EXPECT_EQ(vp3[i], 0) << i;

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

TEST(Startup, ZoomBoxText) {
    EXPECT_EQ(ZoomBoxText(8), "800%");
    EXPECT_EQ(ZoomBoxText(12), "1200%");
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
