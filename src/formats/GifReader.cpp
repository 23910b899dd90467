#include "formats/GifReader.h"

#include "formats/PngError.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace vallo {

namespace {

// LZW codes are at most 12 bits and give at most 4,096 pixels each: no picture holds more
// pixels than this many per byte of its file.
constexpr uint64_t kMaxPixelsPerByte = 4096;

[[noreturn]] void Broken() {
    throw DibError(kMsgBrokenPng);
}

struct MemoryInput {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

int ReadInput(GifFileType* gif, GifByteType* out, int count) {
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    const size_t n = std::min(size_t(std::max(count, 0)), in->Size - in->Pos);
    std::memcpy(out, in->Data + in->Pos, n);
    in->Pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Reads an extension; a graphic control block may name the transparent index.
void ReadExtension(GifFileType* gif, std::optional<uint8_t>& trans) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        Broken();
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        GraphicsControlBlock gcb{};
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK &&
            gcb.TransparentColor != NO_TRANSPARENT_COLOR)
            trans = uint8_t(gcb.TransparentColor);
        else
            trans.reset();
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            Broken();
    }
}

void CheckSize(int64_t width, int64_t height, size_t fileSize) {
    if (width < 1 || height < 1 || width > kGifMaxSide || height > kGifMaxSide ||
        uint64_t(width) * uint64_t(height) > fileSize * kMaxPixelsPerByte)
        Broken();
}

void ReadFrame(GifFileType* gif, GifPicture& out, size_t fileSize) {
    if (DGifGetImageDesc(gif) != GIF_OK)
        Broken();
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map || d.Left < 0 || d.Top < 0)
        Broken();
    const int64_t width = std::max<int64_t>(gif->SWidth, int64_t(d.Left) + d.Width);
    const int64_t height = std::max<int64_t>(gif->SHeight, int64_t(d.Top) + d.Height);
    CheckSize(width, height, fileSize);
    CheckSize(d.Width, d.Height, fileSize);
    TDIB& picture = out.Picture;
    picture.SetSize(int(width), int(height), 8);
    const uint8_t fill = out.TransColor.value_or(uint8_t(gif->SBackGroundColor));
    if (fill != 0)
        std::memset(picture.MutableBits(), fill, picture.StoreSize());
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
        const GifColorType c = map->Colors[i];
        picture.ColorTable()[i] = RGBQuad{c.Blue, c.Green, c.Red, 0};
    }
    // Interlaced frames store rows 0, 8, 16, … then 4, 12, … then 2, 6, … then 1, 3, ….
    static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int p = 0; p < passes; ++p)
        for (int y = d.Interlace ? kStart[p] : 0; y < d.Height; y += d.Interlace ? kStep[p] : 1)
            if (DGifGetLine(gif, picture.ScanLine(d.Top + y) + d.Left, d.Width) != GIF_OK)
                Broken();
}

} // namespace

GifPicture ReadGif(const uint8_t* data, size_t size) {
    MemoryInput input{data, size};
    int error = 0;
    GifHandle gif(DGifOpen(&input, ReadInput, &error));
    if (!gif)
        Broken();
    GifPicture out;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) != GIF_OK)
            Broken();
        if (type == EXTENSION_RECORD_TYPE) {
            ReadExtension(gif.get(), out.TransColor);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            ReadFrame(gif.get(), out, size);
            return out;
        } else {
            Broken(); // the file ends before any picture
        }
    }
}

} // namespace vallo
