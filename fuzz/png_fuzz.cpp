// The PNG reader on arbitrary bytes.

#include "formats/PngCodec.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vallo::TDIB image;
    vallo::PngMarks marks;
    try {
        vallo::LoadPNGFromMemory(data, size, image, marks);
    } catch (const std::exception&) {
    }
    return 0;
}
