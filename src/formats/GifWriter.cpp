#include "formats/GifWriter.h"

#include "image/AtomicFile.h"

#include <algorithm>
#include <array>
#include <gif_lib.h>
#include <memory>

namespace vallo {

namespace {

constexpr int kMaxGifSide = 65535;

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

std::string Reason(int code) {
    const char* text = GifErrorString(code);
    return text ? text : "GIF error " + std::to_string(code);
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void Check(int result, GifFileType* gif) {
    if (result != GIF_OK)
        throw GifWriteError("GIF を書き出せません: " + Reason(gif->Error));
}

void CheckAnimation(const GifAnimation& a) {
    if (a.Width <= 0 || a.Height <= 0 || a.Width > kMaxGifSide || a.Height > kMaxGifSide)
        throw GifWriteError("GIF にできない大きさです (" + std::to_string(a.Width) + "x" +
                            std::to_string(a.Height) + ")");
    if (a.Frames.empty())
        throw GifWriteError("GIF にするフレームがありません");
    const size_t area = size_t(a.Width) * size_t(a.Height);
    for (const auto& frame : a.Frames)
        if (frame.size() != area)
            throw GifWriteError("GIF のフレームの大きさが揃っていません");
}

void PutLoopBlock(GifFileType* gif, int loopCount) {
    static const char kNetscape[] = "NETSCAPE2.0";
    const GifByteType loop[3] = {1, GifByteType(loopCount & 0xFF),
                                 GifByteType((loopCount >> 8) & 0xFF)};
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif);
    Check(EGifPutExtensionBlock(gif, 11, kNetscape), gif);
    Check(EGifPutExtensionBlock(gif, 3, loop), gif);
    Check(EGifPutExtensionTrailer(gif), gif);
}

void PutFrame(GifFileType* gif, const GifAnimation& a, const std::vector<uint8_t>& frame) {
    GraphicsControlBlock gcb{};
    // Each frame replaces the last one, also where it is transparent.
    gcb.DisposalMode = DISPOSE_BACKGROUND;
    gcb.UserInputFlag = false;
    gcb.DelayTime = std::clamp(a.DelayCs, 0, 65535);
    gcb.TransparentColor = a.TransparentIndex >= 0 && a.TransparentIndex < 256
                               ? a.TransparentIndex
                               : NO_TRANSPARENT_COLOR;
    GifByteType block[4];
    const size_t length = EGifGCBToExtension(&gcb, block);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), block), gif);
    Check(EGifPutImageDesc(gif, 0, 0, a.Width, a.Height, false, nullptr), gif);
    std::vector<GifPixelType> row(size_t(a.Width));
    for (int y = 0; y < a.Height; ++y) {
        const uint8_t* src = frame.data() + size_t(y) * size_t(a.Width);
        std::copy(src, src + a.Width, row.begin());
        Check(EGifPutLine(gif, row.data(), a.Width), gif);
    }
}

} // namespace

std::vector<uint8_t> EncodeGifAnimation(const GifAnimation& a) {
    CheckAnimation(a);
    std::array<GifColorType, 256> colors{};
    for (size_t i = 0; i < 256; ++i)
        colors[i] = {a.Palette[i].rgbRed, a.Palette[i].rgbGreen, a.Palette[i].rgbBlue};
    const std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(256, colors.data()));
    if (!map)
        throw GifWriteError("GIF を書き出せません: " + Reason(E_GIF_ERR_NOT_ENOUGH_MEM));

    std::vector<uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendBytes, &error);
    if (!gif)
        throw GifWriteError("GIF を書き出せません: " + Reason(error));
    try {
        EGifSetGifVersion(gif, true);
        const int background =
            a.TransparentIndex >= 0 && a.TransparentIndex < 256 ? a.TransparentIndex : 0;
        Check(EGifPutScreenDesc(gif, a.Width, a.Height, 8, background, map.get()), gif);
        PutLoopBlock(gif, a.LoopCount);
        for (const auto& frame : a.Frames)
            PutFrame(gif, a, frame);
    } catch (...) {
        EGifCloseFile(gif, &error);
        throw;
    }
    if (EGifCloseFile(gif, &error) != GIF_OK)
        throw GifWriteError("GIF を書き出せません: " + Reason(error));
    return bytes;
}

void SaveGifAnimation(const std::string& path, const GifAnimation& animation) {
    CheckSaveName(path);
    WriteFileAtomically(path, EncodeGifAnimation(animation));
}

} // namespace vallo
