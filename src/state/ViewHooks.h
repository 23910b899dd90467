#pragma once

#include <string>

namespace vallo {

// What the core asks of the windows. Every method does nothing by default; the UI implements
// the ones it needs, and tests plug in a recorder. Rectangles are left/top inclusive,
// right/bottom exclusive unless a method says otherwise.
class ViewHooks {
public:
    virtual ~ViewHooks() = default;

    // Main window.
    virtual void SetTitle(const std::string& /*title*/) {}
    virtual void SetRecentFileCaptions() {}
    // Start-up: places the windows as the configuration read them (Windows), ticks the window
    // menu, and later shows the windows that are always shown after start-up.
    virtual void ApplyWindowPlaces() {}
    virtual void ShowStartupWindows() {}
    // Start-up: controls that mirror settings take their values from the state (copy tool
    // check boxes, the magnifier's grid button and zoom box).
    virtual void ReflectSettings() {}

    // Magnifier.
    virtual void SetLupeSize(int /*width*/, int /*height*/) {}
    virtual void LupeResize() {}
    virtual void ScrollLupeToOrigin() {}
    virtual void RepaintLupe() {}
    // Marks a rectangle of the magnifier (view coordinates) for repaint and paints it now.
    virtual void InvalidateLupeRect(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
    virtual void UpdateLupeNow() {}
    virtual void RefreshUndoButtons() {}
    virtual void SetLupeCaption(const std::string& /*caption*/) {}
    virtual void HideCursor() {}
    virtual void ShowCursor() {}

    // Overview.
    virtual void OverviewApplyZoom() {}
    virtual void RepaintOverview() {}
    // Invalidates the overview area that shows an image rectangle.
    virtual void InvalidateOverviewRect(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
    virtual void UpdateOverviewNow() {}

    // Tool window and copy tool.
    virtual void SetSizeBoxText(const std::string& /*text*/) {}
    virtual void SizeCopyPreview(int /*width*/, int /*height*/) {}
    virtual void RepaintCopyPreview() {}
    virtual void ShowCopyTool(bool /*visible*/) {}
    virtual void ReflectToolButtons() {}

    // Layer window.
    virtual void ReleaseLayerButton() {}

    // Palette window.
    virtual void RedrawPaletteImage() {}
    virtual void RepaintPalette() {}
    virtual void PaletteResize() {}

    // Extended and tiled views. Redrawing the extended view lays it out first (the layout is
    // skipped while starting up). The rectangles to invalidate are changed cells of the edited
    // cell (cell coordinates); the views repaint every copy of them at the next update.
    virtual void RedrawExtendedView() {}
    virtual void InvalidateExtendedRect(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
    virtual bool ExtendedViewShown() { return false; }
    virtual void UpdateExtendedNow() {}
    virtual void TiledViewResize() {}
    virtual void RepaintTiledView() {}
    virtual void InvalidateTiledRect(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
    virtual bool TiledViewShown() { return false; }
    virtual void UpdateTiledNow() {}
};

} // namespace vallo
