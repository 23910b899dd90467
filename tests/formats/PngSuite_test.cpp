// Conformance of the PNG reader against PngSuite.

#include "formats/PngTestFiles.h"
#include "image/AtomicFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace vallo;
using namespace pngtest;

namespace {

struct SuiteEntry {
    std::string Name;
    int ColourType = -1;
    int Depth = -1;
};

// The suite's files with the colour type and depth of the valid ones.
std::vector<SuiteEntry> SuiteEntries() {
    std::ifstream tsv(std::string(VALLO_TESTDATA) + "/pngsuite.tsv");
    std::vector<SuiteEntry> entries;
    std::string line, skip;
    std::getline(tsv, line); // column names
    while (std::getline(tsv, line)) {
        std::istringstream cells(line);
        SuiteEntry& e = entries.emplace_back();
        std::getline(cells, e.Name, '\t');
        for (int column = 1; column < 5; ++column)
            std::getline(cells, skip, '\t');
        cells >> e.ColourType >> e.Depth;
    }
    return entries;
}

Bytes SuiteFile(const std::string& name) {
    return ReadWholeFile(std::string(VALLO_TESTDATA) + "/pngsuite/" + name);
}

// Reads a file, or ends with the broken-file error; the result tells whether it was taken.
bool TryLoad(const Bytes& file, TDIB& image, PngMarks& marks) {
    try {
        return LoadPNGFromMemory(file.data(), file.size(), image, marks);
    } catch (const PngError&) {
        return false;
    }
}

TDIB Read(const Bytes& file) {
    PngMarks marks;
    return pngtest::Read(file, marks);
}

// An 8-bit greyscale file read as 8-bit palette: the header's colour type is changed to 3.
// Its rows unfilter exactly like palette rows, and the suite's filter files are greyscale.
Bytes GreyAsPalette(const std::string& name) {
    Bytes file = SuiteFile(name);
    EXPECT_EQ(file.at(25), 0);
    file[25] = 3;
    return file;
}

} // namespace

// Palette files of every depth decode exactly with their palette order: plain files (rows
// stored with filter 0, tm3n3p02 with Sub) are unpacked here by hand, every interlaced file
// must match its plain twin, and entries past the palette are black and marked forbidden.
// Every other format is declined and every corrupt file refused, leaving the image alone.
TEST(PngSuite, EveryFileIsDecodedExactlyDeclinedOrRefused) {
    int checked = 0, declined = 0, corrupt = 0;
    for (const SuiteEntry& e : SuiteEntries()) {
        SCOPED_TRACE(e.Name);
        const Bytes file = SuiteFile(e.Name);
        TDIB image(2, 2, 8);
        PngMarks marks;
        if (e.Name[0] == 'x' || e.ColourType != 3) {
            // Corrupt files end with the broken-file error or are declined.
            (e.Name[0] == 'x' ? corrupt : declined)++;
            if (e.Name[0] == 'x')
                EXPECT_FALSE(TryLoad(file, image, marks));
            else
                EXPECT_FALSE(LoadPNGFromMemory(file.data(), file.size(), image, marks));
            EXPECT_EQ(image.Width(), 2);
            continue;
        }
        const auto chunks = SplitChunks(file);
        const int w = int(Get32(&chunks[0].Data[0])), h = int(Get32(&chunks[0].Data[4]));
        image = pngtest::Read(file, marks);
        ASSERT_EQ((std::array{image.Width(), image.Height()}), (std::array{int(w), int(h)}));
        Bytes p;
        for (const Chunk& c : chunks)
            if (c.Type == "PLTE")
                p = c.Data;
        for (size_t i = 0; i < 256; ++i) {
            const bool inFile = i < p.size() / 3;
            const RGBQuad want =
                inFile ? RGBQuad{p[3 * i + 2], p[3 * i + 1], p[3 * i], 0} : RGBQuad{};
            EXPECT_EQ(image.ColorTable()[i], want) << i;
            EXPECT_EQ(marks.ForbiddenFlags[i], inFile ? 0 : 66) << i;
        }
        ++checked;
        if (e.Name[3] == 'i') {
            std::string twin = e.Name;
            twin[3] = 'n';
            EXPECT_EQ(RawRows(image), RawRows(Read(SuiteFile(twin))));
            continue;
        }
        const size_t rowBytes = (size_t(w) * size_t(e.Depth) + 7) / 8;
        const Bytes raw = Unzlib(ConcatIdat(chunks), (rowBytes + 1) * size_t(h));
        ASSERT_EQ(raw.size(), (rowBytes + 1) * size_t(h));
        for (int y = 0; y < h; ++y) {
            const uint8_t* stored = &raw[size_t(y) * (rowBytes + 1)];
            ASSERT_LE(stored[0], 1);
            Bytes row(stored + 1, stored + 1 + rowBytes);
            for (size_t i = 1; stored[0] == 1 && i < rowBytes; ++i)
                row[i] = uint8_t(row[i] + row[i - 1]);
            for (int x = 0; x < w; ++x) {
                const int bit = x * e.Depth, mask = (1 << e.Depth) - 1;
                ASSERT_EQ(int(image.Pixel(x, y)),
                          (row[size_t(bit / 8)] >> (8 - e.Depth - bit % 8)) & mask)
                    << x << "," << y;
            }
        }
    }
    EXPECT_EQ((std::array{checked, declined, corrupt}), (std::array{63, 175 - 14 - 13 - 50, 14}));
}

TEST(PngSuite, TransparencyAndBackgroundSetTheTransparentIndex) {
    const std::pair<const char*, int> cases[] = {{"tbbn3p08.png", 0}, {"tbgn3p08.png", 0},
                                                 {"tbwn3p08.png", 0}, {"tbyn3p08.png", 0},
                                                 {"tp1n3p08.png", 0}, {"tp0n3p08.png", 77}};
    for (const auto& [name, trans] : cases) {
        TDIB image;
        PngMarks marks;
        marks.TransColor = 77;
        ASSERT_TRUE(TryLoad(SuiteFile(name), image, marks)) << name;
        EXPECT_EQ(marks.TransColor, trans) << name;
    }
}

// Filtering the decoded rows again with each row's filter type must give back the file's
// inflated bytes; together the files use every filter type, and Sub and Paeth inside Adam7.
TEST(PngSuite, FilteredRowsAreReversedExactly) {
    for (const char* name : {"f00n0g08.png", "f01n0g08.png", "f02n0g08.png", "f03n0g08.png",
                             "f04n0g08.png", "basn0g08.png"}) {
        SCOPED_TRACE(name);
        const Bytes file = GreyAsPalette(name);
        const TDIB image = Read(file);
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
    EXPECT_EQ(RawRows(Read(GreyAsPalette("basi0g08.png"))),
              RawRows(Read(GreyAsPalette("basn0g08.png"))));
}
