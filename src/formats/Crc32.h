#pragma once

#include <cstddef>
#include <cstdint>

namespace vallo {

// CRC-32 of the PNG chunks: reflected polynomial 0xEDB88320, register preset to all ones,
// result complemented. Crc32Update continues a finished CRC over more bytes, so
// Crc32Update(Crc32(a), b) equals the CRC of a followed by b.
uint32_t Crc32Update(uint32_t crc, const uint8_t* data, size_t size);
inline uint32_t Crc32(const uint8_t* data, size_t size) {
    return Crc32Update(0, data, size);
}

} // namespace vallo
