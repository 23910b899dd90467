#include "views/PreviewRender.h"

#include <vector>

namespace vallo {

namespace {

// The image coordinate shown at each box position of [from, to) along one axis, or -1 where
// the cell pixel lies outside the image.
std::vector<int> ImageCoordinates(const PreviewAxis& axis, int from, int to, int origin,
                                  int imageLength) {
    std::vector<int> map(size_t(to - from));
    for (int pos = from; pos < to; ++pos) {
        const int c = axis.SourceAt(pos);
        const int v = c < 0 ? -1 : origin + c;
        map[size_t(pos - from)] = v >= 0 && v < imageLength ? v : -1;
    }
    return map;
}

} // namespace

CellSource EditedCellSource(const EditorState& s) {
    if (s.LayerActive)
        return {&s.LayerImage, 0, 0, s.TransColor};
    return {&s.MainImage, s.CharLeft, s.CharTop, s.TransColor};
}

TDIB RenderPreviewArea(const CellSource& source, const PreviewLayout& layout, const IntRect& box,
                       const ColorTableArray& palette, IntRect& area) {
    area = ClipToLayout(layout, box);
    TDIB out;
    if (area.Left >= area.Right || area.Top >= area.Bottom || !source.Image)
        return out;
    out.SetSize(area.Right - area.Left, area.Bottom - area.Top, 8);
    out.ColorTable() = palette;
    static const TDIB kNoImage;
    const TDIB& image = source.Image->BitCount() == 8 ? *source.Image : kNoImage;
    const std::vector<int> columns =
        ImageCoordinates(layout.X, area.Left, area.Right, source.Left, image.Width());
    const std::vector<int> rows =
        ImageCoordinates(layout.Y, area.Top, area.Bottom, source.Top, image.Height());
    for (int y = 0; y < out.Height(); ++y) {
        uint8_t* dst = out.ScanLine(y);
        const int row = rows[size_t(y)];
        const uint8_t* src = row >= 0 ? image.ScanLine(row) : nullptr;
        for (int x = 0; x < out.Width(); ++x) {
            const int col = columns[size_t(x)];
            dst[x] = src && col >= 0 ? src[col] : source.Fill;
        }
    }
    return out;
}

} // namespace vallo
