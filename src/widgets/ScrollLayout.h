#pragma once

namespace vallo {

// Layout arithmetic of the scrolling bitmap view: viewport size, scroll ranges in chips, the
// shortened viewport at the far end and the chip kept in the centre when the zoom changes.
// All sizes are screen pixels unless a name says bitmap pixels.

// Screen pixels per chip: ChipSize x Power / 16, at least 1 (ChipSize 0 scrolls by pixels).
int ChipStep(int chipSize, int power);
// Screen extent of a bitmap side: 0 for an empty bitmap, else size x Power / 16 but at least 1.
int BaseExtent(int bitmapSize, int power);
// Bitmap pixel under a screen position inside the view (signed, truncating toward zero).
int ScreenToBitmap(int screen, int power);

struct ScrollLayoutInput {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int BarSize = 16;
    int ViewType = 0; // 0 four bars, 1 four buttons, 2 two bars
    int HSpace = 0;
    int VSpace = 0;
    int ViewWidth = 0; // upper limit of the viewport, 0 = none
    int ViewHeight = 0;
    int ChipSize = 0;
    int Power = 16;
    int BitmapWidth = 0;
    int BitmapHeight = 0;
};

// One scrolling direction. Max and PageSize count chips; a position p is valid when
// 0 <= p and p + PageSize - 1 <= Max.
struct ScrollAxis {
    int Visible = 0; // viewport extent
    bool Enabled = false;
    int Max = 0;
    int PageSize = 0;
};

struct ScrollLayout {
    bool Enabled = false; // false when the frame is too small for one chip
    int BarTotal = 0;     // space the bars take on each axis
    int Offset = 0;       // left/top offset of the area between the bars
    int AreaWidth = 0;    // width of the horizontal bars
    int AreaHeight = 0;   // height of the vertical bars
    ScrollAxis H;
    ScrollAxis V;
    int PanelLeft = 0; // viewport position inside the frame
    int PanelTop = 0;
};

ScrollLayout ComputeScrollLayout(const ScrollLayoutInput& in);

// Largest valid position of an axis.
int MaxScrollPosition(const ScrollAxis& axis);
int ClampScrollPosition(const ScrollAxis& axis, int position);
// Viewport extent at a scroll position: at the far end of a bitmap whose extent is not a whole
// number of chips the last chip is partial, so the viewport shrinks to end with the bitmap.
int ViewportAt(const ScrollAxis& axis, int position, int baseExtent, int step);

// The chip in the middle of the viewport, and the position that puts a chip back there.
int CentreChip(const ScrollAxis& axis, int position, int step);
int PositionForCentre(const ScrollAxis& axis, int chip, int step);

// A mouse position on the wallpaper around the viewport, in bitmap pixels: left of (above) the
// viewport it is negative, right of (below) it beyond the bitmap's far edge.
int WallpaperToBitmap(int screen, int panelStart, int visible, int bitmapSize, int power);

} // namespace vallo
