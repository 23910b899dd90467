#include "views/PreviewLayout.h"

#include <algorithm>

namespace vallo {

namespace {

// Choices outside the menus' ranges fall back to the first item.
int Clamp(int v, int lo, int hi, int fallback) {
    return v >= lo && v <= hi ? v : fallback;
}

PreviewAxis Axis(int cell, int zoom, int copies, unsigned mirrored) {
    return {std::max(cell, 0), zoom, copies, mirrored};
}

} // namespace

int PreviewAxis::SourceAt(int pos) const {
    const int copy = CopyLength();
    if (pos < 0 || copy <= 0 || pos >= Length())
        return -1;
    const int k = pos / copy;
    const int c = (pos - k * copy) / Zoom;
    return CopyMirrored(k) ? Cell - 1 - c : c;
}

void PreviewAxis::Span(int k, int from, int to, int& first, int& last) const {
    const int base = k * CopyLength();
    if (CopyMirrored(k)) {
        first = base + (Cell - to) * Zoom;
        last = base + (Cell - from) * Zoom;
    } else {
        first = base + from * Zoom;
        last = base + to * Zoom;
    }
}

PreviewLayout ExtendedLayout(int charWidth, int charHeight, int exZoom, int exStyle) {
    const int z = Clamp(exZoom, 1, 4, 1);
    const int style = Clamp(exStyle, 0, 2, 0);
    PreviewLayout l;
    if (style == 0)
        l.X = Axis(charWidth, z, 2, 0b10);
    else
        l.X = Axis(charWidth, z, 1, style == 2 ? 0b1 : 0);
    l.Y = Axis(charHeight, z, 1, 0);
    return l;
}

PreviewLayout ExtendedLayout(const EditorState& s) {
    return ExtendedLayout(s.CharWidth, s.CharHeight, s.EXZoom, s.EXStyle);
}

PreviewLayout TiledLayout(int charWidth, int charHeight, int count, int zoom) {
    const int n = Clamp(count, 1, 3, 1);
    const int z = Clamp(zoom, 1, 4, 1);
    return {Axis(charWidth, z, n, 0), Axis(charHeight, z, n, 0)};
}

PreviewLayout TiledLayout(const EditorState& s) {
    return TiledLayout(s.CharWidth, s.CharHeight, s.NarabeCount, s.NarabeZoom);
}

PreviewLayout AnimationLayout(int charWidth, int charHeight, int magnification) {
    const int z = Clamp(magnification, 1, 4, 1);
    return {Axis(charWidth, z, 1, 0), Axis(charHeight, z, 1, 0)};
}

std::vector<IntRect> PreviewChangedRects(const PreviewLayout& layout, const IntRect& cells) {
    const int l = std::max(std::min(cells.Left, cells.Right), 0);
    const int r = std::min(std::max(cells.Left, cells.Right), layout.X.Cell);
    const int t = std::max(std::min(cells.Top, cells.Bottom), 0);
    const int b = std::min(std::max(cells.Top, cells.Bottom), layout.Y.Cell);
    std::vector<IntRect> rects;
    if (l >= r || t >= b)
        return rects;
    for (int j = 0; j < layout.Y.Copies; ++j) {
        for (int i = 0; i < layout.X.Copies; ++i) {
            IntRect box;
            layout.X.Span(i, l, r, box.Left, box.Right);
            layout.Y.Span(j, t, b, box.Top, box.Bottom);
            rects.push_back(box);
        }
    }
    return rects;
}

IntRect ClipToLayout(const PreviewLayout& layout, const IntRect& r) {
    return {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, layout.Width()),
            std::min(r.Bottom, layout.Height())};
}

} // namespace vallo
