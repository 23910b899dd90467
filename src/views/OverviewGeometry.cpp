#include "views/OverviewGeometry.h"

#include <algorithm>
#include <cstdint>

namespace vallo {

int OverviewScale(int v, int power) {
    return int(int64_t(v) * power / 16);
}

namespace {

// Image coordinate shown at a screen coordinate, rounded down / up.
int64_t ImageFloor(int64_t screen, int power) {
    const int64_t n = screen * 16;
    return n >= 0 ? n / power : -((-n + power - 1) / power);
}
int64_t ImageCeil(int64_t screen, int power) {
    return -ImageFloor(-screen, power);
}

} // namespace

OverviewPaintArea OverviewExposedArea(const IntRect& exposed, int power, int imageWidth,
                                      int imageHeight) {
    OverviewPaintArea a;
    if (power <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return a;
    // The scaled picture covers (0, 0) - (w x P / 16, h x P / 16); at the smaller scales the
    // image pixels beyond the last whole screen pixel are not shown.
    const int64_t shownW = OverviewScale(imageWidth, power);
    const int64_t shownH = OverviewScale(imageHeight, power);
    const int64_t sl = std::max<int64_t>(exposed.Left, 0);
    const int64_t st = std::max<int64_t>(exposed.Top, 0);
    const int64_t sr = std::min<int64_t>(exposed.Right, shownW);
    const int64_t sb = std::min<int64_t>(exposed.Bottom, shownH);
    if (sl >= sr || st >= sb)
        return a;
    a.Source.Left = int(ImageFloor(sl, power));
    a.Source.Top = int(ImageFloor(st, power));
    a.Source.Right = int(std::min<int64_t>(ImageCeil(sr, power), imageWidth));
    a.Source.Bottom = int(std::min<int64_t>(ImageCeil(sb, power), imageHeight));
    a.Target.Left = OverviewScale(a.Source.Left, power);
    a.Target.Top = OverviewScale(a.Source.Top, power);
    a.Target.Right = OverviewScale(a.Source.Right, power);
    a.Target.Bottom = OverviewScale(a.Source.Bottom, power);
    a.Empty = a.Source.Left >= a.Source.Right || a.Source.Top >= a.Source.Bottom;
    return a;
}

IntRect OverviewScreenRect(const IntRect& image, int power) {
    const int64_t l = int64_t(image.Left) * power;
    const int64_t t = int64_t(image.Top) * power;
    const int64_t r = int64_t(image.Right) * power;
    const int64_t b = int64_t(image.Bottom) * power;
    auto floor16 = [](int64_t v) { return int(v >= 0 ? v / 16 : -((-v + 15) / 16)); };
    auto ceil16 = [&](int64_t v) { return -floor16(-v); };
    return {floor16(l), floor16(t), ceil16(r), ceil16(b)};
}

OverviewFrames ComputeOverviewFrames(const EditorState& s, int power) {
    OverviewFrames f;
    const int cl = OverviewScale(s.CharLeft, power);
    const int ct = OverviewScale(s.CharTop, power);
    const int cw = OverviewScale(s.CharWidth, power);
    const int ch = OverviewScale(s.CharHeight, power);
    f.Cell = {true, {cl - 2, ct - 2, cl + cw + 1, ct + ch + 1}, 3, false, false};
    const int ll = OverviewScale(s.LayerLeft, power);
    const int lt = OverviewScale(s.LayerTop, power);
    f.Layer = {true, {ll - 1, lt - 1, ll + cw, lt + ch}, 1, true, false};
    const int x = OverviewScale(s.CopyLeft, power);
    const int y = OverviewScale(s.CopyTop, power);
    const int w = OverviewScale(s.CopyWidth, power);
    const int h = OverviewScale(s.CopyHeight, power);
    if (s.CopyRangeState == 1) {
        f.Copy = {true, {x, y, x + w - 1, y + h - 1}, 1, true, true};
    } else if (s.CopyRangeState == 2) {
        f.Copy = {true, {x - 2, y - 2, x + w + 1, y + h + 1}, 3, false, false};
        f.ShowCopyImage = true;
        f.CopyImageTarget = {x, y, x + OverviewScale(s.CopyImage.Width(), power),
                             y + OverviewScale(s.CopyImage.Height(), power)};
    }
    return f;
}

LupeCopyOverlay ComputeLupeCopyOverlay(const EditorState& s) {
    LupeCopyOverlay o;
    const int m = s.Magnification;
    const int dx = s.CopyLeft - s.CharLeft;
    const int dy = s.CopyTop - s.CharTop;
    if (s.CopyRangeState == 1) {
        o.Frame = {true,
                   {dx * m, dy * m, (s.CopyWidth + dx) * m - 1, (s.CopyHeight + dy) * m - 1},
                   1,
                   true,
                   false};
    } else if (s.CopyRangeState == 2) {
        o.Frame = {
            true,
            {dx * m - 2, dy * m - 2, (s.CopyWidth + dx) * m + 1, (s.CopyHeight + dy) * m + 1},
            3,
            false,
            false};
        o.ShowCopyImage = true;
        o.CopyImageTarget = {dx * m, dy * m, (s.CopyWidth + dx) * m, (s.CopyHeight + dy) * m};
    }
    return o;
}

IntRect FrameBounds(const FrameSpec& frame) {
    const int grow = frame.PenWidth / 2 + 1;
    const IntRect& c = frame.Corners;
    return {std::min(c.Left, c.Right) - grow, std::min(c.Top, c.Bottom) - grow,
            std::max(c.Left, c.Right) + grow + 1, std::max(c.Top, c.Bottom) + grow + 1};
}

} // namespace vallo

namespace vallo {

OverviewScrollSize ComputeOverviewScrollSize(int imageWidth, int imageHeight, int power) {
    OverviewScrollSize out;
    if (power <= 0)
        return out;
    out.BitmapWidth = OverviewScale(std::max(imageWidth, 0), power);
    out.BitmapHeight = OverviewScale(std::max(imageHeight, 0), power);
    out.ChipSize = power < 16 ? 1 : power / 16;
    return out;
}

} // namespace vallo
