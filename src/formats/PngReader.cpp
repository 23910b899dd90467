#include "formats/PngReader.h"

#include "formats/PngError.h"
#include "formats/PngRowFilter.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vallo {

namespace {

constexpr size_t kMinFileSize = 25;
constexpr size_t kFirstChunkOffset = 33; // signature 8 + IHDR 25, taken on trust
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFFu;

[[noreturn]] void Broken() {
    throw PngError(kMsgBrokenPng);
}

uint32_t ReadBigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

bool IsType(const uint8_t* type, const char (&name)[5]) {
    return std::memcmp(type, name, 4) == 0;
}

// Columns (or rows) of an Adam7 pass that fall inside an image of the given extent.
int PassExtent(int extent, int start, int step) {
    return extent > start ? (extent - start + step - 1) / step : 0;
}

struct Adam7Pass {
    int StartX, StartY, StepX, StepY;
};
constexpr Adam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

} // namespace

bool TPngReader::Read(TDIB& image, PngMarks& marks) {
    if (size_ < kMinFileSize)
        return false;
    marks_ = marks;
    marks_.HasTrns = false;
    if (!ReadHeader())
        return false;
    ReadChunks();
    DecideTransparentIndex();
    if (hasDecoded_) {
        image = std::move(decoded_);
    } else {
        // IEND before any IDAT: the picture takes only the header's size, which a file too
        // small to ever hold its pixels may not ask for.
        CheckDeclaredSize(size_);
        TDIB sized(width_, height_, 8);
        sized.ColorTable() = image.ColorTable();
        image = std::move(sized);
    }
    marks = marks_;
    return true;
}

uint8_t TPngReader::HeaderByte(size_t offset) const {
    if (offset >= size_)
        Broken();
    return data_[offset];
}

bool TPngReader::ReadHeader() {
    // The signature and the first chunk's length and type are not examined.
    if (HeaderByte(24) != 8 || HeaderByte(25) != 3 || HeaderByte(26) != 0 || HeaderByte(27) != 0)
        return false;
    interlaced_ = HeaderByte(28) != 0;
    const uint32_t width = ReadBigEndian32(data_ + 16);
    const uint32_t height = ReadBigEndian32(data_ + 20);
    if (width < 1 || width > uint32_t(MaxSide) || height < 1 || height > uint32_t(MaxSide))
        Broken();
    width_ = int(width);
    height_ = int(height);
    return true;
}

void TPngReader::ReadChunks() {
    size_t pos = kFirstChunkOffset;
    for (;;) {
        if (pos > size_ || size_ - pos < 8)
            Broken();
        const uint32_t length = ReadBigEndian32(data_ + pos);
        const uint8_t* type = data_ + pos + 4;
        pos += 8;
        if (length > kMaxChunkLength)
            Broken();
        const bool isIdat = IsType(type, "IDAT");
        if (!isIdat && !idats_.empty())
            DecodeImage();
        if (isIdat && hasDecoded_)
            Broken(); // the IDAT chunks of a PNG are consecutive: a second run is a broken file
        if (IsType(type, "IEND"))
            return;
        if (size_ - pos < size_t(length) + 4) // data and CRC must lie inside the file
            Broken();
        const uint8_t* body = data_ + pos;
        if (isIdat)
            idats_.push_back({pos, length});
        else if (IsType(type, "PLTE"))
            ReadPalette(body, length);
        else if (IsType(type, "vlOp") && length == 256)
            ReadMarks(body);
        else if (IsType(type, "tRNS"))
            ReadTransparency(body, length);
        else if (IsType(type, "bKGD") && length >= 1)
            bkgdTrans_ = body[0];
        pos += size_t(length) + 4; // CRCs are not verified
    }
}

void TPngReader::ReadPalette(const uint8_t* p, uint32_t length) {
    const uint32_t entries = length / 3;
    if (entries > 256)
        Broken();
    for (uint32_t i = 0; i < entries; ++i, p += 3)
        palette_[i] = RGBQuad{p[2], p[1], p[0], 0};
    // A short palette leaves the remaining entries black and forbidden.
    for (uint32_t i = entries; i < 256; ++i) {
        palette_[i] = RGBQuad{};
        marks_.ForbiddenFlags[i] = 66;
    }
}

void TPngReader::ReadMarks(const uint8_t* p) {
    for (int i = 0; i < 256; ++i) {
        int mark = p[i];
        if (mark >= 100) {
            vlOpTrans_ = uint8_t(i);
            mark -= 100;
        }
        marks_.ForbiddenFlags[i] = mark;
    }
}

// The last fully transparent entry names the transparent index.
void TPngReader::ReadTransparency(const uint8_t* p, uint32_t length) {
    marks_.HasTrns = true;
    const uint32_t entries = std::min<uint32_t>(length, 256);
    for (uint32_t i = 0; i < entries; ++i)
        if (p[i] == 0)
            trnsTrans_ = uint8_t(i);
}

// Decided by source, not by position: our own vlOp first, then tRNS; bKGD names the background,
// which most writers put after tRNS, so it counts only when neither of the others names an index.
void TPngReader::DecideTransparentIndex() {
    if (vlOpTrans_)
        marks_.TransColor = *vlOpTrans_;
    else if (trnsTrans_)
        marks_.TransColor = *trnsTrans_;
    else if (bkgdTrans_)
        marks_.TransColor = *bkgdTrans_;
}

// Bytes of filtered rows the header's picture takes: a filter byte and the pixels of every row,
// of every Adam7 pass when interlaced.
uint64_t TPngReader::RawSize() const {
    if (!interlaced_)
        return uint64_t(height_) * (uint64_t(width_) + 1);
    uint64_t total = 0;
    for (const Adam7Pass& pass : kAdam7) {
        const int columns = PassExtent(width_, pass.StartX, pass.StepX);
        if (columns > 0)
            total += uint64_t(PassExtent(height_, pass.StartY, pass.StepY)) * (columns + 1u);
    }
    return total;
}

// Deflate never expands more than about 1,032 to 1, so a picture larger than the compressed
// bytes can fill is refused before anything is allocated for it.
void TPngReader::CheckDeclaredSize(uint64_t compressedBytes) const {
    constexpr uint64_t kMaxInflateRatio = 1032;
    if (RawSize() > (compressedBytes + 1) * kMaxInflateRatio)
        Broken();
}

void TPngReader::DecodeImage() {
    uint64_t compressed = 0;
    for (const IdatSpan& span : idats_)
        compressed += span.Length;
    CheckDeclaredSize(compressed);
    decoded_.SetSize(width_, height_, 8);
    decoded_.ColorTable() = palette_;
    hasDecoded_ = true;
    TIdatInflater inflater(data_, idats_);
    if (interlaced_)
        DecodeInterlaced(inflater);
    else
        DecodeProgressive(inflater);
    idats_.clear();
}

// Rows top to bottom, each a filter-type byte and width pixels. Pixels for which the data
// holds nothing stay 0.
void TPngReader::DecodeProgressive(TIdatInflater& inflater) {
    const size_t rowSize = size_t(width_) + 1;
    const size_t stride = size_t(decoded_.WidthBytes());
    std::vector<uint8_t> row(rowSize);
    const std::vector<uint8_t> zeros(size_t(width_), 0);
    uint8_t* bits = decoded_.MutableBits();
    for (int y = 0; y < height_; ++y) {
        const size_t got = inflater.Fill(row.data(), rowSize);
        if (got == 0)
            return;
        uint8_t* out = bits + size_t(y) * stride;
        const uint8_t* prior = y == 0 ? zeros.data() : out - stride;
        if (!UnfilterRow(row[0], row.data() + 1, prior, out, got - 1))
            Broken();
        if (got < rowSize)
            return;
    }
}

// The seven Adam7 passes, each a reduced image of its own: its rows are filtered against the
// pass's previous row, and a pass without pixels holds no bytes at all.
void TPngReader::DecodeInterlaced(TIdatInflater& inflater) {
    const size_t stride = size_t(decoded_.WidthBytes());
    uint8_t* bits = decoded_.MutableBits();
    std::vector<uint8_t> row(size_t(width_) + 1);
    std::vector<uint8_t> current(size_t(width_), 0), previous(size_t(width_), 0);
    for (const Adam7Pass& pass : kAdam7) {
        const int columns = PassExtent(width_, pass.StartX, pass.StepX);
        const int rows = PassExtent(height_, pass.StartY, pass.StepY);
        if (columns == 0 || rows == 0)
            continue;
        const size_t rowSize = size_t(columns) + 1;
        std::fill(previous.begin(), previous.begin() + columns, 0);
        for (int r = 0; r < rows; ++r) {
            const size_t got = inflater.Fill(row.data(), rowSize);
            if (got == 0)
                return;
            if (!UnfilterRow(row[0], row.data() + 1, previous.data(), current.data(), got - 1))
                Broken();
            uint8_t* out = bits + size_t(pass.StartY + r * pass.StepY) * stride + pass.StartX;
            for (size_t c = 0; c < got - 1; ++c)
                out[c * size_t(pass.StepX)] = current[c];
            if (got < rowSize)
                return;
            std::swap(current, previous);
        }
    }
}

} // namespace vallo
