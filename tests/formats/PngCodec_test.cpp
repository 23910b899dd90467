#include "formats/PngCodec.h"
#include "formats/PngTestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

using namespace vallo;
using namespace pngtest;

namespace {

TDIB RandomImage(int w, int h, uint32_t seed) {
    std::mt19937 rng(seed);
    TDIB image(w, h, 8);
    for (auto& q : image.ColorTable())
        q = RGBQuad{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.SetPixel(x, y, rng() & 0xFF);
    return image;
}

Bytes RawRows(const TDIB& image) {
    Bytes raw;
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.ScanLine(y), image.ScanLine(y) + image.Width());
    }
    return raw;
}

Bytes PaletteBytes(int entries, uint8_t base = 10) {
    Bytes p;
    for (int i = 0; i < entries; ++i)
        p.insert(p.end(), {uint8_t(base + i), uint8_t(2 * i), uint8_t(255 - i)});
    return p;
}

// An 8-bit palette file with the given chunks between IHDR and IEND.
Bytes PaletteFile(uint32_t w, uint32_t h, const std::vector<std::pair<std::string, Bytes>>& body,
                  uint8_t interlace = 0) {
    Bytes f = Signature();
    AddChunk(f, "IHDR", HeaderData(w, h, 8, 3, interlace));
    for (const auto& [type, data] : body)
        AddChunk(f, type, data);
    AddChunk(f, "IEND", {});
    return f;
}

// Pixel rows of a w x h test picture, index = f(x, y), each row prefixed with filter 0.
Bytes Pattern(int w, int h) {
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x)
            raw.push_back(uint8_t(x * 7 + y * 13 + (x * y) % 5));
    }
    return raw;
}

uint8_t PatternPixel(int x, int y) {
    return uint8_t(x * 7 + y * 13 + (x * y) % 5);
}

PngMarks MarksWith(int forbidden, uint8_t trans) {
    PngMarks m;
    m.ForbiddenFlags.fill(0);
    m.ForbiddenFlags[forbidden] = 66;
    m.TransColor = trans;
    return m;
}

void ExpectBroken(const Bytes& file, TDIB& image, PngMarks& marks) {
    try {
        LoadPNGFromMemory(file.data(), file.size(), image, marks);
        ADD_FAILURE() << "no error";
    } catch (const PngError& e) {
        EXPECT_STREQ(e.what(), "おそらくファイルが壊れています。");
    }
}

} // namespace

TEST(PngWriter, WritesExactChunkLayoutWithCorrectCrcs) {
    TDIB image = RandomImage(5, 3, 1);
    std::array<int32_t, 256> flags{};
    flags[1] = 66;
    flags[7] = 66;
    flags[9] = 0x142; // only the low byte is stored
    flags[200] = 200; // +100 on the transparent index wraps to 44
    const Bytes file = EncodePNG(image, flags, 200);

    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), Signature());
    const auto chunks = SplitChunks(file);
    ASSERT_EQ(chunks.size(), 5u);
    const char* types[] = {"IHDR", "PLTE", "vlOp", "IDAT", "IEND"};
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].Type, types[i]);
        Bytes typed(chunks[i].Type.begin(), chunks[i].Type.end());
        typed.insert(typed.end(), chunks[i].Data.begin(), chunks[i].Data.end());
        EXPECT_EQ(chunks[i].StoredCrc, BitwiseCrc32(typed.data(), typed.size())) << types[i];
    }
    EXPECT_EQ(chunks[0].Data, HeaderData(5, 3));
    Bytes palette;
    for (const RGBQuad& q : image.ColorTable())
        palette.insert(palette.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
    EXPECT_EQ(chunks[1].Data, palette);
    Bytes marks(256, 0);
    marks[1] = marks[7] = 66;
    marks[9] = 0x42;
    marks[200] = 44;
    EXPECT_EQ(chunks[2].Data, marks);
    // One zlib stream at level 9 with default settings, filter None on every row.
    EXPECT_EQ(chunks[3].Data, Zlib(RawRows(image), 9));
    EXPECT_TRUE(chunks[4].Data.empty());
    EXPECT_EQ(file.size(), 1093 + chunks[3].Data.size() + 12);
    EXPECT_EQ(Get32(&file[1081]), chunks[3].Data.size());
}

TEST(PngWriter, LargeImageStreamsIntoOneIdat) {
    // Wider than one compression batch, so the stream is fed in several pieces.
    TDIB image = RandomImage(700, 500, 2);
    for (int y = 0; y < 500; y += 3)
        std::fill_n(image.ScanLine(y), 700, uint8_t(y));
    const Bytes file = EncodePNG(image, {}, 0);
    const auto chunks = SplitChunks(file);
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks[3].Data[0], 0x78);
    EXPECT_EQ(chunks[3].Data[1], 0xDA); // level 9
    EXPECT_EQ(Unzlib(chunks[3].Data, 701 * 500), RawRows(image));
    Bytes typed{'I', 'D', 'A', 'T'};
    typed.insert(typed.end(), chunks[3].Data.begin(), chunks[3].Data.end());
    EXPECT_EQ(chunks[3].StoredCrc, BitwiseCrc32(typed.data(), typed.size()));
}

TEST(PngWriter, RefusesImagesThatAreNotEightBit) {
    TDIB image(4, 4, 24);
    EXPECT_THROW(EncodePNG(image, {}, 0), DibError);
}

TEST(PngCodec, SavedFileReadsBackWithEverything) {
    const TDIB image = RandomImage(37, 21, 3);
    std::array<int32_t, 256> flags{};
    for (int i = 0; i < 256; i += 5)
        flags[i] = 66;
    for (uint8_t trans : {uint8_t(0), uint8_t(5), uint8_t(201)}) {
        const auto path =
            std::filesystem::temp_directory_path() / ("vallo_png_rt_" + std::to_string(trans));
        SavePNG(path.string(), image, flags, trans);
        TDIB loaded(3, 3, 8);
        PngMarks marks = MarksWith(1, 99);
        ASSERT_TRUE(LoadPNG(path.string(), loaded, marks));
        std::filesystem::remove(path);
        EXPECT_EQ(loaded.Width(), 37);
        EXPECT_EQ(loaded.Height(), 21);
        EXPECT_EQ(loaded.BitCount(), 8);
        EXPECT_EQ(loaded.ColorTable(), image.ColorTable());
        for (int y = 0; y < 21; ++y)
            EXPECT_EQ(0, std::memcmp(loaded.ScanLine(y), image.ScanLine(y), 37)) << y;
        EXPECT_EQ(marks.ForbiddenFlags, flags);
        EXPECT_EQ(marks.TransColor, trans);
    }
}

TEST(PngReader, RefusesOtherFormatsWithoutTouchingAnything) {
    const TDIB original = RandomImage(4, 4, 4);
    const PngMarks before = MarksWith(3, 9);
    auto expectFalse = [&](const Bytes& file) {
        TDIB image = original;
        PngMarks marks = before;
        EXPECT_FALSE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
        EXPECT_EQ(image.Width(), 4);
        EXPECT_TRUE(image.SharesPixelsWith(original));
        EXPECT_EQ(marks.ForbiddenFlags, before.ForbiddenFlags);
        EXPECT_EQ(marks.TransColor, before.TransColor);
    };
    Bytes truecolour = Signature();
    AddChunk(truecolour, "IHDR", HeaderData(8, 8, 8, 2));
    expectFalse(truecolour);
    Bytes fourBit = Signature();
    AddChunk(fourBit, "IHDR", HeaderData(8, 8, 4, 3));
    expectFalse(fourBit);
    for (int field : {26, 27}) { // compression and filter method
        Bytes f = PaletteFile(8, 8, {});
        f[field] = 1;
        expectFalse(f);
    }
    Bytes short24 = PaletteFile(8, 8, {});
    short24.resize(24);
    expectFalse(short24);
    // Unsupported headers are refused even with an absurd size.
    Bytes hugeTruecolour = Signature();
    AddChunk(hugeTruecolour, "IHDR", HeaderData(0xFFFFFFFF, 0, 8, 2));
    expectFalse(hugeTruecolour);
}

TEST(PngReader, BrokenFilesRaiseTheBrokenFileErrorAndChangeNothing) {
    const TDIB original = RandomImage(4, 4, 5);
    const PngMarks before = MarksWith(3, 9);
    auto expectBroken = [&](const Bytes& file, const char* what) {
        SCOPED_TRACE(what);
        TDIB image = original;
        PngMarks marks = before;
        ExpectBroken(file, image, marks);
        EXPECT_TRUE(image.SharesPixelsWith(original));
        EXPECT_EQ(image.ColorTable(), original.ColorTable());
        EXPECT_EQ(marks.ForbiddenFlags, before.ForbiddenFlags);
        EXPECT_EQ(marks.TransColor, before.TransColor);
    };
    const Bytes idat = Zlib(Pattern(4, 4));

    Bytes headerOnly = PaletteFile(4, 4, {});
    headerOnly.resize(33);
    expectBroken(headerOnly, "ends after the header");
    Bytes noIend = PaletteFile(4, 4, {{"vlOp", Bytes(256, 166)}, {"IDAT", idat}});
    noIend.resize(noIend.size() - 12);
    expectBroken(noIend, "no IEND");
    Bytes header26 = PaletteFile(4, 4, {});
    header26.resize(26);
    expectBroken(header26, "ends inside the header");

    for (auto [w, h] : {std::pair<uint32_t, uint32_t>{0, 4},
                        {4, 0},
                        {30001, 1},
                        {1, 30001},
                        {0xFFFFFFFF, 0xFFFFFFFF},
                        {0x80000000, 2}})
        expectBroken(PaletteFile(w, h, {{"IDAT", idat}}), "size out of range");

    Bytes hugeLength = PaletteFile(4, 4, {{"tEXt", Bytes(4, 'a')}, {"IDAT", idat}});
    hugeLength[33] = 0x80; // tEXt length 2^31 + 4
    expectBroken(hugeLength, "length of 2^31 or more");
    Bytes pastEnd = PaletteFile(4, 4, {{"tEXt", Bytes(4, 'a')}, {"IDAT", idat}});
    pastEnd[35] = 0x10; // tEXt length 4100, beyond the file
    expectBroken(pastEnd, "chunk runs past the end");

    expectBroken(PaletteFile(4, 4, {{"PLTE", PaletteBytes(257)}, {"IDAT", idat}}),
                 "PLTE with 257 entries");

    Bytes badStream = idat;
    badStream[0] = 0x79; // invalid zlib header
    expectBroken(PaletteFile(4, 4, {{"IDAT", badStream}}), "bad zlib header");
    Bytes badDeflate = idat;
    for (size_t i = 2; i < badDeflate.size(); ++i)
        badDeflate[i] = 0xFF;
    expectBroken(PaletteFile(4, 4, {{"IDAT", badDeflate}}), "bad deflate data");

    Bytes badFilter = Pattern(4, 4);
    badFilter[5 * 2] = 5; // third row
    expectBroken(PaletteFile(4, 4, {{"IDAT", Zlib(badFilter)}}), "filter type 5");
    expectBroken(PaletteFile(4, 4, {{"IDAT", Zlib(badFilter)}}, 1), "filter type 5, Adam7");
}

TEST(PngReader, ShortPaletteMarksTheMissingEntriesForbidden) {
    TDIB image = RandomImage(2, 2, 6);
    PngMarks marks = MarksWith(3, 9);
    marks.ForbiddenFlags[200] = 0;
    const Bytes file =
        PaletteFile(4, 4, {{"PLTE", PaletteBytes(16)}, {"IDAT", Zlib(Pattern(4, 4))}});
    ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    for (int i = 0; i < 256; ++i) {
        const RGBQuad q = image.ColorTable()[i];
        if (i < 16) {
            EXPECT_EQ(q, (RGBQuad{uint8_t(255 - i), uint8_t(2 * i), uint8_t(10 + i), 0}));
            EXPECT_EQ(marks.ForbiddenFlags[i], i == 3 ? 66 : 0); // the document's marks stay
        } else {
            EXPECT_EQ(q, RGBQuad{});
            EXPECT_EQ(marks.ForbiddenFlags[i], 66);
        }
    }
    EXPECT_EQ(marks.TransColor, 9);
}

TEST(PngReader, FullPaletteWithoutMarkChunksKeepsTheDocumentMarks) {
    TDIB image;
    PngMarks marks = MarksWith(17, 33);
    const PngMarks before = marks;
    const Bytes file =
        PaletteFile(4, 4, {{"PLTE", PaletteBytes(256, 0)}, {"IDAT", Zlib(Pattern(4, 4))}});
    ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    EXPECT_EQ(marks.ForbiddenFlags, before.ForbiddenFlags);
    EXPECT_EQ(marks.TransColor, 33);
}

TEST(PngReader, TransparentIndexComesFromVlOpThenTrnsThenBkgdWhateverTheOrder) {
    Bytes alpha(16, 255);
    alpha[3] = alpha[7] = 0;
    Bytes vlOp(256, 0);
    vlOp[40] = 166;
    vlOp[41] = 66;
    const Bytes idat = Zlib(Pattern(4, 4));
    struct Case {
        std::vector<std::pair<std::string, Bytes>> Chunks;
        uint8_t Expected;
    } cases[] = {
        {{{"tRNS", alpha}, {"IDAT", idat}}, 7},
        {{{"tRNS", alpha}, {"bKGD", {12}}, {"IDAT", idat}}, 7}, // as most real files are written
        {{{"bKGD", {12}}, {"tRNS", alpha}, {"IDAT", idat}}, 7},
        {{{"bKGD", {12}}, {"IDAT", idat}}, 12},
        {{{"tRNS", Bytes(5, 128)}, {"bKGD", {12}}, {"IDAT", idat}}, 12}, // no entry fully clear
        {{{"vlOp", vlOp}, {"tRNS", alpha}, {"IDAT", idat}}, 40},
        {{{"tRNS", alpha}, {"bKGD", {12}}, {"IDAT", idat}, {"vlOp", vlOp}}, 40},
        {{{"vlOp", Bytes(255, 150)}, {"IDAT", idat}}, 9}, // wrong length: skipped
        {{{"tRNS", Bytes(300, 0)}, {"IDAT", idat}}, 255}, // indices past 255 ignored
    };
    for (const Case& c : cases) {
        TDIB image;
        PngMarks marks = MarksWith(3, 9);
        const Bytes file = PaletteFile(4, 4, c.Chunks);
        ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
        EXPECT_EQ(marks.TransColor, c.Expected);
        EXPECT_EQ(marks.HasTrns, std::any_of(c.Chunks.begin(), c.Chunks.end(),
                                             [](const auto& ch) { return ch.first == "tRNS"; }));
    }
    // vlOp also sets the forbidden flags, 166 meaning forbidden and transparent.
    TDIB image;
    PngMarks marks = MarksWith(3, 9);
    const Bytes file = PaletteFile(4, 4, {{"vlOp", vlOp}, {"IDAT", idat}});
    ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(marks.ForbiddenFlags[i], (i == 40 || i == 41) ? 66 : 0) << i;
}

TEST(PngReader, SplitIdatChunksSkippedChunksAndDamagedSignatureDecodeAlike) {
    const int w = 23, h = 17;
    const Bytes z = Zlib(Pattern(w, h));
    std::vector<std::pair<std::string, Bytes>> body = {
        {"tEXt", Bytes(5, 'x')}, {"PLTE", PaletteBytes(256)}, {"gAMA", Bytes(4, 0)}};
    // 14 IDAT chunks of uneven sizes, an empty one among them.
    size_t at = 0;
    for (int i = 0; at < z.size(); ++i) {
        const size_t n = i == 4 ? 0 : std::min<size_t>(z.size() - at, size_t(1 + i % 3));
        const size_t take = i >= 13 ? z.size() - at : n;
        body.push_back({"IDAT", Bytes(z.begin() + at, z.begin() + at + take)});
        at += take;
    }
    ASSERT_GT(body.size(), 3u + 10u);
    body.push_back({"tIME", Bytes(7, 1)});
    Bytes file = PaletteFile(w, h, body);
    file[0] = 0;
    file[4] = 'x';
    TDIB image;
    PngMarks marks;
    ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    ASSERT_EQ(image.Width(), w);
    ASSERT_EQ(image.Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(image.Pixel(x, y), PatternPixel(x, y)) << x << "," << y;
}

TEST(PngReader, IendBeforeIdatGivesOnlyTheSize) {
    TDIB image = RandomImage(3, 3, 7);
    const ColorTableArray colours = image.ColorTable();
    PngMarks marks = MarksWith(1, 2);
    const Bytes file = PaletteFile(6, 5, {{"PLTE", PaletteBytes(8)}, {"bKGD", {4}}});
    ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
    EXPECT_EQ(image.Width(), 6);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.ColorTable(), colours);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.Pixel(x, y), 0u);
    EXPECT_EQ(marks.TransColor, 4);
    EXPECT_EQ(marks.ForbiddenFlags[8], 66);
}

TEST(PngReader, PixelsMissingFromAShortStreamAreZero) {
    const int w = 9, h = 6;
    const Bytes raw = Pattern(w, h);
    const Bytes stored = Zlib(raw, 0); // 2-byte header, 5-byte block header, raw bytes
    for (size_t keep : {size_t(0), size_t(1), size_t(10), size_t(25), size_t(31), raw.size() - 1}) {
        Bytes cut(stored.begin(), stored.begin() + 7 + keep);
        const Bytes file = PaletteFile(w, h, {{"IDAT", cut}});
        TDIB image;
        PngMarks marks;
        ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t at = size_t(y) * (w + 1) + 1 + x;
                EXPECT_EQ(image.Pixel(x, y), at < keep ? PatternPixel(x, y) : 0u)
                    << "keep " << keep << " at " << x << "," << y;
            }
    }
}

namespace {

struct PassGeometry {
    int X, Y, Dx, Dy;
};
constexpr PassGeometry kPasses[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                     {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// Serialises a picture as filtered rows, Adam7 or not, choosing the filter per row.
Bytes FilteredRows(const std::vector<Bytes>& pic, int w, int h, bool adam7) {
    Bytes raw;
    int rowCounter = 0;
    auto emit = [&](const std::vector<Bytes>& rows) {
        Bytes prior(rows.empty() ? 0 : rows[0].size(), 0);
        for (const Bytes& row : rows) {
            const uint8_t type = uint8_t(rowCounter++ % 5);
            raw.push_back(type);
            const Bytes f = FilterRow(type, row, prior);
            raw.insert(raw.end(), f.begin(), f.end());
            prior = row;
        }
    };
    if (!adam7)
        return emit(pic), raw;
    for (const PassGeometry& p : kPasses) {
        std::vector<Bytes> rows;
        for (int y = p.Y; y < h; y += p.Dy) {
            Bytes row;
            for (int x = p.X; x < w; x += p.Dx)
                row.push_back(pic[y][x]);
            if (!row.empty())
                rows.push_back(row);
        }
        emit(rows);
    }
    return raw;
}

} // namespace

TEST(PngReader, ReversesAllFiltersPlainAndInterlacedAtEverySmallSize) {
    std::mt19937 rng(11);
    for (int w = 1; w <= 19; w += (w < 10 ? 1 : 9))
        for (int h = 1; h <= 19; h += (h < 10 ? 1 : 9))
            for (bool adam7 : {false, true}) {
                std::vector<Bytes> pic(h, Bytes(w));
                for (auto& row : pic)
                    for (auto& v : row) // smooth values with some noise exercise every predictor
                        v = uint8_t(rng() % 4 ? 128 + int(rng() % 9) : rng());
                const Bytes file = PaletteFile(
                    w, h, {{"IDAT", Zlib(FilteredRows(pic, w, h, adam7))}}, adam7 ? 1 : 0);
                TDIB image;
                PngMarks marks;
                ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(image.Pixel(x, y), pic[y][x])
                            << w << "x" << h << (adam7 ? " Adam7 " : " ") << x << "," << y;
            }
}

TEST(PngCodec, TrnsIsWrittenAfterThePaletteOnlyWhenAsked) {
    const TDIB image = RandomImage(9, 4, 5);
    std::array<int32_t, 256> flags{};
    flags[2] = 66;
    for (const uint8_t trans : {uint8_t(0), uint8_t(6), uint8_t(255)}) {
        const auto chunks = SplitChunks(EncodePNG(image, flags, trans, true));
        ASSERT_EQ(chunks.size(), 6u);
        EXPECT_EQ(chunks[1].Type, "PLTE");
        EXPECT_EQ(chunks[2].Type, "tRNS");
        Bytes alpha(size_t(trans) + 1, 255);
        alpha.back() = 0;
        EXPECT_EQ(chunks[2].Data, alpha);
        const Bytes file = EncodePNG(image, flags, trans, true);
        TDIB back;
        PngMarks marks;
        ASSERT_TRUE(LoadPNGFromMemory(file.data(), file.size(), back, marks));
        EXPECT_EQ(marks.TransColor, trans);
        EXPECT_TRUE(marks.HasTrns);
        EXPECT_EQ(marks.ForbiddenFlags, flags);
    }
    EXPECT_EQ(EncodePNG(image, flags, 6, false), EncodePNG(image, flags, 6));
}

TEST(PngReader, PicturesTheDataCannotFillAndSecondIdatRunsAreRefused) {
    const Bytes idat = Zlib(Pattern(4, 4));
    // The reproducer: 30000 x 30000 with 1,000 (empty IDAT, empty tEXt) pairs once decoded and
    // cleared the whole picture a thousand times.
    std::vector<std::pair<std::string, Bytes>> pairs;
    for (int i = 0; i < 1000; ++i) {
        pairs.push_back({"IDAT", {}});
        pairs.push_back({"tEXt", {}});
    }
    const std::vector<Bytes> files = {
        PaletteFile(30000, 30000, pairs),
        PaletteFile(30000, 30000, {{"IDAT", Zlib(Bytes(16, 0))}}), // a 60-byte file
        PaletteFile(30000, 30000, {}),                              // IEND before any IDAT
        PaletteFile(4, 4, {{"IDAT", idat}, {"tEXt", {}}, {"IDAT", idat}}),
    };
    for (const Bytes& file : files) {
        TDIB image(2, 2, 8);
        PngMarks marks = MarksWith(3, 9);
        ExpectBroken(file, image, marks);
        EXPECT_EQ(image.Width(), 2);
    }
}
