#include "formats/PngRowFilter.h"

#include <cstdlib>
#include <cstring>

namespace vallo {

namespace {

uint8_t PaethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

} // namespace

bool UnfilterRow(uint8_t filterType, const uint8_t* filtered, const uint8_t* prior, uint8_t* out,
                 size_t count) {
    switch (filterType) {
    case 0:
        std::memmove(out, filtered, count);
        return true;
    case 1: {
        uint8_t left = 0;
        for (size_t i = 0; i < count; ++i)
            left = out[i] = uint8_t(filtered[i] + left);
        return true;
    }
    case 2:
        for (size_t i = 0; i < count; ++i)
            out[i] = uint8_t(filtered[i] + prior[i]);
        return true;
    case 3: {
        int left = 0;
        for (size_t i = 0; i < count; ++i)
            left = out[i] = uint8_t(filtered[i] + ((left + prior[i]) >> 1));
        return true;
    }
    case 4: {
        int left = 0, upperLeft = 0;
        for (size_t i = 0; i < count; ++i) {
            const int up = prior[i];
            left = out[i] = uint8_t(filtered[i] + PaethPredictor(left, up, upperLeft));
            upperLeft = up;
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace vallo
