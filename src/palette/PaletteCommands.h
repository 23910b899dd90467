#pragma once

namespace vallo {

struct EditorState;

// Commands of the palette window's menu that work on indices.

// "透明色を描画色に置換": in the edited cell only, TransColor pixels become DrawColor.
void ReplaceTransWithDrawColor(EditorState& s);
// "描画色を透明色にコピー": the drawing colour's red, green and blue into TransColor's entry.
void CopyDrawColorToTransColor(EditorState& s);
// "描画色と透明色の位置交換": exchanges the two entries and remaps every pixel of MainImage, so
// the picture looks the same.
void SwapDrawAndTransColors(EditorState& s);
// "禁止色クリア": no colour is forbidden any more. Not undoable and not a document change.
void ClearForbiddenColors(EditorState& s);

// MainImage's colour table is the new palette: copies it to every buffer, rebuilds the colour
// tables and the grid, and repaints every view, so the screen shows what a fresh render would.
void ShowPaletteChange(EditorState& s);

} // namespace vallo
