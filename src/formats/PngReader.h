#pragma once

#include "formats/IdatInflater.h"
#include "formats/PngMarks.h"
#include "image/DIB.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vallo {

// Reads one palette PNG (1, 2, 4 or 8 bits per pixel) held in memory; pictures of fewer bits
// are unpacked to one byte per pixel, the palette kept in its order. The chunks are read in file
// order; the run of IDAT chunks is inflated and decoded once, when the next chunk of another
// type comes (normally IEND), and a second run refuses the file. The result and the marks reach
// the caller only when the file was read up to IEND.
class TPngReader {
public:
    // Width and height above this are refused as a broken file.
    static constexpr int MaxSide = 30000;

    TPngReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // False when the file is shorter than 25 bytes or is not a 1, 2, 4 or 8-bit, colour type 3,
    // compression 0, filter 0 image; Image and Marks are then untouched. A broken file raises
    // PngError(kMsgBrokenPng), also leaving both untouched.
    bool Read(TDIB& image, PngMarks& marks);

private:
    bool ReadHeader();
    void ReadChunks();
    void ReadPalette(const uint8_t* p, uint32_t length);
    void ReadMarks(const uint8_t* p);
    void ReadTransparency(const uint8_t* p, uint32_t length);
    void DecideTransparentIndex();
    uint64_t RowBytes(int columns) const;
    uint64_t RawSize() const;
    void CheckDeclaredSize(uint64_t compressedBytes) const;
    void DecodeImage();
    size_t Inflate(uint8_t* out, size_t capacity) const;
    void DecodeInPlace();
    void DecodePasses();
    uint8_t HeaderByte(size_t offset) const;

    const uint8_t* data_;
    size_t size_;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 8;
    bool interlaced_ = false;
    PngMarks marks_;
    std::optional<uint8_t> vlOpTrans_, trnsTrans_, bkgdTrans_;
    ColorTableArray palette_{};
    std::vector<IdatSpan> idats_;
    TDIB decoded_;
    bool hasDecoded_ = false;
};

} // namespace vallo
