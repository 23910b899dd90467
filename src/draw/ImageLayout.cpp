#include "draw/ImageLayout.h"

#include <algorithm>
#include <string>

#include "draw/LupeRender.h"
#include "state/ColorTables.h"
#include "state/EditorState.h"
#include "state/StateRoutines.h"

namespace vallo {

namespace {

int RoundDownTo8(int v) { return v / 8 * 8; }

} // namespace

void ApplyImageSize(EditorState& s) {
    s.CharLeft = s.CharTop = s.LayerLeft = s.LayerTop = 0;
    s.ImageWidth = s.MainImage.Width();
    s.ImageHeight = s.MainImage.Height();
    s.Hooks->OverviewApplyZoom();
    if (unsigned(s.MainImage.Width()) < unsigned(s.CharWidth))
        s.CharWidth = RoundDownTo8(s.MainImage.Width());
    if (unsigned(s.MainImage.Height()) < unsigned(s.CharHeight))
        s.CharHeight = RoundDownTo8(s.MainImage.Height());
    PropagatePalette(s);
    ApplyCharLayout(s);
    s.Hooks->SetSizeBoxText(std::to_string(s.CharWidth) + "x" + std::to_string(s.CharHeight));
    s.Hooks->LupeResize();
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
    s.Hooks->SizeCopyPreview(s.MainImage.Width(), s.MainImage.Height());
}

void ApplyCharLayout(EditorState& s) {
    s.Hooks->ScrollLupeToOrigin();
    s.LupeScrollX = s.LupeScrollY = 0;
    const int magW = s.CharWidth * s.Magnification;
    const int magH = s.CharHeight * s.Magnification;
    s.LupeViewWidth = std::max(magW, s.LupeMinSize);
    s.LupeViewHeight = std::max(magH, s.LupeMinSize);
    s.LupeImage.SetSize(magW, magH, 8);
    s.LupeBackImage.SetSize(magW, magH, 8);
    s.LupeImage.ColorTable() = s.PaletteQuads;
    s.LupeBackImage.ColorTable() = s.PaletteQuads;
    s.Hooks->SetLupeSize(magW, magH);
    if (s.LupeStepX != 8) {
        s.LupeStepX = s.CharWidth;
        s.LupeStepY = s.CharHeight;
    }
    // Keep the whole cell inside the image, also when the image width is not a multiple of 8.
    if (s.MainImage.Width() < s.CharLeft + s.CharWidth)
        s.CharLeft = RoundDownTo8(s.MainImage.Width()) - s.CharWidth;
    if (s.MainImage.Height() < s.CharTop + s.CharHeight)
        s.CharTop = RoundDownTo8(s.MainImage.Height()) - s.CharHeight;
    if (s.LupeStepX != 8) {
        if (s.CharWidth > 0)
            s.CharLeft = int(unsigned(s.CharLeft) / unsigned(s.CharWidth)) * s.CharWidth;
        if (s.CharHeight > 0)
            s.CharTop = int(unsigned(s.CharTop) / unsigned(s.CharHeight)) * s.CharHeight;
    }
    s.CharLeft = std::clamp(s.CharLeft, 0, std::max(0, s.MainImage.Width() - s.CharWidth));
    s.CharTop = std::clamp(s.CharTop, 0, std::max(0, s.MainImage.Height() - s.CharHeight));
    s.CharArea = s.CharWidth * s.CharHeight;
    s.CellBufA.assign(size_t(std::max(s.CharArea, 0)), 0);
    s.CellBufB.assign(size_t(std::max(s.CharArea, 0)), 0);
    s.LayerLeft = s.CharLeft;
    s.LayerTop = s.CharTop;
    RenderLupe(s);
    s.Hooks->LupeResize();
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawExtendedView();
    s.Hooks->TiledViewResize();
}

void PropagatePalette(EditorState& s) {
    const ColorTableArray& table = s.MainImage.ColorTable();
    for (size_t i = 0; i < 256; ++i) {
        s.PaletteQuads[i] = table[i];
        s.PaletteColors[i] = QuadToColor(table[i]);
    }
    s.LupeImage.ColorTable() = s.PaletteQuads;
    s.LupeImage.UpdatePalette();
    s.MainImage.UpdatePalette();
    RenderLupe(s);
    s.PaletteImage.ColorTable() = s.PaletteQuads;
    s.PaletteImage.UpdatePalette();
    BuildColorTables(s);
    EnsureDrawColorAllowed(s);
    s.CopyImage.ColorTable() = s.PaletteQuads;
    s.CopyImage.UpdatePalette();
}

} // namespace vallo
