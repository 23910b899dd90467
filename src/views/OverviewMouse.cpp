#include "views/OverviewMouse.h"

#include "state/EditorState.h"
#include "draw/CopyRange.h"
#include "draw/LupeRender.h"

#include <algorithm>

namespace vallo {

namespace {

// The scale in sixteenths, one of 4, 8, 16, 32, 48; anything else counts as 1:1.
int Power(const EditorState& s) {
    switch (s.OverviewPower) {
    case 4:
    case 8:
    case 16:
    case 32:
    case 48:
        return s.OverviewPower;
    default:
        return 16;
    }
}

void ClampToImage(const EditorState& s, int& x, int& y) {
    x = std::clamp(x, 0, std::max(s.ImageWidth - 1, 0));
    y = std::clamp(y, 0, std::max(s.ImageHeight - 1, 0));
}

bool InsideForCellChoice(const EditorState& s, int x, int y) {
    return x > 0 && y > 0 && x < s.MainImage.Width() && y < s.MainImage.Height();
}

// Origin of the step cell under v, kept so that a whole cell fits in the image.
int SnapCellOrigin(int v, int step, int cellSize, int imageSize) {
    step = std::max(step, 1);
    const int origin = v / step * step;
    return std::max(std::min(origin, imageSize - cellSize), 0);
}

void ChooseLayerCell(EditorState& s, int x, int y) {
    if (InsideForCellChoice(s, x, y)) {
        s.LayerLeft = SnapCellOrigin(x, s.LupeStepX, s.CharWidth, s.MainImage.Width());
        s.LayerTop = SnapCellOrigin(y, s.LupeStepY, s.CharHeight, s.MainImage.Height());
        RenderLupe(s);
        s.Hooks->RepaintLupe();
        s.Hooks->RepaintOverview();
    }
    s.Hooks->RepaintCopyPreview();
    s.Hooks->RedrawExtendedView();
    s.Hooks->TiledViewResize();
}

void ChooseEditedCell(EditorState& s, int x, int y) {
    if (!InsideForCellChoice(s, x, y))
        return;
    s.CharLeft = SnapCellOrigin(x, s.LupeStepX, s.CharWidth, s.MainImage.Width());
    s.CharTop = SnapCellOrigin(y, s.LupeStepY, s.CharHeight, s.MainImage.Height());
    RenderLupe(s);
    s.Hooks->RepaintLupe();
    s.Hooks->RepaintOverview();
    // The first change in the new cell takes its own undo snapshot.
    s.Undo.UndoCoalesced = false;
}

} // namespace

void OverviewScreenToImage(const EditorState& s, int& x, int& y) {
    const int p = Power(s);
    if (p < 16) {
        x *= 16 / p;
        y *= 16 / p;
    } else {
        x /= p / 16;
        y /= p / 16;
    }
}

void AllBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift, bool fromLupe) {
    SizeGroupClick(s);
    if (!fromLupe)
        OverviewScreenToImage(s, x, y);
    ClampToImage(s, x, y);
    if (s.CurrentTool == 7 && !shift) {
        if (button == MouseButton::Left)
            CopyRangePress(s, x, y);
        else if (button == MouseButton::Right)
            CopyRangeCancel(s);
        return;
    }
    if (button == MouseButton::Left)
        ChooseEditedCell(s, x, y);
    else
        ChooseLayerCell(s, x, y);
}

void AllBoxMouseMove(EditorState& s, int x, int y, bool /*shift*/, bool fromLupe) {
    SizeGroupClick(s);
    if (!fromLupe) {
        OverviewScreenToImage(s, x, y);
        ClampToImage(s, x, y);
    }
    if (s.CurrentTool == 7)
        CopyRangeMove(s, x, y);
}

void powerComboChange(EditorState& s, int itemIndex) {
    if (itemIndex < 0 || itemIndex > 4)
        return;
    s.OverviewPowerIndex = itemIndex;
    s.OverviewPower = itemIndex < 2 ? (itemIndex + 1) * 4 : (itemIndex - 1) * 16;
    s.Hooks->OverviewApplyZoom();
}

OverviewGeometry ComputeOverviewGeometry(const EditorState& s) {
    OverviewGeometry g;
    const int p = Power(s);
    if (p < 16) {
        g.BitmapWidth = int(int64_t(s.ImageWidth) * p / 16);
        g.BitmapHeight = int(int64_t(s.ImageHeight) * p / 16);
        g.ChipSize = 1;
    } else {
        g.ChipSize = p / 16;
        g.BitmapWidth = g.ChipSize * s.ImageWidth;
        g.BitmapHeight = g.ChipSize * s.ImageHeight;
    }
    return g;
}

} // namespace vallo
