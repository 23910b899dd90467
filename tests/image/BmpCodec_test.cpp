#include "image/AtomicFile.h"
#include "image/DIB.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace vallo;
namespace fs = std::filesystem;

namespace {

const std::string kSuite = std::string(VALLO_TESTDATA) + "/bmpsuite/";

TDIB Load(const std::string& name) {
    TDIB image;
    image.LoadFromFile(kSuite + name);
    return image;
}

TDIB FromBytes(const std::vector<uint8_t>& bytes) {
    TDIB image;
    image.LoadFromMemory(bytes.data(), bytes.size());
    return image;
}

// Width, height and then the colour as 0x00RRGGBB (or with `indices`, the value) of every
// pixel; 24-bit pixels are blue, green, red in memory and so read as 0x00RRGGBB already.
std::vector<uint32_t> Picture(const TDIB& image, bool indices = false) {
    std::vector<uint32_t> out{uint32_t(image.Width()), uint32_t(image.Height())};
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const uint32_t v = image.Pixel(x, y);
            const RGBQuad q = image.ColorTable()[v & 0xFF];
            const uint32_t rgb = uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
            out.push_back(indices ? v : image.BitCount() > 8 ? v & 0xFFFFFF : rgb);
        }
    return out;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSuite + folder))
        if (entry.path().extension() == ".bmp")
            names.push_back(folder + "/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A BMP with a 40-byte header, the given colour table entries (B, G, R, 0 each) and pixel data.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, uint32_t compression,
                             const std::vector<uint32_t>& colors,
                             const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> out = {'B', 'M'};
    const uint32_t offset = 14 + 40 + uint32_t(colors.size()) * 4;
    std::vector<uint32_t> words = {offset + uint32_t(pixels.size()),
                                   0u,
                                   offset,
                                   40u,
                                   uint32_t(width),
                                   uint32_t(height),
                                   1u | uint32_t(bits) << 16,
                                   compression,
                                   uint32_t(pixels.size()),
                                   0u,
                                   0u,
                                   uint32_t(colors.size()),
                                   0u};
    words.insert(words.end(), colors.begin(), colors.end());
    for (uint32_t v : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Loading must either succeed or fail with the invalid-DIB message and leave the image as it
// was. The bytes are a copy of exactly their length, so that the sanitizer sees any overread.
void LoadOrRefuseCleanly(const std::vector<uint8_t>& bytes) {
    TDIB image(3, 2);
    image.SetPixel(1, 1, 42);
    image.ColorTable()[5] = RGBQuad{1, 2, 3, 0};
    try {
        image.LoadFromMemory(bytes.data(), bytes.size());
    } catch (const DibError& e) {
        ASSERT_STREQ(e.what(), "不正な DIB です");
        ASSERT_EQ(image.Width(), 3);
        ASSERT_EQ(image.Pixel(1, 1), 42u);
        ASSERT_EQ(image.ColorTable()[5], (RGBQuad{1, 2, 3, 0}));
    }
}

} // namespace

TEST(BmpRead, GoodFilesKeepTheirBitCountAndLosslessVariantsDecodeAlike) {
    const TDIB pal8 = Load("g/pal8.bmp");
    EXPECT_EQ((std::array{pal8.Width(), pal8.Height()}), (std::array{127, 64}));
    for (int i = 252; i < 256; ++i) // 252 entries in the file; the rest of the table is black
        EXPECT_EQ(pal8.ColorTable()[i], RGBQuad{});
    const std::pair<const char*, int> bits[] = {{"g/pal8.bmp", 8},    {"g/pal4.bmp", 4},
                                                {"g/pal4rle.bmp", 4}, {"g/pal1.bmp", 1},
                                                {"g/rgb16.bmp", 24},  {"g/rgb32bf.bmp", 24}};
    for (const auto& [name, count] : bits)
        EXPECT_EQ(Load(name).BitCount(), count) << name;
    EXPECT_EQ(Load("g/pal8nonsquare.bmp").Height(), 32);
    const std::pair<const char*, std::vector<const char*>> twins[] = {
        {"g/pal8.bmp",
         {"g/pal8-0.bmp", "g/pal8topdown.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp", "g/pal8v4.bmp",
          "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2v2.bmp", "q/pal8os2v2-16.bmp",
          "q/pal8oversizepal.bmp"}},
        {"g/rgb24.bmp",
         {"g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgb32h52.bmp"}},
        {"g/rgb16.bmp", {"g/rgb16bfdef.bmp"}},
        {"g/rgb16-565.bmp", {"g/rgb16-565pal.bmp"}},
        {"g/pal4.bmp", {"g/pal4rle.bmp"}},
        {"g/pal1.bmp", {"g/pal1wb.bmp"}}};
    for (const auto& [original, variants] : twins)
        for (const char* name : variants)
            EXPECT_EQ(Picture(Load(original)), Picture(Load(name))) << name;
}

TEST(BmpRead, SixteenBitFilesGiveTheirColoursExpandedToTheFullRange) {
    const std::vector<uint32_t> rgb24 = Picture(Load("g/rgb24.bmp"));
    for (const char* name : {"g/rgb16.bmp", "g/rgb16-565.bmp"}) {
        const std::vector<uint32_t> rgb16 = Picture(Load(name));
        ASSERT_EQ(rgb16.size(), rgb24.size());
        for (size_t i = 2; i < rgb16.size(); ++i)
            for (int shift : {0, 8, 16})
                ASSERT_LE(
                    std::abs(int((rgb16[i] >> shift) & 0xFF) - int((rgb24[i] >> shift) & 0xFF)), 8)
                    << name << " " << i;
        EXPECT_NE(std::find(rgb16.begin(), rgb16.end(), 0xFFFFFFu), rgb16.end()) << name;
    }
}

TEST(BmpRead, BadFilesAndDamagedCopiesOfGoodOnesAreRefusedCleanly) {
    for (const char* name :
         {"b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
          "b/reallybig.bmp", "b/shortfile.bmp", "b/rletopdown.bmp", "b/badrle.bmp",
          "b/badrlebis.bmp", "b/badrleter.bmp", "b/badrle4.bmp", "b/badrle4bis.bmp",
          "b/badrle4ter.bmp", "b/rgb16-880.bmp"})
        EXPECT_THROW(Load(name), DibError) << name;
    std::mt19937 random(1234);
    for (const char* folder : {"b", "q", "x", "g"})
        for (const std::string& name : FilesIn(folder)) {
            const std::vector<uint8_t> bytes = ReadWholeFile(kSuite + name);
            LoadOrRefuseCleanly(bytes);
            if (folder[0] != 'g')
                continue;
            EXPECT_NO_THROW(Load(name)) << name;
            for (size_t n = 0; n < bytes.size(); n += (n < 160 ? 1 : 331))
                LoadOrRefuseCleanly(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(n)));
            for (int round = 0; round < 60; ++round) {
                std::vector<uint8_t> damaged = bytes;
                for (int k = 0; k < 4; ++k)
                    damaged[random() % std::min<size_t>(damaged.size(), 200)] = uint8_t(random());
                LoadOrRefuseCleanly(damaged);
            }
        }
}

TEST(BmpRead, RleEscapesNibblesTwoBitRowsAndMasks) {
    // 4 x 3, RLE8: row 0 (bottom): run of 2 x 7, end of line; row 1: delta (1, 1);
    // row 2: literal 3 bytes 1 2 3 (padded), end of bitmap. Skipped pixels stay index 0.
    const TDIB rle8 = FromBytes(
        MakeBmp(4, 3, 8, 1, {0, 0xFFFFFF}, {2, 7, 0, 0, 0, 2, 1, 1, 0, 3, 1, 2, 3, 0, 0, 1}));
    // 6 x 1 RLE4: run of 3 alternating 1,2; literal of 3 nibbles 3,4,5; end of bitmap.
    const TDIB rle4 =
        FromBytes(MakeBmp(6, 1, 4, 2, {0, 0, 0, 0, 0, 0}, {3, 0x12, 0, 3, 0x34, 0x50, 0, 1}));
    // 2-bit files become 8-bit indexed images with the same values.
    const TDIB two = FromBytes(MakeBmp(5, 1, 2, 0, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000},
                                       {0b00011011, 0b10000000, 0, 0}));
    EXPECT_EQ(Picture(rle8, true),
              (std::vector<uint32_t>{4, 3, 0, 1, 2, 3, 0, 0, 0, 0, 7, 7, 0, 0}));
    EXPECT_EQ(Picture(rle4, true), (std::vector<uint32_t>{6, 1, 1, 2, 1, 3, 4, 5}));
    EXPECT_EQ(Picture(two, true), (std::vector<uint32_t>{5, 1, 0, 1, 2, 3, 2}));
    EXPECT_EQ(rle8.BitCount() + rle4.BitCount() + two.BitCount(), 8 + 4 + 8);
    EXPECT_EQ(two.ColorTable()[3].rgbRed, 0xFF);
    // 16-bit channel masks read as given; masks that share bits are refused.
    const TDIB masked = FromBytes(MakeBmp(2, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0, 0xF8, 0, 0}));
    EXPECT_EQ(Picture(masked), (std::vector<uint32_t>{2, 1, 0xFF0000, 0}));
    EXPECT_THROW(FromBytes(MakeBmp(2, 1, 16, 3, {0xF800, 0x07E0, 0x07FF}, {0, 0, 0, 0})), DibError);
}

TEST(BmpRead, BadRleAndHugeDeclaredSizesAreRefusedBeforeAnyAllocation) {
    // 1 MiB of RLE8 data declaring 46340 x 46340 once made two 2 GiB images.
    std::vector<uint8_t> rle(1 << 20, 0);
    rle.back() = 1; // end of bitmap
    const auto first = [&](size_t n) {
        return std::vector<uint8_t>(rle.begin(), rle.begin() + long(n));
    };
    const struct {
        int Width, Height;
        uint32_t Compression;
        std::vector<uint8_t> Data;
    } cases[] = {
        {4, 3, 1, {5, 1, 0, 1}}, // a run past the row end
        {4, 3, 1, {0, 5, 1, 2}}, // a literal past the data end
        {4, 3, 1, {2, 7, 0, 0}}, // no end mark
        {46340, 46340, 1, rle},  // sides over 30000
        {30000, 30000, 1, rle},  // more pixels than RLE codes can give
        {1000, 1000, 1, first(64)},
        {30001, 1, 0, first(30004)}, // data present, side still too large
    };
    for (const auto& c : cases)
        EXPECT_THROW(FromBytes(MakeBmp(c.Width, c.Height, 8, c.Compression, {0}, c.Data)), DibError)
            << c.Width;
}

TEST(BmpWrite, WritesTheExactEightBitLayoutAndReadsItBack) {
    TDIB image(3, 2);
    image.ColorTable()[1] = RGBQuad{10, 20, 30, 0};
    image.ColorTable()[255] = RGBQuad{1, 2, 3, 0};
    image.SetPixel(0, 0, 1); // top row
    image.SetPixel(2, 1, 255);
    std::vector<uint32_t> colors(256, 0);
    colors[1] = 0x001E140A;
    colors[255] = 0x00030201;
    // Bottom row first, each padded to 4 bytes.
    const std::vector<uint8_t> bytes = image.SaveToMemory();
    EXPECT_EQ(bytes, MakeBmp(3, 2, 8, 0, colors, {0, 0, 255, 0, 1, 0, 0, 0}));
    const TDIB back = FromBytes(bytes);
    EXPECT_EQ(back.ColorTable(), image.ColorTable());
    EXPECT_EQ(Picture(back, true), Picture(image, true));
}

TEST(BmpWrite, RefusedAndFailedSavesKeepTheOldFile) {
    vallo::test::TempDir dir;
    const std::string path = dir.Dir() + "a.bmp";
    TDIB image(9, 9);
    image.SetPixel(4, 4, 77);
    image.SaveToFile(path);
    const std::vector<uint8_t> saved = ReadWholeFile(path);
    EXPECT_EQ(saved, image.SaveToMemory());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(int(fs::status(path).permissions()), int(0644 & ~mask)); // an ordinary file
    EXPECT_THROW(ReadWholeFile(dir.Dir()), FileError); // a folder opens but cannot be read

    EXPECT_TRUE(TDIB().SaveToMemory().empty());
    try {
        TDIB(2, 2, 24).SaveToFile(path);
        ADD_FAILURE();
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "不正なビット数です (24)");
    }
    TDIB().SaveToFile(path); // nothing to write
    EXPECT_EQ(ReadWholeFile(path), saved);
    EXPECT_THROW(image.SaveToFile(dir.Dir() + "missing/b.bmp"), FileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Dir()), fs::directory_iterator()), 1);
}
