#include "views/LupeMouse.h"

#include <algorithm>
#include <cstdio>

#include "state/EditorState.h"
#include "state/StateRoutines.h"
#include "state/TextNumbers.h"
#include "draw/FloodFill.h"
#include "draw/Layers.h"
#include "draw/PlotPen.h"
#include "draw/Shapes.h"
#include "draw/Undo.h"
#include "draw/LupeRender.h"
#include "views/OverviewMouse.h"

namespace vallo {

namespace {

constexpr int kLupeMinBase = 100;

bool IsShapeTool(int tool) { return tool >= 1 && tool <= 5; }

bool ValidCell(const EditorState& s, int cx, int cy) {
    return cx >= 0 && cy >= 0 && cx < s.CharWidth && cy < s.CharHeight;
}

// The cell under a view position; division truncates toward zero, so the first pixels left of
// or above the cell still count as cell 0 while a button is held.
int ToCell(int v, int magnification) { return v / std::max(magnification, 1); }

// Right-click pick: the pixel under the pointer becomes the drawing colour unless forbidden.
void PickBelow(EditorState& s, int cx, int cy) {
    if (!ValidCell(s, cx, cy))
        return;
    const uint32_t index = s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy);
    if (s.ForbiddenFlags[index & 0xFF] != kForbidden)
        s.DrawColor = uint8_t(index);
    s.Hooks->RepaintPalette();
}

void PushCellUndo(EditorState& s) {
    PushUndo(s, s.CharLeft, s.CharTop, s.CharLeft + s.CharWidth - 1, s.CharTop + s.CharHeight - 1,
             false, false);
}

void PresetDirty(EditorState& s, int start) {
    s.DirtyRect = {start, start, 0, 0};
    s.DirtyCells = {start, start, 0, 0};
}

bool DirtyIsEmpty(const EditorState& s) {
    return s.DirtyRect.Left >= s.DirtyRect.Right || s.DirtyRect.Top >= s.DirtyRect.Bottom;
}

// Shows what the last drawing call changed in the magnifier, the overview and the extended
// view, without a full refresh.
void InvalidateDirtyAreas(EditorState& s) {
    if (DirtyIsEmpty(s))
        return;
    const IntRect& d = s.DirtyRect;
    InvalidateLupeRect(s, d.Left, d.Top, d.Right, d.Bottom);
    const IntRect& c = s.DirtyCells;
    s.Hooks->InvalidateOverviewRect(s.CharLeft + c.Left, s.CharTop + c.Top, s.CharLeft + c.Right,
                                    s.CharTop + c.Bottom);
    // The previews repaint only the copies of the changed cells.
    const bool extended = s.Hooks->ExtendedViewShown();
    if (extended)
        s.Hooks->InvalidateExtendedRect(c.Left, c.Top, c.Right, c.Bottom);
    const bool tiled = s.Hooks->TiledViewShown();
    if (tiled)
        s.Hooks->InvalidateTiledRect(c.Left, c.Top, c.Right, c.Bottom);
    if (s.LiveUpdate) {
        s.Hooks->UpdateOverviewNow();
        if (extended)
            s.Hooks->UpdateExtendedNow();
        if (tiled)
            s.Hooks->UpdateTiledNow();
    }
}

// The saved preview region in view pixels.
IntRect PreviewRegionRect(const EditorState& s) {
    const int m = s.Magnification;
    return {s.PreviewLeft * m, s.PreviewTop * m, (s.PreviewLeft + s.PreviewWidth + 1) * m,
            (s.PreviewTop + s.PreviewHeight + 1) * m};
}

IntRect Union(const IntRect& a, const IntRect& b) {
    if (a.Left >= a.Right || a.Top >= a.Bottom)
        return b;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

void InvalidateView(EditorState& s, const IntRect& r) {
    if (r.Left < r.Right && r.Top < r.Bottom)
        InvalidateLupeRect(s, r.Left, r.Top, r.Right, r.Bottom);
}

void StartStroke(EditorState& s, int cx, int cy) {
    PushCellUndo(s);
    s.Drawing = true;
    s.LastCellX = cx;
    s.LastCellY = cy;
    if (!s.CursorWhileDrawing) {
        s.Hooks->HideCursor();
        s.CursorHidden = true;
    }
    s.Hooks->HideCursor();
    PresetDirty(s, 65565);
    PlotPen(s, cx, cy);
    InvalidateDirtyAreas(s);
    s.Hooks->ShowCursor();
    TimTimer(s);
}

void ContinueStroke(EditorState& s, int cx, int cy) {
    s.Hooks->HideCursor();
    if (!s.CursorWhileDrawing && !s.CursorHidden) {
        s.Hooks->HideCursor();
        s.CursorHidden = true;
    }
    PresetDirty(s, 65000);
    DrawLine(s, s.LastCellX, s.LastCellY, cx, cy);
    if (s.DirtyRect.Left != 65000) {
        PlotPen(s, cx, cy);
        InvalidateDirtyAreas(s);
        s.Hooks->UpdateLupeNow();
    }
    s.LastCellX = cx;
    s.LastCellY = cy;
    s.Hooks->ShowCursor();
}

void CommitShape(EditorState& s, int cx, int cy) {
    s.Hooks->HideCursor();
    s.Drawing = false;
    s.LastCellX = cx;
    s.LastCellY = cy;
    PushCellUndo(s);
    DrawToolShape(s, s.CurrentTool, s.AnchorX, s.AnchorY, cx, cy);
    ClearStrokeMask(s);
    s.Hooks->RepaintOverview();
    TimTimer(s);
    s.Hooks->ShowCursor();
}

void FillAt(EditorState& s, int cx, int cy) {
    if (!ValidCell(s, cx, cy))
        return;
    if (s.MainImage.Pixel(s.CharLeft + cx, s.CharTop + cy) == s.DrawColor)
        return;
    PushCellUndo(s);
    s.Hooks->HideCursor();
    FloodFillCell(s, cx, cy);
    TimTimer(s);
    LayChange(s);
    s.Hooks->ShowCursor();
}

void StartPicking(EditorState& s, int cx, int cy) {
    s.LastCellX = cx;
    s.LastCellY = cy;
    s.PickingColor = true;
    PickBelow(s, cx, cy);
}

// The pen footprint under the pointer, drawn into LupeImage, shown, and taken back at once.
void CursorPreview(EditorState& s, int cx, int cy) {
    s.PreviewDrawing = true;
    InvalidateView(s, s.CursorRect);
    SavePreviewRegion(s, cx, cy, cx, cy, s.PenOffset, s.PenSize);
    PlotPen(s, cx, cy);
    ClearStrokeMask(s);
    const IntRect r = PreviewRegionRect(s);
    InvalidateView(s, r);
    RestorePreviewRegion(s);
    s.PreviewDrawing = false;
    s.CursorRect = r;
}

// The rubber-band shape from the anchor to the pointer. Previews are never clipped to the
// visible part of the magnifier.
void ShapePreview(EditorState& s, int cx, int cy) {
    s.Hooks->HideCursor();
    s.PreviewDrawing = true;
    InvalidateView(s, s.CursorRect);
    const IntRect previous = PreviewRegionRect(s);
    SavePreviewRegion(s, s.AnchorX, s.AnchorY, cx, cy, s.PenOffset, s.PenSize);
    const bool overhang = s.LupeOverhang;
    s.LupeOverhang = true;
    DrawToolShape(s, s.CurrentTool, s.AnchorX, s.AnchorY, cx, cy);
    s.LupeOverhang = overhang;
    ClearStrokeMask(s);
    // The previous preview may reach further than this one: repaint both areas.
    InvalidateView(s, Union(previous, PreviewRegionRect(s)));
    RestorePreviewRegion(s);
    s.Hooks->RedrawExtendedView();
    s.PreviewDrawing = false;
    s.Hooks->ShowCursor();
}

std::string LupeCaption(const EditorState& s, int cx, int cy) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "ルーペ [X=%d:Y=%d]", cx, cy);
    std::string caption = buf;
    if (s.LayerActive)
        caption += " レイヤー作動中";
    return caption;
}

} // namespace

void LupeBoxMouseDown(EditorState& s, MouseButton button, int x, int y, bool shift) {
    const int cx = ToCell(x, s.Magnification);
    const int cy = ToCell(y, s.Magnification);
    const bool left = button == MouseButton::Left;
    const int tool = s.CurrentTool;
    if (tool == 7) {
        AllBoxMouseDown(s, button, s.CharLeft + cx, s.CharTop + cy, shift, true);
        return;
    }
    if (tool == 0) {
        if (left)
            StartStroke(s, cx, cy);
        else
            StartPicking(s, cx, cy);
        return;
    }
    if (IsShapeTool(tool)) {
        if (left && !s.Drawing) {
            s.Drawing = true;
            s.AnchorX = cx;
            s.AnchorY = cy;
        } else if (left) {
            CommitShape(s, cx, cy);
        } else if (s.Drawing) {
            s.Drawing = false;
            s.Hooks->RepaintLupe();
        } else {
            StartPicking(s, cx, cy);
        }
        return;
    }
    if (tool == 6) {
        if (left)
            FillAt(s, cx, cy);
        else
            StartPicking(s, cx, cy);
    }
}

std::string LupeBoxMouseMove(EditorState& s, int x, int y, bool shift) {
    const int cx = ToCell(x, s.Magnification);
    const int cy = ToCell(y, s.Magnification);
    const int tool = s.CurrentTool;
    if (tool == 0 && s.Drawing)
        ContinueStroke(s, cx, cy);
    if (tool == 0 && !s.Drawing && s.PickingColor && ValidCell(s, cx, cy))
        PickBelow(s, cx, cy);
    if (IsShapeTool(tool) && s.Drawing)
        ShapePreview(s, cx, cy);
    if (tool >= 1 && tool <= 6 && s.PickingColor && ValidCell(s, cx, cy))
        PickBelow(s, cx, cy);
    if (tool >= 0 && tool <= 6 && !s.Drawing)
        CursorPreview(s, cx, cy);
    if (tool == 7)
        AllBoxMouseMove(s, s.CharLeft + cx, s.CharTop + cy, shift, true);
    ApplyPendingPalette(s);
    return LupeCaption(s, cx, cy);
}

void LupeBoxMouseUp(EditorState& s, MouseButton, int, int, bool) {
    if (s.CursorHidden) {
        s.Hooks->ShowCursor();
        s.CursorHidden = false;
    }
    s.PickingColor = false;
    if (s.CurrentTool == 0) {
        ClearStrokeMask(s);
        s.Drawing = false;
    }
    LayChange(s);
}

void LupeIdle(EditorState& s) {
    if (s.CursorHidden && s.CurrentTool == 0 && s.Drawing && !s.CursorWhileDrawing) {
        s.Hooks->ShowCursor();
        s.CursorHidden = false;
    }
}

void TimTimer(EditorState& s) { s.Hooks->RefreshUndoButtons(); }

bool BaiBoxChange(EditorState& s, const std::string& text) {
    const size_t percent = text.find('%');
    if (percent == std::string::npos)
        return false;
    const int n = StrToIntDef(text.substr(0, percent), 0);
    if (n < 100 || n > 5000 || n % 100 != 0)
        return false;
    const int m = n / 100;
    // A magnified cell past the buffer limit would ask for gigabytes: refuse the zoom.
    if (int64_t(s.CharWidth) * m > kMaxLupeSide || int64_t(s.CharHeight) * m > kMaxLupeSide)
        return false;
    const int w = s.CharWidth * m;
    const int h = s.CharHeight * m;
    if (m != s.Magnification) {
        s.Hooks->ScrollLupeToOrigin();
        s.LupeScrollX = s.LupeScrollY = 0;
        s.Magnification = m;
        s.LupeMinSize = m - (kLupeMinBase % m) + kLupeMinBase;
        s.LupeViewWidth = std::max(w, s.LupeMinSize);
        s.LupeViewHeight = std::max(h, s.LupeMinSize);
        s.LupeImage.SetSize(w, h, 8);
        s.Hooks->SetLupeSize(w, h);
        if (!s.LupeGrid) {
            s.LupeStepX = s.CharWidth;
            s.LupeStepY = s.CharHeight;
        }
        RenderLupe(s);
        s.Hooks->RepaintLupe();
    }
    s.LupeBackImage.SetSize(w, h, 8);
    return true;
}

std::string ZoomText(int magnification) { return std::to_string(magnification) + "00%"; }

} // namespace vallo
