#include "views/OverviewPaintArea.h"

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

} // namespace vallo
