#pragma once

#include <cstddef>
#include <cstdint>

namespace vallo {

// Reverses the PNG row filter of one row of one-byte pixels: filtered holds the row's bytes
// as stored after its filter-type byte, prior the already reconstructed row above (zeros for
// the first row of an image or of an interlace pass), out receives count reconstructed bytes.
// Returns false for a filter type other than 0 to 4 (None, Sub, Up, Average, Paeth). out may
// overlap filtered when it starts at or before it (a row reconstructed in place).
bool UnfilterRow(uint8_t filterType, const uint8_t* filtered, const uint8_t* prior, uint8_t* out,
                 size_t count);

} // namespace vallo
