#include "draw/Undo.h"
#include "image/AtomicFile.h"
#include "palette/PaletteExchange.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vallo;
using vallo::test::RecordingHooks;
using vallo::test::TempDir;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<RGBQuad> Colors(std::initializer_list<std::array<int, 3>> rgb) {
    std::vector<RGBQuad> out;
    for (const auto& c : rgb)
        out.push_back({uint8_t(c[2]), uint8_t(c[1]), uint8_t(c[0]), 0});
    return out;
}

std::string Message(const std::vector<uint8_t>& bytes, ExchangeFormat format) {
    try {
        ParseExchangePalette(bytes, format);
    } catch (const FileError& e) {
        return e.what();
    }
    return "(accepted)";
}

const std::vector<RGBQuad> kSunset =
    Colors({{0, 0, 0}, {255, 128, 64}, {32, 64, 200}, {250, 250, 250}});

} // namespace

TEST(PaletteExchange, EveryFormatRoundTripsOneAndAllEntries) {
    std::vector<RGBQuad> all;
    for (int i = 0; i < 256; ++i)
        all.push_back({uint8_t(i * 7), uint8_t(255 - i), uint8_t(i), 0});
    for (ExchangeFormat f : {ExchangeFormat::Gpl, ExchangeFormat::JascPal, ExchangeFormat::RiffPal,
                             ExchangeFormat::Act, ExchangeFormat::Hex}) {
        for (const auto& colors : {all, std::vector<RGBQuad>(all.begin() + 9, all.begin() + 10)}) {
            const std::vector<uint8_t> bytes = BuildExchangePalette(colors, f, 3);
            EXPECT_EQ(ParseExchangePalette(bytes, f), colors) << int(f) << " " << colors.size();
        }
    }
}

TEST(PaletteExchange, WrittenBytesFollowEachFormat) {
    const std::vector<RGBQuad> two = Colors({{255, 0, 16}, {1, 2, 3}});
    EXPECT_EQ(BuildExchangePalette(two, ExchangeFormat::Gpl),
              Bytes("GIMP Palette\nName: Vallo\nColumns: 16\n#\n255   0  16\tIndex 0\n"
                    "  1   2   3\tIndex 1\n"));
    EXPECT_EQ(BuildExchangePalette(two, ExchangeFormat::JascPal),
              Bytes("JASC-PAL\r\n0100\r\n2\r\n255 0 16\r\n1 2 3\r\n"));
    EXPECT_EQ(BuildExchangePalette(two, ExchangeFormat::Hex), Bytes("ff0010\n010203\n"));
    EXPECT_EQ(BuildExchangePalette(two, ExchangeFormat::RiffPal),
              Bytes(std::string("RIFF\x18\0\0\0PAL data\x0c\0\0\0\0\x03\x02\0"
                                "\xff\0\x10\0\x01\x02\x03\0",
                                32)));
    const std::vector<uint8_t> act = BuildExchangePalette(two, ExchangeFormat::Act, 5);
    ASSERT_EQ(act.size(), 772u);
    EXPECT_EQ(std::vector<uint8_t>(act.begin(), act.begin() + 7),
              (std::vector<uint8_t>{255, 0, 16, 1, 2, 3, 0}));
    EXPECT_EQ(std::vector<uint8_t>(act.begin() + 768, act.end()),
              (std::vector<uint8_t>{0, 2, 0, 5})); // count 2, transparent index 5
}

TEST(PaletteExchange, ReadsFilesAsOtherProgramsWriteThem) {
    const std::string dir = std::string(VALLO_TEST_FILES) + "/palette/exchange/";
    for (const char* name :
         {"sunset.gpl", "sunset-jasc.pal", "sunset-riff.pal", "sunset.act", "sunset.hex"})
        EXPECT_EQ(ReadExchangePalette(dir + name), kSunset) << name;
    const std::vector<uint8_t> riff = ReadWholeFile(dir + "sunset-riff.pal");
    EXPECT_EQ(ExchangeFormatForRead("A.PAL", riff), ExchangeFormat::RiffPal);
    EXPECT_EQ(ExchangeFormatForRead("a.pal", Bytes("JASC-PAL")), ExchangeFormat::JascPal);
    EXPECT_EQ(ExchangeFormatForWrite("x/Y.Pal"), ExchangeFormat::JascPal);
    EXPECT_THROW(ExchangeFormatForWrite("colours.txt"), FileError);
    EXPECT_THROW(ExchangeFormatForWrite("colours"), FileError);
}

TEST(PaletteExchange, BadFilesAreRefusedNamingTheLineOrByte) {
    std::string longHex;
    for (int i = 0; i < 257; ++i)
        longHex += "102030\n";
    const std::vector<uint8_t> riff = BuildExchangePalette(kSunset, ExchangeFormat::RiffPal);
    std::vector<uint8_t> riffShort = riff, riffMany = riff, riffEmpty = riff;
    riffShort.pop_back();
    riffMany[22] = riffMany[23] = 1; // count 257
    riffEmpty[16] = 4;               // a "data" chunk holding only its version and a count of 0
    riffEmpty[22] = 0;
    std::vector<uint8_t> actMany(772, 0);
    actMany[768] = actMany[769] = 1;
    const struct {
        ExchangeFormat format;
        std::vector<uint8_t> bytes;
        std::string message;
    } cases[] = {
        {ExchangeFormat::Gpl, {}, "ファイルが空です"},
        {ExchangeFormat::Gpl, Bytes("GIMP Palette\r\nName: x\r\n"), "色が 1 つもありません"},
        {ExchangeFormat::Gpl, Bytes("JASC-PAL\n"), "1 行目"},
        {ExchangeFormat::Gpl, Bytes("GIMP Palette\n# c\n1 2 3 a\n1 2 300 b\n"), "4 行目"},
        {ExchangeFormat::Gpl, Bytes("GIMP Palette\n1 2 3x\n"), "2 行目"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAX\r\n0100\r\n1\r\n1 2 3\r\n"), "1 行目"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAL\r\n0200\r\n1\r\n1 2 3\r\n"), "2 行目"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAL\r\n0100\r\n257\r\n"),
         "3 行目: 色が 256 を超えています"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAL\r\n0100\r\n3\r\n1 2 3\r\n4 5 6\r\n"), "6 行目"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAL\r\n0100\r\n1\r\n1 2 3\r\n4 5 6\r\n"), "5 行目"},
        {ExchangeFormat::JascPal, Bytes("JASC-PAL\r\n0100\r\n1\r\n1 2 3 4\r\n"), "4 行目"},
        {ExchangeFormat::RiffPal, Bytes("RIFX"), "0 バイト目"},
        {ExchangeFormat::RiffPal, Bytes(std::string("RIFF\4\0\0\0WAVE", 12)), "8 バイト目"},
        {ExchangeFormat::RiffPal, riffShort, "16 バイト目"},
        {ExchangeFormat::RiffPal, riffMany, "22 バイト目: 色が 256 を超えています"},
        {ExchangeFormat::RiffPal, riffEmpty, "22 バイト目: 色が 1 つもありません"},
        {ExchangeFormat::Act, std::vector<uint8_t>(767, 0), "767 バイト目"},
        {ExchangeFormat::Act, actMany, "768 バイト目"},
        {ExchangeFormat::Hex, Bytes("102030\r\n#zz0000\r\n"), "2 行目"},
        {ExchangeFormat::Hex, Bytes(longHex), "257 行目: 色が 256 を超えています"},
    };
    for (const auto& c : cases) {
        const std::string m = Message(c.bytes, c.format);
        EXPECT_NE(m.find(c.message), std::string::npos) << m << " / expected " << c.message;
    }
}

TEST(PaletteExchange, ImportIsOneUndoStepKeepingMarksExportWritesAll256) {
    TempDir dir;
    EditorState s;
    RecordingHooks hooks;
    s.Hooks = &hooks;
    s.MainImage.SetSize(16, 16, 8);
    vallo::test::SetRampPalette(s);
    InitUndo(s, 8);
    s.ForbiddenFlags[1] = kForbidden;
    s.TransColor = 2;
    const ColorTableArray before = s.MainImage.ColorTable();
    const std::string gpl = dir.Dir() + "in.gpl";
    WriteFileAtomically(gpl, BuildExchangePalette(kSunset, ExchangeFormat::Gpl));
    ImportPalette(s, gpl);
    const auto& table = s.MainImage.ColorTable();
    EXPECT_EQ(std::vector<RGBQuad>(table.begin(), table.begin() + 4), kSunset);
    EXPECT_EQ(table[4], before[4]);
    EXPECT_EQ(s.PaletteQuads, s.MainImage.ColorTable());
    EXPECT_EQ((std::array{s.ForbiddenFlags[1], int(s.TransColor)}), (std::array{kForbidden, 2}));
    EXPECT_EQ(hooks.Count("RedrawExtendedView") * hooks.Count("RedrawPaletteImage"), 1);
    EXPECT_EQ(UndoCaption(s), "Undo 1");
    Undo(s);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    // A refused file changes nothing and records nothing.
    const std::string bad = dir.Dir() + "bad.hex";
    WriteFileAtomically(bad, Bytes("ff0000\nnothex\n"));
    EXPECT_THROW(ImportPalette(s, bad), FileError);
    EXPECT_THROW(ImportPalette(s, dir.Dir() + "missing.act"), FileError);
    EXPECT_EQ(s.MainImage.ColorTable(), before);
    EXPECT_EQ(UndoCaption(s), "Undo 0");
    // Export writes the 256 committed entries, ".pal" as JASC-PAL.
    s.TransColor = 7;
    const std::vector<RGBQuad> all(s.PaletteQuads.begin(), s.PaletteQuads.end());
    ExportPalette(s, dir.Dir() + "out.PAL");
    EXPECT_EQ(ReadWholeFile(dir.Dir() + "out.PAL"),
              BuildExchangePalette(all, ExchangeFormat::JascPal));
    ExportPalette(s, dir.Dir() + "out.act");
    EXPECT_EQ(ReadWholeFile(dir.Dir() + "out.act")[771], 7);
    EXPECT_THROW(ExportPalette(s, dir.Dir() + "out.bmp"), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir.Dir() + "out.bmp"));
}
