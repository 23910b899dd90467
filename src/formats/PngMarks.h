#pragma once

#include <array>
#include <cstdint>

namespace vallo {

// The colour marks a PNG file carries: the forbidden flags (66 forbidden, 0 allowed) and the
// transparent index. The reader starts from the document's marks and changes what the file
// says; the caller applies them only when it takes the picture. HasTrns tells whether the file
// carried a tRNS chunk, so that a save can give other programs their transparency back.
struct PngMarks {
    std::array<int32_t, 256> ForbiddenFlags{};
    uint8_t TransColor = 0;
    bool HasTrns = false;
};

} // namespace vallo
