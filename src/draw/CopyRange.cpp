#include "draw/CopyRange.h"

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "draw/Layers.h"
#include "draw/PixelOps.h"
#include "draw/Undo.h"
#include "draw/LupeRender.h"

#include <algorithm>
#include <array>

namespace vallo {

namespace {

int ClampTo(int v, int size) {
    return std::clamp(v, 0, std::max(size - 1, 0));
}

void RepaintRange(EditorState& s) {
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
}

void StartRange(EditorState& s, int x, int y) {
    s.CopyRangeState = 1;
    s.CopyCellX = x / s.CopyStepX;
    s.CopyCellY = y / s.CopyStepY;
    s.CopyLeft = s.CopyCellX * s.CopyStepX;
    s.CopyTop = s.CopyCellY * s.CopyStepY;
    s.CopyWidth = s.CopyHeight = 0;
    s.Hooks->RepaintCopyPreview();
}

void CopyRangeIntoBuffer(EditorState& s) {
    s.CopyRangeState = 2;
    if (s.CopyWidth == 0)
        s.CopyWidth = s.CopyStepX;
    if (s.CopyHeight == 0)
        s.CopyHeight = s.CopyStepY;
    // A range of one step cell can reach past an image whose size is not a multiple of the
    // step; it is cut at the image's edge so that only document pixels are copied.
    s.CopyWidth = std::min(s.CopyWidth, s.MainImage.Width() - s.CopyLeft);
    s.CopyHeight = std::min(s.CopyHeight, s.MainImage.Height() - s.CopyTop);
    s.CopyImage.SetSize(s.CopyWidth, s.CopyHeight, 8);
    s.CopyImage.ColorTable() = s.MainImage.ColorTable();
    s.CopyImage.UpdatePalette();
    CopyRect(s.CopyLeft, s.CopyTop, s.CopyLeft + s.CopyWidth - 1, s.CopyTop + s.CopyHeight - 1,
             s.MainImage, s.CopyImage, 0, 0);
    s.Hooks->RepaintCopyPreview();
}

void PasteBuffer(EditorState& s, int x, int y) {
    const int px = x / s.CopyStepX * s.CopyStepX;
    const int py = y / s.CopyStepY * s.CopyStepY;
    s.CopyRangeState = 0;
    const int w = std::min(s.CopyImage.Width(), s.MainImage.Width() - px);
    const int h = std::min(s.CopyImage.Height(), s.MainImage.Height() - py);
    if (w > 0 && h > 0 && s.CopyImage.BitCount() == 8) {
        ApplyPendingPalette(s);
        PushUndo(s, px, py, px + w - 1, py + h - 1, false, false);
        s.Hooks->RefreshUndoButtons();
        if (s.PasteTransparent || s.CopyWithMergeMode)
            MergeRect(s, 0, 0, w - 1, h - 1, s.CopyImage, s.MainImage, px, py,
                      s.CopyWithMergeMode ? s.MergeMode : 0, s.PasteTransparent);
        else
            CopyRect(0, 0, w - 1, h - 1, s.CopyImage, s.MainImage, px, py);
    }
    RenderLupe(s);
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintOverview();
    s.Hooks->RedrawExtendedView();
    s.Hooks->RepaintCopyPreview();
}

} // namespace

void CTCHKClick(EditorState& s, bool pasteTransparent, bool copyWithMergeMode) {
    s.PasteTransparent = pasteTransparent;
    s.CopyWithMergeMode = copyWithMergeMode;
}

void SizeGroupClick(EditorState& s) {
    switch (s.CopySizeChoice) {
    case 0:
        s.CopyStepX = s.CopyStepY = 1;
        break;
    case 1:
        s.CopyStepX = s.CopyStepY = 2;
        break;
    case 2:
        s.CopyStepX = s.CopyStepY = 8;
        break;
    case 3:
        s.CopyStepX = s.CopyStepY = 16;
        break;
    case 4:
        s.CopyStepX = s.CharWidth / 2;
        s.CopyStepY = s.CharHeight / 2;
        break;
    case 5:
        s.CopyStepX = s.CharWidth;
        s.CopyStepY = s.CharHeight;
        break;
    default:
        break;
    }
    // A step is at least one pixel, whatever the cell size.
    s.CopyStepX = std::max(s.CopyStepX, 1);
    s.CopyStepY = std::max(s.CopyStepY, 1);
}

void CopyRangePress(EditorState& s, int x, int y) {
    if (s.MainImage.Empty())
        return;
    s.CopyStepX = std::max(s.CopyStepX, 1);
    s.CopyStepY = std::max(s.CopyStepY, 1);
    x = ClampTo(x, s.MainImage.Width());
    y = ClampTo(y, s.MainImage.Height());
    switch (s.CopyRangeState) {
    case 0:
        StartRange(s, x, y);
        break;
    case 1:
        CopyRangeIntoBuffer(s);
        break;
    default:
        PasteBuffer(s, x, y);
        break;
    }
}

void CopyRangeCancel(EditorState& s) {
    s.CopyRangeState = 0;
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintCopyPreview();
}

void CopyRangeMove(EditorState& s, int x, int y) {
    s.CopyStepX = std::max(s.CopyStepX, 1);
    s.CopyStepY = std::max(s.CopyStepY, 1);
    s.CopyCellX = s.CopyLeft / s.CopyStepX;
    s.CopyCellY = s.CopyTop / s.CopyStepY;
    const int cx = x / s.CopyStepX;
    const int cy = y / s.CopyStepY;
    if (s.CopyRangeState == 1) {
        const int64_t w = int64_t(cx - s.CopyCellX + 1) * s.CopyStepX;
        const int64_t h = int64_t(cy - s.CopyCellY + 1) * s.CopyStepY;
        if (x >= s.CopyLeft && y >= s.CopyTop && w > 0 && h > 0 &&
            s.CopyLeft + w <= s.MainImage.Width() && s.CopyTop + h <= s.MainImage.Height()) {
            s.CopyWidth = int(w);
            s.CopyHeight = int(h);
        }
        RepaintRange(s);
    } else if (s.CopyRangeState == 2) {
        s.CopyLeft = cx * s.CopyStepX;
        s.CopyTop = cy * s.CopyStepY;
        RepaintRange(s);
    }
}

std::optional<TDIB> btCopyClick(EditorState& s) {
    if (s.CopyRangeState == 1)
        return std::nullopt;
    if (s.CopyRangeState == 0) {
        s.CopyImage.SetSize(s.CharWidth, s.CharHeight, 8);
        CopyRect(s.CharLeft, s.CharTop, s.CharLeft + s.CharWidth - 1, s.CharTop + s.CharHeight - 1,
                 s.MainImage, s.CopyImage, 0, 0);
    }
    s.CopyImage.ColorTable() = s.MainImage.ColorTable();
    s.CopyImage.UpdatePalette();
    if (s.CopyImage.Empty())
        return std::nullopt;
    return s.CopyImage;
}

bool btPasteClick(EditorState& s, const TDIB& picture) {
    if (picture.Empty() || picture.BitCount() != 8)
        return false;
    ApplyPendingPalette(s);
    // Entries that already hold the document's colour keep their index; the others go to
    // the nearest allowed document colour.
    std::array<uint8_t, 256> map{};
    for (size_t i = 0; i < 256; ++i) {
        const RGBQuad q = picture.ColorTable()[i];
        if (QuadToColor(q) == s.PaletteColors[i]) {
            map[i] = uint8_t(i);
            continue;
        }
        uint8_t n = s.Tables.Quantised(q.rgbRed, q.rgbGreen, q.rgbBlue);
        if (s.ForbiddenFlags[n] == kForbidden)
            n = s.Tables.SubstituteColor[n];
        map[i] = n;
    }
    const int w = picture.Width();
    const int h = picture.Height();
    s.CopyImage.SetSize(w, h, 8);
    for (int y = 0; y < h; ++y) {
        const uint8_t* from = picture.ScanLine(y);
        uint8_t* to = s.CopyImage.ScanLine(y);
        for (int x = 0; x < w; ++x)
            to[x] = map[from[x]];
    }
    s.CopyImage.ColorTable() = s.MainImage.ColorTable();
    s.CopyImage.UpdatePalette();
    s.CopyRangeState = 2;
    s.CopyLeft = s.CopyTop = 0;
    s.CopyWidth = w;
    s.CopyHeight = h;
    s.Hooks->RepaintCopyPreview();
    s.Hooks->RepaintOverview();
    s.Hooks->RepaintLupe();
    return true;
}

} // namespace vallo
