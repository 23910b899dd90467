#include "palette/PaletteGrid.h"

#include "state/StateRoutines.h"
#include "draw/Layers.h"
#include "image/Canvas.h"

#include <algorithm>

namespace vallo {

namespace {

constexpr uint32_t kWhite = MakeColor(255, 255, 255);
constexpr uint32_t kBlack = MakeColor(0, 0, 0);
constexpr uint32_t kGrey = MakeColor(192, 192, 192);
constexpr uint32_t kRed = MakeColor(255, 0, 0);
constexpr uint32_t kBlue = MakeColor(0, 0, 255);

// Grid measures never below 1, so a damaged setting cannot divide by zero.
int Columns(const EditorState& s) {
    return std::max(1, s.PaleColumns);
}
int Rows(const EditorState& s) {
    return std::max(1, s.PaleRows);
}
int CellWidth(const EditorState& s) {
    return std::max(1, s.PaleCellWidth);
}
int CellHeight(const EditorState& s) {
    return std::max(1, s.PaleCellHeight);
}

uint8_t Nearest(const EditorState& s, uint32_t color) {
    return uint8_t(NearestColorIndex(s.PaletteImage.ColorTable(), color));
}

int ClampX(const EditorState& s, int x) {
    return std::clamp(x, 0, PaleBoxWidth(s) - 1);
}
int ClampY(const EditorState& s, int y) {
    return std::clamp(y, 0, PaleBoxHeight(s) - 1);
}

void PickTransColor(EditorState& s, int index) {
    s.TransColor = uint8_t(index);
    if (s.LayerActive)
        LayChange(s);
}

void PickDrawColor(EditorState& s, int index) {
    if (s.ForbiddenFlags[size_t(index)] == 0)
        s.DrawColor = uint8_t(index);
}

// Toggles the forbidden mark of a cell once per drag.
void ToggleForbiddenOnce(EditorState& s, int index) {
    if (s.PaleVisited[size_t(index)] != 0)
        return;
    int32_t& flag = s.ForbiddenFlags[size_t(index)];
    flag = flag != 0 ? 0 : kForbidden;
    DrawPaletteCell(s, index);
    EnsureDrawColorAllowed(s);
    s.PalettePending = true;
    s.PaleForbidDrag = true;
    SetModified(s);
    s.PaleVisited[size_t(index)] = 255;
}

} // namespace

int PaleBoxWidth(const EditorState& s) {
    return Columns(s) * CellWidth(s);
}
int PaleBoxHeight(const EditorState& s) {
    return Rows(s) * CellHeight(s);
}

int PaletteIndexAt(const EditorState& s, int x, int y) {
    if (x < 0 || y < 0 || x >= PaleBoxWidth(s) || y >= PaleBoxHeight(s))
        return -1;
    const int index = Columns(s) * (y / CellHeight(s)) + x / CellWidth(s);
    return index <= 255 ? index : -1;
}

void ResizePaletteImage(EditorState& s) {
    s.PaletteImage.SetSize(PaleBoxWidth(s), PaleBoxHeight(s), 8);
    s.PaletteImage.ColorTable() = s.PaletteQuads;
    s.PaletteImage.UpdatePalette();
    RedrawPaletteImage(s);
}

void DrawPaletteCell(EditorState& s, int index) {
    if (index < 0 || index > 255)
        return;
    const int col = index % Columns(s);
    const int row = index / Columns(s);
    const int L = col * CellWidth(s);
    const int T = row * CellHeight(s);
    const int R = L + CellWidth(s);
    const int B = T + CellHeight(s);
    TDIB& image = s.PaletteImage;
    FillRect(image, L, T, R, B, Nearest(s, s.PaletteColors[size_t(index)]));
    if (s.ForbiddenFlags[size_t(index)] == kForbidden) {
        const uint8_t white = Nearest(s, kWhite);
        FrameRect(image, L, T, R, B, white);
        FrameRect(image, L + 1, T + 1, R - 1, B - 1, white);
        FrameRect(image, L + 2, T + 2, R - 2, B - 2, Nearest(s, kBlack));
    } else {
        const uint8_t grey = Nearest(s, kGrey);
        DrawLine(image, L, T, R, T, grey);
        DrawLine(image, L, T, L, B, grey);
    }
}

void RedrawPaletteImage(EditorState& s) {
    const int cells = std::min(Columns(s) * Rows(s), 256);
    for (int i = 0; i < cells; ++i)
        DrawPaletteCell(s, i);
}

std::array<PaletteMarkerFrame, 4> PaletteMarkerFrames(const EditorState& s) {
    const int W = CellWidth(s);
    const int H = CellHeight(s);
    const int dx = s.DrawColor % Columns(s) * W;
    const int dy = s.DrawColor / Columns(s) * H;
    const int tx = s.TransColor % Columns(s) * W;
    const int ty = s.TransColor / Columns(s) * H;
    return {{
        {{dx + 1, dy + 1, dx + W - 1, dy + H - 1}, kBlack},
        {{tx + 2, ty + 2, tx + W, ty + H}, kBlack},
        {{tx + 1, ty + 1, tx + W - 1, ty + H - 1}, kRed},
        {{dx, dy, dx + W - 2, dy + H - 2}, kBlue},
    }};
}

void PaleBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift) {
    const int i = PaletteIndexAt(s, ClampX(s, x), ClampY(s, y));
    if (i >= 0) {
        if (shift) {
            ToggleForbiddenOnce(s, i);
            s.PaleDragMode = 0;
        } else if (button != MouseButton::Left) {
            PickTransColor(s, i);
            s.PaleDragMode = 1;
        } else {
            PickDrawColor(s, i);
            s.PaleDragMode = 0;
        }
    }
    s.Hooks->RepaintPalette();
}

void PaleBoxMouseMove(EditorState& s, int x, int y) {
    if (s.PaleDragMode == 2)
        return;
    const int i = PaletteIndexAt(s, ClampX(s, x), ClampY(s, y));
    if (i >= 0) {
        if (s.PaleForbidDrag)
            ToggleForbiddenOnce(s, i);
        else if (s.PaleDragMode == 1)
            PickTransColor(s, i);
        else
            PickDrawColor(s, i);
    }
    s.Hooks->RepaintPalette();
}

void PaleBoxMouseUp(EditorState& s, MouseButton button, int x, int y) {
    const int i = PaletteIndexAt(s, ClampX(s, x), ClampY(s, y));
    if (i >= 0) {
        if (button != MouseButton::Left)
            PickTransColor(s, i);
        else
            PickDrawColor(s, i);
    }
    EnsureDrawColorAllowed(s);
    // The drag is over: the colour tables take the new marks at once, so whatever runs next
    // (a paste, a layer merge, a pen stroke) substitutes every forbidden index.
    ApplyPendingPalette(s);
    s.Hooks->RepaintPalette();
    s.PaleForbidDrag = false;
    s.PaleDragMode = 2;
    s.PaleVisited.fill(0);
}

} // namespace vallo
