#include "draw/Undo.h"
#include "palette/PaletteFile.h"
#include "state/StateRoutines.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::RecordingHooks;
using vallo::test::TempDir;

namespace {

std::vector<uint8_t> Slurp(const std::string& path) {
    return ReadWholeFile(path);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Three Japanese characters: six bytes in CP932.
const std::string kTitle3 = "赤い色";

struct PaletteFileTest : ::testing::Test {
    TempDir dir;
    EditorState s;
    RecordingHooks hooks;
    void SetUp() override {
        s.AppDir = dir.Dir();
        s.Hooks = &hooks;
        std::filesystem::create_directories(s.AppDir + "palette");
        vallo::test::SetRampPalette(s);
    }
};

} // namespace

TEST(DefaultPaletteBytes, LayoutByteForByte) {
    const std::vector<uint8_t> b = DefaultPaletteBytes();
    ASSERT_EQ(b.size(), 1056u);
    const std::vector<uint8_t> title{0x83, 0x66, 0x83, 0x74, 0x83, 0x48, 0x83, 0x8B, 0x83, 0x67};
    EXPECT_TRUE(std::equal(title.begin(), title.end(), b.begin()));
    EXPECT_EQ(TitleToUtf8(b), "デフォルト");
    for (size_t i = 10; i < 62; ++i)
        EXPECT_EQ(b[i], 0) << i; // rest of the title and entries 0..9 black
    EXPECT_EQ((std::vector<uint8_t>(b.begin() + 62, b.begin() + 68)),
              (std::vector<uint8_t>{17, 17, 17, 68, 17, 17}));
    const int levels[6] = {17, 68, 119, 170, 204, 238};
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            for (int k = 0; k < 6; ++k) {
                const size_t at = 32 + 3 * size_t(10 + 36 * i + 6 * j + k);
                ASSERT_EQ(b[at], levels[k]);
                ASSERT_EQ(b[at + 1], levels[j]);
                ASSERT_EQ(b[at + 2], levels[i]);
            }
    EXPECT_EQ(b[32 + 3 * 225 + 2], 238); // entry 225 is the last of the cube
    for (size_t i = 32 + 3 * 226; i < 1056; ++i)
        EXPECT_EQ(b[i], 0) << i;
}

TEST(EnsureDefaultPaletteFile, CreatesFolderAndFileOnlyWhenMissing) {
    TempDir dir;
    EnsureDefaultPaletteFile(dir.Dir());
    const std::string file = dir.Dir() + "palette/vallo.vp3";
    EXPECT_EQ(ReadWholeFile(file), DefaultPaletteBytes());
    WriteBytes(file, std::vector<uint8_t>(1056, 7));
    EnsureDefaultPaletteFile(dir.Dir());
    EXPECT_EQ(ReadWholeFile(file), std::vector<uint8_t>(1056, 7));
}

TEST(PaletteTitle, ConvertsAndRefusesLongTitles) {
    const std::string bytes = TitleFromUtf8(kTitle3);
    EXPECT_EQ(bytes.size(), 6u);
    EXPECT_EQ(TitleToUtf8(std::vector<uint8_t>(bytes.begin(), bytes.end())), kTitle3);
    EXPECT_EQ(TitleFromUtf8(std::string(32, 'a')).size(), 32u);
    EXPECT_THROW(TitleFromUtf8(std::string(33, 'a')), FileError);
    EXPECT_THROW(TitleFromUtf8("ああああああああああああああああa"), FileError); // 33 bytes
    EXPECT_THROW(TitleFromUtf8("\xFF\xFE"), FileError);                          // not UTF-8
    // Display stops at the first zero; a full 32-byte title has no terminator.
    std::vector<uint8_t> raw(40, 'x');
    raw[5] = 0;
    EXPECT_EQ(TitleToUtf8(raw), "xxxxx");
    EXPECT_EQ(TitleToUtf8(std::vector<uint8_t>(40, 'y')), std::string(32, 'y'));
    // A byte that is no CP932 shows as a replacement character.
    EXPECT_EQ(TitleToUtf8({'a', 0xFF, 'b'}), "a\xEF\xBF\xBD"
                                             "b");
}

TEST_F(PaletteFileTest, SavesBothKindsWithMarksAtTheirOffsets) {
    s.TransColor = 5;
    s.ForbiddenFlags[5] = kForbidden;
    s.ForbiddenFlags[9] = kForbidden;
    s.Modified = false;
    SavePaletteFile(s, PaletteFileKind::Palette, kTitle3, "p");
    SavePaletteFile(s, PaletteFileKind::Forbidden, kTitle3, "k");
    const std::vector<uint8_t> vp3 = Slurp(s.AppDir + "palette/p.vp3");
    const std::vector<uint8_t> vk3 = Slurp(s.AppDir + "palette/k.vk3");
    ASSERT_EQ(vp3.size(), 1056u);
    ASSERT_EQ(vk3.size(), 288u);
    const std::string t = TitleFromUtf8(kTitle3);
    EXPECT_EQ(std::string(vp3.begin(), vp3.begin() + 6), t);
    for (size_t i = 6; i < 32; ++i)
        EXPECT_EQ(vp3[i], 0);
    EXPECT_EQ(vp3[805], 166);
    EXPECT_EQ(vp3[809], 66);
    EXPECT_EQ(vp3[800], 0);
    EXPECT_EQ(vk3[37], 166);
    EXPECT_EQ(vk3[41], 66);
    // Entry 7 as red, green, blue.
    EXPECT_EQ(vp3[32 + 21], 7);
    EXPECT_EQ(vp3[32 + 22], 248);
    EXPECT_EQ(vp3[32 + 23], 21);
    EXPECT_FALSE(s.Modified);
}

TEST_F(PaletteFileTest, RefusesBadNamesAndKeepsTheOldFile) {
    EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, "t", ""), FileError);
    EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, "t", "../evil"), FileError);
    EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, "t", "a\\b"), FileError);
    EXPECT_FALSE(std::filesystem::exists(s.AppDir + "evil.vp3"));
    SavePaletteFile(s, PaletteFileKind::Palette, "old", "keep");
    const std::vector<uint8_t> before = Slurp(s.AppDir + "palette/keep.vp3");
    EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, std::string(40, 'z'), "keep"),
                 FileError);
    EXPECT_EQ(Slurp(s.AppDir + "palette/keep.vp3"), before);
}

TEST_F(PaletteFileTest, PaletteRoundTripSetsColoursMarksAndRefreshes) {
    s.TransColor = 5;
    s.ForbiddenFlags[5] = kForbidden;
    s.ForbiddenFlags[200] = kForbidden;
    SavePaletteFile(s, PaletteFileKind::Palette, kTitle3, "p");
    const ColorTableArray saved = s.MainImage.ColorTable();

    EditorState t;
    RecordingHooks th;
    t.Hooks = &th;
    t.DrawColor = 200;
    EXPECT_EQ(LoadPaletteFile(t, s.AppDir + "palette/p.vp3", PaletteFileKind::Palette), kTitle3);
    EXPECT_EQ(t.MainImage.ColorTable(), saved);
    EXPECT_EQ(t.PaletteQuads, saved);
    EXPECT_EQ(t.TransColor, 5);
    EXPECT_EQ(t.ForbiddenFlags, s.ForbiddenFlags);
    EXPECT_NE(t.DrawColor, 200); // moved off the now forbidden colour
    EXPECT_TRUE(t.Modified);
    EXPECT_EQ(th.Count("RedrawPaletteImage"), 1);
    EXPECT_EQ(th.Count("RepaintPalette"), 1);
    EXPECT_GE(th.Count("RepaintOverview"), 1); // LayChange repaints it too
}

TEST_F(PaletteFileTest, LastTransparentMarkWinsAndForbiddenFileKeepsColours) {
    std::vector<uint8_t> vk3(288, 0);
    vk3[32 + 3] = 100;
    vk3[32 + 9] = 166;
    vk3[32 + 10] = 66;
    WriteBytes(s.AppDir + "palette/m.vk3", vk3);
    const ColorTableArray before = s.MainImage.ColorTable();
    LoadPaletteFile(s, s.AppDir + "palette/m.vk3", PaletteFileKind::Forbidden);
    EXPECT_EQ(s.TransColor, 9);
    EXPECT_EQ(s.ForbiddenFlags[3], 0);
    EXPECT_EQ(s.ForbiddenFlags[9], 66);
    EXPECT_EQ(s.ForbiddenFlags[10], 66);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_NE(s.Tables.SubstituteColor[9], 9); // the colour tables follow the new marks
}

TEST_F(PaletteFileTest, ShortOrMissingFilesChangeNothing) {
    std::vector<uint8_t> shortVp3 = DefaultPaletteBytes();
    shortVp3.resize(1055);
    WriteBytes(s.AppDir + "palette/short.vp3", shortVp3);
    WriteBytes(s.AppDir + "palette/short.vk3", std::vector<uint8_t>(287, 166));
    s.TransColor = 1;
    s.Modified = false;
    const ColorTableArray before = s.MainImage.ColorTable();
    const auto flags = s.ForbiddenFlags;
    EXPECT_THROW(LoadPaletteFile(s, s.AppDir + "palette/short.vp3", PaletteFileKind::Palette),
                 FileError);
    EXPECT_THROW(LoadPaletteFile(s, s.AppDir + "palette/short.vk3", PaletteFileKind::Forbidden),
                 FileError);
    EXPECT_THROW(LoadPaletteFile(s, s.AppDir + "palette/none.vp3", PaletteFileKind::Palette),
                 FileError);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ(s.ForbiddenFlags, flags);
    EXPECT_EQ(s.TransColor, 1);
    EXPECT_FALSE(s.Modified);
    EXPECT_EQ(hooks.Calls.size(), 0u);
}

TEST_F(PaletteFileTest, PaletteLoadIsOnePaletteUndoStepForbiddenLoadNone) {
    InitUndo(s, 8);
    const ColorTableArray before = s.MainImage.ColorTable();
    WriteBytes(s.AppDir + "palette/d.vp3", DefaultPaletteBytes());
    WriteBytes(s.AppDir + "palette/d.vk3", std::vector<uint8_t>(288, 66));
    LoadPaletteFile(s, s.AppDir + "palette/d.vk3", PaletteFileKind::Forbidden);
    EXPECT_EQ(s.Undo.UndoDepth, 0);
    LoadPaletteFile(s, s.AppDir + "palette/d.vp3", PaletteFileKind::Palette);
    EXPECT_EQ(s.Undo.UndoDepth, 1);
    hooks.Calls.clear();
    Undo(s);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ(s.PaletteQuads, before); // a palette step: the colour tables follow
    EXPECT_EQ(hooks.Count("RedrawPaletteImage"), 1);
}

TEST_F(PaletteFileTest, NewImageTakesTheDefaultPaletteQuietly) {
    EnsureDefaultPaletteFile(s.AppDir);
    s.FileName = "/x/old.png";
    s.Modified = false;
    NewImageWithDefaultPalette(s, 256, 200);
    EXPECT_EQ(s.MainImage.Width(), 256);
    EXPECT_EQ(s.MainImage.Height(), 200);
    EXPECT_EQ(s.MainImage.BitCount(), 8);
    EXPECT_EQ(s.MainImage.ColorTable()[11], (RGBQuad{17, 17, 68, 0}));
    EXPECT_EQ(s.PaletteQuads[11], (RGBQuad{17, 17, 68, 0}));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(s.MainImage.Pixel(x, y), 0u);
    EXPECT_TRUE(s.FileName.empty());
    EXPECT_EQ(hooks.Title, "Vallo [無題]");
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.PaletteLoadQuiet, 0);
    EXPECT_EQ(hooks.Count("RedrawPaletteImage"), 0); // refreshing is the caller's part
}

TEST_F(PaletteFileTest, NewImageFallsBackToBuiltInPaletteAndUsesFileMarks) {
    // Missing file: the built-in default. A size below 1 becomes 1.
    NewImageWithDefaultPalette(s, 0, -5);
    EXPECT_EQ(s.MainImage.Width(), 1);
    EXPECT_EQ(s.MainImage.Height(), 1);
    EXPECT_EQ(s.MainImage.ColorTable()[225], (RGBQuad{238, 238, 238, 0}));
    // A damaged (short) file: the built-in default as well.
    WriteBytes(s.AppDir + "palette/vallo.vp3", std::vector<uint8_t>(100, 99));
    NewImageWithDefaultPalette(s, 16, 16);
    EXPECT_EQ(s.MainImage.ColorTable()[10], (RGBQuad{17, 17, 17, 0}));
    // A user's default with marks: its transparent colour and forbidden set come along.
    std::vector<uint8_t> custom = DefaultPaletteBytes();
    custom[800 + 4] = 100;
    custom[800 + 6] = 66;
    WriteBytes(s.AppDir + "palette/vallo.vp3", custom);
    NewImageWithDefaultPalette(s, 16, 16);
    EXPECT_EQ(s.TransColor, 4);
    EXPECT_EQ(s.ForbiddenFlags[6], 66);
}
