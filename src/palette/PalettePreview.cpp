#include "palette/PalettePreview.h"

#include "state/EditorState.h"

namespace vallo {

namespace {

void ShowTables(EditorState& s, const ColorTableArray& table) {
    s.MainImage.ColorTable() = table;
    s.LupeImage.ColorTable() = table;
    s.MainImage.UpdatePalette();
    s.LupeImage.UpdatePalette();
    s.Hooks->RepaintOverview();
    s.Hooks->UpdateOverviewNow();
    s.Hooks->RepaintLupe();
    s.Hooks->RedrawExtendedView();
    s.Hooks->RepaintTiledView();
}

} // namespace

void ShowPalettePreview(EditorState& s, const ColorTableArray& shown) {
    ShowTables(s, shown);
}

void EndPalettePreview(EditorState& s) {
    ShowTables(s, s.PaletteQuads);
}

} // namespace vallo
