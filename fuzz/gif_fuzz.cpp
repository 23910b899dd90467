// The GIF reader on arbitrary bytes.

#include "formats/GifReader.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        vallo::ReadGif(data, size);
    } catch (const std::exception&) {
    }
    return 0;
}
