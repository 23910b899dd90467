#include "formats/Crc32.h"

#include <array>

namespace vallo {

namespace {

// Eight tables for slicing-by-8: table 0 is the classic byte table, table k advances a byte
// that still has k further zero bytes to pass through the register.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr CrcTables MakeTables() {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (int k = 1; k < 8; ++k)
            t[k][n] = t[0][t[k - 1][n] & 0xFF] ^ (t[k - 1][n] >> 8);
    return t;
}

constexpr CrcTables kTables = MakeTables();

uint32_t LoadLittle32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

} // namespace

uint32_t Crc32Update(uint32_t crc, const uint8_t* data, size_t size) {
    uint32_t c = ~crc;
    while (size >= 8) {
        const uint32_t lo = LoadLittle32(data) ^ c;
        const uint32_t hi = LoadLittle32(data + 4);
        c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
            kTables[4][lo >> 24] ^ kTables[3][hi & 0xFF] ^ kTables[2][(hi >> 8) & 0xFF] ^
            kTables[1][(hi >> 16) & 0xFF] ^ kTables[0][hi >> 24];
        data += 8;
        size -= 8;
    }
    while (size--)
        c = kTables[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}

} // namespace vallo
