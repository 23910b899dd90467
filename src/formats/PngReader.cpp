#include "formats/PngReader.h"

#include "formats/PngError.h"
#include "formats/PngRowFilter.h"

#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <span>
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
    const uint8_t depth = HeaderByte(24);
    if ((depth != 1 && depth != 2 && depth != 4 && depth != 8) || HeaderByte(25) != 3 ||
        HeaderByte(26) != 0 || HeaderByte(27) != 0)
        return false;
    depth_ = depth;
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

uint64_t TPngReader::RowBytes(int columns) const {
    return (uint64_t(columns) * uint64_t(depth_) + 7) / 8;
}

// Bytes of filtered rows the header's picture takes: a filter byte and the packed pixels of
// every row, of every Adam7 pass when interlaced.
uint64_t TPngReader::RawSize() const {
    if (!interlaced_)
        return uint64_t(height_) * (RowBytes(width_) + 1);
    uint64_t total = 0;
    for (const Adam7Pass& pass : kAdam7) {
        const int columns = PassExtent(width_, pass.StartX, pass.StepX);
        if (columns > 0)
            total +=
                uint64_t(PassExtent(height_, pass.StartY, pass.StepY)) * (RowBytes(columns) + 1);
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
    if (!interlaced_ && depth_ == 8)
        DecodeInPlace();
    else
        DecodePasses();
    decoded_.ColorTable() = palette_;
    hasDecoded_ = true;
    idats_.clear();
}

// Inflates the IDAT data whole with libdeflate, straight from the file when it is one chunk.
// A stream that libdeflate does not take whole (cut short, or longer than the picture) goes
// through zlib's streaming inflater, which keeps what can be read. Returns the bytes written.
size_t TPngReader::Inflate(uint8_t* out, size_t capacity) const {
    std::vector<uint8_t> joined;
    const uint8_t* in = data_ + idats_[0].Offset;
    size_t inSize = idats_[0].Length;
    if (idats_.size() > 1) {
        for (const IdatSpan& span : idats_)
            joined.insert(joined.end(), data_ + span.Offset, data_ + span.Offset + span.Length);
        in = joined.data();
        inSize = joined.size();
    }
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> d(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    if (!d)
        throw std::bad_alloc();
    size_t got = 0, used = 0;
    if (libdeflate_zlib_decompress_ex(d.get(), in, inSize, out, capacity, &used, &got) ==
        LIBDEFLATE_SUCCESS)
        return got;
    TIdatInflater inflater(data_, idats_);
    return inflater.Fill(out, capacity);
}

// Plain 8-bit rows, inflated into the picture's own store: the filtered rows lie at its end,
// placed so that each row is reconstructed at or before where it was stored and never over a
// row still to come. The load takes one picture's worth of memory besides the file.
void TPngReader::DecodeInPlace() {
    const size_t w = size_t(width_), h = size_t(height_);
    const size_t stride = size_t(TDIB::RowBytes(width_, 8));
    const size_t raw = h * (w + 1);
    const size_t start = (h - 1) * (stride - std::min(stride, w + 1));
    const size_t spare = start + raw > h * stride ? start + raw - h * stride : 0;
    decoded_.SetSize(width_, height_, 8, spare);
    uint8_t* bits = decoded_.MutableBits();
    const size_t got = Inflate(bits + start, raw);
    const std::vector<uint8_t> zeros(w, 0);
    for (size_t y = 0; y < h; ++y) {
        uint8_t* out = bits + y * stride;
        const size_t at = y * (w + 1);
        const size_t count = at + 1 < got ? std::min(w, got - at - 1) : 0;
        if (count > 0 && !UnfilterRow(bits[start + at], bits + start + at + 1,
                                      y == 0 ? zeros.data() : out - stride, out, count))
            Broken();
        if (count < w) { // the data ended: the rest of the picture is 0
            std::memset(out + count, 0, (h - y) * stride - count);
            break;
        }
    }
    for (size_t y = 0; y < h; ++y) // row padding, which held filtered data
        std::memset(bits + y * stride + w, 0, stride - w);
    decoded_.DropSpare();
}

// Interlaced or packed rows, inflated whole first. Each Adam7 pass is a reduced image of its
// own, its rows filtered against the pass's previous row, and a pass without pixels holds no
// bytes at all; a plain picture is one pass. Pixels for which the data holds nothing stay 0.
void TPngReader::DecodePasses() {
    decoded_.SetSize(width_, height_, 8);
    std::vector<uint8_t> raw(RawSize());
    const size_t got = Inflate(raw.data(), raw.size());
    const size_t stride = size_t(decoded_.WidthBytes());
    uint8_t* bits = decoded_.MutableBits();
    std::vector<uint8_t> current(RowBytes(width_), 0), previous(RowBytes(width_), 0);
    const unsigned mask = (1u << depth_) - 1;
    const Adam7Pass plain[1] = {{0, 0, 1, 1}};
    size_t pos = 0;
    const std::span<const Adam7Pass> passes =
        interlaced_ ? std::span<const Adam7Pass>(kAdam7) : std::span<const Adam7Pass>(plain);
    for (const Adam7Pass& pass : passes) {
        const int columns = PassExtent(width_, pass.StartX, pass.StepX);
        const int rows = PassExtent(height_, pass.StartY, pass.StepY);
        if (columns == 0 || rows == 0)
            continue;
        const size_t rowBytes = RowBytes(columns);
        std::fill(previous.begin(), previous.end(), 0);
        for (int r = 0; r < rows; ++r, pos += rowBytes + 1) {
            if (pos + 1 >= got)
                return;
            const size_t count = std::min(rowBytes, got - pos - 1);
            if (!UnfilterRow(raw[pos], &raw[pos + 1], previous.data(), current.data(), count))
                Broken();
            const size_t pixels = std::min(size_t(columns), count * 8 / size_t(depth_));
            uint8_t* out = bits + size_t(pass.StartY + r * pass.StepY) * stride + pass.StartX;
            for (size_t c = 0; c < pixels; ++c) {
                const size_t bit = c * size_t(depth_);
                out[c * size_t(pass.StepX)] =
                    uint8_t((current[bit / 8] >> (8 - depth_ - int(bit % 8))) & mask);
            }
            if (count < rowBytes)
                return;
            std::swap(current, previous);
        }
    }
}

} // namespace vallo
