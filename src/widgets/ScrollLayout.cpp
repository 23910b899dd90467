#include "widgets/ScrollLayout.h"

#include <algorithm>
#include <cstdint>

namespace vallo {

int ChipStep(int chipSize, int power) {
    if (chipSize == 0)
        return 1;
    const int64_t s = int64_t(chipSize) * power / 16;
    return s < 1 ? 1 : int(std::min<int64_t>(s, 1 << 30));
}

int BaseExtent(int bitmapSize, int power) {
    if (bitmapSize <= 0)
        return 0;
    const int64_t v = int64_t(bitmapSize) * power / 16;
    return int(std::clamp<int64_t>(v, 1, 1 << 30));
}

int ScreenToBitmap(int screen, int power) {
    if (power <= 0)
        return screen;
    return int(int64_t(screen) * 16 / power);
}

namespace {

// Viewport extent on one axis and the scroll range that goes with it.
ScrollAxis LayoutAxis(int base, int room, int limit, int step) {
    ScrollAxis a;
    int v = std::min(base, room);
    if (limit != 0)
        v = std::min(v, limit);
    // Whole chips only, unless the view is smaller than one chip or the bitmap fits entirely.
    if (v % step != 0 && v >= step && v < base)
        v = v / step * step;
    a.Visible = std::max(v, 0);
    if (a.Visible < base) {
        a.Max = base / step - 1 + (base % step != 0 ? 1 : 0);
        a.PageSize = a.Visible / step + (a.Visible % step != 0 ? 1 : 0);
        a.Enabled = true;
    }
    return a;
}

} // namespace

ScrollLayout ComputeScrollLayout(const ScrollLayoutInput& in) {
    ScrollLayout out;
    const bool twoBars = in.ViewType == 2;
    out.BarTotal = twoBars ? in.BarSize : 2 * in.BarSize;
    out.Offset = twoBars ? 0 : in.BarSize;
    out.AreaWidth = in.ClientWidth - out.BarTotal;
    out.AreaHeight = in.ClientHeight - out.BarTotal;
    if (out.AreaWidth < in.HSpace + in.ChipSize || out.AreaHeight < in.VSpace + in.ChipSize)
        return out;
    out.Enabled = true;
    const int step = ChipStep(in.ChipSize, in.Power);
    out.H = LayoutAxis(BaseExtent(in.BitmapWidth, in.Power), out.AreaWidth - 2 * in.HSpace,
                       in.ViewWidth, step);
    out.V = LayoutAxis(BaseExtent(in.BitmapHeight, in.Power), out.AreaHeight - 2 * in.VSpace,
                       in.ViewHeight, step);
    out.PanelLeft = (out.AreaWidth - out.H.Visible) / 2 + out.Offset;
    out.PanelTop = (out.AreaHeight - out.V.Visible) / 2 + out.Offset;
    return out;
}

int MaxScrollPosition(const ScrollAxis& axis) {
    if (!axis.Enabled)
        return 0;
    return std::max(0, axis.Max - axis.PageSize + 1);
}

int ClampScrollPosition(const ScrollAxis& axis, int position) {
    return std::clamp(position, 0, MaxScrollPosition(axis));
}

int ViewportAt(const ScrollAxis& axis, int position, int baseExtent, int step) {
    if (!axis.Enabled || step <= 0)
        return axis.Visible;
    const int rest = baseExtent % step;
    if (rest != 0 && position + axis.PageSize > axis.Max)
        return std::max(0, axis.Visible - (step - rest));
    return axis.Visible;
}

int CentreChip(const ScrollAxis& axis, int position, int step) {
    if (!axis.Enabled)
        return axis.Visible / 2 / step;
    return (step * position + axis.Visible / 2) / step;
}

int PositionForCentre(const ScrollAxis& axis, int chip, int step) {
    if (!axis.Enabled)
        return 0;
    return ClampScrollPosition(axis, chip - axis.Visible / 2 / step);
}

int WallpaperToBitmap(int screen, int panelStart, int visible, int bitmapSize, int power) {
    if (screen < panelStart)
        return std::min(ScreenToBitmap(screen - panelStart, power), -1);
    const int end = panelStart + visible;
    if (screen >= end)
        return bitmapSize + ScreenToBitmap(screen - end, power);
    return ScreenToBitmap(screen - panelStart, power);
}

} // namespace vallo
