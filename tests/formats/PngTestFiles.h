#pragma once

// Test-side construction of PNG files, independent of the codec: zlib's crc32 and compress2
// and hand-written chunk framing; and reading through the codec.

#include "formats/PngCodec.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>
#include <zlib.h>

namespace pngtest {

using Bytes = std::vector<uint8_t>;

inline void Put32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

inline uint32_t Get32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline Bytes Signature() {
    return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
}

inline void AddChunk(Bytes& out, const std::string& type, const Bytes& data) {
    Put32(out, uint32_t(data.size()));
    const size_t typed = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, uint32_t(crc32(0, &out[typed], uInt(out.size() - typed))));
}

inline Bytes HeaderData(uint32_t w, uint32_t h, uint8_t depth = 8, uint8_t colourType = 3,
                        uint8_t interlace = 0) {
    Bytes d;
    Put32(d, w);
    Put32(d, h);
    d.insert(d.end(), {depth, colourType, 0, 0, interlace});
    return d;
}

inline Bytes Zlib(const Bytes& raw, int level = 9) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), level) != Z_OK)
        throw std::runtime_error("compress2");
    out.resize(size);
    return out;
}

inline Bytes Unzlib(const Bytes& z, size_t expected) {
    Bytes out(expected + 16);
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, z.data(), uLong(z.size())) != Z_OK)
        throw std::runtime_error("uncompress");
    out.resize(size);
    return out;
}

struct Chunk {
    std::string Type;
    Bytes Data;
};

// Splits a file into its chunks (after the 8-byte signature); throws on a malformed layout.
inline std::vector<Chunk> SplitChunks(const Bytes& file) {
    std::vector<Chunk> chunks;
    size_t pos = 8;
    while (pos < file.size()) {
        if (file.size() - pos < 12 || file.size() - pos - 12 < Get32(&file[pos]))
            throw std::runtime_error("truncated chunk");
        const uint32_t len = Get32(&file[pos]);
        Chunk c;
        c.Type.assign(file.begin() + pos + 4, file.begin() + pos + 8);
        c.Data.assign(file.begin() + pos + 8, file.begin() + pos + 8 + len);
        chunks.push_back(std::move(c));
        pos += 12 + len;
    }
    return chunks;
}

inline Bytes ConcatIdat(const std::vector<Chunk>& chunks) {
    Bytes z;
    for (const Chunk& c : chunks)
        if (c.Type == "IDAT")
            z.insert(z.end(), c.Data.begin(), c.Data.end());
    return z;
}

// The PNG filters (types 0..4) applied on the encoding side, one byte per pixel.
inline Bytes FilterRow(uint8_t type, const Bytes& row, const Bytes& prior) {
    Bytes out(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
        const int a = i ? row[i - 1] : 0, b = prior[i], c = i ? prior[i - 1] : 0;
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        const int pred[5] = {0, a, b, (a + b) / 2, (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c)};
        out[i] = uint8_t(row[i] - pred[type % 5]);
    }
    return out;
}

// Rows of an image as an unfiltered PNG stream: filter byte 0, then the row's pixels.
inline Bytes RawRows(const vallo::TDIB& image) {
    Bytes raw;
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.ScanLine(y), image.ScanLine(y) + image.Width());
    }
    return raw;
}

// Reads a file that must be accepted, into `image` as it was passed.
inline vallo::TDIB Read(const Bytes& file, vallo::PngMarks& marks,
                        vallo::TDIB image = vallo::TDIB()) {
    EXPECT_TRUE(vallo::LoadPNGFromMemory(file.data(), file.size(), image, marks));
    return image;
}

} // namespace pngtest
