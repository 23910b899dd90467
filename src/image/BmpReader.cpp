#include "image/BmpReader.h"

#include "image/Messages.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vallo {

namespace {

enum Compression : uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitfields = 3,
    kAlphaBitfields = 6,
};

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

bool KnownInfoHeaderSize(uint32_t size) {
    switch (size) {
    case 16:  // OS/2 2.x, shortened
    case 40:  // Windows 3
    case 52:  // with RGB masks
    case 56:  // with RGBA masks
    case 64:  // OS/2 2.x, full
    case 108: // V4
    case 124: // V5
        return true;
    default:
        return false;
    }
}

int64_t FileRowBytes(int64_t width, int bitCount) {
    return ((width * bitCount + 31) >> 5) * 4;
}

// RLE codes give at most 255 pixels per two bytes; what end-of-line, delta and end-of-bitmap
// skip stays index 0. A compressed picture may claim at most this many pixels per byte of its
// data, so a small file cannot make the program allocate what its data could never fill.
constexpr int64_t kMaxRlePixelsPerByte = 128;

} // namespace

struct BmpReader::Header {
    uint32_t infoSize = 0;
    int64_t width = 0;
    int64_t height = 0; // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    size_t pixelOffset = 0;
    size_t paletteOffset = 0;
    size_t paletteEntrySize = 4;
    uint32_t masks[3] = {0, 0, 0}; // red, green, blue
};

void BmpReader::Fail() {
    throw DibError(kMsgInvalidDib);
}

uint32_t BmpReader::U32(size_t at) const {
    if (at > size_ || size_ - at < 4)
        Fail();
    return uint32_t(data_[at]) | (uint32_t(data_[at + 1]) << 8) | (uint32_t(data_[at + 2]) << 16) |
           (uint32_t(data_[at + 3]) << 24);
}

uint16_t BmpReader::U16(size_t at) const {
    if (at > size_ || size_ - at < 2)
        Fail();
    return uint16_t(data_[at] | (data_[at + 1] << 8));
}

BmpReader::Header BmpReader::ReadHeader() const {
    if (size_ < kFileHeaderSize + 4 || data_[0] != 'B' || data_[1] != 'M')
        Fail();
    Header h;
    // The file size and the two reserved words are not trusted: writers get them wrong.
    h.pixelOffset = U32(10);
    h.infoSize = U32(14);
    int planes = 0;
    if (h.infoSize == kCoreHeaderSize) {
        h.width = U16(18);
        h.height = U16(20);
        planes = U16(22);
        h.bitCount = U16(24);
        h.paletteEntrySize = 3;
    } else if (KnownInfoHeaderSize(h.infoSize)) {
        if (size_ < kFileHeaderSize + h.infoSize)
            Fail();
        h.width = int32_t(U32(18));
        const int32_t height = int32_t(U32(22));
        if (height == INT32_MIN)
            Fail();
        h.topDown = height < 0;
        h.height = height < 0 ? -int64_t(height) : height;
        planes = U16(26);
        h.bitCount = U16(28);
        if (h.infoSize >= 20)
            h.compression = U32(30);
        if (h.infoSize >= 36)
            h.colorsUsed = U32(46);
        // OS/2 2.x gives compression 3 and 4 other meanings (Huffman 1D, RLE24): not supported.
        if (h.infoSize == 64 && (h.compression == 3 || h.compression == 4))
            Fail();
    } else {
        Fail();
    }
    h.paletteOffset = kFileHeaderSize + h.infoSize;

    if (planes != 1 || h.width < 1 || h.height < 1 || h.width > MaxSide || h.height > MaxSide)
        Fail();
    switch (h.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail();
    }
    switch (h.compression) {
    case kRgb:
        break;
    case kRle8:
    case kRle4:
        if (h.bitCount != (h.compression == kRle8 ? 8 : 4) || h.topDown)
            Fail();
        break;
    case kBitfields:
    case kAlphaBitfields:
        if (h.bitCount != 16 && h.bitCount != 32)
            Fail();
        if (h.infoSize >= 52) {
            for (int i = 0; i < 3; ++i)
                h.masks[i] = U32(54 + 4 * size_t(i));
        } else {
            // The masks follow a 40-byte header, before the colour table.
            for (int i = 0; i < 3; ++i)
                h.masks[i] = U32(h.paletteOffset + 4 * size_t(i));
            h.paletteOffset += h.compression == kAlphaBitfields ? 16 : 12;
        }
        break;
    default:
        Fail();
    }
    if (h.compression == kRgb && h.bitCount == 16) {
        h.masks[0] = 0x7C00;
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    } else if (h.compression == kRgb && h.bitCount == 32) {
        h.masks[0] = 0xFF0000;
        h.masks[1] = 0x00FF00;
        h.masks[2] = 0x0000FF;
    }
    if (h.pixelOffset < h.paletteOffset || h.pixelOffset > size_)
        Fail();
    return h;
}

void BmpReader::ReadColorTable(const Header& h, TDIB& image) const {
    ColorTableArray& table = image.ColorTable();
    table.fill(RGBQuad{});
    if (h.bitCount > 8)
        return;
    const size_t maxEntries = size_t(1) << h.bitCount;
    size_t count = h.colorsUsed == 0 ? maxEntries : std::min<size_t>(h.colorsUsed, maxEntries);
    // Never read into the pixels: a short table simply leaves the rest black.
    count = std::min(count, (h.pixelOffset - h.paletteOffset) / h.paletteEntrySize);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data_ + h.paletteOffset + i * h.paletteEntrySize;
        table[i] = RGBQuad{entry[0], entry[1], entry[2], 0};
    }
}

const uint8_t* BmpReader::RowInFile(const Header& h, int y, int64_t rowBytes) const {
    const int64_t fileRow = h.topDown ? y : h.height - 1 - y;
    return data_ + h.pixelOffset + size_t(fileRow * rowBytes);
}

void BmpReader::ReadUncompressedIndexed(const Header& h, TDIB& image) const {
    const int64_t rowBytes = FileRowBytes(h.width, h.bitCount);
    const size_t used = size_t((h.width * h.bitCount + 7) / 8);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(image.ScanLine(y), RowInFile(h, y, rowBytes), used);
}

void BmpReader::ReadTwoBitRows(const Header& h, TDIB& image) const {
    const int64_t rowBytes = FileRowBytes(h.width, 2);
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* src = RowInFile(h, y, rowBytes);
        uint8_t* dst = image.ScanLine(y);
        for (int x = 0; x < image.Width(); ++x)
            dst[x] = uint8_t((src[x >> 2] >> (6 - 2 * (x & 3))) & 3);
    }
}

BmpReader::Channel BmpReader::MakeChannel(uint32_t mask) {
    Channel c;
    c.mask = mask;
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    // A channel must be one run of bits.
    if (mask == 0 || ((mask >> c.shift) & ((mask >> c.shift) + 1)) != 0)
        Fail();
    return c;
}

uint8_t BmpReader::Extract(uint32_t value, const Channel& c) {
    const uint32_t v = (value & c.mask) >> c.shift;
    if (c.bits >= 8)
        return uint8_t(v >> (c.bits - 8));
    const uint32_t max = (uint32_t(1) << c.bits) - 1;
    return uint8_t((v * 255 + max / 2) / max);
}

void BmpReader::ReadTrueColor(const Header& h, TDIB& image) const {
    const int64_t rowBytes = FileRowBytes(h.width, h.bitCount);
    const int width = image.Width();
    if (h.bitCount == 24) {
        for (int y = 0; y < image.Height(); ++y)
            std::memcpy(image.ScanLine(y), RowInFile(h, y, rowBytes), size_t(width) * 3);
        return;
    }
    Channel channels[3];
    for (int i = 0; i < 3; ++i) {
        if (h.bitCount == 16 && h.masks[i] > 0xFFFF)
            Fail();
        channels[i] = MakeChannel(h.masks[i]);
    }
    if ((h.masks[0] & h.masks[1]) || (h.masks[0] & h.masks[2]) || (h.masks[1] & h.masks[2]))
        Fail();
    const int bytesPerPixel = h.bitCount / 8;
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* src = RowInFile(h, y, rowBytes);
        uint8_t* dst = image.ScanLine(y);
        for (int x = 0; x < width; ++x, src += bytesPerPixel, dst += 3) {
            uint32_t value = uint32_t(src[0]) | (uint32_t(src[1]) << 8);
            if (bytesPerPixel == 4)
                value |= (uint32_t(src[2]) << 16) | (uint32_t(src[3]) << 24);
            dst[0] = Extract(value, channels[2]);
            dst[1] = Extract(value, channels[1]);
            dst[2] = Extract(value, channels[0]);
        }
    }
}

// RLE8 and RLE4. Runs or literal blocks that would leave the image refuse the file; pixels that
// end-of-line, delta and end-of-bitmap skip stay index 0.
void BmpReader::ReadRle(const Header& h, TDIB& image) const {
    const bool four = h.compression == kRle4;
    const int64_t width = image.Width();
    const int64_t height = image.Height();
    auto put = [&](int64_t x, int64_t fileRow, uint8_t value) {
        image.SetPixel(int(x), int(height - 1 - fileRow), value);
    };
    size_t pos = h.pixelOffset;
    int64_t x = 0;
    int64_t row = 0; // counted from the bottom, as stored
    for (;;) {
        if (size_ - pos < 2)
            Fail(); // ran out of data before the end-of-bitmap mark
        const uint8_t count = data_[pos];
        const uint8_t code = data_[pos + 1];
        pos += 2;
        if (count > 0) {
            if (row >= height || x + count > width)
                Fail();
            for (int i = 0; i < count; ++i)
                put(x + i, row, four ? uint8_t((i & 1) ? code & 0x0F : code >> 4) : code);
            x += count;
            continue;
        }
        if (code == 0) { // end of line
            x = 0;
            if (++row > height)
                Fail();
        } else if (code == 1) { // end of bitmap
            return;
        } else if (code == 2) { // delta
            if (size_ - pos < 2)
                Fail();
            x += data_[pos];
            row += data_[pos + 1];
            pos += 2;
            if (x > width || row > height)
                Fail();
        } else { // literal block, padded to a 16-bit boundary
            const size_t bytes = four ? (code + 1u) / 2 : code;
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (size_ - pos < padded || row >= height || x + code > width)
                Fail();
            const uint8_t* src = data_ + pos;
            for (int i = 0; i < code; ++i) {
                const uint8_t b = src[four ? i / 2 : i];
                put(x + i, row, four ? uint8_t((i & 1) ? b & 0x0F : b >> 4) : b);
            }
            x += code;
            pos += padded;
        }
    }
}

TDIB BmpReader::Read() {
    const Header h = ReadHeader();
    const bool indexed = h.bitCount <= 8;
    const bool compressed = h.compression == kRle8 || h.compression == kRle4;
    const int outBits = h.bitCount == 2 ? 8 : (indexed ? h.bitCount : 24);

    // Uncompressed pixels must all be present in the data.
    if (compressed) {
        if (h.width * h.height > int64_t(size_ - h.pixelOffset) * kMaxRlePixelsPerByte)
            Fail();
    } else {
        const int64_t rowBytes = FileRowBytes(h.width, h.bitCount);
        const size_t available = size_ - h.pixelOffset;
        if (uint64_t(rowBytes) > available || uint64_t(h.height) > available / uint64_t(rowBytes))
            Fail();
    }
    const int64_t outRowBytes = FileRowBytes(h.width, outBits);
    if (outRowBytes > TDIB::MaxStoreBytes / h.height)
        Fail();

    TDIB image;
    image.SetSize(int(h.width), int(h.height), outBits);
    ReadColorTable(h, image);
    if (compressed)
        ReadRle(h, image);
    else if (h.bitCount == 2)
        ReadTwoBitRows(h, image);
    else if (indexed)
        ReadUncompressedIndexed(h, image);
    else
        ReadTrueColor(h, image);
    return image;
}

} // namespace vallo
