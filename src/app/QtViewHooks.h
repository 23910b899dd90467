#pragma once

#include "state/ViewHooks.h"
#include "widgets/QtWindows.h"

namespace vallo {

struct EditorState;

// The core's requests to the windows, answered through the window table. Windows that are not
// made (in tests, for example) are skipped.
class QtViewHooks : public ViewHooks {
public:
    QtViewHooks(EditorState& s, AppWindows& w) : s_(s), w_(w) {}

    // Main window.
    void SetTitle(const std::string& title) override;
    void SetRecentFileCaptions() override;
    void ApplyWindowPlaces() override;
    void ShowStartupWindows() override;
    void ReflectSettings() override;

    // Magnifier.
    void SetLupeSize(int width, int height) override;
    void LupeResize() override;
    void ScrollLupeToOrigin() override;
    void RepaintLupe() override;
    void InvalidateLupeRect(int left, int top, int right, int bottom) override;
    void UpdateLupeNow() override;
    void RefreshUndoButtons() override;
    void SetLupeCaption(const std::string& caption) override;
    void HideCursor() override;
    void ShowCursor() override;

    // Overview.
    void OverviewApplyZoom() override;
    void RepaintOverview() override;
    void InvalidateOverviewRect(int left, int top, int right, int bottom) override;
    void UpdateOverviewNow() override;

    // Tool window, copy tool, layer window, palette window.
    void SetSizeBoxText(const std::string& text) override;
    void ReflectToolButtons() override;
    void ShowCopyTool(bool visible) override;
    void SizeCopyPreview(int width, int height) override;
    void RepaintCopyPreview() override;
    void ReleaseLayerButton() override;
    void RedrawPaletteImage() override;
    void RepaintPalette() override;
    void PaletteResize() override;

    // Extended and tiled views.
    void RedrawExtendedView() override;
    void InvalidateExtendedRect(int left, int top, int right, int bottom) override;
    bool ExtendedViewShown() override;
    void UpdateExtendedNow() override;
    void TiledViewResize() override;
    void RepaintTiledView() override;
    void InvalidateTiledRect(int left, int top, int right, int bottom) override;
    bool TiledViewShown() override;
    void UpdateTiledNow() override;

private:
    EditorState& s_;
    AppWindows& w_;
};

} // namespace vallo
