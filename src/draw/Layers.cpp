#include "draw/Layers.h"

#include "draw/PixelOps.h"
#include "draw/Undo.h"
#include "draw/LupeRender.h"
#include "state/StateRoutines.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vallo {

namespace {

bool IsMergeMethod(int method) {
    return method >= 1 && method <= 4;
}

// A CharWidth x CharHeight copy of the cell at (left, top); pixels outside the image read 0.
TDIB CellCopy(const EditorState& s, int left, int top) {
    TDIB cell(std::max(s.CharWidth, 0), std::max(s.CharHeight, 0), 8);
    if (!cell.Empty())
        CopyRect(left, top, left + s.CharWidth - 1, top + s.CharHeight - 1, s.MainImage, cell, 0,
                 0);
    return cell;
}

uint8_t Allowed(const EditorState& s, uint8_t v) {
    return s.ForbiddenFlags[v] == kForbidden ? s.Tables.SubstituteColor[v] : v;
}

// The layer cell's pixel at cell (px, py).
uint8_t LayerPixel(const EditorState& s, int px, int py) {
    return uint8_t(s.MainImage.Pixel(s.LayerLeft + px, s.LayerTop + py));
}

} // namespace

void BuildLayerComposite(EditorState& s) {
    const int w = std::max(s.CharWidth, 0);
    const int h = std::max(s.CharHeight, 0);
    if (s.LayerImage.Width() != w || s.LayerImage.Height() != h || s.LayerImage.BitCount() != 8)
        s.LayerImage.SetSize(w, h, 8);
    s.LayerImage.ColorTable() = s.MainImage.ColorTable();
    s.LayerImage.UpdatePalette();
    if (s.LayerImage.Empty())
        return;

    // Private copies keep the result right when the two cells overlap or coincide.
    const TDIB edited = CellCopy(s, s.CharLeft, s.CharTop);
    const TDIB layer = CellCopy(s, s.LayerLeft, s.LayerTop);
    const TDIB& lower = s.LayerBelow ? layer : edited;
    const TDIB& upper = s.LayerBelow ? edited : layer;

    if (IsMergeMethod(s.LayerMethod)) {
        CopyRect(0, 0, w - 1, h - 1, lower, s.LayerImage, 0, 0);
        MergeRect(s, 0, 0, w - 1, h - 1, upper, s.LayerImage, 0, 0, s.LayerMethod,
                  s.LayerSeeThrough);
        return;
    }
    if (!s.LayerSeeThrough) {
        CopyRect(0, 0, w - 1, h - 1, upper, s.LayerImage, 0, 0);
        return;
    }
    for (int y = 0; y < h; ++y) {
        const uint8_t* up = upper.ScanLine(y);
        const uint8_t* low = lower.ScanLine(y);
        uint8_t* out = s.LayerImage.ScanLine(y);
        for (int x = 0; x < w; ++x)
            out[x] = up[x] == s.TransColor ? low[x] : up[x];
    }
}

void MergeRect(const EditorState& s, int left, int top, int right, int bottom, const TDIB& source,
               TDIB& dest, int destLeft, int destTop, int method, bool skipTransparent) {
    if (!ClipCopyRect(left, top, right, bottom, source, dest, destLeft, destTop) ||
        source.BitCount() != 8 || dest.BitCount() != 8)
        return;

    const int count = right - left + 1;
    const bool merge = IsMergeMethod(method);
    const auto& table = s.Tables.ForMethod(method);
    std::vector<uint8_t> row(size_t(count), 0);
    for (int y = top; y <= bottom; ++y) {
        // Read the source row first: source and destination may be the same image.
        std::memcpy(row.data(), source.ScanLine(y) + left, size_t(count));
        uint8_t* out = dest.ScanLine(destTop + y - top) + destLeft;
        for (int i = 0; i < count; ++i) {
            const uint8_t src = row[size_t(i)];
            if (skipTransparent && src == s.TransColor)
                continue;
            const uint8_t v = merge ? table[out[i]][src] : src;
            out[i] = Allowed(s, v);
        }
    }
}

uint8_t CompositePixel(EditorState& s, int px, int py, uint8_t v) {
    const uint8_t layer = LayerPixel(s, px, py);
    const bool merge = IsMergeMethod(s.LayerMethod);
    const auto& table = s.Tables.ForMethod(s.LayerMethod);
    if (s.LayerBelow) {
        if (s.LayerSeeThrough && v == s.TransColor) {
            s.LayerImage.SetPixel(px, py, layer);
            return s.TransColor;
        }
        const uint8_t k = merge ? table[layer][v] : v;
        s.LayerImage.SetPixel(px, py, k);
        return k;
    }
    uint8_t k = merge ? table[v][layer] : v;
    if (s.LayerSeeThrough && layer == s.TransColor)
        k = v;
    s.LayerImage.SetPixel(px, py, k);
    return k;
}

void PaintCell(EditorState& s, int px, int py, const IntRect& rect, uint8_t v) {
    s.LayerStripes = s.LayerDisplayMode && s.LayerMethod == 0;
    const uint8_t layer = LayerPixel(s, px, py);
    TDIB& lupe = s.LupeImage;
    if (!s.LayerStripes || s.Magnification < 2) {
        const bool showLayer = s.LayerBelow && s.LayerSeeThrough && v == s.TransColor;
        FillCellRect(lupe, rect.Left, rect.Top, rect.Right, rect.Bottom, showLayer ? layer : v);
        return;
    }
    uint8_t even = v;
    uint8_t odd = v;
    if (s.LayerBelow) {
        // Only a see-through pixel shows the layer cell beneath it, as in the rebuilt view.
        if (v == s.TransColor) {
            even = s.LayerSeeThrough ? layer : s.TransColor;
            odd = s.TransColor;
        }
    } else if (layer != s.TransColor) {
        odd = layer;
    }
    // Row offsets count from the top of the magnified cell, the grid line being offset 0.
    const int cellTop = s.Magnification * py;
    const int top = std::max(rect.Top, 0);
    const int bottom = std::min(rect.Bottom, lupe.Height());
    for (int y = top; y < bottom; ++y)
        FillCellRect(lupe, rect.Left, y, rect.Right, y + 1, ((y - cellTop) & 1) ? odd : even);
}

void LayChange(EditorState& s) {
    RenderLupe(s);
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawExtendedView();
    s.Hooks->RepaintTiledView();
    s.Hooks->RepaintOverview();
}

void MergeLayerIntoTarget(EditorState& s) {
    if (s.CharWidth <= 0 || s.CharHeight <= 0)
        return;
    ApplyPendingPalette(s);
    // The composite is built afresh so that what is merged always matches the present cells
    // and layer settings, also when the layer display is switched off.
    BuildLayerComposite(s);
    const bool intoLayer = s.LayerMergeTarget == 1;
    const int left = intoLayer ? s.LayerLeft : s.CharLeft;
    const int top = intoLayer ? s.LayerTop : s.CharTop;
    // Only the part of the target cell that lies inside the image is recorded and written.
    const int l = std::max(left, 0);
    const int t = std::max(top, 0);
    const int r = std::min(left + s.CharWidth, s.MainImage.Width()) - 1;
    const int b = std::min(top + s.CharHeight, s.MainImage.Height()) - 1;
    if (l > r || t > b)
        return;
    PushUndo(s, l, t, r, b, false, false);
    CopyRect(l - left, t - top, r - left, b - top, s.LayerImage, s.MainImage, l, t);
    LayChange(s);
}

} // namespace vallo
