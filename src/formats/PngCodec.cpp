#include "formats/PngCodec.h"

#include "formats/Crc32.h"
#include "formats/PngReader.h"
#include "image/AtomicFile.h"
#include "image/Messages.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>

namespace vallo {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

void AppendBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                              uint8_t(value)};
    out.insert(out.end(), bytes, bytes + 4);
}

void StoreBigEndian32(uint8_t* p, uint32_t value) {
    p[0] = uint8_t(value >> 24);
    p[1] = uint8_t(value >> 16);
    p[2] = uint8_t(value >> 8);
    p[3] = uint8_t(value);
}

// Appends a chunk whose data is already complete.
void AppendChunk(std::vector<uint8_t>& out, const char (&type)[5], const uint8_t* data,
                 size_t size) {
    AppendBigEndian32(out, uint32_t(size));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    AppendBigEndian32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

std::array<uint8_t, 13> HeaderData(const TDIB& image) {
    std::array<uint8_t, 13> h{};
    StoreBigEndian32(h.data(), uint32_t(image.Width()));
    StoreBigEndian32(h.data() + 4, uint32_t(image.Height()));
    h[8] = 8; // bit depth
    h[9] = 3; // colour type: indexed
    return h; // compression, filter and interlace methods 0
}

std::array<uint8_t, 768> PaletteData(const TDIB& image) {
    std::array<uint8_t, 768> p{};
    for (int i = 0; i < 256; ++i) {
        const RGBQuad& q = image.ColorTable()[i];
        p[3 * i] = q.rgbRed;
        p[3 * i + 1] = q.rgbGreen;
        p[3 * i + 2] = q.rgbBlue;
    }
    return p;
}

// One byte per index: the low byte of the forbidden flag, plus 100 on the transparent index.
std::array<uint8_t, 256> MarkData(const std::array<int32_t, 256>& forbiddenFlags,
                                  uint8_t transColor) {
    std::array<uint8_t, 256> m{};
    for (int i = 0; i < 256; ++i)
        m[i] = uint8_t((forbiddenFlags[i] & 0xFF) + (i == transColor ? 100 : 0));
    return m;
}

// libdeflate's level for saving: at 9, files within a few percent of zlib's level 9 in well
// under half its time. Sheets beyond 64 M pixels (8192 x 8192) take level 6, seven times
// faster again and about a tenth larger, so that even a 30000 x 30000 sheet saves in seconds.
int DeflateLevel(const TDIB& image) {
    return int64_t(image.Width()) * image.Height() > (int64_t(1) << 26) ? 6 : 9;
}

using Compressor = std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)>;

// Appends the zlib stream of the raw rows (filter byte 0, then the row's pixel indices),
// compressed whole. The output room starts at a quarter of the rows, plenty for pixel art;
// only a picture that does not fit is compressed again with room for the worst case.
void AppendCompressedRows(const TDIB& image, std::vector<uint8_t>& out) {
    const size_t width = size_t(image.Width());
    std::vector<uint8_t> raw(size_t(image.Height()) * (width + 1));
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = raw.data() + size_t(y) * (width + 1);
        row[0] = 0;
        std::memcpy(row + 1, image.ScanLine(y), width);
    }
    Compressor compressor(libdeflate_alloc_compressor(DeflateLevel(image)),
                          libdeflate_free_compressor);
    if (!compressor)
        throw std::bad_alloc();
    const size_t used = out.size();
    for (size_t room : {raw.size() / 4 + 1024,
                        libdeflate_zlib_compress_bound(compressor.get(), raw.size())}) {
        out.resize(used + room);
        const size_t n = libdeflate_zlib_compress(compressor.get(), raw.data(), raw.size(),
                                                  out.data() + used, room);
        if (n > 0) {
            out.resize(used + n);
            return;
        }
    }
    throw std::bad_alloc();
}

} // namespace

bool LoadPNGFromMemory(const uint8_t* data, size_t size, TDIB& Image, PngMarks& Marks) {
    TPngReader reader(data, size);
    return reader.Read(Image, Marks);
}

bool LoadPNG(const std::string& FileName, TDIB& Image, PngMarks& Marks) {
    const std::vector<uint8_t> bytes = ReadWholeFile(FileName);
    return LoadPNGFromMemory(bytes.data(), bytes.size(), Image, Marks);
}

std::vector<uint8_t> EncodePNG(const TDIB& Image, const std::array<int32_t, 256>& ForbiddenFlags,
                               uint8_t TransColor, bool WithTrns) {
    if (Image.BitCount() != 8)
        throw DibError(FormatMessage(kMsgInvalidBitCount, Image.BitCount()));
    if (Image.Empty())
        throw DibError(FormatMessage(kMsgCannotCreate, "PNG"));

    std::vector<uint8_t> out(kSignature, kSignature + 8);
    const auto header = HeaderData(Image);
    AppendChunk(out, "IHDR", header.data(), header.size());
    const auto palette = PaletteData(Image);
    AppendChunk(out, "PLTE", palette.data(), palette.size());
    if (WithTrns) {
        std::vector<uint8_t> alpha(size_t(TransColor) + 1, 255);
        alpha.back() = 0;
        AppendChunk(out, "tRNS", alpha.data(), alpha.size());
    }
    const auto marks = MarkData(ForbiddenFlags, TransColor);
    AppendChunk(out, "vlOp", marks.data(), marks.size());

    const size_t lengthAt = out.size();
    AppendBigEndian32(out, 0); // patched once the compressed size is known
    out.insert(out.end(), {'I', 'D', 'A', 'T'});
    AppendCompressedRows(Image, out);
    const size_t dataSize = out.size() - lengthAt - 8;
    if (dataSize > 0x7FFFFFFFu)
        throw DibError(FormatMessage(kMsgCannotCreate, "PNG"));
    StoreBigEndian32(out.data() + lengthAt, uint32_t(dataSize));
    AppendBigEndian32(out, Crc32(out.data() + lengthAt + 4, dataSize + 4));

    AppendChunk(out, "IEND", nullptr, 0);
    return out;
}

void SavePNG(const std::string& FileName, const TDIB& Image,
             const std::array<int32_t, 256>& ForbiddenFlags, uint8_t TransColor, bool WithTrns) {
    WriteFileAtomically(FileName, EncodePNG(Image, ForbiddenFlags, TransColor, WithTrns));
}

} // namespace vallo
