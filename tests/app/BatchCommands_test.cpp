#include "app/BatchCommands.h"
#include "app/DocumentTestSupport.h"
#include "formats/GifWriter.h"
#include "formats/PngCodec.h"
#include "image/AtomicFile.h"
#include "palette/PaletteFile.h"

#include <filesystem>
#include <fstream>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using namespace vallo::testsupport;

namespace {

struct Outcome {
    int Status = -1;
    std::string Out, Err;
};

Outcome Command(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunWindowlessCommand(ParseCommandLine(args), nullptr, out, err);
    return {status, out.str(), err.str()};
}

struct Png {
    TDIB Image;
    PngMarks Marks;
};

// The parsed command in one line: action, file, input, output, palette file, options; "bad"
// for arguments refused with a reason.
std::string Parsed(const std::vector<std::string>& args) {
    const char* actions[] = {"edit", "help", "version", "convert", "info", "bad"};
    const CommandLine c = ParseCommandLine(args);
    if (c.Action == CommandAction::BadArguments)
        return c.Error.empty() ? "bad without a reason" : "bad";
    return std::string(actions[int(c.Action)]) + "|" + c.File + "|" + c.Input + "|" + c.Output +
           "|" + c.PaletteFile + (c.KeepIndices ? "|keep" : "") + (c.Json ? "|json" : "");
}

Png ReadPng(const std::string& path) {
    Png p;
    EXPECT_TRUE(LoadPNG(path, p.Image, p.Marks)) << path;
    return p;
}

// An 8 x 8 picture of four colours in columns pairs: red, green, blue, white at indices 0..3.
std::string WriteFourColourPng(const TempDir& dir) {
    TDIB image(8, 8, 8);
    const RGBQuad colours[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};
    for (int i = 0; i < 4; ++i)
        image.ColorTable()[size_t(i)] = colours[i];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image.SetPixel(x, y, uint32_t(x / 2));
    std::array<int32_t, 256> none{};
    SavePNG(dir / "four.png", image, none, 0);
    return dir / "four.png";
}

// A palette file: 0 pure red but forbidden, 1 nearly red, 2 green, 3 blue, 4 white and transparent,
// the rest black.
std::string WriteTargetPalette(const TempDir& dir) {
    std::vector<uint8_t> bytes(kPaletteFileSize, 0);
    const uint8_t rgb[5][3] = {{255, 0, 0}, {250, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (size_t i = 0; i < 5; ++i)
        std::copy_n(rgb[i], 3, bytes.begin() + ptrdiff_t(kPaletteTitleSize + 3 * i));
    bytes[kPaletteTitleSize + 768 + 0] = 66;
    bytes[kPaletteTitleSize + 768 + 4] = 100;
    WriteFileAtomically(dir / "target.vp3", bytes);
    return dir / "target.vp3";
}

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

// The index at x, y of the test GIFs, with 16 or 256 colours.
uint8_t GifIndex(int x, int y, int colours) {
    return uint8_t((x * 37 + y * 11 + 200) % colours);
}

// A 16 x 12 GIF written with giflib: 16 greys in descending order, interlaced, transparent 9.
std::vector<uint8_t> GiflibGif(ColorTableArray& palette) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
    std::vector<GifColorType> colours;
    for (int i = 0; i < 16; ++i) {
        colours.push_back({uint8_t(255 - i * 16), uint8_t(250 - i * 16), uint8_t(245 - i * 15)});
        palette[size_t(i)] = {colours[size_t(i)].Blue, colours[size_t(i)].Green,
                              colours[size_t(i)].Red, 0};
    }
    ColorMapObject* map = GifMakeMapObject(16, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 16, 12, 8, 0, map);
    GraphicsControlBlock gcb{0, false, 0, 9};
    GifByteType ext[4];
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&gcb, ext)), ext);
    EGifPutImageDesc(gif, 0, 0, 16, 12, true, nullptr);
    for (const int y : {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9, 11}) {
        GifPixelType row[16];
        for (int x = 0; x < 16; ++x)
            row[x] = GifIndex(x, y, 16);
        EGifPutLine(gif, row, 16);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

} // namespace

TEST(BatchCommands, ConvertKeepsThePaletteFilesIndicesExactly) {
    TempDir dir;
    for (const char* name :
         {"basn3p08", "basi3p08", "ccwn3p08", "ch2n3p08", "cs3n3p08", "tbbn3p08", "tp1n3p08",
          "cs8n3p08", "basn3p01", "basn3p02", "basn3p04", "basi3p02"}) {
        const std::string in = std::string(VALLO_TESTDATA) + "/pngsuite/" + name + ".png";
        const Outcome r = Command({"convert", in, dir / "out.png"});
        ASSERT_EQ(r.Status, kExitOk) << name << r.Err;
        const Png source = ReadPng(in), converted = ReadPng(dir / "out.png");
        EXPECT_EQ(converted.Image.Width(), source.Image.Width()) << name;
        EXPECT_EQ(Rows(converted.Image), Rows(source.Image)) << name;
        EXPECT_EQ(converted.Image.ColorTable(), source.Image.ColorTable()) << name;
    }
}

TEST(BatchCommands, ConvertKeepsGifIndicesPaletteAndTransparentIndex) {
    TempDir dir;
    GifAnimation written;
    written.Width = 16;
    written.Height = 12;
    std::vector<uint8_t> grey;
    written.Frames.resize(1);
    for (int i = 0; i < 16 * 12; ++i) {
        written.Frames[0].push_back(GifIndex(i % 16, i / 16, 256));
        grey.push_back(GifIndex(i % 16, i / 16, 16));
    }
    for (int i = 0; i < 256; ++i)
        written.Palette[size_t(i)] = {uint8_t(i), uint8_t(i * 5), uint8_t(255 - i), 0};
    ColorTableArray greys{};
    const std::tuple<std::vector<uint8_t>, const std::vector<uint8_t>&, const ColorTableArray&, int>
        cases[] = {{EncodeGifAnimation(written), written.Frames[0], written.Palette,
                    EditorState().TransColor},
                   {GiflibGif(greys), grey, greys, 9}};
    for (const auto& [file, pixels, palette, trans] : cases) {
        WriteFileAtomically(dir / "in.gif", file);
        ASSERT_EQ(Command({"convert", dir / "in.gif", dir / "out.png"}).Status, kExitOk);
        const Png converted = ReadPng(dir / "out.png");
        EXPECT_EQ(converted.Image.Width(), 16);
        EXPECT_EQ(Rows(converted.Image), pixels);
        EXPECT_EQ(converted.Image.ColorTable(), palette);
        EXPECT_EQ(converted.Marks.TransColor, trans);
    }
}

TEST(BatchCommands, BrokenOrRefusedInputWritesNothing) {
    TempDir dir;
    const std::vector<uint8_t> good =
        ReadWholeFile(std::string(VALLO_TESTDATA) + "/pngsuite/basn3p08.png");
    WriteFileAtomically(dir / "broken.png", good.data(), good.size() / 2);
    WriteFileAtomically(dir / "keep.png", good);
    const std::vector<std::vector<std::string>> cases = {
        {"convert", dir / "broken.png", dir / "out.png"},
        {"convert", dir / "missing.png", dir / "out.png"},
        {"convert", std::string(VALLO_TESTDATA) + "/pngsuite/s01n3p01.png", dir / "out.png"},
        {"convert", dir / "broken.png", dir / "keep.png"},
        {"convert", dir / "keep.png", dir / "out.png", "--palette", dir / "missing.vp3"},
        {"info", dir / "broken.png"},
    };
    for (const auto& args : cases) {
        const Outcome r = Command(args);
        EXPECT_EQ(r.Status, kExitRefused) << args[1];
        EXPECT_NE(r.Err.find("vallo: "), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir / "out.png"));
    }
    EXPECT_EQ(ReadWholeFile(dir / "keep.png"), good);
    EXPECT_EQ(Command({"convert", "a.png"}).Status, kExitBadArguments);
    const auto left = std::distance(std::filesystem::directory_iterator(dir.Dir()),
                                    std::filesystem::directory_iterator());
    EXPECT_EQ(left, 2); // broken.png and keep.png, no temporary left behind
}

TEST(BatchCommands, PaletteMapsByColourAndNeverUsesForbiddenEntriesAndInfoTellsTheMarks) {
    TempDir dir;
    const std::string in = WriteFourColourPng(dir), pal = WriteTargetPalette(dir);
    ASSERT_EQ(Command({"convert", in, dir / "mapped.png", "--palette", pal}).Status, kExitOk);
    const Png mapped = ReadPng(dir / "mapped.png");
    const uint32_t expected[4] = {1, 2, 3, 4}; // red avoids the forbidden pure red
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(mapped.Image.Pixel(x, 3), expected[x / 2]) << x;
    EXPECT_EQ((std::array{int(mapped.Marks.ForbiddenFlags[0]), int(mapped.Marks.TransColor)}),
              (std::array{66, 4}));
    EXPECT_EQ(mapped.Image.ColorTable()[1], (RGBQuad{0, 0, 250, 0}));
    const Outcome text = Command({"info", dir / "mapped.png"});
    EXPECT_EQ(text.Status, kExitOk);
    EXPECT_EQ(text.Out, "file: " + (dir / "mapped.png") +
                            "\nsize: 8 x 8\ncolours used: 4\ntransparent index: 4\nforbidden: 0\n");
    EXPECT_EQ(Command({"info", "--json", dir / "mapped.png"}).Out,
              "{\"file\": \"" + (dir / "mapped.png") +
                  "\", \"width\": 8, \"height\": 8, \"colors_used\": 4, "
                  "\"transparent_index\": 4, \"forbidden\": [0]}\n");
    EXPECT_EQ(Command({"--version"}).Out.rfind("vallo ", 0), 0u);

    // Another program's palette brings colours only; entries past its end are never used.
    std::ofstream(dir / "three.hex") << "0000ff\nff0000\nffffff\n";
    ASSERT_EQ(Command({"convert", in, dir / "hex.bmp", "--palette", dir / "three.hex"}).Status,
              kExitOk);
    TDIB hex;
    hex.LoadFromFile(dir / "hex.bmp");
    const uint32_t fromHex[4] = {1, 0, 0, 2}; // green is as far from all three: lowest wins
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(hex.Pixel(x, 5), fromHex[x / 2]) << x;

    const Outcome kept =
        Command({"convert", in, dir / "kept.png", "--palette", pal, "--keep-indices"});
    EXPECT_EQ(kept.Status, kExitRefused); // index 0 is used and the palette forbids it
    EXPECT_NE(kept.Err.find("(0, 0)"), std::string::npos) << kept.Err;
    EXPECT_FALSE(std::filesystem::exists(dir / "kept.png"));
}

TEST(CommandLine, ParsesEveryFormAndRefusesBadArguments) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "edit||||"},
        {{"a.png"}, "edit|a.png|||"},
        {{"--", "--help"}, "edit|--help|||"},
        {{"--help"}, "help||||"},
        {{"a.png", "-h"}, "help||||"},
        {{"--version"}, "version||||"},
        {{"convert", "in.gif", "out.PNG"}, "convert||in.gif|out.PNG|"},
        {{"convert", "--keep-indices", "in.bmp", "--palette", "p.vp3", "o.bmp"},
         "convert||in.bmp|o.bmp|p.vp3|keep"},
        {{"info", "--json", "x.png"}, "info|x.png||||json"},
        {{"info", "x.png"}, "info|x.png|||"},
        {{"--bogus"}, "bad"},
        {{"a.png", "b.png"}, "bad"},
        {{""}, "bad"},
        {{"convert", "in.png"}, "bad"},
        {{"convert", "in.png", "out.jpg"}, "bad"},
        {{"convert", "i.png", "o.png", "x.png"}, "bad"},
        {{"convert", "in.png", "out.png", "--palette"}, "bad"},
        {{"convert", "in.png", "out.png", "--bogus"}, "bad"},
        {{"info", "a.png", "--keep-indices"}, "bad"},
    };
    for (const auto& [args, want] : cases)
        EXPECT_EQ(Parsed(args), want) << ::testing::PrintToString(args);
    const char* argv[] = {"vallo", "a.png"}; // the program's name is not an argument
    EXPECT_EQ(ParseCommandLine(2, argv).File, "a.png");
}
