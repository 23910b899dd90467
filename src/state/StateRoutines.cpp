#include "state/StateRoutines.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "state/EditorState.h"
#include "state/ColorTables.h"

namespace vallo {

void RefreshPaletteViews(EditorState& s) {
    s.MainImage.UpdatePalette();
    s.LupeImage.UpdatePalette();
    BuildColorTables(s);
    EnsureDrawColorAllowed(s);
}

void ApplyPendingPalette(EditorState& s) {
    if (!s.PalettePending)
        return;
    RefreshPaletteViews(s);
    s.PalettePending = false;
}

void EnsureDrawColorAllowed(EditorState& s) {
    if (s.ForbiddenFlags[s.DrawColor] != kForbidden)
        return;
    for (int i = 0; i < 256; ++i) {
        if (s.ForbiddenFlags[size_t(i)] == 0) {
            s.DrawColor = uint8_t(i);
            return;
        }
    }
    s.DrawColor = 255;
}

void LoadPictureIntoMainImage(EditorState& s, const TDIB& picture) {
    s.MainImage.SetSize(picture.Width(), picture.Height(), 8);
    for (int y = 0; y < picture.Height(); ++y)
        std::memcpy(s.MainImage.ScanLine(y), picture.ScanLine(y), size_t(picture.Width()));
    s.MainImage.ColorTable() = picture.ColorTable();
    for (RGBQuad& q : s.MainImage.ColorTable())
        q.rgbReserved = 0;
    s.MainImage.UpdatePalette();
}

void InvalidateLupeRect(EditorState& s, int left, int top, int right, int bottom) {
    s.Hooks->InvalidateLupeRect(left, top, right, bottom);
}

std::string DocumentTitle(const std::string& fileName) {
    if (fileName.empty())
        return "Vallo [無題]";
    const size_t slash = fileName.find_last_of('/');
    return "Vallo [" + (slash == std::string::npos ? fileName : fileName.substr(slash + 1)) + "]";
}

} // namespace vallo
