#include "image/AtomicFile.h"
#include "image/DIB.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

using namespace vallo;
namespace fs = std::filesystem;

namespace {

const std::string kSuite = std::string(VALLO_TESTDATA) + "/bmpsuite/";

TDIB Load(const std::string& name) {
    TDIB image;
    image.LoadFromFile(kSuite + name);
    return image;
}

// Colour of a pixel as 0x00RRGGBB, whatever the bit count.
uint32_t Rgb(const TDIB& image, int x, int y) {
    const uint32_t v = image.Pixel(x, y);
    if (image.BitCount() <= 8) {
        const RGBQuad q = image.ColorTable()[v & 0xFF];
        return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
    return v & 0xFFFFFF; // 24-bit pixels are blue, green, red in memory
}

::testing::AssertionResult SamePicture(const std::string& a, const std::string& b) {
    const TDIB x = Load(a), y = Load(b);
    if (x.Width() != y.Width() || x.Height() != y.Height())
        return ::testing::AssertionFailure() << a << " and " << b << " differ in size";
    for (int j = 0; j < x.Height(); ++j)
        for (int i = 0; i < x.Width(); ++i)
            if (Rgb(x, i, j) != Rgb(y, i, j))
                return ::testing::AssertionFailure()
                       << a << " differs from " << b << " at " << i << "," << j;
    return ::testing::AssertionSuccess();
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSuite + folder))
        if (entry.path().extension() == ".bmp")
            names.push_back(folder + "/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Bytes(const std::string& path) {
    return ReadWholeFile(path);
}

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// A BMP with a 40-byte header, the given colour table entries (B, G, R, 0 each) and pixel data.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, uint32_t compression,
                             const std::vector<uint32_t>& colors,
                             const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> out = {'B', 'M'};
    const uint32_t offset = 14 + 40 + uint32_t(colors.size()) * 4;
    Put(out, offset + uint32_t(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, uint32_t(width), 4);
    Put(out, uint32_t(height), 4);
    Put(out, 1, 2);
    Put(out, uint32_t(bits), 2);
    Put(out, compression, 4);
    Put(out, uint32_t(pixels.size()), 4);
    Put(out, 0, 4); // pixels per metre
    Put(out, 0, 4);
    Put(out, uint32_t(colors.size()), 4);
    Put(out, 0, 4);
    for (uint32_t c : colors)
        Put(out, c, 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Loading must either succeed or fail with the invalid-DIB message and leave the image as it was.
void LoadOrRefuseCleanly(const uint8_t* data, size_t size) {
    TDIB image(3, 2);
    image.SetPixel(1, 1, 42);
    image.ColorTable()[5] = RGBQuad{1, 2, 3, 0};
    try {
        image.LoadFromMemory(data, size);
    } catch (const DibError& e) {
        ASSERT_STREQ(e.what(), "不正な DIB です");
        ASSERT_EQ(image.Width(), 3);
        ASSERT_EQ(image.Pixel(1, 1), 42u);
        ASSERT_EQ(image.ColorTable()[5], (RGBQuad{1, 2, 3, 0}));
    }
}

} // namespace

TEST(BmpRead, IndexedGoodFilesKeepTheirBitCountAndPalette) {
    const TDIB pal8 = Load("g/pal8.bmp");
    EXPECT_EQ(pal8.BitCount(), 8);
    EXPECT_EQ(pal8.Width(), 127);
    EXPECT_EQ(pal8.Height(), 64);
    // 252 entries in the file; the rest of the table is black.
    for (int i = 252; i < 256; ++i)
        EXPECT_EQ(pal8.ColorTable()[i], RGBQuad{});
    EXPECT_EQ(Load("g/pal4.bmp").BitCount(), 4);
    EXPECT_EQ(Load("g/pal4rle.bmp").BitCount(), 4);
    EXPECT_EQ(Load("g/pal1.bmp").BitCount(), 1);
    EXPECT_EQ(Load("g/rgb16.bmp").BitCount(), 24);
    EXPECT_EQ(Load("g/rgb32bf.bmp").BitCount(), 24);
    EXPECT_EQ(Load("g/pal8nonsquare.bmp").Height(), 32);
}

TEST(BmpRead, LosslessVariantsDecodeToTheSamePixels) {
    for (const char* name : {"g/pal8-0.bmp", "g/pal8topdown.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp",
                             "g/pal8v4.bmp", "g/pal8v5.bmp", "q/pal8offs.bmp", "q/pal8os2v2.bmp",
                             "q/pal8os2v2-16.bmp", "q/pal8oversizepal.bmp"})
        EXPECT_TRUE(SamePicture("g/pal8.bmp", name));
    for (const char* name :
         {"g/rgb24pal.bmp", "g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgb32h52.bmp"})
        EXPECT_TRUE(SamePicture("g/rgb24.bmp", name));
    EXPECT_TRUE(SamePicture("g/rgb16.bmp", "g/rgb16bfdef.bmp"));
    EXPECT_TRUE(SamePicture("g/rgb16-565.bmp", "g/rgb16-565pal.bmp"));
    EXPECT_TRUE(SamePicture("g/pal4.bmp", "g/pal4rle.bmp"));
    EXPECT_TRUE(SamePicture("g/pal1.bmp", "g/pal1wb.bmp"));
}

TEST(BmpRead, SixteenBitFilesExpandToTheFullRange) {
    const TDIB rgb24 = Load("g/rgb24.bmp");
    for (const char* name : {"g/rgb16.bmp", "g/rgb16-565.bmp"}) {
        const TDIB rgb16 = Load(name);
        bool sawWhite = false;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 127; ++x) {
                const uint32_t a = Rgb(rgb16, x, y), b = Rgb(rgb24, x, y);
                for (int shift : {0, 8, 16})
                    ASSERT_LE(std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)), 8)
                        << name << " " << x << "," << y;
                sawWhite |= a == 0xFFFFFF;
            }
        EXPECT_TRUE(sawWhite) << name;
    }
}

TEST(BmpRead, OneBitPalettesGiveTheirOwnColours) {
    const TDIB pal1 = Load("g/pal1.bmp"), bg = Load("g/pal1bg.bmp");
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 127; ++x) {
            const uint32_t c = Rgb(pal1, x, y);
            ASSERT_TRUE(c == 0 || c == 0xFFFFFF);
            // Same picture, other colours.
            EXPECT_EQ(Rgb(bg, x, y), bg.ColorTable()[pal1.Pixel(x, y)].rgbRed << 16 |
                                         bg.ColorTable()[pal1.Pixel(x, y)].rgbGreen << 8 |
                                         bg.ColorTable()[pal1.Pixel(x, y)].rgbBlue);
        }
}

TEST(BmpRead, EveryGoodFileLoads) {
    for (const std::string& name : FilesIn("g"))
        EXPECT_NO_THROW(Load(name)) << name;
}

TEST(BmpRead, BadFilesAreRefusedOrLoadSensibly) {
    for (const std::string& name : FilesIn("b")) {
        const std::vector<uint8_t> bytes = Bytes(kSuite + name);
        LoadOrRefuseCleanly(bytes.data(), bytes.size());
    }
    // These cannot be read in any sensible way.
    for (const char* name :
         {"b/badbitcount.bmp", "b/badheadersize.bmp", "b/badplanes.bmp", "b/badwidth.bmp",
          "b/reallybig.bmp", "b/shortfile.bmp", "b/rletopdown.bmp", "b/badrle.bmp",
          "b/badrlebis.bmp", "b/badrleter.bmp", "b/badrle4.bmp", "b/badrle4bis.bmp",
          "b/badrle4ter.bmp", "b/rgb16-880.bmp"})
        EXPECT_THROW(Load(name), DibError) << name;
}

TEST(BmpRead, QuestionableAndForeignFilesNeverCrash) {
    for (const char* folder : {"q", "x"})
        for (const std::string& name : FilesIn(folder)) {
            const std::vector<uint8_t> bytes = Bytes(kSuite + name);
            LoadOrRefuseCleanly(bytes.data(), bytes.size());
        }
}

TEST(BmpRead, TruncatedAndDamagedFilesNeverReadOutside) {
    std::mt19937 random(1234);
    for (const std::string& name : FilesIn("g")) {
        const std::vector<uint8_t> bytes = Bytes(kSuite + name);
        // Copies of exactly the prefix length, so that the sanitizer sees any overread.
        for (size_t n = 0; n < bytes.size(); n += (n < 160 ? 1 : 331)) {
            const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + long(n));
            LoadOrRefuseCleanly(prefix.data(), prefix.size());
        }
        for (int round = 0; round < 60; ++round) {
            std::vector<uint8_t> damaged = bytes;
            for (int k = 0; k < 4; ++k) {
                const size_t at = random() % std::min<size_t>(damaged.size(), 200);
                damaged[at] = uint8_t(random());
            }
            LoadOrRefuseCleanly(damaged.data(), damaged.size());
        }
    }
}

TEST(BmpRead, RleEscapesLeaveSkippedPixelsAtIndexZero) {
    // 4 x 3, RLE8: row 0 (bottom): run of 2 x 7, end of line; row 1: delta (1, 1);
    // row 2: literal 3 bytes 1 2 3 (padded), end of bitmap.
    const std::vector<uint8_t> rle = {2, 7, 0, 0, 0, 2, 1, 1, 0, 3, 1, 2, 3, 0, 0, 1};
    const std::vector<uint8_t> file = MakeBmp(4, 3, 8, 1, {0, 0xFFFFFF}, rle);
    TDIB image;
    image.LoadFromMemory(file.data(), file.size());
    ASSERT_EQ(image.BitCount(), 8);
    const uint8_t expected[3][4] = {{0, 1, 2, 3}, {0, 0, 0, 0}, {7, 7, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(image.Pixel(x, y), expected[y][x]) << x << "," << y;

    // A run past the row end, a literal past the data end and a missing end mark are refused.
    for (const std::vector<uint8_t>& bad :
         {std::vector<uint8_t>{5, 1, 0, 1}, std::vector<uint8_t>{0, 5, 1, 2},
          std::vector<uint8_t>{2, 7, 0, 0}}) {
        const std::vector<uint8_t> f = MakeBmp(4, 3, 8, 1, {0}, bad);
        EXPECT_THROW(image.LoadFromMemory(f.data(), f.size()), DibError);
    }
}

TEST(BmpRead, Rle4NibblesAndTwoBitFiles) {
    // 6 x 1 RLE4: run of 3 alternating 1,2; literal of 3 nibbles 3,4,5; end of bitmap.
    const std::vector<uint8_t> rle4 = {3, 0x12, 0, 3, 0x34, 0x50, 0, 1};
    const std::vector<uint8_t> f4 = MakeBmp(6, 1, 4, 2, {0, 0, 0, 0, 0, 0}, rle4);
    TDIB image;
    image.LoadFromMemory(f4.data(), f4.size());
    ASSERT_EQ(image.BitCount(), 4);
    const uint32_t want[6] = {1, 2, 1, 3, 4, 5};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(image.Pixel(x, 0), want[x]);

    // 2-bit files become 8-bit indexed images with the same values.
    const std::vector<uint8_t> f2 = MakeBmp(5, 1, 2, 0, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000},
                                            {0b00011011, 0b10000000, 0, 0});
    image.LoadFromMemory(f2.data(), f2.size());
    ASSERT_EQ(image.BitCount(), 8);
    const uint32_t want2[5] = {0, 1, 2, 3, 2};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.Pixel(x, 0), want2[x]);
    EXPECT_EQ(image.ColorTable()[3].rgbRed, 0xFF);
}

TEST(BmpWrite, WritesTheExactEightBitLayout) {
    TDIB image(3, 2);
    image.ColorTable()[1] = RGBQuad{10, 20, 30, 0};
    image.ColorTable()[255] = RGBQuad{1, 2, 3, 0};
    image.SetPixel(0, 0, 1); // top row
    image.SetPixel(2, 1, 255);
    const std::vector<uint8_t> bytes = image.SaveToMemory();
    ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 8);
    auto u32 = [&](size_t at) {
        return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
               uint32_t(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(2), bytes.size());
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 1078u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);
    EXPECT_EQ(u32(26), 1u | 8u << 16); // planes, bit count
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(u32(34), 8u);
    EXPECT_EQ(u32(46), 256u);
    EXPECT_EQ(u32(54 + 4), 0x001E140Au);
    EXPECT_EQ(u32(54 + 4 * 255), 0x00030201u);
    // Bottom row first, each padded to 4 bytes.
    const std::vector<uint8_t> rows(bytes.begin() + 1078, bytes.end());
    EXPECT_EQ(rows, (std::vector<uint8_t>{0, 0, 255, 0, 1, 0, 0, 0}));

    TDIB back;
    back.LoadFromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(back.ColorTable(), image.ColorTable());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.Pixel(x, y), image.Pixel(x, y));
}

TEST(BmpWrite, EmptyAndNonEightBitImages) {
    EXPECT_TRUE(TDIB().SaveToMemory().empty());
    TDIB rgb(2, 2, 24);
    try {
        rgb.SaveToMemory();
        FAIL();
    } catch (const DibError& e) {
        EXPECT_STREQ(e.what(), "不正なビット数です (24)");
    }
}

TEST(BmpWrite, FailedSaveKeepsTheOldFile) {
    const fs::path dir = fs::temp_directory_path() / ("vallo_bmp_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "a.bmp").string();
    TDIB image(9, 9);
    image.SetPixel(4, 4, 77);
    image.SaveToFile(path);
    const std::vector<uint8_t> saved = Bytes(path);
    EXPECT_EQ(saved, image.SaveToMemory());

    EXPECT_THROW(TDIB(2, 2, 24).SaveToFile(path), DibError);
    TDIB().SaveToFile(path); // nothing to write
    EXPECT_EQ(Bytes(path), saved);
    EXPECT_THROW(image.SaveToFile((dir / "missing" / "b.bmp").string()), FileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(BmpRead, HugeDeclaredSizesAreRefusedBeforeAnyAllocation) {
    // The reproducer: 1 MiB of RLE8 data declaring 46340 x 46340 once made two 2 GiB images.
    std::vector<uint8_t> rle(1 << 20, 0);
    rle[rle.size() - 1] = 1; // end of bitmap
    struct Case {
        int Width, Height, Bits;
        uint32_t Compression;
        size_t DataBytes;
    } cases[] = {
        {46340, 46340, 8, 1, rle.size()}, // sides over 30000
        {30000, 30000, 8, 1, rle.size()}, // more pixels than RLE codes can give
        {1000, 1000, 8, 1, 64},
        {30001, 1, 8, 0, 30004},          // data present, side still too large
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> data(rle.begin(), rle.begin() + long(c.DataBytes));
        const std::vector<uint8_t> f = MakeBmp(c.Width, c.Height, c.Bits, c.Compression, {0}, data);
        TDIB image;
        EXPECT_THROW(image.LoadFromMemory(f.data(), f.size()), DibError) << c.Width;
    }
}
