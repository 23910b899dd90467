// BMP reading and writing of TDIB.
#include "image/AtomicFile.h"
#include "image/BmpReader.h"
#include "image/DIB.h"
#include "image/Messages.h"

#include <cstring>

namespace vallo {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kColorTableSize = 256 * 4;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColorTableSize;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

} // namespace

void TDIB::LoadFromFile(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    LoadFromMemory(bytes.data(), bytes.size());
}

void TDIB::LoadFromMemory(const uint8_t* data, size_t size) {
    if (!data)
        throw DibError(kMsgInvalidDib);
    // Decode into a separate image so that a refused file leaves this one as it was.
    TDIB loaded = BmpReader(data, size).Read();
    const uint64_t version = paletteVersion_;
    *this = std::move(loaded);
    paletteVersion_ = version + 1;
}

// 8 bits per pixel, the full 256-entry colour table, rows bottom-up.
std::vector<uint8_t> TDIB::SaveToMemory() const {
    std::vector<uint8_t> out;
    if (Empty())
        return out;
    if (bitCount_ != 8)
        throw DibError(FormatMessage(kMsgInvalidBitCount, bitCount_));
    const uint32_t rowBytes = uint32_t(WidthBytes());
    const uint32_t imageBytes = rowBytes * uint32_t(height_);
    out.reserve(size_t(kPixelOffset) + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kPixelOffset + imageBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, kPixelOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(width_));
    Put32(out, uint32_t(height_));
    Put16(out, 1); // planes
    Put16(out, 8); // bits per pixel
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 0); // pixels per metre, x and y: unknown
    Put32(out, 0);
    Put32(out, 256); // colours used
    Put32(out, 0);   // all colours important

    for (const RGBQuad& q : colors_) {
        out.push_back(q.rgbBlue);
        out.push_back(q.rgbGreen);
        out.push_back(q.rgbRed);
        out.push_back(0);
    }
    const uint8_t* bits = Bits();
    for (int y = height_ - 1; y >= 0; --y) {
        const uint8_t* row = bits + size_t(y) * rowBytes;
        out.insert(out.end(), row, row + rowBytes);
    }
    return out;
}

void TDIB::SaveToFile(const std::string& path) const {
    // An empty image has nothing to write; the file on disk is left as it is.
    const std::vector<uint8_t> bytes = SaveToMemory();
    if (bytes.empty())
        return;
    WriteFileAtomically(path, bytes);
}

} // namespace vallo
