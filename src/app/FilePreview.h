#pragma once

#include "image/DIB.h"

#include <string>

namespace vallo {

inline constexpr const char* kMsgNoPreview = "未対応";

// What the file dialogs' preview does with a selected path.
enum class PreviewSource {
    Keep,  // a ".lnk" file, a folder or no such file: the previous preview stays
    Png,   // read through the PNG codec first
    Other, // read through the platform's picture reader
};
PreviewSource PreviewSourceOf(const std::string& path);

// How a PNG preview read went.
enum class PngPreview { Read, NotPng, Broken };
// Reads a PNG for the preview through the codec. The marks the file carries go into a
// throw-away copy: the document's ForbiddenFlags and TransColor are never touched. NotPng
// means the codec does not take the file (another reader may); Broken that it is damaged.
PngPreview LoadPngPreview(const std::string& path, TDIB& picture);

// Pictures under 8 x 8 show "未対応" instead of a preview.
bool PreviewShowable(int width, int height);

} // namespace vallo
