// The BMP reader on arbitrary bytes.

#include "image/DIB.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vallo::TDIB image;
    try {
        image.LoadFromMemory(data, size);
    } catch (const std::exception&) {
    }
    return 0;
}
