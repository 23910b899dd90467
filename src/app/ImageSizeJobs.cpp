#include "app/ImageSizeJobs.h"

#include "draw/ImageLayout.h"
#include "draw/Undo.h"
#include "state/EditorState.h"
#include "state/TextNumbers.h"

#include <algorithm>
#include <cstring>

namespace vallo {

namespace {

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A new image of the given size holding the transparent fill and the top-left part of the
// current picture that fits, with the current palette.
TDIB ResizedPicture(const EditorState& s, int width, int height) {
    const TDIB& old = s.MainImage;
    TDIB resized(width, height, 8);
    const uint8_t fill = uint8_t(TransparentFillIndex(s));
    const int keepW = std::min(width, old.Width());
    const int keepH = std::min(height, old.Height());
    for (int y = 0; y < height; ++y) {
        uint8_t* row = resized.ScanLine(y);
        int from = 0;
        if (y < keepH) {
            std::memcpy(row, old.ScanLine(y), size_t(keepW));
            from = keepW;
        }
        std::memset(row + from, fill, size_t(width - from));
    }
    resized.ColorTable() = old.ColorTable();
    return resized;
}

} // namespace

std::string ImageSizeRangeText() {
    return std::to_string(kMinImageSize) + "～" + std::to_string(kMaxImageSize);
}

bool ParseSizeText(const std::string& text, int& value, std::string& error) {
    if (TryStrToInt(TrimBlanks(text), value))
        return true;
    error = "'" + text + "' は整数ではありません";
    return false;
}

std::vector<std::string> ImageSizeProblems(int width, int height) {
    std::vector<std::string> problems;
    if (unsigned(width) < unsigned(kMinImageSize) || unsigned(height) < unsigned(kMinImageSize))
        problems.push_back(kMsgSizeTooSmall);
    if (unsigned(width) > unsigned(kMaxImageSize) || unsigned(height) > unsigned(kMaxImageSize))
        problems.push_back(kMsgSizeTooLarge);
    return problems;
}

int TransparentFillIndex(const EditorState& s) {
    const ColorTableArray& table = s.MainImage.ColorTable();
    const RGBQuad want = table[s.TransColor];
    for (int i = 0; i < 256; ++i) {
        const RGBQuad& q = table[size_t(i)];
        if (q.rgbRed == want.rgbRed && q.rgbGreen == want.rgbGreen && q.rgbBlue == want.rgbBlue)
            return i;
    }
    return s.TransColor;
}

void ChangeImageSize(EditorState& s, int width, int height) {
    TDIB resized = ResizedPicture(s, width, height);
    PushUndo(s, 0, 0, s.MainImage.Width() - 1, s.MainImage.Height() - 1, true, false);
    // Hand the new store to MainImage; the old one lives on in the undo step only.
    const uint64_t version = s.MainImage.PaletteVersion();
    s.MainImage = std::move(resized);
    while (s.MainImage.PaletteVersion() <= version)
        s.MainImage.UpdatePalette();
    s.Modified = true;
    ApplyImageSize(s);
    s.Hooks->ReleaseLayerButton();
    s.LayerActive = false;
    s.Hooks->RepaintOverview();
    ApplyCharLayout(s);
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
    s.Hooks->RefreshUndoButtons();
}

} // namespace vallo
