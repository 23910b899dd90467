#pragma once

#include "image/DIB.h"

#include <cstddef>
#include <cstdint>

namespace vallo {

// Decodes a Windows BMP file held in memory.
//
// Accepted: Windows 3 (40-byte), V2/V3 (52/56), V4 (108) and V5 (124) headers, OS/2 1.x (12-byte
// core header with 3-byte palette entries) and OS/2 2.x (16 to 64-byte) headers; 1, 2, 4, 8, 16,
// 24 and 32 bits per pixel; BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS and BI_ALPHABITFIELDS; rows
// bottom-up or top-down (negative height, uncompressed only).
//
// Result: 1, 4 and 8-bit files become indexed images of the same bit count and 2-bit files
// become 8-bit indexed images. The colour table holds the file's entries; entries the file does
// not give are black, and pixel values beyond the file's entries are kept as they are. Every
// other depth becomes a 24-bit image (blue, green, red per pixel); alpha is dropped because the
// editor has no use for it. Pixels that RLE data skips are index 0.
//
// Every malformed file raises DibError("不正な DIB です"). Sizes are checked against MaxSide,
// the data length (what RLE codes can fill, for compressed files) and TDIB::MaxStoreBytes before
// anything is allocated.
class BmpReader {
public:
    // Width and height above this are refused in the header check, before any allocation.
    static constexpr int64_t MaxSide = 30000;

    BmpReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    TDIB Read();

private:
    struct Header;
    struct Channel {
        uint32_t mask = 0;
        int shift = 0;
        int bits = 0;
    };

    Header ReadHeader() const;
    void ReadColorTable(const Header& h, TDIB& image) const;
    void ReadUncompressedIndexed(const Header& h, TDIB& image) const;
    void ReadTwoBitRows(const Header& h, TDIB& image) const;
    void ReadTrueColor(const Header& h, TDIB& image) const;
    void ReadRle(const Header& h, TDIB& image) const;
    const uint8_t* RowInFile(const Header& h, int y, int64_t rowBytes) const;
    static Channel MakeChannel(uint32_t mask);
    static uint8_t Extract(uint32_t value, const Channel& c);

    uint32_t U32(size_t at) const;
    uint16_t U16(size_t at) const;
    [[noreturn]] static void Fail();

    const uint8_t* data_;
    size_t size_;
};

} // namespace vallo
