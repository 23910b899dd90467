#include "formats/PngCodec.h"
#include "formats/PngTestFiles.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace vallo;
using namespace pngtest;

namespace {

using Body = std::vector<std::pair<std::string, Bytes>>;

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

Bytes PaletteBytes(int entries, uint8_t base = 10) {
    Bytes p;
    for (int i = 0; i < entries; ++i)
        p.insert(p.end(), {uint8_t(base + i), uint8_t(2 * i), uint8_t(255 - i)});
    return p;
}

// A palette file (8 bits unless told otherwise) with the given chunks between IHDR and IEND.
Bytes PaletteFile(uint32_t w, uint32_t h, const Body& body, uint8_t interlace = 0,
                  uint8_t depth = 8, uint8_t colourType = 3) {
    Bytes f = Signature();
    AddChunk(f, "IHDR", HeaderData(w, h, depth, colourType, interlace));
    for (const auto& [type, data] : body)
        AddChunk(f, type, data);
    AddChunk(f, "IEND", {});
    return f;
}

// A w x h test picture as unfiltered rows.
Bytes Pattern(int w, int h) {
    return RawRows(RandomImage(w, h, uint32_t(w * h)));
}

PngMarks MarksWith(int forbidden, uint8_t trans) {
    PngMarks m;
    m.ForbiddenFlags.fill(0);
    m.ForbiddenFlags[forbidden] = 66;
    m.TransColor = trans;
    return m;
}

} // namespace

TEST(PngWriter, WritesExactBytesAndTrnsShortenedAfterThePaletteOnlyWhenAsked) {
    const TDIB image = RandomImage(5, 3, 1);
    Bytes palette;
    for (const RGBQuad& q : image.ColorTable())
        palette.insert(palette.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
    for (int trans : {-1, 0, 6, 255}) { // -1: index 200 without tRNS
        const uint8_t index = uint8_t(trans < 0 ? 200 : trans);
        std::array<int32_t, 256> flags{};
        flags[1] = flags[7] = 66;
        flags[9] = 0x142;                 // only the low byte is stored
        flags[200] = trans < 0 ? 200 : 0; // +100 on the transparent index wraps to 44
        const Bytes file = EncodePNG(image, flags, index, trans >= 0);
        // One zlib stream, filter None on every row.
        const Bytes idat = SplitChunks(file).at(trans >= 0 ? 4 : 3).Data;
        EXPECT_EQ(Unzlib(idat, RawRows(image).size()), RawRows(image));
        Bytes want = Signature(), alpha(size_t(index) + 1, 255), marks(256, 0);
        AddChunk(want, "IHDR", HeaderData(5, 3));
        AddChunk(want, "PLTE", palette);
        alpha.back() = 0;
        if (trans >= 0)
            AddChunk(want, "tRNS", alpha);
        marks[1] = marks[7] = 66;
        marks[9] = 0x42;
        marks[index] = uint8_t(flags[index] + 100);
        AddChunk(want, "vlOp", marks);
        AddChunk(want, "IDAT", idat);
        AddChunk(want, "IEND", {});
        EXPECT_EQ(file, want) << trans;
        PngMarks read; // the wrapped mark 44 no longer reads as transparent
        Read(file, read);
        EXPECT_EQ((std::array{int(read.TransColor), int(read.HasTrns)}),
                  (std::array{trans < 0 ? 0 : trans, int(trans >= 0)}));
    }
    EXPECT_THROW(EncodePNG(TDIB(4, 4, 24), {}, 0), DibError);
}

TEST(PngWriter, LargeImageGoesIntoOneIdat) {
    // More compressed bytes than the first output room (a quarter of the rows) holds.
    TDIB image = RandomImage(1000, 600, 2);
    for (int y = 0; y < 600; y += 3)
        std::fill_n(image.ScanLine(y), 1000, uint8_t(y));
    const auto chunks = SplitChunks(EncodePNG(image, {}, 0));
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_GT(chunks[3].Data.size(), 300000u);
    EXPECT_EQ(chunks[3].Data[1], 0xDA); // level 9
    EXPECT_EQ(Unzlib(chunks[3].Data, 1001 * 600), RawRows(image));
}

TEST(PngCodec, SavedFileReadsBackWithEverything) {
    vallo::test::TempDir dir;
    const TDIB image = RandomImage(37, 21, 3);
    std::array<int32_t, 256> flags{};
    for (int i = 0; i < 256; i += 5)
        flags[i] = 66;
    for (uint8_t trans : {uint8_t(0), uint8_t(5), uint8_t(201)}) {
        SavePNG(dir.Dir() + "a.png", image, flags, trans);
        TDIB loaded(3, 3, 8);
        PngMarks marks = MarksWith(1, 99);
        ASSERT_TRUE(LoadPNG(dir.Dir() + "a.png", loaded, marks));
        EXPECT_EQ(RawRows(loaded), RawRows(image));
        EXPECT_EQ(loaded.ColorTable(), image.ColorTable());
        EXPECT_EQ(marks.ForbiddenFlags, flags);
        EXPECT_EQ(marks.TransColor, trans);
    }
}

TEST(PngReader, OtherFormatsAreDeclinedAndBrokenFilesRefusedWithoutTouchingAnything) {
    const TDIB original = RandomImage(4, 4, 4);
    const PngMarks before = MarksWith(3, 9);
    // 0: declined (false), 1: broken (the broken-file error).
    auto expect = [&](const Bytes& file, int outcome, const char* what) {
        SCOPED_TRACE(what);
        TDIB image = original;
        PngMarks marks = before;
        try {
            EXPECT_FALSE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
            EXPECT_EQ(outcome, 0);
        } catch (const PngError& e) {
            EXPECT_STREQ(e.what(), "おそらくファイルが壊れています。");
            EXPECT_EQ(outcome, 1);
        }
        EXPECT_TRUE(image.SharesPixelsWith(original) &&
                    image.ColorTable() == original.ColorTable());
        EXPECT_TRUE(marks.ForbiddenFlags == before.ForbiddenFlags &&
                    marks.TransColor == before.TransColor);
    };
    auto changed = [](Bytes f, size_t at, uint8_t value) {
        f.at(at) = value;
        return f;
    };
    auto cut = [](Bytes f, size_t size) { return Bytes(f.begin(), f.begin() + long(size)); };
    const Bytes idat = Zlib(Pattern(4, 4)), plain = PaletteFile(8, 8, {});
    expect(PaletteFile(8, 8, {}, 0, 8, 2), 0, "truecolour");
    expect(PaletteFile(8, 8, {}, 0, 3), 0, "three bits");
    expect(PaletteFile(8, 8, {}, 0, 16), 0, "sixteen-bit palette");
    expect(PaletteFile(~0u, 0, {}, 0, 8, 2), 0, "unsupported and absurdly large");
    expect(changed(plain, 26, 1), 0, "compression method");
    expect(changed(plain, 27, 1), 0, "filter method");
    expect(cut(plain, 24), 0, "24 bytes");
    expect(cut(plain, 26), 1, "26 bytes, inside the header");
    expect(cut(plain, 33), 1, "ends after the header");
    const Bytes text = PaletteFile(4, 4, {{"tEXt", Bytes(4, 'a')}, {"IDAT", idat}});
    expect(cut(text, text.size() - 12), 1, "no IEND");
    expect(changed(text, 33, 0x80), 1, "chunk length of 2^31 or more");
    expect(changed(text, 35, 0x10), 1, "chunk runs past the end");
    const uint32_t sizes[][2] = {{0, 4}, {4, 0}, {30001, 1}, {1, 30001}, {~0u, ~0u}, {1u << 31, 2}};
    for (const auto& [w, h] : sizes)
        expect(PaletteFile(w, h, {{"IDAT", idat}}), 1, "size out of range");
    expect(PaletteFile(4, 4, {{"PLTE", PaletteBytes(257)}, {"IDAT", idat}}), 1, "PLTE of 257");
    expect(PaletteFile(4, 4, {{"IDAT", changed(idat, 0, 0x79)}}), 1, "bad zlib header");
    Bytes badDeflate(idat.size(), 0xFF);
    std::copy_n(idat.begin(), 2, badDeflate.begin());
    expect(PaletteFile(4, 4, {{"IDAT", badDeflate}}), 1, "bad deflate data");
    const Bytes badFilter = Zlib(changed(Pattern(4, 4), 5 * 2, 5)); // third row: filter type 5
    expect(PaletteFile(4, 4, {{"IDAT", badFilter}}), 1, "filter type 5");
    expect(PaletteFile(4, 4, {{"IDAT", badFilter}}, 1), 1, "filter type 5, Adam7");
}

TEST(PngReader, ShortPaletteMarksTheMissingEntriesForbiddenAFullOneKeepsTheMarks) {
    PngMarks marks = MarksWith(3, 9);
    TDIB image =
        Read(PaletteFile(4, 4, {{"PLTE", PaletteBytes(16)}, {"IDAT", Zlib(Pattern(4, 4))}}), marks,
             RandomImage(2, 2, 6));
    for (int i = 0; i < 256; ++i) {
        const RGBQuad want =
            i < 16 ? RGBQuad{uint8_t(255 - i), uint8_t(2 * i), uint8_t(10 + i), 0} : RGBQuad{};
        EXPECT_EQ(image.ColorTable()[i], want) << i;
        EXPECT_EQ(marks.ForbiddenFlags[i], (i == 3 || i >= 16) ? 66 : 0) << i;
    }
    EXPECT_EQ(marks.TransColor, 9);
    marks = MarksWith(17, 33);
    Read(PaletteFile(4, 4, {{"PLTE", PaletteBytes(256, 0)}, {"IDAT", Zlib(Pattern(4, 4))}}), marks);
    EXPECT_EQ(marks.ForbiddenFlags, MarksWith(17, 33).ForbiddenFlags);
    EXPECT_EQ(marks.TransColor, 33);
}

TEST(PngReader, TransparentIndexComesFromVlOpThenTrnsThenBkgdWhateverTheOrder) {
    Bytes alpha(16, 255), vlOp(256, 0);
    alpha[3] = alpha[7] = 0;
    vlOp[40] = 166; // forbidden and transparent
    vlOp[41] = 66;
    const Bytes idat = Zlib(Pattern(4, 4));
    const std::pair<Body, uint8_t> cases[] = {
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
    for (const auto& [body, trans] : cases) {
        PngMarks marks = MarksWith(3, 9);
        Read(PaletteFile(4, 4, body), marks);
        EXPECT_EQ(marks.TransColor, trans);
        EXPECT_EQ(marks.HasTrns, std::any_of(body.begin(), body.end(),
                                             [](const auto& ch) { return ch.first == "tRNS"; }));
    }
    // vlOp also sets the forbidden flags.
    PngMarks marks = MarksWith(3, 9);
    Read(PaletteFile(4, 4, {{"vlOp", vlOp}, {"IDAT", idat}}), marks);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(marks.ForbiddenFlags[i], (i == 40 || i == 41) ? 66 : 0) << i;
}

TEST(PngReader, SplitIdatChunksSkippedChunksAndDamagedSignatureDecodeAlike) {
    const int w = 23, h = 17;
    const Bytes z = Zlib(Pattern(w, h));
    Body body = {{"tEXt", Bytes(5, 'x')}, {"PLTE", PaletteBytes(256)}, {"gAMA", Bytes(4, 0)}};
    // 14 IDAT chunks of uneven sizes, an empty one among them.
    for (size_t i = 0, at = 0; at < z.size(); ++i) {
        const size_t take = i >= 13  ? z.size() - at
                            : i == 4 ? 0
                                     : std::min(z.size() - at, 1 + i % 3);
        body.push_back({"IDAT", Bytes(z.begin() + long(at), z.begin() + long(at + take))});
        at += take;
    }
    body.push_back({"tIME", Bytes(7, 1)});
    Bytes file = PaletteFile(w, h, body);
    file[0] = 0;
    file[4] = 'x';
    PngMarks marks;
    EXPECT_EQ(RawRows(Read(file, marks)), Pattern(w, h));
}

TEST(PngReader, IendBeforeIdatGivesOnlyTheSizeAndAShortStreamZeros) {
    const TDIB before = RandomImage(3, 3, 7);
    PngMarks marks = MarksWith(1, 2);
    const TDIB sized =
        Read(PaletteFile(6, 5, {{"PLTE", PaletteBytes(8)}, {"bKGD", {4}}}), marks, before);
    EXPECT_EQ(RawRows(sized), RawRows(TDIB(6, 5, 8)));
    EXPECT_EQ(sized.ColorTable(), before.ColorTable());
    EXPECT_EQ((std::array{int(marks.TransColor), marks.ForbiddenFlags[8]}), (std::array{4, 66}));
    // Pixels missing from a stream that ends early are zero.
    const int w = 9, h = 6;
    const Bytes raw = Pattern(w, h), stored = Zlib(raw, 0); // 2 + 5 header bytes, then raw
    for (size_t keep : {size_t(0), size_t(1), size_t(10), size_t(25), size_t(31), raw.size() - 1}) {
        Bytes want = raw;
        std::fill(want.begin() + long(keep), want.end(), 0);
        for (int y = 0; y < h; ++y)
            want[size_t(y) * (w + 1)] = 0;
        const Bytes cut(stored.begin(), stored.begin() + long(7 + keep));
        EXPECT_EQ(RawRows(Read(PaletteFile(w, h, {{"IDAT", cut}}), marks)), want) << keep;
    }
}

TEST(PngReader, PicturesTheDataCannotFillAndSecondIdatRunsAreRefused) {
    const Bytes idat = Zlib(Pattern(4, 4));
    // The reproducer: 30000 x 30000 with 1,000 (empty IDAT, empty tEXt) pairs
    // once decoded and cleared the whole picture a thousand times.
    Body pairs;
    for (int i = 0; i < 1000; ++i) {
        pairs.push_back({"IDAT", {}});
        pairs.push_back({"tEXt", {}});
    }
    const std::vector<Bytes> files = {
        PaletteFile(30000, 30000, pairs),
        PaletteFile(30000, 30000, {{"IDAT", Zlib(Bytes(16, 0))}}), // a 60-byte file
        PaletteFile(30000, 30000, {}),                             // IEND before any IDAT
        PaletteFile(4, 4, {{"IDAT", idat}, {"tEXt", {}}, {"IDAT", idat}}),
    };
    for (const Bytes& file : files) {
        TDIB image(2, 2, 8);
        PngMarks marks = MarksWith(3, 9);
        EXPECT_THROW(LoadPNGFromMemory(file.data(), file.size(), image, marks), PngError);
        EXPECT_EQ(image.Width(), 2);
    }
}
