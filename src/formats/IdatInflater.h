#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>
#include <zlib.h>

namespace vallo {

// Where one IDAT chunk's data lies in the file buffer.
struct IdatSpan {
    size_t Offset = 0;
    size_t Length = 0;
};

// Inflates the data of a run of IDAT chunks as one zlib stream, feeding the chunks straight
// from the file buffer, and hands out the result in pieces of the caller's choosing.
class TIdatInflater {
public:
    TIdatInflater(const uint8_t* file, const std::vector<IdatSpan>& spans);
    ~TIdatInflater();
    TIdatInflater(const TIdatInflater&) = delete;
    TIdatInflater& operator=(const TIdatInflater&) = delete;

    // Fills out with up to count inflated bytes and returns how many came. Fewer than count
    // means the stream or the data ended; later calls then return 0. A stream the inflater
    // rejects raises the broken-file PngError.
    size_t Fill(uint8_t* out, size_t count);

private:
    bool FeedNextSpan();

    const uint8_t* file_;
    const std::vector<IdatSpan>& spans_;
    size_t nextSpan_ = 0;
    bool finished_ = false;
    z_stream stream_{};
};

} // namespace vallo
