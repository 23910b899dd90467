// Conformance of the PNG reader against PngSuite.

#include "formats/PngCodec.h"
#include "formats/PngTestFiles.h"
#include "image/AtomicFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace vallo;
using namespace pngtest;

namespace {

const std::string kSuite = std::string(VALLO_TESTDATA) + "/pngsuite/";

struct SuiteEntry {
    std::string Name;
    int ColourType = -1;
    int Depth = -1;
};

std::vector<SuiteEntry> SuiteEntries() {
    std::ifstream tsv(std::string(VALLO_TESTDATA) + "/pngsuite.tsv");
    std::vector<SuiteEntry> entries;
    std::string line;
    std::getline(tsv, line); // column names
    while (std::getline(tsv, line)) {
        std::vector<std::string> cells;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t'))
            cells.push_back(cell);
        SuiteEntry e;
        e.Name = cells.at(0);
        if (cells.size() > 6 && !cells[5].empty() && !cells[6].empty()) {
            e.ColourType = std::stoi(cells[5]);
            e.Depth = std::stoi(cells[6]);
        }
        entries.push_back(e);
    }
    return entries;
}

Bytes ReadSuiteFile(const std::string& name) {
    return ReadWholeFile(kSuite + name);
}

bool Load(const Bytes& file, TDIB& image, PngMarks& marks) {
    return LoadPNGFromMemory(file.data(), file.size(), image, marks);
}

TDIB LoadOrFail(const Bytes& file, PngMarks* marksOut = nullptr) {
    TDIB image;
    PngMarks marks;
    EXPECT_TRUE(Load(file, image, marks));
    if (marksOut)
        *marksOut = marks;
    return image;
}

bool SamePixels(const TDIB& a, const TDIB& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), size_t(a.Width())) != 0)
            return false;
    return true;
}

// An 8-bit greyscale file read as 8-bit palette: the header's colour type is changed to 3.
// Its rows unfilter exactly like palette rows, and the suite's filter files are greyscale.
Bytes GreyAsPalette(const std::string& name) {
    Bytes file = ReadSuiteFile(name);
    EXPECT_EQ(file.at(25), 0);
    file[25] = 3;
    return file;
}

} // namespace

TEST(PngSuite, EightBitPaletteFilesDecodeToTheirPaletteAndPixels) {
    int checked = 0;
    for (const SuiteEntry& e : SuiteEntries()) {
        if (e.ColourType != 3 || e.Depth != 8 || e.Name[0] == 'x')
            continue;
        SCOPED_TRACE(e.Name);
        const Bytes file = ReadSuiteFile(e.Name);
        const auto chunks = SplitChunks(file);
        const Bytes ihdr = chunks.at(0).Data;
        const int w = int(Get32(&ihdr[0])), h = int(Get32(&ihdr[4]));
        PngMarks marks;
        const TDIB image = LoadOrFail(file, &marks);
        ASSERT_EQ(image.Width(), w);
        ASSERT_EQ(image.Height(), h);

        Bytes plte;
        for (const Chunk& c : chunks)
            if (c.Type == "PLTE")
                plte = c.Data;
        const size_t entries = plte.size() / 3;
        for (size_t i = 0; i < 256; ++i) {
            const RGBQuad q = image.ColorTable()[i];
            if (i < entries)
                EXPECT_EQ(q, (RGBQuad{plte[3 * i + 2], plte[3 * i + 1], plte[3 * i], 0})) << i;
            else
                EXPECT_EQ(q, RGBQuad{}) << i;
            EXPECT_EQ(marks.ForbiddenFlags[i], i < entries ? 0 : 66) << i;
        }

        if (ihdr[12] == 0) { // the suite's plain palette files all store rows with filter 0
            const Bytes raw = Unzlib(ConcatIdat(chunks), size_t(w + 1) * h);
            ASSERT_EQ(raw.size(), size_t(w + 1) * h);
            for (int y = 0; y < h; ++y) {
                ASSERT_EQ(raw[size_t(y) * (w + 1)], 0);
                ASSERT_EQ(0, std::memcmp(image.ScanLine(y), &raw[size_t(y) * (w + 1) + 1], w))
                    << "row " << y;
            }
        }
        ++checked;
    }
    EXPECT_EQ(checked, 13);
}

TEST(PngSuite, InterlacedPaletteFileMatchesItsPlainTwin) {
    const TDIB plain = LoadOrFail(ReadSuiteFile("basn3p08.png"));
    const TDIB interlaced = LoadOrFail(ReadSuiteFile("basi3p08.png"));
    EXPECT_EQ(interlaced.ColorTable(), plain.ColorTable());
    EXPECT_TRUE(SamePixels(interlaced, plain));
}

TEST(PngSuite, TransparencyAndBackgroundSetTheTransparentIndex) {
    struct Case {
        const char* Name;
        int Trans;
    } cases[] = {{"tbbn3p08.png", 0}, {"tbgn3p08.png", 0}, {"tbwn3p08.png", 0},
                 {"tbyn3p08.png", 0}, {"tp1n3p08.png", 0}, {"tp0n3p08.png", 77}};
    for (const Case& c : cases) {
        TDIB image;
        PngMarks marks;
        marks.TransColor = 77;
        ASSERT_TRUE(Load(ReadSuiteFile(c.Name), image, marks)) << c.Name;
        EXPECT_EQ(marks.TransColor, c.Trans) << c.Name;
    }
}

TEST(PngSuite, FilteredRowsAreReversedExactly) {
    // Filtering the decoded rows again with each row's filter type must give back the file's
    // inflated bytes; together the files use every filter type.
    for (const char* name : {"f00n0g08.png", "f01n0g08.png", "f02n0g08.png", "f03n0g08.png",
                             "f04n0g08.png", "basn0g08.png"}) {
        SCOPED_TRACE(name);
        const Bytes file = GreyAsPalette(name);
        const TDIB image = LoadOrFail(file);
        const int w = image.Width(), h = image.Height();
        const Bytes raw = Unzlib(ConcatIdat(SplitChunks(file)), size_t(w + 1) * h);
        ASSERT_EQ(raw.size(), size_t(w + 1) * h);
        Bytes prior(size_t(w), 0);
        for (int y = 0; y < h; ++y) {
            const Bytes row(image.ScanLine(y), image.ScanLine(y) + w);
            const uint8_t* stored = &raw[size_t(y) * (w + 1)];
            EXPECT_EQ(FilterRow(stored[0], row, prior), Bytes(stored + 1, stored + 1 + w))
                << "row " << y << " filter " << int(stored[0]);
            prior = row;
        }
    }
    // Sub and Paeth inside Adam7 passes.
    EXPECT_TRUE(SamePixels(LoadOrFail(GreyAsPalette("basi0g08.png")),
                           LoadOrFail(GreyAsPalette("basn0g08.png"))));
}

TEST(PngSuite, EveryOtherFormatIsRefusedAndCorruptFilesNeverCrash) {
    int refused = 0, corrupt = 0;
    for (const SuiteEntry& e : SuiteEntries()) {
        SCOPED_TRACE(e.Name);
        const Bytes file = ReadSuiteFile(e.Name);
        TDIB image(2, 2, 8);
        PngMarks marks;
        if (e.Name[0] == 'x') {
            try {
                EXPECT_FALSE(Load(file, image, marks));
            } catch (const PngError&) {
            }
            EXPECT_EQ(image.Width(), 2);
            ++corrupt;
        } else if (e.ColourType != 3 || e.Depth != 8) {
            EXPECT_FALSE(Load(file, image, marks));
            EXPECT_EQ(image.Width(), 2);
            ++refused;
        }
    }
    EXPECT_EQ(corrupt, 14);
    EXPECT_EQ(refused, 175 - 14 - 13);
}

TEST(PngSuite, TruncatedAndDamagedPaletteFilesEndCleanly) {
    // Every prefix of a plain and an interlaced file, and random byte damage: each read must
    // end with a result or the broken-file error, never out of bounds (checked under ASan).
    for (const char* name : {"basn3p08.png", "basi3p08.png", "tbbn3p08.png"}) {
        const Bytes file = ReadSuiteFile(name);
        for (size_t n = 0; n < file.size(); ++n) {
            Bytes cut(file.begin(), file.begin() + n);
            TDIB image;
            PngMarks marks;
            try {
                Load(cut, image, marks);
            } catch (const PngError&) {
            }
        }
        std::mt19937 rng(7);
        for (int round = 0; round < 400; ++round) {
            Bytes damaged = file;
            for (int k = 0; k < 1 + round % 4; ++k)
                damaged[8 + rng() % (damaged.size() - 8)] = uint8_t(rng());
            TDIB image;
            PngMarks marks;
            try {
                Load(damaged, image, marks);
            } catch (const PngError&) {
            } catch (const DibError&) {
                // a damaged size can ask for more memory than the image type allows
            }
        }
    }
}
