#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"
#include "state/StateRoutines.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace vallo;
using Bytes = std::vector<uint8_t>;

namespace {

// Three Japanese characters: six bytes in CP932.
const std::string kTitle3 = "赤い色";

struct PaletteFileTest : ::testing::Test {
    vallo::test::TempDir dir;
    EditorState s;
    vallo::test::RecordingHooks hooks;
    void SetUp() override {
        s.AppDir = dir.Dir();
        s.Hooks = &hooks;
        std::filesystem::create_directories(s.AppDir + "palette");
        vallo::test::SetRampPalette(s);
    }
    std::string File(const std::string& name) const { return s.AppDir + "palette/" + name; }
    void Write(const std::string& name, const Bytes& bytes) {
        WriteFileAtomically(File(name), bytes);
    }
};

} // namespace

TEST(DefaultPaletteBytes, LayoutByteForByteAndWrittenOnlyWhenMissing) {
    const Bytes b = DefaultPaletteBytes();
    ASSERT_EQ(b.size(), 1056u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 10),
              (Bytes{0x83, 0x66, 0x83, 0x74, 0x83, 0x48, 0x83, 0x8B, 0x83, 0x67}));
    EXPECT_EQ(TitleToUtf8(b), "デフォルト");
    // The rest of the title and entries 0..9 black, then the 6 x 6 x 6 cube, then black again.
    EXPECT_EQ(Bytes(b.begin() + 10, b.begin() + 62), Bytes(52, 0));
    const int levels[6] = {17, 68, 119, 170, 204, 238};
    for (size_t i = 0; i < 216; ++i)
        for (size_t c = 0; c < 3; ++c)
            ASSERT_EQ(b[32 + 3 * (10 + i) + c], levels[i /
                                                       (c == 0   ? 1
                                                        : c == 1 ? 6
                                                                 : 36) %
                                                       6])
                << i;
    EXPECT_EQ(Bytes(b.begin() + 32 + 3 * 226, b.end()), Bytes(1056 - 32 - 3 * 226, 0));
    vallo::test::TempDir dir;
    EnsurePaletteFolder(dir.Dir() + "palette/", "");
    const std::string file = dir.Dir() + "palette/vallo.vp3";
    EXPECT_EQ(ReadWholeFile(file), b);
    WriteFileAtomically(file, Bytes(1056, 7));
    EnsurePaletteFolder(dir.Dir() + "palette/", "");
    EXPECT_EQ(ReadWholeFile(file), Bytes(1056, 7));
}

TEST(PaletteTitle, ConvertsAndRefusesLongTitles) {
    EXPECT_EQ(TitleFromUtf8(std::string(32, 'a')).size(), 32u);
    // 33 bytes of either width, and no UTF-8.
    for (std::string bad : {std::string(33, 'a'), std::string("ああああああああああああああああa"),
                            std::string("\xFF\xFE")})
        EXPECT_THROW(TitleFromUtf8(bad), FileError);
    // Display stops at the first zero; a full 32-byte title has no terminator; a byte that is no
    // CP932 shows as a replacement character.
    Bytes raw(40, 'x');
    raw[5] = 0;
    EXPECT_EQ(TitleToUtf8(raw), "xxxxx");
    EXPECT_EQ(TitleToUtf8(Bytes(40, 'y')), std::string(32, 'y'));
    EXPECT_EQ(TitleToUtf8({'a', 0xFF, 'b'}), "a\xEF\xBF\xBD"
                                             "b");
}

TEST_F(PaletteFileTest, BothKindsSaveMarksAtTheirOffsetsAndThePaletteLoadsBack) {
    s.TransColor = 5;
    s.ForbiddenFlags[5] = s.ForbiddenFlags[9] = s.ForbiddenFlags[200] = kForbidden;
    s.Modified = false;
    SavePaletteFile(s, PaletteFileKind::Palette, kTitle3, "p");
    SavePaletteFile(s, PaletteFileKind::Forbidden, kTitle3, "k");
    EXPECT_FALSE(s.Modified);
    const Bytes vp3 = ReadWholeFile(File("p.vp3")), vk3 = ReadWholeFile(File("k.vk3"));
    ASSERT_EQ((std::array{vp3.size(), vk3.size()}), (std::array<size_t, 2>{1056, 288}));
    const std::string t = TitleFromUtf8(kTitle3) + std::string(26, '\0');
    EXPECT_EQ(std::string(vp3.begin(), vp3.begin() + 32), t);
    EXPECT_EQ(std::string(vk3.begin(), vk3.begin() + 32), t);
    EXPECT_EQ((Bytes{vp3[805], vp3[809], vp3[800], vk3[37], vk3[41], vk3[36]}),
              (Bytes{166, 66, 0, 166, 66, 0}));
    EXPECT_EQ(Bytes(vp3.begin() + 32 + 21, vp3.begin() + 32 + 24), (Bytes{7, 248, 21})); // entry 7
    EditorState t2;
    vallo::test::RecordingHooks th;
    t2.Hooks = &th;
    t2.DrawColor = 200;
    EXPECT_EQ(LoadPaletteFile(t2, File("p.vp3"), PaletteFileKind::Palette), kTitle3);
    EXPECT_EQ(t2.MainImage.ColorTable(), s.MainImage.ColorTable());
    EXPECT_EQ(t2.PaletteQuads, s.MainImage.ColorTable());
    EXPECT_EQ(t2.TransColor, 5);
    EXPECT_EQ(t2.ForbiddenFlags, s.ForbiddenFlags);
    EXPECT_NE(t2.DrawColor, 200); // moved off the now forbidden colour
    EXPECT_TRUE(t2.Modified);
    EXPECT_EQ((std::array{th.Count("RedrawPaletteImage"), th.Count("RepaintPalette")}),
              (std::array{1, 1}));
    EXPECT_GE(th.Count("RepaintOverview"), 1);
}

TEST_F(PaletteFileTest, RefusesBadNamesAndKeepsTheOldFile) {
    for (const char* name : {"", "../evil", "a\\b"})
        EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, "t", name), FileError) << name;
    EXPECT_FALSE(std::filesystem::exists(s.AppDir + "evil.vp3"));
    SavePaletteFile(s, PaletteFileKind::Palette, "old", "keep");
    const Bytes before = ReadWholeFile(File("keep.vp3"));
    EXPECT_THROW(SavePaletteFile(s, PaletteFileKind::Palette, std::string(40, 'z'), "keep"),
                 FileError);
    EXPECT_EQ(ReadWholeFile(File("keep.vp3")), before);
}

TEST_F(PaletteFileTest, ForbiddenFileKeepsColoursLastTransparentMarkWinsShortFilesChangeNothing) {
    Bytes shortVp3 = DefaultPaletteBytes();
    shortVp3.resize(1055);
    Write("short.vp3", shortVp3);
    Write("short.vk3", Bytes(287, 166));
    s.TransColor = 1;
    s.Modified = false;
    const ColorTableArray before = s.MainImage.ColorTable();
    const auto flags = s.ForbiddenFlags;
    for (const char* name : {"short.vp3", "none.vp3"})
        EXPECT_THROW(LoadPaletteFile(s, File(name), PaletteFileKind::Palette), FileError);
    EXPECT_THROW(LoadPaletteFile(s, File("short.vk3"), PaletteFileKind::Forbidden), FileError);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ(s.ForbiddenFlags, flags);
    EXPECT_EQ((std::array{int(s.TransColor), int(s.Modified), int(hooks.Calls.size())}),
              (std::array{1, 0, 0}));
    Bytes vk3(288, 0);
    vk3[32 + 3] = 100; // a transparent mark that a later one overrides
    vk3[32 + 9] = 166;
    vk3[32 + 10] = 66;
    Write("m.vk3", vk3);
    LoadPaletteFile(s, File("m.vk3"), PaletteFileKind::Forbidden);
    EXPECT_EQ(s.TransColor, 9);
    EXPECT_EQ((std::array{s.ForbiddenFlags[3], s.ForbiddenFlags[9], s.ForbiddenFlags[10]}),
              (std::array{0, 66, 66}));
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_NE(s.Tables.SubstituteColor[9], 9); // the colour tables follow the new marks
}

TEST_F(PaletteFileTest, PaletteLoadIsOnePaletteUndoStepForbiddenLoadNone) {
    InitUndo(s, 8);
    const ColorTableArray before = s.MainImage.ColorTable();
    Write("d.vp3", DefaultPaletteBytes());
    Write("d.vk3", Bytes(288, 66));
    LoadPaletteFile(s, File("d.vk3"), PaletteFileKind::Forbidden);
    EXPECT_EQ(s.Undo.UndoDepth, 0);
    LoadPaletteFile(s, File("d.vp3"), PaletteFileKind::Palette);
    EXPECT_EQ(s.Undo.UndoDepth, 1);
    hooks.Calls.clear();
    Undo(s);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ(s.PaletteQuads, before); // a palette step: the colour tables follow
    EXPECT_EQ(hooks.Count("RedrawPaletteImage"), 1);
}

TEST_F(PaletteFileTest, NewImageTakesTheDefaultPaletteQuietlyOrTheBuiltInOne) {
    Write("vallo.vp3", DefaultPaletteBytes());
    NewImageWithDefaultPalette(s, 256, 200);
    EXPECT_EQ((std::array{s.MainImage.Width(), s.MainImage.Height(), s.MainImage.BitCount()}),
              (std::array{256, 200, 8}));
    EXPECT_EQ(s.MainImage.ColorTable()[11], (RGBQuad{17, 17, 68, 0}));
    EXPECT_EQ(s.PaletteQuads[11], (RGBQuad{17, 17, 68, 0}));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(s.MainImage.Pixel(x, y), 0u);
    // A user's default with marks: its transparent colour and forbidden set come along.
    Bytes custom = DefaultPaletteBytes();
    custom[800 + 4] = 100;
    custom[800 + 6] = 66;
    Write("vallo.vp3", custom);
    NewImageWithDefaultPalette(s, 16, 16);
    EXPECT_EQ((std::array{int(s.TransColor), s.ForbiddenFlags[6]}), (std::array{4, 66}));
    // A damaged (short) or missing file: the built-in default. A size below 1 becomes 1.
    Write("vallo.vp3", Bytes(100, 99));
    NewImageWithDefaultPalette(s, 16, 16);
    EXPECT_EQ(s.MainImage.ColorTable()[10], (RGBQuad{17, 17, 17, 0}));
    std::filesystem::remove(File("vallo.vp3"));
    NewImageWithDefaultPalette(s, 0, -5);
    EXPECT_EQ((std::array{s.MainImage.Width(), s.MainImage.Height()}), (std::array{1, 1}));
    EXPECT_EQ(s.MainImage.ColorTable()[225], (RGBQuad{238, 238, 238, 0}));
}
