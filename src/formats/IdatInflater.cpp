#include "formats/IdatInflater.h"

#include "formats/PngError.h"

#include <new>

namespace vallo {

TIdatInflater::TIdatInflater(const uint8_t* file, const std::vector<IdatSpan>& spans)
    : file_(file), spans_(spans) {
    if (inflateInit(&stream_) != Z_OK)
        throw std::bad_alloc();
}

TIdatInflater::~TIdatInflater() {
    inflateEnd(&stream_);
}

bool TIdatInflater::FeedNextSpan() {
    if (nextSpan_ == spans_.size())
        return false;
    const IdatSpan& span = spans_[nextSpan_++];
    stream_.next_in = const_cast<Bytef*>(file_ + span.Offset);
    stream_.avail_in = uInt(span.Length); // chunk lengths are below 2^31
    return true;
}

size_t TIdatInflater::Fill(uint8_t* out, size_t count) {
    if (finished_ || count == 0)
        return 0;
    stream_.next_out = out;
    stream_.avail_out = uInt(count);
    while (stream_.avail_out > 0) {
        if (stream_.avail_in == 0 && !FeedNextSpan()) {
            finished_ = true; // the data ends before the stream does
            break;
        }
        if (stream_.avail_in == 0)
            continue; // an empty IDAT chunk
        const int rc = inflate(&stream_, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            finished_ = true;
            break;
        }
        if (rc != Z_OK)
            throw PngError(kMsgBrokenPng);
    }
    return count - stream_.avail_out;
}

} // namespace vallo
