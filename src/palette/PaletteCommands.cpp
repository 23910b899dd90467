#include "palette/PaletteCommands.h"

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/Layers.h"
#include "draw/Undo.h"
#include "draw/ImageLayout.h"

#include <algorithm>

namespace vallo {

void ReplaceTransWithDrawColor(EditorState& s) {
    const int left = s.CharLeft;
    const int top = s.CharTop;
    const int right = s.CharLeft + s.CharWidth - 1;
    const int bottom = s.CharTop + s.CharHeight - 1;
    PushUndo(s, left, top, right, bottom, false, false);
    TDIB& image = s.MainImage;
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, image.Width() - 1);
    for (int y = std::max(top, 0); y <= std::min(bottom, image.Height() - 1); ++y) {
        uint8_t* row = image.ScanLine(y);
        for (int x = x0; x <= x1; ++x)
            if (row[x] == s.TransColor)
                row[x] = s.DrawColor;
    }
    LayChange(s);
    s.Hooks->RepaintOverview();
}

void CopyDrawColorToTransColor(EditorState& s) {
    PushUndo(s, 0, 0, 0, 0, false, true);
    ColorTableArray& table = s.MainImage.ColorTable();
    const RGBQuad from = table[s.DrawColor];
    RGBQuad& to = table[s.TransColor];
    to.rgbRed = from.rgbRed;
    to.rgbGreen = from.rgbGreen;
    to.rgbBlue = from.rgbBlue;
    ShowPaletteChange(s);
}

void SwapDrawAndTransColors(EditorState& s) {
    TDIB& image = s.MainImage;
    PushUndo(s, 0, 0, image.Width() - 1, image.Height() - 1, false, true);
    const uint8_t a = s.DrawColor;
    const uint8_t b = s.TransColor;
    ColorTableArray& table = image.ColorTable();
    std::swap(table[a].rgbRed, table[b].rgbRed);
    std::swap(table[a].rgbGreen, table[b].rgbGreen);
    std::swap(table[a].rgbBlue, table[b].rgbBlue);
    // The pixels are remapped before anything is rendered from them, so no view ever shows
    // the two colours exchanged.
    if (a != b) {
        for (int y = 0; y < image.Height(); ++y) {
            uint8_t* row = image.ScanLine(y);
            for (int x = 0; x < image.Width(); ++x) {
                if (row[x] == a)
                    row[x] = b;
                else if (row[x] == b)
                    row[x] = a;
            }
        }
    }
    ShowPaletteChange(s);
}

void ClearForbiddenColors(EditorState& s) {
    s.ForbiddenFlags.fill(0);
    RefreshPaletteViews(s);
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
}

void ShowPaletteChange(EditorState& s) {
    s.MainImage.UpdatePalette();
    PropagatePalette(s);
    LayChange(s);
    s.Hooks->RedrawPaletteImage();
    s.Hooks->RepaintPalette();
    s.Hooks->RepaintCopyPreview();
}

} // namespace vallo
