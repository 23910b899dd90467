#include "app/FilePreview.h"

#include "formats/PngCodec.h"
#include "state/EditorState.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>

namespace vallo {

namespace {

std::string UpperExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return ext;
}

} // namespace

PreviewSource PreviewSourceOf(const std::string& path) {
    const std::string ext = UpperExtension(path);
    std::error_code ec;
    if (ext == ".LNK" || path.empty() || std::filesystem::is_directory(path, ec) ||
        !std::filesystem::exists(path, ec))
        return PreviewSource::Keep;
    return ext == ".PNG" ? PreviewSource::Png : PreviewSource::Other;
}

PngPreview LoadPngPreview(const std::string& path, TDIB& picture) {
    PngMarks scratch;
    try {
        return LoadPNG(path, picture, scratch) ? PngPreview::Read : PngPreview::NotPng;
    } catch (const std::exception&) {
        return PngPreview::Broken;
    }
}

bool PreviewShowable(int width, int height) {
    return width >= kMinImageSize && height >= kMinImageSize;
}

} // namespace vallo
